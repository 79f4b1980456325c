// Platform-free rules of the controls: styles from option words, callback slots that depend on
// the style, texts for the system, font descriptions, scroll and up-down values.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ZEBCtrlcore.h"

namespace {

constexpr int COMMON = 0x40000000 | 0x04000000 | 0x10000000; // child, clip-siblings, visible

TEST(CtrlStyle, EveryClassStartsFromItsDefaultWithTheCommonBits) {
    const int def[18] = {0,       0x0,     0x7,     0x10000, 0x10003, 0x10009,
                         0x10080, 0x10001, 0x10043, 0x10004, 0x10000, 0x2,
                         0x10042, 0x0,     0x1,     0x0,     0x0,     0x9};
    for (int c = 1; c <= 17; ++c) {
        SCOPED_TRACE(c);
        ASSERT_NE(PXCTLCLASSNAME(c), nullptr);
        EXPECT_EQ(PXCTLSTYLE(c, 0, 0), def[c] | COMMON);
    }
    EXPECT_EQ(PXCTLCLASSNAME(0), nullptr);
    EXPECT_EQ(PXCTLCLASSNAME(18), nullptr);
    EXPECT_EQ(PXCTLCLASSNAME(20), nullptr) << "dialogs are never created as controls";
}

TEST(CtrlStyle, EditablecomboIsADropDownThatClassifiesApartFromTheDropDownList) {
    const int s = PXCTLSTYLE(XCC_COMBOEDIT, 0x2, 0);
    EXPECT_EQ(std::string(PXCTLCLASSNAME(XCC_COMBOEDIT)), "Combobox");
    EXPECT_EQ(s & 3, 2) << "CBS_DROPDOWN: an edit child and edit notifications";
    EXPECT_NE(s & 3, PXCTLSTYLE(XCC_COMBOLIST, 0, 0) & 3);
    EXPECT_TRUE(s & 0x100) << "sorted";
}

TEST(CtrlStyle, ReadOnlyMultiLineEditHasBothScrollBars) {
    const int s = PXCTLSTYLE(XCC_EDIT, 0x0804, 0);
    EXPECT_EQ(s, COMMON | 0x10080 | 0x800 | 0x3000C4);
    EXPECT_EQ(PXCTLSTYLE(XCC_EDIT, 0x1, 0) & 3, 0x2) << "option 1 aligns right";
    EXPECT_EQ(PXCTLSTYLE(XCC_EDIT, 0x2, 0) & 3, 0x1) << "option 2 centres";
}

TEST(CtrlStyle, OwnerDrawingReplacesTheLowFourBitsLast) {
    EXPECT_EQ(PXCTLSTYLE(XCC_STATIC, 0x10000000 | 0x1, 0) & 0xF, 0xD);
    EXPECT_EQ(PXCTLSTYLE(XCC_BUTTON, 0x10000000, 0) & 0xF, 0xB);
    EXPECT_EQ(PXCTLSTYLE(XCC_CHECKBOX, 0x10000000 | 0x20, 0xF) & 0xFF, 0x2B)
        << "the caller's low bits go too; left text stays";
    EXPECT_EQ(PXCTLSTYLE(XCC_EDIT, 0x10000000, 0), PXCTLSTYLE(XCC_EDIT, 0, 0))
        << "not an option of edits";
}

TEST(CtrlStyle, ButtonOptionsMapToTheirBits) {
    const int all = 0x20 | 0x1000 | 0x80 | 0x40 | 0x8000 | 0x4;
    for (int c : {XCC_BUTTON, XCC_CHECKBOX, XCC_RADIO, XCC_RADIOMANUAL})
        EXPECT_EQ(PXCTLSTYLE(c, all, 0) & ~PXCTLSTYLE(c, 0, 0),
                  0x20 | 0x1000 | 0x80 | 0x40 | 0x8000 | 0x2000);
    EXPECT_EQ(PXCTLSTYLE(XCC_GROUPBOX, all, 0), PXCTLSTYLE(XCC_GROUPBOX, 0, 0));
}

TEST(CtrlStyle, ClassOptionsAndCommonOptions) {
    EXPECT_TRUE(PXCTLSTYLE(XCC_LISTBOX, 0x2, 0) & 0x2);
    EXPECT_TRUE(PXCTLSTYLE(XCC_COMBOLIST, 0x2, 0) & 0x100);
    EXPECT_TRUE(PXCTLSTYLE(XCC_TAB, 0x4, 0) & 0x200);
    EXPECT_TRUE(PXCTLSTYLE(XCC_SCROLLBAR, 0x1, 0) & 0x1);
    EXPECT_EQ(PXCTLSTYLE(XCC_LISTVIEW, 0x10000000 | 0x8000, 0) & 0xF000, 0x9000);
    EXPECT_EQ(PXCTLSTYLE(XCC_UPDOWN, 0x1 | 0x2 | 0x4, 0), COMMON) << "up-downs take no options";
    for (int c = 1; c <= 17; ++c) {
        const int s = PXCTLSTYLE(c, 0x08000000 | 0x00020000, 0x00800000);
        EXPECT_EQ(s & 0x08820000, 0x08820000) << "disabled, group and the caller's border";
    }
}

TEST(CtrlSlots, OwnerDrawSlotsExistOnlyForOwnerDrawnStyles) {
    EXPECT_EQ(PXGETCALLBACKINDEX(XCC_STATIC, 0xD, -26), 1);
    EXPECT_EQ(PXGETCALLBACKINDEX(XCC_STATIC, 0xD, -1), 1);
    EXPECT_EQ(PXGETCALLBACKINDEX(XCC_STATIC, 0x0, -1), 0) << "a plain label has no event";
    EXPECT_EQ(PXGETCALLBACKINDEX(XCC_BUTTON, 0xB, -26), 2);
    EXPECT_EQ(PXGETCALLBACKINDEX(XCC_BUTTON, 0x0, -26), 0);
    EXPECT_EQ(PXGETCALLBACKINDEX(XCC_CHECKBOX, 0x10003, -26), 0);
    EXPECT_EQ(PXGETCALLBACKINDEX(XCC_LISTVIEW, 0x1009, -26), 4) << "virtual list";
    EXPECT_EQ(PXGETCALLBACKINDEX(XCC_LISTVIEW, 0x0009, -26), 0);
}

TEST(CtrlText, TrailingBlanksGoAndABlankTextStaysOneBlank) {
    EXPECT_EQ(PXCTLTEXT("abc   "), "abc");
    EXPECT_EQ(PXCTLTEXT("  a b "), "  a b");
    EXPECT_EQ(PXCTLTEXT("    "), " ");
    EXPECT_EQ(PXCTLTEXT(""), " ");
}

TEST(CtrlFont, DescriptionsFromTheExamples) {
    XFONTDESC d = PXREADFONT("t'courier new' h12 e");
    EXPECT_EQ(d.sFace, "courier new");
    EXPECT_EQ(d.iHeight, 12);
    EXPECT_EQ(d.iWeight, 700);
    EXPECT_FALSE(d.bItalic);
    EXPECT_FALSE(d.bUnderline);

    d = PXREADFONT("T'Arial' I U H-14");
    EXPECT_EQ(d.sFace, "arial");
    EXPECT_EQ(d.iHeight, 14) << "the sign is dropped";
    EXPECT_TRUE(d.bItalic);
    EXPECT_TRUE(d.bUnderline);
    EXPECT_EQ(d.iWeight, 400);
}

TEST(CtrlFont, LettersInsideTheFaceNameDoNotCount) {
    const XFONTDESC d = PXREADFONT("t'times new roman bold' w7");
    EXPECT_EQ(d.sFace, "times new roman bold");
    EXPECT_FALSE(d.bItalic);
    EXPECT_EQ(d.iWeight, 400);
    EXPECT_EQ(d.iWidth, 7);
    EXPECT_EQ(d.iHeight, 10) << "default";
}

TEST(CtrlFont, FaceNameQuotingRules) {
    EXPECT_EQ(PXREADFONT("h9 t\"lucida console  \" u").sFace, "lucida console")
        << "double quotes, trailing blanks dropped";
    EXPECT_EQ(PXREADFONT("t'it's' h8").sFace, "it's") << "the face ends at the last apostrophe";
    const XFONTDESC open = PXREADFONT("h8 t'unclosed italic");
    EXPECT_EQ(open.sFace, "");
    EXPECT_EQ(open.iHeight, 8);
    EXPECT_FALSE(open.bItalic) << "an unclosed face name runs to the end";
    EXPECT_EQ(PXREADFONT("t'" + std::string(50, 'x') + "'").sFace, std::string(40, 'x'));
    EXPECT_EQ(PXREADFONT("ieu").sFace, "");
}

TEST(CtrlFont, NumbersThatCannotBeReadKeepTheDefaults) {
    EXPECT_EQ(PXREADFONT("h").iHeight, 10);
    EXPECT_EQ(PXREADFONT("hx12").iHeight, 10);
    EXPECT_EQ(PXREADFONT("h 16").iHeight, 16);
    EXPECT_EQ(PXREADFONT("h+16 w-3").iWidth, 3);
    EXPECT_EQ(PXREADFONT("h99999999999999999999").iHeight, INT_MAX);
    EXPECT_EQ(PXREADFONT("h12 h30").iHeight, 12) << "the first h decides";
}

TEST(CtrlValues, ScrollPositionStaysWithinRangeAndPage) {
    EXPECT_EQ(PXSCROLLCLAMP(500, 0, 100, 10), 90);
    EXPECT_EQ(PXSCROLLCLAMP(-5, 0, 100, 10), 0);
    EXPECT_EQ(PXSCROLLCLAMP(0, 0, 100, 10), 0);
    EXPECT_EQ(PXSCROLLCLAMP(42, 0, 100, 10), 42);
    EXPECT_EQ(PXSCROLLCLAMP(90, 0, 100, 10), 90);
    EXPECT_EQ(PXSCROLLCLAMP(INT_MAX, 0, INT_MAX, 0), INT_MAX);
    EXPECT_EQ(PXSCROLLCLAMP(0, INT_MIN, INT_MIN, 10), INT_MIN);
}

TEST(CtrlValues, UpDownRangeReplacesOneLimit) {
    const std::uint32_t r = (5u << 16) | 100u; // lower 5, upper 100
    EXPECT_EQ(PXUDRANGE(r, 7, true), (7u << 16) | 100u);
    EXPECT_EQ(PXUDRANGE(r, 70, false), (5u << 16) | 70u);
    EXPECT_EQ(PXUDRANGE(r, 0x12345, false), (5u << 16) | 0xFFFFu);
    EXPECT_EQ(PXUDRANGE(r, -3, true), (0xFFFDu << 16) | 100u) << "a negative 16-bit limit";
}

} // namespace
