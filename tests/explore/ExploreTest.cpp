// The exploration tool: its state keys, its abstraction of growing texts,
// the checks it runs after every event, and a bounded exploration.
#include "Explorer.h"

#include "Dispatch.h"
#include "Replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

using namespace kyt;
using namespace kyt::explore;

namespace {

bool has(const std::vector<std::string>& rules, const std::string& piece)
{
    return std::any_of(rules.begin(), rules.end(),
        [&](const std::string& r) { return r.find(piece) != std::string::npos; });
}

struct Fixture : ::testing::Test {
    Simulator sim;
    void SetUp() override { sim.call("FormActivate"); }
};

} // namespace

TEST(CollapseTail, GrownNarrationIsCutBackToOneCopy)
{
    const std::string head = "Po minięciu semafora wjazdowego. ";
    const std::string piece = "Naciśnięcie przycisku Ko powoduje wzbudzenie przekaźnika StKo.";
    EXPECT_EQ(collapseRepeatedTail(head + piece + piece), head + piece);
    EXPECT_EQ(collapseRepeatedTail(head + piece + piece + piece + piece), head + piece);
    EXPECT_EQ(collapseRepeatedTail(head + piece), head + piece);
    // Short doubled endings belong to the texts themselves.
    const std::string blanks = "Teraz następuje końcowa faza zwalniania blokady.  ";
    EXPECT_EQ(collapseRepeatedTail(blanks), blanks);
    EXPECT_EQ(collapseRepeatedTail("Poz.."), "Poz..");
    EXPECT_EQ(collapseRepeatedTail(""), "");
}

TEST_F(Fixture, KeysSurviveTheRoundTripAndTellStatesApart)
{
    StateCodec codec(sim);
    std::set<std::string> keys;
    // A few states along a block request, permission and withdrawal.
    for (const char* event : {"", "pwbl1Click", "ppoz2Click", "pdalejClick", "pwbl1Click",
             "pwbl2Click", "pdalejClick"}) {
        if (*event)
            sim.click(event);
        const Simulator::Snapshot s = sim.snapshot();
        const std::string key = codec.encode(s);
        keys.insert(key);
        const Simulator::Snapshot back = codec.decode(key);
        EXPECT_EQ(back.state, s.state) << event;
        EXPECT_EQ(back.desk, s.desk) << event;
        EXPECT_EQ(back.activated, s.activated);
        // Restoring the decoded state gives the same key again.
        Simulator other;
        other.restore(back);
        EXPECT_EQ(codec.encode(other.snapshot()), key) << event;
    }
    EXPECT_EQ(keys.size(), 7u) << "every step of the walk changes the state";
}

TEST_F(Fixture, KeysLeaveOutCountsAndTheClocksMomentButKeepPendingTicks)
{
    StateCodec codec(sim);
    Simulator::Snapshot s = sim.snapshot();
    const std::string key = codec.encode(s);

    Simulator::Snapshot counted = s;
    counted.state.dkoaCount = 12;
    counted.desk[DeskIndex(sim.desk())[Control::ldkoa]].number = 12;
    EXPECT_EQ(codec.encode(counted), key);

    Simulator::Snapshot later = s;
    later.clock.now += 7000;
    EXPECT_EQ(codec.encode(later), key);

    Simulator::Snapshot ticking = s;
    ticking.clock.due[1] = ticking.clock.now + 1000;
    Simulator::Snapshot halfway = s;
    halfway.clock.due[1] = halfway.clock.now + 500;
    EXPECT_NE(codec.encode(ticking), key);
    EXPECT_NE(codec.encode(ticking), codec.encode(halfway));
    EXPECT_EQ(codec.decode(codec.encode(halfway)).clock.due[1], 500);

    Simulator::Snapshot memo = s;
    memo.desk[DeskIndex(sim.desk())[Control::Memo1]].text += " ";
    EXPECT_NE(codec.encode(memo), key);
    EXPECT_THROW(codec.decode(key.substr(0, key.size() / 2)), std::invalid_argument);
}

TEST_F(Fixture, TheStartIsBasicAndPassesEveryCheck)
{
    const DeskIndex desk(sim.desk());
    const Simulator::Snapshot s = sim.snapshot();
    EXPECT_TRUE(isBasic(s, desk));
    EXPECT_TRUE(checkState(s, desk).empty());
    sim.click("pwbl1Click");
    EXPECT_FALSE(isBasic(sim.snapshot(), desk));
}

