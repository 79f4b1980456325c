// What the control routines cost per call: finding a control's record from its window (the
// "XCTL" property), a click routed to its callback, a colour answered for a control, a typed
// value set and read, and an append to a visible multi-line edit, which is what an application
// like Tapmon does most. Each figure is the best of three runs.
//
//   ctrl_bench [calls]        prints microseconds per call
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ZEBCtrl.h"
#include "benchharness.h"

namespace {

using xbench::sink;
long nCalls = 20000;

template <class F> void measure(const char* what, long n, F f) {
    const double best = xbench::best(3, [&] {
        for (long i = 0; i < n; ++i) f(i);
    });
    std::printf("%-34s %8ld %12.2f us\n", what, n, best * 1e6 / static_cast<double>(n));
}

void onclick(XWND&, int iID, int iCode) {
    sink = sink + iID + iCode;
}

} // namespace

int XBENCH(int argc, char** argv) {
    nCalls = xbench::count(argc, argv, nCalls, 100);
    XWND xWnd;
    const XWND none;
    if (!XCREATEWINDOW(xWnd, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "control bench", std::nullopt,
                       0, 0, 500, 400))
        return 1;
    if (!XCTLCREATE(xWnd, 1, XCC_BUTTON, 0, 10, 10, 80, 24) ||
        !XCTLCREATE(xWnd, 2, XCC_EDIT, 0, 10, 40, 200, 24) ||
        !XCTLCREATE(xWnd, 3, XCC_EDIT, 0x0804, 10, 80, 400, 250))
        return 1;
    XCTLSETSUB(xWnd, 1, onclick);
    XSETCOMMAND(xWnd, 40001, onclick);
    XCTLSETINT(xWnd, 2, 0x00FFFF, XPC_BKCOLOUR);
    const HWND hButton = GetDlgItem(xWnd.hWnd, 1), hEdit = GetDlgItem(xWnd.hWnd, 2);
    const HDC hDC = GetDC(hEdit);

    std::printf("%-34s %8s %15s\n", "call", "count", "per call");
    measure("record from window (FXCTLBYHANDLE)", nCalls,
            [&](long) { sink = sink + reinterpret_cast<INT_PTR>(FXCTLBYHANDLE(hButton)); });
    measure("GetWindowLongPtrA, for scale", nCalls,
            [&](long) { sink = sink + GetWindowLongPtrA(hButton, GWLP_ID); });
    measure("click routed to a control callback", nCalls, [&](long) {
        SendMessageA(xWnd.hWnd, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED),
                     reinterpret_cast<LPARAM>(hButton));
    });
    measure("menu command to the command table", nCalls,
            [&](long) { SendMessageA(xWnd.hWnd, WM_COMMAND, MAKEWPARAM(40001, 0), 0); });
    measure("colour answered for an edit", nCalls, [&](long) {
        sink = sink + SendMessageA(xWnd.hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC),
                                   reinterpret_cast<LPARAM>(hEdit));
    });
    measure("XCTLSETINT caret of an edit", nCalls / 4,
            [&](long i) { XCTLSETINT(xWnd, 2, static_cast<int>(i % 3)); });
    measure("XCTLGETINT background colour", nCalls / 4, [&](long) {
        int v = 0;
        XCTLGETINT(xWnd, 2, v, XPC_BKCOLOUR);
        sink = sink + v;
    });
    measure("XCTLSETCHAR append, visible edit", std::max(nCalls / 200, 10L), [&](long i) {
        XCTLSETCHAR(xWnd, 3, "line " + std::to_string(i) + "\r\n", XPC_APPEND);
    });
    std::printf("(checksum %lld)\n", static_cast<long long>(sink));
    ReleaseDC(hEdit, hDC);
    XDESTROYWINDOW(xWnd);
    return 0;
}
