#!/usr/bin/env bash
# Getting the log out: a real right-click on the pane opens its own context menu; Select All,
# then Copy (clicked in that menu) put the pane's text, CR LF lines, on the clipboard, read back
# by another program of the same desktop. The focus never leaves the frame: the menu is open
# with the frame focused, and the next key is reported exactly. Both builds (the 64-bit one
# when it is there).
set -u
. "$(dirname "$0")/lib.bash"

OFF='  CapsLock OFF    NumLock OFF    ScrollLock OFF'

# The clipboard and the pane as the other program reads them, CR kept.
raw_clipboard() { wine "$TM_PANETEXT" clipboard </dev/null 2>>"$E2E_OUT/panetext.err" 9>&-; }
raw_pane() { wine "$TM_PANETEXT" </dev/null 2>>"$E2E_OUT/panetext.err" 9>&-; }

# The edit control's menu: Undo, a separator, Cut, Copy, Paste, Delete, a separator, Select All.
# A separator is half an item high, so the menu is seven item heights; ROW is the middle of an
# item in those units from the top.
COPY_ROW=3
SELECTALL_ROW=6.5

# context_item ROW NAME: right-clicks the middle of the pane, checks the menu opened with the
# focus still on the frame and clicks the item at ROW.
context_item() {
  local l t r b f i
  read -r l t r b <<<"$(field "$(pt rects)" panescreen)"
  xdotool mousemove --window "$DESK" $(((l + r) / 2)) $(((t + b) / 2)) click 3
  for i in $(seq 50); do
    f=$(pt focus)
    [ -n "$(field "$f" popupclient)" ] && break
    sleep 0.1
  done
  check "$2: right-click opens the pane's menu, the frame keeps the focus" \
    "focus frame menumode 1" "$(grep -E '^(focus|menumode) ' <<<"$f" | tr '\n' ' ' | sed 's/ $//')"
  read -r l t r b <<<"$(field "$f" popupclient)"
  [ -n "${b:-}" ] || return 1
  xdotool mousemove --window "$DESK" $(((l + r) / 2)) \
    "$(awk -v t="$t" -v b="$b" -v row="$1" 'BEGIN { printf "%d", t + (b - t) * row / 7 }')"
  sleep 0.3
  xdotool click 1
  pt wait-idle >/dev/null
  check "$2: the menu closed" "menumode 0" "$(pt focus | grep '^menumode')"
}

# round ARCH: the whole sequence against that build's Tapmon, closed at the end.
round() {
  local a=$1 sel
  tm_start "$a" || { _e2e_fail "$a: Tapmon did not start"; return 1; }
  DESK=$(xdotool search --name 'Wine desktop$' | head -n 1)
  REPORTS=$(typed_aBreturn)
  xdotool type --delay 30 a
  xdotool key --delay 30 shift+b Return
  expect_pane "$a: three keys reported" <<<"$REPORTS"
  pt clipboard clear || _e2e_fail "$a: the clipboard could not be emptied"

  context_item "$SELECTALL_ROW" "$a: Select All"
  sel=$(pt pane 0xB0 0 0)
  check "$a: Select All selects the whole pane" "0 $(pt len)" "$((sel & 0xFFFF)) $((sel >> 16 & 0xFFFF))"

  context_item "$COPY_ROW" "$a: Copy"
  raw_pane >"$E2E_OUT/pane.txt"
  for _ in $(seq 50); do
    raw_clipboard >"$E2E_OUT/clipboard.txt" && break
    sleep 0.1
  done
  sed 's/$/\r/' <<<"$REPORTS" >"$E2E_OUT/reports-crlf.txt"
  if cmp -s "$E2E_OUT/pane.txt" "$E2E_OUT/clipboard.txt" &&
    cmp -s "$E2E_OUT/reports-crlf.txt" "$E2E_OUT/clipboard.txt"; then
    _e2e_pass "$a: Copy puts the pane's text on the clipboard, CR LF lines, byte for byte"
  else
    _e2e_fail "$a: Copy puts the pane's text on the clipboard, CR LF lines, byte for byte"
    echo "      pane $(wc -c <"$E2E_OUT/pane.txt") bytes, clipboard $(wc -c <"$E2E_OUT/clipboard.txt") bytes"
    diff -u --label pane --label clipboard "$E2E_OUT/pane.txt" "$E2E_OUT/clipboard.txt" | head -n 40
  fi

  # Still the frame's keys: the next one is reported, after the text, which the copy left alone.
  xdotool key --delay 30 F2
  expect_pane "$a: after the copy the next key is reported" <<<"$REPORTS
$(kd 'key code = 113(x71)  VK_F2' '  scan code =  60(x03C)' "$OFF" '  Keys pressed:  VK_F2')"
  check "$a: after the copy the focus is on the frame" "focus frame" "$(pt focus | grep '^focus')"
  pt send 16 0 0 >/dev/null
  tm_wait_exit 10
  check "$a: closed afterwards with exit code 0" 0 "$TM_RC"
}

round i686
if [ -f "$ZEB_BUILD/x86_64/bin/Tapmon.exe" ] && [ -f "$ZEB_BUILD/x86_64/bin/panetext.exe" ]; then
  round x86_64
else
  echo "x86_64: skipped, no 64-bit build of Tapmon and panetext in $ZEB_BUILD/x86_64/bin"
fi

e2e_done
