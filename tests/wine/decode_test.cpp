// Typed message decoding on the real API: the arguments a handler receives when the system
// itself produces the message (keystrokes, mouse input, sizing, painting, scroll bars, menus,
// MDI), what a handler's in/out arguments change for the default processing and the system, and
// the drawing contexts of the paint and erase rows.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "ZEBGDI.h"
#include "recorder.h"
#include "zebtest.h"

namespace {

constexpr unsigned H = XS_HANDLER, D = XS_DEFAULT, WP = XS_WPARAM, LP = XS_LPARAM;

std::uint64_t V(long long v) {
    return static_cast<std::uint64_t>(v);
}
// A parameter as the recorder logs it.
std::uint64_t RAW(ULONG_PTR v) {
    return static_cast<std::uint64_t>(v);
}
long long P(const void* p) {
    return static_cast<long long>(reinterpret_cast<INT_PTR>(p));
}

// Every typed handler below appends its message and decoded arguments to xCalls, logs its first
// two arguments as a handler entry for the sequence checks, and answers from xRecAnswer.
using XARGS = std::vector<long long>;
std::vector<XARGS> xCalls;

LRESULT pxgot(UINT msg, XARGS a) {
    xRecLog.push_back({msg, XS_HANDLER, V(a.empty() ? 0 : a[0]), V(a.size() < 2 ? 0 : a[1])});
    a.insert(a.begin(), msg);
    xCalls.push_back(a);
    auto it = xRecAnswer.find(msg);
    return it == xRecAnswer.end() ? XFALSE : it->second;
}

// The decoded arguments of each call of msg, in order.
std::vector<XARGS> pxcallsof(UINT msg) {
    std::vector<XARGS> r;
    for (const auto& c : xCalls)
        if (c[0] == msg) r.emplace_back(c.begin() + 1, c.end());
    return r;
}

// What in/out handlers write back; -1 (or 0 for the limits) leaves an argument alone.
int xKeyFrom = -1, xKeyTo = 0, xCharFrom = -1, xCharTo = 0, xCxFrom = -1, xCxTo = 0;
int xSizeTypeTo = -1, xHitOverride = -1, xMouseMsgTo = -1, xInOutTo = -1;
POINT xMinTrack{}, xMaxTrack{};

// Drawing: what the paint and erase handlers saw, and a world point the paint handler marks.
struct XDCSEEN {
    HDC hDC;
    DWORD iType;
    int cxBitmap, cyBitmap;
    int vx1, vy1, vx2, vy2;
    float wx1, wy1, wx2, wy2;
    int cxMark, cyMark;
};
XDCSEEN xSeen{};
bool bMark = false;
float xMarkW = 0, yMarkW = 0;
COLORREF crMark = RGB(255, 0, 0);

void pxsee(const XDC& dc) {
    xSeen = XDCSEEN{};
    xSeen.hDC = dc.hDC;
    xSeen.iType = GetObjectType(dc.hDC);
    BITMAP bm{};
    if (GetObjectA(GetCurrentObject(dc.hDC, OBJ_BITMAP), sizeof bm, &bm)) {
        xSeen.cxBitmap = bm.bmWidth;
        xSeen.cyBitmap = bm.bmHeight;
    }
    XGETVIEWPORT(dc, xSeen.vx1, xSeen.vy1, xSeen.vx2, xSeen.vy2);
    XGETGDIWINDOW(dc, xSeen.wx1, xSeen.wy1, xSeen.wx2, xSeen.wy2);
}

template <UINT M> LRESULT onkey(XWND&, int& iVk, int iRepeat, int iScan) {
    const int vk = iVk;
    if (vk == xKeyFrom) iVk = xKeyTo;
    return pxgot(M, {vk, iScan, iRepeat});
}
template <UINT M> LRESULT onchar(XWND&, int& iChar, bool bUp, bool bAlt) {
    const int ch = iChar;
    if (ch == xCharFrom) iChar = xCharTo;
    return pxgot(M, {ch, bUp, bAlt});
}
LRESULT onsyscommand(XWND&, int iCommand) {
    return pxgot(WM_SYSCOMMAND, {iCommand});
}
LRESULT oncontextmenu(XWND&, int x, int y) {
    return pxgot(WM_CONTEXTMENU, {x, y});
}
template <UINT M> LRESULT onmouse(XWND&, int x, int y, int& iMsg, int& iKeys) {
    const int msg = iMsg, keys = iKeys;
    if (xMouseMsgTo >= 0) {
        iMsg = xMouseMsgTo;
        iKeys |= MK_SHIFT;
    }
    return pxgot(M, {x, y, msg, keys});
}
LRESULT onwheel(XWND&, int iDelta, int x, int y, int iKeys) {
    return pxgot(WM_MOUSEWHEEL, {iDelta, x, y, iKeys});
}
LRESULT onminmax(XWND&, POINT&, POINT&, POINT& ptMinTrack, POINT& ptMaxTrack) {
    if (xMaxTrack.x) ptMaxTrack = xMaxTrack;
    if (xMinTrack.x) ptMinTrack = xMinTrack;
    return pxgot(WM_GETMINMAXINFO, {});
}
template <UINT M> LRESULT onwindowpos(XWND&, int& x, int& y, int& cx, int& cy, UINT& iFlags) {
    const int seen = cx;
    if (cx == xCxFrom) cx = xCxTo;
    return pxgot(M, {seen, cy, x, y, static_cast<long long>(iFlags)});
}
LRESULT onsize(XWND&, int iWidth, int iHeight, int& iType) {
    const int type = iType;
    if (xSizeTypeTo >= 0) iType = xSizeTypeTo;
    return pxgot(WM_SIZE, {iWidth, iHeight, type});
}
LRESULT onmove(XWND&, int x, int y) {
    return pxgot(WM_MOVE, {x, y});
}
LRESULT onhittest(XWND&, int x, int y, int iDefault) {
    pxgot(WM_NCHITTEST, {x, y, iDefault});
    return xHitOverride >= 0 ? xHitOverride : iDefault;
}
LRESULT onsetcursor(XWND&, int iHit, int iMouseMsg) {
    return pxgot(WM_SETCURSOR, {iHit, iMouseMsg});
}
template <UINT M> LRESULT onscroll(XWND& xWnd, INT_PTR iBar, int iCode, int iPos) {
    const bool ctl = iBar != SB_HORZ && iBar != SB_VERT;
    const int stored = ctl ? GetScrollPos(reinterpret_cast<HWND>(iBar), SB_CTL)
                           : GetScrollPos(xWnd.hWnd, static_cast<int>(iBar));
    return pxgot(M, {iCode, iPos, static_cast<long long>(iBar), stored});
}
std::vector<std::string> xDropped;
LRESULT ondropfiles(XWND&, const std::vector<std::string>& sFiles) {
    xDropped = sFiles;
    return pxgot(WM_DROPFILES, {static_cast<long long>(sFiles.size())});
}
// The window the first object names, as the handler sees it, then the second object.
LRESULT onmdiclient(XWND& xWnd, XWND* xOther) {
    return pxgot(WM_MDIACTIVATE, {P(xWnd.hWnd), P(xOther), xOther ? P(xOther->hWnd) : 0, P(&xWnd)});
}
LRESULT onwrongdrop(XWND&) {
    return XTRUE;
}
template <UINT M> LRESULT onwindow(XWND& xWnd, XWND* xOther) {
    return pxgot(M, {P(&xWnd), P(xOther), xOther ? P(xOther->hWnd) : 0});
}
LRESULT onactivate(XWND& xWnd, int iState, bool bMinimized, XWND* xOther) {
    return pxgot(WM_ACTIVATE, {iState, bMinimized, P(&xWnd), P(xOther)});
}
template <UINT M> LRESULT onflag(XWND&, bool bFlag) {
    return pxgot(M, {bFlag});
}
LRESULT oninitmenu(XWND&, XMENU& xMenu) {
    return pxgot(WM_INITMENU, {P(xMenu.hMenu), P(xMenu.hOwner)});
}
LRESULT oninitmenupopup(XWND&, XMENU& xMenu, bool bSystem) {
    return pxgot(WM_INITMENUPOPUP, {P(xMenu.hMenu), bSystem, P(xMenu.hOwner)});
}
LRESULT onpaint(XWND&, XDC& dc, int iLeft, int iTop, int iRight, int iBottom) {
    pxsee(dc);
    if (bMark) {
        XWND2CLIENT(dc, xMarkW, yMarkW, xSeen.cxMark, xSeen.cyMark);
        SetPixelV(dc.hDC, xSeen.cxMark, xSeen.cyMark, crMark);
    }
    return pxgot(WM_PAINT, {iLeft, iTop, iRight, iBottom});
}
LRESULT onerase(XWND&, XDC& dc) {
    pxsee(dc);
    return pxgot(WM_ERASEBKGND, {P(dc.hDC)});
}
// In/out rows over the word parameter: the handler writes xInOutTo back when it is set.
template <UINT M> LRESULT onncmouse(XWND&, int x, int y, int& iHit) {
    const int hit = iHit;
    if (xInOutTo >= 0) iHit = xInOutTo;
    return pxgot(M, {x, y, hit});
}
LRESULT ondisplay(XWND&, int& iBpp, int iWidth, int iHeight) {
    const int bpp = iBpp;
    if (xInOutTo >= 0) iBpp = xInOutTo;
    return pxgot(WM_DISPLAYCHANGE, {bpp, iWidth, iHeight});
}
LRESULT onhotkey(XWND&, int& iID) {
    const int id = iID;
    if (xInOutTo >= 0) iID = xInOutTo;
    return pxgot(WM_HOTKEY, {id});
}
LRESULT ontimer(XWND&, WPARAM& iTimer) {
    return pxgot(WM_TIMER, {static_cast<long long>(iTimer)});
}
LRESULT onhelp(XWND&, bool bMenuItem, int& iCtrl) {
    const int ctl = iCtrl;
    if (xInOutTo >= 0) iCtrl = xInOutTo;
    return pxgot(WM_HELP, {bMenuItem, ctl});
}

// Real input. Scan codes are given explicitly, so the expected lParam bits are known.
void pxkey(WORD vk, WORD scan, bool up, bool ext = false) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (ext ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &in, sizeof in);
}
void pxtap(WORD vk, WORD scan, bool ext = false) {
    pxkey(vk, scan, false, ext);
    pxkey(vk, scan, true, ext);
}
void pxmouse(DWORD flags, DWORD data = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.mouseData = data;
    SendInput(1, &in, sizeof in);
}
// Moves the cursor to a screen point with real input (a relative step onto it).
void pxmoveto(int x, int y) {
    SetCursorPos(x - 1, y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = 1;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
}
// Dispatches until the queue has stayed empty for a few rounds.
void pxsettle() {
    for (int idle = 0; idle < 3;) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            idle = 0;
            XTEST_PUMP();
        } else {
            ++idle;
            Sleep(2);
        }
    }
}
COLORREF pxpixel(HWND hWnd, int x, int y) {
    HDC hDC = GetDC(hWnd);
    const COLORREF c = GetPixel(hDC, x, y);
    ReleaseDC(hWnd, hDC);
    return c;
}
void pxfill(HWND hWnd, COLORREF c) {
    HDC hDC = GetDC(hWnd);
    RECT r;
    GetClientRect(hWnd, &r);
    HBRUSH b = CreateSolidBrush(c);
    FillRect(hDC, &r, b);
    DeleteObject(b);
    ReleaseDC(hWnd, hDC);
}

