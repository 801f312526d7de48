#!/bin/sh
# A soak of the real simulator window: 10,000 seeded random clicks and timer
# ticks on the offscreen platform, the desk checked after every event and
# the resident memory's growth bounded.
set -eu
if [ ! -x build/bin/kyt-soak ] || [ ! -d build/pictures ]; then
  echo "no soak program or pictures in the build (build/bin/kyt-soak, build/pictures)" >&2
  exit 1
fi
(cd build/pictures && QT_QPA_PLATFORM=offscreen ../bin/kyt-soak --events 10000 --seed 1)
