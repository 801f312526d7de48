// The table of the controls a trainee can press: it covers every click the
// simulation handles, names each control once, and speaks of each by its
// caption and station.

#include "Controls.h"
#include "Dispatch.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace kyt;

TEST(PressableControls, CoverEveryClickOfTheHandlerTableOnce)
{
    std::map<std::string_view, int> covered;
    for (const PressableControl& p : pressableControls())
        ++covered[p.handler];
    int clicks = 0;
    for (const HandlerEntry& e : handlerTable()) {
        if (!e.name.ends_with("Click"))
            continue;
        ++clicks;
        EXPECT_EQ(covered[e.name], 1) << e.name;
    }
    EXPECT_EQ(clicks, 25);

    for (const PressableControl& p : pressableControls()) {
        // A click handler is named after its control.
        EXPECT_EQ(std::string(p.handler), std::string(p.control) + "Click");
        // The simulation runs every click but the window's own.
        EXPECT_EQ(findHandler(p.handler) == nullptr, p.windowOnly) << p.handler;
        EXPECT_EQ(findPressable(p.control), &p);
    }
    EXPECT_EQ(findPressable("pwbl3"), nullptr);
}

TEST(PressableControls, ShortNamesAreUniqueAndNameCaptionAndStation)
{
    std::set<std::string> names;
    for (const PressableControl& p : pressableControls()) {
        const std::string name = shortName(p);
        EXPECT_FALSE(p.caption.empty()) << p.control;
        EXPECT_TRUE(names.insert(name).second) << name << " twice";
        EXPECT_EQ(
            name.ends_with(" (stacja A)") || name.ends_with(" (stacja B)"), p.station.has_value())
            << name;
    }

    auto nameOf = [](std::string_view control) {
        const PressableControl* p = findPressable(control);
        return p ? shortName(*p) : std::string("(none)");
    };
    EXPECT_EQ(nameOf("HemisphereButton16"), "dKo A (stacja B)");
    EXPECT_EQ(nameOf("HemisphereButton3"), "dKo B (stacja A)");
    EXPECT_EQ(nameOf("HemisphereButton4"), "dPoA (stacja A)");
    EXPECT_EQ(nameOf("psza1"), "Sz A (stacja A)");
    EXPECT_EQ(nameOf("psza2"), "Sz A (stacja B)");
    EXPECT_EQ(nameOf("pwbl1"), "Wbl (stacja A)");
    EXPECT_EQ(nameOf("ppoz2"), "Poz (stacja B)");
    EXPECT_EQ(nameOf("pkoa"), "KoA (stacja B)");
    EXPECT_EQ(nameOf("psb1"), "B (stacja A)");
    EXPECT_EQ(nameOf(controlName(Control::pdalej)), "DALEJ");
    EXPECT_EQ(nameOf("SpotLabel3"), "SZLAK");
    EXPECT_FALSE(findPressable(controlName(Control::pst))->station.has_value());
    EXPECT_FALSE(findPressable("ShadowButton1")->station.has_value());
}
