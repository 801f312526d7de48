#include "ScriptLine.h"

#include "Dispatch.h"

#include <charconv>

namespace kyt::script {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<std::int64_t> number(std::string_view s, std::int64_t max)
{
    if (s.empty() || s.size() > 19)
        return std::nullopt;
    for (char c : s)
        if (c < '0' || c > '9')
            return std::nullopt;
    std::int64_t n = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || end != s.data() + s.size() || n > max)
        return std::nullopt;
    return n;
}

LineEvent parseEvent(std::string_view line)
{
    if (line.size() > 4 && line.substr(0, 4) == "wait" && isBlank(line[4])) {
        const auto ms = number(trim(line.substr(4)), kMaxWait);
        if (!ms)
            return BadEvent {"wait needs milliseconds from 0 to 1000000000000"};
        return Wait {*ms};
    }
    std::string_view name = line;
    std::int64_t times = 1;
    if (const auto star = line.find('*'); star != std::string_view::npos) {
        name = trim(line.substr(0, star));
        const auto n = number(trim(line.substr(star + 1)), kMaxRepeat);
        if (!n)
            return BadEvent {"a repeat count must be a number from 0 to 1000000"};
        times = *n;
    }
    if (!findHandler(name))
        return BadEvent {"no such event"};
    return Press {name, times};
}

} // namespace kyt::script
