#!/bin/sh
# The program's measured speed beside its baselines (a report, not a gate:
# the machine's load makes single timings vary). The figures and goals are
# explained in docs/performance.md.
set -eu
export QT_QPA_PLATFORM=offscreen
if [ -x build/bin/bench_core ] && grep -q trainHandlers core/Dispatch.cpp 2>/dev/null; then
  build/bin/bench_core --benchmark_min_time=0.5
fi
# The window reads its pictures from the folder it starts in.
if [ -x build/bin/bench_click ] && [ -d build/pictures ]; then
  (cd build/pictures && ../bin/bench_click)
fi
if [ -x build/bin/kyt-bench-probe ] && [ -d build/pictures ]; then
  build/bin/kyt-bench-startup --bare build/bin/kyt-bench-bare \
    --probe build/bin/kyt-bench-probe --pictures build/pictures --rounds 5
fi
