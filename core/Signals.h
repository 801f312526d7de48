#pragma once
// The four main signals of the two stations and the state of the DC line
// wires: clearing and putting back the exit signals, toggling the entry
// signals, and the desk effects of an exit signal going to proceed or stop,
// which the train run and the dPo buttons use as well.

#include "Dispatch.h"
#include "Stations.h"

#include <span>
#include <string_view>

namespace kyt {

class Simulator;

// The desk effects of an exit signal going to proceed: the arrival arrow of
// the receiving station blinks red, the sending station's "Pwl" lamp lights,
// both wires read shorted, and the memo explains why.
void ApplySignalProceed(Simulator& sim, Control arrivalLamp, Control pwlLamp);

// The desk effects of an exit signal going back to stop: the departure arrow
// turns red and steady, the arrival arrow stops blinking, the wires carry no
// current, and the memo tells so (leaving it shown or hidden).
void ApplySignalStop(Simulator& sim, Control departureLamp, Control arrivalLamp);

// The relays the exit signal of station x holds drop, each shown on its
// indicator: the signal relay, then Pwy and Lzs of the receiving station.
void DropExitSignalRelays(Simulator& sim, const StationDesc& x);

// Exit signal A at station A and exit signal B at station B.
void psa1Click(Simulator& sim);
void psb2Click(Simulator& sim);
// Entry signal A at station B and entry signal B at station A.
void psa2Click(Simulator& sim);
void psb1Click(Simulator& sim);

std::span<const HandlerEntry> signalHandlers();

} // namespace kyt