// Expected sequences, named by what they show (listed messages only: H handler, D default
// processing, P posted; WP and LP pin a parameter).
const XMSGSEQ xSeqAltFInTheGeneralForm = {{WM_SYSKEYDOWN, H | WP | LP, VK_MENU, 0x20380001},
                                          {WM_SYSKEYDOWN, D | WP, VK_MENU},
                                          {WM_SYSKEYDOWN, H | WP | LP, 'F', 0x20210001},
                                          {WM_SYSKEYDOWN, D | WP, 'F'}};
const XMSGSEQ xSeqKeyboardContextMenu = {
    {WM_CONTEXTMENU, H | WP | LP, 65535, 65535},
    {WM_CONTEXTMENU, D | LP, 0, RAW(static_cast<ULONG_PTR>(-1))}};
const XMSGSEQ xSeqMouseRewrite = {{WM_RBUTTONDOWN, H},
                                  {WM_RBUTTONUP, D | WP, MK_RBUTTON | MK_SHIFT}};
XMSGSEQ xSeqPositionRecords(const RECT& c) {
    return {{WM_WINDOWPOSCHANGING, H | WP | LP, 400, 150},
            {WM_WINDOWPOSCHANGING, D},
            {WM_GETMINMAXINFO, H},
            {WM_GETMINMAXINFO, D},
            {WM_WINDOWPOSCHANGED, H | WP | LP, 333, 150},
            {WM_WINDOWPOSCHANGED, D},
            {WM_SIZE, H | WP | LP, V(c.right), V(c.bottom)},
            {WM_SIZE, D | WP, 77}};
}
const XMSGSEQ xSeqPaintOnce = {{WM_PAINT, H | WP | LP, 10, 20}};
XMSGSEQ xSeqEraseDeclined(HDC hDC) {
    return {{WM_PAINT, D}, {WM_ERASEBKGND, H}, {WM_ERASEBKGND, D | WP, V(P(hDC))}};
}
const XMSGSEQ xSeqEraseClaimed = {{WM_PAINT, D}, {WM_ERASEBKGND, H}};
const XMSGSEQ xSeqSixDeclined = {{WM_ACTIVATE, H},   {WM_ACTIVATE, D},    {WM_ERASEBKGND, H},
                                 {WM_ERASEBKGND, D}, {WM_CONTEXTMENU, H}, {WM_CONTEXTMENU, D},
                                 {WM_CHAR, H},       {WM_CHAR, D},        {WM_DEADCHAR, H},
                                 {WM_DEADCHAR, D}};
