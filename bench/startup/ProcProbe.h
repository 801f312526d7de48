// Shared pieces of the start-up and memory probes: the moment a window is
// first exposed, the time since the launcher started the process, and the
// process's resident memory, reported on one line of standard output.
#pragma once

#include <QEvent>
#include <QObject>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <unistd.h>

namespace kytbench {

inline long long nowNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// The launcher passes the monotonic time at which it started the process;
// without it the probe measures from its own main().
inline long long launchNs(long long fallback)
{
    const char* t0 = std::getenv("KYT_BENCH_T0");
    return t0 && *t0 ? std::atoll(t0) : fallback;
}

// A field of /proc/self/status in KiB (VmHWM: peak resident set, VmRSS: now).
inline long statusKb(const char* field)
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long kb = -1;
    const size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, field, n) == 0 && line[n] == ':') {
            kb = std::atol(line + n + 1);
            break;
        }
    }
    std::fclose(f);
    return kb;
}

// Prints "exposed_ns=<since launch> peak_kb=<VmHWM> rss_kb=<VmRSS>" and ends
// the process at once: tearing down the windows is not part of start-up.
[[noreturn]] inline void reportAndExit(long long t0)
{
    const long long dt = nowNs() - t0;
    std::printf(
        "exposed_ns=%lld peak_kb=%ld rss_kb=%ld\n", dt, statusKb("VmHWM"), statusKb("VmRSS"));
    std::fflush(stdout);
    _exit(0);
}

// Calls back once, when the watched window is first exposed (the platform
// has given it a surface and asked for its first paint).
class ExposeWatch : public QObject {
public:
    ExposeWatch(QWindow* w, std::function<void()> done) : window_(w), done_(std::move(done))
    {
        window_->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == window_ && e->type() == QEvent::Expose && window_->isExposed() && done_) {
            auto done = std::move(done_);
            done_ = nullptr;
            done();
        }
        return false;
    }

private:
    QWindow* window_;
    std::function<void()> done_;
};

} // namespace kytbench
