#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, as root. Quick no-op when all is
# there; safe without a terminal (CI).
set -euo pipefail

pkgs=(
  # Wine: 32-bit loader for the i686 programs, wine64 for the x86_64 ones (one WoW64 prefix).
  wine wine32:i386 wine64 libwine:i386
  # Wine's own fonts (Tahoma, MS Sans Serif, Marlett): caption buttons and dialogs as on Windows.
  fonts-wine
  # Cross compilers: the -posix threading model (GoogleTest needs std::mutex).
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  # Host build, sanitizers, libFuzzer.
  cmake make g++ clang libclang-rt-14-dev googletest
  # End-to-end tests and scripts/run.sh: virtual X, keystrokes, window queries, screenshots.
  xvfb xdotool x11-utils imagemagick
  # flock, setsid, stdbuf, ps.
  util-linux coreutils procps
)

have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
need=()
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${need[*]}" >&2
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 || { echo "install-deps: run as root" >&2; exit 1; }
  sudo=(sudo -n env DEBIAN_FRONTEND=noninteractive)
fi
export DEBIAN_FRONTEND=noninteractive
apt_opts=(-y -q --no-install-recommends -o DPkg::Lock::Timeout=300
          -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)

retry() {
  local i
  for i in 1 2 3; do "$@" && return 0; echo "install-deps: retrying: $*" >&2; sleep $((i * 5)); done
  return 1
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
# A mirror caught mid-sync fails one index (seen: the i386 security list); the others are
# still fresh, so the install below is what decides.
retry "${sudo[@]}" apt-get update -q -o DPkg::Lock::Timeout=300 </dev/null >/dev/null ||
  echo "install-deps: apt-get update incomplete; installing from the indexes it has" >&2
# Without one architecture's security list, the other's newer libraries cannot be matched
# (multi-arch packages must agree on versions): then take every package from the release.
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
"${sudo[@]}" apt-get install "${apt_opts[@]}" "${need[@]}" </dev/null >/dev/null ||
  retry "${sudo[@]}" apt-get install "${apt_opts[@]}" ${codename:+-t "$codename"} "${need[@]}" </dev/null >/dev/null

for p in "${need[@]}"; do
  have "$p" || { echo "install-deps: $p did not install" >&2; exit 1; }
done
