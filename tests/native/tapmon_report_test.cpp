#include "TapmonReport.h"

#include <gtest/gtest.h>

#include "ZEBStrings.h"

#include <tuple>

using namespace std::literals;

namespace {

std::string name(int code) {
    return std::string(XTRIM(VKNAME[std::size_t(code)]));
}

std::string names(std::initializer_list<int> codes) {
    std::string r;
    for (int c : codes) r += (r.empty() ? "" : " ") + name(c);
    return r;
}

XKEYSTATE keysDown(std::initializer_list<int> down, std::initializer_list<int> toggled = {}) {
    XKEYSTATE k{};
    for (int c : down) k[std::size_t(c)] |= 0x80;
    for (int c : toggled) k[std::size_t(c)] |= 0x01;
    return k;
}

// The body line of a key report that starts with `head`.
std::string line(const std::string& text, const std::string& head) {
    std::size_t p = text.find("\r\n" + head);
    return p == std::string::npos ? "" : text.substr(p + 2, text.find("\r\n", p + 2) - p - 2);
}

} // namespace

TEST(TapmonNames, TableEdgesCountAndRebuild) {
    int named = 0;
    for (const std::string& n : VKNAME) {
        EXPECT_EQ(n.size(), 20u);
        named += XTRIM(n) != "error";
    }
    EXPECT_EQ(named, 171);
    // First and last of every run of names, and codes just outside the runs.
    EXPECT_EQ(
        names({0x01, 0x04, 0x08, 0x0D, 0x15, 0x19, 0x1B, 0x2F, 0x30, 0x5A, 0x5D, 0x5F, 0x61, 0x69,
               0x6F, 0x7A, 0x87, 0x92, 0x93, 0x96, 0xA5, 0xC0, 0xDF, 0xE6, 0xE9, 0xFD, 0xFE}),
        "VK_LBUTTON VK_MBUTTON VK_BACK VK_RETURN VK_HANGUL VK_KANJI VK_ESCAPE VK_HELP 0 Z "
        "VK_APPS VK_SLEEP VK_NUMPAD1 VK_NUMPAD9 VK_DIVIDE VK_F11 VK_F24 VK_OEM_FJ_JISHO "
        "VK_OEM_FJ_MASSHOU VK_OEM_FJ_ROYA VK_RMENU VK_OEM_3 VK_OEM_8 VK_ICO_CLEAR "
        "VK_OEM_RESET VK_PA1 VK_OEM_CLEAR");
    for (int code : {0x00, 0x05, 0x07, 0x0A, 0x0E, 0x16, 0x1A, 0x3A, 0x40, 0x5E, 0x88,
                     0x8F, 0x97, 0xA6, 0xB7, 0xB9, 0xC1, 0xDA, 0xE0, 0xE7, 0xE8, 0xFF})
        EXPECT_EQ(name(code), "error") << code;
    VKNAME[0x41] = "x";
    VKNAMESET();
    EXPECT_EQ(VKNAME[0x41], "A                   ");
}

TEST(TapmonFields, WidthsAsterisksAndCharacters) {
    const std::pair<std::string, const char*> cases[] = {
        {Z2(65), " 65(x41)"},     {Z2(0), "  0(x00)"},       {Z2(256), "256(x**)"},
        {Z2(1000), "***(x**)"},   {Z2(-1), " -1(x**)"},      {Z2(-100), "***(x**)"},
        {Z3(30), " 30(x01E)"},    {Z3(511), "511(x1FF)"},    {Z3(1000), "***(x3E8)"},
        {Z3(4096), "***(x***)"},  {ZC(97), " 97(x61)  a "},  {ZC(32), " 32(x20)    "},
        {ZC(33), " 33(x21)  ! "}, {ZC(300), "300(x**)  , "}, {ZC(-5), "            "},
        {ONOFF(-1), "ON "},       {ONOFF(0x81), "ON "},      {ONOFF(2), "OFF"},
        {ONOFF(0), "OFF"}};
    for (auto& [got, want] : cases) EXPECT_EQ(got, want);
    for (int c = -2; c < 1100; ++c) EXPECT_EQ(ZC(c).size(), 12u);
}

TEST(TapmonReport, AppendTrimsLikeThePane) {
    TAPREPORT r;
    r.APP(" a b  ");
    r.APP("   ");
    r.APP("");
    r.LOG("c\0d  "s);
    r.NEWLINE();
    EXPECT_EQ(r.sText, " a b  c\r\n\r\n");
}

