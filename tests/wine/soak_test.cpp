// Soak: reports appended to a Tapmon-like pane (posted in batches and sent one by one), About-box
// cycles, control create/destroy cycles of every class, message boxes shown and answered,
// modeless dialogs and menus made and released. GDI objects, menus and windows of the process
// stay flat after a warm-up round, and memory grows with the pane's text only. Prints the
// figures. ZEB_SOAK_SCALE multiplies the rounds (1 in the test run: 2,000 reports; 10 gives the
// full 20,000).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "TapmonReport.h"
#include "ZEBCtrl.h"
#include "ZEBDialog.h"
#include "ZEBMenu.h"
#include "gdiprobe.h"
#include "zebtest.h"

namespace {

constexpr int kPane = 100, kAbout = 302, kMenu = 304;

int pxscale() {
    const char* s = std::getenv("ZEB_SOAK_SCALE");
    const int n = s ? std::atoi(s) : 1;
    return n > 0 ? n : 1;
}

struct XCOUNTS {
    int gdi = 0, menus = 0, windows = 0;
    std::size_t mem = 0;
};

BOOL CALLBACK pxcountchild(HWND, LPARAM l) {
    ++*reinterpret_cast<int*>(l);
    return TRUE;
}
BOOL CALLBACK pxcounttop(HWND h, LPARAM l) {
    ++*reinterpret_cast<int*>(l);
    EnumChildWindows(h, pxcountchild, l);
    return TRUE;
}

// Bytes in use in every heap of the process.
std::size_t pxheapbytes() {
    HANDLE heaps[64];
    const DWORD n = GetProcessHeaps(64, heaps);
    std::size_t used = 0;
    for (DWORD i = 0; i < n && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY e{};
        while (HeapWalk(heaps[i], &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += e.cbData;
        HeapUnlock(heaps[i]);
    }
    return used;
}

// Menus by probing every user-handle slot (Wine accepts a handle without its generation word),
// windows by enumeration of this thread's windows and their children, memory as the private
// bytes in use on the process's heaps.
XCOUNTS pxcounts() {
    XCOUNTS c;
    c.gdi = XTEST_GDIOBJECTS();
    for (INT_PTR i = 0x20; i <= 0xFFFF; ++i) c.menus += IsMenu(reinterpret_cast<HMENU>(i)) ? 1 : 0;
    EnumThreadWindows(GetCurrentThreadId(), pxcounttop, reinterpret_cast<LPARAM>(&c.windows));
    c.mem = pxheapbytes();
    return c;
}

DWORD t0 = 0;
void pxprint(const char* what, const XCOUNTS& c) {
    std::printf("soak %5.1f s %-22s gdi %5d menus %4d windows %4d memory %9zu\n",
                (GetTickCount() - t0) / 1000.0, what, c.gdi, c.menus, c.windows, c.mem);
    std::fflush(stdout);
}

XWND xSoak;

LRESULT pxonkey(XWND& w, int& iVirtKey, int iRepeat, int iScanCode) {
    XKEYSTATE keys{};
    XCTLSETCHAR(w, kPane, KEYDOWNREPORT(iVirtKey, iRepeat, iScanCode, keys), 0);
    return XFALSE;
}

int pxpanelength() {
    return static_cast<int>(XCTLSENDMESSAGE(xSoak, kPane, WM_GETTEXTLENGTH, 0, 0));
}

// n reports: half posted in batches of 100 and dispatched, half sent one by one.
void pxreports(int n) {
    for (int i = 0; i < n / 2; i += 100) {
        for (int k = 0; k < 100 && i + k < n / 2; ++k)
            PostMessageA(xSoak.hWnd, WM_KEYDOWN, 0x74, 0x003F0001);
        XTEST_PUMP();
    }
    for (int i = n / 2; i < n; ++i) SendMessageA(xSoak.hWnd, WM_KEYDOWN, 0x41, 0x001E0001);
}

XWND xAbout;
void pxabout() {
    xAbout = XWND{};
    XLOADDIALOG(kAbout, xAbout, xSoak.hWnd);
    XENDDIALOG(xAbout, IDOK); // taken by the run at once
    XMODALDIALOG(xAbout);
    XDESTROYDIALOG(xAbout);
}

void pxcontrols() {
    for (int iClass = 1; iClass <= 17; ++iClass) {
        const int id = XCTLCREATE(xSoak, 200, iClass, 0, 10, 10, 120, 60);
        if (id) XCTLDESTROY(xSoak, id);
    }
}

void CALLBACK pxanswer(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND h = FindWindowA("#32770", "Soak box");
    if (!h) return;
    KillTimer(nullptr, id);
    PostMessageA(h, WM_COMMAND, IDOK, 0);
}
void pxmessagebox() {
    SetTimer(nullptr, 0, 10, pxanswer);
    XMESSAGEBOX("A box that is answered at once", "Soak box", MB_OKCANCEL | MB_ICONINFORMATION,
                xSoak.hWnd);
}

XWND xModeless;
void pxmodeless() {
    xModeless = XWND{};
    XLOADDIALOG(kAbout, xModeless, xSoak.hWnd);
    XMODELESSDIALOG(xModeless);
    XTEST_PUMP();
    XDESTROYDIALOG(xModeless);
}

void pxmenu() {
    XMENU m = XLOADMENU(kMenu);
    XDESTROYMENU(m);
}

// One round of everything but the reports.
void pxround(int scale) {
    for (int i = 0; i < 20 * scale; ++i) pxabout();
    for (int i = 0; i < 50 * scale; ++i) pxcontrols();
    for (int i = 0; i < 2 * scale; ++i) pxmessagebox();
    for (int i = 0; i < 20 * scale; ++i) pxmodeless();
    for (int i = 0; i < 20 * scale; ++i) pxmenu();
    XTEST_PUMP();
}

} // namespace

TEST(Soak, ObjectsStayFlatAndMemoryFollowsThePaneText) {
    const int scale = pxscale();
    const XWND none;
    // Not shown: an append to a visible edit costs a repaint, and the soak is about what is kept.
    ASSERT_TRUE(XCREATEWINDOW(xSoak, none, WS_OVERLAPPEDWINDOW, "soak"));
    ASSERT_EQ(XCTLCREATE(xSoak, kPane, 6, 0x0804, 0, 0, 400, 300), kPane);
    XCTLSENDMESSAGE(xSoak, kPane, EM_SETLIMITTEXT, 0, 0);
    XCTLSENDMESSAGE(xSoak, kPane, WM_SETFONT,
                    reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), 0);
    XSETHANDLER<WM_KEYDOWN>(xSoak, pxonkey);
    t0 = GetTickCount();

    // Warm-up: one small round of everything, then the pane emptied.
    pxreports(200);
    pxround(1);
    XCTLSENDMESSAGE(xSoak, kPane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    const XCOUNTS warm = pxcounts();
    pxprint("after warm-up", warm);

    const int nReports = 2000 * scale;
    pxreports(nReports);
    const int nChars = pxpanelength();
    const XCOUNTS filled = pxcounts();
    pxprint("reports appended", filled);
    XCTLSENDMESSAGE(xSoak, kPane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    pxreports(nReports);
    const XCOUNTS refilled = pxcounts();
    pxprint("emptied and refilled", refilled);

    pxround(scale);
    const XCOUNTS after = pxcounts();
    pxprint("after every cycle", after);
    const double perChar = nChars ? double(filled.mem) - double(warm.mem) : 0;
    std::printf("soak %d reports twice, %d characters in the pane, %.2f bytes per character; "
                "%d About boxes, %d control cycles of 17 classes, %d message boxes, %d modeless "
                "dialogs, %d menus; %.1f s\n",
                nReports, nChars, nChars ? perChar / nChars : 0.0, 20 * scale + 20, 50 * scale + 50,
                2 * scale + 2, 20 * scale + 20, 20 * scale + 20, (GetTickCount() - t0) / 1000.0);

    EXPECT_EQ(nChars, nReports / 2 * int(KEYDOWNREPORT(0x74, 1, 0x3F, XKEYSTATE{}).size()) +
                          (nReports - nReports / 2) *
                              int(KEYDOWNREPORT(0x41, 1, 0x1E, XKEYSTATE{}).size()));
    EXPECT_EQ(after.gdi, warm.gdi);
    EXPECT_EQ(after.menus, warm.menus);
    EXPECT_EQ(filled.windows, warm.windows);
    EXPECT_EQ(after.windows, warm.windows);
    // Refilling an emptied pane reuses its memory: far less new memory than the first fill.
    EXPECT_LT(double(refilled.mem) - double(filled.mem),
              0.5 * (double(filled.mem) - double(warm.mem)) + 65536);
    XDESTROYWINDOW(xSoak);
    XTEST_PUMP();
}
