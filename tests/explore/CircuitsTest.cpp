// The schematic sheets against the simulation: the exploration's stable
// states and clicks, the walks through trains and releases, and rungs
// changed to contradict the simulation, which the check must name.
#include "Circuits.h"
#include "CircuitCheck.h"
#include "Explorer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kyt::explore {
namespace {

using namespace kyt::circuits;

Result explore(std::size_t maxStates, const std::vector<LadderSheet>* sheets = nullptr)
{
    Options o;
    o.maxStates = maxStates;
    o.searchStates = 0;
    o.checkCircuits = true;
    o.circuitSheets = sheets;
    return run(o);
}

// The rung of the sheet with the given file that feeds the named coil.
Rung& rungOf(std::vector<LadderSheet>& sheets, const std::string& file, const std::string& coil)
{
    for (LadderSheet& s : sheets)
        if (s.file == file)
            for (Section& sec : s.sections)
                for (Rung& r : sec.rungs)
                    if (r.load().name == coil)
                        return r;
    throw std::logic_error("no rung for " + coil + " on " + file);
}

const CircuitFailure* failureOf(const Result& r, const std::string& rungPrefix)
{
    for (const CircuitFailure& f : r.circuitFailures)
        if (f.rung.rfind(rungPrefix, 0) == 0)
            return &f;
    return nullptr;
}

TEST(Circuits, SheetsAgreeWithEveryStableStateAndClickExplored)
{
    const Result r = explore(20000);
    EXPECT_EQ(r.violationCount, 0u);
    for (const CircuitFailure& f : r.circuitFailures)
        ADD_FAILURE() << f.rung << ": " << f.what << "\n  first: " << replayScript(f.path);
    // Both stations' rungs of every coil and checked lamp, over real work.
    EXPECT_EQ(r.circuitRungs, 38u);
    EXPECT_GT(r.stableStates, 100u);
    EXPECT_GT(r.operations, 1000u);
}

TEST(Circuits, SheetsAgreeOnTheWalksThroughTrainsAndReleases)
{
    ASSERT_GE(circuitScripts().size(), 5u);
    for (const auto& script : circuitScripts())
        for (const ScriptFinding& f : checkScript(script, ladderSheets()))
            ADD_FAILURE() << f.finding.rung << ": " << f.finding.what
                          << "\n  first: " << replayScript(f.path);
}

TEST(Circuits, PwlWithoutItsStickContactIsReportedWithTheStateWhereItFails)
{
    // The permission relay drawn as Op ∧ ¬S ∧ ¬dPo ∧ ¬Zp, with no memory:
    // once the exit signal is put back Pwl stays down with Op up.
    std::vector<LadderSheet> sheets = ladderSheets();
    rungOf(sheets, "obwody.jpg", "Pwl").path
        = {make("Op"), brk("S"), buttonBreak("dPo"), brk("Zp"), coil("Pwl")};
    const Result r = explore(5000, &sheets);
    const CircuitFailure* f = failureOf(r, "arkusz 1, obwód 4 (Pwl = Op ∧ ¬S ∧ ¬[dPo] ∧ ¬Zp)");
    ASSERT_NE(f, nullptr);
    EXPECT_NE(f->what.find("Pwl"), std::string::npos) << f->what;
    ASSERT_FALSE(f->path.empty());
    EXPECT_EQ(f->path.front(), "FormActivate");
    // Only the changed rung is blamed.
    for (const CircuitFailure& other : r.circuitFailures)
        EXPECT_NE(other.rung.find("(Pwl = Op ∧ ¬S"), std::string::npos) << other.rung;
}

TEST(Circuits, ZwblFedThroughAMakeContactOfLzsIsReportedAtKo)
{
    // Ko acts only after the train has let Lzs drop: a Ko path through a
    // make contact of Lzs contradicts it on the walk with a train.
    std::vector<LadderSheet> sheets = ladderSheets();
    Rung& zwbl = rungOf(sheets, "zpg.jpg", "Zwbl");
    ASSERT_EQ(zwbl.path.front().part, Part::Group);
    ASSERT_EQ(zwbl.path.front().branches.size(), 3u);
    zwbl.path.front().branches[1] = {button("Ko"), make("ZPG"), brk("Sw"), brk("Sz"), make("Lzs")};
    const auto findings = checkScript(circuitScripts().front(), sheets);
    const auto it = std::find_if(findings.begin(), findings.end(), [](const ScriptFinding& f) {
        return f.finding.rung.rfind("arkusz 4, obwód 5 (Zwbl", 0) == 0
            && f.finding.rung.find("stacja B") != std::string::npos;
    });
    ASSERT_NE(it, findings.end());
    EXPECT_EQ(it->path.back(), "pkoaClick");
    // The exploration without trains does not get there: the walk is needed.
    EXPECT_EQ(failureOf(explore(2000, &sheets), "arkusz 4"), nullptr);
}

TEST(Circuits, ARelayNoSheetDrawsIsReported)
{
    std::vector<LadderSheet> sheets = ladderSheets();
    for (LadderSheet& s : sheets)
        for (Section& sec : s.sections)
            sec.rungs.erase(std::remove_if(sec.rungs.begin(), sec.rungs.end(),
                                [](const Rung& r) { return r.load().name == "Pwy"; }),
                sec.rungs.end());
    const Result r = explore(500, &sheets);
    EXPECT_NE(failureOf(r, "przekaźnik PwyA"), nullptr);
    EXPECT_NE(failureOf(r, "przekaźnik PwyB"), nullptr);
}

TEST(Circuits, RolesResolveToTheRelaysAndButtonsOfEachStation)
{
    EXPECT_EQ(resolve(make("Op"), Station::A), "OpA");
    EXPECT_EQ(resolve(makeRemote("Op"), Station::A), "OpB");
    // The arrival relays are named after the station the train comes from.
    EXPECT_EQ(resolve(make("W"), Station::B), "WA");
    EXPECT_EQ(resolve(coil("dKo"), Station::A), "dKoB");
    EXPECT_EQ(resolve(button("dKo"), Station::B), "HemisphereButton16");
    EXPECT_EQ(resolve(button("Ko"), Station::B), "pkoa");
    EXPECT_EQ(resolve(button("Wbl"), Station::B), "pwbl2");
    EXPECT_EQ(resolve(make("Iz1"), Station::A), "");
    // Every coil and lamp a sheet draws is a relay of the block or ZPG and
    // the flasher, which follow their rungs.
    for (const RungRef& r : allRungs(ladderSheets())) {
        const Elem& load = r.rung->load();
        if (load.part == Part::Counter || load.part == Part::Lamp)
            continue;
        if (load.name == "ZPG" || load.name == "Pm")
            continue;
        EXPECT_FALSE(resolve(load, Station::A).empty()) << load.name;
    }
}

TEST(Circuits, ContactsConductAsDrawn)
{
    // Wbl picks up on its button, holds itself, and a second press drops it.
    const Rung wbl
        = rungOf(const_cast<std::vector<LadderSheet>&>(ladderSheets()), "obwody.jpg", "Wbl");
    auto at = [&](std::vector<std::string> up, std::string pressed) {
        return conducts(wbl, Station::A,
            Contacts {
                [up](std::string_view n) { return std::find(up.begin(), up.end(), n) != up.end(); },
                [pressed](std::string_view b) { return b == pressed; }});
    };
    EXPECT_TRUE(at({"DpA", "DpB"}, "pwbl1"));
    EXPECT_FALSE(at({"DpA", "DpB"}, ""));
    EXPECT_TRUE(at({"DpA", "DpB", "WblA"}, ""));
    EXPECT_FALSE(at({"DpA", "DpB", "WblA"}, "pwbl1"));
    EXPECT_FALSE(at({"DpA", "DpB", "WblA", "OpA"}, ""));
    EXPECT_FALSE(at({"DpA", "DpB"}, "pwbl2"));
}

} // namespace
} // namespace kyt::explore
