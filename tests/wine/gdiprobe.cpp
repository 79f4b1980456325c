#include "gdiprobe.h"

int XTEST_GDIOBJECTS() {
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return int(n);
    int n = 0;
    for (INT_PTR i = 1; i <= 0xFFFF; ++i)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++n;
    return n;
}

XTESTINK XTEST_INK(HDC hdc, int w, int h, COLORREF bg) {
    XTESTINK ink;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (GetPixel(hdc, x, y) == bg) continue;
            if (ink.n++ == 0) {
                ink.left = ink.right = x;
                ink.top = ink.bottom = y;
            }
            ink.left = x < ink.left ? x : ink.left;
            ink.right = x > ink.right ? x : ink.right;
            ink.top = y < ink.top ? y : ink.top;
            ink.bottom = y > ink.bottom ? y : ink.bottom;
        }
    return ink;
}

int XTEST_COUNT(HDC hdc, RECT r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += GetPixel(hdc, x, y) == c;
    return n;
}
