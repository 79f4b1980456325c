// Helpers for the drawing tests: live GDI objects and the pixels of memory contexts.
#pragma once

#include <windows.h>

// Live GDI objects of this process. Wine's GetGuiResources always answers 0; there every
// 16-bit handle slot is probed instead (Wine accepts a handle without its generation word).
int XTEST_GDIOBJECTS();

// Pixels of [0, w) x [0, h) that differ from bg: their count and inclusive bounding box.
struct XTESTINK {
    int n = 0;
    int left = 0, top = 0, right = -1, bottom = -1;
};
XTESTINK XTEST_INK(HDC hdc, int w, int h, COLORREF bg);
// Pixels of colour c in the rectangle (right and bottom excluded).
int XTEST_COUNT(HDC hdc, RECT r, COLORREF c);
