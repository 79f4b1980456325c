// Window objects and the window registry on the real API: creation into an object, binding
// existing windows, release at destruction, the lookups, and registration in the tables.
#include <gtest/gtest.h>

#include "ZEBCtrl.h"

#include <set>
#include <string>
#include <vector>

#include "gdiprobe.h"
#include "zebtest.h"

namespace {

constexpr UINT WM_PROBE = WM_APP + 40;
constexpr char XPLAIN_CLASS[] = "ZebWindowTestPlain";

const XWND xNone; // parent "none": the desktop

int nProbeA = 0, nProbeB = 0;
LRESULT pxprobea(XWND&, int&, WPARAM&, LPARAM&) {
    ++nProbeA;
    return XTRUE;
}
LRESULT pxprobeb(XWND&, int&, WPARAM&, LPARAM&) {
    ++nProbeB;
    return XTRUE;
}

int nCmdA = 0, nCmdB = 0, nLastCode = -99;
void pxcmda(XWND&, int, int iCode) {
    ++nCmdA;
    nLastCode = iCode;
}
void pxcmdb(XWND&, int, int iCode) {
    ++nCmdB;
    nLastCode = iCode;
}

// The procedure of a plain (non-framework) class: counts what reaches it.
int nPlainMsgs = 0;
LRESULT CALLBACK pxplainproc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    if (iMsg == WM_PROBE) ++nPlainMsgs;
    return DefWindowProcA(hWnd, iMsg, wParam, lParam);
}

void pxregisterplain(const char* sName) {
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), sName, &wc)) return;
    wc.lpfnWndProc = pxplainproc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = sName;
    RegisterClassA(&wc);
}

HWND pxplain(HWND hParent = nullptr, int iID = 0, DWORD dwStyle = 0) {
    pxregisterplain(XPLAIN_CLASS);
    if (hParent) dwStyle |= WS_CHILD;
    return CreateWindowExA(0, XPLAIN_CLASS, "plain", dwStyle, 0, 0, 200, 100, hParent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(iID)),
                           GetModuleHandleA(nullptr), nullptr);
}

HWND pxchild(const char* sClass, HWND hParent, int iID, DWORD dwStyle = 0) {
    return CreateWindowExA(0, sClass, "", WS_CHILD | WS_VISIBLE | dwStyle, 0, 0, 50, 20, hParent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(iID)),
                           GetModuleHandleA(nullptr), nullptr);
}

LONG_PTR pxproc(HWND hWnd) {
    return GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
}
LONG_PTR pxours() {
    return reinterpret_cast<LONG_PTR>(fxwindowproc);
}

std::string pxclassname(HWND hWnd) {
    char buf[256] = {};
    GetClassNameA(hWnd, buf, sizeof buf);
    return buf;
}

std::string PXTEXT(HWND hWnd) {
    std::string s(4096, '\0');
    s.resize(static_cast<std::size_t>(GetWindowTextA(hWnd, s.data(), 4096)));
    return s;
}

bool pxtablesreleased(const XWND& x) {
    return x.nHandlers == 0 && x.nCommands == 0 && x.nControls == 0 && x.reserved == 0 &&
           !x.iMsg.allocated() && !x.pfnHandler.allocated() && !x.iCmdID.allocated() &&
           !x.pfnCommand.allocated() && !x.xCtl.allocated();
}

// What CreateWindowExA was asked for, seen through a CBT hook on this thread.
struct XCREATION {
    HWND hWnd;
    DWORD dwStyle, dwExStyle;
    HMENU hMenu;
    HWND hParent;
};
std::vector<XCREATION> xCreations;

LRESULT CALLBACK pxcbtproc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        xCreations.push_back({reinterpret_cast<HWND>(wParam), static_cast<DWORD>(cs->style),
                              cs->dwExStyle, cs->hMenu, cs->hwndParent});
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

// The request that created hWnd (the system may create helper windows of its own meanwhile).
XCREATION pxcreation(HWND hWnd) {
    for (const XCREATION& c : xCreations)
        if (c.hWnd == hWnd) return c;
    ADD_FAILURE() << "no creation seen for this window";
    return {};
}

class XCreationLog {
  public:
    XCreationLog() : hHook_(SetWindowsHookExA(WH_CBT, pxcbtproc, nullptr, GetCurrentThreadId())) {
        xCreations.clear();
    }
    ~XCreationLog() { UnhookWindowsHookEx(hHook_); }
    XCreationLog(const XCreationLog&) = delete;
    XCreationLog& operator=(const XCreationLog&) = delete;

  private:
    HHOOK hHook_;
};

// Sits on top of a framework window's procedure and looks at its properties right after the
// framework has handled WM_NCDESTROY, while the handle is still valid.
struct XAFTERNCDESTROY {
    WNDPROC pfnInner = nullptr;
    bool bSeen = false, bAlive = false;
    HANDLE hXwnd = nullptr, hXctl = nullptr;
} xAfter;

LRESULT CALLBACK pxouterproc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = CallWindowProcA(xAfter.pfnInner, hWnd, iMsg, wParam, lParam);
    if (iMsg == WM_NCDESTROY) {
        xAfter.bSeen = true;
        xAfter.bAlive = IsWindow(hWnd) != 0;
        xAfter.hXwnd = GetPropA(hWnd, "XWND");
        xAfter.hXctl = GetPropA(hWnd, "XCTL");
    }
    return r;
}

} // namespace

// XCREATEWINDOW

