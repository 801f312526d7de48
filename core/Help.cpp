#include "Help.h"

#include "Controls.h"
#include "Simulator.h"

namespace kyt {

namespace {

constexpr auto A = Station::A;
constexpr auto B = Station::B;
using C = Control;

constexpr RelayInfo kRelays[] = {
    {C::mop1, "Op", A, "przekaźnik pozwolenia: stacja ma pozwolenie na wyprawianie pociągów"},
    {C::mop2, "Op", B, "przekaźnik pozwolenia: stacja ma pozwolenie na wyprawianie pociągów"},
    {C::mdp1, "Dp", A, "przekaźnik dania pozwolenia: odpada na stacji, która daje pozwolenie"},
    {C::mdp2, "Dp", B, "przekaźnik dania pozwolenia: odpada na stacji, która daje pozwolenie"},
    {C::mpoz1, "Poz", A, "przekaźnik pozwolenia: wzbudzony na stacji, która daje pozwolenie"},
    {C::mpoz2, "Poz", B, "przekaźnik pozwolenia: wzbudzony na stacji, która daje pozwolenie"},
    {C::mwbl1, "Wbl", A, "przekaźnik włączenia blokady: żądanie blokady tej stacji"},
    {C::mwbl2, "Wbl", B, "przekaźnik włączenia blokady: żądanie blokady tej stacji"},
    {C::mzwbl1, "Zwbl", A, "przekaźnik zwolnienia blokady: wzbudzony na czas zwalniania"},
    {C::mzwbl2, "Zwbl", B, "przekaźnik zwolnienia blokady: wzbudzony na czas zwalniania"},
    {C::mnc1, "Nc", A, "nadajnik prądu przemiennego na linię"},
    {C::mnc2, "Nc", B, "nadajnik prądu przemiennego na linię"},
    {C::mpwl1, "Pwl", A, "przekaźnik stacji nadawczej przy ustawionym kierunku"},
    {C::mpwl2, "Pwl", B, "przekaźnik stacji nadawczej przy ustawionym kierunku"},
    {C::mzp1, "Zp", A, "przekaźnik końcowej fazy zwalniania blokady"},
    {C::mzp2, "Zp", B, "przekaźnik końcowej fazy zwalniania blokady"},
    {C::mlzs1, "Lzs", A, "przekaźnik stacji odbiorczej przy ustawionym kierunku"},
    {C::mlzs2, "Lzs", B, "przekaźnik stacji odbiorczej przy ustawionym kierunku"},
    {C::mic1, "Ic", A, "odbiornik prądu przemiennego z linii"},
    {C::mic2, "Ic", B, "odbiornik prądu przemiennego z linii"},
    {C::mpwya, "Pwy (A)", A, "przekaźnik wyjazdu: semafor wyjazdowy stacji B podany"},
    {C::mpwyb, "Pwy (B)", B, "przekaźnik wyjazdu: semafor wyjazdowy stacji A podany"},
    {C::mdkob, "dKoB", A, "przekaźnik dKo pociągów ze stacji B"},
    {C::mdkoa, "dKoA", B, "przekaźnik dKo pociągów ze stacji A"},
    {C::mwb, "W (B)", A, "przekaźnik W pociągów ze stacji B"},
    {C::mwa, "W (A)", B, "przekaźnik W pociągów ze stacji A"},
    {C::mzb, "Z (B)", A, "przekaźnik Z pociągów ze stacji B"},
    {C::mza, "Z (A)", B, "przekaźnik Z pociągów ze stacji A"},
    {C::msa, "SA", A, "przekaźnik sygnałowy semafora wyjazdowego A"},
    {C::msb, "SB", B, "przekaźnik sygnałowy semafora wyjazdowego B"},
};

// What the controls with a caption are, by their caption.
struct Kind {
    std::string_view caption;
    std::string_view what;
};
constexpr Kind kKinds[] = {
    {"Wbl", "przycisk włączenia blokady (wyciągnięty: oWbl)"},
    {"Poz", "przycisk pozwolenia"},
    {"KoA", "przycisk końca pociągu ze stacji A"},
    {"KoB", "przycisk końca pociągu ze stacji B"},
    {"dKo A", "doraźny przycisk końca pociągu ze stacji A"},
    {"dKo B", "doraźny przycisk końca pociągu ze stacji B"},
    {"dPoA", "doraźny przycisk dPo"},
    {"dPoB", "doraźny przycisk dPo"},
    {"Sz A", "sygnał zastępczy"},
    {"Sz B", "sygnał zastępczy"},
    {"A", "przycisk semafora A"},
    {"B", "przycisk semafora B"},
    {"strzałka A", "wyprawia pociąg przy semaforze A"},
    {"strzałka B", "wyprawia pociąg przy semaforze B"},
    {"DALEJ", "następny krok procedury"},
    {"POPRAWIĘ SIĘ", "zamyka planszę błędu"},
    {"SZLAK", "pokazuje planszę szlaku"},
};

// The use counter of a counted button, by caption and station.
struct Counted {
    std::string_view caption;
    Station station;
    Control counter;
};
constexpr Counted kCounted[] = {
    {"Sz A", A, C::lsza1},
    {"Sz B", A, C::lszb1},
    {"Sz A", B, C::lsza2},
    {"Sz B", B, C::lszb2},
    {"dKo A", B, C::ldkoa},
    {"dKo B", A, C::ldkob},
    {"dPoA", A, C::ldpoa},
    {"dPoB", B, C::ldpob},
};

// The relay a button works, by caption and station.
struct Worked {
    std::string_view caption;
    Station station;
    Control indicator;
};
constexpr Worked kWorked[] = {
    {"Wbl", A, C::mwbl1},
    {"Wbl", B, C::mwbl2},
    {"Poz", A, C::mpoz1},
    {"Poz", B, C::mpoz2},
};

std::string_view stationWord(Station s)
{
    return s == A ? "stacja A" : "stacja B";
}

std::string usedTimes(std::int64_t n)
{
    return "użyty " + std::to_string(n) + (n == 1 ? " raz" : " razy");
}

} // namespace

std::span<const RelayInfo> relayInfos()
{
    return kRelays;
}

const RelayInfo* findRelay(Control indicator)
{
    for (const RelayInfo& r : kRelays)
        if (r.indicator == indicator)
            return &r;
    return nullptr;
}

std::string_view lookWords(Look look)
{
    switch (look) {
    case Look::wzb: return "wzbudzony";
    case Look::odzw: return "odwzbudzony";
    case Look::wzbb: return "wzbudzony bez prądu";
    }
    return {};
}

std::string pressableHelp(const Simulator& sim, const PressableControl& control)
{
    std::string text = shortName(control);
    if (control.caption.starts_with("Pociąg")) {
        text += " – zatrzymuje albo puszcza pociąg";
        return text;
    }
    for (const Kind& k : kKinds)
        if (k.caption == control.caption) {
            text += " – ";
            text += k.what;
            break;
        }
    if (!control.station)
        return text;
    for (const Counted& c : kCounted)
        if (c.caption == control.caption && c.station == *control.station)
            text += ", " + usedTimes(sim.desk().counterValue(c.counter));
    for (const Worked& w : kWorked)
        if (w.caption == control.caption && w.station == *control.station)
            text += "; przekaźnik " + std::string(findRelay(w.indicator)->relay) + ": "
                + std::string(lookWords(sim.desk().look(w.indicator)));
    return text;
}

std::string relayHelp(const Simulator& sim, const RelayInfo& relay)
{
    return std::string(relay.relay) + " – " + std::string(relay.role) + ", "
        + std::string(stationWord(relay.station)) + ": "
        + std::string(lookWords(sim.desk().look(relay.indicator)));
}

std::string controlHelp(const Simulator& sim, std::string_view component)
{
    if (const PressableControl* p = findPressable(component))
        return pressableHelp(sim, *p);
    const std::optional<Control> c = controlByName(component);
    if (!c)
        return {};
    if (const RelayInfo* r = findRelay(*c))
        return relayHelp(sim, *r);
    for (const Counted& k : kCounted)
        if (k.counter == *c) {
            PressableControl button;
            for (const PressableControl& p : pressableControls())
                if (p.caption == k.caption && p.station == k.station)
                    button = p;
            return "licznik użyć: " + shortName(button) + ", "
                + usedTimes(sim.desk().counterValue(*c));
        }
    return {};
}

} // namespace kyt
