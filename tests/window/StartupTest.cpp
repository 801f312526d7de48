// Start-up, the start window, and opening and closing the simulator.
#include "TestApp.h"

#include "App.h"
#include "BlockState.h"
#include "Simulator.h"
#include "Windows.h"
#include "pods.h"
#include "wstep.h"

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
    START->show();
  }
  void TearDown() override { destroyWindows(); }

  QWidget *startButton() const { return START->controls().get(QStringLiteral("st")); }
  QWidget *quitButton() const { return START->controls().get(QStringLiteral("ExplorerButton1")); }
};

} // namespace

TEST_F(Startup, CreatesTenWindowsOnceAndShowsOnlyTheStartWindow)
{
  QWidget *const windows[] = {START, blok, opis, AboutBox, zar, olin, linia, pulp, zpg, zwrpoz};
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
  EXPECT_EQ(START, windows[0]);
  EXPECT_EQ(blok, windows[1]);
  EXPECT_EQ(zwrpoz, windows[9]);
}

TEST_F(Startup, StartWindowIsCentredWithoutMaximiseButton)
{
  ASSERT_TRUE(QTest::qWaitForWindowExposed(START));
  const Qt::WindowFlags f = START->windowFlags();
  EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(f & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(f & Qt::WindowSystemMenuHint);
  EXPECT_EQ(START->minimumSize(), START->maximumSize());
  const QRect screen = START->screen()->availableGeometry();
  EXPECT_LE((START->geometry().center() - screen.center()).manhattanLength(), 4);
  // The controls lie inside the client area.
  for (QWidget *w : START->controls().inOrder())
    EXPECT_TRUE(START->rect().contains(w->geometry())) << w->objectName().toStdString();
}

TEST_F(Startup, StartButtonShowsTheSimulatorAndThenLoadsTheStoredCounters)
{
  KYT_NEEDS_TRAFFIC();
  for (const char *name : {"sza1", "sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa", "dpob"})
    store(name, 0);
  store("dkoa", 12);
  store("sza2", 10007);
  clickCentre(startButton());
  EXPECT_TRUE(blok->isVisible());
  EXPECT_TRUE(blok->windowState() & Qt::WindowMaximized);
  EXPECT_TRUE(START->isVisible());
  EXPECT_TRUE(blok->sim().activated());
  // Loaded after the initialisation: a late activation would zero them.
  EXPECT_EQ(blok->sim().state().dkoaCount, 12);
  EXPECT_EQ(blok->control("ldkoa")->property("Value").toInt(), 12);
  EXPECT_EQ(blok->sim().state().sza2Count, 10007);
  QApplication::processEvents();
  EXPECT_EQ(blok->sim().state().dkoaCount, 12);
}

TEST_F(Startup, ClosingTheSimulatorSavesAndKeepsItsStateForTheNextOpening)
{
  KYT_NEEDS_TRAFFIC();
  clickCentre(startButton());
  blok->sim().state().dkoaCount = 5;
  blok->sim().desk().setCounterValue(kyt::Control::ldkoa, 5);
  Tblok *const before = blok;
  EXPECT_TRUE(blok->close() || !blok->isVisible());
  EXPECT_FALSE(blok->isVisible());
  EXPECT_EQ(stored("dkoa").toInt(), 5);
  EXPECT_EQ(stored("sza1").toInt(), 0);

  // Opening again: the same window, the counters read again.
  store("dkoa", 9);
  clickCentre(startButton());
  EXPECT_EQ(blok, before);
  EXPECT_TRUE(blok->isVisible());
  EXPECT_EQ(blok->control("ldkoa")->property("Value").toInt(), 9);
}

TEST_F(Startup, QuittingFromTheStartWindowSavesNothing)
{
  KYT_NEEDS_TRAFFIC();
  clickCentre(startButton());
  blok->sim().state().dpoaCount = 4;
  int rc = -1;
  QTimer::singleShot(0, [&] { clickCentre(quitButton()); });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  watchdog.start(10000);
  rc = QCoreApplication::exec();
  EXPECT_EQ(rc, 0);
  EXPECT_FALSE(QFile::exists(storeFile()));
  EXPECT_TRUE(blok->isVisible());
}

TEST_F(Startup, ClosingTheStartWindowEndsTheProgramAndOtherWindowsOnlyHide)
{
  showWindow(opis);
  QWidget *const before = opis;
  opis->close();
  EXPECT_EQ(opis, before);
  EXPECT_FALSE(opis->isVisible());

  QTimer::singleShot(0, [] { START->close(); });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  watchdog.start(10000);
  EXPECT_EQ(QCoreApplication::exec(), 0);
}
