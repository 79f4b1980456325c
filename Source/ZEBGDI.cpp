// ZEBGDI: drawing contexts, primitives, text, bitmaps and memory contexts.
#include "ZEBGDI.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ZEBStrings.h"

namespace {

// Text lengths go to the platform as int.
int PXLEN(std::string_view s) {
    return static_cast<int>(std::min<std::size_t>(s.size(), INT_MAX));
}

std::string_view PXTEXT(std::string_view s, const std::optional<bool>& bKeepBlanks) {
    return bKeepBlanks.value_or(false) ? s : XTRIM(s);
}

// The primitive's pen: created from the argument or the record, selected for the guard's
// lifetime, then deselected and deleted (unless it is the caller's).
class PenGuard {
  public:
    PenGuard(const XDC& dc, const XOPTPEN& pen) : hdc_(dc.hDC) {
        const XPEN d = pen.value_or(XPEN{dc.penStyle, dc.penWidth, dc.penColour});
        style_ = d.style;
        h_ = PXCREATEPEN(dc, d.style, d.width, d.colour);
        if (h_) old_ = SelectObject(hdc_, h_);
    }
    ~PenGuard() {
        if (old_) SelectObject(hdc_, old_);
        if (h_) PXDELETEPEN(style_, h_);
    }
    PenGuard(const PenGuard&) = delete;
    PenGuard& operator=(const PenGuard&) = delete;

  private:
    HDC hdc_;
    int style_ = 0;
    HPEN h_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

class BrushGuard {
  public:
    BrushGuard(const XDC& dc, const XOPTBRUSH& brush, bool bSelect = true) : hdc_(dc.hDC) {
        const XBRUSH d = brush.value_or(XBRUSH{dc.brushStyle, dc.brushColour, dc.brushHatch});
        style_ = d.style;
        h_ = PXCREATEBRUSH(d);
        if (h_ && bSelect) old_ = SelectObject(hdc_, h_);
    }
    ~BrushGuard() {
        if (old_) SelectObject(hdc_, old_);
        if (h_) PXDELETEBRUSH(style_, h_);
    }
    BrushGuard(const BrushGuard&) = delete;
    BrushGuard& operator=(const BrushGuard&) = delete;
    HBRUSH get() const { return h_; }

  private:
    HDC hdc_;
    int style_ = 0;
    HBRUSH h_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// The record's font, selected for the duration of a text call.
class FontGuard {
  public:
    explicit FontGuard(const XDC& dc) : hdc_(dc.hDC) {
        if (dc.hFont) old_ = SelectObject(hdc_, dc.hFont);
    }
    ~FontGuard() {
        if (old_) SelectObject(hdc_, old_);
    }
    FontGuard(const FontGuard&) = delete;
    FontGuard& operator=(const FontGuard&) = delete;

