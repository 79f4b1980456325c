// ZEBcaret: caret and focus.
#include "ZEBcaret.h"

BOOL XCARETSHOW(const XWND& xWnd, const std::optional<XBITMAP>& xShape) {
    const XBITMAP shape = xShape.value_or(XBITMAP{});
    BOOL made;
    if (shape.hBmp) {
        made = CreateCaret(xWnd.hWnd, shape.hBmp, 0, 0);
    } else {
        const int w = shape.iWidth > 0 ? shape.iWidth : GetSystemMetrics(SM_CXBORDER);
        const int h = shape.iHeight > 0 ? shape.iHeight : GetSystemMetrics(SM_CYVSCROLL);
        made = CreateCaret(xWnd.hWnd, nullptr, w, h);
    }
    if (!made) return FALSE;
    return ShowCaret(xWnd.hWnd);
}

BOOL XCARETMOVE(const XWND& xWnd, int x, int y) {
    HideCaret(nullptr); // whichever window of the thread owns it
    SetCaretPos(x, y);
    return ShowCaret(xWnd.hWnd);
}

BOOL XCARETHIDE(const XWND&) {
    // Hiding "the thread's caret" succeeds on some systems even when there is none.
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &gti) && !gti.hwndCaret) return FALSE;
    if (!HideCaret(nullptr)) return FALSE;
    return DestroyCaret();
}

bool XSETFOCUS(const XWND& xWnd) {
    SetFocus(xWnd.hWnd);
    return GetFocus() == xWnd.hWnd;
}
