#include "Signals.h"

#include "Block.h"
#include "Guard.h"
#include "Reasons.h"
#include "Simulator.h"
#include "Stations.h"
#include "TrafficTexts.h"

namespace kyt {

namespace {

using stations::kA;
using stations::kB;

// The exit signal of the sending station x, for its trains to the other
// station y: the signal's button puts it back to stop, or clears it when y
// has given the permission (Pwl at x, Lzs at y).
void exitSignalClick(Simulator& sim, const StationDesc& x)
{
    if (!Guard {sim.refusals(), x}.require(!dalejShown(sim), reason::kDalejPending))
        return;
    const StationDesc& y = other(x);
    const ExitSignalDesc& e = x.exit;
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();

    // Put back to stop.
    if (Guard {sim.refusals(), x}
            .require(!(s.*x.pwl), reason::kSignalNotCleared)
            .require(s.*y.lzs, reason::kNoPermissionForSignal)) {
        sim.refusals().add(reason::kSignalAtStop, x.station);
        // Only exit signal A's put-back sends the train's step back to the start.
        if (x.station == Station::A)
            s.TrainStep = 0;
        d.setVisible(e.arrow, false);
        ApplySignalStop(sim, x.departure, y.arrival);
        d.setLampValue(e.red, true);
        d.setLampValue(e.green, false);
        DropExitSignalRelays(sim, x);
    }
    // Clear, on the state the put-back left (which never clears again).
    if (Guard {sim.refusals(), x}
            .require(s.*x.pwl, reason::kPermissionUsed)
            .require(s.*y.lzs, reason::kNoPermissionForSignal)) {
        d.setVisible(e.arrow, true);
        d.setLampValue(e.red, false);
        d.setLampValue(e.green, true);
        s.*x.pwl = false;
        mapa(sim, x.mpwl, "odzw");
        ApplySignalProceed(sim, y.arrival, x.pwlLamp);
        s.*e.relay = true;
        mapa(sim, e.relayIndicator, "wzb");
        s.*y.pwy = true;
        mapa(sim, y.mpwy, "wzb");
    }
}

void entrySignalClick(Simulator& sim, const EntrySignalDesc& e)
{
    DeskModel& d = sim.desk();
    if (d.lampValue(e.red)) {
        d.setLampValue(e.red, false);
        d.setLampValue(e.green, true);
        sim.state().*e.clear = true;
        // A train waiting in front of the signal may now go on.
        if (d.sectionColor(e.section) == kColorRed)
            d.setVisible(e.arrow, true);
    } else {
        sim.state().*e.clear = false;
        d.setLampValue(e.red, true);
        d.setLampValue(e.green, false);
        d.setVisible(e.arrow, false);
    }
}

} // namespace

void DropExitSignalRelays(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    BlockState& s = sim.state();
    s.*x.exit.relay = false;
    mapa(sim, x.exit.relayIndicator, "odzw");
    s.*y.pwy = false;
    mapa(sim, y.mpwy, "odzw");
    s.*y.lzs = false;
    mapa(sim, y.mlzs, "odzw");
}

void ApplySignalProceed(Simulator& sim, Control arrivalLamp, Control pwlLamp)
{
    DeskModel& d = sim.desk();
    d.setLampColor(arrivalLamp, kColorRed);
    d.setLampBlink(arrivalLamp, true);
    d.setLampValue(pwlLamp, true);
    d.setCaption(Control::ns1, text::kWire79Shorted);
    d.setCaption(Control::ns2, text::kWire80Shorted);
    showNarration(sim, text::kTextSignalProceed);
}

void ApplySignalStop(Simulator& sim, Control departureLamp, Control arrivalLamp)
{
    DeskModel& d = sim.desk();
    d.setLampColor(departureLamp, kColorRed);
    d.setLampBlink(departureLamp, false);
    d.setLampBlink(arrivalLamp, false);
    d.setCaption(Control::ns1, text::kWire79Off);
    d.setCaption(Control::ns2, text::kWire80Off);
    setNarration(sim, text::kTextSignalStop);
}

void psa1Click(Simulator& sim)
{
    exitSignalClick(sim, kA);
}
void psb2Click(Simulator& sim)
{
    exitSignalClick(sim, kB);
}
// Entry signal A stands at station B, entry signal B at station A.
void psa2Click(Simulator& sim)
{
    entrySignalClick(sim, kB.entry);
}
void psb1Click(Simulator& sim)
{
    entrySignalClick(sim, kA.entry);
}

std::span<const HandlerEntry> signalHandlers()
{
    static const HandlerEntry entries[] = {
        {"psa1Click", psa1Click},
        {"psb2Click", psb2Click},
        {"psa2Click", psa2Click},
        {"psb1Click", psb1Click},
    };
    return entries;
}

} // namespace kyt
