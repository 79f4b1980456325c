# Wine environment for the build's tests. Source it (bash):
#   . scripts/wine-env.sh          # headless prefix, null graphics driver
#   . scripts/wine-env.sh x11      # prefix for real X input: x11 driver, one virtual desktop
#   ZEB_WINE_DPI=192 . scripts/wine-env.sh ...   # the same in a prefix of its own at 192 DPI
# then call zeb_wine_prepare before running programs; zeb_wine_stop ends the prefix's
# processes at once, zeb_wine_release lets them end by themselves. For x11 mode:
# zeb_x11_start [xvfb|host] / zeb_x11_stop.
#
# One 64-bit (WoW64) prefix runs both the i686 and the x86_64 programs: /usr/bin/wine
# starts the 32-bit loader, which hands 64-bit images to wine64.

ZEB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZEB_BUILD=${ZEB_BUILD:-$ZEB_ROOT/build}
ZEB_WINE_MODE=${1:-${ZEB_WINE_MODE:-null}}
case $ZEB_WINE_MODE in
  null) export WINEPREFIX=$ZEB_BUILD/wineprefix ;;
  x11)  export WINEPREFIX=$ZEB_BUILD/wineprefix-x11 ;;
  *) echo "wine-env.sh: unknown mode '$ZEB_WINE_MODE' (null or x11)" >&2; return 2 ;;
esac
# Wine reads the screen's DPI once, when its server starts: another DPI needs another prefix.
case ${ZEB_WINE_DPI:-} in
  ''|96) ZEB_WINE_DPI= ;;
  *[!0-9]*) echo "wine-env.sh: ZEB_WINE_DPI must be a number" >&2; return 2 ;;
  *) WINEPREFIX=$WINEPREFIX-dpi$ZEB_WINE_DPI ;;
esac
export WINEARCH=win64
export WINEDEBUG=-all
# No .NET/HTML installers at prefix creation; no desktop menu entries written to $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Idle lifetime of the keeper process; it is restarted on demand.
ZEB_KEEPER_SECONDS=${ZEB_KEEPER_SECONDS:-3600}

_zeb_log() { echo "wine-env: $*" >&2; }

# Runs a Wine program with no inherited pipes and no extra fds.
_zeb_wine_quiet() { wine "$@" </dev/null >/dev/null 2>&1 9>&-; }

_zeb_keeper_exe() {
  local dir=$ZEB_BUILD/wine-keeper exe=$ZEB_BUILD/wine-keeper/keeper.exe
  [ -x "$exe" ] && grep -q "keeper v4" "$dir/keeper.c" 2>/dev/null && { echo "$exe"; return 0; }
  mkdir -p "$dir"
  cat >"$dir/keeper.c" <<'EOF'
/* keeper v4. Holds the prefix's long-lived processes (server, services, desktop) open so that they
   are started once, with stdio on /dev/null, instead of by (and holding the pipes of)
   whichever test runs first. Ends after the given idle seconds or on the named event. */
#include <windows.h>
#include <stdlib.h>
int WINAPI WinMain(HINSTANCE a, HINSTANCE b, LPSTR cmd, int show) {
    DWORD secs = (DWORD)strtoul(cmd, NULL, 10);
    HANDLE stop = CreateEventA(NULL, TRUE, FALSE, "ZebWineKeeperStop");
    (void)b; (void)show;
    if (!lstrcmpA(cmd, "stop")) {
        SetEvent(stop);
        return 0;
    }
    /* A hidden window brings the desktop process up now rather than in the first test. */
    CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, NULL, NULL, a, NULL);
    WaitForSingleObject(stop, (secs ? secs : 3600) * 1000u);
    return 0;
}
EOF
  local cc
  for cc in x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-gcc i686-w64-mingw32-gcc-posix i686-w64-mingw32-gcc; do
    command -v "$cc" >/dev/null 2>&1 && break
  done
  "$cc" -O2 -mwindows -o "$exe.tmp" "$dir/keeper.c" && mv -f "$exe.tmp" "$exe" || return 1
  echo "$exe"
}

_zeb_keeper_alive() {
  local pid
  pid=$(cat "$WINEPREFIX/zeb-keeper.pid" 2>/dev/null) || return 1
  [ -n "$pid" ] && grep -qa keeper.exe "/proc/$pid/cmdline" 2>/dev/null
}

