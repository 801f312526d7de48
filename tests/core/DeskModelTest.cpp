#include "DeskModel.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace kyt;

namespace {

struct Recorder {
    std::vector<std::pair<std::string, std::string>> calls;
    DeskModel::Observer observer()
    {
        return [this](const std::string& c, const std::string& p) { calls.emplace_back(c, p); };
    }
};

} // namespace

TEST(DeskModel, InitialValuesAreThoseOfTheNewWindow)
{
    DeskModel d;
    int indicators = 0;
    for (const std::string& name : d.controlNames()) {
        if (d.kind(name) != ControlKind::Indicator)
            continue;
        ++indicators;
        const Look expected = (name == "mdp1" || name == "mdp2") ? Look::wzbb : Look::odzw;
        EXPECT_EQ(d.look(name), expected) << name;
    }
    EXPECT_EQ(indicators, 30);

    for (const char* red : {"ALed1", "ALed3", "ALed9", "ALed11"}) {
        EXPECT_TRUE(d.lampValue(red)) << red;
        EXPECT_FALSE(d.lampBlink(red)) << red;
        EXPECT_EQ(d.lampColor(red), kColorRed) << red;
    }
    for (const char* sz : {"ALed2", "ALed4", "ALed10", "ALed12"}) {
        EXPECT_FALSE(d.lampValue(sz)) << sz;
        EXPECT_TRUE(d.lampBlink(sz)) << sz;
        EXPECT_EQ(d.lampColor(sz), kColorWhite) << sz;
    }
    for (const char* arrow : {"lwbl1", "lp1", "lwbl2", "lp2"}) {
        EXPECT_FALSE(d.lampValue(arrow));
        EXPECT_FALSE(d.lampBlink(arrow));
        EXPECT_EQ(d.lampColor(arrow), kColorWhite);
    }
    EXPECT_EQ(d.lampColor("ALed5"), 0x00FF00u);
    EXPECT_EQ(d.lampColor("ALed6"), 0x40FF00u);
    EXPECT_FALSE(d.lampValue("ALed7"));
    EXPECT_EQ(d.lampColor("ALed16"), kColorRed);

    for (const char* c : {"lsza1", "lszb1", "lsza2", "lszb2", "ldkoa", "ldkob", "ldpoa", "ldpob"})
        EXPECT_EQ(d.counterValue(c), 0);
    for (const char* s : {"Shape1", "Shape2", "oitb1", "oitb2", "itb", "Shape6", "ita", "oita1",
             "oita2", "Shape10", "Shape11"})
        EXPECT_EQ(d.sectionColor(s), kColorWhite) << s;
    for (const char* hidden : {"pdalej", "pst", "ArrowButton1", "ArrowButton2", "ArrowButton3",
             "ArrowButton4", "Panel27"})
        EXPECT_FALSE(d.visible(hidden)) << hidden;
    EXPECT_EQ(d.caption("pst"), "Pociąg \"STÓJ\"");
    EXPECT_EQ(d.caption("np"), "Brak");
    EXPECT_EQ(d.caption("ns1"), "79 - brak");
    EXPECT_EQ(d.caption("ns2"), "80 - brak");
    EXPECT_TRUE(d.visible("Memo1"));
    EXPECT_EQ(d.text("Memo1"),
        "Stan zasadniczy. Przekaźniki Dp na stacji \"A\" i \"B\"  wzbudzone bezprądowo.");
    for (const char* t : {"Timer1", "Timer2", "Timer3", "Timer4"})
        EXPECT_FALSE(d.timerEnabled(t));
}

TEST(DeskModel, UnknownNamesAndWrongKindsThrow)
{
    DeskModel d;
    EXPECT_THROW(d.lampValue("ALed17"), std::invalid_argument);
    EXPECT_THROW(d.set("lwbl3", "Value", PropertyValue {true}), std::invalid_argument);
    EXPECT_THROW(d.setLook(Control::ALed1, Look::wzb), std::invalid_argument);
    EXPECT_THROW(d.setVisible(Control::np, true), std::invalid_argument);
    EXPECT_THROW(d.setCaption(Control::Memo1, "x"), std::invalid_argument);
    EXPECT_THROW(d.setText(Control::pst, "x"), std::invalid_argument);
    EXPECT_THROW(d.get("ALed1", "Visible"), std::invalid_argument);
    EXPECT_THROW(d.get("Memo1", "Caption"), std::invalid_argument);
    EXPECT_THROW(
        d.set("pdalej", "Visible", PropertyValue {std::int64_t {1}}), std::invalid_argument);
    EXPECT_THROW(d.set("mop1", "Look", PropertyValue {std::string("lit")}), std::invalid_argument);
    EXPECT_FALSE(d.has("Memo2"));
    EXPECT_TRUE(d.has("Memo1"));
    // Names are matched exactly, as the window spells them.
    EXPECT_FALSE(d.has("memo1"));
    EXPECT_THROW(d.visible("PDALEJ"), std::invalid_argument);
}

