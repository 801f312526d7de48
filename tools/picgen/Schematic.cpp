#include "Schematic.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace kyt::picgen {

namespace {

constexpr double Margin = 14; // frame distance from the edge
constexpr double RailInset = 44; // "+" bar distance from the left edge
constexpr double GroupPad = 12; // lead-in and lead-out of a parallel group
constexpr double KeyRow = 24; // row of the symbol key
constexpr double NameRow = 14; // row of the name list
constexpr double TitleBlock = 26; // height of the title block

Elem make(Sym s, const QString& name)
{
    Elem e;
    e.sym = s;
    e.name = name;
    return e;
}

double symbolWidth(Sym s)
{
    switch (s) {
    case Sym::ContactNO:
    case Sym::ContactNC:
    case Sym::ButtonNO:
    case Sym::ButtonNC: return 58;
    case Sym::Coil:
    case Sym::PolarCoil: return 66;
    case Sym::Lamp: return 60;
    case Sym::Counter: return 70;
    case Sym::Capacitor:
    case Sym::Diode: return 42;
    case Sym::Resistor: return 52;
    case Sym::Battery: return 44;
    case Sym::Generator: return 52;
    }
    return 50;
}

QPen wirePen()
{
    return QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

bool Elem::isLoad() const
{
    return !isGroup()
        && (sym == Sym::Coil || sym == Sym::PolarCoil || sym == Sym::Lamp || sym == Sym::Counter);
}

Elem no(const QString& name)
{
    return make(Sym::ContactNO, name);
}
Elem nc(const QString& name)
{
    return make(Sym::ContactNC, name);
}
Elem button(const QString& name)
{
    return make(Sym::ButtonNO, name);
}
Elem buttonNC(const QString& name)
{
    return make(Sym::ButtonNC, name);
}
Elem coil(const QString& name)
{
    return make(Sym::Coil, name);
}
Elem polar(const QString& name)
{
    return make(Sym::PolarCoil, name);
}
Elem lamp(const QString& name)
{
    return make(Sym::Lamp, name);
}
Elem counter(const QString& name)
{
    return make(Sym::Counter, name);
}
Elem capacitor(const QString& name)
{
    return make(Sym::Capacitor, name);
}
Elem resistor(const QString& name)
{
    return make(Sym::Resistor, name);
}
Elem diode(const QString& name)
{
    return make(Sym::Diode, name);
}
Elem battery(const QString& name)
{
    return make(Sym::Battery, name);
}
Elem generator(const QString& name)
{
    return make(Sym::Generator, name);
}
Elem parallel(std::vector<std::vector<Elem>> branches)
{
    Elem e;
    e.branches = std::move(branches);
    return e;
}

QFont sheetFont(int pixelSize, bool bold, bool italic)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    // Grey edges only: the sheets are black on white.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return f;
}

double elemWidth(const Elem& e)
{
    if (!e.isGroup())
        return symbolWidth(e.sym);
    double widest = 0;
    for (const auto& b : e.branches)
        widest = std::max(widest, pathWidth(b));
    return widest + 2 * GroupPad;
}

double pathWidth(const std::vector<Elem>& path)
{
    double w = 0;
    for (const auto& e : path)
        w += elemWidth(e);
    return w;
}

int elemRows(const Elem& e)
{
    if (!e.isGroup())
        return 1;
    int rows = 0;
    for (const auto& b : e.branches)
        rows += pathRows(b);
    return rows;
}

int pathRows(const std::vector<Elem>& path)
{
    int rows = 1;
    for (const auto& e : path)
        rows = std::max(rows, elemRows(e));
    return rows;
}

void Key::addSymbol(Sym s)
{
    if (std::find(symbols.begin(), symbols.end(), s) == symbols.end())
        symbols.push_back(s);
}

void Key::addName(const QString& name)
{
    if (!name.isEmpty() && !names.contains(name))
        names.append(name);
}

void Key::add(const Elem& e)
{
    if (e.isGroup()) {
        for (const auto& b : e.branches)
            for (const auto& x : b)
                add(x);
        return;
    }
    addSymbol(e.sym);
    if (e.name.isEmpty())
        return;
    // A relay of the neighbouring station ("Poz′") is explained with its own
    // name; the sheet's note tells what the prime means.
    static const QString prime = QStringLiteral("′");
    if (e.name.endsWith(prime)) {
        Elem own = e;
        own.name.chop(prime.size());
        add(own);
        return;
    }
    if (e.sym == Sym::Lamp)
        addName(QStringLiteral("lampka ") + e.name);
    else if (e.sym == Sym::Counter)
        addName(QStringLiteral("licznik ") + e.name);
    else if (e.sym == Sym::ButtonNO || e.sym == Sym::ButtonNC) {
        // A button of the same name as its relay is explained with it.
        if (describeName(e.name).isEmpty())
            addName(QStringLiteral("przycisk ") + e.name);
    } else if (e.sym != Sym::Capacitor && e.sym != Sym::Resistor && e.sym != Sym::Diode
        && e.sym != Sym::Battery && e.sym != Sym::Generator)
        addName(e.name);
}

QString describeSymbol(Sym s)
{
    switch (s) {
    case Sym::ContactNO: return QStringLiteral("zestyk zwierny");
    case Sym::ContactNC: return QStringLiteral("zestyk rozwierny");
    case Sym::ButtonNO: return QStringLiteral("przycisk zwierny");
    case Sym::ButtonNC: return QStringLiteral("przycisk rozwierny");
    case Sym::Coil: return QStringLiteral("cewka przekaźnika");
    case Sym::PolarCoil: return QStringLiteral("przekaźnik spolaryzowany");
    case Sym::Lamp: return QStringLiteral("lampka pulpitu");
    case Sym::Counter: return QStringLiteral("licznik użyć");
    case Sym::Capacitor: return QStringLiteral("kondensator");
    case Sym::Resistor: return QStringLiteral("rezystor");
    case Sym::Diode: return QStringLiteral("prostownik");
    case Sym::Battery: return QStringLiteral("bateria (prąd stały)");
    case Sym::Generator: return QStringLiteral("źródło prądu przemiennego");
    }
    return {};
}

QString describeName(const QString& name)
{
    static const std::map<QString, QString> names = {
        {"Wbl", "przekaźnik i przycisk włączenia blokady"},
        {"Nc", "nadajnik prądu przemiennego na linię"},
        {"Ic", "odbiornik prądu przemiennego z linii"},
        {"Poz", "przekaźnik i przycisk oddania pozwolenia"},
        {"Op", "przekaźnik otrzymanego pozwolenia"},
        {"Dp", "przekaźnik gotowości do oddania pozwolenia"},
        {"Pwl", "przekaźnik pozwolenia na jeden wyjazd"},
        {"Zp", "przekaźnik końcowej fazy zwolnienia"},
        {"Lzs", "przekaźnik kierunku stacji, która dała pozwolenie"},
        {"Zwbl", "przekaźnik zwolnienia blokady"},
        {"ZPG", "przekaźnik przyjazdu pociągu w całości"},
        {"W", "przekaźnik wjazdu pociągu na stację"},
        {"Z", "przekaźnik zjazdu pociągu na tor stacyjny"},
        {"Iz1", "przekaźnik toru za semaforem wyjazdowym"},
        {"Iz2", "przekaźnik toru za semaforem wjazdowym"},
        {"Iz3", "przekaźnik ostatniego odcinka toru stacji"},
        {"S", "przekaźnik i przycisk semafora wyjazdowego"},
        {"Sw", "semafor wjazdowy – sygnał zezwalający"},
        {"Sz", "sygnał zastępczy na semaforze wjazdowym"},
        {"Pwy", "przekaźnik kontroli sygnału stacji sąsiedniej"},
        {"dKo", "przekaźnik i przycisk pomocniczy dKo"},
        {"Pm", "przekaźnik migowy (pulsator)"},
        {"przycisk Ko", "stwierdzenie końca pociągu"},
        {"przycisk dPo", "pomocniczy stan blokady po wyjeździe"},
        {"przycisk Sz", "sygnał zastępczy"},
        {"lampka WYJAZD", "strzałka wyjazdu (biała lub czerwona)"},
        {"lampka PRZYJAZD", "strzałka przyjazdu (biała lub czerwona)"},
        {"lampka Pwl", "czerwona: pozwolenie wykorzystane"},
        {"lampka Ko", "biała: pociąg przybył w całości"},
        {"lampka dKo", "biała: użyto dKo"},
        {"licznik dKo", "czterocyfrowy licznik użyć dKo"},
        {"licznik dPo", "czterocyfrowy licznik użyć dPo"},
        {"licznik Sz", "czterocyfrowy licznik użyć Sz"},
    };
    // "Poz′": a relay of the neighbouring station.
    static const QString prime = QStringLiteral("′");
    if (name.endsWith(prime)) {
        const QString own = describeName(name.chopped(prime.size()));
        return own.isEmpty() ? QString() : own + QStringLiteral(" (stacja sąsiednia)");
    }
    auto it = names.find(name);
    return it == names.end() ? QString() : it->second;
}

QStringList wrapText(const QString& text, const QFont& font, double width)
{
    QFontMetricsF fm(font);
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString tried = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && fm.horizontalAdvance(tried) > width) {
            lines.append(line);
            line = word;
        } else {
            line = tried;
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

Sheet::Sheet(int width, int height, const QString& title, const QString& subtitle)
    : m_image(width, height, QImage::Format_RGB32)
{
    m_image.fill(Qt::white);
    m_painter.begin(&m_image);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);

    m_painter.setPen(QPen(Qt::black, 2.5));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRectF(Margin, Margin, width - 2 * Margin, height - 2 * Margin));
    m_painter.setPen(QPen(Qt::black, 0.8));
    m_painter.drawRect(
        QRectF(Margin + 4, Margin + 4, width - 2 * Margin - 8, height - 2 * Margin - 8));

