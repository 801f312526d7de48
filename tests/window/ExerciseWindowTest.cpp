// A guided exercise in the simulator window: chosen from its menu, operated
// with the mouse on the desk, its result shown and stored; the results file
// kept whole when damaged or out of reach.
#include "ControlNames.h"
#include "TestApp.h"

#include "Attempt.h"
#include "Controls.h"
#include "DataFolder.h"
#include "ExercisePanel.h"
#include "ExerciseResultDialog.h"
#include "ExerciseResults.h"
#include "JournalWindow.h"
#include "Sessions.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "Trainer.h"
#include "Windows.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace kyt;

namespace {

class GuidedExercise : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        windows().create();
        windows().startWindow()->show();
        QWidget* st = windows().startWindow()->controls().get(QStringLiteral("st"));
        QTest::mouseClick(st, Qt::LeftButton, {}, st->rect().center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(windows().simulatorWindow()));
        sw = windows().simulatorWindow();
        desk = sw->desk();
        sw->setResultsFile(results());
        setStoredTraineeName(QStringLiteral("Jan Kowalski"));
    }
    void TearDown() override { windows().destroy(); }

    QString results() const { return dir.filePath(QStringLiteral("kyt/results.json")); }

    // Chooses an exercise from the "Ćwiczenia" menu.
    void choose(const QString& id)
    {
        sw->loadExercises(exercisesFolder());
        auto* action = sw->exerciseMenu()->findChild<QAction*>(QStringLiteral("Cwiczenie_") + id);
        ASSERT_NE(action, nullptr) << qPrintable(id);
        action->trigger();
        ASSERT_NE(sw->attempt(), nullptr);
    }

    // Clicks a desk control, named as the journal names it, where the
    // screen shows it.
    void click(const std::string& name)
    {
        QWidget* w = nullptr;
        for (const PressableControl& c : pressableControls())
            if (shortName(c) == name)
                w = sw->control(QString::fromLatin1(c.control.data(), qsizetype(c.control.size())));
        ASSERT_NE(w, nullptr) << name;
        desk->grab();
        const QPoint centre = w->mapTo(desk, w->rect().center());
        QWidget* hit = desk->childAt(centre);
        ASSERT_EQ(hit, w) << name << " is not what the desk shows at its centre";
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(desk, centre));
    }

    void wait(std::int64_t ms)
    {
        test::fakeNow += ms;
        sw->clock().tick();
    }

    QTemporaryDir dir;
    SimulatorWindow* sw = nullptr;
    QWidget* desk = nullptr;
};

} // namespace

