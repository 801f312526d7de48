#include "Replay.h"

#include "Attempt.h"
#include "Exercise.h"
#include "Script.h"
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

void printError(std::ostream& out, const std::exception& e)
{
    out << "{\"error\":" << jsonString(std::string(e.what()) + ".") << "}" << std::endl;
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
        const script::LineRead read = script::readLine(in, raw);
        if (read == script::LineRead::End)
            break;
        ++lineNo;
        if (read == script::LineRead::Failed)
            return failure("cannot read the scenario");
        if (read == script::LineRead::TooLong)
            return failure("line " + std::to_string(lineNo) + ": longer than 1 MiB");
        const std::string_view line = script::trim(raw);
        if (attempt && line == "hint") {
            out << "{\"hint\":" << jsonString(attempt->takeHint()) << "}" << std::endl;
            continue;
        }
        std::string why;
        const std::optional<script::Event> event = script::parseLine(line, why);
        if (!why.empty())
            return usage(line, why);
        if (!event)
            continue;
        switch (event->kind) {
        case script::Event::Kind::State: out << stateJson(sim) << std::endl; break;
        case script::Event::Kind::Journal: out << trainer.journal().toJson() << std::endl; break;
        case script::Event::Kind::Why: {
            const std::string& last = trainer.lastRefusal();
            out << "{\"why\":" << (last.empty() ? std::string("null") : jsonString(last)) << "}"
                << std::endl;
            break;
        }
        case script::Event::Kind::Counts:
            if (attempt)
                return usage(line, "the counts cannot be set during an exercise");
            trainer.setCounts(event->counts);
            break;
        case script::Event::Kind::Wait:
            try {
                const auto onError = [&](const std::exception& e) { printError(out, e); };
                if (attempt)
                    attempt->advance(event->ms, onError);
                else
                    trainer.advance(event->ms, onError);
            } catch (const std::invalid_argument&) {
                return usage(line, "the clock cannot run that far");
            }
            break;
        case script::Event::Kind::Press:
            if (attempt && event->handler == "FormActivate")
                return usage(line, "FormActivate is run by the exercise");
            for (std::int64_t i = 0; i < event->times; ++i) {
                try {
                    if (attempt)
                        attempt->press(event->handler);
                    else
                        trainer.press(event->handler);
                } catch (const std::exception& e) {
                    printError(out, e);
                }
            }
            break;
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