    double y = Margin + 12;
    QFont tf = sheetFont(18, true);
    text(QPointF(width / 2.0, y), title, tf, Qt::AlignHCenter | Qt::AlignTop);
    y += QFontMetricsF(tf).height() + 2;
    if (!subtitle.isEmpty()) {
        QFont sf = sheetFont(12, false, true);
        text(QPointF(width / 2.0, y), subtitle, sf, Qt::AlignHCenter | Qt::AlignTop);
        y += QFontMetricsF(sf).height() + 2;
    }
    y += 4;
    m_painter.setPen(QPen(Qt::black, 1.2));
    m_painter.drawLine(QPointF(Margin + 4, y), QPointF(width - Margin - 4, y));
    m_top = y + 6;
}

void Sheet::text(QPointF p, const QString& s, const QFont& font, int flags)
{
    m_painter.save();
    m_painter.resetTransform();
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    QFontMetricsF fm(font);
    double w = fm.horizontalAdvance(s);
    double h = fm.height();
    double x = p.x();
    if (flags & Qt::AlignHCenter)
        x -= w / 2;
    else if (flags & Qt::AlignRight)
        x -= w;
    double y = p.y();
    if (flags & Qt::AlignVCenter)
        y -= h / 2;
    else if (flags & Qt::AlignBottom)
        y -= h;
    m_painter.drawText(QRectF(x, y, w + 2, h), Qt::AlignLeft | Qt::AlignTop, s);
    m_painter.restore();
}

