// Drawing-context record, tool descriptions and the view/world mapping.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "ZEBGDIcore.h"

namespace {

XDC view(int x, int y, int w, int h) {
    XDC dc{};
    dc.xView = x;
    dc.yView = y;
    dc.cxView = w;
    dc.cyView = h;
    return dc;
}

} // namespace

TEST(GdiColour, ComponentsAreClampedAndPacked) {
    EXPECT_EQ(XRGB(300, -5, 128), 255 + 128 * 65536);
    EXPECT_EQ(XRGB(1, 2, 3), 0x030201);
    EXPECT_EQ(XRGB(255, 255, 255), 0xFFFFFF);
    EXPECT_EQ(XRGB(INT_MIN, INT_MAX, 0), 0xFF00);
}

TEST(GdiTools, AbsentArgumentsGiveSolidThinPenAndSolidBrush) {
    XDC dc{};
    XSETPEN_1(dc, 0x123456, 2, 3);
    XSETPEN_1(dc, 0x0000FF);
    EXPECT_EQ(dc.penStyle, 0);
    EXPECT_EQ(dc.penWidth, 0);
    EXPECT_EQ(dc.penColour, 0xFF);
    XSETBRUSH_1(dc, 0xABCDEF, 2, 5);
    XSETBRUSH_1(dc, 0x000001);
    EXPECT_EQ(dc.brushStyle, 0);
    EXPECT_EQ(dc.brushHatch, 0);
    EXPECT_EQ(dc.brushColour, 1);
}

