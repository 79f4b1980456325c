// Resource dialogs on the real API: loading and binding, the type-240 initialisation data
// (crafted resources included), modal runs ended by real keystrokes and by XENDDIALOG, nested
// runs, window disabling, and destruction.
#include <gtest/gtest.h>

#include "ZEBCtrl.h"
#include "ZEBDialog.h"

#include <functional>
#include <string>
#include <vector>

#include "zebtest.h"

namespace {

constexpr int XEV_DLGINIT = -34, XEV_DLGDESTROY = -31;

// What the dialog's own callbacks (entry 0) do, per test.
std::function<void(XWND&, int, int)> onInit, onDestroy;
std::vector<int> xEvents;

void pxinitcb(XWND& xDlg, int iID, int iCode) {
    xEvents.push_back(iCode);
    EXPECT_EQ(iID, xDlg.iID);
    if (onInit) onInit(xDlg, iID, iCode);
}
void pxdestroycb(XWND& xDlg, int iID, int iCode) {
    xEvents.push_back(iCode);
    if (onDestroy) onDestroy(xDlg, iID, iCode);
}

void pxoncallbacks(XWND& xDlg) {
    xDlg.xCtl[0].pfnCallback[0] = XPROCOF(pxinitcb);
    xDlg.xCtl[0].pfnCallback[2] = XPROCOF(pxdestroycb);
}

std::vector<std::string> pxitems(HWND hCtl, UINT getCount, UINT getText) {
    std::vector<std::string> items;
    const auto n = SendMessageA(hCtl, getCount, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char buf[64] = {};
        SendMessageA(hCtl, getText, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        items.push_back(buf);
    }
    return items;
}
using Items = std::vector<std::string>;

// A real keystroke, through the system's input queue.
void pxkey(BYTE vk) {
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
}

class Dialog : public ::testing::Test {
  protected:
    void SetUp() override {
        const XWND none;
        ASSERT_TRUE(XCREATEWINDOW(xOwner, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "owner"));
        onInit = onDestroy = nullptr;
        xEvents.clear();
    }
    void TearDown() override {
        onInit = onDestroy = nullptr;
        XDESTROYDIALOG(xDlg);
        if (IsWindow(xOwner.hWnd)) XDESTROYWINDOW(xOwner);
        XTEST_PUMP();
    }
    bool load(int ID) { return XLOADDIALOG(ID, xDlg, xOwner.hWnd); }
    XWND xOwner, xDlg;
};

TEST_F(Dialog, LoadingBindsTheControlsAndDescribesTheDialogInEntryZero) {
    ASSERT_TRUE(load(201));
    const HWND h = xDlg.hWnd;
    ASSERT_TRUE(IsWindow(h));
    EXPECT_FALSE(IsWindowVisible(h)); // as the template says
    EXPECT_EQ(FXWNDBYHANDLE(h), &xDlg);
    EXPECT_EQ(xDlg.iID, 201);
    EXPECT_EQ(xDlg.lpfnOldProc, XOLD_DIALOG);
    EXPECT_EQ(GetWindow(h, GW_OWNER), xOwner.hWnd);

    // Every descendant with an identifier, the editable combo box's own edit field included;
    // the label (-1) has no record.
    ASSERT_EQ(xDlg.nControls, 7);
    std::vector<int> classes;
    for (int i = 1; i <= xDlg.nControls; ++i) classes.push_back(xDlg.xCtl[i].iClass);
    EXPECT_EQ(classes, (std::vector<int>{7, 8, 12, 6, 6, 3, 3}));
    EXPECT_EQ(GetParent(xDlg.xCtl[4].hCtl), GetDlgItem(h, 303));

    const XCTLREC& self = xDlg.xCtl[0];
    EXPECT_EQ(self.hCtl, h);
    EXPECT_EQ(self.iClass, XCLS_DIALOG);
    EXPECT_EQ(self.iStyle, GetWindowLongA(h, GWL_STYLE));
    EXPECT_EQ(self.hParent, xOwner.hWnd);
    EXPECT_EQ(self.hBrush, XNOBRUSH);
    EXPECT_EQ(self.crText, -1);
    for (const auto& cb : self.pfnCallback) EXPECT_EQ(cb.pfn, nullptr);
    EXPECT_EQ(FXCTLBYHANDLE(h), &xDlg.xCtl[0]);
}

TEST_F(Dialog, InitialisationDataFillsListAndComboBoxesOnly) {
    ASSERT_TRUE(load(201));
    const HWND h = xDlg.hWnd;
    // In resource order; the 0x401 record, the edit's and the missing control's are skipped
    // and the records after them still apply.
    EXPECT_EQ(pxitems(GetDlgItem(h, 301), LB_GETCOUNT, LB_GETTEXT),
              (Items{"Apple", "Banana", "Cherry"}));
    EXPECT_EQ(pxitems(GetDlgItem(h, 302), CB_GETCOUNT, CB_GETLBTEXT), (Items{"One", "Two"}));
    EXPECT_EQ(pxitems(GetDlgItem(h, 303), CB_GETCOUNT, CB_GETLBTEXT), (Items{"Red"}));
    EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(h, 304)), 0);
}

