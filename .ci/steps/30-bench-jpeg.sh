#!/bin/sh
# Decoding speed of the picture component beside djpeg (a report, not a
# gate: the machine's load makes single timings vary; a missing program
# fails the step all the same).
set -eu
if [ ! -x build/bin/bench_jpeg ]; then
  echo "benchmark program build/bin/bench_jpeg is missing" >&2
  exit 1
fi
build/bin/bench_jpeg
