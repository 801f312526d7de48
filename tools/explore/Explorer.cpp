#include "Explorer.h"

#include "CircuitCheck.h"
#include "Dispatch.h"

#include <algorithm>
#include <map>
#include <optional>
#include <queue>
#include <random>
#include <set>
#include <stdexcept>
#include <tuple>
#include <variant>

namespace kyt::explore {

namespace {

// Little-endian base-128 numbers, signed ones zigzag-coded.
void putNumber(std::string& out, std::uint64_t v)
{
    while (v >= 0x80) {
        out.push_back(char(0x80 | (v & 0x7F)));
        v >>= 7;
    }
    out.push_back(char(v));
}

void putSigned(std::string& out, std::int64_t v)
{
    putNumber(out, (std::uint64_t(v) << 1) ^ std::uint64_t(v >> 63));
}

struct Reader {
    std::string_view data;
    std::size_t pos = 0;
    std::size_t bit = 0; // position in the flag area, in bits
    std::size_t flagStart = 0;

    std::uint64_t number()
    {
        std::uint64_t v = 0;
        for (int shift = 0;; shift += 7) {
            if (pos >= data.size())
                throw std::invalid_argument("state key cut short");
            const auto c = static_cast<unsigned char>(data[pos++]);
            v |= std::uint64_t(c & 0x7F) << shift;
            if (!(c & 0x80))
                return v;
        }
    }
    std::int64_t signedNumber()
    {
        const std::uint64_t z = number();
        return std::int64_t(z >> 1) ^ -std::int64_t(z & 1);
    }
    bool flag()
    {
        const std::size_t byte = flagStart + bit / 8;
        if (byte >= data.size())
            throw std::invalid_argument("state key cut short");
        const bool v = (static_cast<unsigned char>(data[byte]) >> (bit % 8)) & 1;
        ++bit;
        return v;
    }
};

bool isCount(std::string_view field)
{
    return field.size() > 5 && field.substr(field.size() - 5) == "Count";
}

// Each use count, the counter that shows it and the click that counts it.
struct Counted {
    std::int32_t BlockState::*count;
    Control display;
    const char* click;
};
const Counted kCounted[] = {
    {&BlockState::sza1Count, Control::lsza1, "psza1Click"},
    {&BlockState::sza2Count, Control::lsza2, "psza2Click"},
    {&BlockState::szb1Count, Control::lszb1, "pszb1Click"},
    {&BlockState::szb2Count, Control::lszb2, "pszb2Click"},
    {&BlockState::dkoaCount, Control::ldkoa, "HemisphereButton16Click"},
    {&BlockState::dkobCount, Control::ldkob, "HemisphereButton3Click"},
    {&BlockState::dpoaCount, Control::ldpoa, "HemisphereButton4Click"},
    {&BlockState::dpobCount, Control::ldpob, "HemisphereButton15Click"},
};

const Control kSections[] = {Control::Shape1, Control::Shape2, Control::oitb1, Control::oitb2,
    Control::itb, Control::Shape6, Control::ita, Control::oita1, Control::oita2, Control::Shape10,
    Control::Shape11};

// The red and the green lamp of each main signal.
const std::pair<Control, Control> kSignals[]
    = {{Control::ALed1, Control::ALed5}, {Control::ALed3, Control::ALed6},
        {Control::ALed11, Control::ALed8}, {Control::ALed9, Control::ALed18}};

std::string named(Control c)
{
    return std::string(controlName(c));
}

bool sameBesidesClock(const Simulator::Snapshot& a, const Simulator::Snapshot& b)
{
    return a.state == b.state && a.desk == b.desk && a.activated == b.activated;
}

bool sameBesides(const Simulator::Snapshot& a, const Simulator::Snapshot& b, std::size_t control)
{
    if (!(a.state == b.state) || a.desk.size() != b.desk.size() || !(a.clock == b.clock))
        return false;
    for (std::size_t i = 0; i < a.desk.size(); ++i)
        if (i != control && !(a.desk[i] == b.desk[i]))
            return false;
    return true;
}

} // namespace

std::string collapseRepeatedTail(std::string text, std::size_t minPiece)
{
    if (minPiece == 0)
        minPiece = 1;
    bool again = true;
    while (again) {
        again = false;
        for (std::size_t len = minPiece; 2 * len <= text.size(); ++len) {
            const std::size_t n = text.size();
            if (text.compare(n - 2 * len, len, text, n - len, len) == 0) {
                text.resize(n - len);
                again = true;
                break;
            }
        }
    }
    return text;
}

// ---------------------------------------------------------------------------

DeskIndex::DeskIndex(const DeskModel& desk)
{
    const auto& names = desk.controlNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        index_.emplace(names[i], i);
}

std::size_t DeskIndex::operator[](Control control) const
{
    auto it = index_.find(std::string(controlName(control)));
    if (it == index_.end())
        throw std::invalid_argument("no desk control '" + std::string(controlName(control)) + "'");
    return it->second;
}

// ---------------------------------------------------------------------------

StateCodec::StateCodec(const Simulator& prototype, const std::vector<std::string>& ignored)
    : base_(prototype.desk().values())
{
    for (const std::string& name : prototype.desk().controlNames()) {
        kinds_.push_back(prototype.desk().kind(name));
        ignored_.push_back(std::find(ignored.begin(), ignored.end(), name) != ignored.end());
    }
    for (const std::string& name : ignored)
        if (!prototype.desk().has(name))
            throw std::invalid_argument("no desk control '" + name + "'");
}

std::uint32_t StateCodec::intern(const std::string& text)
{
    auto [it, added] = textIds_.emplace(text, std::uint32_t(texts_.size()));
    if (added)
        texts_.push_back(text);
    return it->second;
}

std::string StateCodec::encode(const Simulator::Snapshot& s)
{
    std::string bytes;
    std::vector<bool> flags;
    for (const BlockField& f : blockFields()) {
        if (isCount(f.name))
            continue;
        if (auto b = std::get_if<bool BlockState::*>(&f.member))
            flags.push_back(s.state.*(*b));
        else
            putSigned(bytes, s.state.*std::get<std::int32_t BlockState::*>(f.member));
    }
    if (s.desk.size() != kinds_.size())
        throw std::invalid_argument("desk values of another desk");
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
        const ControlValues& v = s.desk[i];
        if (ignored_[i])
            continue;
        switch (kinds_[i]) {
        case ControlKind::Lamp:
            flags.push_back(v.flag);
            flags.push_back(v.blink);
            putSigned(bytes, v.number);
            break;
        case ControlKind::Indicator:
        case ControlKind::Section: putSigned(bytes, v.number); break;
        case ControlKind::Counter: break; // only grows: left out
        case ControlKind::Shown:
        case ControlKind::Timer: flags.push_back(v.flag); break;
        case ControlKind::TrainButton:
        case ControlKind::Label:
            flags.push_back(v.flag);
            putNumber(bytes, intern(v.text));
            break;
        case ControlKind::Memo:
            flags.push_back(v.flag);
            putNumber(bytes, intern(collapseRepeatedTail(v.text)));
            break;
        }
    }
    for (std::int64_t due : s.clock.due)
        putNumber(bytes, due < 0 ? 0 : std::uint64_t(due - s.clock.now) + 1);
    flags.push_back(s.activated);

