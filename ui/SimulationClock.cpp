#include "SimulationClock.h"

#include <algorithm>

namespace kyt {

namespace {

SimulationClock::TimeSource& defaultSource()
{
    static SimulationClock::TimeSource source;
    return source;
}

} // namespace

void SimulationClock::setDefaultTimeSource(TimeSource source)
{
    defaultSource() = std::move(source);
}

SimulationClock::SimulationClock(QObject* parent) : QObject(parent)
{
    timer_.setObjectName(QStringLiteral("simulationClock"));
    timer_.setInterval(kWakeMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SimulationClock::tick);
    elapsed_.start();
    source_
        = defaultSource() ? defaultSource() : [this] { return std::int64_t(elapsed_.elapsed()); };
    last_ = source_();
}

void SimulationClock::setTimeSource(TimeSource source)
{
    source_ = std::move(source);
    last_ = source_();
}

void SimulationClock::start()
{
    last_ = source_();
    timer_.start();
}

void SimulationClock::stop()
{
    tick();
    timer_.stop();
}

void SimulationClock::tick()
{
    const std::int64_t now = source_();
    const std::int64_t gone = now - last_;
    last_ = now;
    if (paused_ || gone <= 0 || !sink_)
        return;
    sink_(gone * speed_);
}

void SimulationClock::setPaused(bool paused)
{
    if (paused == paused_)
        return;
    // The time up to the pause still counts; the pause itself does not.
    tick();
    paused_ = paused;
    emit pausedChanged(paused_);
}

void SimulationClock::setSpeed(int speed)
{
    if (std::find(std::begin(kSpeeds), std::end(kSpeeds), speed) == std::end(kSpeeds)
        || speed == speed_)
        return;
    // The time before the change goes at the old speed.
    tick();
    speed_ = speed;
    emit speedChanged(speed_);
}

} // namespace kyt
