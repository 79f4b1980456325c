// Platform-free rules of list views: layout texts, field texts both ways, date-time modes,
// comparisons for sorting, the merge sort of a virtual list's row map and row lookups.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "ZEBListViewcore.h"

namespace {

std::vector<XLVFIELD> layout(const char* s) {
    std::vector<XLVFIELD> a;
    EXPECT_TRUE(PXLVPARSELAYOUT(s, a)) << s;
    return a;
}

TEST(ListViewLayout, IntegerTextRealGiveThreeColumnsWithOffsetsAndTypes) {
    const auto a = layout("(i5,a20,f10.3)");
    ASSERT_EQ(a.size(), 3u);
    EXPECT_EQ(a[0].iColumn, 0);
    EXPECT_EQ(a[0].iOffset, 0);
    EXPECT_EQ(a[0].iType, -3);
    EXPECT_TRUE(a[0].bRight);
    EXPECT_EQ(a[1].iColumn, 1);
    EXPECT_EQ(a[1].iOffset, 4);
    EXPECT_EQ(a[1].iType, 20);
    EXPECT_FALSE(a[1].bRight);
    EXPECT_EQ(a[2].iColumn, 2);
    EXPECT_EQ(a[2].iOffset, 24);
    EXPECT_EQ(a[2].iType, -5);
    EXPECT_TRUE(a[2].bRight);
    EXPECT_EQ(a[2].sEdit, "10.3");
    EXPECT_EQ(PXLVLAYOUTSIZE(a), 28);
}

TEST(ListViewLayout, ImageAndSkipMoveTheOffsetWithoutAColumn) {
    auto a = layout("(+,a10)");
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].iColumn, -1);
    EXPECT_EQ(a[1].iColumn, 0);
    EXPECT_EQ(a[1].iOffset, 4);
    a = layout("(k3,x3,j6,n,g8.1,d12.4,e9.2,t4.1,i)");
    const int off[] = {0, 1, 4, 6, 14, 22, 30, 34, 50};
    const int type[] = {-1, 0, -2, -4, -6, -6, -5, -7, -3};
    const int col[] = {0, -1, 1, 2, 3, 4, 5, 6, 7};
    ASSERT_EQ(a.size(), 9u);
    for (int k = 0; k < 9; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(a[k].iOffset, off[k]);
        EXPECT_EQ(a[k].iType, type[k]);
        EXPECT_EQ(a[k].iColumn, col[k]);
    }
    EXPECT_EQ(layout("(i5)\0(a3)").size(), 1u) << "a NUL ends the text";
    EXPECT_EQ(layout("(i5").size(), 1u) << "the end of the text closes the list";
    EXPECT_TRUE(layout("()").empty());
}

TEST(ListViewLayout, MalformedTextsAreRefusedWithNoFields) {
    std::vector<XLVFIELD> a;
    for (const char* s :
         {"", "i5", " (i5)", "(q5)", "(I5)", "(a)", "(a0)", "(a-3)", "(ax)", "(x)", "(xx)", "(t)",
          "(tq)", "(i5x)", "(f1.2.3)", "(a70000)", "(x65535,i,i)", "(a40000)"}) {
        SCOPED_TRACE(s);
        a.assign(1, XLVFIELD{});
        EXPECT_FALSE(PXLVPARSELAYOUT(s, a));
        EXPECT_TRUE(a.empty());
    }
    EXPECT_TRUE(PXLVPARSELAYOUT("(x65532,i)", a)) << "the last offset still fits 16 bits";
}

TEST(ListViewLayout, HeaderParameterHoldsOffsetLowAndSignedTypeHigh) {
    for (int type : {-7, -6, -3, -1, 0, 20, 32767})
        for (int off : {0, 4, 65535}) {
            int o = -1, t = 99;
            PXLVHEADERKEY(PXLVHEADERPARAM(off, type), o, t);
            EXPECT_EQ(o, off);
            EXPECT_EQ(t, type);
        }
    EXPECT_EQ(PXLVHEADERPARAM(24, -5), static_cast<std::int32_t>(0xFFFB0018u));
}

