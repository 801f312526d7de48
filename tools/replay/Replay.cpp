#include "Replay.h"

#include "Attempt.h"
#include "Dispatch.h"
#include "Exercise.h"
#include "ScriptLine.h"
#include "Simulator.h"
#include "StateJson.h"
#include "Trainer.h"

#ifdef KYT_REPLAY_SETTINGS_STORE
#include "SettingsCounterStore.h"
#endif
#include "store/MemoryCounterStore.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace kyt::replay {

namespace {

using script::isBlank;
using script::number;
using script::trim;

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

namespace {

// The events of the scenario; with an attempt, they are the trainee's
// operations in an exercise.
int runScript(
    std::istream& in, std::ostream& out, std::ostream& err, Trainer& trainer, Attempt* attempt)
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
        if (attempt && line == "hint") {
            out << "{\"hint\":" << jsonString(attempt->takeHint()) << "}" << std::endl;
            continue;
        }
        if (line.size() > 6 && line.substr(0, 6) == "counts" && isBlank(line[6])) {
            if (attempt)
                return usage(line, "the counts cannot be set during an exercise");
            const auto counts = countsLine(line.substr(6));
            if (!counts)
                return usage(line,
                    "counts needs sza1=N sza2=N szb1=N szb2=N dkoa=N dkob=N "
                    "dpoa=N dpob=N");
            trainer.setCounts(*counts);
            continue;
        }

        const script::Event event = script::parseEvent(line);
        if (const auto* bad = std::get_if<script::BadEvent>(&event))
            return usage(line, bad->why);
        if (const auto* wait = std::get_if<script::Wait>(&event)) {
            try {
                const auto onError = [&](const std::exception& e) { printError(out, e); };
                if (attempt)
                    attempt->advance(wait->ms, onError);
                else
                    trainer.advance(wait->ms, onError);
            } catch (const std::invalid_argument&) {
                return usage(line, "the clock cannot run that far");
            }
            continue;
        }
        const auto& press = std::get<script::Press>(event);
        if (attempt && press.handler == "FormActivate")
            return usage(line, "FormActivate is run by the exercise");
        for (std::int64_t i = 0; i < press.times; ++i) {
            try {
                if (attempt)
                    attempt->press(press.handler);
                else
                    trainer.press(press.handler);
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

// kyt-replay --exercise FILE [SCRIPT]
int exerciseMain(int argc, char** argv, std::istream& stdIn, std::ostream& out, std::ostream& err)
{
    if (argc < 3 || argc > 4) {
        err << "usage: kyt-replay --exercise exercise-file [scenario-file]\n"
               "Runs the exercise's start, then the trainee's operations of the scenario (from "
               "standard input without a file), and prints the assessment.\n";
        return kExitUsage;
    }
    Exercise exercise;
    try {
        exercise = loadExercise(argv[2]);
    } catch (const ExerciseError& e) {
        err << "kyt-replay: " << e.what() << std::endl;
        return kExitUsage;
    }
    Simulator sim;
    MemoryCounterStore store;
    sim.setCounterStore(&store);
    Trainer trainer(sim);
    if (argc == 4) {
        std::ifstream file(argv[3], std::ios::binary);
        if (!file) {
            err << "kyt-replay: Cannot open file " << argv[3] << std::endl;
            return kExitUsage;
        }
        return runExercise(file, out, err, trainer, exercise);
    }
    return runExercise(stdIn, out, err, trainer, exercise);
}

} // namespace

int run(std::istream& in, std::ostream& out, std::ostream& err, Trainer& trainer)
{
    return runScript(in, out, err, trainer, nullptr);
}

int runExercise(std::istream& in, std::ostream& out, std::ostream& err, Trainer& trainer,
    const Exercise& exercise)
{
    Attempt attempt(trainer, exercise);
    try {
        trainer.press("FormActivate");
        attempt.begin();
    } catch (const std::exception& e) {
        err << "kyt-replay: " << exercise.file << ": the start failed: " << e.what() << std::endl;
        return kExitUsage;
    }
    const int status = runScript(in, out, err, trainer, &attempt);
    if (status != 0)
        return status;
    attempt.checkTime();
    out << attempt.resultJson() << std::endl;
    if (!out) {
        err << "kyt-replay: cannot write the output" << std::endl;
        return kExitFailure;
    }
    return attempt.passed() ? 0 : kExitNotPassed;
}

int main(int argc, char** argv, std::istream& stdIn, std::ostream& out, std::ostream& err)
{
    if (argc >= 2 && std::string_view(argv[1]) == "--exercise")
        return exerciseMain(argc, argv, stdIn, out, err);
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
