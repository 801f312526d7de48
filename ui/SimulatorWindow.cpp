#include "SimulatorWindow.h"

#include "App.h"
#include "Attempt.h"
#include "Colors.h"
#include "Controls.h"
#include "Counters.h"
#include "DataFolder.h"
#include "DigitCounter.h"
#include "ExercisePanel.h"
#include "ExerciseResultDialog.h"
#include "ExerciseResults.h"
#include "Help.h"
#include "JournalWindow.h"
#include "Led.h"
#include "Pictures.h"
#include "Player.h"
#include "RelayIndicator.h"
#include "Script.h"
#include "Sessions.h"
#include "SettingsCounterStore.h"
#include "Simulator.h"
#include "StdControls.h"
#include "Trainer.h"
#include "Windows.h"
#include "store/MemoryCounterStore.h"

#include <QAbstractEventDispatcher>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolTip>

#include <map>
#include <sstream>

namespace kyt {

namespace {

// The window's own handlers: each shows one window.
const std::map<QString, WindowId>& windowHandlers()
{
    static const std::map<QString, WindowId> map = {
        {QStringLiteral("SpotLabel3Click"), WindowId::Poster},
        {QStringLiteral("Wczaniaizw1Click"), WindowId::EnablingSchematic},
        {QStringLiteral("Liniowy1Click"), WindowId::LineSchematic},
        {QStringLiteral("ZPG1Click"), WindowId::ZpgSchematic},
        {QStringLiteral("Pulpit1Click"), WindowId::DeskSchematic},
        {QStringLiteral("Zwrpozwolenia1Click"), WindowId::PermissionSchematic},
        {QStringLiteral("Oblokadzie1Click"), WindowId::Description},
        {QStringLiteral("Oprogramie2Click"), WindowId::About},
    };
    return map;
}

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// The control of a desk name as the class the desk table made it; a control
// of another class is a fault of the table.
template <typename T>
T* as(QWidget* w)
{
    if (T* typed = qobject_cast<T*>(w))
        return typed;
    throw layout::LayoutError(
        QStringLiteral("%1 is no %2")
            .arg(w->objectName(), QString::fromLatin1(T::staticMetaObject.className()))
            .toStdString());
}

// Shows a relay look on an indicator: its picture, once; the indicator
// repaints only if its look changes.
void mapa(QWidget* w, const QString& look)
{
    as<RelayIndicator>(w)->setLook(loadPicture(look), 1.0);
}

void reportToUser(const std::exception& e)
{
    reportException(e);
}

// The date the journal's exports carry.
QString exportDate()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace

// The trainee's own session while a saved one plays.
struct SimulatorWindow::PutAside {
    Simulator::Snapshot snapshot;
    std::array<std::int32_t, 8> storedCounts {};
    Trainer::Record record;
    CounterStore* store = nullptr;
    MemoryCounterStore playStore; // the played session's saves go here
};

const QStringList& SimulatorWindow::ownHandlers()
{
    static const QStringList list = [] {
        QStringList l;
        for (const auto& [name, ref] : windowHandlers())
            l << name;
        return l;
    }();
    return list;
}

SimulatorWindow::SimulatorWindow(QWidget* parent)
    : QMainWindow(parent), sim_(std::make_unique<Simulator>())
{
    store_ = std::make_unique<SettingsCounterStore>();
    sim_->setCounterStore(store_.get());
    setObjectName(QStringLiteral("blok"));
    setWindowTitle(QStringLiteral("Symulator Kyt"));
    resize(kDesignWidth, kDesignHeight);

    // The desk keeps its pixel layout: a smaller client area clips it.
    desk_ = new QWidget(this);
    desk_->setObjectName(QStringLiteral("desk"));
    QPalette pal = desk_->palette();
    pal.setColor(QPalette::Window, toQColor(rgbValue(140, 198, 165)));
    pal.setColor(QPalette::WindowText, toQColor(clWindowText));
    desk_->setPalette(pal);
    desk_->setAutoFillBackground(true);
    desk_->setFont(layout::makeFont(
        {QStringLiteral("MS Sans Serif"), 11, false, clWindowText}, desk_->font()));
    setCentralWidget(desk_);

    trainer_ = std::make_unique<Trainer>(*sim_, kJournalCapacity);
    buildMenu();
    controls_ = layout::build(desk_, blokTable(), layout::standardClasses(),
        [this](const QString& handler, QWidget*) { runHandler(handler); });
    buildTimers();
    bindDesk();

    // The line below the desk's extent, drawn only when it has something to
    // say, so that the desk looks as it always did.
    status_ = new QLabel(desk_);
    status_->setObjectName(QStringLiteral("statusLine"));
    status_->setGeometry(8, kDeskHeight + 2, kDeskWidth - 16, 34);
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->hide();

    // Tooltips are worked out when asked for, from the desk as it is then.
    for (QWidget* w : controls_.inOrder())
        if (!controlHelp(*sim_, w->objectName().toStdString()).empty())
            w->installEventFilter(this);

    panel_ = new ExercisePanel(desk_);
    panel_->setGeometry(kDeskWidth, 0, ExercisePanel::kWidth, kDeskHeight);
    panel_->hide();
    connect(panel_, &ExercisePanel::hintAsked, this, [this] {
        if (attempt_)
            panel_->setHintText(QString::fromStdString(attempt_->takeHint()));
        afterChange();
    });
    connect(panel_, &ExercisePanel::finishAsked, this, [this] { finishExercise(); });

    clock_.setSink([this](std::int64_t ms) { clockAdvanced(ms); });
    sessionsFolder_ = sessionsFolder();
    resultsFile_ = kyt::resultsFile();
}

SimulatorWindow::~SimulatorWindow()
{
    // The played session's desk is not the trainee's: put theirs back first.
    attempt_.reset();
    player_.reset();
    trainer_.reset();
    if (observer_)
        sim_->desk().removeObserver(observer_);
}

void SimulatorWindow::buildMenu()
{
    struct Item {
        const char* name;
        const char* caption;
        const char* handler;
    };
    struct Menu {
        const char* name;
        const char* caption;
        std::vector<Item> items;
    };
    const Menu menus[] = {
        {"Schematy1", "Schematy",
            {{"Wczaniaizw1", "Wł. i zw. blokady", "Wczaniaizw1Click"},
                {"Liniowy1", "Liniowy", "Liniowy1Click"}, {"ZPG1", "ZPG", "ZPG1Click"},
                {"Pulpit1", "Pulpit", "Pulpit1Click"},
                {"Zwrpozwolenia1", "Zwr. pozwolenia", "Zwrpozwolenia1Click"}}},
        {"Oprogramie1", "INFORMACJE",
            {{"Oblokadzie1", "O blokadzie", "Oblokadzie1Click"},
                {"Oprogramie2", "O programie", "Oprogramie2Click"}}},
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setNativeMenuBar(false);
    for (const Menu& m : menus) {
        // No item has a shortcut key: captions are shown as they are.
        QMenu* menu = bar->addMenu(
            QString::fromUtf8(m.caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
        menu->setObjectName(QString::fromLatin1(m.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(m.name));
        for (const Item& it : m.items) {
            QAction* a = menu->addAction(QString::fromUtf8(it.caption));
            a->setObjectName(QString::fromLatin1(it.name));
            const QString handler = QString::fromLatin1(it.handler);
            connect(a, &QAction::triggered, this, [this, handler] { runHandler(handler); });
        }
    }
    buildJournalMenus(bar);
}

void SimulatorWindow::buildJournalMenus(QMenuBar* bar)
{
    auto addMenu = [&](const char* name, const char* caption) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addItem = [&](QMenu* menu, const char* name, const char* caption, auto&& slot) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu* journal = addMenu("Dziennik1", "Dziennik");
    addItem(journal, "Pokazdziennik1", "Pokaż dziennik", [this] { showWindow(journalWindow()); });
    addItem(journal, "EksportCSV1", "Eksportuj do CSV...", [this] { exportCsvAsked(); });
    addItem(journal, "Drukuj1", "Drukuj...", [this] { printAsked(false); });
    addItem(journal, "ZapiszPDF1", "Zapisz jako PDF...", [this] { printAsked(true); });
    journal->addSeparator();
    addItem(journal, "Zapiszsesje1", "Zapisz sesję...", [this] { saveSessionAsked(); });
    addItem(journal, "Odtworzsesje1", "Odtwórz sesję...", [this] { playSessionAsked(); });
    stopPlayAction_ = addItem(
        journal, "Zakonczodtwarzanie1", "Zakończ odtwarzanie", [this] { stopPlayback(); });
    stopPlayAction_->setShortcut(Qt::Key_Escape);
    stopPlayAction_->setEnabled(false);

    buildExerciseMenu(bar);

    QMenu* view = addMenu("Widok1", "Widok");
    pauseAction_ = addItem(view, "Pauza1", "Pauza", [this](bool on) { setPaused(on); });
    pauseAction_->setCheckable(true);
    pauseAction_->setShortcuts(
        {QKeySequence(Qt::Key_Pause), QKeySequence(Qt::CTRL | Qt::Key_Space)});
    view->addSeparator();
    auto* speeds = new QActionGroup(this);
    for (int speed : SimulationClock::kSpeeds) {
        QAction* a = addItem(view, "Szybkosc1",
            QStringLiteral("Szybkość ×%1").arg(speed).toUtf8().constData(),
            [this, speed] { setSpeed(speed); });
        a->setObjectName(QStringLiteral("Szybkosc%1").arg(speed));
        a->setCheckable(true);
        a->setChecked(speed == 1);
        a->setActionGroup(speeds);
        speedActions_ << a;
    }
    view->addSeparator();
    QAction* step = addItem(
        view, "Nastepnezdarzenie1", "Następne zdarzenie odtwarzania", [this] { stepPlayback(); });
    step->setShortcut(Qt::Key_Right);
}

void SimulatorWindow::buildTimers()
{
    for (const VirtualClock::TimerSpec& entry : VirtualClock::timers()) {
        auto* t = new QTimer(this);
        const QString name = QString::fromLatin1(entry.timer.data(), qsizetype(entry.timer.size()));
        const QString handler
            = QString::fromLatin1(entry.handler.data(), qsizetype(entry.handler.size()));
        t->setObjectName(name);
        t->setInterval(int(entry.period));
        t->setTimerType(Qt::PreciseTimer);
        const std::size_t index = std::size_t(timers_.size());
        connect(t, &QTimer::timeout, this, [this, index] { deskTimerFired(index); });
        timers_.insert(name, t);
    }
}

void SimulatorWindow::bindDesk()
{
    DeskModel& model = sim_->desk();
    // Every control of the model must be on the desk: a missing one would
    // leave the trainee looking at a stale screen.
    for (const std::string& name : model.controlNames()) {
        if (model.kind(name) == ControlKind::Timer) {
            if (!timers_.contains(qs(name)))
                throw layout::LayoutError("no timer named " + name);
        } else {
            controls_.get(qs(name));
        }
    }
    observer_ = model.addObserver([this](const std::string& control, const std::string& property) {
        showChange(control, property);
    });
    // The desk starts as the model holds it.
    for (const std::string& name : model.controlNames())
        for (const std::string& property : DeskModel::propertyNames(model.kind(name)))
            showChange(name, property);
}

void SimulatorWindow::showChange(const std::string& control, const std::string& property)
{
    const DeskModel& model = sim_->desk();
    const ControlKind kind = model.kind(control);
    if (kind == ControlKind::Timer) {
        QTimer* t = timers_.value(qs(control));
        if (model.timerEnabled(control)) {
            if (!t->isActive()) { // enabling a running timer does not restart it
                t->start();
                // It shows the timer's state; the simulation clock alone
                // wakes the window.
                if (QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance(t->thread()))
                    d->unregisterTimer(t->timerId());
            }
        } else {
            t->stop();
        }
        return;
    }
    QWidget* w = controls_.get(qs(control));
    if (property == "Visible") {
        w->setVisible(model.visible(control));
        return;
    }
    switch (kind) {
    case ControlKind::Lamp:
        if (property == "Value")
            as<Led>(w)->setValue(model.lampValue(control));
        else if (property == "Blink")
            as<Led>(w)->setBlink(model.lampBlink(control));
        else if (property == "TrueColor")
            as<Led>(w)->setTrueColor(model.lampColor(control));
        break;
    case ControlKind::Indicator: mapa(w, qs(std::string(lookName(model.look(control))))); break;
    case ControlKind::Counter: as<DigitCounter>(w)->setValue(model.counterValue(control)); break;
    case ControlKind::Section: as<Shape>(w)->setBrushColor(model.sectionColor(control)); break;
    case ControlKind::TrainButton:
    case ControlKind::Label: layout::setCaption(w, qs(model.caption(control))); break;
    case ControlKind::Memo: as<Memo>(w)->setText(qs(model.text(control))); break;
    case ControlKind::Shown:
    case ControlKind::Timer: break;
    }
}

void SimulatorWindow::runHandler(const QString& handler)
{
    guarded([&] {
        const auto it = windowHandlers().find(handler);
        if (it != windowHandlers().end())
            showWindow(windows().window(it->second));
        else
            callSimulation(handler);
    });
}

void SimulatorWindow::callSimulation(const QString& handler)
{
    const std::string name = handler.toStdString();
    if (playing() && findPressableByHandler(name)) {
        // The desk belongs to the session being played.
        refusal_ = QStringLiteral("Trwa odtwarzanie sesji: pulpit nie przyjmuje kliknięć.");
        showStatus();
        return;
    }
    // The press comes at the present moment: the clock catches up first.
    clock_.tick();
    refusal_.clear();
    struct Shown {
        SimulatorWindow* w;
        ~Shown() { w->afterChange(); }
    } shown {this};
    const Trainer::Outcome outcome = attempt_ ? attempt_->press(name) : trainer_->press(name);
    if (outcome.delivered && outcome.result == OperationResult::Refused)
        refusal_ = QString::fromStdString(outcome.reason);
}

void SimulatorWindow::deskTimerFired(std::size_t index)
{
    const VirtualClock::State& state = sim_->clock().state();
    if (playing() || index >= state.due.size() || state.due[index] < state.now)
        return;
    guarded([&] {
        if (attempt_)
            attempt_->advance(state.due[index] - state.now, reportToUser);
        else
            trainer_->advance(state.due[index] - state.now, reportToUser);
    });
    afterChange();
}

void SimulatorWindow::clockAdvanced(std::int64_t ms)
{
    // An error box opened by a tick runs its own event loop, in which the
    // clock goes on waking: those wakings wait for the box.
    if (inClock_)
        return;
    inClock_ = true;
    guarded([&] {
        if (player_) {
            player_->advance(ms, reportToUser);
            refusal_ = QString::fromStdString(trainer_->lastRefusal());
        } else if (attempt_) {
            attempt_->advance(ms, reportToUser);
        } else {
            trainer_->advance(ms, reportToUser);
        }
    });
    inClock_ = false;
    afterChange();
}

void SimulatorWindow::afterChange()
{
    if (journal_ && journal_->isVisible())
        journal_->refresh();
    showStatus();
    if (attempt_) {
        panel_->showAttempt(attempt_.get());
        if (attempt_->finished() && !resultShown_)
            showResult();
    }
}

void SimulatorWindow::showStatus()
{
    QStringList parts;
    if (!refusal_.isEmpty())
        parts << refusal_;
    if (player_) {
        parts << (player_->finished()
                ? QStringLiteral("Odtwarzanie sesji zakończone (Esc: powrót)")
                : QStringLiteral("Odtwarzanie sesji: zdarzenie %1 z %2 (→: następne)")
                      .arg(player_->played() + 1)
                      .arg(player_->count()));
    }
    if (clock_.paused())
        parts << QStringLiteral("Pauza (Pause lub Ctrl+Spacja: wznów)");
    if (clock_.speed() != 1)
        parts << QStringLiteral("Szybkość ×%1").arg(clock_.speed());
    const QString text = parts.join(QStringLiteral("   •   "));
    if (text != status_->text())
        status_->setText(text);
    status_->setVisible(!text.isEmpty());
}

JournalWindow* SimulatorWindow::journalWindow()
{
    if (!journal_)
        journal_ = new JournalWindow(trainer_->journal(), this);
    return journal_;
}

void SimulatorWindow::setPaused(bool paused)
{
    clock_.setPaused(paused);
    trainer_->setPaused(paused);
    // What the pause refused is past once the clock runs again.
    if (!paused && refusal_ == QString::fromUtf8(kPausedReason.data(), kPausedReason.size()))
        refusal_.clear();
    if (pauseAction_)
        pauseAction_->setChecked(paused);
    showStatus();
}

void SimulatorWindow::setSpeed(int speed)
{
    clock_.setSpeed(speed);
    for (QAction* a : speedActions_)
        a->setChecked(a->objectName() == QStringLiteral("Szybkosc%1").arg(clock_.speed()));
    showStatus();
}

bool SimulatorWindow::saveSession(const QString& path)
{
    QString why;
    if (writeWhole(path, QByteArray::fromStdString(trainer_->sessionScript()), &why))
        return true;
    reportError(QStringLiteral("Cannot create file %1: %2").arg(path, why));
    return false;
}

QString SimulatorWindow::autoSaveSession()
{
    QString why;
    const QString path = saveSessionInto(sessionsFolder_,
        QByteArray::fromStdString(trainer_->sessionScript()), QDateTime::currentDateTime(), &why);
    if (path.isEmpty())
        reportError(QStringLiteral("Cannot save the session in %1: %2").arg(sessionsFolder_, why));
    return path;
}

bool SimulatorWindow::exportCsv(const QString& path, const QString& trainee, const QString& date)
{
    QString why;
    const std::string csv
        = journalCsv(trainer_->journal(), trainee.toStdString(), date.toStdString());
    if (writeWhole(path, QByteArray::fromStdString(csv), &why))
        return true;
    reportError(QStringLiteral("Cannot create file %1: %2").arg(path, why));
    return false;
}

void SimulatorWindow::exportCsvAsked()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Eksportuj do CSV"), QString(), QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty())
        exportCsv(path, traineeName(this), exportDate());
}

void SimulatorWindow::printAsked(bool pdf)
{
    QPrinter printer(QPrinter::HighResolution);
    if (pdf) {
        const QString path = QFileDialog::getSaveFileName(
            this, QStringLiteral("Zapisz jako PDF"), QString(), QStringLiteral("PDF (*.pdf)"));
        if (path.isEmpty())
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    } else {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    printJournal(trainer_->journal(), traineeName(this), exportDate(), printer);
}

void SimulatorWindow::saveSessionAsked()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Zapisz sesję"), sessionsFolder_, QStringLiteral("Sesje Kyt (*.txt)"));
    if (!path.isEmpty())
        saveSession(path);
}

void SimulatorWindow::playSessionAsked()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Odtwórz sesję"),
        sessionsFolder_, QStringLiteral("Sesje Kyt (*.txt);;Wszystkie pliki (*)"));
    if (!path.isEmpty())
        playSession(path);
}

bool SimulatorWindow::playSession(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportError(QStringLiteral("Cannot open file %1").arg(path));
        return false;
    }
    std::istringstream in(file.readAll().toStdString());
    if (file.error() != QFileDevice::NoError) {
        reportError(QStringLiteral("Cannot read file %1").arg(path));
        return false;
    }
    script::Parsed parsed = script::parse(in, true);
    if (parsed.ok && parsed.events.empty()) {
        parsed.ok = false;
        parsed.error = "the file holds no events";
    }
    if (!parsed.ok) {
        reportError(QStringLiteral("%1 is no session to play: %2")
                        .arg(path, QString::fromStdString(parsed.error)));
        return false;
    }
    // The desk goes to the session: an exercise running is given up.
    closeExercise();
    stopPlayback();
    aside_ = std::make_unique<PutAside>();
    aside_->snapshot = sim_->snapshot();
    aside_->storedCounts = sim_->storedCounts();
    aside_->record = trainer_->record();
    aside_->store = sim_->counterStore();
    // Whatever the played session saves stays out of the user's store.
    sim_->setCounterStore(&aside_->playStore);
    sim_->restore(Simulator().snapshot());
    trainer_->clearJournal();
    trainer_->startSession();
    refusal_.clear();
    player_ = std::make_unique<Player>(*trainer_, std::move(parsed.events));
    stopPlayAction_->setEnabled(true);
    clock_.tick(); // the time before the playing is not the session's
    afterChange();
    return true;
}

void SimulatorWindow::stepPlayback()
{
    if (!player_)
        return;
    guarded([&] { player_->step(reportToUser); });
    refusal_ = QString::fromStdString(trainer_->lastRefusal());
    afterChange();
}

void SimulatorWindow::stopPlayback()
{
    if (!player_)
        return;
    player_.reset();
    sim_->restore(aside_->snapshot);
    sim_->storedCounts() = aside_->storedCounts;
    sim_->setCounterStore(aside_->store);
    trainer_->restoreRecord(std::move(aside_->record));
    aside_.reset();
    refusal_.clear();
    stopPlayAction_->setEnabled(false);
    afterChange();
}

void SimulatorWindow::buildExerciseMenu(QMenuBar* bar)
{
    exerciseMenu_ = bar->addMenu(QStringLiteral("Ćwiczenia"));
    exerciseMenu_->setObjectName(QStringLiteral("Cwiczenia1"));
    exerciseMenu_->menuAction()->setObjectName(QStringLiteral("Cwiczenia1"));
    // The folder is read when the menu first opens, not at start-up.
    connect(exerciseMenu_, &QMenu::aboutToShow, this, [this] {
        if (!exercisesRead_)
            loadExercises(exercisesFolder());
    });
    fillExerciseMenu();
}

void SimulatorWindow::fillExerciseMenu()
{
    exerciseMenu_->clear();
    for (std::size_t i = 0; i < exercises_.size(); ++i) {
        const Exercise& ex = exercises_[i];
        QAction* a = exerciseMenu_->addAction(QStringLiteral("%1 (%2)").arg(
            qs(ex.title), qs(std::string(difficultyName(ex.difficulty)))));
        a->setObjectName(QStringLiteral("Cwiczenie_") + qs(ex.id));
        connect(a, &QAction::triggered, this, [this, i] {
            if (i < exercises_.size())
                startExercise(Exercise(exercises_[i]));
        });
    }
    if (!exercises_.empty())
        exerciseMenu_->addSeparator();
    QAction* open = exerciseMenu_->addAction(QStringLiteral("Otwórz ćwiczenie..."));
    open->setObjectName(QStringLiteral("Otworzcwiczenie1"));
    connect(open, &QAction::triggered, this, [this] { openExerciseAsked(); });
    QAction* history = exerciseMenu_->addAction(QStringLiteral("Historia wyników"));
    history->setObjectName(QStringLiteral("Historiawynikow1"));
    connect(history, &QAction::triggered, this, [this] { showWindow(resultsHistory()); });
}

const std::vector<Exercise>& SimulatorWindow::loadExercises(const QString& folder)
{
    exercisesRead_ = true;
    ExerciseSet set;
    if (QFileInfo(folder).isDir())
        set = loadExerciseFolder(folder.toStdString());
    // A file of the folder that is no exercise is left out of the menu.
    for (const std::string& error : set.errors)
        qWarning("%s", error.c_str());
    exercises_ = std::move(set.exercises);
    fillExerciseMenu();
    return exercises_;
}

void SimulatorWindow::openExerciseAsked()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Otwórz ćwiczenie"),
        exercisesFolder(), QStringLiteral("Ćwiczenia Kyt (*.json);;Wszystkie pliki (*)"));
    if (!path.isEmpty())
        openExercise(path);
}