TEST(Creation, ForeignClassIsSubclassedAndStillBehavesAsItsClass) {
    XWND host, edit;
    ASSERT_TRUE(XCREATEWINDOW(host, xNone, WS_OVERLAPPEDWINDOW, "host"));
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(nullptr, "Edit", &wc));
    const int nBefore = xApp.nWindows;
    ASSERT_TRUE(XCREATEWINDOW(edit, host, WS_CHILD | WS_VISIBLE, "first", std::nullopt, 0, 0, 100,
                              20, nullptr, "Edit", 5));
    EXPECT_EQ(xApp.nWindows, nBefore + 1);
    EXPECT_EQ(edit.lpfnOldProc, reinterpret_cast<LONG_PTR>(wc.lpfnWndProc));
    EXPECT_EQ(pxproc(edit.hWnd), pxours());
    EXPECT_EQ(GetPropA(edit.hWnd, "XWND"), &edit);
    EXPECT_EQ(FXWNDBYHANDLE(edit.hWnd), &edit);
    EXPECT_EQ(edit.iID, 5);
    EXPECT_EQ(GetWindowLongA(edit.hWnd, GWL_ID), 5);

    // Unhandled messages reach the edit control through its old procedure.
    EXPECT_EQ(PXTEXT(edit.hWnd), "first");
    EXPECT_TRUE(SendMessageA(edit.hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("second")));
    EXPECT_EQ(PXTEXT(edit.hWnd), "second");
    SendMessageA(edit.hWnd, EM_SETSEL, 1, 4);
    DWORD from = 0, to = 0;
    SendMessageA(edit.hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 1u);
    EXPECT_EQ(to, 4u);

    // A handler claims what it handles before the edit control sees it.
    XSETHANDLER(edit, WM_PROBE, pxprobea);
    nProbeA = 0;
    EXPECT_EQ(SendMessageA(edit.hWnd, WM_PROBE, 0, 0), XTRUE);
    EXPECT_EQ(nProbeA, 1);

    XDESTROYWINDOW(host);
    EXPECT_FALSE(IsWindow(edit.hWnd));
}

TEST(Creation, UnknownClassOrRefusedCreationCreatesNothing) {
    XWND w;
    const int nBefore = xApp.nWindows;
    {
        XCreationLog log;
        EXPECT_FALSE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "x", std::nullopt, std::nullopt,
                                   std::nullopt, std::nullopt, std::nullopt, nullptr,
                                   "ZebNoSuchClassAnywhere"));
        EXPECT_TRUE(xCreations.empty());
    }
    EXPECT_EQ(w.hWnd, nullptr);
    EXPECT_EQ(w.lpfnOldProc, XOLD_NONE);
    EXPECT_EQ(xApp.nWindows, nBefore);
    EXPECT_FALSE(XSETHANDLER(w, WM_PROBE, pxprobea)) << "an object without window";
    EXPECT_FALSE(w.iMsg.allocated());

    // A child without parent: the system refuses it.
    EXPECT_FALSE(XCREATEWINDOW(w, xNone, WS_CHILD));
    EXPECT_EQ(w.hWnd, nullptr);
    EXPECT_EQ(xApp.nWindows, nBefore);
}

TEST(Creation, FrameworkClassNamedExplicitlyIsTheDefault) {
    for (const char* sClass : {"XWndClass", "XWndClass      ", "xwndclass"}) {
        SCOPED_TRACE(sClass);
        XWND named, plain;
        ASSERT_TRUE(XCREATEWINDOW(named, xNone, WS_OVERLAPPEDWINDOW, "n", std::nullopt,
                                  std::nullopt, std::nullopt, std::nullopt, std::nullopt, nullptr,
                                  sClass));
        ASSERT_TRUE(XCREATEWINDOW(plain, xNone, WS_OVERLAPPEDWINDOW, "p"));
        for (const XWND* x : {&named, &plain}) {
            EXPECT_EQ(x->lpfnOldProc, XOLD_CLASS);
            EXPECT_EQ(pxproc(x->hWnd), pxours()) << "not subclassed";
            EXPECT_EQ(pxclassname(x->hWnd), "XWndClass");
            EXPECT_EQ(FXWNDBYHANDLE(x->hWnd), x);
        }
        XDESTROYWINDOW(named);
        XDESTROYWINDOW(plain);
    }
}

TEST(Creation, PrivateBufferedBitNeverReachesTheSystem) {
    XWND w, h;
    XCreationLog log;
    ASSERT_TRUE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "b", 0x40000000 | WS_EX_CLIENTEDGE));
    EXPECT_EQ(pxcreation(w.hWnd).dwExStyle & ~WS_EX_WINDOWEDGE,
              static_cast<DWORD>(WS_EX_CLIENTEDGE))
        << "the system adds only the window edge";
    const LONG ex = GetWindowLongA(w.hWnd, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(ex & 0x40000000);
    EXPECT_EQ(w.iFlags, XWF_BUFFERED);

    ASSERT_TRUE(XCREATEWINDOW(h, xNone, WS_OVERLAPPEDWINDOW, "u", WS_EX_CLIENTEDGE));
    EXPECT_EQ(h.iFlags, 0);
    XDESTROYWINDOW(w);
    XDESTROYWINDOW(h);
}

TEST(Creation, MenuGoesToTopLevelWindowsOnlyAndChildrenTakeTheirIdentifier) {
    XWND frame, child, numbered;
    XMENU menu{CreateMenu(), reinterpret_cast<HWND>(static_cast<INT_PTR>(0x5EED))};
    const HMENU hMenu = menu.hMenu;
    AppendMenuA(hMenu, MF_STRING, 100, "&Item");

    XCreationLog log;
    ASSERT_TRUE(XCREATEWINDOW(frame, xNone, WS_OVERLAPPEDWINDOW, "f"));
    ASSERT_TRUE(XCREATEWINDOW(child, frame, WS_CHILD, "c", std::nullopt, 0, 0, 10, 10, &menu));
    EXPECT_EQ(pxcreation(child.hWnd).hMenu, nullptr) << "a child never gets the menu as identifier";
    EXPECT_EQ(pxcreation(child.hWnd).hParent, frame.hWnd);
    EXPECT_EQ(GetWindowLongA(child.hWnd, GWL_ID), 0);
    EXPECT_EQ(menu.hMenu, hMenu);
    EXPECT_EQ(menu.hOwner, reinterpret_cast<HWND>(static_cast<INT_PTR>(0x5EED)));

    ASSERT_TRUE(XCREATEWINDOW(numbered, frame, WS_CHILD, "n", std::nullopt, 0, 0, 10, 10, &menu,
                              std::nullopt, 77));
    EXPECT_EQ(GetWindowLongA(numbered.hWnd, GWL_ID), 77);
    EXPECT_EQ(numbered.iID, 77);
    EXPECT_EQ(menu.hOwner, reinterpret_cast<HWND>(static_cast<INT_PTR>(0x5EED)));

    XWND top;
    ASSERT_TRUE(XCREATEWINDOW(top, xNone, WS_OVERLAPPEDWINDOW, "m", std::nullopt, std::nullopt,
                              std::nullopt, std::nullopt, std::nullopt, &menu, std::nullopt, 99));
    EXPECT_EQ(GetMenu(top.hWnd), hMenu);
    EXPECT_EQ(menu.hOwner, top.hWnd);

    XDESTROYWINDOW(top); // destroys the menu with it
    XDESTROYWINDOW(frame);
}