    std::string key;
    putNumber(key, bytes.size());
    key += bytes;
    std::string packed((flags.size() + 7) / 8, '\0');
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (flags[i])
            packed[i / 8] = char(static_cast<unsigned char>(packed[i / 8]) | (1u << (i % 8)));
    return key + packed;
}

Simulator::Snapshot StateCodec::decode(std::string_view key) const
{
    Reader r {key};
    const std::size_t length = r.number();
    r.flagStart = r.pos + length;
    Simulator::Snapshot s;
    for (const BlockField& f : blockFields()) {
        if (isCount(f.name))
            continue;
        if (auto b = std::get_if<bool BlockState::*>(&f.member))
            s.state.*(*b) = r.flag();
        else
            s.state.*std::get<std::int32_t BlockState::*>(f.member)
                = std::int32_t(r.signedNumber());
    }
    s.desk = base_;
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
        ControlValues& v = s.desk[i];
        if (ignored_[i])
            continue;
        switch (kinds_[i]) {
        case ControlKind::Lamp:
            v.flag = r.flag();
            v.blink = r.flag();
            v.number = r.signedNumber();
            break;
        case ControlKind::Indicator:
        case ControlKind::Section: v.number = r.signedNumber(); break;
        case ControlKind::Counter: v.number = 0; break;
        case ControlKind::Shown:
        case ControlKind::Timer: v.flag = r.flag(); break;
        case ControlKind::TrainButton:
        case ControlKind::Label:
        case ControlKind::Memo:
            v.flag = r.flag();
            v.text = texts_.at(r.number());
            break;
        }
    }
    s.clock.now = 0;
    for (std::int64_t& due : s.clock.due) {
        const std::uint64_t d = r.number();
        due = d == 0 ? -1 : std::int64_t(d - 1);
    }
    s.activated = r.flag();
    return s;
}

