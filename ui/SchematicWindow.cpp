#include "SchematicWindow.h"

#include "App.h"
#include "AutoScroll.h"
#include "DataFolder.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "Windows.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHideEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QShowEvent>

#include <algorithm>

namespace kyt {

namespace {

// The window's classes: the program's own plus the picture control.
const layout::ClassMap& schematicClasses()
{
    static const layout::ClassMap classes = [] {
        layout::ClassMap map = layout::standardClasses();
        if (!map.has(QStringLiteral("JpegImage")))
            map.add(
                QStringLiteral("JpegImage"), [](QWidget* parent) { return new JpegImage(parent); });
        return map;
    }();
    return classes;
}

} // namespace

bool isProgramWindow(const QWidget* w)
{
    if (!w)
        return false;
    const App* app = App::instance();
    return app && app->windows().contains(w);
}

layout::Table SchematicWindow::pictureTable(const SchematicSpec& plan)
{
    layout::Row row(QStringLiteral("JPEGImage1"), QStringLiteral("JpegImage"), QString(),
        plan.picture.left(), plan.picture.top(), plan.picture.width(), plan.picture.height());
    // The picture component's defaults: 256 colours, accurate integer DCT,
    // Floyd-Steinberg dithering, two-pass quantisation with smoothing.
    row.props = {
        {"numOfColors", QVariant::fromValue(ColorCount::_256)},
        {"dctMethod", QVariant::fromValue(DctMethod::Integ)},
        {"dither", QVariant::fromValue(DitherMode::FS)},
        {"fastProcessing", false},
        {"grayScale", false},
        {"noSmooth", false},
        {"onePass", false},
        {"progressStep", 10},
    };
    return {row};
}

SchematicWindow::SchematicWindow(const SchematicSpec& plan, QWidget* parent)
    : QMainWindow(parent), plan_(plan)
{
    setObjectName(plan.formName);
    setWindowTitle(plan.caption);
    resize(plan.designSize);
    setWindowState(Qt::WindowMaximized);

    // The client area scrolls over the picture control, which is larger
    // than a usual screen. A control above or left of the client area's
    // origin is cut off there, as in any window.
    const QRect& pic = plan.picture;
    QWidget* client = autoScrollClient(
        this, QSize(std::max(0, pic.right() + 1), std::max(0, pic.bottom() + 1)));
    scroll_ = scrollAreaOf(client);

    controls_ = layout::build(client, pictureTable(plan), schematicClasses(), {});
    JPEGImage1 = qobject_cast<JpegImage*>(controls_.get(QStringLiteral("JPEGImage1")));

    Schematy1 = menuBar()->addMenu(QStringLiteral("Schematy"));
    Schematy1->setObjectName(QStringLiteral("Schematy1"));
    for (const SchematicMenuItem& item : plan.menu) {
        QAction* a = Schematy1->addAction(item.caption);
        a->setObjectName(item.name);
        const WindowId target = item.target;
        connect(a, &QAction::triggered, this,
            [this, target] { guarded([&] { showFromMenu(windows().window(target)); }); });
    }

    // The creation handler's error is reported; the window exists all the
    // same and works without its picture.
    if (plan.loadTime == LoadTime::Creation)
        guarded([this] { FormCreate(); });
}

QAction* SchematicWindow::menuItem(const QString& name) const
{
    return Schematy1->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void SchematicWindow::FormCreate()
{
    JPEGImage1->setFileName(dataFilePath(plan_.fileName));
}

void SchematicWindow::FormActivate()
{
    JPEGImage1->setFileName(dataFilePath(plan_.fileName));
}

void SchematicWindow::FormDeactivate()
{
    close();
}

void SchematicWindow::showFromMenu(QWidget* target)
{
    if (!target)
        return;
    auto* form = qobject_cast<SchematicWindow*>(target);
    if (form == this)
        return; // the window is already the active one
    if (form)
        form->holdActivation_ = true;
    showWindow(target);
    if (form)
        form->holdActivation_ = false;
    deactivated(target);
    if (form)
        form->activated();
}

void SchematicWindow::activated()
{
    if (active_)
        return;
    active_ = true;
    if (plan_.loadTime == LoadTime::Activation)
        guarded([this] { FormActivate(); });
}

void SchematicWindow::deactivated(QWidget* nowActive)
{
    // Only another window of the program takes the place of a schematic. An
    // error box of its own, or a switch to another program, leaves it shown
    // and still the program's active window, so that coming back to it does
    // not read the picture (and report its error) again.
    if (nowActive == this || !isProgramWindow(nowActive))
        return;
    active_ = false;
    if (isVisible())
        FormDeactivate();
}

void SchematicWindow::hideEvent(QHideEvent* e)
{
    QMainWindow::hideEvent(e);
    // Closed by its close box: the next showing is a new activation.
    if (!e->spontaneous())
        active_ = false;
}

void SchematicWindow::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // Shown from the simulator's menu: the window is about to become the
    // active one; its picture is decoded before it is first painted.
    if (!holdActivation_ && !e->spontaneous())
        activated();
}

void SchematicWindow::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow())
        activated();
    else
        deactivated(QApplication::activeWindow());
}

} // namespace kyt
