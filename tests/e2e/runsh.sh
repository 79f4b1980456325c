#!/usr/bin/env bash
# scripts/run.sh as on a machine without a display: with DISPLAY unset it starts its own Xvfb,
# types a, Shift+B and Return, and must print the pane's text, exactly the reports of those
# keys after the one of its activating click on the caption. It reuses the build folder's i686
# build (it builds only what is out of date) but has a Wine prefix of its own, so that its
# server and desktop never meet those of the session that runs this script.
set -u
E2E_NO_DESKTOP=1
. "$(dirname "$0")/lib.bash"

OFF='  CapsLock OFF    NumLock OFF    ScrollLock OFF'

: >"$E2E_OUT/started"
env -u DISPLAY -u WINEPREFIX -u ZEB_WINE_MODE ZEB_BUILD="$ZEB_BUILD/runsh-wine" \
  bash "$ZEB_ROOT/scripts/run.sh" </dev/null >"$E2E_OUT/run.txt" 2>"$E2E_OUT/run.err"
check "run.sh without a display ends with exit code 0" 0 "$?"
if ! grep -q '^--- pane text$' "$E2E_OUT/run.txt"; then
  _e2e_fail "run.sh prints the pane's text"
  tail -n 20 "$E2E_OUT/run.txt" "$E2E_OUT/run.err"
  e2e_done
fi

sed -n '/^--- pane text$/,/^---$/p' "$E2E_OUT/run.txt" | sed '1d;$d' >"$E2E_OUT/got.txt"
{ sc SC_MOVE; typed_aBreturn; } >"$E2E_OUT/want.txt"
expect_file "run.sh prints the caption click's and the typed keys' reports, exactly" \
  "$E2E_OUT/want.txt" "$E2E_OUT/got.txt"
shot=$(sed -n 's/^screenshot: //p' "$E2E_OUT/run.txt")
check "run.sh saves its screenshot" yes "$([ -n "$shot" ] && [ "$shot" -nt "$E2E_OUT/started" ] && echo yes)"

e2e_done
