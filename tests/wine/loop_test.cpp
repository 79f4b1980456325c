// Every loop of the framework under faults: a -1 from GetMessageA (another process's 1 MB
// WM_SETTEXT causes one in the receiving thread), and C++ exceptions thrown by handlers,
// which must reach the code around the loop instead of unwinding through the system's frames,
// while the framework's software exceptions reach the application as they always did.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "ZEBDialog.h"
#include "recorder.h"
#include "zebtest.h"

namespace {

constexpr UINT WM_PROBE = WM_APP + 60, WM_DONE = WM_APP + 61, WM_INNER = WM_APP + 62;
const XWND xNone;

int nProbes = 0, nAfterInner = 0;
LRESULT pxcountprobe(XWND&, int&, WPARAM&, LPARAM&) {
    ++nProbes;
    return XTRUE;
}

LRESULT pxthrow(XWND&, int&, WPARAM& wParam, LPARAM&) {
    throw std::runtime_error("handler " + std::to_string(wParam));
}

// Sends WM_INNER (whose handler throws) to the window in lParam, then goes on.
LRESULT pxsendinner(XWND&, int&, WPARAM&, LPARAM& lParam) {
    SendMessageA(reinterpret_cast<HWND>(lParam), WM_INNER, 1, 0);
    SendMessageA(reinterpret_cast<HWND>(lParam), WM_INNER, 2, 0);
    ++nAfterInner;
    return XTRUE;
}

void pxthrowcommand(XWND&, int iID, int) {
    throw std::runtime_error("command " + std::to_string(iID));
}

LRESULT pxwronglist(XWND&) {
    return XTRUE;
}

std::string pxwhat(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "nothing thrown";
}

std::string pxhandle(HWND h) {
    return std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(h)));
}

class Loops : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(XCREATEWINDOW(xWnd, xNone, WS_POPUP, "loops"));
        XPROCESSMESSAGES();
        nProbes = nAfterInner = 0;
    }
    void TearDown() override {
        XDESTROYWINDOW(xWnd);
        XPROCESSMESSAGES();
        EXPECT_FALSE(FXPENDING());
    }
    XWND xWnd;
};

// A modeless framework dialog from an in-memory template, ready for XMODALDIALOG.
struct DialogTemplate {
    DLGTEMPLATE dlg;
    WORD menu, cls, title;
};
bool pxdialog(XWND& xDlg, HWND hOwner) {
    static DialogTemplate t;
    t = DialogTemplate{};
    t.dlg.style = WS_POPUP | WS_CAPTION;
    t.dlg.cx = 100;
    t.dlg.cy = 50;
    xDlg.lpfnOldProc = XOLD_DIALOG;
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &t.dlg, hOwner,
                                      reinterpret_cast<DLGPROC>(fxwindowproc),
                                      reinterpret_cast<LPARAM>(&xDlg)) != nullptr;
}

} // namespace

// GetMessageA's -1

TEST(FailedGet, MainLoopGoesOn) {
    XTestPeer peer("window");
    const HWND hPeer = peer.window();
    ASSERT_TRUE(hPeer);
    const std::string text(1 << 20, 'x');
    DWORD_PTR r = 0;
    SendMessageTimeoutA(hPeer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        1000, &r);
    EXPECT_EQ(peer.wait(500), std::nullopt) << "the peer must still run";
    EXPECT_TRUE(SendMessageTimeoutA(hPeer, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r)) << "and answer";
    PostMessageA(hPeer, WM_CLOSE, 0, 0);
    EXPECT_EQ(peer.wait(10000), std::optional<DWORD>(0));
}

TEST_F(Loops, PumpGoesOnPastAFailedGetAndDispatchesNothingTwice) {
    XSETHANDLER(xWnd, WM_PROBE, pxcountprobe);
    PostMessageA(xWnd.hWnd, WM_PROBE, 0, 0);
    XTestPeer peer("settext " + pxhandle(xWnd.hWnd) + " " + std::to_string(WM_DONE) + " 0 0");
    ASSERT_TRUE(peer.started());
    EXPECT_EQ(XPROCESSMESSAGES(true, std::vector<int>{WM_DONE}), static_cast<int>(WM_DONE));
    EXPECT_EQ(nProbes, 1);
    EXPECT_EQ(peer.wait(10000), std::optional<DWORD>(0));
}

TEST_F(Loops, ModalDialogGoesOnPastAFailedGet) {
    XWND xDlg;
    ASSERT_TRUE(pxdialog(xDlg, xWnd.hWnd));
    const std::string hDlg = pxhandle(xDlg.hWnd);
    XTestPeer peer("settext " + hDlg + " " + std::to_string(XM_ENDDIALOG) + " 7 " + hDlg);
    ASSERT_TRUE(peer.started());
    EXPECT_EQ(XMODALDIALOG(xDlg), 7) << "the run ends with the result posted after the text";
    EXPECT_EQ(peer.wait(10000), std::optional<DWORD>(0));
    XDESTROYDIALOG(xDlg);
    XWND xAfter;
    ASSERT_TRUE(pxdialog(xAfter, xWnd.hWnd));
    EXPECT_EQ(FXWNDBYHANDLE(xAfter.hWnd), &xAfter) << "dialogs still attach afterwards";
    XDESTROYDIALOG(xAfter);
}

// C++ exceptions from handlers

