#pragma once
// The event lines of the scenario language that kyt-replay reads and that
// exercises use for their starting situation:
//   pwbl1Click         runs a handler once
//   pdalejClick*3      runs it three times
//   wait 1500          advances the virtual clock by 1500 ms
// The other lines of the language (state, journal, why, counts, comments)
// are the replay tool's own.

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace kyt::script {

inline constexpr std::int64_t kMaxRepeat = 1000000;
inline constexpr std::int64_t kMaxWait = 1000000000000; // milliseconds, about 31 years

bool isBlank(char c);
std::string_view trim(std::string_view s);

// A plain decimal number from 0 to max, nothing else.
std::optional<std::int64_t> number(std::string_view s, std::int64_t max);

struct Press {
    std::string_view handler; // a name of the handler table
    std::int64_t times = 1;
};
struct Wait {
    std::int64_t ms = 0;
};
// A line that is no valid event, and why.
struct BadEvent {
    std::string_view why;
};
using LineEvent = std::variant<Press, Wait, BadEvent>;

// Reads one trimmed line as an event.
LineEvent parseEvent(std::string_view line);

} // namespace kyt::script
