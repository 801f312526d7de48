#include "SimulatorWindow.h"

#include "App.h"
#include "Colors.h"
#include "Pictures.h"
#include "SettingsCounterStore.h"
#include "Simulator.h"
#include "Windows.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>

#include <map>

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

// Writes a property that the control must have.
void write(QWidget* w, const char* property, const QVariant& value)
{
    const int idx = w->metaObject()->indexOfProperty(property);
    if (idx < 0 || !w->metaObject()->property(idx).write(w, value))
        throw layout::LayoutError(QStringLiteral("%1 does not take %2")
                                      .arg(w->objectName(), QString::fromLatin1(property))
                                      .toStdString());
}

// Shows a relay look on an indicator: the value drops to 0, the picture is
// replaced, and the value back to 1 redraws the indicator with it.
void mapa(QWidget* indicator, const QString& look)
{
    const QImage picture = loadPicture(look);
    write(indicator, "value", 0.0);
    write(indicator, "apple", picture);
    write(indicator, "value", 1.0);
}

} // namespace

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

    buildMenu();
    controls_ = layout::build(desk_, blokTable(), layout::standardClasses(),
        [this](const QString& handler, QWidget*) { runHandler(handler); });
    buildTimers();
    bindDesk();
}

SimulatorWindow::~SimulatorWindow()
{
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
        connect(t, &QTimer::timeout, this, [this, handler] { runHandler(handler); });
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
            if (!t->isActive()) // enabling a running timer does not restart it
                t->start();
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
            write(w, "value", model.lampValue(control));
        else if (property == "Blink")
            write(w, "blink", model.lampBlink(control));
        else if (property == "TrueColor")
            write(w, "trueColor", QVariant::fromValue<ColorCode>(model.lampColor(control)));
        break;
    case ControlKind::Indicator: mapa(w, qs(std::string(lookName(model.look(control))))); break;
    case ControlKind::Counter: write(w, "value", model.counterValue(control)); break;
    case ControlKind::Section:
        write(w, "brushColor", QVariant::fromValue<ColorCode>(model.sectionColor(control)));
        break;
    case ControlKind::TrainButton:
    case ControlKind::Label: layout::setCaption(w, qs(model.caption(control))); break;
    case ControlKind::Memo: write(w, "text", qs(model.text(control))); break;
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
    sim_->click(handler.toStdString());
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
}

void SimulatorWindow::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // The first showing initialises the simulation here and now: activation
    // proper comes later through the event loop, or not at all without a
    // window manager, and must not reset counters loaded after the showing.
    FormActivate();
}

void SimulatorWindow::closeEvent(QCloseEvent* e)
{
    // The window stays open unless the counters are saved.
    e->ignore();
    if (guarded([&] { sim_->call("FormClose"); }))
        hide();
}

} // namespace kyt
