#!/usr/bin/env bash
# Builds what starting Ravo needs -- ravo-cli, the default database beside it and, when the desktop
# program is part of the build, ravo -- in build/ (optimised, without tests or benchmarks), then
# calculates the Pb-Sn phase diagram into build/results/ and says what it wrote. Finally starts the
# desktop program on the default database when there is one and a display to show it on.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/bootstrap.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DRAVO_BUILD_TESTS=OFF -DRAVO_BUILD_BENCH=OFF \
  --log-level=WARNING
cmake --build build --target start -j"$(nproc)"

bin="$PWD/build/bin"
results="$PWD/build/results"
echo
"$bin/ravo-cli" systems --db "$bin"
echo
echo "Calculating the Pb-Sn phase diagram (system Pb+Sn of the default database) ..."
"$bin/ravo-cli" calc --db "$bin" --system Pb+Sn --out "$results"

cat <<TEXT

Calculated: the phase diagram of the binary system Pb-Sn (lead-tin), x = mole fraction of Sn,
Y = temperature in K, on the grid stored with the system in the default database ($bin).
The results are in $results:
  matrix.csv      the phase at every grid point: the first line holds the compositions x, every
                  further line one temperature (highest first) and then, per composition, the
                  name of the stable phase, or E inside a two-phase field
  boundaries.csv  the ends of the two-phase fields, one a line: composition X, temperature Y,
                  matrix column, and the phase at that end -- the lines of the phase diagram
  nodes.csv       three-phase equilibria (here the eutectic near 456 K): temperature Y and the
                  compositions XLeft, X, XRight of the phases that meet there
  special.txt     other points where the phases change, such as the melting points of Pb and Sn
README.md, section "Result files", explains every column and walks through the eutectic.
TEXT

desktop="$(head -n 1 build/desktop_program.txt 2>/dev/null || true)"
if [ -n "$desktop" ] && [ -x "$desktop" ]; then
  if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo
    echo "Starting the desktop program on the default database: $desktop"
    # The program opens the database of its own directory, where the build put the default one,
    # and keeps its chart settings in the current directory: start it there, out of the sources.
    cd "$(dirname "$desktop")"
    exec "$desktop"
  fi
  echo
  echo "No display is available (neither DISPLAY nor WAYLAND_DISPLAY is set). On a desktop session,"
  echo "start the program on the default database with:"
  echo "  $desktop"
else
  echo
  echo "This build has no desktop program (Qt 6 and QCustomPlot are needed, option RAVO_BUILD_GUI)."
  echo "ravo-cli --help lists what the command-line tool does: $bin/ravo-cli --help"
fi
