// Drawing contexts and primitives on the real API, pixel by pixel on memory contexts.
#include "ZEBGDI.h"

#include <gtest/gtest.h>

#include <string>

#include "gdiprobe.h"

namespace {

constexpr int W = 100, H = 100;
constexpr int WHITE = 0xFFFFFF, BLACK = 0, RED = 0x0000FF, GREEN = 0x00FF00, BLUE = 0xFF0000;

class Gdi : public testing::Test {
  protected:
    void SetUp() override {
        dc = XMEMORYDC(W, H);
        ASSERT_NE(dc.hDC, nullptr);
        clear();
    }
    void TearDown() override {
        if (dc.hFont) DeleteObject(dc.hFont);
        EXPECT_TRUE(XDELETEDC(dc));
    }
    void clear() {
        // Not PatBlt(WHITENESS): Wine sets the unused fourth byte, which flood fills then see.
        SelectClipRgn(dc.hDC, nullptr);
        const RECT all{0, 0, W, H};
        FillRect(dc.hDC, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    XTESTINK ink() const { return XTEST_INK(dc.hDC, W, H, WHITE); }
    int at(int x, int y) const { return static_cast<int>(GetPixel(dc.hDC, x, y)); }
    POINT pos() const {
        POINT p{};
        GetCurrentPositionEx(dc.hDC, &p);
        return p;
    }
    void expectBox(const XTESTINK& i, int l, int t, int r, int b) const {
        EXPECT_EQ(i.left, l);
        EXPECT_EQ(i.top, t);
        EXPECT_EQ(i.right, r);
        EXPECT_EQ(i.bottom, b);
    }

    XDC dc;
};

} // namespace

TEST_F(Gdi, RectanglesAndEllipsesIncludeBothCornersInAnyOrder) {
    XSETPEN_1(dc, RED);
    XSETBRUSH_1(dc, BLUE);
    for (bool reversed : {false, true}) {
        clear();
        EXPECT_TRUE(reversed ? XRECTANGLE(dc, 10, 10, 5, 5) : XRECTANGLE(dc, 5, 5, 10, 10));
        const XTESTINK i = ink();
        EXPECT_EQ(i.n, 36) << "6 x 6 pixels";
        expectBox(i, 5, 5, 10, 10);
        EXPECT_EQ(at(10, 10), RED);
        EXPECT_EQ(at(7, 8), BLUE);
    }
    clear();
    EXPECT_TRUE(XELLIPSE(dc, 40, 30, 20, 10));
    expectBox(ink(), 20, 10, 40, 30);
    EXPECT_EQ(at(30, 20), BLUE);
    EXPECT_EQ(at(20, 10), WHITE) << "corners lie outside the ellipse";
}

TEST_F(Gdi, FillRectAndViewportFill) {
    EXPECT_TRUE(XFILLRECT(dc, 3, 4, 3, 4, XBRUSH{0, GREEN, 0}));
    XTESTINK i = ink();
    EXPECT_EQ(i.n, 1) << "identical corners fill one pixel";
    EXPECT_EQ(at(3, 4), GREEN);

    clear();
    XSETVIEWPORT(dc, 10, 20, 30, 50);
    EXPECT_TRUE(XFILLVIEWPORT(dc));
    i = ink();
    EXPECT_EQ(i.n, 20 * 30) << "right and bottom edges excluded";
    expectBox(i, 10, 20, 29, 49);
    EXPECT_EQ(at(10, 20), BLACK) << "the all-zero record's brush is solid black";

    clear();
    XFILLRECT(dc, 0, 0, 1, 1, XBRUSH{0, RED, 0});
    expectBox(ink(), 10, 20, 11, 21);
}

TEST_F(Gdi, WorldCoordinatesWithUpwardYAxisAndHalfPixels) {
    XSETWINDOW(dc, 0, 10, 10, 0);
    EXPECT_TRUE(XSETPIXEL_W(dc, 5.0f, 2.5f, RED));
    EXPECT_EQ(at(50, 75), RED);
    EXPECT_EQ(XGETPIXEL_W(dc, 5.0f, 2.5f), RED);
    EXPECT_EQ(ink().n, 1);
    clear();
    XFILLRECT_W(dc, 1, 1, 2, 2);
    expectBox(ink(), 10, 80, 20, 90);

    clear();
    XSETVIEWPORT(dc, 10, 10, 110, 110);
    XSETWINDOW(dc, 0, 0, 100, 100);
    XSETPIXEL_W(dc, 0.5f, 2.5f, RED);
    XSETPIXEL_W(dc, -0.5f, -2.5f, BLUE);
    EXPECT_EQ(at(11, 13), RED);
    EXPECT_EQ(at(9, 7), BLUE);
    EXPECT_EQ(XGETPIXEL(dc, -1, -3), BLUE);
    EXPECT_EQ(ink().n, 2);
}

TEST_F(Gdi, ClippingInViewAndWorldForms) {
    XSETVIEWPORT(dc, 10, 10, 90, 90);
    XSETCLIPPING(dc, 0, 0, 10, 10);
    XFILLRECT(dc, -10, -10, 100, 100);
    XTESTINK i = ink();
    EXPECT_EQ(i.n, 100);
    expectBox(i, 10, 10, 19, 19);

    clear();
    XSETCLIPPING(dc, 0, 0, 10, 10);
    XSETCLIPPING(dc, 0, 0, 10); // a missing corner removes clipping
    XFILLRECT(dc, -10, -10, 100, 100);
    EXPECT_EQ(ink().n, W * H);

    clear();
    XSETWINDOW(dc, 0, 0, 80, 80);
    XSETCLIPPING_W(dc, 5.0f, 5.0f, 15.0f, 15.0f);
    XFILLRECT(dc, -10, -10, 100, 100);
    expectBox(ink(), 15, 15, 24, 24);
    clear();
    XSETCLIPPING_W(dc, 5.0f, 5.0f, 15.0f, 15.0f);
    XSETCLIPPING_W(dc);
    XFILLRECT(dc, -10, -10, 100, 100);
    EXPECT_EQ(ink().n, W * H);

    clear();
    XSETVIEWPORT(dc, 30, 30, 40, 40, true);
    XFILLRECT(dc, -30, -30, 70, 70);
    expectBox(ink(), 30, 30, 39, 39);
}

TEST_F(Gdi, PensAreCosmeticOrGeometricAndCallersHandlesStay) {
    const auto kind = [&](int style, int width) {
        const HPEN h = PXCREATEPEN(dc, style, width, RED);
        const DWORD t = GetObjectType(h);
        PXDELETEPEN(style, h);
        return t;
    };
    EXPECT_EQ(kind(PS_DASH, 3), DWORD(OBJ_EXTPEN));
    EXPECT_EQ(kind(PS_DASH, 1), DWORD(OBJ_PEN));
    EXPECT_EQ(kind(PS_SOLID, 5), DWORD(OBJ_PEN));
    EXPECT_EQ(kind(PS_NULL, 4), DWORD(OBJ_PEN));

    const HPEN wide = PXCREATEPEN(dc, PS_DOT, 3, RED);
    EXTLOGPEN elp{};
    ASSERT_TRUE(GetObjectA(wide, sizeof elp, &elp));
    EXPECT_EQ(elp.elpWidth, 3u);
    EXPECT_EQ(elp.elpPenStyle & PS_TYPE_MASK, DWORD(PS_GEOMETRIC));
    PXDELETEPEN(PS_DOT, wide);
    EXPECT_EQ(GetObjectType(wide), 0u) << "created pens are deleted";

    const HPEN mine = CreatePen(PS_SOLID, 1, GREEN);
    const HBRUSH myBrush = CreateSolidBrush(BLUE);
    EXPECT_EQ(PXCREATEPEN(dc, -1, 7, reinterpret_cast<std::intptr_t>(mine)), mine);
    EXPECT_EQ(PXCREATEBRUSH(XBRUSH{-1, reinterpret_cast<std::intptr_t>(myBrush), 0}), myBrush);
    PXDELETEPEN(-1, mine);
    PXDELETEBRUSH(-1, myBrush);
    XSETPENHANDLE(dc, mine);
    XSETBRUSHHANDLE(dc, myBrush);
    EXPECT_EQ(dc.penStyle, -1);
    EXPECT_EQ(dc.brushStyle, -1);
    for (int k = 0; k < 50; ++k) XRECTANGLE(dc, 1, 1, 8, 8);
    EXPECT_EQ(GetObjectType(mine), DWORD(OBJ_PEN));
    EXPECT_EQ(GetObjectType(myBrush), DWORD(OBJ_BRUSH));
    EXPECT_EQ(at(1, 1), GREEN);
    EXPECT_EQ(at(4, 4), BLUE);
    EXPECT_NE(GetCurrentObject(dc.hDC, OBJ_PEN), mine) << "deselected after the primitive";
    DeleteObject(mine);
    DeleteObject(myBrush);

    const HBRUSH hatched = PXCREATEBRUSH(XBRUSH{BS_HATCHED, RED, HS_CROSS});
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectA(hatched, sizeof lb, &lb));
    EXPECT_EQ(lb.lbStyle, UINT(BS_HATCHED));
    EXPECT_EQ(lb.lbColor, COLORREF(RED));
    EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_CROSS));
    PXDELETEBRUSH(BS_HATCHED, hatched);
}

