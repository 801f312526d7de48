#!/bin/sh
# Decoding speed of the picture component beside djpeg (a report, not a
# gate: the machine's load makes single timings vary).
set -eu
if [ -x build/bin/bench_jpeg ]; then
  build/bin/bench_jpeg
fi
