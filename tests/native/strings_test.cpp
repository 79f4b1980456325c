#include "ZEBStrings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace std::literals;

TEST(Strings, FixedTextHelpers) {
    EXPECT_EQ(XFIXED("ab", 4), "ab  ");
    EXPECT_EQ(XFIXED("abcd", 2), "ab");
    EXPECT_EQ(XFIXED("ab", -1), "");
    EXPECT_EQ(XTRIM(" a b  "), " a b");
    EXPECT_EQ(XTRIM("   "), "");
    EXPECT_EQ(XQUOTE("a b  "), "\"a b\"");
}

TEST(Strings, Unquote) {
    EXPECT_EQ(XUNQUOTE("say \"hi\" now"), "hi");
    EXPECT_EQ(XUNQUOTE("\"a\"b\"  "), "a\"b");
    EXPECT_EQ(XUNQUOTE("\"\""), "");
    EXPECT_EQ(XUNQUOTE("a \"b  "), "a \"b  ");
    EXPECT_EQ(XUNQUOTE("plain "), "plain ");
    EXPECT_EQ(PXUNQUOTEDLEN("x\"abc\"y"), 3);
}

TEST(Strings, CaseChangesOnlyTheirRanges) {
    EXPECT_EQ(XTOUPPER("az`{AZ09"), "AZ`{AZ09");
    EXPECT_EQ(XTOLOWER("AZ@[az09"), "az@[az09");
    EXPECT_EQ(XTOUPPER("\xC0\xDF\xE0\xF7\xFE\xFF"), "\xC0\xDF\xC0\xD7\xDE\xFF");
    EXPECT_EQ(XTOLOWER("\xBF\xC0\xD7\xDE\xDF\xE0"), "\xBF\xE0\xF7\xFE\xDF\xE0");
    EXPECT_EQ(XTOUPPER("a\0b "sv), "A\0B "sv);
}

TEST(Strings, SystemTexts) {
    EXPECT_EQ(CLEN("\0abc"sv), 0);
    EXPECT_EQ(CLEN("ab\0c"sv), 2);
    EXPECT_EQ(CLEN("abc"), 3);
    EXPECT_EQ(XC2F("ab\0cd"sv), "ab   ");
    EXPECT_EQ(XC2F("\0xy"sv), "   ");
    EXPECT_EQ(XC2F("abc"), "   ");
    EXPECT_EQ(XSZ("ab  "), "ab");
    EXPECT_TRUE(STRCMP("edit\0"sv, "edit\0zz"sv));
    EXPECT_FALSE(STRCMP("edit\0"sv, "editx"));
    EXPECT_TRUE(STRCMP("edit\0"sv, "edit"));
    EXPECT_FALSE(STRCMP("Edit\0"sv, "edit\0"sv));
}

TEST(Strings, Shorten) {
    const std::string_view path = "c:\\data\\projects\\test\\file.txt";
    EXPECT_EQ(XSHORTEN(path, 20, -1), "...\\test\\file.txt   ");
    EXPECT_EQ(XSHORTEN(path, 20, 0), "c:\\data...\\file.txt ");
    EXPECT_EQ(XSHORTEN(path, 20), XSHORTEN(path, 20, 0));
    EXPECT_EQ(XSHORTEN(path, 20, 1), "c:\\data\\projects... ");
    EXPECT_EQ(XSHORTEN(path, 2), "..");
    EXPECT_EQ(XSHORTEN(path, 0), "");
    EXPECT_EQ(XSHORTEN("abcdefghij", 5, 1), "...  ");
    EXPECT_EQ(XSHORTEN("abc\\de  ", 6), "...\\de");
    EXPECT_EQ(XSHORTEN("abc\\d   ", 6), "abc\\d ");
    EXPECT_EQ(XSHORTEN("aa|bb cc", 6, -1, "| "sv), "... cc");
    EXPECT_EQ(XSHORTEN("aa|bb cc", 6, -1, "|"sv), "...   ");
}

TEST(Strings, IntegerWidthsAndTexts) {
    EXPECT_EQ(PXLOG(0), 1);
    EXPECT_EQ(PXLOG(-45), 3);
    EXPECT_EQ(PXLOG(255, 16), 2);
    EXPECT_EQ(PXLOG(256, 0), 3);
    EXPECT_EQ(PXLOG(INT_MIN), 11);
    EXPECT_EQ(PXLOG(INT_MIN, 2), 33);
    EXPECT_EQ(PXLOG(100, 1), 3);
    EXPECT_EQ(PXISTRING(255, 16), "FF");
    EXPECT_EQ(PXISTRING(7), "7");
    EXPECT_EQ(PXISTRING(0, 2), "0");
    EXPECT_EQ(PXISTRING(-45), "-45");
    EXPECT_EQ(PXISTRING(-10, 8), "-12");
    EXPECT_EQ(PXISTRING(-255, 16), "-FF");
    EXPECT_EQ(PXISTRING(5, 2), "101");
    EXPECT_EQ(PXISTRING(INT_MIN), "-2147483648");
    EXPECT_EQ(PXISTRING(INT_MIN, 16), "-80000000");
    EXPECT_EQ(PXISTRING(INT_MAX, -3), "2147483647");
    EXPECT_EQ(PXISTRING(100, 3), "     ");
}

TEST(Strings, RealWidthsAndTexts) {
    EXPECT_EQ(PXFSTRING(5), "5.");
    EXPECT_EQ(PXFSTRING(0.5), "0.500000000");
    EXPECT_EQ(PXFSTRING(-2.5), "-2.50000000");
    EXPECT_EQ(PXFSTRING(-0.0), "0.");
    EXPECT_EQ(PXFSTRING(-0.25, 1), "-0.2");
    EXPECT_EQ(PXFSTRING(2.675, 2), "2.67"); // exact value is below the half
    EXPECT_EQ(PXFSTRING(0.999, 2), "1.00");
    EXPECT_EQ(PXFSTRING(-9.99, 3), " -9.990");
    EXPECT_EQ(PXFSTRING(7, -2), "7.");
    EXPECT_EQ(PXFLOG(1234567890.75), 11);
    EXPECT_EQ(PXFSTRING(1234567890.75), "1234567891.");
    EXPECT_EQ(PXFSTRING(123456789.5), "123456789.5");
    EXPECT_EQ(PXFSTRING(1e10), "10000000000.");
    EXPECT_EQ(PXFSTRING(-3e9 - 0.25), "-3000000000.");
    EXPECT_EQ(PXFSTRING(-1e15, 2), "-1000000000000000.00");
    EXPECT_EQ(PXFSTRING(1e300).size(), 302u);
}

TEST(Strings, RealsThatDoNotFit) {
    EXPECT_EQ(PXFSTRING(9.9999999999, 8), "**********");
    EXPECT_EQ(PXFSTRING(9.9999999999), "***********");
    EXPECT_EQ(PXFSTRING(std::nan("")), "NaN");
    EXPECT_EQ(PXFLOG(-INFINITY, 3), 4);
    EXPECT_EQ(PXFSTRING(-INFINITY, 3), "-Inf");
    EXPECT_EQ(PXFSTRING(INFINITY), "Inf");
}
