#pragma once
// The simulator window's single record of the simulated block: one flag per
// relay and station, the release flags, the "DALEJ" phase, the train-run and
// Sz counts and flags, and the use counters of the emergency buttons.

#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

namespace kyt {

struct BlockState {
    // Block relays of station A.
    bool OpA = false, DpA = false, PozA = false, WblA = false, ZwblA = false;
    bool NcA = false, PwlA = false, ZpA = false, LzsA = false, IcA = false;
    // Block relays of station B.
    bool OpB = false, DpB = false, PozB = false, WblB = false, ZwblB = false;
    bool NcB = false, PwlB = false, ZpB = false, LzsB = false, IcB = false;
    // Auxiliary relays of the train operations.
    bool PwyA = false, dKoB = false, WB = false, ZB = false, SB = false;
    bool PwyB = false, dKoA = false, WA = false, ZA = false, SA = false;
    // Releases and the stepped sequence.
    bool WblReleaseAB = false, WblReleaseBA = false;
    bool KoReleaseAB = false, KoReleaseBA = false;
    std::int32_t DalejPhase = 0;
    // Train run.
    std::int32_t TrainStep = 0;
    bool TrainRunAB = false, TrainRunBA = false;
    // Substitute signals.
    std::int32_t SzTicksA = 0, SzTicksB = 0;
    bool sza1Active = false, szb1Active = false, sza2Active = false, szb2Active = false;
    // Entry signals switched to proceed by their buttons.
    bool SignalA2Clear = false, SignalB1Clear = false;
    // Use counters of the emergency buttons.
    std::int32_t sza1Count = 0, szb1Count = 0, sza2Count = 0, szb2Count = 0;
    std::int32_t dkoaCount = 0, dkobCount = 0, dpoaCount = 0, dpobCount = 0;

    friend bool operator==(const BlockState&, const BlockState&) = default;
};

// One variable of the record, for listing it by name.
struct BlockField {
    std::string_view name;
    std::variant<bool BlockState::*, std::int32_t BlockState::*> member;
};

// Every variable of the record in a fixed order.
const std::vector<BlockField>& blockFields();

} // namespace kyt
