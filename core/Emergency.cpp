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
    const char* entryRed;
    const char* entryWhite;
    bool BlockState::*lzs;
    bool BlockState::*release;
    bool BlockState::*dKo;
    const char* dKoLamp;
    const char* dKoIndicator;
    const char* zIndicator;
    bool BlockState::*w;
    const char* wIndicator;
    const char* koLamp;
    bool BlockState::*zwbl;
    const char* zwblIndicator;
    const char* arrival;
    bool hidesMemo;
};

constexpr Ko kKoAtB{&BlockState::ZA, "ALed11", "ALed12", &BlockState::LzsB,
                    &BlockState::KoReleaseAB, &BlockState::dKoA, "ALed13", "mdkoa", "mza",
                    &BlockState::WA, "mwa", "ALed19", &BlockState::ZwblB, "mzwbl2", "lp2", false};

constexpr Ko kKoAtA{&BlockState::ZB, "ALed3", "ALed4", &BlockState::LzsA,
                    &BlockState::KoReleaseBA, &BlockState::dKoB, "ALed14", "mdkob", "mzb",
                    &BlockState::WB, "mwb", "ALed20", &BlockState::ZwblA, "mzwbl1", "lp1", true};

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
    const char* lamp;
    const char* indicator;
    std::int32_t BlockState::*count;
    const char* display;
};

constexpr DKo kDKoAtB{&BlockState::OpA, &BlockState::dKoA, "ALed13", "mdkoa",
                      &BlockState::dkoaCount, "ldkoa"};
constexpr DKo kDKoAtA{&BlockState::OpB, &BlockState::dKoB, "ALed14", "mdkob",
                      &BlockState::dkobCount, "ldkob"};

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
    const char* pwlIndicator;
    const char* departure;
    const char* arrival;
    const char* red;
    const char* pwlLamp;
    const char* green;
    bool BlockState::*signal;
    const char* signalIndicator;
    bool BlockState::*pwy;
    const char* pwyIndicator;
    bool BlockState::*lzs;
    const char* lzsIndicator;
    std::int32_t BlockState::*count;
    const char* display;
};

constexpr DPo kDPoAtA{&BlockState::OpA, &BlockState::PwlA, "mpwl1", "lwbl1", "lp2",
                      "ALed1", "ALed7", "ALed5", &BlockState::SA, "msa", &BlockState::PwyB,
                      "mpwyb", &BlockState::LzsB, "mlzs2", &BlockState::dpoaCount, "ldpoa"};
constexpr DPo kDPoAtB{&BlockState::OpB, &BlockState::PwlB, "mpwl2", "lwbl2", "lp1",
                      "ALed9", "ALed16", "ALed18", &BlockState::SB, "msb", &BlockState::PwyA,
                      "mpwya", &BlockState::LzsA, "mlzs1", &BlockState::dpobCount, "ldpob"};

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
    const char* timer;
    bool BlockState::*firstActive; // the station's Sz on signal A
    const char* firstArrow;
    const char* firstLamp;
    bool BlockState::*secondActive; // the station's Sz on signal B
    const char* secondArrow;
    const char* secondLamp;
};

constexpr SzTimer kSzTimerA{&BlockState::SzTicksA, "Timer2", &BlockState::sza1Active,
                            "ArrowButton1", "ALed2", &BlockState::szb1Active, "ArrowButton4",
                            "ALed4"};
constexpr SzTimer kSzTimerB{&BlockState::SzTicksB, "Timer3", &BlockState::sza2Active,
                            "ArrowButton2", "ALed12", &BlockState::szb2Active, "ArrowButton3",
                            "ALed10"};

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

void countUp(Simulator& sim, std::int32_t& count, std::string_view display)
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
        d.setLampValue("ALed2", false);
        d.setVisible("ArrowButton1", false);
        return;
    }
    if (s.szb1Active || s.szb2Active || s.SignalB1Clear || s.SB || s.TrainRunBA) {
        ShowMishap(sim);
        return;
    }
    s.sza1Active = true;
    d.setLampValue("ALed2", true);
    d.setVisible("ArrowButton1", true);
    d.setTimerEnabled("Timer2", true);
    countUp(sim, s.sza1Count, "lsza1");
}

void pszb2Click(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.szb2Active) {
        s.szb2Active = false;
        d.setLampValue("ALed10", false);
        d.setVisible("ArrowButton3", false);
        return;
    }
    if (s.sza1Active || s.sza2Active || s.SA || s.SignalA2Clear || s.SB || s.TrainRunAB) {
        ShowMishap(sim);
        return;
    }
    s.szb2Active = true;
    d.setLampValue("ALed10", true);
    d.setVisible("ArrowButton3", true);
    d.setTimerEnabled("Timer3", true);
    countUp(sim, s.szb2Count, "lszb2");
}

void psza2Click(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.sza2Active) {
        s.sza2Active = false;
        d.setLampValue("ALed12", false);
        return;
    }
    if (s.szb2Active || s.SignalB1Clear || s.SB || s.TrainRunBA) {
        ShowMishap(sim);
        return;
    }
    setNarration(sim, text::kTextSzEntry);
    s.sza2Active = true;
    d.setLampValue("ALed12", true);
    d.setTimerEnabled("Timer3", true);
    if (s.TrainStep > 32)
        d.setVisible("ArrowButton2", true);
    // A train that has left station A is set in front of the entry signal.
    if (s.TrainStep < 32 && !s.PwlA) {
        d.setVisible("ArrowButton2", true);
        s.TrainStep = 28;
    }
    countUp(sim, s.sza2Count, "lsza2");
}

void pszb1Click(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.szb1Active) {
        s.szb1Active = false;
        d.setLampValue("ALed4", false);
        d.setVisible("ArrowButton4", false);
        return;
    }
    if (s.sza1Active || s.SA || s.TrainRunAB) {
        ShowMishap(sim);
        return;
    }
    setNarration(sim, text::kTextSzEntry);
    s.szb1Active = true;
    d.setLampValue("ALed4", true);
    if (s.TrainStep > 32)
        d.setVisible("ArrowButton4", true);
    if (s.TrainStep < 32 && !s.PwlB) {
        d.setVisible("ArrowButton4", true);
        s.TrainStep = 28;
    }
    d.setTimerEnabled("Timer2", true);
    countUp(sim, s.szb1Count, "lszb1");
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
