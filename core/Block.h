#pragma once
// The block procedures: enabling and cancelling the block, the permission
// transfer, the release, and the "DALEJ" stepping; with the small desk
// helpers that the other handler modules share.

#include "BlockState.h"
#include "DeskModel.h"
#include "Stations.h"

#include <string>
#include <string_view>

namespace kyt {

class Simulator;

// Desk helpers -----------------------------------------------------------------

// Shows a look on a relay indicator; the look name is matched without regard
// to case. Throws kyt::Error for a name that is no look.
void mapa(Simulator& sim, Control indicator, std::string_view look);

// Narration: show the memo with a new text; replace the text leaving the
// memo shown or hidden as it is; append to the text; hide the memo.
void showNarration(Simulator& sim, const std::string& text);
void setNarration(Simulator& sim, const std::string& text);
void appendNarration(Simulator& sim, const std::string& text);
void hideNarration(Simulator& sim);

// The "DALEJ" button.
bool dalejShown(const Simulator& sim);
void showDalej(Simulator& sim);
void hideDalej(Simulator& sim);

// A lamp counts as blinking when its Blink is true, as lit when its Value is.
bool lampBlinkingAndLit(const Simulator& sim, Control lamp);
bool lampDarkAndSteady(const Simulator& sim, Control lamp);

// Block state --------------------------------------------------------------------

// Returns the block-procedure variables to the basic state; the desk is not
// touched.
void ResetBlock(BlockState& s);

// Window handlers and click handlers -------------------------------------------

void FormActivate(Simulator& sim);
void pdalejClick(Simulator& sim);
void pwbl1Click(Simulator& sim);
void pwbl2Click(Simulator& sim);
void ppoz1Click(Simulator& sim);
void ppoz2Click(Simulator& sim);

// Procedures -------------------------------------------------------------------
// Each runs for the station named: the one that asks for the block, begins a
// release, or confirms one.

void EnableBlock(Simulator& sim, const StationDesc& asking);
void CancelEnabling(Simulator& sim, const StationDesc& asking);
// The withdrawal of station A's request, performed by "DALEJ" in phase 3.
void WithdrawRequestA(Simulator& sim);

void BeginRelease(Simulator& sim, const StationDesc& releasing);
void ConfirmRelease(Simulator& sim, const StationDesc& confirming);
void ReleaseFinalPhase(Simulator& sim);
void ReleaseRcDischarge(Simulator& sim);
void ReleaseEnd(Simulator& sim);
// The return to the basic state that ends a release (phase 6).
void ReturnToBasicState(Simulator& sim);

// The permission given by the station that grants it.
void GrantPermission(Simulator& sim, const StationDesc& granting);
void SettleDirection(Simulator& sim);

} // namespace kyt