TEST(Creation, TitleIsTrimmedAndCutTo1023Characters) {
    std::string sLong;
    while (sLong.size() < 2000) sLong += "0123456789abcdefghij";
    XWND longer, padded, untitled;
    ASSERT_TRUE(XCREATEWINDOW(longer, xNone, WS_OVERLAPPEDWINDOW, sLong));
    EXPECT_EQ(PXTEXT(longer.hWnd), sLong.substr(0, 1023));
    ASSERT_TRUE(XCREATEWINDOW(padded, xNone, WS_OVERLAPPEDWINDOW, "  Tapmon   "));
    EXPECT_EQ(PXTEXT(padded.hWnd), "  Tapmon");
    ASSERT_TRUE(XCREATEWINDOW(untitled, xNone, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(PXTEXT(untitled.hWnd), "");
    for (XWND* x : {&longer, &padded, &untitled}) XDESTROYWINDOW(*x);
}

TEST(Creation, ClassNameIsCutTo63Characters) {
    std::string s63;
    while (s63.size() < 63) s63 += "ZebClassName";
    s63.resize(63);
    pxregisterplain(s63.c_str());
    XWND w;
    ASSERT_TRUE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "c", std::nullopt, std::nullopt,
                              std::nullopt, std::nullopt, std::nullopt, nullptr,
                              s63 + "ThatDoesNotFit"));
    EXPECT_EQ(pxclassname(w.hWnd), s63);
    EXPECT_EQ(w.lpfnOldProc, reinterpret_cast<LONG_PTR>(pxplainproc));
    EXPECT_EQ(pxproc(w.hWnd), pxours());

    nPlainMsgs = 0;
    SendMessageA(w.hWnd, WM_PROBE, 0, 0);
    EXPECT_EQ(nPlainMsgs, 1) << "default processing is the class's own procedure";
    XDESTROYWINDOW(w);
}

// The first window still names the object, now owned by the second window: its next message
// is a consistency error, and its destruction must not release the second window's tables.
TEST(Creation, ReusingALiveObjectReleasesItsTablesAndStrandsTheFirstWindow) {
    XWND w;
    ASSERT_TRUE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "first"));
    const HWND hFirst = w.hWnd;
    XSETHANDLER(w, WM_PROBE, pxprobea);
    XSETCOMMAND(w, 40001, pxcmda);
    ASSERT_TRUE(w.iMsg.allocated());

    const int nBefore = xApp.nWindows;
    ASSERT_TRUE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "second"));
    const HWND hSecond = w.hWnd;
    EXPECT_NE(hFirst, hSecond);
    EXPECT_EQ(xApp.nWindows, nBefore + 1);
    EXPECT_TRUE(pxtablesreleased(w));
    EXPECT_EQ(w.lpfnOldProc, XOLD_CLASS);

    nProbeA = 0;
    {
        XExceptionLog log;
        SendMessageA(hFirst, WM_PROBE, 0, 0);
        EXPECT_EQ(log.codes(), std::vector<DWORD>{XEXC_WNDMISMATCH});
    }
    EXPECT_EQ(nProbeA, 0);

    XSETHANDLER(w, WM_PROBE, pxprobeb);
    {
        XExceptionLog log;
        DestroyWindow(hFirst);
        EXPECT_FALSE(log.codes().empty());
        for (DWORD c : log.codes()) EXPECT_EQ(c, XEXC_WNDMISMATCH);
    }
    EXPECT_EQ(FXWNDBYHANDLE(hFirst), nullptr);
    EXPECT_EQ(w.hWnd, hSecond);
    EXPECT_EQ(w.nHandlers, 1) << "the stale window released the live window's tables";
    EXPECT_EQ(FXWNDBYHANDLE(hSecond), &w);
    nProbeB = 0;
    {
        XExceptionLog log;
        SendMessageA(hSecond, WM_PROBE, 0, 0);
        EXPECT_TRUE(log.codes().empty());
    }
    EXPECT_EQ(nProbeB, 1);
    XDESTROYWINDOW(w);
}

TEST(Creation, ReusingAnObjectUnlinksTheFirstWindowsControls) {
    XWND w;
    ASSERT_TRUE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "first"));
    const HWND hFirst = w.hWnd;
    ASSERT_EQ(XCTLCREATE(w, 21, 6, 0, 0, 0, 50, 20), 21);
    const HWND hEdit = GetDlgItem(hFirst, 21);
    ASSERT_NE(FXCTLBYHANDLE(hEdit), nullptr);
    ASSERT_TRUE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "second"));
    EXPECT_TRUE(IsWindow(hEdit)) << "the control stays";
    EXPECT_EQ(FXCTLBYHANDLE(hEdit), nullptr) << "its record went with the released list";
    {
        XExceptionLog log;
        DestroyWindow(hFirst);
    }
    XDESTROYWINDOW(w);
}

// XDESTROYWINDOW and XFREEWINDOW

TEST(Destruction, NcDestroyReleasesTablesAndProperties) {
    XWND w;
    ASSERT_TRUE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "d"));
    const HWND h = w.hWnd;
    XSETHANDLER(w, WM_PROBE, pxprobea);
    XSETCOMMAND(w, 40001, pxcmda);
    w.xCtl.allocate(3);
    SetPropA(h, "XCTL", &w.xCtl[0]); // the window's own record, as a dialog has
    xAfter = XAFTERNCDESTROY{};
    xAfter.pfnInner = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pxouterproc)));

    EXPECT_TRUE(XDESTROYWINDOW(w));
    EXPECT_EQ(w.hWnd, nullptr);
    ASSERT_TRUE(xAfter.bSeen);
    EXPECT_TRUE(xAfter.bAlive);
    EXPECT_EQ(xAfter.hXwnd, nullptr);
    EXPECT_EQ(xAfter.hXctl, nullptr);
    EXPECT_TRUE(pxtablesreleased(w));
    EXPECT_EQ(w.lpfnOldProc, XOLD_CLASS) << "the kind of default processing stays";
    EXPECT_EQ(FXWNDBYHANDLE(h), nullptr);
    EXPECT_FALSE(XDESTROYWINDOW(w)) << "nothing left to destroy";
}

