// TapmonReport: the platform-free half of TAPMON — the key-name tables, the number fields and
// the exact text of every key report.
//
//   Tables    VKNAME VKNAMESET SCNAME
//   Fields    Z2 Z3 ZC ONOFF
//   Builder   TAPREPORT (APP LOG NEWLINE CODES)
//   Reports   KEYDOWNREPORT SYSKEYDOWNREPORT CHARREPORT SYSCOMMANDREPORT
//
// A pane append costs a round trip through the edit control, so a handler builds its whole
// report here and appends it with one XCTLSETCHAR(xFrame, PANE_ID, text, 0). TAPREPORT keeps
// exactly what the handler's sequence of appends would have left in the pane, so one append of
// its text gives the same pane. Report texts end in CR LF and hold no NUL, so XCTLSETCHAR's
// own trimming leaves them unchanged.
//
// Never includes <windows.h>: the keyboard state comes in as the 256 bytes GetKeyboardState
// fills (bit 7 down, bit 0 toggled).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Key state by virtual-key code, as GetKeyboardState fills it: GetKeyboardState(keys.data()).
using XKEYSTATE = std::array<unsigned char, 256>;

// Key names by virtual-key code, 20 characters each, "error" where the code has no name.
extern std::array<std::string, 256> VKNAME;
void VKNAMESET(); // (re)fills VKNAME; it is also filled before main

// System-command name, 20 characters: the table's SC_ name, else "unknown " and the code in
// upper-case hexadecimal without leading zeros (the 32-bit pattern for a negative code).
std::string SCNAME(int iCode);

std::string Z2(int v); // 8: decimal in 3, "(x", 2 hex digits, ")"
std::string Z3(int v); // 9: decimal in 3, "(x", 3 hex digits, ")"
std::string ZC(int c); // 12: Z2, 2 blanks, the character (blank up to 32), 1 blank; blank if c < 0
std::string ONOFF(int flag); // 3: "ON " when bit 0 is set, else "OFF"

// What a sequence of pane appends leaves in the pane, built in memory.
struct TAPREPORT {
    std::string sText;

    // Trailing blanks go, an all-blank text becomes one blank, and the system text ends at the
    // first NUL.
    void APP(std::string_view s);
    void LOG(std::string_view s) {
        APP(s);
        NEWLINE();
    }
    void NEWLINE() { sText += "\r\n"; }

    // Body of a key report: key code and name (blank outside 0..255), scan code, the repeat
    // count when above 1, the lock states, the keys held down.
    void CODES(int key, int repeat, int scan, const XKEYSTATE& keys);
};

// WM_KEYDOWN, with the arguments the framework decodes (repeat: lParam bits 0-15; scan: bits
// 16-24, the extended flag as bit 8). The handler returns false.
std::string KEYDOWNREPORT(int key, int repeat, int scan, const XKEYSTATE& keys);

// WM_SYSKEYDOWN from the raw parameters; the key code is wParam as a 32-bit integer. The
// handler returns false so that Alt and F10 can still become system commands.
std::string SYSKEYDOWNREPORT(std::uintptr_t wParam, std::intptr_t lParam, const XKEYSTATE& keys);

// WM_CHAR. The handler returns true.
std::string CHARREPORT(int code);

// WM_SYSCOMMAND with the code as the framework delivers it (wParam AND 0xFFF0). bHandled is
// the handler's result: true for SC_KEYMENU and unknown codes, which are then not carried out.
struct XSYSCOMMANDREPORT {
    std::string sText;
    bool bHandled;
};
XSYSCOMMANDREPORT SYSCOMMANDREPORT(int iCode);
