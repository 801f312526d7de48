#include "Signals.h"

#include "Block.h"
#include "Simulator.h"
#include "TrafficTexts.h"

namespace kyt {

namespace {

// What belongs to one exit signal: the relays of both stations it drives and
// its lamps on the desk.
struct ExitSignal {
    bool BlockState::*pwl;    // Pwl of the sending station
    bool BlockState::*lzs;    // Lzs of the receiving station
    bool BlockState::*pwy;    // Pwy of the receiving station
    bool BlockState::*signal; // the signal relay
    Control pwlIndicator;
    Control lzsIndicator;
    Control pwyIndicator;
    Control signalIndicator;
    Control red;
    Control green;
    Control arrow;
    Control departure; // "WYJAZD" arrow of the sending station
    Control arrival;   // "PRZYJAZD" arrow of the receiving station
    Control pwlLamp;   // "Pwl" lamp of the sending station
    bool resetsTrainStep;
};

constexpr ExitSignal kExitA{&BlockState::PwlA, &BlockState::LzsB, &BlockState::PwyB,
                            &BlockState::SA,   Control::mpwl1,           Control::mlzs2,
                            Control::mpwyb,           Control::msa,             Control::ALed1,
                            Control::ALed5,           Control::ArrowButton1,    Control::lwbl1,
                            Control::lp2,             Control::ALed7,           true};

constexpr ExitSignal kExitB{&BlockState::PwlB, &BlockState::LzsA, &BlockState::PwyA,
                            &BlockState::SB,   Control::mpwl2,           Control::mlzs1,
                            Control::mpwya,           Control::msb,             Control::ALed9,
                            Control::ALed18,          Control::ArrowButton3,    Control::lwbl2,
                            Control::lp1,             Control::ALed16,          false};

void exitSignalClick(Simulator& sim, const ExitSignal& x)
{
    if (dalejShown(sim))
        return;
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();

    // Put back to stop.
    if (!(s.*x.pwl) && s.*x.lzs) {
        if (x.resetsTrainStep)
            s.TrainStep = 0;
        d.setVisible(x.arrow, false);
        ApplySignalStop(sim, x.departure, x.arrival);
        d.setLampValue(x.red, true);
        d.setLampValue(x.green, false);
        s.*x.signal = false;
        mapa(sim, x.signalIndicator, "odzw");
        s.*x.pwy = false;
        mapa(sim, x.pwyIndicator, "odzw");
        s.*x.lzs = false;
        mapa(sim, x.lzsIndicator, "odzw");
    }
    // Clear, on the state the put-back left (which never clears again).
    if (s.*x.pwl && s.*x.lzs) {
        d.setVisible(x.arrow, true);
        d.setLampValue(x.red, false);
        d.setLampValue(x.green, true);
        s.*x.pwl = false;
        mapa(sim, x.pwlIndicator, "odzw");
        ApplySignalProceed(sim, x.arrival, x.pwlLamp);
        s.*x.signal = true;
        mapa(sim, x.signalIndicator, "wzb");
        s.*x.pwy = true;
        mapa(sim, x.pwyIndicator, "wzb");
    }
}

struct EntrySignal {
    bool BlockState::*clear;
    Control red;
    Control green;
    Control section; // the section in front of the signal
    Control arrow;
};

constexpr EntrySignal kEntryA2{&BlockState::SignalA2Clear, Control::ALed11, Control::ALed8, Control::ita,
                               Control::ArrowButton2};
constexpr EntrySignal kEntryB1{&BlockState::SignalB1Clear, Control::ALed3, Control::ALed6, Control::itb,
                               Control::ArrowButton4};

void entrySignalClick(Simulator& sim, const EntrySignal& x)
{
    DeskModel& d = sim.desk();
    if (d.lampValue(x.red)) {
        d.setLampValue(x.red, false);
        d.setLampValue(x.green, true);
        sim.state().*x.clear = true;
        // A train waiting in front of the signal may now go on.
        if (d.sectionColor(x.section) == kColorRed)
            d.setVisible(x.arrow, true);
    } else {
        sim.state().*x.clear = false;
        d.setLampValue(x.red, true);
        d.setLampValue(x.green, false);
        d.setVisible(x.arrow, false);
    }
}

} // namespace

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

void psa1Click(Simulator& sim) { exitSignalClick(sim, kExitA); }
void psb2Click(Simulator& sim) { exitSignalClick(sim, kExitB); }
void psa2Click(Simulator& sim) { entrySignalClick(sim, kEntryA2); }
void psb1Click(Simulator& sim) { entrySignalClick(sim, kEntryB1); }

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
