// The circuit sheets of the block: what each schematic shows.
#include "Circuits.h"
#include "PicGen.h"
#include "Schematic.h"

#include <QFontMetricsF>

#include <stdexcept>

namespace kyt::picgen {

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

// The drawing kit's element for an element of the circuits' description; a
// contact of the neighbouring station is named with a prime ("Poz′").
Elem toElem(const circuits::Elem& e)
{
    using circuits::Part;
    const QString name = q(e.name) + (e.remote ? QStringLiteral("′") : QString());
    switch (e.part) {
    case Part::Make: return no(name);
    case Part::Break: return nc(name);
    case Part::ButtonMake: return button(name);
    case Part::ButtonBreak: return buttonNC(name);
    case Part::Coil: return coil(name);
    case Part::PolarCoil: return polar(name);
    case Part::Lamp: return lamp(name);
    case Part::Counter: return counter(name);
    case Part::Capacitor: return capacitor();
    case Part::Resistor: return resistor();
    case Part::Diode: return diode();
    case Part::Battery: return battery();
    case Part::Generator: return generator();
    case Part::Group: {
        std::vector<std::vector<Elem>> branches;
        for (const auto& b : e.branches) {
            branches.emplace_back();
            for (const auto& x : b)
                branches.back().push_back(toElem(x));
        }
        return parallel(std::move(branches));
    }
    }
    return {};
}

std::vector<Elem> toPath(const std::vector<circuits::Elem>& path)
{
    std::vector<Elem> out;
    for (const auto& e : path)
        out.push_back(toElem(e));
    return out;
}

const circuits::LadderSheet& ladder(const std::string& file)
{
    for (const auto& s : circuits::ladderSheets())
        if (s.file == file)
            return s;
    throw std::logic_error("no circuits for " + file);
}

// A ladder sheet: title, circuits, key and notes.
QImage drawLadderSheet(QSize size, const circuits::LadderSheet& data, const QString& label)
{
    std::vector<Section> sections;
    for (const auto& sec : data.sections) {
        Section s {q(sec.heading), {}};
        for (const auto& r : sec.rungs)
            s.rungs.push_back({q(r.number), toPath(r.path)});
        sections.push_back(std::move(s));
    }
    QStringList notes;
    for (const auto& n : data.notes)
        notes.append(q(n));
    Sheet sheet(size.width(), size.height(), q(data.title), q(data.subtitle));
    sheet.declare(sections);
    sheet.setNotes(notes);
    double bottom = sheet.height() - sheet.footerHeight() - 6;
    sheet.drawLadder(sections, sheet.top(), bottom);
    sheet.drawFooter(label);
    return sheet.finish();
}

QImage drawSheet(QSize size, const std::string& file)
{
    const auto& data = ladder(file);
    return drawLadderSheet(size, data, q(data.label));
}

// The line circuit: station A above, station B below, each with its wires
// 79 and 80 and the same branches across them; the line runs between them.
QImage drawLineCircuit(QSize size)
{
    const circuits::LineSheet& data = circuits::lineSheet();
    Sheet sheet(size.width(), size.height(), q(data.title), q(data.subtitle));
    std::vector<std::vector<Elem>> branches;
    for (const auto& b : data.branches) {
        branches.push_back(toPath(b));
        for (const auto& e : branches.back())
            sheet.declare(e);
    }
    QStringList notes;
    QString names;
    for (std::size_t i = 0; i < data.branchNames.size(); ++i)
        names += (i ? QStringLiteral("; ") : QStringLiteral("Gałęzie: ")) + QString::number(i + 1)
            + QStringLiteral(" – ") + q(data.branchNames[i]);
    notes.append(names + QLatin1Char('.'));
    for (const auto& n : data.notes)
        notes.append(q(n));
    sheet.setNotes(notes);

    // From the bottom up: the key, the table of voltages, the stations.
    const int nRows = int(data.voltages.size()) + 1;
    const double rowH = 16;
    const double tableTop = sheet.height() - sheet.footerHeight() - 8 - nRows * rowH - 20;
    const double w = sheet.width();
    const double top = sheet.top() + 4;
    const double boxL = 60, boxR = w - 60;
    const double gap = 34; // the line between the stations
    const double boxH = (tableTop - 10 - top - gap) / 2;
    const double pitch = (boxR - boxL - 20) / double(branches.size());

    QPainter& p = sheet.painter();
    QPen dashed(Qt::black, 1.0, Qt::DashLine);
    const double xL = 32, xR = w - 32; // the line's wires 79 (left) and 80 (right)
    auto drawStation = [&](double y0, const QString& name) {
        p.setPen(dashed);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(boxL - 12, y0, boxR - boxL + 24, boxH));
        sheet.text(
            QPointF(boxL - 6, y0 + 3), name, sheetFont(13, true), Qt::AlignLeft | Qt::AlignTop);
        const double y79 = y0 + 24, y80 = y0 + boxH - 22;
        const double first = boxL + 10 + pitch / 2 - 12;
        const double last = first + pitch * double(branches.size() - 1);
        sheet.wire(QPointF(xL, y79), QPointF(last, y79));
        sheet.wire(QPointF(first, y80), QPointF(xR, y80));
        sheet.terminal(QPointF(boxL - 12, y79), QStringLiteral("79"));
        sheet.terminal(QPointF(boxR + 12, y80), QStringLiteral("80"));
        for (std::size_t i = 0; i < branches.size(); ++i) {
            const double x = first + pitch * double(i);
            const auto& b = branches[i];
            const double seg = (y80 - y79) / double(b.size());
            for (std::size_t k = 0; k < b.size(); ++k) {
                const double ya = y79 + seg * double(k), yb = ya + seg;
                // A battery is drawn from its "+" plate: "−79" turns it round.
                const bool turned = data.branches[i][k].part == circuits::Part::Battery
                    && data.branches[i][k].name == "-79";
                if (turned)
                    sheet.drawElemAlong(b[k], QPointF(x, yb), QPointF(x, ya));
                else
                    sheet.drawElemAlong(b[k], QPointF(x, ya), QPointF(x, yb));
            }
            sheet.dot(QPointF(x, y79));
            sheet.dot(QPointF(x, y80));
            sheet.text(QPointF(x, y80 + 5), QString::number(i + 1), sheetFont(10, true),
                Qt::AlignHCenter | Qt::AlignTop);
        }
        return std::pair {y79, y80};
    };
    const auto [a79, a80] = drawStation(top, QStringLiteral("Stacja A"));
    const auto [b79, b80] = drawStation(top + boxH + gap, QStringLiteral("Stacja B"));
    sheet.wire(QPointF(xL, a79), QPointF(xL, b79));
    sheet.wire(QPointF(xR, a80), QPointF(xR, b80));
    const double midY = top + boxH + gap / 2;
    for (double x : {xL, xR}) {
        // Break marks: the line is many kilometres long.
        p.setPen(QPen(Qt::white, 7));
        p.drawLine(QPointF(x, midY - 4), QPointF(x, midY + 4));
        p.setPen(QPen(Qt::black, 1.4));
        p.drawLine(QPointF(x - 8, midY - 8), QPointF(x + 8, midY - 2));
        p.drawLine(QPointF(x - 8, midY + 2), QPointF(x + 8, midY + 8));
    }
    sheet.text(QPointF(w / 2, midY),
        QStringLiteral("SZLAK – żyła 79 (z lewej) i żyła 80 (z prawej)"), sheetFont(12, true, true),
        Qt::AlignHCenter | Qt::AlignVCenter);

