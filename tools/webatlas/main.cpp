// kyt-webatlas OUT_DIR [STEPS]: the desk's pictures and layout for the
// browser page, drawn by the program's own simulator window off screen.
//
// It builds the simulator window, writes the place, parent chain and
// creation order of every desk control, then plays the window's session
// through seeded random presses and waits, and after each step keeps one
// picture of the desk under each control for every set of values the
// control has shown (atlas.png, indexed in atlas.json by those values), and
// the desk as first shown (desk.png). The page shows the desk with these
// pictures alone.
#include "App.h"
#include "Controls.h"
#include "DeskModel.h"
#include "Replay.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "Trainer.h"
#include "Windows.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenuBar>
#include <QPainter>

#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The values of a control as the page keys them: each property's value as
// JavaScript's String() writes it, joined by '|'.
std::string valueKey(const kyt::DeskModel& desk, const std::string& control)
{
    std::string key;
    for (const std::string& p : kyt::DeskModel::propertyNames(desk.kind(control))) {
        if (!key.empty())
            key += '|';
        const kyt::PropertyValue v = desk.get(control, p);
        if (const bool* b = std::get_if<bool>(&v))
            key += *b ? "true" : "false";
        else if (const std::int64_t* n = std::get_if<std::int64_t>(&v))
            key += std::to_string(*n);
        else
            key += std::get<std::string>(v);
    }
    return key;
}

struct Picture {
    QString control;
    QString key;
    QRect rect; // on the desk
    QImage image;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: kyt-webatlas OUT_DIR [STEPS]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kyt::App app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const int steps = argc == 3 ? std::atoi(argv[2]) : 3000;
    // An error box would wait for a click nobody makes: errors are counted.
    int errors = 0;
    kyt::setReporter([&](const QString&) { ++errors; });
    app.windows().create();
    kyt::SimulatorWindow* w = app.windows().simulatorWindow();
    if (!w)
        return 1;
    w->showSimulator();
    w->showNormal();
    w->resize(kyt::SimulatorWindow::kDeskWidth + 16,
        kyt::SimulatorWindow::kDeskHeight + 16 + w->menuBar()->sizeHint().height());
    app.processEvents();
    QWidget* desk = w->desk();
    const QSize deskSize(kyt::SimulatorWindow::kDeskWidth, kyt::SimulatorWindow::kDeskHeight);

    // The layout: every control in creation order.
    QJsonArray controls;
    for (QWidget* c : w->controls().inOrder()) {
        QJsonObject o;
        o[QStringLiteral("name")] = c->objectName();
        o[QStringLiteral("class")] = QString::fromLatin1(c->metaObject()->className());
        const QPoint at = c->mapTo(desk, QPoint(0, 0));
        o[QStringLiteral("rect")] = QJsonArray {at.x(), at.y(), c->width(), c->height()};
        QJsonArray chain;
        for (QWidget* p = c->parentWidget(); p && p != desk; p = p->parentWidget())
            chain.append(p->objectName());
        o[QStringLiteral("parents")] = chain;
        controls.append(o);
    }

    kyt::Simulator& sim = w->sim();
    kyt::Trainer trainer(sim);
    const kyt::DeskModel& model = sim.desk();
    std::map<std::string, std::size_t> seen;
    std::vector<Picture> pictures;
    auto record = [&] {
        for (const std::string& name : model.controlNames()) {
            const kyt::ControlKind kind = model.kind(name);
            if (kind == kyt::ControlKind::Timer || kind == kyt::ControlKind::Memo)
                continue;
            QWidget* c = w->control(QString::fromStdString(name));
            if (!c)
                continue;
            const std::string key = valueKey(model, name);
            if (seen.count(name + '#' + key))
                continue;
            const QRect rect(c->mapTo(desk, QPoint(0, 0)), c->size());
            seen[name + '#' + key] = pictures.size();
            pictures.push_back({QString::fromStdString(name), QString::fromStdString(key), rect,
                desk->grab(rect).toImage().convertToFormat(QImage::Format_RGB32)});
        }
    };
    const QImage background = desk->grab(QRect(QPoint(0, 0), deskSize)).toImage();
    auto play = [&](const std::string& line) {
        std::istringstream in(line + '\n');
        std::ostringstream sink;
        kyt::replay::run(in, sink, sink, trainer);
        record();
    };
    record();
    play("FormActivate");
    std::vector<std::string> presses;
    for (const kyt::PressableControl& p : kyt::pressableControls())
        if (!p.windowOnly)
            presses.emplace_back(p.handler);
    std::mt19937 random(20240601);
    for (int i = 0; i < steps; ++i) {
        const unsigned r = random() % 100;
        if (r < 70)
            play(presses[random() % presses.size()]);
        else
            play("wait " + std::to_string(random() % 4000));
    }

    // The atlas: the pictures on shelves 1024 pixels wide.
    int x = 0, y = 0, shelf = 0;
    std::vector<QPoint> places;
    for (const Picture& p : pictures) {
        if (x + p.rect.width() > 1024) {
            x = 0;
            y += shelf;
            shelf = 0;
        }
        places.push_back({x, y});
        x += p.rect.width();
        shelf = std::max(shelf, p.rect.height());
    }
    QImage atlas(1024, y + shelf, QImage::Format_RGB32);
    atlas.fill(Qt::black);
    QJsonArray entries;
    {
        QPainter painter(&atlas);
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const Picture& p = pictures[i];
            painter.drawImage(places[i], p.image);
            entries.append(QJsonObject {{QStringLiteral("control"), p.control},
                {QStringLiteral("key"), p.key},
                {QStringLiteral("at"), QJsonArray {p.rect.x(), p.rect.y()}},
                {QStringLiteral("from"),
                    QJsonArray {places[i].x(), places[i].y(), p.rect.width(), p.rect.height()}}});
        }
    }
    QJsonObject doc {{QStringLiteral("width"), deskSize.width()},
        {QStringLiteral("height"), deskSize.height()}, {QStringLiteral("controls"), controls},
        {QStringLiteral("pictures"), entries}};
    QFile json(out.filePath(QStringLiteral("atlas.json")));
    const bool ok = json.open(QIODevice::WriteOnly)
        && json.write(QJsonDocument(doc).toJson(QJsonDocument::Compact)) > 0
        && atlas.save(out.filePath(QStringLiteral("atlas.png")))
        && background.convertToFormat(QImage::Format_RGB32)
               .save(out.filePath(QStringLiteral("desk.png")));
    std::printf("%zu pictures, atlas 1024 x %d, %d errors reported\n", pictures.size(),
        atlas.height(), errors);
    app.windows().destroy();
    return ok ? 0 : 1;
}
