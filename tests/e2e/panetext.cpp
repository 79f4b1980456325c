// panetext: looks at and drives a running Tapmon from another process of the same Wine desktop,
// for the end-to-end tests, the pane benchmark and scripts/run.sh. Tapmon is the top-level
// "XWndClass" window titled "Tapmon"; its pane is the frame's Edit child.
//
//   panetext                     prints the pane's text as it is (CR LF line ends)
//   panetext len                 prints the pane's text length
//   panetext clear               empties the pane (WM_SETTEXT "")
//   panetext fill N              sets the pane to N characters of report-like lines
//   panetext post MSG W L [N]    posts MSG with W and L to the frame, N times (1)
//   panetext send MSG W L        sends it and prints the result
//   panetext pane MSG W L        sends it to the pane and prints the result
//   panetext ping MS             whether Tapmon answers a message within MS milliseconds
//   panetext chars post|send A B WM_CHAR for every character code A..B (key-down parameter 1),
//                                posted or sent one by one
//   panetext wait-idle [MS]      waits until Tapmon answers and its pane has not changed for MS
//                                milliseconds (300)
//   panetext focus               "focus NAME" and "active NAME" of Tapmon's thread (NAME:
//                                frame, pane, about, about-ok, none or the window's class),
//                                "menumode 0|1", and "popup L T R B" and "popupclient L T R B"
//                                (its items' area) for each open menu
//   panetext rects               the frame's client size, the pane's rectangle in client
//                                coordinates and on the screen, the frame's window rectangle,
//                                whether it is minimised, where its menu bar is on the screen
//   panetext about               every "About Tapmon" box, shown or not: its handle, whether
//                                it is visible, its rectangle, owner, the OK button's centre;
//                                the frame's rectangle, whether it is enabled, the box count
//   panetext move X Y W H        SetWindowPos of the frame
//   panetext show CMD            ShowWindow of the frame
//   panetext clipboard           prints the clipboard's text (CF_TEXT) as it is; fails without
//                                one
//   panetext clipboard clear     empties the clipboard
//   panetext final SECONDS       hooks Tapmon's thread (panehook.dll beside this program),
//                                prints "hooked", waits until the frame is destroyed and prints
//                                the text the pane held at that moment
//
// Numbers may be decimal or 0x hexadecimal. Exit code: 0 done, 1 failed or timed out, 2 no
// Tapmon window, 3 usage.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "paneio.h"

