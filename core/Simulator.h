#pragma once
// The simulator: the block state, the desk model and the virtual clock of
// one simulator window. Every handler gets it.

#include "BlockState.h"
#include "Clock.h"
#include "DeskModel.h"
#include "Guard.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kyt {

class CounterStore;

class Simulator {
public:
    // The state as the window is created, before its first activation.
    Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    BlockState& state() { return state_; }
    const BlockState& state() const { return state_; }
    DeskModel& desk() { return desk_; }
    const DeskModel& desk() const { return desk_; }
    VirtualClock& clock() { return clock_; }
    const VirtualClock& clock() const { return clock_; }

    // Whether the window has had its first activation.
    bool activated() const { return activated_; }
    void setActivated() { activated_ = true; }

    // The user's store of the button counts; none stores nothing.
    CounterStore* counterStore() const { return counterStore_; }
    void setCounterStore(CounterStore* store) { counterStore_ = store; }
    // The eight counts (in load order) as this window last loaded them from
    // the store or saved them to it: what they have grown by since is this
    // session's uses, which the next save adds to the store.
    std::array<std::int32_t, 8>& storedCounts() { return storedCounts_; }

    // Why the handler that runs now would leave everything as it was; the
    // trainer clears it before each operation (see Guard.h).
    Refusals& refusals() { return refusals_; }
    const Refusals& refusals() const { return refusals_; }

    // Runs a handler by name, as a direct call (a hidden control's click
    // runs too). Throws std::invalid_argument for a name not in the table;
    // whatever the handler raises passes through.
    void call(std::string_view handler);

    // Whether the window would deliver this handler's click now: its
    // control, if it can be hidden, is visible. Throws for an unknown name.
    bool accepts(std::string_view handler) const;

    // Delivers a click as the window would: dropped (false) while the
    // control is hidden, else the handler runs (true).
    bool click(std::string_view handler);

    // Everything the simulation holds, to compare or to go back to.
    struct Snapshot {
        BlockState state;
        DeskValues desk;
        VirtualClock::State clock;
        bool activated = false;
        friend bool operator==(const Snapshot&, const Snapshot&) = default;
    };
    Snapshot snapshot() const;
    void restore(const Snapshot& snapshot);

private:
    BlockState state_;
    DeskModel desk_;
    VirtualClock clock_ {*this};
    bool activated_ = false;
    CounterStore* counterStore_ = nullptr;
    Refusals refusals_;
    std::array<std::int32_t, 8> storedCounts_ {};
};

} // namespace kyt
