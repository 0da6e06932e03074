#!/usr/bin/env bash
# Kill test of the database save: for SECONDS (default 30) starts a process that saves a database
# over and over, kills it with SIGKILL after a random moment, and opens the database again as the
# program does. Every open must show one whole save (old or new content of all six tables, never a
# mixture) and leave no temporary file behind.
#   scripts/kill-test.sh [SECONDS]     uses ${RAVO_BUILD_DIR:-build-tests}/bin/ravo_save_loop, the test
#                                      command's build (builds it if missing)
set -uo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
build="${RAVO_BUILD_DIR:-build-tests}"
tool="$build/bin/ravo_save_loop"
if [ ! -x "$tool" ]; then
  cmake --build "$build" --target ravo_save_loop -j2 >/dev/null || { echo "kill test: cannot build $tool (run ./scripts/test.sh first)"; exit 1; }
fi

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
"$tool" init "$dir" || { echo "kill test: cannot create the database"; exit 1; }

kills=0 mixtures=0 failed=0 leftovers=0 last=0 advanced=0
end=$((SECONDS + seconds))
while [ "$SECONDS" -lt "$end" ]; do
  "$tool" save "$dir" &
  saver=$!
  # Between 5 and 400 ms: some kills hit the start (the open), most hit one of the saves.
  sleep "$(printf '0.%03d' $((5 + RANDOM % 396)))"
  kill -KILL "$saver" 2>/dev/null
  wait "$saver" 2>/dev/null
  kills=$((kills + 1))
  generation="$("$tool" check "$dir")"
  case $? in
    0) ;;
    1) mixtures=$((mixtures + 1)); echo "kill test: mixture of saves: generations $generation" ;;
    3) leftovers=$((leftovers + 1)) ;;
    *) failed=$((failed + 1)); echo "kill test: the database does not open after kill $kills" ;;
  esac
  generation="${generation%% *}"
  if [ -n "$generation" ] && [ "$generation" -gt "$last" ] 2>/dev/null; then
    advanced=$((advanced + 1))
    last="$generation"
  fi
done

echo "kill test: $kills kills, $last saves completed, $mixtures mixtures, $failed failed opens," \
  "$leftovers opens leaving temporary files"
if [ "$kills" -eq 0 ] || [ "$advanced" -eq 0 ]; then
  echo "kill test: no save completed between the kills; nothing was tested"
  exit 1
fi
[ "$mixtures" -eq 0 ] && [ "$failed" -eq 0 ] && [ "$leftovers" -eq 0 ]
