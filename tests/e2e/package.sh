#!/usr/bin/env bash
# The packaged program, not the build tree's: each release package (scripts/release.sh) is
# unpacked into a fresh directory and its Tapmon.exe goes through the key sequences of keys.sh
# (32-bit) and x86_64.sh (64-bit). Skipped (passes with a note) where no package was built.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${ZEB_BUILD:-$root/build}
rc=0 first=1
for pair in "win32 keys.sh" "win64 x86_64.sh"; do
  set -- $pair
  zip=$(ls "$build"/release/Tapmon-*-"$1".zip 2>/dev/null | head -n 1)
  if [ -z "$zip" ]; then echo "skipped: no $1 package in $build/release"; continue; fi
  dir=$build/package/$1
  rm -rf "$dir" && mkdir -p "$dir"
  if ! (cd "$dir" && cmake -E tar xf "$zip"); then echo "FAILED: cannot unpack $zip"; rc=1; continue; fi
  exe=$(find "$dir" -name Tapmon.exe | head -n 1)
  if [ -z "$exe" ]; then echo "FAILED: no Tapmon.exe in $zip"; rc=1; continue; fi
  # Each run starts with a fresh set of Wine processes, as every end-to-end script does.
  [ -n "$first" ] || ( . "$root/scripts/wine-env.sh" x11 && zeb_wine_stop && zeb_wine_prepare >/dev/null )
  first=
  echo "=== $(basename "$zip"): $exe"
  ZEB_TAPMON_EXE=$exe ZEB_E2E_TAG=package-$1 bash "$here/$2" || rc=1
done
exit $rc
