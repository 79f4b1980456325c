// A second framework program for tests that need another process in the same desktop. It runs
// the framework's process entry with what its command line says:
//   window        a framework window with an object, titled "zeb peer", is the frame, with an
//                 edit control 5 made by the framework; the program runs the main loop until
//                 the window is closed (exit 0)
//   settext H     sends window H a WM_SETTEXT of 1 MB and ends
//   settext H M W L  ... and then posts message M (W, L as decimal numbers) to H
//   throw         a handler reached from the main loop throws std::runtime_error("peer"):
//                 exit 42 when main() catches it around the process entry
//   arglist       a handler with the wrong argument list is reached from the main loop;
//   mismatch      a window whose object names another window gets a message: either way the
//                 software exception ends the program through the unhandled-exception filter
//                 with its low byte as exit code (0xE3 or 0xE1); exit 5 if the loop went on
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>

#include "ZEBApp.h"
#include "ZEBCtrl.h"
#include "ZEBStrings.h"

namespace {

constexpr int XBIGTEXT = 1 << 20;
constexpr UINT WM_GO = WM_APP + 1;
constexpr int XPEER_EDIT = 5;
constexpr int XEXIT_CAUGHT = 42, XEXIT_WENTON = 5;
XWND xWorker;

bool pxsettext(std::istringstream& args) {
    unsigned long long h = 0, m = 0;
    long long w = 0, l = 0;
    args >> h;
    const HWND hWnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(h));
    const std::string text(XBIGTEXT, 'x');
    DWORD_PTR r = 0;
    SendMessageTimeoutA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        1000, &r);
    if (args >> m >> w >> l)
        PostMessageA(hWnd, static_cast<UINT>(m), static_cast<WPARAM>(w), static_cast<LPARAM>(l));
    return false;
}

LRESULT pxthrow(XWND&, int&, WPARAM&, LPARAM&) {
    throw std::runtime_error("peer");
}

LRESULT pxwronglist(XWND&) {
    return XTRUE;
}

LONG WINAPI pxunhandled(EXCEPTION_POINTERS* info) {
    ExitProcess(info->ExceptionRecord->ExceptionCode & 0xFF);
}

// A worker window whose WM_GO, posted now, reaches the main loop; a quit follows it.
bool pxworker(const XPROCREF& go) {
    const XWND none;
    if (!XCREATEWINDOW(xWorker, none, WS_POPUP, "worker")) return false;
    FXSETHANDLER(xWorker, WM_GO, go);
    PostMessageA(xWorker.hWnd, WM_GO, 0, 0);
    PostQuitMessage(XEXIT_WENTON);
    return true;
}

} // namespace

bool XINIT(std::string_view sCmdLine, int&) {
    std::istringstream args{std::string(XTRIM(sCmdLine))};
    std::string mode;
    args >> mode;
    if (mode == "settext") return pxsettext(args);
    if (mode == "window") {
        const XWND none;
        return XCREATEWINDOW(xFrame, none, WS_POPUP, "zeb peer") &&
               XCTLCREATE(xFrame, XPEER_EDIT, XCC_EDIT, 0) == XPEER_EDIT;
    }
    if (mode == "throw") return pxworker(XPROCOF(pxthrow));
    SetUnhandledExceptionFilter(pxunhandled);
    if (mode == "arglist") return pxworker(XPROCOF(pxwronglist));
    if (mode == "mismatch" && pxworker(XPROCOF(pxthrow))) {
        xWorker.hWnd = GetDesktopWindow();
        return true;
    }
    return false;
}

int main() {
    // The arguments after the program's own (quoted) path.
    std::string line = GetCommandLineA();
    const std::size_t end = line[0] == '"' ? line.find('"', 1) : line.find(' ');
    line = end == std::string::npos ? std::string() : line.substr(end + 1);
    try {
        return XWINMAIN(GetModuleHandleA(nullptr), line.data(), SW_SHOWNORMAL);
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "peer_app: caught \"%s\"\n", e.what());
        return XEXIT_CAUGHT;
    }
}
