#include "DeskFixture.h"
#include "ExpectedTexts.h"

#include <string>
#include <vector>

using namespace kyt;

namespace {

class Release : public DeskFixture {
protected:
    // The record and the desk's indicators right after activation: what a
    // completed release must come back to.
    BlockState basicState() const
    {
        BlockState b;
        b.DpA = b.DpB = true;
        return b;
    }

    void expectBasicIndicators()
    {
        for (std::size_t i = 0; i < kControlCount; ++i) {
            const Control c = Control(i);
            if (controlKind(c) != ControlKind::Indicator)
                continue;
            const bool dp = c == Control::mdp1 || c == Control::mdp2;
            EXPECT_EQ(look(c), dp ? "wzbb" : "odzw") << c;
        }
    }

    void expectArrowsDark()
    {
        for (Control arrow : {Control::lwbl1, Control::lp1, Control::lwbl2, Control::lp2})
            EXPECT_FALSE(lit(arrow) || blinking(arrow)) << arrow;
    }

    // What the Ko button at B does after a train from A has arrived
    // (the train run leaves Pwl A lit and the departure arrow red).
    void arriveAndPressKoAtB()
    {
        setDirectionAB();
        s().PwlA = false;
        s().LzsB = false;
        desk().setLampValue(Control::ALed7, true);
        desk().setLampColor(Control::lwbl1, kColorRed);
        desk().setLampColor(Control::lp2, kColorRed);
        s().KoReleaseAB = true;
        s().DalejPhase = 2;
        desk().setVisible(Control::pdalej, true);
        s().ZwblB = true;
        desk().setLook(Control::mzwbl2, Look::wzb);
        desk().setLampBlink(Control::lp2, true);
        desk().setLampColor(Control::lp2, kColorWhite);
    }

    void arriveAndPressKoAtA()
    {
        setDirectionBA();
        s().PwlB = false;
        s().LzsA = false;
        desk().setLampValue(Control::ALed16, true);
        desk().setLampColor(Control::lwbl2, kColorRed);
        desk().setVisible(Control::Memo1, false);
        s().KoReleaseBA = true;
        s().DalejPhase = 2;
        desk().setVisible(Control::pdalej, true);
        s().ZwblA = true;
        desk().setLook(Control::mzwbl1, Look::wzb);
        desk().setLampBlink(Control::lp1, true);
        desk().setLampColor(Control::lp1, kColorWhite);
    }
};

} // namespace

TEST_F(Release, WithoutATrainFromAToBStepByStep)
{
    setDirectionAB();
    std::vector<std::string> texts, voltages;
    auto record = [&] {
        texts.push_back(memo());
        voltages.push_back(np());
    };

    press("pwbl1Click"); // oWbl at A
    EXPECT_TRUE(s().WblReleaseAB);
    EXPECT_FALSE(s().OpA);
    EXPECT_TRUE(s().NcA && s().IcB);
    EXPECT_EQ(look(Control::mop1), "odzw");
    EXPECT_EQ(look(Control::mnc1), "wzb");
    EXPECT_EQ(look(Control::mic2), "wzb");
    EXPECT_TRUE(lit(Control::lwbl1) && blinking(Control::lwbl1) && lit(Control::lp2)
        && blinking(Control::lp2));
    EXPECT_EQ(desk().lampColor(Control::lwbl1), kColorWhite);
    EXPECT_EQ(s().DalejPhase, 0);
    EXPECT_FALSE(dalejShown());
    record();

    press("pwbl2Click"); // oWbl at B confirms
    EXPECT_TRUE(s().ZwblB);
    EXPECT_FALSE(s().LzsB || s().PwlA || s().NcA || s().IcB);
    EXPECT_EQ(look(Control::mzwbl2), "wzb");
    for (Control m : {Control::mlzs2, Control::mpwl1, Control::mnc1, Control::mic2})
        EXPECT_EQ(look(m), "odzw") << m;
    EXPECT_EQ(look(Control::mzp2), "odzw");
    EXPECT_EQ(ns1(), "żyłe 79 : \"+\"");
    EXPECT_EQ(ns2(), "żyłe 80 : \"-\"");
    EXPECT_EQ(s().DalejPhase, 2);
    EXPECT_TRUE(dalejShown());
    record();

    press("pdalejClick");
    EXPECT_TRUE(s().NcB && s().IcA && s().ZpA);
    EXPECT_EQ(look(Control::mnc2), "wzb");
    EXPECT_EQ(look(Control::mic1), "wzb");
    EXPECT_EQ(look(Control::mzp1), "wzb");
    EXPECT_EQ(s().DalejPhase, 4);
    record();

    press("pdalejClick");
    EXPECT_FALSE(s().NcB || s().IcA || s().ZpA || s().ZwblB);
    EXPECT_TRUE(s().NcA && s().IcB && s().DpB);
    EXPECT_EQ(look(Control::mdp2), "wzb");
    EXPECT_EQ(look(Control::mzwbl2), "odzw");
    EXPECT_EQ(ns1(), "żyłe 79 : brak");
    EXPECT_EQ(ns2(), "żyłe 80 : brak");
    EXPECT_EQ(s().DalejPhase, 5);
    EXPECT_TRUE(dalejShown());
    record();

    press("pdalejClick");
    record();

    EXPECT_EQ(texts,
        (std::vector<std::string> {expected::kBeginReleaseAB, expected::kConfirmReleaseAB,
            expected::kFinalPhaseAB, expected::kRcDischargeAB, expected::kBasicState}));
    EXPECT_EQ(voltages,
        (std::vector<std::string> {"Od A bo B", "Brak", "Od B do A", "Od A do B", "Brak"}));
    EXPECT_TRUE(memoShown());
    EXPECT_FALSE(dalejShown());
    EXPECT_FALSE(tryPress("pdalejClick"));
    expectArrowsDark();
    expectBasicIndicators();
    EXPECT_TRUE(s() == basicState());
    EXPECT_EQ(ns1(), "żyłe 79 : brak");
    EXPECT_EQ(ns2(), "żyłe 80 : brak");
}

