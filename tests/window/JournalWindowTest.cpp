// The trainer's journal in the simulator window: presses through the trainer
// with their refusals below the desk, the one simulation clock with pause
// and speed, sessions saved, replayed headless and played in the window,
// and the journal's exports. Time is the tests' own (test::fakeNow).
#include "TestApp.h"

#include "BlockState.h"
#include "Controls.h"
#include "DeskNames.h"
#include "JournalWindow.h"
#include "Player.h"
#include "Replay.h"
#include "Sessions.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "StateJson.h"
#include "Trainer.h"
#include "store/MemoryCounterStore.h"

#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QPrinter>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <sstream>

using namespace kyt;

namespace {

// The component name of a pressable control by its caption and station.
QString pressable(std::string_view caption, std::optional<Station> station)
{
    for (const PressableControl& c : pressableControls())
        if (c.caption == caption && c.station == station)
            return QString::fromUtf8(c.control.data(), qsizetype(c.control.size()));
    ADD_FAILURE() << "no control " << caption;
    return {};
}

QString named(Control c)
{
    return QString::fromLatin1(controlName(c).data(), qsizetype(controlName(c).size()));
}

constexpr auto A = Station::A;
constexpr auto B = Station::B;

class JournalWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        w = std::make_unique<SimulatorWindow>();
        w->setSessionsFolder(dir.path() + QStringLiteral("/sessions"));
        w->resize(900, 640);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }

    void click(const QString& name)
    {
        QWidget* c = w->control(name);
        ASSERT_NE(c, nullptr) << name.toStdString();
        // A control just shown takes its shape when it is first drawn.
        w->desk()->grab();
        ASSERT_TRUE(c->isVisible()) << name.toStdString() << " is hidden";
        QTest::mouseClick(c, Qt::LeftButton, {}, c->rect().center());
    }

    // Lets wall time pass and the simulation clock wake once.
    void pass(std::int64_t ms)
    {
        test::fakeNow += ms;
        w->clock().tick();
    }

    // A train from A to B: request, permission, DALEJ, exit and entry
    // signal, the train's arrow.
    void startTrain()
    {
        click(pressable("Wbl", A));
        pass(300);
        click(pressable("Poz", B));
        pass(300);
        click(pressable("DALEJ", std::nullopt));
        click(pressable("A", A));
        click(pressable("A", B));
        pass(200);
        click(pressable("strzałka A", A));
    }

    bool trainRuns() const { return w->timer(named(Control::Timer1))->isActive(); }

    QString line() const
    {
        return w->statusLine()->isVisible() ? w->statusLine()->text() : QString();
    }

    QTemporaryDir dir;
    std::unique_ptr<SimulatorWindow> w;
};

TEST_F(JournalWindowTest, RefusedPressShowsItsReasonBelowTheDeskUntilTheNextPress)
{
    EXPECT_FALSE(w->statusLine()->isVisible()) << "nothing to say at start";
    // Poz at A with no request from B does nothing.
    click(pressable("Poz", A));
    const JournalEntry& refused = w->trainer().journal().entries().back();
    EXPECT_EQ(refused.result, OperationResult::Refused);
    EXPECT_EQ(refused.name, "Poz (stacja A)");
    ASSERT_FALSE(refused.reason.empty());
    EXPECT_EQ(line(), QString::fromStdString(refused.reason));
    // Below the desk's extent, not over it.
    EXPECT_GE(w->statusLine()->geometry().top(), SimulatorWindow::kDeskHeight);
    EXPECT_TRUE(w->desk()->rect().contains(w->statusLine()->geometry()));

    click(pressable("Wbl", A)); // the request goes through
    EXPECT_EQ(w->trainer().journal().entries().back().result, OperationResult::Done);
    EXPECT_FALSE(w->statusLine()->isVisible()) << line().toStdString();

    // The journal window shows both, with the time of the simulation clock.
    pass(1250);
    click(pressable("Poz", A));
    JournalWindow* j = w->journalWindow();
    j->show();
    QTableWidget* t = j->table();
    ASSERT_EQ(t->rowCount(), int(w->trainer().journal().entries().size()));
    const int last = t->rowCount() - 1;
    EXPECT_EQ(t->item(last, 0)->text(), QStringLiteral("00:01.2"));
    EXPECT_EQ(t->item(last, 1)->text(), QStringLiteral("A"));
    EXPECT_EQ(t->item(last, 2)->text(), QStringLiteral("Poz (stacja A)"));
    EXPECT_EQ(t->item(last, 3)->text(), QStringLiteral("odmowa"));
    EXPECT_EQ(t->item(last, 4)->text(), line());
    // It follows the session live.
    click(pressable("Poz", B));
    EXPECT_EQ(t->rowCount(), last + 2);
}

