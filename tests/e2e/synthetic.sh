#!/usr/bin/env bash
# Messages that no keyboard sends, posted or sent to Tapmon's frame by panetext: repeat counts,
# codes without a name or above 255, scan codes wider than nine bits, system commands Tapmon
# does not know or must not carry out; then far more text than an edit control holds by default.
set -u
. "$(dirname "$0")/lib.bash"

OFF='  CapsLock OFF    NumLock OFF    ScrollLock OFF'

tm_start || exit 1

# Posted messages go through the message loop and are translated; sent ones are not.
pt post 0x100 0x41 0x001E0003
pt send 0x100 0x41 0x001E0001 >/dev/null
pt send 0x100 0x41 0x001E0000 >/dev/null
expect_pane "repeat count: a line for 3, none for 1 or 0; the posted key is translated" <<EOF
$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' '  repeat count = 3' "$OFF" '  Keys pressed:')
$(ln '    WM_CHAR result:  97(x61)  a')
$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' "$OFF" '  Keys pressed:')
$(kd 'key code =  65(x41)  A' '  scan code =  30(x01E)' "$OFF" '  Keys pressed:')
EOF

pt clear
pt send 0x100 7 1 >/dev/null
pt send 0x100 255 1 >/dev/null
pt send 0x100 300 0x01000001 >/dev/null
pt send 0x100 0x41 0xFFFF0001 >/dev/null
expect_pane "key codes: unnamed ones are 'error', above 255 no name; the scan code keeps nine bits" <<EOF
$(kd 'key code =   7(x07)  error' '  scan code =   0(x000)' "$OFF" '  Keys pressed:')
$(kd 'key code = 255(xFF)  error' '  scan code =   0(x000)' "$OFF" '  Keys pressed:')
$(kd 'key code = 300(x**)' '  scan code = 256(x100)' "$OFF" '  Keys pressed:')
$(kd 'key code =  65(x41)  A' '  scan code = 511(x1FF)' "$OFF" '  Keys pressed:')
EOF

pt clear
pt send 0x104 0x27 0x014D0002 >/dev/null
pt send 0x102 0xE9 1 >/dev/null
pt send 0x102 0x7E 1 >/dev/null
expect_pane "system key-down from its raw parameters; characters above 127 and '~'" <<EOF
$(skd 'key code =  39(x27)  VK_RIGHT' '  scan code = 333(x14D)' '  repeat count = 2' "$OFF" '  Keys pressed:')
$(printf '    WM_CHAR result: 233(xE9)  \351\n')
$(ln '    WM_CHAR result: 126(x7E)  ~')
EOF

pt clear
before=$(pt rects)
pt send 0x112 0xF1A0 0 >/dev/null
pt send 0x112 0xF1A7 0 >/dev/null
pt send 0x112 0xF190 0 >/dev/null
# Keyboard activation of the Help menu, if it were carried out, would open that menu.
pt post 0x112 0xF100 0x68
expect_pane "system commands: unknown codes by their digits (low four bits cleared), SC_KEYMENU" <<EOF
$(sc 'unknown F1A0')
$(sc 'unknown F1A0')
$(sc 'unknown F190')
$(sc SC_KEYMENU)
EOF
pt wait-idle
check "unknown commands and SC_KEYMENU are not carried out: frame unchanged" "$before" "$(pt rects)"
check "SC_KEYMENU with a letter opens no menu" "menumode 0" "$(pt focus | grep '^menumode')"

# Far past the 30,000 characters an edit control takes by default: the pane keeps growing and
# the last report is whole. F5 gives no character, so every report has the same length.
pt clear
F5=$(kd 'key code = 116(x74)  VK_F5' '  scan code =  63(x03F)' "$OFF" '  Keys pressed:'; echo x)
F5=${F5%x}
# The pane ends its lines with CR LF.
one=$((${#F5} + $(printf '%s' "$F5" | tr -cd '\n' | wc -c)))
for batch in 1 2; do
  pt post 0x100 0x74 0x003F0001 400
  pt wait-idle 500
  len=$(pt len)
  check "capacity: $((batch * 400)) reports, $((batch * 400 * one)) characters, all in the pane" \
    $((batch * 400 * one)) "$len"
done
pt >"$E2E_OUT/big.txt"
check "capacity: 800 report headings" 800 "$(grep -c '^WM_KeyDown called with$' "$E2E_OUT/big.txt")"
check "capacity: the pane ends with a whole report" "${F5}x" "$(tail -n 6 "$E2E_OUT/big.txt"; echo x)"

e2e_done
