#pragma once
// The buttons of the unusual cases at both stations: Ko (the train has
// arrived complete; starts the release of the block), dKo, dPo and the
// substitute signal Sz on each signal, with the two timers that put the Sz
// lamps out after 20 seconds. dKo, dPo and Sz count their uses.

#include "Dispatch.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace kyt {

class Simulator;

// Ko at station B (trains from A) and at station A (trains from B).
void pkoaClick(Simulator& sim);
void pkobClick(Simulator& sim);
// dKo at station B (trains from A) and at station A (trains from B).
void HemisphereButton16Click(Simulator& sim);
void HemisphereButton3Click(Simulator& sim);
// dPo at station A (direction A to B) and at station B (direction B to A).
void HemisphereButton4Click(Simulator& sim);
void HemisphereButton15Click(Simulator& sim);
// Sz on exit signal A, entry signal B of station A, entry signal A of
// station B and exit signal B.
void psza1Click(Simulator& sim);
void pszb1Click(Simulator& sim);
void psza2Click(Simulator& sim);
void pszb2Click(Simulator& sim);
// The Sz timers of station A and of station B.
void Timer2Timer(Simulator& sim);
void Timer3Timer(Simulator& sim);

// Counts one more use and shows it on the counter's display. A count stops
// at the largest 32-bit value instead of running over.
void countUp(Simulator& sim, std::int32_t& count, Control display);

std::span<const HandlerEntry> emergencyHandlers();

} // namespace kyt
