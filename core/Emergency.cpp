#include "Emergency.h"

#include "Block.h"
#include "Signals.h"
#include "Simulator.h"
#include "TrafficTexts.h"
#include "Train.h"

#include <limits>

namespace kyt {

namespace {

// Ko at the receiving station Y for a train from X.
struct Ko {
    bool BlockState::*z;
    Control entryRed;
    Control entryWhite;
    bool BlockState::*lzs;
    bool BlockState::*release;
    bool BlockState::*dKo;
    Control dKoLamp;
    Control dKoIndicator;
    Control zIndicator;
    bool BlockState::*w;
    Control wIndicator;
    Control koLamp;
    bool BlockState::*zwbl;
    Control zwblIndicator;
    Control arrival;
    bool hidesMemo;
};

constexpr Ko kKoAtB{&BlockState::ZA, Control::ALed11, Control::ALed12, &BlockState::LzsB,
                    &BlockState::KoReleaseAB, &BlockState::dKoA, Control::ALed13, Control::mdkoa, Control::mza,
                    &BlockState::WA, Control::mwa, Control::ALed19, &BlockState::ZwblB, Control::mzwbl2, Control::lp2, false};

constexpr Ko kKoAtA{&BlockState::ZB, Control::ALed3, Control::ALed4, &BlockState::LzsA,
                    &BlockState::KoReleaseBA, &BlockState::dKoB, Control::ALed14, Control::mdkob, Control::mzb,
                    &BlockState::WB, Control::mwb, Control::ALed20, &BlockState::ZwblA, Control::mzwbl1, Control::lp1, true};

void koClick(Simulator& sim, const Ko& k)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (!(s.*k.z && d.lampValue(k.entryRed) && !d.lampValue(k.entryWhite) && !(s.*k.lzs)))
        return;
    if (k.hidesMemo)
        hideNarration(sim);
    s.*k.release = true;
    s.*k.dKo = false;
    d.setLampValue(k.dKoLamp, false);
    mapa(sim, k.dKoIndicator, "odzw");
    s.*k.z = false;
    mapa(sim, k.zIndicator, "odzw");
    s.*k.w = false;
    mapa(sim, k.wIndicator, "odzw");
    d.setLampValue(k.koLamp, false);
    s.DalejPhase = 2;
    showDalej(sim);
    s.*k.zwbl = true;
    mapa(sim, k.zwblIndicator, "wzb");
    d.setLampBlink(k.arrival, true);
    d.setLampColor(k.arrival, kColorWhite);
}

struct DKo {
    bool BlockState::*op;
    bool BlockState::*dKo;
    Control lamp;
    Control indicator;
    std::int32_t BlockState::*count;
    Control display;
};

constexpr DKo kDKoAtB{&BlockState::OpA, &BlockState::dKoA, Control::ALed13, Control::mdkoa,
                      &BlockState::dkoaCount, Control::ldkoa};
constexpr DKo kDKoAtA{&BlockState::OpB, &BlockState::dKoB, Control::ALed14, Control::mdkob,
                      &BlockState::dkobCount, Control::ldkob};

void dKoClick(Simulator& sim, const DKo& k)
{
    BlockState& s = sim.state();
    if (!(s.*k.op) || s.*k.dKo)
        return;
    setNarration(sim, text::kTextDKo);
    s.*k.dKo = true;
    sim.desk().setLampValue(k.lamp, true);
    mapa(sim, k.indicator, "wzb");
    countUp(sim, s.*k.count, k.display);
}

// dPo at the sending station X.
struct DPo {
    bool BlockState::*op;
    bool BlockState::*pwl;
    Control pwlIndicator;
    Control departure;
    Control arrival;
    Control red;
    Control pwlLamp;
    Control green;
    bool BlockState::*signal;
    Control signalIndicator;
    bool BlockState::*pwy;
    Control pwyIndicator;
    bool BlockState::*lzs;
    Control lzsIndicator;
    std::int32_t BlockState::*count;
    Control display;
};

constexpr DPo kDPoAtA{&BlockState::OpA, &BlockState::PwlA, Control::mpwl1, Control::lwbl1, Control::lp2,
                      Control::ALed1, Control::ALed7, Control::ALed5, &BlockState::SA, Control::msa, &BlockState::PwyB,
                      Control::mpwyb, &BlockState::LzsB, Control::mlzs2, &BlockState::dpoaCount, Control::ldpoa};
constexpr DPo kDPoAtB{&BlockState::OpB, &BlockState::PwlB, Control::mpwl2, Control::lwbl2, Control::lp1,
                      Control::ALed9, Control::ALed16, Control::ALed18, &BlockState::SB, Control::msb, &BlockState::PwyA,
                      Control::mpwya, &BlockState::LzsA, Control::mlzs1, &BlockState::dpobCount, Control::ldpob};

void dPoClick(Simulator& sim, const DPo& k)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (!(s.*k.op && s.*k.pwl))
        return;
    s.*k.pwl = false;
    mapa(sim, k.pwlIndicator, "odzw");
    ApplySignalStop(sim, k.departure, k.arrival);
    d.setLampValue(k.red, true);
    d.setLampValue(k.pwlLamp, true);
    d.setLampValue(k.green, false);
    s.*k.signal = false;
    mapa(sim, k.signalIndicator, "odzw");
    s.*k.pwy = false;
    mapa(sim, k.pwyIndicator, "odzw");
    s.*k.lzs = false;
    mapa(sim, k.lzsIndicator, "odzw");
    d.setLampColor(k.arrival, kColorRed);
    setNarration(sim, text::kTextDPo);
    countUp(sim, s.*k.count, k.display);
}

