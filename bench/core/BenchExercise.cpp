// Events per second of whole train exercises through the handler table.
//
// One exercise runs a train each way: the block request, the permission and
// its "DALEJ" step, the exit signal cleared and the entry signal set to
// proceed, the train started with its arrow button and run to the end by
// the clock (63 ticks of 500 ms), Ko at the receiving station and the three
// "DALEJ" steps of the release back to the basic state. Every click and
// every timer tick counts as one event.
#include "Dispatch.h"
#include "Simulator.h"
#include "Trainer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using kyt::Simulator;

namespace {

constexpr const char* kTick = ""; // one clock step of 500 ms

std::vector<const char*> exercise(bool directTicks)
{
    const char* tick1 = directTicks ? "Timer1Timer" : kTick;
    const char* tick4 = directTicks ? "Timer4Timer" : kTick;
    std::vector<const char*> ev;
    auto run = [&](std::initializer_list<const char*> clicks) {
        ev.insert(ev.end(), clicks.begin(), clicks.end());
    };
    run({"pwbl1Click", "ppoz2Click", "pdalejClick", "psa1Click", "psa2Click", "ArrowButton1Click"});
    ev.insert(ev.end(), 63, tick1);
    run({"pkoaClick", "pdalejClick", "pdalejClick", "pdalejClick"});
    run({"pwbl2Click", "ppoz1Click", "pdalejClick", "psb2Click", "psb1Click", "ArrowButton3Click"});
    ev.insert(ev.end(), 63, tick4);
    run({"pkobClick", "pdalejClick", "pdalejClick", "pdalejClick"});
    return ev;
}

void play(Simulator& sim, const std::vector<const char*>& events)
{
    for (const char* e : events) {
        if (*e)
            sim.click(e);
        else
            sim.clock().advance(500);
    }
}

// The exercise must end where it began (the narration aside), or the
// figure would time something else than whole exercises.
void requireRoundTrip(const std::vector<const char*>& events)
{
    Simulator sim;
    sim.call("FormActivate");
    play(sim, events); // the first round leaves the entry signals' flags as they stay
    const Simulator::Snapshot start = sim.snapshot();
    play(sim, events);
    const Simulator::Snapshot end = sim.snapshot();
    if (!(start.state == end.state)) {
        std::fprintf(stderr, "the exercise does not return to its starting state\n");
        std::exit(1);
    }
}

void exerciseBench(benchmark::State& state, bool directTicks)
{
    const std::vector<const char*> events = exercise(directTicks);
    requireRoundTrip(events);
    Simulator sim;
    sim.call("FormActivate");
    for (auto _ : state) {
        play(sim, events);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(events.size()));
    state.counters["events_per_exercise"] = double(events.size());
}

// The same exercises as a trainee makes them: every press through the
// trainer, which journals it (and says why when it does nothing) and keeps
// the session record; ticks journalled when they change something.
void BM_ExerciseThroughTrainer(benchmark::State& state)
{
    const std::vector<const char*> events = exercise(false);
    requireRoundTrip(events);
    Simulator sim;
    sim.call("FormActivate");
    kyt::Trainer trainer(sim);
    for (auto _ : state) {
        for (const char* e : events) {
            if (*e)
                trainer.press(e);
            else
                trainer.advance(500);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(events.size()));
    state.counters["journal_entries"] = double(trainer.journal().entries().size());
    state.counters["journal_dropped"] = double(trainer.journal().dropped());
    state.counters["session_events"] = double(trainer.sessionEvents().size());
}

void BM_ExerciseWithClock(benchmark::State& state)
{
    exerciseBench(state, false);
}
void BM_ExerciseDirectTicks(benchmark::State& state)
{
    exerciseBench(state, true);
}

} // namespace

BENCHMARK(BM_ExerciseWithClock)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExerciseDirectTicks)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExerciseThroughTrainer)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
