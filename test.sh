#!/usr/bin/env bash
# Installs what is missing, builds the native code and orbalt.exe, and runs
# every test: unit and GL tests natively, end-to-end tests under Wine, and
# short libFuzzer runs over the readers.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

# Layout first: a file that differs from .clang-format fails before anything is built.
scripts/format.sh --check

cmake --preset native -DORBALT_WARNINGS_AS_ERRORS=ON
cmake --build --preset native
# Static analysis over the rooms, through the native build's compile database.
scripts/tidy.sh
cmake --preset windows -DORBALT_WARNINGS_AS_ERRORS=ON
cmake --build --preset windows
# The libFuzzer harnesses (Clang); the native ctest runs each for a bounded number of inputs.
cmake --preset fuzz -DORBALT_WARNINGS_AS_ERRORS=ON
cmake --build --preset fuzz

ctest --preset native -j2
