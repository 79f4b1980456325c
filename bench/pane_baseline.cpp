// pane_baseline: the yardstick for Tapmon's pane in tapmon_flood. A plain window (no framework)
// with a visible read-only multi-line edit over its client area, like Tapmon's pane: same
// styles, font and background. Every key-down and character message is reported with the same
// text as Tapmon's (TapmonReport), appended at once in one append: EM_SETSEL to the end, then
// EM_REPLACESEL. Window class "PaneBaseline", title "Pane baseline".
#include <windows.h>

#include <cstdint>
#include <string>

#include "TapmonReport.h"

namespace {

HWND hPane = nullptr;
HBRUSH hYellow = nullptr;
constexpr COLORREF kYellow = RGB(255, 255, 200);

void pxappend(const std::string& s) {
    const LRESULT n = SendMessageA(hPane, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(hPane, EM_SETSEL, static_cast<WPARAM>(n), n);
    SendMessageA(hPane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(s.c_str()));
}

XKEYSTATE PXKEYBOARD() {
    XKEYSTATE keys{};
    if (!GetKeyboardState(keys.data())) keys.fill(0);
    return keys;
}

LRESULT CALLBACK pxwndproc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: {
        RECT r{};
        GetClientRect(hWnd, &r);
        hPane = CreateWindowExA(0, "Edit", "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                                    ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY,
                                0, 0, r.right, r.bottom, hWnd, reinterpret_cast<HMENU>(100),
                                nullptr, nullptr);
        if (!hPane) return -1;
        SendMessageA(hPane, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
        SendMessageA(hPane, EM_SETLIMITTEXT, 0, 0);
        return 0;
    }
    case WM_SIZE: MoveWindow(hPane, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_KEYDOWN: {
        const auto l = static_cast<std::uintptr_t>(lParam);
        pxappend(KEYDOWNREPORT(static_cast<int>(wParam), static_cast<int>(l & 0xFFFF),
                               static_cast<int>((l >> 16) & 0x1FF), PXKEYBOARD()));
        break; // and the default processing, as in Tapmon
    }
    case WM_CHAR: pxappend(CHARREPORT(static_cast<int>(wParam))); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), kYellow);
        return reinterpret_cast<LRESULT>(hYellow);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow) {
    hYellow = CreateSolidBrush(kYellow);
    WNDCLASSA wc{};
    wc.lpfnWndProc = pxwndproc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "PaneBaseline";
    if (!RegisterClassA(&wc)) return 1;
    const HWND hWnd = CreateWindowExA(0, "PaneBaseline", "Pane baseline", WS_OVERLAPPEDWINDOW,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      nullptr, nullptr, hInstance, nullptr);
    if (!hWnd) return 1;
    ShowWindow(hWnd, nCmdShow);
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(hYellow);
    return static_cast<int>(msg.wParam);
}
