// ZEBApp: application frames and the callable message pump.
#include "ZEBApp.h"

#include <commctrl.h>

#include <algorithm>

#include "ZEBDialog.h"
#include "ZEBMenu.h"
#include "ZEBStrings.h"

namespace {

// Every queue-status class except QS_KEY.
constexpr DWORD XWAKEMASK = 0xFE;

// The wait step: -(k) when handle k (from 1) was signalled (an abandoned mutex is owned now,
// so it counts as signalled), XPM_WAITFAILED when the wait could not be made, else 0: input.
int PXWAIT(const std::vector<HANDLE>& hHandles, int bWaitAll) {
    if (hHandles.size() > MAXIMUM_WAIT_OBJECTS - 1) return XPM_WAITFAILED; // the queue is one
    const DWORD n = static_cast<DWORD>(hHandles.size());
    const DWORD r = MsgWaitForMultipleObjects(n, n ? hHandles.data() : nullptr, bWaitAll != 0,
                                              INFINITE, XWAKEMASK);
    if (r < WAIT_OBJECT_0 + n) return -static_cast<int>(r - WAIT_OBJECT_0 + 1);
    if (r >= WAIT_ABANDONED_0 && r < WAIT_ABANDONED_0 + n)
        return -static_cast<int>(r - WAIT_ABANDONED_0 + 1);
    if (r == WAIT_OBJECT_0 + n) return 0;
    return XPM_WAITFAILED;
}

constexpr int XSTYLE_FRAME = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int XEXSTYLE_FRAME = WS_EX_APPWINDOW;
constexpr int XSTYLE_MDICLIENT = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
constexpr int XBEEP_MINFREQ = 37, XBEEP_MAXFREQ = 32767, XBEEP_FREQ = 440, XBEEP_DURATION = 50;

// The framework's MDI client and its creation record, which the client reads at creation.
XWND xMDIClient;
CLIENTCREATESTRUCT xClientCreate;

bool PXCREATEFRAME(XMENU& xMenu, std::string_view sTitle, int iStyle, int iExStyle) {
    return XCREATEWINDOW(xFrame, *XGETWINDOW(), iStyle, sTitle, iExStyle, std::nullopt,
                         std::nullopt, std::nullopt, std::nullopt, &xMenu);
}

void PXICONANDSHOW(std::optional<int> iIcon, std::optional<int> nCmdShow) {
    if (iIcon) XSETWINDOWICON(xFrame, *iIcon);
    XSHOWWINDOW(xFrame, nCmdShow.value_or(SW_SHOW));
}

} // namespace