TEST_F(Gdi, LinesMoveTheCurrentPosition) {
    XSETPEN_1(dc, RED);
    EXPECT_TRUE(XLINE(dc, 2, 2, 8, 2));
    XTESTINK i = ink();
    EXPECT_EQ(i.n, 6) << "the end point is not drawn";
    expectBox(i, 2, 2, 7, 2);
    EXPECT_TRUE(XLINETO(dc, 8, 6));
    EXPECT_EQ(at(8, 2), RED);
    EXPECT_EQ(at(8, 5), RED);
    EXPECT_EQ(pos().x, 8);
    EXPECT_EQ(pos().y, 6);

    clear();
    XSETVIEWPORT(dc, 10, 10, 20, 20);
    XSETWINDOW(dc, 0, 0, 1, 1);
    XMOVETO_W(dc, 0.0f, 0.5f);
    EXPECT_EQ(pos().x, 10);
    EXPECT_EQ(pos().y, 15);
    EXPECT_TRUE(XLINETO_W(dc, 1.0f, 0.5f, XPEN{0, 0, BLUE}));
    i = ink();
    expectBox(i, 10, 15, 19, 15);
    EXPECT_EQ(at(12, 15), BLUE);
    clear();
    XLINE_W(dc, 0.0f, 0.0f, 0.0f, 0.3f);
    expectBox(ink(), 10, 10, 10, 12);
}

