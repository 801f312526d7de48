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
inline constexpr std::array<Control, 11> kSections {Control::Shape1, Control::Shape2,
    Control::oitb1, Control::oitb2, Control::itb, Control::Shape6, Control::ita, Control::oita1,
    Control::oita2, Control::Shape10, Control::Shape11};

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

    bool lit(Control lamp) const { return sim.desk().lampValue(lamp); }
    bool shown(Control control) const { return sim.desk().visible(control); }
    bool running(Control timer) const { return sim.desk().timerEnabled(timer); }
    bool red(Control section) const { return sim.desk().sectionColor(section) == kColorRed; }
    std::string look(Control indicator) const
    {
        return std::string(lookName(sim.desk().look(indicator)));
    }
    std::string memo() const { return sim.desk().text(Control::Memo1); }
    int counter(Control display) const { return sim.desk().counterValue(display); }
    std::vector<Control> occupied() const
    {
        std::vector<Control> v;
        for (Control section : kSections)
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
