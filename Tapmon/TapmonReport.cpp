// TapmonReport: key-name tables, number fields and report texts of TAPMON.
#include "TapmonReport.h"

#include "ZEBStrings.h"
#include "ZEBWNDcore.h"

namespace {

constexpr int kNameLen = 20;

// Named codes in runs: blank-separated names for consecutive codes from iFirst on. Digits,
// letters, keypad digits and function keys are generated.
struct PXVKRUN {
    int iFirst;
    std::string_view sNames;
};

constexpr PXVKRUN kVkRuns[] = {
    {0x01, "VK_LBUTTON VK_RBUTTON VK_CANCEL VK_MBUTTON"},
    {0x08, "VK_BACK VK_TAB"},
    {0x0C, "VK_CLEAR VK_RETURN"},
    {0x10, "VK_SHIFT VK_CONTROL VK_MENU VK_PAUSE VK_CAPITAL VK_HANGUL"},
    {0x17, "VK_JUNJA VK_FINAL VK_KANJI"},
    {0x1B, "VK_ESCAPE VK_CONVERT VK_NONCONVERT VK_ACCEPT VK_MODECHANGE VK_SPACE VK_PRIOR "
           "VK_NEXT VK_END VK_HOME VK_LEFT VK_UP VK_RIGHT VK_DOWN VK_SELECT VK_PRINT "
           "VK_EXECUTE VK_SNAPSHOT VK_INSERT VK_DELETE VK_HELP"},
    {0x5B, "VK_LWIN VK_RWIN VK_APPS"},
    {0x5F, "VK_SLEEP"},
    {0x6A, "VK_MULTIPLY VK_ADD VK_SEPARATOR VK_SUBTRACT VK_DECIMAL VK_DIVIDE"},
    {0x90, "VK_NUMLOCK VK_SCROLL VK_OEM_FJ_JISHO VK_OEM_FJ_MASSHOU VK_OEM_FJ_TOUROKU "
           "VK_OEM_FJ_LOYA VK_OEM_FJ_ROYA"},
    {0xA0, "VK_LSHIFT VK_RSHIFT VK_LCONTROL VK_RCONTROL VK_LMENU VK_RMENU"},
    {0xBA, "VK_OEM_1 VK_OEM_PLUS VK_OEM_COMMA VK_OEM_MINUS VK_OEM_PERIOD VK_OEM_2 VK_OEM_3"},
    {0xDB, "VK_OEM_4 VK_OEM_5 VK_OEM_6 VK_OEM_7 VK_OEM_8"},
    {0xE1, "VK_OEM_AX VK_OEM_102 VK_ICO_HELP VK_ICO_00 VK_PROCESSKEY VK_ICO_CLEAR"},
    {0xE9, "VK_OEM_RESET VK_OEM_JUMP VK_OEM_PA1 VK_OEM_PA2 VK_OEM_PA3 VK_OEM_WSCTRL "
           "VK_OEM_CUSEL VK_OEM_ATTN VK_OEM_FINISH VK_OEM_COPY VK_OEM_AUTO VK_OEM_ENLW "
           "VK_OEM_BACKTAB VK_ATTN VK_CRSEL VK_EXSEL VK_EREOF VK_PLAY VK_ZOOM VK_NONAME "
           "VK_PA1 VK_OEM_CLEAR"},
};

struct PXSCNAME {
    int iCode;
    std::string_view sName;
};

constexpr PXSCNAME kScNames[] = {
    {0xF000, "SC_SIZE"},        {0xF010, "SC_MOVE"},       {0xF020, "SC_MINIMIZE"},
    {0xF030, "SC_MAXIMIZE"},    {0xF040, "SC_NEXTWINDOW"}, {0xF050, "SC_PREVWINDOW"},
    {0xF060, "SC_CLOSE"},       {0xF070, "SC_VSCROLL"},    {0xF080, "SC_HSCROLL"},
    {0xF090, "SC_MOUSEMENU"},   {0xF100, "SC_KEYMENU"},    {0xF110, "SC_ARRANGE"},
    {0xF120, "SC_RESTORE"},     {0xF130, "SC_TASKLIST"},   {0xF140, "SC_SCREENSAVE"},
    {0xF150, "SC_HOTKEY"},      {0xF160, "SC_DEFAULT"},    {0xF170, "SC_MONITORPOWER"},
    {0xF180, "SC_CONTEXTHELP"},
};

constexpr int kScKeyMenu = 0xF100;

const PXSCNAME* PXSCFIND(int iCode) {
    for (const PXSCNAME& e : kScNames)
        if (e.iCode == iCode) return &e;
    return nullptr;
}

std::array<std::string, 256> PXVKNAMES() {
    std::array<std::string, 256> t;
    t.fill(XFIXED("error", kNameLen));
    for (const PXVKRUN& r : kVkRuns) {
        int code = r.iFirst;
        std::string_view s = r.sNames;
        while (!s.empty()) {
            std::size_t n = s.find(' ');
            t[std::size_t(code++)] = XFIXED(s.substr(0, n), kNameLen);
            s = n == std::string_view::npos ? std::string_view() : s.substr(n + 1);
        }
    }
    for (int i = 0; i < 10; ++i)
        t[std::size_t(0x30 + i)] = XFIXED(std::string(1, char('0' + i)), kNameLen);
    for (int i = 0; i < 26; ++i)
        t[std::size_t(0x41 + i)] = XFIXED(std::string(1, char('A' + i)), kNameLen);
    for (int i = 0; i < 10; ++i)
        t[std::size_t(0x60 + i)] = XFIXED("VK_NUMPAD" + std::to_string(i), kNameLen);
    for (int i = 0; i < 24; ++i)
        t[std::size_t(0x70 + i)] = XFIXED("VK_F" + std::to_string(i + 1), kNameLen);
    return t;
}

// Decimal right-justified in w positions; asterisks when it needs more.
std::string PXDEC(int v, int w) {
    const int n = PXLOG(v);
    return n > w ? std::string(std::size_t(w), '*')
                 : std::string(std::size_t(w - n), ' ') + PXISTRING(v);
}

// Exactly w hexadecimal digits with leading zeros; asterisks when they do not suffice. A
// negative value is its 32-bit pattern, which never fits these fields.
std::string PXHEX(int v, int w) {
    if (v < 0 || PXLOG(v, 16) > w) return std::string(std::size_t(w), '*');
    return std::string(std::size_t(w - PXLOG(v, 16)), '0') + PXISTRING(v, 16);
}

// Shortest upper-case hexadecimal of the 32-bit pattern of v.
std::string PXHEXWORD(int v) {
    if (v >= 0) return PXISTRING(v, 16);
    std::uint32_t u = std::uint32_t(v);
    std::string r;
    for (; u != 0; u >>= 4) r.insert(r.begin(), "0123456789ABCDEF"[u & 0xF]);
    return r;
}

} // namespace

