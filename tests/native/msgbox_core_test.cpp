// Message-box layout arithmetic and template writers. The template is read back field by field
// by a small parser that knows nothing of the writers, as the dialog manager would read it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZEBMsgBoxcore.h"

namespace {

struct Item {
    std::uint32_t style, exStyle;
    int x, y, cx, cy, id, atom;
    std::u16string text;
    int ordinal = -1;
};
struct Parsed {
    std::uint32_t style, exStyle;
    int nItems, x, y, cx, cy;
    std::u16string caption, face;
    int pointSize;
    std::vector<Item> items;
    std::size_t end;
};

struct Reader {
    const XWORDS& w;
    std::size_t p = 0;
    std::uint16_t word() {
        EXPECT_LT(p, w.size()) << "read past the template";
        return p < w.size() ? w[p++] : 0;
    }
    std::uint32_t dword() {
        const std::uint32_t lo = word();
        return lo | std::uint32_t(word()) << 16;
    }
    std::u16string sz() {
        std::u16string s;
        while (std::uint16_t c = word()) s += char16_t(c);
        return s;
    }
    void align() {
        if (p % 2) {
            EXPECT_EQ(word(), 0);
        }
    }
};

Parsed parse(const XWORDS& w) {
    Reader r{w};
    Parsed t;
    t.style = r.dword();
    t.exStyle = r.dword();
    t.nItems = r.word();
    t.x = r.word();
    t.y = r.word();
    t.cx = r.word();
    t.cy = r.word();
    EXPECT_EQ(r.word(), 0); // menu
    EXPECT_EQ(r.word(), 0); // class
    t.caption = r.sz();
    t.pointSize = r.word();
    t.face = r.sz();
    r.align();
    for (int i = 0; i < t.nItems; ++i) {
        Item it;
        it.style = r.dword();
        it.exStyle = r.dword();
        it.x = std::int16_t(r.word());
        it.y = std::int16_t(r.word());
        it.cx = r.word();
        it.cy = r.word();
        it.id = r.word();
        EXPECT_EQ(r.word(), 0xFFFF);
        it.atom = r.word();
        if (r.w[r.p] == 0xFFFF) {
            r.word();
            it.ordinal = r.word();
        } else {
            it.text = r.sz();
        }
        EXPECT_EQ(r.word(), 0); // creation data
        r.align();
        t.items.push_back(it);
    }
    t.end = r.p;
    return t;
}

XMBSPEC contentof(int flags, std::vector<int> ids) {
    XMBSPEC s;
    s.iFlags = flags;
    s.sCaption = u"Title  ";
    s.sText = u"Hello";
    s.sFace = u"Tahoma";
    for (int id : ids)
        s.buttons.push_back({id, {u"B" + std::u16string(1, char16_t('0' + id)), {}}});
    return s;
}

XMBMEASURE measure(int w, int h, bool icon, bool check, int n) {
    XMBMEASURE m;
    m.w = w;
    m.h = h;
    m.bx = 6;
    m.by = 13;
    m.cyFrame = 22;
    m.bIcon = icon;
    m.bCheck = check;
    m.nButtons = n;
    return m;
}

TEST(MsgBoxWriters, WordsAreLittleEndianAndPositionsAdvance) {
    XWORDS b;
    int pos = PXPUTINT4(b, 0, 0x12345678u);
    EXPECT_EQ(pos, 2);
    pos = PXPUTINT2(b, pos, {});
    EXPECT_EQ(pos, 2);
    pos = PXPUTINT2(b, pos, {7, 8});
    pos = PXPUTWIDE(b, pos, u"ab");
    EXPECT_EQ(pos, 7);
    EXPECT_EQ(b, (XWORDS{0x5678, 0x1234, 7, 8, 'a', 'b', 0}));
    // Writing inside what exists overwrites; the buffer grows only as far as needed.
    EXPECT_EQ(PXPUTINT4(b, 1, 0xFFFF0000u), 3);
    EXPECT_EQ(b.size(), 7u);
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b[2], 0xFFFF);
}

