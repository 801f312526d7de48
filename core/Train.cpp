#include "Train.h"

#include "Block.h"
#include "Signals.h"
#include "Simulator.h"
#include "TrafficTexts.h"

#include <array>

namespace kyt {

namespace {

// One direction of the run: the sections in the order the train meets them
// and what it finds at the sending and at the receiving station.
struct Run {
    bool BlockState::*running;
    Control timer;
    std::array<Control, 11> sections;
    // Exit signal of the sending station.
    Control exitArrow;
    Control exitRed;
    Control exitWhite;
    Control exitGreen;
    bool BlockState::*signal;
    Control signalIndicator;
    bool BlockState::*pwy;
    Control pwyIndicator;
    bool BlockState::*lzs;
    Control lzsIndicator;
    Control departure;
    Control arrival;
    // Entry signal of the receiving station.
    Control entryRed;
    Control entryWhite;
    Control entryGreen;
    Control entryArrow;
    // Relays and Ko lamp of the receiving station.
    bool BlockState::*op;
    bool BlockState::*dKo;
    bool BlockState::*w;
    Control wIndicator;
    bool BlockState::*z;
    Control zIndicator;
    Control koLamp;
    // Where the two directions differ: only the A to B run checks the
    // sections it enters at steps 3 and 5, needs its block set for the
    // arrival text at step 33, and tells of W at step 35.
    bool fromA;
};

const Run kRunAB{&BlockState::TrainRunAB,
                 Control::Timer1,
                 {Control::Shape1, Control::Shape2, Control::oitb1, Control::oitb2, Control::itb, Control::Shape6, Control::ita, Control::oita1, Control::oita2,
                  Control::Shape10, Control::Shape11},
                 Control::ArrowButton1, Control::ALed1, Control::ALed2, Control::ALed5,
                 &BlockState::SA, Control::msa, &BlockState::PwyB, Control::mpwyb, &BlockState::LzsB, Control::mlzs2,
                 Control::lwbl1, Control::lp2,
                 Control::ALed11, Control::ALed12, Control::ALed8, Control::ArrowButton2,
                 &BlockState::OpA, &BlockState::dKoA, &BlockState::WA, Control::mwa, &BlockState::ZA,
                 Control::mza, Control::ALed19,
                 true};

const Run kRunBA{&BlockState::TrainRunBA,
                 Control::Timer4,
                 {Control::Shape11, Control::Shape10, Control::oita2, Control::oita1, Control::ita, Control::Shape6, Control::itb, Control::oitb2, Control::oitb1,
                  Control::Shape2, Control::Shape1},
                 Control::ArrowButton3, Control::ALed9, Control::ALed10, Control::ALed18,
                 &BlockState::SB, Control::msb, &BlockState::PwyA, Control::mpwya, &BlockState::LzsA, Control::mlzs1,
                 Control::lwbl2, Control::lp1,
                 Control::ALed3, Control::ALed4, Control::ALed6, Control::ArrowButton4,
                 &BlockState::OpB, &BlockState::dKoB, &BlockState::WB, Control::mwb, &BlockState::ZB,
                 Control::mzb, Control::ALed20,
                 false};

void occupy(DeskModel& d, Control section) { d.setSectionColor(section, kColorRed); }
void vacate(DeskModel& d, Control section) { d.setSectionColor(section, kColorWhite); }

// Enters a section; the A to B run reports a section that is taken already.
void enter(Simulator& sim, const Run& r, Control section)
{
    if (r.fromA && sim.desk().sectionColor(section) == kColorRed)
        ShowMishap(sim);
    else
        occupy(sim.desk(), section);
}

void advance(Simulator& sim, const Run& r)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    auto section = [&](int order) { return r.sections[std::size_t(order - 1)]; };