TEST_F(Dialog, RecordsWithLyingLengthsEndTheInitialisation) {
    // 202: a length running past the end of the resource; 203: a negative length, which
    // would otherwise step back onto the same record for ever.
    for (int ID : {202, 203}) {
        ASSERT_TRUE(load(ID)) << ID;
        EXPECT_EQ(pxitems(GetDlgItem(xDlg.hWnd, 401), LB_GETCOUNT, LB_GETTEXT), (Items{"Good"}))
            << ID;
        XDESTROYDIALOG(xDlg);
    }
}

TEST_F(Dialog, MissingTemplateLoadsNothing) {
    EXPECT_FALSE(load(999));
    EXPECT_EQ(xDlg.hWnd, nullptr);
    EXPECT_FALSE(xDlg.xCtl.allocated());
    EXPECT_EQ(XMODALDIALOG(xDlg), -1);
    EXPECT_FALSE(XMODELESSDIALOG(xDlg));
}

TEST_F(Dialog, ChildStyleDialogTakesItsResourceIdentifierAsControlIdentifier) {
    ASSERT_TRUE(load(204));
    EXPECT_EQ(GetParent(xDlg.hWnd), xOwner.hWnd);
    EXPECT_EQ(GetWindowLongA(xDlg.hWnd, GWL_ID), 204);
    EXPECT_EQ(GetDlgItem(xOwner.hWnd, 204), xDlg.hWnd);
}

TEST_F(Dialog, ModalRunsEndByEnterAndEscape) {
    ASSERT_TRUE(load(201));
    pxoncallbacks(xDlg);
    bool ownerEnabled = true, shown = false;
    onInit = [&](XWND& d, int, int) {
        ownerEnabled = IsWindowEnabled(xOwner.hWnd) != 0;
        shown = IsWindowVisible(d.hWnd) && GetActiveWindow() == d.hWnd;
        pxkey(VK_RETURN);
    };
    EXPECT_EQ(XMODALDIALOG(xDlg), IDOK);
    EXPECT_EQ(xEvents, (std::vector<int>{XEV_DLGINIT}));
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(IsWindowEnabled(xOwner.hWnd));
    EXPECT_TRUE(IsWindow(xDlg.hWnd));
    EXPECT_FALSE(IsWindowVisible(xDlg.hWnd)); // hidden, not destroyed

    onInit = [](XWND&, int, int) { pxkey(VK_ESCAPE); };
    EXPECT_EQ(XMODALDIALOG(xDlg), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(xOwner.hWnd));
}

TEST_F(Dialog, EachRunReturnsItsOwnResult) {
    ASSERT_TRUE(load(205));
    pxoncallbacks(xDlg);
    onInit = [](XWND& d, int, int) { XENDDIALOG(d, 11); };
    EXPECT_EQ(XMODALDIALOG(xDlg), 11);
    onInit = [](XWND& d, int, int) { XENDDIALOG(d, 22); };
    EXPECT_EQ(XMODALDIALOG(xDlg), 22);

    // An end asked for before the run ends the next run at once.
    onInit = nullptr;
    XENDDIALOG(xDlg, 33);
    EXPECT_EQ(XMODALDIALOG(xDlg), 33);
    EXPECT_EQ(xEvents.size(), 3u);
}

