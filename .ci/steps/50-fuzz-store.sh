#!/bin/sh
# Fuzzes the counters-file reader of the settings store for 60 seconds under
# AddressSanitizer and UndefinedBehaviorSanitizer, from a few seed files.
# Any finding fails the step; the reproducer is left in build-fuzz/.
set -eu
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DKYT_FUZZ=ON -DKYT_SANITIZE=ON -DKYT_BENCH=OFF
cmake --build build-fuzz -j "$(nproc)" --target fuzz_store
corpus=build-fuzz/store-corpus
rm -rf "$corpus"
mkdir -p "$corpus/seeds" "$corpus/found"
printf 'sza1=3\nsza2=0\nszb1=1\nszb2=2\ndkoa=12\ndkob=0\ndpoa=10007\ndpob=-5\n' > "$corpus/seeds/counts"
printf '[General]\nsza1=1\nsza2=2\n[Window]\nsza1=x\n; note\n' > "$corpus/seeds/sections"
printf 'sza1=4294967296\nsza2=abc\nszb1=1, 2\nszb2=@Rect(1 2 3 4)\ndkoa="7"\n' > "$corpus/seeds/types"
printf 'sza1=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\ndkob=@ByteArray(12)\n' > "$corpus/seeds/variants"
cd build-fuzz
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  bin/fuzz_store -max_total_time=60 -print_final_stats=1 \
    store-corpus/found store-corpus/seeds
