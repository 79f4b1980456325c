// ZEBApp: application frames and the callable message pump.
#include "ZEBApp.h"

#include <algorithm>

namespace {

// Every queue-status class except QS_KEY.
constexpr DWORD XWAKEMASK = 0xFE;

bool pxiscontrolparent(HWND hWnd) {
    return hWnd && (GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
}

// The wait step: -(k) when handle k (from 1) was signalled, else 0.
int pxwait(const std::vector<HANDLE>& hHandles, int bWaitAll) {
    DWORD n = static_cast<DWORD>(hHandles.size());
    DWORD r = MsgWaitForMultipleObjects(n, n ? hHandles.data() : nullptr, bWaitAll != 0, INFINITE,
                                        XWAKEMASK);
    if (r < WAIT_OBJECT_0 + n) return -static_cast<int>(r - WAIT_OBJECT_0 + 1);
    return 0;
}

} // namespace

void FXPREPROCESS(MSG& msg, bool bAccel) {
    if (xApp.pxMDI && TranslateMDISysAccel(xApp.pxMDI->hWnd, &msg)) return;
    if (bAccel && TranslateAcceleratorA(xApp.pxFrame->hWnd, xApp.hAccel, &msg)) return;
    HWND hActive = GetActiveWindow();
    if (pxiscontrolparent(hActive) && IsDialogMessageA(hActive, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int XPROCESSMESSAGES(std::optional<bool> bWait, std::optional<std::vector<int>> iMsgs,
                     std::optional<std::vector<HANDLE>> hHandles, std::optional<int> bWaitAll) {
    const bool wait = bWait.value_or(false);
    const int waitAll = bWaitAll.value_or(0);
    MSG msg;
    for (;;) {
        if (hHandles) {
            int k = pxwait(*hHandles, waitAll);
            if (k < 0) return k;
        }
        for (;;) {
            if (!wait || hHandles) {
                if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    if (!wait) return 0;
                    break; // back to the wait step
                }
            } else if (GetMessageA(&msg, nullptr, 0, 0) == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return WM_QUIT;
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
