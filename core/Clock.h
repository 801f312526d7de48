#pragma once
// A virtual clock for the desk's four timers. It follows the timers'
// Enabled property in the desk model: a timer enabled from the disabled state
// at moment t ticks at t + period, t + 2 period, ... until it is disabled.
// Advancing the clock delivers the due ticks in time order, ticks of the
// same moment in the order Timer1, Timer2, Timer3, Timer4, each by calling
// the timer's handler (Timer1Timer, ...) through the handler table.

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string_view>

namespace kyt {

class Simulator;

class VirtualClock {
public:
    struct TimerSpec {
        std::string_view timer; // desk-model timer name
        std::string_view handler; // tick handler name
        std::int64_t period; // milliseconds
    };
    static constexpr std::size_t kTimers = 4;
    static const std::array<TimerSpec, kTimers>& timers();

    // Where the clock stands: the current moment and, per timer, the moment
    // of its next tick (-1 while it is disabled).
    struct State {
        std::int64_t now = 0;
        std::array<std::int64_t, kTimers> due {-1, -1, -1, -1};
        friend bool operator==(const State&, const State&) = default;
    };

    // The clock follows the simulator's desk from now on.
    explicit VirtualClock(Simulator& sim);
    ~VirtualClock();
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    std::int64_t now() const { return state_.now; }
    // The moment of the next tick of any timer, if one is enabled.
    std::optional<std::int64_t> nextTick() const;

    // Moves the clock on by ms milliseconds (ms >= 0), delivering every tick
    // due up to and including the new moment. An exception a tick handler
    // raises goes to onError and the clock goes on, as the program goes on
    // after its error box; without onError it propagates and the clock
    // stays at the moment of that tick.
    using ErrorSink = std::function<void(const std::exception&)>;
    void advance(std::int64_t ms, const ErrorSink& onError = {});

    // Where ticks go: by default to the timer's handler in the handler
    // table (a timer whose handler is not in the table ticks unheard). A
    // sink of one's own sees every tick instead, by handler name.
    using TickSink = std::function<void(std::string_view handler)>;
    void setTickSink(TickSink sink) { sink_ = std::move(sink); }
    const TickSink& tickSink() const { return sink_; }

    const State& state() const { return state_; }
    // Puts the clock back to a saved state (the desk's timers should hold the
    // matching Enabled values, as a restored snapshot does).
    void restore(const State& state) { state_ = state; }

private:
    void timerChanged(std::size_t index);
    void tick(std::size_t index);

    Simulator& sim_;
    State state_;
    int observer_ = 0;
    TickSink sink_;
};

} // namespace kyt