// ---------------------------------------------------------------------------

bool isBasic(const Simulator::Snapshot& snap, const DeskIndex& desk)
{
    const BlockState& s = snap.state;
    // Nc and Ic are read by no guard, and a withdrawn request leaves their
    // flags set while their indicators show them de-energised: the
    // indicators count.
    bool quietLine = true;
    for (Control indicator : {Control::mnc1, Control::mnc2, Control::mic1, Control::mic2})
        quietLine = quietLine && desk.of(snap, indicator).number == std::int64_t(Look::odzw);
    const bool relaysA
        = !s.OpA && s.DpA && !s.PozA && !s.WblA && !s.ZwblA && !s.PwlA && !s.ZpA && !s.LzsA;
    const bool relaysB
        = !s.OpB && s.DpB && !s.PozB && !s.WblB && !s.ZwblB && !s.PwlB && !s.ZpB && !s.LzsB;
    const bool noRelease = !s.WblReleaseAB && !s.WblReleaseBA && !s.KoReleaseAB && !s.KoReleaseBA;
    bool arrowsDark = true;
    for (Control arrow : {Control::lwbl1, Control::lp1, Control::lwbl2, Control::lp2})
        arrowsDark = arrowsDark && !desk.of(snap, arrow).flag;
    return quietLine && relaysA && relaysB && noRelease && s.DalejPhase == 0 && arrowsDark
        && !desk.of(snap, Control::pdalej).flag;
}

std::vector<std::string> checkState(const Simulator::Snapshot& snap, const DeskIndex& desk)
{
    std::vector<std::string> broken;
    const BlockState& s = snap.state;
    auto lit = [&](Control lamp) { return desk.of(snap, lamp).flag; };

    if (s.DalejPhase < 0 || s.DalejPhase > 5)
        broken.push_back("DalejPhase " + std::to_string(s.DalejPhase) + " outside 0 to 5");
    if (desk.of(snap, Control::pdalej).flag != (s.DalejPhase != 0))
        broken.push_back(std::string("\"DALEJ\" ")
            + (desk.of(snap, Control::pdalej).flag ? "shown" : "hidden") + " with DalejPhase "
            + std::to_string(s.DalejPhase));
    if (s.TrainStep < 0 || s.TrainStep > 63)
        broken.push_back("TrainStep " + std::to_string(s.TrainStep) + " outside 0 to 63");
    for (auto [ticks, timer] :
        {std::pair {s.SzTicksA, Control::Timer2}, std::pair {s.SzTicksB, Control::Timer3}}) {
        if (ticks < 0 || ticks > 19)
            broken.push_back("Sz tick count of " + named(timer) + " is " + std::to_string(ticks));
        if (ticks != 0 && !desk.of(snap, timer).flag)
            broken.push_back(named(timer) + " stopped in the middle of its 20 ticks");
    }
    for (auto [flag, name, lamp] : {std::tuple {s.sza1Active, "sza1Active", Control::ALed2},
             std::tuple {s.szb1Active, "szb1Active", Control::ALed4},
             std::tuple {s.sza2Active, "sza2Active", Control::ALed12},
             std::tuple {s.szb2Active, "szb2Active", Control::ALed10}})
        if (flag != lit(lamp))
            broken.push_back(std::string(name) + (flag ? " set" : " clear") + " but " + named(lamp)
                + (lit(lamp) ? " lit" : " dark"));
    for (auto [red, green] : kSignals)
        if (lit(red) == lit(green))
            broken.push_back("signal with " + named(red) + " and " + named(green)
                + (lit(red) ? " both lit" : " both dark"));
    for (Control section : kSections) {
        const std::int64_t c = desk.of(snap, section).number;
        if (c != kColorRed && c != kColorWhite)
            broken.push_back("section " + named(section) + " neither red nor white");
    }
    for (const Counted& c : kCounted)
        if (desk.of(snap, c.display).number != s.*c.count)
            broken.push_back(named(c.display) + " shows "
                + std::to_string(desk.of(snap, c.display).number) + " for a count of "
                + std::to_string(s.*c.count));
    return broken;
}

