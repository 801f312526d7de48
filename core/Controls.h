#pragma once
// What the controls a trainee can press stand for: the station on whose desk
// or side of the track diagram each stands (none for the controls in the
// middle), and a short name to speak of it: the caption printed on or beside
// it, followed by its station, e.g. "dKo A (stacja B)" for the dKo button of
// trains from A, which stands on station B's desk.

#include "Stations.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kyt {

struct PressableControl {
    std::string_view control; // component name, e.g. "HemisphereButton16"
    std::string_view handler; // its click handler, e.g. "HemisphereButton16Click"
    std::optional<Station> station;
    // The caption on the desk; the arrow buttons, which carry none, are
    // named after the signal they stand at.
    std::string_view caption;
    // Handled by the window itself (it opens other windows), not by the
    // simulation's handler table.
    bool windowOnly = false;
};

// Every control a trainee can press, station A's first, then B's, then the
// middle ones.
std::span<const PressableControl> pressableControls();

// The entry of a component name, or nullptr.
const PressableControl* findPressable(std::string_view control);
// The entry whose click runs this handler, or nullptr.
const PressableControl* findPressableByHandler(std::string_view handler);

// "Wbl (stacja A)", "Sz A (stacja B)", "DALEJ".
std::string shortName(const PressableControl& control);
// The short name of the control a click handler belongs to; the handler's
// own name when no control has it.
std::string shortNameOfHandler(std::string_view handler);

} // namespace kyt
