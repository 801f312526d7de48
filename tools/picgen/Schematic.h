// Schematic: the drawing kit of the circuit sheets.
//
// A sheet is a white page with a frame, a title line at the top and, at the
// bottom, the key of the symbols and of the relay names it uses. Circuits
// are drawn either as ladders (rungs between the "+" and "-" bars, read from
// left to right: contacts, then the coil or lamp they feed) or element by
// element along any straight segment (the line circuit).
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <map>
#include <set>
#include <vector>

namespace kyt::picgen {

// The symbols of the sheets.
enum class Sym {
    ContactNO, // make contact of a relay
    ContactNC, // break contact of a relay
    ButtonNO, // push button, closes when pressed
    ButtonNC, // push button, opens when pressed (or pulled)
    Coil, // relay coil
    PolarCoil, // coil of a polarised relay
    Lamp, // desk lamp
    Counter, // operation counter
    Capacitor,
    Resistor,
    Diode,
    Battery,
    Generator, // source of alternating current
};

// One element of a circuit path. An element with branches is a parallel
// group: each branch is a path of its own between the group's two nodes.
struct Elem {
    Sym sym = Sym::ContactNO;
    QString name;
    std::vector<std::vector<Elem>> branches;

    bool isGroup() const { return !branches.empty(); }
    // Coils, lamps and counters end a rung at the "-" bar.
    bool isLoad() const;
};

Elem no(const QString& name);
Elem nc(const QString& name);
Elem button(const QString& name);
Elem buttonNC(const QString& name);
Elem coil(const QString& name);
Elem polar(const QString& name);
Elem lamp(const QString& name);
Elem counter(const QString& name);
Elem capacitor(const QString& name = {});
Elem resistor(const QString& name = {});
Elem diode(const QString& name = {});
Elem battery(const QString& name = {});
Elem generator(const QString& name = {});
Elem parallel(std::vector<std::vector<Elem>> branches);

// A rung of a ladder: its number (printed at the "+" bar) and its path.
struct Rung {
    QString number;
    std::vector<Elem> path;
};

// A titled group of rungs.
struct Section {
    QString heading;
    std::vector<Rung> rungs;
};

// Fonts of the sheets, in pixels.
QFont sheetFont(int pixelSize, bool bold = false, bool italic = false);

// Width of an element or a path in a ladder, and the number of rows it
// takes (a parallel group takes one row per branch row).
double elemWidth(const Elem& e);
double pathWidth(const std::vector<Elem>& path);
int elemRows(const Elem& e);
int pathRows(const std::vector<Elem>& path);

// The key of a sheet: the symbols and the names it used, in first-use order.
struct Key {
    std::vector<Sym> symbols;
    QStringList names; // "Wbl", "lampka WYJAZD", ...
    void add(const Elem& e);
    void addName(const QString& name);
    void addSymbol(Sym s);
};

// Explanation of a name of the key ("Wbl" -> "przekaźnik włączenia blokady").
QString describeName(const QString& name);
// Splits a text into lines no wider than width, at blanks.
QStringList wrapText(const QString& text, const QFont& font, double width);
// Caption of a symbol in the key.
QString describeSymbol(Sym s);

class Sheet {
public:
    // A white sheet of the given size with its frame and title line.
    Sheet(int width, int height, const QString& title, const QString& subtitle);

    QPainter& painter() { return m_painter; }
    QImage& image() { return m_image; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    // First free line below the title.
    double top() const { return m_top; }
    Key& key() { return m_key; }

    // Draws the sections as ladders between y0 and y1; the rows share the
    // height (at most maxRow pixels each). Returns the y below the last rung.
    double drawLadder(
        const std::vector<Section>& sections, double y0, double y1, double maxRow = 46);

    // Draws one element from a to b (horizontal or vertical), its label
    // above it (horizontal) or to its right (vertical).
    void drawElemAlong(const Elem& e, QPointF a, QPointF b);
    // A connecting wire, a junction dot, a terminal with its wire number.
    void wire(QPointF a, QPointF b);
    void dot(QPointF p);
    void terminal(QPointF p, const QString& label);
    void text(QPointF p, const QString& s, const QFont& font, int flags);

    // The key and the title block at the bottom of the sheet. Returns the
    // height it takes, so that a caller can leave room for it first.
    double footerHeight() const;
    void drawFooter(const QString& sheetLabel);
    // Notes under the key, wrapped to the sheet's width (set before
    // footerHeight is asked).
    void setNotes(const QStringList& notes) { m_notes = notes; }
    // Enters the elements in the key before they are drawn, so that the
    // footer's height is known while the circuits are laid out.
    void declare(const std::vector<Section>& sections);
    void declare(const Elem& e) { m_key.add(e); }

    // Finishes painting and returns the picture.
    QImage finish();

private:
    double drawPath(const std::vector<Elem>& path, double x, double y, double rowH);
    void drawSymbol(Sym s, const QTransform& at, double len, const QString& name, bool vertical);
    double keyRowsHeight() const;
    QStringList noteLines() const;

    QImage m_image;
    QPainter m_painter;
    double m_top = 0;
    Key m_key;
    QStringList m_notes;
};

} // namespace kyt::picgen