const XMSGSEQ xSeqSixClaimed = {
    {WM_ACTIVATE, H}, {WM_ERASEBKGND, H}, {WM_CONTEXTMENU, H}, {WM_CHAR, H}, {WM_DEADCHAR, H}};
const XMSGSEQ xSeqCloseDeclined = {{WM_CLOSE, H}, {WM_CLOSE, D}};
const XMSGSEQ xSeqScrollOwnBar = {{WM_VSCROLL, H | WP | LP, SB_LINEDOWN, 70000},
                                  {WM_VSCROLL, D},
                                  {WM_VSCROLL, H | WP | LP, SB_THUMBPOSITION, 70000},
                                  {WM_VSCROLL, D}};
const XMSGSEQ xSeqScrollBarControl = {{WM_VSCROLL, H | WP | LP, SB_LINEDOWN, 70000},
                                      {WM_VSCROLL, H | WP | XS_OPTIONAL, SB_ENDSCROLL}};
XMSGSEQ xSeqGeneralFormRaw(LPARAM pt) {
    return {{WM_NCRBUTTONDOWN, H | WP | LP, HTBORDER, RAW(pt)},
            {WM_NCRBUTTONDOWN, D},
            {WM_RBUTTONDBLCLK, H | WP | LP, MK_RBUTTON, RAW(pt)},
            {WM_RBUTTONDBLCLK, D}};
}
XMSGSEQ xSeqInOutWords(WPARAM snapDesktop, WPARAM timer) {
    return {{WM_NCMOUSEMOVE, H},   {WM_NCMOUSEMOVE, D | WP, HTNOWHERE},
            {WM_DISPLAYCHANGE, H}, {WM_DISPLAYCHANGE, D | WP, 16},
            {WM_HOTKEY, H},        {WM_HOTKEY, D | WP, RAW(snapDesktop)},
            {WM_TIMER, H},         {WM_TIMER, D | WP, RAW(timer)}};
}

class Decode : public ::testing::Test {
  protected:
    void SetUp() override {
        XREC_REGISTER();
        XREC_START();
        xCalls.clear();
        xKeyFrom = xCharFrom = xCxFrom = xSizeTypeTo = xHitOverride = xMouseMsgTo = xInOutTo = -1;
        xMinTrack = xMaxTrack = POINT{};
        bMark = false;
    }
    void TearDown() override {
        bRecording = false;
        ReleaseCapture();
        for (XWND* w : {&c2, &c1, &b, &a})
            if (w->hWnd && IsWindow(w->hWnd)) XDESTROYWINDOW(*w);
        pxsettle();
    }
    // A window of the recording class (its default processing is logged) or of the framework's.
    bool rec(XWND& w, int style, int x = 100, int y = 100, int cx = 300, int cy = 200,
             const XWND* parent = nullptr, std::optional<int> id = std::nullopt) {
        return XCREATEWINDOW(w, parent ? *parent : none, style, "decode", std::nullopt, x, y, cx,
                             cy, nullptr, XREC_CLASS, id);
    }
    bool own(XWND& w, int style, int exStyle = 0, int cx = 200, int cy = 150) {
        return XCREATEWINDOW(w, none, style, "decode", exStyle, 0, 0, cx, cy);
    }
    void focus(HWND top, HWND target) {
        SetForegroundWindow(top);
        SetFocus(target);
        pxsettle();
        ASSERT_EQ(GetFocus(), target);
        fresh();
    }
    // Empties the logs; the answers stay.
    void fresh() {
        xRecLog.clear();
        xCalls.clear();
    }
    const XWND none{};
    XWND a, b, c1, c2;
};

TEST_F(Decode, KeysFromTheKeyboardArriveDecoded) {
    ASSERT_TRUE(rec(a, WS_POPUP | WS_VISIBLE));
    XSETHANDLER<WM_KEYDOWN>(a, onkey<WM_KEYDOWN>);
    XSETHANDLER<WM_KEYUP>(a, onkey<WM_KEYUP>);
    XSETHANDLER<WM_SYSCOMMAND>(a, onsyscommand);
    XSETHANDLER<WM_CONTEXTMENU>(a, oncontextmenu);
    XREC_HANDLE<WM_SYSKEYDOWN>(a);
    ASSERT_NO_FATAL_FAILURE(focus(a.hWnd, a.hWnd));
    xRecAnswer[WM_SYSCOMMAND] = XTRUE; // keeps the window and stays out of menu loops

    // The right arrow is an extended key: its scan code carries the flag as bit 8, also in the
    // key-up message whose transition bits lie just above.
    pxtap(VK_RIGHT, 0x4D, true);
    pxsettle();
    ASSERT_EQ(pxcallsof(WM_KEYDOWN).size(), 1u);
    EXPECT_EQ(pxcallsof(WM_KEYDOWN)[0], (XARGS{VK_RIGHT, 0x14D, 1}));
    ASSERT_EQ(pxcallsof(WM_KEYUP).size(), 1u);
    EXPECT_EQ(pxcallsof(WM_KEYUP)[0], (XARGS{VK_RIGHT, 0x14D, 1}));

    // Alt+F: no WM_KEYDOWN call; WM_SYSKEYDOWN comes in the general form with the raw lParam.
    fresh();
    pxkey(VK_MENU, 0x38, false);
    pxtap('F', 0x21);
    pxkey(VK_MENU, 0x38, true);
    pxsettle();
    EXPECT_TRUE(pxcallsof(WM_KEYDOWN).empty());
    EXPECT_SEQ(xSeqAltFInTheGeneralForm);

    // Alt+F4 makes the default processing ask for SC_CLOSE; a drag on the caption makes it ask
    // for SC_MOVE with the hit-test code in the low bits, which the handler never sees.
    fresh();
    pxkey(VK_MENU, 0x38, false);
    pxtap(VK_F4, 0x3E);
    pxkey(VK_MENU, 0x38, true);
    pxsettle();
    SendMessageA(a.hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(150, 105));
    auto sys = pxcallsof(WM_SYSCOMMAND);
    ASSERT_FALSE(sys.empty());
    EXPECT_EQ(sys.front()[0], SC_CLOSE);
    EXPECT_EQ(sys.back()[0], SC_MOVE) << "0xF012 arrives without its low bits";
    SendMessageA(a.hWnd, WM_SYSCOMMAND, SC_CLOSE | 3, 0);
    EXPECT_EQ(pxcallsof(WM_SYSCOMMAND).back()[0], SC_CLOSE);
    for (const auto& c : sys) EXPECT_EQ(c[0] & 0xF, 0);
    EXPECT_TRUE(IsWindow(a.hWnd));

    // Shift+F10 asks for the context menu from the keyboard: 65535, 65535. The handler declines,
    // so the default processing sees it once, with the raw -1.
    fresh();
    pxkey(VK_SHIFT, 0x2A, false);
    pxtap(VK_F10, 0x44);
    pxkey(VK_SHIFT, 0x2A, true);
    pxsettle();
    EXPECT_SEQ(xSeqKeyboardContextMenu);
}

