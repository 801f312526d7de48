#pragma once
// The scenario language of kyt-replay, read line by line (see
// tools/replay/Replay.h for its lines). The replay tool runs each line as it
// reads it; the simulator window reads a whole script first and plays it only
// when every line is an event.

#include "ScriptLine.h"
#include "Trainer.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyt::script {

constexpr std::size_t kMaxLineBytes = 1 << 20; // a longer line is refused
constexpr std::size_t kMaxEchoChars = 200; // of a bad line in its message

struct Event {
    enum class Kind { Press, Wait, State, Journal, Why, Counts };
    Kind kind = Kind::Press;
    std::size_t line = 0; // its line number, from 1
    std::string handler; // Press
    std::int64_t times = 1; // Press: how many presses
    std::int64_t ms = 0; // Wait
    CountValues counts {}; // Counts
};

// One line, without its end and already trimmed or not. Returns the event,
// or nothing for a blank line or a comment; `why` gets the reason when the
// line is no event (and nothing is returned).
std::optional<Event> parseLine(std::string_view line, std::string& why);

enum class LineRead { Line, End, TooLong, Failed };
// The next line of `in` without its end, up to kMaxLineBytes; a line that
// goes on past them is not read further. `ended` tells whether the line had
// its end (the last line of a file may have none).
LineRead readLine(std::istream& in, std::string& line, bool* ended = nullptr);

// A whole script, or the first reason it is none.
struct Parsed {
    std::vector<Event> events;
    bool ok = false;
    std::size_t errorLine = 0; // 0: the input as a whole
    std::string error; // "line 3: no such event: foo", "cannot read the scenario"
};
// Reads every line of `in`. With `wholeLines`, a last line without its end
// is an error: the file was cut short while it was written.
Parsed parse(std::istream& in, bool wholeLines = false);

} // namespace kyt::script