TEST_F(Dialog, InnerRunDiscardsTheOuterDialogsEndMessage) {
    ASSERT_TRUE(load(201));
    pxoncallbacks(xDlg);
    XWND xInner;
    ASSERT_TRUE(XLOADDIALOG(205, xInner, xDlg.hWnd));
    int inner = 0;
    onInit = [&](XWND& d, int iID, int) {
        if (iID != 201) { // the inner dialog's run: end the outer, then itself
            XENDDIALOG(xDlg, 5);
            XENDDIALOG(d, 7);
            return;
        }
        xInner.xCtl[0].pfnCallback[0] = XPROCOF(pxinitcb);
        inner = XMODALDIALOG(xInner);
        // The outer end asked for inside was thrown away: only this one counts.
        XENDDIALOG(d, 9);
    };
    EXPECT_EQ(XMODALDIALOG(xDlg), 9);
    EXPECT_EQ(inner, 7);
    EXPECT_TRUE(IsWindowEnabled(xDlg.hWnd));
    EXPECT_TRUE(IsWindowEnabled(xOwner.hWnd));
    XDESTROYDIALOG(xInner);
}

BOOL CALLBACK pxcollecttoplevel(HWND hWnd, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(hWnd);
    return TRUE;
}
std::vector<HWND> pxthreadwindows() {
    std::vector<HWND> v;
    EnumThreadWindows(GetCurrentThreadId(), pxcollecttoplevel, reinterpret_cast<LPARAM>(&v));
    return v;
}

TEST_F(Dialog, DisablingAllWindowsOfTheThreadAndEnablingThemAfterwards) {
    XWND a, b;
    const XWND none;
    ASSERT_TRUE(XCREATEWINDOW(a, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "a"));
    ASSERT_TRUE(XCREATEWINDOW(b, none, WS_POPUP, "b"));
    EnableWindow(b.hWnd, FALSE); // disabled before the run: enabled after it all the same
    ASSERT_TRUE(load(205));
    pxoncallbacks(xDlg);
    std::vector<HWND> enabledDuring;
    onInit = [&](XWND& d, int, int) {
        for (HWND w : pxthreadwindows())
            if (w != d.hWnd && IsWindowEnabled(w)) enabledDuring.push_back(w);
        EXPECT_TRUE(IsWindowEnabled(d.hWnd));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d.hWnd, IDOK)));
        XENDDIALOG(d, 3);
    };
    EXPECT_EQ(XMODALDIALOG(xDlg, std::nullopt, true), 3);
    EXPECT_TRUE(enabledDuring.empty()) << enabledDuring.size();
    for (HWND w : pxthreadwindows()) EXPECT_TRUE(IsWindowEnabled(w)) << w;
    XDESTROYWINDOW(a);
    XDESTROYWINDOW(b);
}

HWND pxdropdown(HWND hDlg, int ID) {
    COMBOBOXINFO ci{};
    ci.cbSize = sizeof ci;
    return GetComboBoxInfo(GetDlgItem(hDlg, ID), &ci) ? ci.hwndList : nullptr;
}

// The drop-down lists of combo boxes are windows of the thread too, of child style.
TEST_F(Dialog, DisablingAllLeavesEveryDropDownListUsable) {
    XWND other;
    ASSERT_TRUE(XLOADDIALOG(201, other, xOwner.hWnd));
    const HWND otherList = pxdropdown(other.hWnd, 302);
    ASSERT_NE(otherList, nullptr);
    ASSERT_TRUE(load(201));
    pxoncallbacks(xDlg);
    const HWND ownList = pxdropdown(xDlg.hWnd, 302);
    ASSERT_NE(ownList, nullptr);
    bool ownDuring = false, otherDialogDuring = true;
    onInit = [&](XWND& d, int, int) {
        ownDuring = IsWindowEnabled(ownList) != 0;
        otherDialogDuring = IsWindowEnabled(other.hWnd) != 0;
        XENDDIALOG(d, 5);
    };
    EXPECT_EQ(XMODALDIALOG(xDlg, std::nullopt, true), 5);
    EXPECT_TRUE(ownDuring);
    EXPECT_FALSE(otherDialogDuring);
    for (HWND w : pxthreadwindows()) EXPECT_TRUE(IsWindowEnabled(w)) << w;
    EXPECT_TRUE(IsWindowEnabled(otherList));
    XDESTROYDIALOG(other);
}