void Sheet::wire(QPointF a, QPointF b)
{
    m_painter.setPen(wirePen());
    m_painter.drawLine(a, b);
}

void Sheet::dot(QPointF p)
{
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Qt::black);
    m_painter.drawEllipse(p, 3.2, 3.2);
    m_painter.setBrush(Qt::NoBrush);
}

void Sheet::terminal(QPointF p, const QString& label)
{
    m_painter.setPen(QPen(Qt::black, 1.4));
    m_painter.setBrush(Qt::white);
    m_painter.drawEllipse(p, 9, 9);
    m_painter.setBrush(Qt::NoBrush);
    text(p, label, sheetFont(9, true), Qt::AlignHCenter | Qt::AlignVCenter);
}

// Draws a symbol centred on the origin of `at`, lying along its x axis over
// `len` pixels (the leads reach both ends). Texts stay upright whatever the
// direction of the symbol.
void Sheet::drawSymbol(Sym s, const QTransform& at, double len, const QString& name, bool vertical)
{
    QPainter& p = m_painter;
    p.save();
    p.setTransform(at);
    p.setPen(wirePen());
    p.setBrush(Qt::NoBrush);
    const double h = len / 2;
    auto leads = [&](double gap) {
        p.drawLine(QPointF(-h, 0), QPointF(-gap, 0));
        p.drawLine(QPointF(gap, 0), QPointF(h, 0));
    };
    auto upright = [&](QPointF local, const QString& s2, const QFont& f) {
        text(at.map(local), s2, f, Qt::AlignHCenter | Qt::AlignVCenter);
    };
    double labelReach = 12; // how far the symbol reaches across its axis
    switch (s) {
    case Sym::ContactNO:
    case Sym::ContactNC:
        leads(6);
        p.drawLine(QPointF(-6, -7), QPointF(-6, 7));
        p.drawLine(QPointF(6, -7), QPointF(6, 7));
        if (s == Sym::ContactNC)
            p.drawLine(QPointF(-10, 8), QPointF(10, -8));
        labelReach = 8;
        break;
    case Sym::ButtonNO:
    case Sym::ButtonNC: {
        leads(12);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(-12, 0), 2.2, 2.2);
        p.drawEllipse(QPointF(12, 0), 2.2, 2.2);
        p.setBrush(Qt::NoBrush);
        double bridge = s == Sym::ButtonNO ? -6 : 4;
        p.drawLine(QPointF(-15, bridge), QPointF(15, bridge));
        QPen dash = wirePen();
        dash.setStyle(Qt::DashLine);
        dash.setWidthF(1.1);
        p.setPen(dash);
        p.drawLine(QPointF(0, bridge), QPointF(0, -11));
        p.setPen(wirePen());
        p.drawLine(QPointF(-7, -11), QPointF(7, -11));
        p.drawLine(QPointF(-7, -11), QPointF(-7, -8));
        p.drawLine(QPointF(7, -11), QPointF(7, -8));
        labelReach = 11;
        break;
    }
    case Sym::Coil:
    case Sym::PolarCoil:
        leads(16);
        p.drawRect(QRectF(-16, -9, 32, 18));
        labelReach = 9;
        if (s == Sym::PolarCoil) {
            p.setBrush(Qt::black);
            QPolygonF tri;
            tri << QPointF(-14, -7) << QPointF(-4, -7) << QPointF(-14, 2);
            p.drawPolygon(tri);
            p.setBrush(Qt::NoBrush);
        }
        break;
    case Sym::Lamp: {
        leads(11);
        p.drawEllipse(QPointF(0, 0), 11, 11);
        double d = 11 / std::sqrt(2.0);
        p.drawLine(QPointF(-d, -d), QPointF(d, d));
        p.drawLine(QPointF(-d, d), QPointF(d, -d));
        break;
    }
    case Sym::Counter:
        leads(20);
        p.drawRect(QRectF(-20, -10, 40, 20));
        for (int i = 1; i < 4; ++i)
            p.drawLine(QPointF(-20 + 10 * i, -10), QPointF(-20 + 10 * i, -6));
        upright(QPointF(0, 2), QStringLiteral("0000"), sheetFont(9, true));
        break;
    case Sym::Capacitor:
        leads(4);
        p.setPen(QPen(Qt::black, 2.4));
        p.drawLine(QPointF(-4, -11), QPointF(-4, 11));
        p.drawLine(QPointF(4, -11), QPointF(4, 11));
        break;
    case Sym::Resistor:
        leads(14);
        p.drawRect(QRectF(-14, -6, 28, 12));
        labelReach = 8;
        break;
    case Sym::Diode: {
        leads(8);
        QPolygonF tri;
        tri << QPointF(-8, -9) << QPointF(-8, 9) << QPointF(7, 0);
        p.setBrush(Qt::black);
        p.drawPolygon(tri);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(8, -9), QPointF(8, 9));
        break;
    }
    case Sym::Battery: {
        leads(4);
        p.setPen(QPen(Qt::black, 1.6));
        p.drawLine(QPointF(-4, -13), QPointF(-4, 13));
        p.setPen(QPen(Qt::black, 4.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(4, -7), QPointF(4, 7));
        QFont f = sheetFont(10, true);
        upright(QPointF(-12, -12), QStringLiteral("+"), f);
        upright(QPointF(12, -12), QStringLiteral("−"), f);
        labelReach = 16;
        break;
    }
    case Sym::Generator:
        leads(14);
        p.drawEllipse(QPointF(0, 0), 14, 14);
        upright(QPointF(0, 0), QStringLiteral("~"), sheetFont(18, true));
        labelReach = 16;
        break;
    }
    p.restore();
    if (name.isEmpty())
        return;
    QFont lf = sheetFont(10, true);
    if (vertical) {
        QPointF c = at.map(QPointF(0, 0));
        text(QPointF(c.x() + labelReach + 5, c.y()), name, lf, Qt::AlignLeft | Qt::AlignVCenter);
    } else if (s == Sym::Coil || s == Sym::PolarCoil || s == Sym::Lamp || s == Sym::Counter) {
        // A load at the "-" bar: its name left of it, above the wire, so
        // that the rungs above and below keep clear of it.
        const double body = s == Sym::Lamp ? 11 : s == Sym::Counter ? 20 : 16;
        QPointF c = at.map(QPointF(0, 0));
        text(QPointF(c.x() - body - 4, c.y() - 2), name, lf, Qt::AlignRight | Qt::AlignBottom);
    } else {
        QPointF c = at.map(QPointF(0, 0));
        text(QPointF(c.x(), c.y() - labelReach - 2), name, lf, Qt::AlignHCenter | Qt::AlignBottom);
    }
}

