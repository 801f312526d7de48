#pragma once
// A simulator driven as the trainee drives the desk, with the helpers the
// signal, train, emergency-button and counter tests share.

#include "Simulator.h"
#include "store/MemoryCounterStore.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kyt::test {

// The eleven track sections from station A to station B.
inline constexpr std::array<const char*, 11> kSections{
    "Shape1", "Shape2", "oitb1", "oitb2", "itb", "Shape6", "ita", "oita1", "oita2", "Shape10",
    "Shape11"};

class TrafficFixture : public ::testing::Test {
protected:
    Simulator sim;
    MemoryCounterStore store;

    void SetUp() override
    {
        sim.setCounterStore(&store);
        sim.call("FormActivate");
    }

    BlockState& s() { return sim.state(); }
    DeskModel& desk() { return sim.desk(); }
    // A click the window delivers (its control is shown).
    void press(std::string_view handler) { ASSERT_TRUE(sim.click(handler)) << handler; }
    // Train timer ticks of 500 ms, through the virtual clock.
    void trainTick(int n = 1) { sim.clock().advance(500 * std::int64_t(n)); }
    void wait(std::int64_t ms) { sim.clock().advance(ms); }

    bool lit(std::string_view lamp) const { return sim.desk().lampValue(lamp); }
    bool shown(std::string_view control) const { return sim.desk().visible(control); }
    bool running(std::string_view timer) const { return sim.desk().timerEnabled(timer); }
    bool red(std::string_view section) const { return sim.desk().sectionColor(section) == kColorRed; }
    std::string look(std::string_view indicator) const
    {
        return std::string(lookName(sim.desk().look(indicator)));
    }
    std::string memo() const { return sim.desk().text("Memo1"); }
    int counter(std::string_view display) const { return sim.desk().counterValue(display); }
    std::vector<std::string> occupied() const
    {
        std::vector<std::string> v;
        for (const char* section : kSections)
            if (red(section))
                v.emplace_back(section);
        return v;
    }

    void setDirectionAB()
    {
        press("pwbl1Click");
        press("ppoz2Click");
        press("pdalejClick");
    }
    void setDirectionBA()
    {
        press("pwbl2Click");
        press("ppoz1Click");
        press("pdalejClick");
    }
    // Asserts that a click changes nothing at all.
    void expectNoEffect(std::string_view handler)
    {
        const auto before = sim.snapshot();
        sim.click(handler);
        EXPECT_TRUE(sim.snapshot() == before) << handler << " changed the state";
    }
};

} // namespace kyt::test
