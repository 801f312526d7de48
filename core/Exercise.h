#pragma once
// Guided exercises as data. An exercise is a JSON file (see
// docs/exercises.md): a task in Polish, an optional starting situation
// written as scenario events, an ordered list of goals, each a condition on
// the block state and the desk named as in the `state` listing, and the
// scoring rules. Files are checked whole when they are read: a file that is
// no valid exercise is refused with the place and what is wrong, and the
// others still load.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kyt {

class Simulator;

// A condition on the simulation. A leaf compares one value:
//   block.<variable>            a variable of the block state
//   desk.<control>.<property>   a property of a desk control
//   uses.<count>                uses of an emergency button during the attempt
// with an expected value (equality) or, for numbers, a range {"min":..,"max":..}.
// "all", "any" and "not" combine conditions.
struct Condition {
    enum class Kind { All, Any, Not, Leaf };
    Kind kind = Kind::All;
    std::vector<Condition> children; // All, Any, Not (one child)

    // Leaf.
    std::string path; // as written, for messages
    enum class Source { Block, Desk, Uses };
    Source source = Source::Block;
    std::string control; // Desk
    std::string name; // block variable, desk property or count name
    using Value = std::variant<bool, std::int64_t, std::string>;
    std::optional<Value> equals;
    std::optional<std::int64_t> min, max;
};

// The uses of the eight emergency buttons, in the order of the `counts`
// line (sza1, sza2, szb1, szb2, dkoa, dkob, dpoa, dpob).
using UseCounts = std::array<std::int32_t, 8>;

// Whether the condition holds for the simulation as it stands, with the
// uses of the emergency buttons counted so far.
bool holds(const Condition& condition, const Simulator& sim, const UseCounts& uses);

struct Goal {
    std::string text; // what to reach, in Polish
    Condition condition;
    std::string hint;
    // While this goal is the last one reached, a press after which this
    // condition holds has undone it: a mistake, and the goal is to be
    // reached again.
    std::optional<Condition> undone;
};

// What a mistake costs, by kind.
struct Penalties {
    int refused = 0; // a press the block refused
    int undo = 0; // a press that undid a reached goal
    int emergency = 0; // an emergency button the exercise does not allow
    int mishap = 0; // a press that brought up the mishap panel
    int time = 0; // the time limit passed
    int hint = 0; // each hint taken
};

struct Exercise {
    std::string file; // where it was read from
    std::string id;
    std::string title;
    std::string task;
    int difficulty = 1; // 1 easy, 2 medium, 3 hard
    std::vector<std::string> start; // scenario event lines
    std::vector<Goal> goals;
    std::optional<std::int64_t> timeLimit; // ms of simulation time
    std::vector<std::string> emergencyAllowed; // count names
    Penalties penalties;
};

// The name of a difficulty as the trainee reads it: "łatwe", "średnie", "trudne".
std::string_view difficultyName(int difficulty);

// The emergency buttons by count name, in the order of UseCounts.
const std::array<std::string_view, 8>& useNames();

// A file that is no valid exercise: the message names the file, the place
// in it (a JSON pointer, or the line and column of a syntax error) and what
// is wrong.
class ExerciseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads one exercise from JSON text; `file` names it in messages.
Exercise parseExercise(std::string_view text, const std::string& file);
// Reads one exercise file.
Exercise loadExercise(const std::filesystem::path& file);

// Every *.json file of a folder, by file name; the files that could not be
// read are left out and their messages returned.
struct ExerciseSet {
    std::vector<Exercise> exercises;
    std::vector<std::string> errors;
};
ExerciseSet loadExerciseFolder(const std::filesystem::path& folder);

} // namespace kyt
