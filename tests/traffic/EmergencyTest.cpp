// Ko, dKo, dPo and Sz: guards, effects, counts and the Sz timers.

#include "TrafficFixture.h"

#include <limits>

namespace kyt::test {
namespace {

const std::string kDKoText =
    "W przypadku jazdy na Sz lub R305 należy użyć przycisku dKo. Powoduje to zbocznikowanie "
    "zestyków Kc, Kpz, Iz i podanie napięcia na przekaźnik ZPG.";
const std::string kDPoText =
    "Użycie przycisku dPo powoduje wzbudzenie się przekaźnika dPo który swoim zestykiem "
    "przerywa obwód przekaźnika Pwl. stwarzając w urządzeniach stan blokady analogiczny jak "
    "przy wyjeździe pociągu.";
const std::string kSzText = "Przed jazdą pociągu na sygnał Sz lub R305 należy użyć przycisku dKo";
const std::string kBasicText = "Stan zasadniczy. Przekaźniki Dp wzbudzone bezprądowo";

class Emergency : public TrafficFixture {
protected:
    // A train from A that has arrived complete at B after a run on a cleared
    // exit signal and a cleared entry signal.
    void arriveAtB()
    {
        setDirectionAB();
        press("psa1Click");
        press("psa2Click");
        press("ArrowButton1Click");
        trainTick(63);
        ASSERT_TRUE(s().ZA);
        ASSERT_TRUE(lit("ALed19"));
    }
    void arriveAtA()
    {
        setDirectionBA();
        press("psb2Click");
        press("psb1Click");
        press("ArrowButton3Click");
        trainTick(63);
        ASSERT_TRUE(s().ZB);
        ASSERT_TRUE(lit("ALed20"));
    }
};

TEST_F(Emergency, KoAfterTheTrainAndThreeDalejBackToTheBasicState)
{
    arriveAtB();
    press("HemisphereButton16Click"); // dKo set too: Ko clears it
    const std::string text = memo();
    press("pkoaClick");
    EXPECT_TRUE(s().KoReleaseAB);
    EXPECT_FALSE(s().dKoA || s().ZA || s().WA);
    EXPECT_FALSE(lit("ALed13") || lit("ALed19"));
    EXPECT_EQ(look("mdkoa"), "odzw");
    EXPECT_EQ(look("mza"), "odzw");
    EXPECT_EQ(look("mwa"), "odzw");
    EXPECT_EQ(s().DalejPhase, 2);
    EXPECT_TRUE(shown("pdalej"));
    EXPECT_TRUE(s().ZwblB);
    EXPECT_EQ(look("mzwbl2"), "wzb");
    EXPECT_TRUE(blinking("lp2"));
    EXPECT_EQ(desk().lampColor("lp2"), kColorWhite);
    EXPECT_EQ(memo(), text) << "Ko at B leaves the memo alone";
    expectNoEffect("pkoaClick");

    press("pdalejClick");
    EXPECT_FALSE(lit("ALed7")) << "the release after a train puts out Pwl A";
    press("pdalejClick");
    press("pdalejClick");
    EXPECT_FALSE(shown("pdalej"));
    EXPECT_EQ(memo(), kBasicText);
    EXPECT_TRUE(s().DpA && s().DpB);
    EXPECT_FALSE(s().OpA || s().PwlA || s().LzsB || s().KoReleaseAB || s().ZwblB);
    EXPECT_EQ(s().DalejPhase, 0);
    for (const char* arrow : {"lwbl1", "lp1", "lwbl2", "lp2"})
        EXPECT_FALSE(lit(arrow) || blinking(arrow)) << arrow;
    EXPECT_EQ(counter("ldkoa"), 1);
}

TEST_F(Emergency, KoAtAHidesTheMemoThroughTheRelease)
{
    arriveAtA();
    press("pkobClick");
    EXPECT_FALSE(shown("Memo1"));
    EXPECT_TRUE(s().KoReleaseBA);
    EXPECT_FALSE(s().ZB || s().WB || lit("ALed20"));
    EXPECT_TRUE(s().ZwblA);
    EXPECT_EQ(look("mzwbl1"), "wzb");
    EXPECT_TRUE(blinking("lp1"));
    EXPECT_EQ(desk().lampColor("lp1"), kColorWhite);
    press("pdalejClick");
    press("pdalejClick");
    EXPECT_FALSE(shown("Memo1"));
    press("pdalejClick");
    EXPECT_TRUE(shown("Memo1"));
    EXPECT_EQ(memo(), kBasicText);
    EXPECT_FALSE(s().OpB || s().KoReleaseBA);
}

TEST_F(Emergency, KoIsRefusedUntilTheTrainHasArrivedProperly)
{
    expectNoEffect("pkoaClick");
    expectNoEffect("pkobClick");
    arriveAtB();

    // The white lamp of the entry signal still blinks (Sz on).
    desk().setLampValue("ALed12", true);
    expectNoEffect("pkoaClick");
    desk().setLampValue("ALed12", false);
    // The entry signal shows proceed.
    desk().setLampValue("ALed11", false);
    expectNoEffect("pkoaClick");
    desk().setLampValue("ALed11", true);
    // LzsB still up: the train left A on Sz, its exit signal never dropped it.
    s().LzsB = true;
    expectNoEffect("pkoaClick");
    s().LzsB = false;
    press("pkoaClick");
    EXPECT_EQ(s().DalejPhase, 2);
}

TEST_F(Emergency, DKoNeedsTheBlockSetAndCountsOnce)
{
    expectNoEffect("HemisphereButton16Click"); // OpA false
    expectNoEffect("HemisphereButton3Click");  // OpB false
    setDirectionAB();
    desk().setVisible("Memo1", false);
    press("HemisphereButton16Click");
    EXPECT_TRUE(s().dKoA);
    EXPECT_TRUE(lit("ALed13"));
    EXPECT_EQ(look("mdkoa"), "wzb");
    EXPECT_EQ(memo(), kDKoText);
    EXPECT_FALSE(shown("Memo1")) << "the text is replaced, the memo not shown";
    EXPECT_EQ(s().dkoaCount, 1);
    EXPECT_EQ(counter("ldkoa"), 1);
    expectNoEffect("HemisphereButton16Click");
    expectNoEffect("HemisphereButton3Click");
}

TEST_F(Emergency, DPoAtAPutsTheBlockIntoTheStateAfterADeparture)
{
    expectNoEffect("HemisphereButton4Click");
    setDirectionAB();
    press("HemisphereButton4Click");
    EXPECT_FALSE(s().PwlA);
    EXPECT_EQ(look("mpwl1"), "odzw");
    EXPECT_TRUE(lit("ALed1"));
    EXPECT_TRUE(lit("ALed7"));
    EXPECT_FALSE(lit("ALed5"));
    EXPECT_FALSE(s().SA || s().PwyB || s().LzsB);
    EXPECT_EQ(look("mlzs2"), "odzw");
    EXPECT_EQ(desk().lampColor("lp2"), kColorRed);
    EXPECT_EQ(desk().lampColor("lwbl1"), kColorRed);
    EXPECT_EQ(desk().caption("ns1"), "żyła 79 : Brak");
    EXPECT_EQ(memo(), kDPoText);
    EXPECT_EQ(counter("ldpoa"), 1);
    // One use per setting of the block; the exit signal is used up.
    expectNoEffect("HemisphereButton4Click");
    expectNoEffect("psa1Click");
}

TEST_F(Emergency, DPoAtBLightsPwlBAndTurnsTheArrivalArrowRed)
{
    setDirectionAB();
    expectNoEffect("HemisphereButton15Click");
    press("pwbl1Click"); // release the unused block from A to B
    press("pwbl2Click");
    press("pdalejClick");
    press("pdalejClick");
    press("pdalejClick");
    setDirectionBA();
    press("HemisphereButton15Click");
    EXPECT_TRUE(lit("ALed16"));
    EXPECT_EQ(desk().lampColor("lp1"), kColorRed);
    EXPECT_FALSE(s().PwlB || s().LzsA);
    EXPECT_EQ(s().dpobCount, 1);
    EXPECT_EQ(s().dpoaCount, 0);
    EXPECT_EQ(counter("ldpob"), 1);
}

TEST_F(Emergency, ConflictingSzShowsTheMishapAndCountsNothing)
{
    s().SB = true; // exit signal B cleared
    press("psza1Click");
    EXPECT_TRUE(shown("Panel27"));
    EXPECT_FALSE(lit("ALed2"));
    EXPECT_FALSE(s().sza1Active);
    EXPECT_EQ(counter("lsza1"), 0);
    EXPECT_FALSE(running("Timer2"));

    press("ShadowButton1Click");
    s().SB = false;
    s().TrainRunAB = true; // a train from A under way
    for (const char* sz : {"pszb2Click", "pszb1Click"}) {
        press(sz);
        EXPECT_TRUE(shown("Panel27")) << sz;
        press("ShadowButton1Click");
    }
    EXPECT_EQ(s().szb2Count + s().szb1Count, 0);

    s().TrainRunAB = false;
    press("pszb2Click"); // Sz on exit signal B
    ASSERT_TRUE(s().szb2Active);
    press("psza2Click"); // conflicts with it
    EXPECT_TRUE(shown("Panel27"));
    EXPECT_FALSE(s().sza2Active);
}

TEST_F(Emergency, SzOnExitSignalsShowsTheArrowAndSwitchesOff)
{
    press("psza1Click");
    EXPECT_TRUE(lit("ALed2"));
    EXPECT_TRUE(shown("ArrowButton1"));
    EXPECT_TRUE(running("Timer2"));
    EXPECT_EQ(counter("lsza1"), 1);
    press("psza1Click");
    EXPECT_FALSE(lit("ALed2"));
    EXPECT_FALSE(shown("ArrowButton1"));
    EXPECT_EQ(counter("lsza1"), 1) << "switching off does not count";
    EXPECT_TRUE(running("Timer2")) << "the station's timer runs on";

    press("pszb2Click");
    EXPECT_TRUE(lit("ALed10"));
    EXPECT_TRUE(shown("ArrowButton3"));
    EXPECT_TRUE(running("Timer3"));
    EXPECT_EQ(counter("lszb2"), 1);
}

TEST_F(Emergency, SzOnAnEntrySignalSetsTheTrainInFrontOfIt)
{
    // The train waits at the entry signal: the arrow, no change of the step.
    s().TrainStep = 34;
    press("psza2Click");
    EXPECT_EQ(memo(), kSzText);
    EXPECT_TRUE(lit("ALed12"));
    EXPECT_TRUE(running("Timer3"));
    EXPECT_TRUE(shown("ArrowButton2"));
    EXPECT_EQ(s().TrainStep, 34);
    press("psza2Click");
    EXPECT_TRUE(shown("ArrowButton2")) << "switching off leaves the arrow";
    desk().setVisible("ArrowButton2", false);

    // A train that left station A: set in front of the signal.
    s().TrainStep = 10;
    s().PwlA = false;
    press("psza2Click");
    EXPECT_TRUE(shown("ArrowButton2"));
    EXPECT_EQ(s().TrainStep, 28);
    press("psza2Click");
    desk().setVisible("ArrowButton2", false);

    // Exactly 32: neither.
    s().TrainStep = 32;
    press("psza2Click");
    EXPECT_FALSE(shown("ArrowButton2"));
    EXPECT_EQ(s().TrainStep, 32);
    EXPECT_EQ(counter("lsza2"), 3);

    // Station A's entry signal alike, with station A's timer.
    s().TrainStep = 10;
    s().PwlB = false;
    press("pszb1Click");
    EXPECT_TRUE(lit("ALed4"));
    EXPECT_TRUE(shown("ArrowButton4"));
    EXPECT_EQ(s().TrainStep, 28);
    EXPECT_TRUE(running("Timer2"));
    EXPECT_EQ(counter("lszb1"), 1);
    press("pszb1Click");
    EXPECT_FALSE(shown("ArrowButton4"));
}

TEST_F(Emergency, SzOnAnEntrySignalLeavesATrainThatHasNotLeft)
{
    setDirectionAB(); // PwlA up: no train has left
    s().TrainStep = 10;
    press("psza2Click");
    EXPECT_FALSE(shown("ArrowButton2"));
    EXPECT_EQ(s().TrainStep, 10);
}

TEST_F(Emergency, TheSzLampsOfAStationGoOutTwentySecondsAfterTheFirst)
{
    press("psza1Click"); // second 0
    wait(10000);
    press("psza1Click"); // off at second 10: the timer runs on
    wait(5000);
    s().TrainStep = 40;
    press("pszb1Click"); // the station's other Sz at second 15
    EXPECT_TRUE(lit("ALed4"));
    EXPECT_TRUE(shown("ArrowButton4"));
    wait(4999);
    EXPECT_TRUE(lit("ALed4"));
    wait(1); // second 20
    EXPECT_FALSE(lit("ALed2") || lit("ALed4"));
    EXPECT_FALSE(shown("ArrowButton4"));
    EXPECT_FALSE(s().sza1Active || s().szb1Active);
    EXPECT_FALSE(running("Timer2"));
    EXPECT_EQ(s().SzTicksA, 0);
    EXPECT_EQ(counter("lsza1"), 1);
    EXPECT_EQ(counter("lszb1"), 1);

    // Enabled anew from the stopped timer, it counts 20 again.
    press("psza1Click");
    wait(19000);
    EXPECT_TRUE(lit("ALed2"));
    EXPECT_TRUE(shown("ArrowButton1"));
    wait(1000);
    EXPECT_FALSE(lit("ALed2"));
    EXPECT_FALSE(shown("ArrowButton1"));
}

TEST_F(Emergency, SzSwitchedOffStillLetsItsTimerEndBothFlags)
{
    press("pszb2Click");
    wait(3000);
    press("pszb2Click"); // off by the button
    s().sza2Active = true; // the station's other Sz
    wait(16999);
    EXPECT_TRUE(running("Timer3"));
    EXPECT_TRUE(s().sza2Active);
    wait(1);
    EXPECT_FALSE(running("Timer3"));
    EXPECT_FALSE(s().szb2Active || s().sza2Active);
    EXPECT_EQ(s().SzTicksB, 0);
}

TEST_F(Emergency, ACountStopsAtTheLargestValue)
{
    setDirectionAB();
    s().dkoaCount = std::numeric_limits<std::int32_t>::max() - 1;
    press("HemisphereButton16Click");
    EXPECT_EQ(s().dkoaCount, std::numeric_limits<std::int32_t>::max());
    s().dKoA = false;
    press("HemisphereButton16Click");
    EXPECT_EQ(s().dkoaCount, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(counter("ldkoa"), std::numeric_limits<std::int32_t>::max());

    s().sza1Count = -5; // a negative stored count counts up as any
    press("psza1Click");
    EXPECT_EQ(s().sza1Count, -4);
}

} // namespace
} // namespace kyt::test