TEST_F(Release, WithoutATrainFromBToAKeepsTheMemoHiddenUntilTheEnd)
{
    setDirectionBA();
    press("pwbl2Click"); // oWbl at B begins at once
    EXPECT_TRUE(s().WblReleaseBA);
    EXPECT_FALSE(s().OpB);
    EXPECT_EQ(look(Control::mop2), "odzw");
    EXPECT_EQ(look(Control::mnc2), "wzb");
    EXPECT_EQ(look(Control::mic1), "wzb");
    EXPECT_EQ(np(), "Od A bo B");
    EXPECT_FALSE(memoShown());

    press("pwbl1Click"); // confirmation at A
    EXPECT_FALSE(memoShown());
    EXPECT_EQ(look(Control::mzp2), "wzb"); // shown energised already here
    EXPECT_FALSE(s().ZpB);
    EXPECT_EQ(look(Control::mzwbl1), "wzb");
    EXPECT_TRUE(s().ZwblA);
    EXPECT_FALSE(s().LzsA || s().PwlB || s().NcB || s().IcA);
    EXPECT_EQ(s().DalejPhase, 2);

    press("pdalejClick");
    EXPECT_FALSE(memoShown());
    EXPECT_EQ(look(Control::mic2), "wzb");
    EXPECT_TRUE(s().NcA && s().IcB && s().ZpB);
    EXPECT_EQ(np(), "Od A do B");

    press("pdalejClick");
    EXPECT_FALSE(memoShown());
    EXPECT_EQ(look(Control::mic2), "odzw");
    EXPECT_EQ(look(Control::mdp1), "wzb");
    EXPECT_EQ(look(Control::mzp2), "odzw");
    EXPECT_EQ(np(), "Od B do A");

    press("pdalejClick");
    EXPECT_TRUE(memoShown());
    EXPECT_EQ(memo(), expected::kBasicState);
    EXPECT_EQ(look(Control::mdp1), "wzbb");
    expectArrowsDark();
    expectBasicIndicators();
    EXPECT_TRUE(s() == basicState());
    EXPECT_FALSE(dalejShown());
}

TEST_F(Release, BegunReleaseRefusesPozAndFurtherWblOfTheSender)
{
    setDirectionAB();
    press("pwbl1Click");
    expectRefused("ppoz2Click");
    expectRefused("ppoz1Click");

    // The sender's Wbl toggles its flag but changes nothing on the desk.
    const DeskValues desk0 = desk().values();
    press("pwbl1Click");
    EXPECT_TRUE(s().WblA);
    EXPECT_TRUE(desk().values() == desk0);
    expectRefused("ppoz2Click");

    // The release goes on and the toggled flag is cleared at its end.
    press("pwbl2Click");
    press("pdalejClick");
    press("pdalejClick");
    press("pdalejClick");
    EXPECT_TRUE(s() == basicState());
}

