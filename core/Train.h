#pragma once
// The train run over the line: one step per tick of the direction's timer,
// over the eleven track sections from one station to the other. Both
// directions count their steps on the one shared TrainStep, so with both
// timers running each direction takes only the steps of its own ticks.

#include "Dispatch.h"

#include <span>

namespace kyt {

class Simulator;

// Ticks of the A to B timer (Timer1) and of the B to A timer (Timer4).
void Timer1Timer(Simulator& sim);
void Timer4Timer(Simulator& sim);

// One step of the run for the current TrainStep.
void AdvanceTrainAB(Simulator& sim);
void AdvanceTrainBA(Simulator& sim);

// Start or resume a train at exit signal A (1) or B (3); resume a train
// waiting at entry signal A of station B (2) or entry signal B of station A (4).
void ArrowButton1Click(Simulator& sim);
void ArrowButton2Click(Simulator& sim);
void ArrowButton3Click(Simulator& sim);
void ArrowButton4Click(Simulator& sim);

// The train button: pauses the running train(s) or lets them go on.
void pstClick(Simulator& sim);

// The mishap panel and its button.
void ShowMishap(Simulator& sim);
void ShadowButton1Click(Simulator& sim);

std::span<const HandlerEntry> trainHandlers();

} // namespace kyt