namespace {

HWND pxpane(HWND hFrame) {
    return FindWindowExA(hFrame, nullptr, "Edit", nullptr);
}

// A message to another process that never blocks this one for ever.

long long pxnumber(const char* s) {
    return std::strtoll(s, nullptr, 0);
}

std::uintptr_t pxword(const char* s) {
    return s[0] == '-' ? static_cast<std::uintptr_t>(std::strtoll(s, nullptr, 0))
                       : static_cast<std::uintptr_t>(std::strtoull(s, nullptr, 0));
}

LRESULT pxlength(HWND hPane) {
    DWORD_PTR n = 0;
    if (!pxsend(hPane, WM_GETTEXTLENGTH, 0, 0, &n)) return -1;
    return static_cast<LRESULT>(n);
}

int pxprinttext(HWND hPane) {
    const LRESULT n = pxlength(hPane);
    if (n < 0) return 1;
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    DWORD_PTR got = 0;
    if (!pxsend(hPane, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(&s[0]), &got)) return 1;
    std::fwrite(s.data(), 1, static_cast<std::size_t>(got), stdout);
    return 0;
}

std::string pxname(HWND h, HWND hFrame) {
    if (!h) return "none";
    if (h == hFrame) return "frame";
    if (h == pxpane(hFrame)) return "pane";
    char s[128];
    if (GetWindowTextA(h, s, sizeof s) && !std::strcmp(s, "About Tapmon")) return "about";
    if (GetDlgCtrlID(h) == IDOK && GetWindowTextA(GetParent(h), s, sizeof s) &&
        !std::strcmp(s, "About Tapmon"))
        return "about-ok";
    if (!GetClassNameA(h, s, sizeof s)) return "unknown";
    return s;
}

void pxprintrect(const char* what, const RECT& r) {
    std::printf("%s %ld %ld %ld %ld\n", what, r.left, r.top, r.right, r.bottom);
}

int pxrects(HWND hFrame) {
    RECT client{}, pane{}, frame{};
    const HWND hPane = pxpane(hFrame);
    if (!hPane || !GetClientRect(hFrame, &client) || !GetWindowRect(hPane, &pane) ||
        !GetWindowRect(hFrame, &frame))
        return 1;
    const RECT screen = pane;
    MapWindowPoints(nullptr, hFrame, reinterpret_cast<POINT*>(&pane), 2);
    POINT origin{0, 0};
    ClientToScreen(hFrame, &origin);
    std::printf("client %ld %ld\n", client.right - client.left, client.bottom - client.top);
    pxprintrect("pane", pane);
    pxprintrect("panescreen", screen);
    pxprintrect("frame", frame);
    std::printf("iconic %d\n", IsIconic(hFrame) ? 1 : 0);
    // The menu bar is the band just above the client area.
    std::printf("menubar %ld %ld\n", origin.x, origin.y - GetSystemMetrics(SM_CYMENU) / 2);
    return 0;
}

struct PXABOUT {
    HWND hFrame;
    int nCount;
};

BOOL CALLBACK pxprintabout(HWND h, LPARAM l) {
    PXABOUT& a = *reinterpret_cast<PXABOUT*>(l);
    char s[64];
    if (!GetWindowTextA(h, s, sizeof s) || std::strcmp(s, "About Tapmon")) return TRUE;
    ++a.nCount;
    RECT r{}, ok{};
    GetWindowRect(h, &r);
    std::printf("box %p\n", static_cast<void*>(h));
    std::printf("visible %d\n", IsWindowVisible(h) ? 1 : 0);
    pxprintrect("about", r);
    const HWND hOwner = GetWindow(h, GW_OWNER);
    std::printf("owner %s\n", hOwner == a.hFrame ? "frame" : hOwner ? "other" : "none");
    if (GetWindowRect(GetDlgItem(h, IDOK), &ok))
        std::printf("ok %ld %ld\n", (ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
    return TRUE;
}

int pxabout(HWND hFrame) {
    PXABOUT a{hFrame, 0};
    EnumWindows(pxprintabout, reinterpret_cast<LPARAM>(&a));
    RECT frame{};
    GetWindowRect(hFrame, &frame);
    pxprintrect("frame", frame);
    std::printf("frame-enabled %d\n", IsWindowEnabled(hFrame) ? 1 : 0);
    std::printf("count %d\n", a.nCount);
    return 0;
}

BOOL CALLBACK pxprintpopup(HWND h, LPARAM) {
    char s[16];
    RECT r{}, c{};
    if (IsWindowVisible(h) && GetClassNameA(h, s, sizeof s) && !std::strcmp(s, "#32768") &&
        GetWindowRect(h, &r)) {
        pxprintrect("popup", r);
        // Where the items are: the menu's client area on the screen.
        if (GetClientRect(h, &c)) {
            MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&c), 2);
            pxprintrect("popupclient", c);
        }
    }
    return TRUE;
}

int pxfocus(HWND hFrame) {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hFrame, nullptr), &gti)) return 1;
    std::printf("focus %s\n", pxname(gti.hwndFocus, hFrame).c_str());
    std::printf("active %s\n", pxname(gti.hwndActive, hFrame).c_str());
    std::printf("menumode %d\n", (gti.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) ? 1 : 0);
    EnumWindows(pxprintpopup, 0);
    return 0;
}

