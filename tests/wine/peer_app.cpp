// A second framework program for tests that need another process in the same desktop:
//   window        a framework window with an object, titled "zeb peer", is the frame; the
//                 program runs the main loop until the window is closed (exit 0)
//   settext H     sends window H a WM_SETTEXT of 1 MB and ends
//   settext H M W L  ... and then posts message M (W, L as decimal numbers) to H
#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "ZEBApp.h"
#include "ZEBStrings.h"

namespace {

constexpr int XBIGTEXT = 1 << 20;

bool pxsettext(std::istringstream& args) {
    unsigned long long h = 0, m = 0;
    long long w = 0, l = 0;
    args >> h;
    const HWND hWnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(h));
    const std::string text(XBIGTEXT, 'x');
    DWORD_PTR r = 0;
    SendMessageTimeoutA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        10000, &r);
    if (args >> m >> w >> l)
        PostMessageA(hWnd, static_cast<UINT>(m), static_cast<WPARAM>(w), static_cast<LPARAM>(l));
    return false;
}

} // namespace

bool XINIT(std::string_view sCmdLine, int&) {
    std::istringstream args{std::string(XTRIM(sCmdLine))};
    std::string mode;
    args >> mode;
    if (mode == "settext") return pxsettext(args);
    if (mode == "window") {
        const XWND none;
        return XCREATEWINDOW(xFrame, none, WS_POPUP, "zeb peer");
    }
    return false;
}
