#pragma once
// The one table that maps each handler name, as the window names it
// (pwbl1Click, pdalejClick, Timer1Timer, FormActivate, ...), to the code that
// runs it. The window and the replay tool both call handlers through it.
//
// Each module of handlers exposes its list of entries; the table is their
// concatenation (see Dispatch.cpp: one line per module).

#include "DeskNames.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kyt {

class Simulator;

using HandlerFn = void (*)(Simulator&);

struct HandlerEntry {
    std::string_view name; // handler name, e.g. "pdalejClick"
    HandlerFn run;
    // For a click on a control that can be hidden, the desk-model control
    // whose Visible property must be true for the click to reach the
    // handler (a hidden control takes no clicks). Empty when the control is
    // always there, and for window and timer handlers.
    std::optional<Control> shownBy = {};
};

// The handlers of the block procedures (enabling, permission, release).
std::span<const HandlerEntry> blockHandlers();

// Every handler of the program; names are unique.
const std::vector<HandlerEntry>& handlerTable();

// The entry of a handler name, or nullptr.
const HandlerEntry* findHandler(std::string_view name);

} // namespace kyt