# $1: xvfb (one virtual desktop) or host (plain X windows); only used in x11 mode.
_zeb_write_reg() {
  local f=$WINEPREFIX/zeb-settings.reg
  {
    printf 'REGEDIT4\r\n\r\n'
    # A crash ends the program instead of waiting for someone to answer a debugger dialog.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
    if [ -n "$ZEB_WINE_DPI" ]; then
      printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n\r\n' "$ZEB_WINE_DPI"
    fi
    if [ "$ZEB_WINE_MODE" = null ]; then
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Graphics"="null"\r\n\r\n'
    else
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Graphics"="x11"\r\n\r\n'
      if [ "${1:-xvfb}" = xvfb ]; then
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
      else
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"=-\r\n\r\n'
      fi
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
    fi
  } >"$f"
  _zeb_wine_quiet regedit /S 'Z:'"${f//\//\\}"
}

# Wine's own fonts (Debian: fonts-wine) into the prefix's font folder. This Wine looks for
# them only there: without the links every face falls back to a system font, and caption
# buttons show letters instead of Marlett's symbols.
ZEB_WINE_FONTS=${ZEB_WINE_FONTS:-/usr/share/wine/fonts}
_zeb_fonts_link() {
  local dir=$WINEPREFIX/drive_c/windows/Fonts f
  [ -d "$ZEB_WINE_FONTS" ] && [ -d "$dir" ] || return 0
  [ -e "$dir/tahoma.ttf" ] && [ -e "$dir/marlett.ttf" ] && return 0
  for f in "$ZEB_WINE_FONTS"/*; do
    [ -e "$dir/${f##*/}" ] || ln -s "$f" "$dir/" || return 1
  done
}

# Creates the prefix once; called under the lock.
_zeb_prefix_create() {
  if [ -f "$WINEPREFIX/zeb-ready" ]; then
    _zeb_fonts_link
    return 0
  fi
  local t0=$SECONDS
  _zeb_log "creating $WINEPREFIX"
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  # No display while creating: nothing pops up on a developer's screen, and no
  # long-lived process stays bound to a display.
  ( unset DISPLAY
    _zeb_wine_quiet wineboot -i && _zeb_write_reg xvfb ) || { _zeb_log "prefix creation failed"; return 1; }
  _zeb_fonts_link || { _zeb_log "cannot link Wine's fonts"; return 1; }
  wineserver -w >/dev/null 2>&1 || true
  echo xvfb >"$WINEPREFIX/zeb-desktop"
  touch "$WINEPREFIX/zeb-ready"
  _zeb_log "prefix ready in $((SECONDS - t0)) s"
}

# Starts the keeper unless it runs; called under the lock.
_zeb_keeper_start() {
  _zeb_keeper_alive && return 0
  local exe
  exe=$(_zeb_keeper_exe) || { _zeb_log "cannot build the keeper"; return 1; }
  setsid wine "$exe" "$ZEB_KEEPER_SECONDS" </dev/null >/dev/null 2>&1 9>&- &
  echo $! >"$WINEPREFIX/zeb-keeper.pid"
  # Brings the server, services and desktop up now, before any test holds a pipe.
  _zeb_wine_quiet cmd /c exit || true
}

# Creates the prefix once (locked against concurrent callers) and makes sure the keeper runs.
zeb_wine_prepare() {
  mkdir -p "$ZEB_BUILD" || return 1
  [ "$ZEB_WINE_MODE" = null ] && unset DISPLAY
  ( flock 9 || exit 1
    _zeb_prefix_create && _zeb_keeper_start
  ) 9>"$WINEPREFIX.lock"
}

# Lets the prefix wind down by itself: the keeper ends and Wine's processes follow once no
# program is left, so tests that others run in the same prefix are not cut short.
zeb_wine_release() {
  _zeb_keeper_alive || return 0
  local exe
  exe=$(_zeb_keeper_exe) && _zeb_wine_quiet "$exe" stop || true
  rm -f "$WINEPREFIX/zeb-keeper.pid" 2>/dev/null || true
}

# Ends every process of the current prefix at once (keeper included).
zeb_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  rm -f "$WINEPREFIX/zeb-keeper.pid" 2>/dev/null || true
}

