#pragma once
// Checks that the schematic sheets explain the simulation: in every stable
// state each drawn coil's circuit, read with the contacts in that state,
// gives its relay's state; and every click that moves a relay is explained
// by the drawn circuits with its button held pressed.
//
// A state is stable when no "DALEJ" step is pending, no desk timer runs and
// no train is on the line (TrainStep 0, every section free). A relay counts
// as energised when its flag in the block record is set and its indicator
// on the relay board shows it energised: the two part only where the desk
// lags or leads the relay (after a withdrawn request Nc and Ic keep their
// flags under released indicators; a release from B to A lights Zp's
// indicator at the confirmation, before the relay picks up). A lamp's state
// is its Value.
//
// An operation is explained when the relays it changed can be taken one by
// one, in some order, each by its drawn rung read on the state before the
// click with the button pressed and the changes taken so far (a relay that
// picks up closes its neighbours' contacts in turn). "DALEJ" steps the
// narration through a run of the line that the device makes at once, so
// neither its clicks nor the clicks made while a step is pending (on a state
// the device never rests in) are operations.

#include "Circuits.h"
#include "Explorer.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kyt::explore {

struct CircuitFinding {
    std::string rung; // "arkusz 1, obwód 4 (Op), stacja A"
    std::string what; // the disagreement
};

class CircuitCheck {
public:
    CircuitCheck(const DeskIndex& desk, std::vector<circuits::LadderSheet> sheets);

    bool stable(const Simulator::Snapshot& s) const;
    // Disagreements of one stable state.
    std::vector<CircuitFinding> checkState(const Simulator::Snapshot& s) const;
    // Disagreements of one event; none for a wait, "DALEJ" or a click that
    // changed no relay.
    std::vector<CircuitFinding> checkOperation(std::string_view event,
        const Simulator::Snapshot& before, const Simulator::Snapshot& after) const;
    // How many rungs are checked (one per station).
    std::size_t checkedRungs() const { return targets_.size(); }

private:
    struct Target {
        const circuits::Rung* rung;
        int sheet;
        Station station;
        std::string name; // the relay field or the lamp
        std::string label;
    };
    bool energised(const Simulator::Snapshot& s, std::string_view name) const;

    const DeskIndex& desk_;
    std::vector<circuits::LadderSheet> sheets_;
    std::vector<Target> targets_;
    std::map<std::string, std::vector<std::size_t>> byName_;
    std::vector<std::string> undrawn_;
};

// Runs the events from the window's first activation ("wait MS" moves the
// clock on in steps of stepMs), checking every stable state met and every
// click, as the exploration does. A rung is reported once, with the events
// up to where it first disagrees.
struct ScriptFinding {
    CircuitFinding finding;
    std::vector<std::string> path;
};
std::vector<ScriptFinding> checkScript(const std::vector<std::string>& events,
    const std::vector<circuits::LadderSheet>& sheets, std::int64_t stepMs = 500);

// Walks through the block that the exploration's bound does not reach: the
// trains from A to B and from B to A with their Ko release, dKo, dPo and the
// release without a train from either station.
const std::vector<std::vector<std::string>>& circuitScripts();

// An event sequence as the replay language writes it, the steps of the clock
// run together: "FormActivate, pwbl1Click, wait 31500, pkoaClick".
std::string replayScript(const std::vector<std::string>& path);

} // namespace kyt::explore
