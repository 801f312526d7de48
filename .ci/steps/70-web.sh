#!/bin/sh
# The trainer for the web browser: the core compiled to WebAssembly with
# Debian's emscripten (only the targets the web tests need), its API under
# node, kyt-replay in WebAssembly against the native one over the tree's
# scripts and 200 seeded random ones, and the desk page in headless
# Chromium.
set -eu
cmake --preset release -DKYT_WEB=ON >/dev/null
targets="kyt-replay kyt_web_wasm"
targets="$targets kyt_web_page"
cmake --build build --target $targets -j "$(nproc)"
ctest --test-dir build -R '^web_' --output-on-failure