int pxwaitidle(HWND hFrame, DWORD quiet) {
    const HWND hPane = pxpane(hFrame);
    const DWORD start = GetTickCount();
    LRESULT last = -2;
    DWORD since = start;
    for (;;) {
        // Answers only once it has taken its queued input and gets to its message loop again.
        if (!pxsend(hFrame, WM_NULL, 0, 0)) return 1;
        const LRESULT n = pxlength(hPane);
        const DWORD now = GetTickCount();
        if (n != last) {
            last = n;
            since = now;
        } else if (now - since >= quiet) {
            return 0;
        }
        if (now - start > 60000) return 1;
        Sleep(20);
    }
}

// Lines like the reports, so that the pane's line handling is as in real use.
int pxfill(HWND hFrame, long long n) {
    static const char kLine[] = "\r\nWM_KeyDown called with\r\nkey code = 116(x74)  VK_F5\r\n"
                                "  scan code =  63(x03F)\r\n  CapsLock OFF    NumLock OFF    "
                                "ScrollLock OFF\r\n  Keys pressed:\r\n";
    std::string s;
    s.reserve(static_cast<std::size_t>(n) + sizeof kLine);
    while (static_cast<long long>(s.size()) < n) s += kLine;
    s.resize(static_cast<std::size_t>(n));
    return pxsettext(pxpane(hFrame), s) ? 0 : 1;
}

// What the hook in Tapmon writes at the frame's WM_DESTROY (see panehook.cpp).
struct PXFINAL {
    LONG bDone;
    DWORD nLength;
    char sText[1];
};
constexpr DWORD kFinalSize = 16u << 20;

int pxfinal(HWND hFrame, int nSeconds) {
    char sPath[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, sPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 1;
    char* slash = std::strrchr(sPath, '\\');
    if (!slash) return 1;
    std::strcpy(slash + 1, "panehook.dll");
    const HMODULE hDll = LoadLibraryA(sPath);
    const auto proc = hDll ? reinterpret_cast<HOOKPROC>(
                                 reinterpret_cast<void*>(GetProcAddress(hDll, "PaneHookProc")))
                           : nullptr;
    if (!proc) {
        std::fprintf(stderr, "panetext: cannot load %s\n", sPath);
        return 1;
    }
    const HANDLE hMap = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           kFinalSize, "TapmonPaneFinal");
    auto* p =
        hMap ? static_cast<PXFINAL*>(MapViewOfFile(hMap, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
    if (!p) return 1;
    const HHOOK hHook =
        SetWindowsHookExA(WH_CALLWNDPROC, proc, hDll, GetWindowThreadProcessId(hFrame, nullptr));
    // The first message that Tapmon's thread handles loads the hook there.
    if (!hHook || !pxsend(hFrame, WM_NULL, 0, 0)) return 1;
    std::printf("hooked\n");
    std::fflush(stdout);
    const DWORD end = GetTickCount() + static_cast<DWORD>(nSeconds) * 1000u;
    while (IsWindow(hFrame) && static_cast<int>(GetTickCount() - end) < 0) Sleep(20);
    Sleep(100);
    UnhookWindowsHookEx(hHook);
    if (!p->bDone) {
        std::fprintf(stderr, "panetext: the frame was not destroyed in time\n");
        return 1;
    }
    std::fwrite(p->sText, 1, p->nLength, stdout);
    return 0;
}

// The clipboard may be held open for a moment by its owner or by Wine's X11 bridge.
bool PXOPENCLIPBOARD() {
    for (int i = 0; i < 100; ++i) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(20);
    }
    return false;
}

int PXCLIPBOARD(bool bClear) {
    if (!PXOPENCLIPBOARD()) return 1;
    int rc = 1;
    if (bClear) {
        rc = EmptyClipboard() ? 0 : 1;
    } else if (const HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const auto* p = static_cast<const char*>(GlobalLock(h))) {
            std::fwrite(p, 1, std::strlen(p), stdout);
            GlobalUnlock(h);
            rc = 0;
        }
    }
    CloseClipboard();
    return rc;
}