TEST_F(Gdi, PolygonsAndPolylines) {
    // Every other element is a decoy: the span walks the array with a stride of 2.
    const XPOINT_W pts[] = {{10, 10}, {99, 99}, {20, 10}, {99, 99}, {20, 20}, {99, 99}, {10, 20}};
    const XSPAN<const XPOINT_W> corners(pts, 4, 2);
    EXPECT_TRUE(XPOLYGON_W(dc, corners, 4, XPEN{0, 0, RED}, XBRUSH{0, BLUE, 0}));
    XTESTINK i = ink();
    expectBox(i, 10, 10, 20, 20);
    EXPECT_EQ(at(15, 15), BLUE);
    EXPECT_EQ(at(10, 15), RED);
    clear();
    XPOLYGON_W(dc, corners, 9, XPEN{0, 0, RED}, XBRUSH{0, BLUE, 0});
    EXPECT_EQ(ink().n, i.n) << "a count beyond the array uses the points there are";

    clear();
    const XPOINT line[] = {{0, 0}, {5, 0}, {5, 5}};
    EXPECT_TRUE(XPOLYLINE(dc, line, 3, XPEN{0, 0, GREEN}));
    i = ink();
    EXPECT_EQ(i.n, 10);
    expectBox(i, 0, 0, 5, 4);
    clear();
    EXPECT_FALSE(XPOLYLINE(dc, line, 0));
    EXPECT_FALSE(XPOLYGON(dc, line, -1));
    const XPOINT_W wline[] = {{0, 0}, {5, 0}};
    EXPECT_TRUE(XPOLYLINE_W(dc, wline, 2));
    EXPECT_EQ(ink().n, 5);
}