TEST_F(Loops, HandlersExceptionIsRethrownByThePumpAfterTheDispatch) {
    XSETHANDLER(xWnd, WM_PROBE, pxthrow);
    XSETHANDLER(xWnd, WM_DONE, pxcountprobe);
    PostMessageA(xWnd.hWnd, WM_PROBE, 1, 0);
    PostMessageA(xWnd.hWnd, WM_DONE, 0, 0);
    EXPECT_EQ(pxwhat([] { XPROCESSMESSAGES(); }), "handler 1");
    EXPECT_EQ(nProbes, 0) << "the pump stopped at the message whose handler threw";
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(nProbes, 1);

    // The system got a declining answer, and the framework's send rethrows.
    EXPECT_EQ(SendMessageA(xWnd.hWnd, WM_PROBE, 2, 0), 0);
    EXPECT_TRUE(FXPENDING());
    EXPECT_EQ(pxwhat([] { FXRETHROW(); }), "handler 2");
    EXPECT_EQ(pxwhat([&] { XSENDMESSAGE(xWnd, WM_PROBE, 3, 0); }), "handler 3");
    EXPECT_FALSE(FXPENDING());
}

TEST_F(Loops, NestedExceptionWaitsForTheOuterDispatchAndTheFirstOneIsKept) {
    XWND inner;
    ASSERT_TRUE(XCREATEWINDOW(inner, xNone, WS_POPUP, "inner"));
    XSETHANDLER(inner, WM_INNER, pxthrow);
    XSETHANDLER(xWnd, WM_PROBE, pxsendinner);
    PostMessageA(xWnd.hWnd, WM_PROBE, 0, reinterpret_cast<LPARAM>(inner.hWnd));
    EXPECT_EQ(pxwhat([] { XPROCESSMESSAGES(); }), "handler 1");
    EXPECT_EQ(nAfterInner, 1) << "the outer handler ran to its end";
    XDESTROYWINDOW(inner);
}

TEST_F(Loops, CommandProcedureExceptionReachesThePump) {
    XSETCOMMAND(xWnd, 40001, pxthrowcommand);
    PostMessageA(xWnd.hWnd, WM_COMMAND, MAKEWPARAM(40001, 0), 0);
    EXPECT_EQ(pxwhat([] { XPROCESSMESSAGES(); }), "command 40001");
}

TEST_F(Loops, ModalRunEndsWithTheExceptionAndTheOwnerEnabled) {
    XWND xDlg;
    ASSERT_TRUE(pxdialog(xDlg, xWnd.hWnd));
    XSETHANDLER(xDlg, WM_PROBE, pxthrow);
    PostMessageA(xDlg.hWnd, WM_PROBE, 4, 0);
    EXPECT_EQ(pxwhat([&] { XMODALDIALOG(xDlg); }), "handler 4");
    EXPECT_TRUE(IsWindowEnabled(xWnd.hWnd));
    EXPECT_FALSE(IsWindowVisible(xDlg.hWnd));
    XDESTROYDIALOG(xDlg);
}

// Answers the message box that is up with its first button.
BOOL CALLBACK pxfindbox(HWND h, LPARAM pBox) {
    char cls[16] = {};
    if (IsWindowVisible(h) && GetClassNameA(h, cls, sizeof cls) && std::string(cls) == "#32770")
        *reinterpret_cast<HWND*>(pBox) = h;
    return TRUE;
}
LRESULT pxanswerbox(XWND&, int&, WPARAM&, LPARAM&) {
    HWND hBox = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), pxfindbox, reinterpret_cast<LPARAM>(&hBox));
    if (hBox) PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return XTRUE;
}

TEST_F(Loops, MessageBoxRethrowsOnceItIsAnswered) {
    XSETHANDLER(xWnd, WM_PROBE, pxthrow);
    XSETHANDLER(xWnd, WM_DONE, pxanswerbox);
    PostMessageA(xWnd.hWnd, WM_PROBE, 5, 0);
    PostMessageA(xWnd.hWnd, WM_DONE, 0, 0);
    EXPECT_EQ(pxwhat([] { XMESSAGEBOX("Thrown meanwhile", "Loops"); }), "handler 5");
}

TEST(Exceptions, MainLoopRethrowsIntoTheCodeAroundTheProcessEntry) {
    XTestPeer peer("throw");
    EXPECT_EQ(peer.wait(10000), std::optional<DWORD>(42));
}

// The software exceptions are no C++ exceptions: an exception handler of the application sees
// them where they are raised and may go on there; unhandled, they end the program as before.
TEST_F(Loops, SoftwareExceptionsStillReachTheApplication) {
    XSETHANDLER(xWnd, WM_PROBE, pxwronglist);
    PostMessageA(xWnd.hWnd, WM_PROBE, 0, 0);
    {
        XExceptionLog log;
        EXPECT_EQ(pxwhat([] { XPROCESSMESSAGES(); }), "nothing thrown");
        EXPECT_EQ(log.codes(), (std::vector<DWORD>{XEXC_ARGLIST}));
    }
    EXPECT_FALSE(FXPENDING());
    XTestPeer arglist("arglist");
    EXPECT_EQ(arglist.wait(10000), std::optional<DWORD>(XEXC_ARGLIST & 0xFF));
    XTestPeer mismatch("mismatch");
    EXPECT_EQ(mismatch.wait(10000), std::optional<DWORD>(XEXC_WNDMISMATCH & 0xFF));
}
