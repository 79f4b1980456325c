// Platform-free rules of the controls: styles from option words, callback slots that depend on
// the style, texts for the system, font descriptions, scroll and up-down values.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

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

// The callback-slot table, class by class: every event from -40 to 0 finds its slot or none.
TEST(CtrlSlots, EveryClassAndEventFindsTheSlotOfTheTable) {
    struct ROW {
        int iClass, iStyle;
        std::vector<std::pair<int, int>> aSlots; // event, slot
    };
    const std::vector<std::pair<int, int>> click = {{-4, 1}, {-1, 1}};
    const std::vector<std::pair<int, int>> lists = {{-10, 1}, {-1, 1}, {-14, 2}};
    const std::vector<std::pair<int, int>> moved = {{-6, 1}, {-1, 1}};
    const ROW rows[] = {
        {XCC_STATIC, 0xD, {{-26, 1}, {-1, 1}}},
        {XCC_BUTTON, 0xB, {{-4, 1}, {-1, 1}, {-26, 2}}},
        {XCC_CHECKBOX, 0x3, click},
        {XCC_RADIO, 0x9, click},
        {XCC_RADIOMANUAL, 0x4, click},
        {XCC_EDIT, 0, {{-6, 1}, {-1, 1}, {-7, 2}, {-27, 3}, {-28, 4}}},
        {XCC_LISTBOX, 0, lists},
        {XCC_COMBOLIST, 0, lists},
        {XCC_TAB, 0, {{-10, 1}, {-1, 1}, {-29, 2}}},
        {XCC_SCROLLBAR, 0, moved},
        {XCC_UPDOWN, 0, moved},
        {XCC_TRACKBAR, 0, moved},
        {XCC_COMBOEDIT, 0, {{-10, 1}, {-1, 1}, {-14, 2}, {-6, 3}, {-7, 4}}},
        {XCC_LISTVIEW, 0x1009, {{-10, 1}, {-1, 1}, {-14, 2}, {-38, 3}, {-26, 4}}},
        {XCLS_DIALOG, 0, {{-34, 1}, {-1, 1}, {-30, 2}, {-31, 3}, {-33, 4}}},
        {XCC_GROUPBOX, 0, {}},
        {XCC_PROGRESS, 0, {}},
        {XCC_STATUSBAR, 0, {}},
        {18, 0, {}},
        {19, 0, {}},
        {0, 0, {}},
    };
    for (const ROW& r : rows)
        for (int ev = -40; ev <= 0; ++ev) {
            int want = 0;
            for (const auto& e : r.aSlots)
                if (e.first == ev) want = e.second;
            EXPECT_EQ(PXGETCALLBACKINDEX(r.iClass, r.iStyle, ev), want)
                << "class " << r.iClass << " event " << ev;
        }
}

