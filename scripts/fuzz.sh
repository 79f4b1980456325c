#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz: clang, ASan + UBSan) and runs every
# tests/fuzz/*_fuzz.cpp target for SECONDS seconds each (default 60), one after the other.
# Seeds come from tests/fuzz/corpus-NAME (read only); new inputs go to build/fuzz/corpus-NAME,
# findings to build/fuzz/artifacts/NAME-*, logs to build/logs/NAME.log.
# Prints one line per target, "NAME: N runs in S s, no finding" or "FAILED: NAME ...", and
# exits with the number of targets that failed (or were not built).
# Usage: scripts/fuzz.sh [SECONDS] [NAME...]
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
BUILD=$ROOT/build
LOGS=$BUILD/logs
secs=${1:-60}
shift $(($# > 0 ? 1 : 0))
mkdir -p "$LOGS" "$BUILD/fuzz/artifacts"

built=1
if ! { cmake --preset fuzz >"$LOGS/fuzz-configure.log" 2>&1 &&
       cmake --build "$BUILD/fuzz" -j2 --target fuzzers >"$LOGS/fuzz-build.log" 2>&1; }; then
  echo "FAILED: fuzz build (see $LOGS/fuzz-build.log)"
  tail -n 25 "$LOGS/fuzz-build.log"
  built=
fi

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for src in tests/fuzz/*_fuzz.cpp; do names+=("$(basename "$src" .cpp)"); done
fi

failed=0
for name in "${names[@]}"; do
  exe=$BUILD/fuzz/tests/$name
  if [ -z "$built" ] || [ ! -x "$exe" ]; then
    echo "FAILED: $name was not built"; failed=$((failed + 1)); continue
  fi
  corpus=$BUILD/fuzz/corpus-$name seeds=()
  mkdir -p "$corpus"
  [ -d "tests/fuzz/corpus-$name" ] && seeds=("tests/fuzz/corpus-$name")
  if "$exe" -max_total_time="$secs" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$BUILD/fuzz/artifacts/$name-" "$corpus" "${seeds[@]}" \
       >"$LOGS/$name.log" 2>&1; then
    runs=$(awk '/^stat::number_of_executed_units/ {print $2; exit}' "$LOGS/$name.log")
    echo "$name: ${runs:-?} runs in $secs s, no finding"
  else
    echo "FAILED: $name found a fault (log $LOGS/$name.log)"
    grep -E -m3 'ERROR|SUMMARY|runtime error|deadly signal' "$LOGS/$name.log" || true
    ls "$BUILD/fuzz/artifacts/$name-"* 2>/dev/null | head -n 3
    failed=$((failed + 1))
  fi
done
exit "$failed"