void Sheet::drawElemAlong(const Elem& e, QPointF a, QPointF b)
{
    m_key.add(e);
    QPointF mid = (a + b) / 2;
    double dx = b.x() - a.x(), dy = b.y() - a.y();
    double len = std::hypot(dx, dy);
    double angle = std::atan2(dy, dx) * 180.0 / M_PI;
    bool vertical = std::abs(dx) < std::abs(dy);
    QTransform at;
    at.translate(mid.x(), mid.y());
    at.rotate(angle);
    drawSymbol(e.sym, at, len, e.name, vertical);
}

// Draws a path from x on the row y; returns the x where it ends.
double Sheet::drawPath(const std::vector<Elem>& path, double x, double y, double rowH)
{
    for (const auto& e : path) {
        double w = elemWidth(e);
        if (!e.isGroup()) {
            drawElemAlong(e, QPointF(x, y), QPointF(x + w, y));
        } else {
            double xl = x + GroupPad / 2, xr = x + w - GroupPad / 2;
            wire(QPointF(x, y), QPointF(xl, y));
            wire(QPointF(xr, y), QPointF(x + w, y));
            double by = y;
            double lastY = y;
            for (std::size_t i = 0; i < e.branches.size(); ++i) {
                const auto& br = e.branches[i];
                wire(QPointF(xl, by), QPointF(x + GroupPad, by));
                double end = drawPath(br, x + GroupPad, by, rowH);
                wire(QPointF(end, by), QPointF(xr, by));
                if (i > 0 && i + 1 < e.branches.size()) {
                    dot(QPointF(xl, by));
                    dot(QPointF(xr, by));
                }
                lastY = by;
                by += pathRows(br) * rowH;
            }
            wire(QPointF(xl, y), QPointF(xl, lastY));
            wire(QPointF(xr, y), QPointF(xr, lastY));
            dot(QPointF(xl, y));
            dot(QPointF(xr, y));
        }
        x += w;
    }
    return x;
}

