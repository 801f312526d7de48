#!/bin/sh
# A soak of the real simulator window: 10,000 seeded random clicks and timer
# ticks on the offscreen platform, the desk checked after every event and
# the resident memory's growth bounded.
set -eu
if [ ! -x build/bin/kyt-soak ]; then
  echo "no simulator window to soak"
  exit 0
fi
(cd build/pictures && QT_QPA_PLATFORM=offscreen ../bin/kyt-soak --events 10000 --seed 1)
