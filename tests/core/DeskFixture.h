#pragma once
// A simulator driven as the trainee drives the desk: by handler name through
// the handler table, with clicks on hidden controls dropped.

#include "Simulator.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

class DeskFixture : public ::testing::Test {
protected:
    using Control = kyt::Control;

    kyt::Simulator sim;

    void SetUp() override { sim.call("FormActivate"); }

    // A click the window delivers.
    void press(std::string_view handler) { ASSERT_TRUE(sim.click(handler)) << handler; }
    // A click; dropped when the control is hidden.
    bool tryPress(std::string_view handler) { return sim.click(handler); }

    kyt::BlockState& s() { return sim.state(); }
    kyt::DeskModel& desk() { return sim.desk(); }

    std::string look(Control indicator) const
    {
        return std::string(kyt::lookName(sim.desk().look(indicator)));
    }
    std::string memo() const { return sim.desk().text(Control::Memo1); }
    bool memoShown() const { return sim.desk().visible(Control::Memo1); }
    bool dalejShown() const { return sim.desk().visible(Control::pdalej); }
    std::string np() const { return sim.desk().caption(Control::np); }
    std::string ns1() const { return sim.desk().caption(Control::ns1); }
    std::string ns2() const { return sim.desk().caption(Control::ns2); }
    bool lit(Control lamp) const { return sim.desk().lampValue(lamp); }
    bool blinking(Control lamp) const { return sim.desk().lampBlink(lamp); }

    // The presses that set the direction from A to B, and from B to A.
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

    // Asserts that a press changes nothing at all.
    void expectRefused(std::string_view handler)
    {
        const auto before = sim.snapshot();
        sim.click(handler);
        EXPECT_TRUE(sim.snapshot() == before) << handler << " changed the state";
    }
};