TEST_F(JournalWindowTest, PauseStopsTheClockAndRefusesPressesSpeedRunsItFaster)
{
    startTrain();
    const BlockState& s = w->sim().state();
    ASSERT_TRUE(trainRuns()) << w->trainer().journal().toJson();
    const std::int64_t started = w->sim().clock().now();
    pass(1000); // two steps of 500 ms
    EXPECT_EQ(w->sim().clock().now(), started + 1000);
    EXPECT_EQ(s.TrainStep, 2);

    w->setPaused(true);
    EXPECT_TRUE(line().contains(QStringLiteral("Pauza"))) << line().toStdString();
    pass(5000);
    EXPECT_EQ(w->sim().clock().now(), started + 1000) << "the clock ran while paused";
    EXPECT_EQ(s.TrainStep, 2);
    const Simulator::Snapshot before = w->sim().snapshot();
    click(pressable("Wbl", B));
    EXPECT_EQ(w->trainer().journal().entries().back().reason, "Symulacja wstrzymana.");
    EXPECT_TRUE(line().startsWith(QStringLiteral("Symulacja wstrzymana."))) << line().toStdString();
    EXPECT_TRUE(w->sim().snapshot() == before) << "a press went through while paused";

    // The keys pause and resume too.
    QTest::keyClick(w.get(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_FALSE(w->paused());
    QTest::keyClick(w.get(), Qt::Key_Pause);
    EXPECT_TRUE(w->paused());
    w->setPaused(false);
    EXPECT_FALSE(line().contains(QStringLiteral("Pauza")));
    pass(500);
    EXPECT_EQ(s.TrainStep, 3) << "the pause counted as time";

    w->setSpeed(4);
    EXPECT_TRUE(line().contains(QString::fromUtf8("Szybkość ×4"))) << line().toStdString();
    pass(1000);
    EXPECT_EQ(w->sim().clock().now(), started + 1500 + 4000);
    EXPECT_EQ(s.TrainStep, 3 + 8);
    w->setSpeed(3); // no such speed
    EXPECT_EQ(w->clock().speed(), 4);
    w->setSpeed(1);
    EXPECT_TRUE(line().isEmpty()) << line().toStdString();
}

// A whole exercise with the mouse, saved, and run through the replay core:
// the same state and the same journal.
TEST_F(JournalWindowTest, SavedSessionReplaysToTheSameState)
{
    startTrain();
    int wakes = 0;
    while (trainRuns() && wakes++ < 400)
        pass(170);
    ASSERT_FALSE(trainRuns()) << "the train did not arrive";
    EXPECT_GT(wakes, 31500 / 170 - 2);
    click(pressable("KoA", B));
    for (int i = 0; i < 3; ++i) {
        pass(420);
        click(pressable("DALEJ", std::nullopt));
    }
    pass(900);
    EXPECT_FALSE(w->control(pressable("DALEJ", std::nullopt))->isVisible());

    const QString path = dir.filePath(QStringLiteral("session.txt"));
    ASSERT_TRUE(w->saveSession(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string script = file.readAll().toStdString();
    EXPECT_EQ(script.rfind("FormActivate\ncounts ", 0), 0u) << script;

    Simulator sim;
    MemoryCounterStore store;
    sim.setCounterStore(&store);
    Trainer trainer(sim);
    std::istringstream in(script);
    std::ostringstream out, err;
    ASSERT_EQ(replay::run(in, out, err, trainer), 0) << err.str();
    EXPECT_EQ(out.str(), "") << "errors on the way";
    EXPECT_EQ(stateJson(sim), stateJson(w->sim()));
    EXPECT_EQ(trainer.journal().toJson(), w->trainer().journal().toJson());

    // Played in a window of its own, fast, then step by step: the same end.
    SimulatorWindow player;
    player.show();
    player.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&player));
    ASSERT_TRUE(player.playSession(path));
    player.setSpeed(8);
    test::fakeNow += 2000;
    player.clock().tick();
    ASSERT_FALSE(player.player()->finished());
    const std::size_t played = player.player()->played();
    player.setPaused(true);
    player.stepPlayback();
    EXPECT_EQ(player.player()->played(), played + 1);
    QTest::keyClick(&player, Qt::Key_Right);
    EXPECT_EQ(player.player()->played(), played + 2);
    while (!player.player()->finished())
        player.stepPlayback();
    EXPECT_EQ(stateJson(player.sim()), stateJson(w->sim()));
    EXPECT_EQ(player.trainer().journal().toJson(), w->trainer().journal().toJson());
}

TEST_F(JournalWindowTest, PlayingNeverWritesTheCountersAndGivesTheDeskBack)
{
    const QString store = QSettings(QSettings::NativeFormat, QSettings::UserScope,
        QStringLiteral("kyt"), QStringLiteral("sygnaly"))
                              .fileName();
    auto stored = [&] {
        QFile f(store);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    };
    const QByteArray storedBefore = stored();
    click(pressable("Wbl", A));
    const Simulator::Snapshot own = w->sim().snapshot();
    const auto ownEvents = w->trainer().sessionEvents();

    const QString path = dir.filePath(QStringLiteral("close.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("FormActivate\ncounts sza1=5 sza2=0 szb1=0 szb2=0 dkoa=0 dkob=0 dpoa=0 dpob=0\n"
            "wait 100\npwbl2Click\nFormClose\n");
    f.close();
    ASSERT_TRUE(w->playSession(path));
    click(pressable("Wbl", A)); // the desk is the played session's
    EXPECT_TRUE(line().startsWith(QStringLiteral("Trwa odtwarzanie"))) << line().toStdString();
    while (!w->player()->finished())
        w->stepPlayback();
    EXPECT_TRUE(w->sim().state().WblB);
    EXPECT_EQ(w->sim().state().sza1Count, 5);
    EXPECT_EQ(stored(), storedBefore) << "the played FormClose saved the counters";

    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_FALSE(w->playing());
    EXPECT_TRUE(w->sim().snapshot() == own);
    EXPECT_EQ(w->trainer().sessionEvents(), ownEvents);
}

TEST_F(JournalWindowTest, BadSessionsAreReportedWithTheirLineAndNothingPlays)
{
    test::ReportRecorder rec;
    const Simulator::Snapshot before = w->sim().snapshot();
    auto write = [&](const char* name, const QByteArray& data) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
        return f.fileName();
    };
    const struct {
        QString path;
        QString expected;
    } cases[] = {
        {dir.filePath(QStringLiteral("missing.txt")), QStringLiteral("Cannot open file ")},
        {write("unknown.txt", "FormActivate\nwait 10\npwbl9Click\n"),
            QStringLiteral("line 3: no such event: pwbl9Click")},
        {write("cut.txt", "FormActivate\nwait 10\npwbl1Cl"),
            QStringLiteral("line 3: the file ends inside this line")},
        {write("counts.txt", "FormActivate\ncounts sza1=1\n"),
            QStringLiteral("line 2: counts needs")},
        {write("picture.txt", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)),
            QStringLiteral("line 1: no such event")},
        {write("empty.txt", "# nothing\n\n"), QStringLiteral("no events")},
    };
    for (const auto& c : cases) {
        rec.reports.clear();
        EXPECT_FALSE(w->playSession(c.path)) << c.path.toStdString();
        ASSERT_EQ(rec.reports.size(), 1) << c.path.toStdString();
        EXPECT_TRUE(rec.reports[0].contains(c.expected)) << rec.reports[0].toStdString();
        EXPECT_FALSE(w->playing());
        EXPECT_TRUE(w->sim().snapshot() == before);
    }
}

TEST_F(JournalWindowTest, ClosingSavesTheSessionAndKeepsTheLastTen)
{
    const QString folder = dir.filePath(QStringLiteral("sessions"));
    click(pressable("Wbl", A));
    pass(700);
    w->close();
    QDir sessions(folder);
    QStringList files = sessions.entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    QFile saved(sessions.filePath(files[0]));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), w->trainer().sessionScript());

    const QString many = dir.filePath(QStringLiteral("many"));
    const QDateTime t0(QDate(2026, 3, 1), QTime(9, 0));
    for (int i = 0; i < 12; ++i)
        ASSERT_FALSE(saveSessionInto(many, QByteArray::number(i), t0.addSecs(i)).isEmpty());
    // Two saved in the same millisecond are kept apart.
    ASSERT_FALSE(saveSessionInto(many, "12", t0.addSecs(11)).isEmpty());
    sessions.setPath(many);
    files = sessions.entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), kSessionsKept);
    SCOPED_TRACE(files.join(QLatin1Char(' ')).toStdString());
    // The oldest went.
    EXPECT_EQ(files.front(), QStringLiteral("sesja-20260301-090003-000.txt"));
    EXPECT_TRUE(files.contains(QStringLiteral("sesja-20260301-090011-000-2.txt")));
    EXPECT_EQ(files.back(), QStringLiteral("sesja-20260301-090011-000.txt"));
    QFile first(sessions.filePath(files.front()));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), QByteArray("3"));
}

