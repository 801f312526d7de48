// kyt-webatlas OUT_DIR [STEPS] [--seed N] [--states N] [--all-pointer-looks]:
// the desk's pictures and layout for the browser page, drawn by the program's own controls off
// screen, checked against the desktop desk.
//
// It writes atlas.json and atlas.png. Every widget under the desk is a node,
// listed parent first, siblings in their stacking order (children order).
// Each node has one picture per look it can show: the widget drawn ALONE
// (without its child nodes), transparent where it does not paint, opaque
// elsewhere (alpha only 0 or 255), with the widget's rect for that look
// (captions size some labels to their text). The pictures are drawn by a
// second simulator window (the studio) whose desk values are set, through
// its model, to every value the core can give each control; the values
// come from the core's own finite domains (lamp colours, relay looks,
// section colours), from the texts the core publishes, and from a breadth
// first walk over the core's states (what a walk finds beyond the listed
// domains is added, so no value of the walk lacks a picture).
//
// Look keys, computed from the core's desk properties and the pointer:
//   Led            "lit:<TrueColor decimal>" while Value is set and the blink
//                  shows the lit frame, else "unlit"
//   RelayIndicator the Look ("wzb", "odzw", "wzbb")
//   shape          the section's Color in decimal
//   np, ns1, ns2   "caption:<Caption>"
//   pst            "caption:<Caption>|up", "caption:<Caption>|down"
//   buttons        "up", "down" (HemisphereButton, ArrowButton, pdalej,
//                  ShadowButton)
//   SpotLabel      "" and "spot" (under the pointer)
//   the rest       "" (panels, static labels, pictures, the narration box
//                  drawn without its text, counters without their digits)
// Counters: "digits"[place][digit], place 0 the leftmost of the four; every
// digit picture is as large as the counter and drawn at its rect; a count
// of more than four digits shows its last four.
// Input: "input" names how the control takes the pointer ("hemisphere",
// "arrow", "gradient", "shadow": pressed while held, "down" look; "spot":
// "spot" look under the pointer; "none"); "hit" is null, "rect" (a press
// anywhere on the control counts) or a mask picture, opaque where a press
// counts (the control's own hit test: the hemisphere's face, the arrow's
// triangle). "class" is the class as the desk's table names it. The line
// below the desk that tells why a press was refused lies outside the desk
// and is no node.
//
// Composing the desk (what the page does, and what this tool checks):
//   1. fill with "background" (the desk widget's own fill, 768 x 521);
//   2. for every node in the list's order: skip it when it or an ancestor
//      is not visible (the core's Visible where the control has one, else
//      "visible" as built); else draw the picture of its present look at
//      the look's rect, clipped to the intersection of that rect and the
//      clip of its parent (the parent's present look rect, clipped in turn
//      by its own parent, up to the desk); for a counter then draw, with the
//      same clip and at the same rect, digits[place][digit] of its Value
//      (shown with leading zeros) for each of the four places.
//   Drawing is a plain source-over copy: opaque pixels replace, transparent
//   pixels leave what is below.
// The tool composes the desk so for the state as first shown and after every
// step of a seeded random play (presses and waits through the window's
// trainer) and compares each with the desktop desk's own picture, pixel for
// pixel, leaving out the narration box's rect while it is shown; lamps are
// composed with the frame the desktop lamp shows (no event loop runs, so a
// blinking lamp keeps the frame its last setter left). Every 25 steps each
// shown control with pointer looks is put into each of them in turn (held
// pressed, or under the pointer) and the desk compared again. It also checks
// every counter value against the counter's own drawing, and reads the
// written PNG back (no gAMA, cHRM, iCCP or sRGB chunk; alpha only 0 or 255;
// the pixels written). Any difference fails the tool, and so the build.
#include "App.h"
#include "ArrowButton.h"
#include "Controls.h"
#include "DeskModel.h"
#include "DigitCounter.h"
#include "Dispatch.h"
#include "Explorer.h"
#include "GradientButton.h"
#include "HemisphereButton.h"
#include "Led.h"
#include "Replay.h"
#include "ShadowButton.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "SpotLabel.h"
#include "Stations.h"
#include "TrafficTexts.h"
#include "Trainer.h"
#include "Windows.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

using kyt::ControlKind;

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "kyt-webatlas: %s\n", qPrintable(what));
    std::exit(1);
}

// The pictures, each kept once.
class Pictures {
public:
    // Adds a picture; partly transparent pixels are a fault of the caller.
    int add(const QImage& source, const QString& what)
    {
        QImage img = source.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < img.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const int a = qAlpha(line[x]);
                if (a == 0)
                    line[x] = 0;
                else if (a != 255)
                    fail(QStringLiteral("%1 paints a partly transparent pixel at %2,%3")
                             .arg(what)
                             .arg(x)
                             .arg(y));
            }
        }
        QCryptographicHash h(QCryptographicHash::Sha1);
        h.addData(QByteArray::number(img.width()) + 'x' + QByteArray::number(img.height()));
        for (int y = 0; y < img.height(); ++y)
            h.addData(QByteArrayView(
                reinterpret_cast<const char*>(img.constScanLine(y)), img.width() * 4));
        const QByteArray key = h.result();
        if (auto it = index_.find(key); it != index_.end())
            return it->second;
        index_[key] = int(images_.size());
        images_.push_back(img);
        return int(images_.size()) - 1;
    }
    const QImage& operator[](int i) const { return images_[std::size_t(i)]; }
    std::size_t size() const { return images_.size(); }
    const std::vector<QImage>& all() const { return images_; }