TEST_F(Fixture, StateChecksNameEachBrokenRule)
{
    const DeskIndex desk(sim.desk());
    const Simulator::Snapshot good = sim.snapshot();
    auto broken = [&](auto change) {
        Simulator::Snapshot s = good;
        change(s);
        return checkState(s, desk);
    };
    EXPECT_TRUE(has(broken([](auto& s) { s.state.DalejPhase = 6; }), "DalejPhase 6 outside"));
    EXPECT_TRUE(has(broken([&](auto& s) { s.desk[desk[Control::pdalej]].flag = true; }),
        "\"DALEJ\" shown with DalejPhase 0"));
    EXPECT_TRUE(
        has(broken([](auto& s) { s.state.DalejPhase = 2; }), "\"DALEJ\" hidden with DalejPhase 2"));
    EXPECT_TRUE(has(broken([](auto& s) { s.state.TrainStep = 64; }), "TrainStep 64"));
    EXPECT_TRUE(has(broken([](auto& s) { s.state.SzTicksA = 3; }), "Timer2 stopped"));
    EXPECT_TRUE(
        has(broken([](auto& s) { s.state.sza2Active = true; }), "sza2Active set but ALed12 dark"));
    EXPECT_TRUE(has(broken([&](auto& s) { s.desk[desk[Control::ALed5]].flag = true; }),
        "ALed1 and ALed5 both lit"));
    EXPECT_TRUE(has(broken([&](auto& s) { s.desk[desk[Control::ALed11]].flag = false; }),
        "ALed11 and ALed8 both dark"));
    EXPECT_TRUE(has(broken([&](auto& s) { s.desk[desk[Control::Shape6]].number = 0x00FF00; }),
        "Shape6 neither red nor white"));
    EXPECT_TRUE(
        has(broken([](auto& s) { s.state.dpobCount = 4; }), "ldpob shows 0 for a count of 4"));
}

TEST_F(Fixture, TransitionChecksCatchWrongCountsAndHiddenFlicker)
{
    const DeskIndex desk(sim.desk());
    const Simulator::Snapshot before = sim.snapshot();

    Simulator::Snapshot counted = before;
    counted.state.sza1Count = 1;
    EXPECT_TRUE(checkTransition("psza1Click", before, counted, 1, desk).empty());
    EXPECT_TRUE(has(
        checkTransition("pszb1Click", before, counted, 1, desk), "lsza1 counted by pszb1Click"));
    counted.state.sza1Count = 2;
    EXPECT_TRUE(has(checkTransition("psza1Click", before, counted, 1, desk), "moved by 2"));
    counted.state.sza1Count = -1;
    EXPECT_TRUE(has(checkTransition("psza1Click", before, counted, 1, desk), "moved by -1"));

    // A refused click must not touch the desk even for a moment.
    EXPECT_TRUE(checkTransition("ppoz1Click", before, before, 0, desk).empty());
    EXPECT_TRUE(
        has(checkTransition("ppoz1Click", before, before, 2, desk), "changed the desk 2 times"));
    // Time passing that ends where it began is not a click.
    EXPECT_TRUE(checkTransition(kWait, before, before, 2, desk).empty());

    // A conflicting Sz shows the mishap panel and nothing else.
    Simulator::Snapshot mishap = before;
    mishap.desk[desk[Control::Panel27]].flag = true;
    EXPECT_TRUE(checkTransition("psza1Click", before, mishap, 1, desk).empty());
    mishap.desk[desk[Control::ALed2]].flag = true;
    EXPECT_TRUE(
        has(checkTransition("psza1Click", before, mishap, 2, desk), "refused Sz changed more"));
}

TEST(FormatPath, RepeatsAreWrittenOnce)
{
    EXPECT_EQ(formatPath({"FormActivate", "pwbl1Click", "wait 500", "wait 500", "wait 500",
                  "pdalejClick"}),
        "FormActivate, pwbl1Click, wait 500*3, pdalejClick");
    EXPECT_EQ(formatPath({}), "");
}

TEST(Exploration, EveryClickIsTriedAndEveryCheckHolds)
{
    Options options;
    options.maxStates = 3000;
    options.searchStates = 400;
    const Result r = run(options);
    for (const Violation& v : r.violations)
        ADD_FAILURE() << v.rule << "\n  after: " << formatPath(v.path);
    EXPECT_EQ(r.violationCount, 0u);
    EXPECT_GT(r.states, 1u);
    EXPECT_GT(r.basicStates, 0u);

    // Every click handler of the table is among the events, and so is time.
    std::size_t clicks = 0;
    for (const HandlerEntry& e : handlerTable())
        if (e.name.ends_with("Click")) {
            ++clicks;
            EXPECT_NE(
                std::find(r.events.begin(), r.events.end(), std::string(e.name)), r.events.end())
                << e.name;
        }
    EXPECT_EQ(r.events.size(), clicks + 1);
    EXPECT_EQ(r.events.back(), kWait);
    {
        // Dead-end groups come with a way in that starts at the activation.
        for (const DeadEndGroup& d : r.deadEnds) {
            ASSERT_FALSE(d.path.empty());
            EXPECT_EQ(d.path.front(), "FormActivate");
            EXPECT_GT(d.states, 0u);
        }
    }
}

