#!/usr/bin/env bash
# Builds Tapmon (i686) and starts it under Wine.
# With $DISPLAY: Tapmon opens on that display; the script returns when it is closed.
# Without: under a private Xvfb, types a few keys into it, saves build/tapmon-screenshot.png,
# prints the pane's text (read by panetext.exe, built along with it), then closes it.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
target=${ZEB_RUN_TARGET:-Tapmon}
title=${ZEB_RUN_TITLE:-Tapmon}
# Without a display the pane is read back by panetext: built along with the program.
targets=("$target" panetext)

scripts/install-deps.sh
mkdir -p build/logs
if ! { cmake --preset i686 && cmake --build build/i686 --target "${targets[@]}" -j2; } >build/logs/run-build.log 2>&1; then
  tail -n 40 build/logs/run-build.log
  echo "run.sh: build failed (log: build/logs/run-build.log)" >&2
  exit 1
fi
exe=$ROOT/build/i686/bin/$target.exe
panetext=$ROOT/build/i686/bin/panetext.exe
shot=$ROOT/build/tapmon-screenshot.png

. scripts/wine-env.sh x11

if [ -n "${DISPLAY:-}" ] && ! xdpyinfo >/dev/null 2>&1; then
  echo "run.sh: cannot open display $DISPLAY; using a private Xvfb" >&2
  unset DISPLAY
fi
if [ -n "${DISPLAY:-}" ]; then
  trap 'zeb_wine_stop' EXIT
  zeb_x11_start host
  echo "$target runs on $DISPLAY; close its window to end." >&2
  wine "$exe" || true
  exit 0
fi

trap 'zeb_x11_stop' EXIT
zeb_x11_start xvfb
wine "$exe" </dev/null >build/logs/run-app.log 2>&1 &
app=$!
if ! geom=$(zeb_activate_window "$title" 30); then
  echo "run.sh: no window titled \"$title\" within 30 s" >&2
  import -window root "$shot" 2>/dev/null || true
  exit 1
fi
echo "window \"$title\" at (x y w h): $geom"
xdotool type --delay 50 a
xdotool key --delay 50 shift+b Return
# The reports are all in the pane once Tapmon has worked off its input.
[ -f "$panetext" ] && wine "$panetext" wait-idle </dev/null >/dev/null 2>&1 || sleep 1
import -window root "$shot"
if [ -f "$panetext" ]; then
  echo "--- pane text"
  out=$(mktemp)
  wine "$panetext" </dev/null >"$out" 2>/dev/null || echo "(panetext.exe failed)"
  tr -d '\r' <"$out"; rm -f "$out"
  echo "---"
fi
echo "screenshot: $shot"

xdotool key alt+F4
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && echo "run.sh: $target did not close on Alt+F4; ending it" >&2
exit 0
