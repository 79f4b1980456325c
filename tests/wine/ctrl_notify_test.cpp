// Control notifications reach the callbacks registered for them: real controls used through the
// keyboard, clicks and paints, with the focus conditions of edits and combo boxes, owner drawing
// through a drawing context, and routines of the wrong argument list caught.
#include "ctrltest.h"

#include "ZEBGDI.h"

namespace {

class CtlNotify : public XCtlTest {};

TEST_F(CtlNotify, TypingIntoAFocusedEditReportsEveryChangeAndProgramTextDoesNot) {
    make(10, XCC_EDIT);
    make(11, XCC_EDIT, 0, std::nullopt, 10, 50);
    for (int ev : {XEC_CHANGED, XEC_UPDATED, XEC_GOTFOCUS, XEC_LOSTFOCUS})
        ASSERT_TRUE(XCTLSETSUB(w, 10, XCTLTEST_RECORD, ev));
    EXPECT_EQ(w.xCtl[1].pfnCallback[2].pfn, XPROCOF(XCTLTEST_RECORD).pfn) << "got focus: slot 3";

    SetFocus(ctl(10));
    XTEST_PUMP();
    EXPECT_EQ(xCtlCalls(), (std::vector<XCTLCALL>{{10, XEC_GOTFOCUS}}));
    xCtlCalls().clear();
    XCTLTEST_TYPE("abc");
    EXPECT_EQ(XCTLTEST_TEXT(ctl(10)), "abc");
    EXPECT_EQ(XCTLTEST_COUNT(XEC_CHANGED), 3);
    EXPECT_EQ(XCTLTEST_COUNT(XEC_UPDATED), 3);

    SetFocus(ctl(11));
    XTEST_PUMP();
    EXPECT_EQ(XCTLTEST_COUNT(XEC_LOSTFOCUS), 1);
    xCtlCalls().clear();
    EXPECT_TRUE(XCTLSETCHAR(w, 10, "from code"));
    XTEST_PUMP();
    EXPECT_EQ(XCTLTEST_TEXT(ctl(10)), "from code");
    EXPECT_TRUE(xCtlCalls().empty()) << "the edit did not have the focus";
}

TEST_F(CtlNotify, ClickedButtonsReportTheClickEvent) {
    make(20, XCC_BUTTON);
    make(21, XCC_CHECKBOX, 0, std::nullopt, 10, 50);
    make(22, XCC_GROUPBOX, 0, std::nullopt, 10, 90);
    ASSERT_TRUE(XCTLSETSUB(w, 20, XCTLTEST_RECORD));
    ASSERT_TRUE(XCTLSETSUB(w, 21, XCTLTEST_RECORD, XEC_CLICK));
    EXPECT_FALSE(XCTLSETSUB(w, 22, XCTLTEST_RECORD)) << "group boxes report nothing";
    SendMessageA(ctl(20), BM_CLICK, 0, 0);
    SendMessageA(ctl(21), BM_CLICK, 0, 0);
    XTEST_PUMP();
    EXPECT_EQ(xCtlCalls(), (std::vector<XCTLCALL>{{20, XEC_CLICK}, {21, XEC_CLICK}}));
    bool checked = false;
    EXPECT_TRUE(XCTLGETLOG(w, 21, checked));
    EXPECT_TRUE(checked) << "the automatic check box checked itself";
}

TEST_F(CtlNotify, ListBoxSelectionByKeyboardAndDoubleClick) {
    make(30, XCC_LISTBOX, 0, std::nullopt, 10, 10, 150, 120);
    for (const char* s : {"one", "two", "three"}) XCTLSETCHAR(w, 30, s);
    ASSERT_TRUE(XCTLSETSUB(w, 30, XCTLTEST_RECORD));
    ASSERT_TRUE(XCTLSETSUB(w, 30, XCTLTEST_RECORD, XEC_DBLCLK));
    SetFocus(ctl(30));
    XCTLTEST_KEY(VK_DOWN);
    XCTLTEST_KEY(VK_DOWN);
    EXPECT_EQ(XCTLTEST_COUNT(XEC_SELCHANGED), 2);
    int sel = 0;
    EXPECT_TRUE(XCTLGETINT(w, 30, sel));
    EXPECT_EQ(sel, 2);
    const LRESULT h = SendMessageA(ctl(30), LB_GETITEMHEIGHT, 0, 0);
    SendMessageA(ctl(30), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, h / 2));
    SendMessageA(ctl(30), WM_LBUTTONUP, 0, MAKELPARAM(5, h / 2));
    XTEST_PUMP();
    EXPECT_EQ(XCTLTEST_COUNT(XEC_DBLCLK), 1);
}

