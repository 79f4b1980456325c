#!/usr/bin/env bash
# Runs the MDI demo under a private Xvfb with one Wine desktop, opens its Window menu (which
# lists the two documents) and saves the frame as a picture.
#   examples/mdi_screenshot.sh [OUT.png]      default: docs/mdi.png; needs the i686 build
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT=${1:-$ROOT/docs/mdi.png}
EXE=${ZEB_BUILD:-$ROOT/build}/i686/bin/mdi_demo.exe
[ -f "$EXE" ] || { echo "mdi_screenshot.sh: build the i686 preset first ($EXE)" >&2; exit 2; }
. "$ROOT/scripts/wine-env.sh" x11
trap 'zeb_x11_stop' EXIT
zeb_x11_start xvfb || exit 1
wine "$EXE" </dev/null >/dev/null 2>&1 9>&- &
geom=$(zeb_activate_window "ZEB MDI demo") || { echo "mdi_screenshot.sh: no demo window" >&2; exit 1; }
read -r x y w h <<<"$geom"
xdotool key alt+w
sleep 1
mkdir -p "$(dirname "$OUT")"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$OUT"
echo "$OUT"