TEST_F(Decode, SubclassedEditSeesTheCharacterOnceAndTheCodesTheHandlerWroteBack) {
    ASSERT_TRUE(own(a, WS_POPUP | WS_VISIBLE, 0, 300, 60));
    ASSERT_TRUE(XCREATEWINDOW(b, a, WS_CHILD | WS_VISIBLE, "", std::nullopt, 5, 5, 250, 24, nullptr,
                              "Edit", 10));
    XSETHANDLER<WM_CHAR>(b, onchar<WM_CHAR>);
    XSETHANDLER<WM_KEYDOWN>(b, onkey<WM_KEYDOWN>);
    ASSERT_NO_FATAL_FAILURE(focus(a.hWnd, b.hWnd));
    auto text = [&] {
        char s[64] = {};
        GetWindowTextA(b.hWnd, s, sizeof s);
        return std::string(s);
    };

    pxtap('Q', 0x10);
    pxsettle();
    EXPECT_EQ(text(), "q") << "a declining WM_CHAR handler lets the character through once";
    ASSERT_EQ(pxcallsof(WM_CHAR).size(), 1u);
    EXPECT_EQ(pxcallsof(WM_CHAR)[0], (XARGS{'q', false, false}));

    xCharFrom = 'w';
    xCharTo = 'z';
    pxtap('W', 0x11);
    pxsettle();
    EXPECT_EQ(text(), "qz") << "the edit control types the character the handler wrote back";

    // Left arrow rewritten to Home: the caret goes to the start instead of one step left.
    xKeyFrom = VK_LEFT;
    xKeyTo = VK_HOME;
    pxtap(VK_LEFT, 0x4B, true);
    pxsettle();
    DWORD start = 0;
    SendMessageA(b.hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(pxcallsof(WM_KEYDOWN).back(), (XARGS{VK_LEFT, 0x14B, 1}));

    // A routine made for another argument list is not called; the character still arrives once.
    SendMessageA(b.hWnd, EM_SETSEL, 2, 2);
    XSETHANDLER(b, WM_CHAR, onkey<WM_CHAR>);
    xCalls.clear();
    {
        XExceptionLog log;
        pxtap('E', 0x12);
        pxsettle();
        EXPECT_EQ(log.codes(), (std::vector<DWORD>{XEXC_ARGLIST}));
    }
    EXPECT_TRUE(pxcallsof(WM_CHAR).empty());
    EXPECT_EQ(text(), "qze");
}

TEST_F(Decode, MouseCoordinatesAreSignedAndInOutFlagsReachTheDefault) {
    ASSERT_TRUE(rec(a, WS_POPUP | WS_VISIBLE));
    XSETHANDLER<WM_MOUSEMOVE>(a, onmouse<WM_MOUSEMOVE>);
    XSETHANDLER<WM_LBUTTONDOWN>(a, onmouse<WM_LBUTTONDOWN>);
    XSETHANDLER<WM_LBUTTONUP>(a, onmouse<WM_LBUTTONUP>);
    XSETHANDLER<WM_RBUTTONDOWN>(a, onmouse<WM_RBUTTONDOWN>);
    XSETHANDLER<WM_MOUSEWHEEL>(a, onwheel);
    ASSERT_NO_FATAL_FAILURE(focus(a.hWnd, a.hWnd));

    // Captured, the window hears the mouse left of its client area: x is negative.
    POINT pt{-5, 10};
    ClientToScreen(a.hWnd, &pt);
    SetCapture(a.hWnd);
    pxmoveto(pt.x, pt.y);
    pxmouse(MOUSEEVENTF_LEFTDOWN);
    pxmouse(MOUSEEVENTF_LEFTUP);
    pxsettle();
    ReleaseCapture();
    ASSERT_FALSE(pxcallsof(WM_MOUSEMOVE).empty());
    EXPECT_EQ(pxcallsof(WM_MOUSEMOVE).back(), (XARGS{-5, 10, WM_MOUSEMOVE, 0}));
    ASSERT_EQ(pxcallsof(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(pxcallsof(WM_LBUTTONDOWN)[0], (XARGS{-5, 10, WM_LBUTTONDOWN, MK_LBUTTON}));
    EXPECT_EQ(pxcallsof(WM_LBUTTONUP).size(), 1u);

    // A wheel notch towards the user: negative delta, the cursor's screen position.
    pt = {20, 30};
    ClientToScreen(a.hWnd, &pt);
    pxmoveto(pt.x, pt.y);
    pxsettle();
    xCalls.clear();
    pxmouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-WHEEL_DELTA));
    pxsettle();
    ASSERT_EQ(pxcallsof(WM_MOUSEWHEEL).size(), 1u);
    EXPECT_EQ(pxcallsof(WM_MOUSEWHEEL)[0], (XARGS{-WHEEL_DELTA, pt.x, pt.y, 0}));

    // Message number and key flags are in/out: the default processing sees the rewrite.
    XREC_START();
    xMouseMsgTo = WM_RBUTTONUP;
    SendMessageA(a.hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, -2));
    EXPECT_EQ(pxcallsof(WM_RBUTTONDOWN).back(), (XARGS{7, -2, WM_RBUTTONDOWN, MK_RBUTTON}));
    EXPECT_SEQ(xSeqMouseRewrite);
}

