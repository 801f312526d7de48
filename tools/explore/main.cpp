// kyt-explore: explores every state of the simulation that a trainee can
// reach from the desk after the window's first activation, checking the
// block's rules after every event, and lists the dead ends.
//
//   kyt-explore [--max-states N] [--search N] [--display-only CONTROL]...
//               [--dead-ends N] [--check-circuits] [--quiet]
//   kyt-explore --sample N [--seed S] [--max-states N] [--search N] ...
//
// --check-circuits also checks the schematic sheets against every stable
// state and every click explored, naming each rung that disagrees with the
// first state where it does, as a replay script.
//
// --sample N picks N of the explored states at random (seeded by --seed,
// 1 unless given) and prints, instead of the report, one line of JSON for
// each: {"state": ID, "depth": EVENTS, "script": ["FormActivate", ...]},
// the shortest event sequence that reaches it, one replay line an event.
// The exploration is then bounded to 50000 states and looks for no way back
// from dead ends unless --max-states and --search say otherwise.
//
// Exit status: 0 when every check held (dead ends are findings, not
// failures), 1 when a check broke, 2 on a usage error.
#include "CircuitCheck.h"
#include "Explorer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    kyt::explore::Options options;
    std::size_t showDeadEnds = 20;
    bool quiet = false;
    bool maxStatesGiven = false, searchGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--max-states" && i + 1 < argc) {
            options.maxStates = std::strtoull(argv[++i], nullptr, 10);
            maxStatesGiven = true;
        } else if (a == "--dead-ends" && i + 1 < argc) {
            showDeadEnds = std::strtoull(argv[++i], nullptr, 10);
        } else if (a == "--search" && i + 1 < argc) {
            options.searchStates = std::strtoull(argv[++i], nullptr, 10);
            searchGiven = true;
        } else if (a == "--sample" && i + 1 < argc) {
            options.sampleCount = std::strtoull(argv[++i], nullptr, 10);
        } else if (a == "--seed" && i + 1 < argc) {
            options.sampleSeed = std::strtoull(argv[++i], nullptr, 10);
        } else if (a == "--display-only" && i + 1 < argc) {
            options.displayOnly.push_back(argv[++i]);
        } else if (a == "--check-circuits") {
            options.checkCircuits = true;
        } else if (a == "--quiet") {
            quiet = true;
        } else {
            std::fprintf(stderr,
                "usage: kyt-explore [--max-states N] [--search N] [--display-only CONTROL] "
                "[--dead-ends N] [--check-circuits] [--quiet] [--sample N [--seed S]]\n");
            return 2;
        }
    }
    const bool sampling = options.sampleCount != 0;
    if (sampling) {
        if (!maxStatesGiven)
            options.maxStates = 50000;
        if (!searchGiven)
            options.searchStates = 0;
    }
    if (!quiet)
        options.progress = [](std::size_t expanded, std::size_t known) {
            std::fprintf(stderr, "... %zu states expanded, %zu known\n", expanded, known);
        };

    const auto t0 = std::chrono::steady_clock::now();
    const kyt::explore::Result r = kyt::explore::run(options);
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

    if (sampling) {
        for (const kyt::explore::Sample& s : r.samples) {
            std::printf("{\"state\": %zu, \"depth\": %zu, \"script\": [", s.id, s.path.size() - 1);
            for (std::size_t i = 0; i < s.path.size(); ++i)
                std::printf("%s\"%s\"", i ? ", " : "", s.path[i].c_str());
            std::printf("]}\n");
        }
        if (r.violationCount != 0)
            std::fprintf(stderr, "check violations: %zu\n", r.violationCount);
        return r.violationCount == 0 ? 0 : 1;
    }

    std::printf("exploration %s\n",
        r.complete ? "complete: no new state is left" : "stopped at the state bound");
    std::printf("events per state: %zu (every click handler, when its control is shown, "
                "and wait %lld ms)\n",
        r.events.size(), static_cast<long long>(options.stepMs));
    std::printf("states: %zu, transitions: %zu (%zu to another state), depth: %zu events\n",
        r.states, r.transitions, r.changing, r.depth);
    std::printf(
        "basic states: %zu, distinct texts: %zu, time: %.1f s\n", r.basicStates, r.texts, seconds);
    std::printf("check violations: %zu\n", r.violationCount);
    for (const auto& v : r.violations)
        std::printf(
            "  %s\n    after: %s\n", v.rule.c_str(), kyt::explore::formatPath(v.path).c_str());
    std::printf("states with no way back to the basic state inside the explored graph: %zu "
                "in %zu groups\n",
        r.stuckStates, r.stuckGroups);
    std::printf("dead-end groups (no way back found%s): %zu\n",
        r.complete ? "" : " by a further search from their first states", r.deadEnds.size());
    for (std::size_t i = 0; i < r.deadEnds.size() && i < showDeadEnds; ++i) {
        const auto& d = r.deadEnds[i];
        std::printf("  %zu states: %s\n    %s\n    shortest way in: %s\n", d.states,
            d.signature.c_str(),
            d.proven
                ? "proven: every state reachable from it was seen"
                : ("no way back among " + std::to_string(d.searched) + " states searched from it")
                      .c_str(),
            kyt::explore::formatPath(d.path).c_str());
    }
    bool circuitsFailed = false;
    if (options.checkCircuits) {
        std::printf("schematic check: %zu rungs (one per station), %zu stable states, %zu clicks "
                    "that changed the block\n",
            r.circuitRungs, r.stableStates, r.operations);
        std::printf("rungs that disagree with the simulation: %zu\n", r.circuitFailures.size());
        for (const auto& f : r.circuitFailures)
            std::printf("  %s\n    %s (%zu times)\n    first: %s\n", f.rung.c_str(), f.what.c_str(),
                f.count, kyt::explore::replayScript(f.path).c_str());
        // The walks beyond the exploration's reach: trains and Ko releases.
        const auto& scripts = kyt::explore::circuitScripts();
        std::size_t walkFailures = 0;
        for (const auto& script : scripts)
            for (const auto& f : kyt::explore::checkScript(script, kyt::circuits::ladderSheets())) {
                ++walkFailures;
                std::printf("  %s\n    %s\n    first: %s\n", f.finding.rung.c_str(),
                    f.finding.what.c_str(), kyt::explore::replayScript(f.path).c_str());
            }
        std::printf("walks through trains and releases: %zu, rungs that disagree on them: %zu\n",
            scripts.size(), walkFailures);
        circuitsFailed = !r.circuitFailures.empty() || walkFailures != 0;
    }
    return r.violationCount == 0 && !circuitsFailed ? 0 : 1;
}