double Sheet::drawLadder(const std::vector<Section>& sections, double y0, double y1, double maxRow)
{
    declare(sections);

    const double headH = 26;
    int rows = 0;
    for (const auto& sec : sections)
        for (const auto& r : sec.rungs)
            rows += pathRows(r.path);
    double rowH = std::min(maxRow, (y1 - y0 - headH * sections.size()) / std::max(rows, 1));
    const double left = RailInset + 14;
    const double right = width() - RailInset;

    QFont hf = sheetFont(13, true, true);
    QFont nf = sheetFont(10);
    double y = y0;
    for (const auto& sec : sections) {
        text(QPointF(Margin + 14, y + 4), sec.heading, hf, Qt::AlignLeft | Qt::AlignTop);
        y += headH;
        double railTop = y;
        text(QPointF(left, railTop + 2), QStringLiteral("+"), sheetFont(13, true),
            Qt::AlignRight | Qt::AlignTop);
        text(QPointF(right + 4, railTop + 2), QStringLiteral("−"), sheetFont(13, true),
            Qt::AlignLeft | Qt::AlignTop);
        for (const auto& r : sec.rungs) {
            // The wire low in its row, the labels above it.
            double ry = y + rowH - 9;
            text(QPointF(left - 8, ry), r.number, nf, Qt::AlignRight | Qt::AlignVCenter);
            // Contacts from the "+" bar, the load at the "-" bar.
            std::vector<Elem> head = r.path;
            std::vector<Elem> tail;
            if (!head.empty() && head.back().isLoad()) {
                tail.push_back(head.back());
                head.pop_back();
            }
            double x = drawPath(head, left + 10, ry, rowH);
            wire(QPointF(left, ry), QPointF(left + 10, ry));
            double tw = pathWidth(tail);
            double tx = right - 10 - tw;
            wire(QPointF(x, ry), QPointF(tx, ry));
            drawPath(tail, tx, ry, rowH);
            wire(QPointF(right - 10, ry), QPointF(right, ry));
            dot(QPointF(left, ry));
            dot(QPointF(right, ry));
            y += pathRows(r.path) * rowH;
        }
        m_painter.setPen(QPen(Qt::black, 3));
        m_painter.drawLine(QPointF(left, railTop + 4), QPointF(left, y));
        m_painter.drawLine(QPointF(right, railTop + 4), QPointF(right, y));
    }
    return y;
}

