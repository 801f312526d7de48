// kyt-soak: a long, seeded and reproducible random walk through the real
// simulator window on Qt's offscreen platform.
//
//   kyt-soak [--events N] [--seed S]
//
// Each event is either a mouse click at the centre of a shown desk control
// that has a click handler, or a tick of a running desk timer (delivered to
// the timer itself, as its expiry would). After every event every control of
// the desk must show what the desk model holds, no error may have been
// reported, and the resident memory may grow by less than 2 MiB between 10 %
// and 100 % of the walk. Between two events the posted events are handled
// as the event loop would. Exit status 0 when all held, 1 otherwise.
#include "App.h"
#include "ControlNames.h"
#include "Dispatch.h"
#include "Layout.h"
#include "RelayIndicator.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "Trainer.h"
#include "Windows.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace kyt;

namespace {

long residentKb()
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            kb = std::atol(line + 6);
    std::fclose(f);
    return kb;
}

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// What a relay indicator shows for each look.
QImage lookPicture(Look look)
{
    static std::map<Look, QImage> cache;
    auto it = cache.find(look);
    if (it == cache.end()) {
        RelayIndicator probe;
        probe.loadApple(qs(std::string(lookName(look))));
        it = cache.emplace(look, probe.apple()).first;
    }
    return it->second;
}

