#pragma once
// Exhaustive exploration of the simulation: from the desk right after the
// window's first activation, every click a trainee can make (a click on each
// control that has a handler and is shown) and the passing of time (the
// virtual clock moved on by one step, so that the timers tick in their real
// order) is tried in every state reached, breadth first, until no new state
// appears or a bound is hit.
//
// States are compared on the whole block record, the whole desk and the
// clock's pending ticks, with what can only grow abstracted: the use counts
// (and their displays) are left out, and a narration that grew by appending
// the same text again is cut back to one copy. After every event the checks
// of checkState and checkTransition run; every violation is kept with the
// shortest event sequence that reaches it.
//
// Once the whole space is known, the states from which the basic state of
// the block can no longer be reached (dead ends) are listed, with the
// shortest way into each group of them.

#include "Circuits.h"
#include "Simulator.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kyt::explore {

// The event that moves the clock on; every other event is a click handler.
inline constexpr std::string_view kWait = "wait";

// Cuts a text that ends with the same piece of at least minPiece characters
// twice in a row back to one copy of it, as often as it applies.
std::string collapseRepeatedTail(std::string text, std::size_t minPiece = 40);

// Encodes a state as a compact key and back. Texts and colours are kept in
// tables of this codec; the counts and the counter displays are not encoded
// (decoded as 0); the clock keeps only how far each pending tick lies ahead.
class StateCodec {
public:
    // The controls named in ignored are left out of the key and decoded as
    // the prototype holds them.
    explicit StateCodec(const Simulator& prototype, const std::vector<std::string>& ignored = {});
    std::string encode(const Simulator::Snapshot& s);
    Simulator::Snapshot decode(std::string_view key) const;
    std::size_t textCount() const { return texts_.size(); }

private:
    std::uint32_t intern(const std::string& text);
    std::vector<ControlKind> kinds_;
    std::vector<char> ignored_;
    DeskValues base_;
    std::vector<std::string> texts_;
    std::unordered_map<std::string, std::uint32_t> textIds_;
};

// Positions of the desk's controls in a snapshot's desk values.
class DeskIndex {
public:
    explicit DeskIndex(const DeskModel& desk);
    std::size_t operator[](Control control) const;
    const ControlValues& of(const Simulator::Snapshot& s, Control control) const
    {
        return s.desk[(*this)[control]];
    }

private:
    std::unordered_map<std::string, std::size_t> index_;
};

// The basic state of the block: the ten block relays of both stations off
// but Dp, no release running, no "DALEJ" step pending, the four arrows dark.
bool isBasic(const Simulator::Snapshot& s, const DeskIndex& desk);

// A guided search for a way back to the basic state from one state, over
// every click, one clock step, and "settle" (the clock run on until no timer
// runs), nearest-looking states first, visiting at most limit states.
struct WayBack {
    bool found = false;
    bool exhausted = false; // every state reachable was visited
    std::size_t searched = 0;
    std::vector<std::string> path; // the way back, when found
};
WayBack findWayBack(const Simulator::Snapshot& start, std::size_t limit, std::int64_t stepMs = 500);

// Checks of one state; each returns a sentence per broken rule.
std::vector<std::string> checkState(const Simulator::Snapshot& s, const DeskIndex& desk);

// Checks of one event: the states before and after it and the number of
// desk changes the observers were told of while it ran.
std::vector<std::string> checkTransition(std::string_view event, const Simulator::Snapshot& before,
    const Simulator::Snapshot& after, std::size_t notifications, const DeskIndex& desk);

struct Options {
    std::size_t maxStates = 0; // 0: no bound
    std::int64_t stepMs = 500; // one "wait" event
    std::size_t maxViolations = 50;
    // Desk controls whose values are only shown and never read back, left
    // out of the states (e.g. the narration and the mishap panel).
    std::vector<std::string> displayOnly;
    // Called every progressEvery expanded states, if set.
    std::function<void(std::size_t expanded, std::size_t known)> progress;
    std::size_t progressEvery = 100000;
    // When the space is not complete: how many states a search for a way back
    // may visit from each of the first `representatives` states of a group
    // (0: no search, no dead-end groups reported).
    std::size_t searchStates = 60000;
    std::size_t representatives = 1;
    // Check the schematic sheets against the states and clicks explored
    // (see CircuitCheck.h); the sheets checked are these when given, else
    // the program's own.
    bool checkCircuits = false;
    const std::vector<circuits::LadderSheet>* circuitSheets = nullptr;
    // How many of the explored states to pick at random (seeded, the same
    // picks on every machine for one seed and bound), each kept with its
    // shortest event sequence from the start.
    std::size_t sampleCount = 0;
    std::uint64_t sampleSeed = 1;
};

// A state picked from the exploration and the shortest way to it: the
// events from the start, FormActivate first, in the replay language.
struct Sample {
    std::size_t id = 0; // in breadth-first order
    std::vector<std::string> path;
    Simulator::Snapshot state; // as the exploration compares states
};

// A rung of a sheet that disagrees with the simulation, with the first
// state (in breadth-first order) where it does.
struct CircuitFailure {
    std::string rung;
    std::string what;
    std::vector<std::string> path;
    std::size_t count = 0; // states and clicks where it disagrees
};

struct Violation {
    std::string rule; // what broke
    std::vector<std::string> path; // events from the start, the last one broke it
};

// States from which the basic state was not reached, grouped by the block's
// relays and release flags, the "DALEJ" phase and the Pwl and Ko lamps.
struct DeadEndGroup {
    std::string signature; // what the states of the group share
    std::size_t states = 0; // such states among those explored
    std::vector<std::string> path; // shortest way into the group
    // A search from the group's first states for a way back: the states it
    // visited, and whether it saw every state reachable from them (then the
    // group is a proven dead end; otherwise none was found within the bound).
    std::size_t searched = 0;
    bool proven = false;
};

struct Result {
    bool complete = false; // no new state was left unexplored
    std::size_t states = 0;
    std::size_t transitions = 0; // events tried, refused clicks included
    std::size_t changing = 0; // of which led to another state
    std::size_t depth = 0; // longest shortest path, in events
    std::size_t basicStates = 0;
    std::size_t texts = 0; // distinct narration texts and captions
    std::vector<std::string> events; // the events tried in every state
    std::vector<Violation> violations;
    std::size_t violationCount = 0; // all of them, also those not kept
    // Explored states with no way back to the basic state inside the
    // explored graph (all of them are dead ends when it is complete).
    std::size_t stuckStates = 0;
    std::size_t stuckGroups = 0;
    // The groups for which no way back was found at all.
    std::vector<DeadEndGroup> deadEnds;
    // The check of the sheets, when asked for.
    std::size_t circuitRungs = 0; // rungs checked, one per station
    std::size_t stableStates = 0; // stable states checked
    std::size_t operations = 0; // clicks that changed the block record
    std::vector<CircuitFailure> circuitFailures; // one per rung
    std::vector<Sample> samples; // in breadth-first order
};

Result run(const Options& options);

// Picks count distinct numbers below n (all of them when count >= n) from
// a seeded generator, in increasing order.
std::vector<std::size_t> pickSample(std::size_t n, std::size_t count, std::uint64_t seed);

// Writes an event sequence compactly: repeated events as "NAME*N".
std::string formatPath(const std::vector<std::string>& path);

} // namespace kyt::explore
