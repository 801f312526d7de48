#include "Block.h"

#include "Dispatch.h"
#include "Error.h"
#include "Simulator.h"
#include "Texts.h"

namespace kyt {

namespace {

constexpr Control kMemo = Control::Memo1;
constexpr Control kDalej = Control::pdalej;

// Line-voltage captions.
const std::string kNoneCap = "Brak";
const std::string kNoneLower = "brak";
const std::string kFromAtoB = "Od A do B";
const std::string kFromBtoA = "Od B do A";
const std::string kReleaseStart = "Od A bo B";
const std::string kWire79None = "żyłe 79 : brak";
const std::string kWire79Plus = "żyłe 79 : \"+\"";
const std::string kWire79Minus = "żyłe 79 : \"-\"";
const std::string kWire80None = "żyłe 80 : brak";
const std::string kWire80Plus = "żyłe 80 : \"+\"";
const std::string kWire80Minus = "żyłe 80 : \"-\"";

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
    s.OpA = false;
    s.DpA = true;
    s.PozA = s.WblA = s.ZwblA = s.NcA = s.PwlA = s.ZpA = s.LzsA = s.IcA = false;
    s.OpB = false;
    s.DpB = true;
    s.PozB = s.WblB = s.ZwblB = s.NcB = s.PwlB = s.ZpB = s.LzsB = s.IcB = false;
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

void pwbl1Click(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();

    // Enabling, or withdrawing the pending request.
    if (!s.WblB && s.DpA && !s.OpA && !d.lampValue(Control::ALed7) && !dalejShown(sim)) {
        s.WblA = !s.WblA;
        if (lampBlinkingAndLit(sim, Control::lwbl1) && !s.LzsB) {
            s.DalejPhase = 3;
            showDalej(sim);
            showNarration(sim, text::kTextWithdrawA);
        }
        if (s.WblA && lampDarkAndSteady(sim, Control::lwbl1) && !d.lampValue(Control::ALed7))
            EnableBlock(sim, Station::A, s.NcA, s.IcB, Control::lwbl1, Control::lp2);
    }
    // Release start: A holds the permission and sent no train.
    if (s.OpA && !dalejShown(sim) && !d.lampValue(Control::ALed7)) {
        s.WblReleaseAB = true;
        BeginRelease(sim, s.OpA, s.NcA, s.IcB, Control::lwbl1, Control::lp2);
    }
    // Release confirmation for a release begun at B.
    if (s.LzsA && s.WblReleaseBA && !d.lampValue(Control::ALed7))
        ConfirmRelease(sim, s.ZwblA, s.LzsA, s.PwlB, s.NcB, s.IcA);
}

void pwbl2Click(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();

    // Enabling, or withdrawing the pending request at once.
    if (!s.WblA && s.DpB && !dalejShown(sim) && !d.lampValue(Control::ALed16)) {
        s.WblB = !s.WblB;
        if (lampDarkAndSteady(sim, Control::lwbl2) && !d.lampValue(Control::ALed16))
            EnableBlock(sim, Station::B, s.NcB, s.IcA, Control::lwbl2, Control::lp1);
        if (!s.WblB && lampBlinkingAndLit(sim, Control::lwbl2) && !s.LzsA && !d.lampValue(Control::ALed16))
            CancelEnabling(sim, Control::lwbl2, Control::lp1);
    }
    // Release start: B holds the permission and sent no train.
    if (s.OpB && !dalejShown(sim) && !d.lampValue(Control::ALed16)) {
        s.WblReleaseBA = true;
        BeginRelease(sim, s.OpB, s.NcB, s.IcA, Control::lwbl2, Control::lp1);
    }
    // Release confirmation for a release begun at A.
    if (s.LzsB && s.WblReleaseAB && !d.lampValue(Control::ALed16))
        ConfirmRelease(sim, s.ZwblB, s.LzsB, s.PwlA, s.NcA, s.IcB);
}

void EnableBlock(Simulator& sim, Station asking, bool& nc, bool& ic, Control departure,
                 Control arrival)
{
    if (asking == Station::A) {
        showNarration(sim, text::kTextEnableA);
        looks(sim, {Control::mwbl1, Control::mnc1, Control::mic2}, "wzb");
    } else {
        hideNarration(sim);
        looks(sim, {Control::mwbl2, Control::mnc2, Control::mic1}, "wzb");
    }
    nc = true;
    ic = true;
    blinkAndLight(sim, departure);
    blinkAndLight(sim, arrival);
    lines(sim, kFromAtoB, kWire79None, kWire80None);
}

void CancelEnabling(Simulator& sim, Control departure, Control arrival)
{
    const BlockState& s = sim.state();
    if (!s.WblA) {
        showNarration(sim, text::kTextBasicState);
        looks(sim, {Control::mwbl1, Control::mnc1, Control::mic2}, "odzw");
    }
    if (!s.WblB) {
        showNarration(sim, text::kTextBasicState);
        looks(sim, {Control::mwbl2, Control::mnc2, Control::mic1}, "odzw");
    }
    putOut(sim, departure);
    putOut(sim, arrival);
    lines(sim, kNoneLower, kWire79None, kWire80None);
}

void WithdrawRequestA(Simulator& sim)
{
    if (lampBlinkingAndLit(sim, Control::lwbl1))
        CancelEnabling(sim, Control::lwbl1, Control::lp2);
    if (lampBlinkingAndLit(sim, Control::lwbl2))
        CancelEnabling(sim, Control::lwbl2, Control::lp1);
    sim.state().DalejPhase = 0;
    hideDalej(sim);
}

// Release ------------------------------------------------------------------------

void BeginRelease(Simulator& sim, bool& op, bool& nc, bool& ic, Control departure,
                  Control arrival)
{
    const BlockState& s = sim.state();
    op = false;
    nc = true;
    ic = true;
    sim.desk().setLampBlink(departure, true);
    sim.desk().setLampBlink(arrival, true);
    if (s.WblReleaseAB) {
        showNarration(sim, text::kTextBeginReleaseAB);
        looks(sim, {Control::mnc1, Control::mic2}, "wzb");
        mapa(sim, Control::mop1, "odzw");
    }
    if (s.WblReleaseBA) {
        looks(sim, {Control::mnc2, Control::mic1}, "wzb");
        mapa(sim, Control::mop2, "odzw");
    }
    sim.desk().setCaption(Control::np, kReleaseStart);
}

void ConfirmRelease(Simulator& sim, bool& zwbl, bool& lzs, bool& pwl, bool& nc, bool& ic)
{
    BlockState& s = sim.state();
    zwbl = true;
    lzs = false;
    pwl = false;
    nc = false;
    ic = false;
    if (s.WblReleaseAB) {
        showNarration(sim, text::kTextConfirmReleaseAB);
        mapa(sim, Control::mzwbl2, "wzb");
        looks(sim, {Control::mlzs2, Control::mpwl1, Control::mnc1, Control::mic2}, "odzw");
    }
    if (s.WblReleaseBA) {
        hideNarration(sim);
        mapa(sim, Control::mzwbl1, "wzb");
        looks(sim, {Control::mlzs1, Control::mpwl2, Control::mnc2, Control::mic1}, "odzw");
        mapa(sim, Control::mzp2, "wzb");
    }
    lines(sim, kNoneCap, kWire79Plus, kWire80Minus);
    s.DalejPhase = 2;
    showDalej(sim);
}

void ReleaseFinalPhase(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.WblReleaseAB || s.KoReleaseAB) {
        setNarration(sim, text::kTextFinalPhaseAB);
        s.NcB = true;
        mapa(sim, Control::mnc2, "wzb");
        s.IcA = true;
        mapa(sim, Control::mic1, "wzb");
        d.setCaption(Control::np, kFromBtoA);
        s.ZpA = true;
        mapa(sim, Control::mzp1, "wzb");
        if (s.KoReleaseAB) {
            d.setCaption(Control::ns1, kWire79Plus);
            d.setCaption(Control::ns2, kWire80Minus);
            s.OpA = false;
            mapa(sim, Control::mop1, "odzw");
            d.setLampColor(Control::lwbl1, kColorWhite);
            d.setLampBlink(Control::lwbl1, true);
            d.setLampValue(Control::ALed7, false);
            appendNarration(sim, text::kTextFinalPhaseKoAB);
        }
    }
    if (s.WblReleaseBA || s.KoReleaseBA) {
        s.NcA = true;
        mapa(sim, Control::mnc1, "wzb");
        s.IcB = true;
        mapa(sim, Control::mic2, "wzb");
        d.setCaption(Control::np, kFromAtoB);
        s.ZpB = true;
        mapa(sim, Control::mzp2, "wzb");
        if (s.KoReleaseBA) {
            d.setCaption(Control::ns1, kWire79Plus);
            d.setCaption(Control::ns2, kWire80Minus);
            s.OpB = false;
            mapa(sim, Control::mop2, "odzw");
            d.setLampColor(Control::lwbl2, kColorWhite);
            d.setLampBlink(Control::lwbl2, true);
            d.setLampValue(Control::ALed16, false);
        }
    }
    s.DalejPhase = 4;
}

void ReleaseRcDischarge(Simulator& sim)
{
    BlockState& s = sim.state();
    DeskModel& d = sim.desk();
    if (s.WblReleaseAB || s.KoReleaseAB) {
        setNarration(sim, text::kTextRcDischargeAB);
        s.NcB = false;
        mapa(sim, Control::mnc2, "odzw");
        s.IcA = false;
        mapa(sim, Control::mic1, "odzw");
        s.NcA = true;
        mapa(sim, Control::mnc1, "wzb");
        s.IcB = true;
        mapa(sim, Control::mic2, "wzb");
        s.DpB = true;
        mapa(sim, Control::mdp2, "wzb");
        d.setCaption(Control::np, kFromAtoB);
        s.ZpA = false;
        mapa(sim, Control::mzp1, "odzw");
        s.ZwblB = false;
        mapa(sim, Control::mzwbl2, "odzw");
    }
    if (s.WblReleaseBA || s.KoReleaseBA) {
        s.NcA = false;
        mapa(sim, Control::mnc1, "odzw");
        s.IcB = false;
        mapa(sim, Control::mic2, "odzw");
        s.NcB = true;
        mapa(sim, Control::mnc2, "wzb");
        s.IcA = true;
        mapa(sim, Control::mic1, "wzb");
        s.DpA = true;
        mapa(sim, Control::mdp1, "wzb");
        d.setCaption(Control::np, kFromBtoA);
        s.ZpB = false;
        mapa(sim, Control::mzp2, "odzw");
        s.ZwblA = false;
        mapa(sim, Control::mzwbl1, "odzw");
    }
    d.setCaption(Control::ns1, kWire79None);
    d.setCaption(Control::ns2, kWire80None);
    s.DalejPhase = 5;
}

void ReleaseEnd(Simulator& sim)
{
    BlockState& s = sim.state();
    if (s.WblReleaseAB || s.KoReleaseAB) {
        s.NcA = false;
        mapa(sim, Control::mnc1, "odzw");
        s.IcB = false;
        mapa(sim, Control::mic2, "odzw");
        s.ZwblB = false;
        mapa(sim, Control::mzwbl2, "odzw");
        s.WblReleaseAB = false;
        mapa(sim, Control::mdp2, "wzbb");
    }
    if (s.WblReleaseBA || s.KoReleaseBA) {
        s.NcB = false;
        mapa(sim, Control::mnc2, "odzw");
        s.IcA = false;
        mapa(sim, Control::mic1, "odzw");
        s.ZwblA = false;
        mapa(sim, Control::mzwbl1, "odzw");
        s.WblReleaseBA = false;
        mapa(sim, Control::mdp1, "wzbb");
    }
    for (Control arrow : {Control::lwbl2, Control::lp2, Control::lwbl1, Control::lp1})
        putOut(sim, arrow);
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
    BlockState& s = sim.state();
    if (s.WblB && !s.WblReleaseBA)
        GrantPermission(sim, s.PozA, s.DpA, s.PwlB, s.LzsA, s.OpB, s.WblB, Control::lwbl2, Control::lp1);
}

void ppoz2Click(Simulator& sim)
{
    BlockState& s = sim.state();
    if (s.WblA && !s.WblReleaseAB)
        GrantPermission(sim, s.PozB, s.DpB, s.PwlA, s.LzsB, s.OpA, s.WblA, Control::lwbl1, Control::lp2);
}

void GrantPermission(Simulator& sim, bool& poz, bool& dp, bool& pwl, bool& lzs, bool& op, bool& wbl,
                     Control departure, Control arrival)
{
    BlockState& s = sim.state();
    poz = true;
    dp = false;
    pwl = true;
    lzs = true;
    op = true;
    wbl = false;
    sim.desk().setLampBlink(departure, false);
    sim.desk().setLampBlink(arrival, false);
    if (s.OpA) {
        showNarration(sim, text::kTextGrantAB);
        mapa(sim, Control::mpoz2, "wzb");
        mapa(sim, Control::mdp2, "odzw");
        looks(sim, {Control::mpwl1, Control::mlzs2, Control::mop1}, "wzb");
        mapa(sim, Control::mwbl1, "odzw");
    }
    if (s.OpB) {
        hideNarration(sim);
        mapa(sim, Control::mpoz1, "wzb");
        mapa(sim, Control::mdp1, "odzw");
        looks(sim, {Control::mpwl2, Control::mlzs1, Control::mop2}, "wzb");
        mapa(sim, Control::mwbl2, "odzw");
    }
    showDalej(sim);
    s.DalejPhase = 1;
    lines(sim, kFromAtoB, kWire79Minus, kWire80Plus);
}

void SettleDirection(Simulator& sim)
{
    BlockState& s = sim.state();
    if (s.OpB) {
        hideNarration(sim);
        mapa(sim, Control::mpoz1, "odzw");
        s.PozA = false;
        s.NcB = false;
        s.IcA = false;
        mapa(sim, Control::mnc2, "odzw");
        mapa(sim, Control::mic1, "odzw");
        mapa(sim, Control::mop2, "wzbb");
    }
    if (s.OpA) {
        showNarration(sim, text::kTextSettleAB);
        mapa(sim, Control::mpoz2, "odzw");
        s.PozB = false;
        s.NcA = false;
        s.IcB = false;
        mapa(sim, Control::mnc1, "odzw");
        mapa(sim, Control::mic2, "odzw");
        mapa(sim, Control::mop1, "wzbb");
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
