#include "Train.h"

#include "Block.h"
#include "Guard.h"
#include "Reasons.h"
#include "Signals.h"
#include "Simulator.h"
#include "Stations.h"
#include "TrafficTexts.h"

namespace kyt {

namespace {

using stations::kA;
using stations::kB;

void occupy(DeskModel& d, Control section)
{
    d.setSectionColor(section, kColorRed);
}
void vacate(DeskModel& d, Control section)
{
    d.setSectionColor(section, kColorWhite);
}

// Where the two directions differ: only the run from A checks the sections
// it enters at steps 3 and 5, needs its block set for the arrival text at
// step 33, and tells of W at step 35.
bool fromA(const StationDesc& x)
{
    return x.station == Station::A;
}

// Enters a section; the run from A reports a section that is taken already.
void enter(Simulator& sim, const StationDesc& x, Control section)
{
    if (fromA(x) && sim.desk().sectionColor(section) == kColorRed)
        ShowMishap(sim);
    else
        occupy(sim.desk(), section);
}

// One step of the run from the sending station x to the receiving station y.
void advance(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    // The sections in the order the train meets them.
    auto section = [&](int order) {
        const std::size_t i = std::size_t(order - 1);
        return stations::kSectionsFromA[fromA(x) ? i : stations::kSectionsFromA.size() - 1 - i];
    };

    s.*x.trainRun = s.TrainStep <= 62;
    switch (s.TrainStep) {
    case 1: occupy(d, section(1)); break;
    case 2: d.setVisible(x.exit.arrow, false); break;
    case 3: enter(sim, x, section(2)); break;
    case 4:
        // The train waits in front of an exit signal at stop without Sz.
        if (d.lampValue(x.exit.red) && !d.lampValue(x.exit.sz))
            d.setTimerEnabled(x.trainTimer, false);
        break;
    case 5: enter(sim, x, section(3)); break;
    case 6:
        // Past the exit signal: it goes back to stop behind the train.
        if (s.*x.exit.relay) {
            ApplySignalStop(sim, x.departure, y.arrival);
            d.setLampValue(x.exit.red, true);
            d.setLampValue(x.exit.green, false);
            DropExitSignalRelays(sim, x);
        }
        break;
    case 8: vacate(d, section(1)); break;
    case 11: occupy(d, section(4)); break;
    case 14: vacate(d, section(2)); break;
    case 18: occupy(d, section(5)); break;
    case 21: vacate(d, section(3)); break;
    case 24: occupy(d, section(6)); break;
    case 27: vacate(d, section(4)); break;
    case 30: occupy(d, section(7)); break;
    case 32: vacate(d, section(5)); break;
    case 33:
        if (!fromA(x) || s.*x.op)
            setNarration(sim, text::kTextArrival);
        break;
    case 34: {
        // The entry signal holds the train when it shows stop alone, or
        // proceed together with Sz; stop with Sz and plain proceed let it in.
        const bool whiteOff = !d.lampValue(y.entry.sz);
        const bool redOn = d.lampValue(y.entry.red);
        if (whiteOff == redOn)
            d.setTimerEnabled(x.trainTimer, false);
        break;
    }
    case 35:
        if (s.*x.op && (!d.lampValue(y.entry.red) || s.*y.dKo)) {
            if (fromA(x))
                setNarration(sim, text::kTextArrival);
            s.*y.w = true;
            mapa(sim, y.mw, "wzb");
        }
        occupy(d, section(8));
        d.setVisible(y.entry.arrow, false);
        d.setLampValue(y.entry.red, true);
        d.setLampValue(y.entry.green, false);
        break;
    case 38: vacate(d, section(6)); break;
    case 42: occupy(d, section(9)); break;
    case 45: vacate(d, section(7)); break;
    case 48: occupy(d, section(10)); break;
    case 51: vacate(d, section(8)); break;
    case 53: occupy(d, section(11)); break;
    case 56: vacate(d, section(9)); break;
    case 57:
        if (s.*y.w) {
            s.*y.z = true;
            mapa(sim, y.mz, "wzb");
            d.setLampValue(y.koLamp, true);
        }
        break;
    case 59: vacate(d, section(10)); break;
    case 61: vacate(d, section(11)); break;
    case 62:
        if (d.lampValue(y.koLamp))
            appendNarration(sim, text::kTextKo);
        break;
    case 63:
        s.TrainStep = 0;
        d.setTimerEnabled(x.trainTimer, false);
        d.setVisible(Control::pst, false);
        break;
    default: break;
    }
}

void tick(Simulator& sim, const StationDesc& x)
{
    sim.desk().setVisible(Control::pst, true);
    ++sim.state().TrainStep;
    advance(sim, x);
}

// The arrow at the exit signal of station x: a train waiting at the signal
// goes on from where it stands; any other click starts a new run.
void startAtExit(Simulator& sim, const StationDesc& x)
{
    // A train already under way goes on as it is.
    sim.refusals().add(reason::kTrainAlreadyRunning, x.station);
    if (sim.state().TrainStep > 4)
        sim.state().TrainStep = 0;
    sim.desk().setTimerEnabled(x.trainTimer, true);
}

// The arrow at the entry signal of station y: the train from the other
// station goes on, unless a train of y's own runs.
void resumeAtEntry(Simulator& sim, const StationDesc& y)
{
    if (!Guard {sim.refusals(), y}.require(
            !sim.desk().timerEnabled(y.trainTimer), reason::kOwnTrainRunning))
        return;
    sim.desk().setTimerEnabled(other(y).trainTimer, true);
    sim.desk().setVisible(y.entry.arrow, false);
}

} // namespace

void AdvanceTrainAB(Simulator& sim)
{
    advance(sim, kA);
}
void AdvanceTrainBA(Simulator& sim)
{
    advance(sim, kB);
}

void Timer1Timer(Simulator& sim)
{
    tick(sim, kA);
}
void Timer4Timer(Simulator& sim)
{
    tick(sim, kB);
}

void ArrowButton1Click(Simulator& sim)
{
    startAtExit(sim, kA);
}
void ArrowButton3Click(Simulator& sim)
{
    startAtExit(sim, kB);
}
void ArrowButton2Click(Simulator& sim)
{
    resumeAtEntry(sim, kB);
}
void ArrowButton4Click(Simulator& sim)
{
    resumeAtEntry(sim, kA);
}

void pstClick(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    const bool stop = d.caption(Control::pst) == text::kCaptionTrainStop;
    for (const StationDesc* x : {&kA, &kB})
        if (s.*x->trainRun)
            d.setTimerEnabled(x->trainTimer, !stop);
    d.setCaption(Control::pst, stop ? text::kCaptionTrainGo : text::kCaptionTrainStop);
}

void ShowMishap(Simulator& sim)
{
    sim.desk().setVisible(Control::Panel27, true);
}

void ShadowButton1Click(Simulator& sim)
{
    sim.desk().setVisible(Control::Panel27, false);
}

std::span<const HandlerEntry> trainHandlers()
{
    static const HandlerEntry entries[] = {
        {"Timer1Timer", Timer1Timer},
        {"Timer4Timer", Timer4Timer},
        {"ArrowButton1Click", ArrowButton1Click, Control::ArrowButton1},
        {"ArrowButton2Click", ArrowButton2Click, Control::ArrowButton2},
        {"ArrowButton3Click", ArrowButton3Click, Control::ArrowButton3},
        {"ArrowButton4Click", ArrowButton4Click, Control::ArrowButton4},
        {"pstClick", pstClick, Control::pst},
        {"ShadowButton1Click", ShadowButton1Click, Control::Panel27},
    };
    return entries;
}

} // namespace kyt
