#!/usr/bin/env bash
# A message storm from another process against the 32-bit and the 64-bit Tapmon (storm.cpp):
# random message numbers and parameters to the frame and the pane, posted and sent, then every
# key, character and system-command message with extreme parameters. Afterwards Tapmon is
# alive and answers within a second, the pane follows a real resize, a posted key gives its
# exact report and File/Exit ends it with exit code 0.
# ZEB_STORM_COUNT random messages per build (3000); ZEB_STORM_SEED (1).
set -u
. "$(dirname "$0")/lib.bash"

COUNT=${ZEB_STORM_COUNT:-3000}
SEED=${ZEB_STORM_SEED:-1}
OFF='  CapsLock OFF    NumLock OFF    ScrollLock OFF'

for arch in i686 x86_64; do
  if [ ! -f "$ZEB_BUILD/$arch/bin/storm.exe" ]; then
    echo "skipped: no $arch build of storm.exe"
    continue
  fi
  tm_start "$arch" || { _e2e_fail "$arch: Tapmon did not start"; continue; }
  figures=$(wine "$ZEB_BUILD/$arch/bin/storm.exe" "$SEED" "$COUNT" </dev/null 2>>"$E2E_OUT/storm.err" 9>&- | tr -d '\r')
  rc=$?
  echo "storm $arch: $figures"
  check "$arch: Tapmon's frame outlived the storm" 0 "$rc"
  check "$arch: Tapmon's process is alive" 0 "$(kill -0 "$TM_PID" 2>/dev/null; echo $?)"
  check "$arch: answers within a second" 0 "$(pt ping 1000; echo $?)"
  # The storm may have hidden the frame's redraw flag or minimised it: back to normal, then a
  # real resize that the pane must follow.
  pt send 0x0B 1 0 >/dev/null
  pt pane 0x0B 1 0 >/dev/null
  pt show 9
  pt move 40 30 520 380
  pt wait-idle
  r=$(pt rects)
  check "$arch: the pane covers the client area after a resize" \
    "pane 0 0 $(field "$r" client 1) $(field "$r" client 2)" "$(grep '^pane ' <<<"$r")"
  pt clear
  pt post 0x100 0x41 0x001E0001
  expect_pane "$arch: a posted key gives its exact report" <<EOF2
$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' "$OFF" '  Keys pressed:')
$(ln '    WM_CHAR result:  97(x61)  a')
EOF2
  pt post 0x111 40001 0
  tm_wait_exit 10
  check "$arch: File/Exit ends it with exit code 0" 0 "$TM_RC"
done

e2e_done