TEST_F(GuidedExercise, TheMenuListsTheExercisesBetweenTheJournalAndTheView)
{
    const std::vector<Exercise>& list = sw->loadExercises(exercisesFolder());
    ASSERT_EQ(list.size(), 14u);
    QStringList menus;
    for (QAction* a : sw->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(
        menus.indexOf(QStringLiteral("Ćwiczenia")), menus.indexOf(QStringLiteral("Dziennik")) + 1);
    EXPECT_EQ(
        menus.indexOf(QStringLiteral("Widok")), menus.indexOf(QStringLiteral("Ćwiczenia")) + 1);
    const QList<QAction*> items = sw->exerciseMenu()->actions();
    ASSERT_GE(items.size(), 14);
    EXPECT_EQ(
        items[0]->text(), QStringLiteral("Pozwolenie na wyprawienie pociągu z A do B (łatwe)"));
    EXPECT_EQ(items.last()->text(), QStringLiteral("Historia wyników"));
}

TEST_F(GuidedExercise, AnExerciseDoneWithTheMouseIsPassedWithFullScoreAndStored)
{
    test::ReportRecorder rec;
    // What the trainee did before: a request at A, and the counts of the
    // emergency buttons used so far.
    click("Wbl (stacja A)");
    ASSERT_TRUE(sw->sim().state().WblA);
    // The journal read then, and closed.
    showWindow(sw->journalWindow());
    sw->journalWindow()->hide();
    const CountValues counts {1, 2, 3, 4, 5, 6, 7, 8};
    sw->trainer().setCounts(counts);
    wait(5000);

    choose(QStringLiteral("blokada-a-b"));
    // The desk starts afresh, the counts stay, the clock starts at nought.
    EXPECT_FALSE(sw->sim().state().WblA);
    EXPECT_EQ(sw->trainer().counts(), counts);
    EXPECT_EQ(sw->sim().clock().now(), 0);
    for (const char* timer : {"Timer1", "Timer2", "Timer3", "Timer4"})
        EXPECT_FALSE(sw->timer(QString::fromLatin1(timer))->isActive()) << timer;

    // The panel stands beside the desk, which keeps its size.
    ExercisePanel* panel = sw->exercisePanel();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->geometry().left(), SimulatorWindow::kDeskWidth);
    EXPECT_EQ(sw->control(qtName(Control::lwbl1))->mapTo(desk, QPoint()).x()
            < SimulatorWindow::kDeskWidth,
        true);
    EXPECT_EQ(panel->goalLabel()->text(), QStringLiteral("1/3. Stacja A zgłasza blokadę (Wbl)"));
    EXPECT_EQ(panel->clockLabel()->text(), QStringLiteral("Czas: 00:00 / 01:00"));
    wait(2500);
    EXPECT_EQ(panel->clockLabel()->text(), QStringLiteral("Czas: 00:02 / 01:00"));

    click("Wbl (stacja A)");
    EXPECT_EQ(panel->goalLabel()->text(), QStringLiteral("2/3. Stacja B daje pozwolenie (Poz)"));
    click("Poz (stacja B)");
    click("DALEJ");

    // The result comes up at once.
    ExerciseResultDialog* result = sw->resultDialog();
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->isVisible());
    EXPECT_TRUE(result->passed());
    EXPECT_EQ(result->score(), 100);
    const QString text = result->view()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Zaliczone"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Jan Kowalski")));
    EXPECT_TRUE(text.contains(QStringLiteral("Kierunek A→B ustawiony")));
    EXPECT_TRUE(text.contains(QStringLiteral("Brak.")));
    // The journal of the attempt: the presses, not the one before it.
    EXPECT_EQ(text.count(QStringLiteral("Wbl (stacja A)")), 1) << text.toStdString();
    // The journal's window opened again shows the attempt's entries only.
    showWindow(sw->journalWindow());
    QTableWidget* rows = sw->journalWindow()->table();
    ASSERT_EQ(std::size_t(rows->rowCount()), sw->trainer().journal().entries().size());
    EXPECT_EQ(rows->item(0, 0)->text(), QStringLiteral("00:02.5"));
    sw->journalWindow()->hide();

    const QList<ExerciseResult> stored = readResults(results());
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].exercise, QStringLiteral("blokada-a-b"));
    EXPECT_EQ(stored[0].score, 100);
    EXPECT_TRUE(stored[0].passed);
    EXPECT_EQ(stored[0].trainee, QStringLiteral("Jan Kowalski"));

    // Closed, the panel goes and the desk is the trainee's again.
    QTest::mouseClick(
        result->findChild<QPushButton*>(QStringLiteral("closeResult")), Qt::LeftButton);
    EXPECT_EQ(sw->attempt(), nullptr);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(rec.reports.isEmpty()) << rec.reports.join(QLatin1Char('\n')).toStdString();
}

TEST_F(GuidedExercise, AWindowNotMaximisedWidensForThePanel)
{
    sw->showNormal();
    sw->resize(500, 400);
    const QPoint deskAt = sw->control(qtName(Control::lwbl1))->mapTo(sw, QPoint());
    choose(QStringLiteral("blokada-a-b"));
    EXPECT_GE(sw->width(), SimulatorWindow::kDeskWidth + ExercisePanel::kWidth);
    EXPECT_GE(desk->height(), SimulatorWindow::kDeskHeight);
    EXPECT_EQ(sw->control(qtName(Control::lwbl1))->mapTo(sw, QPoint()), deskAt);
    const QRect panel = sw->exercisePanel()->geometry();
    EXPECT_EQ(panel,
        QRect(SimulatorWindow::kDeskWidth, 0, ExercisePanel::kWidth, SimulatorWindow::kDeskHeight));
    EXPECT_TRUE(desk->rect().contains(panel));
}