TEST(Destruction, FreeWindowReleasesOnlyAnAttachedObject) {
    XWND w;
    ASSERT_TRUE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "f", 0x40000000));
    w.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    w.iCanvasWidth = 300;
    w.iCanvasHeight = 200;
    XSETHANDLER(w, WM_PROBE, pxprobea);
    XSETCOMMAND(w, 40001, pxcmda);
    const HWND h = w.hWnd;

    XFREEWINDOW(w);
    EXPECT_TRUE(pxtablesreleased(w));
    EXPECT_EQ(GetPropA(h, "XWND"), nullptr);
    EXPECT_EQ(FXWNDBYHANDLE(h), nullptr);
    EXPECT_FALSE(XISWINDOW(w, XQ_HASOBJECT));
    EXPECT_EQ(w.hWnd, h);
    EXPECT_EQ(w.lpfnOldProc, XOLD_CLASS);
    EXPECT_EQ(w.hCursor, LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(w.iFlags, XWF_BUFFERED);
    EXPECT_EQ(w.iCanvasWidth, 300);
    EXPECT_EQ(w.iCanvasHeight, 200);

    // The window no longer carries the object: a second release leaves new tables alone.
    XSETHANDLER(w, WM_PROBE, pxprobea);
    XFREEWINDOW(w);
    EXPECT_EQ(w.nHandlers, 1);
    EXPECT_TRUE(w.iMsg.allocated());
    nProbeA = 0;
    SendMessageA(h, WM_PROBE, 0, 0);
    EXPECT_EQ(nProbeA, 0) << "the detached window gets default processing";
    DestroyWindow(h);
}

// A destruction handler that creates a new window into its object while the old one still lives
// (the programming error that the old window's last message reports): the old window's
// remaining destruction steps leave the new window, its control and its handle alone.
bool bRecreated = false;
XRESULT pxrecreateondestroy(XWND& x) {
    if (!bRecreated) {
        bRecreated = true;
        XCREATEWINDOW(x, xNone, WS_OVERLAPPEDWINDOW, "again");
        XCTLCREATE(x, 21, XCC_EDIT, 0, 0, 0, 50, 20);
    }
    return XFALSE;
}

TEST(Destruction, ADestructionHandlerThatCreatesANewWindowIntoItsObjectKeepsIt) {
    XWND w;
    ASSERT_TRUE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "first"));
    const HWND hFirst = w.hWnd;
    XSETHANDLER<WM_DESTROY>(w, pxrecreateondestroy);
    bRecreated = false;
    {
        XExceptionLog log;
        XDESTROYWINDOW(w);
        for (DWORD c : log.codes()) EXPECT_EQ(c, XEXC_WNDMISMATCH);
    }
    ASSERT_TRUE(bRecreated);
    EXPECT_FALSE(IsWindow(hFirst));
    ASSERT_TRUE(IsWindow(w.hWnd));
    EXPECT_EQ(FXWNDBYHANDLE(w.hWnd), &w);
    const HWND hEdit = GetDlgItem(w.hWnd, 21);
    ASSERT_TRUE(hEdit) << "the new window's control stays";
    EXPECT_EQ(FXCTLBYHANDLE(hEdit), &w.xCtl[1]);
    XDESTROYWINDOW(w);
}

// XBINDWINDOW and XUNBINDWINDOW

TEST(Binding, PlainWindowGetsAHeapObjectAndIsSubclassed) {
    const HWND hParent = pxplain();
    const HWND h = pxplain(hParent, 33);
    ASSERT_TRUE(h);
    const int nBefore = xApp.nWindows;
    XWND* p = nullptr;
    ASSERT_TRUE(XBINDWINDOW(h, p));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(xApp.nWindows, nBefore + 1);
    EXPECT_EQ(p->hWnd, h);
    EXPECT_EQ(p->iID, 33);
    EXPECT_EQ(p->lpfnOldProc, reinterpret_cast<LONG_PTR>(pxplainproc));
    EXPECT_EQ(pxproc(h), pxours());
    EXPECT_EQ(GetPropA(h, "XWND"), p);
    EXPECT_EQ(FXWNDBYHANDLE(h), p);
    EXPECT_EQ(p->hCursor, XNOCURSOR);
    EXPECT_EQ(p->nControls, 0);
    EXPECT_EQ(p->nHandlers, 0);

    // Unhandled messages go on to the old procedure; a handler claims its own.
    nPlainMsgs = 0;
    SendMessageA(h, WM_PROBE, 0, 0);
    EXPECT_EQ(nPlainMsgs, 1);
    EXPECT_TRUE(XSETHANDLER(*p, WM_PROBE, pxprobea));
    SendMessageA(h, WM_PROBE, 0, 0);
    EXPECT_EQ(nPlainMsgs, 1);

    // Another unassociated pointer to the same window finds the same object.
    XWND* q = nullptr;
    EXPECT_TRUE(XBINDWINDOW(h, q));
    EXPECT_EQ(q, p);
    EXPECT_EQ(xApp.nWindows, nBefore + 1);

    // A top-level window has identifier 0.
    const HWND hTop = pxplain();
    XWND* t = nullptr;
    ASSERT_TRUE(XBINDWINDOW(hTop, t));
    EXPECT_EQ(t->iID, 0);

    EXPECT_TRUE(XUNBINDWINDOW(p));
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(pxproc(h), reinterpret_cast<LONG_PTR>(pxplainproc));
    EXPECT_EQ(GetPropA(h, "XWND"), nullptr);
    EXPECT_EQ(FXWNDBYHANDLE(h), nullptr);
    SendMessageA(h, WM_PROBE, 0, 0);
    EXPECT_EQ(nPlainMsgs, 2);
    EXPECT_FALSE(XUNBINDWINDOW(p)) << "no object";

    EXPECT_TRUE(XUNBINDWINDOW(t));
    DestroyWindow(hTop);
    DestroyWindow(hParent);
}

