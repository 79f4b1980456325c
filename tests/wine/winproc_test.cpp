// The framework's window procedure: one group of cases per message row, each checked as a
// recorded message sequence (handler calls, default processing, posted messages) and by its
// observable effect on the real windows.
#include <gtest/gtest.h>

#include "ZEBCtrl.h"

#include <commctrl.h>

#include <tuple>
#include <utility>

#include "recorder.h"
#include "zebtest.h"

namespace {

constexpr unsigned H = XS_HANDLER, D = XS_DEFAULT, P = XS_POSTED, S = XS_SENT, WP = XS_WPARAM,
                   LP = XS_LPARAM;
constexpr UINT WM_PROBE = WM_USER + 7;

// Expected sequences, named by what they show (listed messages only: H handler, D default
// processing, P posted; WP and LP pin a parameter).
const XMSGSEQ xSeqGenericPath = {{WM_PROBE, H | WP, 1}, {WM_PROBE, D | WP, 1},
                                 {WM_PROBE, H | WP, 3}, {WM_PROBE, H | WP, 5},
                                 {WM_PROBE, D | WP, 5}, {WM_PROBE + 1, D | WP | LP, 7, 8}};
const XMSGSEQ xSeqRewrittenForDefault = {{WM_PROBE + 2, D | WP | LP, 42, 43}};
const XMSGSEQ xSeqValuesUnchanged = {
    {WM_NCHITTEST, H}, {WM_GETDLGCODE, H}, {WM_NCACTIVATE, H}, {WM_QUERYENDSESSION, H}};
const XMSGSEQ xSeqWrongListGetsDefault = {{WM_PROBE, D}};
const XMSGSEQ xSeqCommandWithoutEntry = {{WM_COMMAND, D | WP, MAKEWPARAM(40003, 0)}};
const XMSGSEQ xSeqNothing = {};
const XMSGSEQ xSeqFrameDestroyClaimed = {{WM_DESTROY, H}};
const XMSGSEQ xSeqDestroyWithDefault = {
    {WM_DESTROY, H}, {WM_DESTROY, D}, {WM_NCDESTROY, H}, {WM_NCDESTROY, D}};
const XMSGSEQ xSeqSubclassedDestroy = {{WM_DESTROY, D}, {WM_NCDESTROY, D}};
const XMSGSEQ xSeqCursor = {{WM_SETCURSOR, D}, {WM_SETCURSOR, D}, {WM_SETCURSOR, H}};
const XMSGSEQ xSeqSizeClaimed = {{WM_SIZE, D}, {WM_SIZE, H}};
const XMSGSEQ xSeqHScrollDefault = {{WM_HSCROLL, D}};
const XMSGSEQ xSeqScrollBarHandler = {{WM_HSCROLL, H}};
const XMSGSEQ xSeqWheelClaimed = {{WM_MOUSEWHEEL, H}};
const XMSGSEQ xSeqWheelDefault = {{WM_MOUSEWHEEL, D}};
const XMSGSEQ xSeqControlColours = {
    {WM_CTLCOLOREDIT, D}, {WM_CTLCOLOREDIT, D}, {WM_CTLCOLORMSGBOX, D}};
const XMSGSEQ xSeqSysColorChange = {{WM_SYSCOLORCHANGE, H}};
const XMSGSEQ xSeqDrawItem = {{WM_DRAWITEM, D}, {WM_DRAWITEM, H}};
const XMSGSEQ xSeqHelp = {{WM_HELP, D}, {WM_HELP, H}, {WM_HELP, H}};
const XMSGSEQ xSeqUnboundDefault = {{WM_PROBE, D | WP | LP, 1, 2}};
const XMSGSEQ xSeqUnboundThenOwn = {{WM_PROBE, D | WP | LP, 1, 2}, {WM_PROBE, D | WP | LP, 3, 4}};
XMSGSEQ xSeqEscapeEndsDialog(HWND hDlg) {
    return {{XM_ENDDIALOG, P | WP | LP, IDCANCEL,
             static_cast<std::uint64_t>(reinterpret_cast<ULONG_PTR>(hDlg))}};
}

// A hidden framework window's creation as a hook sees it on the way to the window procedure;
// the word parameter tells whether the object was attached when the message arrived: the
// min/max query comes before non-client creation, which attaches it.
const XMSGSEQ xSeqFrameworkCreation = {
    {WM_GETMINMAXINFO, S | WP, 0},      {WM_NCCREATE, S | WP, 0},
    {WM_NCCALCSIZE, S | WP, 1},         {WM_CREATE, S | WP, 1},
    {WM_SIZE, S | WP | XS_OPTIONAL, 1}, {WM_MOVE, S | WP | XS_OPTIONAL, 1}};

class WinProc : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(XREC_CREATE(xWnd));
        XREC_START();
    }
    void TearDown() override {
        bRecording = false;
        if (IsWindow(xWnd.hWnd)) XDESTROYWINDOW(xWnd);
        XTEST_PUMP();
    }
    LRESULT send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
        return SendMessageA(xWnd.hWnd, msg, wp, lp);
    }
    XWND xWnd;
};

