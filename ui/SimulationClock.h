// SimulationClock: the one clock of the simulator window. A single toolkit
// timer wakes it every few milliseconds; it measures the wall time gone by
// since it last woke, multiplies it by the speed and hands that much
// simulation time on, so that the desk's four timers tick in the order the
// virtual clock gives them and the replay tool reproduces.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

namespace kyt {

class SimulationClock : public QObject {
    Q_OBJECT
public:
    // How often it wakes.
    static constexpr int kWakeMs = 10;
    // The speeds offered.
    static constexpr int kSpeeds[] = {1, 2, 4, 8};

    explicit SimulationClock(QObject* parent = nullptr);

    // Where the wall time comes from: milliseconds from any fixed moment,
    // never going back (an elapsed timer by default; tests give their own).
    using TimeSource = std::function<std::int64_t()>;
    void setTimeSource(TimeSource source);
    // The source clocks made from now on start with (empty: an elapsed
    // timer), so that a whole program under test reads one fake time.
    static void setDefaultTimeSource(TimeSource source);
    // Receives the simulation time that passed, in milliseconds.
    using Sink = std::function<void(std::int64_t ms)>;
    void setSink(Sink sink) { sink_ = std::move(sink); }

    void start();
    void stop();
    QTimer* timer() { return &timer_; }

    // The timer's handler: hands on the time gone by since the last call.
    void tick();

    bool paused() const { return paused_; }
    void setPaused(bool paused);
    int speed() const { return speed_; }
    void setSpeed(int speed);

signals:
    void pausedChanged(bool paused);
    void speedChanged(int speed);

private:
    QTimer timer_;
    QElapsedTimer elapsed_;
    TimeSource source_;
    Sink sink_;
    std::int64_t last_ = 0;
    bool paused_ = false;
    int speed_ = 1;
};

} // namespace kyt