TEST_F(GuidedExercise, AHintCostsPointsAndFinishingEarlyFails)
{
    choose(QStringLiteral("blokada-a-b"));
    ExercisePanel* panel = sw->exercisePanel();
    QTest::mouseClick(panel->hintButton(), Qt::LeftButton);
    EXPECT_TRUE(panel->hintLabel()->isVisibleTo(panel));
    EXPECT_EQ(panel->hintLabel()->text().toStdString(), sw->attempt()->exercise().goals[0].hint);
    click("Wbl (stacja A)");
    EXPECT_TRUE(panel->hintLabel()->isHidden()) << "the hint of a reached goal stays";
    QTest::mouseClick(panel->finishButton(), Qt::LeftButton);
    ExerciseResultDialog* result = sw->resultDialog();
    ASSERT_NE(result, nullptr);
    EXPECT_FALSE(result->passed());
    EXPECT_EQ(result->score(), 100 - 5);
    EXPECT_TRUE(result->view()->toPlainText().contains(QStringLiteral("Niezaliczone")));
    ASSERT_EQ(readResults(results()).size(), 1);
    EXPECT_EQ(readResults(results())[0].hints, 1);

    // The history lists the attempts by exercise with the best score.
    ResultsHistoryWindow* history = sw->resultsHistory();
    ASSERT_EQ(history->tree()->topLevelItemCount(), 1);
    EXPECT_EQ(history->tree()->topLevelItem(0)->childCount(), 1);
    EXPECT_TRUE(history->tree()->topLevelItem(0)->text(2).contains(QStringLiteral("95")));
}

TEST_F(GuidedExercise, EmergencyButtonsUsedDuringAnExerciseCountOnTheUsersCounters)
{
    const CountValues before {3, 0, 0, 0, 1, 0, 0, 0};
    sw->trainer().setCounts(before);
    choose(QStringLiteral("pociag-stoj"));
    const CountValues atStart = sw->trainer().counts();
    click("dKo A (stacja B)");
    ASSERT_EQ(sw->attempt()->mistakes().size(), 1u);
    EXPECT_EQ(sw->attempt()->mistakes()[0].kind, MistakeKind::Emergency);
    QTest::mouseClick(sw->exercisePanel()->finishButton(), Qt::LeftButton);
    sw->resultDialog()->accept();
    ASSERT_EQ(sw->attempt(), nullptr);
    const CountValues after = sw->trainer().counts();
    int used = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_GE(after[i], atStart[i]);
        EXPECT_GE(atStart[i], before[i]);
        used += after[i] - atStart[i];
    }
    EXPECT_EQ(used, 1);
}