// The first dialog keeps its window and controls, but no control of it names a record of the
// list that the second load released.
TEST_F(Dialog, LoadingIntoAnObjectThatHoldsALiveDialogUnlinksItsControls) {
    ASSERT_TRUE(load(201));
    const HWND hFirst = xDlg.hWnd;
    const HWND list = GetDlgItem(hFirst, 301), ok = GetDlgItem(hFirst, IDOK);
    ASSERT_NE(FXCTLBYHANDLE(list), nullptr);
    ASSERT_TRUE(load(205));
    EXPECT_NE(xDlg.hWnd, hFirst);
    EXPECT_TRUE(IsWindow(list));
    EXPECT_EQ(FXCTLBYHANDLE(list), nullptr);
    EXPECT_EQ(FXCTLBYHANDLE(ok), nullptr);
    EXPECT_EQ(FXCTLBYHANDLE(hFirst), nullptr);
    EXPECT_EQ(FXCTLBYHANDLE(xDlg.hWnd), &xDlg.xCtl[0]);
    EXPECT_EQ(FXCTLBYHANDLE(GetDlgItem(xDlg.hWnd, IDOK))->iClass, 3);
    {
        XExceptionLog log; // the first window still names the object, now the second's
        DestroyWindow(hFirst);
    }
    EXPECT_EQ(FXCTLBYHANDLE(xDlg.hWnd), &xDlg.xCtl[0]);
}

TEST_F(Dialog, ANewOwnerIsDisabledInsteadOfTheOldOne) {
    XWND other;
    const XWND none;
    ASSERT_TRUE(XCREATEWINDOW(other, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "other"));
    ASSERT_TRUE(load(205));
    pxoncallbacks(xDlg);
    bool oldEnabled = false, newEnabled = true;
    onInit = [&](XWND& d, int, int) {
        oldEnabled = IsWindowEnabled(xOwner.hWnd) != 0;
        newEnabled = IsWindowEnabled(other.hWnd) != 0;
        XENDDIALOG(d, 4);
    };
    EXPECT_EQ(XMODALDIALOG(xDlg, other.hWnd), 4);
    EXPECT_TRUE(oldEnabled);
    EXPECT_FALSE(newEnabled);
    EXPECT_TRUE(IsWindowEnabled(other.hWnd));
    EXPECT_EQ(GetWindow(xDlg.hWnd, GW_OWNER), other.hWnd);
    // Owned, not made a child: a pop-up stays a top-level window.
    EXPECT_EQ(GetAncestor(xDlg.hWnd, GA_PARENT), GetDesktopWindow());
    XDESTROYWINDOW(other);
}

TEST_F(Dialog, QuitDuringARunEndsItAndIsPostedAgain) {
    ASSERT_TRUE(load(205));
    pxoncallbacks(xDlg);
    onInit = [](XWND&, int, int) { PostQuitMessage(6); };
    EXPECT_EQ(XMODALDIALOG(xDlg), -1);
    EXPECT_EQ(XTEST_TAKEQUIT(), 6);
    EXPECT_TRUE(IsWindowEnabled(xOwner.hWnd));
    EXPECT_FALSE(IsWindowVisible(xDlg.hWnd));
}

LRESULT pxdestroyonclose(XWND& xDlg) {
    XDESTROYDIALOG(xDlg);
    return XTRUE;
}

TEST_F(Dialog, DestroyedDuringARunEndsIt) {
    ASSERT_TRUE(load(205));
    pxoncallbacks(xDlg);
    const HWND h = xDlg.hWnd;
    // Posted, so that the window goes while the loop runs.
    onInit = [h](XWND&, int, int) { PostMessageA(h, WM_CLOSE, 0, 0); };
    XSETHANDLER<WM_CLOSE>(xDlg, pxdestroyonclose);
    EXPECT_EQ(XMODALDIALOG(xDlg), -1);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(IsWindowEnabled(xOwner.hWnd));
}

