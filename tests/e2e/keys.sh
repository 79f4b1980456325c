#!/usr/bin/env bash
# Real keystrokes (xdotool) into Tapmon, compared line by line with the reports they must give:
# letters and their characters, Shift with a letter, extended keys, the three locks on and off,
# the control characters, Alt, F10 and Alt with a letter reported without opening the menu, and
# Alt+F4 reported and closing the program with exit code 0.
set -u
. "$(dirname "$0")/lib.bash"

OFF='  CapsLock OFF    NumLock OFF    ScrollLock OFF'

# The server's keyboard map has Scroll_Lock on no modifier, so Wine takes the lock for off again
# at the next key. A real keyboard locks it: give it a modifier of its own, as Num_Lock has.
# The X server resets its keyboard map when its last client goes: a client holds it meanwhile.
xdotool sleep 300 </dev/null >/dev/null 2>&1 &
HOLDER=$!
e2e_on_exit 'kill $HOLDER 2>/dev/null; wait $HOLDER 2>/dev/null'
sleep 0.2
xkbcomp -w 0 "$DISPLAY" "$E2E_OUT/keymap.xkb" 2>/dev/null || { echo "cannot read the keyboard map"; exit 1; }
sed 's/^\( *\)modifier_map Mod2 { <NMLK> };/&\n\1modifier_map Mod3 { <SCLK> };/' \
  "$E2E_OUT/keymap.xkb" >"$E2E_OUT/keymap-scroll.xkb"
xkbcomp -w 0 "$E2E_OUT/keymap-scroll.xkb" "$DISPLAY" 2>/dev/null || { echo "cannot set the keyboard map"; exit 1; }
e2e_on_exit 'xkbcomp -w 0 "$E2E_OUT/keymap.xkb" "$DISPLAY" 2>/dev/null'
# Wine reads which modifier is Scroll Lock's when its processes start: start them anew.
zeb_wine_stop
zeb_wine_prepare >/dev/null || exit 1

tm_start || exit 1

xdotool type --delay 30 ab
expect_pane "letters: a key-down report and the character of each" <<EOF
$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' "$OFF" '  Keys pressed:  A')
$(ln '    WM_CHAR result:  97(x61)  a')
$(kd 'key code =  66(x42)  B' '  scan code =  48(x030)' "$OFF" '  Keys pressed:  B')
$(ln '    WM_CHAR result:  98(x62)  b')
EOF

pt clear
xdotool key --delay 30 shift+b
expect_pane "Shift+B: Shift reported, then B with the held keys in code order" <<EOF
$(kd 'key code =  16(x10)  VK_SHIFT' '  scan code =  42(x02A)' "$OFF" '  Keys pressed:  VK_SHIFT  VK_LSHIFT')
$(kd 'key code =  66(x42)  B' '  scan code =  48(x030)' "$OFF" '  Keys pressed:  VK_SHIFT  B  VK_LSHIFT')
$(ln '    WM_CHAR result:  66(x42)  B')
EOF

pt clear
# 105 is Control_R in the server's keyboard map (its keysym would make xdotool add Control_L).
xdotool key --delay 30 Right 105 Left
expect_pane "extended keys: the ninth scan-code bit is set for the right arrow and right Ctrl" <<EOF
$(kd 'key code =  39(x27)  VK_RIGHT' '  scan code = 333(x14D)' "$OFF" '  Keys pressed:  VK_RIGHT')
$(kd 'key code =  17(x11)  VK_CONTROL' '  scan code = 285(x11D)' "$OFF" '  Keys pressed:  VK_CONTROL  VK_RCONTROL')
$(kd 'key code =  37(x25)  VK_LEFT' '  scan code = 331(x14B)' "$OFF" '  Keys pressed:  VK_LEFT')
EOF

# A clean picture of Tapmon after a few keys, for docs/tapmon.png.
pt clear
xdotool type --delay 30 a
xdotool key --delay 30 shift+b Return
pt wait-idle >/dev/null
read -r gx gy gw gh <<<"$TM_GEOM"
shot tapmon "$gx" "$gy" $((gx + gw)) $((gy + gh))

# Locks left on would spoil the scripts that follow: whatever is on at the end goes off.
LOCKS_ON=
e2e_on_exit '[ -z "$LOCKS_ON" ] || xdotool key --delay 30 $LOCKS_ON'
pt clear
LOCKS_ON="Caps_Lock Num_Lock Scroll_Lock"
xdotool key --delay 30 $LOCKS_ON a
expect_pane "locks on: each lock key shows its lock on, and a letter then shows all three" <<EOF
$(kd 'key code =  20(x14)  VK_CAPITAL' '  scan code =  58(x03A)' '  CapsLock ON     NumLock OFF    ScrollLock OFF' '  Keys pressed:  VK_CAPITAL')
$(kd 'key code = 144(x90)  VK_NUMLOCK' '  scan code = 325(x145)' '  CapsLock ON     NumLock ON     ScrollLock OFF' '  Keys pressed:  VK_NUMLOCK')
$(kd 'key code = 145(x91)  VK_SCROLL' '  scan code =  70(x046)' '  CapsLock ON     NumLock ON     ScrollLock ON' '  Keys pressed:  VK_SCROLL')
$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' '  CapsLock ON     NumLock ON     ScrollLock ON' '  Keys pressed:  A')
$(ln '    WM_CHAR result:  65(x41)  A')
EOF

