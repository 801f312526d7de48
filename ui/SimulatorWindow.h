// SimulatorWindow: the simulator window. It owns the simulation (block state, desk
// model) and the trainer over it for its whole life, builds the desk from its
// table, keeps every desk control in step with the desk model, and routes
// clicks, the simulation clock, the first activation and the close to the
// simulation's handlers. Below the desk one line tells why a press was
// refused and how the clock runs; the "Dziennik" menu shows and exports the
// journal and saves and plays sessions, the "Widok" menu pauses the clock and
// sets its speed.
#pragma once

#include "Exercise.h"
#include "Journal.h"
#include "Layout.h"
#include "SimulationClock.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>

class QLabel;
class QAction;
class QMenu;

namespace kyt {

class Simulator;
class CounterStore;
class Trainer;
class Player;
class JournalWindow;
class Attempt;
class ExercisePanel;
class ExerciseResultDialog;
class ResultsHistoryWindow;

class SimulatorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit SimulatorWindow(QWidget* parent = nullptr);
    ~SimulatorWindow() override;

    Simulator& sim() { return *sim_; }
    const layout::Built& controls() const { return controls_; }
    // A desk control by its component name (nullptr when there is none).
    QWidget* control(const QString& name) const { return controls_.find(name); }
    // The desk's timer components: active while the desk model enables them,
    // with their periods. They never wake on their own (the simulation clock
    // moves time); a timeout of one moves the clock on to its next tick.
    QTimer* timer(const QString& name) const { return timers_.value(name, nullptr); }
    Trainer& trainer() { return *trainer_; }
    SimulationClock& clock() { return clock_; }
    // The line below the desk (hidden while it has nothing to say).
    QLabel* statusLine() const { return status_; }
    // The journal's window, created when first asked for.
    JournalWindow* journalWindow();

    // Pause and speed of the simulation clock.
    void setPaused(bool paused);
    bool paused() const { return clock_.paused(); }
    void setSpeed(int speed);

    // Writes the session so far as a replay script.
    bool saveSession(const QString& path);
    // Saves the session into the sessions' folder (sessionsFolder() unless
    // set), keeping the last ten; returns the file or an empty string.
    QString autoSaveSession();
    void setSessionsFolder(const QString& folder) { sessionsFolder_ = folder; }
    // Writes the journal as CSV, headed by the trainee and the date.
    bool exportCsv(const QString& path, const QString& trainee, const QString& date);

    // Plays a saved session in the window, from a fresh desk, at the clock's
    // speed; the trainee's own session comes back when the playing stops.
    // A file that cannot be read or is no whole script is reported (with
    // the line at fault) and nothing is played.
    bool playSession(const QString& path);
    bool playing() const { return player_ != nullptr; }
    const Player* player() const { return player_.get(); }
    // Plays the next event of the session at once.
    void stepPlayback();
    void stopPlayback();

    // Guided exercises. The "Ćwiczenia" menu lists the exercises of the
    // exercises' folder (read when the menu first opens, or by
    // loadExercises()); one chosen starts from a fresh desk, with the
    // user's counts kept, and runs with its task panel beside the desk until
    // it ends; its result is then shown and stored.
    const std::vector<Exercise>& loadExercises(const QString& folder);
    const std::vector<Exercise>& exercises() const { return exercises_; }
    QMenu* exerciseMenu() const { return exerciseMenu_; }
    // Reads an exercise file and starts it; a file that is no exercise is
    // reported with the loader's message, and nothing changes.
    bool openExercise(const QString& path);
    void startExercise(const Exercise& exercise);
    // Ends the running exercise as it stands ("Zakończ").
    void finishExercise();
    Attempt* attempt() { return attempt_.get(); }
    ExercisePanel* exercisePanel() const { return panel_; }
    // The result of the exercise that ended last, while it is shown.
    ExerciseResultDialog* resultDialog() const;
    ResultsHistoryWindow* resultsHistory();
    void setResultsFile(const QString& path) { resultsFile_ = path; }
    const QString& resultsFile() const { return resultsFile_; }

    // The context help of a desk control, as its tooltip shows it.
    QString helpFor(const QWidget* control) const;
    // The client area that holds the desk.
    QWidget* desk() const { return desk_; }

    // Shows the window maximised and in front; its first showing initialises
    // the simulation at once.
    void showSimulator();
    // Loads the stored counters and shows them.
    void odczytlicznikow();

    // Runs a handler by name: the window's own ones (the "SZLAK" label and
    // the menu items) or the simulation's. Errors are reported.
    void runHandler(const QString& handler);
    // The window's own handler names.
    static const QStringList& ownHandlers();

    // The window's restored size; it opens maximised.
    static constexpr int kDesignWidth = 433;
    static constexpr int kDesignHeight = 295;
    // The journal keeps the most recent operations and ticks of a session;
    // the session record that is saved and played keeps every press.
    static constexpr std::size_t kJournalCapacity = Journal::kDefaultCapacity;
    // The area the desk is laid out for.
    static constexpr int kDeskWidth = 768;
    static constexpr int kDeskHeight = 521;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void buildJournalMenus(class QMenuBar* bar);
    void deskTimerFired(std::size_t index);
    void clockAdvanced(std::int64_t ms);
    void afterChange();
    void showStatus();
    void exportCsvAsked();
    void printAsked(bool pdf);
    void saveSessionAsked();
    void playSessionAsked();
    void buildExerciseMenu(class QMenuBar* bar);
    void fillExerciseMenu();
    void openExerciseAsked();
    void showResult();
    void closeExercise();
    void buildTimers();
    void bindDesk();
    void showChange(const std::string& control, const std::string& property);
    void callSimulation(const QString& handler);
    void FormActivate();

    std::unique_ptr<Simulator> sim_;
    // The user's settings store of the button counts.
    std::unique_ptr<CounterStore> store_;
    std::unique_ptr<Trainer> trainer_;
    SimulationClock clock_;
    bool inClock_ = false;
    QLabel* status_ = nullptr;
    QString refusal_;
    JournalWindow* journal_ = nullptr;
    QString sessionsFolder_;
    QAction* pauseAction_ = nullptr;
    QList<QAction*> speedActions_;
    QAction* stopPlayAction_ = nullptr;

    // The session being played, and the trainee's own one put aside.
    std::unique_ptr<Player> player_;
    struct PutAside;
    std::unique_ptr<PutAside> aside_;
    QWidget* desk_ = nullptr;
    layout::Built controls_;
    QHash<QString, QTimer*> timers_;
    int observer_ = 0;
    bool formActivated_ = false;

    std::vector<Exercise> exercises_;
    bool exercisesRead_ = false;
    QMenu* exerciseMenu_ = nullptr;
    std::unique_ptr<Attempt> attempt_;
    ExercisePanel* panel_ = nullptr;
    QPointer<ExerciseResultDialog> resultDialog_;
    ResultsHistoryWindow* history_ = nullptr;
    bool resultShown_ = false;
    QString resultsFile_;
};

// The desk's controls in creation order.
const layout::Table& blokTable();
// The narration box's text at start.
QString blokInitialMemo();

} // namespace kyt
