#include "Emergency.h"

#include "Block.h"
#include "Guard.h"
#include "Reasons.h"
#include "Signals.h"
#include "Simulator.h"
#include "Stations.h"
#include "TrafficTexts.h"
#include "Train.h"

#include <array>
#include <limits>

namespace kyt {

namespace {

using stations::kA;
using stations::kB;

// Ko at the receiving station y, once a train from the other station has
// arrived complete: begins the release of the other station's direction.
void koClick(Simulator& sim, const StationDesc& y)
{
    const StationDesc& x = other(y);
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (!Guard {sim.refusals(), y}
             .require(s.*y.z, reason::kTrainNotArrived)
             .require(d.lampValue(y.entry.red), reason::kEntrySignalNotAtStop)
             .require(!d.lampValue(y.entry.sz), reason::kEntrySzLit)
             .require(!(s.*y.lzs), reason::kLineNotCleared))
        return;
    // Only Ko at A hides the memo.
    if (y.station == Station::A)
        hideNarration(sim);
    s.*x.koRelease = true;
    s.*y.dKo = false;
    d.setLampValue(y.dKoLamp, false);
    mapa(sim, y.mdko, "odzw");
    s.*y.z = false;
    mapa(sim, y.mz, "odzw");
    s.*y.w = false;
    mapa(sim, y.mw, "odzw");
    d.setLampValue(y.koLamp, false);
    s.DalejPhase = 2;
    showDalej(sim);
    s.*y.zwbl = true;
    mapa(sim, y.mzwbl, "wzb");
    d.setLampBlink(y.arrival, true);
    d.setLampColor(y.arrival, kColorWhite);
}

// dKo at the receiving station y, while the other station holds the
// permission.
void dKoClick(Simulator& sim, const StationDesc& y)
{
    const StationDesc& x = other(y);
    BlockState& s = sim.state();
    if (!Guard {sim.refusals(), y}
             .require(s.*x.op, reason::kNoDirectionForDKo)
             .require(!(s.*y.dKo), reason::kDKoUsed))
        return;
    setNarration(sim, text::kTextDKo);
    s.*y.dKo = true;
    sim.desk().setLampValue(y.dKoLamp, true);
    mapa(sim, y.mdko, "wzb");
    countUp(sim, s.*y.dkoCount, y.dkoCounter);
}

// dPo at the sending station x: puts its exit signal back to stop and takes
// the cleared line from the receiving station y.
void dPoClick(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (!Guard {sim.refusals(), x}
             .require(s.*x.op, reason::kNoPermissionToReturn)
             .require(s.*x.pwl, reason::kPermissionAlreadyUsed))
        return;
    s.*x.pwl = false;
    mapa(sim, x.mpwl, "odzw");
    ApplySignalStop(sim, x.departure, y.arrival);
    d.setLampValue(x.exit.red, true);
    d.setLampValue(x.pwlLamp, true);
    d.setLampValue(x.exit.green, false);
    DropExitSignalRelays(sim, x);
    d.setLampColor(y.arrival, kColorRed);
    setNarration(sim, text::kTextDPo);
    countUp(sim, s.*x.dpoCount, x.dpoCounter);
}

// The Sz of the exit signal of station x.
void exitSzClick(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    const ExitSignalDesc& e = x.exit;
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.*e.szActive) {
        s.*e.szActive = false;
        d.setLampValue(e.sz, false);
        d.setVisible(e.arrow, false);
        return;
    }
    // Refused while a train of the other direction may be about: an Sz on
    // the station's entry signal or on the other exit signal, the entry
    // signal cleared, the other exit signal at proceed, a train from there.
    Guard allowed {sim.refusals(), x};
    allowed.require(!(s.*x.entry.szActive), reason::kSzOwnEntrySz)
        .require(!(s.*y.exit.szActive), reason::kSzOtherExitSz)
        .require(!(s.*x.entry.clear), reason::kSzOwnEntryCleared)
        .require(!(s.*y.exit.relay), reason::kSzOtherExitCleared)
        .require(!(s.*y.trainRun), reason::kSzOtherTrainRunning);
    // At B also while B's own exit signal is at proceed; A does not check.
    if (x.station == Station::B)
        allowed.require(!(s.*e.relay), reason::kSzOwnExitCleared);
    if (!allowed) {
        ShowMishap(sim);
        return;
    }
    s.*e.szActive = true;
    d.setLampValue(e.sz, true);
    d.setVisible(e.arrow, true);
    d.setTimerEnabled(x.szTimer, true);
    countUp(sim, s.*e.szCount, e.szCounter);
}

// The Sz of the entry signal of station x, for trains from the other
// station y.
void entrySzClick(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    const EntrySignalDesc& e = x.entry;
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.*e.szActive) {
        s.*e.szActive = false;
        d.setLampValue(e.sz, false);
        // Only at A does putting the Sz out hide the arrow as well.
        if (x.station == Station::A)
            d.setVisible(e.arrow, false);
        return;
    }
    // Refused while the station's own exit signal has Sz or is at proceed,
    // or a train of the station runs; at B also while entry signal B at A
    // is cleared.
    Guard allowed {sim.refusals(), x};
    allowed.require(!(s.*x.exit.szActive), reason::kSzOwnExitSz)
        .require(!(s.*x.exit.relay), reason::kSzOwnExitCleared)
        .require(!(s.*x.trainRun), reason::kSzOwnTrainRunning);
    if (x.station == Station::B)
        allowed.require(!(s.*y.entry.clear), reason::kSzOtherEntryCleared);
    if (!allowed) {
        ShowMishap(sim);
        return;
    }
    setNarration(sim, text::kTextSzEntry);
    s.*e.szActive = true;
    d.setLampValue(e.sz, true);
    // B starts its timer before it places the train, A after.
    if (x.station == Station::B)
        d.setTimerEnabled(x.szTimer, true);
    if (s.TrainStep > 32)
        d.setVisible(e.arrow, true);
    // A train that has left the other station is set in front of the entry signal.
    if (s.TrainStep < 32 && !(s.*y.pwl)) {
        d.setVisible(e.arrow, true);
        s.TrainStep = 28;
    }
    if (x.station == Station::A)
        d.setTimerEnabled(x.szTimer, true);
    countUp(sim, s.*e.szCount, e.szCounter);
}

