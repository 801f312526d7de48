#pragma once
// Why a press did nothing. A handler tests each of its guarded sections
// through a Guard; the first condition of a section that fails leaves its
// reason, in the trainee's words, with the simulator. A section that runs
// but may find nothing left to do leaves a note the same way. When the press
// then turns out to have changed nothing, these are what the trainee is
// told, so that a reason always comes from the very test that stopped the
// press.
//
//     if (Guard g{sim.refusals(), x}; g.require(!(s.*y.wbl), reason::kOtherRequested))
//         ...
//
// Reasons are written once for both stations: "%S" stands for the station
// the guard speaks of, "%O" for the other one.

#include "Stations.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyt {

// The reasons left by the guarded sections of one operation, in the order
// the sections were tried.
class Refusals {
public:
    struct Reason {
        std::string_view text;
        std::optional<Station> station;
        friend bool operator==(const Reason&, const Reason&) = default;
    };

    void clear() { reasons_.clear(); }
    // Keeps the first few: no operation tries more sections than that, and
    // a simulation run without a trainer never lets them pile up.
    static constexpr std::size_t kMaxReasons = 16;
    void add(std::string_view text, std::optional<Station> station = {})
    {
        if (reasons_.size() < kMaxReasons)
            reasons_.push_back({text, station});
    }
    bool empty() const { return reasons_.empty(); }
    const std::vector<Reason>& reasons() const { return reasons_; }

    // The reasons as one text, one sentence after the other, each said once.
    std::string text() const;

private:
    std::vector<Reason> reasons_;
};

// A reason with its stations filled in.
std::string reasonText(const Refusals::Reason& reason);

class Guard {
public:
    explicit Guard(Refusals& refusals, std::optional<Station> station = {})
        : refusals_(refusals), station_(station)
    { }
    Guard(Refusals& refusals, const StationDesc& station) : Guard(refusals, station.station) { }

    // Holds while every condition so far held; the first that fails leaves
    // its reason, and the later ones are no longer looked at.
    Guard& require(bool condition, std::string_view reason)
    {
        if (ok_ && !condition) {
            ok_ = false;
            refusals_.add(reason, station_);
        }
        return *this;
    }
    explicit operator bool() const { return ok_; }

private:
    Refusals& refusals_;
    std::optional<Station> station_;
    bool ok_ = true;
};

} // namespace kyt