int pxusage() {
    std::fprintf(stderr,
                 "usage: panetext [len|clear|fill N|post MSG W L [N]|send MSG W L|"
                 "pane MSG W L|ping MS|chars post|send A B|wait-idle "
                 "[MS]|focus|rects|about|move X Y W H|show CMD|clipboard [clear]|final S]\n");
    return 3;
}

} // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string cmd = argc > 1 ? argv[1] : "";
    // The clipboard belongs to the desktop, not to Tapmon.
    if (cmd == "clipboard" && (argc == 2 || (argc == 3 && !std::strcmp(argv[2], "clear"))))
        return PXCLIPBOARD(argc == 3);
    const HWND hFrame = pxframe();
    if (!hFrame) {
        std::fprintf(stderr, "panetext: no Tapmon window\n");
        return 2;
    }
    const HWND hPane = pxpane(hFrame);
    if (!hPane) {
        std::fprintf(stderr, "panetext: Tapmon has no pane\n");
        return 2;
    }
    if (cmd.empty()) return pxprinttext(hPane);
    if (cmd == "len") {
        const LRESULT n = pxlength(hPane);
        std::printf("%lld\n", static_cast<long long>(n));
        return n < 0;
    }
    if (cmd == "clear") return pxsend(hPane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")) ? 0 : 1;
    if (cmd == "fill" && argc == 3) return pxfill(hFrame, pxnumber(argv[2]));
    if ((cmd == "post" || cmd == "send") && (argc == 5 || (cmd == "post" && argc == 6))) {
        const UINT msg = static_cast<UINT>(pxword(argv[2]));
        const WPARAM w = pxword(argv[3]);
        const LPARAM l = static_cast<LPARAM>(pxword(argv[4]));
        if (cmd == "send") {
            DWORD_PTR r = 0;
            if (!pxsend(hFrame, msg, w, l, &r)) return 1;
            std::printf("%lld\n", static_cast<long long>(static_cast<LRESULT>(r)));
            return 0;
        }
        const long long n = argc == 6 ? pxnumber(argv[5]) : 1;
        for (long long i = 0; i < n; ++i)
            if (!PostMessageA(hFrame, msg, w, l)) return 1;
        return 0;
    }
    if (cmd == "pane" && argc == 5) {
        DWORD_PTR r = 0;
        if (!pxsend(hPane, static_cast<UINT>(pxword(argv[2])), pxword(argv[3]),
                    static_cast<LPARAM>(pxword(argv[4])), &r))
            return 1;
        std::printf("%lld\n", static_cast<long long>(static_cast<LRESULT>(r)));
        return 0;
    }
    if (cmd == "ping" && argc == 3)
        return pxsend(hFrame, WM_NULL, 0, 0, nullptr, static_cast<UINT>(pxnumber(argv[2]))) ? 0 : 1;
    if (cmd == "chars" && argc == 5) {
        const bool post = std::strcmp(argv[2], "post") == 0;
        for (long long c = pxnumber(argv[3]); c <= pxnumber(argv[4]); ++c) {
            const WPARAM w = static_cast<WPARAM>(c);
            if (!(post ? PostMessageA(hFrame, WM_CHAR, w, 1) != 0 : pxsend(hFrame, WM_CHAR, w, 1)))
                return 1;
        }
        return 0;
    }
    if (cmd == "wait-idle" && argc <= 3)
        return pxwaitidle(hFrame, argc == 3 ? static_cast<DWORD>(pxnumber(argv[2])) : 300);
    if (cmd == "focus") return pxfocus(hFrame);
    if (cmd == "rects") return pxrects(hFrame);
    if (cmd == "about") return pxabout(hFrame);
    if (cmd == "move" && argc == 6)
        return SetWindowPos(hFrame, nullptr, static_cast<int>(pxnumber(argv[2])),
                            static_cast<int>(pxnumber(argv[3])),
                            static_cast<int>(pxnumber(argv[4])),
                            static_cast<int>(pxnumber(argv[5])), SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    if (cmd == "show" && argc == 3) {
        ShowWindow(hFrame, static_cast<int>(pxnumber(argv[2])));
        return 0;
    }
    if (cmd == "final" && argc == 3) return pxfinal(hFrame, static_cast<int>(pxnumber(argv[2])));
    return pxusage();
}
