#pragma once
// The use counts of the emergency buttons across runs of the program: loaded
// from the user's counter store when the simulator window is opened from the
// start window, saved when the simulator window is closed.

#include "BlockState.h"
#include "DeskNames.h"
#include "Dispatch.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kyt {

class Simulator;

// A count, the name it is stored under and the display that shows it.
struct CounterSlot {
    std::string_view name;
    std::int32_t BlockState::*count;
    Control display;
};

// The counts in the order a load reads them and the order a save writes them.
const std::array<CounterSlot, 8>& loadOrder();
const std::array<CounterSlot, 8>& saveOrder();

// Loads the eight counts and shows them. Nothing stored yet: nothing changes.
// A value that is missing or no 32-bit integer leaves its count as it was;
// the others are read and every count is shown, then the load raises an
// error naming the first value that could not be read.
void odczytlicznikow(Simulator& sim);
// Shows each count on its display.
void wpislicznikow(Simulator& sim);
// Saves the eight counts as one change: the uses of each since it was last
// loaded or saved are added to what the store holds at that moment, so that
// two programs sharing a store lose none of each other's uses. A stored value
// that could not be read is kept unless its count was used. Raises "Failed
// to set data for 'sza1'" when they cannot be stored; the store then keeps
// what it held.
void regwpis(Simulator& sim);
// The close of the simulator window: saves the counts. When it raises, the
// close is abandoned and the window stays open with the counts.
void FormClose(Simulator& sim);

std::span<const HandlerEntry> counterHandlers();

} // namespace kyt
