#include "CircuitCheck.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <set>
#include <stdexcept>
#include <variant>

namespace kyt::explore {

using circuits::Part;

namespace {

// The track sections, from station A to station B.
constexpr Control kSections[] = {Control::Shape1, Control::Shape2, Control::oitb1, Control::oitb2,
    Control::itb, Control::Shape6, Control::ita, Control::oita1, Control::oita2, Control::Shape10,
    Control::Shape11};

// The indicator of a relay field: "OpA" -> "mop1", "WB" -> "mwb".
std::string indicatorOf(std::string_view field)
{
    static const std::set<std::string_view> block
        = {"Op", "Dp", "Poz", "Wbl", "Zwbl", "Nc", "Pwl", "Zp", "Lzs", "Ic"};
    std::string role(field.substr(0, field.size() - 1));
    const char station = field.back();
    std::string out = "m";
    for (char c : block.count(role) ? role : std::string(field))
        out.push_back(char(std::tolower(static_cast<unsigned char>(c))));
    if (block.count(role))
        out.push_back(station == 'A' ? '1' : '2');
    return out;
}

std::string stationName(Station s)
{
    return s == Station::A ? "A" : "B";
}

// Every relay of the block record that a sheet should draw.
const char* const kRelays[] = {"OpA", "DpA", "PozA", "WblA", "ZwblA", "NcA", "PwlA", "ZpA", "LzsA",
    "IcA", "OpB", "DpB", "PozB", "WblB", "ZwblB", "NcB", "PwlB", "ZpB", "LzsB", "IcB", "PwyA",
    "dKoB", "WB", "ZB", "SB", "PwyB", "dKoA", "WA", "ZA", "SA"};

} // namespace

CircuitCheck::CircuitCheck(const DeskIndex& desk, std::vector<circuits::LadderSheet> sheets)
    : desk_(desk), sheets_(std::move(sheets))
{
    for (const circuits::RungRef& r : circuits::allRungs(sheets_)) {
        const circuits::Elem& load = r.rung->load();
        if (load.part != Part::Coil && load.part != Part::PolarCoil && load.part != Part::Lamp)
            continue;
        for (Station st : {Station::A, Station::B}) {
            const std::string name = circuits::resolve(load, st);
            if (name.empty())
                continue;
            const std::string label = "arkusz " + std::to_string(r.sheetNumber) + ", obwód "
                + r.rung->number + " (" + (load.part == Part::Lamp ? "lampka " : "") + load.name
                + " = " + circuits::describe(r.rung->path) + "), stacja " + stationName(st);
            byName_[name].push_back(targets_.size());
            targets_.push_back({r.rung, r.sheetNumber, st, name, label});
        }
    }
    for (const char* relay : kRelays)
        if (!byName_.count(relay))
            undrawn_.push_back(relay);
}

namespace {

// A control of the desk named in the circuit description.
Control deskControl(std::string_view name)
{
    if (const auto c = controlByName(name))
        return *c;
    throw std::invalid_argument("no control " + std::string(name));
}

} // namespace

bool CircuitCheck::energised(const Simulator::Snapshot& s, std::string_view name) const
{
    if (const auto lamp = controlByName(name); lamp && controlKind(*lamp) == ControlKind::Lamp)
        return desk_.of(s, *lamp).flag;
    static const std::map<std::string, bool BlockState::*, std::less<>> flags = [] {
        std::map<std::string, bool BlockState::*, std::less<>> m;
        for (const BlockField& f : blockFields())
            if (auto p = std::get_if<bool BlockState::*>(&f.member))
                m.emplace(std::string(f.name), *p);
        return m;
    }();
    auto it = flags.find(name);
    if (it == flags.end())
        throw std::invalid_argument("no relay " + std::string(name));
    return s.state.*(it->second)
        && desk_.of(s, deskControl(indicatorOf(name))).number != std::int64_t(Look::odzw);
}

bool CircuitCheck::stable(const Simulator::Snapshot& s) const
{
    if (s.state.DalejPhase != 0 || desk_.of(s, Control::pdalej).flag || s.state.TrainStep != 0)
        return false;
    for (Control t : {Control::Timer1, Control::Timer2, Control::Timer3, Control::Timer4})
        if (desk_.of(s, t).flag)
            return false;
    for (Control section : kSections)
        if (desk_.of(s, section).number == kColorRed)
            return false;
    return true;
}

std::vector<CircuitFinding> CircuitCheck::checkState(const Simulator::Snapshot& s) const
{
    std::vector<CircuitFinding> out;
    for (const std::string& relay : undrawn_)
        out.push_back({"przekaźnik " + relay, "żaden arkusz nie rysuje jego cewki"});
    const circuits::Contacts c {[&](std::string_view n) { return energised(s, n); },
        [](std::string_view) { return false; }};
    for (const Target& t : targets_) {
        const bool drawn = circuits::conducts(*t.rung, t.station, c);
        const bool actual = energised(s, t.name);
        if (drawn != actual)
            out.push_back({t.label,
                std::string("stan ustalony: obwód ") + (drawn ? "zamknięty" : "otwarty") + ", a "
                    + t.name + (actual ? " wzbudzony" : " odwzbudzony")});
    }
    return out;
}

std::vector<CircuitFinding> CircuitCheck::checkOperation(std::string_view event,
    const Simulator::Snapshot& before, const Simulator::Snapshot& after) const
{
    std::vector<CircuitFinding> out;
    if (event == kWait || event == "pdalejClick" || event.size() <= 5
        || event.substr(event.size() - 5) != "Click" || before.state.DalejPhase != 0
        || desk_.of(before, Control::pdalej).flag)
        return out;
    const std::string button(event.substr(0, event.size() - 5));

    // What the click changed among the drawn relays and lamps.
    std::vector<std::string> changed;
    for (const auto& [name, targets] : byName_)
        if (energised(before, name) != energised(after, name))
            changed.push_back(name);
    for (const std::string& relay : undrawn_)
        if (energised(before, relay) != energised(after, relay))
            out.push_back({"przekaźnik " + relay,
                "przycisk " + button
                    + " go przełącza, a żaden "
                      "arkusz nie rysuje jego cewki"});
    if (changed.empty())
        return out;

    std::map<std::string, bool> now;
    const circuits::Contacts c {[&](std::string_view n) {
                                    auto it = now.find(std::string(n));
                                    return it != now.end() ? it->second : energised(before, n);
                                },
        [&](std::string_view b) { return b == button; }};
    auto agrees = [&](std::size_t target, bool want) {
        const Target& t = targets_[target];
        return circuits::conducts(*t.rung, t.station, c) == want;
    };

    // Some order in which each change follows from its first rung.
    const std::size_t n = changed.size();
    std::vector<std::size_t> order;
    std::vector<std::size_t> bestOrder;
    std::set<std::uint32_t> failed;
    std::function<bool(std::uint32_t)> search = [&](std::uint32_t done) {
        if (order.size() > bestOrder.size())
            bestOrder = order;
        if (order.size() == n)
            return true;
        if (failed.count(done))
            return false;
        for (std::size_t i = 0; i < n; ++i) {
            if (done & (1u << i))
                continue;
            const bool want = energised(after, changed[i]);
            if (!agrees(byName_.at(changed[i]).front(), want))
                continue;
            now[changed[i]] = want;
            order.push_back(i);
            if (search(done | (1u << i)))
                return true;
            order.pop_back();
            now.erase(changed[i]);
        }
        failed.insert(done);
        return false;
    };
    const bool explained = n <= 16 && search(0);

    // Replay the best order, checking every rung of each relay on the way.
    now.clear();
    const std::string prefix = "przycisk " + button + ": ";
    auto verdict = [&](const Target& t, bool want) {
        return prefix + "obwód " + (want ? "otwarty" : "zamknięty") + ", a " + t.name
            + (want ? " przyciąga" : " odpada");
    };
    std::uint32_t done = 0;
    for (std::size_t i : explained ? order : bestOrder) {
        const bool want = energised(after, changed[i]);
        for (std::size_t t : byName_.at(changed[i]))
            if (!agrees(t, want))
                out.push_back({targets_[t].label, verdict(targets_[t], want)});
        now[changed[i]] = want;
        done |= 1u << i;
    }
    if (!explained)
        for (std::size_t i = 0; i < n; ++i)
            if (!(done & (1u << i))) {
                const bool want = energised(after, changed[i]);
                for (std::size_t t : byName_.at(changed[i]))
                    if (!agrees(t, want))
                        out.push_back({targets_[t].label, verdict(targets_[t], want)});
            }
    return out;
}

std::vector<ScriptFinding> checkScript(const std::vector<std::string>& events,
    const std::vector<circuits::LadderSheet>& sheets, std::int64_t stepMs)
{
    Simulator sim;
    const DeskIndex desk(sim.desk());
    const CircuitCheck check(desk, sheets);
    std::vector<ScriptFinding> out;
    std::set<std::string> seen;
    std::vector<std::string> path;
    auto keep = [&](const std::vector<CircuitFinding>& findings) {
        for (const CircuitFinding& f : findings)
            if (seen.insert(f.rung).second)
                out.push_back({f, path});
    };
    for (const std::string& e : events) {
        if (e.rfind("wait ", 0) == 0) {
            for (long long left = std::atoll(e.c_str() + 5); left > 0; left -= stepMs) {
                sim.clock().advance(std::min<long long>(left, stepMs));
                path.push_back("wait " + std::to_string(std::min<long long>(left, stepMs)));
                const Simulator::Snapshot now = sim.snapshot();
                if (check.stable(now))
                    keep(check.checkState(now));
            }
            continue;
        }
        const Simulator::Snapshot before = sim.snapshot();
        path.push_back(e);
        if (e != "FormActivate" && !sim.accepts(e))
            continue;
        sim.call(e);
        const Simulator::Snapshot after = sim.snapshot();
        keep(check.checkOperation(e, before, after));
        if (check.stable(after))
            keep(check.checkState(after));
    }
    return out;
}

const std::vector<std::vector<std::string>>& circuitScripts()
{
    static const std::vector<std::vector<std::string>> scripts = {
        // A train from A to B, the entry signal cleared; Ko at B releases.
        {"FormActivate", "pwbl1Click", "ppoz2Click", "pdalejClick", "psa1Click", "psa2Click",
            "ArrowButton1Click", "wait 31500", "HemisphereButton16Click", "pkoaClick",
            "pdalejClick", "pdalejClick", "pdalejClick", "pdalejClick"},
        // The same from B to A, held at A's entry signal at stop and let in on the
        // substitute signal: dKo stands for the entry signal.
        {"FormActivate", "pwbl2Click", "ppoz1Click", "pdalejClick", "psb2Click",
            "HemisphereButton3Click", "ArrowButton3Click", "wait 20000", "pszb1Click",
            "ArrowButton4Click", "wait 20000", "pkobClick", "pdalejClick", "pdalejClick",
            "pdalejClick", "pdalejClick"},
        // A train from A to B held at the entry signal, let in later.
        {"FormActivate", "pwbl1Click", "ppoz2Click", "pdalejClick", "psa1Click",
            "ArrowButton1Click", "wait 20000", "psa2Click", "ArrowButton2Click", "wait 20000",
            "pkoaClick", "pdalejClick", "pdalejClick", "pdalejClick", "pdalejClick"},
        // dPo at A, then the exit signal cannot be cleared again.
        {"FormActivate", "pwbl1Click", "ppoz2Click", "pdalejClick", "HemisphereButton4Click",
            "psa1Click", "pwbl1Click"},
        {"FormActivate", "pwbl2Click", "ppoz1Click", "pdalejClick", "HemisphereButton15Click",
            "psb2Click", "pwbl2Click"},
        // Releases without a train, from A and from B.
        {"FormActivate", "pwbl1Click", "ppoz2Click", "pdalejClick", "pwbl1Click", "pwbl2Click",
            "pdalejClick", "pdalejClick", "pdalejClick", "pdalejClick"},
        {"FormActivate", "pwbl2Click", "ppoz1Click", "pdalejClick", "pwbl2Click", "pwbl1Click",
            "pdalejClick", "pdalejClick", "pdalejClick", "pdalejClick"},
    };
    return scripts;
}

std::string replayScript(const std::vector<std::string>& path)
{
    std::string out;
    long long waited = 0;
    auto flush = [&] {
        if (waited == 0)
            return;
        out += (out.empty() ? "" : ", ") + std::string("wait ") + std::to_string(waited);
        waited = 0;
    };
    for (const std::string& e : path) {
        if (e.rfind("wait ", 0) == 0) {
            waited += std::atoll(e.c_str() + 5);
            continue;
        }
        flush();
        out += (out.empty() ? "" : ", ") + e;
    }
    flush();
    return out;
}

} // namespace kyt::explore