bool SimulatorWindow::openExercise(const QString& path)
{
    Exercise exercise;
    try {
        exercise = loadExercise(path.toStdString());
    } catch (const std::exception& e) {
        reportError(QString::fromStdString(e.what()));
        return false;
    }
    startExercise(exercise);
    return true;
}

void SimulatorWindow::startExercise(const Exercise& exercise)
{
    closeExercise();
    stopPlayback();
    // The time so far belongs to the session before.
    clock_.tick();
    // A fresh desk, as the window's first activation leaves it, with the
    // user's counts as they stand: uses during the exercise count too.
    const CountValues counts = trainer_->counts();
    const std::array<std::int32_t, 8> stored = sim_->storedCounts();
    sim_->restore(Simulator().snapshot());
    formActivated_ = true;
    guarded([&] { sim_->call("FormActivate"); });
    for (std::size_t i = 0; i < counts.size(); ++i)
        sim_->state().*loadOrder()[i].count = counts[i];
    sim_->storedCounts() = stored;
    guarded([&] { wpislicznikow(*sim_); });
    trainer_->startSession();
    refusal_.clear();

    attempt_ = std::make_unique<Attempt>(*trainer_, exercise);
    if (!guarded([&] { attempt_->begin(); })) {
        attempt_.reset();
        afterChange();
        return;
    }
    // The journal now holds the attempt's entries alone.
    if (journal_)
        journal_->refresh();
    panel_->setHintText({});
    panel_->showAttempt(attempt_.get());
    panel_->show();
    panel_->raise();
    // The window widens for the panel; the desk keeps its place and size.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const QSize need
            = size() - desk_->size() + QSize(kDeskWidth + ExercisePanel::kWidth, kDeskHeight);
        resize(size().expandedTo(need));
    }
    afterChange();
}