TEST_F(JournalWindowTest, CsvExportCarriesTheTraineeTheDateAndEveryEntry)
{
    click(pressable("Poz", A));
    pass(100);
    click(pressable("Wbl", A));
    const QString path = dir.filePath(QStringLiteral("dziennik.csv"));
    ASSERT_TRUE(w->exportCsv(
        path, QStringLiteral("Anna Nowak, gr. 2"), QStringLiteral("2026-05-04 10:30")));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("Kursant,\"Anna Nowak, gr. 2\""));
    EXPECT_EQ(lines[1], QStringLiteral("Data,2026-05-04 10:30"));
    EXPECT_EQ(lines[2], QString::fromUtf8("Czas,Stacja,Operacja,Wynik,Powód lub narracja"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("00:00.0,A,Poz (stacja A),odmowa,")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("00:00.1,A,Wbl (stacja A),wykonano,")));
    EXPECT_EQ(lines.size(), int(w->trainer().journal().entries().size()) + 4);

    // Printed to PDF, with the same heading.
    const QString pdf = dir.filePath(QStringLiteral("dziennik.pdf"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printJournal(
        w->trainer().journal(), QStringLiteral("Anna"), QStringLiteral("2026-05-04"), printer);
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");
    EXPECT_GT(printed.size(), 1000);
    EXPECT_TRUE(journalHtml(w->trainer().journal(), QStringLiteral("A&B"), QStringLiteral("d"))
                    .contains(QStringLiteral("Kursant: A&amp;B")));

    // The name is asked once and kept apart from the counters.
    setStoredTraineeName(QStringLiteral("Anna"));
    EXPECT_EQ(traineeName(nullptr), QStringLiteral("Anna"));
}

TEST_F(JournalWindowTest, TooltipsTellWhatAControlIsAndHowItStandsNow)
{
    w->trainer().setCounts({3, 0, 0, 0, 0, 0, 0, 0});
    auto tip = [&](const QString& name) {
        QWidget* c = w->control(name);
        QHelpEvent e(QEvent::ToolTip, c->rect().center(), c->mapToGlobal(c->rect().center()));
        QApplication::sendEvent(c, &e);
        return QToolTip::text();
    };
    EXPECT_EQ(tip(pressable("Sz A", A)),
        QString::fromUtf8("Sz A (stacja A) – sygnał zastępczy, użyty 3 razy"));
    EXPECT_TRUE(tip(named(Control::mpwl1)).startsWith(QString::fromUtf8("Pwl – przekaźnik")));
    EXPECT_TRUE(tip(named(Control::mwbl1)).endsWith(QStringLiteral("stacja A: odwzbudzony")));
    click(pressable("Wbl", A));
    EXPECT_TRUE(tip(named(Control::mwbl1)).endsWith(QStringLiteral("stacja A: wzbudzony")));
    EXPECT_TRUE(tip(pressable("Wbl", A)).endsWith(QStringLiteral("przekaźnik Wbl: wzbudzony")));
}

} // namespace

namespace {

TEST(JournalWindow, ShowsTheEntriesKeptAndCountsTheOnesLetGo)
{
    Journal journal(3);
    JournalWindow window(journal);
    window.show();
    auto add = [&](std::int64_t t) {
        JournalEntry e;
        e.time = t;
        e.name = "DALEJ";
        journal.add(e);
        window.refresh();
    };
    add(100);
    add(200);
    EXPECT_EQ(window.table()->rowCount(), 2);
    add(300);
    add(400);
    add(500);
    ASSERT_EQ(window.table()->rowCount(), 3);
    EXPECT_EQ(window.table()->item(0, 0)->text(), QStringLiteral("00:00.3"));
    EXPECT_EQ(window.table()->item(2, 0)->text(), QStringLiteral("00:00.5"));
    auto* dropped = window.findChild<QLabel*>();
    ASSERT_NE(dropped, nullptr);
    EXPECT_TRUE(dropped->isVisible());
    EXPECT_TRUE(dropped->text().endsWith(QStringLiteral(": 2")));
    journal.clear();
    window.refresh();
    EXPECT_EQ(window.table()->rowCount(), 0);
}

} // namespace
