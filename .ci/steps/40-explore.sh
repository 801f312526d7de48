#!/bin/sh
# A bounded exhaustive exploration of the simulation core under
# AddressSanitizer and UndefinedBehaviorSanitizer (the core-only build that
# CI has just made in build-asan/): every check must hold in every state,
# and the schematic sheets must agree with every stable state and click.
set -eu
if [ ! -x build-asan/bin/kyt-explore ]; then
  echo "no exploration tool in the sanitizer build (build-asan/bin/kyt-explore)" >&2
  exit 1
fi
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  build-asan/bin/kyt-explore --max-states 20000 --search 0 --check-circuits --quiet
