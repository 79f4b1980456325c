#!/usr/bin/env bash
# Long runs of the hardening checks, for about SECONDS seconds (default 300):
#   1. every libFuzzer target (scripts/fuzz.sh) for half the time, shared out among them;
#   2. then, round after round with a new seed each, until the other half is used (at least one
#      round): the soak (soak_test, 20,000 reports on the first round) and the in-process storm
#      (storm_test, 50,000 messages) under Wine for i686 and x86_64, and the storm against the
#      real Tapmon.exe of both builds (tests/e2e/storm.sh, 12,000 random messages each).
# Prints the figures: executions per fuzz target; messages, seconds and timeouts per storm;
# GDI objects, menus, windows and heap bytes before and after each soak. Ends with
# "stress: N passed, N failed"; exits non-zero when anything failed.
# Usage: scripts/stress.sh [SECONDS]
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
BUILD=$ROOT/build
LOGS=$BUILD/logs
secs=${1:-300}
mkdir -p "$LOGS"
passed=0 failed=0
t0=$SECONDS

result() {
  if [ "$1" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $2"; fi
}

for p in i686 x86_64; do
  if ! { cmake --preset "$p" >"$LOGS/stress-$p-configure.log" 2>&1 &&
         cmake --build "$BUILD/$p" -j2 --target Tapmon panetext storm soak_test storm_test \
           >"$LOGS/stress-$p-build.log" 2>&1; }; then
    echo "FAILED: build $p (see $LOGS/stress-$p-build.log)"
    failed=$((failed + 1))
  fi
done

nfuzz=$(ls tests/fuzz/*_fuzz.cpp | wc -l)
each=$((secs / 2 / nfuzz))
[ "$each" -lt 5 ] && each=5
echo "=== fuzz: $nfuzz targets, $each s each"
scripts/fuzz.sh "$each" | tee "$LOGS/stress-fuzz.txt"
nf=$(grep -c '^FAILED' "$LOGS/stress-fuzz.txt")
passed=$((passed + nfuzz - nf)); failed=$((failed + nf))

end=$((SECONDS + secs / 2))
round=0
while :; do
  round=$((round + 1))
  echo "=== round $round (seed $round)"
  for p in i686 x86_64; do
    dir=$BUILD/$p/tests
    if [ "$round" -eq 1 ]; then
      ZEB_SOAK_SCALE=10 timeout -k 10 600 scripts/wine-run.sh "$dir/soak_test.exe" \
        >"$LOGS/stress-soak-$p.log" 2>&1
      rc=$?
      sed -n "s/^soak /soak $p: /p" "$LOGS/stress-soak-$p.log"
      result "$rc" "soak $p (see $LOGS/stress-soak-$p.log)"
    fi
    ZEB_STORM_COUNT=50000 ZEB_STORM_SEED=$round timeout -k 10 600 \
      scripts/wine-run.sh "$dir/storm_test.exe" >"$LOGS/stress-storm-$p.log" 2>&1
    rc=$?
    sed -n "s/^storm in-process: /storm in-process $p: /p" "$LOGS/stress-storm-$p.log"
    result "$rc" "in-process storm $p (see $LOGS/stress-storm-$p.log)"
  done
  ZEB_STORM_COUNT=12000 ZEB_STORM_SEED=$round timeout -k 10 900 tests/e2e/storm.sh \
    </dev/null >"$LOGS/stress-e2e-storm.log" 2>&1
  rc=$?
  grep -E '^(storm |FAIL)' "$LOGS/stress-e2e-storm.log"
  result "$rc" "storm against Tapmon.exe (see $LOGS/stress-e2e-storm.log)"
  [ "$SECONDS" -ge "$end" ] && break
done

echo "stress: $((SECONDS - t0)) s, $round rounds"
echo "stress: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
