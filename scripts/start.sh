#!/usr/bin/env bash
# Builds Ravo in build/ and starts it on the bundled default database (created beside the programs
# by the build): lists the systems and calculates the Pb-Sn phase diagram into build/results/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/bootstrap.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
./build/bin/ravo-cli systems --db build/bin
./build/bin/ravo-cli calc --db build/bin --system Pb+Sn --out build/results
