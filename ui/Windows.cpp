#include "Windows.h"

#include "AboutBox.h"
#include "App.h"
#include "Content.h"
#include "DataFolder.h"
#include "DescriptionWindow.h"
#include "DeskSchematic.h"
#include "EnablingSchematic.h"
#include "LineSchematic.h"
#include "PermissionSchematic.h"
#include "PosterWindow.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "ZpgSchematic.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <vector>

namespace kyt {

namespace {

struct Creation {
    WindowId id;
    std::function<QWidget*()> create;
};

// The windows in the order they are created.
std::vector<Creation> creationOrder()
{
    return {
        {WindowId::Start, [] { return new StartWindow(); }},
        {WindowId::Simulator, [] { return new SimulatorWindow(); }},
        {WindowId::Description, [] { return new DescriptionWindow(); }},
        {WindowId::About, [] { return new AboutBox(); }},
        {WindowId::Poster, [] { return new PosterWindow(); }},
        {WindowId::EnablingSchematic, [] { return new EnablingSchematic(); }},
        {WindowId::LineSchematic, [] { return new LineSchematic(); }},
        {WindowId::DeskSchematic, [] { return new DeskSchematic(); }},
        {WindowId::ZpgSchematic, [] { return new ZpgSchematic(); }},
        {WindowId::PermissionSchematic, [] { return new PermissionSchematic(); }},
    };
}

} // namespace

Windows::Windows() = default;

Windows::~Windows()
{
    destroy();
}

void Windows::create()
{
    if (created_)
        return;
    created_ = true;
    // The pictures that creation handlers read are decoded on other threads
    // while the windows before them are built.
    QStringList atCreation;
    for (const SchematicSpec& s : {EnablingSchematic::design(), LineSchematic::design(),
             DeskSchematic::design(), ZpgSchematic::design(), PermissionSchematic::design()})
        if (s.loadTime == LoadTime::Creation)
            atCreation << dataFilePath(s.fileName);
    PrefetchJPEGFiles(atCreation);
    prefetchStoredPictures({QStringLiteral("olin.png"), QStringLiteral("zar.png")});
    for (const Creation& c : creationOrder())
        guarded([&] { windows_[static_cast<std::size_t>(c.id)].reset(c.create()); });
}

void Windows::destroy()
{
    // A window being destroyed is still one of the program's windows for
    // whatever its destruction notifies.
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        delete it->get();
        (void)it->release();
    }
    created_ = false;
}

bool Windows::contains(const QWidget* w) const
{
    if (!w)
        return false;
    return std::any_of(
        windows_.begin(), windows_.end(), [w](const auto& p) { return p.get() == w; });
}

StartWindow* Windows::startWindow() const
{
    return static_cast<StartWindow*>(window(WindowId::Start));
}

SimulatorWindow* Windows::simulatorWindow() const
{
    return static_cast<SimulatorWindow*>(window(WindowId::Simulator));
}

Windows& windows()
{
    App* app = App::instance();
    if (!app)
        throw std::logic_error("the windows need the program's application object");
    return app->windows();
}

void showWindow(QWidget* w)
{
    if (!w)
        return;
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace kyt
