// kyt-screenshot FILE.png: draws the simulator window as a trainee sees it
// while a train runs from A to B, and writes the picture to FILE.png.
// It needs no display: without one it draws off screen.
//
// kyt-screenshot --all DIR: writes every window, each as it is first shown,
// into DIR (one PNG per window, named after the window), to compare the
// program's pictures between two builds.
//
// kyt-screenshot --journal DIR: writes the trainer's journal as the trainee
// meets it: a refused press with its reason below the desk
// (journal-refused.png), the journal's window (journal.png) and the desk
// paused at speed x4 (journal-paused.png).
//
// kyt-screenshot --exercise DIR: writes a guided exercise as the trainee
// meets it: the task panel beside the desk after a hint
// (exercise-panel.png), the result when it ends (exercise-result.png) and
// the history of results (exercise-history.png).
#include "App.h"
#include "Attempt.h"
#include "ControlNames.h"
#include "Controls.h"
#include "DataFolder.h"
#include "ExercisePanel.h"
#include "ExerciseResultDialog.h"
#include "JournalWindow.h"
#include "Sessions.h"
#include "SimulationClock.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "Windows.h"

#include <QDir>
#include <QImage>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <utility>

namespace {

// Opens the simulator window as the start window does, at the desk's size
// without the window manager's frame, with `below` pixels under the desk.
// Writes a window's picture as DIR/NAME, the folder made if need be; says
// what it could not write.
bool saveShot(QWidget* window, const QString& dir, const QString& name)
{
    const QString path = dir + QLatin1Char('/') + name;
    if (QDir().mkpath(dir) && window && window->grab().toImage().save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

void openDesk(kyt::SimulatorWindow* w, int below)
{
    w->showSimulator();
    w->showNormal();
    w->resize(kyt::SimulatorWindow::kDeskWidth + 16,
        kyt::SimulatorWindow::kDeskHeight + below + w->menuBar()->sizeHint().height());
}

int shootAll(const QString& dir)
{
    kyt::Windows& all = kyt::windows();
    all.create();
    using kyt::WindowId;
    const std::pair<const char*, WindowId> windows[] = {{"start", WindowId::Start},
        {"description", WindowId::Description}, {"about", WindowId::About},
        {"poster", WindowId::Poster}, {"schematic1", WindowId::EnablingSchematic},
        {"schematic2", WindowId::LineSchematic}, {"schematic3", WindowId::DeskSchematic},
        {"schematic4", WindowId::ZpgSchematic}, {"schematic5", WindowId::PermissionSchematic}};
    int failures = 0;
    for (const auto& [name, id] : windows)
        if (!saveShot(all.window(id), dir, QLatin1String(name) + QStringLiteral(".png")))
            ++failures;
    kyt::SimulatorWindow* w = all.simulatorWindow();
    if (!w)
        return 1;
    openDesk(w, 16);
    qApp->processEvents();
    if (!saveShot(w, dir, QStringLiteral("simulator.png")))
        ++failures;
    all.destroy();
    return failures == 0 ? 0 : 1;
}

int shootJournal(const QString& dir)
{
    kyt::Windows& all = kyt::windows();
    all.create();
    kyt::SimulatorWindow* w = all.simulatorWindow();
    if (!w)
        return 1;
    openDesk(w, 56); // room below the desk for its line
    // A request, a permission that cannot be given at the requesting
    // station, then the right one and a train on its way.
    for (const char* h : {"pwbl1Click", "ppoz1Click", "ppoz2Click", "pdalejClick", "psa1Click",
             "psa2Click", "ArrowButton1Click"})
        w->runHandler(QString::fromLatin1(h));
    for (int tick = 0; tick < 9; ++tick)
        w->sim().clock().advance(500);
    w->runHandler(QStringLiteral("pkoaClick"));
    qApp->processEvents();
    int failures = 0;
    auto save = [&](QWidget* widget, const char* name) {
        if (!saveShot(widget, dir, QLatin1String(name)))
            ++failures;
    };
    save(w, "journal-refused.png");
    kyt::JournalWindow* j = w->journalWindow();
    j->show();
    j->refresh();
    qApp->processEvents();
    save(j, "journal.png");
    j->hide();
    w->setSpeed(4);
    w->setPaused(true);
    w->runHandler(QStringLiteral("pkoaClick"));
    qApp->processEvents();
    save(w, "journal-paused.png");
    all.destroy();
    return failures == 0 ? 0 : 1;
}

// The handler of a control named as the journal names it.
QString handlerOf(const std::string& name)
{
    for (const kyt::PressableControl& c : kyt::pressableControls())
        if (kyt::shortName(c) == name)
            return QString::fromLatin1(c.handler.data(), qsizetype(c.handler.size()));
    return {};
}

std::int64_t fakeNow = 0;

int shootExercise(const QString& dir, const QString& scratch)
{
    kyt::setStoredTraineeName(QStringLiteral("Jan Kowalski"));
    kyt::Windows& all = kyt::windows();
    all.create();
    kyt::SimulatorWindow* w = all.simulatorWindow();
    if (!w)
        return 1;
    w->setResultsFile(scratch + QStringLiteral("/results.json"));
    w->showSimulator();
    w->showNormal();
    const std::vector<kyt::Exercise>& list = w->loadExercises(kyt::exercisesFolder());
    if (list.empty())
        return 1;
    w->startExercise(list.front());
    w->resize(kyt::SimulatorWindow::kDeskWidth + kyt::ExercisePanel::kWidth,
        kyt::SimulatorWindow::kDeskHeight + 16 + w->menuBar()->sizeHint().height());
    auto wait = [&](std::int64_t ms) {
        fakeNow += ms;
        w->clock().tick();
    };
    wait(4200);
    w->runHandler(handlerOf("Wbl (stacja A)"));
    wait(3100);
    w->runHandler(handlerOf("Poz (stacja A)")); // refused: a mistake
    wait(2000);
    w->exercisePanel()->hintButton()->click();
    qApp->processEvents();
    int failures = 0;
    auto save = [&](QWidget* widget, const char* name) {
        if (!saveShot(widget, dir, QLatin1String(name)))
            ++failures;
    };
    save(w, "exercise-panel.png");
    w->runHandler(handlerOf("Poz (stacja B)"));
    wait(1500);
    w->runHandler(handlerOf("DALEJ"));
    qApp->processEvents();
    if (!w->resultDialog())
        return 1;
    save(w->resultDialog(), "exercise-result.png");
    w->resultDialog()->accept();
    QWidget* history = w->resultsHistory();
    history->show();
    qApp->processEvents();
    save(history, "exercise-history.png");
    all.destroy();
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--journal") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        kyt::App app(argc, argv);
        return shootJournal(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 3 && QByteArray(argv[1]) == "--exercise") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // The trainee's name and results stay out of the user's own files.
        QTemporaryDir scratch;
        qputenv("XDG_CONFIG_HOME", scratch.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", scratch.path().toLocal8Bit());
        kyt::SimulationClock::setDefaultTimeSource([] { return fakeNow; });
        kyt::App app(argc, argv);
        return shootExercise(QString::fromLocal8Bit(argv[2]), scratch.path());
    }
    if (argc == 3 && QByteArray(argv[1]) == "--all") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        kyt::App app(argc, argv);
        return shootAll(QString::fromLocal8Bit(argv[2]));
    }
    if (argc != 2) {
        std::fprintf(stderr,
            "usage: kyt-screenshot FILE.png | --all DIR | --journal DIR | --exercise DIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kyt::App app(argc, argv);
    QStringList errors;
    kyt::setReporter([&](const QString& text) { errors << text; });
    app.windows().create();
    kyt::SimulatorWindow* w = app.windows().simulatorWindow();
    if (!w)
        return 1;
    openDesk(w, 16);
    // A train from A to B: request, permission, exit and entry signal, off.
    for (const char* h :
        {"pwbl1Click", "ppoz2Click", "pdalejClick", "psa1Click", "psa2Click", "ArrowButton1Click"})
        w->runHandler(QString::fromLatin1(h));
    for (int tick = 0; tick < 24 && w->timer(kyt::qtName(kyt::Control::Timer1))->isActive(); ++tick)
        w->runHandler(QStringLiteral("Timer1Timer"));
    app.processEvents();
    const QImage shot = w->grab().toImage();
    const bool saved = shot.save(QString::fromLocal8Bit(argv[1]));
    app.windows().destroy();
    if (!saved) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    // A scene that did not play as it should is no picture for the README.
    if (!errors.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(errors.join(QLatin1Char('\n'))));
        return 1;
    }
    return 0;
}
