#pragma once
// Plays a script read by script::parse through a trainer, as the simulator
// window plays a saved session: at the pace of the simulation clock, or one
// event at a time on demand.

#include "Script.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

namespace kyt {

class Trainer;

class Player {
public:
    using ErrorSink = std::function<void(const std::exception&)>;

    Player(Trainer& trainer, std::vector<script::Event> events);

    // Moves the playing on by ms of simulation time: the presses due run,
    // the waits use the time up, the clock moves with them.
    void advance(std::int64_t ms, const ErrorSink& onError);
    // Plays the next event whole (a wait runs to its end at once), even
    // while the trainer is paused.
    void step(const ErrorSink& onError);

    bool finished() const { return next_ >= events_.size(); }
    // The number of events played, and of all of them.
    std::size_t played() const { return next_; }
    std::size_t count() const { return events_.size(); }
    // The script line of the next event (0 when finished).
    std::size_t nextLine() const { return finished() ? 0 : events_[next_].line; }

private:
    void runInstant(const script::Event& e, const ErrorSink& onError);
    void wait(std::int64_t ms, const ErrorSink& onError);

    Trainer& trainer_;
    std::vector<script::Event> events_;
    std::size_t next_ = 0;
    std::int64_t waited_ = 0; // of the current wait
};

} // namespace kyt
