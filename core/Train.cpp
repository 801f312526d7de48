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
    const char* timer;
    std::array<const char*, 11> sections;
    // Exit signal of the sending station.
    const char* exitArrow;
    const char* exitRed;
    const char* exitWhite;
    const char* exitGreen;
    bool BlockState::*signal;
    const char* signalIndicator;
    bool BlockState::*pwy;
    const char* pwyIndicator;
    bool BlockState::*lzs;
    const char* lzsIndicator;
    const char* departure;
    const char* arrival;
    // Entry signal of the receiving station.
    const char* entryRed;
    const char* entryWhite;
    const char* entryGreen;
    const char* entryArrow;
    // Relays and Ko lamp of the receiving station.
    bool BlockState::*op;
    bool BlockState::*dKo;
    bool BlockState::*w;
    const char* wIndicator;
    bool BlockState::*z;
    const char* zIndicator;
    const char* koLamp;
    // Where the two directions differ: only the A to B run checks the
    // sections it enters at steps 3 and 5, needs its block set for the
    // arrival text at step 33, and tells of W at step 35.
    bool fromA;
};

const Run kRunAB{&BlockState::TrainRunAB,
                 "Timer1",
                 {"Shape1", "Shape2", "oitb1", "oitb2", "itb", "Shape6", "ita", "oita1", "oita2",
                  "Shape10", "Shape11"},
                 "ArrowButton1", "ALed1", "ALed2", "ALed5",
                 &BlockState::SA, "msa", &BlockState::PwyB, "mpwyb", &BlockState::LzsB, "mlzs2",
                 "lwbl1", "lp2",
                 "ALed11", "ALed12", "ALed8", "ArrowButton2",
                 &BlockState::OpA, &BlockState::dKoA, &BlockState::WA, "mwa", &BlockState::ZA,
                 "mza", "ALed19",
                 true};

const Run kRunBA{&BlockState::TrainRunBA,
                 "Timer4",
                 {"Shape11", "Shape10", "oita2", "oita1", "ita", "Shape6", "itb", "oitb2", "oitb1",
                  "Shape2", "Shape1"},
                 "ArrowButton3", "ALed9", "ALed10", "ALed18",
                 &BlockState::SB, "msb", &BlockState::PwyA, "mpwya", &BlockState::LzsA, "mlzs1",
                 "lwbl2", "lp1",
                 "ALed3", "ALed4", "ALed6", "ArrowButton4",
                 &BlockState::OpB, &BlockState::dKoB, &BlockState::WB, "mwb", &BlockState::ZB,
                 "mzb", "ALed20",
                 false};

void occupy(DeskModel& d, const char* section) { d.setSectionColor(section, kColorRed); }
void vacate(DeskModel& d, const char* section) { d.setSectionColor(section, kColorWhite); }

// Enters a section; the A to B run reports a section that is taken already.
void enter(Simulator& sim, const Run& r, const char* section)
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
        d.setVisible("pst", false);
        break;
    default: break;
    }
}

void tick(Simulator& sim, const Run& r)
{
    sim.desk().setVisible("pst", true);
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
    sim.desk().setTimerEnabled("Timer1", true);
}

void ArrowButton3Click(Simulator& sim)
{
    if (sim.state().TrainStep > 4)
        sim.state().TrainStep = 0;
    sim.desk().setTimerEnabled("Timer4", true);
}

void ArrowButton2Click(Simulator& sim)
{
    if (sim.desk().timerEnabled("Timer4"))
        return;
    sim.desk().setTimerEnabled("Timer1", true);
    sim.desk().setVisible("ArrowButton2", false);
}

void ArrowButton4Click(Simulator& sim)
{
    if (sim.desk().timerEnabled("Timer1"))
        return;
    sim.desk().setTimerEnabled("Timer4", true);
    sim.desk().setVisible("ArrowButton4", false);
}

void pstClick(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    const bool stop = d.caption("pst") == text::kCaptionTrainStop;
    if (s.TrainRunAB)
        d.setTimerEnabled("Timer1", !stop);
    if (s.TrainRunBA)
        d.setTimerEnabled("Timer4", !stop);
    d.setCaption("pst", stop ? text::kCaptionTrainGo : text::kCaptionTrainStop);
}

void ShowMishap(Simulator& sim) { sim.desk().setVisible("Panel27", true); }

void ShadowButton1Click(Simulator& sim) { sim.desk().setVisible("Panel27", false); }

std::span<const HandlerEntry> trainHandlers()
{
    static const HandlerEntry entries[] = {
        {"Timer1Timer", Timer1Timer},
        {"Timer4Timer", Timer4Timer},
        {"ArrowButton1Click", ArrowButton1Click, "ArrowButton1"},
        {"ArrowButton2Click", ArrowButton2Click, "ArrowButton2"},
        {"ArrowButton3Click", ArrowButton3Click, "ArrowButton3"},
        {"ArrowButton4Click", ArrowButton4Click, "ArrowButton4"},
        {"pstClick", pstClick, "pst"},
        {"ShadowButton1Click", ShadowButton1Click, "Panel27"},
    };
    return entries;
}

} // namespace kyt
