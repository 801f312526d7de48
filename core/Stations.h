#pragma once
// What belongs to each of the two stations: its relays in the block state,
// their indicators on its relay board, the lamps, arrows, counters and timers
// of its desk, its two main signals and the memo texts of its procedures.
// The handlers describe a procedure once, over a station's descriptor and
// the other station's; where the two stations really differ, the procedure
// says so where it happens.

#include "BlockState.h"
#include "DeskNames.h"
#include "Texts.h"

#include <array>
#include <cstdint>

namespace kyt {

enum class Station { A, B };

// A relay or flag of the block state, and a count.
using Relay = bool BlockState::*;
using Count = std::int32_t BlockState::*;

// The exit signal of a station, for its own trains leaving.
struct ExitSignalDesc {
    Control red, sz, green; // the stop, Sz (white) and proceed lamps
    Control arrow; // the arrow that starts a train at the signal
    Relay relay; // the signal relay (S) and its indicator
    Control relayIndicator;
    Relay szActive; // the Sz, its use count and counter
    Count szCount;
    Control szCounter;
};

// The entry signal of a station, for the trains coming from the other one.
struct EntrySignalDesc {
    Control red, sz, green;
    Control arrow; // the arrow that lets a waiting train go on
    Control section; // the section in front of the signal
    Relay clear; // switched to proceed by its button
    Relay szActive;
    Count szCount;
    Control szCounter;
};

// The memo texts of the block procedures run from a station, or none.
// Station A's desk explains each step; for station B the steps that would
// show a text hide the memo, the others leave it as it is.
struct BlockNarration {
    const char* enable; // shown, or the memo hidden
    const char* grant; // shown, or the memo hidden
    const char* settle; // shown, or the memo hidden
    const char* confirmRelease; // shown, or the memo hidden
    const char* beginRelease; // shown, or the memo left alone
    const char* finalPhase; // replaces the text, or nothing
    const char* finalPhaseKo; // appended, or nothing
    const char* rcDischarge; // replaces the text, or nothing
};

struct StationDesc {
    Station station;

    // Block relays and their indicators.
    Relay op, dp, poz, wbl, zwbl, nc, pwl, zp, lzs, ic;
    Control mop, mdp, mpoz, mwbl, mzwbl, mnc, mpwl, mzp, mlzs, mic;

    // The releases of the direction from this station: begun by Wbl, or by
    // Ko at the other station once the train has arrived.
    Relay wblRelease;
    Relay koRelease;

    // Desk lamps: the "WYJAZD" and "PRZYJAZD" arrows and the Pwl lamp.
    Control departure, arrival, pwlLamp;
    // The line label for current sent from this station.
    const char* lineFrom;

    // Relays of a train from the other station arriving here (Pwy, dKo, W,
    // Z) with their indicators, and the dKo and Ko lamps.
    Relay pwy, dKo, w, z;
    Control mpwy, mdko, mw, mz;
    Control dKoLamp, koLamp;
    // Use counts of the dKo button (trains arriving here) and of the dPo
    // button (trains leaving from here).
    Count dkoCount;
    Control dkoCounter;
    Count dpoCount;
    Control dpoCounter;

    ExitSignalDesc exit;
    EntrySignalDesc entry;

    // The timer that puts the station's Sz lamps out, and its tick count.
    Control szTimer;
    Count szTicks;

    // A train run from this station: its timer and whether it is under way.
    Control trainTimer;
    Relay trainRun;

    BlockNarration narration;
};

namespace stations {

using S = BlockState;
using C = Control;

inline constexpr StationDesc kA {
    Station::A,
    &S::OpA,
    &S::DpA,
    &S::PozA,
    &S::WblA,
    &S::ZwblA,
    &S::NcA,
    &S::PwlA,
    &S::ZpA,
    &S::LzsA,
    &S::IcA,
    C::mop1,
    C::mdp1,
    C::mpoz1,
    C::mwbl1,
    C::mzwbl1,
    C::mnc1,
    C::mpwl1,
    C::mzp1,
    C::mlzs1,
    C::mic1,
    &S::WblReleaseAB,
    &S::KoReleaseAB,
    C::lwbl1,
    C::lp1,
    C::ALed7,
    "Od A do B",
    &S::PwyA,
    &S::dKoB,
    &S::WB,
    &S::ZB,
    C::mpwya,
    C::mdkob,
    C::mwb,
    C::mzb,
    C::ALed14,
    C::ALed20,
    &S::dkobCount,
    C::ldkob,
    &S::dpoaCount,
    C::ldpoa,
    // Exit signal A.
    {C::ALed1, C::ALed2, C::ALed5, C::ArrowButton1, &S::SA, C::msa, &S::sza1Active, &S::sza1Count,
        C::lsza1},
    // Entry signal B.
    {C::ALed3, C::ALed4, C::ALed6, C::ArrowButton4, C::itb, &S::SignalB1Clear, &S::szb1Active,
        &S::szb1Count, C::lszb1},
    C::Timer2,
    &S::SzTicksA,
    C::Timer1,
    &S::TrainRunAB,
    {text::kTextEnableA, text::kTextGrantAB, text::kTextSettleAB, text::kTextConfirmReleaseAB,
        text::kTextBeginReleaseAB, text::kTextFinalPhaseAB, text::kTextFinalPhaseKoAB,
        text::kTextRcDischargeAB},
};

inline constexpr StationDesc kB {
    Station::B,
    &S::OpB,
    &S::DpB,
    &S::PozB,
    &S::WblB,
    &S::ZwblB,
    &S::NcB,
    &S::PwlB,
    &S::ZpB,
    &S::LzsB,
    &S::IcB,
    C::mop2,
    C::mdp2,
    C::mpoz2,
    C::mwbl2,
    C::mzwbl2,
    C::mnc2,
    C::mpwl2,
    C::mzp2,
    C::mlzs2,
    C::mic2,
    &S::WblReleaseBA,
    &S::KoReleaseBA,
    C::lwbl2,
    C::lp2,
    C::ALed16,
    "Od B do A",
    &S::PwyB,
    &S::dKoA,
    &S::WA,
    &S::ZA,
    C::mpwyb,
    C::mdkoa,
    C::mwa,
    C::mza,
    C::ALed13,
    C::ALed19,
    &S::dkoaCount,
    C::ldkoa,
    &S::dpobCount,
    C::ldpob,
    // Exit signal B.
    {C::ALed9, C::ALed10, C::ALed18, C::ArrowButton3, &S::SB, C::msb, &S::szb2Active, &S::szb2Count,
        C::lszb2},
    // Entry signal A.
    {C::ALed11, C::ALed12, C::ALed8, C::ArrowButton2, C::ita, &S::SignalA2Clear, &S::sza2Active,
        &S::sza2Count, C::lsza2},
    C::Timer3,
    &S::SzTicksB,
    C::Timer4,
    &S::TrainRunBA,
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};

// The eleven track sections in the order a train from A meets them.
inline constexpr std::array<Control, 11> kSectionsFromA {C::Shape1, C::Shape2, C::oitb1, C::oitb2,
    C::itb, C::Shape6, C::ita, C::oita1, C::oita2, C::Shape10, C::Shape11};

} // namespace stations

constexpr const StationDesc& other(const StationDesc& x)
{
    return x.station == Station::A ? stations::kB : stations::kA;
}

} // namespace kyt
