#!/usr/bin/env bash
# The 64-bit build on the same desktop: real keys, a message with a repeat count and a system
# key-down whose parameters fill all of a 64-bit word's low half, then Alt+F4 to the end.
# Skipped (passes with a note) when the x86_64 build is absent.
set -u
. "$(dirname "$0")/lib.bash"

if [ ! -f "$ZEB_BUILD/x86_64/bin/Tapmon.exe" ] || [ ! -f "$ZEB_BUILD/x86_64/bin/panetext.exe" ]; then
  echo "skipped: no x86_64 build of Tapmon and panetext in $ZEB_BUILD/x86_64/bin"
  exit 0
fi

OFF='  CapsLock OFF    NumLock OFF    ScrollLock OFF'

tm_start x86_64 || exit 1

xdotool type --delay 30 a
xdotool key --delay 30 shift+z Right
expect_pane "x86_64: letters, Shift with a letter, an extended key" <<EOF
$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' "$OFF" '  Keys pressed:  A')
$(ln '    WM_CHAR result:  97(x61)  a')
$(kd 'key code =  16(x10)  VK_SHIFT' '  scan code =  42(x02A)' "$OFF" '  Keys pressed:  VK_SHIFT  VK_LSHIFT')
$(kd 'key code =  90(x5A)  Z' '  scan code =  44(x02C)' "$OFF" '  Keys pressed:  VK_SHIFT  Z  VK_LSHIFT')
$(ln '    WM_CHAR result:  90(x5A)  Z')
$(kd 'key code =  39(x27)  VK_RIGHT' '  scan code = 333(x14D)' "$OFF" '  Keys pressed:  VK_RIGHT')
EOF

pt clear
pt send 0x100 0x41 0x001E0003 >/dev/null
pt send 0x104 0x79 0xFFFFFFFF >/dev/null
pt send 0x112 0xF1A0 0 >/dev/null
expect_pane "x86_64: repeat count, raw system key-down parameters, unknown system command" <<EOF
$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' '  repeat count = 3' "$OFF" '  Keys pressed:')
$(skd 'key code = 121(x79)  VK_F10' '  scan code = 511(x1FF)' '  repeat count = 65535' "$OFF" '  Keys pressed:')
$(sc 'unknown F1A0')
EOF

pt clear
if tm_final_begin; then
  xdotool key alt+F4
  tm_wait_exit 10
  check "x86_64: Alt+F4 closes Tapmon with exit code 0" 0 "$TM_RC"
  check "x86_64: Alt+F4 reported down to SC_CLOSE" "$(
    skd 'key code =  18(x12)  VK_MENU' '  scan code =  56(x038)' "$OFF" '  Keys pressed:  VK_MENU  VK_LMENU'
    skd 'key code = 115(x73)  VK_F4' '  scan code =  62(x03E)' "$OFF" '  Keys pressed:  VK_MENU  VK_F4  VK_LMENU'
    sc SC_CLOSE
  )" "$(tm_final_text)"
else
  _e2e_fail "x86_64: could not watch the pane to the end"
fi

e2e_done
