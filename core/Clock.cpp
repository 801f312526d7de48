#include "Clock.h"

#include "Dispatch.h"
#include "Simulator.h"

#include <stdexcept>

namespace kyt {

const std::array<VirtualClock::TimerSpec, VirtualClock::kTimers>& VirtualClock::timers()
{
    static const std::array<TimerSpec, kTimers> table = {{
        {controlName(Control::Timer1), "Timer1Timer", 500},
        {controlName(Control::Timer2), "Timer2Timer", 1000},
        {controlName(Control::Timer3), "Timer3Timer", 1000},
        {controlName(Control::Timer4), "Timer4Timer", 500},
    }};
    return table;
}

VirtualClock::VirtualClock(Simulator& sim) : sim_(sim)
{
    for (std::size_t i = 0; i < kTimers; ++i)
        if (sim_.desk().timerEnabled(timers()[i].timer))
            state_.due[i] = timers()[i].period;
    observer_ = sim_.desk().addObserver([this](const std::string& control, const std::string&) {
        for (std::size_t i = 0; i < kTimers; ++i)
            if (control == timers()[i].timer)
                timerChanged(i);
    });
}

VirtualClock::~VirtualClock()
{
    sim_.desk().removeObserver(observer_);
}

void VirtualClock::timerChanged(std::size_t index)
{
    // The observer is told only of real changes, so enabled here means
    // enabled from the disabled state.
    if (sim_.desk().timerEnabled(timers()[index].timer))
        state_.due[index] = state_.now + timers()[index].period;
    else
        state_.due[index] = -1;
}

void VirtualClock::tick(std::size_t index)
{
    const std::string_view name = timers()[index].handler;
    if (sink_) {
        sink_(name);
    } else if (const HandlerEntry* handler = findHandler(name)) {
        handler->run(sim_);
    }
}

std::optional<std::int64_t> VirtualClock::nextTick() const
{
    std::optional<std::int64_t> next;
    for (std::int64_t due : state_.due)
        if (due >= 0 && (!next || due < *next))
            next = due;
    return next;
}

void VirtualClock::advance(std::int64_t ms, const ErrorSink& onError)
{
    if (ms < 0)
        throw std::invalid_argument("the clock cannot go back");
    if (ms > INT64_MAX / 4 - state_.now)
        throw std::invalid_argument("clock advance too large");
    const std::int64_t target = state_.now + ms;
    for (;;) {
        // The earliest due tick; the first timer wins a tie.
        std::size_t which = kTimers;
        for (std::size_t i = 0; i < kTimers; ++i)
            if (state_.due[i] >= 0 && state_.due[i] <= target
                && (which == kTimers || state_.due[i] < state_.due[which]))
                which = i;
        if (which == kTimers)
            break;
        state_.now = state_.due[which];
        state_.due[which] += timers()[which].period;
        if (!onError) {
            tick(which);
            continue;
        }
        try {
            tick(which);
        } catch (const std::exception& e) {
            onError(e);
        }
    }
    state_.now = target;
}

} // namespace kyt
