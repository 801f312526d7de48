#include "Circuits.h"

#include "DeskNames.h"

#include <cstdlib>
#include <map>
#include <utility>

namespace kyt::circuits {

bool Elem::isContact() const
{
    return part == Part::Make || part == Part::Break || part == Part::ButtonMake
        || part == Part::ButtonBreak;
}

bool Elem::isLoad() const
{
    return part == Part::Coil || part == Part::PolarCoil || part == Part::Lamp
        || part == Part::Counter;
}

namespace {

Elem elem(Part part, std::string name, bool remote = false)
{
    Elem e;
    e.part = part;
    e.name = std::move(name);
    e.remote = remote;
    return e;
}

} // namespace

Elem make(std::string name)
{
    return elem(Part::Make, std::move(name));
}
Elem brk(std::string name)
{
    return elem(Part::Break, std::move(name));
}
Elem makeRemote(std::string name)
{
    return elem(Part::Make, std::move(name), true);
}
Elem brkRemote(std::string name)
{
    return elem(Part::Break, std::move(name), true);
}
Elem button(std::string name)
{
    return elem(Part::ButtonMake, std::move(name));
}
Elem buttonBreak(std::string name)
{
    return elem(Part::ButtonBreak, std::move(name));
}
Elem coil(std::string name)
{
    return elem(Part::Coil, std::move(name));
}
Elem polar(std::string name)
{
    return elem(Part::PolarCoil, std::move(name));
}
Elem lamp(std::string name)
{
    return elem(Part::Lamp, std::move(name));
}
Elem counter(std::string name)
{
    return elem(Part::Counter, std::move(name));
}
Elem passive(Part part)
{
    return elem(part, {});
}
Elem parallel(std::vector<std::vector<Elem>> branches)
{
    Elem e;
    e.part = Part::Group;
    e.branches = std::move(branches);
    return e;
}

// The circuits ---------------------------------------------------------------------
//
// Relays of one station: Op, Dp, Poz, Wbl, Zwbl, Nc, Pwl, Zp, Lzs, Ic, the
// exit signal's relay S and Pwy; for the train arriving from the neighbour
// W, Z and dKo, and ZPG made of W and Z. Buttons: Wbl, Poz, Ko, dKo, dPo,
// S (the exit signal's button), Sz. Signals read by contacts: Sw (the entry
// signal shows proceed) and Sz (its substitute signal is lit). Track
// circuits: Iz1 (the section behind the exit signal), Iz2 and Iz3 (the
// sections behind the entry signal and the last one of the station).

namespace {

// Rungs drawn on more than one sheet are the same rung.
Rung wblRung(std::string n)
{
    return {std::move(n),
        {parallel({{button("Wbl"), brk("Wbl"), parallel({{makeRemote("Dp")}, {make("Pwl")}})},
             {make("Wbl"), buttonBreak("Wbl")}}),
            brk("Op"), make("Dp"), brkRemote("Wbl"), coil("Wbl")}};
}

Rung ncRung(std::string n)
{
    return {std::move(n),
        {parallel({{make("Wbl")},
             {brk("Op"),
                 parallel({{make("Pwl")}, {make("Nc"), brkRemote("Dp"), brkRemote("Zwbl")}})},
             {make("Zwbl")}}),
            coil("Nc")}};
}

Rung icRung(std::string n)
{
    return {std::move(n), {makeRemote("Nc"), coil("Ic")}};
}

Rung opRung(std::string n)
{
    return {std::move(n),
        {parallel({{makeRemote("Poz"), make("Wbl")},
             {make("Op"), parallel({{buttonBreak("Wbl")}, {brk("Pwl")}})}}),
            polar("Op")}};
}

Rung pwlRung(std::string n)
{
    return {std::move(n),
        {parallel({{make("Op"), make("Wbl")},
             {make("Pwl"), makeRemote("Lzs"), brk("S"),
                 parallel({{buttonBreak("dPo")}, {brk("Op")}})}}),
            coil("Pwl")}};
}

Rung zwblRung(std::string n)
{
    return {std::move(n),
        {parallel({{button("Wbl"), make("Lzs"), make("Ic")},
             {button("Ko"), make("ZPG"), brk("Sw"), brk("Sz"), brk("Lzs")},
             {make("Zwbl"), brk("Dp")}}),
            coil("Zwbl")}};
}

Rung zpRung(std::string n)
{
    return {std::move(n), {make("Ic"), makeRemote("Zwbl"), coil("Zp")}};
}

Rung dpRung(std::string n)
{
    return {std::move(n), {parallel({{makeRemote("Zp")}, {make("Dp")}}), brk("Poz"), polar("Dp")}};
}

Rung pozRung(std::string n)
{
    return {std::move(n),
        {parallel({{button("Poz"), make("Dp"), brk("Op"), brk("Lzs")}, {make("Poz")}}), make("Ic"),
            coil("Poz")}};
}

Rung lzsRung(std::string n)
{
    return {std::move(n),
        {parallel({{make("Poz")},
             {make("Lzs"), parallel({{makeRemote("S")}, {makeRemote("Pwl")}}), brk("Zwbl")}}),
            coil("Lzs")}};
}

Rung sRung(std::string n)
{
    return {std::move(n),
        {parallel({{button("S"), make("Pwl"), makeRemote("Lzs")},
             {make("S"), buttonBreak("S"), brk("Iz1")}}),
            coil("S")}};
}

Rung pwyRung(std::string n)
{
    return {std::move(n), {makeRemote("S"), coil("Pwy")}};
}

Rung wRung(std::string n)
{
    return {std::move(n),
        {parallel({{make("Iz2"), makeRemote("Op"), parallel({{make("Sw")}, {make("dKo")}})},
             {make("W")}}),
            brk("Zwbl"), coil("W")}};
}

Rung zRung(std::string n)
{
    return {
        std::move(n), {parallel({{make("Iz3"), make("W")}, {make("Z")}}), brk("Zwbl"), coil("Z")}};
}

Rung zpgRung(std::string n)
{
    return {std::move(n), {make("W"), make("Z"), coil("ZPG")}};
}

Rung dKoRung(std::string n)
{
    return {std::move(n),
        {parallel({{button("dKo"), makeRemote("Op")},
             {make("dKo"), parallel({{brk("Zwbl")}, {brk("Z")}})}}),
            coil("dKo")}};
}

const std::string kPrimeNote = "Znak ′ (np. Poz′) – zestyk przekaźnika stacji sąsiedniej; jego "
                               "stan dociera przez żyły 79 i 80 (arkusz 2).";

std::vector<LadderSheet> makeSheets()
{
    std::vector<LadderSheet> sheets;
    sheets.push_back({"obwody.jpg", "OBWODY WŁĄCZENIA I ZWOLNIENIA BLOKADY",
        "Blokada liniowa Kyt – obwody jednakowe na stacji A i na stacji B",
        {
            {"Włączenie blokady (przycisk Wbl; drugie naciśnięcie cofa żądanie)",
                {wblRung("1"), ncRung("2")}},
            {"Przyjęcie pozwolenia – Op i Pwl trzymają się własnymi zestykami",
                {opRung("3"), pwlRung("4")}},
            {"Zwolnienie blokady (przycisk Wbl albo Ko na stacji, która oddała pozwolenie)",
                {zwblRung("5")}},
        },
        {kPrimeNote,
            "Pwl opada po sygnale S, po dPo i po zwolnieniu, a Op zostaje: jedno pozwolenie – "
            "jeden pociąg.",
            "Kroki przycisku DALEJ (ustalenie kierunku, fazy zwolnienia) pokazują po kolei to, co "
            "w urządzeniu dzieje się samo; nie rysuje się ich jako osobnych obwodów."},
        "Arkusz 1 z 5"});
    sheets.push_back({"pulpit.jpg", "OBWODY LAMPEK PULPITU",
        "Blokada liniowa Kyt – lampki i liczniki pulpitu jednej stacji",
        {
            {"Strzałki kierunku (białe lub czerwone; migają przy żądaniu i zwalnianiu)",
                {{"1", {parallel({{make("Nc"), make("Pm")}, {make("Op")}}), lamp("WYJAZD")}},
                    {"2",
                        {parallel({{make("Ic"), make("Pm")}, {make("Lzs")}}), lamp("PRZYJAZD")}}}},
            {"Kontrola wykorzystania pozwolenia i przyjazdu pociągu",
                {{"3", {brk("Pwl"), parallel({{make("Op")}, {brkRemote("Dp")}}), lamp("Pwl")}},
                    {"4", {make("W"), make("Z"), lamp("Ko")}}, {"5", {make("dKo"), lamp("dKo")}}}},
            {"Liczniki użyć przycisków i przekaźnik migowy",
                {{"6", {button("Sz"), counter("Sz")}},
                    {"7", {button("dKo"), makeRemote("Op"), brk("dKo"), counter("dKo")}},
                    {"8", {button("dPo"), make("Op"), make("Pwl"), counter("dPo")}},
                    {"9", {brk("Pm"), passive(Part::Resistor), coil("Pm")}}}},
        },
        {kPrimeNote,
            "Lampka sygnału zastępczego Sz świeci przez odliczany czas po naciśnięciu przycisku "
            "Sz; "
            "czas odmierza zegar symulacji, nie rysowany przekaźnik."},
        "Arkusz 3 z 5"});
    sheets.push_back({"zpg.jpg", "OBWÓD PRZEKAŹNIKA ZPG",
        "Blokada liniowa Kyt – stacja odbiorcza, przyjazd pociągu w całości",
        {
            {"Wjazd pociągu (dKo zastępuje kontrolę semafora wjazdowego Sw)",
                {wRung("1"), zRung("2")}},
            {"Przekaźnik ZPG – pociąg przyjechał w całości", {zpgRung("3"), dKoRung("4")}},
            {"Zwolnienie blokady przyciskiem Ko (semafor wjazdowy na sygnale „stój”)",
                {zwblRung("5")}},
        },
        {kPrimeNote,
            "Iz2 – odcinek za semaforem wjazdowym, Iz3 – ostatni odcinek toru stacyjnego. "
            "Chwile zajęcia odcinków odmierza przebieg pociągu w symulacji.",
            "Ko działa dopiero po zwolnieniu Lzs przez pociąg. Dalsze fazy zwolnienia – jak na "
            "arkuszu 1 "
            "(przycisk DALEJ)."},
        "Arkusz 4 z 5"});
    sheets.push_back({"blok - zwrot.jpg", "OBWÓD ZWROTU POZWOLENIA",
        "Blokada liniowa Kyt – zmiana kierunku ruchu na szlaku",
        {
            {"Stacja oddająca pozwolenie (przycisk Poz; prąd przemienny z linii – Ic)",
                {icRung("1"), pozRung("2"), lzsRung("3")}},
            {"Powrót pozwolenia przy zwolnieniu (Zp stacji, która je miała; Dp stacji, która je "
             "oddała)",
                {zpRung("4"), dpRung("5")}},
            {"Stacja otrzymująca pozwolenie – sygnał zezwalający (przycisk S; Op i Pwl – arkusz 1)",
                {sRung("6")}},
            {"Stacja oddająca pozwolenie – kontrola sygnału stacji sąsiedniej", {pwyRung("7")}},
            {"Pomocniczy przycisk dPo (stan blokady jak po wyjeździe pociągu)",
                {{"8", {button("dPo"), make("Op"), make("Pwl"), counter("dPo")}}}},
        },
        {kPrimeNote,
            "Iz1 – odcinek za semaforem wyjazdowym: pociąg, który go zajmie, zwalnia S, a z nim "
            "Pwy i Lzs stacji sąsiedniej.",
            "Pozwolenie wraca przez zwolnienie blokady (arkusz 1), nie przez ponowne Poz."},
        "Arkusz 5 z 5"});
    return sheets;
}

LineSheet makeLineSheet()
{
    LineSheet l;
    l.file = "liniowy.jpg";
    l.title = "OBWÓD LINIOWY BLOKADY";
    l.subtitle = "Blokada liniowa Kyt – stacja A i stacja B połączone żyłami 79 i 80";
    Elem batteryMinus79 = passive(Part::Battery);
    batteryMinus79.name = "-79"; // "−" to wire 79, "+" to wire 80
    Elem batteryPlus79 = passive(Part::Battery);
    batteryPlus79.name = "+79";
    l.branches = {
        {passive(Part::Generator), make("Nc")},
        {passive(Part::Capacitor), coil("Ic")},
        {batteryMinus79, make("Poz")},
        {batteryPlus79, make("Zwbl")},
        {make("Wbl"), polar("Op")},
        {make("Ic"), coil("Zp")},
        {brk("Poz"), polar("Dp")},
        {make("S")},
        {coil("Pwy")},
    };
    l.branchNames = {
        "nadawanie prądu przemiennego",
        "jego odbiór",
        "oddanie pozwolenia (79 „−”, 80 „+”)",
        "zwolnienie (79 „+”, 80 „−”)",
        "odbiór pozwolenia",
        "odbiór zwolnienia",
        "odbiór zwrotu pozwolenia",
        "zwarcie żył sygnałem zezwalającym",
        "odbiór zwarcia",
    };
    l.voltages = {
        {"stan zasadniczy", "brak", "brak", "brak"},
        {"żądanie blokady na stacji A (Wbl)", "od A do B", "brak", "brak"},
        {"oddanie pozwolenia na stacji B (Poz)", "od A do B", "−", "+"},
        {"kierunek ustalony od A do B", "brak", "−", "+"},
        {"sygnał zezwalający na stacji A (S)", "–", "zwarta", "zwarta"},
        {"zwolnienie na stacji B (Zwbl)", "brak", "+", "−"},
        {"zwolnienie, faza końcowa", "od B do A", "+", "−"},
    };
    l.label = "Arkusz 2 z 5";
    return l;
}

} // namespace

const std::vector<LadderSheet>& ladderSheets()
{
    static const std::vector<LadderSheet> sheets = makeSheets();
    return sheets;
}

const LineSheet& lineSheet()
{
    static const LineSheet sheet = makeLineSheet();
    return sheet;
}

int sheetNumber(const LadderSheet& sheet)
{
    const std::string prefix = "Arkusz ";
    if (sheet.label.rfind(prefix, 0) != 0 || sheet.label.size() <= prefix.size())
        return 0;
    return std::atoi(sheet.label.c_str() + prefix.size());
}

std::vector<RungRef> allRungs(const std::vector<LadderSheet>& sheets)
{
    std::vector<RungRef> out;
    for (const LadderSheet& s : sheets)
        for (const Section& sec : s.sections)
            for (const Rung& r : sec.rungs)
                out.push_back({&s, &r, sheetNumber(s)});
    return out;
}

// Resolving ----------------------------------------------------------------------

std::string resolve(const Elem& e, Station at)
{
    const Station here = e.remote ? (at == Station::A ? Station::B : Station::A) : at;
    const bool a = here == Station::A;
    const std::string own = a ? "A" : "B";
    const std::string other = a ? "B" : "A";
    switch (e.part) {
    case Part::Make:
    case Part::Break:
    case Part::Coil:
    case Part::PolarCoil: {
        static const char* const blockRelays[]
            = {"Op", "Dp", "Poz", "Wbl", "Zwbl", "Nc", "Pwl", "Zp", "Lzs", "Ic", "S", "Pwy"};
        for (const char* r : blockRelays)
            if (e.name == r)
                return e.name + own;
        // The relays of a train's arrival are named after the station the
        // train comes from.
        if (e.name == "W" || e.name == "Z" || e.name == "dKo")
            return e.name + other;
        // Signals of the station, read by their lamps: the green lamp of
        // the entry signal, its substitute signal.
        if (e.name == "Sw")
            return std::string(controlName(a ? Control::ALed6 : Control::ALed8));
        if (e.name == "Sz")
            return std::string(controlName(a ? Control::ALed4 : Control::ALed12));
        return {};
    }
    case Part::ButtonMake:
    case Part::ButtonBreak: {
        static const std::map<std::string, std::pair<const char*, const char*>> buttons = {
            {"Wbl", {"pwbl1", "pwbl2"}},
            {"Poz", {"ppoz1", "ppoz2"}},
            {"Ko", {"pkob", "pkoa"}},
            {"dKo", {"HemisphereButton3", "HemisphereButton16"}},
            {"dPo", {"HemisphereButton4", "HemisphereButton15"}},
            {"S", {"psa1", "psb2"}},
        };
        auto it = buttons.find(e.name);
        if (it == buttons.end())
            return {};
        return a ? it->second.first : it->second.second;
    }
    case Part::Lamp: {
        static const std::map<std::string, std::pair<Control, Control>> lamps = {
            {"Pwl", {Control::ALed7, Control::ALed16}},
            {"Ko", {Control::ALed20, Control::ALed19}},
            {"dKo", {Control::ALed14, Control::ALed13}},
        };
        auto it = lamps.find(e.name);
        if (it == lamps.end())
            return {};
        return std::string(controlName(a ? it->second.first : it->second.second));
    }
    default: return {};
    }
}

// Evaluation ------------------------------------------------------------------------

namespace {

bool closed(const Elem& e, Station at, const Contacts& c, int depth);

bool pathClosed(const std::vector<Elem>& path, Station at, const Contacts& c, int depth)
{
    for (const Elem& e : path)
        if (!e.isLoad() && !closed(e, at, c, depth))
            return false;
    return true;
}

// A relay with no field of its own in the block record (ZPG) follows its
// rung at once.
bool derivedState(const Elem& e, Station at, const Contacts& c, int depth)
{
    if (depth > 4)
        return false;
    const Station here = e.remote ? (at == Station::A ? Station::B : Station::A) : at;
    for (const LadderSheet& s : ladderSheets())
        for (const Section& sec : s.sections)
            for (const Rung& r : sec.rungs)
                if ((r.load().part == Part::Coil || r.load().part == Part::PolarCoil)
                    && r.load().name == e.name && resolve(r.load(), here).empty())
                    return pathClosed(r.path, here, c, depth + 1);
    return false;
}

bool closed(const Elem& e, Station at, const Contacts& c, int depth)
{
    switch (e.part) {
    case Part::Group:
        for (const auto& b : e.branches)
            if (pathClosed(b, at, c, depth))
                return true;
        return false;
    case Part::Make:
    case Part::Break: {
        const std::string n = resolve(e, at);
        const bool up = n.empty() ? derivedState(e, at, c, depth) : c.energised(n);
        return e.part == Part::Make ? up : !up;
    }
    case Part::ButtonMake:
    case Part::ButtonBreak: {
        const std::string n = resolve(e, at);
        const bool down = !n.empty() && c.pressed(n);
        return e.part == Part::ButtonMake ? down : !down;
    }
    default: return true; // passive parts and loads conduct
    }
}

} // namespace

bool conducts(const std::vector<Elem>& path, Station at, const Contacts& c)
{
    return pathClosed(path, at, c, 0);
}

bool conducts(const Rung& rung, Station at, const Contacts& c)
{
    return pathClosed(rung.path, at, c, 0);
}

std::string describe(const std::vector<Elem>& path)
{
    std::string out;
    auto add = [&](const std::string& s) {
        if (!out.empty())
            out += " ∧ ";
        out += s;
    };
    for (const Elem& e : path) {
        const std::string name = e.name + (e.remote ? "′" : "");
        switch (e.part) {
        case Part::Make: add(name); break;
        case Part::Break: add("¬" + name); break;
        case Part::ButtonMake: add("[" + name + "]"); break;
        case Part::ButtonBreak: add("¬[" + name + "]"); break;
        case Part::Group: {
            std::string g;
            for (const auto& b : e.branches) {
                if (!g.empty())
                    g += " ∨ ";
                const std::string d = describe(b);
                g += b.size() > 1 ? "(" + d + ")" : d;
            }
            add("(" + g + ")");
            break;
        }
        default: break;
        }
    }
    return out.empty() ? "1" : out;
}

} // namespace kyt::circuits
