#include "App.h"

#include "DataFolder.h"
#include "ExitAfter.h"
#include "Fonts.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "Windows.h"

#include <QImageReader>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace kyt {

namespace {

Reporter& reporter()
{
    static Reporter r;
    return r;
}

void showBox(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, appTitle(), text, QMessageBox::Ok);
    box.exec();
}

QString messageOf(const std::exception& e)
{
    return QString::fromUtf8(e.what());
}

} // namespace

QString appTitle()
{
    return QStringLiteral("Blokada Kyt");
}

Reporter setReporter(Reporter r)
{
    Reporter old = std::move(reporter());
    reporter() = std::move(r);
    return old;
}

void reportError(const QString& message)
{
    const QString text = message + QLatin1Char('.');
    if (reporter())
        reporter()(text);
    else
        showBox(text);
}

void reportException(const std::exception& e)
{
    reportError(messageOf(e));
}

bool guarded(const std::function<void()>& f)
{
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        reportException(e);
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
    return false;
}

App::App(int& argc, char** argv) : QApplication(argc, argv), windows_(std::make_unique<Windows>())
{
    // The title is not set as the display name: the platform would append it
    // to every window's caption.
    // The start window ends the program itself; closing any other window
    // only hides it.
    setQuitOnLastWindowClosed(false);
    readDataFolderSetting();
}

App::~App()
{
    if (pluginLoader_.joinable())
        pluginLoader_.join();
    windows_->destroy();
}

void App::startUp()
{
    const ExitPoint exitAfter = exitPointFromEnvironment();
    // The pictures decode while the font configuration is still being read.
    windows_->prefetchForStart();
    // The toolkit loads every picture plugin it has the first time a picture
    // is read by its file name, to ask each whether it knows the picture: a
    // menu bar does so for its icons while the first windows are built.
    // Loaded here on a thread of their own, the plugins are ready by then.
    if (!pluginLoader_.joinable())
        pluginLoader_ = std::thread([] { (void)QImageReader::supportedImageFormats(); });
    awaitFontConfiguration();
    windows_->createForStart();
    StartWindow* start = windows_->startWindow();
    if (!start) {
        windows_->createRest();
        if (exitAfter != ExitPoint::None)
            exitNow();
        return;
    }
    const auto idleThenExit = [this] { (new IdleWatch(exitNow))->setParent(this); };
    const auto rest = [this, exitAfter, idleThenExit] {
        windows_->createRest();
        if (exitAfter == ExitPoint::Ready) {
            idleThenExit();
        } else if (exitAfter == ExitPoint::Simulator) {
            SimulatorWindow* simulator = windows_->simulatorWindow();
            if (!simulator)
                exitNow();
            (new FirstFrameWatch(simulator, idleThenExit))->setParent(this);
            simulator->showSimulator();
        }
    };
    (new FirstFrameWatch(start, [this, exitAfter, rest] {
        if (exitAfter == ExitPoint::FirstFrame)
            exitNow();
        QTimer::singleShot(0, this, rest);
    }))->setParent(this);
    start->show();
}

App* App::instance()
{
    return qobject_cast<App*>(QCoreApplication::instance());
}

namespace {

// A maximised window is laid over the screen's free area before it first
// appears. A window manager maximises it anyway; without one (a bare X
// server, a kiosk session) the window would otherwise open at its small
// design size in a corner.
void fillScreenIfMaximised(QObject* receiver, const QEvent* event)
{
    if (event->type() != QEvent::Show || !receiver->isWidgetType())
        return;
    auto* w = static_cast<QWidget*>(receiver);
    if (!w->isWindow() || !(w->windowState() & Qt::WindowMaximized) || !w->screen())
        return;
    const QRect free = w->screen()->availableGeometry();
    if (w->geometry() == free)
        return;
    // Placing a window ends its maximised state: it is asked for again.
    const Qt::WindowStates state = w->windowState();
    w->setGeometry(free);
    w->setWindowState(state);
}

} // namespace

bool App::notify(QObject* receiver, QEvent* event)
{
    try {
        fillScreenIfMaximised(receiver, event);
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportException(e);
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace kyt