// The Sz lamps of one station and the timer that puts them out.
struct SzTimer {
    std::int32_t BlockState::*ticks;
    Control timer;
    bool BlockState::*firstActive; // the station's Sz on signal A
    Control firstArrow;
    Control firstLamp;
    bool BlockState::*secondActive; // the station's Sz on signal B
    Control secondArrow;
    Control secondLamp;
};

constexpr SzTimer kSzTimerA{&BlockState::SzTicksA, Control::Timer2, &BlockState::sza1Active,
                            Control::ArrowButton1, Control::ALed2, &BlockState::szb1Active, Control::ArrowButton4,
                            Control::ALed4};
constexpr SzTimer kSzTimerB{&BlockState::SzTicksB, Control::Timer3, &BlockState::sza2Active,
                            Control::ArrowButton2, Control::ALed12, &BlockState::szb2Active, Control::ArrowButton3,
                            Control::ALed10};

constexpr std::int32_t kSzTicks = 20;

void szTick(Simulator& sim, const SzTimer& t)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (++(s.*t.ticks) != kSzTicks)
        return;
    if (s.*t.firstActive)
        d.setVisible(t.firstArrow, false);
    if (s.*t.secondActive)
        d.setVisible(t.secondArrow, false);
    d.setLampValue(t.firstLamp, false);
    d.setLampValue(t.secondLamp, false);
    d.setTimerEnabled(t.timer, false);
    s.*t.ticks = 0;
    s.*t.firstActive = false;
    s.*t.secondActive = false;
}

} // namespace

void countUp(Simulator& sim, std::int32_t& count, Control display)
{
    if (count < std::numeric_limits<std::int32_t>::max())
        ++count;
    sim.desk().setCounterValue(display, count);
}

void pkoaClick(Simulator& sim) { koClick(sim, kKoAtB); }
void pkobClick(Simulator& sim) { koClick(sim, kKoAtA); }
void HemisphereButton16Click(Simulator& sim) { dKoClick(sim, kDKoAtB); }
void HemisphereButton3Click(Simulator& sim) { dKoClick(sim, kDKoAtA); }
void HemisphereButton4Click(Simulator& sim) { dPoClick(sim, kDPoAtA); }
void HemisphereButton15Click(Simulator& sim) { dPoClick(sim, kDPoAtB); }

void psza1Click(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.sza1Active) {
        s.sza1Active = false;
        d.setLampValue(Control::ALed2, false);
        d.setVisible(Control::ArrowButton1, false);
        return;
    }
    if (s.szb1Active || s.szb2Active || s.SignalB1Clear || s.SB || s.TrainRunBA) {
        ShowMishap(sim);
        return;
    }
    s.sza1Active = true;
    d.setLampValue(Control::ALed2, true);
    d.setVisible(Control::ArrowButton1, true);
    d.setTimerEnabled(Control::Timer2, true);
    countUp(sim, s.sza1Count, Control::lsza1);
}

void pszb2Click(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.szb2Active) {
        s.szb2Active = false;
        d.setLampValue(Control::ALed10, false);
        d.setVisible(Control::ArrowButton3, false);
        return;
    }
    if (s.sza1Active || s.sza2Active || s.SA || s.SignalA2Clear || s.SB || s.TrainRunAB) {
        ShowMishap(sim);
        return;
    }
    s.szb2Active = true;
    d.setLampValue(Control::ALed10, true);
    d.setVisible(Control::ArrowButton3, true);
    d.setTimerEnabled(Control::Timer3, true);
    countUp(sim, s.szb2Count, Control::lszb2);
}

void psza2Click(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.sza2Active) {
        s.sza2Active = false;
        d.setLampValue(Control::ALed12, false);
        return;
    }
    if (s.szb2Active || s.SignalB1Clear || s.SB || s.TrainRunBA) {
        ShowMishap(sim);
        return;
    }
    setNarration(sim, text::kTextSzEntry);
    s.sza2Active = true;
    d.setLampValue(Control::ALed12, true);
    d.setTimerEnabled(Control::Timer3, true);
    if (s.TrainStep > 32)
        d.setVisible(Control::ArrowButton2, true);
    // A train that has left station A is set in front of the entry signal.
    if (s.TrainStep < 32 && !s.PwlA) {
        d.setVisible(Control::ArrowButton2, true);
        s.TrainStep = 28;
    }
    countUp(sim, s.sza2Count, Control::lsza2);
}

void pszb1Click(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.szb1Active) {
        s.szb1Active = false;
        d.setLampValue(Control::ALed4, false);
        d.setVisible(Control::ArrowButton4, false);
        return;
    }
    if (s.sza1Active || s.SA || s.TrainRunAB) {
        ShowMishap(sim);
        return;
    }
    setNarration(sim, text::kTextSzEntry);
    s.szb1Active = true;
    d.setLampValue(Control::ALed4, true);
    if (s.TrainStep > 32)
        d.setVisible(Control::ArrowButton4, true);
    if (s.TrainStep < 32 && !s.PwlB) {
        d.setVisible(Control::ArrowButton4, true);
        s.TrainStep = 28;
    }
    d.setTimerEnabled(Control::Timer2, true);
    countUp(sim, s.szb1Count, Control::lszb1);
}

void Timer2Timer(Simulator& sim) { szTick(sim, kSzTimerA); }
void Timer3Timer(Simulator& sim) { szTick(sim, kSzTimerB); }

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
