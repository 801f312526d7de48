#pragma once
// One attempt at an exercise: the trainee's operations go through it, and
// after every operation and every timer tick it looks at the block and the
// desk to see which goal has been reached, and what was a mistake. It
// assesses the state only, never the clicks that led to it: any sequence the
// block allows reaches a goal.
//
// The attempt lives inside the trainer it is given, and sees the ticks by
// passing them on from the clock: create it after the trainer and destroy
// it first.

#include "Clock.h"
#include "Exercise.h"
#include "Trainer.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyt {

enum class MistakeKind { Refused, Undo, Emergency, Mishap, Time };
std::string_view mistakeKindName(MistakeKind kind);

struct Mistake {
    std::int64_t time = 0; // ms from the start of the attempt
    std::string handler; // empty for the time limit
    MistakeKind kind = MistakeKind::Refused;
    std::string reason;
};

struct GoalProgress {
    bool reached = false;
    std::optional<std::int64_t> time; // ms from the start of the attempt
};

class Attempt {
public:
    Attempt(Trainer& trainer, const Exercise& exercise);
    ~Attempt();
    Attempt(const Attempt&) = delete;
    Attempt& operator=(const Attempt&) = delete;

    // Runs the exercise's start on the simulation as it stands (just after
    // the window's activation) and begins the attempt: its times count from
    // here and its uses of the emergency buttons from zero. The start's own
    // uses do not count on the user's counters. An error a start handler
    // raises propagates.
    void begin();

    // A trainee's press, assessed. Presses after the end are passed on
    // unassessed.
    Trainer::Outcome press(std::string_view handler);
    // Moves the clock on, assessing every tick and the time limit.
    void advance(std::int64_t ms, const std::function<void(const std::exception&)>& onError = {});
    // Checks the time limit against the clock; the window calls it as its
    // clock moves.
    void checkTime();

    // The hint of the current goal; it costs its points once per goal.
    std::string takeHint();
    // Ends the attempt as it stands ("Zakończ").
    void finish();

    const Exercise& exercise() const { return exercise_; }
    bool begun() const { return begun_; }
    bool finished() const { return finished_; }
    bool passed() const;
    int score() const;
    // The first goal not reached yet, or goals().size() when all are.
    std::size_t currentGoal() const { return current_; }
    const std::vector<GoalProgress>& goals() const { return progress_; }
    const std::vector<Mistake>& mistakes() const { return mistakes_; }
    int hints() const { return hints_; }
    const UseCounts& uses() const { return uses_; }
    // ms since the start of the attempt, up to its end.
    std::int64_t elapsed() const;

    // The result as one line of JSON (see docs/exercises.md).
    std::string resultJson() const;

    // Called after every change of the assessment (goal, mistake, end).
    void setOnChange(std::function<void()> f) { onChange_ = std::move(f); }

private:
    void assess(const std::string* handler);
    void addMistake(std::int64_t t, std::string handler, MistakeKind kind, std::string reason);
    void end();
    std::int64_t now() const;
    UseCounts countsNow() const;

    Trainer& trainer_;
    Exercise exercise_;
    VirtualClock::TickSink previousSink_;
    bool begun_ = false;
    bool finished_ = false;
    std::int64_t startTime_ = 0;
    std::optional<std::int64_t> endTime_;
    UseCounts baseline_ {};
    UseCounts uses_ {};
    std::size_t current_ = 0;
    std::vector<GoalProgress> progress_;
    std::vector<Mistake> mistakes_;
    int hints_ = 0;
    std::vector<bool> hintTaken_;
    std::function<void()> onChange_;
};

} // namespace kyt
