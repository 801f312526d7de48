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
    for (const char* m : {"mpoz2", "mpwl1", "mlzs2", "mop1"})
        EXPECT_EQ(look(m), "wzb") << m;
    EXPECT_EQ(look("mdp2"), "odzw");
    EXPECT_EQ(look("mwbl1"), "odzw");
    // Nc and Ic still show energised until "DALEJ".
    EXPECT_EQ(look("mnc1"), "wzb");
    EXPECT_EQ(look("mic2"), "wzb");
    EXPECT_TRUE(lit("lwbl1") && !blinking("lwbl1"));
    EXPECT_TRUE(lit("lp2") && !blinking("lp2"));
    EXPECT_EQ(np(), "Od A do B");
    EXPECT_EQ(ns1(), "żyłe 79 : \"-\"");
    EXPECT_EQ(ns2(), "żyłe 80 : \"+\"");

    press("pdalejClick");
    EXPECT_EQ(memo(), expected::kSettleAB);
    EXPECT_FALSE(dalejShown());
    EXPECT_EQ(s().DalejPhase, 0);
    EXPECT_TRUE(s().OpA && s().PwlA && s().LzsB && s().DpA);
    EXPECT_FALSE(s().PozB || s().NcA || s().IcB || s().DpB);
    EXPECT_EQ(look("mop1"), "wzbb");
    EXPECT_EQ(look("mpoz2"), "odzw");
    EXPECT_EQ(look("mnc1"), "odzw");
    EXPECT_EQ(look("mic2"), "odzw");
    EXPECT_EQ(look("mdp2"), "odzw");
    EXPECT_EQ(look("mdp1"), "wzbb");
    EXPECT_EQ(look("mpwl1"), "wzb");
    EXPECT_EQ(look("mlzs2"), "wzb");
    EXPECT_TRUE(lit("lwbl1") && !blinking("lwbl1") && lit("lp2") && !blinking("lp2"));
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
    EXPECT_EQ(look("mop2"), "wzb");
    EXPECT_EQ(look("mpoz1"), "wzb");
    press("pdalejClick");
    EXPECT_FALSE(memoShown());
    EXPECT_EQ(look("mop2"), "wzbb");
    EXPECT_EQ(look("mpwl2"), "wzb");
    EXPECT_EQ(look("mlzs1"), "wzb");
    EXPECT_EQ(look("mdp1"), "odzw");
    EXPECT_EQ(look("mpoz1"), "odzw");
    EXPECT_EQ(look("mnc2"), "odzw");
    EXPECT_EQ(look("mic1"), "odzw");
    EXPECT_EQ(np(), "Brak");
    EXPECT_TRUE(s().OpB && s().PwlB && s().LzsA);
    EXPECT_FALSE(s().PozA || s().NcB || s().IcA || s().DpA || s().WblB);
    EXPECT_TRUE(lit("lwbl2") && !blinking("lwbl2") && lit("lp1") && !blinking("lp1"));
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
