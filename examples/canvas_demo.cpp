// A scrollable canvas of 2000 x 1500 world units, painted through a memory context: a grid,
// shapes and text drawn in world coordinates; the window's scroll bars move over it.
#include <windows.h>

#include <cstdio>

#include "ZEBApp.h"
#include "ZEBGDI.h"

namespace {

constexpr int XCANVAS_W = 2000, XCANVAS_H = 1500;

void pxgrid(XDC& dc) {
    XSETPEN_1(dc, XRGB(210, 220, 235));
    for (int x = 0; x <= XCANVAS_W; x += 100)
        XLINE_W(dc, float(x), 0.0f, float(x), float(XCANVAS_H));
    for (int y = 0; y <= XCANVAS_H; y += 100)
        XLINE_W(dc, 0.0f, float(y), float(XCANVAS_W), float(y));
    XSETTEXTCOLOR(dc, XRGB(120, 130, 150));
    for (int x = 0; x < XCANVAS_W; x += 200)
        for (int y = 0; y < XCANVAS_H; y += 200) {
            char label[32];
            std::snprintf(label, sizeof label, "%d,%d", x, y);
            XTEXTOUT_W(dc, float(x) + 4.0f, float(y) + 2.0f, label);
        }
}

void pxshapes(XDC& dc) {
    XSETPEN_1(dc, XRGB(0, 0, 128), PS_SOLID, 3);
    XSETBRUSH_1(dc, XRGB(255, 220, 120));
    XRECTANGLE_W(dc, 150.0f, 150.0f, 650.0f, 450.0f);
    XSETBRUSH_1(dc, XRGB(140, 200, 255));
    XELLIPSE_W(dc, 800.0f, 200.0f, 1300.0f, 600.0f);
    const XPOINT_W star[] = {{1600, 150}, {1680, 380}, {1900, 380}, {1720, 510}, {1790, 740},
                             {1600, 600}, {1410, 740}, {1480, 510}, {1300, 380}, {1520, 380}};
    XSETBRUSH_1(dc, XRGB(255, 150, 150));
    XPOLYGON_W(dc, star, 10);
    XSETPEN_1(dc, XRGB(0, 128, 0), PS_DASH, 1);
    XLINE_W(dc, 100.0f, 1400.0f, 1900.0f, 900.0f);
    XSETFONT(dc, "Arial", 36, std::nullopt, std::nullopt, FW_BOLD);
    XSETTEXTCOLOR(dc, XRGB(60, 0, 90));
    XTEXTOUT_W(dc, 200.0f, 800.0f, "Drawn in world coordinates on a 2000 x 1500 canvas");
}

LRESULT pxpaint(XWND&, XDC& dc, int, int, int, int) {
    XFILLVIEWPORT(dc, XBRUSH{BS_SOLID, XRGB(255, 255, 255), 0});
    pxgrid(dc);
    pxshapes(dc);
    return XTRUE;
}

// The memory context is painted whole: no background erase, no flicker.
LRESULT pxerase(XWND&, XDC&) {
    return XTRUE;
}

} // namespace

bool XINIT(std::string_view, int&) {
    XMENU none;
    if (!XCREATESDIAPP(none, "ZEB canvas demo", std::nullopt, std::nullopt,
                       WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL, XWF_BUFFERED))
        return false;
    XSETHANDLER<WM_PAINT>(xFrame, pxpaint);
    XSETHANDLER<WM_ERASEBKGND>(xFrame, pxerase);
    XSETCANVAS(xFrame, XCANVAS_W, XCANVAS_H, 450, 350);
    return true;
}
