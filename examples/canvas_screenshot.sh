#!/usr/bin/env bash
# Runs the canvas demo under a private Xvfb with one Wine desktop and saves the frame, scrolled
# into its canvas, as a picture.
#   examples/canvas_screenshot.sh [OUT.png]      default: docs/canvas.png; needs the i686 build
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT=${1:-$ROOT/docs/canvas.png}
EXE=${ZEB_BUILD:-$ROOT/build}/i686/bin/canvas_demo.exe
[ -f "$EXE" ] || { echo "canvas_screenshot.sh: build the i686 preset first ($EXE)" >&2; exit 2; }
. "$ROOT/scripts/wine-env.sh" x11
trap 'zeb_x11_stop' EXIT
zeb_x11_start xvfb || exit 1
wine "$EXE" </dev/null >/dev/null 2>&1 9>&- &
geom=$(zeb_activate_window "ZEB canvas demo") || { echo "canvas_screenshot.sh: no demo window" >&2; exit 1; }
read -r x y w h <<<"$geom"
sleep 1
mkdir -p "$(dirname "$OUT")"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$OUT"
echo "$OUT"
