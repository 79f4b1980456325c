// A program on the framework's process entry whose XINIT does what its command line says, so
// that winmain_test can watch the entry from outside:
//   refuse        posts a quit with 9 and returns false: the loop must not run (exit 0)
//   refuse-frame  creates the default frame and returns false (exit 0 at once)
//   quit N        a quit with code N is posted from inside the loop (exit N)
//   frame         the default frame is destroyed from inside the loop (exit 0)
//   frame-kept    as frame, with a WM_DESTROY handler that claims the message and quits with 11
//   echo ...      writes the command line and start-up state it got to exitcode_app.out
//                 next to the program and returns false
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ZEBApp.h"
#include "ZEBStrings.h"

namespace {

constexpr UINT WM_GO = WM_APP + 1;
XWND xWorker;
int nQuitCode = 0;

LRESULT pxquit(XWND&, int&, WPARAM&, LPARAM&) {
    PostQuitMessage(nQuitCode);
    return XTRUE;
}

LRESULT pxdestroyframe(XWND&, int&, WPARAM&, LPARAM&) {
    XDESTROYWINDOW(xFrame);
    return XTRUE;
}

// Claims WM_DESTROY, whatever argument list the message prescribes.
template <class Sig> struct XKEEPRUNNING;
template <class R, class... A> struct XKEEPRUNNING<R(A...)> {
    static R fn(A...) {
        PostQuitMessage(11);
        return XTRUE;
    }
};

bool pxworker(XGENERALHANDLER* pfnGo) {
    const XWND none;
    if (!XCREATEWINDOW(xWorker, none, WS_POPUP, "worker")) return false;
    XSETHANDLER<WM_GO>(xWorker, pfnGo);
    return PostMessageA(xWorker.hWnd, WM_GO, 0, 0) != 0;
}

bool pxecho(std::string_view sCmdLine, int nCmdShow) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string out = path;
    out = out.substr(0, out.find_last_of("\\/") + 1) + "exitcode_app.out";
    FILE* f = std::fopen(out.c_str(), "wb");
    if (!f) return false;
    std::fwrite(sCmdLine.data(), 1, sCmdLine.size(), f);
    std::fprintf(f, "|show=%d init=%d frame=%d windows=%d instance=%d", nCmdShow,
                 xApp.bInInit ? 1 : 0, xApp.pxFrame == &xFrame ? 1 : 0, xApp.nWindows,
                 xApp.hInstance == GetModuleHandleA(nullptr) ? 1 : 0);
    std::fclose(f);
    return false;
}

} // namespace

bool XINIT(std::string_view sCmdLine, int& nCmdShow) {
    const std::string line(XTRIM(sCmdLine));
    const std::string mode = line.substr(0, line.find(' '));
    if (mode == "echo") return pxecho(sCmdLine, nCmdShow);
    if (mode == "refuse") {
        PostQuitMessage(9);
        return false;
    }
    if (mode == "refuse-frame") {
        PXDEFXINIT();
        return false;
    }
    if (mode == "quit") {
        nQuitCode = std::atoi(line.c_str() + 4);
        return pxworker(pxquit);
    }
    if (mode == "frame" || mode == "frame-kept") {
        if (!PXDEFXINIT()) return false;
        if (mode == "frame-kept")
            XSETHANDLER<WM_DESTROY>(xFrame, XKEEPRUNNING<XHANDLER_T<WM_DESTROY>::type>::fn);
        return pxworker(pxdestroyframe);
    }
    return false;
}