pt clear
xdotool key --delay 30 $LOCKS_ON a
LOCKS_ON=
expect_pane "locks off again, one by one" <<EOF
$(kd 'key code =  20(x14)  VK_CAPITAL' '  scan code =  58(x03A)' '  CapsLock OFF    NumLock ON     ScrollLock ON' '  Keys pressed:  VK_CAPITAL')
$(kd 'key code = 144(x90)  VK_NUMLOCK' '  scan code = 325(x145)' '  CapsLock OFF    NumLock OFF    ScrollLock ON' '  Keys pressed:  VK_NUMLOCK')
$(kd 'key code = 145(x91)  VK_SCROLL' '  scan code =  70(x046)' "$OFF" '  Keys pressed:  VK_SCROLL')
$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' "$OFF" '  Keys pressed:  A')
$(ln '    WM_CHAR result:  97(x61)  a')
EOF

pt clear
xdotool key --delay 30 Tab Return Escape space
expect_pane "Tab, Return, Escape and space: control characters and the space show no character" <<EOF
$(kd 'key code =   9(x09)  VK_TAB' '  scan code =  15(x00F)' "$OFF" '  Keys pressed:  VK_TAB')
$(ln '    WM_CHAR result:   9(x09)')
$(kd 'key code =  13(x0D)  VK_RETURN' '  scan code =  28(x01C)' "$OFF" '  Keys pressed:  VK_RETURN')
$(ln '    WM_CHAR result:  13(x0D)')
$(kd 'key code =  27(x1B)  VK_ESCAPE' '  scan code =   1(x001)' "$OFF" '  Keys pressed:  VK_ESCAPE')
$(ln '    WM_CHAR result:  27(x1B)')
$(kd 'key code =  32(x20)  VK_SPACE' '  scan code =  57(x039)' "$OFF" '  Keys pressed:  VK_SPACE')
$(ln '    WM_CHAR result:  32(x20)')
EOF

# Keyboard menu activation is reported and swallowed: no menu opens and the next key is an
# ordinary key-down again.
A_REPORT=$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' "$OFF" '  Keys pressed:  A'
           ln '    WM_CHAR result:  97(x61)  a')
menu_closed() {
  pt wait-idle >/dev/null
  check "$1: no menu opened" "menumode 0" "$(pt focus | grep '^menumode')"
}

pt clear
xdotool key alt
menu_closed "Alt alone"
xdotool key a
expect_pane "Alt alone: WM_SYSKEYDOWN, SC_KEYMENU, then a plain key-down" <<EOF
$(skd 'key code =  18(x12)  VK_MENU' '  scan code =  56(x038)' "$OFF" '  Keys pressed:  VK_MENU  VK_LMENU')
$(sc SC_KEYMENU)
$A_REPORT
EOF

pt clear
xdotool key F10
menu_closed "F10"
xdotool key a
expect_pane "F10: WM_SYSKEYDOWN, SC_KEYMENU, then a plain key-down" <<EOF
$(skd 'key code = 121(x79)  VK_F10' '  scan code =  68(x044)' "$OFF" '  Keys pressed:  VK_F10')
$(sc SC_KEYMENU)
$A_REPORT
EOF

pt clear
xdotool key alt+f
menu_closed "Alt+F"
xdotool key a
expect_pane "Alt+F: both keys as system keys, SC_KEYMENU, no File menu, then a plain key-down" <<EOF
$(skd 'key code =  18(x12)  VK_MENU' '  scan code =  56(x038)' "$OFF" '  Keys pressed:  VK_MENU  VK_LMENU')
$(skd 'key code =  70(x46)  F' '  scan code =  33(x021)' "$OFF" '  Keys pressed:  VK_MENU  F  VK_LMENU')
$(sc SC_KEYMENU)
$A_REPORT
EOF

pt clear
if tm_final_begin; then
  xdotool key alt+F4
  tm_wait_exit 10
  check "Alt+F4 closes Tapmon with exit code 0" 0 "$TM_RC"
  tm_final_text >"$E2E_OUT/got.txt"
  {
    skd 'key code =  18(x12)  VK_MENU' '  scan code =  56(x038)' "$OFF" '  Keys pressed:  VK_MENU  VK_LMENU'
    skd 'key code = 115(x73)  VK_F4' '  scan code =  62(x03E)' "$OFF" '  Keys pressed:  VK_MENU  VK_F4  VK_LMENU'
    sc SC_CLOSE
  } >"$E2E_OUT/want.txt"
  expect_file "Alt+F4: reported as system keys and SC_CLOSE before the window went" \
    "$E2E_OUT/want.txt" "$E2E_OUT/got.txt"
else
  _e2e_fail "Alt+F4: could not watch the pane to the end"
fi

e2e_done
