// The train run: whole runs tick by tick in both directions, the waits at
// the signals, the train button, the mishap panel and the two timers that
// share one step counter.

#include "TrafficFixture.h"

#include "Block.h"

#include <tuple>
#include <utility>

namespace kyt::test {
namespace {

const std::string kArrivalStart = "Po minięciu semafora wjazdowego";
const std::string kKoText
    = "Naciśnięcie przycisku Ko powoduje wzbudzenie przekaźnika StKo a za jego pośrednictwem "
      "Zwbl. Wzbudzenie Zwbl uwarunkowane jest prawidłowym stanem urządzeń (Kc,Sz,S itd).";

// The ticks at which the train enters and leaves the n-th section it meets.
constexpr std::pair<int, int> kOccupation[11] = {{1, 8}, {3, 14}, {5, 21}, {11, 27}, {18, 32},
    {24, 38}, {30, 45}, {35, 51}, {42, 56}, {48, 59}, {53, 61}};

std::vector<Control> expectedOccupation(int tick, bool fromA)
{
    std::vector<Control> v;
    for (std::size_t i = 0; i < kSections.size(); ++i) {
        const auto [in, out] = kOccupation[fromA ? i : kSections.size() - 1 - i];
        if (tick >= in && tick < out)
            v.emplace_back(kSections[i]);
    }
    return v;
}

struct Direction {
    bool fromA;
    const char *exitSignal, *entrySignal, *start;
    Control timer, exitRed, w, z, koLamp;
};

class WholeRun : public TrafficFixture, public ::testing::WithParamInterface<Direction> { };

TEST_P(WholeRun, OnClearedSignalsTickByTick)
{
    const Direction d = GetParam();
    if (d.fromA)
        setDirectionAB();
    else
        setDirectionBA();
    press(d.exitSignal);
    press(d.entrySignal);
    press(d.start);
    for (int tick = 1; tick <= 63; ++tick) {
        trainTick();
        SCOPED_TRACE("tick " + std::to_string(tick));
        EXPECT_EQ(occupied(), expectedOccupation(tick, d.fromA));
        EXPECT_EQ(lit(d.exitRed), tick >= 6) << "the exit signal falls behind the train";
        EXPECT_EQ(look(d.w), tick >= 35 ? "wzb" : "odzw");
        EXPECT_EQ(look(d.z), tick >= 57 ? "wzb" : "odzw");
        EXPECT_EQ(lit(d.koLamp), tick >= 57);
        EXPECT_EQ(shown(Control::pst) && running(d.timer), tick < 63);
        EXPECT_EQ(s().TrainStep, tick % 63);
        if (tick == 33) {
            EXPECT_EQ(memo().rfind(kArrivalStart, 0), 0u);
        }
    }
    // The Ko text follows the arrival text directly.
    const std::string end = "pozwolenia." + kKoText;
    EXPECT_EQ(memo().rfind(end), memo().size() - end.size());
    EXPECT_FALSE(s().TrainRunAB || s().TrainRunBA);
    EXPECT_FALSE(shown(Control::Panel27));
}

INSTANTIATE_TEST_SUITE_P(BothDirections, WholeRun,
    ::testing::Values(
        Direction {true, "psa1Click", "psa2Click", "ArrowButton1Click", Control::Timer1,
            Control::ALed1, Control::mwa, Control::mza, Control::ALed19},
        Direction {false, "psb2Click", "psb1Click", "ArrowButton3Click", Control::Timer4,
            Control::ALed9, Control::mwb, Control::mzb, Control::ALed20}),
    [](const auto& info) { return std::string(info.param.fromA ? "AtoB" : "BtoA"); });

using TrainRun = TrafficFixture;

TEST_F(TrainRun, WaitsAtTheExitSignalWhenItsSzGoesOffAndGoesOnWhereItStood)
{
    setDirectionAB();
    press("psza1Click");
    press("ArrowButton1Click");
    trainTick(2);
    press("psza1Click"); // Sz off before step 4
    trainTick(10);
    EXPECT_EQ(s().TrainStep, 4);
    EXPECT_EQ(occupied(), (std::vector<Control> {Control::Shape1, Control::Shape2}));
    press("psza1Click");
    press("ArrowButton1Click");
    trainTick();
    EXPECT_EQ(s().TrainStep, 5);
    EXPECT_FALSE(shown(Control::Panel27));
    trainTick(3);
    desk().setVisible(Control::ArrowButton1, true);
    press("ArrowButton1Click"); // beyond step 4: a new run
    EXPECT_EQ(s().TrainStep, 0);
}

TEST_F(TrainRun, EntrySignalAspectsAtStep34)
{
    struct Aspect {
        bool red, white, waits;
    };
    for (const Aspect a : {Aspect {true, false, true}, Aspect {false, false, false},
             Aspect {true, true, false}, Aspect {false, true, true}}) {
        SCOPED_TRACE(std::to_string(a.red) + std::to_string(a.white));
        for (const auto& [timer, tickHandler, redLamp, whiteLamp] :
            {std::tuple {Control::Timer1, "Timer1Timer", Control::ALed11, Control::ALed12},
                std::tuple {Control::Timer4, "Timer4Timer", Control::ALed3, Control::ALed4}}) {
            desk().setLampValue(redLamp, a.red);
            desk().setLampValue(whiteLamp, a.white);
            desk().setTimerEnabled(timer, true);
            s().TrainStep = 33;
            sim.call(tickHandler);
            EXPECT_EQ(running(timer), !a.waits) << timer;
            desk().setTimerEnabled(timer, false);
        }
    }
}

TEST_F(TrainRun, WAndTheArrivalTextNeedTheBlockAndASignalOrDKo)
{
    setDirectionAB();
    press("psa1Click");
    press("ArrowButton1Click");
    trainTick(40);
    ASSERT_EQ(s().TrainStep, 34);
    ASSERT_FALSE(running(Control::Timer1)) << "waits at the entry signal at stop";
    press("psza2Click"); // Sz on it, no dKo
    EXPECT_EQ(s().TrainStep, 34);
    press("ArrowButton2Click");
    trainTick(29);
    EXPECT_FALSE(s().WA || s().ZA || lit(Control::ALed19));
    EXPECT_EQ(memo().find(kKoText), std::string::npos);

    // Without a block the run from A tells nothing; the run from B tells of
    // the arrival at step 33 whatever OpB is, but sets no W.
    ResetBlock(s());
    for (Control lamp : {Control::ALed1, Control::ALed11, Control::ALed9, Control::ALed3})
        desk().setLampValue(lamp, false);
    desk().setTimerEnabled(Control::Timer1, true);
    const std::string before = memo();
    trainTick(63);
    EXPECT_EQ(memo(), before);
    EXPECT_FALSE(s().WA);
    desk().setTimerEnabled(Control::Timer4, true);
    trainTick(33);
    EXPECT_EQ(memo().rfind(kArrivalStart, 0), 0u);
    trainTick(30);
    EXPECT_FALSE(s().WB);
}

TEST_F(TrainRun, DKoLetsATrainOnSzSetTheReceivingStation)
{
    setDirectionAB();
    press("psa1Click");
    press("ArrowButton1Click");
    trainTick(40);
    press("HemisphereButton16Click");
    press("psza2Click");
    press("ArrowButton2Click");
    trainTick(29);
    EXPECT_TRUE(s().WA && s().ZA && lit(Control::ALed19));
}

TEST_F(TrainRun, OccupiedSectionsShowTheMishapOnlyFromA)
{
    // Putting the exit signal back restarts the A to B run from step 1 into
    // the sections it holds already.
    setDirectionAB();
    press("psa1Click");
    press("ArrowButton1Click");
    trainTick(3);
    press("pstClick");
    press("psa1Click");
    press("pstClick");
    trainTick(3);
    EXPECT_TRUE(shown(Control::Panel27));
    EXPECT_TRUE(running(Control::Timer1)) << "the run goes on";
    press("ShadowButton1Click");
    EXPECT_FALSE(sim.click("ShadowButton1Click")) << "a hidden panel takes no click";
    desk().setLampValue(Control::ALed2, true); // let it past the exit signal
    desk().setSectionColor(Control::oitb1, kColorRed);
    trainTick(2);
    EXPECT_TRUE(shown(Control::Panel27));
    press("ShadowButton1Click");

    // A B to A run into red sections checks nothing.
    desk().setTimerEnabled(Control::Timer1, false);
    s().TrainStep = 0;
    desk().setSectionColor(Control::Shape10, kColorRed);
    desk().setSectionColor(Control::oita2, kColorRed);
    desk().setLampValue(Control::ALed9, false);
    desk().setTimerEnabled(Control::Timer4, true);
    trainTick(5);
    EXPECT_FALSE(shown(Control::Panel27));
}

TEST_F(TrainRun, TheTrainButtonPausesAndLetsATrainPastASignalAtStop)
{
    setDirectionAB();
    press("psa1Click");
    press("ArrowButton1Click");
    trainTick(10);
    press("pstClick");
    EXPECT_EQ(desk().caption(Control::pst), "Pociąg \"JEDŹ\"");
    trainTick(6);
    EXPECT_EQ(s().TrainStep, 10);
    press("pstClick");
    EXPECT_EQ(desk().caption(Control::pst), "Pociąg \"STÓJ\"");
    trainTick(30);
    ASSERT_EQ(s().TrainStep, 34);
    press("pstClick");
    press("pstClick");
    trainTick();
    EXPECT_EQ(s().TrainStep, 35);
    EXPECT_FALSE(s().WA) << "entered at stop";
}

TEST_F(TrainRun, BothTimersShareTheStepAndTheResumeButtonsRefuseEachOther)
{
    for (Control lamp : {Control::ALed1, Control::ALed9, Control::ALed3})
        desk().setLampValue(lamp, false);
    desk().setVisible(Control::ArrowButton1, true);
    desk().setVisible(Control::ArrowButton3, true);
    press("ArrowButton1Click");
    press("ArrowButton3Click");
    trainTick(); // Timer1 takes step 1, Timer4 step 2 in the same moment
    EXPECT_EQ(s().TrainStep, 2);
    EXPECT_TRUE(red(Control::Shape1) && !red(Control::Shape11));
    EXPECT_TRUE(shown(Control::ArrowButton1) && !shown(Control::ArrowButton3));

    desk().setVisible(Control::ArrowButton2, true);
    desk().setVisible(Control::ArrowButton4, true);
    expectNoEffect("ArrowButton2Click");
    expectNoEffect("ArrowButton4Click");

    trainTick(30);
    EXPECT_EQ(s().TrainStep, 62);
    trainTick(); // A to B ends at 63, B to A goes on from the reset step
    EXPECT_FALSE(running(Control::Timer1));
    EXPECT_TRUE(running(Control::Timer4));
    EXPECT_EQ(s().TrainStep, 1);
}

} // namespace
} // namespace kyt::test