// Command procedures record what they were called with.
int nCmdID = 0, nCmdCode = 0, nCmdCalls = 0;
void pxcommand(XWND&, int iID, int iCode) {
    nCmdID = iID;
    nCmdCode = iCode;
    ++nCmdCalls;
}
void pxresetcommand() {
    nCmdID = nCmdCode = nCmdCalls = 0;
}

// A record in the window's control list for a control made outside XCTLCREATE.
XCTLREC& pxaddrecord(XWND& xWnd, HWND hCtl, int iClass) {
    if (!xWnd.xCtl.allocated()) xWnd.xCtl.allocate(32);
    XCTLREC& c = xWnd.xCtl[++xWnd.nControls];
    c = XCTLREC{};
    c.hCtl = hCtl;
    c.iClass = iClass;
    c.hParent = xWnd.hWnd;
    c.hBrush = XNOBRUSH;
    c.crText = -1;
    FXASSOCCTLTOHANDLE(hCtl, c);
    return c;
}

HWND pxcreatecontrol(XWND& xWnd, int iClass, int iID, int iStyle = WS_CHILD | WS_VISIBLE) {
    XCREATEBLOCK b{iStyle, iClass, 5, 5, 100, 20, 0};
    return reinterpret_cast<HWND>(
        SendMessageA(xWnd.hWnd, XM_CREATECONTROL, reinterpret_cast<WPARAM>(&b), iID));
}

TEST_F(WinProc, GenericPathRunsDefaultProcessingOnlyWhenTheHandlerDeclines) {
    XREC_HANDLE<WM_PROBE>(xWnd);
    send(WM_PROBE, 1, 2);
    xRecAnswer[WM_PROBE] = XTRUE;
    send(WM_PROBE, 3, 4);
    xRecAnswer[WM_PROBE] = 2; // even: declined
    send(WM_PROBE, 5, 6);
    send(WM_PROBE + 1, 7, 8); // no handler at all
    EXPECT_SEQ(xSeqGenericPath);
}

LRESULT pxrewrite(XWND&, int& iMsg, WPARAM& wParam, LPARAM& lParam) {
    iMsg = WM_PROBE + 2;
    wParam = 42;
    lParam = 43;
    return XFALSE;
}

TEST_F(WinProc, DefaultProcessingSeesWhatTheHandlerChanged) {
    XSETHANDLER(xWnd, WM_PROBE, pxrewrite);
    send(WM_PROBE, 1, 2);
    EXPECT_SEQ(xSeqRewrittenForDefault);
}

TEST_F(WinProc, FourMessagesReturnTheHandlerValueUnchanged) {
    XREC_HANDLE<WM_NCHITTEST, WM_NCACTIVATE, WM_GETDLGCODE, WM_QUERYENDSESSION>(xWnd);
    xRecAnswer[WM_NCHITTEST] = HTNOWHERE;
    xRecAnswer[WM_GETDLGCODE] = DLGC_WANTALLKEYS;
    EXPECT_EQ(send(WM_NCHITTEST, 0, MAKELPARAM(20, 20)), HTNOWHERE);
    EXPECT_EQ(send(WM_GETDLGCODE), DLGC_WANTALLKEYS);
    EXPECT_EQ(send(WM_NCACTIVATE, TRUE), 0);
    EXPECT_EQ(send(WM_QUERYENDSESSION), 0);
    EXPECT_SEQ(xSeqValuesUnchanged);
}

TEST_F(WinProc, MismatchedObjectRaisesAndGetsNoHandler) {
    XREC_HANDLE<WM_PROBE>(xWnd);
    const HWND hWnd = xWnd.hWnd;
    xWnd.hWnd = GetDesktopWindow(); // the object now claims another window
    {
        XExceptionLog log;
        SendMessageA(hWnd, WM_PROBE, 0, 0);
        ASSERT_EQ(log.codes().size(), 1u);
        EXPECT_EQ(log.codes()[0], XEXC_WNDMISMATCH);
    }
    // Without a trustworthy object the message gets the plain system default, not the handler.
    EXPECT_TRUE(xRecLog.empty()) << XMSGSEQ_COMPARE({}, xRecLog);
    xWnd.hWnd = hWnd;
}

LRESULT pxwrongargs(XWND&, int&) {
    return XTRUE;
}

TEST_F(WinProc, HandlerMadeForAnotherArgumentListRaisesInsteadOfBeingCalled) {
    XSETHANDLER(xWnd, WM_PROBE, pxwrongargs);
    XExceptionLog log;
    send(WM_PROBE);
    ASSERT_EQ(log.codes().size(), 1u);
    EXPECT_EQ(log.codes()[0], XEXC_ARGLIST);
    EXPECT_SEQ(xSeqWrongListGetsDefault);
}

