#include "DeskFixture.h"
#include "ExpectedTexts.h"

using namespace kyt;

using Permission = DeskFixture;

TEST_F(Permission, PozAtBGrantsAsRequestAndDalejSettlesTheDirection)
{
    press("pwbl1Click");
    press("ppoz2Click");
    EXPECT_TRUE(s().PozB && s().PwlA && s().LzsB && s().OpA);
    EXPECT_FALSE(s().DpB || s().WblA);
    EXPECT_EQ(s().DalejPhase, 1);
    EXPECT_TRUE(dalejShown());
    EXPECT_TRUE(memoShown());
    EXPECT_EQ(memo(), expected::kGrantAB);
    for (Control m : {Control::mpoz2, Control::mpwl1, Control::mlzs2, Control::mop1})
        EXPECT_EQ(look(m), "wzb") << m;
    EXPECT_EQ(look(Control::mdp2), "odzw");
    EXPECT_EQ(look(Control::mwbl1), "odzw");
    // Nc and Ic still show energised until "DALEJ".
    EXPECT_EQ(look(Control::mnc1), "wzb");
    EXPECT_EQ(look(Control::mic2), "wzb");
    EXPECT_TRUE(lit(Control::lwbl1) && !blinking(Control::lwbl1));
    EXPECT_TRUE(lit(Control::lp2) && !blinking(Control::lp2));
    EXPECT_EQ(np(), "Od A do B");
    EXPECT_EQ(ns1(), "żyłe 79 : \"-\"");
    EXPECT_EQ(ns2(), "żyłe 80 : \"+\"");

    press("pdalejClick");
    EXPECT_EQ(memo(), expected::kSettleAB);
    EXPECT_FALSE(dalejShown());
    EXPECT_EQ(s().DalejPhase, 0);
    EXPECT_TRUE(s().OpA && s().PwlA && s().LzsB && s().DpA);
    EXPECT_FALSE(s().PozB || s().NcA || s().IcB || s().DpB);
    EXPECT_EQ(look(Control::mop1), "wzbb");
    EXPECT_EQ(look(Control::mpoz2), "odzw");
    EXPECT_EQ(look(Control::mnc1), "odzw");
    EXPECT_EQ(look(Control::mic2), "odzw");
    EXPECT_EQ(look(Control::mdp2), "odzw");
    EXPECT_EQ(look(Control::mdp1), "wzbb");
    EXPECT_EQ(look(Control::mpwl1), "wzb");
    EXPECT_EQ(look(Control::mlzs2), "wzb");
    EXPECT_TRUE(lit(Control::lwbl1) && !blinking(Control::lwbl1) && lit(Control::lp2)
        && !blinking(Control::lp2));
    EXPECT_EQ(np(), "Brak");
    EXPECT_EQ(ns1(), "żyłe 79 : \"-\"");
    EXPECT_EQ(ns2(), "żyłe 80 : \"+\"");
}

TEST_F(Permission, PozAtAForBsRequestNarratesNothing)
{
    press("pwbl2Click");
    press("ppoz1Click");
    EXPECT_FALSE(memoShown());
    EXPECT_EQ(np(), "Od A do B");
    EXPECT_EQ(look(Control::mop2), "wzb");
    EXPECT_EQ(look(Control::mpoz1), "wzb");
    press("pdalejClick");
    EXPECT_FALSE(memoShown());
    EXPECT_EQ(look(Control::mop2), "wzbb");
    EXPECT_EQ(look(Control::mpwl2), "wzb");
    EXPECT_EQ(look(Control::mlzs1), "wzb");
    EXPECT_EQ(look(Control::mdp1), "odzw");
    EXPECT_EQ(look(Control::mpoz1), "odzw");
    EXPECT_EQ(look(Control::mnc2), "odzw");
    EXPECT_EQ(look(Control::mic1), "odzw");
    EXPECT_EQ(np(), "Brak");
    EXPECT_TRUE(s().OpB && s().PwlB && s().LzsA);
    EXPECT_FALSE(s().PozA || s().NcB || s().IcA || s().DpA || s().WblB);
    EXPECT_TRUE(lit(Control::lwbl2) && !blinking(Control::lwbl2) && lit(Control::lp1)
        && !blinking(Control::lp1));
}

TEST_F(Permission, PozWithoutAPendingRequestOfTheOtherStationDoesNothing)
{
    expectRefused("ppoz2Click");
    expectRefused("ppoz1Click");

    press("pwbl2Click");
    expectRefused("ppoz2Click"); // B's own request

    press("pwbl2Click"); // withdrawn at once
    press("pwbl1Click");
    press("ppoz2Click");
    expectRefused("ppoz2Click"); // second press: WblA is already false
    expectRefused("ppoz1Click");
}

TEST_F(Permission, TheDirectionCanOnlyBeReversedThroughARelease)
{
    setDirectionAB();
    // B can neither ask nor A ask again: Wbl at A starts a release instead.
    expectRefused("pwbl2Click");
    expectRefused("ppoz1Click");
    expectRefused("ppoz2Click");
}
