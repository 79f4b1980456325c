// Compiled, never run. As it stands it must compile; with XCHECK_INT_IMAGE_SET or
// XCHECK_INT_IMAGE_GET defined it hands a bitmap or icon code to an integer form of the value
// routines, and must not compile.
#include "ZEBCtrl.h"

bool pximages(XWND& xWnd, HICON hIcon, HBITMAP hBmp) {
    HICON got = nullptr;
    int v = 0;
    bool ok = XCTLSETINT(xWnd, 1, hIcon, XPC_ICON) && XCTLSETINT(xWnd, 2, hBmp, XPC_BITMAP) &&
              XCTLGETINT(xWnd, 1, got, XPC_ICON) && XCTLSETINT(xWnd, 3, 5, XPC_VALUE) &&
              XCTLGETINT(xWnd, 3, v, XPC_VALUE);
#ifdef XCHECK_INT_IMAGE_SET
    ok = XCTLSETINT(xWnd, 1, 0, XPC_ICON);
#endif
#ifdef XCHECK_INT_IMAGE_GET
    ok = XCTLGETINT(xWnd, 2, v, XPC_BITMAP);
#endif
    return ok;
}