TEST_F(WinProc, CommandsGoToTheCommandTable) {
    XSETCOMMAND(xWnd, 40001, pxcommand);
    XSETCOMMAND(xWnd, 40002, pxcommand);
    pxresetcommand();
    EXPECT_EQ(send(WM_COMMAND, MAKEWPARAM(40002, 0)), 1);
    EXPECT_EQ(nCmdID, 40002);
    EXPECT_EQ(nCmdCode, 0);
    send(WM_COMMAND, MAKEWPARAM(40001, 1)); // accelerator: code 1 without control
    EXPECT_EQ(nCmdID, 40001);
    EXPECT_EQ(nCmdCode, 0);
    EXPECT_EQ(nCmdCalls, 2);
    send(WM_COMMAND, MAKEWPARAM(40003, 0)); // no entry: default processing once
    EXPECT_EQ(nCmdCalls, 2);
    EXPECT_SEQ(xSeqCommandWithoutEntry);
}

TEST_F(WinProc, CommandFromAControlOfAnotherFrameworkWindowIsForwardedThere) {
    XWND page;
    ASSERT_TRUE(XREC_CREATE(page, xWnd.hWnd, WS_VISIBLE));
    XSETCOMMAND(page, 77, pxcommand);
    const HWND hButton = pxcreatecontrol(page, 3, 77);
    ASSERT_TRUE(hButton);
    pxresetcommand();
    XREC_START();
    EXPECT_EQ(send(WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(hButton)), 1);
    EXPECT_EQ(nCmdCalls, 1);
    EXPECT_EQ(nCmdID, 77);
    EXPECT_SEQ(xSeqNothing);
}

TEST_F(WinProc, ControlCallbackClaimsItsCommandBeforeTheCommandTable) {
    const HWND hButton = pxcreatecontrol(xWnd, 3, 55);
    XCTLREC& c = pxaddrecord(xWnd, hButton, 3);
    XSETCOMMAND(xWnd, 55, pxcommand);
    c.pfnCallback[0] = XPROCOF(pxcommand);
    pxresetcommand();
    EXPECT_EQ(send(WM_COMMAND, MAKEWPARAM(55, BN_CLICKED), reinterpret_cast<LPARAM>(hButton)), 0);
    EXPECT_EQ(nCmdCalls, 1);
    EXPECT_EQ(nCmdCode, -4) << "the click event, not the notification code";
    send(WM_COMMAND, MAKEWPARAM(55, BN_SETFOCUS), reinterpret_cast<LPARAM>(hButton));
    EXPECT_EQ(nCmdCalls, 2);
    EXPECT_EQ(nCmdCode, BN_SETFOCUS) << "the callback declined: the command table takes it";
}

TEST_F(WinProc, DestroyingTheApplicationFramePostsQuitUnlessAHandlerClaimsIt) {
    XWND* saved = xApp.pxFrame;
    xApp.pxFrame = &xWnd;
    XDESTROYWINDOW(xWnd);
    EXPECT_EQ(XTEST_TAKEQUIT(), 0);

    ASSERT_TRUE(XREC_CREATE(xWnd));
    XREC_START();
    XREC_HANDLE<WM_DESTROY>(xWnd);
    xRecAnswer[WM_DESTROY] = XTRUE;
    XDESTROYWINDOW(xWnd);
    EXPECT_EQ(XTEST_TAKEQUIT(), -1);
    EXPECT_SEQ(xSeqFrameDestroyClaimed);
    xApp.pxFrame = saved;
}

TEST_F(WinProc, DestroyingAnotherWindowGetsDefaultProcessingAndReleasesEverything) {
    const HWND hEdit = pxcreatecontrol(xWnd, 6, 12);
    XCTLREC& c = pxaddrecord(xWnd, hEdit, 6);
    c.hBrush = CreateSolidBrush(RGB(1, 2, 3));
    XREC_HANDLE<WM_DESTROY, WM_NCDESTROY>(xWnd);
    const HWND hWnd = xWnd.hWnd;
    XDESTROYWINDOW(xWnd);
    EXPECT_EQ(XTEST_TAKEQUIT(), -1);
    EXPECT_SEQ(xSeqDestroyWithDefault);
    EXPECT_FALSE(IsWindow(hEdit));
    EXPECT_EQ(xWnd.nHandlers, 0);
    EXPECT_EQ(xWnd.nControls, 0);
    EXPECT_FALSE(xWnd.iMsg.allocated());
    EXPECT_FALSE(xWnd.xCtl.allocated());
    EXPECT_EQ(FXWNDBYHANDLE(hWnd), nullptr);
}

TEST_F(WinProc, SubclassedControlStillGetsItsFinalMessage) {
    XWND rec;
    ASSERT_TRUE(XREC_CREATE(rec, xWnd.hWnd, 0));
    XREC_START();
    XDESTROYWINDOW(rec);
    EXPECT_SEQ(xSeqSubclassedDestroy);
}

