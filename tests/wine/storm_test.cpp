// A message storm inside the process: random message numbers and parameters (those of
// tests/common/stormset.h; for controls only the system's own messages and the WM_APP range,
// since their class messages take addresses), then key, character and system-command messages
// with extreme parameters, sent and posted to a framework window with handlers, to controls of
// every class and to a modeless dialog. Afterwards every window is there, answers, and its
// handlers, controls and dialog work as before. ZEB_STORM_COUNT random messages (20000),
// ZEB_STORM_SEED the random sequence (1).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ZEBCtrl.h"
#include "ZEBDialog.h"
#include "stormset.h"
#include "zebtest.h"

namespace {

constexpr int kAbout = 302;

// Controls also take no mouse buttons: a scroll bar's or a list view's press waits in a loop
// of its own for the release, as a drag would.
bool pxforcontrol(unsigned m) {
    return (m < 0x400 && !(m >= 0x0201 && m <= 0x020E)) || m >= 0x8000;
}

int nKeys = 0, nChars = 0, nSizes = 0, nCommands = 0;
LRESULT pxonkey(XWND&, int&, int, int) {
    ++nKeys;
    return XFALSE;
}
LRESULT pxonchar(XWND&, int&, bool, bool) {
    ++nChars;
    return XTRUE;
}
LRESULT PXONSIZE(XWND&, int, int, int&) {
    ++nSizes;
    return XFALSE;
}
// System commands end here: keyboard and mouse menu activation from a control's default
// processing would otherwise open a modal menu loop.
LRESULT pxonsyscommand(XWND&, int) {
    ++nCommands;
    return XTRUE;
}

// A safety net, never needed when the filters hold: a menu loop or a capture left open by the
// storm is closed, so that the test cannot hang.
void CALLBACK pxunstick(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
    ReleaseCapture();
}

long long nSent = 0, nPosted = 0;
void pxhit(storm::random& rnd, HWND h, UINT m, WPARAM w, LPARAM l) {
    if (rnd.next() % 2) {
        SendMessageA(h, m, w, l);
        ++nSent;
    } else if (PostMessageA(h, m, w, l) && ++nPosted % 200 == 0) {
        XTEST_PUMP();
    }
}

int pxcount() {
    const char* s = std::getenv("ZEB_STORM_COUNT");
    const int n = s ? std::atoi(s) : 20000;
    return n > 0 ? n : 20000;
}

} // namespace

TEST(Storm, WindowsControlsAndADialogOutliveRandomAndExtremeMessages) {
    const XWND none;
    XWND xWnd, xDlg;
    ASSERT_TRUE(XCREATEWINDOW(xWnd, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "storm", std::nullopt,
                              0, 0, 600, 400));
    XSETHANDLER<WM_KEYDOWN>(xWnd, pxonkey);
    XSETHANDLER<WM_CHAR>(xWnd, pxonchar);
    XSETHANDLER<WM_SIZE>(xWnd, PXONSIZE);
    XSETHANDLER<WM_SYSCOMMAND>(xWnd, pxonsyscommand);
    std::vector<HWND> controls;
    for (int iClass = 1; iClass <= 17; ++iClass) {
        const int id = XCTLCREATE(xWnd, 100 + iClass, iClass, 0, 10 + 30 * (iClass % 6),
                                  10 + 60 * (iClass / 6), 120, 50);
        ASSERT_EQ(id, 100 + iClass);
        controls.push_back(GetDlgItem(xWnd.hWnd, id));
    }
    ASSERT_TRUE(XLOADDIALOG(kAbout, xDlg, xWnd.hWnd));
    XSETHANDLER<WM_SYSCOMMAND>(xDlg, pxonsyscommand);
    ASSERT_TRUE(XMODELESSDIALOG(xDlg));
    std::vector<HWND> all = controls;
    all.push_back(xWnd.hWnd);
    all.push_back(xDlg.hWnd);
    all.push_back(GetDlgItem(xDlg.hWnd, IDOK));
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, pxunstick);

    const char* seed = std::getenv("ZEB_STORM_SEED");
    storm::random rnd(seed ? std::strtoull(seed, nullptr, 0) : 1);
    const int n = pxcount();
    for (int i = 0; i < n; ++i) {
        const HWND h = all[rnd.next() % all.size()];
        const bool control = h != xWnd.hWnd && h != xDlg.hWnd;
        UINT m;
        do m = static_cast<UINT>(rnd.next() % (storm::kLast + 1));
        while (!storm::randomok(m) || (control && !pxforcontrol(m)));
        pxhit(rnd, h, m, rnd.param(), static_cast<LPARAM>(rnd.param()));
    }
    static const UINT kKeys[] = {WM_KEYDOWN,  WM_KEYUP,       WM_CHAR,
                                 WM_DEADCHAR, WM_SYSKEYDOWN,  WM_SYSKEYUP,
                                 WM_SYSCHAR,  WM_SYSDEADCHAR, WM_SYSCOMMAND};
    for (UINT m : kKeys)
        for (std::uint64_t w : storm::extremes())
            for (std::uint64_t l : {0ULL, 1ULL, 0x7FFFFFFFULL, 0x80000000ULL, ~0ULL})
                for (HWND h : {xWnd.hWnd, xDlg.hWnd})
                    if (storm::keyok(m, w))
                        pxhit(rnd, h, m, static_cast<WPARAM>(w),
                              static_cast<LPARAM>(static_cast<std::uintptr_t>(l)));
    XTEST_PUMP();
    KillTimer(nullptr, timer);
    std::printf("storm in-process: %lld sent, %lld posted to %zu windows\n", nSent, nPosted,
                all.size());

    for (HWND h : all) EXPECT_TRUE(IsWindow(h));
    DWORD_PTR r = 0;
    EXPECT_NE(SendMessageTimeoutA(xWnd.hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &r), 0u);
    // Handlers still get their messages with the right arguments.
    nKeys = nChars = 0;
    SendMessageA(xWnd.hWnd, WM_KEYDOWN, 0x41, 0x001E0001);
    SendMessageA(xWnd.hWnd, WM_CHAR, 'a', 1);
    EXPECT_EQ(nKeys, 1);
    EXPECT_EQ(nChars, 1);
    // The edit control still takes and gives its text through the typed routines.
    SendMessageA(controls[5], EM_SETREADONLY, FALSE, 0);
    SendMessageA(controls[5], EM_SETLIMITTEXT, 0, 0);
    EXPECT_TRUE(XCTLSETCHAR(xWnd, 100 + 6, "after the storm", XPC_VALUE));
    std::string s(15, ' ');
    EXPECT_TRUE(XCTLGETCHAR(xWnd, 100 + 6, s, XPC_VALUE));
    EXPECT_EQ(s, "after the storm");
    // The frame still follows a real resize, and the dialog still ends.
    nSizes = 0;
    SetWindowPos(xWnd.hWnd, nullptr, 0, 0, 500, 300, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    EXPECT_GE(nSizes, 1);
    XDESTROYDIALOG(xDlg);
    EXPECT_FALSE(IsWindow(all[all.size() - 2]));
    XDESTROYWINDOW(xWnd);
    XTEST_PUMP();
}
