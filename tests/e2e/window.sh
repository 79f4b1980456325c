#!/usr/bin/env bash
# The pane exactly covers the frame's client area: at start, after moves and resizes to sizes
# down to the smallest frame the system allows, after a resize with the mouse, after
# minimise, maximise and restore. A click into the pane leaves the focus on the frame.
set -u
. "$(dirname "$0")/lib.bash"

tm_start || exit 1

# "pane 0 0 W H" where the client area is W x H.
covers() {
  local r w h
  r=$(pt rects)
  read -r w h <<<"$(field "$r" client)"
  check "$1: pane covers the ${w}x$h client area" "0 0 $w $h" "$(field "$r" pane)"
}

covers "at start"
for size in "300 200" "150 400" "1000 700" "1 1" "640 480"; do
  read -r w h <<<"$size"
  pt move 40 30 "$w" "$h"
  covers "frame moved and sized to ${w}x$h"
done

# The frame's bottom-right corner dragged up and left by 150 x 100.
pt clear
read -r l t r b <<<"$(field "$(pt rects)" frame)"
desk=$(xdotool search --name 'Wine desktop$' | head -n 1)
xdotool mousemove --window "$desk" $((r - 2)) $((b - 2)) mousedown 1 \
  mousemove --window "$desk" $((r - 80)) $((b - 50)) \
  mousemove --window "$desk" $((r - 152)) $((b - 102)) mouseup 1
expect_pane "resize with the mouse is reported as SC_SIZE" <<EOF
$(sc SC_SIZE)
EOF
check "resize with the mouse: new frame rectangle" "$l $t $((r - 150)) $((b - 100))" \
  "$(field "$(pt rects)" frame)"
covers "after the resize with the mouse"

normal=$(field "$(pt rects)" client)
pt clear
pt send 0x112 0xF020 0 >/dev/null
r=$(pt rects)
check "minimised" 1 "$(field "$r" iconic)"
check "minimised: the pane has no size" "0 0 0 0" "$(field "$r" pane)"
pt send 0x112 0xF120 0 >/dev/null
r=$(pt rects)
check "restored from minimised" "0 $normal" "$(field "$r" iconic) $(field "$r" client)"
covers "restored from minimised"
pt send 0x112 0xF030 0 >/dev/null
covers "maximised"
pt send 0x112 0xF120 0 >/dev/null
check "restored from maximised" "$normal" "$(field "$(pt rects)" client)"
covers "restored from maximised"
expect_pane "minimise, restore, maximise, restore: each reported and carried out" <<EOF
$(sc SC_MINIMIZE)
$(sc SC_RESTORE)
$(sc SC_MAXIMIZE)
$(sc SC_RESTORE)
EOF

# A click into the pane: the pane hands the focus straight back.
pt clear
read -r l t r b <<<"$(field "$(pt rects)" panescreen)"
desk_click $(((l + r) / 2)) $(((t + b) / 2))
pt wait-idle
check "click into the pane: focus stays on the frame" "focus frame" "$(pt focus | grep '^focus')"
xdotool key --delay 30 F2
expect_pane "click into the pane: the next key is reported" <<EOF
$(kd 'key code = 113(x71)  VK_F2' '  scan code =  60(x03C)' '  CapsLock OFF    NumLock OFF    ScrollLock OFF' '  Keys pressed:  VK_F2')
EOF

e2e_done
