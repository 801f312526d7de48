// Exit and entry signals and the DC line wires.

#include "TrafficFixture.h"

namespace kyt::test {
namespace {

const std::string kProceedText =
    "Po podaniu semafora na \"Wolna Droga\" wzbudza się przekaźnik sygnałowy. Zestyk czynny "
    "tego przekaźnika powoduje odwzbudzenie Pwl ( poprzez zbocznikowanie jego cewki). Powoduje "
    "to wzrost napięcia stałego na przekaźniku Lzs i wzbudzenie Pwy.";
const std::string kStopText =
    "Po wyjeździe pociągu (ustawienie semafora na sygnał \"Stój\") przekaźnik sygnałowy "
    "odwzbudzi się powodując przerwę w obwodzie prądu stałego.";

using Signals = TrafficFixture;

TEST_F(Signals, ExitSignalsDoNothingUntilTheBlockIsSetTowardsThem)
{
    expectNoEffect("psa1Click");
    expectNoEffect("psb2Click");
    // Set from A to B: signal B at station B still may not clear.
    setDirectionAB();
    expectNoEffect("psb2Click");
}

TEST_F(Signals, WhileDalejIsShownOnlyTheEntrySignalsAct)
{
    press("pwbl1Click");
    press("ppoz2Click"); // "DALEJ" shown, PwlA and LzsB already up
    ASSERT_TRUE(shown("pdalej"));
    expectNoEffect("psa1Click");
    expectNoEffect("psb2Click");

    press("psa2Click");
    EXPECT_TRUE(lit("ALed8"));
    EXPECT_FALSE(lit("ALed11"));
    press("psb1Click");
    EXPECT_TRUE(lit("ALed6"));
    EXPECT_FALSE(lit("ALed3"));
}

TEST_F(Signals, ClearingExitSignalA)
{
    setDirectionAB();
    desk().setVisible("Memo1", false);
    press("psa1Click");

    EXPECT_FALSE(lit("ALed1"));
    EXPECT_TRUE(lit("ALed5"));
    EXPECT_TRUE(lit("ALed7"));
    EXPECT_EQ(desk().lampColor("lp2"), kColorRed);
    EXPECT_TRUE(blinking("lp2"));
    EXPECT_EQ(desk().caption("ns1"), "żyła 79 : Zwarta");
    EXPECT_EQ(desk().caption("ns2"), "żyła 80 : Zwarta");
    EXPECT_EQ(look("msa"), "wzb");
    EXPECT_EQ(look("mpwyb"), "wzb");
    EXPECT_EQ(look("mpwl1"), "odzw");
    EXPECT_TRUE(s().SA && s().PwyB && s().LzsB);
    EXPECT_FALSE(s().PwlA);
    EXPECT_TRUE(shown("ArrowButton1"));
    EXPECT_TRUE(shown("Memo1"));
    EXPECT_EQ(memo(), kProceedText);
}

TEST_F(Signals, PuttingExitSignalABackBeforeTheTrainLeft)
{
    setDirectionAB();
    press("psa1Click");
    s().TrainStep = 3; // a train already started on it
    desk().setVisible("Memo1", false);

    press("psa1Click");
    EXPECT_TRUE(lit("ALed1"));
    EXPECT_FALSE(lit("ALed5"));
    EXPECT_EQ(s().TrainStep, 0);
    EXPECT_FALSE(shown("ArrowButton1"));
    EXPECT_FALSE(s().LzsB || s().PwyB || s().SA);
    EXPECT_EQ(look("mlzs2"), "odzw");
    EXPECT_EQ(look("mpwyb"), "odzw");
    EXPECT_EQ(look("msa"), "odzw");
    EXPECT_TRUE(lit("ALed7")) << "Pwl stays dropped";
    EXPECT_EQ(desk().lampColor("lwbl1"), kColorRed);
    EXPECT_FALSE(blinking("lwbl1"));
    EXPECT_FALSE(blinking("lp2"));
    EXPECT_EQ(desk().caption("ns1"), "żyła 79 : Brak");
    EXPECT_EQ(desk().caption("ns2"), "żyła 80 : Brak");
    EXPECT_EQ(memo(), kStopText);
    EXPECT_FALSE(shown("Memo1")) << "the stop text leaves the memo hidden";

    // Used: it cannot be cleared again until the block is set anew.
    expectNoEffect("psa1Click");
}

TEST_F(Signals, ExitSignalBMirrorsAButKeepsTheTrainStep)
{
    setDirectionBA();
    press("psb2Click");
    EXPECT_FALSE(lit("ALed9"));
    EXPECT_TRUE(lit("ALed18"));
    EXPECT_TRUE(lit("ALed16"));
    EXPECT_EQ(desk().lampColor("lp1"), kColorRed);
    EXPECT_TRUE(blinking("lp1"));
    EXPECT_TRUE(shown("ArrowButton3"));
    EXPECT_EQ(look("msb"), "wzb");
    EXPECT_EQ(look("mpwya"), "wzb");
    EXPECT_EQ(look("mpwl2"), "odzw");

    s().TrainStep = 3;
    press("psb2Click");
    EXPECT_EQ(s().TrainStep, 3);
    EXPECT_TRUE(lit("ALed9"));
    EXPECT_FALSE(shown("ArrowButton3"));
    EXPECT_FALSE(s().LzsA || s().PwyA || s().SB);
    EXPECT_EQ(look("mlzs1"), "odzw");
    EXPECT_EQ(desk().lampColor("lwbl2"), kColorRed);
    expectNoEffect("psb2Click");
}

TEST_F(Signals, EntrySignalShowsItsArrowOnlyForAWaitingTrain)
{
    press("psa2Click");
    EXPECT_TRUE(s().SignalA2Clear);
    EXPECT_FALSE(shown("ArrowButton2")) << "no train in front of it";
    press("psa2Click");
    EXPECT_FALSE(s().SignalA2Clear);
    EXPECT_TRUE(lit("ALed11"));
    EXPECT_FALSE(lit("ALed8"));

    desk().setSectionColor("ita", kColorRed);
    press("psa2Click");
    EXPECT_TRUE(shown("ArrowButton2"));
    press("psa2Click");
    EXPECT_FALSE(shown("ArrowButton2"));

    desk().setSectionColor("itb", kColorRed);
    press("psb1Click");
    EXPECT_TRUE(s().SignalB1Clear);
    EXPECT_TRUE(shown("ArrowButton4"));

    // Entry signals touch neither relays, narration nor wires.
    const auto wires = desk().caption("ns1");
    const auto text = memo();
    press("psb1Click");
    EXPECT_EQ(desk().caption("ns1"), wires);
    EXPECT_EQ(memo(), text);
}

TEST_F(Signals, TheTrainPutsAnEntrySignalBackButLeavesItsFlag)
{
    press("psa2Click");
    // The A to B train passes the signal at step 35.
    s().TrainStep = 34;
    sim.call("Timer1Timer");
    EXPECT_TRUE(lit("ALed11"));
    EXPECT_FALSE(lit("ALed8"));
    EXPECT_TRUE(s().SignalA2Clear);

    // The next click clears it again, only the second puts it to stop.
    press("psa2Click");
    EXPECT_FALSE(lit("ALed11"));
    EXPECT_TRUE(s().SignalA2Clear);
    press("psa2Click");
    EXPECT_TRUE(lit("ALed11"));
    EXPECT_FALSE(s().SignalA2Clear);

    press("psb1Click");
    s().TrainStep = 34;
    sim.call("Timer4Timer");
    EXPECT_TRUE(lit("ALed3"));
    EXPECT_TRUE(s().SignalB1Clear);
}

} // namespace
} // namespace kyt::test
