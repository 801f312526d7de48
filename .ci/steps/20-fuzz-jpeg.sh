#!/bin/sh
# Fuzzes the JPEG decoder for 60 seconds under AddressSanitizer and
# UndefinedBehaviorSanitizer, starting from seeds made by the test samples.
# Any finding fails the step; the reproducer is left in build-fuzz/.
set -eu
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DKYT_FUZZ=ON -DKYT_SANITIZE=ON -DKYT_BENCH=OFF
cmake --build build-fuzz -j "$(nproc)" --target fuzz_jpeg jpeg_fuzz_seeds
corpus=build-fuzz/jpeg-corpus
rm -rf "$corpus"
mkdir -p "$corpus/seeds" "$corpus/found"
build-fuzz/bin/jpeg_fuzz_seeds "$corpus/seeds"
cd build-fuzz
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  bin/fuzz_jpeg -max_total_time=60 -print_final_stats=1 \
    jpeg-corpus/found jpeg-corpus/seeds
