#!/usr/bin/env bash
# Builds the libraries and unit tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/bootstrap.sh
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRAVO_SANITIZE=ON -DRAVO_BUILD_BENCH=OFF
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