double Sheet::keyRowsHeight() const
{
    int symRows = int((m_key.symbols.size() + 2) / 3);
    int nameRows = int((m_key.names.size() + 1) / 2);
    return 22 + symRows * KeyRow + 22 + nameRows * NameRow + noteLines().size() * NameRow;
}

double Sheet::footerHeight() const
{
    return keyRowsHeight() + 10 + TitleBlock + Margin + 8;
}

void Sheet::declare(const std::vector<Section>& sections)
{
    for (const auto& sec : sections)
        for (const auto& r : sec.rungs)
            for (const auto& e : r.path)
                m_key.add(e);
}

void Sheet::drawFooter(const QString& sheetLabel)
{
    const double x0 = Margin + 14;
    const double inner = width() - 2 * Margin - 28;
    double y = height() - footerHeight();
    m_painter.setPen(QPen(Qt::black, 1.2));
    m_painter.drawLine(QPointF(Margin + 4, y), QPointF(width() - Margin - 4, y));

    QFont hf = sheetFont(11, true);
    QFont f = sheetFont(11);
    text(QPointF(x0, y + 4), QStringLiteral("Oznaczenia:"), hf, Qt::AlignLeft | Qt::AlignTop);
    y += 22;
    const double col = inner / 3;
    for (std::size_t i = 0; i < m_key.symbols.size(); ++i) {
        double cx = x0 + col * double(i % 3);
        double cy = y + KeyRow * double(i / 3) + KeyRow / 2;
        QTransform at;
        at.translate(cx + 26, cy);
        drawSymbol(m_key.symbols[i], at, 48, {}, false);
        text(QPointF(cx + 58, cy), describeSymbol(m_key.symbols[i]), f,
            Qt::AlignLeft | Qt::AlignVCenter);
    }
    y += KeyRow * double((m_key.symbols.size() + 2) / 3);

    text(QPointF(x0, y + 4), QStringLiteral("Przekaźniki, przyciski i lampki:"), hf,
        Qt::AlignLeft | Qt::AlignTop);
    y += 22;
    const int half = int((m_key.names.size() + 1) / 2);
    QFontMetricsF fm(f);
    for (int i = 0; i < m_key.names.size(); ++i) {
        const QString& n = m_key.names[i];
        QString line = n + QStringLiteral(" – ") + describeName(n);
        line = fm.elidedText(line, Qt::ElideRight, inner / 2 - 8);
        double cx = x0 + (i < half ? 0 : inner / 2);
        double cy = y + NameRow * (i < half ? i : i - half);
        text(QPointF(cx, cy), line, f, Qt::AlignLeft | Qt::AlignTop);
    }
    y += NameRow * half;
    for (const auto& n : noteLines()) {
        text(QPointF(x0, y), n, f, Qt::AlignLeft | Qt::AlignTop);
        y += NameRow;
    }

    y += 10;
    QRectF block(Margin + 4, y, width() - 2 * Margin - 8, TitleBlock);
    m_painter.setPen(QPen(Qt::black, 1.2));
    m_painter.drawRect(block);
    double split = block.right() - 170;
    m_painter.drawLine(QPointF(split, block.top()), QPointF(split, block.bottom()));
    text(QPointF(block.left() + 10, block.center().y()),
        QStringLiteral("Blokada liniowa Kyt – schemat poglądowy (uproszczony)"),
        sheetFont(11, true), Qt::AlignLeft | Qt::AlignVCenter);
    text(QPointF((split + block.right()) / 2, block.center().y()), sheetLabel, sheetFont(11, true),
        Qt::AlignHCenter | Qt::AlignVCenter);
}

QStringList Sheet::noteLines() const
{
    QStringList lines;
    for (const QString& n : m_notes)
        lines += wrapText(n, sheetFont(11), width() - 2 * Margin - 28);
    return lines;
}

QImage Sheet::finish()
{
    if (m_painter.isActive())
        m_painter.end();
    return m_image;
}

} // namespace kyt::picgen
