// SimulatorWindow: the simulator window. It owns the simulation (block state, desk
// model) for its whole life, builds the desk from its table, keeps every
// desk control in step with the desk model, and routes clicks, timer ticks,
// the first activation and the close to the simulation's handlers.
#pragma once

#include "Layout.h"

#include <QHash>
#include <QMainWindow>
#include <QTimer>

#include <memory>

namespace kyt {

class Simulator;
class CounterStore;

class SimulatorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit SimulatorWindow(QWidget* parent = nullptr);
    ~SimulatorWindow() override;

    Simulator& sim() { return *sim_; }
    const layout::Built& controls() const { return controls_; }
    // A desk control by its component name (nullptr when there is none).
    QWidget* control(const QString& name) const { return controls_.find(name); }
    QTimer* timer(const QString& name) const { return timers_.value(name, nullptr); }
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
    // The area the desk is laid out for.
    static constexpr int kDeskWidth = 768;
    static constexpr int kDeskHeight = 521;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenu();
    void buildTimers();
    void bindDesk();
    void showChange(const std::string& control, const std::string& property);
    void callSimulation(const QString& handler);
    void FormActivate();

    std::unique_ptr<Simulator> sim_;
    // The user's settings store of the button counts.
    std::unique_ptr<CounterStore> store_;
    QWidget* desk_ = nullptr;
    layout::Built controls_;
    QHash<QString, QTimer*> timers_;
    int observer_ = 0;
    bool formActivated_ = false;
};

// The desk's controls in creation order.
const layout::Table& blokTable();
// The narration box's text at start.
QString blokInitialMemo();

} // namespace kyt
