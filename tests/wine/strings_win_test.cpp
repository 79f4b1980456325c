#include "ZEBStrings.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace std::literals;

namespace {

// The digits 0 to 9 repeated to n characters, as the long resource strings hold them.
std::string digits(std::size_t n) {
    std::string s;
    while (s.size() < n) s += "0123456789";
    return s.substr(0, n);
}

} // namespace

TEST(StringsWin, LoadStringFromOwnModule) {
    EXPECT_EQ(PXLOADSTRINGLEN(1), 14);
    EXPECT_EQ(XLOADSTRING(1), "Tapmon strings");
    EXPECT_EQ(XLOADSTRING(2, GetModuleHandleA(nullptr)), "  padded  ");
    EXPECT_EQ(XLOADSTRING(1, nullptr), "Tapmon strings");
}

TEST(StringsWin, LoadStringLimitsAndMissingIds) {
    EXPECT_EQ(XLOADSTRING(3), digits(1023));
    EXPECT_EQ(PXLOADSTRINGLEN(4), 1023);
    EXPECT_EQ(XLOADSTRING(4), digits(1023));
    EXPECT_EQ(PXLOADSTRINGLEN(5), 0);
    EXPECT_EQ(XLOADSTRING(99), "");
}

TEST(StringsWin, Unicode) {
    EXPECT_EQ(XUNICODE("ab "), L"ab \0"sv);
    EXPECT_EQ(XUNICODE(""), L"\0"sv);
    EXPECT_EQ(XUNICODE("a\0b"sv), L"a\0b\0"sv);
    EXPECT_EQ(XUNICODE("\xE9", 1252), L"\u00E9\0"sv);
    EXPECT_EQ(XUNICODE("\xC3\xA9x", CP_UTF8), L"\u00E9x\0\0"sv);
}

TEST(StringsWin, MultiByte) {
    EXPECT_EQ(PXMULTIBYTELEN(L"abc\0de"sv), 3);
    EXPECT_EQ(PXMULTIBYTELEN(L"abc\0de"sv, true), 6);
    EXPECT_EQ(PXMULTIBYTELEN(L"abc"sv, false), 3);
    EXPECT_EQ(XMULTIBYTE(L"abc\0de"sv), "abc");
    EXPECT_EQ(XMULTIBYTE(L"abc\0de"sv, 0, true), "abc\0de"sv);
    EXPECT_EQ(XMULTIBYTE(L"\0x"sv), "");
    EXPECT_EQ(XMULTIBYTE(L"\u00E9"sv, 1252), "\xE9");
    // Characters of more than one byte are never cut.
    EXPECT_EQ(XMULTIBYTE(L"\u00E9"sv, CP_UTF8), "\xC3\xA9");
    EXPECT_EQ(XMULTIBYTE(L"a\u00E9\0z"sv, CP_UTF8), "a\xC3\xA9");
    EXPECT_EQ(XMULTIBYTE(L"\U0001F600"sv, CP_UTF8), "\xF0\x9F\x98\x80");
    EXPECT_EQ(XMULTIBYTE(L"\u00E9\u00E9"sv, CP_UTF8, true), "\xC3\xA9\xC3\xA9");
}