TEST_F(Decode, SizeAndPositionRecordsAreInOutForTheSystem) {
    ASSERT_TRUE(rec(a, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    XSETHANDLER<WM_GETMINMAXINFO>(a, onminmax);
    XSETHANDLER<WM_WINDOWPOSCHANGING>(a, onwindowpos<WM_WINDOWPOSCHANGING>);
    XSETHANDLER<WM_WINDOWPOSCHANGED>(a, onwindowpos<WM_WINDOWPOSCHANGED>);
    XSETHANDLER<WM_SIZE>(a, onsize);
    xMinTrack = {120, 90};
    xMaxTrack = {500, 400};
    RECT r;
    auto size = [&] {
        GetWindowRect(a.hWnd, &r);
        return std::make_pair(r.right - r.left, r.bottom - r.top);
    };

    // The tracking limits the handler set are what the system applies to a later move.
    MoveWindow(a.hWnd, 20, 30, 600, 500, TRUE);
    EXPECT_EQ(size(), std::make_pair(500L, 400L));
    MoveWindow(a.hWnd, 20, 30, 50, 40, TRUE);
    EXPECT_EQ(size(), std::make_pair(120L, 90L));

    // A width changed in WM_WINDOWPOSCHANGING is the width the window gets; the size type
    // written back in WM_SIZE is what the default processing gets.
    XREC_START();
    xCalls.clear();
    xCxFrom = 400;
    xCxTo = 333;
    xSizeTypeTo = 77;
    MoveWindow(a.hWnd, 20, 30, 400, 150, TRUE);
    EXPECT_EQ(size(), std::make_pair(333L, 150L));
    RECT c;
    GetClientRect(a.hWnd, &c);
    EXPECT_SEQ(xSeqPositionRecords(c));
    ASSERT_FALSE(pxcallsof(WM_WINDOWPOSCHANGED).empty());
    const XARGS changed = pxcallsof(WM_WINDOWPOSCHANGED).back();
    EXPECT_EQ(changed[2], 20);
    EXPECT_EQ(changed[3], 30);

    // A child moved left of its parent's client area: WM_MOVE's x is negative.
    ASSERT_TRUE(rec(b, WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, &a, 3));
    XSETHANDLER<WM_MOVE>(b, onmove);
    MoveWindow(b.hWnd, -20, 30, 50, 50, TRUE);
    ASSERT_FALSE(pxcallsof(WM_MOVE).empty());
    EXPECT_EQ(pxcallsof(WM_MOVE).back(), (XARGS{-20, 30}));
}

TEST_F(Decode, HitTestOffersTheSystemsAnswerAndTheSystemUsesTheHandlers) {
    ASSERT_TRUE(rec(a, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    XSETHANDLER<WM_NCHITTEST>(a, onhittest);
    XSETHANDLER<WM_SETCURSOR>(a, onsetcursor);
    ASSERT_NO_FATAL_FAILURE(focus(a.hWnd, a.hWnd));
    RECT w;
    GetWindowRect(a.hWnd, &w);
    POINT client{0, 0};
    ClientToScreen(a.hWnd, &client);
    const int x = (w.left + w.right) / 2, y = (w.top + client.y) / 2; // on the caption
    const auto sysHit = DefWindowProcA(a.hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    ASSERT_EQ(sysHit, HTCAPTION);

    pxmoveto(x, y);
    pxsettle();
    ASSERT_FALSE(pxcallsof(WM_NCHITTEST).empty());
    EXPECT_EQ(pxcallsof(WM_NCHITTEST).back(), (XARGS{x, y, HTCAPTION}));
    ASSERT_FALSE(pxcallsof(WM_SETCURSOR).empty());
    EXPECT_EQ(pxcallsof(WM_SETCURSOR).back(), (XARGS{HTCAPTION, WM_MOUSEMOVE}));

    // The handler's answer is the hit-test result the system goes on with.
    xCalls.clear();
    xHitOverride = HTCLIENT;
    pxmoveto(x + 3, y);
    pxsettle();
    ASSERT_FALSE(pxcallsof(WM_SETCURSOR).empty());
    EXPECT_EQ(pxcallsof(WM_SETCURSOR).back(), (XARGS{HTCLIENT, WM_MOUSEMOVE}));

    // Screen points left of and above the screen stay negative; the offered default is the
    // system's for that point, computed before the call.
    xHitOverride = -1;
    const LPARAM off = MAKELPARAM(-3, -4);
    EXPECT_EQ(SendMessageA(a.hWnd, WM_NCHITTEST, 0, off),
              DefWindowProcA(a.hWnd, WM_NCHITTEST, 0, off));
    EXPECT_EQ(pxcallsof(WM_NCHITTEST).back(),
              (XARGS{-3, -4, DefWindowProcA(a.hWnd, WM_NCHITTEST, 0, off)}));
}

TEST_F(Decode, PaintHandlerRunsOnlyForAnUpdateRegionAndDrawsOnTheWindow) {
    ASSERT_TRUE(own(a, WS_POPUP | WS_VISIBLE));
    XSETHANDLER<WM_PAINT>(a, onpaint);
    xRecAnswer[WM_PAINT] = XTRUE;
    pxsettle();
    fresh();

    SendMessageA(a.hWnd, WM_PAINT, 0, 0);
    EXPECT_TRUE(pxcallsof(WM_PAINT).empty()) << "nothing to paint: no call";

    // The handler draws straight into the paint context (a CS_OWNDC window: its own context),
    // with world and view both the client area.
    bMark = true;
    xMarkW = 15;
    yMarkW = 25;
    RECT upd{10, 20, 60, 70};
    InvalidateRect(a.hWnd, &upd, FALSE);
    UpdateWindow(a.hWnd);
    EXPECT_SEQ(xSeqPaintOnce);
    ASSERT_EQ(pxcallsof(WM_PAINT).size(), 1u);
    EXPECT_EQ(pxcallsof(WM_PAINT)[0], (XARGS{10, 20, 60, 70}));
    HDC hOwn = GetDC(a.hWnd);
    EXPECT_EQ(xSeen.hDC, hOwn);
    ReleaseDC(a.hWnd, hOwn);
    RECT c;
    GetClientRect(a.hWnd, &c);
    EXPECT_EQ(xSeen.vx2, c.right);
    EXPECT_EQ(xSeen.vy2, c.bottom);
    EXPECT_EQ(xSeen.wx2, static_cast<float>(c.right));
    EXPECT_EQ(xSeen.cxMark, 15);
    EXPECT_EQ(pxpixel(a.hWnd, 15, 25), crMark);
    RECT left;
    EXPECT_FALSE(GetUpdateRect(a.hWnd, &left, FALSE)) << "the region is validated";

    // A routine registered at run time for another argument list: never called; the default
    // processing still validates the window, so no paint loop follows.
    XSETHANDLER(a, WM_PAINT, onerase);
    xCalls.clear();
    {
        XExceptionLog log;
        InvalidateRect(a.hWnd, nullptr, FALSE);
        UpdateWindow(a.hWnd);
        EXPECT_EQ(log.codes(), (std::vector<DWORD>{XEXC_ARGLIST}));
    }
    EXPECT_TRUE(xCalls.empty());
    EXPECT_FALSE(GetUpdateRect(a.hWnd, &left, FALSE));
}

TEST_F(Decode, BufferedPaintDrawsIntoAMemoryContextThatIsCopiedOntoTheWindow) {
    ASSERT_TRUE(own(a, WS_POPUP | WS_VISIBLE, XWF_BUFFERED));
    EXPECT_TRUE(a.iFlags & XWF_BUFFERED);
    XSETHANDLER<WM_PAINT>(a, onpaint);
    xRecAnswer[WM_PAINT] = XTRUE;
    pxsettle();
    RECT c;
    GetClientRect(a.hWnd, &c);

    // Drawing nothing leaves what the fresh memory bitmap held (black), not the window's white.
    pxfill(a.hWnd, RGB(255, 255, 255));
    InvalidateRect(a.hWnd, nullptr, FALSE);
    UpdateWindow(a.hWnd);
    HDC hOwn = GetDC(a.hWnd);
    EXPECT_NE(xSeen.hDC, hOwn);
    ReleaseDC(a.hWnd, hOwn);
    EXPECT_EQ(xSeen.iType, static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(xSeen.cxBitmap, c.right);
    EXPECT_EQ(xSeen.cyBitmap, c.bottom);
    EXPECT_EQ(GetObjectType(xSeen.hDC), 0u) << "the memory context is deleted after the copy";
    EXPECT_EQ(pxpixel(a.hWnd, 40, 40), RGB(0, 0, 0));

    bMark = true;
    xMarkW = 7;
    yMarkW = 9;
    InvalidateRect(a.hWnd, nullptr, FALSE);
    UpdateWindow(a.hWnd);
    EXPECT_EQ(pxpixel(a.hWnd, 7, 9), crMark);
}

TEST_F(Decode, CanvasScrolledTo100And50ShowsThatWorldPointAtTheTopLeftCorner) {
    ASSERT_TRUE(own(a, WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, XWF_BUFFERED, 300, 200));
    a.iCanvasWidth = 1000;
    a.iCanvasHeight = 800;
    RECT c;
    GetClientRect(a.hWnd, &c);
    XSCROLLBARSET(a, SB_HORZ, 100, 0, 999, c.right);
    XSCROLLBARSET(a, SB_VERT, 50, 0, 799, c.bottom);
    XSETHANDLER<WM_PAINT>(a, onpaint);
    xRecAnswer[WM_PAINT] = XTRUE;
    pxsettle();
    xCalls.clear();

    bMark = true;
    xMarkW = 100;
    yMarkW = 50;
    RECT upd{0, 0, 40, 30};
    InvalidateRect(a.hWnd, &upd, FALSE);
    UpdateWindow(a.hWnd);
    ASSERT_EQ(pxcallsof(WM_PAINT).size(), 1u);
    EXPECT_EQ(pxcallsof(WM_PAINT)[0], (XARGS{0, 0, 40, 30})) << "client, not canvas, coordinates";
    EXPECT_EQ(xSeen.cxMark, 0);
    EXPECT_EQ(xSeen.cyMark, 0);
    EXPECT_EQ(xSeen.vx1, -100);
    EXPECT_EQ(xSeen.vy1, -50);
    EXPECT_EQ(xSeen.wx2, 1000.0f);
    EXPECT_EQ(xSeen.wy2, 800.0f);
    EXPECT_EQ(pxpixel(a.hWnd, 0, 0), crMark);

    xMarkW = 130;
    yMarkW = 70;
    InvalidateRect(a.hWnd, nullptr, FALSE);
    UpdateWindow(a.hWnd);
    EXPECT_EQ(pxpixel(a.hWnd, 30, 20), crMark);
}

TEST_F(Decode, EraseContextCoversTheClientAreaAndADeclinedEraseIsDoneOnce) {
    ASSERT_TRUE(rec(a, WS_POPUP | WS_VISIBLE));
    XSETHANDLER<WM_ERASEBKGND>(a, onerase);
    pxsettle();
    XREC_START();
    xCalls.clear();
    InvalidateRect(a.hWnd, nullptr, TRUE);
    UpdateWindow(a.hWnd);
    ASSERT_EQ(pxcallsof(WM_ERASEBKGND).size(), 1u);
    EXPECT_SEQ(xSeqEraseDeclined(xSeen.hDC));
    RECT c;
    GetClientRect(a.hWnd, &c);
    EXPECT_EQ(xSeen.vx1, 0);
    EXPECT_EQ(xSeen.vy1, 0);
    EXPECT_EQ(xSeen.vx2, c.right);
    EXPECT_EQ(xSeen.vy2, c.bottom);
    EXPECT_EQ(xSeen.wx2, static_cast<float>(c.right));
    EXPECT_EQ(xSeen.wy2, static_cast<float>(c.bottom));

    XREC_START();
    xRecAnswer[WM_ERASEBKGND] = XTRUE;
    InvalidateRect(a.hWnd, nullptr, TRUE);
    UpdateWindow(a.hWnd);
    EXPECT_SEQ(xSeqEraseClaimed);
}

TEST_F(Decode, SixDecodingsRunTheDefaultProcessingExactlyOnceWhenDeclined) {
    ASSERT_TRUE(rec(a, WS_POPUP | WS_VISIBLE));
    XREC_HANDLE<WM_ACTIVATE, WM_ERASEBKGND, WM_CONTEXTMENU, WM_CHAR, WM_DEADCHAR, WM_CLOSE>(a);
    HDC hDC = GetDC(a.hWnd);
    const auto dc = reinterpret_cast<WPARAM>(hDC);
    for (int round = 0; round < 2; ++round) {
        XREC_START();
        if (round == 1)
            for (UINT m : {WM_ACTIVATE, WM_ERASEBKGND, WM_CONTEXTMENU, WM_CHAR, WM_DEADCHAR})
                xRecAnswer[m] = XTRUE;
        SendMessageA(a.hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
        SendMessageA(a.hWnd, WM_ERASEBKGND, dc, 0);
        SendMessageA(a.hWnd, WM_CONTEXTMENU, 0, MAKELPARAM(5, 5));
        SendMessageA(a.hWnd, WM_CHAR, 'x', 1);
        SendMessageA(a.hWnd, WM_DEADCHAR, '^', 1);
        if (round == 0)
            EXPECT_SEQ(xSeqSixDeclined);
        else
            EXPECT_SEQ(xSeqSixClaimed);
    }
    ReleaseDC(a.hWnd, hDC);
    XREC_START();
    SendMessageA(a.hWnd, WM_CLOSE, 0, 0);
    EXPECT_SEQ(xSeqCloseDeclined);
    EXPECT_FALSE(IsWindow(a.hWnd)) << "the declined close was carried out";
}

TEST_F(Decode, ScrollHandlersGetThe32BitPositionTheTrackPositionAndTheBar) {
    ASSERT_TRUE(rec(a, WS_POPUP | WS_VISIBLE | WS_VSCROLL));
    XSETHANDLER<WM_VSCROLL>(a, onscroll<WM_VSCROLL>);
    XSCROLLBARSET(a, SB_VERT, 70000, 0, 100000, 10);
    ASSERT_NO_FATAL_FAILURE(focus(a.hWnd, a.hWnd));

    // The message carries 70000 cut to 16 bits; the handler gets the bar's own 32-bit value.
    SendMessageA(a.hWnd, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    SendMessageA(a.hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 70000 & 0xFFFF), 0);
    EXPECT_SEQ(xSeqScrollOwnBar);
    EXPECT_EQ(pxcallsof(WM_VSCROLL)[0][2], SB_VERT);

    // A real drag of the thumb: while tracking, the handler gets the track position, and the
    // bar still holds 70000.
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    ASSERT_TRUE(GetScrollBarInfo(a.hWnd, OBJID_VSCROLL, &sbi));
    const int tx = (sbi.rcScrollBar.left + sbi.rcScrollBar.right) / 2;
    const int ty = sbi.rcScrollBar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
    xCalls.clear();
    pxmoveto(tx, ty);
    pxmouse(MOUSEEVENTF_LEFTDOWN);
    pxmoveto(tx, ty - 40);
    pxmouse(MOUSEEVENTF_LEFTUP);
    pxsettle();
    XARGS track;
    for (const auto& c : pxcallsof(WM_VSCROLL)) {
        if (c[0] == SB_THUMBTRACK) track = c;
        if (c[0] == SB_THUMBPOSITION) {
            ASSERT_FALSE(track.empty());
            EXPECT_EQ(c[1], track[1]);
        }
    }
    ASSERT_FALSE(track.empty());
    EXPECT_LT(track[1], 60000) << "the thumb went up";
    EXPECT_EQ(track[3], 70000) << "the bar itself still holds its position";

    // A scroll-bar control without a control record: its handle is the bar, the 32-bit position
    // is read from it, and there is no default processing.
    const HWND hBar =
        CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 20, 150, a.hWnd,
                        reinterpret_cast<HMENU>(5), nullptr, nullptr);
    ASSERT_TRUE(hBar);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS | SIF_PAGE, 0, 100000, 10, 70000, 0};
    SetScrollInfo(hBar, SB_CTL, &si, TRUE);
    ASSERT_NO_FATAL_FAILURE(focus(a.hWnd, hBar));
    pxtap(VK_DOWN, 0x50, true);
    pxsettle();
    EXPECT_SEQ(xSeqScrollBarControl);
    ASSERT_FALSE(pxcallsof(WM_VSCROLL).empty());
    EXPECT_EQ(pxcallsof(WM_VSCROLL)[0][2], P(hBar));
}

TEST_F(Decode, DroppedFilesArriveOnceAsBlankPaddedNamesOf260Characters) {
    ASSERT_TRUE(rec(a, WS_POPUP));
    XSETHANDLER<WM_DROPFILES>(a, ondropfiles);
    const std::string longName = "C:\\" + std::string(300, 'n');
    const std::string names[] = {"C:\\a.txt", "D:\\dir\\b c.dat", longName};
    std::string list;
    for (const auto& n : names) list += n + '\0';
    list += '\0';
    HGLOBAL hDrop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    ASSERT_TRUE(hDrop);
    auto* df = static_cast<DROPFILES*>(GlobalLock(hDrop));
    df->pFiles = sizeof(DROPFILES);
    std::memcpy(df + 1, list.data(), list.size());
    GlobalUnlock(hDrop);

    SendMessageA(a.hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
    ASSERT_EQ(pxcallsof(WM_DROPFILES).size(), 1u);
    ASSERT_EQ(xDropped.size(), 3u);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(xDropped[i], names[i] + std::string(260 - names[i].size(), ' '));
    EXPECT_EQ(xDropped[2], longName.substr(0, 259) + " ") << "cut to fit 260 characters";
}

TEST_F(Decode, MdiActivateAtTheClientAndAtTheChildren) {
    struct Restore {
        XWND* saved = xApp.pxMDI;
        ~Restore() { xApp.pxMDI = saved; }
    } restore;
    ASSERT_TRUE(own(a, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 500, 400));
    CLIENTCREATESTRUCT ccs{nullptr, 50000};
    ASSERT_TRUE(XCREATEWINDOW(b, a, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, "", std::nullopt, 0, 0,
                              400, 300, nullptr, "MDICLIENT", 1, reinterpret_cast<LPARAM>(&ccs)));
    xApp.pxMDI = &b;
    XSETHANDLER<WM_MDIACTIVATE>(b, onwindow<WM_MDIACTIVATE>);
    XSETHANDLER<WM_MDIDESTROY>(b, onwindow<WM_MDIDESTROY>);
    HWND hChild[2];
    XWND* child[2] = {&c1, &c2};
    for (int i = 0; i < 2; ++i) {
        child[i]->lpfnOldProc = XOLD_CLASS; // as the framework prepares an MDI child's object
        MDICREATESTRUCTA mcs{};
        mcs.szClass = "XWndClass";
        mcs.szTitle = "child";
        mcs.hOwner = GetModuleHandleA(nullptr);
        mcs.cx = 200;
        mcs.cy = 150;
        mcs.lParam = reinterpret_cast<LPARAM>(child[i]);
        hChild[i] = reinterpret_cast<HWND>(
            SendMessageA(b.hWnd, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
        ASSERT_TRUE(hChild[i]);
        ASSERT_EQ(child[i]->hWnd, hChild[i]);
        XSETHANDLER<WM_MDIACTIVATE>(*child[i], onwindow<WM_MDIACTIVATE>);
    }
    ASSERT_EQ(SendMessageA(b.hWnd, WM_MDIGETACTIVE, 0, 0), P(hChild[1]));
    xCalls.clear();

    // At the client: the child to activate in the first place, the desktop's object second. The
    // handler declines, so the client activates it, and the children each hear the other form.
    SendMessageA(b.hWnd, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hChild[0]), 0);
    EXPECT_EQ(SendMessageA(b.hWnd, WM_MDIGETACTIVE, 0, 0), P(hChild[0]));
    const auto calls = pxcallsof(WM_MDIACTIVATE);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0][0], P(&c1));
    EXPECT_EQ(calls[0][2], P(GetDesktopWindow()));
    for (size_t i = 1; i < calls.size(); ++i) {
        EXPECT_TRUE(calls[i][0] == P(&c1) || calls[i][0] == P(&c2));
        EXPECT_EQ(calls[i][1], P(&c2)) << "the object of the window being deactivated";
    }

    xCalls.clear();
    SendMessageA(b.hWnd, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hChild[1]), 0);
    ASSERT_FALSE(pxcallsof(WM_MDIDESTROY).empty());
    EXPECT_EQ(pxcallsof(WM_MDIDESTROY)[0], (XARGS{P(&b), P(&c2), P(hChild[1])}));
    EXPECT_FALSE(IsWindow(hChild[1]));
}

TEST_F(Decode, MdiActivateAtTheClientForAWindowWithoutObjectGivesTwoObjects) {
    struct Restore {
        XWND* saved = xApp.pxMDI;
        ~Restore() { xApp.pxMDI = saved; }
    } restore;
    ASSERT_TRUE(own(a, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 500, 400));
    CLIENTCREATESTRUCT ccs{nullptr, 50000};
    ASSERT_TRUE(XCREATEWINDOW(b, a, WS_CHILD | WS_VISIBLE, "", std::nullopt, 0, 0, 400, 300,
                              nullptr, "MDICLIENT", 1, reinterpret_cast<LPARAM>(&ccs)));
    xApp.pxMDI = &b;
    XSETHANDLER<WM_MDIACTIVATE>(b, onmdiclient);
    const HWND hPlain =
        CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, b.hWnd, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hPlain);
    SendMessageA(b.hWnd, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hPlain), 0);
    const auto calls = pxcallsof(WM_MDIACTIVATE);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0][0], P(hPlain)) << "the first object names the window being activated";
    EXPECT_EQ(calls[0][2], P(GetDesktopWindow()));
    EXPECT_NE(calls[0][3], calls[0][1]) << "two distinct objects";
    DestroyWindow(hPlain);
}

