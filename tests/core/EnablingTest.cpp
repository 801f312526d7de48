#include "DeskFixture.h"
#include "ExpectedTexts.h"

using namespace kyt;

using Enabling = DeskFixture;

TEST_F(Enabling, WblAtARequestsTheBlock)
{
    press("pwbl1Click");
    EXPECT_TRUE(s().WblA && s().NcA && s().IcB);
    EXPECT_FALSE(s().WblB || s().NcB || s().IcA);
    EXPECT_EQ(s().DalejPhase, 0);
    for (Control m : {Control::mwbl1, Control::mnc1, Control::mic2})
        EXPECT_EQ(look(m), "wzb") << m;
    for (Control m : {Control::mwbl2, Control::mnc2, Control::mic1})
        EXPECT_EQ(look(m), "odzw") << m;
    for (Control arrow : {Control::lwbl1, Control::lp2}) {
        EXPECT_TRUE(lit(arrow) && blinking(arrow)) << arrow;
        EXPECT_EQ(desk().lampColor(arrow), kColorWhite);
    }
    EXPECT_FALSE(lit(Control::lwbl2) || lit(Control::lp1));
    EXPECT_TRUE(memoShown());
    EXPECT_EQ(memo(), expected::kEnableA);
    EXPECT_EQ(np(), "Od A do B");
    EXPECT_EQ(ns1(), "żyłe 79 : brak");
    EXPECT_EQ(ns2(), "żyłe 80 : brak");
    EXPECT_FALSE(dalejShown());
}

TEST_F(Enabling, WblAtBRequestsWithTheMemoHidden)
{
    press("pwbl2Click");
    EXPECT_TRUE(s().WblB && s().NcB && s().IcA);
    for (Control m : {Control::mwbl2, Control::mnc2, Control::mic1})
        EXPECT_EQ(look(m), "wzb") << m;
    EXPECT_TRUE(lit(Control::lwbl2) && blinking(Control::lwbl2) && lit(Control::lp1)
        && blinking(Control::lp1));
    EXPECT_FALSE(memoShown());
    // The text is left as it was; only hidden.
    EXPECT_EQ(
        memo(), "Stan zasadniczy. Przekaźniki Dp na stacji \"A\" i \"B\"  wzbudzone bezprądowo.");
    // The line label names the direction from A whichever station asks.
    EXPECT_EQ(np(), "Od A do B");
}

TEST_F(Enabling, WithdrawalAtAWaitsForDalejThenReturnsToTheBasicState)
{
    press("pwbl1Click");
    press("pwbl1Click");
    EXPECT_FALSE(s().WblA);
    EXPECT_EQ(s().DalejPhase, 3);
    EXPECT_TRUE(dalejShown());
    EXPECT_EQ(memo(), expected::kWithdrawA);
    // Nothing returned yet: the indicators and arrows wait for "DALEJ".
    EXPECT_EQ(look(Control::mwbl1), "wzb");
    EXPECT_TRUE(lit(Control::lwbl1) && blinking(Control::lwbl1));

    // A third Wbl press while "DALEJ" is shown does nothing.
    expectRefused("pwbl1Click");
    // Nor may B ask, nor grant the withdrawn request.
    expectRefused("pwbl2Click");
    expectRefused("ppoz2Click");

    press("pdalejClick");
    EXPECT_EQ(memo(), expected::kBasicState);
    EXPECT_TRUE(memoShown());
    EXPECT_EQ(np(), "brak");
    EXPECT_EQ(ns1(), "żyłe 79 : brak");
    EXPECT_EQ(ns2(), "żyłe 80 : brak");
    for (Control m : {Control::mwbl1, Control::mnc1, Control::mic2, Control::mwbl2, Control::mnc2,
             Control::mic1})
        EXPECT_EQ(look(m), "odzw") << m;
    for (Control arrow : {Control::lwbl1, Control::lp2, Control::lwbl2, Control::lp1})
        EXPECT_FALSE(lit(arrow) || blinking(arrow)) << arrow;
    EXPECT_FALSE(dalejShown());
    EXPECT_EQ(s().DalejPhase, 0);
    EXPECT_FALSE(tryPress("pdalejClick"));

    // The block can be asked for again.
    press("pwbl1Click");
    EXPECT_TRUE(s().WblA);
    EXPECT_TRUE(lit(Control::lwbl1) && blinking(Control::lwbl1));
}

TEST_F(Enabling, WithdrawalAtBIsImmediateAndShowsTheMemo)
{
    press("pwbl2Click");
    ASSERT_FALSE(memoShown());
    press("pwbl2Click");
    EXPECT_FALSE(s().WblB);
    EXPECT_EQ(s().DalejPhase, 0);
    EXPECT_FALSE(dalejShown());
    EXPECT_TRUE(memoShown());
    EXPECT_EQ(memo(), expected::kBasicState);
    for (Control m : {Control::mwbl1, Control::mnc1, Control::mic2, Control::mwbl2, Control::mnc2,
             Control::mic1})
        EXPECT_EQ(look(m), "odzw") << m;
    EXPECT_FALSE(lit(Control::lwbl2) || blinking(Control::lwbl2) || lit(Control::lp1)
        || blinking(Control::lp1));
    EXPECT_EQ(np(), "brak");
}

TEST_F(Enabling, TheOtherStationsWblDoesNothingWhileARequestIsPending)
{
    press("pwbl1Click");
    expectRefused("pwbl2Click");
    press("pwbl1Click");
    press("pdalejClick");

    press("pwbl2Click");
    expectRefused("pwbl1Click");
}

TEST_F(Enabling, WblIsRefusedWhileTheStationsPwlLampIsLit)
{
    desk().setLampValue(Control::ALed7, true);
    expectRefused("pwbl1Click");
    desk().setLampValue(Control::ALed16, true);
    expectRefused("pwbl2Click");
}

TEST_F(Enabling, ATextSetWhileTheMemoIsHiddenLeavesItHidden)
{
    // B's request hides the memo; granting it from A narrates nothing, and
    // the memo stays hidden.
    press("pwbl2Click");
    press("ppoz1Click");
    EXPECT_FALSE(memoShown());
    press("pdalejClick");
    EXPECT_FALSE(memoShown());
}
