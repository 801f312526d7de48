#!/bin/sh
# The program's measured speed beside its baselines (a report, not a gate:
# the machine's load makes single timings vary; a missing program fails the
# step all the same). The figures and goals are explained in
# docs/performance.md.
set -eu
export QT_QPA_PLATFORM=offscreen
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
[ "$missing" -eq 0 ] || exit 1

build/bin/bench_core --benchmark_min_time=0.5
# The window reads its pictures from the folder it starts in.
(cd build/pictures && ../bin/bench_click)
build/bin/kyt-bench-startup --kyt build/bin/kyt --bare build/bin/kyt-bench-bare \
  --pictures build/pictures --rounds 15