    // Voltages on the line in the states of the block.
    double ty = tableTop;
    const double tx = 40;
    const double cols[] = {tx, tx + 300, tx + 430, tx + 560, w - 40};
    sheet.text(QPointF(tx, ty),
        QStringLiteral("Napięcia na linii w kolejnych stanach blokady (kierunek od A do B):"),
        sheetFont(12, true), Qt::AlignLeft | Qt::AlignTop);
    ty += 20;
    const char* head[] = {"Stan blokady", "Przemienne", "Żyła 79", "Żyła 80"};
    p.setPen(QPen(Qt::black, 1));
    for (int r = 0; r <= nRows; ++r)
        p.drawLine(QPointF(cols[0], ty + r * rowH), QPointF(cols[4], ty + r * rowH));
    for (double c : cols)
        p.drawLine(QPointF(c, ty), QPointF(c, ty + nRows * rowH));
    for (int c = 0; c < 4; ++c)
        sheet.text(QPointF(cols[c] + 6, ty + rowH / 2), QString::fromUtf8(head[c]),
            sheetFont(11, true), Qt::AlignLeft | Qt::AlignVCenter);
    for (int r = 0; r < nRows - 1; ++r) {
        const auto& row = data.voltages[std::size_t(r)];
        const std::string* cells[] = {&row.state, &row.ac, &row.w79, &row.w80};
        for (int c = 0; c < 4; ++c)
            sheet.text(QPointF(cols[c] + 6, ty + rowH * (r + 1.5)), q(*cells[c]), sheetFont(11),
                Qt::AlignLeft | Qt::AlignVCenter);
    }

    sheet.drawFooter(q(data.label));
    return sheet.finish();
}

} // namespace

const std::vector<SchematicFile>& schematicFiles()
{
    static const std::vector<SchematicFile> files = {
        {QStringLiteral("obwody.jpg"), QSize(757, 957),
            QStringLiteral("OBWODY WŁĄCZENIA I ZWOLNIENIA BLOKADY")},
        {QStringLiteral("liniowy.jpg"), QSize(769, 812), QStringLiteral("OBWÓD LINIOWY BLOKADY")},
        {QStringLiteral("pulpit.jpg"), QSize(732, 876), QStringLiteral("OBWODY LAMPEK PULPITU")},
        {QStringLiteral("zpg.jpg"), QSize(721, 863), QStringLiteral("OBWÓD PRZEKAŹNIKA ZPG")},
        {QStringLiteral("blok - zwrot.jpg"), QSize(745, 1008),
            QStringLiteral("OBWÓD ZWROTU POZWOLENIA")},
    };
    return files;
}

QImage drawSchematic(const QString& fileName)
{
    const auto& files = schematicFiles();
    for (const auto& f : files)
        if (fileName == f.fileName)
            return f.fileName == QStringLiteral("liniowy.jpg")
                ? drawLineCircuit(f.size)
                : drawSheet(f.size, f.fileName.toStdString());
    return {};
}

QImage drawStoredCircuit()
{
    QImage sheet = drawLadderSheet(QSize(StoredCircuitWidth, StoredCircuitHeight),
        ladder("obwody.jpg"), QStringLiteral("Arkusz 1 z 5 (wzór)"));
    // A black-and-white drawing with smoothed edges: its pixels are all
    // greys, so a palette of the 256 greys keeps it exactly.
    QList<QRgb> greys;
    for (int i = 0; i < 256; ++i)
        greys.append(qRgb(i, i, i));
    return sheet.convertToFormat(QImage::Format_Indexed8, greys, Qt::ThresholdDither);
}

} // namespace kyt::picgen
