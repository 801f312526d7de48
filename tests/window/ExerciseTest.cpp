// A whole train from A to B, operated with the mouse on the desk as a
// trainee would, with the screen checked on the way.
#include "ControlNames.h"
#include "TestApp.h"

#include "BlockState.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "Windows.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace kyt;

namespace {

class DeskExercise : public ::testing::Test {
protected:
    void SetUp() override
    {
        windows().create();
        windows().startWindow()->show();
        QWidget* st = windows().startWindow()->controls().get(QStringLiteral("st"));
        QTest::mouseClick(st, Qt::LeftButton, {}, st->rect().center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(windows().simulatorWindow()));
        desk = windows().simulatorWindow()->desk();
    }
    void TearDown() override { windows().destroy(); }

    // Clicks a control at its centre, through whatever the desk shows there:
    // the control must be visible and on top to receive the click.
    void click(const QString& name)
    {
        QWidget* w = windows().simulatorWindow()->control(name);
        ASSERT_NE(w, nullptr) << qPrintable(name);
        // The trainee clicks what the screen shows: draw the desk first, as a
        // control just made visible takes its shape when it is painted.
        desk->grab();
        const QPoint centre = w->mapTo(desk, w->rect().center());
        QWidget* hit = desk->childAt(centre);
        ASSERT_EQ(hit, w) << qPrintable(name) << " is not what the desk shows at its centre";
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(desk, centre));
    }

    bool shown(const QString& name) const
    {
        return windows().simulatorWindow()->control(name)->isVisible();
    }

    // The colour drawn at a point of a control, as the desk shows it.
    QColor drawn(const QString& name, QPoint at) const
    {
        QWidget* w = windows().simulatorWindow()->control(name);
        return test::pixelOf(desk, w->mapTo(desk, at).x(), w->mapTo(desk, at).y());
    }

    // Ticks the train timer while it runs, as its interval would.
    int runTimer(const QString& timer, const char* handler, int limit = 200)
    {
        int ticks = 0;
        while (windows().simulatorWindow()->timer(timer)->isActive() && ticks < limit) {
            windows().simulatorWindow()->runHandler(QString::fromLatin1(handler));
            ++ticks;
        }
        return ticks;
    }

    QWidget* desk = nullptr;
};

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);

} // namespace

TEST_F(DeskExercise, TrainFromAToBAndTheReleaseWithTheMouse)
{
    test::ReportRecorder rec;
    BlockState& s = windows().simulatorWindow()->sim().state();
    // The basic state on screen: the stop lamp of exit signal A is lit red,
    // the track is free.
    EXPECT_EQ(drawn(qtName(Control::ALed1), {8, 8}), kRed);
    EXPECT_EQ(drawn(qtName(Control::Shape6), {20, 6}), kWhite);
    EXPECT_FALSE(shown(qtName(Control::pdalej)));

    click("pwbl1"); // request at A
    EXPECT_TRUE(s.WblA);
    // Relay Wbl at A shows the energised picture: the blue arrow.
    EXPECT_EQ(drawn(qtName(Control::mwbl1), {4 + 7, 4 + 6}), kBlue);

    click("ppoz2"); // permission from B
    ASSERT_TRUE(shown(qtName(Control::pdalej)));
    click(qtName(Control::pdalej));
    EXPECT_FALSE(shown(qtName(Control::pdalej)));
    EXPECT_TRUE(s.OpA);

    click("psa1"); // exit signal A to proceed
    ASSERT_TRUE(shown(qtName(Control::ArrowButton1)));
    click("psa2"); // entry signal A at B to proceed
    click(qtName(Control::ArrowButton1)); // the train sets off
    EXPECT_TRUE(windows().simulatorWindow()->timer(qtName(Control::Timer1))->isActive());

    // Up to the line: the train occupies the line section.
    for (int i = 0; i < 24; ++i)
        windows().simulatorWindow()->runHandler(QStringLiteral("Timer1Timer"));
    EXPECT_EQ(s.TrainStep, 24);
    EXPECT_EQ(drawn(qtName(Control::Shape6), {20, 6}), kRed);
    EXPECT_TRUE(shown(qtName(Control::pst)));

    // The rest of the 63 steps; the step count is back at 0 after the run.
    EXPECT_EQ(runTimer(qtName(Control::Timer1), "Timer1Timer"), 63 - 24)
        << "the train stopped on the way";
    EXPECT_EQ(s.TrainStep, 0);
    EXPECT_FALSE(s.TrainRunAB);
    EXPECT_FALSE(windows().simulatorWindow()->timer(qtName(Control::Timer1))->isActive());
    EXPECT_TRUE(s.WA);
    EXPECT_TRUE(
        windows().simulatorWindow()->sim().desk().lampValue(Control::ALed19)); // Ko lamp at B
    for (const QString& section : {qtName(Control::Shape1), qtName(Control::Shape2),
             qtName(Control::oitb1), qtName(Control::oitb2), qtName(Control::itb),
             qtName(Control::Shape6), qtName(Control::ita)})
        EXPECT_EQ(drawn(section, {20, 6}), kWhite) << qPrintable(section) << " still occupied";

    click("pkoa"); // end of train at B
    ASSERT_TRUE(shown(qtName(Control::pdalej)));
    click(qtName(Control::pdalej));
    click(qtName(Control::pdalej));
    click(qtName(Control::pdalej));
    EXPECT_FALSE(shown(qtName(Control::pdalej)));
    EXPECT_EQ(s.DalejPhase, 0);
    EXPECT_FALSE(s.OpA);
    EXPECT_TRUE(s.DpA);
    EXPECT_TRUE(s.DpB);
    // Back in the basic state: stop lamp lit red again.
    EXPECT_EQ(drawn(qtName(Control::ALed1), {8, 8}), kRed);
    EXPECT_TRUE(rec.reports.isEmpty()) << rec.reports.join(QLatin1Char('\n')).toStdString();
}

TEST_F(DeskExercise, ClicksOnOtherLabelsDoNothingAndTheLineLabelShowsThePictureWindow)
{
    const BlockState before = windows().simulatorWindow()->sim().state();
    click("SpotLabel1");
    click("Label3D9");
    EXPECT_FALSE(windows().posterWindow()->isVisible());
    EXPECT_TRUE(windows().simulatorWindow()->sim().state() == before);
    click("SpotLabel3");
    EXPECT_TRUE(windows().posterWindow()->isVisible());
}
