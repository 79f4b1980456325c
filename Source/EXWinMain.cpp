// EXWinMain: the process entry. Registers the framework's window class, runs the
// application's XINIT and then the main message loop.
#include <windows.h>

#include <string>

#include "ZEBApp.h"
#include "ZEBStrings.h"

XAPPSTATE xApp;
XWND xFrame;

namespace {

void PXREGISTERCLASS() {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_OWNDC;
    wc.lpfnWndProc = fxwindowproc;
    wc.hInstance = xApp.hInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "XWndClass";
    RegisterClassA(&wc);
}

// Runs until WM_QUIT. A -1 from GetMessageA took no message (seen when another process sends a
// very large WM_SETTEXT): the loop goes on.
int PXMAINLOOP() {
    MSG msg{};
    for (BOOL got; (got = GetMessageA(&msg, nullptr, 0, 0)) != 0;)
        if (got != -1) FXPREPROCESS(msg, true);
    return static_cast<int>(msg.wParam);
}

} // namespace

int XWINMAIN(HINSTANCE hInstance, LPSTR sCmdLine, int nCmdShow) {
    xApp.hInstance = hInstance;
    xApp.nWindows = 0;
    xApp.pxFrame = &xFrame;
    xApp.pxMDI = nullptr;
    PXREGISTERCLASS();

    // The command line is handed over as a text of 256 characters, cut at its first NUL.
    std::string sLine = XFIXED(sCmdLine ? std::string_view(sCmdLine) : std::string_view(), 256);
    xApp.bInInit = true;
    bool bOk = XINIT(sLine, nCmdShow);
    xApp.bInInit = false;
    if (!bOk) return 0;
    return PXMAINLOOP();
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR sCmdLine, int nCmdShow) {
    return XWINMAIN(hInstance, sCmdLine, nCmdShow);
}
