// Exit and entry signals and the DC line wires.

#include "TrafficFixture.h"

namespace kyt::test {
namespace {

using Signals = TrafficFixture;

TEST_F(Signals, ExitSignalAClearsOnceAndPutsBackWithoutTheTrain)
{
    expectNoEffect("psa1Click"); // block not set
    press("pwbl1Click");
    press("ppoz2Click");
    expectNoEffect("psa1Click"); // "DALEJ" shown
    press("psa2Click"); // entry signals act even then
    EXPECT_TRUE(s().SignalA2Clear);
    press("pdalejClick");
    expectNoEffect("psb2Click"); // set towards B, not from it

    desk().setVisible(Control::Memo1, false);
    press("psa1Click");
    EXPECT_TRUE(!lit(Control::ALed1) && lit(Control::ALed5) && lit(Control::ALed7));
    EXPECT_TRUE(desk().lampBlink(Control::lp2));
    EXPECT_EQ(desk().lampColor(Control::lp2), kColorRed);
    EXPECT_EQ(desk().caption(Control::ns1), "żyła 79 : Zwarta");
    EXPECT_EQ(desk().caption(Control::ns2), "żyła 80 : Zwarta");
    EXPECT_EQ(look(Control::msa) + look(Control::mpwyb) + look(Control::mpwl1), "wzbwzbodzw");
    EXPECT_TRUE(shown(Control::ArrowButton1) && shown(Control::Memo1));
    EXPECT_EQ(memo().rfind("Po podaniu semafora na \"Wolna Droga\"", 0), 0u);

    s().TrainStep = 3;
    desk().setVisible(Control::Memo1, false);
    press("psa1Click"); // put back before the train has passed
    EXPECT_EQ(s().TrainStep, 0);
    EXPECT_TRUE(lit(Control::ALed1) && !lit(Control::ALed5) && !shown(Control::ArrowButton1));
    EXPECT_FALSE(s().LzsB || s().PwyB || s().SA);
    EXPECT_EQ(look(Control::mlzs2), "odzw");
    EXPECT_TRUE(lit(Control::ALed7)) << "Pwl stays dropped";
    EXPECT_EQ(desk().caption(Control::ns1), "żyła 79 : Brak");
    EXPECT_FALSE(shown(Control::Memo1)) << "the stop text leaves the memo hidden";
    expectNoEffect("psa1Click");
}

TEST_F(Signals, ExitSignalBPutBackKeepsTheTrainStep)
{
    setDirectionBA();
    press("psb2Click");
    EXPECT_TRUE(lit(Control::ALed16) && lit(Control::ALed18) && shown(Control::ArrowButton3));
    EXPECT_EQ(desk().lampColor(Control::lp1), kColorRed);
    s().TrainStep = 3;
    press("psb2Click");
    EXPECT_EQ(s().TrainStep, 3);
    EXPECT_FALSE(s().LzsA || s().PwyA || s().SB);
    EXPECT_EQ(look(Control::mlzs1) + look(Control::mpwya) + look(Control::msb), "odzwodzwodzw");
}

TEST_F(Signals, EntrySignalArrowAndFlagAfterTheTrainPassed)
{
    press("psa2Click");
    EXPECT_FALSE(shown(Control::ArrowButton2)) << "no train in front of it";
    press("psa2Click");
    EXPECT_TRUE(lit(Control::ALed11) && !lit(Control::ALed8) && !s().SignalA2Clear);

    desk().setSectionColor(Control::itb, kColorRed);
    press("psb1Click");
    EXPECT_TRUE(shown(Control::ArrowButton4) && s().SignalB1Clear);

    // The train passing it puts the signal to stop but leaves its flag: the
    // next click shows proceed again, only the second one stop.
    s().TrainStep = 34;
    sim.call("Timer4Timer");
    EXPECT_TRUE(lit(Control::ALed3) && !shown(Control::ArrowButton4) && s().SignalB1Clear);
    press("psb1Click");
    EXPECT_TRUE(!lit(Control::ALed3) && s().SignalB1Clear);
    press("psb1Click");
    EXPECT_TRUE(lit(Control::ALed3) && !s().SignalB1Clear);
}

} // namespace
} // namespace kyt::test
