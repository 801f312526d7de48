// The program's start-up as a probe: the application object, the ten
// windows created hidden in their order (the three pictures of the creation
// handlers decoded on the way), and the start window shown. It reports when
// the start window is first exposed and ends.
//
// With --show-all it then shows every other window once, each until it is
// exposed, and reports the peak resident memory with all ten windows
// created and shown.
#include "App.h"
#include "ProcProbe.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "Windows.h"

#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Shows each window in turn, each once it is exposed the next.
void showInTurn(std::vector<QWidget*> windows, std::size_t i, long long t0,
    std::vector<std::unique_ptr<kytbench::ExposeWatch>>& watches)
{
    if (i == windows.size())
        kytbench::reportAndExit(t0);
    QWidget* w = windows[i];
    if (!w) {
        showInTurn(windows, i + 1, t0, watches);
        return;
    }
    if (kyt::SimulatorWindow* simulator = kyt::windows().simulatorWindow(); w == simulator)
        simulator->showSimulator();
    else
        kyt::showWindow(w);
    watches.push_back(
        std::make_unique<kytbench::ExposeWatch>(w->windowHandle(), [windows, i, t0, &watches] {
            QTimer::singleShot(
                0, [windows, i, t0, &watches] { showInTurn(windows, i + 1, t0, watches); });
        }));
}

} // namespace

int main(int argc, char** argv)
{
    const long long t0 = kytbench::launchNs(kytbench::nowNs());
    const bool showAll = argc > 1 && std::strcmp(argv[1], "--show-all") == 0;
    int qtArgc = 1;
    kyt::App app(qtArgc, argv);
    const long long tApp = kytbench::nowNs();
    kyt::Windows& windows = app.windows();
    windows.create();
    const long long tWindows = kytbench::nowNs();
    if (std::getenv("KYT_BENCH_PHASES"))
        std::fprintf(stderr, "application object %.1f ms, ten windows %.1f ms\n", (tApp - t0) / 1e6,
            (tWindows - tApp) / 1e6);
    std::vector<std::unique_ptr<kytbench::ExposeWatch>> watches;
    kyt::StartWindow* start = windows.startWindow();
    start->winId();
    watches.push_back(std::make_unique<kytbench::ExposeWatch>(start->windowHandle(), [&] {
        if (!showAll)
            kytbench::reportAndExit(t0);
        QTimer::singleShot(0, [&] {
            showInTurn(
                {windows.simulatorWindow(), windows.descriptionWindow(), windows.aboutBox(),
                    windows.posterWindow(), windows.enablingSchematic(), windows.lineSchematic(),
                    windows.deskSchematic(), windows.zpgSchematic(), windows.permissionSchematic()},
                0, t0, watches);
        });
    }));
    start->show();
    return app.exec();
}
