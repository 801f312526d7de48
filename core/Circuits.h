#pragma once
// The circuits of the block as the five schematic sheets draw them: one
// description that the picture generator draws from and the checks read.
//
// A ladder sheet holds rungs; a rung is a path of elements from the "+" bar
// to its load (a relay coil, a lamp or a counter). An element is a contact
// (make or break) of a relay, a push button or a signal, a passive part, or
// a parallel group of paths. Every rung is the same at station A and at
// station B: a relay is named by its role ("Op", "Zwbl", ...), and a
// contact marked `remote` belongs to the neighbouring station (its state
// reaches this one over the line wires 79 and 80).
//
// For the checks a rung is resolved at a station: the roles become the
// names of the block record's fields (OpA, dKoB, ...) and the desk's
// controls (pwbl1, HemisphereButton16, ALed11, ...).

#include "Stations.h"
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyt::circuits {

enum class Part {
    Make, // make contact of a relay
    Break, // break contact of a relay
    ButtonMake, // push button, closed while pressed
    ButtonBreak, // push button, open while pressed
    Coil, // relay coil
    PolarCoil, // coil of a polarised relay
    Lamp, // desk lamp
    Counter, // use counter
    Capacitor,
    Resistor,
    Diode,
    Battery,
    Generator, // source of alternating current
    Group, // parallel paths
};

struct Elem {
    Part part = Part::Make;
    std::string name; // the role: "Op", "Wbl", ...; empty for passive parts
    bool remote = false; // of the neighbouring station
    std::vector<std::vector<Elem>> branches; // of a group

    bool isContact() const;
    bool isLoad() const;
};

Elem make(std::string name);
Elem brk(std::string name);
Elem makeRemote(std::string name);
Elem brkRemote(std::string name);
Elem button(std::string name);
Elem buttonBreak(std::string name);
Elem coil(std::string name);
Elem polar(std::string name);
Elem lamp(std::string name);
Elem counter(std::string name);
Elem passive(Part part);
Elem parallel(std::vector<std::vector<Elem>> branches);

struct Rung {
    std::string number;
    std::vector<Elem> path; // contacts and groups, ending with the load
    const Elem& load() const { return path.back(); }
};

struct Section {
    std::string heading;
    std::vector<Rung> rungs;
};

// A ladder sheet. `notes` are printed on the sheet under the circuits.
struct LadderSheet {
    std::string file;
    std::string title;
    std::string subtitle;
    std::vector<Section> sections;
    std::vector<std::string> notes;
    std::string label; // "Arkusz 1 z 5"
};

// The line sheet: each branch lies across the wires 79 and 80, the same at
// both stations (B mirrors A).
struct LineSheet {
    std::string file;
    std::string title;
    std::string subtitle;
    std::vector<std::vector<Elem>> branches;
    std::vector<std::string> branchNames; // one per branch
    struct Row {
        std::string state, ac, w79, w80;
    };
    std::vector<Row> voltages; // the table under the drawing
    std::vector<std::string> notes;
    std::string label;
};

// The four ladder sheets and the line sheet, in the order of their numbers:
// obwody.jpg (1), liniowy.jpg (2), pulpit.jpg (3), zpg.jpg (4),
// blok - zwrot.jpg (5).
const std::vector<LadderSheet>& ladderSheets();
const LineSheet& lineSheet();

// One rung of a ladder sheet, for the checks.
struct RungRef {
    const LadderSheet* sheet;
    const Rung* rung;
    int sheetNumber;
};
std::vector<RungRef> allRungs(const std::vector<LadderSheet>& sheets);
// The sheet's number from its label ("Arkusz 4 z 5" -> 4), 0 without one.
int sheetNumber(const LadderSheet& sheet);

// Resolving roles at a station --------------------------------------------------

// The stations are those of the block (Stations.h).

// The name that stands for an element at a station: a block record field for
// a relay or a relay coil ("OpA", "WB", ...), the desk control for a button
// ("pwbl1"), the desk lamp for a signal or a desk lamp ("ALed8", "ALed7").
// Empty when the element has no counterpart in the simulation (a passive
// part, the flasher, a counter, a track circuit).
std::string resolve(const Elem& e, Station at);

// The state of the things contacts read, by resolved name: a relay's or a
// signal's state, and whether a button is held pressed.
struct Contacts {
    std::function<bool(std::string_view relayOrLamp)> energised;
    std::function<bool(std::string_view button)> pressed;
};

// Whether the path conducts at a station; the load is not part of it. An
// element with no counterpart in the simulation counts as open for a
// contact (track circuits are free while no train runs) and as closed for a
// passive part.
bool conducts(const std::vector<Elem>& path, Station at, const Contacts& c);
bool conducts(const Rung& rung, Station at, const Contacts& c);

// Writes a rung's condition as text: "Op ∧ ¬S ∧ (Wbl ∨ Pwl)".
std::string describe(const std::vector<Elem>& path);

} // namespace kyt::circuits
