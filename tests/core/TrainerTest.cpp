// The trainer's journal and session record: what is kept, how it is
// written, and that a saved session replays to the same state.
#include "Trainer.h"
#include "Journal.h"
#include "Replay.h"
#include "Simulator.h"
#include "StateJson.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <sstream>

using namespace kyt;

namespace {

JournalEntry press(std::int64_t t, std::string handler)
{
    JournalEntry e;
    e.time = t;
    e.handler = std::move(handler);
    return e;
}

// A train from A to B and the release after it, with time passing.
void trainFromAToB(Trainer& trainer)
{
    for (const char* h : {"pwbl1Click", "ppoz2Click", "pdalejClick", "psa1Click", "psa2Click"})
        trainer.press(h);
    trainer.advance(1200);
    trainer.press("ArrowButton1Click");
    trainer.advance(31500);
    trainer.press("pkoaClick");
    trainer.advance(250);
    for (int i = 0; i < 3; ++i)
        trainer.press("pdalejClick");
}

} // namespace

TEST(Journal, KeepsTheLastEntriesAndCountsTheOnesLetGo)
{
    Journal journal(3);
    for (int i = 0; i < 5; ++i)
        journal.add(press(i * 100, "pwbl1Click"));
    ASSERT_EQ(journal.entries().size(), 3u);
    EXPECT_EQ(journal.entries().front().time, 200);
    EXPECT_EQ(journal.dropped(), 2u);
    const auto j = nlohmann::json::parse(journal.toJson());
    EXPECT_EQ(j["dropped"], 2);
    EXPECT_EQ(j["journal"].size(), 3u);
    journal.clear();
    EXPECT_TRUE(journal.entries().empty());
    EXPECT_EQ(journal.dropped(), 0u);
}

TEST(Journal, EntriesAreWrittenAsTheReplayToolPrintsThem)
{
    Simulator sim;
    sim.call("FormActivate");
    Trainer trainer(sim);
    trainer.press("pwbl1Click");
    trainer.press("ppoz1Click"); // B has not asked: refused
    trainer.press("ppoz2Click");
    trainer.press("pdalejClick"); // a centre control: no station
    const auto j = nlohmann::json::parse(trainer.journal().toJson());
    ASSERT_EQ(j["journal"].size(), 4u);
    const std::string first = "{\"t\":0,\"station\":\"A\",\"control\":\"pwbl1\",\"handler\":"
                              "\"pwbl1Click\",\"name\":\"Wbl (stacja A)\",\"result\":\"done\"}";
    // Keys in the order the replay tool documents them.
    EXPECT_EQ(trainer.journal().toJson().rfind("{\"journal\":[" + first + ",", 0), 0u);
    EXPECT_EQ(j["journal"][1]["result"], "refused");
    EXPECT_EQ(j["journal"][1]["station"], "A");
    EXPECT_NE(j["journal"][1]["reason"].get<std::string>().find("Stacja B nie zgłosiła blokady"),
        std::string::npos);
    EXPECT_FALSE(j["journal"][3].contains("station"));
    EXPECT_EQ(j["journal"][3]["name"], "DALEJ");
}

TEST(Journal, TicksAreKeptOnlyWhenTheyChangeSomethingWithTheNewNarration)
{
    Simulator sim;
    sim.call("FormActivate");
    Trainer trainer(sim);
    trainFromAToB(trainer);
    std::size_t ticks = 0;
    bool narrated = false;
    for (const JournalEntry& e : trainer.journal().entries()) {
        if (!e.tick)
            continue;
        ++ticks;
        EXPECT_EQ(e.handler, "Timer1Timer");
        narrated = narrated || e.narration.has_value();
    }
    // Every step of the run moves the train; the arrival is narrated.
    EXPECT_GE(ticks, 30u);
    EXPECT_TRUE(narrated);
    // A timer left running with nothing to do leaves no entry.
    const std::size_t before = trainer.journal().entries().size();
    trainer.advance(10000);
    EXPECT_EQ(trainer.journal().entries().size(), before);
}

TEST(Journal, AHandlerErrorIsJournalledAndPassedOn)
{
    Simulator sim;
    sim.call("FormActivate");
    sim.desk().setVisible(Control::Panel27, true);
    sim.clock().setTickSink([](std::string_view) {});
    Trainer trainer(sim);
    // The counters' store is missing, so the close cannot save.
    EXPECT_ANY_THROW(trainer.press("FormClose"));
    EXPECT_TRUE(trainer.journal().entries().empty()) << "not a control of the desk";
    trainer.press("ShadowButton1Click");
    ASSERT_EQ(trainer.journal().entries().size(), 1u);
    EXPECT_EQ(trainer.journal().entries().back().result, OperationResult::Done);
}

TEST(Session, ASavedSessionReplaysToTheSameState)
{
    Simulator sim;
    sim.call("FormActivate");
    Trainer trainer(sim);
    trainer.setCounts({3, 0, 1, 0, 2, 0, 0, 7});
    trainer.startSession();
    trainFromAToB(trainer);
    trainer.press("psza1Click");
    trainer.advance(777);

    const std::string script = trainer.sessionScript();
    EXPECT_EQ(script.rfind("FormActivate\ncounts sza1=3 sza2=0 szb1=1 szb2=0 dkoa=2 dkob=0 "
                           "dpoa=0 dpob=7\n",
                  0),
        0u)
        << script;
    Simulator replayed;
    std::istringstream in(script);
    std::ostringstream out, err;
    ASSERT_EQ(replay::run(in, out, err, replayed), 0) << err.str();
    EXPECT_EQ(stateJson(replayed), stateJson(sim));
    EXPECT_EQ(replayed.clock().now(), sim.clock().now());
}