  private:
    HDC hdc_;
    HGDIOBJ old_ = nullptr;
};

// Bounding rectangle in client pixels: corners in any order, both inside.
RECT PXBOUNDS(const XDC& dc, int x1, int y1, int x2, int y2) {
    int ax, ay, bx, by;
    XVIEW2CLIENT(dc, x1, y1, ax, ay);
    XVIEW2CLIENT(dc, x2, y2, bx, by);
    return {std::min(ax, bx), std::min(ay, by), PXSATINT(std::max<long long>(ax, bx) + 1),
            PXSATINT(std::max<long long>(ay, by) + 1)};
}

int PXDIFF(int a, int b) {
    return PXSATINT(static_cast<long long>(a) - b);
}

int PXABSDIFF(int a, int b) {
    const long long d = static_cast<long long>(a) - b;
    return PXSATINT(d < 0 ? -d : d);
}

void PXSETTEXTMODE(const XDC& dc, const std::optional<int>& iColour,
                   const std::optional<bool>& bOpaque) {
    SetTextColor(dc.hDC, static_cast<COLORREF>(iColour.value_or(dc.textColour)));
    SetBkMode(dc.hDC, bOpaque.value_or(false) ? OPAQUE : TRANSPARENT);
}

std::vector<POINT> PXCLIENTPOINTS(const XDC& dc, XSPAN<const XPOINT> pts, int count) {
    std::vector<POINT> p(static_cast<std::size_t>(std::clamp(count, 0, pts.size())));
    for (std::size_t i = 0; i < p.size(); ++i) {
        const XPOINT& v = pts[static_cast<int>(i) + 1];
        int cx, cy;
        XVIEW2CLIENT(dc, v.x, v.y, cx, cy);
        p[i] = {cx, cy};
    }
    return p;
}

std::vector<XPOINT> PXVIEWPOINTS(const XDC& dc, XSPAN<const XPOINT_W> pts, int count) {
    std::vector<XPOINT> v(static_cast<std::size_t>(std::clamp(count, 0, pts.size())));
    XWND2VIEW_2(dc, pts, v);
    return v;
}

std::optional<int> PXWX(const XDC& dc, const std::optional<float>& x, const std::optional<float>& y,
                        bool bWantX) {
    if (!x || !y) return std::nullopt;
    int vx, vy;
    XWND2VIEW_1(dc, *x, *y, vx, vy);
    return bWantX ? vx : vy;
}

void PXCLIPRECT(const XDC& dc, int l, int t, int r, int b) {
    if (HRGN rgn = CreateRectRgn(l, t, r, b)) {
        SelectClipRgn(dc.hDC, rgn);
        DeleteObject(rgn);
    }
}

// -|v| without overflow.
int PXNEGABS(int v) {
    return v < 0 ? v : -v;
}

} // namespace

// ---- Drawing context -------------------------------------------------------------------------

void XSETPENHANDLE(XDC& dc, HPEN hPen) {
    dc.penStyle = -1;
    dc.penColour = reinterpret_cast<std::intptr_t>(hPen);
}

void XSETBRUSHHANDLE(XDC& dc, HBRUSH hBrush) {
    dc.brushStyle = -1;
    dc.brushColour = reinterpret_cast<std::intptr_t>(hBrush);
}

bool XSETFONT(XDC& dc, std::string_view sFace, int iHeight, std::optional<int> iAngle,
              std::optional<int> iWidth, std::optional<int> iWeight, std::optional<bool> bItalic,
              std::optional<bool> bUnderline, std::optional<bool> bStrikeOut) {
    LOGFONTA lf{};
    lf.lfHeight = iHeight == INT_MIN ? INT_MAX : -iHeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::string_view face = XTRIM(sFace);
    std::memcpy(lf.lfFaceName, face.data(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    if (iAngle) lf.lfEscapement = lf.lfOrientation = *iAngle;
    if (iWidth) lf.lfWidth = PXNEGABS(*iWidth);
    if (iWeight) lf.lfWeight = *iWeight;
    if (bItalic.value_or(false)) lf.lfItalic = 1;
    if (bUnderline.value_or(false)) lf.lfUnderline = 1;
    if (bStrikeOut.value_or(false)) lf.lfStrikeOut = 1;
    const HFONT h = CreateFontIndirectA(&lf);
    if (!h) return false;
    if (dc.hFont) DeleteObject(dc.hFont);
    dc.hFont = h;
    return true;
}

bool XSETFONT_W(XDC& dc, std::string_view sFace, float fHeight, std::optional<int> iAngle,
                std::optional<float> fWidth, std::optional<int> iWeight,
                std::optional<bool> bItalic, std::optional<bool> bUnderline,
                std::optional<bool> bStrikeOut) {
    int ox, oy, px, py;
    XWND2VIEW_1(dc, 0.0f, 0.0f, ox, oy);
    XWND2VIEW_1(dc, fWidth.value_or(0.0f), fHeight, px, py);
    std::optional<int> iWidth;
    if (fWidth) iWidth = PXDIFF(px, ox);
    return XSETFONT(dc, sFace, PXDIFF(py, oy), iAngle, iWidth, iWeight, bItalic, bUnderline,
                    bStrikeOut);
}

int XSETBKMODE(XDC& dc, int iMode) {
    return SetBkMode(dc.hDC, iMode);
}

int XSETROPMODE(XDC& dc, int iMode) {
    return SetROP2(dc.hDC, iMode);
}

int XSETBKCOLOR(XDC& dc, int iColour) {
    return static_cast<int>(SetBkColor(dc.hDC, static_cast<COLORREF>(iColour)));
}

void XSETVIEWPORT(XDC& dc, int x1, int y1, int x2, int y2, std::optional<bool> bClip) {
    dc.xView = x1;
    dc.yView = y1;
    dc.cxView = PXDIFF(x2, x1);
    dc.cyView = PXDIFF(y2, y1);
    if (bClip.value_or(false)) PXCLIPRECT(dc, x1, y1, x2, y2);
}

void XSETSCALING(XDC& dc, float x, float y, float xScale, std::optional<float> yScale) {
    PXSETSCALING(dc, x, y, xScale, yScale.value_or(xScale), GetDeviceCaps(dc.hDC, LOGPIXELSX),
                 GetDeviceCaps(dc.hDC, LOGPIXELSY));
}

namespace {

// Clips to the rectangle of two corners given in view or world coordinates; no rectangle
// unless all four are given.
template <class T, class ToClient>
void PXSETCLIPPING(XDC& dc, const std::optional<T>& x1, const std::optional<T>& y1,
                   const std::optional<T>& x2, const std::optional<T>& y2, ToClient toclient) {
    if (!(x1 && y1 && x2 && y2)) {
        SelectClipRgn(dc.hDC, nullptr);
        return;
    }
    int l, t, r, b;
    toclient(dc, *x1, *y1, l, t);
    toclient(dc, *x2, *y2, r, b);
    PXCLIPRECT(dc, l, t, r, b);
}

} // namespace

void XSETCLIPPING(XDC& dc, std::optional<int> x1, std::optional<int> y1, std::optional<int> x2,
                  std::optional<int> y2) {
    PXSETCLIPPING(dc, x1, y1, x2, y2, XVIEW2CLIENT);
}

void XSETCLIPPING_W(XDC& dc, std::optional<float> x1, std::optional<float> y1,
                    std::optional<float> x2, std::optional<float> y2) {
    PXSETCLIPPING(dc, x1, y1, x2, y2, XWND2CLIENT);
}

HPEN PXCREATEPEN(const XDC& dc, int iStyle, int iWidth, std::intptr_t iColour) {
    if (iStyle == -1) return reinterpret_cast<HPEN>(iColour);
    const COLORREF colour = static_cast<COLORREF>(iColour);
    if (iStyle == PS_SOLID || iStyle == PS_NULL || (iStyle >= 0 && iWidth <= 1))
        return CreatePen(iStyle, iWidth, colour);
    // Patterned wide pens need a geometric pen; its width is in logical units.
    POINT p[2] = {{0, 0}, {iWidth, iWidth}};
    DPtoLP(dc.hDC, p, 2);
    const LOGBRUSH lb{BS_SOLID, colour, 0};
    return ExtCreatePen(static_cast<DWORD>(iStyle) | PS_GEOMETRIC,
                        static_cast<DWORD>(PXDIFF(p[1].x, p[0].x)), &lb, 0, nullptr);
}

HBRUSH PXCREATEBRUSH(const XBRUSH& brush) {
    if (brush.style == -1) return reinterpret_cast<HBRUSH>(brush.colour);
    const LOGBRUSH lb{static_cast<UINT>(brush.style), static_cast<COLORREF>(brush.colour),
                      static_cast<ULONG_PTR>(brush.hatch)};
    return CreateBrushIndirect(&lb);
}

BOOL PXDELETEPEN(int iStyle, HPEN hPen) {
    return iStyle == -1 ? TRUE : DeleteObject(hPen);
}

BOOL PXDELETEBRUSH(int iStyle, HBRUSH hBrush) {
    return iStyle == -1 ? TRUE : DeleteObject(hBrush);
}

// ---- Text ------------------------------------------------------------------------------------

BOOL XTEXTOUT(XDC& dc, int x, int y, std::string_view sText, std::optional<int> iColour,
              std::optional<bool> bOpaque, std::optional<int> iAlign,
              std::optional<bool> bKeepBlanks) {
    PXSETTEXTMODE(dc, iColour, bOpaque);
    const std::string_view t = PXTEXT(sText, bKeepBlanks);
    UINT oldAlign = GDI_ERROR;
    if (iAlign) oldAlign = SetTextAlign(dc.hDC, static_cast<UINT>(*iAlign));
    BOOL r;
    {
        FontGuard font(dc);
        int cx, cy;
        XVIEW2CLIENT(dc, x, y, cx, cy);
        r = TextOutA(dc.hDC, cx, cy, t.data(), PXLEN(t));
        if (oldAlign != GDI_ERROR) SetTextAlign(dc.hDC, oldAlign);
    }
    return r;
}

BOOL XTEXTOUT_W(XDC& dc, float x, float y, std::string_view sText, std::optional<int> iColour,
                std::optional<bool> bOpaque, std::optional<int> iAlign,
                std::optional<bool> bKeepBlanks) {
    int vx, vy;
    XWND2VIEW_1(dc, x, y, vx, vy);
    return XTEXTOUT(dc, vx, vy, sText, iColour, bOpaque, iAlign, bKeepBlanks);
}

bool XWRITE(XDC& dc, std::string_view sText, std::optional<int> iColour,
            std::optional<bool> bOpaque, std::optional<int> iFormat) {
    PXSETTEXTMODE(dc, iColour, bOpaque);
    const UINT format = iFormat ? static_cast<UINT>(*iFormat) : (DT_WORDBREAK | DT_NOPREFIX);
    FontGuard font(dc);
    POINT pos{};
    GetCurrentPositionEx(dc.hDC, &pos);
    int right, bottom;
    XVIEW2CLIENT(dc, dc.cxView, dc.cyView, right, bottom);
    // A writable copy with room to spare: DT_MODIFYSTRING in the format writes into the text.
    std::string text(sText.empty() ? std::string_view(" ") : sText);
    const int n = PXLEN(text);
    text.append(4, '\0');
    RECT rc{pos.x, pos.y, right, bottom};
    RECT measured = rc;
    DrawTextA(dc.hDC, text.data(), n, &measured, format | DT_CALCRECT);
    if (static_cast<long long>(pos.y) + (measured.bottom - measured.top) > bottom) return false;
    const int height = DrawTextA(dc.hDC, text.data(), n, &rc, format);
    MoveToEx(dc.hDC, pos.x, PXSATINT(static_cast<long long>(pos.y) + height), nullptr);
    return true;
}

void XGETTEXTEXTENT(XDC& dc, std::string_view sText, int& iWidth, int& iHeight,
                    std::optional<bool> bKeepBlanks) {
    const std::string_view t = PXTEXT(sText, bKeepBlanks);
    FontGuard font(dc);
    SIZE size{};
    GetTextExtentPoint32A(dc.hDC, t.data(), PXLEN(t), &size);
    iWidth = size.cx;
    iHeight = size.cy;
}

void XGETTEXTEXTENT_W(XDC& dc, std::string_view sText, float& fWidth, float& fHeight,
                      std::optional<bool> bKeepBlanks) {
    int w, h;
    XGETTEXTEXTENT(dc, sText, w, h, bKeepBlanks);
    float wx, wy;
    XVIEW2WND_1(dc, w, h, wx, wy);
    fWidth = wx - dc.xWorld;
    fHeight = wy - dc.yWorld;
}

// ---- Lines -----------------------------------------------------------------------------------

void XMOVETO(XDC& dc, int x, int y) {
    int cx, cy;
    XVIEW2CLIENT(dc, x, y, cx, cy);
    MoveToEx(dc.hDC, cx, cy, nullptr);
}

void XMOVETO_W(XDC& dc, float x, float y) {
    int cx, cy;
    XWND2CLIENT(dc, x, y, cx, cy);
    MoveToEx(dc.hDC, cx, cy, nullptr);
}

BOOL XLINETO(XDC& dc, int x, int y, const XOPTPEN& pen) {
    PenGuard p(dc, pen);
    int cx, cy;
    XVIEW2CLIENT(dc, x, y, cx, cy);
    return LineTo(dc.hDC, cx, cy);
}

BOOL XLINETO_W(XDC& dc, float x, float y, const XOPTPEN& pen) {
    int vx, vy;
    XWND2VIEW_1(dc, x, y, vx, vy);
    return XLINETO(dc, vx, vy, pen);
}

BOOL XLINE(XDC& dc, int x1, int y1, int x2, int y2, const XOPTPEN& pen) {
    XMOVETO(dc, x1, y1);
    return XLINETO(dc, x2, y2, pen);
}

BOOL XLINE_W(XDC& dc, float x1, float y1, float x2, float y2, const XOPTPEN& pen) {
    XMOVETO_W(dc, x1, y1);
    return XLINETO_W(dc, x2, y2, pen);
}

BOOL XPOLYLINE(XDC& dc, XSPAN<const XPOINT> pts, int count, const XOPTPEN& pen) {
    const std::vector<POINT> p = PXCLIENTPOINTS(dc, pts, count);
    PenGuard g(dc, pen);
    return Polyline(dc.hDC, p.data(), static_cast<int>(p.size()));
}

BOOL XPOLYLINE_W(XDC& dc, XSPAN<const XPOINT_W> pts, int count, const XOPTPEN& pen) {
    const std::vector<XPOINT> v = PXVIEWPOINTS(dc, pts, count);
    return XPOLYLINE(dc, v, static_cast<int>(v.size()), pen);
}

// ---- Areas -----------------------------------------------------------------------------------

namespace {

// An outlined and filled figure over the bounding rectangle of two view corners.
BOOL PXFIGURE(XDC& dc, int x1, int y1, int x2, int y2, const XOPTPEN& pen, const XOPTBRUSH& brush,
              BOOL(WINAPI* draw)(HDC, int, int, int, int)) {
    const RECT r = PXBOUNDS(dc, x1, y1, x2, y2);
    PenGuard p(dc, pen);
    BrushGuard b(dc, brush);
    return draw(dc.hDC, r.left, r.top, r.right, r.bottom);
}

} // namespace

BOOL XRECTANGLE(XDC& dc, int x1, int y1, int x2, int y2, const XOPTPEN& pen,
                const XOPTBRUSH& brush) {
    return PXFIGURE(dc, x1, y1, x2, y2, pen, brush, Rectangle);
}

BOOL XRECTANGLE_W(XDC& dc, float x1, float y1, float x2, float y2, const XOPTPEN& pen,
                  const XOPTBRUSH& brush) {
    const XVIEWBOX v = FXWND2VIEWBOX(dc, x1, y1, x2, y2);
    return XRECTANGLE(dc, v.x1, v.y1, v.x2, v.y2, pen, brush);
}

int XFILLRECT(XDC& dc, int x1, int y1, int x2, int y2, const XOPTBRUSH& brush) {
    const RECT r = PXBOUNDS(dc, x1, y1, x2, y2);
    BrushGuard b(dc, brush, false);
    return FillRect(dc.hDC, &r, b.get());
}

int XFILLRECT_W(XDC& dc, float x1, float y1, float x2, float y2, const XOPTBRUSH& brush) {
    const XVIEWBOX v = FXWND2VIEWBOX(dc, x1, y1, x2, y2);
    return XFILLRECT(dc, v.x1, v.y1, v.x2, v.y2, brush);
}

int XFILLVIEWPORT(XDC& dc, const XOPTBRUSH& brush) {
    int l, t, rt, b;
    XGETVIEWPORT(dc, l, t, rt, b);
    const RECT r{l, t, rt, b};
    BrushGuard g(dc, brush, false);
    return FillRect(dc.hDC, &r, g.get());
}

BOOL XELLIPSE(XDC& dc, int x1, int y1, int x2, int y2, const XOPTPEN& pen, const XOPTBRUSH& brush) {
    return PXFIGURE(dc, x1, y1, x2, y2, pen, brush, Ellipse);
}

BOOL XELLIPSE_W(XDC& dc, float x1, float y1, float x2, float y2, const XOPTPEN& pen,
                const XOPTBRUSH& brush) {
    const XVIEWBOX v = FXWND2VIEWBOX(dc, x1, y1, x2, y2);
    return XELLIPSE(dc, v.x1, v.y1, v.x2, v.y2, pen, brush);
}

BOOL XPOLYGON(XDC& dc, XSPAN<const XPOINT> pts, int count, const XOPTPEN& pen,
              const XOPTBRUSH& brush) {
    const std::vector<POINT> p = PXCLIENTPOINTS(dc, pts, count);
    PenGuard g(dc, pen);
    BrushGuard b(dc, brush);
    return Polygon(dc.hDC, p.data(), static_cast<int>(p.size()));
}

BOOL XPOLYGON_W(XDC& dc, XSPAN<const XPOINT_W> pts, int count, const XOPTPEN& pen,
                const XOPTBRUSH& brush) {
    const std::vector<XPOINT> v = PXVIEWPOINTS(dc, pts, count);
    return XPOLYGON(dc, v, static_cast<int>(v.size()), pen, brush);
}

BOOL XFLOODFILL(XDC& dc, int x, int y, int iColour, std::optional<bool> bSurface,
                const XOPTBRUSH& brush) {
    BrushGuard b(dc, brush);
    int cx, cy;
    XVIEW2CLIENT(dc, x, y, cx, cy);
    return ExtFloodFill(dc.hDC, cx, cy, static_cast<COLORREF>(iColour),
                        bSurface.value_or(false) ? FLOODFILLSURFACE : FLOODFILLBORDER);
}

BOOL XFLOODFILL_W(XDC& dc, float x, float y, int iColour, std::optional<bool> bSurface,
                  const XOPTBRUSH& brush) {
    int vx, vy;
    XWND2VIEW_1(dc, x, y, vx, vy);
    return XFLOODFILL(dc, vx, vy, iColour, bSurface, brush);
}

// ---- Pixels ----------------------------------------------------------------------------------

bool XSETPIXEL(XDC& dc, int x, int y, int iColour) {
    int cx, cy;
    XVIEW2CLIENT(dc, x, y, cx, cy);
    return SetPixelV(dc.hDC, cx, cy, static_cast<COLORREF>(iColour)) != 0;
}

bool XSETPIXEL_W(XDC& dc, float x, float y, int iColour) {
    int cx, cy;
    XWND2CLIENT(dc, x, y, cx, cy);
    return SetPixelV(dc.hDC, cx, cy, static_cast<COLORREF>(iColour)) != 0;
}

int XGETPIXEL(const XDC& dc, int x, int y) {
    int cx, cy;
    XVIEW2CLIENT(dc, x, y, cx, cy);
    return static_cast<int>(GetPixel(dc.hDC, cx, cy));
}

int XGETPIXEL_W(const XDC& dc, float x, float y) {
    int cx, cy;
    XWND2CLIENT(dc, x, y, cx, cy);
    return static_cast<int>(GetPixel(dc.hDC, cx, cy));
}

// ---- Windows ---------------------------------------------------------------------------------

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

void XSCROLLWINDOW(const XWND& xWnd, std::optional<int> dx, std::optional<int> dy) {
    if (!dx && !dy) return;
    ScrollWindow(xWnd.hWnd, dx.value_or(0), dy.value_or(0), nullptr, nullptr);
    UpdateWindow(xWnd.hWnd);
}

// ---- Bitmaps ---------------------------------------------------------------------------------

namespace {

bool PXLOADBITMAP(XBITMAP& bmp, HINSTANCE hModule, LPCSTR name, UINT flags,
                  const std::optional<int>& iWidth, const std::optional<int>& iHeight) {
    bmp = XBITMAP{};
    int cx = 0, cy = 0;
    if (iWidth && iHeight) {
        cx = *iWidth;
        cy = *iHeight;
    } else {
        flags |= LR_DEFAULTSIZE;
    }
    bmp.hBmp = static_cast<HBITMAP>(LoadImageA(hModule, name, IMAGE_BITMAP, cx, cy, flags));
    if (!bmp.hBmp) return false;
    BITMAP b{};
    if (GetObjectA(bmp.hBmp, sizeof b, &b)) {
        bmp.iWidth = b.bmWidth;
        bmp.iHeight = b.bmHeight;
    }
    return true;
}

} // namespace

bool PXCREATEBITMAP_RSRC(XBITMAP& bmp, int iID, std::optional<int> iFlags,
                         std::optional<int> iWidth, std::optional<int> iHeight,
                         std::optional<HINSTANCE> hModule) {
    // Integer resource names are 16-bit; anything else would be read as a name's address.
    if (iID <= 0 || iID > 0xFFFF) {
        bmp = XBITMAP{};
        return false;
    }
    const HINSTANCE mod = hModule ? *hModule : GetModuleHandleA(nullptr);
    return PXLOADBITMAP(bmp, mod, MAKEINTRESOURCEA(iID), static_cast<UINT>(iFlags.value_or(0)),
                        iWidth, iHeight);
}

bool PXCREATEBITMAP_FILE(XBITMAP& bmp, std::string_view sFile, std::optional<int> iFlags,
                         std::optional<int> iWidth, std::optional<int> iHeight) {
    const std::string name = XSZ(sFile);
    const UINT flags = static_cast<UINT>(iFlags.value_or(LR_LOADFROMFILE)) | LR_LOADFROMFILE;
    return PXLOADBITMAP(bmp, nullptr, name.c_str(), flags, iWidth, iHeight);
}

BOOL XPLACEBITMAP(XDC& dc, const XBITMAP& bmp, int x, int y, std::optional<int> x2,
                  std::optional<int> y2, std::optional<DWORD> iRop) {
    if (!bmp.hBmp) return FALSE;
    const HDC mem = CreateCompatibleDC(dc.hDC);
    if (!mem) return FALSE;
    const HGDIOBJ old = SelectObject(mem, bmp.hBmp);
    BOOL r = FALSE;
    if (old) { // a bitmap held by another context cannot be selected: nothing to copy from
        const DWORD rop = iRop.value_or(SRCCOPY);
        int cx, cy;
        XVIEW2CLIENT(dc, x, y, cx, cy);
        if (x2 && y2) {
            int cx2, cy2;
            XVIEW2CLIENT(dc, *x2, *y2, cx2, cy2);
            r = StretchBlt(dc.hDC, cx, cy, PXDIFF(cx2, cx), PXDIFF(cy2, cy), mem, 0, 0, bmp.iWidth,
                           bmp.iHeight, rop);
        } else {
            r = BitBlt(dc.hDC, cx, cy, bmp.iWidth, bmp.iHeight, mem, 0, 0, rop);
        }
        SelectObject(mem, old);
    }
    DeleteDC(mem);
    return r;
}

BOOL XPLACEBITMAP_W(XDC& dc, const XBITMAP& bmp, float x, float y, std::optional<float> x2,
                    std::optional<float> y2, std::optional<DWORD> iRop) {
    int vx, vy;
    XWND2VIEW_1(dc, x, y, vx, vy);
    return XPLACEBITMAP(dc, bmp, vx, vy, PXWX(dc, x2, y2, true), PXWX(dc, x2, y2, false), iRop);
}

BOOL XGETBITMAP(XDC& dc, XBITMAP& bmp, int x1, int y1, int x2, int y2, std::optional<int> iWidth,
                std::optional<int> iHeight, std::optional<DWORD> iRop) {
    bmp = XBITMAP{};
    const HDC mem = CreateCompatibleDC(dc.hDC);
    if (!mem) return FALSE;
    const int w = PXABSDIFF(x2, x1), h = PXABSDIFF(y2, y1);
    const bool scaled = iWidth && iHeight;
    const int bw = scaled ? *iWidth : w, bh = scaled ? *iHeight : h;
    const HBITMAP hb = CreateCompatibleBitmap(dc.hDC, bw, bh);
    if (!hb) {
        DeleteDC(mem);
        return FALSE;
    }
    bmp.hBmp = hb;
    const HGDIOBJ old = SelectObject(mem, hb);
    int l, t;
    XVIEW2CLIENT(dc, std::min(x1, x2), std::min(y1, y2), l, t);
    const DWORD rop = iRop.value_or(SRCCOPY);
    const BOOL r = scaled ? StretchBlt(mem, 0, 0, bw, bh, dc.hDC, l, t, w, h, rop)
                          : BitBlt(mem, 0, 0, w, h, dc.hDC, l, t, rop);
    if (r) {
        bmp.iWidth = bw;
        bmp.iHeight = bh;
    }
    if (old) SelectObject(mem, old);
    DeleteDC(mem);
    return r;
}

BOOL XGETBITMAP_W(XDC& dc, XBITMAP& bmp, float x1, float y1, float x2, float y2,
                  std::optional<int> iWidth, std::optional<int> iHeight,
                  std::optional<DWORD> iRop) {
    const XVIEWBOX v = FXWND2VIEWBOX(dc, x1, y1, x2, y2);
    return XGETBITMAP(dc, bmp, v.x1, v.y1, v.x2, v.y2, iWidth, iHeight, iRop);
}

BOOL XBITCOPY(XDC& src, int x1, int y1, int x2, int y2, XDC& dst, int x, int y,
              std::optional<int> x2d, std::optional<int> y2d, std::optional<DWORD> iRop) {
    int l, t, r, b;
    XVIEW2CLIENT(src, std::min(x1, x2), std::min(y1, y2), l, t);
    XVIEW2CLIENT(src, std::max(x1, x2), std::max(y1, y2), r, b);
    const DWORD rop = iRop.value_or(SRCCOPY);
    if (x2d && y2d) {
        int tl, tt, tr, tb;
        XVIEW2CLIENT(dst, std::min(x, *x2d), std::min(y, *y2d), tl, tt);
        XVIEW2CLIENT(dst, std::max(x, *x2d), std::max(y, *y2d), tr, tb);
        return StretchBlt(dst.hDC, tl, tt, PXDIFF(tr, tl), PXDIFF(tb, tt), src.hDC, l, t,
                          PXDIFF(r, l), PXDIFF(b, t), rop);
    }
    int tx, ty;
    XVIEW2CLIENT(dst, x, y, tx, ty);
    return BitBlt(dst.hDC, tx, ty, PXDIFF(r, l), PXDIFF(b, t), src.hDC, l, t, rop);
}

BOOL XBITCOPY_W(XDC& src, float x1, float y1, float x2, float y2, XDC& dst, float x, float y,
                std::optional<float> x2d, std::optional<float> y2d, std::optional<DWORD> iRop) {
    const XVIEWBOX v = FXWND2VIEWBOX(src, x1, y1, x2, y2);
    int tx, ty;
    XWND2VIEW_1(dst, x, y, tx, ty);
    return XBITCOPY(src, v.x1, v.y1, v.x2, v.y2, dst, tx, ty, PXWX(dst, x2d, y2d, true),
                    PXWX(dst, x2d, y2d, false), iRop);
}

BOOL XDELETEBITMAP(XBITMAP& bmp) {
    const BOOL r = DeleteObject(bmp.hBmp);
    if (r) bmp = XBITMAP{};
    return r;
}

bool XSAVEBITMAP(const XBITMAP& bmp, std::string_view sFile, std::optional<int> iBitsPerPixel) {
    BITMAP b{};
    if (!bmp.hBmp || !GetObjectA(bmp.hBmp, sizeof b, &b)) return false;
    XBMPLAYOUT layout;
    if (!PXBMPLAYOUT(b.bmWidth, b.bmHeight, iBitsPerPixel.value_or(b.bmPlanes * b.bmBitsPixel),
                     layout))
        return false;
    // The whole file in one buffer, shifted by 2 bytes so that the information header and the
    // pixel rows sit on 4-byte boundaries as the platform expects.
    std::vector<std::uint32_t> buf;
    try {
        buf.resize((std::size_t{2} + layout.iFileSize + 3) / 4);
    } catch (const std::bad_alloc&) {
        return false;
    }
    unsigned char* const file = reinterpret_cast<unsigned char*>(buf.data()) + 2;
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = b.bmWidth;
    bih.biHeight = b.bmHeight;
    bih.biPlanes = 1;
    bih.biBitCount = static_cast<WORD>(layout.iBitsPerPixel);
    bih.biCompression = BI_RGB;
    std::memcpy(file + 14, &bih, sizeof bih);
    const HDC mem = CreateCompatibleDC(nullptr);
    if (!mem) return false;
    const int lines =
        GetDIBits(mem, bmp.hBmp, 0, static_cast<UINT>(b.bmHeight), file + layout.iOffBits,
                  reinterpret_cast<BITMAPINFO*>(file + 14), DIB_RGB_COLORS);
    DeleteDC(mem);
    if (lines == 0) return false;
    // The platform may rewrite header fields; the file carries the layout's own.
    PXBMPHEADERS(layout, b.bmWidth, b.bmHeight, file);
    const std::string name = XSZ(sFile);
    const HANDLE f = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(f, file, layout.iFileSize, &written, nullptr) && written == layout.iFileSize;
    CloseHandle(f);
    return ok;
}

// ---- Memory contexts -------------------------------------------------------------------------

XDC XMEMORYDC(int iWidth, int iHeight, std::optional<HDC> hRef) {
    XDC dc{};
    // A null reference has no device to be compatible with: use the screen's, and give it back.
    const HDC hScreen = (hRef && *hRef) ? nullptr : GetDC(nullptr);
    const HDC ref = hScreen ? hScreen : hRef.value_or(nullptr);
    dc.hDC = CreateCompatibleDC(ref);
    if (dc.hDC) {
        if (const HBITMAP hb = CreateCompatibleBitmap(ref, iWidth, iHeight)) {
            SelectObject(dc.hDC, hb);
            XSETVIEWPORT(dc, 0, 0, iWidth, iHeight);
            XSETWINDOW(dc, 0.0f, 0.0f, static_cast<float>(iWidth), static_cast<float>(iHeight));
        }
    }
    if (hScreen) ReleaseDC(nullptr, hScreen);
    return dc;
}

bool XDELETEDC(XDC& dc) {
    // Deleting the context releases its bitmap, which can then be deleted.
    const HGDIOBJ hBmp = GetCurrentObject(dc.hDC, OBJ_BITMAP);
    if (!hBmp || !DeleteDC(dc.hDC)) return false;
    dc.hDC = nullptr;
    return DeleteObject(hBmp) != 0;
}

// DPI.

namespace {

// GetDpiForWindow and GetDpiForSystem exist from Windows 10 1607 on: looked up once, so the
// program still starts on older systems.
template <class F> F PXUSER32(const char* sName) {
    static const HMODULE hUser = GetModuleHandleA("user32");
    return hUser ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(hUser, sName)))
                 : nullptr;
}

int PXSCREENDPI(HWND hWnd) {
    const HDC dc = GetDC(hWnd);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(hWnd, dc);
    return dpi > 0 ? dpi : 96;
}

} // namespace

int XGETDPI(const XWND& xWnd) {
    using XGETDPIFORWINDOW = UINT(WINAPI*)(HWND);
    static const auto pfn = PXUSER32<XGETDPIFORWINDOW>("GetDpiForWindow");
    if (pfn && xWnd.hWnd)
        if (const UINT dpi = pfn(xWnd.hWnd)) return static_cast<int>(dpi);
    return PXSCREENDPI(IsWindow(xWnd.hWnd) ? xWnd.hWnd : nullptr);
}

int FXSYSTEMDPI() {
    using XGETDPIFORSYSTEM = UINT(WINAPI*)();
    static const auto pfn = PXUSER32<XGETDPIFORSYSTEM>("GetDpiForSystem");
    if (pfn)
        if (const UINT dpi = pfn()) return static_cast<int>(dpi);
    return PXSCREENDPI(nullptr);
}
