// Whole-process start-up and memory figures of the program beside a bare Qt
// Widgets window, in one invocation:
//
//   kyt-bench-startup --kyt BIN --bare BIN --pictures DIR [--rounds N]
//                     [--djpeg BIN] [--platform NAME]
//
// Every round starts, in turn, the bare window and the program itself, each
// ended by KYT_EXIT_AFTER (first-frame, ready; the program also with the
// simulator window shown), and djpeg on each of the three pictures that
// start-up decodes. A figure is the time from the spawn of a process to its
// end, taken by this launcher, and the peak resident memory the kernel
// reports for it. The medians of the rounds are compared with the goals:
//   first frame  kyt <= bare window + 1.2 x djpeg on the three pictures
//   ready        kyt (every window created, loop idle) <= 2.5 x bare window
//   memory       kyt with the simulator window shown <= bare window + 40 MiB
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
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
    long long wallNs = 0; // from the spawn to the end, as seen by the launcher
    long peakKb = 0; // the kernel's figure for the ended process
};

// Starts argv in folder cwd with KYT_EXIT_AFTER=exitAfter (unset when
// empty) and waits for its end.
Outcome run(const std::vector<std::string>& args, const std::string& cwd, const char* exitAfter)
{
    Outcome out;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    if (!cwd.empty())
        posix_spawn_file_actions_addchdir_np(&fa, cwd.c_str());
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (std::string& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    if (exitAfter && *exitAfter)
        setenv("KYT_EXIT_AFTER", exitAfter, 1);
    else
        unsetenv("KYT_EXIT_AFTER");
    const long long t0 = nowNs();
    pid_t pid = 0;
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK);
    const int rc = posix_spawn(&pid, argv[0], &fa, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&fa);
    if (rc != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(rc));
        return out;
    }
    // A process that has not ended within the time allowed is ended and
    // counts as failed, so that a stuck start cannot hang the report.
    constexpr long long kAllowedNs = 30LL * 1000000000LL;
    int status = 0;
    rusage usage {};
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return out;
        if (nowNs() - t0 > kAllowedNs) {
            std::fprintf(stderr, "%s did not end within 30 s\n", argv[0]);
            kill(pid, SIGKILL);
            while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) { }
            return out;
        }
        // Sleeps until a child ends (SIGCHLD is blocked, see main) or a
        // little while has passed.
        sigset_t chld;
        sigemptyset(&chld);
        sigaddset(&chld, SIGCHLD);
        const timespec wait {0, 100000000};
        sigtimedwait(&chld, nullptr, &wait);
    }
    out.wallNs = nowNs() - t0;
    out.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    out.peakKb = usage.ru_maxrss;
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
        "usage: kyt-bench-startup --kyt BIN --bare BIN --pictures DIR [--rounds N] "
        "[--djpeg BIN] [--platform NAME]\n");
    std::exit(2);
}

} // namespace