std::vector<std::string> checkTransition(std::string_view event, const Simulator::Snapshot& before,
    const Simulator::Snapshot& after, std::size_t notifications, const DeskIndex& desk)
{
    std::vector<std::string> broken;
    for (const Counted& c : kCounted) {
        const std::int64_t delta = std::int64_t(after.state.*c.count) - before.state.*c.count;
        if (delta == 0)
            continue;
        if (delta != 1)
            broken.push_back(named(c.display) + " count moved by " + std::to_string(delta));
        else if (event != c.click)
            broken.push_back(named(c.display) + " counted by " + std::string(event));
    }
    if (event == kWait)
        return broken;
    if (sameBesidesClock(before, after) && notifications != 0)
        broken.push_back("a click that changed nothing changed the desk "
            + std::to_string(notifications) + " times on the way");
    const std::size_t panel = desk[Control::Panel27];
    const bool sz = event == "psza1Click" || event == "pszb1Click" || event == "psza2Click"
        || event == "pszb2Click";
    if (sz && !before.desk[panel].flag && after.desk[panel].flag
        && !sameBesides(before, after, panel))
        broken.push_back("a refused Sz changed more than the mishap panel");
    return broken;
}

// ---------------------------------------------------------------------------

std::string formatPath(const std::vector<std::string>& path)
{
    std::string out;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t j = i;
        while (j < path.size() && path[j] == path[i])
            ++j;
        if (!out.empty())
            out += ", ";
        out += path[i];
        if (j - i > 1)
            out += "*" + std::to_string(j - i);
        i = j;
    }
    return out;
}

namespace {

struct Graph {
    std::deque<std::string> keys;
    std::unordered_map<std::string_view, std::uint32_t> ids;
    std::vector<std::uint32_t> parent;
    std::vector<std::uint16_t> via;
    std::vector<std::uint32_t> depth;
    std::vector<std::uint64_t> edgeStart;
    std::vector<std::uint32_t> edges;

    std::pair<std::uint32_t, bool> add(std::string key, std::uint32_t from, std::uint16_t event)
    {
        auto it = ids.find(key);
        if (it != ids.end())
            return {it->second, false};
        const auto id = std::uint32_t(keys.size());
        keys.push_back(std::move(key));
        ids.emplace(keys.back(), id);
        parent.push_back(from);
        via.push_back(event);
        depth.push_back(from == id ? 0 : depth[from] + 1);
        return {id, true};
    }