void SimulatorWindow::finishExercise()
{
    if (!attempt_)
        return;
    clock_.tick();
    attempt_->finish();
    afterChange();
}

void SimulatorWindow::showResult()
{
    resultShown_ = true;
    const QString date = exportDate();
    const QString trainee = traineeName(this);
    QString error;
    QString problem;
    const bool stored
        = addResult(resultsFile_, resultOf(*attempt_, trainee, date), &error, &problem);
    if (!problem.isEmpty())
        reportError(problem);
    if (!stored)
        reportError(error);
    if (history_ && history_->isVisible())
        history_->refresh(resultsFile_);
    auto* dialog = new ExerciseResultDialog(*attempt_, trainer_->journal(), trainee, date, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, ended = attempt_.get()] {
        if (attempt_.get() == ended)
            closeExercise();
    });
    resultDialog_ = dialog;
    dialog->open();
}

void SimulatorWindow::closeExercise()
{
    if (!attempt_)
        return;
    attempt_.reset();
    resultShown_ = false;
    panel_->hide();
}

ExerciseResultDialog* SimulatorWindow::resultDialog() const
{
    return resultDialog_;
}

ResultsHistoryWindow* SimulatorWindow::resultsHistory()
{
    if (!history_)
        history_ = new ResultsHistoryWindow(this);
    history_->refresh(resultsFile_);
    return history_;
}