TEST_F(GuidedExercise, AFileThatIsNoExerciseIsReportedAndNothingChanges)
{
    test::ReportRecorder rec;
    click("Wbl (stacja A)");
    const Simulator::Snapshot before = sw->sim().snapshot();
    const QString bad = dir.filePath(QStringLiteral("zle.json"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"id\": \"x\", \"title\": 5}");
    f.close();
    EXPECT_FALSE(sw->openExercise(bad));
    ASSERT_EQ(rec.reports.size(), 1);
    EXPECT_TRUE(rec.reports[0].contains(QStringLiteral("zle.json")))
        << rec.reports[0].toStdString();
    EXPECT_EQ(sw->attempt(), nullptr);
    EXPECT_FALSE(sw->exercisePanel()->isVisible());
    EXPECT_TRUE(sw->sim().snapshot() == before);

    // A good one is started from its file.
    EXPECT_TRUE(sw->openExercise(exercisesFolder() + QStringLiteral("/02-blokada-b-a.json")));
    ASSERT_NE(sw->attempt(), nullptr);
    EXPECT_EQ(sw->attempt()->exercise().id, "blokada-b-a");
}

TEST_F(GuidedExercise, TheTimeLimitEndsTheAttemptThroughTheWindowsClock)
{
    choose(QStringLiteral("blokada-a-b"));
    wait(30000);
    EXPECT_EQ(sw->resultDialog(), nullptr);
    wait(31000);
    ASSERT_NE(sw->resultDialog(), nullptr);
    EXPECT_FALSE(sw->resultDialog()->passed());
    EXPECT_EQ(sw->resultDialog()->score(), 100 - 30);
}

TEST_F(GuidedExercise, AResultsFileOutOfReachIsReportedAndTheResultStillShown)
{
    test::ReportRecorder rec;
    // Its folder would have to be made inside a file.
    QFile blocker(dir.filePath(QStringLiteral("plik")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    sw->setResultsFile(dir.filePath(QStringLiteral("plik/kyt/results.json")));
    choose(QStringLiteral("blokada-a-b"));
    QTest::mouseClick(sw->exercisePanel()->finishButton(), Qt::LeftButton);
    ASSERT_EQ(rec.reports.size(), 1);
    EXPECT_NE(sw->resultDialog(), nullptr);
}

TEST(ExerciseResultsFile, WrittenReadBackDamagedSetAsideAndRefusedWhenOutOfReach)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kyt/results.json"));
    EXPECT_TRUE(readResults(path).isEmpty());

    ExerciseResult a;
    a.exercise = QStringLiteral("blokada-a-b");
    a.title = QStringLiteral("Pozwolenie");
    a.trainee = QStringLiteral("Anna");
    a.date = QStringLiteral("2026-01-02 10:00");
    a.passed = true;
    a.score = 90;
    a.time = 12345;
    a.mistakes = 2;
    ExerciseResult b = a;
    b.score = 70;
    b.passed = false;
    QString error;
    QString problem;
    ASSERT_TRUE(addResult(path, a, &error, &problem)) << error.toStdString();
    ASSERT_TRUE(addResult(path, b, &error, &problem)) << error.toStdString();
    EXPECT_TRUE(problem.isEmpty());
    QList<ExerciseResult> back = readResults(path, &problem);
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[0].score, 90);
    EXPECT_EQ(back[0].time, 12345);
    EXPECT_EQ(back[0].mistakes, 2);
    EXPECT_EQ(back[0].trainee, QStringLiteral("Anna"));
    EXPECT_FALSE(back[1].passed);
    EXPECT_TRUE(problem.isEmpty());

    // Damaged: put aside whole, and a new file begun with the next result.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"results\": [ {\"exercise\": ");
    file.close();
    ASSERT_TRUE(addResult(path, b, &error, &problem));
    EXPECT_TRUE(problem.contains(QStringLiteral("results.json.bad"))) << problem.toStdString();
    QFile bad(path + QStringLiteral(".bad"));
    ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
    EXPECT_EQ(bad.readAll(), QByteArray("{\"results\": [ {\"exercise\": "));
    problem.clear();
    back = readResults(path, &problem);
    EXPECT_TRUE(problem.isEmpty());
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back[0].score, 70);

    // Valid JSON that holds no results is damaged too.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[1, 2]");
    file.close();
    EXPECT_TRUE(readResults(path, &problem).isEmpty());
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    // A folder that cannot be made: refused with the reason.
    QFile blocker(dir.filePath(QStringLiteral("plik")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    error.clear();
    EXPECT_FALSE(addResult(dir.filePath(QStringLiteral("plik/results.json")), a, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(GuidedExercise, TheReportIsSavedAsHtmlAndPdf)
{
    test::ReportRecorder rec;
    choose(QStringLiteral("blokada-a-b"));
    QTest::mouseClick(sw->exercisePanel()->finishButton(), Qt::LeftButton);
    ASSERT_NE(sw->resultDialog(), nullptr);
    const QString html = dir.filePath(QStringLiteral("raport.html"));
    ASSERT_TRUE(saveExerciseReport(html, sw->resultDialog()->html()));
    QFile h(html);
    ASSERT_TRUE(h.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(h.readAll());
    EXPECT_TRUE(written.contains(QStringLiteral("Jan Kowalski")));
    EXPECT_TRUE(written.contains(QStringLiteral("Niezaliczone")));
    const QString pdf = dir.filePath(QStringLiteral("raport.pdf"));
    ASSERT_TRUE(saveExerciseReport(pdf, sw->resultDialog()->html()));
    QFile p(pdf);
    ASSERT_TRUE(p.open(QIODevice::ReadOnly));
    EXPECT_TRUE(p.read(4) == "%PDF");
    EXPECT_FALSE(saveExerciseReport(
        dir.filePath(QStringLiteral("nie/ma/raport.html")), QStringLiteral("x")));
    EXPECT_EQ(rec.reports.size(), 1);
}
