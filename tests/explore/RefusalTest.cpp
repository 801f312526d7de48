// Every press the trainer calls refused carries a reason, and a press is
// called refused exactly when it changed nothing: checked over the states a
// breadth-first walk of the desk reaches, for every click shown in each.
#include "Explorer.h"

#include "Dispatch.h"
#include "Reasons.h"
#include "Trainer.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <unordered_set>

using namespace kyt;
using namespace kyt::explore;

namespace {

std::vector<std::string> clickHandlers()
{
    std::vector<std::string> out;
    for (const HandlerEntry& e : handlerTable()) {
        const std::string_view n = e.name;
        if (n.size() > 5 && n.substr(n.size() - 5) == "Click")
            out.emplace_back(n);
    }
    return out;
}

struct Walk {
    std::size_t states = 0;
    std::size_t refused = 0;
    std::map<std::string, std::set<std::string>> reasonsByHandler;
};

Walk walk(std::size_t maxStates)
{
    Simulator sim;
    sim.call("FormActivate");
    Trainer trainer(sim, 16);
    StateCodec codec(sim);
    const std::vector<std::string> clicks = clickHandlers();
    std::deque<Simulator::Snapshot> queue {sim.snapshot()};
    std::unordered_set<std::string> seen {codec.encode(queue.front())};
    Walk w;
    while (!queue.empty() && w.states < maxStates) {
        const Simulator::Snapshot state = queue.front();
        queue.pop_front();
        ++w.states;
        for (const std::string& handler : clicks) {
            sim.restore(state);
            if (!sim.accepts(handler))
                continue;
            Trainer::Outcome outcome;
            try {
                outcome = trainer.press(handler);
            } catch (const std::exception&) {
                continue; // an error is journalled as such, not as a refusal
            }
            const Simulator::Snapshot after = sim.snapshot();
            const bool unchanged = after.state == state.state && after.desk == state.desk;
            EXPECT_EQ(outcome.result == OperationResult::Refused, unchanged)
                << handler << " after " << w.states << " states";
            if (outcome.result == OperationResult::Refused) {
                ++w.refused;
                EXPECT_FALSE(outcome.reason.empty()) << handler << " refused without a reason";
                EXPECT_EQ(outcome.reason.find('%'), std::string::npos) << outcome.reason;
                w.reasonsByHandler[handler].insert(outcome.reason);
            }
            if (seen.insert(codec.encode(after)).second)
                queue.push_back(after);
        }
        // Time passes too: a train runs, a substitute signal goes out.
        sim.restore(state);
        trainer.advance(500);
        const Simulator::Snapshot later = sim.snapshot();
        if (seen.insert(codec.encode(later)).second)
            queue.push_back(later);
    }
    return w;
}

} // namespace

TEST(Refusals, EveryRefusedPressSaysWhyAndOnlyAPressThatChangedNothingIsRefused)
{
    const Walk w = walk(4000);
    EXPECT_EQ(w.states, 4000u);
    EXPECT_GT(w.refused, 1000u);
    // The guarded handlers were each seen refusing, and each with a reason
    // of its own guards.
    for (const char* handler : {"pwbl1Click", "pwbl2Click", "ppoz1Click", "ppoz2Click", "psa1Click",
             "psb2Click", "pkoaClick", "pkobClick", "HemisphereButton3Click",
             "HemisphereButton16Click", "HemisphereButton4Click", "HemisphereButton15Click"})
        EXPECT_TRUE(w.reasonsByHandler.count(handler)) << handler << " never refused";
}

TEST(Refusals, APressWhilePausedChangesNothingAndSaysSo)
{
    Simulator sim;
    sim.call("FormActivate");
    Trainer trainer(sim);
    trainer.setPaused(true);
    const Simulator::Snapshot before = sim.snapshot();
    const Trainer::Outcome o = trainer.press("pwbl1Click");
    EXPECT_EQ(o.result, OperationResult::Refused);
    EXPECT_EQ(o.reason, kPausedReason);
    trainer.advance(10000);
    EXPECT_TRUE(sim.snapshot() == before);
    ASSERT_EQ(trainer.journal().entries().size(), 1u);
    EXPECT_EQ(trainer.journal().entries().back().reason, "Symulacja wstrzymana.");
}

TEST(Refusals, SeveralGuardedSectionsEachNameTheirFailingCondition)
{
    Simulator sim;
    sim.call("FormActivate");
    Trainer trainer(sim);
    trainer.press("pwbl2Click"); // B asks for the block
    const Trainer::Outcome o = trainer.press("pwbl1Click");
    ASSERT_EQ(o.result, OperationResult::Refused);
    // The request at A, the release at A and the confirmation at A were
    // each tried and each stopped by its own first failing condition.
    EXPECT_NE(o.reason.find("Stacja B zgłosiła już blokadę"), std::string::npos) << o.reason;
    EXPECT_NE(o.reason.find("Stacja A nie ma pozwolenia"), std::string::npos) << o.reason;
    EXPECT_NE(o.reason.find("Przekaźnik Lzs stacji A jest odwzbudzony"), std::string::npos)
        << o.reason;
    EXPECT_EQ(trainer.lastRefusal(), o.reason);
    trainer.press("ppoz1Click"); // A grants: done, so nothing to explain
    EXPECT_TRUE(trainer.lastRefusal().empty());
}
