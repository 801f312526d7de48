#include "Script.h"

#include "Counters.h"
#include "Dispatch.h"

#include <algorithm>
#include <istream>

namespace kyt::script {

namespace {

// `counts sza1=N sza2=N szb1=N szb2=N dkoa=N dkob=N dpoa=N dpob=N`: the
// eight names in the order a load reads them, each count from 0 to
// 2147483647.
std::optional<CountValues> countsLine(std::string_view rest)
{
    const auto& order = loadOrder();
    CountValues values {};
    for (std::size_t i = 0; i < values.size(); ++i) {
        rest = trim(rest);
        const std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
        const std::string_view item = rest.substr(0, end);
        rest.remove_prefix(end);
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos || item.substr(0, eq) != order[i].name)
            return std::nullopt;
        const auto n = number(item.substr(eq + 1), 2147483647);
        if (!n)
            return std::nullopt;
        values[i] = static_cast<std::int32_t>(*n);
    }
    if (!trim(rest).empty())
        return std::nullopt;
    return values;
}

} // namespace

std::optional<Event> parseLine(std::string_view raw, std::string& why)
{
    why.clear();
    const std::string_view line = trim(raw);
    if (line.empty() || line.front() == '#')
        return std::nullopt;
    Event e;
    if (line == "state") {
        e.kind = Event::Kind::State;
        return e;
    }
    if (line == "journal") {
        e.kind = Event::Kind::Journal;
        return e;
    }
    if (line == "why") {
        e.kind = Event::Kind::Why;
        return e;
    }
    if (line.size() > 6 && line.substr(0, 6) == "counts" && isBlank(line[6])) {
        const auto counts = countsLine(line.substr(6));
        if (!counts) {
            why = "counts needs sza1=N sza2=N szb1=N szb2=N dkoa=N dkob=N dpoa=N dpob=N";
            return std::nullopt;
        }
        e.kind = Event::Kind::Counts;
        e.counts = *counts;
        return e;
    }
    // Presses and waits: the event lines that exercises use as well.
    const LineEvent event = parseEvent(line);
    if (const auto* bad = std::get_if<BadEvent>(&event)) {
        why = std::string(bad->why);
        return std::nullopt;
    }
    if (const auto* wait = std::get_if<Wait>(&event)) {
        e.kind = Event::Kind::Wait;
        e.ms = wait->ms;
        return e;
    }
    const auto& press = std::get<Press>(event);
    e.kind = Event::Kind::Press;
    e.handler = std::string(press.handler);
    e.times = press.times;
    return e;
}

LineRead readLine(std::istream& in, std::string& line, bool* ended)
{
    line.clear();
    if (ended)
        *ended = false;
    std::istream::sentry ok(in, true);
    if (!ok)
        return in.bad() ? LineRead::Failed : LineRead::End;
    std::streambuf* buf = in.rdbuf();
    try {
        for (;;) {
            const int c = buf->sbumpc();
            if (c == std::char_traits<char>::eof())
                return line.empty() ? LineRead::End : LineRead::Line;
            if (c == '\n') {
                if (ended)
                    *ended = true;
                return LineRead::Line;
            }
            if (line.size() == kMaxLineBytes)
                return LineRead::TooLong;
            line.push_back(char(c));
        }
    } catch (...) {
        // The file stream reports a failed read (a folder, say) this way.
        in.setstate(std::ios::badbit);
        return LineRead::Failed;
    }
}

Parsed parse(std::istream& in, bool wholeLines)
{
    Parsed out;
    std::string raw;
    std::size_t lineNo = 0;
    auto fail = [&](std::size_t line, std::string message) {
        out.events.clear();
        out.errorLine = line;
        out.error = std::move(message);
        return out;
    };
    for (;;) {
        bool ended = false;
        const LineRead read = readLine(in, raw, &ended);
        if (read == LineRead::End)
            break;
        ++lineNo;
        if (read == LineRead::Failed)
            return fail(0, "cannot read the scenario");
        const std::string prefix = "line " + std::to_string(lineNo) + ": ";
        if (read == LineRead::TooLong)
            return fail(lineNo, prefix + "longer than 1 MiB");
        if (wholeLines && !ended)
            return fail(lineNo, prefix + "the file ends inside this line: it was cut short");
        std::string why;
        auto event = parseLine(raw, why);
        if (!why.empty())
            return fail(
                lineNo, prefix + why + ": " + std::string(trim(raw).substr(0, kMaxEchoChars)));
        if (event) {
            event->line = lineNo;
            out.events.push_back(std::move(*event));
        }
    }
    out.ok = true;
    return out;
}

} // namespace kyt::script