TEST_F(Decode, DropHandleIsFinishedEvenForAHandlerWithTheWrongArgumentList) {
    ASSERT_TRUE(rec(a, WS_POPUP));
    XSETHANDLER(a, WM_DROPFILES, onwrongdrop);
    const char list[] = "C:\\a.txt\0";
    HGLOBAL hDrop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + sizeof list);
    ASSERT_TRUE(hDrop);
    auto* df = static_cast<DROPFILES*>(GlobalLock(hDrop));
    df->pFiles = sizeof(DROPFILES);
    std::memcpy(df + 1, list, sizeof list);
    GlobalUnlock(hDrop);
    {
        XExceptionLog log;
        SendMessageA(a.hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
        EXPECT_EQ(log.codes(), (std::vector<DWORD>{XEXC_ARGLIST}));
    }
    EXPECT_EQ(GlobalSize(hDrop), 0u) << "DragFinish released the drop handle";
}

TEST_F(Decode, MenuMessagesCarryAMenuObjectOfTheOwner) {
    HMENU hBar = CreateMenu(), hPopup = CreatePopupMenu();
    AppendMenuA(hPopup, MF_STRING, 100, "Item");
    AppendMenuA(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), "File");
    XMENU menu{hBar, nullptr};
    ASSERT_TRUE(XCREATEWINDOW(a, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "menu", std::nullopt, 0, 0,
                              300, 200, &menu));
    EXPECT_EQ(menu.hOwner, a.hWnd);
    XSETHANDLER<WM_INITMENU>(a, oninitmenu);
    XSETHANDLER<WM_INITMENUPOPUP>(a, oninitmenupopup);
    XSETHANDLER<WM_ENTERMENULOOP>(a, onflag<WM_ENTERMENULOOP>);
    XSETHANDLER<WM_EXITMENULOOP>(a, onflag<WM_EXITMENULOOP>);
    ASSERT_NO_FATAL_FAILURE(focus(a.hWnd, a.hWnd));

    // A pop-up menu tracked for real, closed by an Escape already waiting in the queue.
    PostMessageA(a.hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    TrackPopupMenu(hPopup, TPM_RETURNCMD, 50, 50, 0, a.hWnd, nullptr);
    pxsettle();
    ASSERT_EQ(pxcallsof(WM_INITMENU).size(), 1u);
    EXPECT_EQ(pxcallsof(WM_INITMENU)[0], (XARGS{P(hPopup), P(a.hWnd)}));
    ASSERT_EQ(pxcallsof(WM_INITMENUPOPUP).size(), 1u);
    EXPECT_EQ(pxcallsof(WM_INITMENUPOPUP)[0], (XARGS{P(hPopup), false, P(a.hWnd)}));
    EXPECT_EQ(pxcallsof(WM_ENTERMENULOOP), (std::vector<XARGS>{{true}}));
    EXPECT_EQ(pxcallsof(WM_EXITMENULOOP), (std::vector<XARGS>{{true}}));

    SendMessageA(a.hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(0, 1));
    EXPECT_EQ(pxcallsof(WM_INITMENUPOPUP).back()[1], true) << "the system menu";
}

