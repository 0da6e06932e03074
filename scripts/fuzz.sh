#!/usr/bin/env bash
# Builds every libFuzzer target of tests/fuzz with clang in build-fuzz/ and runs each for a bounded
# time: scripts/fuzz.sh [SECONDS-PER-TARGET] (default 60). Corpora grow in build-fuzz/corpus/<name>;
# a crash leaves its input in build-fuzz/crashes/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DRAVO_BUILD_FUZZ=ON -DRAVO_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

targets=()
for source in tests/fuzz/*_fuzz.cpp; do
  name="$(basename "$source" .cpp)"
  targets+=("fuzz_${name%_fuzz}")
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no targets in tests/fuzz"
  exit 0
fi
cmake --build build-fuzz --target "${targets[@]}" -j2

mkdir -p build-fuzz/crashes
status=0
for target in "${targets[@]}"; do
  corpus="build-fuzz/corpus/${target#fuzz_}"
  mkdir -p "$corpus"
  echo "fuzz: running $target for ${seconds}s"
  if ! ./build-fuzz/bin/"$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix=build-fuzz/crashes/"$target"- -print_final_stats=1; then
    echo "fuzz: $target failed; inputs in build-fuzz/crashes/"
    status=1
  fi
done
exit $status
