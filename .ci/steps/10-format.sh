#!/bin/sh
# One code style for the whole tree (.clang-format at the root): every C++
# file as clang-format would write it.
set -eu
command -v clang-format >/dev/null || { echo "clang-format is not installed"; exit 1; }
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "every C++ file follows .clang-format"
