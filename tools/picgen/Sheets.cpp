// The circuit sheets of the block: what each schematic shows.
#include "PicGen.h"
#include "Schematic.h"

#include <QFontMetricsF>

namespace kyt::picgen {

namespace {

// Ladder sheet: title, circuits, key.
QImage ladderSheet(QSize size, const QString &title, const QString &subtitle,
                   const std::vector<Section> &sections, const QString &sheetLabel,
                   const QStringList &notes = {}) {
    Sheet sheet(size.width(), size.height(), title, subtitle);
    sheet.declare(sections);
    sheet.setNotes(notes);
    double bottom = sheet.height() - sheet.footerHeight() - 6;
    sheet.drawLadder(sections, sheet.top(), bottom);
    sheet.drawFooter(sheetLabel);
    return sheet.finish();
}

// Enabling the block, settling the direction and releasing it.
std::vector<Section> enableReleaseCircuits() {
    return {
        {QStringLiteral("Włączenie blokady – stacja żądająca pozwolenia (przycisk Wbl)"),
         {
             {"1", {parallel({{button("Wbl")}, {no("Wbl")}}), buttonNC("oWbl"), nc("Op"), no("Dp"),
                    coil("Wbl")}},
             {"2", {parallel({{no("Wbl")}, {no("Zwbl")}, {no("Zp")}}), nc("Ic"), coil("Nc")}},
         }},
        {QStringLiteral("Ustalenie kierunku – stacja otrzymująca pozwolenie"),
         {
             {"3", {parallel({{no("Ic"), no("Wbl")}, {no("Op")}}), nc("Zp"), polar("Op")}},
             {"4", {no("Op"), nc("S"), buttonNC("dPo"), nc("Zp"), coil("Pwl")}},
         }},
        {QStringLiteral("Zwolnienie blokady – stacja odbiorcza (przycisk Ko)"),
         {
             {"5", {button("Ko"), no("W"), no("Z"), coil("StKo")}},
             {"6", {parallel({{no("StKo")}, {no("Zwbl")}}), no("ZPG"), nc("Sz"), nc("S"), no("Lzs"),
                    coil("Zwbl")}},
         }},
        {QStringLiteral("Zwolnienie blokady – stacja nadawcza"),
         {
             {"7", {no("Ic"), no("Op"), nc("Pwl"), coil("Zp")}},
             {"8", {parallel({{no("Zp")}, {no("Dp")}}), nc("Poz"), polar("Dp")}},
         }},
    };
}

const QString EnableReleaseTitle = QStringLiteral("OBWODY WŁĄCZENIA I ZWOLNIENIA BLOKADY");
const QString EnableReleaseSubtitle =
    QStringLiteral("Blokada liniowa Kyt – obwody jednakowe na stacji A i na stacji B");

QImage drawEnableRelease(QSize size, const QString &label) {
    return ladderSheet(size, EnableReleaseTitle, EnableReleaseSubtitle, enableReleaseCircuits(), label);
}

// The desk lamps.
QImage drawDeskLamps(QSize size) {
    std::vector<Section> sections = {
        {QStringLiteral("Strzałki kierunku (migają przy żądaniu, świecą przy ustalonym kierunku)"),
         {
             {"1", {parallel({{no("Wbl"), no("Pm")}, {no("Op")}}), lamp("WYJAZD")}},
             {"2", {parallel({{no("Ic"), nc("Lzs"), no("Pm")}, {no("Lzs")}}), lamp("PRZYJAZD")}},
         }},
        {QStringLiteral("Kontrola szlaku i przyjazdu pociągu"),
         {
             {"3", {no("Op"), nc("Pwl"), lamp("Pwl")}},
             {"4", {no("W"), no("Z"), nc("StKo"), lamp("Ko")}},
             {"5", {no("dKo"), lamp("dKo")}},
         }},
        {QStringLiteral("Sygnał zastępczy, licznik użyć i przekaźnik migowy"),
         {
             {"6", {no("Sz"), no("Pm"), lamp("Sz")}},
             {"7", {button("Sz"), counter("Sz")}},
             {"8", {nc("Pm"), resistor(), coil("Pm")}},
         }},
    };
    return ladderSheet(size, QStringLiteral("OBWODY LAMPEK PULPITU"),
                       QStringLiteral("Blokada liniowa Kyt – lampki i liczniki pulpitu jednej stacji"),
                       sections, QStringLiteral("Arkusz 3 z 5"));
}

// The ZPG relay: the train has arrived complete.
QImage drawZpg(QSize size) {
    std::vector<Section> sections = {
        {QStringLiteral("Stwierdzenie wjazdu i zwolnienia toru przez pociąg"),
         {
             {"1", {parallel({{nc("Iz"), no("Lzs")}, {no("W")}}), nc("Zwbl"), coil("W")}},
             {"2", {no("W"), parallel({{no("Iz")}, {no("Z")}}), nc("Zwbl"), coil("Z")}},
         }},
        {QStringLiteral("Przekaźnik ZPG (przycisk dKo bocznikuje zestyki Kc, Kpz, Iz)"),
         {
             {"3", {parallel({{no("Kc"), no("Kpz"), no("Iz"), no("W"), no("Z")}, {no("dKo")}}),
                    coil("ZPG")}},
             {"4", {parallel({{button("dKo")}, {no("dKo")}}), nc("Zwbl"), coil("dKo")}},
         }},
        {QStringLiteral("Stwierdzenie końca pociągu (przycisk Ko)"),
         {
             {"5", {button("Ko"), no("ZPG"), coil("StKo")}},
             {"6", {parallel({{no("StKo")}, {no("Zwbl")}}), no("ZPG"), nc("Sz"), no("Lzs"), coil("Zwbl")}},
         }},
    };
    return ladderSheet(size, QStringLiteral("OBWÓD PRZEKAŹNIKA ZPG"),
                       QStringLiteral("Blokada liniowa Kyt – stacja odbiorcza, przyjazd pociągu w całości"),
                       sections, QStringLiteral("Arkusz 4 z 5"));
}

// Handing over the permission to send trains.
QImage drawPermissionReturn(QSize size) {
    std::vector<Section> sections = {
        {QStringLiteral("Stacja oddająca pozwolenie (przycisk Poz)"),
         {
             {"1", {button("Poz"), no("Ic"), no("Dp"), nc("Op"), nc("Lzs"), coil("Poz")}},
             {"2", {parallel({{no("Poz")}, {no("Lzs")}}), nc("Zwbl"), coil("Lzs")}},
             {"3", {nc("Poz"), parallel({{nc("Lzs")}, {no("Zwbl")}}), polar("Dp")}},
         }},
        {QStringLiteral("Stacja otrzymująca pozwolenie"),
         {
             {"4", {parallel({{no("Ic"), no("Wbl")}, {no("Op")}}), nc("Zp"), polar("Op")}},
             {"5", {no("Op"), nc("S"), buttonNC("dPo"), nc("Zp"), coil("Pwl")}},
             {"6", {no("Op"), no("S"), coil("Pwy")}},
         }},
        {QStringLiteral("Pomocniczy przycisk dPo (stan blokady jak po wyjeździe pociągu)"),
         {
             {"7", {button("dPo"), no("Op"), counter("dPo")}},
         }},
    };
    return ladderSheet(size, QStringLiteral("OBWÓD ZWROTU POZWOLENIA"),
                       QStringLiteral("Blokada liniowa Kyt – zmiana kierunku ruchu na szlaku"), sections,
                       QStringLiteral("Arkusz 5 z 5"));
}

// The line circuit: both stations joined by the wires 79 and 80.
QImage drawLineCircuit(QSize size) {
    Sheet sheet(size.width(), size.height(), QStringLiteral("OBWÓD LINIOWY BLOKADY"),
                QStringLiteral("Blokada liniowa Kyt – stacja A i stacja B połączone żyłami 79 i 80"));
    // One branch across the two wires per function, the same at both
    // stations; B mirrors A.
    const std::vector<std::vector<Elem>> branches = {
        {generator(), no("Nc"), capacitor()},
        {capacitor(), diode(), coil("Ic")},
        {battery(), no("Poz"), resistor()},
        {battery(), no("Zp"), resistor()},
        {no("Wbl"), polar("Op")},
        {nc("Poz"), polar("Dp")},
        {no("Pwy"), resistor()},
    };
    for (const auto &b : branches)
        for (const auto &e : b)
            sheet.declare(e);
    sheet.setNotes({
        QStringLiteral("Gałęzie: 1 – nadawanie prądu przemiennego, 2 – odbiór prądu przemiennego, "
                       "3 – napięcie stałe przy oddaniu pozwolenia,"),
        QStringLiteral("4 – napięcie stałe przy zwolnieniu, 5 – odbiór pozwolenia, "
                       "6 – gotowość do oddania pozwolenia, 7 – zwarcie żył po wyjeździe."),
    });

    // From the bottom up: the key, the table of voltages, the stations.
    struct Row {
        const char *state, *ac, *w79, *w80;
    };
    const Row rows[] = {
        {"stan zasadniczy", "brak", "brak", "brak"},
        {"żądanie blokady na stacji A (Wbl)", "od A do B", "brak", "brak"},
        {"oddanie pozwolenia na stacji B (Poz)", "od A do B", "−", "+"},
        {"kierunek ustalony od A do B", "brak", "−", "+"},
        {"sygnał zezwalający na stacji A", "–", "zwarta", "zwarta"},
        {"zwolnienie blokady, faza końcowa", "od B do A", "+", "−"},
    };
    const int nRows = int(sizeof rows / sizeof rows[0]) + 1;
    const double rowH = 18;
    const double tableTop = sheet.height() - sheet.footerHeight() - 12 - nRows * rowH - 22;

    const double top = sheet.top() + 8;
    const double y79 = top + 64;
    const double y80 = tableTop - 36 - 30;
    const double w = sheet.width();
    const double boxW = (w - 2 * 30 - 90) / 2;
    const double ax = 30, bx = w - 30 - boxW;
    const double pitch = (boxW - 30) / double(branches.size());

    QPainter &p = sheet.painter();
    QPen dashed(Qt::black, 1.0, Qt::DashLine);
    for (double bx0 : {ax, bx}) {
        p.setPen(dashed);
        p.drawRect(QRectF(bx0, top, boxW, y80 - top + 36));
    }
    sheet.text(QPointF(ax + 8, top + 6), QStringLiteral("Stacja A"), sheetFont(14, true), Qt::AlignLeft | Qt::AlignTop);
    sheet.text(QPointF(bx + 8, top + 6), QStringLiteral("Stacja B"), sheetFont(14, true), Qt::AlignLeft | Qt::AlignTop);

    // The wires through both stations and the line between them.
    const double firstA = ax + 18;
    const double lastB = bx + 18 + pitch * double(branches.size() - 1);
    sheet.wire(QPointF(firstA, y79), QPointF(lastB, y79));
    sheet.wire(QPointF(firstA, y80), QPointF(lastB, y80));
    const double midX = w / 2;
    for (double y : {y79, y80}) {
        // Break marks: the line is many kilometres long.
        p.setPen(QPen(Qt::white, 7));
        p.drawLine(QPointF(midX - 4, y), QPointF(midX + 4, y));
        p.setPen(QPen(Qt::black, 1.4));
        p.drawLine(QPointF(midX - 8, y + 8), QPointF(midX - 2, y - 8));
        p.drawLine(QPointF(midX + 2, y + 8), QPointF(midX + 8, y - 8));
    }
    sheet.terminal(QPointF(ax + boxW, y79), QStringLiteral("79"));
    sheet.terminal(QPointF(ax + boxW, y80), QStringLiteral("80"));
    sheet.terminal(QPointF(bx, y79), QStringLiteral("79"));
    sheet.terminal(QPointF(bx, y80), QStringLiteral("80"));
    sheet.text(QPointF(midX, top + 8), QStringLiteral("SZLAK"), sheetFont(15, true), Qt::AlignHCenter | Qt::AlignTop);
    sheet.text(QPointF(midX, y79 - 14), QStringLiteral("żyła 79"), sheetFont(12, false, true), Qt::AlignHCenter | Qt::AlignBottom);
    sheet.text(QPointF(midX, y80 - 14), QStringLiteral("żyła 80"), sheetFont(12, false, true), Qt::AlignHCenter | Qt::AlignBottom);

    auto drawBranch = [&](const std::vector<Elem> &b, double x, int number) {
        const double seg = (y80 - y79) / double(b.size());
        for (std::size_t i = 0; i < b.size(); ++i) {
            double ya = y79 + seg * double(i), yb = ya + seg;
            sheet.drawElemAlong(b[i], QPointF(x, ya), QPointF(x, yb));
        }
        sheet.dot(QPointF(x, y79));
        sheet.dot(QPointF(x, y80));
        sheet.text(QPointF(x, y80 + 12), QString::number(number), sheetFont(11, true), Qt::AlignHCenter | Qt::AlignTop);
    };
    for (std::size_t i = 0; i < branches.size(); ++i) {
        drawBranch(branches[i], firstA + pitch * double(i), int(i + 1));
        drawBranch(branches[i], lastB - pitch * double(i), int(i + 1));
    }

    // Voltages on the line in the states of the block.
    double ty = tableTop;
    const double tx = 40;
    const double cols[] = {tx, tx + 300, tx + 430, tx + 560, w - 40};
    sheet.text(QPointF(tx, ty), QStringLiteral("Napięcia na linii w kolejnych stanach blokady (kierunek od A do B):"),
               sheetFont(12, true), Qt::AlignLeft | Qt::AlignTop);
    ty += 22;
    const char *head[] = {"Stan blokady", "Przemienne", "Żyła 79", "Żyła 80"};
    p.setPen(QPen(Qt::black, 1));
    for (int r = 0; r <= nRows; ++r)
        p.drawLine(QPointF(cols[0], ty + r * rowH), QPointF(cols[4], ty + r * rowH));
    for (double c : cols)
        p.drawLine(QPointF(c, ty), QPointF(c, ty + nRows * rowH));
    for (int c = 0; c < 4; ++c)
        sheet.text(QPointF(cols[c] + 6, ty + rowH / 2), QString::fromUtf8(head[c]), sheetFont(11, true),
                   Qt::AlignLeft | Qt::AlignVCenter);
    for (int r = 0; r < nRows - 1; ++r) {
        const Row &row = rows[r];
        const char *cells[] = {row.state, row.ac, row.w79, row.w80};
        for (int c = 0; c < 4; ++c)
            sheet.text(QPointF(cols[c] + 6, ty + rowH * (r + 1.5)), QString::fromUtf8(cells[c]),
                       sheetFont(11), Qt::AlignLeft | Qt::AlignVCenter);
    }

    sheet.drawFooter(QStringLiteral("Arkusz 2 z 5"));
    return sheet.finish();
}

} // namespace

const std::vector<SchematicFile> &schematicFiles() {
    static const std::vector<SchematicFile> files = {
        {QStringLiteral("obwody.jpg"), QSize(757, 957), EnableReleaseTitle},
        {QStringLiteral("liniowy.jpg"), QSize(769, 812), QStringLiteral("OBWÓD LINIOWY BLOKADY")},
        {QStringLiteral("pulpit.jpg"), QSize(732, 876), QStringLiteral("OBWODY LAMPEK PULPITU")},
        {QStringLiteral("zpg.jpg"), QSize(721, 863), QStringLiteral("OBWÓD PRZEKAŹNIKA ZPG")},
        {QStringLiteral("blok - zwrot.jpg"), QSize(745, 1008), QStringLiteral("OBWÓD ZWROTU POZWOLENIA")},
    };
    return files;
}

QImage drawSchematic(const QString &fileName) {
    const auto &files = schematicFiles();
    if (fileName == files[0].fileName)
        return drawEnableRelease(files[0].size, QStringLiteral("Arkusz 1 z 5"));
    if (fileName == files[1].fileName)
        return drawLineCircuit(files[1].size);
    if (fileName == files[2].fileName)
        return drawDeskLamps(files[2].size);
    if (fileName == files[3].fileName)
        return drawZpg(files[3].size);
    if (fileName == files[4].fileName)
        return drawPermissionReturn(files[4].size);
    return {};
}

QImage drawStoredCircuit() {
    QImage sheet = drawEnableRelease(QSize(StoredCircuitWidth, StoredCircuitHeight),
                                     QStringLiteral("Arkusz 1 z 5 (wzór)"));
    // A black-and-white drawing with smoothed edges: its pixels are all
    // greys, so a palette of the 256 greys keeps it exactly.
    QList<QRgb> greys;
    for (int i = 0; i < 256; ++i)
        greys.append(qRgb(i, i, i));
    return sheet.convertToFormat(QImage::Format_Indexed8, greys, Qt::ThresholdDither);
}

} // namespace kyt::picgen
