# Shared part of the end-to-end scripts; sourced by them, never run by itself (not named *.sh,
# so scripts/test.sh does not take it for a check).
#
# Under scripts/test.sh the scripts get an Xvfb with one Wine desktop; run by hand, a script
# starts its own private Xvfb and stops it at the end (unless it set E2E_NO_DESKTOP).
#
#   tm_start [ARCH]        starts build/ARCH/bin/Tapmon.exe (i686; $ZEB_TAPMON_EXE when set),
#                          activates it with a click
#                          on its caption and empties the pane; TM_PID is the process
#   pt ARGS...             panetext.exe of the same build (tests/e2e/panetext.cpp), CR removed
#   expect_pane NAME       the expected pane text comes on stdin; waits up to 10 s for the pane
#                          to hold exactly that, then counts the check as passed or failed
#   check NAME WANT GOT    compares two values
#   kd/skd LINE...         a WM_KeyDown / WM_SYSKeyDown report with the given body lines
#   sc NAME                the line of a system command
#   ln LINE...             plain lines
#   tm_final_begin / tm_final_text
#                          catch the pane's text as the frame is destroyed ("panetext final")
#   tm_wait_exit SECONDS   waits for Tapmon's process to end; TM_RC is its exit code
#   desk_click X Y         a left click at desktop coordinates
#   shot NAME [L T R B]    screenshot of the desktop (or of that rectangle) into $E2E_OUT
#   e2e_done               ends the script: exit 0 when every check passed
# shellcheck shell=bash
set -u

# A script that sets E2E_NO_DESKTOP starts no Wine program of its own here and needs none.
if [ -n "${E2E_NO_DESKTOP:-}" ] || { [ "${ZEB_WINE_MODE:-}" = x11 ] && [ -n "${DISPLAY:-}" ]; }; then
  E2E_OWN_X=
else
  E2E_OWN_X=1
fi
. "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/wine-env.sh" x11 || exit 1

E2E_NAME=$(basename "$0" .sh)${ZEB_E2E_TAG:+-$ZEB_E2E_TAG}
E2E_OUT=$ZEB_BUILD/e2e/$E2E_NAME
E2E_PASSED=0
E2E_FAILED=0
TM_PID=
TM_RC=
TM_FINAL_PID=
E2E_CLEANUPS=()
rm -rf "$E2E_OUT"
mkdir -p "$E2E_OUT" || exit 1

# Steps that must run however the script ends (restored key locks, the keyboard map).
e2e_on_exit() { E2E_CLEANUPS+=("$*"); }

