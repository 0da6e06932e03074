#!/usr/bin/env bash
# Builds the libraries, the programs and every test with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan/ and runs the tests, the desktop program's Qt tests (offscreen) among them.
# RAVO_SANITIZE_GUI=OFF leaves the desktop program and its tests out, should CI ever need the time.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/bootstrap.sh
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRAVO_SANITIZE=ON -DRAVO_BUILD_BENCH=OFF \
  -DRAVO_BUILD_GUI="${RAVO_SANITIZE_GUI:-ON}" --log-level=WARNING
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
