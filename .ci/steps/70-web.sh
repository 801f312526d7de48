#!/bin/sh
# The trainer for the web browser: the core compiled to WebAssembly with
# Debian's emscripten (only the targets the web tests need), its API under
# node, kyt-replay in WebAssembly against the native one over the tree's
# scripts and 200 seeded random ones, and the desk page in headless
# Chromium: its desk pixel for pixel against kyt-deskshot's after the
# tree's scripts and 100 states picked by kyt-explore, a train there and
# back by pointer against kyt-replay, the page from a file and from a
# server. Then the page's measurements beside their baselines (a report).
set -eu
cmake --preset release -DKYT_WEB=ON >/dev/null
targets="kyt-replay kyt_web_wasm kyt_web_page kyt-webatlas kyt-deskshot kyt-explore"
cmake --build build --target $targets -j "$(nproc)"
ctest --test-dir build -R '^web_' --output-on-failure -j "$(nproc)"
# The figures are a report, never a gate (explained in docs/performance.md);
# a page that cannot be measured fails the step as a missing program does.
node bench/web/bench_web.js --page build/tools/webatlas/kyt.html --build build --rounds 15