TEST(ListViewDate, ModeIsTruncatedAndSecondsFromTheFraction) {
    int m = 0;
    bool sec = true;
    ASSERT_TRUE(PXLVDATEMODE("4", m, sec));
    EXPECT_EQ(m, 4);
    EXPECT_FALSE(sec);
    ASSERT_TRUE(PXLVDATEMODE("4.1", m, sec));
    EXPECT_EQ(m, 4);
    EXPECT_TRUE(sec);
    ASSERT_TRUE(PXLVDATEMODE("3.01", m, sec));
    EXPECT_TRUE(sec);
    ASSERT_TRUE(PXLVDATEMODE("3.005", m, sec));
    EXPECT_FALSE(sec);
    ASSERT_TRUE(PXLVDATEMODE("9", m, sec))
        << "out of range is the caller's status, not a read error";
    EXPECT_EQ(m, 9);
    EXPECT_FALSE(PXLVDATEMODE("", m, sec));
    EXPECT_FALSE(PXLVDATEMODE("x", m, sec));
}

template <class T> std::string text(const char* lay, T v) {
    std::vector<XLVFIELD> a;
    EXPECT_TRUE(PXLVPARSELAYOUT(lay, a));
    unsigned char buf[sizeof(T)];
    std::memcpy(buf, &v, sizeof v);
    std::string s;
    EXPECT_TRUE(PXLVFIELDTEXT(a.at(0), buf, s)) << lay;
    return s;
}

template <class T> T read(const char* lay, const std::string& s, bool ok = true) {
    std::vector<XLVFIELD> a;
    EXPECT_TRUE(PXLVPARSELAYOUT(lay, a));
    T v{};
    unsigned char buf[sizeof(T)];
    std::memcpy(buf, &v, sizeof v);
    EXPECT_EQ(PXLVREADFIELD(a.at(0), s, buf), ok) << lay << " '" << s << "'";
    std::memcpy(&v, buf, sizeof v);
    return v;
}

TEST(ListViewField, IntegersRightJustifiedWithOverflowMarksAndMinimumDigits) {
    EXPECT_EQ(text("(i5)", std::int32_t{42}), "   42");
    EXPECT_EQ(text("(i5)", std::int32_t{-1234}), "-1234");
    EXPECT_EQ(text("(i5)", std::int32_t{123456}), "*****");
    EXPECT_EQ(text("(i)", std::int32_t{INT32_MIN}), "-2147483648");
    EXPECT_EQ(text("(i6.3)", std::int32_t{7}), "   007");
    EXPECT_EQ(text("(j)", std::int16_t{-32768}), "-32768");
    EXPECT_EQ(text("(k4)", std::int8_t{-128}), "-128");
    EXPECT_EQ(text("(n)", std::int64_t{INT64_MIN}), "-9223372036854775808");
}

TEST(ListViewField, RealsInFixedAndExponentForm) {
    EXPECT_EQ(text("(f10.3)", 3.14159f), "     3.142");
    EXPECT_EQ(text("(f5.1)", -2.25f).size(), 5u);
    EXPECT_EQ(text("(f4.2)", 123.0f), "****");
    EXPECT_EQ(text("(g12.4)", 1234.56789), "   1234.5679");
    EXPECT_EQ(text("(g)", 0.5), "0.50") << "no decimals given: two";
    EXPECT_EQ(text("(e10.3)", 1234.5f), " 0.123E+04");
    EXPECT_EQ(text("(d12.4)", -0.00012346), " -0.1235E-03");
    EXPECT_EQ(text("(d10.2)", 0.0), "  0.00E+00");
    EXPECT_EQ(text("(g)", 1e308).size(), 256u) << "never more than a cell holds";
    EXPECT_EQ(text("(g256.250)", -1e308), std::string(256, '*'));
}

TEST(ListViewField, EveryTypeRoundTripsThroughItsText) {
    EXPECT_EQ(read<std::int32_t>("(i5)", text("(i5)", std::int32_t{-123})), -123);
    EXPECT_EQ(read<std::int16_t>("(j)", text("(j)", std::int16_t{-32768})), -32768);
    EXPECT_EQ(read<std::int8_t>("(k)", text("(k)", std::int8_t{127})), 127);
    EXPECT_EQ(read<std::int64_t>("(n)", text("(n)", std::int64_t{INT64_MAX})), INT64_MAX);
    EXPECT_FLOAT_EQ(read<float>("(f10.3)", text("(f10.3)", 2.5f)), 2.5f);
    EXPECT_FLOAT_EQ(read<float>("(e12.5)", text("(e12.5)", -1.5e-7f)), -1.5e-7f);
    EXPECT_DOUBLE_EQ(read<double>("(g20.6)", text("(g20.6)", 98765.4321)), 98765.4321);
    EXPECT_DOUBLE_EQ(read<double>("(d16.9)", text("(d16.9)", 6.02214076e23)), 6.02214076e23);
    EXPECT_DOUBLE_EQ(read<double>("(d)", "1.5D+02"), 150.0);

    std::vector<XLVFIELD> a;
    ASSERT_TRUE(PXLVPARSELAYOUT("(a6)", a));
    unsigned char s[7] = "zzzzzz";
    s[6] = '#';
    ASSERT_TRUE(PXLVREADFIELD(a[0], std::string("ab\0cd", 5), s));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(s), 7), "ab    #") << "cut at NUL, padded";
    ASSERT_TRUE(PXLVREADFIELD(a[0], "abcdefghij", s));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(s), 7), "abcdef#") << "never past the field";
    std::string t;
    ASSERT_TRUE(PXLVFIELDTEXT(a[0], s, t));
    EXPECT_EQ(t, "abcdef");
}

