#include "Simulator.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace kyt;

namespace {

// Records every tick as "handler@moment".
class ClockTest : public ::testing::Test {
protected:
    Simulator sim;
    std::vector<std::string> ticks;
    std::function<void(std::string_view)> onTick; // extra action per tick

    void SetUp() override
    {
        sim.clock().setTickSink([this](std::string_view handler) {
            ticks.push_back(std::string(handler) + "@" + std::to_string(sim.clock().now()));
            if (onTick)
                onTick(handler);
        });
    }
    void enable(Control timer, bool on = true) { sim.desk().setTimerEnabled(timer, on); }
};

} // namespace

TEST_F(ClockTest, TimersTickAtTheirPeriodsInTimerOrderAtTheSameMoment)
{
    enable(Control::Timer4);
    enable(Control::Timer3);
    enable(Control::Timer2);
    enable(Control::Timer1);
    sim.clock().advance(1000);
    const std::vector<std::string> expected = {"Timer1Timer@500", "Timer4Timer@500",
        "Timer1Timer@1000", "Timer2Timer@1000", "Timer3Timer@1000", "Timer4Timer@1000"};
    EXPECT_EQ(ticks, expected);
    EXPECT_EQ(sim.clock().now(), 1000);
}

TEST_F(ClockTest, PeriodCountsFromTheMomentOfEnablingAndPartialWaitsAddUp)
{
    sim.clock().advance(300);
    enable(Control::Timer1);
    sim.clock().advance(499);
    EXPECT_TRUE(ticks.empty());
    sim.clock().advance(1);
    sim.clock().advance(250);
    sim.clock().advance(250);
    EXPECT_EQ(ticks, (std::vector<std::string> {"Timer1Timer@800", "Timer1Timer@1300"}));
    EXPECT_EQ(sim.clock().nextTick(), 1800);
}

TEST_F(ClockTest, EnablingARunningTimerKeepsItsIntervalAndDisablingRestartsIt)
{
    enable(Control::Timer2);
    sim.clock().advance(600);
    enable(Control::Timer2); // already running: no restart
    sim.clock().advance(400);
    ASSERT_EQ(ticks, std::vector<std::string> {"Timer2Timer@1000"});

    enable(Control::Timer2, false);
    sim.clock().advance(100);
    enable(Control::Timer2);
    sim.clock().advance(2000);
    EXPECT_EQ(ticks,
        (std::vector<std::string> {"Timer2Timer@1000", "Timer2Timer@2100", "Timer2Timer@3100"}));
}

TEST_F(ClockTest, ATickHandlerCanStopItsOwnAndOtherTimers)
{
    enable(Control::Timer1);
    enable(Control::Timer4);
    int count = 0;
    onTick = [&](std::string_view handler) {
        // The first Timer1 tick stops Timer4, due at the same moment.
        if (handler == "Timer1Timer" && ++count == 1)
            enable(Control::Timer4, false);
        // The second stops Timer1 itself.
        if (handler == "Timer1Timer" && count == 2)
            enable(Control::Timer1, false);
    };
    sim.clock().advance(5000);
    EXPECT_EQ(ticks, (std::vector<std::string> {"Timer1Timer@500", "Timer1Timer@1000"}));
    EXPECT_FALSE(sim.clock().nextTick().has_value());
    EXPECT_EQ(sim.clock().now(), 5000);
}

TEST_F(ClockTest, ATimerEnabledByATickStartsItsPeriodAtThatTick)
{
    enable(Control::Timer1);
    onTick = [&](std::string_view handler) {
        if (handler == "Timer1Timer")
            enable(Control::Timer3);
    };
    sim.clock().advance(1500);
    // Timer3 was enabled at 500, so its first tick is at 1500, after
    // Timer1's tick of the same moment only because Timer1 comes first.
    EXPECT_EQ(ticks,
        (std::vector<std::string> {
            "Timer1Timer@500", "Timer1Timer@1000", "Timer1Timer@1500", "Timer3Timer@1500"}));
}

TEST_F(ClockTest, ErrorsOfTicksGoToTheSinkAndTheClockGoesOn)
{
    enable(Control::Timer1);
    onTick = [](std::string_view) { throw std::runtime_error("broken"); };
    std::vector<std::string> errors;
    sim.clock().advance(1000, [&](const std::exception& e) { errors.push_back(e.what()); });
    EXPECT_EQ(errors, (std::vector<std::string> {"broken", "broken"}));
    EXPECT_EQ(sim.clock().now(), 1000);

    // Without a sink the error stops the clock at the tick.
    EXPECT_THROW(sim.clock().advance(1000), std::runtime_error);
    EXPECT_EQ(sim.clock().now(), 1500);
}

TEST_F(ClockTest, RefusesToGoBackOrToOverflow)
{
    EXPECT_THROW(sim.clock().advance(-1), std::invalid_argument);
    EXPECT_THROW(sim.clock().advance(INT64_MAX), std::invalid_argument);
    EXPECT_EQ(sim.clock().now(), 0);
}

TEST_F(ClockTest, SnapshotRestoresTheTimersSchedule)
{
    enable(Control::Timer1);
    sim.clock().advance(700);
    const auto saved = sim.snapshot();
    enable(Control::Timer1, false);
    sim.clock().advance(3000);
    sim.restore(saved);
    ticks.clear();
    sim.clock().advance(300);
    EXPECT_EQ(ticks, std::vector<std::string> {"Timer1Timer@1000"});
}