    std::vector<std::string> path(
        std::uint32_t id, const std::vector<std::string>& names, std::int64_t stepMs) const
    {
        std::vector<std::string> p;
        while (parent[id] != id) {
            const std::string& e = names[via[id]];
            p.push_back(e == kWait ? "wait " + std::to_string(stepMs) : e);
            id = parent[id];
        }
        p.push_back("FormActivate");
        std::reverse(p.begin(), p.end());
        return p;
    }
};

// What the dead-end states of one group share: the block's relays and
// release flags, the "DALEJ" phase, the lamps that guard the release (Pwl)
// and show an arrived train (Ko).
std::string signature(const Simulator::Snapshot& s, const DeskIndex& desk)
{
    std::string sig;
    int n = 0;
    for (const BlockField& f : blockFields()) {
        if (f.name == "DalejPhase")
            break; // the block and auxiliary relays and release flags come first
        ++n;
        if (auto b = std::get_if<bool BlockState::*>(&f.member))
            if (s.state.*(*b)) {
                if (!sig.empty())
                    sig += ' ';
                sig += f.name;
            }
    }
    (void)n;
    sig += " | DalejPhase " + std::to_string(s.state.DalejPhase);
    for (Control lamp : {Control::ALed7, Control::ALed16, Control::ALed19, Control::ALed20})
        if (desk.of(s, lamp).flag)
            sig += " " + named(lamp);
    return sig;
}

// How far a state looks from the basic state: the block relays, release
// flags and lamps still set, less a little for a train under way or arrived
// (a way back often leads through a train run and its Ko).
int distanceFromBasic(const Simulator::Snapshot& snap, const DeskIndex& desk)
{
    const BlockState& s = snap.state;
    int d = 0;
    for (bool set : {s.OpA, s.OpB, s.PozA, s.PozB, s.WblA, s.WblB, s.ZwblA, s.ZwblB, s.PwlA, s.PwlB,
             s.ZpA, s.ZpB, s.LzsA, s.LzsB, !s.DpA, !s.DpB, s.WblReleaseAB, s.WblReleaseBA,
             s.KoReleaseAB, s.KoReleaseBA, s.DalejPhase != 0})
        d += set ? 2 : 0;
    for (Control lamp : {Control::ALed7, Control::ALed16})
        d += desk.of(snap, lamp).flag ? 3 : 0;
    for (Control arrow : {Control::lwbl1, Control::lp1, Control::lwbl2, Control::lp2})
        d += desk.of(snap, arrow).flag ? 1 : 0;
    if (s.ZA || s.ZB)
        d -= 5;
    else if (s.WA || s.WB)
        d -= 4;
    else if (s.TrainRunAB || s.TrainRunBA || desk.of(snap, Control::Timer1).flag
        || desk.of(snap, Control::Timer4).flag)
        d -= 3;
    else
        for (Control arrow : {Control::ArrowButton1, Control::ArrowButton2, Control::ArrowButton3,
                 Control::ArrowButton4})
            if (desk.of(snap, arrow).flag) {
                d -= 2;
                break;
            }
    return d;
}

// Lets time pass, one step after another, until no desk timer runs (at
// most two minutes): a train runs to its end or to a signal at stop, the Sz
// lamps go out.
void settle(Simulator& sim, std::int64_t stepMs)
{
    for (int i = 0; i < 240 && sim.clock().nextTick(); ++i)
        sim.clock().advance(stepMs);
}

} // namespace

namespace {

// One guided search over the given events.
WayBack searchWayBack(Simulator& sim, StateCodec& codec, const DeskIndex& desk,
    const Simulator::Snapshot& start, const std::vector<std::string>& events, std::size_t limit,
    std::int64_t stepMs)
{
    struct Node {
        std::string key;
        std::uint32_t parent;
        std::uint16_t event;
    };
    std::vector<Node> nodes;
    std::unordered_map<std::string, std::uint32_t> seen;
    using Item = std::tuple<int, std::uint32_t, std::uint32_t>; // distance, depth, node
    std::priority_queue<Item, std::vector<Item>, std::greater<>> open;

    nodes.push_back({codec.encode(start), 0, 0});
    seen.emplace(nodes[0].key, 0);
    open.emplace(distanceFromBasic(start, desk), 0, 0);
    WayBack result;
    while (!open.empty()) {
        const auto [dist, dep, id] = open.top();
        open.pop();
        (void)dist;
        const Simulator::Snapshot from = codec.decode(nodes[id].key);
        for (std::size_t e = 0; e < events.size(); ++e) {
            sim.restore(from);
            const std::string& event = events[e];
            if (event != kWait && event != "settle" && !sim.accepts(event))
                continue;
            try {
                if (event == kWait)
                    sim.clock().advance(stepMs);
                else if (event == "settle")
                    settle(sim, stepMs);
                else
                    sim.call(event);
            } catch (const std::exception&) {
                continue;
            }
            const Simulator::Snapshot after = sim.snapshot();
            std::string key = codec.encode(after);
            if (seen.count(key))
                continue;
            if (nodes.size() >= limit) {
                result.searched = nodes.size();
                return result;
            }
            const auto next = std::uint32_t(nodes.size());
            nodes.push_back({key, id, std::uint16_t(e)});
            seen.emplace(std::move(key), next);
            if (isBasic(after, desk)) {
                result.found = true;
                result.searched = nodes.size();
                for (std::uint32_t n = next; n != 0; n = nodes[n].parent) {
                    const std::string& ev = events[nodes[n].event];
                    result.path.push_back(ev == kWait ? "wait " + std::to_string(stepMs) : ev);
                }
                std::reverse(result.path.begin(), result.path.end());
                return result;
            }
            open.emplace(distanceFromBasic(after, desk), dep + 1, next);
        }
    }
    result.searched = nodes.size();
    result.exhausted = true;
    return result;
}

} // namespace

