#!/usr/bin/env bash
# Builds and tests everything:
#   native   platform-free code with ASan+UBSan (CTest)
#   fuzz     every tests/fuzz/*_fuzz.cpp target for ZEB_FUZZ_SECONDS each through
#            scripts/fuzz.sh (one check per target; executions printed)
#   i686     the real Win32 API under Wine (CTest)
#   x86_64   the same, 64-bit
#   package  the release packages of scripts/release.sh (one check)
#   e2e      tests/e2e/*.sh one by one, under Xvfb with one Wine desktop (one check each);
#            package.sh runs the packaged Tapmon.exe of both packages; standalone.sh builds
#            examples/standalone against the installed framework of both builds and runs it
# Ends with the line "N passed, N failed"; exits non-zero if anything failed, a build
# failure included.
# Environment: ZEB_STAGES="native fuzz i686 x86_64 package e2e" picks stages; ZEB_FUZZ_SECONDS (8).
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
BUILD=$ROOT/build
LOGS=$BUILD/logs
STAGES=${ZEB_STAGES:-native fuzz i686 x86_64 package e2e}
mkdir -p "$LOGS"

passed=0 failed=0
results=()
t_all=$SECONDS

note() { printf '%s\n' "$*"; }
# count STAGE PASSED FAILED
count() {
  passed=$((passed + $2)); failed=$((failed + $3))
  results+=("$(printf '%-8s %4d passed, %4d failed' "$1" "$2" "$3")")
}
stage_begin() { stage_t0=$SECONDS; note ""; note "=== $1"; }
stage_end() { note "=== $1: $((SECONDS - stage_t0)) s"; }

# Shows the end of a log whose step failed.
show_log() {
  note "--- last lines of $1"
  grep -E -i 'error|undefined reference|fatal' "$1" | awk '!seen[$0]++' | head -n 25 || true
  note "..."
  tail -n 25 "$1"
  note "---"
}

# configure_build PRESET [TARGET]: 0 when all of it built. A failed build keeps going
# (make -k) so that the tests of whatever did build still run.
configure_build() {
  local p=$1 target=${2:-} log=$LOGS/$1-build.log
  if ! cmake --preset "$p" >"$LOGS/$p-configure.log" 2>&1; then
    note "FAILED: configure $p"; show_log "$LOGS/$p-configure.log"; return 2
  fi
  local args=(--build "$BUILD/$p" -j2)
  [ -n "$target" ] && args+=(--target "$target")
  [ -f "$BUILD/$p/Makefile" ] && args+=(-- -k)
  if ! cmake "${args[@]}" >"$log" 2>&1; then
    note "FAILED: build $p${target:+ ($target)}"; show_log "$log"; return 1
  fi
  note "built $p${target:+ ($target)}"
}

# ctest_stage PRESET JOBS
ctest_stage() {
  local p=$1 jobs=$2 rc=0 out=$LOGS/$1-ctest.log
  stage_begin "$p"
  configure_build "$p" || rc=$?
  local build_failed=$(( rc != 0 ))
  if [ "$rc" -eq 2 ]; then count "$p" 0 1; stage_end "$p"; return; fi
  # Under Wine a test program very rarely dies at start-up without running a line (seen about
  # once in 400 runs): such a test gets one more run. A real fault fails both.
  local again=()
  [ "$p" != native ] && again=(--repeat until-pass:2)
  ctest --test-dir "$BUILD/$p" -j"$jobs" --timeout 120 --output-on-failure "${again[@]}" \
        --output-junit "$BUILD/$p/ctest-junit.xml" >"$out" 2>&1
  rc=$?
  # Failing tests' output, then the summary.
  grep -v -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|^ +Start +[0-9]+: |^Internal ctest changing|^Test project |^$' "$out" | tail -n 400
  local line np=0 nf=0 total
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -n 1)
  if [ -n "$line" ]; then
    nf=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    np=$((total - nf))
    # Errors outside the tests themselves (e.g. a test list that could not be read).
    [ "$rc" -ne 0 ] && [ "$nf" -eq 0 ] && { note "FAILED: ctest $p exited $rc"; nf=1; }
  elif grep -q 'No tests were found' "$out"; then
    note "ctest $p: no tests"
  else
    note "FAILED: ctest $p did not run (exit $rc)"; nf=1
  fi
  count "$p" "$np" $((nf + build_failed))
  stage_end "$p"
}

