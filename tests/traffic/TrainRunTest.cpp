// The train run: whole runs tick by tick in both directions, the waits at
// the signals, the train button, the mishap panel and the two timers
// sharing one step counter.

#include "TrafficFixture.h"

#include <utility>

namespace kyt::test {
namespace {

const std::string kArrivalText =
    "Po minięciu semafora wjazdowego i wjeździe na pierwszy odcinek izolowany  wzbudza się "
    "przekaźnik W ustawiając semafor wjazdowy na sygnał \"Stój\". Po zjeździe ostatnią osią "
    "drugiego odcinka izolowanego wzbudza się przekaźnik Z. Na pulpicie zapala się biała "
    "lampka Ko. Blokada jest przygotowana do zwrotu pozwolenia.";
const std::string kKoText =
    "Naciśnięcie przycisku Ko powoduje wzbudzenie przekaźnika StKo a za jego pośrednictwem "
    "Zwbl. Wzbudzenie Zwbl uwarunkowane jest prawidłowym stanem urządzeń (Kc,Sz,S itd).";

// The ticks at which the train enters and leaves the n-th section it meets.
constexpr std::pair<int, int> kOccupation[11] = {{1, 8},   {3, 14},  {5, 21},  {11, 27},
                                                 {18, 32}, {24, 38}, {30, 45}, {35, 51},
                                                 {42, 56}, {48, 59}, {53, 61}};

// The sections a train from A (or, mirrored, from B) holds after `tick` ticks.
std::vector<std::string> expectedOccupation(int tick, bool fromA)
{
    std::vector<std::string> v;
    for (std::size_t i = 0; i < kSections.size(); ++i) {
        const std::size_t met = fromA ? i : kSections.size() - 1 - i;
        if (tick >= kOccupation[met].first && tick < kOccupation[met].second)
            v.emplace_back(kSections[i]);
    }
    return v;
}

using TrainRun = TrafficFixture;

TEST_F(TrainRun, FromAToBOnAClearedSignalTickByTick)
{
    setDirectionAB();
    press("psa1Click");
    press("psa2Click"); // the entry signal at B shows proceed too
    press("ArrowButton1Click");
    EXPECT_TRUE(running("Timer1"));
    EXPECT_FALSE(shown("pst"));

    for (int tick = 1; tick <= 63; ++tick) {
        trainTick();
        SCOPED_TRACE("tick " + std::to_string(tick));
        EXPECT_EQ(occupied(), expectedOccupation(tick, true));
        EXPECT_EQ(shown("ArrowButton1"), tick < 2);
        // The exit signal goes back to stop behind the train at tick 6.
        EXPECT_EQ(lit("ALed1"), tick >= 6);
        EXPECT_EQ(look("msa"), tick >= 6 ? "odzw" : "wzb");
        EXPECT_EQ(s().LzsB, tick < 6);
        // W when the train passes the entry signal, Z and the Ko lamp when it
        // has cleared the second isolated section.
        EXPECT_EQ(s().WA, tick >= 35);
        EXPECT_EQ(look("mza"), tick >= 57 ? "wzb" : "odzw");
        EXPECT_EQ(lit("ALed19"), tick >= 57);
        EXPECT_EQ(s().TrainRunAB, tick <= 62);
        EXPECT_EQ(shown("pst"), tick < 63);
        EXPECT_EQ(running("Timer1"), tick < 63);
        EXPECT_EQ(s().TrainStep, tick < 63 ? tick : 0);
        if (tick == 6) {
            EXPECT_EQ(look("mpwyb"), "odzw");
            EXPECT_EQ(look("mlzs2"), "odzw");
            EXPECT_EQ(desk().caption("ns1"), "żyła 79 : Brak");
            EXPECT_FALSE(blinking("lp2"));
        }
        if (tick == 33) {
            EXPECT_EQ(memo(), kArrivalText);
        }
    }
    EXPECT_EQ(look("mwa"), "wzb");
    EXPECT_TRUE(lit("ALed11")) << "the entry signal shows stop behind the train";
    EXPECT_EQ(memo(), kArrivalText + kKoText);
    EXPECT_EQ(desk().caption("pst"), kStopCaption);
    EXPECT_FALSE(shown("Panel27"));

    // Nothing moves any more.
    wait(10000);
    EXPECT_EQ(s().TrainStep, 0);
    EXPECT_TRUE(occupied().empty());
}

TEST_F(TrainRun, FromBToAIsTheMirrorImage)
{
    setDirectionBA();
    press("psb2Click");
    press("psb1Click");
    press("ArrowButton3Click");
    for (int tick = 1; tick <= 63; ++tick) {
        trainTick();
        SCOPED_TRACE("tick " + std::to_string(tick));
        EXPECT_EQ(occupied(), expectedOccupation(tick, false));
        EXPECT_EQ(lit("ALed9"), tick >= 6);
        EXPECT_EQ(s().LzsA, tick < 6);
        EXPECT_EQ(s().WB, tick >= 35);
        EXPECT_EQ(lit("ALed20"), tick >= 57);
        EXPECT_EQ(running("Timer4"), tick < 63);
    }
    EXPECT_EQ(look("mwb"), "wzb");
    EXPECT_EQ(look("mzb"), "wzb");
    EXPECT_TRUE(lit("ALed3"));
    EXPECT_EQ(memo(), kArrivalText + kKoText) << "the B to A run tells of W at 33 only";
    EXPECT_FALSE(shown("Panel27"));
}

TEST_F(TrainRun, WaitsAtAnExitSignalAtStopAndGoesOnWhenGivenSz)
{
    setDirectionAB();
    press("psza1Click"); // Sz on exit signal A: the train may leave on it
    press("ArrowButton1Click");
    trainTick(2);
    press("psza1Click"); // Sz switched off again before step 4
    trainTick(2);
    EXPECT_EQ(s().TrainStep, 4);
    EXPECT_FALSE(running("Timer1"));
    EXPECT_EQ(occupied(), (std::vector<std::string>{"Shape1", "Shape2"}));
    wait(5000);
    EXPECT_EQ(s().TrainStep, 4) << "the waiting train stands still";

    press("psza1Click");
    ASSERT_TRUE(shown("ArrowButton1"));
    press("ArrowButton1Click");
    trainTick();
    EXPECT_EQ(s().TrainStep, 5) << "resumed where it stood";
    EXPECT_TRUE(red("oitb1"));
    EXPECT_FALSE(shown("Panel27"));
}

TEST_F(TrainRun, AnotherStartAtTheExitSignalBeginsANewRun)
{
    setDirectionAB();
    press("psa1Click");
    press("ArrowButton1Click");
    trainTick(3);
    desk().setVisible("ArrowButton1", true);
    press("ArrowButton1Click"); // step 3 is not beyond 4: goes on
    trainTick();
    EXPECT_EQ(s().TrainStep, 4);
    trainTick(3);
    desk().setVisible("ArrowButton1", true);
    press("ArrowButton1Click"); // beyond step 4: from step 1 again
    EXPECT_EQ(s().TrainStep, 0);
}

struct EntryAspect {
    bool red;
    bool white;
    bool waits;
};

TEST_F(TrainRun, TheEntrySignalTestAtStep34)
{
    for (const EntryAspect a : {EntryAspect{true, false, true}, EntryAspect{false, false, false},
                                EntryAspect{true, true, false}, EntryAspect{false, true, true}}) {
        SCOPED_TRACE(std::string("red ") + (a.red ? "on" : "off") + ", white " +
                     (a.white ? "on" : "off"));
        desk().setLampValue("ALed11", a.red);
        desk().setLampValue("ALed12", a.white);
        desk().setTimerEnabled("Timer1", true);
        s().TrainStep = 33;
        sim.call("Timer1Timer");
        EXPECT_EQ(running("Timer1"), !a.waits);

        desk().setLampValue("ALed3", a.red);
        desk().setLampValue("ALed4", a.white);
        desk().setTimerEnabled("Timer4", true);
        s().TrainStep = 33;
        sim.call("Timer4Timer");
        EXPECT_EQ(running("Timer4"), !a.waits);
        desk().setTimerEnabled("Timer1", false);
        desk().setTimerEnabled("Timer4", false);
    }
}

TEST_F(TrainRun, WaitsAtTheEntrySignalUntilItIsCleared)
{
    setDirectionAB();
    press("psa1Click");
    press("ArrowButton1Click");
    trainTick(40);
    EXPECT_EQ(s().TrainStep, 34);
    EXPECT_FALSE(running("Timer1"));
    EXPECT_TRUE(shown("pst"));
    EXPECT_TRUE(red("ita"));
    EXPECT_FALSE(shown("ArrowButton2"));

    press("psa2Click");
    ASSERT_TRUE(shown("ArrowButton2"));
    press("ArrowButton2Click");
    EXPECT_FALSE(shown("ArrowButton2"));
    trainTick();
    EXPECT_EQ(s().TrainStep, 35);
    EXPECT_TRUE(s().WA);
    EXPECT_EQ(memo(), kArrivalText);
    EXPECT_TRUE(lit("ALed11"));
}

TEST_F(TrainRun, OnSzWithoutDKoTheReceivingStationStaysUnset)
{
    setDirectionAB();
    press("psa1Click");
    press("ArrowButton1Click");
    trainTick(40); // waits at step 34
    press("psa2Click");
    press("psa2Click"); // back to stop
    press("psza2Click"); // Sz on the entry signal
    ASSERT_TRUE(shown("ArrowButton2"));
    EXPECT_EQ(s().TrainStep, 34);
    press("ArrowButton2Click");
    trainTick(29);
    EXPECT_EQ(s().TrainStep, 0);
    EXPECT_FALSE(s().WA || s().ZA);
    EXPECT_FALSE(lit("ALed19"));
    EXPECT_EQ(memo().find(kKoText), std::string::npos);
}

TEST_F(TrainRun, OnSzWithDKoTheReceivingStationIsSetAsOnProceed)
{
    setDirectionAB();
    press("psa1Click");
    press("ArrowButton1Click");
    trainTick(40);
    press("HemisphereButton16Click"); // dKo at B
    press("psza2Click");
    press("ArrowButton2Click");
    trainTick(29);
    EXPECT_TRUE(s().WA && s().ZA);
    EXPECT_TRUE(lit("ALed19"));
    EXPECT_EQ(memo(), kArrivalText + kKoText);
}

TEST_F(TrainRun, WithoutASetBlockNoArrivalOnTheRunFromA)
{
    // No block: the A to B train tells nothing and sets no W.
    desk().setTimerEnabled("Timer1", true);
    desk().setLampValue("ALed11", false); // entry signal at proceed
    desk().setLampValue("ALed1", false);  // exit signal not at stop
    const std::string before = memo();
    trainTick(63);
    EXPECT_EQ(memo(), before);
    EXPECT_FALSE(s().WA || s().ZA);

    // The B to A run tells of the arrival at step 33 whatever OpB is.
    desk().setTimerEnabled("Timer4", true);
    desk().setLampValue("ALed9", false);
    desk().setLampValue("ALed3", false);
    trainTick(33);
    EXPECT_EQ(memo(), kArrivalText);
    trainTick(30);
    EXPECT_FALSE(running("Timer4"));
    EXPECT_FALSE(s().WB || s().ZB);
}

TEST_F(TrainRun, RunningIntoAnOccupiedSectionShowsTheMishap)
{
    // A B to A train leaves Shape2 and oitb1 red behind; the B to A run
    // itself checks nothing.
    desk().setSectionColor("Shape10", kColorRed);
    desk().setSectionColor("oita2", kColorRed);
    desk().setTimerEnabled("Timer4", true);
    desk().setLampValue("ALed9", false);
    trainTick(5);
    EXPECT_FALSE(shown("Panel27"));
    desk().setTimerEnabled("Timer4", false);
    s().TrainStep = 0;

    desk().setSectionColor("Shape2", kColorRed);
    desk().setLampValue("ALed1", false);
    desk().setTimerEnabled("Timer1", true);
    trainTick(3);
    EXPECT_TRUE(shown("Panel27"));
    EXPECT_TRUE(running("Timer1")) << "the run goes on";
    press("ShadowButton1Click");
    EXPECT_FALSE(shown("Panel27"));
    EXPECT_FALSE(sim.click("ShadowButton1Click")) << "a hidden panel takes no click";

    desk().setSectionColor("oitb1", kColorRed);
    trainTick(2);
    EXPECT_EQ(s().TrainStep, 5);
    EXPECT_TRUE(shown("Panel27"));
}

TEST_F(TrainRun, PuttingTheSignalBackRestartsTheRunIntoItsOwnSections)
{
    setDirectionAB();
    press("psa1Click");
    press("ArrowButton1Click");
    trainTick(3);
    press("pstClick"); // pause
    press("psa1Click"); // put back: TrainStep 0, Shape1 and Shape2 stay red
    EXPECT_EQ(s().TrainStep, 0);
    press("pstClick"); // go on: from step 1 again
    trainTick(3);
    EXPECT_TRUE(shown("Panel27"));
}

TEST_F(TrainRun, TheTrainButtonPausesAndMovesPastASignalAtStop)
{
    setDirectionAB();
    press("psa1Click");
    press("ArrowButton1Click");
    trainTick(10);
    press("pstClick");
    EXPECT_EQ(desk().caption("pst"), kGoCaption);
    EXPECT_FALSE(running("Timer1"));
    wait(3000);
    EXPECT_EQ(s().TrainStep, 10);
    press("pstClick");
    EXPECT_EQ(desk().caption("pst"), kStopCaption);
    trainTick(24);
    ASSERT_EQ(s().TrainStep, 34);
    ASSERT_FALSE(running("Timer1")) << "waits at the entry signal";

    // Pressed twice, the button lets the train past the signal at stop.
    press("pstClick");
    press("pstClick");
    trainTick();
    EXPECT_EQ(s().TrainStep, 35);
    EXPECT_FALSE(s().WA) << "entered at stop";
    trainTick(28);
    EXPECT_FALSE(shown("pst"));
    EXPECT_EQ(desk().caption("pst"), kStopCaption) << "the caption stays after the run";
    EXPECT_FALSE(lit("ALed19"));
}

TEST_F(TrainRun, TheTrainButtonLeavesADirectionThatIsNotRunning)
{
    desk().setVisible("pst", true);
    press("pstClick");
    press("pstClick");
    EXPECT_FALSE(running("Timer1") || running("Timer4"));
}

TEST_F(TrainRun, EntryResumeButtonsRefuseWhileTheOtherDirectionRuns)
{
    desk().setVisible("ArrowButton2", true);
    desk().setVisible("ArrowButton4", true);
    desk().setTimerEnabled("Timer4", true);
    expectNoEffect("ArrowButton2Click");
    desk().setTimerEnabled("Timer4", false);
    desk().setTimerEnabled("Timer1", true);
    expectNoEffect("ArrowButton4Click");
    desk().setTimerEnabled("Timer1", false);
    press("ArrowButton4Click");
    EXPECT_TRUE(running("Timer4"));
    EXPECT_FALSE(shown("ArrowButton4"));
}

TEST_F(TrainRun, BothTimersAdvanceTheOneSharedStep)
{
    // Both exit signals and entry signal B of station A let the trains on.
    desk().setLampValue("ALed1", false);
    desk().setLampValue("ALed9", false);
    desk().setLampValue("ALed3", false);
    desk().setVisible("ArrowButton1", true);
    desk().setVisible("ArrowButton3", true);
    press("ArrowButton1Click");
    press("ArrowButton3Click");

    trainTick(); // Timer1 takes step 1, Timer4 step 2 in the same moment
    EXPECT_EQ(s().TrainStep, 2);
    EXPECT_TRUE(red("Shape1"));
    EXPECT_FALSE(red("Shape11")) << "B to A missed its step 1";
    EXPECT_TRUE(shown("ArrowButton1")) << "A to B missed its step 2";
    EXPECT_FALSE(shown("ArrowButton3"));
    EXPECT_TRUE(s().TrainRunAB && s().TrainRunBA);

    trainTick(); // steps 3 and 4
    EXPECT_TRUE(red("Shape2"));
    EXPECT_FALSE(red("Shape10"));
    EXPECT_TRUE(running("Timer1") && running("Timer4"));

    // Whichever direction ticks at 63 ends only its own run.
    wait(500 * 29);
    EXPECT_EQ(s().TrainStep, 62);
    trainTick();
    EXPECT_FALSE(running("Timer1")) << "A to B took step 63";
    EXPECT_TRUE(running("Timer4"));
    EXPECT_EQ(s().TrainStep, 1) << "B to A went on from the reset counter";
}

} // namespace
} // namespace kyt::test
