#!/usr/bin/env bash
# The framework as a package, for both builds: the framework is installed (cmake --install,
# component Development) into a scratch prefix that is then moved elsewhere (the package must
# not depend on where it was installed); every installed header compiles with nothing but that
# prefix; examples/standalone is configured against it in a fresh folder outside the source
# tree, with the build's toolchain file, and built without warnings; the program embeds the
# manifest and imports system DLLs only; it runs: its window comes up, a key reaches its typed
# handler, the button's click puts the key's description in the title bar, and File/Exit
# from the keyboard ends it with exit code 0. Also: every code block of docs/framework.md is
# the example's own text. The framework builds are reused where they exist (CI's i686 and
# x86_64 stages), else configured from their presets; only the libraries are built.
set -u
. "$(dirname "$0")/lib.bash"

SRC=$ZEB_ROOT/examples/standalone
SA_PID=
e2e_on_exit '[ -z "$SA_PID" ] || { kill $SA_PID 2>/dev/null; wait $SA_PID 2>/dev/null; }'

# Every ```cpp, ```cmake and ```rc block of the guide occurs, as it stands, in the example.
all=
for f in "$SRC"/*; do all+=$(cat "$f")$'\n'; done
rm -f "$E2E_OUT"/block-*
awk -v out="$E2E_OUT/block-" '
  /^```(cpp|cmake|rc)$/ { n++; inside = 1; next }
  /^```/ { inside = 0; next }
  inside { print > (out n) }' "$ZEB_ROOT/docs/framework.md"
nblocks=0 bad=
for b in "$E2E_OUT"/block-*; do
  [ -f "$b" ] || continue
  nblocks=$((nblocks + 1))
  text=$(cat "$b")
  [[ $all == *"$text"* ]] || bad+=" $(basename "$b")"
done
check "code blocks of docs/framework.md found in the example ($nblocks)" "" "${bad# }"
[ -z "$bad" ] || for b in $bad; do echo "--- not in the example:"; cat "$E2E_OUT/$b"; done
[ "$nblocks" -gt 0 ] || check "docs/framework.md has code blocks" yes no

# run_arch ARCH TRIPLE
run_arch() {
  local arch=$1 triple=$2 fw=$ZEB_BUILD/$1 scratch=$E2E_OUT/$1 prefix ex exe log geom x y w h
  prefix=$scratch/zeb-$arch ex=$scratch/build log=$scratch/log.txt
  mkdir -p "$scratch"
  echo "=== $arch"
  if [ ! -f "$fw/CMakeCache.txt" ]; then
    cmake -S "$ZEB_ROOT" -B "$fw" --preset "$arch" >"$log" 2>&1 ||
      { check "$arch: framework configured" 0 1; tail -n 20 "$log"; return; }
  fi
  cmake --build "$fw" --target zeb zebcore -j2 >>"$log" 2>&1 ||
    { check "$arch: framework built" 0 1; tail -n 20 "$log"; return; }
  if ! cmake --install "$fw" --prefix "$scratch/staging" --component Development >>"$log" 2>&1 ||
     ! mv "$scratch/staging" "$prefix"; then
    check "$arch: framework installed" 0 1; tail -n 20 "$log"; return
  fi

  # One unit that includes every installed header, on the prefix's include path alone.
  ( cd "$prefix/include/ZEB" && printf '#include "%s"\n' *.h ) >"$scratch/headers.cpp"
  "$triple-g++-posix" -std=c++17 -fsyntax-only -Wall -Wextra -DSTRICT -DWIN32_LEAN_AND_MEAN \
    -DNOMINMAX -I "$prefix/include/ZEB" "$scratch/headers.cpp" \
    >"$scratch/headers.log" 2>&1
  check "$arch: installed headers complete" "" "$(head -n 5 "$scratch/headers.log")"

  # Configured from the example's own folder, against the moved prefix only.
  cmake -S "$SRC" -B "$ex" -DCMAKE_TOOLCHAIN_FILE="$ZEB_ROOT/cmake/toolchain-$arch.cmake" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >"$scratch/configure.log" 2>&1 ||
    { check "$arch: example configured" 0 1; tail -n 20 "$scratch/configure.log"; return; }
  cmake --build "$ex" -j2 >"$scratch/build.log" 2>&1 ||
    { check "$arch: example built" 0 1; tail -n 30 "$scratch/build.log"; return; }
  check "$arch: example built without warnings" "" "$(grep -i 'warning' "$scratch/build.log")"
  exe=$ex/standalone.exe
  "$triple-windres" -i "$exe" -O rc 2>/dev/null | grep -q 'PerMonitorV2'
  check "$arch: manifest embedded" 0 $?
  # The C and C++ runtimes are inside the program: no MinGW DLL (libstdc++, libgcc, ...).
  check "$arch: system DLLs only" "" \
    "$("$triple-objdump" -p "$exe" | sed -n 's/.*DLL Name: //p' | grep -i '^lib')"

  # A program whose own code names nothing of the framework's entry object still gets WinMain
  # from the archive: it calls its XINIT, which declines, and ends with exit code 0.
  mkdir -p "$scratch/entry"
  printf '%s\n' 'cmake_minimum_required(VERSION 3.16)' 'project(entry CXX)' \
    'find_package(ZEB 1.0 REQUIRED)' 'add_executable(entry WIN32 entry.cpp)' \
    'target_link_libraries(entry PRIVATE ZEB::zeb)' >"$scratch/entry/CMakeLists.txt"
  printf '%s\n' '#include <string_view>' \
    'bool XINIT(std::string_view, int&) { return false; }' >"$scratch/entry/entry.cpp"
  if cmake -S "$scratch/entry" -B "$scratch/entry/build" \
       -DCMAKE_TOOLCHAIN_FILE="$ZEB_ROOT/cmake/toolchain-$arch.cmake" \
       -DCMAKE_PREFIX_PATH="$prefix" >"$scratch/entry.log" 2>&1 &&
     cmake --build "$scratch/entry/build" >>"$scratch/entry.log" 2>&1; then
    timeout 30 wine "$scratch/entry/build/entry.exe" </dev/null >/dev/null 2>&1 9>&-
    check "$arch: entry from the archive, XINIT false: exit code" 0 $?
  else
    check "$arch: entry from the archive: linked" 0 1
    grep -E 'undefined|error' "$scratch/entry.log" | head -n 5
  fi

  wine "$exe" </dev/null >"$scratch/run.log" 2>&1 9>&- &
  SA_PID=$!
  geom=$(zeb_activate_window "ZEB standalone" 30) ||
    { check "$arch: window up" 0 1; kill $SA_PID 2>/dev/null; SA_PID=; return; }
  read -r x y w h <<<"$geom"
  xdotool key a
  # The button's centre: 70 and 24 pixels in from the client area's bottom right-hand corner,
  # which is the frame's border (a few pixels) in from the window's.
  sleep 0.3
  desk_click $((x + w - 4 - 70)) $((y + h - 4 - 24))
  zeb_wait_window "Key 65, scan code 30" 10 >/dev/null
  check "$arch: key reported, button's click ran" 0 $?
  shot "$arch" $((x < 0 ? 0 : x)) $((y < 0 ? 0 : y)) $((x + w)) $((y + h))
  xdotool key alt+f
  sleep 0.3
  xdotool key x
  local rc=running
  for _ in $(seq 100); do kill -0 $SA_PID 2>/dev/null || break; sleep 0.1; done
  if ! kill -0 $SA_PID 2>/dev/null; then wait $SA_PID; rc=$?; fi
  [ "$rc" = running ] || SA_PID=
  check "$arch: File/Exit, exit code" 0 "$rc"
}

run_arch i686 i686-w64-mingw32
zeb_wine_stop
zeb_wine_prepare >/dev/null
run_arch x86_64 x86_64-w64-mingw32
e2e_done