// Every difference between the desk model and the window's controls.
std::vector<std::string> mismatches(SimulatorWindow& simulatorWindow)
{
    std::vector<std::string> out;
    const DeskModel& m = simulatorWindow.sim().desk();
    auto bad = [&](const std::string& control, const char* property) {
        out.push_back(control + "." + property);
    };
    for (const std::string& name : m.controlNames()) {
        const ControlKind kind = m.kind(name);
        if (kind == ControlKind::Timer) {
            QTimer* t = simulatorWindow.timer(qs(name));
            if (!t || t->isActive() != m.timerEnabled(name))
                bad(name, "enabled");
            continue;
        }
        QWidget* w = simulatorWindow.control(qs(name));
        if (!w) {
            bad(name, "(no control)");
            continue;
        }
        switch (kind) {
        case ControlKind::Lamp:
            if (w->property("value").toBool() != m.lampValue(name))
                bad(name, "value");
            if (w->property("blink").toBool() != m.lampBlink(name))
                bad(name, "blink");
            if (w->property("trueColor").value<ColorCode>() != m.lampColor(name))
                bad(name, "trueColor");
            break;
        case ControlKind::Indicator: {
            auto* a = qobject_cast<RelayIndicator*>(w);
            if (!a || a->apple() != lookPicture(m.look(name)) || a->value() != 1.0)
                bad(name, "Look");
            break;
        }
        case ControlKind::Counter:
            if (w->property("value").toInt() != m.counterValue(name))
                bad(name, "value");
            break;
        case ControlKind::Section:
            if (w->property("brushColor").value<ColorCode>() != m.sectionColor(name))
                bad(name, "color");
            break;
        case ControlKind::Shown:
            if (w->isHidden() == m.visible(name))
                bad(name, "visible");
            break;
        case ControlKind::TrainButton:
            if (w->isHidden() == m.visible(name))
                bad(name, "visible");
            if (layout::caption(w) != qs(m.caption(name)))
                bad(name, "caption");
            break;
        case ControlKind::Label:
            if (layout::caption(w) != qs(m.caption(name)))
                bad(name, "caption");
            break;
        case ControlKind::Memo:
            if (w->isHidden() == m.visible(name))
                bad(name, "visible");
            if (w->property("text").toString() != qs(m.text(name)))
                bad(name, "text");
            break;
        case ControlKind::Timer: break;
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    long events = 100000;
    unsigned seed = 1;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--events") && i + 1 < argc)
            events = std::atol(argv[++i]);
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
            seed = unsigned(std::strtoul(argv[++i], nullptr, 10));
        else {
            std::fprintf(stderr, "usage: kyt-soak [--events N] [--seed S]\n");
            return 2;
        }
    }
    if (events < 10)
        events = 10;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    App app(qtArgc, argv);
    std::vector<std::string> reports;
    setReporter([&](const QString& text) { reports.push_back(text.toStdString()); });
    app.windows().create();
    SimulatorWindow* simulatorWindow = app.windows().simulatorWindow();
    // The journal grows by design up to its capacity; a short one keeps the
    // memory figure about leaks, not about the journal filling up.
    simulatorWindow->trainer().setJournalCapacity(100);
    if (!simulatorWindow) {
        std::fprintf(stderr, "the simulator window was not created\n");
        return 1;
    }
    simulatorWindow->showSimulator();
    QCoreApplication::processEvents();

    // The clickable controls: each click handler's control by its name.
    std::vector<std::pair<std::string, QWidget*>> clickable;
    for (const HandlerEntry& e : handlerTable()) {
        const std::string name(e.name);
        if (name.size() <= 5 || name.compare(name.size() - 5, 5, "Click") != 0)
            continue;
        const std::string control = name.substr(0, name.size() - 5);
        QWidget* w = simulatorWindow->control(qs(control));
        if (!w) {
            std::fprintf(
                stderr, "no control %s for the handler %s\n", control.c_str(), name.c_str());
            return 1;
        }
        clickable.emplace_back(control, w);
    }
    std::vector<QTimer*> timers;
    for (const QString& t : {qtName(Control::Timer1), qtName(Control::Timer2),
             qtName(Control::Timer3), qtName(Control::Timer4)})
        timers.push_back(simulatorWindow->timer(t));

    std::mt19937 rng(seed);
    long clicks = 0, ticks = 0, changed = 0, failures = 0;
    std::map<std::string, long> perControl;
    long rssAtTenth = 0, rssAtHalf = 0;
    for (long n = 1; n <= events; ++n) {
        std::vector<QTimer*> running;
        for (QTimer* t : timers)
            if (t && t->isActive())
                running.push_back(t);
        std::vector<std::pair<std::string, QWidget*>> shown;
        for (const auto& c : clickable)
            if (c.second->isVisible())
                shown.push_back(c);
        const Simulator::Snapshot before = simulatorWindow->sim().snapshot();
        std::string event;
        // Time passes about as often as the trainee clicks while a timer
        // runs, so that trains get somewhere.
        if (!running.empty() && (shown.empty() || rng() % 2 == 0)) {
            QTimer* t = running[rng() % running.size()];
            QTimerEvent tick(t->timerId());
            QCoreApplication::sendEvent(t, &tick);
            event = "tick " + t->objectName().toStdString();
            ++ticks;
        } else if (!shown.empty()) {
            const auto& [name, w] = shown[rng() % shown.size()];
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
            event = "click " + name;
            ++clicks;
            ++perControl[name];
        }
        // Back in the event loop between two events, as in the program:
        // posted events run and objects let go with deleteLater() are
        // deleted (outside a running loop nothing else would delete them).
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!(simulatorWindow->sim().snapshot() == before))
            ++changed;
        const auto diff = mismatches(*simulatorWindow);
        if (!diff.empty() || !reports.empty()) {
            ++failures;
            std::fprintf(stderr, "event %ld (%s):", n, event.c_str());
            for (const std::string& d : diff)
                std::fprintf(stderr, " %s", d.c_str());
            for (const std::string& r : reports)
                std::fprintf(stderr, " error report \"%s\"", r.c_str());
            std::fprintf(stderr, "\n");
            reports.clear();
            if (failures >= 20)
                break;
        }
        if (n == events / 10)
            rssAtTenth = residentKb();
        if (n == events / 2)
            rssAtHalf = residentKb();
    }
    const long rssEnd = residentKb();
    const long growth = rssEnd - rssAtTenth;
    std::printf("seed %u, %ld events: %ld clicks, %ld timer ticks, %ld changed the state\n", seed,
        events, clicks, ticks, changed);
    std::printf("resident memory: %.1f MiB at 10 %%, %.1f MiB at 50 %%, %.1f MiB at the end, "
                "growth %ld KiB (limit 2048 KiB)\n",
        rssAtTenth / 1024.0, rssAtHalf / 1024.0, rssEnd / 1024.0, growth);
    std::printf("narration: %zu bytes at the end\n",
        simulatorWindow->sim().desk().text(Control::Memo1).size());
    std::printf("controls clicked:");
    for (const auto& [name, count] : perControl)
        std::printf(" %s %ld", name.c_str(), count);
    std::printf("\ndesk mismatches or error reports: %ld\n", failures);
    app.windows().destroy();
    return failures == 0 && growth < 2048 ? 0 : 1;
}
