// kyt-webwindows OUT_DIR: the program's windows other than the desk, drawn
// by the program itself off screen for the browser page.
//
// It writes the pictures of the windows whose content is a picture (the
// start window with each look of its two buttons, the about box with its
// "OK" button up and down, the poster behind "SZLAK") as PNG files, and
// windows.json: their captions, sizes and the places of their buttons, the
// simulator window's menus "Schematy" and "INFORMACJE" with the window each
// item shows (found by triggering the item), the five schematic windows
// with their picture files, picture places and menus, and the description
// window's text. The pictures carry no colour-space chunk and no alpha.
#include "AboutBox.h"
#include "App.h"
#include "DescriptionWindow.h"
#include "PosterWindow.h"
#include "SchematicWindow.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "Windows.h"

#include <QAbstractButton>
#include <QColorSpace>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

QDir out;
bool failed = false;

// A picture as the page shows it: opaque, without a colour space, so that
// the browser draws the pixels as they are.
QString save(const QImage& picture, const QString& name)
{
    QImage image = picture.convertToFormat(QImage::Format_RGB32);
    image.setColorSpace(QColorSpace());
    if (!image.save(out.filePath(name), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(name)));
        failed = true;
    }
    return name;
}

QJsonArray rectOf(const QWidget* w, const QWidget* in)
{
    const QPoint at = w->mapTo(in, QPoint(0, 0));
    return {at.x(), at.y(), w->width(), w->height()};
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// A window drawn as built.
template <typename W>
QImage drawn(W& w)
{
    w.show();
    settle();
    return w.grab().toImage();
}

// A window as the page shows it: its caption, its size and its picture as
// built, written as FILE.
QJsonObject pictureWindow(QWidget& w, const QString& file)
{
    QJsonObject o;
    o[QStringLiteral("title")] = w.windowTitle();
    o[QStringLiteral("size")] = QJsonArray {w.width(), w.height()};
    o[QStringLiteral("picture")] = save(drawn(w), file);
    return o;
}

// The start window and the three looks of each button: the pointer
// elsewhere, over it, and pressed on it. Each look is drawn on a window of
// its own, so that no press is ever released (which would run its handler).
QJsonObject startWindow()
{
    kyt::StartWindow plain;
    QJsonObject o = pictureWindow(plain, QStringLiteral("start.png"));
    QJsonObject buttons;
    for (const QString& name : {QStringLiteral("ExplorerButton1"), QStringLiteral("st")}) {
        QWidget* b = plain.controls().get(name);
        QJsonObject button;
        button[QStringLiteral("rect")] = rectOf(b, &plain);
        button[QStringLiteral("caption")] = b->property("caption").toString();
        QJsonObject looks;
        looks[QStringLiteral("up")]
            = save(b->grab().toImage(), QStringLiteral("start-%1-up.png").arg(name));
        const auto look = [&](const char* key, const std::function<void(QWidget*)>& act) {
            kyt::StartWindow w;
            drawn(w);
            QWidget* target = w.controls().get(name);
            act(target);
            settle();
            looks[QString::fromLatin1(key)] = save(target->grab().toImage(),
                QStringLiteral("start-%1-%2.png").arg(name, QString::fromLatin1(key)));
        };
        const QPointF centre(b->width() / 2.0, b->height() / 2.0);
        look("hover", [&](QWidget* t) {
            QEnterEvent enter(centre, t->mapTo(t->window(), centre), t->mapToGlobal(centre));
            QCoreApplication::sendEvent(t, &enter);
        });
        look("down", [&](QWidget* t) {
            QEnterEvent enter(centre, t->mapTo(t->window(), centre), t->mapToGlobal(centre));
            QCoreApplication::sendEvent(t, &enter);
            QMouseEvent press(QEvent::MouseButtonPress, centre, t->mapTo(t->window(), centre),
                t->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(t, &press);
        });
        button[QStringLiteral("looks")] = looks;
        buttons[name] = button;
    }
    o[QStringLiteral("buttons")] = buttons;
    return o;
}

QJsonObject aboutBox()
{
    kyt::AboutBox box;
    QJsonObject o = pictureWindow(box, QStringLiteral("about.png"));
    auto* ok = qobject_cast<QAbstractButton*>(box.controls().get(QStringLiteral("Button3D1")));
    if (!ok) {
        std::fprintf(stderr, "the about box has no OK button\n");
        failed = true;
        return o;
    }
    QJsonObject button;
    button[QStringLiteral("rect")] = rectOf(ok, &box);
    button[QStringLiteral("caption")] = ok->text();
    QJsonObject looks;
    looks[QStringLiteral("up")] = save(ok->grab().toImage(), QStringLiteral("about-ok-up.png"));
    ok->setDown(true);
    looks[QStringLiteral("down")] = save(ok->grab().toImage(), QStringLiteral("about-ok-down.png"));
    ok->setDown(false);
    button[QStringLiteral("looks")] = looks;
    o[QStringLiteral("ok")] = button;
    return o;
}

QJsonObject posterWindow()
{
    kyt::PosterWindow poster;
    const QJsonArray at {poster.x(), poster.y()}; // where it is placed, before it is shown
    QJsonObject o = pictureWindow(poster, QStringLiteral("poster.png"));
    o[QStringLiteral("at")] = at;
    return o;
}

QJsonObject descriptionWindow()
{
    QJsonObject o;
    kyt::DescriptionWindow opis;
    o[QStringLiteral("title")] = opis.windowTitle();
    o[QStringLiteral("text")] = kyt::DescriptionWindow::text();
    QJsonObject box;
    for (const auto& row : kyt::DescriptionWindow::table()) {
        if (row.name == QLatin1String("Panel1"))
            box[QStringLiteral("panel")] = QJsonArray {row.left, row.top, row.width, row.height};
        if (row.name == QLatin1String("RichEdit1")) {
            box[QStringLiteral("edit")] = QJsonArray {row.left, row.top, row.width, row.height};
            box[QStringLiteral("fontPx")] = row.font.pixelSize;
        }
    }
    box[QStringLiteral("fontFamily")] = opis.RichEdit1->font().family();
    o[QStringLiteral("layout")] = box;
    return o;
}

// The window a menu item shows: the one that becomes visible when the item
// is triggered.
QString shownBy(QAction* item)
{
    kyt::Windows& all = kyt::windows();
    for (std::size_t i = 0; i < kyt::Windows::count; ++i)
        if (QWidget* w = all.window(kyt::WindowId(i));
            w && i > std::size_t(kyt::WindowId::Simulator))
            w->hide();
    item->trigger();
    settle();
    QString shown;
    for (std::size_t i = std::size_t(kyt::WindowId::Simulator) + 1; i < kyt::Windows::count; ++i)
        if (QWidget* w = all.window(kyt::WindowId(i)); w && w->isVisible()) {
            shown = w->objectName();
            w->hide();
        }
    return shown;
}

QJsonArray simulatorMenus(kyt::SimulatorWindow& w)
{
    QJsonArray menus;
    for (QAction* top : w.menuBar()->actions()) {
        const QString name = top->objectName();
        if (name != QLatin1String("Schematy1") && name != QLatin1String("Oprogramie1"))
            continue;
        QJsonArray items;
        for (QAction* item : top->menu()->actions()) {
            const QString target = shownBy(item);
            if (target.isEmpty()) {
                std::fprintf(stderr, "menu item %s shows no window\n", qPrintable(item->text()));
                failed = true;
            }
            items.append(QJsonObject {{QStringLiteral("name"), item->objectName()},
                {QStringLiteral("caption"), item->text()}, {QStringLiteral("shows"), target}});
        }
        menus.append(QJsonObject {{QStringLiteral("name"), name},
            {QStringLiteral("caption"),
                top->text().replace(QStringLiteral("&&"), QStringLiteral("&"))},
            {QStringLiteral("items"), items}});
    }
    return menus;
}

QJsonArray schematics()
{
    QJsonArray list;
    const kyt::WindowId ids[] = {kyt::WindowId::EnablingSchematic, kyt::WindowId::LineSchematic,
        kyt::WindowId::DeskSchematic, kyt::WindowId::ZpgSchematic,
        kyt::WindowId::PermissionSchematic};
    for (kyt::WindowId id : ids) {
        auto* s = qobject_cast<kyt::SchematicWindow*>(kyt::windows().window(id));
        if (!s) {
            std::fprintf(stderr, "a schematic window is missing\n");
            failed = true;
            continue;
        }
        const kyt::SchematicSpec& plan = s->plan();
        QJsonArray menu;
        for (const kyt::SchematicMenuItem& item : plan.menu) {
            QWidget* target = kyt::windows().window(item.target);
            menu.append(QJsonObject {{QStringLiteral("name"), item.name},
                {QStringLiteral("caption"), item.caption},
                {QStringLiteral("shows"), target ? target->objectName() : QString()}});
        }
        const QRect p = plan.picture;
        list.append(QJsonObject {{QStringLiteral("form"), plan.formName},
            {QStringLiteral("title"), plan.caption}, {QStringLiteral("file"), plan.fileName},
            {QStringLiteral("picture"), QJsonArray {p.x(), p.y(), p.width(), p.height()}},
            {QStringLiteral("menuCaption"), s->Schematy1 ? s->Schematy1->title() : QString()},
            {QStringLiteral("menu"), menu}});
    }
    return list;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kyt-webwindows OUT_DIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kyt::App app(argc, argv);
    out = QDir(QString::fromLocal8Bit(argv[1]));
    // An error box would wait for a click nobody makes: errors fail the run.
    kyt::setReporter([&](const QString& message) {
        std::fprintf(stderr, "error reported: %s\n", qPrintable(message));
        failed = true;
    });

    QJsonObject doc;
    doc[QStringLiteral("start")] = startWindow();
    doc[QStringLiteral("about")] = aboutBox();
    doc[QStringLiteral("poster")] = posterWindow();
    doc[QStringLiteral("description")] = descriptionWindow();

    app.windows().create();
    kyt::SimulatorWindow* simulator = app.windows().simulatorWindow();
    if (!simulator)
        return 1;
    doc[QStringLiteral("simulator")]
        = QJsonObject {{QStringLiteral("title"), simulator->windowTitle()},
            {QStringLiteral("menus"), simulatorMenus(*simulator)}};
    doc[QStringLiteral("schematics")] = schematics();

    QFile json(out.filePath(QStringLiteral("windows.json")));
    if (!json.open(QIODevice::WriteOnly)
        || json.write(QJsonDocument(doc).toJson(QJsonDocument::Indented)) <= 0) {
        std::fprintf(stderr, "cannot write windows.json\n");
        failed = true;
    }
    json.close();
    app.windows().destroy();
    return failed ? 1 : 0;
}