private:
    std::map<QByteArray, int> index_;
    std::vector<QImage> images_;
};

struct Look {
    int picture = -1;
    QRect rect; // desk coordinates
};

struct Node {
    QWidget* widget = nullptr; // in the checked window
    QWidget* studio = nullptr; // the same control in the studio window
    QString name, cls;
    int parent = -1;
    QRect rect;
    std::string control; // the core's control, or empty
    ControlKind kind = ControlKind::Shown;
    bool visible = true;
    bool withChildren = false; // its children belong to it (the narration box)
    std::map<QString, Look> looks;
    QString look;
    QString handler;
    QString input = QStringLiteral("none");
    QJsonValue hit;
    int blink = 0;
    std::vector<std::array<int, 10>> digits;
};

// The widget alone: its own painting without the children that are nodes.
QImage drawAlone(QWidget* w, bool withChildren)
{
    QImage img(w->size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QWidget::RenderFlags flags;
    if (w->autoFillBackground())
        flags |= QWidget::DrawWindowBackground;
    if (withChildren)
        flags |= QWidget::DrawChildren;
    w->render(&img, QPoint(), QRegion(), flags);
    return img;
}

QRect deskRect(QWidget* w, QWidget* desk)
{
    return QRect(w->mapTo(desk, QPoint(0, 0)), w->size());
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint at)
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// A state of the pointer over a control: the look key's part for it, and
// how the control is put into it (true) and out of it again (false), by the
// control's own mouse handling where it has one.
using PointerState = std::pair<QString, std::function<void(bool)>>;

QString withPointer(const QString& base, const QString& pointer)
{
    if (pointer.isEmpty())
        return base;
    return base.isEmpty() ? pointer : base + QLatin1Char('|') + pointer;
}

// The widget's pixels where test holds: opaque white there, transparent
// elsewhere.
QImage hitMask(QWidget* w, const std::function<bool(QPoint)>& test)
{
    QImage mask(w->size(), QImage::Format_ARGB32);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            mask.setPixel(x, y, test(QPoint(x, y)) ? 0xFFFFFFFFu : 0u);
    return mask;
}

std::vector<PointerState> pointerStates(QWidget* s)
{
    const auto none = [](bool) {};
    // A press at `at`, then a release far outside, which clicks nothing.
    const auto pressAt = [s](QPoint at) {
        return [s, at](bool on) {
            sendMouse(s, on ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease,
                on ? at : QPoint(-1000, -1000));
        };
    };
    if (auto* h = qobject_cast<kyt::HemisphereButton*>(s))
        return {{QStringLiteral("up"), none},
            {QStringLiteral("down"), [h](bool on) { h->setPressed(on); }}};
    if (auto* a = qobject_cast<kyt::ArrowButton*>(s)) {
        drawAlone(s, false); // the triangle to hit is set by the painting
        for (int y = 0; y < s->height(); ++y)
            for (int x = 0; x < s->width(); ++x)
                if (a->HitTest(QPoint(x, y)))
                    return {{QStringLiteral("up"), none},
                        {QStringLiteral("down"), pressAt(QPoint(x, y))}};
        fail(s->objectName() + QStringLiteral(" has no hit area"));
    }
    if (qobject_cast<kyt::GradientButton*>(s) || qobject_cast<kyt::ShadowButton*>(s))
        return {{QStringLiteral("up"), none},
            {QStringLiteral("down"), pressAt(QPoint(s->width() / 2, s->height() / 2))}};
    if (qobject_cast<kyt::SpotLabel*>(s))
        return {{QString(), none}, {QStringLiteral("spot"), [s](bool on) {
                                        if (on) {
                                            QEnterEvent e(
                                                QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
                                            QCoreApplication::sendEvent(s, &e);
                                        } else {
                                            QEvent e(QEvent::Leave);
                                            QCoreApplication::sendEvent(s, &e);
                                        }
                                    }}};
    return {{QString(), none}};
}

std::string colorText(std::int64_t c)
{
    return std::to_string(c);
}

// The values a walk over the core's states gives each property.
using Values = std::map<std::string, std::set<std::string>>; // "control/property" -> values

std::string valueText(const kyt::PropertyValue& v)
{
    if (const bool* b = std::get_if<bool>(&v))
        return *b ? "true" : "false";
    if (const std::int64_t* n = std::get_if<std::int64_t>(&v))
        return std::to_string(*n);
    return std::get<std::string>(v);
}

void collect(const kyt::DeskModel& desk, Values& into)
{
    for (const std::string& name : desk.controlNames()) {
        const ControlKind k = desk.kind(name);
        if (k == ControlKind::Memo || k == ControlKind::Timer || k == ControlKind::Counter)
            continue;
        for (const std::string& p : kyt::DeskModel::propertyNames(k))
            into[name + '/' + p].insert(valueText(desk.get(name, p)));
    }
}

// Breadth first over the core's states from the first activation, every
// click and the 500 ms clock step, up to maxStates states.
std::size_t walk(std::size_t maxStates, Values& into)
{
    kyt::Simulator sim;
    sim.call("FormActivate");
    std::vector<std::string> ignored;
    for (const std::string& name : sim.desk().controlNames())
        if (sim.desk().kind(name) == ControlKind::Memo)
            ignored.push_back(name);
    kyt::explore::StateCodec codec(sim, ignored);
    std::vector<std::string> events;
    for (const kyt::HandlerEntry& e : kyt::handlerTable())
        if (e.name.size() > 5 && e.name.substr(e.name.size() - 5) == "Click")
            events.emplace_back(e.name);
    std::unordered_set<std::string> seen;
    std::deque<std::string> todo;
    const std::string first = codec.encode(sim.snapshot());
    seen.insert(first);
    todo.push_back(first);
    collect(sim.desk(), into);
    while (!todo.empty()) {
        const kyt::Simulator::Snapshot before = codec.decode(todo.front());
        todo.pop_front();
        for (std::size_t e = 0; e <= events.size(); ++e) {
            sim.restore(before);
            if (e < events.size()) {
                if (!sim.accepts(events[e]))
                    continue;
                sim.call(events[e]);
            } else {
                sim.clock().advance(500);
            }
            collect(sim.desk(), into);
            std::string key = codec.encode(sim.snapshot());
            if (seen.size() < maxStates && seen.insert(key).second)
                todo.push_back(std::move(key));
        }
    }
    return seen.size();
}

// PNG chunks that change colours in a browser; the atlas has none.
const char* const kColourChunks[] = {"gAMA", "cHRM", "iCCP", "sRGB"};

QByteArray stripColourChunks(const QByteArray& png)
{
    QByteArray out = png.left(8);
    int at = 8;
    while (at + 12 <= png.size()) {
        const quint32 len = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArray type = png.mid(at + 4, 4);
        const int whole = 12 + int(len);
        bool drop = false;
        for (const char* c : kColourChunks)
            drop = drop || type == c;
        if (!drop)
            out += png.mid(at, whole);
        at += whole;
    }
    return out;
}

QStringList colourChunks(const QByteArray& png)
{
    QStringList found;
    int at = 8;
    while (at + 12 <= png.size()) {
        const quint32 len = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArray type = png.mid(at + 4, 4);
        for (const char* c : kColourChunks)
            if (type == c)
                found << QString::fromLatin1(type);
        at += 12 + int(len);
    }
    return found;
}

int firstDifference(const QImage& a, const QImage& b, const QRect& skip, QPoint* where)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        if (std::equal(la, la + a.width(), lb))
            continue;
        for (int x = 0; x < a.width(); ++x)
            if (la[x] != lb[x] && !skip.contains(x, y) && count++ == 0 && where)
                *where = {x, y};
    }
    return count;
}

