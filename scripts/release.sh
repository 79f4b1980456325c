#!/usr/bin/env bash
# Builds the release packages: build/release/Tapmon-<version>-win32.zip and -win64.zip (a
# stripped, size-optimised Tapmon.exe, README.md, LICENSE) and SHA256SUMS beside them. Prints
# each program's size and the DLLs it imports.
#   scripts/release.sh            both architectures
#   scripts/release.sh win32      one of them
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
OUT=$ROOT/build/release
archs=("$@")
[ ${#archs[@]} -gt 0 ] || archs=(win32 win64)

scripts/install-deps.sh
mkdir -p "$OUT" build/logs
for a in "${archs[@]}"; do
  case $a in
    win32) objdump=i686-w64-mingw32-objdump ;;
    win64) objdump=x86_64-w64-mingw32-objdump ;;
    *) echo "release.sh: unknown architecture $a (win32 or win64)" >&2; exit 2 ;;
  esac
  log=build/logs/release-$a.log
  if ! { cmake --preset "release-$a" && cmake --build --preset "release-$a" -j2 &&
         cpack --preset "release-$a"; } >"$log" 2>&1; then
    tail -n 30 "$log"
    echo "release.sh: release-$a failed (log: $log)" >&2
    exit 1
  fi
  zip=$(ls build/release-$a/Tapmon-*-"$a".zip)
  cp -f "$zip" "$OUT/"
  exe=$(find "build/release-$a/_CPack_Packages" -name Tapmon.exe | head -n 1)
  echo "$(basename "$zip"): $(stat -c %s "$OUT/$(basename "$zip")") bytes;" \
       "Tapmon.exe $(stat -c %s "$exe") bytes, imports:" \
       $("$objdump" -p "$exe" | sed -n 's/^\tDLL Name: //p' | sort -f | tr '\n' ' ')
  # The 32-bit program's size budget, 400 KB: a figure to watch, printed, not a failure.
  if [ "$a" = win32 ] && [ "$(stat -c %s "$exe")" -gt 409600 ]; then
    echo "release.sh: over budget: the win32 Tapmon.exe is $(stat -c %s "$exe") bytes (400 KB)"
  fi
done
( cd "$OUT" && sha256sum Tapmon-*-win32.zip Tapmon-*-win64.zip 2>/dev/null >SHA256SUMS.tmp || true
  mv -f SHA256SUMS.tmp SHA256SUMS && cat SHA256SUMS )
