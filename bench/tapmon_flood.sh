#!/usr/bin/env bash
# Builds Tapmon, pane_baseline and tapmon_flood (i686), starts a private Xvfb with one Wine
# desktop and prints how many milliseconds Tapmon's pane and a plain edit take per report
# when flooded with key-down reports, at the start (empty pane) and at the end (full pane).
#   bench/tapmon_flood.sh [REPORTS [BYTES]]      (1000 reports, 1 MB pre-fill)
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT" || exit 1
scripts/install-deps.sh || exit 1
mkdir -p build/logs
log=build/logs/tapmon_flood-build.log
if ! { cmake --preset i686 && cmake --build build/i686 --target tapmon_flood -j2; } >"$log" 2>&1; then
  tail -n 30 "$log"
  echo "tapmon_flood.sh: build failed (log: $log)" >&2
  exit 1
fi

. scripts/wine-env.sh x11
out=
cleanup() {
  [ -n "$out" ] && rm -f "$out"
  zeb_x11_stop || true
}
trap cleanup EXIT
trap 'exit 143' TERM INT
zeb_x11_start xvfb || { echo "tapmon_flood.sh: cannot start Xvfb with Wine" >&2; exit 1; }
out=$(mktemp) || exit 1
wine build/i686/bin/tapmon_flood.exe "$@" </dev/null >"$out" 2>&1 9>&-
rc=$?
tr -d '\r' <"$out"
exit $rc