TEST_F(CtlNotify, DropDownListReportsASelectionOnlyWhileFocused) {
    make(40, XCC_COMBOLIST, 0, std::nullopt, 10, 10, 150, 120);
    make(41, XCC_EDIT, 0, std::nullopt, 10, 150);
    for (const char* s : {"red", "green", "blue"}) XCTLSETCHAR(w, 40, s);
    ASSERT_TRUE(XCTLSETSUB(w, 40, XCTLTEST_RECORD));
    SetFocus(ctl(40));
    XCTLTEST_KEY(VK_DOWN);
    EXPECT_EQ(xCtlCalls(), (std::vector<XCTLCALL>{{40, XEC_SELCHANGED}}));
    std::string text(8, '?');
    EXPECT_TRUE(XCTLGETCHAR(w, 40, text));
    EXPECT_EQ(text, "red     ");

    // The same report without the focus is ignored.
    const WPARAM report = MAKEWPARAM(40, CBN_SELCHANGE);
    SetFocus(ctl(41));
    xCtlCalls().clear();
    SendMessageA(w.hWnd, WM_COMMAND, report, reinterpret_cast<LPARAM>(ctl(40)));
    EXPECT_TRUE(xCtlCalls().empty());
    SetFocus(ctl(40));
    SendMessageA(w.hWnd, WM_COMMAND, report, reinterpret_cast<LPARAM>(ctl(40)));
    EXPECT_EQ(xCtlCalls().size(), 1u);
}

std::string sEditAtCallback;
void pxcomboseen(XWND& xWnd, int iID, int iCode) {
    char buf[64] = {};
    GetWindowTextA(PXCTLGETEDIT(GetDlgItem(xWnd.hWnd, iID)), buf, sizeof buf);
    sEditAtCallback = buf;
    XCTLTEST_RECORD(xWnd, iID, iCode);
}

TEST_F(CtlNotify, EditableComboReportsEditingAndPutsTheChosenItemIntoItsField) {
    make(50, XCC_COMBOEDIT, 0, std::nullopt, 10, 10, 150, 120);
    for (const char* s : {"alpha", "beta"}) XCTLSETCHAR(w, 50, s, XPC_APPEND);
    ASSERT_TRUE(XCTLSETSUB(w, 50, pxcomboseen, XEC_SELCHANGED));
    ASSERT_TRUE(XCTLSETSUB(w, 50, XCTLTEST_RECORD, XEC_CHANGED));
    ASSERT_TRUE(XCTLSETSUB(w, 50, XCTLTEST_RECORD, XEC_UPDATED));
    SetFocus(ctl(50));
    ASSERT_EQ(GetFocus(), PXCTLGETEDIT(ctl(50))) << "the edit field takes the focus";
    XCTLTEST_TYPE("q");
    EXPECT_EQ(XCTLTEST_COUNT(XEC_CHANGED), 1);
    EXPECT_EQ(XCTLTEST_COUNT(XEC_UPDATED), 1);

    xCtlCalls().clear();
    XCTLTEST_KEY(VK_F4); // open the list
    XCTLTEST_KEY(VK_DOWN);
    XCTLTEST_KEY(VK_DOWN);
    XCTLTEST_KEY(VK_RETURN);
    ASSERT_EQ(XCTLTEST_COUNT(XEC_SELCHANGED), 1);
    EXPECT_EQ(sEditAtCallback, "beta") << "the item's text was in the field first";
    std::string text(10, ' ');
    EXPECT_TRUE(XCTLGETCHAR(w, 50, text));
    EXPECT_EQ(text, "beta      ");
}

