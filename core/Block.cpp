#include "Block.h"

#include "Dispatch.h"
#include "Error.h"
#include "Guard.h"
#include "Reasons.h"
#include "Simulator.h"
#include "Texts.h"

namespace kyt {

namespace {

constexpr Control kMemo = Control::Memo1;
constexpr Control kDalej = Control::pdalej;

// Line-voltage captions.
const std::string kNoneCap = "Brak";
const std::string kNoneLower = "brak";
const std::string kReleaseStart = "Od A bo B";
const std::string kWire79None = "żyłe 79 : brak";
const std::string kWire79Plus = "żyłe 79 : \"+\"";
const std::string kWire79Minus = "żyłe 79 : \"-\"";
const std::string kWire80None = "żyłe 80 : brak";
const std::string kWire80Plus = "żyłe 80 : \"+\"";
const std::string kWire80Minus = "żyłe 80 : \"-\"";

using stations::kA;
using stations::kB;

void lines(Simulator& sim, const std::string& np, const std::string& ns1, const std::string& ns2)
{
    sim.desk().setCaption(Control::np, np);
    sim.desk().setCaption(Control::ns1, ns1);
    sim.desk().setCaption(Control::ns2, ns2);
}

void looks(Simulator& sim, std::initializer_list<Control> indicators, std::string_view look)
{
    for (Control indicator : indicators)
        mapa(sim, indicator, look);
}

void blinkAndLight(Simulator& sim, Control lamp)
{
    sim.desk().setLampBlink(lamp, true);
    sim.desk().setLampValue(lamp, true);
}

void putOut(Simulator& sim, Control lamp)
{
    sim.desk().setLampBlink(lamp, false);
    sim.desk().setLampValue(lamp, false);
}

// A text shown in the memo, or, where the station has none, the memo hidden.
void showOrHideNarration(Simulator& sim, const char* text)
{
    if (text)
        showNarration(sim, text);
    else
        hideNarration(sim);
}

} // namespace

// Desk helpers -----------------------------------------------------------------

void mapa(Simulator& sim, Control indicator, std::string_view look)
{
    const auto parsed = parseLook(look);
    if (!parsed)
        throw Error("Resource " + std::string(look) + " not found");
    sim.desk().setLook(indicator, *parsed);
}

void showNarration(Simulator& sim, const std::string& text)
{
    sim.desk().setVisible(kMemo, true);
    sim.desk().setText(kMemo, text);
}

void setNarration(Simulator& sim, const std::string& text)
{
    sim.desk().setText(kMemo, text);
}

void appendNarration(Simulator& sim, const std::string& text)
{
    sim.desk().setText(kMemo, sim.desk().text(kMemo) + text);
}

void hideNarration(Simulator& sim)
{
    sim.desk().setVisible(kMemo, false);
}

bool dalejShown(const Simulator& sim)
{
    return sim.desk().visible(kDalej);
}

void showDalej(Simulator& sim)
{
    sim.desk().setVisible(kDalej, true);
}

void hideDalej(Simulator& sim)
{
    sim.desk().setVisible(kDalej, false);
}

bool lampBlinkingAndLit(const Simulator& sim, Control lamp)
{
    return sim.desk().lampBlink(lamp) && sim.desk().lampValue(lamp);
}

bool lampDarkAndSteady(const Simulator& sim, Control lamp)
{
    return !sim.desk().lampBlink(lamp) && !sim.desk().lampValue(lamp);
}

// Block state --------------------------------------------------------------------

void ResetBlock(BlockState& s)
{
    s.KoReleaseAB = false;
    s.KoReleaseBA = false;
    s.WblReleaseAB = false;
    s.WblReleaseBA = false;
    s.DalejPhase = 0;
    for (const StationDesc* x : {&kA, &kB}) {
        s.*x->op = false;
        s.*x->dp = true;
        for (Relay relay : {x->poz, x->wbl, x->zwbl, x->nc, x->pwl, x->zp, x->lzs, x->ic})
            s.*relay = false;
    }
    s.SignalA2Clear = false;
    s.SignalB1Clear = false;
}

void FormActivate(Simulator& sim)
{
    // Only the window's first activation initialises; coming back to the
    // window from another one changes nothing.
    if (sim.activated())
        return;
    BlockState& s = sim.state();
    s.sza1Count = s.sza2Count = s.szb1Count = s.szb2Count = 0;
    s.dpoaCount = s.dpobCount = s.dkoaCount = s.dkobCount = 0;
    s.SzTicksA = s.SzTicksB = 0;
    ResetBlock(s);
    s.PwyA = s.dKoB = s.WB = s.ZB = s.SB = false;
    s.PwyB = s.dKoA = s.WA = s.ZA = s.SA = false;
    s.sza1Active = s.sza2Active = s.szb1Active = s.szb2Active = false;
    sim.setActivated();
}

// The "DALEJ" dispatcher -------------------------------------------------------

void pdalejClick(Simulator& sim)
{
    // Each test reads the phase as the steps before it left it: phases 2
    // and 4 lead to a phase tested earlier, so they take one press each,
    // while phase 5 leads to 6, which the same press then performs.
    BlockState& s = sim.state();
    if (!Guard {sim.refusals()}.require(
            s.DalejPhase >= 1 && s.DalejPhase <= 6, reason::kNoDalejStep))
        return;
    if (s.DalejPhase == 1) {
        SettleDirection(sim);
        hideDalej(sim);
    }
    if (s.DalejPhase == 5)
        ReleaseEnd(sim);
    if (s.DalejPhase == 4)
        ReleaseRcDischarge(sim);
    if (s.DalejPhase == 2)
        ReleaseFinalPhase(sim);
    if (s.DalejPhase == 3)
        WithdrawRequestA(sim);
    if (s.DalejPhase == 6)
        ReturnToBasicState(sim);
}

// Enabling and cancelling ------------------------------------------------------

namespace {

// The request by Wbl differs between the stations. At A a press asks for the
// block unless A holds the permission; pressed again while the request
// waits, it asks to withdraw it, which "DALEJ" then performs (phase 3).
void requestAtA(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (Guard {sim.refusals(), kA}
            .require(!s.WblB, reason::kOtherRequested)
            .require(s.DpA, reason::kDpDropped)
            .require(!s.OpA, reason::kHoldsPermission)
            .require(!d.lampValue(kA.pwlLamp), reason::kPwlLampRequest)
            .require(!dalejShown(sim), reason::kDalejPending)) {
        s.WblA = !s.WblA;
        if (lampBlinkingAndLit(sim, kA.departure) && !s.LzsB) {
            s.DalejPhase = 3;
            showDalej(sim);
            showNarration(sim, text::kTextWithdrawA);
        }
        if (s.WblA && lampDarkAndSteady(sim, kA.departure) && !d.lampValue(kA.pwlLamp))
            EnableBlock(sim, kA);
    }
}

// At B a press asks for the block whatever B's Op, and a second press
// withdraws the request at once, without "DALEJ".
void requestAtB(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (Guard {sim.refusals(), kB}
            .require(!s.WblA, reason::kOtherRequested)
            .require(s.DpB, reason::kDpDropped)
            .require(!dalejShown(sim), reason::kDalejPending)
            .require(!d.lampValue(kB.pwlLamp), reason::kPwlLampRequest)) {
        s.WblB = !s.WblB;
        if (lampDarkAndSteady(sim, kB.departure) && !d.lampValue(kB.pwlLamp))
            EnableBlock(sim, kB);
        if (!s.WblB && lampBlinkingAndLit(sim, kB.departure) && !s.LzsA && !d.lampValue(kB.pwlLamp))
            CancelEnabling(sim, kB);
    }
}

// The release by Wbl at a station: it begins there when the station holds
// the permission and sent no train; it is confirmed there when it was begun
// at the other station.
void releaseByWbl(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (Guard {sim.refusals(), x}
            .require(s.*x.op, reason::kNoPermissionToRelease)
            .require(!dalejShown(sim), reason::kDalejPending)
            .require(!d.lampValue(x.pwlLamp), reason::kPwlLampRelease)) {
        s.*x.wblRelease = true;
        BeginRelease(sim, x);
    }
    if (Guard {sim.refusals(), x}
            .require(s.*x.lzs, reason::kNotReceiving)
            .require(s.*y.wblRelease, reason::kNoReleaseBegun)
            .require(!d.lampValue(x.pwlLamp), reason::kPwlLampConfirm))
        ConfirmRelease(sim, x);
}

// Poz at a station grants the permission the other station asks for.
void pozClick(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    const BlockState& s = sim.state();
    if (Guard {sim.refusals(), x}
            .require(s.*y.wbl, reason::kNoRequest)
            .require(!(s.*y.wblRelease), reason::kReleaseUnderway))
        GrantPermission(sim, x);
}

} // namespace

void pwbl1Click(Simulator& sim)
{
    requestAtA(sim);
    releaseByWbl(sim, kA);
}

void pwbl2Click(Simulator& sim)
{
    requestAtB(sim);
    releaseByWbl(sim, kB);
}

void EnableBlock(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    BlockState& s = sim.state();
    showOrHideNarration(sim, x.narration.enable);
    looks(sim, {x.mwbl, x.mnc, y.mic}, "wzb");
    s.*x.nc = true;
    s.*y.ic = true;
    blinkAndLight(sim, x.departure);
    blinkAndLight(sim, y.arrival);
    // The line label names the direction from A whichever station asks.
    lines(sim, kA.lineFrom, kWire79None, kWire80None);
}

void CancelEnabling(Simulator& sim, const StationDesc& x)
{
    const BlockState& s = sim.state();
    // Every station not asking returns its indicators, A first.
    for (const StationDesc* z : {&kA, &kB}) {
        if (!(s.*z->wbl)) {
            showNarration(sim, text::kTextBasicState);
            looks(sim, {z->mwbl, z->mnc, other(*z).mic}, "odzw");
        }
    }
    putOut(sim, x.departure);
    putOut(sim, other(x).arrival);
    lines(sim, kNoneLower, kWire79None, kWire80None);
}

void WithdrawRequestA(Simulator& sim)
{
    for (const StationDesc* z : {&kA, &kB})
        if (lampBlinkingAndLit(sim, z->departure))
            CancelEnabling(sim, *z);
    sim.state().DalejPhase = 0;
    hideDalej(sim);
}

// Release ------------------------------------------------------------------------
// The steps after the first act on whichever direction is being released,
// A to B first; z is the station releasing its permission, w the other one.

namespace {

// Runs a release step for each station whose direction is being released
// (by Wbl or by Ko), A first; each reads the state the one before left.
template <typename Step>
void forEachRelease(Simulator& sim, Step step)
{
    const BlockState& s = sim.state();
    for (const StationDesc* z : {&kA, &kB})
        if (s.*z->wblRelease || s.*z->koRelease)
            step(*z, other(*z));
}

} // namespace

void BeginRelease(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    BlockState& s = sim.state();
    s.*x.op = false;
    s.*x.nc = true;
    s.*y.ic = true;
    sim.desk().setLampBlink(x.departure, true);
    sim.desk().setLampBlink(y.arrival, true);
    for (const StationDesc* z : {&kA, &kB}) {
        if (!(s.*z->wblRelease))
            continue;
        if (z->narration.beginRelease)
            showNarration(sim, z->narration.beginRelease);
        looks(sim, {z->mnc, other(*z).mic}, "wzb");
        mapa(sim, z->mop, "odzw");
    }
    sim.desk().setCaption(Control::np, kReleaseStart);
}

void ConfirmRelease(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    BlockState& s = sim.state();
    s.*x.zwbl = true;
    s.*x.lzs = false;
    s.*y.pwl = false;
    s.*y.nc = false;
    s.*x.ic = false;
    for (const StationDesc* z : {&kA, &kB}) {
        if (!(s.*z->wblRelease))
            continue;
        const StationDesc& w = other(*z);
        showOrHideNarration(sim, z->narration.confirmRelease);
        mapa(sim, w.mzwbl, "wzb");
        looks(sim, {w.mlzs, z->mpwl, z->mnc, w.mic}, "odzw");
        // A release begun at B shows B's Zp energised already here; the
        // relay itself, and A's Zp for a release begun at A, follow in the
        // final phase.
        if (z->station == Station::B)
            mapa(sim, z->mzp, "wzb");
    }
    lines(sim, kNoneCap, kWire79Plus, kWire80Minus);
    s.DalejPhase = 2;
    showDalej(sim);
}

void ReleaseFinalPhase(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    forEachRelease(sim, [&](const StationDesc& z, const StationDesc& w) {
        if (z.narration.finalPhase)
            setNarration(sim, z.narration.finalPhase);
        s.*w.nc = true;
        mapa(sim, w.mnc, "wzb");
        s.*z.ic = true;
        mapa(sim, z.mic, "wzb");
        d.setCaption(Control::np, w.lineFrom);
        s.*z.zp = true;
        mapa(sim, z.mzp, "wzb");
        if (s.*z.koRelease) {
            d.setCaption(Control::ns1, kWire79Plus);
            d.setCaption(Control::ns2, kWire80Minus);
            s.*z.op = false;
            mapa(sim, z.mop, "odzw");
            d.setLampColor(z.departure, kColorWhite);
            d.setLampBlink(z.departure, true);
            d.setLampValue(z.pwlLamp, false);
            if (z.narration.finalPhaseKo)
                appendNarration(sim, z.narration.finalPhaseKo);
        }
    });
    s.DalejPhase = 4;
}

void ReleaseRcDischarge(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    forEachRelease(sim, [&](const StationDesc& z, const StationDesc& w) {
        if (z.narration.rcDischarge)
            setNarration(sim, z.narration.rcDischarge);
        s.*w.nc = false;
        mapa(sim, w.mnc, "odzw");
        s.*z.ic = false;
        mapa(sim, z.mic, "odzw");
        s.*z.nc = true;
        mapa(sim, z.mnc, "wzb");
        s.*w.ic = true;
        mapa(sim, w.mic, "wzb");
        s.*w.dp = true;
        mapa(sim, w.mdp, "wzb");
        d.setCaption(Control::np, z.lineFrom);
        s.*z.zp = false;
        mapa(sim, z.mzp, "odzw");
        s.*w.zwbl = false;
        mapa(sim, w.mzwbl, "odzw");
    });
    d.setCaption(Control::ns1, kWire79None);
    d.setCaption(Control::ns2, kWire80None);
    s.DalejPhase = 5;
}

void ReleaseEnd(Simulator& sim)
{
    BlockState& s = sim.state();
    forEachRelease(sim, [&](const StationDesc& z, const StationDesc& w) {
        s.*z.nc = false;
        mapa(sim, z.mnc, "odzw");
        s.*w.ic = false;
        mapa(sim, w.mic, "odzw");
        s.*w.zwbl = false;
        mapa(sim, w.mzwbl, "odzw");
        s.*z.wblRelease = false;
        mapa(sim, w.mdp, "wzbb");
    });
    // The arrows go out, station B's first.
    for (const StationDesc* z : {&kB, &kA}) {
        putOut(sim, z->departure);
        putOut(sim, z->arrival);
    }
    sim.desk().setCaption(Control::np, kNoneCap);
    s.DalejPhase = 6;
}

void ReturnToBasicState(Simulator& sim)
{
    showNarration(sim, text::kTextBasicState);
    sim.state().DalejPhase = 0;
    hideDalej(sim);
    ResetBlock(sim.state());
}

// Permission transfer ------------------------------------------------------------

void ppoz1Click(Simulator& sim)
{
    pozClick(sim, kA);
}

void ppoz2Click(Simulator& sim)
{
    pozClick(sim, kB);
}

void GrantPermission(Simulator& sim, const StationDesc& x)
{
    const StationDesc& y = other(x);
    BlockState& s = sim.state();
    s.*x.poz = true;
    s.*x.dp = false;
    s.*y.pwl = true;
    s.*x.lzs = true;
    s.*y.op = true;
    s.*y.wbl = false;
    sim.desk().setLampBlink(y.departure, false);
    sim.desk().setLampBlink(x.arrival, false);
    // z now holds the permission, w gave it.
    for (const StationDesc* z : {&kA, &kB}) {
        if (!(s.*z->op))
            continue;
        const StationDesc& w = other(*z);
        showOrHideNarration(sim, z->narration.grant);
        mapa(sim, w.mpoz, "wzb");
        mapa(sim, w.mdp, "odzw");
        looks(sim, {z->mpwl, w.mlzs, z->mop}, "wzb");
        mapa(sim, z->mwbl, "odzw");
    }
    showDalej(sim);
    s.DalejPhase = 1;
    lines(sim, kA.lineFrom, kWire79Minus, kWire80Plus);
}

void SettleDirection(Simulator& sim)
{
    BlockState& s = sim.state();
    // The direction from B settles first.
    for (const StationDesc* z : {&kB, &kA}) {
        if (!(s.*z->op))
            continue;
        const StationDesc& w = other(*z);
        showOrHideNarration(sim, z->narration.settle);
        mapa(sim, w.mpoz, "odzw");
        s.*w.poz = false;
        s.*z->nc = false;
        s.*w.ic = false;
        mapa(sim, z->mnc, "odzw");
        mapa(sim, w.mic, "odzw");
        mapa(sim, z->mop, "wzbb");
    }
    s.DalejPhase = 0;
    lines(sim, kNoneCap, kWire79Minus, kWire80Plus);
}

// Dispatch entries ---------------------------------------------------------------

std::span<const HandlerEntry> blockHandlers()
{
    static const HandlerEntry entries[] = {
        {"FormActivate", FormActivate},
        {"pdalejClick", pdalejClick, Control::pdalej},
        {"pwbl1Click", pwbl1Click},
        {"pwbl2Click", pwbl2Click},
        {"ppoz1Click", ppoz1Click},
        {"ppoz2Click", ppoz2Click},
    };
    return entries;
}

} // namespace kyt