TEST_F(Release, BegunReleaseAtBRefusesPozAtA)
{
    setDirectionBA();
    press("pwbl2Click");
    EXPECT_TRUE(s().WblB); // B's press toggled its Wbl on its way to the release
    expectRefused("ppoz1Click");
    expectRefused("ppoz2Click");
}

TEST_F(Release, WblAtTheSenderIsRefusedAfterATrainWasSent)
{
    setDirectionAB();
    s().PwlA = false;
    desk().setLampValue(Control::ALed7, true);
    expectRefused("pwbl1Click");
    expectRefused("pwbl2Click");
}

TEST_F(Release, AfterATrainFromAToBTheFinalPhaseUndoesTheOccupation)
{
    arriveAndPressKoAtB();
    s().PwyB = true; // an auxiliary relay, which the release leaves alone
    press("pdalejClick");
    EXPECT_FALSE(lit(Control::ALed7));
    EXPECT_EQ(desk().lampColor(Control::lwbl1), kColorWhite);
    EXPECT_TRUE(blinking(Control::lwbl1) && lit(Control::lwbl1));
    EXPECT_FALSE(s().OpA);
    EXPECT_EQ(look(Control::mop1), "odzw");
    EXPECT_EQ(ns1(), "żyłe 79 : \"+\"");
    EXPECT_EQ(ns2(), "żyłe 80 : \"-\"");
    EXPECT_EQ(memo(), std::string(expected::kFinalPhaseAB) + expected::kFinalPhaseKoSuffix);
    EXPECT_EQ(s().DalejPhase, 4);

    press("pdalejClick");
    EXPECT_EQ(memo(), expected::kRcDischargeAB);
    press("pdalejClick");
    EXPECT_EQ(memo(), expected::kBasicState);
    expectArrowsDark();
    EXPECT_EQ(look(Control::mdp2), "wzbb");
    EXPECT_FALSE(dalejShown());
    BlockState expectedState = basicState();
    expectedState.PwyB = true;
    EXPECT_TRUE(s() == expectedState);
}

TEST_F(Release, AfterATrainFromBToATheFinalPhaseNarratesNothing)
{
    arriveAndPressKoAtA();
    const std::string text = memo();
    press("pdalejClick");
    EXPECT_FALSE(lit(Control::ALed16));
    EXPECT_EQ(desk().lampColor(Control::lwbl2), kColorWhite);
    EXPECT_TRUE(blinking(Control::lwbl2) && lit(Control::lwbl2));
    EXPECT_FALSE(s().OpB);
    EXPECT_EQ(look(Control::mop2), "odzw");
    EXPECT_EQ(ns1(), "żyłe 79 : \"+\"");
    EXPECT_EQ(ns2(), "żyłe 80 : \"-\"");
    EXPECT_FALSE(memoShown());
    EXPECT_EQ(memo(), text);

    press("pdalejClick");
    EXPECT_EQ(memo(), text);
    press("pdalejClick");
    EXPECT_TRUE(memoShown());
    EXPECT_EQ(memo(), expected::kBasicState);
    EXPECT_EQ(look(Control::mdp1), "wzbb");
    expectArrowsDark();
    EXPECT_TRUE(s() == basicState());
}

TEST_F(Release, EachDalejPressPerformsOneStepExceptTheLastWhichAlsoReturns)
{
    setDirectionAB();
    press("pwbl1Click");
    press("pwbl2Click");
    std::vector<int> phases;
    for (int i = 0; i < 3; ++i) {
        press("pdalejClick");
        phases.push_back(s().DalejPhase);
    }
    EXPECT_EQ(phases, (std::vector<int> {4, 5, 0}));
}

TEST_F(Release, DalejInPhaseZeroOrAnUnknownPhaseChangesNothing)
{
    // Called directly (the button is hidden then, so no click arrives).
    auto before = sim.snapshot();
    sim.call("pdalejClick");
    EXPECT_TRUE(sim.snapshot() == before);

    s().DalejPhase = 7;
    before = sim.snapshot();
    sim.call("pdalejClick");
    EXPECT_TRUE(sim.snapshot() == before);
}