kyt::SimulatorWindow* showWindow(kyt::SimulatorWindow* w)
{
    w->showSimulator();
    w->showNormal();
    w->resize(kyt::SimulatorWindow::kDeskWidth + 16,
        kyt::SimulatorWindow::kDeskHeight + 16 + w->menuBar()->sizeHint().height());
    QCoreApplication::processEvents();
    return w;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kyt::App app(argc, argv);
    QStringList args = app.arguments().mid(1);
    unsigned seed = 20240601;
    std::size_t maxStates = 5000;
    // The tests ask that every pointer look was seen on the desk and checked.
    const bool everyPointerLook = args.removeAll(QStringLiteral("--all-pointer-looks")) > 0;
    for (int i = 0; i + 1 < args.size();) {
        if (args[i] == QLatin1String("--seed")) {
            seed = args[i + 1].toUInt();
            args.remove(i, 2);
        } else if (args[i] == QLatin1String("--states")) {
            maxStates = args[i + 1].toULongLong();
            args.remove(i, 2);
        } else {
            ++i;
        }
    }
    if (args.isEmpty() || args.size() > 2) {
        std::fprintf(stderr,
            "usage: kyt-webatlas OUT_DIR [STEPS] [--seed N] [--states N] "
            "[--all-pointer-looks]\n");
        return 2;
    }
    const QDir out(args[0]);
    if (!out.mkpath(QStringLiteral(".")))
        fail(QStringLiteral("cannot make %1").arg(args[0]));
    const int steps = args.size() == 2 ? args[1].toInt() : 3000;
    QElapsedTimer clock;
    clock.start();

    // An error box would wait for a click nobody makes: errors are counted.
    int errors = 0;
    kyt::setReporter([&](const QString& e) {
        ++errors;
        std::fprintf(stderr, "reported: %s\n", qPrintable(e));
    });
    app.windows().create();
    kyt::SimulatorWindow* w = app.windows().simulatorWindow();
    if (!w)
        fail(QStringLiteral("no simulator window"));
    showWindow(w);
    auto* studioWindow = new kyt::SimulatorWindow();
    showWindow(studioWindow);
    QWidget* desk = w->desk();
    QWidget* studioDesk = studioWindow->desk();
    const QSize deskSize(kyt::SimulatorWindow::kDeskWidth, kyt::SimulatorWindow::kDeskHeight);
    kyt::DeskModel& studio = studioWindow->sim().desk();
    const kyt::DeskModel& model = w->sim().desk();

    // The values each property can take.
    Values values;
    collect(model, values);
    QElapsedTimer walkClock;
    walkClock.start();
    const std::size_t walked = walk(maxStates, values);
    const qint64 walkMs = walkClock.elapsed();
    std::set<std::int64_t> lampColors = {kyt::kColorRed, kyt::kColorWhite};
    std::set<std::int64_t> sectionColors = {kyt::kColorRed, kyt::kColorWhite};
    for (const std::string& name : model.controlNames()) {
        const ControlKind k = model.kind(name);
        if (k == ControlKind::Lamp)
            lampColors.insert(model.lampColor(name));
        if (k == ControlKind::Section)
            sectionColors.insert(model.sectionColor(name));
    }
    for (const auto& [key, set] : values) {
        const std::string property = key.substr(key.find('/') + 1);
        const std::string name = key.substr(0, key.find('/'));
        if (model.kind(name) == ControlKind::Lamp && property == "TrueColor")
            for (const std::string& v : set)
                lampColors.insert(std::stoll(v));
        if (model.kind(name) == ControlKind::Section)
            for (const std::string& v : set)
                sectionColors.insert(std::stoll(v));
    }
    // Captions: the texts the core publishes, and what the walk met.
    std::map<std::string, std::set<std::string>> captions;
    for (const std::string& name : model.controlNames()) {
        const ControlKind k = model.kind(name);
        if (k != ControlKind::Label && k != ControlKind::TrainButton)
            continue;
        std::set<std::string>& c = captions[name];
        c = values[name + "/Caption"];
        if (k == ControlKind::TrainButton) {
            c.insert(kyt::text::kCaptionTrainStop);
            c.insert(kyt::text::kCaptionTrainGo);
        }
    }
    for (const char* t : {kyt::text::kWire79Shorted, kyt::text::kWire79Off})
        captions[std::string(kyt::controlName(kyt::Control::ns1))].insert(t);
    for (const char* t : {kyt::text::kWire80Shorted, kyt::text::kWire80Off})
        captions[std::string(kyt::controlName(kyt::Control::ns2))].insert(t);
    for (const kyt::StationDesc* s : {&kyt::stations::kA, &kyt::stations::kB})
        captions[std::string(kyt::controlName(kyt::Control::np))].insert(s->lineFrom);

    // Every shown control of the studio is shown, so that each draws.
    for (const std::string& name : studio.controlNames()) {
        const auto props = kyt::DeskModel::propertyNames(studio.kind(name));
        if (std::find(props.begin(), props.end(), "Visible") != props.end())
            studio.set(name, "Visible", true);
        if (studio.kind(name) == ControlKind::Memo)
            studio.set(name, "Text", std::string());
    }

    // The nodes, parent first, siblings in stacking order.
    std::map<QString, const kyt::layout::Row*> rows;
    for (const kyt::layout::Row& r : kyt::blokTable())
        rows[r.name] = &r;
    std::vector<Node> nodes;
    std::function<void(QWidget*, int)> visit = [&](QWidget* parent, int parentIndex) {
        for (QObject* o : parent->children()) {
            auto* c = qobject_cast<QWidget*>(o);
            if (!c || !rows.count(c->objectName()))
                continue;
            Node n;
            n.widget = c;
            n.studio = studioWindow->control(c->objectName());
            if (!n.studio)
                fail(QStringLiteral("the studio has no %1").arg(c->objectName()));
            n.name = c->objectName();
            n.cls = rows[n.name]->cls; // the class as the desk's table names it
            n.parent = parentIndex;
            n.rect = deskRect(c, desk);
            n.visible = c->isVisibleTo(c->parentWidget());
            n.handler = rows[n.name]->handler;
            const std::string name = n.name.toStdString();
            if (model.has(name)) {
                n.control = name;
                n.kind = model.kind(name);
            }
            n.withChildren = true;
            for (QObject* g : c->findChildren<QObject*>())
                if (auto* gw = qobject_cast<QWidget*>(g); gw && rows.count(gw->objectName()))
                    n.withChildren = false;
            nodes.push_back(n);
            visit(c, int(nodes.size()) - 1);
        }
    };
    visit(desk, -1);
    {
        // Every widget of the desk is a node or part of one.
        std::set<QWidget*> covered;
        for (const Node& n : nodes) {
            covered.insert(n.widget);
            if (n.withChildren)
                for (QWidget* g : n.widget->findChildren<QWidget*>())
                    covered.insert(g);
        }
        // The line below the desk (the window's refusals) lies outside it.
        for (QWidget* g : desk->findChildren<QWidget*>())
            if (!covered.count(g) && deskRect(g, desk).intersects(QRect(QPoint(0, 0), deskSize)))
                fail(QStringLiteral("the desk's widget %1 (%2) is no node")
                         .arg(g->objectName(), QString::fromLatin1(g->metaObject()->className())));
        if (nodes.size() != kyt::blokTable().size())
            fail(QStringLiteral("%1 nodes for %2 rows")
                     .arg(nodes.size())
                     .arg(kyt::blokTable().size()));
    }

    Pictures pictures;
    QImage backgroundImage(deskSize, QImage::Format_ARGB32_Premultiplied);
    backgroundImage.fill(Qt::transparent);
    studioDesk->render(&backgroundImage, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const int background = pictures.add(backgroundImage, QStringLiteral("the desk"));
    for (QRgb p : std::vector<QRgb>(reinterpret_cast<const QRgb*>(pictures[background].constBits()),
             reinterpret_cast<const QRgb*>(pictures[background].constBits())
                 + pictures[background].width() * pictures[background].height()))
        if (qAlpha(p) != 255)
            fail(QStringLiteral("the desk's fill is not opaque"));

    // The looks of every node, drawn in the studio.
    auto drawLook = [&](Node& n, const QString& key) {
        const QString what = n.name + QStringLiteral(" look \"") + key + QLatin1Char('"');
        n.looks[key] = {pictures.add(drawAlone(n.studio, n.withChildren), what),
            deskRect(n.studio, studioDesk)};
    };
    for (Node& n : nodes) {
        QWidget* s = n.studio;
        // The pointer's looks of the class, each drawn by the control itself.
        const std::vector<PointerState> pointer = pointerStates(s);
        if (auto* h = qobject_cast<kyt::HemisphereButton*>(s)) {
            n.input = QStringLiteral("hemisphere");
            n.hit = pictures.add(
                hitMask(s, [h](QPoint p) { return h->HitTest(p.x(), p.y()); }), n.name);
        } else if (auto* a = qobject_cast<kyt::ArrowButton*>(s)) {
            n.input = QStringLiteral("arrow");
            n.hit = pictures.add(hitMask(s, [a](QPoint p) { return a->HitTest(p); }), n.name);
        } else if (qobject_cast<kyt::GradientButton*>(s)) {
            n.input = QStringLiteral("gradient");
            n.hit = QStringLiteral("rect");
        } else if (qobject_cast<kyt::ShadowButton*>(s)) {
            n.input = QStringLiteral("shadow");
            n.hit = QStringLiteral("rect");
        } else if (qobject_cast<kyt::SpotLabel*>(s)) {
            n.input = QStringLiteral("spot");
            n.hit = QStringLiteral("rect");
        }
        if (!n.handler.isEmpty() && n.hit.isNull())
            n.hit = QStringLiteral("rect");
        auto drawPointerLooks = [&](const QString& base) {
            for (const auto& [suffix, set] : pointer) {
                set(true);
                drawLook(n, withPointer(base, suffix));
                set(false);
            }
        };
        const std::string& c = n.control;
        switch (n.control.empty() ? ControlKind::Shown : n.kind) {
        case ControlKind::Lamp: {
            auto* led = qobject_cast<kyt::Led*>(s);
            n.blink = led->interval();
            studio.set(c, "Blink", false);
            for (std::int64_t color : lampColors) {
                studio.set(c, "TrueColor", color);
                studio.set(c, "Value", true);
                if (led->currentFrame() != 0)
                    fail(n.name + QStringLiteral(" is not lit"));
                drawLook(n, QStringLiteral("lit:") + qs(colorText(color)));
                studio.set(c, "Value", false);
            }
            drawLook(n, QStringLiteral("unlit"));
            break;
        }
        case ControlKind::Indicator:
            for (kyt::Look l : {kyt::Look::wzb, kyt::Look::odzw, kyt::Look::wzbb}) {
                studio.set(c, "Look", std::string(kyt::lookName(l)));
                drawLook(n, qs(std::string(kyt::lookName(l))));
            }
            break;
        case ControlKind::Section:
            for (std::int64_t color : sectionColors) {
                studio.set(c, "Color", color);
                drawLook(n, qs(colorText(color)));
            }
            break;
        case ControlKind::Label:
        case ControlKind::TrainButton:
            for (const std::string& caption : captions[c]) {
                studio.set(c, "Caption", caption);
                drawPointerLooks(QStringLiteral("caption:") + qs(caption));
            }
            break;
        case ControlKind::Counter: {
            const QRect rect = deskRect(s, studioDesk);
            auto drawValue = [&](int v) {
                studio.set(c, "Value", std::int64_t(v));
                return drawAlone(s, false).convertToFormat(QImage::Format_ARGB32);
            };
            const QImage zero = drawValue(0);
            std::array<std::array<QImage, 10>, 4> cells;
            std::array<QRect, 4> boxes;
            for (int place = 0; place < 4; ++place) {
                const int unit = place == 0 ? 1000 : place == 1 ? 100 : place == 2 ? 10 : 1;
                for (int d = 0; d < 10; ++d) {
                    cells[place][d] = drawValue(d * unit);
                    for (int y = 0; y < zero.height(); ++y)
                        for (int x = 0; x < zero.width(); ++x)
                            if (cells[place][d].pixel(x, y) != zero.pixel(x, y))
                                boxes[place] |= QRect(x, y, 1, 1);
                }
                if (boxes[place].isEmpty())
                    fail(n.name + QStringLiteral(": no digit cell at place %1").arg(place));
            }
            QImage base = zero;
            for (const QRect& b : boxes)
                for (int y = b.top(); y <= b.bottom(); ++y)
                    for (int x = b.left(); x <= b.right(); ++x)
                        base.setPixel(x, y, 0);
            n.looks[QString()] = {pictures.add(base, n.name), rect};
            for (int place = 0; place < 4; ++place) {
                std::array<int, 10> ids {};
                for (int d = 0; d < 10; ++d) {
                    QImage cell(zero.size(), QImage::Format_ARGB32);
                    cell.fill(Qt::transparent);
                    QPainter p(&cell);
                    p.setCompositionMode(QPainter::CompositionMode_Source);
                    p.drawImage(boxes[place], cells[place][d], boxes[place]);
                    p.end();
                    ids[std::size_t(d)] = pictures.add(cell, n.name + QStringLiteral(" digit"));
                }
                n.digits.push_back(ids);
            }
            // Composing the cells gives the counter's own drawing for every value.
            std::vector<int> shown(10000);
            for (int v = 0; v < 10000; ++v)
                shown[std::size_t(v)] = v;
            // Larger counts show their last four digits.
            shown.insert(shown.end(), {10000, 12345, 99999, 123456});
            for (int v : shown) {
                QImage composed = pictures[n.looks[QString()].picture].copy();
                QPainter p(&composed);
                const int digitsOf[4] = {v / 1000 % 10, v / 100 % 10, v / 10 % 10, v % 10};
                for (int place = 0; place < 4; ++place)
                    p.drawImage(
                        0, 0, pictures[n.digits[std::size_t(place)][std::size_t(digitsOf[place])]]);
                p.end();
                const QImage own = drawValue(v).convertToFormat(QImage::Format_ARGB32);
                QImage ownClean = own;
                for (int y = 0; y < own.height(); ++y)
                    for (int x = 0; x < own.width(); ++x)
                        if (qAlpha(own.pixel(x, y)) == 0)
                            ownClean.setPixel(x, y, 0);
                if (composed != ownClean)
                    fail(QStringLiteral("%1: the digit cells do not give the counter's own "
                                        "drawing of %2")
                             .arg(n.name)
                             .arg(v));
            }
            break;
        }
        default: drawPointerLooks(QString()); break;
        }
        if (n.looks.empty())
            fail(n.name + QStringLiteral(" has no look"));
    }

    // The present look of a node of the checked window, as the page keys it.
    // The pointer's state of each node of the checked window, as its key part.
    std::vector<QString> pointerNow(nodes.size());
    std::vector<std::vector<PointerState>> pointerOf(nodes.size());
    std::size_t pointerLooks = 0;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        pointerOf[i] = pointerStates(nodes[i].widget);
        pointerNow[i] = pointerOf[i].front().first;
        pointerLooks += pointerOf[i].size() - 1;
    }
    auto lookOf = [&](const Node& n) -> QString {
        QString key;
        if (!n.control.empty()) {
            const std::string& c = n.control;
            switch (n.kind) {
            case ControlKind::Lamp:
                key = model.lampValue(c) && qobject_cast<kyt::Led*>(n.widget)->currentFrame() == 0
                    ? QStringLiteral("lit:") + qs(colorText(model.lampColor(c)))
                    : QStringLiteral("unlit");
                break;
            case ControlKind::Indicator: key = qs(valueText(model.get(c, "Look"))); break;
            case ControlKind::Section: key = qs(colorText(model.sectionColor(c))); break;
            case ControlKind::Label:
            case ControlKind::TrainButton:
                key = QStringLiteral("caption:") + qs(model.caption(c));
                break;
            default: break;
            }
        }
        return withPointer(key, pointerNow[std::size_t(&n - nodes.data())]);
    };
    auto shownNow = [&](const Node& n) {
        if (n.control.empty())
            return n.visible;
        const auto props = kyt::DeskModel::propertyNames(n.kind);
        if (std::find(props.begin(), props.end(), "Visible") != props.end())
            return std::get<bool>(model.get(n.control, "Visible"));
        return n.visible;
    };
    for (Node& n : nodes) {
        n.look = lookOf(n);
        if (!n.looks.count(n.look))
            fail(QStringLiteral("%1 has no picture for its look \"%2\" as built")
                     .arg(n.name, n.look));
    }

    // The desk composed from the pictures, as the page composes it.
    auto compose = [&](QStringList* missing) {
        QImage img = pictures[background].copy();
        QPainter p(&img);
        std::vector<QRect> clips(nodes.size());
        std::vector<char> drawn(nodes.size(), 0);
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const Node& n = nodes[i];
            if ((n.parent >= 0 && !drawn[std::size_t(n.parent)]) || !shownNow(n))
                continue;
            const QString key = lookOf(n);
            auto it = n.looks.find(key);
            if (it == n.looks.end()) {
                missing->append(n.name + QStringLiteral(" \"") + key + QLatin1Char('"'));
                continue;
            }
            drawn[i] = 1;
            clips[i] = it->second.rect
                & (n.parent >= 0 ? clips[std::size_t(n.parent)] : QRect(QPoint(0, 0), deskSize));
            p.setClipRect(clips[i]);
            p.drawImage(it->second.rect.topLeft(), pictures[it->second.picture]);
            if (!n.digits.empty()) {
                const int v = model.counterValue(n.control);
                const int digitsOf[4] = {v / 1000 % 10, v / 100 % 10, v / 10 % 10, v % 10};
                for (int place = 0; place < 4; ++place)
                    p.drawImage(it->second.rect.topLeft(),
                        pictures[n.digits[std::size_t(place)][std::size_t(digitsOf[place])]]);
            }
        }
        return img;
    };
    QRect memoRect;
    const Node* memo = nullptr;
    for (const Node& n : nodes)
        if (!n.control.empty() && n.kind == ControlKind::Memo)
            memo = &n;
    int compared = 0;
    auto check = [&](const QString& after) {
        QStringList missing;
        const QImage composed = compose(&missing);
        if (!missing.isEmpty())
            fail(QStringLiteral("after %1: no picture for %2")
                     .arg(after, missing.join(QStringLiteral(", "))));
        const QImage own = desk->grab(QRect(QPoint(0, 0), deskSize))
                               .toImage()
                               .convertToFormat(QImage::Format_ARGB32);
        const QRect skip = memo && shownNow(*memo) ? memo->rect : QRect();
        QPoint where;
        const int diff = firstDifference(composed, own, skip, &where);
        if (diff) {
            composed.save(out.filePath(QStringLiteral("composed-failed.png")));
            own.save(out.filePath(QStringLiteral("desk-failed.png")));
            fail(QStringLiteral("after %1: the composed desk differs from the desk in %2 pixels, "
                                "first at %3,%4")
                     .arg(after)
                     .arg(diff)
                     .arg(where.x())
                     .arg(where.y()));
        }
        ++compared;
    };

    // The random play, checked step by step.
    const qint64 drawn = clock.elapsed();
    kyt::Simulator& sim = w->sim();
    kyt::Trainer trainer(sim);
    // Each shown control in each state of the pointer, one at a time.
    std::set<QString> pointerChecked;
    auto checkPointer = [&](const std::string& after) {
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (pointerOf[i].size() < 2 || !nodes[i].widget->isVisibleTo(desk))
                continue;
            for (std::size_t k = 1; k < pointerOf[i].size(); ++k) {
                pointerOf[i][k].second(true);
                pointerNow[i] = pointerOf[i][k].first;
                pointerChecked.insert(nodes[i].name + QLatin1Char(' ') + pointerNow[i]);
                check(qs(after) + QStringLiteral(" with ") + nodes[i].name + QLatin1Char(' ')
                    + pointerNow[i]);
                pointerOf[i][k].second(false);
                pointerNow[i] = pointerOf[i].front().first;
            }
        }
    };
    check(QStringLiteral("the desk as first shown"));
    checkPointer("the desk as first shown");
    auto play = [&](const std::string& line) {
        std::istringstream in(line + '\n');
        std::ostringstream sink;
        kyt::replay::run(in, sink, sink, trainer);
        check(qs(line));
    };
    play("FormActivate");
    std::vector<std::string> presses;
    for (const kyt::PressableControl& p : kyt::pressableControls())
        if (!p.windowOnly)
            presses.emplace_back(p.handler);
    std::mt19937 random(seed);
    for (int i = 0; i < steps; ++i) {
        const unsigned r = random() % 100;
        if (r < 70)
            play(presses[random() % presses.size()]);
        else
            play("wait " + std::to_string(random() % 4000));
        if (i % 25 == 0)
            checkPointer("step " + std::to_string(i + 1));
    }

    // The atlas: the pictures on shelves 1024 pixels wide, tallest first.
    std::vector<int> order(pictures.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(),
        [&](int a, int b) { return pictures[a].height() > pictures[b].height(); });
    constexpr int kAtlasWidth = 1024;
    std::vector<QPoint> places(pictures.size());
    int x = 0, y = 0, shelf = 0;
    for (int i : order) {
        const QImage& img = pictures[i];
        if (x + img.width() > kAtlasWidth) {
            x = 0;
            y += shelf;
            shelf = 0;
        }
        places[std::size_t(i)] = {x, y};
        x += img.width();
        shelf = std::max(shelf, img.height());
    }
    QImage atlas(kAtlasWidth, y + shelf, QImage::Format_ARGB32);
    atlas.fill(0);
    {
        QPainter p(&atlas);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (std::size_t i = 0; i < pictures.size(); ++i)
            p.drawImage(places[i], pictures[int(i)]);
    }
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(atlas))
            fail(QStringLiteral("cannot write the atlas: %1").arg(writer.errorString()));
    }
    png = stripColourChunks(png);
    const QString pngPath = out.filePath(QStringLiteral("atlas.png"));
    {
        QFile f(pngPath);
        if (!f.open(QIODevice::WriteOnly) || f.write(png) != png.size())
            fail(QStringLiteral("cannot write %1").arg(pngPath));
    }
    {
        QFile f(pngPath);
        if (!f.open(QIODevice::ReadOnly))
            fail(QStringLiteral("cannot read %1 back").arg(pngPath));
        const QByteArray back = f.readAll();
        const QStringList chunks = colourChunks(back);
        if (!chunks.isEmpty())
            fail(QStringLiteral("atlas.png has the chunks %1").arg(chunks.join(QLatin1Char(' '))));
        QImage read = QImage::fromData(back, "png").convertToFormat(QImage::Format_ARGB32);
        if (read != atlas)
            fail(QStringLiteral("atlas.png reads back other pixels than were written"));
        for (int yy = 0; yy < read.height(); ++yy)
            for (int xx = 0; xx < read.width(); ++xx) {
                const int a = qAlpha(read.pixel(xx, yy));
                if (a != 0 && a != 255)
                    fail(QStringLiteral("atlas.png has alpha %1 at %2,%3").arg(a).arg(xx).arg(yy));
            }
    }

    auto rectJson = [](const QRect& r) { return QJsonArray {r.x(), r.y(), r.width(), r.height()}; };
    QJsonArray pictureList;
    for (std::size_t i = 0; i < pictures.size(); ++i)
        pictureList.append(QJsonArray {
            places[i].x(), places[i].y(), pictures[int(i)].width(), pictures[int(i)].height()});
    QJsonArray nodeList;
    for (const Node& n : nodes) {
        QJsonObject o;
        o[QStringLiteral("name")] = n.name;
        o[QStringLiteral("class")] = n.cls;
        o[QStringLiteral("parent")] = n.parent;
        o[QStringLiteral("rect")] = rectJson(n.rect);
        o[QStringLiteral("control")] = n.control.empty() ? QJsonValue() : QJsonValue(qs(n.control));
        o[QStringLiteral("visible")] = n.visible;
        QJsonObject looks;
        for (const auto& [key, look] : n.looks) {
            QJsonArray a {look.picture};
            for (const QJsonValue& v : rectJson(look.rect))
                a.append(v);
            looks[key] = a;
        }
        o[QStringLiteral("looks")] = looks;
        o[QStringLiteral("look")] = n.look;
        o[QStringLiteral("handler")] = n.handler.isEmpty() ? QJsonValue() : QJsonValue(n.handler);
        o[QStringLiteral("input")] = n.input;
        o[QStringLiteral("hit")] = n.hit;
        if (n.blink)
            o[QStringLiteral("blink")] = n.blink;
        if (!n.digits.empty()) {
            QJsonArray places;
            for (const auto& d : n.digits) {
                QJsonArray ids;
                for (int id : d)
                    ids.append(id);
                places.append(ids);
            }
            o[QStringLiteral("digits")] = places;
        }
        nodeList.append(o);
    }
    const QJsonObject doc {{QStringLiteral("width"), deskSize.width()},
        {QStringLiteral("height"), deskSize.height()}, {QStringLiteral("pictures"), pictureList},
        {QStringLiteral("background"), background}, {QStringLiteral("nodes"), nodeList}};
    QFile json(out.filePath(QStringLiteral("atlas.json")));
    if (!json.open(QIODevice::WriteOnly)
        || json.write(QJsonDocument(doc).toJson(QJsonDocument::Compact)) <= 0)
        fail(QStringLiteral("cannot write atlas.json"));
    std::printf("%zu nodes, %zu pictures, atlas %d x %d, atlas.png %lld bytes; %zu core states "
                "walked in %lld ms; %d desks compared (%zu of %zu pointer looks); %lld ms drawing, "
                "%lld ms in all; %d errors "
                "reported\n",
        nodes.size(), pictures.size(), atlas.width(), atlas.height(), qlonglong(png.size()), walked,
        qlonglong(walkMs), compared, pointerChecked.size(), pointerLooks, qlonglong(drawn),
        qlonglong(clock.elapsed()), errors);
    delete studioWindow;
    app.windows().destroy();
    if (everyPointerLook && pointerChecked.size() < pointerLooks) {
        std::fprintf(stderr, "only %zu of %zu pointer looks were checked on the desk\n",
            pointerChecked.size(), pointerLooks);
        return 1;
    }
    return 0;
}