TEST(Binding, RefusesAnAssociatedPointerOrAnInvalidHandle) {
    const HWND h = pxplain();
    const HWND hOther = pxplain();
    XWND* p = nullptr;
    ASSERT_TRUE(XBINDWINDOW(h, p));
    const int nBefore = xApp.nWindows;

    XWND* q = p;
    EXPECT_FALSE(XBINDWINDOW(hOther, q));
    EXPECT_EQ(q, p);
    EXPECT_EQ(p->hWnd, h);
    EXPECT_EQ(GetPropA(hOther, "XWND"), nullptr);
    EXPECT_EQ(pxproc(hOther), reinterpret_cast<LONG_PTR>(pxplainproc));

    const HWND hGone = pxplain();
    DestroyWindow(hGone);
    XWND* r = nullptr;
    EXPECT_FALSE(XBINDWINDOW(hGone, r));
    EXPECT_EQ(r, nullptr);
    EXPECT_FALSE(XBINDWINDOW(nullptr, r));
    EXPECT_EQ(r, nullptr);
    EXPECT_EQ(xApp.nWindows, nBefore);

    EXPECT_TRUE(XUNBINDWINDOW(p));
    DestroyWindow(h);
    DestroyWindow(hOther);
}

TEST(Binding, ChildControlsWithPositiveIdentifiersGetRecords) {
    const HWND h = pxplain(nullptr, 0, WS_OVERLAPPEDWINDOW);
    const HWND hOk = pxchild("BUTTON", h, IDOK, BS_DEFPUSHBUTTON);
    const HWND hCancel = pxchild("BUTTON", h, IDCANCEL, BS_PUSHBUTTON);
    const HWND hEdit = pxchild("EDIT", h, 10, WS_BORDER);
    const HWND hList = pxchild("LISTBOX", h, 12);
    const HWND hLabel = pxchild("STATIC", h, -1);
    const HWND hBox = pxchild("STATIC", h, 0);
    const HWND hCheck = pxchild("BUTTON", hBox, 30, BS_AUTOCHECKBOX); // a grandchild
    for (HWND c : {hOk, hCancel, hEdit, hList, hLabel, hBox, hCheck}) ASSERT_TRUE(c);

    XWND* p = nullptr;
    ASSERT_TRUE(XBINDWINDOW(h, p));
    ASSERT_EQ(p->nControls, 5);
    EXPECT_EQ(p->xCtl.capacity(), 6) << "entry 0 is kept for the window itself";
    EXPECT_EQ(p->xCtl[0].hCtl, nullptr);

    const std::pair<HWND, int> expected[] = {
        {hOk, 3}, {hCancel, 3}, {hEdit, 6}, {hList, 7}, {hCheck, 4}};
    std::set<HWND> seen;
    for (int i = 1; i <= p->nControls; ++i) {
        const XCTLREC& c = p->xCtl[i];
        SCOPED_TRACE(i);
        seen.insert(c.hCtl);
        int iClass = -1;
        for (const auto& e : expected)
            if (e.first == c.hCtl) iClass = e.second;
        EXPECT_EQ(c.iClass, iClass);
        EXPECT_EQ(c.iStyle, GetWindowLongA(c.hCtl, GWL_STYLE));
        EXPECT_EQ(c.hParent, h);
        EXPECT_EQ(c.hBrush, XNOBRUSH);
        EXPECT_EQ(c.crText, -1);
        EXPECT_EQ(c.hFont, nullptr);
        EXPECT_EQ(GetPropA(c.hCtl, "XCTL"), &c);
        const int id = GetWindowLongA(c.hCtl, GWL_ID);
        const XPROC pfnEnd = id == IDOK || id == IDCANCEL ? XPROCOF(PXENDDIALOG).pfn : nullptr;
        EXPECT_EQ(c.pfnCallback[0].pfn, pfnEnd);
        for (int k = 1; k < 4; ++k) EXPECT_EQ(c.pfnCallback[k].pfn, nullptr);
    }
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(GetPropA(hLabel, "XCTL"), nullptr);
    EXPECT_EQ(GetPropA(hBox, "XCTL"), nullptr);

    // A click on Cancel ends the bound window as a dialog, with the button's identifier.
    MSG msg;
    while (PeekMessageA(&msg, h, XM_ENDDIALOG, XM_ENDDIALOG, PM_REMOVE)) {
    }
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hCancel));
    ASSERT_TRUE(PeekMessageA(&msg, h, XM_ENDDIALOG, XM_ENDDIALOG, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(IDCANCEL));
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(h));

    EXPECT_TRUE(XUNBINDWINDOW(p));
    DestroyWindow(h);
}

