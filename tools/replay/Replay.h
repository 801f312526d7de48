#pragma once
// The scenario language of kyt-replay, one event per line:
//   # comment          blank lines and comments are skipped
//   pwbl1Click         runs a handler once, as its click or tick would
//   pdalejClick*3      runs it three times
//   wait 1500          advances the virtual clock, delivering timer ticks
//   state              prints the whole state as one line of JSON
//   journal            prints the trainer's journal as one line of JSON
//   why                prints why the last press did nothing ({"why":null} if it did something)
//   counts sza1=N ...  sets the eight use counts and shows them
// A click on a hidden control is dropped, as the window drops it. An error a
// handler raises prints {"error":"<message>."} and the scenario goes on.

#include "Script.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace kyt {
class Simulator;
class Trainer;
struct Exercise;
} // namespace kyt

namespace kyt::replay {

constexpr int kExitFailure = 1; // input that cannot be read, output that cannot be written
constexpr int kExitUsage = 2; // and a bad exercise file
constexpr int kExitNotPassed = 1; // an exercise not passed
// The limits of the language (see core/Script.h).
using script::kMaxEchoChars;
using script::kMaxLineBytes;
using script::kMaxRepeat;
using script::kMaxWait;

// Runs every event of `in` against `sim`; state and error lines go to `out`.
// Returns 0, or kExitUsage after writing a message that names the line
// number and text (its first 200 characters) of the first line that is no
// event to `err`, or kExitFailure after a message when `in` cannot be read,
// holds a line over 1 MiB or `out` cannot be written.
int run(std::istream& in, std::ostream& out, std::ostream& err, Simulator& sim);
// The same through a trainer of one's own, whose journal outlives the run.
int run(std::istream& in, std::ostream& out, std::ostream& err, Trainer& trainer);

// An exercise attempt (kyt-replay --exercise): FormActivate, the exercise's
// start, then the events of `in` as the trainee's operations (FormActivate
// among them is refused; `hint` prints the current goal's hint and costs its
// points), and the assessment as one line of JSON at the end. Returns 0 when
// the exercise was passed, kExitNotPassed when not, kExitUsage for a bad
// scenario or a start that failed.
int runExercise(std::istream& in, std::ostream& out, std::ostream& err, Trainer& trainer,
    const Exercise& exercise);

// The program: an optional file name argument, else standard input.
int main(int argc, char** argv, std::istream& stdIn, std::ostream& out, std::ostream& err);

} // namespace kyt::replay