int main(int argc, char** argv)
{
    std::string bare, kyt, pictures, djpeg = "/usr/bin/djpeg", platform = "offscreen";
    int rounds = 15;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc)
            usage();
        if (a == "--bare")
            bare = argv[++i];
        else if (a == "--kyt")
            kyt = argv[++i];
        else if (a == "--pictures")
            pictures = argv[++i];
        else if (a == "--djpeg")
            djpeg = argv[++i];
        else if (a == "--rounds")
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (a == "--platform")
            platform = argv[++i];
        else
            usage();
    }
    if (bare.empty() || kyt.empty() || pictures.empty())
        usage();
    // The programs start in the pictures' folder: name them absolutely.
    for (std::string* p : {&bare, &kyt}) {
        char* abs = realpath(p->c_str(), nullptr);
        if (!abs) {
            std::fprintf(stderr, "no program %s\n", p->c_str());
            return 1;
        }
        *p = abs;
        std::free(abs);
    }
    setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    // A child's end is waited for with sigtimedwait(); the children start
    // with the signal unblocked again.
    sigset_t chld;
    sigemptyset(&chld);
    sigaddset(&chld, SIGCHLD);
    sigprocmask(SIG_BLOCK, &chld, nullptr);

    const char* kPictures[] = {"liniowy.jpg", "pulpit.jpg", "blok - zwrot.jpg"};
    for (const char* p : kPictures) {
        const std::string path = pictures + "/" + p;
        if (access(path.c_str(), R_OK) != 0) {
            std::fprintf(stderr, "missing picture %s\n", path.c_str());
            return 1;
        }
    }

    std::vector<double> bareMs, bareReadyMs, kytMs, readyMs, simMs, djpegMs, barePeak, kytPeak,
        simPeak;
    // One warm-up round fills the page cache and is not counted.
    for (int r = -1; r < rounds; ++r) {
        const Outcome b = run({bare}, pictures, "first-frame");
        const Outcome k = run({kyt}, pictures, "first-frame");
        const Outcome br = run({bare}, pictures, "ready");
        const Outcome kr = run({kyt}, pictures, "ready");
        const Outcome ks = run({kyt}, pictures, "simulator");
        long long dj = 0;
        bool djOk = true;
        for (const char* p : kPictures) {
            const Outcome d = run({djpeg, "-outfile", "/dev/null", p}, pictures, nullptr);
            djOk = djOk && d.ok;
            dj += d.wallNs;
        }
        if (!b.ok || !k.ok || !br.ok || !kr.ok || !ks.ok || !djOk) {
            std::fprintf(stderr,
                "round %d failed (bare %d, kyt %d, bare ready %d, kyt ready %d, kyt with the "
                "simulator %d, djpeg %d)\n",
                r, b.ok, k.ok, br.ok, kr.ok, ks.ok, djOk);
            return 1;
        }
        if (r < 0)
            continue;
        bareMs.push_back(b.wallNs / 1e6);
        kytMs.push_back(k.wallNs / 1e6);
        bareReadyMs.push_back(br.wallNs / 1e6);
        readyMs.push_back(kr.wallNs / 1e6);
        simMs.push_back(ks.wallNs / 1e6);
        djpegMs.push_back(dj / 1e6);
        barePeak.push_back(b.peakKb / 1024.0);
        kytPeak.push_back(kr.peakKb / 1024.0);
        simPeak.push_back(ks.peakKb / 1024.0);
    }

    const double bm = median(bareMs), km = median(kytMs), dm = median(djpegMs);
    const double brm = median(bareReadyMs), krm = median(readyMs), sm = median(simMs);
    const double limit = bm + 1.2 * dm;
    std::printf("rounds: %d, interleaved (%s platform, medians; spawn to end of process)\n", rounds,
        platform.c_str());
    std::printf(
        "first frame:   kyt %.1f ms, bare window %.1f ms, difference %.1f ms\n", km, bm, km - bm);
    std::printf("djpeg, three pictures: %.1f ms (three processes)\n", dm);
    std::printf("goal A, first frame: kyt <= bare + 1.2 x djpeg = %.1f ms: %s (difference / "
                "djpeg = %.2f)\n",
        limit, km <= limit ? "met" : "missed", dm > 0 ? (km - bm) / dm : 0.0);
    std::printf("ready (ten windows, loop idle): kyt %.1f ms, bare window %.1f ms\n", krm, brm);
    std::printf("goal B, ready: kyt <= 2.5 x bare first frame = %.1f ms: %s (ratio %.2f)\n",
        2.5 * bm, krm <= 2.5 * bm ? "met" : "missed", bm > 0 ? krm / bm : 0.0);
    std::printf("simulator window shown and idle: %.1f ms\n", sm);
    const double bp = median(barePeak), kp = median(kytPeak), sp = median(simPeak);
    std::printf("peak resident memory: bare window %.1f MiB, kyt ready %.1f MiB, kyt with the "
                "simulator shown %.1f MiB\n",
        bp, kp, sp);
    std::printf("memory goal: simulator shown <= bare + 40 MiB: %+.1f MiB, %s\n", sp - bp,
        sp - bp <= 40.0 ? "met" : "missed");
    return 0;
}