TEST_F(WinProc, CursorFollowsTheObjectsCursorInTheClientAreaOnly) {
    const LPARAM client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), border = MAKELPARAM(HTLEFT, 0);
    EXPECT_EQ(send(WM_SETCURSOR, reinterpret_cast<WPARAM>(xWnd.hWnd), client), 0);
    xWnd.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    EXPECT_EQ(send(WM_SETCURSOR, reinterpret_cast<WPARAM>(xWnd.hWnd), client), 1);
    EXPECT_EQ(GetCursor(), xWnd.hCursor);
    EXPECT_EQ(send(WM_SETCURSOR, reinterpret_cast<WPARAM>(xWnd.hWnd), border), 0);
    XREC_HANDLE<WM_SETCURSOR>(xWnd);
    xRecAnswer[WM_SETCURSOR] = XTRUE;
    EXPECT_EQ(send(WM_SETCURSOR, reinterpret_cast<WPARAM>(xWnd.hWnd), client), TRUE);
    EXPECT_SEQ(xSeqCursor);
}

TEST_F(WinProc, SizeSetsTheCanvasPagesUnlessAHandlerClaimsIt) {
    EXPECT_EQ(send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80)), 0);
    xWnd.iCanvasWidth = 1000;
    SetWindowLongA(xWnd.hWnd, GWL_STYLE,
                   GetWindowLongA(xWnd.hWnd, GWL_STYLE) | WS_HSCROLL | WS_VSCROLL);
    XSCROLLBARSET(xWnd, SB_HORZ, 0, 0, 1000);
    XSCROLLBARSET(xWnd, SB_VERT, 0, 0, 500);
    EXPECT_EQ(send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80)), 0);
    int hPage = 0, vPage = 0;
    XSCROLLBARGET(xWnd, SB_HORZ, nullptr, nullptr, nullptr, &hPage);
    XSCROLLBARGET(xWnd, SB_VERT, nullptr, nullptr, nullptr, &vPage);
    EXPECT_EQ(hPage, 120);
    EXPECT_EQ(vPage, 80);
    XREC_HANDLE<WM_SIZE>(xWnd);
    xRecAnswer[WM_SIZE] = XTRUE;
    send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(60, 40));
    XSCROLLBARGET(xWnd, SB_HORZ, nullptr, nullptr, nullptr, &hPage);
    EXPECT_EQ(hPage, 120);
    EXPECT_SEQ(xSeqSizeClaimed);
}

TEST_F(WinProc, CanvasScrollsByAHundredthOfTheRangePerLine) {
    xWnd.iCanvasHeight = 2000;
    SetWindowLongA(xWnd.hWnd, GWL_STYLE, GetWindowLongA(xWnd.hWnd, GWL_STYLE) | WS_VSCROLL);
    XSCROLLBARSET(xWnd, SB_VERT, 100, 0, 1000, 50);
    int pos = 0;
    EXPECT_EQ(send(WM_VSCROLL, SB_LINEDOWN), 0);
    XSCROLLBARGET(xWnd, SB_VERT, &pos);
    EXPECT_EQ(pos, 110);
    send(WM_VSCROLL, SB_PAGEUP);
    XSCROLLBARGET(xWnd, SB_VERT, &pos);
    EXPECT_EQ(pos, 60);
    XSCROLLBARSET(xWnd, SB_VERT, 10, 0, 99, 10);
    send(WM_VSCROLL, SB_LINEDOWN);
    XSCROLLBARGET(xWnd, SB_VERT, &pos);
    EXPECT_EQ(pos, 10) << "a range below 100 does not move by line";
    send(WM_HSCROLL, SB_LINEDOWN); // no horizontal canvas: default processing
    EXPECT_SEQ(xSeqHScrollDefault);
}

TEST_F(WinProc, ScrollBarControlWithRecordMovesAndReportsToItsCallback) {
    const HWND hBar = pxcreatecontrol(xWnd, 11, 31);
    ASSERT_TRUE(hBar);
    XCTLREC& c = pxaddrecord(xWnd, hBar, 11);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 50, 0};
    SetScrollInfo(hBar, SB_CTL, &si, FALSE);
    XREC_HANDLE<WM_HSCROLL>(xWnd);
    const LPARAM lp = reinterpret_cast<LPARAM>(hBar);
    EXPECT_EQ(send(WM_HSCROLL, SB_PAGEDOWN, lp), 0) << "no callback: the handler's value";
    EXPECT_EQ(GetScrollPos(hBar, SB_CTL), 60);
    c.pfnCallback[0] = XPROCOF(pxcommand);
    pxresetcommand();
    EXPECT_EQ(send(WM_HSCROLL, SB_LINEUP, lp), 1);
    EXPECT_EQ(GetScrollPos(hBar, SB_CTL), 59);
    EXPECT_EQ(nCmdID, 31);
    EXPECT_EQ(nCmdCode, -6);
    EXPECT_SEQ(xSeqScrollBarHandler);
}

