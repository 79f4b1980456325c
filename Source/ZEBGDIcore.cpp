// ZEBGDIcore: drawing-context record, mapping and .bmp layout; platform-free.
#include "ZEBGDIcore.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

// Single precision as stored: x87 builds would otherwise keep intermediates in extended
// precision and round differently from every other build.
inline float PXF(float v) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD != 0
    volatile float t = v;
    return t;
#else
    return v;
#endif
}

int PXCLAMP255(int v) {
    return std::clamp(v, 0, 255);
}

// Scale factors of the two directions, computed once per conversion.
struct Scale {
    float x, y;
};
Scale PXTOVIEW(const XDC& dc) {
    return {PXF(static_cast<float>(dc.cxView) / dc.cxWorld),
            PXF(static_cast<float>(dc.cyView) / dc.cyWorld)};
}
Scale PXTOWORLD(const XDC& dc) {
    return {PXF(dc.cxWorld / static_cast<float>(dc.cxView)),
            PXF(dc.cyWorld / static_cast<float>(dc.cyView))};
}

void PXW2V(const XDC& dc, Scale s, float wx, float wy, int& vx, int& vy) {
    vx = PXROUND(PXF(PXF(wx - dc.xWorld) * s.x));
    vy = PXROUND(PXF(PXF(wy - dc.yWorld) * s.y));
}
void PXV2W(const XDC& dc, Scale f, int vx, int vy, float& wx, float& wy) {
    wx = PXF(PXF(static_cast<float>(vx) * f.x) + dc.xWorld);
    wy = PXF(PXF(static_cast<float>(vy) * f.y) + dc.yWorld);
}

