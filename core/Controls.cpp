#include "Controls.h"

#include "DeskNames.h"

namespace kyt {

namespace {

constexpr auto A = Station::A;
constexpr auto B = Station::B;

constexpr PressableControl kPressable[] = {
    // Station A: its desk, then its signals and arrows on the track diagram.
    {"pwbl1", "pwbl1Click", A, "Wbl"},
    {"ppoz1", "ppoz1Click", A, "Poz"},
    {"pkob", "pkobClick", A, "KoB"},
    {"HemisphereButton3", "HemisphereButton3Click", A, "dKo B"},
    {"HemisphereButton4", "HemisphereButton4Click", A, "dPoA"},
    {"psza1", "psza1Click", A, "Sz A"},
    {"pszb1", "pszb1Click", A, "Sz B"},
    {"psa1", "psa1Click", A, "A"},
    {"psb1", "psb1Click", A, "B"},
    {controlName(Control::ArrowButton1), "ArrowButton1Click", A, "strzałka A"},
    {controlName(Control::ArrowButton4), "ArrowButton4Click", A, "strzałka B"},
    // Station B.
    {"pwbl2", "pwbl2Click", B, "Wbl"},
    {"ppoz2", "ppoz2Click", B, "Poz"},
    {"pkoa", "pkoaClick", B, "KoA"},
    {"HemisphereButton16", "HemisphereButton16Click", B, "dKo A"},
    {"HemisphereButton15", "HemisphereButton15Click", B, "dPoB"},
    {"psza2", "psza2Click", B, "Sz A"},
    {"pszb2", "pszb2Click", B, "Sz B"},
    {"psa2", "psa2Click", B, "A"},
    {"psb2", "psb2Click", B, "B"},
    {controlName(Control::ArrowButton2), "ArrowButton2Click", B, "strzałka A"},
    {controlName(Control::ArrowButton3), "ArrowButton3Click", B, "strzałka B"},
    // The middle: "DALEJ", the train button, the mishap panel's button and
    // the line's label.
    {controlName(Control::pdalej), "pdalejClick", std::nullopt, "DALEJ"},
    {controlName(Control::pst), "pstClick", std::nullopt, "Pociąg \"STÓJ\"/\"JEDŹ\""},
    {"ShadowButton1", "ShadowButton1Click", std::nullopt, "POPRAWIĘ SIĘ"},
    {"SpotLabel3", "SpotLabel3Click", std::nullopt, "SZLAK", true},
};

} // namespace

std::span<const PressableControl> pressableControls()
{
    return kPressable;
}

const PressableControl* findPressable(std::string_view control)
{
    for (const PressableControl& p : kPressable)
        if (p.control == control)
            return &p;
    return nullptr;
}

const PressableControl* findPressableByHandler(std::string_view handler)
{
    for (const PressableControl& p : kPressable)
        if (p.handler == handler)
            return &p;
    return nullptr;
}

std::string shortNameOfHandler(std::string_view handler)
{
    const PressableControl* p = findPressableByHandler(handler);
    return p ? shortName(*p) : std::string(handler);
}

std::string shortName(const PressableControl& control)
{
    std::string name(control.caption);
    if (control.station)
        name += *control.station == Station::A ? " (stacja A)" : " (stacja B)";
    return name;
}

} // namespace kyt
