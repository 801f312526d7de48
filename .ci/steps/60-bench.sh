#!/bin/sh
# The program's measured speed beside its baselines, each measured in the
# same run (a report, not a gate: the machine's load makes single timings
# vary; a missing program, picture folder or X server fails the step all the
# same). The figures and goals are explained in docs/performance.md.
set -eu
missing=0
for f in build/bin/kyt build/bin/bench_core build/bin/bench_click build/bin/kyt-bench-startup \
         build/bin/kyt-bench-bare; do
  if [ ! -x "$f" ]; then
    echo "benchmark program $f is missing" >&2
    missing=1
  fi
done
if [ ! -d build/pictures ]; then
  echo "the pictures folder build/pictures is missing" >&2
  missing=1
fi
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "xvfb-run is missing" >&2
  missing=1
fi
[ "$missing" -eq 0 ] || exit 1

build/bin/bench_core --benchmark_min_time=0.5
# Start-up and memory: the program and a bare window, offscreen and on an X
# server.
build/bin/kyt-bench-startup --kyt build/bin/kyt --bare build/bin/kyt-bench-bare \
  --pictures build/pictures --rounds 15
xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/kyt-bench-startup --platform xcb \
  --kyt build/bin/kyt --bare build/bin/kyt-bench-bare --pictures build/pictures --rounds 15
# Click to screen; the window reads its pictures from the folder it starts in.
(cd build/pictures && QT_QPA_PLATFORM=offscreen ../bin/bench_click --presses 2000)
(cd build/pictures && xvfb-run -a -s "-screen 0 1280x1024x24" ../bin/bench_click --x11 --presses 100)