void put16(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
void put32(unsigned char* p, std::uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

} // namespace

int XRGB(int iRed, int iGreen, int iBlue) {
    return PXCLAMP255(iRed) + 256 * PXCLAMP255(iGreen) + 65536 * PXCLAMP255(iBlue);
}

void XSETPEN_1(XDC& dc, int iColour, std::optional<int> iStyle, std::optional<int> iWidth) {
    XSETPEN_2(dc, XPEN{iStyle.value_or(0), iWidth.value_or(0), iColour});
}

void XSETPEN_2(XDC& dc, const XPEN& pen) {
    dc.penStyle = pen.style;
    dc.penWidth = pen.width;
    dc.penColour = pen.colour;
}

void XSETBRUSH_1(XDC& dc, int iColour, std::optional<int> iStyle, std::optional<int> iHatch) {
    XSETBRUSH_2(dc, XBRUSH{iStyle.value_or(0), iColour, iHatch.value_or(0)});
}

void XSETBRUSH_2(XDC& dc, const XBRUSH& brush) {
    dc.brushStyle = brush.style;
    dc.brushColour = brush.colour;
    dc.brushHatch = brush.hatch;
}

void XSETTEXTCOLOR(XDC& dc, int iColour) {
    dc.textColour = iColour;
}

void XSETWINDOW(XDC& dc, float x1, float y1, float x2, float y2) {
    dc.xWorld = x1;
    dc.yWorld = y1;
    dc.cxWorld = PXF(x2 - x1);
    dc.cyWorld = PXF(y2 - y1);
}

void PXSETSCALING(XDC& dc, float x, float y, float xScale, float yScale, int iPpiX, int iPpiY) {
    dc.xWorld = x;
    dc.yWorld = y;
    const float w = static_cast<float>(dc.cxView), h = static_cast<float>(dc.cyView);
    const float px = static_cast<float>(iPpiX), py = static_cast<float>(iPpiY);
    if (xScale == -1.0f) {
        dc.cxWorld = w;
        dc.cyWorld = h;
    } else if (xScale == -2.0f) {
        dc.cxWorld = PXF(PXF(w * 25.4f) / px);
        dc.cyWorld = PXF(PXF(h * 25.4f) / py);
    } else if (xScale == -3.0f) {
        dc.cxWorld = PXF(w / px);
        dc.cyWorld = PXF(h / py);
    } else if (xScale == -4.0f) {
        dc.cxWorld = PXF(PXF(w * 72.0f) / px);
        dc.cyWorld = PXF(PXF(h * 72.0f) / py);
    } else {
        dc.cxWorld = PXF(w * std::fabs(xScale));
        dc.cyWorld = PXF(h * std::fabs(yScale));
    }
}

void XGETVIEWPORT(const XDC& dc, int& x1, int& y1, int& x2, int& y2) {
    x1 = dc.xView;
    y1 = dc.yView;
    x2 = PXSATINT(static_cast<long long>(dc.xView) + dc.cxView);
    y2 = PXSATINT(static_cast<long long>(dc.yView) + dc.cyView);
}

void XGETGDIWINDOW(const XDC& dc, float& x1, float& y1, float& x2, float& y2) {
    x1 = dc.xWorld;
    y1 = dc.yWorld;
    x2 = PXF(dc.xWorld + dc.cxWorld);
    y2 = PXF(dc.yWorld + dc.cyWorld);
}

int PXROUND(float v) {
    if (std::isnan(v)) return 0;
    const float r = std::round(v); // halves away from zero
    if (r >= 2147483648.0f) return INT_MAX;
    if (r < -2147483648.0f) return INT_MIN;
    return static_cast<int>(r);
}

int PXSATINT(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

void XWND2VIEW_1(const XDC& dc, float wx, float wy, int& vx, int& vy) {
    PXW2V(dc, PXTOVIEW(dc), wx, wy, vx, vy);
}

XVIEWBOX FXWND2VIEWBOX(const XDC& dc, float x1, float y1, float x2, float y2) {
    const Scale s = PXTOVIEW(dc);
    XVIEWBOX b{};
    PXW2V(dc, s, x1, y1, b.x1, b.y1);
    PXW2V(dc, s, x2, y2, b.x2, b.y2);
    return b;
}

void XVIEW2WND_1(const XDC& dc, int vx, int vy, float& wx, float& wy) {
    PXV2W(dc, PXTOWORLD(dc), vx, vy, wx, wy);
}

void XWND2VIEW_2(const XDC& dc, XSPAN<const XPOINT_W> w, XSPAN<XPOINT> v) {
    const Scale s = PXTOVIEW(dc);
    const int n = std::min(w.size(), v.size());
    for (int i = 1; i <= n; ++i) PXW2V(dc, s, w[i].x, w[i].y, v[i].x, v[i].y);
}

void XVIEW2WND_2(const XDC& dc, XSPAN<const XPOINT> v, XSPAN<XPOINT_W> w) {
    const Scale f = PXTOWORLD(dc);
    const int n = std::min(w.size(), v.size());
    for (int i = 1; i <= n; ++i) PXV2W(dc, f, v[i].x, v[i].y, w[i].x, w[i].y);
}

void XCLIENT2VIEW(const XDC& dc, int cx, int cy, int& vx, int& vy) {
    vx = PXSATINT(static_cast<long long>(cx) - dc.xView);
    vy = PXSATINT(static_cast<long long>(cy) - dc.yView);
}

void XVIEW2CLIENT(const XDC& dc, int vx, int vy, int& cx, int& cy) {
    cx = PXSATINT(static_cast<long long>(vx) + dc.xView);
    cy = PXSATINT(static_cast<long long>(vy) + dc.yView);
}

void XCLIENT2WND(const XDC& dc, int cx, int cy, float& wx, float& wy) {
    int vx, vy;
    XCLIENT2VIEW(dc, cx, cy, vx, vy);
    XVIEW2WND_1(dc, vx, vy, wx, wy);
}

void XWND2CLIENT(const XDC& dc, float wx, float wy, int& cx, int& cy) {
    int vx, vy;
    XWND2VIEW_1(dc, wx, wy, vx, vy);
    XVIEW2CLIENT(dc, vx, vy, cx, cy);
}

int PXBMPDEPTH(int iBitsPerPixel) {
    if (iBitsPerPixel == 1) return 1;
    if (iBitsPerPixel <= 4) return 4;
    if (iBitsPerPixel <= 8) return 8;
    if (iBitsPerPixel <= 16) return 16;
    if (iBitsPerPixel <= 24) return 24;
    return 32;
}

bool PXBMPLAYOUT(int iWidth, int iHeight, int iBitsPerPixel, XBMPLAYOUT& layout) {
    if (iWidth <= 0 || iHeight <= 0) return false;
    const int bpp = PXBMPDEPTH(iBitsPerPixel);
    const std::uint64_t colours = bpp < 24 ? (std::uint64_t{1} << bpp) : 0;
    const std::uint64_t row = (static_cast<std::uint64_t>(iWidth) * bpp + 31) / 32 * 4;
    const std::uint64_t image = row * static_cast<std::uint64_t>(iHeight);
    const std::uint64_t off = XBMP_HEADERSIZE + 4 * colours;
    if (off + image > UINT32_MAX) return false;
    layout.iBitsPerPixel = bpp;
    layout.nColours = static_cast<std::uint32_t>(colours);
    layout.iRowSize = static_cast<std::uint32_t>(row);
    layout.iImageSize = static_cast<std::uint32_t>(image);
    layout.iOffBits = static_cast<std::uint32_t>(off);
    layout.iFileSize = static_cast<std::uint32_t>(off + image);
    return true;
}

void PXBMPHEADERS(const XBMPLAYOUT& layout, int iWidth, int iHeight,
                  unsigned char out[XBMP_HEADERSIZE]) {
    std::memset(out, 0, XBMP_HEADERSIZE);
    out[0] = 'B';
    out[1] = 'M';
    put32(out + 2, layout.iFileSize);
    put32(out + 10, layout.iOffBits);
    put32(out + 14, 40);
    put32(out + 18, static_cast<std::uint32_t>(iWidth));
    put32(out + 22, static_cast<std::uint32_t>(iHeight));
    put16(out + 26, 1);
    put16(out + 28, static_cast<std::uint32_t>(layout.iBitsPerPixel));
    put32(out + 34, layout.iImageSize);
    put32(out + 38, 3780);
    put32(out + 42, 3780);
    put32(out + 46, layout.nColours);
}
