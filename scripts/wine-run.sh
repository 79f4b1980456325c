#!/usr/bin/env bash
# CTest's emulator for the Windows builds: wine-run.sh prog.exe [args...]
# Runs the program in the headless (null driver) prefix and returns its exit code (Wine
# keeps only the low 8 bits). stdout and stderr pass through with CR removed, so that
# CTest and gtest_discover_tests read GoogleTest's text-mode output.
set -u
[ $# -ge 1 ] || { echo "usage: wine-run.sh prog.exe [args...]" >&2; exit 125; }
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" null || exit 125
zeb_wine_prepare || { echo "wine-run.sh: Wine prefix not usable" >&2; exit 125; }

# /usr/bin/wine starts the 32-bit loader, which re-executes wine64 for a 64-bit image; going
# straight to wine64 saves ~0.15 s per run.
loader=wine
if [ -f "$1" ] && [ -x /usr/lib/wine/wine64 ]; then
  pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$pe" ] && [ "$(od -An -tx2 -j$((pe + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')" = 8664 ] &&
    loader=/usr/lib/wine/wine64
fi

# Under the build folder: a run killed on timeout leaves its fifos there, not in /tmp.
mkdir -p "$ZEB_BUILD/tmp" && tmp=$(mktemp -d "$ZEB_BUILD/tmp/wine-run.XXXXXX") || exit 125
trap 'rm -rf "$tmp"' EXIT
prog_pid= out_pid= err_pid=
trap 'kill $prog_pid $out_pid $err_pid 2>/dev/null; exit 143' TERM INT
mkfifo "$tmp/out" "$tmp/err" || exit 125
# Line-buffered: lines already written survive if the filter must be cut short below.
stdbuf -oL tr -d '\r' <"$tmp/out" & out_pid=$!
# stderr also tells whether a Wine process died of an unhandled exception: after the crash
# debugger has run, the exit code is sometimes 0.
awk '{ gsub(/\r/, ""); print > "/dev/stderr"; fflush("/dev/stderr") }
     /^wine: Unhandled / { crashed = 1 }
     END { exit crashed ? 3 : 0 }' <"$tmp/err" & err_pid=$!

# The program writes to our fifos, never to the caller's pipes: a Wine process that outlives
# it (and keeps the fifo open) cannot make the caller wait for EOF.
# A background job would get /dev/null as stdin: hand ours over (if there is one).
{ exec 3<&0; } 2>/dev/null || exec 3</dev/null
"$loader" "$@" <&3 >"$tmp/out" 2>"$tmp/err" 3<&- &
prog_pid=$!
wait "$prog_pid"
rc=$?

for _ in $(seq 50); do
  kill -0 "$out_pid" 2>/dev/null || kill -0 "$err_pid" 2>/dev/null || break
  sleep 0.02
done
kill "$out_pid" "$err_pid" 2>/dev/null
wait "$out_pid" 2>/dev/null
wait "$err_pid" 2>/dev/null
if [ $? -eq 3 ] && [ "$rc" -eq 0 ]; then
  echo "wine-run.sh: unhandled exception, but exit code 0: reporting failure" >&2
  rc=1
fi
exit "$rc"