TEST(MsgBoxWriters, ControlRecordsCutToSixteenBitsAndEndAligned) {
    XWORDS b;
    int pos = PXPUTINT2(b, 0, {1});
    pos = PXPUTCONTROL(b, pos, 0x50000001, 0, -5, 70000, 50, 14, 0x10007, 0x80, {u"abc", {}});
    EXPECT_EQ(pos, 1 + 16 + 1); // record of 16 words, then one word of padding
    EXPECT_EQ(XWORDS(b.begin() + 1, b.end()),
              (XWORDS{1, 0x5000, 0, 0, 0xFFFB, 70000 & 0xFFFF, 50, 14, 7, 0xFFFF, 0x80, 'a', 'b',
                      'c', 0, 0, 0}));
    pos = PXPUTCONTROL(b, pos, 0x50000803, 0, 10, 10, 20, 20, 0, 0x82, {u"ignored", 103});
    EXPECT_EQ(pos, 18 + 14);
    EXPECT_EQ(XWORDS(b.end() - 5, b.end()), (XWORDS{0xFFFF, 0x82, 0xFFFF, 103, 0}));
}

TEST(MsgBoxTables, ButtonSetsIconsAndFallbackCaptions) {
    EXPECT_EQ(FXMBBUTTONSET(0), (std::vector<int>{1}));
    EXPECT_EQ(FXMBBUTTONSET(1), (std::vector<int>{1, 2}));
    EXPECT_EQ(FXMBBUTTONSET(2), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(FXMBBUTTONSET(0x33), (std::vector<int>{6, 7, 2}));
    EXPECT_EQ(FXMBBUTTONSET(4), (std::vector<int>{6, 7}));
    EXPECT_EQ(FXMBBUTTONSET(5), (std::vector<int>{4, 2}));
    EXPECT_TRUE(FXMBBUTTONSET(6).empty());
    EXPECT_EQ(FXMBSTDICON(0x10), 103);
    EXPECT_EQ(FXMBSTDICON(0x24), 102);
    EXPECT_EQ(FXMBSTDICON(0x30), 101);
    EXPECT_EQ(FXMBSTDICON(0x40), 104);
    EXPECT_FALSE(FXMBSTDICON(0x80));
    EXPECT_EQ(FXMBFALLBACK(1), "OK     ");
    EXPECT_EQ(FXMBFALLBACK(2), "Cancel ");
    EXPECT_EQ(FXMBFALLBACK(5), "&Ignore");
    EXPECT_EQ(FXMBFALLBACK(7), "&No    ");
    EXPECT_EQ(FXMBFALLBACK(9), "&Help  ");
    EXPECT_TRUE(FXMBFALLBACK(0).empty());
    EXPECT_TRUE(FXMBFALLBACK(10).empty());
}

TEST(MsgBoxLayout, NarrowTextGivesTheMinimumWidthAndCentredButtons) {
    const XMBLAYOUT one = FXMBLAYOUT(measure(60, 13, false, false, 1));
    EXPECT_EQ(one.cx, 200);
    EXPECT_EQ(one.xButtons, (std::vector<int>{75})); // 200 / 2 - 25
    EXPECT_EQ(one.cy, 8 + 8 * 22 / 13 + 30);
    EXPECT_EQ(one.yButtons, one.cy - 20);
    const XMBLAYOUT three = FXMBLAYOUT(measure(60, 13, false, false, 3));
    EXPECT_EQ(three.xButtons, (std::vector<int>{5, 75, 145}));
}

TEST(MsgBoxLayout, IconAndCheckBoxMakeRoom) {
    const XMBLAYOUT plain = FXMBLAYOUT(measure(600, 26, false, false, 2));
    const XMBLAYOUT icon = FXMBLAYOUT(measure(600, 26, true, false, 2));
    EXPECT_EQ(plain.cx, 4 * 600 / 6 + 20);
    EXPECT_EQ(icon.cx - plain.cx, 128 / 6 + 10);
    EXPECT_EQ(plain.xText, 20);
    EXPECT_EQ(icon.xText, 40);
    EXPECT_EQ(icon.cxText, 400);
    EXPECT_EQ(icon.cyText, 8 * 26 / 13);
    EXPECT_EQ(icon.cy - plain.cy, 256 / 13 - 16); // the icon is taller than two lines
    const XMBLAYOUT check = FXMBLAYOUT(measure(600, 26, false, true, 2));
    EXPECT_EQ(check.cy - plain.cy, 10);
    EXPECT_EQ(check.yCheck, check.cy - 32);
    EXPECT_EQ(check.cxCheck, check.cx - 20);
    // Longer text, larger box.
    EXPECT_GT(FXMBLAYOUT(measure(700, 130, false, false, 2)).cy, plain.cy);
    // Base units of 0 would divide by zero.
    XMBMEASURE z = measure(10, 10, true, false, 1);
    z.bx = z.by = 0;
    EXPECT_GE(FXMBLAYOUT(z).cx, 200);
}

// Four custom buttons on a narrow text, and texts far taller or wider than any screen: the
// button row stays inside the box, and no size wraps round in the template's 16-bit fields.
TEST(MsgBoxLayout, FourButtonsAndHugeTextsStayInsideTheBox) {
    const XMBLAYOUT four = FXMBLAYOUT(measure(60, 13, false, false, 4));
    EXPECT_GE(four.xButtons.front(), 0);
    EXPECT_LE(four.xButtons.back() + 50, four.cx);
    for (const XMBLAYOUT& l : {FXMBLAYOUT(measure(700, 2000000, true, true, 2)),
                               FXMBLAYOUT(measure(100000000, 13, false, false, 1))}) {
        EXPECT_GT(l.cx, 0);
        EXPECT_LE(l.cx, 0x7FFF);
        EXPECT_GT(l.cy, 0);
        EXPECT_LE(l.cy, 0x7FFF);
        EXPECT_LE(l.cxText, 0x7FFF);
        EXPECT_LE(l.cyText, 0x7FFF);
        EXPECT_GE(l.yButtons, 0);
        const Parsed t = parse(FXMBTEMPLATE(contentof(0, {1}), l));
        EXPECT_EQ(t.cx, l.cx);
        EXPECT_EQ(t.cy, l.cy);
    }
}

TEST(MsgBoxTemplate, HeaderAndItemsInOrder) {
    XMBSPEC s = contentof(0x1103, {6, 7, 2}); // Yes/No/Cancel, second default, system-modal
    s.iIcon = 102;
    s.bCheck = true;
    const XMBLAYOUT l = FXMBLAYOUT(measure(60, 13, true, true, 3));
    const XWORDS w = FXMBTEMPLATE(s, l);
    const Parsed t = parse(w);
    EXPECT_EQ(t.end, w.size());
    EXPECT_EQ(t.style, 0x90C808C2u);
    EXPECT_EQ(t.exStyle, 8u);
    EXPECT_EQ(t.nItems, 6);
    EXPECT_EQ(t.cx, l.cx);
    EXPECT_EQ(t.cy, l.cy);
    EXPECT_EQ(t.caption, u"Title  ");
    EXPECT_EQ(t.face, u"Tahoma");
    EXPECT_EQ(t.pointSize, 8);
    ASSERT_EQ(t.items.size(), 6u);
    const Item &text = t.items[0], &icon = t.items[1], &check = t.items[2];
    EXPECT_EQ(text.style, 0x50000000u);
    EXPECT_EQ(text.atom, 0x82);
    EXPECT_EQ(text.text, u"Hello");
    EXPECT_EQ(text.x, 40);
    EXPECT_EQ(icon.style, 0x50000803u);
    EXPECT_EQ(icon.ordinal, 102);
    EXPECT_EQ(check.id, 1001);
    EXPECT_EQ(check.style, 0x50000003u);
    EXPECT_EQ(check.atom, 0x80);
    EXPECT_EQ(check.text, u"&Show this message in the future");
    EXPECT_EQ(check.y, l.cy - 32);
    std::vector<int> ids, defaults, xs;
    for (int i = 3; i < 6; ++i) {
        ids.push_back(t.items[i].id);
        defaults.push_back(int(t.items[i].style & 1));
        xs.push_back(t.items[i].x);
        EXPECT_EQ(t.items[i].y, l.cy - 20);
        EXPECT_EQ(t.items[i].cx, 50);
        EXPECT_EQ(t.items[i].cy, 14);
    }
    EXPECT_EQ(ids, (std::vector<int>{6, 7, 2}));
    EXPECT_EQ(defaults, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(xs, l.xButtons);
    EXPECT_EQ(t.items[4].text, u"B7");
}

TEST(MsgBoxTemplate, PlainBoxTopmostRightAlignedAndLongTexts) {
    XMBSPEC s = contentof(0x80000 | 0x40000 | 0x300, {1}); // default index 4 of one button: none
    s.sText = std::u16string(5000, u'x');
    s.sCaption = std::u16string(3001, u'c'); // odd lengths everywhere
    const XMBLAYOUT l = FXMBLAYOUT(measure(700, 600, false, false, 1));
    const Parsed t = parse(FXMBTEMPLATE(s, l));
    EXPECT_EQ(t.style, 0x90C808C0u);
    EXPECT_EQ(t.exStyle, 8u);
    EXPECT_EQ(t.nItems, 2);
    ASSERT_EQ(t.items.size(), 2u);
    EXPECT_EQ(t.items[0].style, 0x50000002u);
    EXPECT_EQ(t.items[0].text.size(), 5000u);
    EXPECT_EQ(t.caption.size(), 3001u);
    EXPECT_EQ(t.items[1].style & 1, 0u);
}

} // namespace