TEST_F(WinProc, WheelScrollsAFiftiethOfTheRangeWhateverTheDelta) {
    SetWindowLongA(xWnd.hWnd, GWL_STYLE, GetWindowLongA(xWnd.hWnd, GWL_STYLE) | WS_VSCROLL);
    XSCROLLBARSET(xWnd, SB_VERT, 100, 0, 500, 10);
    int pos = 0;
    EXPECT_EQ(send(WM_MOUSEWHEEL, MAKEWPARAM(0, -120)), 0);
    XSCROLLBARGET(xWnd, SB_VERT, &pos);
    EXPECT_EQ(pos, 110);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 480));
    XSCROLLBARGET(xWnd, SB_VERT, &pos);
    EXPECT_EQ(pos, 100);
    XREC_HANDLE<WM_MOUSEWHEEL>(xWnd);
    xRecAnswer[WM_MOUSEWHEEL] = XTRUE;
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120));
    XSCROLLBARGET(xWnd, SB_VERT, &pos);
    EXPECT_EQ(pos, 100);
    EXPECT_SEQ(xSeqWheelClaimed);
}

TEST_F(WinProc, WheelWithoutVerticalBarGetsDefaultProcessing) {
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120));
    EXPECT_SEQ(xSeqWheelDefault);
}

TEST_F(WinProc, ControlColoursComeFromTheRecord) {
    const HWND hEdit = pxcreatecontrol(xWnd, 6, 21);
    const HWND hPlain = pxcreatecontrol(xWnd, 6, 22);
    XCTLREC& c = pxaddrecord(xWnd, hEdit, 6);
    HDC hDC = GetDC(hEdit);
    SetTextColor(hDC, RGB(0, 0, 0));
    const LRESULT sysDefault = DefWindowProcA(
        xWnd.hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(hEdit));
    const WPARAM dc = reinterpret_cast<WPARAM>(hDC);

    XREC_START();
    send(WM_CTLCOLOREDIT, dc, reinterpret_cast<LPARAM>(hEdit)); // neither colour set
    c.crText = RGB(255, 0, 0);
    EXPECT_EQ(send(WM_CTLCOLOREDIT, dc, reinterpret_cast<LPARAM>(hEdit)), sysDefault);
    EXPECT_EQ(GetTextColor(hDC), RGB(255, 0, 0));
    c.hBrush = CreateSolidBrush(RGB(255, 255, 200));
    EXPECT_EQ(send(WM_CTLCOLOREDIT, dc, reinterpret_cast<LPARAM>(hEdit)),
              reinterpret_cast<LRESULT>(c.hBrush));
    EXPECT_EQ(GetBkColor(hDC), RGB(255, 255, 200));
    send(WM_CTLCOLOREDIT, dc, reinterpret_cast<LPARAM>(hPlain)); // no record
    send(WM_CTLCOLORMSGBOX, dc, reinterpret_cast<LPARAM>(hEdit));
    EXPECT_SEQ(xSeqControlColours);
    ReleaseDC(hEdit, hDC);
}

// However the answer is reached, it is the system default's with the record's colours over
// it: for every control colour message, a brush the framework made or one put into the record,
// alone or with a text colour, and a text colour alone, the result and the context's colours
// are those of DefWindowProcA followed by the record's.
TEST_F(WinProc, ControlColoursAreTheSystemDefaultsWithTheRecordsOver) {
    const HWND hEdit = pxcreatecontrol(xWnd, 6, 12);
    XCTLREC& c = pxaddrecord(xWnd, hEdit, 6);
    const HDC hDC = GetDC(hEdit);
    const HBRUSH own = CreateSolidBrush(RGB(10, 20, 30));
    const auto answer = [&](LRESULT r) {
        return std::make_tuple(r, GetTextColor(hDC), GetBkColor(hDC));
    };
    const auto fresh = [&] {
        SetTextColor(hDC, RGB(1, 2, 3));
        SetBkColor(hDC, RGB(4, 5, 6));
    };
    for (int k = 0; k < 5; ++k) {
        if (c.hBrush == own) c.hBrush = XNOBRUSH; // the application's, never the record's to free
        XCTLSETINT(xWnd, 12, k == 0 ? static_cast<int>(RGB(9, 9, 9)) : -1, XPC_TEXTCOLOUR);
        XCTLSETINT(xWnd, 12, k == 1 || k == 2 ? static_cast<int>(RGB(200, 100, 50)) : -1,
                   XPC_BKCOLOUR);
        if (k == 2 || k == 4) c.crText = RGB(0, 128, 0);
        if (k >= 3) c.hBrush = own;
        for (UINT msg = WM_CTLCOLOREDIT; msg <= WM_CTLCOLORSTATIC; ++msg) {
            const auto dc = reinterpret_cast<WPARAM>(hDC);
            const auto ctl = reinterpret_cast<LPARAM>(hEdit);
            fresh();
            LRESULT r = DefWindowProcA(xWnd.hWnd, msg, dc, ctl);
            if (c.hBrush != XNOBRUSH) {
                LOGBRUSH lb{};
                GetObjectA(c.hBrush, sizeof lb, &lb);
                SetBkColor(hDC, lb.lbColor);
                r = reinterpret_cast<LRESULT>(c.hBrush);
            }
            if (c.crText != -1) SetTextColor(hDC, static_cast<COLORREF>(c.crText));
            const auto expected = answer(r);
            fresh();
            EXPECT_EQ(answer(send(msg, dc, ctl)), expected) << "case " << k << " message " << msg;
        }
    }
    c.hBrush = XNOBRUSH;
    DeleteObject(own);
    ReleaseDC(hEdit, hDC);
}