TEST(GdiMap, RoundsHalvesAwayFromZeroAndSaturates) {
    EXPECT_EQ(PXROUND(0.5f), 1);
    EXPECT_EQ(PXROUND(-0.5f), -1);
    EXPECT_EQ(PXROUND(2.5f), 3);
    EXPECT_EQ(PXROUND(-2.5f), -3);
    EXPECT_EQ(PXROUND(1.4999f), 1);
    EXPECT_EQ(PXROUND(std::numeric_limits<float>::infinity()), INT_MAX);
    EXPECT_EQ(PXROUND(-std::numeric_limits<float>::infinity()), INT_MIN);
    EXPECT_EQ(PXROUND(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(PXROUND(3e9f), INT_MAX);
    EXPECT_EQ(PXROUND(-2147483648.0f), INT_MIN);
}

TEST(GdiMap, WorldToViewRoundsHalfPixelsAwayFromZero) {
    XDC dc = view(0, 0, 100, 100);
    XSETWINDOW(dc, 0, 0, 100, 100);
    int vx, vy;
    XWND2VIEW_1(dc, 0.5f, -0.5f, vx, vy);
    EXPECT_EQ(vx, 1);
    EXPECT_EQ(vy, -1);
    XWND2VIEW_1(dc, 2.5f, -2.5f, vx, vy);
    EXPECT_EQ(vx, 3);
    EXPECT_EQ(vy, -3);
}

TEST(GdiMap, UpwardYAxisRoundTrips) {
    XDC dc = view(20, 30, 100, 100);
    XSETWINDOW(dc, 0, 10, 10, 0);
    EXPECT_FLOAT_EQ(dc.cyWorld, -10.0f);
    int vx, vy;
    XWND2VIEW_1(dc, 5.0f, 2.5f, vx, vy);
    EXPECT_EQ(vx, 50);
    EXPECT_EQ(vy, 75);
    float wx, wy;
    XVIEW2WND_1(dc, 50, 75, wx, wy);
    EXPECT_FLOAT_EQ(wx, 5.0f);
    EXPECT_FLOAT_EQ(wy, 2.5f);
    XVIEW2WND_1(dc, 1, 1, wx, wy);
    EXPECT_FLOAT_EQ(wx, 0.1f) << "view to world is not rounded";
    EXPECT_FLOAT_EQ(wy, 9.9f);

    int cx, cy;
    XWND2CLIENT(dc, 5.0f, 2.5f, cx, cy);
    EXPECT_EQ(cx, 70);
    EXPECT_EQ(cy, 105);
    XCLIENT2WND(dc, 70, 105, wx, wy);
    EXPECT_FLOAT_EQ(wx, 5.0f);
    EXPECT_FLOAT_EQ(wy, 2.5f);
    XCLIENT2VIEW(dc, 0, 0, vx, vy);
    EXPECT_EQ(vx, -20);
    EXPECT_EQ(vy, -30);
    XVIEW2CLIENT(dc, -20, -30, cx, cy);
    EXPECT_EQ(cx, 0);
    EXPECT_EQ(cy, 0);

    // A box keeps its corners as given, each rounded on its own: no swapping, no ordering.
    const XVIEWBOX b = FXWND2VIEWBOX(dc, 7.25f, 0.05f, -0.05f, 2.5f);
    EXPECT_EQ(b.x1, 73);
    EXPECT_EQ(b.y1, 100);
    EXPECT_EQ(b.x2, -1);
    EXPECT_EQ(b.y2, 75);
}

TEST(GdiMap, ScalingUnits) {
    XDC dc = view(10, 0, 192, 96);
    PXSETSCALING(dc, 0, 0, -1.0f, -1.0f, 96, 96);
    EXPECT_FLOAT_EQ(dc.cxWorld, 192.0f);
    EXPECT_FLOAT_EQ(dc.cyWorld, 96.0f);
    int cx, cy;
    XWND2CLIENT(dc, 100.0f, 0.0f, cx, cy);
    EXPECT_EQ(cx, 110) << "one world unit per pixel from the viewport's corner";

    PXSETSCALING(dc, 1, 2, -3.0f, -3.0f, 96, 48);
    EXPECT_FLOAT_EQ(dc.xWorld, 1.0f);
    EXPECT_FLOAT_EQ(dc.yWorld, 2.0f);
    EXPECT_FLOAT_EQ(dc.cxWorld, 2.0f) << "192 pixels at 96 per inch";
    EXPECT_FLOAT_EQ(dc.cyWorld, 2.0f);

    PXSETSCALING(dc, 0, 0, -2.0f, 123.0f, 96, 96);
    EXPECT_FLOAT_EQ(dc.cxWorld, 50.8f);
    EXPECT_FLOAT_EQ(dc.cyWorld, 25.4f);
    PXSETSCALING(dc, 0, 0, -4.0f, -4.0f, 96, 96);
    EXPECT_FLOAT_EQ(dc.cxWorld, 144.0f);
    EXPECT_FLOAT_EQ(dc.cyWorld, 72.0f);
    PXSETSCALING(dc, 0, 0, -0.5f, 2.0f, 96, 96);
    EXPECT_FLOAT_EQ(dc.cxWorld, 96.0f) << "world units per pixel, sign dropped";
    EXPECT_FLOAT_EQ(dc.cyWorld, 192.0f);
}

TEST(GdiMap, ArrayFormsHonourStrideAndOutputSize) {
    XDC dc = view(0, 0, 10, 10);
    XSETWINDOW(dc, 0, 0, 1, 1);
    std::vector<XPOINT_W> w{{0.1f, 0.2f}, {9, 9}, {0.3f, 0.4f}, {9, 9}, {0.5f, 0.6f}};
    std::vector<XPOINT> v(3);
    XWND2VIEW_2(dc, XSPAN<const XPOINT_W>(w.data(), 3, 2), v);
    EXPECT_EQ(v[0].x, 1);
    EXPECT_EQ(v[0].y, 2);
    EXPECT_EQ(v[1].x, 3);
    EXPECT_EQ(v[2].y, 6);

    // Backwards through the input, into every other output slot; a short output stops early.
    XPOINT out[4] = {};
    XWND2VIEW_2(dc, XSPAN<const XPOINT_W>(&w[4], 3, -2), XSPAN<XPOINT>(out, 2, 2));
    EXPECT_EQ(out[0].x, 5);
    EXPECT_EQ(out[2].x, 3);
    EXPECT_EQ(out[1].x, 0);
    EXPECT_EQ(out[3].x, 0);

    std::vector<XPOINT_W> back(3);
    XVIEW2WND_2(dc, v, back);
    EXPECT_FLOAT_EQ(back[0].x, 0.1f);
    EXPECT_FLOAT_EQ(back[2].y, 0.6f);
}

TEST(GdiMap, DegenerateRectanglesGiveDefinedResults) {
    XDC dc = view(0, 0, 0, 100);
    XSETWINDOW(dc, 0, 0, 0, 0);
    int vx = 1, vy = 1;
    XWND2VIEW_1(dc, 1.0f, 1.0f, vx, vy); // 0/0 and 100/0 scale factors
    EXPECT_EQ(vx, 0);
    EXPECT_EQ(vy, INT_MAX);
    int cx, cy;
    dc.yView = 10;
    XWND2CLIENT(dc, 1.0f, 1.0f, cx, cy);
    EXPECT_EQ(cy, INT_MAX) << "the viewport offset saturates instead of overflowing";
    float wx, wy;
    XVIEW2WND_1(dc, 3, 4, wx, wy);
    EXPECT_TRUE(std::isnan(wx));
}
