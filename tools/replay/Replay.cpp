#include "Replay.h"

#include "Dispatch.h"
#include "Simulator.h"
#include "StateJson.h"
#include "Trainer.h"

#ifdef KYT_REPLAY_SETTINGS_STORE
#include "SettingsCounterStore.h"
#else
#include "store/MemoryCounterStore.h"
#endif

#include <charconv>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace kyt::replay {

namespace {

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

// A plain decimal number from 0 to max, nothing else.
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

void printError(std::ostream& out, const std::exception& e)
{
    out << "{\"error\":" << jsonString(std::string(e.what()) + ".") << "}" << std::endl;
}

// `counts sza1=N sza2=N szb1=N szb2=N dkoa=N dkob=N dpoa=N dpob=N`: the
// eight names in that order, each count from 0 to 2147483647.
std::optional<CountValues> countsLine(std::string_view rest)
{
    static constexpr std::string_view kNames[]
        = {"sza1", "sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa", "dpob"};
    CountValues values {};
    for (std::size_t i = 0; i < values.size(); ++i) {
        rest = trim(rest);
        const std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
        const std::string_view item = rest.substr(0, end);
        rest.remove_prefix(end);
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos || item.substr(0, eq) != kNames[i])
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

enum class LineRead { Line, End, TooLong, Failed };

// The next line of `in` without its end, up to kMaxLineBytes; a line that
// goes on past them is not read further.
LineRead readLine(std::istream& in, std::string& line)
{
    line.clear();
    std::istream::sentry ok(in, true);
    if (!ok)
        return in.bad() ? LineRead::Failed : LineRead::End;
    std::streambuf* buf = in.rdbuf();
    try {
        for (;;) {
            const int c = buf->sbumpc();
            if (c == std::char_traits<char>::eof())
                return line.empty() ? LineRead::End : LineRead::Line;
            if (c == '\n')
                return LineRead::Line;
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

} // namespace

int run(std::istream& in, std::ostream& out, std::ostream& err, Simulator& sim)
{
    Trainer trainer(sim);
    return run(in, out, err, trainer);
}

int run(std::istream& in, std::ostream& out, std::ostream& err, Trainer& trainer)
{
    Simulator& sim = trainer.simulator();
    std::string raw;
    std::size_t lineNo = 0;
    auto usage = [&](std::string_view line, std::string_view why) {
        // A long line is shown only by its beginning.
        err << "kyt-replay: line " << lineNo << ": " << why << ": " << line.substr(0, kMaxEchoChars)
            << std::endl;
        return kExitUsage;
    };
    auto failure = [&](std::string_view what) {
        err << "kyt-replay: " << what << std::endl;
        return kExitFailure;
    };
    for (;;) {
        if (!out)
            return failure("cannot write the output");
        const LineRead read = readLine(in, raw);
        if (read == LineRead::End)
            break;
        ++lineNo;
        if (read == LineRead::Failed)
            return failure("cannot read the scenario");
        if (read == LineRead::TooLong)
            return failure("line " + std::to_string(lineNo) + ": longer than 1 MiB");
        const std::string_view line = trim(raw);
        if (line.empty() || line.front() == '#')
            continue;

        if (line == "state") {
            out << stateJson(sim) << std::endl;
            continue;
        }
        if (line == "journal") {
            out << trainer.journal().toJson() << std::endl;
            continue;
        }
        if (line == "why") {
            const std::string& why = trainer.lastRefusal();
            out << "{\"why\":" << (why.empty() ? std::string("null") : jsonString(why)) << "}"
                << std::endl;
            continue;
        }
        if (line.size() > 6 && line.substr(0, 6) == "counts" && isBlank(line[6])) {
            const auto counts = countsLine(line.substr(6));
            if (!counts)
                return usage(line,
                    "counts needs sza1=N sza2=N szb1=N szb2=N dkoa=N dkob=N "
                    "dpoa=N dpob=N");
            trainer.setCounts(*counts);
            continue;
        }

        if (line.size() > 4 && line.substr(0, 4) == "wait" && isBlank(line[4])) {
            const auto ms = number(trim(line.substr(4)), kMaxWait);
            if (!ms)
                return usage(line, "wait needs milliseconds from 0 to 1000000000000");
            try {
                trainer.advance(*ms, [&](const std::exception& e) { printError(out, e); });
            } catch (const std::invalid_argument&) {
                return usage(line, "the clock cannot run that far");
            }
            continue;
        }

        std::string_view name = line;
        std::int64_t times = 1;
        if (const auto star = line.find('*'); star != std::string_view::npos) {
            name = trim(line.substr(0, star));
            const auto n = number(trim(line.substr(star + 1)), kMaxRepeat);
            if (!n)
                return usage(line, "a repeat count must be a number from 0 to 1000000");
            times = *n;
        }
        if (!findHandler(name))
            return usage(line, "no such event");
        for (std::int64_t i = 0; i < times; ++i) {
            try {
                trainer.press(name);
            } catch (const std::exception& e) {
                printError(out, e);
            }
        }
    }
    out.flush();
    if (!out)
        return failure("cannot write the output");
    return 0;
}

int main(int argc, char** argv, std::istream& stdIn, std::ostream& out, std::ostream& err)
{
    if (argc > 2
        || (argc == 2
            && (std::string_view(argv[1]) == "-h" || std::string_view(argv[1]) == "--help"))) {
        (argc == 2 ? out : err) << "usage: kyt-replay [scenario-file]\n"
                                   "Runs a scenario of desk events (from standard input "
                                   "without a file) and prints the requested states.\n";
        return argc == 2 ? 0 : kExitUsage;
    }
    Simulator sim;
    // The counts go to the user's settings store where the program has one;
    // without it they live only as long as this run.
#ifdef KYT_REPLAY_SETTINGS_STORE
    SettingsCounterStore store;
#else
    MemoryCounterStore store;
#endif
    sim.setCounterStore(&store);
    if (argc == 2) {
        std::ifstream file(argv[1], std::ios::binary);
        if (!file) {
            err << "kyt-replay: Cannot open file " << argv[1] << std::endl;
            return kExitFailure;
        }
        return run(file, out, err, sim);
    }
    return run(stdIn, out, err, sim);
}

} // namespace kyt::replay