TEST(TapmonReport, KeyDownOfA) {
    EXPECT_EQ(KEYDOWNREPORT(65, 1, 30, keysDown({65}, {144})),
              "\r\nWM_KeyDown called with\r\n"
              "key code =  65(x41)  A\r\n"
              "  scan code =  30(x01E)\r\n"
              "  CapsLock OFF    NumLock ON     ScrollLock OFF\r\n"
              "  Keys pressed:  A\r\n");
}

TEST(TapmonReport, KeyLines) {
    const XKEYSTATE none{};
    EXPECT_EQ(line(KEYDOWNREPORT(9, 1, 15, none), "key"), "key code =   9(x09)  VK_TAB");
    EXPECT_EQ(line(KEYDOWNREPORT(7, 1, 0, none), "key"), "key code =   7(x07)  error");
    EXPECT_EQ(line(KEYDOWNREPORT(300, 1, 0, none), "key"), "key code = 300(x**)");
    EXPECT_EQ(line(KEYDOWNREPORT(-1, 1, 0, none), "key"), "key code =  -1(x**)");
    EXPECT_EQ(line(KEYDOWNREPORT(17, 1, 285, none), "  scan"), "  scan code = 285(x11D)");
    for (int rep : {0, 1})
        EXPECT_EQ(KEYDOWNREPORT(65, rep, 30, none).find("repeat"), std::string::npos);
    EXPECT_EQ(line(KEYDOWNREPORT(65, 3, 30, none), "  repeat"), "  repeat count = 3");
    EXPECT_EQ(line(KEYDOWNREPORT(65, 1, 30, keysDown({0x10, 0x41, 0xA0})), "  Keys"),
              "  Keys pressed:  VK_SHIFT  A  VK_LSHIFT");
    EXPECT_EQ(line(KEYDOWNREPORT(1, 1, 0, keysDown({1, 7})), "  Keys"),
              "  Keys pressed:  VK_LBUTTON  error");
    EXPECT_EQ(line(KEYDOWNREPORT(65, 1, 30, none), "  Keys"), "  Keys pressed:");
    EXPECT_EQ(line(KEYDOWNREPORT(145, 1, 70, keysDown({}, {20, 145})), "  Caps"),
              "  CapsLock ON     NumLock OFF    ScrollLock ON");
}

TEST(TapmonReport, SysKeyDownFromRawParameters) {
    const std::string f10 = SYSKEYDOWNREPORT(121, 0x00440001, keysDown({121}));
    EXPECT_EQ(f10.substr(0, 29), "\r\nWM_SYSKeyDown called with\r\n");
    EXPECT_EQ(line(f10, "key"), "key code = 121(x79)  VK_F10");
    EXPECT_EQ(line(f10, "  scan"), "  scan code =  68(x044)");
    // Right Alt, auto-repeated: extended flag as bit 8; context and transition bits ignored.
    const std::string alt = SYSKEYDOWNREPORT(18, std::intptr_t(std::int32_t(0xE1380005)), {});
    EXPECT_EQ(line(alt, "  scan"), "  scan code = 312(x138)");
    EXPECT_EQ(line(alt, "  repeat"), "  repeat count = 5");
}

TEST(TapmonReport, Characters) {
    EXPECT_EQ(CHARREPORT(97), "    WM_CHAR result:  97(x61)  a\r\n");
    EXPECT_EQ(CHARREPORT(13), "    WM_CHAR result:  13(x0D)\r\n");
    EXPECT_EQ(CHARREPORT(32), "    WM_CHAR result:  32(x20)\r\n");
    EXPECT_EQ(CHARREPORT(-1), "    WM_CHAR result:\r\n");
    // A low byte of 0 ends the system text: the blanks before it stay.
    EXPECT_EQ(CHARREPORT(256), "    WM_CHAR result: 256(x**)  \r\n");
}

TEST(TapmonReport, SystemCommands) {
    const std::tuple<int, const char*, bool> cases[] = {
        {0xF060, "SC_CLOSE", false},     {0xF100, "SC_KEYMENU", true},
        {0xF090, "SC_MOUSEMENU", false}, {0xF180, "SC_CONTEXTHELP", false},
        {0xF000, "SC_SIZE", false},      {0xF1A0, "unknown F1A0", true},
        {0xF190, "unknown F190", true},  {0x10, "unknown 10", true}};
    for (auto [code, n, handled] : cases) {
        EXPECT_EQ(SCNAME(code), XFIXED(n, 20));
        XSYSCOMMANDREPORT r = SYSCOMMANDREPORT(code);
        EXPECT_EQ(r.sText, std::string("\r\nKeystroke converted to WM_SYSCOMMAND: ") + n + "\r\n");
        EXPECT_EQ(r.bHandled, handled) << n;
    }
    EXPECT_EQ(XTRIM(SCNAME(-16)), "unknown FFFFFFF0");
}