TEST(Binding, UnbindRefusesObjectsThatWereNeverSubclassed) {
    XWND framework;
    ASSERT_TRUE(XCREATEWINDOW(framework, xNone, WS_OVERLAPPEDWINDOW, "fw"));
    XWND* p = &framework;
    EXPECT_FALSE(XUNBINDWINDOW(p));
    EXPECT_EQ(p, &framework);
    EXPECT_EQ(FXWNDBYHANDLE(framework.hWnd), &framework);
    EXPECT_EQ(pxproc(framework.hWnd), pxours());

    XWND dialog;
    dialog.lpfnOldProc = XOLD_DIALOG;
    XWND* d = &dialog;
    EXPECT_FALSE(XUNBINDWINDOW(d));
    XWND empty;
    XWND* e = &empty;
    EXPECT_FALSE(XUNBINDWINDOW(e));
    EXPECT_EQ(e, &empty);

    // A framework-class window without object binds without subclassing, and stays bound.
    const HWND hBare = CreateWindowExA(0, "XWndClass", "bare", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(hBare);
    EXPECT_EQ(FXWNDBYHANDLE(hBare), nullptr);
    XWND* b = nullptr;
    ASSERT_TRUE(XBINDWINDOW(hBare, b));
    EXPECT_EQ(b->lpfnOldProc, XOLD_CLASS);
    EXPECT_FALSE(XUNBINDWINDOW(b));
    EXPECT_EQ(FXWNDBYHANDLE(hBare), b);
    DestroyWindow(hBare);
    XDESTROYWINDOW(framework);
}

XWND xStaticEdit;

TEST(Binding, UnbindLeavesObjectsItDidNotAllocate) {
    XWND host;
    ASSERT_TRUE(XCREATEWINDOW(host, xNone, WS_OVERLAPPEDWINDOW, "host"));
    ASSERT_TRUE(XCREATEWINDOW(xStaticEdit, host, WS_CHILD, "text", std::nullopt, 0, 0, 80, 20,
                              nullptr, "Edit", 8));
    const HWND hEdit = xStaticEdit.hWnd;
    const LONG_PTR old = xStaticEdit.lpfnOldProc;

    XWND* p = nullptr;
    ASSERT_TRUE(XBINDWINDOW(hEdit, p));
    EXPECT_EQ(p, &xStaticEdit) << "the existing object, not a new one";
    EXPECT_TRUE(XUNBINDWINDOW(p));
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(pxproc(hEdit), old);
    EXPECT_EQ(GetPropA(hEdit, "XWND"), nullptr);
    EXPECT_EQ(xStaticEdit.lpfnOldProc, XOLD_NONE);
    EXPECT_EQ(xStaticEdit.hWnd, hEdit) << "the object is still ours to use";
    EXPECT_EQ(PXTEXT(hEdit), "text");

    // Reusable as any declared object.
    ASSERT_TRUE(XCREATEWINDOW(xStaticEdit, host, WS_CHILD, "again", std::nullopt, 0, 30, 80, 20,
                              nullptr, "Edit", 9));
    EXPECT_EQ(PXTEXT(xStaticEdit.hWnd), "again");
    XDESTROYWINDOW(host);
}

// XGETWINDOW

TEST(Lookup, ObjectOrSharedScratchObject) {
    XWND* desk = XGETWINDOW();
    ASSERT_NE(desk, nullptr);
    EXPECT_EQ(desk->hWnd, GetDesktopWindow());
    EXPECT_EQ(desk->iID, 0);
    EXPECT_EQ(desk->lpfnOldProc, XOLD_NONE);
    EXPECT_EQ(XGETWINDOW(static_cast<HWND>(nullptr)), desk);

    XWND fw;
    ASSERT_TRUE(XCREATEWINDOW(fw, xNone, WS_OVERLAPPEDWINDOW, "g"));
    EXPECT_EQ(XGETWINDOW(fw.hWnd), &fw);

    const HWND hParent = pxplain();
    const HWND hPlain = pxplain(hParent, 21);
    XWND* s = XGETWINDOW(hPlain);
    EXPECT_EQ(s, desk) << "one scratch object for all";
    EXPECT_EQ(s->hWnd, hPlain);
    EXPECT_EQ(s->iID, 21);
    EXPECT_EQ(s->lpfnOldProc, XOLD_NONE);
    EXPECT_EQ(s->hCursor, XNOCURSOR);
    EXPECT_FALSE(XSETHANDLER(*s, WM_PROBE, pxprobea));
    EXPECT_FALSE(XSETCOMMAND(*s, 40001, pxcmda));
    EXPECT_FALSE(s->iMsg.allocated());
    EXPECT_FALSE(s->iCmdID.allocated());
    EXPECT_EQ(s->nHandlers, 0);
    EXPECT_EQ(GetPropA(hPlain, "XWND"), nullptr);

    // Each call overwrites it.
    s->iCanvasWidth = 5;
    XGETWINDOW(hParent);
    EXPECT_EQ(s->hWnd, hParent);
    EXPECT_EQ(s->iID, 0);
    EXPECT_EQ(s->iCanvasWidth, 0);

    DestroyWindow(hParent);
    EXPECT_EQ(XGETWINDOW(hPlain), nullptr) << "no longer a window";
    XDESTROYWINDOW(fw);
}

TEST(Lookup, AnotherProcesssWindowHasNoObjectHere) {
    XTestPeer peer("window");
    const HWND hPeer = peer.window();
    ASSERT_TRUE(hPeer) << "the peer's framework window";
    HANDLE foreign = GetPropA(hPeer, "XWND");
    ASSERT_NE(foreign, nullptr) << "an address in the peer, meaningless here";

    EXPECT_EQ(FXWNDBYHANDLE(hPeer), nullptr);
    XWND* x = XGETWINDOW(hPeer);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x, XGETWINDOW()) << "the scratch object";
    EXPECT_EQ(XGETWINDOW(hPeer)->hWnd, hPeer);
    EXPECT_FALSE(XISWINDOW(*XGETWINDOW(hPeer), XQ_HASOBJECT));
    EXPECT_EQ(FXWNDBYHANDLE(hPeer), nullptr) << "nothing of the peer was kept";
    XWND* bound = nullptr;
    EXPECT_FALSE(XBINDWINDOW(hPeer, bound));
    EXPECT_EQ(bound, nullptr);
    EXPECT_EQ(GetPropA(hPeer, "XWND"), foreign) << "the peer's own link is left alone";

    // Handlers of this process hear of it as a window without an object.
    XWND fw;
    ASSERT_TRUE(XCREATEWINDOW(fw, xNone, WS_OVERLAPPEDWINDOW, "focus"));
    static XWND* pxOther;
    struct Focus {
        static LRESULT fn(XWND&, XWND* xOther) {
            pxOther = xOther;
            return XTRUE;
        }
    };
    XSETHANDLER<WM_KILLFOCUS>(fw, Focus::fn);
    pxOther = nullptr;
    SendMessageA(fw.hWnd, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hPeer), 0);
    ASSERT_NE(pxOther, nullptr);
    EXPECT_EQ(pxOther->hWnd, hPeer);
    EXPECT_EQ(pxOther->lpfnOldProc, XOLD_NONE);

    // Nor has a control of the peer a control record here.
    const HWND hPeerEdit = GetDlgItem(hPeer, 5);
    ASSERT_NE(GetPropA(hPeerEdit, "XCTL"), nullptr);
    EXPECT_EQ(FXCTLBYHANDLE(hPeerEdit), nullptr);
    static int nCommands;
    struct Command {
        static void fn(XWND&, int, int) { ++nCommands; }
    };
    XSETCOMMAND(fw, 5, Command::fn);
    nCommands = 0;
    SendMessageA(fw.hWnd, WM_COMMAND, MAKEWPARAM(5, EN_CHANGE),
                 reinterpret_cast<LPARAM>(hPeerEdit));
    EXPECT_EQ(nCommands, 1) << "no record: the command table";
    XDESTROYWINDOW(fw);

    SendMessageA(hPeer, WM_CLOSE, 0, 0);
    EXPECT_EQ(peer.wait(10000), std::optional<DWORD>(0));
}

// XISWINDOW