namespace {

void PXPREPROCESS(MSG& msg, bool bAccel) {
    if (xApp.pxMDI && TranslateMDISysAccel(xApp.pxMDI->hWnd, &msg)) return;
    if (bAccel && TranslateAcceleratorA(xApp.pxFrame->hWnd, xApp.hAccel, &msg)) return;
    HWND hActive = GetActiveWindow();
    if (FXISCONTROLPARENT(hActive) && IsDialogMessageA(hActive, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

} // namespace

// Each claiming step dispatches too (accelerator commands, dialog keys): whatever a handler
// threw on the way is rethrown here, in the loop's own frame.
void FXPREPROCESS(MSG& msg, bool bAccel) {
    PXPREPROCESS(msg, bAccel);
    FXRETHROW();
}

int XPROCESSMESSAGES(std::optional<bool> bWait, std::optional<std::vector<int>> iMsgs,
                     std::optional<std::vector<HANDLE>> hHandles, std::optional<int> bWaitAll) {
    const bool wait = bWait.value_or(false);
    const int waitAll = bWaitAll.value_or(0);
    MSG msg;
    for (;;) {
        if (hHandles) {
            int k = PXWAIT(*hHandles, waitAll);
            if (k < 0) return k;
        }
        for (;;) {
            if (!wait || hHandles) {
                if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    if (!wait) return 0;
                    break; // back to the wait step
                }
            } else if (const BOOL got = GetMessageA(&msg, nullptr, 0, 0); got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return WM_QUIT;
            } else if (got == -1) {
                continue; // nothing was taken: msg still holds the last message
            }
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return WM_QUIT;
            }
            if (iMsgs && std::find(iMsgs->begin(), iMsgs->end(), static_cast<int>(msg.message)) !=
                             iMsgs->end())
                return static_cast<int>(msg.message);
            FXPREPROCESS(msg, xApp.pxFrame != nullptr);
        }
    }
}

// Application frames.

bool XCREATESDIAPP(XMENU& xMenu, std::string_view sTitle, std::optional<int> iIcon,
                   std::optional<int> nCmdShow, std::optional<int> iStyle,
                   std::optional<int> iExStyle) {
    if (!xApp.bInInit) return false;
    InitCommonControls();
    const bool ok = PXCREATEFRAME(xMenu, sTitle, iStyle.value_or(XSTYLE_FRAME),
                                  iExStyle.value_or(XEXSTYLE_FRAME));
    PXICONANDSHOW(iIcon, nCmdShow);
    return ok;
}

bool XCREATEMDIAPP(XMENU& xMenu, int iWindowMenu, std::string_view sTitle, std::optional<int> iIcon,
                   std::optional<int> nCmdShow) {
    if (!xApp.bInInit) return false;
    InitCommonControls();
    if (!PXCREATEFRAME(xMenu, sTitle, XSTYLE_FRAME, XEXSTYLE_FRAME)) return false;
    xApp.pxMDI = &xMDIClient;
    xClientCreate.hWindowMenu = GetSubMenu(xMenu.hMenu, iWindowMenu - 1);
    xClientCreate.idFirstChild = 1;
    const bool ok =
        XCREATEWINDOW(xMDIClient, xFrame, XSTYLE_MDICLIENT, "", std::nullopt, std::nullopt,
                      std::nullopt, std::nullopt, std::nullopt, nullptr, "MDICLIENT", std::nullopt,
                      reinterpret_cast<LPARAM>(&xClientCreate));
    // The frame's default processing sizes the client to fill it.
    int w = 0, h = 0;
    XGETCLIENTRECT(xFrame, w, h);
    SendMessageA(xFrame.hWnd, WM_SIZE, 0, MAKELPARAM(w, h));
    PXICONANDSHOW(iIcon, nCmdShow);
    return ok;
}

bool XCREATEDIALOGAPP(int iDialog, XMENU* xMenu, std::optional<int> iIcon) {
    if (!xApp.bInInit) return false;
    const bool ok = XLOADDIALOG(iDialog, xFrame);
    if (xMenu) XSETWINDOWMENU(xFrame, *xMenu);
    if (iIcon) XSETWINDOWICON(xFrame, *iIcon);
    return ok;
}

// Process-wide services.

HINSTANCE XGETINSTANCE(std::optional<std::string_view> sModule) {
    if (!sModule) return GetModuleHandleA(nullptr);
    return GetModuleHandleA(XSZ(*sModule).c_str());
}

bool XLOADACCELERATORS(int iAccel, std::optional<HINSTANCE> hInstance) {
    xApp.hAccel =
        LoadAcceleratorsA(hInstance ? *hInstance : XGETINSTANCE(), MAKEINTRESOURCEA(iAccel));
    return xApp.hAccel != nullptr;
}

BOOL XBEEP(std::optional<int> iFreq, std::optional<int> iDuration) {
    const int f = iFreq.value_or(XBEEP_FREQ);
    const DWORD freq = (f >= XBEEP_MINFREQ && f <= XBEEP_MAXFREQ) ? f : XBEEP_FREQ;
    // A negative duration would be some 49 days of blocking: no beep at all.
    const DWORD ms = static_cast<DWORD>(std::max(iDuration.value_or(XBEEP_DURATION), 0));
    return Beep(freq, ms);
}

BOOL XMESSAGEBEEP(int iType) {
    return MessageBeep(static_cast<UINT>(iType));
}
