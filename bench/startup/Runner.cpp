// Whole-process start-up and memory figures of the program beside a bare Qt
// Widgets window, in one invocation:
//
//   kyt-bench-startup --bare BIN --probe BIN --pictures DIR [--rounds N]
//
// Every round starts, in turn, the bare window, the program's start-up
// probe, djpeg on each of the three pictures that start-up decodes, and the
// probe again with every window shown once. A process reports when its
// window was first exposed, measured from the moment this launcher started
// it, and its peak resident memory. The medians are compared with the goals:
//   start-up  <= bare window + 1.2 x djpeg on the three pictures
//   memory    <= bare window + 40 MiB, with all ten windows created
// (the figure with every window also shown once is reported beside it).
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

long long nowNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

struct Outcome {
    bool ok = false;
    long long wallNs = 0; // from start to exit, as seen by the launcher
    long long exposedNs = 0; // reported by the probe
    long peakKb = 0;
};

// Starts argv in folder cwd, waits for it, and parses the probe's line.
Outcome run(const std::vector<std::string>& args, const std::string& cwd, bool quiet)
{
    Outcome out;
    int pipefd[2];
    if (pipe(pipefd) != 0)
        return out;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, pipefd[1], 1);
    posix_spawn_file_actions_addclose(&fa, pipefd[0]);
    if (quiet)
        posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    if (!cwd.empty())
        posix_spawn_file_actions_addchdir_np(&fa, cwd.c_str());
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (std::string& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const long long t0 = nowNs();
    setenv("KYT_BENCH_T0", std::to_string(t0).c_str(), 1);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    close(pipefd[1]);
    if (rc != 0) {
        close(pipefd[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(rc));
        return out;
    }
    std::string text;
    char buf[512];
    ssize_t n;
    while ((n = read(pipefd[0], buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            text.append(buf, static_cast<size_t>(n));
    close(pipefd[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    out.wallNs = nowNs() - t0;
    out.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    const char* e = std::strstr(text.c_str(), "exposed_ns=");
    const char* p = std::strstr(text.c_str(), "peak_kb=");
    if (e)
        out.exposedNs = std::atoll(e + 11);
    if (p)
        out.peakKb = std::atol(p + 8);
    return out;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

[[noreturn]] void usage()
{
    std::fprintf(stderr,
        "usage: kyt-bench-startup --bare BIN --probe BIN --pictures DIR "
        "[--djpeg BIN] [--rounds N]\n");
    std::exit(2);
}

} // namespace

int main(int argc, char** argv)
{
    std::string bare, probe, pictures, djpeg = "/usr/bin/djpeg";
    int rounds = 15;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc)
            usage();
        if (a == "--bare")
            bare = argv[++i];
        else if (a == "--probe")
            probe = argv[++i];
        else if (a == "--pictures")
            pictures = argv[++i];
        else if (a == "--djpeg")
            djpeg = argv[++i];
        else if (a == "--rounds")
            rounds = std::max(1, std::atoi(argv[++i]));
        else
            usage();
    }
    if (bare.empty() || probe.empty() || pictures.empty())
        usage();
    // The programs start in the pictures' folder: name them absolutely.
    for (std::string* p : {&bare, &probe}) {
        char* abs = realpath(p->c_str(), nullptr);
        if (!abs) {
            std::fprintf(stderr, "no program %s\n", p->c_str());
            return 1;
        }
        *p = abs;
        std::free(abs);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    const char* kPictures[] = {"liniowy.jpg", "pulpit.jpg", "blok - zwrot.jpg"};
    for (const char* p : kPictures) {
        const std::string path = pictures + "/" + p;
        if (access(path.c_str(), R_OK) != 0) {
            std::fprintf(stderr, "missing picture %s\n", path.c_str());
            return 1;
        }
    }

    std::vector<double> bareMs, kytMs, djpegMs, barePeak, kytPeak, allPeak;
    // One warm-up round fills the page cache and is not counted.
    for (int r = -1; r < rounds; ++r) {
        Outcome b = run({bare}, pictures, true);
        Outcome k = run({probe}, pictures, true);
        Outcome w = run({probe, "--show-all"}, pictures, true);
        long long dj = 0;
        bool djOk = true;
        for (const char* p : kPictures) {
            Outcome d = run({djpeg, "-outfile", "/dev/null", p}, pictures, true);
            djOk = djOk && d.ok;
            dj += d.wallNs;
        }
        if (!b.ok || !k.ok || !w.ok || !djOk || b.exposedNs <= 0 || k.exposedNs <= 0) {
            std::fprintf(stderr, "round %d failed (bare %d, probe %d, all windows %d, djpeg %d)\n",
                r, b.ok, k.ok, w.ok, djOk);
            return 1;
        }
        if (r < 0)
            continue;
        bareMs.push_back(b.exposedNs / 1e6);
        kytMs.push_back(k.exposedNs / 1e6);
        djpegMs.push_back(dj / 1e6);
        barePeak.push_back(b.peakKb / 1024.0);
        kytPeak.push_back(k.peakKb / 1024.0);
        allPeak.push_back(w.peakKb / 1024.0);
    }

    const double bm = median(bareMs), km = median(kytMs), dm = median(djpegMs);
    const double limit = bm + 1.2 * dm;
    std::printf("rounds: %d (offscreen platform, medians)\n", rounds);
    std::printf("start window exposed:   kyt %.1f ms, bare window %.1f ms, difference %.1f ms\n",
        km, bm, km - bm);
    std::printf("djpeg, three pictures:  %.1f ms (as three processes)\n", dm);
    std::printf("start-up goal: kyt <= bare + 1.2 x djpeg = %.1f ms: %s (ratio of the "
                "difference to djpeg %.2f)\n",
        limit, km <= limit ? "met" : "missed", dm > 0 ? (km - bm) / dm : 0.0);
    const double bp = median(barePeak), kp = median(kytPeak), ap = median(allPeak);
    std::printf("peak resident memory:   bare window %.1f MiB, kyt at start %.1f MiB, kyt with "
                "every window shown %.1f MiB\n",
        bp, kp, ap);
    std::printf("memory goal: at most 40 MiB above the bare window with the ten windows "
                "created: %+.1f MiB, %s (every window shown once: %+.1f MiB)\n",
        kp - bp, kp - bp <= 40.0 ? "met" : "missed", ap - bp);
    return 0;
}