# zeb_wait_window TITLE [SECONDS]: waits until a visible top-level window whose title starts
# with TITLE exists, brings it to the foreground and prints "x y width height" (desktop
# coordinates). Fails after SECONDS (30).
zeb_wait_window() {
  local dir=$ZEB_BUILD/wine-keeper exe=$ZEB_BUILD/wine-keeper/waitwin.exe out rc
  if [ ! -x "$exe" ]; then
    mkdir -p "$dir"
    cat >"$dir/waitwin.c" <<'EOF'
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
static const char *want;
static HWND found;
static BOOL CALLBACK Match(HWND h, LPARAM l) {
    char t[256];
    (void)l;
    if (IsWindowVisible(h) && GetWindowTextA(h, t, sizeof t) > 0 && !strncmp(t, want, strlen(want))) {
        found = h;
        return FALSE;
    }
    return TRUE;
}
int main(int argc, char **argv) {
    DWORD end;
    RECT r;
    if (argc < 2) return 2;
    want = argv[1];
    end = GetTickCount() + (argc > 2 ? atoi(argv[2]) : 30) * 1000u;
    for (;;) {
        EnumWindows(Match, 0);
        if (found) break;
        if ((int)(GetTickCount() - end) >= 0) return 1;
        Sleep(100);
    }
    SetForegroundWindow(found);
    GetWindowRect(found, &r);
    printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}
EOF
    x86_64-w64-mingw32-gcc -O2 -o "$exe.tmp" "$dir/waitwin.c" && mv -f "$exe.tmp" "$exe" || return 1
  fi
  out=$(mktemp) || return 1
  wine "$exe" "$1" "${2:-30}" </dev/null >"$out" 2>/dev/null 9>&-
  rc=$?
  tr -d '\r' <"$out"; rm -f "$out"
  return $rc
}

# zeb_activate_window TITLE [SECONDS]: zeb_wait_window, then a click on the window's caption
# (Xvfb desktop mode), which is what makes Wine route X keystrokes to it: X focus on the
# desktop and SetForegroundWindow from another process are not enough. Prints the geometry.
zeb_activate_window() {
  local geom x y w h desk
  geom=$(zeb_wait_window "$@") || return 1
  read -r x y w h <<<"$geom"
  desk=$(xdotool search --name 'Wine desktop$' 2>/dev/null | head -n 1)
  [ -n "$desk" ] || return 1
  [ "$y" -lt 0 ] && y=0
  xdotool mousemove --window "$desk" $((x + w / 2)) $((y + 10)) click 1 || return 1
  sleep 0.2
  echo "$geom"
}

# x11 mode. 'xvfb' (default): a private Xvfb with one 1024x768 Wine desktop, for xdotool
# and screenshots. 'host': the caller's $DISPLAY, windows as normal top-level X windows.
zeb_x11_start() {
  local where=${1:-xvfb}
  [ "$ZEB_WINE_MODE" = x11 ] || { _zeb_log "zeb_x11_start needs x11 mode"; return 2; }
  if [ "$where" = xvfb ]; then
    local fdfile i
    fdfile=$(mktemp) || return 1
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" </dev/null >/dev/null 2>&1 9>&- &
    ZEB_XVFB_PID=$!
    for i in $(seq 100); do
      [ -s "$fdfile" ] && break
      kill -0 "$ZEB_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if [ ! -s "$fdfile" ]; then
      _zeb_log "Xvfb did not start"; rm -f "$fdfile"; zeb_x11_stop; return 1
    fi
    export DISPLAY=:$(tr -dc 0-9 <"$fdfile")
    rm -f "$fdfile"
  elif [ -z "${DISPLAY:-}" ]; then
    _zeb_log "no DISPLAY for host mode"; return 1
  fi
  mkdir -p "$ZEB_BUILD" || return 1
  ( flock 9 || exit 1
    _zeb_prefix_create || exit 1
    # Wine's long-lived processes are bound to one display: start them afresh for this one.
    wineserver -k >/dev/null 2>&1 || true
    if [ "$(cat "$WINEPREFIX/zeb-desktop" 2>/dev/null)" != "$where" ]; then
      ( unset DISPLAY; _zeb_write_reg "$where" ) || exit 1
      wineserver -w >/dev/null 2>&1 || true
      echo "$where" >"$WINEPREFIX/zeb-desktop"
    fi
    _zeb_keeper_start
  ) 9>"$WINEPREFIX.lock" || { zeb_x11_stop; return 1; }
}

zeb_x11_stop() {
  zeb_wine_stop
  if [ -n "${ZEB_XVFB_PID:-}" ]; then
    kill "$ZEB_XVFB_PID" 2>/dev/null || true
    wait "$ZEB_XVFB_PID" 2>/dev/null || true
    ZEB_XVFB_PID=
  fi
}