TEST_F(Decode, FocusAndActivationNameTheOtherWindowsObject) {
    ASSERT_TRUE(rec(a, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100));
    ASSERT_TRUE(rec(b, WS_POPUP | WS_VISIBLE, 200, 0, 100, 100));
    ASSERT_NO_FATAL_FAILURE(focus(a.hWnd, a.hWnd));
    for (XWND* w : {&a, &b}) {
        XSETHANDLER<WM_ACTIVATE>(*w, onactivate);
        XSETHANDLER<WM_SETFOCUS>(*w, onwindow<WM_SETFOCUS>);
        XSETHANDLER<WM_KILLFOCUS>(*w, onwindow<WM_KILLFOCUS>);
        XSETHANDLER<WM_ENABLE>(*w, onflag<WM_ENABLE>);
    }
    SetForegroundWindow(b.hWnd);
    pxsettle();
    ASSERT_EQ(GetFocus(), b.hWnd);
    EXPECT_EQ(pxcallsof(WM_ACTIVATE), (std::vector<XARGS>{{WA_INACTIVE, false, P(&a), P(&b)},
                                                          {WA_ACTIVE, false, P(&b), P(&a)}}));
    EXPECT_EQ(pxcallsof(WM_KILLFOCUS), (std::vector<XARGS>{{P(&a), P(&b), P(b.hWnd)}}));
    // WM_SETFOCUS names the desktop's scratch object, not the window that lost the focus.
    ASSERT_EQ(pxcallsof(WM_SETFOCUS).size(), 1u);
    EXPECT_EQ(pxcallsof(WM_SETFOCUS)[0][0], P(&b));
    EXPECT_EQ(pxcallsof(WM_SETFOCUS)[0][2], P(GetDesktopWindow()));

    EnableWindow(a.hWnd, FALSE);
    EnableWindow(a.hWnd, TRUE);
    EXPECT_EQ(pxcallsof(WM_ENABLE), (std::vector<XARGS>{{false}, {true}}));
}