std::array<std::string, 256> VKNAME = PXVKNAMES();

void VKNAMESET() {
    VKNAME = PXVKNAMES();
}

std::string SCNAME(int iCode) {
    if (const PXSCNAME* e = PXSCFIND(iCode)) return XFIXED(e->sName, kNameLen);
    return XFIXED("unknown " + PXHEXWORD(iCode), kNameLen);
}

std::string Z2(int v) {
    return PXDEC(v, 3) + "(x" + PXHEX(v, 2) + ")";
}

std::string Z3(int v) {
    return PXDEC(v, 3) + "(x" + PXHEX(v, 3) + ")";
}

std::string ZC(int c) {
    if (c < 0) return std::string(12, ' ');
    const char ch = c > 32 ? char(c & 0xFF) : ' ';
    return Z2(c) + "  " + ch + ' ';
}

std::string ONOFF(int flag) {
    return (flag & 1) ? "ON " : "OFF";
}

void TAPREPORT::APP(std::string_view s) {
    s = XTRIM(s);
    if (s.empty()) s = " ";
    sText += s.substr(0, s.find('\0'));
}

void TAPREPORT::CODES(int key, int repeat, int scan, const XKEYSTATE& keys) {
    const std::string name =
        key >= 0 && key <= 255 ? VKNAME[std::size_t(key)] : std::string(kNameLen, ' ');
    LOG("key code = " + Z2(key) + "  " + name);
    LOG("  scan code = " + Z3(scan));
    if (repeat > 1) LOG("  repeat count = " + PXISTRING(repeat));
    LOG("  CapsLock " + ONOFF(keys[20]) + "    NumLock " + ONOFF(keys[144]) + "    ScrollLock " +
        ONOFF(keys[145]));
    APP(XFIXED("  Keys pressed:", kNameLen));
    for (std::size_t code = 0; code < keys.size(); ++code)
        if (keys[code] & 0x80) APP("  " + VKNAME[code]);
    NEWLINE();
}

std::string KEYDOWNREPORT(int key, int repeat, int scan, const XKEYSTATE& keys) {
    TAPREPORT r;
    r.NEWLINE();
    r.LOG("WM_KeyDown called with");
    r.CODES(key, repeat, scan, keys);
    return r.sText;
}

std::string SYSKEYDOWNREPORT(std::uintptr_t wParam, std::intptr_t lParam, const XKEYSTATE& keys) {
    // The system key's words are packed as a key's: the key row unpacks them.
    const auto [key, repeat, scan] = XROW<XR_KEY>::decode(XWM_SYSKEYDOWN, wParam, lParam);
    TAPREPORT r;
    r.NEWLINE();
    r.LOG("WM_SYSKeyDown called with");
    r.CODES(key, repeat, scan, keys);
    return r.sText;
}

std::string CHARREPORT(int code) {
    TAPREPORT r;
    r.LOG("    WM_CHAR result: " + ZC(code));
    return r.sText;
}

XSYSCOMMANDREPORT SYSCOMMANDREPORT(int iCode) {
    TAPREPORT r;
    r.NEWLINE();
    r.LOG("Keystroke converted to WM_SYSCOMMAND: " + SCNAME(iCode));
    // Keyboard menu activation is reported but not performed; unknown commands are swallowed.
    return {r.sText, iCode == kScKeyMenu || !PXSCFIND(iCode)};
}