TEST(DeskModel, EveryControlConstantNamesTheModelsControlInItsPlace)
{
    DeskModel d;
    ASSERT_EQ(d.controlNames().size(), kControlCount);
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const Control c = Control(i);
        EXPECT_EQ(d.controlNames()[i], controlName(c));
        EXPECT_EQ(controlByName(controlName(c)), c) << c;
        EXPECT_EQ(d.kind(d.controlNames()[i]), controlKind(c)) << c;
    }
    EXPECT_EQ(controlName(Control::lwbl1), "lwbl1");
    EXPECT_EQ(d.controlNames().front(), "ALed1");
    EXPECT_EQ(d.controlNames().back(), "Timer4");
    EXPECT_EQ(controlByName("Timer5"), std::nullopt);
}

TEST(DeskModel, ObserversHearEveryRealChangeOnce)
{
    DeskModel d;
    Recorder r;
    d.addObserver(r.observer());

    d.setLampValue(Control::lwbl1, true);
    d.setLampValue(Control::lwbl1, true); // no change
    d.setLampBlink(Control::lwbl1, true);
    d.setLampColor(Control::lwbl1, kColorWhite); // no change
    d.setLook(Control::mop1, Look::wzb);
    d.setLook(Control::mop1, Look::wzb); // no change
    d.setText(Control::Memo1, d.text("Memo1")); // no change
    d.setTimerEnabled(Control::Timer2, true);
    d.set("np", "Caption", PropertyValue {std::string("Od A do B")});
    d.set("np", "Caption", PropertyValue {std::string("Od A do B")}); // no change

    const std::vector<std::pair<std::string, std::string>> expected = {{"lwbl1", "Value"},
        {"lwbl1", "Blink"}, {"mop1", "Look"}, {"Timer2", "Enabled"}, {"np", "Caption"}};
    EXPECT_EQ(r.calls, expected);
}

TEST(DeskModel, RemovedObserverIsNotCalledAndOthersStay)
{
    DeskModel d;
    Recorder first, second;
    const auto id = d.addObserver(first.observer());
    d.addObserver(second.observer());
    d.removeObserver(id);
    d.setCounterValue(Control::ldkoa, 7);
    EXPECT_TRUE(first.calls.empty());
    ASSERT_EQ(second.calls.size(), 1u);
    // The observer sees the value already stored.
    EXPECT_EQ(d.counterValue("ldkoa"), 7);
}

TEST(DeskModel, GenericAccessMatchesTypedAccess)
{
    DeskModel d;
    EXPECT_EQ(DeskModel::propertyNames(ControlKind::Lamp),
        (std::vector<std::string> {"Value", "Blink", "TrueColor"}));
    EXPECT_EQ(DeskModel::propertyNames(ControlKind::Memo),
        (std::vector<std::string> {"Text", "Visible"}));
    EXPECT_EQ(DeskModel::propertyNames(ControlKind::TrainButton),
        (std::vector<std::string> {"Visible", "Caption"}));

    d.set("ALed7", "Value", PropertyValue {true});
    EXPECT_TRUE(d.lampValue("ALed7"));
    d.set("lp2", "TrueColor", PropertyValue {std::int64_t {255}});
    EXPECT_EQ(d.lampColor("lp2"), kColorRed);
    d.set("mzp2", "Look", PropertyValue {std::string("WZBB")});
    EXPECT_EQ(d.look("mzp2"), Look::wzbb);
    EXPECT_EQ(std::get<std::string>(d.get("mzp2", "Look")), "wzbb");
    d.set("Shape6", "Color", PropertyValue {std::int64_t {255}});
    EXPECT_EQ(d.sectionColor("Shape6"), kColorRed);
    d.set("ldpob", "Value", PropertyValue {std::int64_t {10007}});
    EXPECT_EQ(std::get<std::int64_t>(d.get("ldpob", "Value")), 10007);
    d.set("Memo1", "Visible", PropertyValue {false});
    EXPECT_FALSE(d.visible("Memo1"));
    d.set("Timer4", "Enabled", PropertyValue {true});
    EXPECT_TRUE(std::get<bool>(d.get("Timer4", "Enabled")));

    // Every listed property of every control can be read.
    for (const std::string& c : d.controlNames())
        for (const std::string& p : DeskModel::propertyNames(d.kind(c)))
            EXPECT_NO_THROW(d.get(c, p)) << c << "." << p;
}

TEST(DeskModel, RestoreBringsBackEveryValueAndTellsTheObservers)
{
    DeskModel d;
    const DeskValues initial = d.values();
    d.setLampValue(Control::lwbl2, true);
    d.setLook(Control::mic1, Look::wzb);
    d.setCaption(Control::pst, "Pociąg \"JEDŹ\"");
    d.setVisible(Control::Panel27, true);
    ASSERT_FALSE(d.values() == initial);

    Recorder r;
    d.addObserver(r.observer());
    d.restore(initial);
    EXPECT_TRUE(d.values() == initial);
    EXPECT_EQ(r.calls.size(), 4u);
}
