// Start-up, the start window, and opening and closing the simulator.
#include "TestApp.h"

#include "App.h"
#include "BlockState.h"
#include "Simulator.h"
#include "Windows.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kyt;

namespace {

QString storeFile() { return test::settingsFolder() + QStringLiteral("/kyt/sygnaly.conf"); }

void store(const char *name, int value)
{
  QSettings s(storeFile(), QSettings::IniFormat);
  s.setValue(QString::fromLatin1(name), value);
  s.sync();
}

QVariant stored(const char *name)
{
  QSettings s(storeFile(), QSettings::IniFormat);
  return s.value(QString::fromLatin1(name));
}

void clickCentre(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

// The program as it starts: every window created, the start window shown.
class Startup : public ::testing::Test {
protected:
  void SetUp() override
  {
    QFile::remove(storeFile());
    createWindows();
    startWindow->show();
  }
  void TearDown() override { destroyWindows(); }

  QWidget *startButton() const { return startWindow->controls().get(QStringLiteral("st")); }
  QWidget *quitButton() const { return startWindow->controls().get(QStringLiteral("ExplorerButton1")); }
};

} // namespace

TEST_F(Startup, CreatesTenWindowsOnceAndShowsOnlyTheStartWindow)
{
  QWidget *const windows[] = {startWindow, simulatorWindow, descriptionWindow, aboutBox, posterWindow, enablingSchematic, lineSchematic, deskSchematic, zpgSchematic, permissionSchematic};
  const char *const captions[] = {"MIĘDZYSTACYJNA BLOKADA KYT", "Symulator Kyt", "OPIS BLOKADY",
                                  "INFORMACJA  O PROGRAMIE", "Takiemu to dobrze", "olin",
                                  "linia", "Obwody lampek pulpitu", "zpg", "Zwrot pozwolenia"};
  for (int i = 0; i < 10; ++i) {
    ASSERT_NE(windows[i], nullptr) << i;
    EXPECT_EQ(windows[i]->windowTitle(), QString::fromUtf8(captions[i]));
    EXPECT_TRUE(windows[i]->isWindow());
    EXPECT_EQ(windows[i]->isVisible(), i == 0) << captions[i];
  }
  createWindows();
  EXPECT_EQ(startWindow, windows[0]);
  EXPECT_EQ(simulatorWindow, windows[1]);
  EXPECT_EQ(permissionSchematic, windows[9]);
}

TEST_F(Startup, StartWindowIsCentredWithoutMaximiseButton)
{
  ASSERT_TRUE(QTest::qWaitForWindowExposed(startWindow));
  const Qt::WindowFlags f = startWindow->windowFlags();
  EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(f & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(f & Qt::WindowSystemMenuHint);
  EXPECT_EQ(startWindow->minimumSize(), startWindow->maximumSize());
  const QRect screen = startWindow->screen()->availableGeometry();
  EXPECT_LE((startWindow->geometry().center() - screen.center()).manhattanLength(), 4);
  // The controls lie inside the client area.
  for (QWidget *w : startWindow->controls().inOrder())
    EXPECT_TRUE(startWindow->rect().contains(w->geometry())) << w->objectName().toStdString();
}

TEST_F(Startup, StartButtonShowsTheSimulatorAndThenLoadsTheStoredCounters)
{
  KYT_NEEDS_TRAFFIC();
  for (const char *name : {"sza1", "sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa", "dpob"})
    store(name, 0);
  store("dkoa", 12);
  store("sza2", 10007);
  clickCentre(startButton());
  EXPECT_TRUE(simulatorWindow->isVisible());
  EXPECT_TRUE(simulatorWindow->windowState() & Qt::WindowMaximized);
  EXPECT_TRUE(startWindow->isVisible());
  EXPECT_TRUE(simulatorWindow->sim().activated());
  // Loaded after the initialisation: a late activation would zero them.
  EXPECT_EQ(simulatorWindow->sim().state().dkoaCount, 12);
  EXPECT_EQ(simulatorWindow->control("ldkoa")->property("value").toInt(), 12);
  EXPECT_EQ(simulatorWindow->sim().state().sza2Count, 10007);
  QApplication::processEvents();
  EXPECT_EQ(simulatorWindow->sim().state().dkoaCount, 12);
}

TEST_F(Startup, ClosingTheSimulatorSavesAndKeepsItsStateForTheNextOpening)
{
  KYT_NEEDS_TRAFFIC();
  clickCentre(startButton());
  simulatorWindow->sim().state().dkoaCount = 5;
  simulatorWindow->sim().desk().setCounterValue(kyt::Control::ldkoa, 5);
  SimulatorWindow *const before = simulatorWindow;
  EXPECT_TRUE(simulatorWindow->close() || !simulatorWindow->isVisible());
  EXPECT_FALSE(simulatorWindow->isVisible());
  EXPECT_EQ(stored("dkoa").toInt(), 5);
  EXPECT_EQ(stored("sza1").toInt(), 0);

  // Opening again: the same window, the counters read again.
  store("dkoa", 9);
  clickCentre(startButton());
  EXPECT_EQ(simulatorWindow, before);
  EXPECT_TRUE(simulatorWindow->isVisible());
  EXPECT_EQ(simulatorWindow->control("ldkoa")->property("value").toInt(), 9);
}

TEST_F(Startup, QuittingFromTheStartWindowSavesNothing)
{
  KYT_NEEDS_TRAFFIC();
  clickCentre(startButton());
  simulatorWindow->sim().state().dpoaCount = 4;
  int rc = -1;
  QTimer::singleShot(0, [&] { clickCentre(quitButton()); });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  watchdog.start(10000);
  rc = QCoreApplication::exec();
  EXPECT_EQ(rc, 0);
  EXPECT_FALSE(QFile::exists(storeFile()));
  EXPECT_TRUE(simulatorWindow->isVisible());
}

TEST_F(Startup, ClosingTheStartWindowEndsTheProgramAndOtherWindowsOnlyHide)
{
  showWindow(descriptionWindow);
  QWidget *const before = descriptionWindow;
  descriptionWindow->close();
  EXPECT_EQ(descriptionWindow, before);
  EXPECT_FALSE(descriptionWindow->isVisible());

  QTimer::singleShot(0, [] { startWindow->close(); });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  watchdog.start(10000);
  EXPECT_EQ(QCoreApplication::exec(), 0);
}