TEST_F(WinProc, CreateControlMakesTheClassOfTheCodeOrNothing) {
    const HWND hEdit = pxcreatecontrol(xWnd, 6, 101);
    ASSERT_TRUE(hEdit);
    char cls[32] = {};
    GetClassNameA(hEdit, cls, sizeof cls);
    EXPECT_STREQ(cls, "Edit");
    EXPECT_EQ(GetDlgCtrlID(hEdit), 101);
    EXPECT_EQ(GetParent(hEdit), xWnd.hWnd);
    EXPECT_EQ(pxcreatecontrol(xWnd, 18, 102), nullptr);
    EXPECT_EQ(pxcreatecontrol(xWnd, 0, 103), nullptr);
    EXPECT_EQ(send(XM_CREATECONTROL, 0, 104), 0);
}

TEST_F(WinProc, SysColorChangeReachesEveryDescendant) {
    XWND child, grandchild;
    ASSERT_TRUE(XREC_CREATE(child, xWnd.hWnd, 0));
    ASSERT_TRUE(XREC_CREATE(grandchild, child.hWnd, 0));
    XREC_START();
    XREC_HANDLE<WM_SYSCOLORCHANGE>(xWnd);
    xRecAnswer[WM_SYSCOLORCHANGE] = 5;
    EXPECT_EQ(send(WM_SYSCOLORCHANGE), 5);
    // The child passes it on again, so the grandchild hears it twice; no default processing.
    EXPECT_SEQ(xSeqSysColorChange);
    int heard = 0;
    for (const auto& e : xRecLog) heard += e.msg == WM_SYSCOLORCHANGE;
    EXPECT_EQ(heard, 1);
}

