#!/usr/bin/env bash
# Builds Ravo with every test in build-tests/ (optimised with debug information, apart from the
# start command's build/, so neither rebuilds the other's objects) and runs all tests: the unit
# tests, the tests of ravo-cli and, when the desktop program is built, its Qt tests offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/bootstrap.sh
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVO_BUILD_TESTS=ON -DRAVO_BUILD_BENCH=OFF \
  --log-level=WARNING
cmake --build build-tests -j"$(nproc)"
ctest --test-dir build-tests --output-on-failure -j"$(nproc)"