TEST(ListViewField, UnreadableOrOutOfRangeTextsLeaveTheFieldAlone) {
    EXPECT_EQ(read<std::int32_t>("(i)", "12x", false), 0);
    EXPECT_EQ(read<std::int32_t>("(i)", "2147483648", false), 0);
    EXPECT_EQ(read<std::int16_t>("(j)", "40000", false), 0);
    EXPECT_EQ(read<std::int8_t>("(k)", "-129", false), 0);
    EXPECT_EQ(read<std::int64_t>("(n)", "99999999999999999999", false), 0);
    EXPECT_EQ(read<float>("(f)", "1e39", false), 0.0f);
    EXPECT_EQ(read<double>("(g)", "abc", false), 0.0);
    EXPECT_EQ(read<std::int32_t>("(i5)", "  -17  "), -17);
    EXPECT_EQ(read<std::int32_t>("(i5)", "     "), 0) << "a blank cell reads as zero";
    EXPECT_EQ(read<std::int32_t>("(i5)", std::string("12\0zz", 5)), 12) << "cut at NUL";
    std::vector<XLVFIELD> a;
    ASSERT_TRUE(PXLVPARSELAYOUT("(+,x2,t4)", a));
    unsigned char b[16] = {};
    std::string s;
    for (const auto& f : a) {
        EXPECT_FALSE(PXLVFIELDTEXT(f, b, s)) << f.cLetter;
        EXPECT_FALSE(PXLVREADFIELD(f, "1", b)) << f.cLetter;
    }
}

TEST(ListViewCompare, TextsOfOrdinaryListsByType) {
    EXPECT_LT(PXLVCOMPARETEXTS(5, "abc", "abd"), 0);
    EXPECT_EQ(PXLVCOMPARETEXTS(3, "abcX", "abcY"), 0) << "only the field's bytes";
    EXPECT_EQ(PXLVCOMPARETEXTS(5, "ab", "ab   "), 0) << "blank-padded";
    EXPECT_GT(PXLVCOMPARETEXTS(5, "\xE9", "z"), 0) << "bytes are unsigned";
    EXPECT_LT(PXLVCOMPARETEXTS(-3, "   9", "  10"), 0) << "numbers, not texts";
    EXPECT_GT(PXLVCOMPARETEXTS(-4, "2147483647", "-2147483648"), 0);
    EXPECT_GT(PXLVCOMPARETEXTS(-4, "9223372036854775807", "-9223372036854775808"), 0);
    EXPECT_LT(PXLVCOMPARETEXTS(-6, "0.5E+01", "6.0"), 0);
    EXPECT_EQ(PXLVCOMPARETEXTS(-5, "1.0", "1.00"), 0);
    EXPECT_LT(PXLVCOMPARETEXTS(-3, "*****", "5"), 0) << "unreadable texts sort first";
    EXPECT_LT(PXLVCOMPARETEXTS(-7, "01/02/2020", "02/01/2019"), 0) << "dates as display texts";
    EXPECT_EQ(PXLVCOMPARETEXTS(0, "a", "b"), 0);
    EXPECT_EQ(PXLVCOMPARETEXTS(-8, "a", "b"), 0);
}