TEST_F(Fixture, AWayBackFoundLeadsToTheBasicStateWhenReplayed)
{
    const DeskIndex desk(sim.desk());
    for (const char* e : {"pwbl1Click", "ppoz2Click", "pdalejClick"})
        ASSERT_TRUE(sim.click(e)) << e;
    ASSERT_FALSE(isBasic(sim.snapshot(), desk));
    const WayBack w = findWayBack(sim.snapshot(), 5000);
    ASSERT_TRUE(w.found);
    ASSERT_FALSE(w.path.empty());
    for (const std::string& e : w.path) {
        if (e == "settle") {
            for (int i = 0; i < 240 && sim.clock().nextTick(); ++i)
                sim.clock().advance(500);
        } else if (e.rfind("wait ", 0) == 0) {
            sim.clock().advance(500);
        } else {
            ASSERT_TRUE(sim.click(e)) << e << " refused on the way back";
        }
    }
    EXPECT_TRUE(isBasic(sim.snapshot(), desk)) << formatPath(w.path);
}

// The states picked for the browser's pictures: each one's event sequence,
// written in the replay language and played by the replay tool from a
// fresh simulator, must reach the very state it was picked as.
TEST(Sample, EachScriptReplaysToTheStatePicked)
{
    Options options;
    options.maxStates = 4000;
    options.searchStates = 0;
    options.sampleCount = 40;
    options.sampleSeed = 7;
    const Result r = run(options);
    ASSERT_EQ(r.samples.size(), 40u);
    Simulator prototype;
    prototype.call("FormActivate");
    StateCodec codec(prototype);
    std::size_t deeper = 0, previous = 0;
    for (const Sample& s : r.samples) {
        ASSERT_FALSE(s.path.empty());
        EXPECT_EQ(s.path.front(), "FormActivate");
        EXPECT_TRUE(s.id == r.samples.front().id || s.id > previous) << "increasing, no repeats";
        previous = s.id;
        deeper += s.path.size() > 4;
        std::string script;
        for (const std::string& e : s.path)
            script += e + '\n';
        Simulator sim;
        std::istringstream in(script);
        std::ostringstream out, err;
        ASSERT_EQ(replay::run(in, out, err, sim), 0) << err.str();
        EXPECT_EQ(out.str(), "") << "no handler raised an error";
        EXPECT_EQ(codec.encode(sim.snapshot()), codec.encode(s.state))
            << "state " << s.id << " after " << formatPath(s.path);
    }
    EXPECT_GT(deeper, 10u) << "the picks reach beyond the first few events";

    // The same seed picks the same states; another seed others.
    const Result again = run(options);
    ASSERT_EQ(again.samples.size(), r.samples.size());
    for (std::size_t i = 0; i < r.samples.size(); ++i)
        EXPECT_EQ(again.samples[i].path, r.samples[i].path);
    options.sampleSeed = 8;
    const Result other = run(options);
    std::size_t same = 0;
    for (std::size_t i = 0; i < r.samples.size(); ++i)
        same += other.samples[i].id == r.samples[i].id;
    EXPECT_LT(same, 10u);
}

TEST(Sample, PicksAreDistinctAndBelowTheBound)
{
    for (std::uint64_t seed : {1u, 2u, 99u}) {
        const std::vector<std::size_t> p = pickSample(1000, 100, seed);
        ASSERT_EQ(p.size(), 100u);
        EXPECT_TRUE(std::is_sorted(p.begin(), p.end()));
        EXPECT_EQ(std::set<std::size_t>(p.begin(), p.end()).size(), 100u);
        EXPECT_LT(p.back(), 1000u);
        // Spread over the range, not its first part.
        EXPECT_GT(p.back(), 500u);
        EXPECT_LT(p.front(), 500u);
    }
    EXPECT_EQ(pickSample(5, 10, 1), (std::vector<std::size_t> {0, 1, 2, 3, 4}));
    EXPECT_TRUE(pickSample(5, 0, 1).empty());
}