fuzz_stage() {
  stage_begin fuzz
  local secs=${ZEB_FUZZ_SECONDS:-8} line
  # One check per target: scripts/fuzz.sh prints one line for each.
  while IFS= read -r line; do
    note "$line"
    case $line in
      FAILED:*) count fuzz 0 1 ;;
      *": "*" runs in "*) count fuzz 1 0 ;;
    esac
  done < <(scripts/fuzz.sh "$secs")
  stage_end fuzz
}

e2e_stage() {
  stage_begin e2e
  local scripts=() s
  for s in tests/e2e/*.sh; do
    [ -f "$s" ] || continue
    if [ -x "$s" ]; then scripts+=("$s"); else note "not executable, skipped: $s"; fi
  done
  if [ ${#scripts[@]} -eq 0 ]; then
    note "no end-to-end tests in tests/e2e"; stage_end e2e; return
  fi
  rm -f "$LOGS/e2e.counts"
  # End-to-end scripts get: DISPLAY (Xvfb), WINEPREFIX and the other WINE* variables,
  # ZEB_ROOT, ZEB_BUILD, ZEB_WINE_MODE=x11 (sourcing scripts/wine-env.sh gives the same
  # prefix). Each starts with a fresh set of Wine processes and must close its programs.
  (
    . scripts/wine-env.sh x11
    export ZEB_ROOT ZEB_BUILD ZEB_WINE_MODE
    trap 'zeb_x11_stop' EXIT
    zeb_x11_start xvfb || { note "FAILED: cannot start Xvfb with Wine"; exit 99; }
    np=0 nf=0
    first=1
    for s in "${scripts[@]}"; do
      t0=$SECONDS
      [ -n "$first" ] || { zeb_wine_stop; zeb_wine_prepare >/dev/null; }
      first=
      if timeout -k 10 300 "$s" </dev/null >"$LOGS/e2e-$(basename "$s" .sh).log" 2>&1; then
        np=$((np + 1)); note "passed  $s ($((SECONDS - t0)) s)"
      else
        nf=$((nf + 1)); note "FAILED  $s ($((SECONDS - t0)) s)"
        tail -n 40 "$LOGS/e2e-$(basename "$s" .sh).log"
      fi
    done
    echo "$np $nf" >"$LOGS/e2e.counts"
  )
  local np nf
  if read -r np nf <"$LOGS/e2e.counts" 2>/dev/null; then count e2e "$np" "$nf"; else count e2e 0 1; fi
  rm -f "$LOGS/e2e.counts"
  stage_end e2e
}

# The release packages (scripts/release.sh); tests/e2e/package.sh runs what they hold.
package_stage() {
  stage_begin package
  if scripts/release.sh >"$LOGS/release.log" 2>&1; then
    grep -E '\.zip: |over budget' "$LOGS/release.log" || true
    count package 1 0
  else
    note "FAILED: scripts/release.sh"; tail -n 30 "$LOGS/release.log"
    count package 0 1
  fi
  stage_end package
}

cleanup() {
  ( . scripts/wine-env.sh null; zeb_wine_release ) >/dev/null 2>&1 || true
  ( ZEB_WINE_DPI=192 . scripts/wine-env.sh null; zeb_wine_release ) >/dev/null 2>&1 || true
}
trap cleanup EXIT
trap 'exit 143' TERM INT

stage_begin deps
if ! scripts/install-deps.sh; then
  note "FAILED: scripts/install-deps.sh"
  count deps 0 1
  note "$passed passed, $failed failed"
  exit 1
fi
stage_end deps

for st in $STAGES; do
  case $st in
    native) ctest_stage native 2 ;;
    fuzz) fuzz_stage ;;
    i686|x86_64) ctest_stage "$st" 1 ;;
    package) package_stage ;;
    e2e) e2e_stage ;;
    *) note "unknown stage $st"; count "$st" 0 1 ;;
  esac
done

note ""
note "=== summary ($((SECONDS - t_all)) s)"
for r in "${results[@]}"; do note "$r"; done
note "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
