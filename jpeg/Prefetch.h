// Prefetch: work started early on a thread of its own, keyed by name, and
// taken once by whoever needs its result.
#pragma once

#include <QString>

#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace kyt {

template <typename T>
class Prefetch {
public:
    // Starts work() for the name unless work for it is already waiting.
    template <typename Work>
    void start(const QString& name, Work&& work)
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!pending_.count(name))
            pending_.emplace(
                name, std::async(std::launch::async, [work = std::forward<Work>(work)]() mutable {
                    yieldToTheGuiThread();
                    return work();
                }));
    }

    // The result for the name, waiting for it if need be; nothing when no
    // work was started for it or its result was already taken.
    std::optional<T> take(const QString& name)
    {
        std::future<T> result;
        {
            std::lock_guard<std::mutex> guard(lock_);
            const auto it = pending_.find(name);
            if (it == pending_.end())
                return std::nullopt;
            result = std::move(it->second);
            pending_.erase(it);
        }
        return result.get();
    }

private:
    // The work runs at a lower priority than the thread that builds and
    // shows the windows: on a machine with few cores it fills the time the
    // windows leave free instead of taking turns with them. (On Linux the
    // nice value belongs to the thread.)
    static void yieldToTheGuiThread()
    {
#ifdef Q_OS_LINUX
        setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), 5);
#endif
    }

    std::mutex lock_;
    std::map<QString, std::future<T>> pending_;
};

} // namespace kyt
