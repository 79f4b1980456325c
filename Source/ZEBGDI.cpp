// ZEBGDI: drawing contexts, primitives, text, bitmaps and memory contexts.
#include "ZEBGDI.h"

void XUPDATEWINDOW(const XWND& xWnd, std::optional<int> x1, std::optional<int> y1,
                   std::optional<int> x2, std::optional<int> y2) {
    if (x1 && y1 && x2 && y2) {
        RECT r{*x1, *y1, *x2, *y2};
        InvalidateRect(xWnd.hWnd, &r, FALSE);
    } else {
        InvalidateRect(xWnd.hWnd, nullptr, FALSE);
    }
    UpdateWindow(xWnd.hWnd);
}