// The general form's raw words, and in/out words at their full width (the halves and bits
// of every row are checked natively, from the message table).
TEST_F(Decode, GeneralFormIsRawAndInOutWordsReachTheDefaultWhole) {
    ASSERT_TRUE(rec(a, WS_POPUP));
    XSETHANDLER<WM_NCMOUSEMOVE>(a, onncmouse<WM_NCMOUSEMOVE>);
    XSETHANDLER<WM_DISPLAYCHANGE>(a, ondisplay);
    XSETHANDLER<WM_HELP>(a, onhelp);
    XSETHANDLER<WM_HOTKEY>(a, onhotkey);
    XSETHANDLER<WM_TIMER>(a, ontimer);
    XREC_HANDLE<WM_NCRBUTTONDOWN, WM_RBUTTONDBLCLK>(a);
    const HWND h = a.hWnd;
    auto last = [](UINT m) { return pxcallsof(m).empty() ? XARGS{} : pxcallsof(m).back(); };

    // The general form sees the raw parameters.
    XREC_START();
    const LPARAM pt = MAKELPARAM(-10, -20);
    SendMessageA(h, WM_NCRBUTTONDOWN, HTBORDER, pt); // on the caption the default would track
    SendMessageA(h, WM_RBUTTONDBLCLK, MK_RBUTTON, pt);
    EXPECT_SEQ(xSeqGeneralFormRaw(pt));

    // In/out words: what the handler writes is what the default processing gets; what it leaves
    // alone reaches the default processing as it came, at the parameter's full width.
    XREC_START();
    xInOutTo = HTNOWHERE;
    SendMessageA(h, WM_NCMOUSEMOVE, HTCAPTION, pt);
    EXPECT_EQ(last(WM_NCMOUSEMOVE), (XARGS{-10, -20, HTCAPTION}));
    xInOutTo = 16;
    SendMessageA(h, WM_DISPLAYCHANGE, 24, 0);
    HELPINFO hi{sizeof hi, HELPINFO_MENUITEM, 5, nullptr, 0, {0, 0}};
    SendMessageA(h, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(last(WM_HELP), (XARGS{true, 5}));
    EXPECT_EQ(hi.iCtrlId, 16);
    xInOutTo = -1;
    const auto snapDesktop = static_cast<WPARAM>(static_cast<INT_PTR>(IDHOT_SNAPDESKTOP));
    SendMessageA(h, WM_HOTKEY, snapDesktop, 0);
    EXPECT_EQ(last(WM_HOTKEY), (XARGS{IDHOT_SNAPDESKTOP}));
    const WPARAM timer = sizeof(WPARAM) > 4 ? static_cast<WPARAM>(0x100000005ull) : 5;
    SendMessageA(h, WM_TIMER, timer, 0);
    EXPECT_EQ(last(WM_TIMER), (XARGS{static_cast<long long>(timer)})) << "never cut to 32 bits";
    EXPECT_SEQ(xSeqInOutWords(snapDesktop, timer));
}

} // namespace
