// Click to screen: a press of Wbl at station B in the simulator window, as a
// mouse press and release at the button's centre, through the handler and
// the repaints of every control it changes (they repaint before their
// setters return). Wbl at B requests the block and, pressed again, cancels
// it, so every press changes the desk. The median and the 99th percentile
// of 10,000 presses are reported as counters, in microseconds.
//
// Runs on Qt's offscreen platform unless another one is chosen.
#include "App.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "Windows.h"

#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t i = std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5));
    return v[i];
}

void BM_WblPressAtB(benchmark::State& state)
{
    kyt::SimulatorWindow* simulatorWindow = kyt::windows().simulatorWindow();
    QWidget* button = simulatorWindow->control("pwbl2");
    if (!button) {
        state.SkipWithError("no Wbl button at B");
        return;
    }
    const QPoint centre = button->rect().center();
    std::vector<double> us;
    us.reserve(std::size_t(state.max_iterations));
    bool wbl = simulatorWindow->sim().state().WblB;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        QTest::mouseClick(button, Qt::LeftButton, {}, centre);
        const auto t1 = std::chrono::steady_clock::now();
        us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        if (simulatorWindow->sim().state().WblB == wbl) {
            state.SkipWithError("a press of Wbl at B changed nothing");
            return;
        }
        wbl = !wbl;
    }
    state.counters["median_us"] = percentile(us, 0.5);
    state.counters["p99_us"] = percentile(us, 0.99);
    state.counters["max_us"] = percentile(us, 1.0);
}

BENCHMARK(BM_WblPressAtB)->Iterations(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    kyt::App app(argc, argv);
    app.windows().create();
    kyt::SimulatorWindow* simulatorWindow = app.windows().simulatorWindow();
    if (!simulatorWindow) {
        std::fprintf(stderr, "the simulator window was not created\n");
        return 1;
    }
    simulatorWindow->showSimulator();
    if (!QTest::qWaitForWindowExposed(simulatorWindow)) {
        std::fprintf(stderr, "the simulator window was never shown\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    app.windows().destroy();
    return 0;
}
