// The replay language read whole, a script played event by event, the
// journal's rows and CSV, and the desk's context help.
#include "Script.h"
#include "Controls.h"
#include "DeskNames.h"
#include "Help.h"
#include "Journal.h"
#include "Player.h"
#include "Simulator.h"
#include "StateJson.h"
#include "Trainer.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace kyt;

namespace {

script::Parsed parse(const std::string& text, bool wholeLines = true)
{
    std::istringstream in(text);
    return script::parse(in, wholeLines);
}

TEST(Script, ReadsEveryKindOfLineWithItsLineNumber)
{
    const auto p
        = parse("# a comment\n\nFormActivate\n  wait 1500 \npdalejClick*3\nstate\njournal\n"
                "why\ncounts sza1=1 sza2=2 szb1=3 szb2=4 dkoa=5 dkob=6 dpoa=7 dpob=8\n");
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.events.size(), 7u);
    using K = script::Event::Kind;
    EXPECT_EQ(p.events[0].kind, K::Press);
    EXPECT_EQ(p.events[0].line, 3u);
    EXPECT_EQ(p.events[1].kind, K::Wait);
    EXPECT_EQ(p.events[1].ms, 1500);
    EXPECT_EQ(p.events[2].handler, "pdalejClick");
    EXPECT_EQ(p.events[2].times, 3);
    EXPECT_EQ(p.events[3].kind, K::State);
    EXPECT_EQ(p.events[4].kind, K::Journal);
    EXPECT_EQ(p.events[5].kind, K::Why);
    EXPECT_EQ(p.events[6].kind, K::Counts);
    EXPECT_EQ(p.events[6].counts, (CountValues {1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(p.events[6].line, 9u);
}

TEST(Script, TheFirstBadLineStopsTheReadingAndNothingIsKept)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"FormActivate\nnoSuchClick\n", "line 2: no such event: noSuchClick"},
        {"wait -5\n", "line 1: wait needs milliseconds from 0 to 1000000000000: wait -5"},
        {"pdalejClick*x\n",
            "line 1: a repeat count must be a number from 0 to 1000000: pdalejClick*x"},
        {"FormActivate\ncounts sza1=1\n", "line 2: counts needs sza1=N"},
        {"FormActivate\nwait 10", "line 2: the file ends inside this line: it was cut short"},
    };
    for (const auto& c : cases) {
        const auto p = parse(c.text);
        EXPECT_FALSE(p.ok) << c.text;
        EXPECT_TRUE(p.events.empty()) << c.text;
        EXPECT_EQ(p.error.rfind(c.error, 0), 0u) << p.error;
    }
    // The replay tool takes a last line without its end.
    EXPECT_TRUE(parse("FormActivate\nwait 10", false).ok);
    const std::string longLine(script::kMaxLineBytes + 1, 'x');
    EXPECT_EQ(parse("state\n" + longLine + "\n").error, "line 2: longer than 1 MiB");
}

TEST(Player, PlaysAtThePaceGivenOrStepByStepToTheSameEnd)
{
    const std::string text = "FormActivate\npwbl1Click\nwait 700\nppoz2Click\nwait 300\n"
                             "pdalejClick\npsa1Click\npsa2Click\nArrowButton1Click\nwait 4000\n";
    Simulator whole;
    Trainer wholeTrainer(whole);
    Player byTime(wholeTrainer, parse(text).events);
    byTime.advance(500, {});
    EXPECT_TRUE(whole.state().WblA);
    EXPECT_FALSE(whole.state().PozB) << "played past a wait not yet over";
    EXPECT_EQ(whole.clock().now(), 500);
    for (int i = 0; i < 30 && !byTime.finished(); ++i)
        byTime.advance(170, {});
    EXPECT_TRUE(byTime.finished());
    EXPECT_EQ(whole.clock().now(), 5000);

    Simulator stepped;
    Trainer steppedTrainer(stepped);
    steppedTrainer.setPaused(true); // a step plays even while paused
    Player byStep(steppedTrainer, parse(text).events);
    EXPECT_EQ(byStep.nextLine(), 1u);
    while (!byStep.finished())
        byStep.step({});
    EXPECT_EQ(byStep.played(), byStep.count());
    EXPECT_TRUE(steppedTrainer.paused());
    EXPECT_EQ(stateJson(stepped), stateJson(whole));
    EXPECT_EQ(steppedTrainer.journal().toJson(), wholeTrainer.journal().toJson());
}

TEST(JournalRows, TimesResultsAndCsvQuoting)
{
    EXPECT_EQ(journalTime(0), "00:00.0");
    EXPECT_EQ(journalTime(75250), "01:15.2");
    EXPECT_EQ(journalTime(6000000), "100:00.0");

    Journal j;
    JournalEntry refused;
    refused.time = 1200;
    refused.station = "A";
    refused.name = "Poz (stacja A)";
    refused.result = OperationResult::Refused;
    refused.reason = "Nie, bo \"tak\", i już";
    j.add(refused);
    JournalEntry tick;
    tick.time = 1500;
    tick.tick = true;
    tick.handler = "Timer1Timer";
    tick.narration = "dwa\nwiersze";
    j.add(tick);
    EXPECT_EQ(journalCsv(j, "Jan", "2026-01-02"),
        "Kursant,Jan\r\nData,2026-01-02\r\nCzas,Stacja,Operacja,Wynik,Powód lub narracja\r\n"
        "00:01.2,A,Poz (stacja A),odmowa,\"Nie, bo \"\"tak\"\", i już\"\r\n"
        "00:01.5,,Timer1Timer,takt,\"dwa\nwiersze\"\r\n");
}

TEST(Help, EveryRelayIndicatorAndPressableControlHasItsHelp)
{
    Simulator sim;
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const auto c = Control(i);
        if (controlKind(c) == ControlKind::Indicator) {
            const RelayInfo* r = findRelay(c);
            ASSERT_NE(r, nullptr) << controlName(c);
            EXPECT_EQ(controlHelp(sim, controlName(c)).rfind(std::string(r->relay) + " – ", 0), 0u);
        }
    }
    for (const PressableControl& p : pressableControls())
        EXPECT_NE(controlHelp(sim, p.control).find(" – "), std::string::npos) << p.control;
    Trainer trainer(sim);
    trainer.setCounts({0, 0, 1, 0, 0, 0, 0, 0});
    for (const PressableControl& p : pressableControls()) {
        if (p.caption == "Sz B" && p.station == Station::A) {
            EXPECT_EQ(
                controlHelp(sim, p.control), "Sz B (stacja A) – sygnał zastępczy, użyty 1 raz");
        }
    }
    EXPECT_EQ(controlHelp(sim, controlName(Control::lszb1)),
        "licznik użyć: Sz B (stacja A), użyty 1 raz");
    EXPECT_EQ(controlHelp(sim, controlName(Control::np)), "");
}

} // namespace
