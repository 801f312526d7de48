// Timing the program from outside: with KYT_EXIT_AFTER set, the process ends
// at a named point of its start-up, so that a launcher can time it and read
// its peak memory without a build of its own.
//
//   first-frame  the start window's first exposure has been painted
//   ready        every window has been created and the event loop is idle
//   simulator    then the simulator window shown, painted, and the loop idle
//
// Header only, so that a bare Qt program can end in the same way.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <unistd.h>
#include <utility>

namespace kyt {

enum class ExitPoint { None, FirstFrame, Ready, Simulator };

// The point named by KYT_EXIT_AFTER; an unknown name ends the program with
// status 2 before anything is timed.
inline ExitPoint exitPointFromEnvironment()
{
    const char* v = std::getenv("KYT_EXIT_AFTER");
    if (!v || !*v)
        return ExitPoint::None;
    if (std::strcmp(v, "first-frame") == 0)
        return ExitPoint::FirstFrame;
    if (std::strcmp(v, "ready") == 0)
        return ExitPoint::Ready;
    if (std::strcmp(v, "simulator") == 0)
        return ExitPoint::Simulator;
    std::fprintf(
        stderr, "KYT_EXIT_AFTER: unknown point \"%s\" (first-frame, ready, simulator)\n", v);
    std::exit(2);
}

// Ends the process at once, status 0: tearing the windows down is not part
// of what is timed.
[[noreturn]] inline void exitNow()
{
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(0);
}

// Calls back once, when the widget's window has handled its first exposure:
// its first frame painted and handed to the platform.
class FirstFrameWatch : public QObject {
public:
    FirstFrameWatch(QWidget* w, std::function<void()> done) : widget_(w), done_(std::move(done))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Expose || !done_ || !o->isWindowType())
            return false;
        auto* window = static_cast<QWindow*>(o);
        if (window != widget_->windowHandle() || !window->isExposed())
            return false;
        QCoreApplication::instance()->removeEventFilter(this);
        static_cast<QObject*>(window)->event(e);
        auto done = std::move(done_);
        done_ = nullptr;
        done();
        return true;
    }

private:
    QWidget* widget_;
    std::function<void()> done_;
};

// Calls back once the event loop is idle: a low-priority event makes rounds
// through the queue until one round has seen no other event delivered (no
// update, paint, deferred call or timer left).
class IdleWatch : public QObject {
public:
    explicit IdleWatch(std::function<void()> done) : done_(std::move(done))
    {
        QCoreApplication::instance()->installEventFilter(this);
        post();
    }
    ~IdleWatch() override
    {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o != this || e->type() != kRound)
            ++others_;
        return false;
    }
    bool event(QEvent* e) override
    {
        if (e->type() != kRound)
            return QObject::event(e);
        if (others_ == 0 && done_) {
            auto done = std::move(done_);
            done_ = nullptr;
            done();
        } else if (done_) {
            post();
        }
        return true;
    }

private:
    static constexpr QEvent::Type kRound = QEvent::Type(QEvent::User + 731);
    void post()
    {
        others_ = 0;
        QCoreApplication::postEvent(this, new QEvent(kRound), Qt::LowEventPriority);
    }

    std::function<void()> done_;
    long others_ = 0;
};

} // namespace kyt
