#pragma once
// The trainer's layer over a simulator: every trainee operation and every
// timer tick goes through it, so that it can say why a press was refused,
// keep the journal and the session record, and pause the simulation.
// The replay tool and the window both drive the simulation through it, in
// the same order, so that a session saved from the window replays exactly.

#include "Journal.h"

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kyt {

class Simulator;

// The reason given for every press while the simulation is paused.
inline constexpr std::string_view kPausedReason = "Symulacja wstrzymana.";

// One operation as the session record keeps it, to save and play it again.
struct RecordedEvent {
    std::int64_t time = 0;
    std::string_view handler; // as the handler table names it (lives as long as the program)
    friend bool operator==(const RecordedEvent&, const RecordedEvent&) = default;
};

// The eight use counts, in the order of the `counts` script line.
using CountValues = std::array<std::int32_t, 8>;

class Trainer {
public:
    explicit Trainer(Simulator& sim, std::size_t journalCapacity = Journal::kDefaultCapacity);
    ~Trainer();
    Trainer(const Trainer&) = delete;
    Trainer& operator=(const Trainer&) = delete;

    Simulator& simulator() { return sim_; }
    const Journal& journal() const { return journal_; }
    void clearJournal() { journal_.clear(); }
    void setJournalCapacity(std::size_t capacity) { journal_.setCapacity(capacity); }

    // What became of one press.
    struct Outcome {
        bool delivered = false; // false: the control is hidden, nothing ran
        OperationResult result = OperationResult::Done;
        std::string reason;
    };
    // A trainee's press of the control whose click runs this handler, as
    // the window delivers it. An error the handler raises is journalled and
    // rethrown (the window reports it, the replay tool prints it).
    // Throws std::invalid_argument for a name that is no handler.
    Outcome press(std::string_view handler);

    // The reason of the last delivered press if it was refused, else empty.
    const std::string& lastRefusal() const { return lastRefusal_; }

    // Moves the simulation clock on, delivering and journalling the ticks;
    // nothing moves while paused. Errors go to onError as with the clock.
    void advance(std::int64_t ms, const std::function<void(const std::exception&)>& onError = {});

    bool paused() const { return paused_; }
    void setPaused(bool paused) { paused_ = paused; }

    // Sets the eight use counts and shows them on the desk's counters.
    void setCounts(const CountValues& counts);
    CountValues counts() const;

    // The session from its start: the counts it started with and every
    // delivered press with its time. Kept whole, whatever the journal drops.
    const CountValues& sessionCounts() const { return sessionCounts_; }
    const std::vector<RecordedEvent>& sessionEvents() const { return events_; }
    // Starts a new session record with the counts as they are now.
    void startSession();
    // The session as a replay script: `FormActivate`, a `counts` line, then
    // the presses with `wait` lines at their times, and a last `wait` up to
    // the clock's present moment.
    std::string sessionScript() const;

    // The session record and the journal as they are, to put back after
    // something else (a saved session played in the window) used them.
    struct Record {
        CountValues counts {};
        std::vector<RecordedEvent> events;
        Journal journal;
        std::string lastRefusal;
    };
    Record record() const { return {sessionCounts_, events_, journal_, lastRefusal_}; }
    void restoreRecord(Record record);

private:
    void tick(std::string_view handler);

    Simulator& sim_;
    std::function<void(std::string_view)> previousSink_;
    Journal journal_;
    bool paused_ = false;
    std::string lastRefusal_;
    CountValues sessionCounts_ {};
    std::vector<RecordedEvent> events_;

    // Desk changes seen since the last mark.
    int observer_ = 0;
    std::uint64_t deskChanges_ = 0;
    bool mishapShown_ = false;
    bool narrationChanged_ = false;
};

} // namespace kyt