TEST_F(Gdi, FloodFillToBorderOrOverSurface) {
    XRECTANGLE(dc, 10, 10, 20, 20, XPEN{0, 0, RED}, XBRUSH{BS_NULL, 0, 0});
    EXPECT_TRUE(XFLOODFILL(dc, 15, 15, RED, std::nullopt, XBRUSH{0, GREEN, 0}));
    EXPECT_EQ(XTEST_COUNT(dc.hDC, {11, 11, 20, 20}, GREEN), 81);
    EXPECT_EQ(XTEST_COUNT(dc.hDC, {0, 0, W, H}, GREEN), 81);
    EXPECT_TRUE(XFLOODFILL_W(dc, 15.0f, 15.0f, GREEN, true, XBRUSH{0, BLUE, 0}));
    EXPECT_EQ(XTEST_COUNT(dc.hDC, {0, 0, W, H}, BLUE), 81);
    XSETBRUSH_1(dc, RED);
    XFLOODFILL(dc, 0, 0, WHITE, true);
    EXPECT_EQ(XTEST_COUNT(dc.hDC, {0, 0, W, H}, RED), W * H - 81);
}

TEST_F(Gdi, TextOutBlanksColoursAndAlignment) {
    ASSERT_TRUE(XSETFONT(dc, "Tahoma", 12));
    int w1, h1, w2, h2;
    XGETTEXTEXTENT(dc, "I   ", w1, h1);
    XGETTEXTEXTENT(dc, "I   ", w2, h2, true);
    EXPECT_LT(w1, w2);
    EXPECT_EQ(h1, h2);

    XSETBKCOLOR(dc, BLUE);
    EXPECT_TRUE(XTEXTOUT(dc, 0, 0, "I   ", RED, true));
    XTESTINK i = ink();
    expectBox(i, 0, 0, w1 - 1, h1 - 1);
    clear();
    XTEXTOUT(dc, 0, 0, "I   ", RED, true, std::nullopt, true);
    expectBox(ink(), 0, 0, w2 - 1, h2 - 1);
    EXPECT_NE(GetCurrentObject(dc.hDC, OBJ_FONT), dc.hFont) << "font deselected";

    clear();
    XSETTEXTCOLOR(dc, GREEN);
    XTEXTOUT(dc, 50, 50, "W");
    EXPECT_GT(XTEST_COUNT(dc.hDC, {50, 50, W, H}, GREEN), 0);
    EXPECT_EQ(XTEST_COUNT(dc.hDC, {0, 0, W, H}, BLUE), 0) << "transparent unless opaque";

    clear();
    XSETVIEWPORT(dc, 20, 0, 80, 50);
    XTEXTOUT(dc, 60, 0, "II", RED, true, TA_RIGHT);
    i = ink();
    EXPECT_EQ(i.right, 79) << "right-aligned on the viewport's right edge";
    EXPECT_EQ(GetTextAlign(dc.hDC), UINT(TA_LEFT | TA_TOP | TA_NOUPDATECP));
    float fw, fh;
    XSETWINDOW(dc, 0, 0, 30, 100);
    XGETTEXTEXTENT_W(dc, "II", fw, fh);
    int pw, ph;
    XGETTEXTEXTENT(dc, "II", pw, ph);
    EXPECT_FLOAT_EQ(fw, pw * 0.5f);
    EXPECT_FLOAT_EQ(fh, ph * 2.0f);
}

