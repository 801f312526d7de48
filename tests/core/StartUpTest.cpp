#include "Block.h"
#include "DeskFixture.h"
#include "Dispatch.h"
#include "Error.h"

#include <set>
#include <stdexcept>

using namespace kyt;

TEST(StartUp, FirstActivationSetsTheBasicStateAndLaterOnesChangeNothing)
{
    Simulator sim;
    // Before the window's first activation the record is all clear.
    EXPECT_TRUE(sim.state() == BlockState {});

    sim.state().sza2Count = 5;
    sim.state().PwyB = true;
    sim.state().TrainStep = 12;
    sim.state().TrainRunAB = true;
    sim.call("FormActivate");
    BlockState basic;
    basic.DpA = basic.DpB = true;
    basic.TrainStep = 12; // the train-run variables are not the activation's
    basic.TrainRunAB = true;
    EXPECT_TRUE(sim.state() == basic);
    EXPECT_TRUE(sim.activated());

    // Coming back to the window later: nothing changes.
    sim.state().WblA = true;
    sim.state().dkoaCount = 3;
    sim.desk().setVisible(Control::Memo1, false);
    const auto before = sim.snapshot();
    sim.call("FormActivate");
    EXPECT_TRUE(sim.snapshot() == before);
}

TEST(StartUp, ActivationDoesNotTouchTheDesk)
{
    Simulator sim;
    const DeskValues created = sim.desk().values();
    sim.call("FormActivate");
    EXPECT_TRUE(sim.desk().values() == created);
}

TEST(StartUp, DalejCannotBePressedWhileHidden)
{
    Simulator sim;
    sim.call("FormActivate");
    sim.state().DalejPhase = 1; // even with a phase pending
    const auto before = sim.snapshot();
    EXPECT_FALSE(sim.accepts("pdalejClick"));
    EXPECT_FALSE(sim.click("pdalejClick"));
    EXPECT_TRUE(sim.snapshot() == before);
    // Buttons that are always there are always accepted.
    EXPECT_TRUE(sim.accepts("pwbl1Click"));
}

TEST(StartUp, ResetBlockLeavesTheDeskAndTheAuxiliaryRelaysAlone)
{
    Simulator sim;
    sim.call("FormActivate");
    sim.call("pwbl1Click");
    BlockState& s = sim.state();
    s.OpB = s.ZpA = s.KoReleaseBA = s.SignalA2Clear = true;
    s.DalejPhase = 4;
    s.WA = s.SB = true;
    s.sza1Count = 9;
    const DeskValues desk = sim.desk().values();
    ResetBlock(s);
    EXPECT_TRUE(sim.desk().values() == desk);
    EXPECT_FALSE(s.OpB || s.ZpA || s.KoReleaseBA || s.SignalA2Clear || s.WblA || s.NcA || s.IcB);
    EXPECT_TRUE(s.DpA && s.DpB);
    EXPECT_EQ(s.DalejPhase, 0);
    EXPECT_TRUE(s.WA && s.SB);
    EXPECT_EQ(s.sza1Count, 9);
}

TEST(StartUp, MapaShowsLooksAndRefusesUnknownOnes)
{
    Simulator sim;
    int changes = 0;
    sim.desk().addObserver([&](const std::string&, const std::string&) { ++changes; });
    mapa(sim, Control::mop1, "WZB");
    EXPECT_EQ(sim.desk().look(Control::mop1), Look::wzb);
    mapa(sim, Control::mop1, "wzb"); // the same look again
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(mapa(sim, Control::mop1, "zielony"), Error);
    EXPECT_EQ(sim.desk().look(Control::mop1), Look::wzb);
}

TEST(HandlerTable, NamesAreUniqueAndGatesNameHideableControls)
{
    std::set<std::string_view> names;
    Simulator sim;
    for (const HandlerEntry& e : handlerTable()) {
        EXPECT_TRUE(names.insert(e.name).second) << e.name;
        EXPECT_NE(e.run, nullptr) << e.name;
        EXPECT_EQ(findHandler(e.name), &e);
        if (e.shownBy) {
            EXPECT_NO_THROW(sim.desk().visible(*e.shownBy)) << e.name;
        }
    }
    for (const char* n :
        {"FormActivate", "pdalejClick", "pwbl1Click", "pwbl2Click", "ppoz1Click", "ppoz2Click"})
        EXPECT_NE(findHandler(n), nullptr) << n;
    EXPECT_EQ(findHandler("pdalejclick"), nullptr);
    EXPECT_EQ(findHandler("pdalejClick")->shownBy, Control::pdalej);
    EXPECT_EQ(findHandler("pwbl1Click")->shownBy, std::nullopt);
    EXPECT_THROW(sim.call("pwbl3Click"), std::invalid_argument);
    EXPECT_THROW(sim.click("pwbl3Click"), std::invalid_argument);
}