constexpr std::int32_t kSzTicks = 20;

// The Sz lamps of one signal.
struct SzLamp {
    Relay active;
    Control arrow;
    Control lamp;
};

// The timer of station x puts its Sz lamps out after 20 ticks, the Sz of
// signal A first: A's exit signal, B's entry signal.
void szTick(Simulator& sim, const StationDesc& x)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (++(s.*x.szTicks) != kSzTicks)
        return;
    const SzLamp exit {x.exit.szActive, x.exit.arrow, x.exit.sz};
    const SzLamp entry {x.entry.szActive, x.entry.arrow, x.entry.sz};
    const std::array<SzLamp, 2> lamps
        = x.station == Station::A ? std::array {exit, entry} : std::array {entry, exit};
    for (const SzLamp& l : lamps)
        if (s.*l.active)
            d.setVisible(l.arrow, false);
    for (const SzLamp& l : lamps)
        d.setLampValue(l.lamp, false);
    d.setTimerEnabled(x.szTimer, false);
    s.*x.szTicks = 0;
    for (const SzLamp& l : lamps)
        s.*l.active = false;
}

} // namespace

void countUp(Simulator& sim, std::int32_t& count, Control display)
{
    if (count < std::numeric_limits<std::int32_t>::max())
        ++count;
    sim.desk().setCounterValue(display, count);
}

// Ko and dKo for trains from A stand at station B, and the other way round.
void pkoaClick(Simulator& sim)
{
    koClick(sim, kB);
}
void pkobClick(Simulator& sim)
{
    koClick(sim, kA);
}
void HemisphereButton16Click(Simulator& sim)
{
    dKoClick(sim, kB);
}
void HemisphereButton3Click(Simulator& sim)
{
    dKoClick(sim, kA);
}
void HemisphereButton4Click(Simulator& sim)
{
    dPoClick(sim, kA);
}
void HemisphereButton15Click(Simulator& sim)
{
    dPoClick(sim, kB);
}

// Sz on signal A: the exit signal at A and the entry signal at B; on signal
// B: the entry signal at A and the exit signal at B.
void psza1Click(Simulator& sim)
{
    exitSzClick(sim, kA);
}
void pszb2Click(Simulator& sim)
{
    exitSzClick(sim, kB);
}
void psza2Click(Simulator& sim)
{
    entrySzClick(sim, kB);
}
void pszb1Click(Simulator& sim)
{
    entrySzClick(sim, kA);
}

void Timer2Timer(Simulator& sim)
{
    szTick(sim, kA);
}
void Timer3Timer(Simulator& sim)
{
    szTick(sim, kB);
}

std::span<const HandlerEntry> emergencyHandlers()
{
    static const HandlerEntry entries[] = {
        {"pkoaClick", pkoaClick},
        {"pkobClick", pkobClick},
        {"HemisphereButton16Click", HemisphereButton16Click},
        {"HemisphereButton3Click", HemisphereButton3Click},
        {"HemisphereButton4Click", HemisphereButton4Click},
        {"HemisphereButton15Click", HemisphereButton15Click},
        {"psza1Click", psza1Click},
        {"pszb1Click", pszb1Click},
        {"psza2Click", psza2Click},
        {"pszb2Click", pszb2Click},
        {"Timer2Timer", Timer2Timer},
        {"Timer3Timer", Timer3Timer},
    };
    return entries;
}

} // namespace kyt