WayBack findWayBack(const Simulator::Snapshot& start, std::size_t limit, std::int64_t stepMs)
{
    Simulator sim;
    const DeskIndex desk(sim.desk());
    StateCodec codec(sim);
    // First the block's own buttons, then with the signals and the arrow
    // buttons of the trains, then with every click (time passing only until
    // everything stands still), then every event.
    // Any way found is a real one; the smaller sets find the usual ways
    // back much sooner.
    const std::vector<std::string> blockButtons = {"pwbl1Click", "pwbl2Click", "ppoz1Click",
        "ppoz2Click", "pdalejClick", "pkoaClick", "pkobClick", "HemisphereButton16Click",
        "HemisphereButton3Click", "HemisphereButton4Click", "HemisphereButton15Click", "settle"};
    std::vector<std::string> withSignals = blockButtons;
    for (const char* e :
        {"psa1Click", "psb2Click", "psa2Click", "psb1Click", "psza1Click", "pszb2Click",
            "ArrowButton1Click", "ArrowButton2Click", "ArrowButton3Click", "ArrowButton4Click"})
        withSignals.emplace_back(e);
    std::vector<std::string> withTrains = blockButtons;
    std::vector<std::string> every;
    for (const HandlerEntry& e : handlerTable())
        if (e.name.ends_with("Click")) {
            every.emplace_back(e.name);
            if (std::find(withTrains.begin(), withTrains.end(), e.name) == withTrains.end()
                && e.name != "ShadowButton1Click")
                withTrains.emplace_back(e.name);
        }
    every.emplace_back(kWait);
    every.emplace_back("settle");

    WayBack total;
    const std::vector<std::string>* sets[] = {&blockButtons, &withSignals, &withTrains, &every};
    for (const auto* events : sets) {
        std::vector<std::string> known;
        for (const std::string& e : *events)
            if (e == "settle" || e == kWait || findHandler(e))
                known.push_back(e);
        WayBack w = searchWayBack(sim, codec, desk, start, known, limit / 4 + 1, stepMs);
        total.searched += w.searched;
        if (w.found) {
            w.searched = total.searched;
            return w;
        }
        if (events == &every)
            total.exhausted = w.exhausted;
    }
    return total;
}

namespace { } // namespace

std::vector<std::size_t> pickSample(std::size_t n, std::size_t count, std::uint64_t seed)
{
    std::vector<std::size_t> picked;
    if (count >= n) {
        for (std::size_t i = 0; i < n; ++i)
            picked.push_back(i);
        return picked;
    }
    // Floyd's selection: count draws, each one number, no repeats; the
    // draws use the generator's raw output alone, which the standard fixes.
    std::mt19937_64 random(seed);
    std::set<std::size_t> chosen;
    for (std::size_t j = n - count; j < n; ++j) {
        const std::size_t t = std::size_t(random() % (j + 1));
        if (!chosen.insert(t).second)
            chosen.insert(j);
    }
    picked.assign(chosen.begin(), chosen.end());
    return picked;
}

