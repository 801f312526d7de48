#pragma once
// Context help of the desk: what a control is and how it stands now, in the
// words of the journal (short names such as "Sz A (stacja A)"). The window
// shows it as the tooltip of the control under the mouse.

#include "DeskModel.h"
#include "DeskNames.h"
#include "Stations.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kyt {

class Simulator;
struct PressableControl;

// A relay indicator of the desk: the relay it shows, at which station, and
// what the relay does in the block.
struct RelayInfo {
    Control indicator;
    std::string_view relay; // "Pwl", "Pwy (A)", "dKoB"
    Station station; // the station whose relay panel holds it
    std::string_view role;
};
std::span<const RelayInfo> relayInfos();
const RelayInfo* findRelay(Control indicator);

// "wzbudzony", "odwzbudzony", "wzbudzony bez prądu".
std::string_view lookWords(Look look);

// The help of a pressable control, e.g.
// "Sz A (stacja A) – sygnał zastępczy, użyty 3 razy".
std::string pressableHelp(const Simulator& sim, const PressableControl& control);
// The help of a relay indicator, e.g.
// "Pwl – przekaźnik ..., stacja A: wzbudzony".
std::string relayHelp(const Simulator& sim, const RelayInfo& relay);
// The help of any desk component by its name: a pressable control, a relay
// indicator or a use counter; empty for the rest.
std::string controlHelp(const Simulator& sim, std::string_view component);

} // namespace kyt