TEST_F(Dialog, ModelessDialogIsShownAndInitialised) {
    ASSERT_TRUE(load(201));
    pxoncallbacks(xDlg);
    EXPECT_TRUE(XMODELESSDIALOG(xDlg));
    EXPECT_TRUE(IsWindowVisible(xDlg.hWnd));
    EXPECT_EQ(xEvents, (std::vector<int>{XEV_DLGINIT}));
    EXPECT_TRUE(IsWindowEnabled(xOwner.hWnd));
    EXPECT_TRUE(XMODELESSDIALOG(xDlg, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(xDlg.hWnd));

    XWND plain; // a window without the framework's object
    plain.hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
    ASSERT_NE(plain.hWnd, nullptr);
    EXPECT_FALSE(XMODELESSDIALOG(plain));
    EXPECT_EQ(XMODALDIALOG(plain), -1);
    EXPECT_FALSE(IsWindowVisible(plain.hWnd));
    DestroyWindow(plain.hWnd);
}

TEST_F(Dialog, DestroyingReleasesTheDialogAndTouchesNothingElse) {
    XWND other;
    ASSERT_TRUE(XLOADDIALOG(201, other, xOwner.hWnd));
    ASSERT_TRUE(load(205));
    pxoncallbacks(xDlg);
    const HWND h = xDlg.hWnd;
    const HWND ok = GetDlgItem(h, IDOK);
    XDESTROYDIALOG(xDlg);
    EXPECT_EQ(xDlg.hWnd, nullptr);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(IsWindow(ok));
    EXPECT_FALSE(xDlg.xCtl.allocated());
    EXPECT_EQ(xEvents, (std::vector<int>{XEV_DLGDESTROY})); // its own record was still live

    // Again, on the emptied object: the other dialog keeps its control records.
    XDESTROYDIALOG(xDlg);
    EXPECT_EQ(FXCTLBYHANDLE(other.hWnd), &other.xCtl[0]);
    EXPECT_EQ(FXCTLBYHANDLE(GetDlgItem(other.hWnd, 301)), &other.xCtl[1]);
    EXPECT_EQ(FXCTLBYHANDLE(GetDlgItem(other.hWnd, IDOK))->iClass, 3);
    XDESTROYDIALOG(other);
}

// A destruction callback that loads the dialog again into its own object while the old window
// still lives: the old window's remaining destruction steps leave the new dialog and its records
// alone.
TEST_F(Dialog, ADestructionCallbackThatLoadsTheDialogAgainKeepsTheNewOneWhole) {
    ASSERT_TRUE(load(205));
    pxoncallbacks(xDlg);
    const HWND hOld = xDlg.hWnd;
    HWND hNew = nullptr;
    onDestroy = [&](XWND& d, int, int) {
        if (hNew) return;
        ASSERT_TRUE(XLOADDIALOG(205, d, xOwner.hWnd));
        hNew = d.hWnd;
    };
    {
        // The old window's last message finds the object re-used: the programming error's
        // exception, after which the new dialog must stay untouched.
        XExceptionLog log;
        XDESTROYDIALOG(xDlg);
        EXPECT_EQ(log.codes(), (std::vector<DWORD>{XEXC_WNDMISMATCH}));
    }
    EXPECT_FALSE(IsWindow(hOld));
    ASSERT_TRUE(IsWindow(hNew));
    EXPECT_EQ(xDlg.hWnd, hNew);
    EXPECT_EQ(FXWNDBYHANDLE(hNew), &xDlg);
    EXPECT_EQ(FXCTLBYHANDLE(hNew), &xDlg.xCtl[0]);
    ASSERT_EQ(xDlg.nControls, 2);
    for (int id : {IDOK, IDCANCEL}) {
        const HWND c = GetDlgItem(hNew, id);
        ASSERT_TRUE(c) << id;
        const XCTLREC* rec = FXCTLBYHANDLE(c);
        ASSERT_TRUE(rec) << id;
        EXPECT_EQ(rec->hCtl, c);
    }
    EXPECT_EQ(xEvents, (std::vector<int>{XEV_DLGDESTROY}));
}

bool bLate = false;
void CALLBACK pxlatetimer(HWND, UINT, UINT_PTR, DWORD) {
    bLate = true;
}

TEST_F(Dialog, AnInitialisationCallbackThatDestroysTheDialogEndsTheRunAtOnce) {
    ASSERT_TRUE(load(205));
    pxoncallbacks(xDlg);
    const HWND h = xDlg.hWnd;
    onInit = [](XWND& d, int, int) { XDESTROYDIALOG(d); };
    XTEST_PUMP();
    // A run that waits for its next message is woken by this one, late.
    bLate = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1000, pxlatetimer);
    EXPECT_EQ(XMODALDIALOG(xDlg), -1);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(bLate) << "the run waited for a message";
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(xDlg.hWnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(xOwner.hWnd));
    EXPECT_EQ(xEvents, (std::vector<int>{XEV_DLGINIT, XEV_DLGDESTROY}));
}

} // namespace
