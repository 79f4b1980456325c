#!/usr/bin/env bash
# The menu with the mouse: Help/About shows the About box centred on the frame and modal to it
# (the frame disabled, keys not reported); Return or the OK button closes and destroys it; a
# second About is a new box, centred on the frame where it is then. File/Exit ends the program
# with exit code 0 without a report of its own.
set -u
. "$(dirname "$0")/lib.bash"

OFF='  CapsLock OFF    NumLock OFF    ScrollLock OFF'
A_REPORT=$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' "$OFF" '  Keys pressed:  A'
           ln '    WM_CHAR result:  97(x61)  a')

tm_start || exit 1

# Items of the menu bar, from its left end (menubar X Y from panetext rects), at 96 DPI and
# scaled to the prefix's DPI.
FILE_DX=$((18 * ${ZEB_WINE_DPI:-96} / 96))
HELP_DX=$((51 * ${ZEB_WINE_DPI:-96} / 96))

# menu_item DX: clicks the menu bar at DX and then the one item of the menu that opens; prints
# the left edge of that menu.
menu_item() {
  local mx my l t r b i
  read -r mx my <<<"$(field "$(pt rects)" menubar)"
  desk_click $((mx + $1)) "$my"
  for i in $(seq 50); do
    read -r l t r b <<<"$(field "$(pt focus)" popup)"
    [ -n "${b:-}" ] && break
    sleep 0.1
  done
  [ -n "${b:-}" ] || return 1
  desk_click $(((l + r) / 2)) $(((t + b) / 2))
  echo $((l - mx))
}

# about_check ROUND: the box is up, centred on the frame, owned by it, the frame disabled.
about_check() {
  local a i l t r b fl ft fr fb
  for i in $(seq 50); do
    a=$(pt about)
    [ "$(field "$a" count)" = 1 ] && [ "$(field "$a" visible)" = 1 ] && break
    sleep 0.1
  done
  check "$1: one About box, shown" "1 1" "$(field "$a" count) $(field "$a" visible)"
  read -r l t r b <<<"$(field "$a" about)"
  read -r fl ft fr fb <<<"$(field "$a" frame)"
  check "$1: centred on the frame" "$(((fl + fr - (r - l)) / 2)) $(((ft + fb - (b - t)) / 2))" "$l $t"
  check "$1: owned by the frame, which is disabled" "frame 0" \
    "$(field "$a" owner) $(field "$a" frame-enabled)"
  check "$1: the OK button has the focus" "focus about-ok active about" \
    "$(pt focus | awk '$1 == "focus" || $1 == "active"' | tr '\n' ' ' | sed 's/ $//')"
  ABOUT_BOX=$(field "$a" box)
  ABOUT_OK=$(field "$a" ok)
}

about_gone() {
  local a i
  for i in $(seq 50); do
    a=$(pt about)
    [ "$(field "$a" count)" = 0 ] && break
    sleep 0.1
  done
  check "$1: the box is destroyed and the frame enabled again" "0 1" \
    "$(field "$a" count) $(field "$a" frame-enabled)"
  check "$1: the frame is active with the focus" "focus frame active frame" \
    "$(pt focus | awk '$1 == "focus" || $1 == "active"' | tr '\n' ' ' | sed 's/ $//')"
}

dx=$(menu_item $HELP_DX) || dx=
check "Help menu opened from the menu bar" 1 $((${dx:-0} > FILE_DX))
about_check "About"
first=$ABOUT_BOX
# The box over the frame, for docs/about.png; its caption is drawn active a moment later.
sleep 1
read -r l t r b <<<"$(field "$(pt rects)" frame)"
shot about "$l" "$t" "$r" "$b"
xdotool key --delay 30 a
pt wait-idle
expect_pane "About is modal: the menu click is reported, keys in the box are not" <<EOF
$(sc SC_MOUSEMENU)
EOF
xdotool key Return
about_gone "About closed with Return"
xdotool key a
expect_pane "after About: keys are reported again" <<EOF
$(sc SC_MOUSEMENU)
$A_REPORT
EOF

pt move 150 100 600 450
menu_item $HELP_DX >/dev/null
about_check "second About, frame moved"
check "second About is a new box" 1 $(([ "$ABOUT_BOX" != "$first" ] && echo 1) || echo 0)
read -r x y <<<"$ABOUT_OK"
desk_click "$x" "$y"
about_gone "About closed with the OK button"

pt clear
if tm_final_begin; then
  menu_item $FILE_DX >/dev/null
  tm_wait_exit 10
  check "File/Exit ends Tapmon with exit code 0" 0 "$TM_RC"
  check "File/Exit: only the menu click was reported" "$(sc SC_MOUSEMENU)" "$(tm_final_text)"
else
  _e2e_fail "File/Exit: could not watch the pane to the end"
fi

e2e_done
