#!/bin/sh
# Decoding speed of the picture component beside libjpeg called directly and
# djpeg, on the schematics and a photo-like picture (a report, not a gate:
# the machine's load makes single timings vary; a missing program or
# picture fails the step all the same).
set -eu
if [ ! -x build/bin/bench_jpeg ]; then
  echo "benchmark program build/bin/bench_jpeg is missing" >&2
  exit 1
fi
if [ ! -d build/pictures ]; then
  echo "the pictures folder build/pictures is missing" >&2
  exit 1
fi
build/bin/bench_jpeg --pictures build/pictures --rounds 15