TEST(Queries, QueriesAndStyleMasks) {
    XWND top, child, grandchild, hidden;
    ASSERT_TRUE(XCREATEWINDOW(top, xNone, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "t"));
    ASSERT_TRUE(XCREATEWINDOW(child, top, WS_CHILD | WS_VISIBLE, "c", std::nullopt, 0, 0, 50, 50));
    ASSERT_TRUE(
        XCREATEWINDOW(grandchild, child, WS_CHILD | WS_VISIBLE, "g", std::nullopt, 0, 0, 9, 9));
    ASSERT_TRUE(XCREATEWINDOW(hidden, top, WS_CHILD, "h", std::nullopt, 0, 0, 9, 9));

    EXPECT_TRUE(XISWINDOW(top, XQ_ISWINDOW));
    EXPECT_TRUE(XISWINDOW(top, XQ_HASOBJECT));
    EXPECT_FALSE(XISWINDOW(*XGETWINDOW(), XQ_HASOBJECT));
    EXPECT_TRUE(XISWINDOW(child, XQ_ISCHILD, &top));
    EXPECT_TRUE(XISWINDOW(grandchild, XQ_ISCHILD, &top));
    EXPECT_FALSE(XISWINDOW(top, XQ_ISCHILD, &child));

    const int both = WS_VISIBLE | WS_CHILD;
    EXPECT_TRUE(XISWINDOW(child, both));
    EXPECT_FALSE(XISWINDOW(hidden, both));
    EXPECT_TRUE(XISWINDOW(hidden, WS_CHILD));
    EXPECT_FALSE(XISWINDOW(top, both));
    EXPECT_TRUE(XISWINDOW(top, WS_VISIBLE));

    EXPECT_FALSE(XISWINDOW(top, XQ_ZOOMED));
    EXPECT_FALSE(XISWINDOW(top, XQ_ICONIC));
    ShowWindow(top.hWnd, SW_MAXIMIZE);
    EXPECT_TRUE(XISWINDOW(top, XQ_ZOOMED));
    EXPECT_FALSE(XISWINDOW(top, XQ_ICONIC));
    ShowWindow(top.hWnd, SW_MINIMIZE);
    EXPECT_TRUE(XISWINDOW(top, XQ_ICONIC));
    EXPECT_FALSE(XISWINDOW(top, XQ_ZOOMED));

    XWND gone;
    gone.hWnd = top.hWnd;
    XDESTROYWINDOW(top);
    EXPECT_FALSE(XISWINDOW(gone, XQ_ISWINDOW));
    EXPECT_FALSE(XISWINDOW(gone, XQ_HASOBJECT));
}

// PXDEFXINIT

