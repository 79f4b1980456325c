#!/usr/bin/env bash
# Bad input from another process: the pane's limit lowered below its text (EM_SETLIMITTEXT), and
# WM_SIZE with huge and negative sizes. No report is lost, and the pane still follows a real
# resize afterwards.
set -u
. "$(dirname "$0")/lib.bash"

OFF='  CapsLock OFF    NumLock OFF    ScrollLock OFF'
F5=$(kd 'key code = 116(x74)  VK_F5' '  scan code =  63(x03F)' "$OFF" '  Keys pressed:')

tm_start || exit 1

pt post 0x100 0x74 0x003F0001
pt wait-idle
pt pane 0xC5 10 0 >/dev/null
pt post 0x100 0x74 0x003F0001
pt send 0x100 0x74 0x003F0001 >/dev/null
expect_pane "a limit lowered below the pane's text from outside loses no report" <<EOF
$F5
$F5
$F5
EOF
pt pane 0xC5 1 0 >/dev/null
pt post 0x100 0x74 0x003F0001 300
pt wait-idle
check "and no report of a flood after it" 303 "$(pt | grep -c '^WM_KeyDown called with$')"

pt clear
for size in 0xFFFFFFFF 0x80008000 0x7FFF7FFF 0x00000000 0xFFFF0000 0x0000FFFF; do
  pt send 5 0 "$size" >/dev/null
done
check "WM_SIZE of huge and negative sizes: still answering" 0 "$(pt ping 1000; echo $?)"
pt move 50 40 500 360
pt wait-idle
r=$(pt rects)
check "then a real resize: the pane covers the client area" \
  "pane 0 0 $(field "$r" client 1) $(field "$r" client 2)" "$(grep '^pane ' <<<"$r")"
pt post 0x100 0x74 0x003F0001
expect_pane "and a key is reported" <<EOF
$F5
EOF

e2e_done