Result run(const Options& options)
{
    Result result;
    Simulator sim;
    sim.call("FormActivate");
    const DeskIndex desk(sim.desk());
    StateCodec codec(sim, options.displayOnly);

    for (const HandlerEntry& e : handlerTable())
        if (e.name.size() > 5 && e.name.substr(e.name.size() - 5) == "Click")
            result.events.emplace_back(e.name);
    result.events.emplace_back(kWait);
    if (result.events.size() > 0xFFFF)
        throw std::length_error("too many events");

    std::size_t notifications = 0;
    sim.desk().addObserver([&](const std::string&, const std::string&) { ++notifications; });

    Graph g;
    std::map<std::string, std::size_t> keptRules;
    auto report = [&](const std::vector<std::string>& rules, std::uint32_t from,
                      const std::string& event) {
        for (const std::string& rule : rules) {
            ++result.violationCount;
            if (keptRules.count(rule) || result.violations.size() >= options.maxViolations)
                continue;
            keptRules.emplace(rule, result.violations.size());
            Violation v {rule, g.path(from, result.events, options.stepMs)};
            v.path.push_back(event == kWait ? "wait " + std::to_string(options.stepMs) : event);
            result.violations.push_back(std::move(v));
        }
    };

    std::optional<CircuitCheck> circuitCheck;
    if (options.checkCircuits) {
        circuitCheck.emplace(
            desk, options.circuitSheets ? *options.circuitSheets : circuits::ladderSheets());
        result.circuitRungs = circuitCheck->checkedRungs();
    }
    std::map<std::string, std::size_t> failedRungs;
    auto reportCircuits = [&](const std::vector<CircuitFinding>& findings, std::uint32_t from,
                              const std::string* event) {
        for (const CircuitFinding& f : findings) {
            auto [it, added] = failedRungs.emplace(f.rung, result.circuitFailures.size());
            if (added) {
                CircuitFailure cf {f.rung, f.what, g.path(from, result.events, options.stepMs), 0};
                if (event)
                    cf.path.push_back(
                        *event == kWait ? "wait " + std::to_string(options.stepMs) : *event);
                result.circuitFailures.push_back(std::move(cf));
            }
            ++result.circuitFailures[it->second].count;
        }
    };
    auto checkStable = [&](const Simulator::Snapshot& s, std::uint32_t id) {
        if (!circuitCheck || !circuitCheck->stable(s))
            return;
        ++result.stableStates;
        reportCircuits(circuitCheck->checkState(s), id, nullptr);
    };

    {
        const Simulator::Snapshot start = sim.snapshot();
        g.add(codec.encode(start), 0, 0);
        report(checkState(start, desk), 0, "FormActivate");
        checkStable(start, 0);
        g.path(0, result.events, options.stepMs);
    }

    bool bounded = false;
    for (std::uint32_t id = 0; id < g.keys.size(); ++id) {
        if (options.progress && id % options.progressEvery == 0 && id != 0)
            options.progress(id, g.keys.size());
        g.edgeStart.push_back(g.edges.size());
        const Simulator::Snapshot before = codec.decode(g.keys[id]);
        for (std::size_t e = 0; e < result.events.size(); ++e) {
            const std::string& event = result.events[e];
            sim.restore(before);
            if (event != kWait && !sim.accepts(event))
                continue;
            ++result.transitions;
            notifications = 0;
            try {
                if (event == kWait)
                    sim.clock().advance(options.stepMs);
                else
                    sim.call(event);
            } catch (const std::exception& ex) {
                report({std::string(event) + " raised \"" + ex.what() + "\""}, id, event);
                continue;
            }
            const Simulator::Snapshot after = sim.snapshot();
            std::string key = codec.encode(after);
            auto known = g.ids.find(key);
            std::uint32_t to;
            if (known != g.ids.end()) {
                to = known->second;
            } else {
                if (options.maxStates && g.keys.size() >= options.maxStates) {
                    bounded = true;
                    continue;
                }
                to = g.add(std::move(key), id, std::uint16_t(e)).first;
                report(checkState(after, desk), id, event);
                checkStable(after, to);
            }
            report(checkTransition(event, before, after, notifications, desk), id, event);
            if (circuitCheck && event != kWait) {
                const auto findings = circuitCheck->checkOperation(event, before, after);
                if (!findings.empty() || before.state != after.state)
                    ++result.operations;
                reportCircuits(findings, id, &event);
            }
            if (to != id)
                ++result.changing;
            g.edges.push_back(to);
        }
    }
    g.edgeStart.push_back(g.edges.size());

    result.states = g.keys.size();
    result.complete = !bounded;
    result.texts = codec.textCount();
    for (std::uint32_t d : g.depth)
        result.depth = std::max<std::size_t>(result.depth, d);

    // Which states reach the basic state inside the explored graph:
    // backwards from the basic states along the edges found.
    const std::size_t expanded = g.edgeStart.size() - 1;
    std::vector<char> reaches(result.states, 0);
    std::vector<std::uint32_t> work;
    for (std::uint32_t id = 0; id < result.states; ++id)
        if (isBasic(codec.decode(g.keys[id]), desk)) {
            reaches[id] = 1;
            work.push_back(id);
            ++result.basicStates;
        }
    std::vector<std::uint64_t> revStart(result.states + 1, 0);
    for (std::uint32_t to : g.edges)
        ++revStart[to + 1];
    for (std::size_t i = 0; i < result.states; ++i)
        revStart[i + 1] += revStart[i];
    std::vector<std::uint32_t> rev(g.edges.size());
    {
        std::vector<std::uint64_t> fill(revStart.begin(), revStart.end() - 1);
        for (std::uint32_t from = 0; from < expanded; ++from)
            for (std::uint64_t k = g.edgeStart[from]; k < g.edgeStart[from + 1]; ++k)
                rev[fill[g.edges[k]]++] = from;
    }
    while (!work.empty()) {
        const std::uint32_t id = work.back();
        work.pop_back();
        for (std::uint64_t k = revStart[id]; k < revStart[id + 1]; ++k)
            if (!reaches[rev[k]]) {
                reaches[rev[k]] = 1;
                work.push_back(rev[k]);
            }
    }

    // Group the stuck states; the shortest way into a group is that of its
    // first state in breadth-first order.
    struct Group {
        DeadEndGroup report;
        std::vector<std::uint32_t> first;
    };
    std::vector<Group> groups;
    std::map<std::string, std::size_t> groupOf;
    for (std::uint32_t id = 0; id < expanded; ++id) {
        if (reaches[id])
            continue;
        ++result.stuckStates;
        const std::string sig = signature(codec.decode(g.keys[id]), desk);
        auto [it, added] = groupOf.emplace(sig, groups.size());
        if (added)
            groups.push_back({{sig, 0, g.path(id, result.events, options.stepMs)}, {}});
        Group& grp = groups[it->second];
        ++grp.report.states;
        if (grp.first.size() < options.representatives)
            grp.first.push_back(id);
    }
    result.stuckGroups = groups.size();

    for (std::size_t id : pickSample(result.states, options.sampleCount, options.sampleSeed))
        result.samples.push_back({id, g.path(std::uint32_t(id), result.events, options.stepMs),
            codec.decode(g.keys[id])});

    // Look for a way back from the first states of each group, beyond the
    // explored graph where it is not complete.
    for (Group& grp : groups) {
        if (!result.complete && options.searchStates == 0)
            break; // no search asked for: the stuck groups alone are reported
        bool escaped = false;
        bool exhausted = true;
        std::size_t searched = 0;
        for (std::uint32_t start : grp.first) {
            if (result.complete)
                break; // the whole space is known: nothing leads back
            const WayBack w
                = findWayBack(codec.decode(g.keys[start]), options.searchStates, options.stepMs);
            searched += w.searched;
            exhausted = exhausted && w.exhausted;
            if (w.found) {
                escaped = true;
                break;
            }
        }
        if (escaped)
            continue;
        grp.report.searched = searched;
        grp.report.proven = result.complete || exhausted;
        result.deadEnds.push_back(std::move(grp.report));
    }
    return result;
}

} // namespace kyt::explore