TEST(DefaultFrame, VisibleOverlappedAppWindowThatQuitsWhenDestroyed) {
    ASSERT_EQ(xFrame.hWnd, nullptr);
    const int nBefore = xApp.nWindows;
    {
        XCreationLog log;
        ASSERT_TRUE(PXDEFXINIT());
        const XCREATION c = pxcreation(xFrame.hWnd);
        EXPECT_EQ(c.dwStyle, static_cast<DWORD>(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        EXPECT_EQ(c.dwExStyle & ~WS_EX_WINDOWEDGE, static_cast<DWORD>(WS_EX_APPWINDOW));
        EXPECT_EQ(c.hParent, nullptr);
        EXPECT_EQ(c.hMenu, nullptr);
    }
    EXPECT_EQ(xApp.nWindows, nBefore + 1);
    EXPECT_TRUE(IsWindowVisible(xFrame.hWnd));
    EXPECT_EQ(pxclassname(xFrame.hWnd), "XWndClass");
    EXPECT_EQ(PXTEXT(xFrame.hWnd), "");
    EXPECT_EQ(xFrame.lpfnOldProc, XOLD_CLASS);
    EXPECT_EQ(FXWNDBYHANDLE(xFrame.hWnd), &xFrame);
    EXPECT_TRUE(GetWindowLongA(xFrame.hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    XTEST_TAKEQUIT();
    XDESTROYWINDOW(xFrame);
    EXPECT_EQ(XTEST_TAKEQUIT(), 0);

    // A handler that claims WM_DESTROY keeps the application running; any nonzero value claims.
    using XDESTROYED = XCOUNT<WM_DESTROY>;
    for (LRESULT v : {XTRUE, LRESULT{2}, XFALSE}) {
        SCOPED_TRACE(v);
        ASSERT_TRUE(PXDEFXINIT());
        XDESTROYED::nCalls = 0;
        XDESTROYED::nResult = v;
        ASSERT_TRUE(XSETHANDLER<WM_DESTROY>(xFrame, XDESTROYED::fn));
        XDESTROYWINDOW(xFrame);
        EXPECT_EQ(XDESTROYED::nCalls, 1);
        EXPECT_EQ(XTEST_TAKEQUIT(), v == XFALSE ? 0 : -1);
    }

    // Another window's destruction never quits.
    XWND other;
    ASSERT_TRUE(XCREATEWINDOW(other, xNone, WS_OVERLAPPEDWINDOW, "o"));
    XDESTROYWINDOW(other);
    EXPECT_EQ(XTEST_TAKEQUIT(), -1);
}

// XSETHANDLER and XSETCOMMAND

TEST(Tables, RegistrationNeedsAWindow) {
    XWND none;
    EXPECT_FALSE(XSETHANDLER(none, WM_PROBE, pxprobea));
    EXPECT_FALSE(XSETCOMMAND(none, 40001, pxcmda));
    EXPECT_TRUE(pxtablesreleased(none));

    XWND dialog;
    dialog.lpfnOldProc = XOLD_DIALOG; // every other kind accepts
    EXPECT_TRUE(XSETHANDLER(dialog, WM_PROBE, pxprobea));
    EXPECT_EQ(dialog.nHandlers, 1);
}

TEST(Tables, HandlersAndCommandsKeepKeyOrderAndReplaceInPlace) {
    XWND w;
    ASSERT_TRUE(XCREATEWINDOW(w, xNone, WS_OVERLAPPEDWINDOW, "tables"));
    for (int m : {WM_PROBE + 30, WM_PROBE + 10, WM_PROBE + 20, WM_PROBE + 5})
        ASSERT_TRUE(XSETHANDLER(w, m, pxprobea));
    ASSERT_TRUE(XSETHANDLER(w, WM_PROBE + 20, pxprobeb));
    ASSERT_EQ(w.nHandlers, 4);
    EXPECT_EQ(w.iMsg.capacity(), 10);
    const int keys[] = {WM_PROBE + 5, WM_PROBE + 10, WM_PROBE + 20, WM_PROBE + 30};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(w.iMsg[i], keys[i - 1]);
        const XPROC want = XPROCOF(i == 3 ? pxprobeb : pxprobea).pfn;
        EXPECT_EQ(w.pfnHandler[i].pfn, want) << i;
        int at = 0;
        EXPECT_TRUE(FXGETHANDLER(keys[i - 1], w, at));
        EXPECT_EQ(at, i);
    }
    int at = 0;
    EXPECT_FALSE(FXGETHANDLER(WM_PROBE + 15, w, at));

    nProbeA = nProbeB = 0;
    SendMessageA(w.hWnd, WM_PROBE + 20, 0, 0);
    SendMessageA(w.hWnd, WM_PROBE + 5, 0, 0);
    EXPECT_EQ(nProbeA, 1);
    EXPECT_EQ(nProbeB, 1);

    for (int id : {40003, 40001, 40002}) ASSERT_TRUE(XSETCOMMAND(w, id, pxcmda));
    ASSERT_TRUE(XSETCOMMAND(w, 40001, pxcmdb));
    ASSERT_EQ(w.nCommands, 3);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(w.iCmdID[i], 40000 + i);
    EXPECT_EQ(w.pfnCommand[1].pfn, XPROCOF(pxcmdb).pfn);
    EXPECT_EQ(w.pfnCommand[2].pfn, XPROCOF(pxcmda).pfn);
    EXPECT_EQ(w.nHandlers, 4) << "the tables are separate";

    nCmdA = nCmdB = 0;
    SendMessageA(w.hWnd, WM_COMMAND, MAKEWPARAM(40001, 0), 0);
    EXPECT_EQ(nCmdB, 1);
    EXPECT_EQ(nCmdA, 0);
    XDESTROYWINDOW(w);
}

// Window services

TEST(Services, ClientCoordinatesAreThoseOfTheParentOrTheOwner) {
    XWND owner, popup, child;
    ASSERT_TRUE(XCREATEWINDOW(owner, xNone, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "owner", std::nullopt,
                              100, 80, 400, 300));
    ASSERT_TRUE(XCREATEWINDOW(popup, owner, WS_POPUP | WS_VISIBLE, "popup", std::nullopt, 230, 190,
                              50, 40));
    ASSERT_TRUE(
        XCREATEWINDOW(child, owner, WS_CHILD | WS_VISIBLE, "child", std::nullopt, 7, 9, 30, 20));
    POINT origin{0, 0};
    ClientToScreen(owner.hWnd, &origin);

    int x = 0, y = 0, w = 0, h = 0;
    EXPECT_TRUE(XGETWINDOWRECT(popup, x, y, &w, &h));
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{230, 190, 50, 40})) << "screen";
    EXPECT_TRUE(XGETWINDOWRECT(popup, x, y, &w, &h, true));
    EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{230 - origin.x, 190 - origin.y}))
        << "owned pop-up: the owner's client coordinates";
    EXPECT_TRUE(XGETWINDOWPOS(popup, x, y, &w, &h, nullptr, false));
    EXPECT_EQ((std::vector<int>{x, y, w, h}),
              (std::vector<int>{230 - origin.x, 190 - origin.y, 50, 40}))
        << "bClient counts by presence, not value";

    EXPECT_TRUE(XGETWINDOWRECT(child, x, y, nullptr, nullptr, true));
    EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{7, 9}));
    EXPECT_TRUE(XGETWINDOWPOS(child, x, y, nullptr, nullptr, nullptr, true));
    EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{7, 9})) << "converted once only";

    EXPECT_TRUE(XGETWINDOWRECT(owner, x, y, nullptr, nullptr, true));
    EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{100, 80})) << "no parent: unchanged";

    XDESTROYWINDOW(owner);
    XWND gone;
    gone.hWnd = popup.hWnd;
    EXPECT_FALSE(XGETWINDOWRECT(gone, x, y));
    EXPECT_FALSE(XGETWINDOWRECT(gone, x, y, &w, &h, true)) << "a failure stays a failure";
    EXPECT_FALSE(XGETWINDOWPOS(gone, x, y, &w, &h, nullptr, true));
}

TEST(Services, WindowIconsReplaceAndReleaseWhatTheFrameworkLoaded) {
    XWND fw;
    ASSERT_TRUE(XCREATEWINDOW(fw, xNone, WS_OVERLAPPEDWINDOW, "icons"));
    const HINSTANCE hUser = GetModuleHandleA("user32");
    const int iIcon = 32516; // a standard icon of the system's library
    ASSERT_TRUE(XSETWINDOWICON(fw, iIcon, hUser));
    const int base = XTEST_GDIOBJECTS();
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(XSETWINDOWICON(fw, iIcon, hUser));
    EXPECT_EQ(XTEST_GDIOBJECTS(), base) << "the icons replaced are destroyed";
    const auto hSmall = reinterpret_cast<HICON>(SendMessageA(fw.hWnd, WM_GETICON, ICON_SMALL, 0));
    const auto hBig = reinterpret_cast<HICON>(SendMessageA(fw.hWnd, WM_GETICON, ICON_BIG, 0));
    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(hSmall, &ii)) << "the shown icons are alive";
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    EXPECT_FALSE(XSETWINDOWICON(fw, 7777, hUser)) << "a missing icon";
    EXPECT_EQ(SendMessageA(fw.hWnd, WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(hSmall));

    // An icon the application set itself is its own: replacing it destroys nothing of it.
    const HICON hMine = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    SendMessageA(fw.hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hMine));
    ASSERT_TRUE(XSETWINDOWICON(fw, iIcon, hUser));
    ASSERT_TRUE(GetIconInfo(hMine, &ii));
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    EXPECT_FALSE(GetIconInfo(hBig, &ii)) << "the framework's earlier big icon went";

    XDESTROYWINDOW(fw);
    DestroyIcon(hMine);
    EXPECT_LT(XTEST_GDIOBJECTS(), base) << "the window's last icons go with it";
}