TEST_F(WinProc, NotifyGoesToTheCommandTableByControlIdentifier) {
    const HWND hList = pxcreatecontrol(xWnd, 7, 66);
    XSETCOMMAND(xWnd, 66, pxcommand);
    pxresetcommand();
    NMHDR nm{hList, 66, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(send(WM_NOTIFY, 66, reinterpret_cast<LPARAM>(&nm)), 1);
    EXPECT_EQ(nCmdID, 66);
    EXPECT_EQ(nCmdCode, NM_CLICK);
    nm.idFrom = 67;
    EXPECT_EQ(send(WM_NOTIFY, 67, reinterpret_cast<LPARAM>(&nm)), 0);
    EXPECT_EQ(nCmdCalls, 1);
    EXPECT_SEQ(xSeqNothing); // no handler and no default processing for WM_NOTIFY
}

TEST_F(WinProc, NotifyFromInsideAControlParentIsForwardedToIt) {
    XWND inner;
    ASSERT_TRUE(XREC_CREATE(inner, xWnd.hWnd, WS_VISIBLE));
    SetWindowLongA(inner.hWnd, GWL_EXSTYLE,
                   GetWindowLongA(inner.hWnd, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    const HWND hList = pxcreatecontrol(inner, 7, 88);
    XSETCOMMAND(inner, 88, pxcommand);
    pxresetcommand();
    NMHDR nm{hList, 88, static_cast<UINT>(NM_DBLCLK)};
    EXPECT_EQ(send(WM_NOTIFY, 88, reinterpret_cast<LPARAM>(&nm)), 1);
    EXPECT_EQ(nCmdCalls, 1);
    EXPECT_EQ(nCmdCode, NM_DBLCLK);
}

TEST_F(WinProc, DrawItemWithoutRecordGoesToTheHandler) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = pxcreatecontrol(xWnd, 3, 41);
    send(WM_DRAWITEM, 41, reinterpret_cast<LPARAM>(&dis));
    XREC_HANDLE<WM_DRAWITEM>(xWnd);
    EXPECT_EQ(send(WM_DRAWITEM, 41, reinterpret_cast<LPARAM>(&dis)), 1);
    EXPECT_SEQ(xSeqDrawItem);
}

TEST_F(WinProc, HelpWithoutRecordIsAnsweredByTheHandlerAlone) {
    HELPINFO hi{sizeof hi, HELPINFO_WINDOW, 5, xWnd.hWnd, 99, {0, 0}};
    send(WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
    XREC_HANDLE<WM_HELP>(xWnd);
    xRecAnswer[WM_HELP] = XTRUE;
    send(WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
    // A declining handler's value is the answer too: default processing would hand the request
    // to the parent, whose handler would answer it again.
    xRecAnswer[WM_HELP] = XFALSE;
    EXPECT_EQ(send(WM_HELP, 0, reinterpret_cast<LPARAM>(&hi)), XFALSE);
    EXPECT_SEQ(xSeqHelp);
}

// Default processing after a handler took the window's object away.
XWND* pxBound = nullptr;
XWND* pxReused = nullptr;
LRESULT pxunbindself(XWND&, int&, WPARAM&, LPARAM&) {
    XUNBINDWINDOW(pxBound);
    pxReused = new XWND; // a fresh object may take the freed one's place
    return XFALSE;
}

TEST_F(WinProc, DefaultProcessingAfterTheHandlerUnboundItsWindowIsTheOriginalProcedure) {
    XREC_REGISTER();
    const HWND hPlain = CreateWindowExA(0, XREC_CLASS, "plain", WS_POPUP, 0, 0, 50, 50, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(XBINDWINDOW(hPlain, pxBound));
    XSETHANDLER(*pxBound, WM_PROBE, pxunbindself);
    XREC_START();
    SendMessageA(hPlain, WM_PROBE, 1, 2);
    EXPECT_EQ(pxBound, nullptr);
    EXPECT_SEQ(xSeqUnboundDefault);
    SendMessageA(hPlain, WM_PROBE, 3, 4);
    EXPECT_SEQ(xSeqUnboundThenOwn); // the window has its own procedure back
    delete pxReused;
    DestroyWindow(hPlain);
}

// A class procedure that notes the handle each message came with.
HWND hSeenByDefault = nullptr;
LRESULT CALLBACK pxhandleproc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    if (iMsg == WM_CHAR) hSeenByDefault = hWnd;
    return DefWindowProcA(hWnd, iMsg, wParam, lParam);
}

LRESULT pxdestroyonchar(XWND& x, int&, bool, bool) {
    XDESTROYWINDOW(x);
    return XFALSE;
}

TEST(WinProcDefault, DecodingsDefaultProcessingUsesTheMessagesWindow) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = pxhandleproc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZebHandleClass";
    RegisterClassA(&wc);
    XWND x;
    const XWND none;
    ASSERT_TRUE(XCREATEWINDOW(x, none, WS_POPUP, "h", std::nullopt, std::nullopt, std::nullopt,
                              std::nullopt, std::nullopt, nullptr, "ZebHandleClass"));
    const HWND hWnd = x.hWnd;
    XSETHANDLER<WM_CHAR>(x, pxdestroyonchar);
    hSeenByDefault = reinterpret_cast<HWND>(1);
    SendMessageA(hWnd, WM_CHAR, 'a', 1);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(x.hWnd, nullptr);
    EXPECT_EQ(hSeenByDefault, hWnd) << "not the object's cleared handle";
}

// Dialogs: the framework's procedure is the dialog procedure and the object arrives with
// WM_INITDIALOG.
struct DialogTemplate {
    DLGTEMPLATE dlg;
    WORD menu, cls, title;
};

XWND xDlg;

HWND pxdialog(HWND hOwner, DWORD style) {
    static DialogTemplate t;
    t = DialogTemplate{};
    t.dlg.style = style | WS_POPUP | WS_CAPTION;
    t.dlg.cx = 100;
    t.dlg.cy = 50;
    xDlg = XWND{};
    xDlg.lpfnOldProc = XOLD_DIALOG;
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &t.dlg, hOwner,
                                      reinterpret_cast<DLGPROC>(fxwindowproc),
                                      reinterpret_cast<LPARAM>(&xDlg));
}

TEST_F(WinProc, InitDialogAttachesTheObjectAndCentresOnTheOwner) {
    MoveWindow(xWnd.hWnd, 100, 100, 400, 300, FALSE);
    const HWND hDlg = pxdialog(xWnd.hWnd, DS_CENTER);
    ASSERT_TRUE(hDlg);
    EXPECT_EQ(xDlg.hWnd, hDlg);
    EXPECT_EQ(FXWNDBYHANDLE(hDlg), &xDlg);
    RECT d, o;
    GetWindowRect(hDlg, &d);
    GetWindowRect(xWnd.hWnd, &o);
    EXPECT_EQ(d.left, (o.left + o.right - (d.right - d.left)) / 2);
    EXPECT_EQ(d.top, (o.top + o.bottom - (d.bottom - d.top)) / 2);
    DestroyWindow(hDlg);
}

// WM_INITDIALOG from anywhere but the dialog's creation in this thread attaches nothing.
int nInitHandler = 0;
LRESULT pxcountinit(XWND&, int&, WPARAM&, LPARAM&) {
    ++nInitHandler;
    return XTRUE;
}

DWORD WINAPI pxsendinit(void* pTarget) {
    const auto* t = static_cast<std::pair<HWND, XWND*>*>(pTarget);
    SendMessageA(t->first, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(t->second));
    return 0;
}

TEST_F(WinProc, InitDialogFromOutsideTheDialogsCreationChangesNothing) {
    const HWND hDlg = pxdialog(xWnd.hWnd, 0);
    ASSERT_TRUE(hDlg);
    ASSERT_EQ(FXWNDBYHANDLE(hDlg), &xDlg);
    XSETHANDLER(xDlg, WM_INITDIALOG, pxcountinit);
    nInitHandler = 0;
    XWND intruder;
    PostMessageA(hDlg, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&intruder));
    XTEST_PUMP();
    SendMessageA(hDlg, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&intruder));
    EXPECT_EQ(FXWNDBYHANDLE(hDlg), &xDlg);
    EXPECT_EQ(GetPropA(hDlg, "XWND"), &xDlg);
    EXPECT_EQ(intruder.hWnd, nullptr) << "nothing written through the long parameter";
    EXPECT_EQ(nInitHandler, 2) << "the generic path: the handler hears of it";
    DestroyWindow(hDlg);

    // A framework dialog created without an object, and a framework window without one.
    static DialogTemplate t;
    t = DialogTemplate{};
    t.dlg.style = WS_POPUP | WS_CAPTION;
    const HWND hBare = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &t.dlg, xWnd.hWnd,
                                                  reinterpret_cast<DLGPROC>(fxwindowproc), 0);
    ASSERT_TRUE(hBare);
    XWND bare;
    const XWND none;
    ASSERT_TRUE(XCREATEWINDOW(bare, none, WS_POPUP, "bare", std::nullopt, std::nullopt,
                              std::nullopt, std::nullopt, std::nullopt, nullptr, std::nullopt,
                              std::nullopt, 0));
    ASSERT_EQ(FXWNDBYHANDLE(bare.hWnd), nullptr);
    for (HWND h : {hBare, bare.hWnd}) {
        PostMessageA(h, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&intruder));
        XTEST_PUMP();
        std::pair<HWND, XWND*> target{h, &intruder};
        const HANDLE hThread = CreateThread(nullptr, 0, pxsendinit, &target, 0, nullptr);
        ASSERT_TRUE(hThread);
        while (MsgWaitForMultipleObjects(1, &hThread, FALSE, 5000, QS_ALLINPUT) ==
               WAIT_OBJECT_0 + 1)
            XTEST_PUMP();
        CloseHandle(hThread);
        EXPECT_EQ(FXWNDBYHANDLE(h), nullptr);
        EXPECT_EQ(GetPropA(h, "XWND"), nullptr);
        EXPECT_EQ(intruder.hWnd, nullptr);
    }
    DestroyWindow(hBare);
    XDESTROYWINDOW(bare);
}