// The report a class receives decides the row: its slot, event, condition, first step, what
// the routine gets and the default of an empty slot.
TEST(CtrlRouting, ReportsFindTheirRowsClassByClass) {
    struct CASE {
        int iClass;
        long long iCode;
        int iSlot, iEvent; // slot 0: no row
        XRWHEN iWhen;
        XRPASS iPass;
    };
    const long long draw = 0x12345678; // an owner-draw record's address
    const CASE cases[] = {
        {XCC_STATIC, draw, 1, XEC_OWNERDRAW, XRWHEN::DRAWN, XRPASS::DRAWCONTEXT},
        {XCC_STATIC, 0, 0, 0, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_BUTTON, 0, 1, XEC_CLICK, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_RADIOMANUAL, draw, 2, XEC_OWNERDRAW, XRWHEN::DRAWN, XRPASS::DRAWCONTEXT},
        {XCC_CHECKBOX, 1000, 0, 0, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_EDIT, 0x300, 1, XEC_CHANGED, XRWHEN::FOCUSED, XRPASS::EVENT},
        {XCC_EDIT, 0x400, 2, XEC_UPDATED, XRWHEN::FOCUSED, XRPASS::EVENT},
        {XCC_EDIT, 0x100, 3, XEC_GOTFOCUS, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_EDIT, 0x200, 4, XEC_LOSTFOCUS, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_LISTBOX, 1, 1, XEC_SELCHANGED, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_COMBOLIST, 2, 2, XEC_DBLCLK, XRWHEN::FOCUSED, XRPASS::EVENT},
        {XCC_COMBOEDIT, 1, 0, 0, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_COMBOEDIT, 9, 1, XEC_SELCHANGED, XRWHEN::FOCUSWITHIN, XRPASS::EVENT},
        {XCC_COMBOEDIT, 5, 3, XEC_CHANGED, XRWHEN::FOCUSWITHIN, XRPASS::EVENT},
        {XCC_TAB, -552, 2, XEC_SELCHANGING, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_SCROLLBAR, 0x115, 1, XEC_CHANGED, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_SCROLLBAR, draw, 1, XEC_CHANGED, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_UPDOWN, -722, 1, XEC_CHANGED, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_TRACKBAR, 0x114, 1, XEC_CHANGED, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_TRACKBAR, -722, 0, 0, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_LISTVIEW, -101, 1, XEC_SELCHANGED, XRWHEN::ITEMROW, XRPASS::EVENT},
        {XCC_LISTVIEW, -108, 3, XEC_COLCLICK, XRWHEN::ALWAYS, XRPASS::COLUMN},
        {XCC_LISTVIEW, -150, 4, XEC_OWNERDRAW, XRWHEN::ALWAYS, XRPASS::ITEM},
        {XCLS_DIALOG, 272, 1, XEC_DLGINIT, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCLS_DIALOG, 5, 4, XEC_DLG33, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCLS_DIALOG, 2, 3, XEC_DLG31, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCLS_DIALOG, 0x111, 2, XEC_DLG30, XRWHEN::ALWAYS, XRPASS::CODE},
        {XCC_GROUPBOX, 0, 0, 0, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_PROGRESS, draw, 0, 0, XRWHEN::ALWAYS, XRPASS::EVENT},
        {XCC_STATUSBAR, 1, 0, 0, XRWHEN::ALWAYS, XRPASS::EVENT},
        {18, 1, 0, 0, XRWHEN::ALWAYS, XRPASS::EVENT},
        {-3, 1, 0, 0, XRWHEN::ALWAYS, XRPASS::EVENT},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(testing::Message() << "class " << c.iClass << " code " << c.iCode);
        const XROUTE* r = PXCTLROUTE(c.iClass, c.iCode);
        if (!c.iSlot) {
            EXPECT_EQ(r, nullptr);
            continue;
        }
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->iSlot, c.iSlot);
        EXPECT_EQ(r->iEvent, c.iEvent);
        EXPECT_EQ(r->iWhen, c.iWhen);
        EXPECT_EQ(r->iPass, c.iPass);
    }
    EXPECT_EQ(PXCTLROUTE(XCC_TAB, -551)->iFirst, XRFIRST::TABPAGES);
    EXPECT_EQ(PXCTLROUTE(XCC_COMBOEDIT, 9)->iFirst, XRFIRST::COPYSELECTION);
    EXPECT_EQ(PXCTLROUTE(XCC_LISTVIEW, -108)->iDefault, XRDEFAULT::SORT);
    EXPECT_EQ(PXCTLROUTE(XCC_LISTVIEW, -150)->iDefault, XRDEFAULT::DISPLAYDATA);
    EXPECT_TRUE(PXCTLROUTE(XCC_LISTVIEW, -114)->bNotify) << "list views read the header";
    EXPECT_FALSE(PXCTLROUTE(XCC_EDIT, 0x100)->bNotify);
}

// A report takes the first row of the table, in order, that names its class and code: for
// every class code and every code the table knows (and a few it does not), the routing gives
// the row that a walk over the whole table finds first.
TEST(CtrlRouting, AReportTakesTheFirstRowOfTheTableForItsClassAndCode) {
    int n = 0;
    const XROUTE* rows = PXCTLROUTES(n);
    std::vector<long long> codes = {0, 1, 2, 3, 1000, 1001, 0x7FFFFFFF, -1, -100000};
    for (int k = 0; k < n; ++k) codes.push_back(rows[k].iCode);
    for (int c = -2; c < 34; ++c)
        for (long long code : codes) {
            const XROUTE* first = nullptr;
            for (int k = 0; k < n && !first; ++k) {
                const XROUTE& r = rows[k];
                const bool matches =
                    r.iCode == XRC_ANY ||
                    (r.iCode == XRC_DRAW ? PXCTLISDRAWREPORT(code) : r.iCode == code);
                if (c >= 0 && c < 32 && (r.iClasses & (1u << c)) && matches) first = &r;
            }
            EXPECT_EQ(PXCTLROUTE(c, code), first) << "class " << c << " code " << code;
        }
}

// Registration and routing read the same rows: every row's event, registered on a control
// whose style fits, lands in the row's slot.
TEST(CtrlRouting, EveryRowsEventRegistersInItsSlot) {
    int n = 0;
    const XROUTE* rows = PXCTLROUTES(n);
    ASSERT_GT(n, 0);
    for (int k = 0; k < n; ++k)
        for (int c = 0; c < 32; ++c) {
            if (!(rows[k].iClasses & (1u << c))) continue;
            int style = 0;
            for (int s : {0, 0xD, 0xB, 0x1009})
                if (PXCTLSTYLEFITS(rows[k].iStyle, s)) style = s;
            EXPECT_EQ(PXGETCALLBACKINDEX(c, style, rows[k].iEvent), rows[k].iSlot)
                << "row " << k << " class " << c;
            EXPECT_FALSE(rows[k].iStyle != XRSTYLE::ANY &&
                         PXGETCALLBACKINDEX(c, 0, rows[k].iEvent) == rows[k].iSlot)
                << "row " << k << ": the slot needs its style";
        }
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
