// Start-up, the start window, and opening and closing the simulator.
#include "ControlNames.h"
#include "TestApp.h"

#include "App.h"
#include "BlockState.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "Windows.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kyt;

namespace {

QString storeFile()
{
    return test::settingsFolder() + QStringLiteral("/kyt/sygnaly.conf");
}

void store(const char* name, int value)
{
    QSettings s(storeFile(), QSettings::IniFormat);
    s.setValue(QString::fromLatin1(name), value);
    s.sync();
}

QVariant stored(const char* name)
{
    QSettings s(storeFile(), QSettings::IniFormat);
    return s.value(QString::fromLatin1(name));
}

void clickCentre(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// The program as it starts: every window created, the start window shown.
class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(storeFile());
        windows().create();
        windows().startWindow()->show();
    }
    void TearDown() override { windows().destroy(); }

    QWidget* startButton() const
    {
        return windows().startWindow()->controls().get(QStringLiteral("st"));
    }
    QWidget* quitButton() const
    {
        return windows().startWindow()->controls().get(QStringLiteral("ExplorerButton1"));
    }
};

} // namespace

TEST_F(Startup, CreatesTenWindowsOnceAndShowsOnlyTheStartWindow)
{
    const Windows& all = windows();
    QWidget* const created[] = {all.startWindow(), all.simulatorWindow(), all.descriptionWindow(),
        all.aboutBox(), all.posterWindow(), all.enablingSchematic(), all.lineSchematic(),
        all.deskSchematic(), all.zpgSchematic(), all.permissionSchematic()};
    const char* const captions[] = {"MIĘDZYSTACYJNA BLOKADA KYT", "Symulator Kyt", "OPIS BLOKADY",
        "INFORMACJA  O PROGRAMIE", "Takiemu to dobrze", "olin", "linia", "Obwody lampek pulpitu",
        "zpg", "Zwrot pozwolenia"};
    for (int i = 0; i < 10; ++i) {
        ASSERT_NE(created[i], nullptr) << i;
        EXPECT_EQ(created[i]->windowTitle(), QString::fromUtf8(captions[i]));
        EXPECT_TRUE(created[i]->isWindow());
        EXPECT_EQ(created[i]->isVisible(), i == 0) << captions[i];
    }
    windows().create();
    EXPECT_EQ(windows().startWindow(), created[0]);
    EXPECT_EQ(windows().simulatorWindow(), created[1]);
    EXPECT_EQ(windows().permissionSchematic(), created[9]);
    for (std::size_t i = 0; i < Windows::count; ++i)
        EXPECT_EQ(windows().window(WindowId(i)), created[i]) << i;
}

TEST_F(Startup, WindowsAreDestroyedLastCreatedFirstAndCanBeCreatedAgain)
{
    QStringList destroyed;
    for (std::size_t i = 0; i < Windows::count; ++i) {
        QWidget* w = windows().window(WindowId(i));
        ASSERT_NE(w, nullptr) << i;
        const QString name = w->objectName();
        QObject::connect(w, &QObject::destroyed, [&destroyed, name] { destroyed << name; });
    }
    windows().destroy();
    EXPECT_EQ(destroyed,
        QStringList({"zwrpoz", "zpg", "pulp", "linia", "olin", "zar", "AboutBox", "opis", "blok",
            "START"}));
    for (std::size_t i = 0; i < Windows::count; ++i)
        EXPECT_EQ(windows().window(WindowId(i)), nullptr) << i;
    windows().create();
    EXPECT_NE(windows().startWindow(), nullptr);
    EXPECT_NE(windows().permissionSchematic(), nullptr);
}

TEST_F(Startup, StartWindowIsCentredWithoutMaximiseButton)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(windows().startWindow()));
    const Qt::WindowFlags f = windows().startWindow()->windowFlags();
    EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(f & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(f & Qt::WindowSystemMenuHint);
    EXPECT_EQ(windows().startWindow()->minimumSize(), windows().startWindow()->maximumSize());
    const QRect screen = windows().startWindow()->screen()->availableGeometry();
    EXPECT_LE(
        (windows().startWindow()->geometry().center() - screen.center()).manhattanLength(), 4);
    // The controls lie inside the client area.
    for (QWidget* w : windows().startWindow()->controls().inOrder())
        EXPECT_TRUE(windows().startWindow()->rect().contains(w->geometry()))
            << w->objectName().toStdString();
}

TEST_F(Startup, StartButtonShowsTheSimulatorAndThenLoadsTheStoredCounters)
{
    for (const char* name : {"sza1", "sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa", "dpob"})
        store(name, 0);
    store("dkoa", 12);
    store("sza2", 10007);
    clickCentre(startButton());
    EXPECT_TRUE(windows().simulatorWindow()->isVisible());
    EXPECT_TRUE(windows().simulatorWindow()->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(windows().startWindow()->isVisible());
    EXPECT_TRUE(windows().simulatorWindow()->sim().activated());
    // Loaded after the initialisation: a late activation would zero them.
    EXPECT_EQ(windows().simulatorWindow()->sim().state().dkoaCount, 12);
    EXPECT_EQ(
        windows().simulatorWindow()->control(qtName(Control::ldkoa))->property("value").toInt(),
        12);
    EXPECT_EQ(windows().simulatorWindow()->sim().state().sza2Count, 10007);
    QApplication::processEvents();
    EXPECT_EQ(windows().simulatorWindow()->sim().state().dkoaCount, 12);
}

TEST_F(Startup, ClosingTheSimulatorSavesAndKeepsItsStateForTheNextOpening)
{
    clickCentre(startButton());
    windows().simulatorWindow()->sim().state().dkoaCount = 5;
    windows().simulatorWindow()->sim().desk().setCounterValue(kyt::Control::ldkoa, 5);
    SimulatorWindow* const before = windows().simulatorWindow();
    EXPECT_TRUE(windows().simulatorWindow()->close() || !windows().simulatorWindow()->isVisible());
    EXPECT_FALSE(windows().simulatorWindow()->isVisible());
    EXPECT_EQ(stored("dkoa").toInt(), 5);
    EXPECT_EQ(stored("sza1").toInt(), 0);

    // Opening again: the same window, the counters read again.
    store("dkoa", 9);
    clickCentre(startButton());
    EXPECT_EQ(windows().simulatorWindow(), before);
    EXPECT_TRUE(windows().simulatorWindow()->isVisible());
    EXPECT_EQ(
        windows().simulatorWindow()->control(qtName(Control::ldkoa))->property("value").toInt(), 9);
}

TEST_F(Startup, QuittingFromTheStartWindowSavesNothing)
{
    clickCentre(startButton());
    windows().simulatorWindow()->sim().state().dpoaCount = 4;
    int rc = -1;
    QTimer::singleShot(0, [&] { clickCentre(quitButton()); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    watchdog.start(10000);
    rc = QCoreApplication::exec();
    EXPECT_EQ(rc, 0);
    EXPECT_FALSE(QFile::exists(storeFile()));
    EXPECT_TRUE(windows().simulatorWindow()->isVisible());
}

TEST_F(Startup, ClosingTheStartWindowEndsTheProgramAndOtherWindowsOnlyHide)
{
    showWindow(windows().descriptionWindow());
    QWidget* const before = windows().descriptionWindow();
    windows().descriptionWindow()->close();
    EXPECT_EQ(windows().descriptionWindow(), before);
    EXPECT_FALSE(windows().descriptionWindow()->isVisible());

    QTimer::singleShot(0, [] { windows().startWindow()->close(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    watchdog.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
}