// The order read once from the texts is the order their pairwise comparison gives, with
// equal keys in their present order, for every type code.
TEST(ListViewCompare, RowsSortedByTextsReadOnce) {
    EXPECT_EQ(PXLVSORTTEXTS(-2, {"  -300", "  1200", "     7", "-32768"}, -1),
              (std::vector<int>{1, 2, 0, 3}));
    EXPECT_EQ(PXLVSORTTEXTS(-3, {"2", "1", "2", "1"}, 1), (std::vector<int>{1, 3, 0, 2}));
    EXPECT_EQ(PXLVSORTTEXTS(-3, {"2", "1", "2", "1"}, -1), (std::vector<int>{0, 2, 1, 3}))
        << "descending keeps ties in order too";
    EXPECT_EQ(PXLVSORTTEXTS(0, {"b", "a"}, 1), (std::vector<int>{0, 1})) << "no sort key";
    EXPECT_TRUE(PXLVSORTTEXTS(-3, {}, 1).empty());
    const std::vector<std::string> words = {"pear", "fig", "apple", "fig", "kiwi", "",
                                            "*",    "12",  "-3.5",  "1e2", "7",    "-3.50"};
    for (int type : {-1, -3, -4, -5, -6, -7, 3, 10}) {
        for (int dir : {1, -1}) {
            const std::vector<int> order = PXLVSORTTEXTS(type, words, dir);
            ASSERT_EQ(order.size(), words.size());
            for (std::size_t k = 1; k < order.size(); ++k) {
                const int c = PXLVCOMPARETEXTS(type, words[order[k - 1]], words[order[k]]) * dir;
                EXPECT_LE(c, 0) << type << " " << dir << " at " << k;
                if (c == 0) {
                    EXPECT_LT(order[k - 1], order[k]) << "stable, type " << type;
                }
            }
        }
    }
}

struct REC {
    std::int32_t i;
    std::int16_t j;
    std::int8_t k;
    char a[3];
    std::int64_t n;
    float f;
    double g;
    XLVDATETIME t;
};

TEST(ListViewCompare, FieldsOfVirtualListsByValue) {
    REC x{}, y{};
    auto cmp = [&](int type, const void* p, const void* q) {
        return PXLVCOMPAREFIELDS(type, static_cast<const unsigned char*>(p),
                                 static_cast<const unsigned char*>(q));
    };
    x.i = 2000000000, y.i = -2000000000;
    EXPECT_GT(cmp(-3, &x.i, &y.i), 0) << "no wrap of the difference";
    x.j = 30000, y.j = -30000;
    EXPECT_GT(cmp(-2, &x.j, &y.j), 0);
    x.k = 100, y.k = -100;
    EXPECT_GT(cmp(-1, &x.k, &y.k), 0);
    x.n = 0x100000000LL, y.n = 1;
    EXPECT_GT(cmp(-4, &x.n, &y.n), 0) << "all 64 bits";
    x.f = -0.5f, y.f = 0.25f;
    EXPECT_LT(cmp(-5, &x.f, &y.f), 0);
    x.g = y.g = 3.0;
    EXPECT_EQ(cmp(-6, &x.g, &y.g), 0);
    std::memcpy(x.a, "ab ", 3), std::memcpy(y.a, "abc", 3);
    EXPECT_LT(cmp(3, x.a, y.a), 0);
    x.t = {2024, 5, 0, 1, 23, 59, 59, 999};
    y.t = {2024, 5, 3, 2, 0, 0, 0, 0};
    EXPECT_LT(cmp(-7, &x.t, &y.t), 0) << "the day decides before the time";
    y.t = x.t;
    y.t.wDayOfWeek = 6;
    EXPECT_EQ(cmp(-7, &x.t, &y.t), 0) << "the day of week plays no part";
    y.t.wMilliseconds = 0;
    EXPECT_GT(cmp(-7, &x.t, &y.t), 0);
    EXPECT_EQ(cmp(0, &x, &y), 0);
    EXPECT_EQ(cmp(-9, &x, &y), 0);
}

int bykey(int i, int j, const void* p) {
    return PXLVCOMPAREINDEXES(i, j, *static_cast<const XLVSORTKEY*>(p));
}

TEST(ListViewSort, MergeSortOrdersTheMapBothWaysAndKeepsEqualKeysInArrayOrder) {
    struct R {
        char name[4];
        std::int32_t v;
    };
    const R recs[] = {{"e", 5}, {"b", 2}, {"x", 2}, {"a", 9}, {"c", -1}, {"d", 2}, {"f", 0}};
    XLVSORTKEY key{reinterpret_cast<const unsigned char*>(recs), sizeof(R), 4, -3, 1};
    std::vector<int> map = {7, 6, 5, 4, 3, 2, 1};
    PXLVMERGESORT(map, 7, bykey, &key);
    EXPECT_EQ(map, (std::vector<int>{5, 7, 2, 3, 6, 1, 4}));
    key.iDir = -1;
    PXLVMERGESORT(map, 7, bykey, &key);
    EXPECT_EQ(map, (std::vector<int>{4, 1, 2, 3, 6, 7, 5}));
    key.iOffset = 0, key.iType = 4, key.iDir = 1;
    PXLVMERGESORT(map, 7, bykey, &key);
    EXPECT_EQ(map, (std::vector<int>{4, 2, 5, 6, 1, 7, 3}));
    PXLVMERGESORT(map, 0, bykey, &key);
    EXPECT_TRUE(map.empty());
    PXLVMERGESORT(map, 1, bykey, &key);
    EXPECT_EQ(map, std::vector<int>{1});
}