    s.*r.running = s.TrainStep <= 62;
    switch (s.TrainStep) {
    case 1: occupy(d, section(1)); break;
    case 2: d.setVisible(r.exitArrow, false); break;
    case 3: enter(sim, r, section(2)); break;
    case 4:
        // The train waits in front of an exit signal at stop without Sz.
        if (d.lampValue(r.exitRed) && !d.lampValue(r.exitWhite))
            d.setTimerEnabled(r.timer, false);
        break;
    case 5: enter(sim, r, section(3)); break;
    case 6:
        // Past the exit signal: it goes back to stop behind the train.
        if (s.*r.signal) {
            ApplySignalStop(sim, r.departure, r.arrival);
            d.setLampValue(r.exitRed, true);
            d.setLampValue(r.exitGreen, false);
            s.*r.signal = false;
            mapa(sim, r.signalIndicator, "odzw");
            s.*r.pwy = false;
            mapa(sim, r.pwyIndicator, "odzw");
            s.*r.lzs = false;
            mapa(sim, r.lzsIndicator, "odzw");
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
        if (!r.fromA || s.*r.op)
            setNarration(sim, text::kTextArrival);
        break;
    case 34: {
        // The entry signal holds the train when it shows stop alone, or
        // proceed together with Sz; stop with Sz and plain proceed let it in.
        const bool whiteOff = !d.lampValue(r.entryWhite);
        const bool redOn = d.lampValue(r.entryRed);
        if (whiteOff == redOn)
            d.setTimerEnabled(r.timer, false);
        break;
    }
    case 35:
        if (s.*r.op && (!d.lampValue(r.entryRed) || s.*r.dKo)) {
            if (r.fromA)
                setNarration(sim, text::kTextArrival);
            s.*r.w = true;
            mapa(sim, r.wIndicator, "wzb");
        }
        occupy(d, section(8));
        d.setVisible(r.entryArrow, false);
        d.setLampValue(r.entryRed, true);
        d.setLampValue(r.entryGreen, false);
        break;
    case 38: vacate(d, section(6)); break;
    case 42: occupy(d, section(9)); break;
    case 45: vacate(d, section(7)); break;
    case 48: occupy(d, section(10)); break;
    case 51: vacate(d, section(8)); break;
    case 53: occupy(d, section(11)); break;
    case 56: vacate(d, section(9)); break;
    case 57:
        if (s.*r.w) {
            s.*r.z = true;
            mapa(sim, r.zIndicator, "wzb");
            d.setLampValue(r.koLamp, true);
        }
        break;
    case 59: vacate(d, section(10)); break;
    case 61: vacate(d, section(11)); break;
    case 62:
        if (d.lampValue(r.koLamp))
            appendNarration(sim, text::kTextKo);
        break;
    case 63:
        s.TrainStep = 0;
        d.setTimerEnabled(r.timer, false);
        d.setVisible(Control::pst, false);
        break;
    default: break;
    }
}

void tick(Simulator& sim, const Run& r)
{
    sim.desk().setVisible(Control::pst, true);
    ++sim.state().TrainStep;
    advance(sim, r);
}

} // namespace

void AdvanceTrainAB(Simulator& sim) { advance(sim, kRunAB); }
void AdvanceTrainBA(Simulator& sim) { advance(sim, kRunBA); }

void Timer1Timer(Simulator& sim) { tick(sim, kRunAB); }
void Timer4Timer(Simulator& sim) { tick(sim, kRunBA); }

void ArrowButton1Click(Simulator& sim)
{
    // A train waiting at the exit signal goes on from where it stands; any
    // other click starts a new run.
    if (sim.state().TrainStep > 4)
        sim.state().TrainStep = 0;
    sim.desk().setTimerEnabled(Control::Timer1, true);
}

void ArrowButton3Click(Simulator& sim)
{
    if (sim.state().TrainStep > 4)
        sim.state().TrainStep = 0;
    sim.desk().setTimerEnabled(Control::Timer4, true);
}

void ArrowButton2Click(Simulator& sim)
{
    if (sim.desk().timerEnabled(Control::Timer4))
        return;
    sim.desk().setTimerEnabled(Control::Timer1, true);
    sim.desk().setVisible(Control::ArrowButton2, false);
}

void ArrowButton4Click(Simulator& sim)
{
    if (sim.desk().timerEnabled(Control::Timer1))
        return;
    sim.desk().setTimerEnabled(Control::Timer4, true);
    sim.desk().setVisible(Control::ArrowButton4, false);
}

void pstClick(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    const bool stop = d.caption(Control::pst) == text::kCaptionTrainStop;
    if (s.TrainRunAB)
        d.setTimerEnabled(Control::Timer1, !stop);
    if (s.TrainRunBA)
        d.setTimerEnabled(Control::Timer4, !stop);
    d.setCaption(Control::pst, stop ? text::kCaptionTrainGo : text::kCaptionTrainStop);
}

void ShowMishap(Simulator& sim) { sim.desk().setVisible(Control::Panel27, true); }

void ShadowButton1Click(Simulator& sim) { sim.desk().setVisible(Control::Panel27, false); }

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
