#include "TestApp.h"

#include "App.h"
#include "SimulationClock.h"
#include "Windows.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace kyt::test {

namespace {

QTemporaryDir* configDir = nullptr;

// An error report that no test asked for fails the running test instead of
// opening a box that nobody closes.
void unexpected(const QString& text)
{
    ADD_FAILURE() << "error report: " << text.toStdString();
}

class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        // The stored counters of the tests stay in a folder of their own.
        configDir = new QTemporaryDir();
        qputenv("XDG_CONFIG_HOME", configDir->path().toLocal8Bit());
        // Sessions saved when a window closes stay there too.
        qputenv("XDG_DATA_HOME", (configDir->path() + QStringLiteral("/data")).toLocal8Bit());
        // The simulation clocks read the tests' own time, which moves only
        // when a test moves it.
        SimulationClock::setDefaultTimeSource([] { return fakeNow; });
        static int argc = 1;
        static char name[] = "kyt_window_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<App>(argc, argv);
#ifdef KYT_PICTURES_DIR
        // The program is started in the folder of its schematic pictures.
        QDir::setCurrent(QStringLiteral(KYT_PICTURES_DIR));
#endif
        setReporter(unexpected);
    }
    void TearDown() override
    {
        windows().destroy();
        app_.reset();
        delete configDir;
        configDir = nullptr;
    }

private:
    std::unique_ptr<App> app_;
};

[[maybe_unused]] const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

} // namespace

std::int64_t fakeNow = 0;

QString settingsFolder()
{
    return configDir ? configDir->path() : QString();
}

ReportRecorder::ReportRecorder()
{
    setReporter([this](const QString& text) { reports << text; });
}

ReportRecorder::~ReportRecorder()
{
    setReporter(unexpected);
}

QColor pixelOf(QWidget* w, int x, int y)
{
    const QImage img = w->grab().toImage();
    return img.pixelColor(x, y);
}

} // namespace kyt::test