TEST(ListViewSort, MergeSortAgreesWithAStableSortForManySizes) {
    std::vector<std::int32_t> v;
    unsigned seed = 12345;
    for (int n = 0; n < 70; ++n) {
        v.resize(n);
        for (auto& e : v) e = static_cast<std::int32_t>((seed = seed * 1103515245 + 12345) >> 28);
        XLVSORTKEY key{reinterpret_cast<const unsigned char*>(v.data()), 4, 0, -3, 1};
        std::vector<int> map, want = PXLVIDENTITYMAP(n);
        PXLVMERGESORT(map, n, bykey, &key);
        std::stable_sort(want.begin(), want.end(),
                         [&](int a, int b) { return v[a - 1] < v[b - 1]; });
        ASSERT_EQ(map, want) << n;
    }
}

// Keys loaded once give the order the comparison of the records gives, for every type.
TEST(ListViewSort, SortingByLoadedKeysAgreesWithTheRecordComparison) {
#pragma pack(push, 1)
    struct R {
        std::int8_t k;
        std::int16_t j;
        std::int32_t i;
        std::int64_t n;
        float f;
        double g;
        char a[3];
        XLVDATETIME t;
    };
#pragma pack(pop)
    std::vector<R> recs(61);
    unsigned seed = 99;
    const auto next = [&] { return (seed = seed * 1103515245 + 12345) >> 20; };
    for (R& r : recs) {
        r.k = static_cast<std::int8_t>(next() % 7 - 3);
        r.j = static_cast<std::int16_t>(next() % 9 - 4);
        r.i = static_cast<std::int32_t>(next() % 5) - 2;
        r.n = static_cast<std::int64_t>(next() % 3) * 4000000000LL;
        r.f = static_cast<float>(next() % 4) / 3;
        r.g = static_cast<double>(next() % 6) - 2.5;
        r.a[0] = static_cast<char>('a' + next() % 3), r.a[1] = ' ', r.a[2] = 'x';
        r.t = {2024, 1, 0, static_cast<std::int16_t>(1 + next() % 3), 0, 0, 0, 0};
    }
    recs[5].g = std::numeric_limits<double>::quiet_NaN(); // equal to every value
    const int fields[][2] = {{0, -1},  {1, -2}, {3, -3},  {7, -4}, {15, -5},
                             {19, -6}, {27, 2}, {30, -7}, {0, 0}};
    for (const auto& fd : fields)
        for (int dir : {1, -1}) {
            const XLVSORTKEY key{reinterpret_cast<const unsigned char*>(recs.data()), sizeof(R),
                                 fd[0], fd[1], dir};
            std::vector<int> want, got;
            PXLVMERGESORT(want, 61, bykey, &key);
            PXLVSORTMAP(got, 61, key);
            EXPECT_EQ(got, want) << "type " << fd[1] << " dir " << dir;
        }
}

TEST(ListViewRows, MapsBetweenRowsAndArrayIndexes) {
    const std::vector<int> none, map = {3, 1, 2};
    EXPECT_EQ(PXLVIDENTITYMAP(3), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(PXLVIDENTITYMAP(-2).empty());
    EXPECT_EQ(PXLVBACKMAP(none, 4), 5);
    EXPECT_EQ(PXLVBACKMAP(map, 0), 3);
    EXPECT_EQ(PXLVBACKMAP(map, 3), 0);
    EXPECT_EQ(PXLVBACKMAP(map, -1), 0);
    EXPECT_EQ(PXLVFWDMAP(none, 5), 4);
    EXPECT_EQ(PXLVFWDMAP(none, 0), -1);
    EXPECT_EQ(PXLVFWDMAP(map, 1), 1);
    EXPECT_EQ(PXLVFWDMAP(map, 4), -1);
}

} // namespace
