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
#include "Pictures.h"
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

namespace {

// The schematics' designs by window.
const SchematicSpec* schematicDesign(WindowId id)
{
    static const SchematicSpec enabling = EnablingSchematic::design(),
                               line = LineSchematic::design(), desk = DeskSchematic::design(),
                               zpg = ZpgSchematic::design(),
                               permission = PermissionSchematic::design();
    switch (id) {
    case WindowId::EnablingSchematic: return &enabling;
    case WindowId::LineSchematic: return &line;
    case WindowId::DeskSchematic: return &desk;
    case WindowId::ZpgSchematic: return &zpg;
    case WindowId::PermissionSchematic: return &permission;
    default: return nullptr;
    }
}

// The windows whose creation reads the user's files: the schematics that
// read their pictures at creation. The others are built from the program's
// own tables and pictures.
bool readsFilesAtCreation(WindowId id)
{
    const SchematicSpec* s = schematicDesign(id);
    return s && s->loadTime == LoadTime::Creation;
}

} // namespace

void Windows::create()
{
    createWhere([](WindowId) { return true; });
    created_ = true;
}

void Windows::createForStart()
{
    createWhere([](WindowId id) { return id == WindowId::Start || readsFilesAtCreation(id); });
}

void Windows::prefetchForStart()
{
    if (created_ || prefetchedFiles_)
        return;
    prefetchedFiles_ = true;
    // The pictures that creation handlers read are decoded on other threads
    // while the program waits for its font configuration and builds the
    // windows before them.
    QStringList atCreation;
    for (std::size_t i = 0; i < count; ++i)
        if (readsFilesAtCreation(WindowId(i)))
            atCreation << dataFilePath(schematicDesign(WindowId(i))->fileName);
    PrefetchJPEGFiles(atCreation);
}

void Windows::createWhere(bool (*wanted)(WindowId))
{
    if (created_)
        return;
    prefetchForStart();
    bool rest = false;
    for (const Creation& c : creationOrder())
        rest = rest
            || (!attempted_[static_cast<std::size_t>(c.id)] && !readsFilesAtCreation(c.id)
                && c.id != WindowId::Start && wanted(c.id));
    if (rest && !prefetchedStored_) {
        prefetchedStored_ = true;
        // The pictures stored in the program and the controls' pictures,
        // for the windows built later.
        prefetchStoredPictures({QStringLiteral("olin.png"), QStringLiteral("zar.png")});
        preparePictures();
    }
    for (const Creation& c : creationOrder()) {
        const auto i = static_cast<std::size_t>(c.id);
        if (attempted_[i] || !wanted(c.id))
            continue;
        attempted_[i] = true;
        guarded([&] { windows_[i].reset(c.create()); });
    }
}

void Windows::destroy()
{
    // The controls' pictures are not parsed any more once the windows go.
    awaitPictures();
    // A window being destroyed is still one of the program's windows for
    // whatever its destruction notifies.
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        delete it->get();
        (void)it->release();
    }
    attempted_ = {};
    prefetchedFiles_ = prefetchedStored_ = false;
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