QString SimulatorWindow::helpFor(const QWidget* control) const
{
    return QString::fromStdString(controlHelp(*sim_, control->objectName().toStdString()));
}

bool SimulatorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        const QString help = helpFor(w);
        if (!help.isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), help, w);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void SimulatorWindow::FormActivate()
{
    if (formActivated_)
        return;
    formActivated_ = true;
    guarded([&] { sim_->call("FormActivate"); });
}

void SimulatorWindow::showSimulator()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    show();
    raise();
    activateWindow();
}

void SimulatorWindow::odczytlicznikow()
{
    guarded([&] { sim_->call("odczytlicznikow"); });
    // The session starts with the counts as loaded.
    if (!player_)
        trainer_->startSession();
}

void SimulatorWindow::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // The first showing initialises the simulation here and now: activation
    // proper comes later through the event loop, or not at all without a
    // window manager, and must not reset counters loaded after the showing.
    FormActivate();
    if (!clock_.timer()->isActive())
        clock_.start();
}

void SimulatorWindow::hideEvent(QHideEvent* e)
{
    // Time stands still while the window is closed; a minimised desk runs
    // on, as its timers always did.
    if (!e->spontaneous())
        clock_.stop();
    QMainWindow::hideEvent(e);
}

void SimulatorWindow::closeEvent(QCloseEvent* e)
{
    // The window stays open unless the counters are saved.
    e->ignore();
    stopPlayback();
    clock_.tick();
    if (guarded([&] { sim_->call("FormClose"); })) {
        if (!trainer_->sessionEvents().empty())
            autoSaveSession();
        hide();
    }
}

} // namespace kyt
