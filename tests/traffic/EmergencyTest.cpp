// Ko, dKo, dPo and Sz: guards, effects, counts and the Sz timers.

#include "TrafficFixture.h"

#include <limits>

namespace kyt::test {
namespace {

const std::string kSzText = "Przed jazdą pociągu na sygnał Sz lub R305 należy użyć przycisku dKo";

using Emergency = TrafficFixture;

TEST_F(Emergency, KoAtBOnlyAfterAProperArrivalStartsTheRelease)
{
    expectNoEffect("pkoaClick");
    setDirectionAB();
    press("psa1Click");
    press("psa2Click");
    press("ArrowButton1Click");
    trainTick(63);
    press("HemisphereButton16Click"); // dKo as well: Ko clears it
    // Refused while Sz blinks on the entry signal, while it shows proceed,
    // and while LzsB is up (the train left A on Sz).
    for (Control lamp : {Control::ALed12, Control::ALed11}) {
        desk().setLampValue(lamp, !lit(lamp));
        expectNoEffect("pkoaClick");
        desk().setLampValue(lamp, !lit(lamp));
    }
    s().LzsB = true;
    expectNoEffect("pkoaClick");
    s().LzsB = false;

    const std::string text = memo();
    press("pkoaClick");
    EXPECT_TRUE(s().KoReleaseAB && s().ZwblB);
    EXPECT_FALSE(s().dKoA || s().ZA || s().WA || lit(Control::ALed13) || lit(Control::ALed19));
    EXPECT_EQ(
        look(Control::mdkoa) + look(Control::mza) + look(Control::mwa) + look(Control::mzwbl2),
        "odzwodzwodzwwzb");
    EXPECT_EQ(s().DalejPhase, 2);
    EXPECT_TRUE(shown(Control::pdalej));
    EXPECT_TRUE(desk().lampBlink(Control::lp2));
    EXPECT_EQ(desk().lampColor(Control::lp2), kColorWhite);
    EXPECT_EQ(memo(), text) << "Ko at B leaves the memo alone";
    expectNoEffect("pkoaClick");
}

TEST_F(Emergency, KoAtAHidesTheMemoUntilTheReleaseEnds)
{
    setDirectionBA();
    press("psb2Click");
    press("psb1Click");
    press("ArrowButton3Click");
    trainTick(63);
    ASSERT_TRUE(shown(Control::Memo1));
    press("pkobClick");
    EXPECT_FALSE(shown(Control::Memo1));
    EXPECT_TRUE(s().KoReleaseBA && s().ZwblA && !s().ZB && !lit(Control::ALed20));
    EXPECT_EQ(desk().lampColor(Control::lp1), kColorWhite);
    press("pdalejClick");
    press("pdalejClick");
    EXPECT_FALSE(shown(Control::Memo1));
    press("pdalejClick");
    EXPECT_TRUE(shown(Control::Memo1));
    EXPECT_FALSE(s().OpB || s().KoReleaseBA || shown(Control::pdalej));
}

TEST_F(Emergency, DKoNeedsTheBlockSetAndCountsOnce)
{
    expectNoEffect("HemisphereButton16Click");
    setDirectionAB();
    desk().setVisible(Control::Memo1, false);
    press("HemisphereButton16Click");
    EXPECT_TRUE(s().dKoA && lit(Control::ALed13));
    EXPECT_EQ(look(Control::mdkoa), "wzb");
    EXPECT_EQ(memo().rfind("W przypadku jazdy na Sz lub R305", 0), 0u);
    EXPECT_FALSE(shown(Control::Memo1));
    EXPECT_EQ(counter(Control::ldkoa), 1);
    expectNoEffect("HemisphereButton16Click");
    expectNoEffect("HemisphereButton3Click"); // OpB false
}

TEST_F(Emergency, DPoPutsTheBlockIntoTheStateAfterADeparture)
{
    expectNoEffect("HemisphereButton4Click");
    setDirectionAB();
    expectNoEffect("HemisphereButton15Click");
    press("HemisphereButton4Click");
    EXPECT_FALSE(s().PwlA || s().SA || s().PwyB || s().LzsB);
    EXPECT_TRUE(lit(Control::ALed1) && lit(Control::ALed7) && !lit(Control::ALed5));
    EXPECT_EQ(desk().lampColor(Control::lp2), kColorRed);
    EXPECT_EQ(desk().caption(Control::ns1), "żyła 79 : Brak");
    EXPECT_EQ(memo().rfind("Użycie przycisku dPo", 0), 0u);
    EXPECT_EQ(counter(Control::ldpoa), 1);
    expectNoEffect("HemisphereButton4Click");
    expectNoEffect("psa1Click"); // the exit signal is used up
}

TEST_F(Emergency, DPoAtBLightsPwlBAndTurnsTheArrivalArrowRed)
{
    setDirectionBA();
    press("HemisphereButton15Click");
    EXPECT_TRUE(lit(Control::ALed16));
    EXPECT_EQ(desk().lampColor(Control::lp1), kColorRed);
    EXPECT_EQ(counter(Control::ldpob), 1);
    EXPECT_EQ(counter(Control::ldpoa), 0);
}

TEST_F(Emergency, ConflictingSzShowsTheMishapAndCountsNothing)
{
    struct Conflict {
        const char* sz;
        bool BlockState::*with;
    };
    for (const Conflict c : {Conflict {"psza1Click", &BlockState::SB},
             Conflict {"psza1Click", &BlockState::SignalB1Clear},
             Conflict {"pszb2Click", &BlockState::SA},
             Conflict {"pszb2Click", &BlockState::TrainRunAB},
             Conflict {"psza2Click", &BlockState::szb2Active},
             Conflict {"pszb1Click", &BlockState::sza1Active}}) {
        s().*c.with = true;
        const auto counts = std::array {s().sza1Count, s().szb1Count, s().sza2Count, s().szb2Count};
        press(c.sz);
        EXPECT_TRUE(shown(Control::Panel27)) << c.sz;
        EXPECT_EQ(
            counts, (std::array {s().sza1Count, s().szb1Count, s().sza2Count, s().szb2Count}));
        EXPECT_FALSE(lit(Control::ALed2) || lit(Control::ALed10) || lit(Control::ALed12)
            || lit(Control::ALed4))
            << c.sz;
        press("ShadowButton1Click");
        s().*c.with = false;
    }
}

TEST_F(Emergency, SzOnAnEntrySignalMovesTheTrainInFrontOfIt)
{
    struct Case {
        int step;
        bool pwlA;
        bool arrow;
        int stepAfter;
    };
    // Waiting at the signal; left station A; exactly 32; not yet left.
    for (const Case c : {Case {34, false, true, 34}, Case {10, false, true, 28},
             Case {32, false, false, 32}, Case {10, true, false, 10}}) {
        SCOPED_TRACE(c.step);
        s().TrainStep = c.step;
        s().PwlA = c.pwlA;
        press("psza2Click");
        EXPECT_EQ(memo(), kSzText);
        EXPECT_TRUE(lit(Control::ALed12) && running(Control::Timer3));
        EXPECT_EQ(shown(Control::ArrowButton2), c.arrow);
        EXPECT_EQ(s().TrainStep, c.stepAfter);
        press("psza2Click"); // off: the arrow stays as it is
        EXPECT_EQ(shown(Control::ArrowButton2), c.arrow);
        desk().setVisible(Control::ArrowButton2, false);
    }
    EXPECT_EQ(counter(Control::lsza2), 4);

    s().TrainStep = 10;
    press("pszb1Click");
    EXPECT_TRUE(lit(Control::ALed4) && shown(Control::ArrowButton4) && running(Control::Timer2));
    EXPECT_EQ(s().TrainStep, 28);
    EXPECT_EQ(counter(Control::lszb1), 1);
}

TEST_F(Emergency, TheSzLampsOfAStationGoOutTwentySecondsAfterTheTimerStarted)
{
    press("psza1Click"); // second 0
    EXPECT_TRUE(shown(Control::ArrowButton1));
    wait(10000);
    press("psza1Click"); // off at second 10: the timer runs on
    EXPECT_FALSE(shown(Control::ArrowButton1));
    wait(5000);
    s().TrainStep = 40;
    press("pszb1Click"); // the station's other Sz at second 15
    wait(4999);
    EXPECT_TRUE(lit(Control::ALed4) && shown(Control::ArrowButton4));
    wait(1); // second 20
    EXPECT_FALSE(lit(Control::ALed4) || shown(Control::ArrowButton4) || s().szb1Active
        || running(Control::Timer2));
    EXPECT_EQ(s().SzTicksA, 0);
    EXPECT_EQ(counter(Control::lsza1) + counter(Control::lszb1), 2);

    // Station B: switched off by the button, the timer still clears both.
    press("pszb2Click");
    wait(3000);
    press("pszb2Click");
    s().sza2Active = true;
    wait(16999);
    EXPECT_TRUE(s().sza2Active);
    wait(1);
    EXPECT_FALSE(s().sza2Active || running(Control::Timer3));
}

TEST_F(Emergency, ACountStopsAtTheLargestValue)
{
    setDirectionAB();
    s().dkoaCount = std::numeric_limits<std::int32_t>::max() - 1;
    press("HemisphereButton16Click");
    s().dKoA = false;
    press("HemisphereButton16Click");
    EXPECT_EQ(s().dkoaCount, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(counter(Control::ldkoa), std::numeric_limits<std::int32_t>::max());
}

} // namespace
} // namespace kyt::test