TEST_F(WinProc, EscapeInAFrameworkDialogPostsItsEnd) {
    const HWND hDlg = pxdialog(xWnd.hWnd, 0);
    ASSERT_TRUE(hDlg);
    XREC_START();
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    XREC_PUMP();
    EXPECT_SEQ(xSeqEscapeEndsDialog(hDlg));
    EXPECT_EQ(XTEST_TAKEQUIT(), -1);

    XWND* saved = xApp.pxFrame;
    xApp.pxFrame = &xDlg;
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    xApp.pxFrame = saved;
    EXPECT_EQ(XTEST_TAKEQUIT(), 0) << "a dialog that is the application frame also quits";
    DestroyWindow(hDlg);
    XREC_PUMP();
}

TEST_F(WinProc, CreateControlInADialogAnswersThroughTheDialogResult) {
    const HWND hDlg = pxdialog(xWnd.hWnd, 0);
    ASSERT_TRUE(hDlg);
    XCREATEBLOCK b{WS_CHILD | WS_VISIBLE, 6, 0, 0, 50, 14, 0};
    // The dialog manager hands the sender the dialog result, not the procedure's TRUE.
    const auto hCtl = reinterpret_cast<HWND>(
        SendMessageA(hDlg, XM_CREATECONTROL, reinterpret_cast<WPARAM>(&b), 9));
    EXPECT_TRUE(hCtl);
    EXPECT_EQ(hCtl, GetDlgItem(hDlg, 9));
    DestroyWindow(hDlg);
}

// Messages sent to windows of this thread while a creation is watched, with their windows.
std::vector<std::pair<HWND, XMSGENTRY>> xHooked;

LRESULT CALLBACK pxcallwndhook(int iCode, WPARAM wParam, LPARAM lParam) {
    if (iCode == HC_ACTION) {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
        const bool attached = FXWNDBYHANDLE(cwp->hwnd) != nullptr;
        xHooked.push_back({cwp->hwnd, {cwp->message, S, attached ? 1u : 0u, 0}});
    }
    return CallNextHookEx(nullptr, iCode, wParam, lParam);
}

TEST_F(WinProc, CreationSequenceOfAFrameworkWindowAttachesTheObjectAtNonClientCreation) {
    xHooked.clear();
    const HHOOK hHook =
        SetWindowsHookExA(WH_CALLWNDPROC, pxcallwndhook, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hHook);
    XWND w;
    const bool created = XCREATEWINDOW(w, XWND{}, WS_OVERLAPPEDWINDOW, "created");
    UnhookWindowsHookEx(hHook);
    ASSERT_TRUE(created);
    XMSGSEQ seen;
    for (const auto& [h, e] : xHooked)
        if (h == w.hWnd) seen.push_back(e);
    const std::string report = XMSGSEQ_COMPARE(xSeqFrameworkCreation, seen);
    EXPECT_TRUE(report.empty()) << report;
    XDESTROYWINDOW(w);
}

} // namespace