TEST_F(CtlNotify, SwitchingTabsShowsTheNewPageAndReportsBothEvents) {
    make(60, XCC_TAB, 0, std::nullopt, 10, 10, 300, 200);
    ASSERT_TRUE(XCTLSETINT(w, 60, 2));
    ASSERT_TRUE(XCTLSETCHAR(w, 60, "First", 1));
    ASSERT_TRUE(XCTLSETCHAR(w, 60, "Second", 2));
    make(201, XCC_STATIC, 0, std::nullopt, 400, 10, 50, 50);
    make(202, XCC_STATIC, 0, std::nullopt, 400, 70, 50, 50);
    ASSERT_TRUE(XCTLSETINT(w, 60, 201, 1));
    ASSERT_TRUE(XCTLSETINT(w, 60, 202, 2));
    ASSERT_TRUE(XCTLSETINT(w, 60, 1, XPC_VALUE)) << "select the first tab by program";
    EXPECT_TRUE(IsWindowVisible(ctl(201)));
    EXPECT_FALSE(IsWindowVisible(ctl(202)));
    ASSERT_TRUE(XCTLSETSUB(w, 60, XCTLTEST_RECORD));
    ASSERT_TRUE(XCTLSETSUB(w, 60, XCTLTEST_RECORD, XEC_SELCHANGING));

    SetFocus(ctl(60));
    XCTLTEST_KEY(VK_RIGHT);
    EXPECT_EQ(xCtlCalls(), (std::vector<XCTLCALL>{{60, XEC_SELCHANGING}, {60, XEC_SELCHANGED}}));
    int tab = 0;
    EXPECT_TRUE(XCTLGETINT(w, 60, tab));
    EXPECT_EQ(tab, 2);
    EXPECT_FALSE(IsWindowVisible(ctl(201)));
    ASSERT_TRUE(IsWindowVisible(ctl(202)));
    // The page covers the tab control's display area, in the window's coordinates.
    RECT area;
    GetClientRect(ctl(60), &area);
    SendMessageA(ctl(60), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(ctl(60), w.hWnd, reinterpret_cast<POINT*>(&area), 2);
    int x, y, cx, cy;
    ASSERT_TRUE(XCTLGETPOS(w, 202, &x, &y, &cx, &cy));
    EXPECT_EQ(x, area.left);
    EXPECT_EQ(y, area.top);
    EXPECT_EQ(cx, area.right - area.left);
    EXPECT_EQ(cy, area.bottom - area.top);
}

TEST_F(CtlNotify, ScrollBarAndTrackBarMovedByKeysReportTheChange) {
    make(70, XCC_SCROLLBAR, 0, WS_TABSTOP, 10, 10, 200, 20);
    make(71, XCC_TRACKBAR, 0, std::nullopt, 10, 50, 200, 30);
    XCTLSETINT(w, 70, 0, XPC_MINIMUM);
    XCTLSETINT(w, 70, 100, XPC_MAXIMUM);
    XCTLSETINT(w, 70, 10, XPC_PAGE);
    XCTLSETINT(w, 71, 10, XPC_MAXIMUM);
    ASSERT_TRUE(XCTLSETSUB(w, 70, XCTLTEST_RECORD));
    ASSERT_TRUE(XCTLSETSUB(w, 71, XCTLTEST_RECORD, XEC_CHANGED));

    SetFocus(ctl(70));
    XCTLTEST_KEY(VK_RIGHT);
    int pos = -1;
    EXPECT_TRUE(XCTLGETINT(w, 70, pos));
    EXPECT_EQ(pos, 1) << "one line down";
    EXPECT_GE(XCTLTEST_COUNT(XEC_CHANGED), 1);
    for (const XCTLCALL& c : xCtlCalls()) EXPECT_EQ(c.iID, 70);

    xCtlCalls().clear();
    SetFocus(ctl(71));
    XCTLTEST_KEY(VK_RIGHT);
    EXPECT_TRUE(XCTLGETINT(w, 71, pos));
    EXPECT_EQ(pos, 1);
    EXPECT_GE(XCTLTEST_COUNT(XEC_CHANGED), 1);
    for (const XCTLCALL& c : xCtlCalls()) EXPECT_EQ(c.iID, 71);
}

TEST_F(CtlNotify, UpDownArrowClickedReportsTheChange) {
    make(80, XCC_UPDOWN, 0, std::nullopt, 10, 10, 20, 40);
    ASSERT_TRUE(XCTLSETSUB(w, 80, XCTLTEST_RECORD));
    SendMessageA(ctl(80), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageA(ctl(80), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    XTEST_PUMP();
    EXPECT_EQ(xCtlCalls(), (std::vector<XCTLCALL>{{80, XEC_CHANGED}}));
}

TEST_F(CtlNotify, ListViewReportsSelectionActivationAndColumnClicks) {
    make(90, XCC_LISTVIEW, 0, std::nullopt, 10, 10, 300, 200);
    XCTLTEST_LVCOLUMNS(w, 90, 2, 100);
    XCTLTEST_LVROWS(w, 90, 3);
    ASSERT_TRUE(XCTLSETSUB(w, 90, XCTLTEST_RECORD));
    ASSERT_TRUE(XCTLSETSUB(w, 90, XCTLTEST_RECORD, XEC_DBLCLK));
    ASSERT_TRUE(XCTLSETSUB(w, 90, XCTLTEST_RECORD, XEC_COLCLICK));
    EXPECT_FALSE(XCTLSETSUB(w, 90, XCTLTEST_RECORD, XEC_OWNERDRAW)) << "not a virtual list";

    SetFocus(ctl(90));
    XCTLTEST_KEY(VK_DOWN);
    EXPECT_GE(XCTLTEST_COUNT(XEC_SELCHANGED), 1);
    int row = 0;
    EXPECT_TRUE(XCTLGETINT(w, 90, row, XPC_SELECTION));
    EXPECT_GE(row, 1);
    XCTLTEST_KEY(VK_RETURN);
    EXPECT_EQ(XCTLTEST_COUNT(XEC_DBLCLK), 1) << "item activated";

    xCtlCalls().clear();
    const HWND hHeader = GetDlgItem(ctl(90), 0);
    ASSERT_TRUE(hHeader);
    RECT r;
    SendMessageA(hHeader, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(hHeader, WM_LBUTTONUP, 0, at);
    XTEST_PUMP();
    EXPECT_EQ(xCtlCalls(), (std::vector<XCTLCALL>{{90, 2}})) << "the second column, from 1";
}

std::vector<XCTLCALL> xCommands;
void pxcommand(XWND&, int iID, int iCode) {
    xCommands.push_back({iID, iCode});
}

// With visual styles a button reports every paint (NM_CUSTOMDRAW) and every hover
// (BCN_HOTITEMCHANGE) through WM_NOTIFY; buttons without them never send WM_NOTIFY, so these
// reach neither the control's callbacks nor the command table, and the button draws as usual.
TEST_F(CtlNotify, AButtonsPaintAndHoverReportsReachNoRoutine) {
    make(95, XCC_BUTTON);
    ASSERT_TRUE(XCTLSETSUB(w, 95, XCTLTEST_RECORD, XEC_CLICK));
    ASSERT_TRUE(XSETCOMMAND(w, 95, pxcommand));
    const HWND plain = CreateWindowExA(0, "BUTTON", "plain", WS_CHILD | WS_VISIBLE, 10, 80, 80, 24,
                                       w.hWnd, reinterpret_cast<HMENU>(96), nullptr, nullptr);
    ASSERT_TRUE(plain);
    ASSERT_TRUE(XSETCOMMAND(w, 96, pxcommand));
    xCommands.clear();
    for (const HWND from : {ctl(95), plain}) {
        NMCUSTOMDRAW cd{};
        cd.hdr.hwndFrom = from;
        cd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(from));
        cd.hdr.code = NM_CUSTOMDRAW;
        cd.dwDrawStage = CDDS_PREPAINT;
        EXPECT_EQ(SendMessageA(w.hWnd, WM_NOTIFY, cd.hdr.idFrom, reinterpret_cast<LPARAM>(&cd)),
                  CDRF_DODEFAULT);
        NMHDR hot = cd.hdr;
        hot.code = BCN_HOTITEMCHANGE;
        EXPECT_EQ(SendMessageA(w.hWnd, WM_NOTIFY, hot.idFrom, reinterpret_cast<LPARAM>(&hot)), 0);
    }
    EXPECT_TRUE(xCommands.empty());
    EXPECT_TRUE(xCtlCalls().empty());

    SendMessageA(w.hWnd, WM_COMMAND, MAKEWPARAM(96, BN_CLICKED), reinterpret_cast<LPARAM>(plain));
    EXPECT_EQ(xCommands, (std::vector<XCTLCALL>{{96, BN_CLICKED}})) << "clicks still count";
}

// The list view's own sort and display answer are no callbacks: the notification goes on to
// the command table, and without an entry there WM_NOTIFY answers 0.
TEST_F(CtlNotify, TheListViewsOwnAnswersLeaveTheNotificationToTheCommandTable) {
    make(91, XCC_LISTVIEW, 0, std::nullopt, 10, 10, 300, 200);
    ASSERT_TRUE(XCTLSETCHAR(w, 91, "(i5)", XPC_LVLAYOUT));
    for (int v : {2, 3, 1}) ASSERT_TRUE(XCTLSETITEM(w, 91, XITEM(v), 0));
    NMLISTVIEW nm{};
    nm.hdr.hwndFrom = ctl(91);
    nm.hdr.idFrom = 91;
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    EXPECT_EQ(SendMessageA(w.hWnd, WM_NOTIFY, 91, reinterpret_cast<LPARAM>(&nm)), 0);
    int first = 0;
    XCTLGETITEM(w, 91, XITEM(first), 1);
    EXPECT_EQ(first, 3) << "sorted all the same";

    ASSERT_TRUE(XSETCOMMAND(w, 91, pxcommand));
    xCommands.clear();
    EXPECT_EQ(SendMessageA(w.hWnd, WM_NOTIFY, 91, reinterpret_cast<LPARAM>(&nm)), 1);
    EXPECT_EQ(xCommands, (std::vector<XCTLCALL>{{91, static_cast<int>(LVN_COLUMNCLICK)}}));
    XCTLGETITEM(w, 91, XITEM(first), 1);
    EXPECT_EQ(first, 1);

    make(92, XCC_LISTVIEW, 0x10000000, std::nullopt, 10, 220, 300, 200);
    ASSERT_TRUE(XCTLSETCHAR(w, 92, "(i5)", XPC_LVLAYOUT));
    int values[] = {41, 42};
    ASSERT_TRUE(XCTLSETITEM(w, 92, XITEM(values[0]), 0));
    ASSERT_TRUE(XCTLSETINT(w, 92, 2, XPC_COUNT));
    char text[16] = {};
    NMLVDISPINFOA di{};
    di.hdr.hwndFrom = ctl(92);
    di.hdr.idFrom = 92;
    di.hdr.code = LVN_GETDISPINFOA;
    di.item.mask = LVIF_TEXT;
    di.item.iItem = 1;
    di.item.pszText = text;
    di.item.cchTextMax = sizeof text;
    EXPECT_EQ(SendMessageA(w.hWnd, WM_NOTIFY, 92, reinterpret_cast<LPARAM>(&di)), 0);
    EXPECT_STREQ(text, "   42") << "answered from the array";
}

int nDispCalls = 0;
void pxdispinfo(XWND&, int iID, LVITEMA& xItem) {
    ++nDispCalls;
    static char text[32];
    if (iID == 95 && (xItem.mask & LVIF_TEXT)) {
        wsprintfA(text, "row %d", xItem.iItem + 1);
        xItem.pszText = text;
    }
}

TEST_F(CtlNotify, VirtualListAsksTheDisplayCallbackForItsTexts) {
    make(95, XCC_LISTVIEW, 0x10000000, std::nullopt, 10, 10, 300, 200);
    char name[] = "c";
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = name;
    col.cx = 100;
    XCTLSENDMESSAGE(w, 95, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
    ASSERT_TRUE(XCTLSETSUB(w, 95, pxdispinfo, XEC_OWNERDRAW));
    XCTLSENDMESSAGE(w, 95, LVM_SETITEMCOUNT, 5, 0);
    nDispCalls = 0;
    char buf[32] = {};
    LVITEMA it{};
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    XCTLSENDMESSAGE(w, 95, LVM_GETITEMTEXTA, 3, reinterpret_cast<LPARAM>(&it));
    EXPECT_GE(nDispCalls, 1);
    EXPECT_STREQ(buf, "row 4");
}

struct XDRAWN {
    int nCalls = 0;
    HDC hDC = nullptr;
    int xView = -1, yView = -1, cxView = -1, cyView = -1;
    HFONT hFont = nullptr;
} xDrawn;

void PXOWNERDRAW(XWND&, int, XDC& dc) {
    ++xDrawn.nCalls;
    xDrawn.hDC = dc.hDC;
    xDrawn.xView = dc.xView;
    xDrawn.yView = dc.yView;
    xDrawn.cxView = dc.cxView;
    xDrawn.cyView = dc.cyView;
    XSETFONT(dc, "arial", 12);
    xDrawn.hFont = dc.hFont;
    XFILLVIEWPORT(dc, XBRUSH{BS_SOLID, RGB(255, 0, 0), 0});
}

TEST_F(CtlNotify, OwnerDrawnControlsDrawThroughAContextOverTheirItem) {
    make(100, XCC_BUTTON, 0x10000000, std::nullopt, 10, 10, 60, 30);
    make(101, XCC_STATIC, 0x10000000, std::nullopt, 10, 50, 40, 20);
    ASSERT_TRUE(XCTLSETSUB(w, 100, PXOWNERDRAW, XEC_OWNERDRAW));
    ASSERT_TRUE(XCTLSETSUB(w, 101, PXOWNERDRAW)) << "a static's main event is its drawing";

    // The button paints into a memory context, so its pixels can be read back.
    const HDC hScreen = GetDC(nullptr);
    const HDC hMem = CreateCompatibleDC(hScreen);
    const HBITMAP hBmp = CreateCompatibleBitmap(hScreen, 60, 30);
    ReleaseDC(nullptr, hScreen);
    const HGDIOBJ old = SelectObject(hMem, hBmp);
    xDrawn = XDRAWN{};
    SendMessageA(ctl(100), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hMem), PRF_CLIENT);
    ASSERT_EQ(xDrawn.nCalls, 1);
    EXPECT_EQ(xDrawn.hDC, hMem);
    EXPECT_EQ(xDrawn.xView, 0);
    EXPECT_EQ(xDrawn.yView, 0);
    EXPECT_EQ(xDrawn.cxView, 60);
    EXPECT_EQ(xDrawn.cyView, 30);
    EXPECT_EQ(GetPixel(hMem, 30, 15), RGB(255, 0, 0));
    EXPECT_EQ(GetObjectType(xDrawn.hFont), 0u) << "the context's font went with it";
    SelectObject(hMem, old);
    DeleteObject(hBmp);
    DeleteDC(hMem);

    xDrawn = XDRAWN{};
    InvalidateRect(ctl(101), nullptr, TRUE);
    UpdateWindow(ctl(101));
    EXPECT_EQ(xDrawn.nCalls, 1);
    EXPECT_EQ(xDrawn.cxView, 40);
    EXPECT_EQ(xDrawn.cyView, 20);
}

TEST_F(CtlNotify, RoutinesForAnotherArgumentListRaiseInsteadOfRunning) {
    make(110, XCC_BUTTON);
    make(111, XCC_BUTTON, 0x10000000, std::nullopt, 10, 50, 60, 30);
    xDrawn = XDRAWN{};
    ASSERT_TRUE(XCTLSETSUB(w, 110, PXOWNERDRAW, XEC_CLICK));
    ASSERT_TRUE(XCTLSETSUB(w, 111, XCTLTEST_RECORD, XEC_OWNERDRAW));
    XExceptionLog log;
    SendMessageA(ctl(110), BM_CLICK, 0, 0);
    InvalidateRect(ctl(111), nullptr, TRUE);
    UpdateWindow(ctl(111));
    XTEST_PUMP();
    ASSERT_GE(log.codes().size(), 2u);
    for (DWORD c : log.codes()) EXPECT_EQ(c, XEXC_ARGLIST);
    EXPECT_EQ(xDrawn.nCalls, 0);
    EXPECT_TRUE(xCtlCalls().empty());
}

TEST_F(CtlNotify, RegistrationFailsWithoutASlotOrARecord) {
    make(120, XCC_EDIT);
    make(121, XCC_BUTTON, 0, std::nullopt, 10, 50);
    EXPECT_FALSE(XCTLSETSUB(w, 120, XCTLTEST_RECORD, XEC_CLICK));
    EXPECT_FALSE(XCTLSETSUB(w, 121, PXOWNERDRAW, XEC_OWNERDRAW)) << "not owner-drawn";
    EXPECT_FALSE(XCTLSETSUB(w, 999, XCTLTEST_RECORD));
    const HWND hBare = CreateWindowExA(0, "BUTTON", "bare", WS_CHILD | WS_VISIBLE, 10, 90, 50, 20,
                                       w.hWnd, reinterpret_cast<HMENU>(122), nullptr, nullptr);
    ASSERT_TRUE(hBare);
    EXPECT_FALSE(XCTLSETSUB(w, 122, XCTLTEST_RECORD)) << "no record to hold it";
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w.xCtl[1].pfnCallback[i].pfn, nullptr);
    // The style is read when registering: a button made owner-drawn later gets the slot.
    SetWindowLongA(ctl(121), GWL_STYLE, (GetWindowLongA(ctl(121), GWL_STYLE) & ~0xF) | 0xB);
    EXPECT_TRUE(XCTLSETSUB(w, 121, PXOWNERDRAW, XEC_OWNERDRAW));
}

// A window's own record, as a dialog has in entry 0.
XCTLREC& pxownrecord(XWND& xWnd) {
    if (!xWnd.xCtl.allocated()) xWnd.xCtl.allocate(XCTL_FIRSTROOM + 1);
    XCTLREC& c = xWnd.xCtl[0];
    c = XCTLREC{};
    c.hCtl = xWnd.hWnd;
    c.iClass = XCLS_DIALOG;
    c.hBrush = XNOBRUSH;
    c.crText = -1;
    FXASSOCCTLTOHANDLE(xWnd.hWnd, c);
    return c;
}

TEST_F(CtlNotify, AWindowsOwnRecordReportsItsEventsUntilItIsDestroyed) {
    w.iID = 77;
    pxownrecord(w);
    make(130, XCC_EDIT);
    ASSERT_TRUE(XCTLSETSUB(w, 77, XCTLTEST_RECORD, XEC_DLG33));
    ASSERT_TRUE(XCTLSETSUB(w, 77, XCTLTEST_RECORD, XEC_DLG31));
    SetWindowPos(w.hWnd, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    XTEST_PUMP();
    EXPECT_GE(XCTLTEST_COUNT(XEC_DLG33), 1);

    // As a dialog is torn down: records first, then the window.
    XCTLDESTROYALL(w, false);
    EXPECT_EQ(w.nControls, 0);
    EXPECT_EQ(GetPropA(w.hWnd, "XCTL"), &w.xCtl[0]) << "the window's own record stays";
    xCtlCalls().clear();
    XDESTROYWINDOW(w);
    EXPECT_EQ(xCtlCalls(), (std::vector<XCTLCALL>{{0, XEC_DLG31}}))
        << "the destruction event, with the word parameter the window procedure passes";
}

TEST_F(CtlNotify, ADialogIntegerInTheFourthSlotIsNeverCalled) {
    w.iID = 78;
    pxownrecord(w);
    ASSERT_TRUE(XCTLSETINT(w, 78, 12345, XPC_DLGINTEGER));
    int v = 0;
    EXPECT_TRUE(XCTLGETINT(w, 78, v, XPC_DLGINTEGER));
    EXPECT_EQ(v, 12345);
    XExceptionLog log;
    SetWindowPos(w.hWnd, nullptr, 0, 0, 520, 410, SWP_NOMOVE | SWP_NOZORDER);
    XTEST_PUMP();
    ASSERT_FALSE(log.codes().empty());
    EXPECT_EQ(log.codes()[0], XEXC_ARGLIST);
    // A routine in the slot is no integer.
    ASSERT_TRUE(XCTLSETSUB(w, 78, XCTLTEST_RECORD, XEC_DLG33));
    EXPECT_FALSE(XCTLGETINT(w, 78, v, XPC_DLGINTEGER));
}

} // namespace