TEST_F(Gdi, FontsReplaceAndDeleteTheirPredecessor) {
    ASSERT_TRUE(XSETFONT(dc, "Tahoma    ", 20, 900, 8, 700, true, true, true));
    LOGFONTA lf{};
    ASSERT_TRUE(GetObjectA(dc.hFont, sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWidth, -8);
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(lf.lfOrientation, 900);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic + lf.lfUnderline + lf.lfStrikeOut, 3);
    EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");

    const HFONT first = dc.hFont;
    const std::string longFace(40, 'F');
    ASSERT_TRUE(XSETFONT(dc, longFace, 10, std::nullopt, -3, std::nullopt, false));
    EXPECT_EQ(GetObjectType(first), 0u) << "the replaced font is deleted";
    ASSERT_TRUE(GetObjectA(dc.hFont, sizeof lf, &lf));
    EXPECT_EQ(std::string(lf.lfFaceName), longFace.substr(0, 31));
    EXPECT_EQ(lf.lfWidth, -3);
    EXPECT_EQ(lf.lfItalic, 0);

    // World y upwards: the pixel height comes out negative, a cell height for the platform.
    XSETWINDOW(dc, 0, 50, 100, 0);
    ASSERT_TRUE(XSETFONT_W(dc, "Tahoma", 10.0f, std::nullopt, 5.0f));
    ASSERT_TRUE(GetObjectA(dc.hFont, sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, 20);
    EXPECT_EQ(lf.lfWidth, -5);
    ASSERT_TRUE(XSETFONT_W(dc, "Tahoma", 10.0f));
    ASSERT_TRUE(GetObjectA(dc.hFont, sizeof lf, &lf));
    EXPECT_EQ(lf.lfWidth, 0) << "no width given";
}

TEST_F(Gdi, WriteFillsTheViewportBlockUnderBlock) {
    ASSERT_TRUE(XSETFONT(dc, "Tahoma", 12));
    int w, h;
    XGETTEXTEXTENT(dc, "X", w, h);
    ASSERT_GT(h, 0);
    XSETVIEWPORT(dc, 0, 0, W, 2 * h + h / 2);
    XMOVETO(dc, 0, 0);
    EXPECT_TRUE(XWRITE(dc, "one", RED));
    EXPECT_EQ(pos().y, h);
    EXPECT_TRUE(XWRITE(dc, "two", RED));
    EXPECT_EQ(pos().y, 2 * h);
    const XTESTINK before = ink();
    EXPECT_FALSE(XWRITE(dc, "three", RED));
    EXPECT_EQ(ink().n, before.n) << "a text that does not fit is not drawn";
    EXPECT_EQ(pos().y, 2 * h);
    EXPECT_LE(before.bottom, 2 * h - 1);

    clear();
    XSETVIEWPORT(dc, 0, 0, W, H);
    XMOVETO(dc, 0, 0);
    EXPECT_TRUE(XWRITE(dc, ""));
    EXPECT_EQ(pos().y, h) << "an empty text is one line";
    XMOVETO(dc, 0, 0);
    int lines = 0;
    while (XWRITE(dc, "line", BLUE)) ++lines;
    EXPECT_EQ(lines, H / h);
    EXPECT_EQ(ink().bottom < lines * h, true);

    clear();
    XSETVIEWPORT(dc, 10, 0, 40, H);
    XMOVETO(dc, 0, 0);
    EXPECT_TRUE(XWRITE(dc, "aa bb cc dd ee ff", RED));
    EXPECT_GE(pos().y, 2 * h) << "wrapped at the viewport's right edge";
    EXPECT_EQ(pos().x, 10);
    const XTESTINK wrapped = ink();
    EXPECT_GE(wrapped.left, 10);
    EXPECT_LE(wrapped.right, 39);
}

TEST_F(Gdi, ModesAndScaling) {
    EXPECT_EQ(XSETBKMODE(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(XSETBKMODE(dc, OPAQUE), TRANSPARENT);
    EXPECT_EQ(XSETBKCOLOR(dc, BLUE), WHITE);
    EXPECT_EQ(XSETROPMODE(dc, R2_NOT), R2_COPYPEN);
    XSETPEN_1(dc, RED);
    XLINE(dc, 0, 0, 5, 0);
    EXPECT_EQ(at(2, 0), BLACK) << "the raster mode governs the primitives";
    XSETROPMODE(dc, R2_COPYPEN);

    XSETVIEWPORT(dc, 4, 0, 196, 96);
    XSETSCALING(dc, 0, 0, -3.0f);
    EXPECT_FLOAT_EQ(dc.cxWorld, 192.0f / GetDeviceCaps(dc.hDC, LOGPIXELSX));
    EXPECT_FLOAT_EQ(dc.cyWorld, 96.0f / GetDeviceCaps(dc.hDC, LOGPIXELSY));
    XSETSCALING(dc, 10, 0, -1.0f);
    int cx, cy;
    XWND2CLIENT(dc, 50.0f, 3.0f, cx, cy);
    EXPECT_EQ(cx, 44);
    EXPECT_EQ(cy, 3);
    XSETSCALING(dc, 0, 0, 0.5f, 4.0f);
    EXPECT_FLOAT_EQ(dc.cxWorld, 96.0f);
    EXPECT_FLOAT_EQ(dc.cyWorld, 384.0f);
}

TEST_F(Gdi, NoObjectsLeakOverThousandsOfPrimitives) {
    const HPEN mine = CreatePen(PS_SOLID, 1, GREEN);
    const XPOINT tri[] = {{1, 1}, {30, 5}, {10, 30}};
    const auto round = [&](int k) {
        if (k % 10 == 0) XSETFONT(dc, k % 20 ? "Tahoma" : "Courier New", 8 + k % 7);
        if (k % 10 == 5) XSETFONT_W(dc, "Tahoma", 9.5f, 450, 4.0f);
        if (k % 2)
            XSETPEN_1(dc, RED, PS_DASH, 3); // geometric
        else
            XSETPENHANDLE(dc, mine);
        XSETBRUSH_1(dc, BLUE, BS_HATCHED, HS_DIAGCROSS);
        XSETVIEWPORT(dc, 0, 0, W, H, k % 3 == 0);
        XRECTANGLE(dc, 5, 5, 40, 40);
        XELLIPSE_W(dc, 1, 1, 50, 50, XPEN{PS_DOT, 2, GREEN}, XBRUSH{0, RED, 0});
        XLINE(dc, 0, 0, 99, 99, XPEN{0, 4, BLACK});
        XPOLYGON(dc, tri, 3);
        XPOLYLINE(dc, tri, 3);
        XFILLRECT(dc, 50, 50, 60, 60);
        XFILLVIEWPORT(dc, XBRUSH{0, WHITE, 0});
        XRECTANGLE(dc, 10, 10, 20, 20, XPEN{0, 0, RED}, XBRUSH{BS_NULL, 0, 0});
        XFLOODFILL(dc, 15, 15, RED);
        XTEXTOUT(dc, 3, 3, "text  ", std::nullopt, k % 2 == 0, TA_BASELINE);
        int w, h;
        XGETTEXTEXTENT(dc, "text", w, h);
        XMOVETO(dc, 0, 0);
        XWRITE(dc, "a few words to wrap", RED);
        XSETCLIPPING(dc, 1, 1, 50, 50);
        XSETCLIPPING_W(dc);
        XDC m = XMEMORYDC(20, 20, dc.hDC);
        XRECTANGLE(m, 0, 0, 5, 5);
        XDELETEDC(m);
    };
    round(0);
    round(1); // the platform's first-use objects
    const int before = XTEST_GDIOBJECTS();
    const HPEN probe = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(XTEST_GDIOBJECTS(), before + 1) << "the count sees one object";
    DeleteObject(probe);
    for (int k = 2; k < 2002; ++k) round(k);
    EXPECT_EQ(XTEST_GDIOBJECTS(), before);
    EXPECT_EQ(GetObjectType(mine), DWORD(OBJ_PEN)) << "the caller's pen survives";
    DeleteObject(mine);
}

// ---- Window routines ---------------------------------------------------------------------------

namespace {

int nPaints = 0;
RECT rcPaint{};

LRESULT CALLBACK pxpaintcounter(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    if (iMsg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        ++nPaints;
        rcPaint = ps.rcPaint;
        EndPaint(hWnd, &ps);
        return 0;
    }
    return DefWindowProcA(hWnd, iMsg, wParam, lParam);
}

class GdiWindow : public testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = pxpaintcounter;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZebGdiPaintCounter";
        RegisterClassA(&wc);
        w.hWnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(w.hWnd, nullptr);
        UpdateWindow(w.hWnd);
        nPaints = 0;
    }
    void TearDown() override { DestroyWindow(w.hWnd); }
    bool painted(RECT r) const { return nPaints == 1 && EqualRect(&rcPaint, &r); }

    XWND w;
};

} // namespace

TEST_F(GdiWindow, UpdateRepaintsTheRectangleOrTheWholeClientArea) {
    XUPDATEWINDOW(w, 10, 10, 20, 20);
    EXPECT_TRUE(painted({10, 10, 20, 20}));
    nPaints = 0;
    XUPDATEWINDOW(w, 10, 10, 20);
    EXPECT_TRUE(painted({0, 0, 200, 100})) << "three corners: the whole client area";
}

TEST_F(GdiWindow, ScrollRepaintsWhatScrolledIn) {
    XSCROLLWINDOW(w);
    EXPECT_EQ(nPaints, 0);
    XSCROLLWINDOW(w, std::nullopt, 10);
    EXPECT_TRUE(painted({0, 0, 200, 10}));
    nPaints = 0;
    XSCROLLWINDOW(w, -30);
    EXPECT_TRUE(painted({170, 0, 200, 100}));
}