_e2e_cleanup() {
  local c i
  for ((i = ${#E2E_CLEANUPS[@]} - 1; i >= 0; i--)); do
    c=${E2E_CLEANUPS[i]}
    eval "$c" || true
  done
  if [ -n "$TM_PID" ] && kill -0 "$TM_PID" 2>/dev/null; then
    pt send 16 0 0 >/dev/null 2>&1 || true
    for _ in $(seq 30); do kill -0 "$TM_PID" 2>/dev/null || break; sleep 0.1; done
    kill "$TM_PID" 2>/dev/null || true
    wait "$TM_PID" 2>/dev/null || true
  fi
  if [ -n "$TM_FINAL_PID" ]; then
    kill "$TM_FINAL_PID" 2>/dev/null || true
    wait "$TM_FINAL_PID" 2>/dev/null || true
  fi
  if [ -n "$E2E_OWN_X" ]; then zeb_x11_stop || true; fi
}
trap _e2e_cleanup EXIT
trap 'exit 143' TERM INT

if [ -n "$E2E_OWN_X" ]; then
  zeb_x11_start xvfb || { echo "cannot start Xvfb with Wine" >&2; exit 1; }
fi

pt() {
  local out rc
  out=$(mktemp) || return 1
  wine "$TM_PANETEXT" "$@" </dev/null >"$out" 2>>"$E2E_OUT/panetext.err" 9>&-
  rc=$?
  tr -d '\r' <"$out"
  rm -f "$out"
  return $rc
}

_e2e_pass() {
  E2E_PASSED=$((E2E_PASSED + 1))
  echo "ok    $1"
}
_e2e_fail() {
  E2E_FAILED=$((E2E_FAILED + 1))
  echo "FAIL  $1"
}

check() {
  if [ "$2" = "$3" ]; then
    _e2e_pass "$1"
  else
    _e2e_fail "$1"
    echo "      want: $2"
    echo "      got:  $3"
  fi
}

expect_pane() {
  local name=$1 want got i
  want=$E2E_OUT/want.txt got=$E2E_OUT/got.txt
  cat >"$want"
  for i in $(seq 50); do
    pt >"$got" || true
    cmp -s "$want" "$got" && { _e2e_pass "$name"; return 0; }
    sleep 0.2
  done
  _e2e_fail "$name"
  diff -u --label expected --label pane "$want" "$got" | head -n 60
  return 1
}

ln() { printf '%s\n' "$@"; }
kd() {
  printf '\nWM_KeyDown called with\n'
  printf '%s\n' "$@"
}
skd() {
  printf '\nWM_SYSKeyDown called with\n'
  printf '%s\n' "$@"
}
sc() { printf '\nKeystroke converted to WM_SYSCOMMAND: %s\n' "$1"; }
# The reports of `xdotool type a` then `xdotool key shift+b Return`, all locks off.
typed_aBreturn() {
  kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' "$OFF" '  Keys pressed:  A'
  ln '    WM_CHAR result:  97(x61)  a'
  kd 'key code =  16(x10)  VK_SHIFT' '  scan code =  42(x02A)' "$OFF" '  Keys pressed:  VK_SHIFT  VK_LSHIFT'
  kd 'key code =  66(x42)  B' '  scan code =  48(x030)' "$OFF" '  Keys pressed:  VK_SHIFT  B  VK_LSHIFT'
  ln '    WM_CHAR result:  66(x42)  B'
  kd 'key code =  13(x0D)  VK_RETURN' '  scan code =  28(x01C)' "$OFF" '  Keys pressed:  VK_RETURN'
  ln '    WM_CHAR result:  13(x0D)'
}

# expect_file NAME WANT GOT: one check, the difference shown when the two files differ.
expect_file() {
  if cmp -s "$2" "$3"; then
    _e2e_pass "$1"
  else
    _e2e_fail "$1"
    diff -u --label expected --label got "$2" "$3" | head -n 60
  fi
}

tm_start() {
  local arch=${1:-i686}
  TM_EXE=${ZEB_TAPMON_EXE:-$ZEB_BUILD/$arch/bin/Tapmon.exe}
  TM_PANETEXT=$ZEB_BUILD/$arch/bin/panetext.exe
  if [ ! -f "$TM_EXE" ] || [ ! -f "$TM_PANETEXT" ]; then
    echo "not built: $TM_EXE or $TM_PANETEXT" >&2
    return 1
  fi
  wine "$TM_EXE" </dev/null >"$E2E_OUT/tapmon-$arch.log" 2>&1 9>&- &
  TM_PID=$!
  TM_RC=
  TM_GEOM=$(zeb_activate_window Tapmon 30) || { echo "no Tapmon window" >&2; return 1; }
  # The caption click was reported (SC_MOVE); the checks start from an empty pane.
  pt wait-idle && pt clear
}

tm_wait_exit() {
  local i
  for i in $(seq $((${1:-10} * 10))); do
    kill -0 "$TM_PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$TM_PID" 2>/dev/null; then
    TM_RC=running
    return 1
  fi
  wait "$TM_PID"
  TM_RC=$?
  TM_PID=
}

# Hooks Tapmon's thread before the keys that close it; tm_final_text prints what the pane held
# when the frame was destroyed.
tm_final_begin() {
  local i
  : >"$E2E_OUT/final.txt"
  wine "$TM_PANETEXT" final 30 </dev/null >"$E2E_OUT/final.txt" 2>>"$E2E_OUT/panetext.err" 9>&- &
  TM_FINAL_PID=$!
  for i in $(seq 100); do
    grep -q '^hooked' "$E2E_OUT/final.txt" && return 0
    kill -0 "$TM_FINAL_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "panetext final did not hook Tapmon" >&2
  return 1
}

tm_final_text() {
  local i
  # Polled, not only waited for: this may run in a subshell, e.g. inside $(...).
  for i in $(seq 300); do
    kill -0 "$TM_FINAL_PID" 2>/dev/null || break
    sleep 0.1
  done
  wait "$TM_FINAL_PID" 2>/dev/null
  TM_FINAL_PID=
  tail -n +2 "$E2E_OUT/final.txt" | tr -d '\r'
}

desk_click() {
  local desk
  desk=$(xdotool search --name 'Wine desktop$' 2>/dev/null | head -n 1)
  [ -n "$desk" ] && xdotool mousemove --window "$desk" "$1" "$2" click 1
}

# Value of a "key v1 v2 ..." line of panetext output: field N (1 = first value) or all values.
field() { awk -v k="$2" -v n="${3:-0}" '$1 == k { if (n) print $(n + 1); else { $1 = ""; sub(/^ /, ""); print } exit }' <<<"$1"; }

shot() {
  local f=$E2E_OUT/$1.png
  if [ $# -ge 5 ]; then
    import -window root -crop "$(($4 - $2))x$(($5 - $3))+$2+$3" +repage "$f" 2>/dev/null
  else
    import -window root "$f" 2>/dev/null
  fi
}

e2e_done() {
  echo "$E2E_NAME: $E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ] && [ "$E2E_PASSED" -gt 0 ]
  exit $?
}
