// ZEBGDIcore: the platform-free half of ZEBGDI — the drawing-context record, colours, tool
// descriptions, the view/world mapping and the .bmp file layout.
//
//   Record and tools  XDC XPEN XBRUSH XPOINT XPOINT_W XSPAN XRGB
//                     XSETPEN_1 XSETPEN_2 XSETBRUSH_1 XSETBRUSH_2 XSETTEXTCOLOR
//   Mapping           XSETWINDOW PXSETSCALING XGETVIEWPORT XGETGDIWINDOW
//                     XWND2VIEW_1 XWND2VIEW_2 XVIEW2WND_1 XVIEW2WND_2 XVIEWBOX FXWND2VIEWBOX
//                     XCLIENT2VIEW XVIEW2CLIENT XCLIENT2WND XWND2CLIENT PXROUND PXSATINT
//   Bitmap files      XBMPLAYOUT PXBMPDEPTH PXBMPLAYOUT PXBMPHEADERS
//
// Never includes <windows.h>: the handle types are the platform's own incomplete structs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

struct HDC__;
struct HFONT__;

// Drawing context. Field order as the framework's record; the colour slots of pen and brush are
// pointer-sized because style -1 puts a caller's handle there. XDC{} is the all-zero record:
// solid black pen one pixel wide, solid black brush, no font, black text.
struct XDC {
    HDC__* hDC = nullptr;
    int xView = 0; // viewport, client pixels
    int yView = 0;
    int cxView = 0;
    int cyView = 0;
    float xWorld = 0; // world at the viewport's top-left corner, and its extent (signed)
    float yWorld = 0;
    float cxWorld = 0;
    float cyWorld = 0;
    int penStyle = 0; // -1: penColour holds the caller's pen handle
    int penWidth = 0;
    std::intptr_t penColour = 0;
    int brushStyle = 0; // -1: brushColour holds the caller's brush handle
    std::intptr_t brushColour = 0;
    std::intptr_t brushHatch = 0;
    HFONT__* hFont = nullptr; // owned by the record: replaced (and deleted) by XSETFONT
    int textColour = 0;
};

// Pen description (style, width, colour) and brush description (style, colour, hatch).
struct XPEN {
    int style = 0;
    int width = 0;
    std::intptr_t colour = 0;
};
struct XBRUSH {
    int style = 0;
    std::intptr_t colour = 0;
    std::intptr_t hatch = 0;
};

struct XPOINT {
    int x = 0;
    int y = 0;
};
struct XPOINT_W {
    float x = 0;
    float y = 0;
};

// A run of n elements, step elements apart (negative steps run backwards), indexed from 1.
template <class T> class XSPAN {
  public:
    XSPAN(T* first, int n, std::ptrdiff_t step = 1) : p_(first), n_(n < 0 ? 0 : n), step_(step) {}
    template <std::size_t N> XSPAN(T (&a)[N]) : XSPAN(a, static_cast<int>(N)) {}
    template <class C, class = decltype(std::declval<C&>().data())>
    XSPAN(C& c) : XSPAN(c.data(), static_cast<int>(c.size())) {}
    template <class U> XSPAN(const XSPAN<U>& o) : p_(o.p_), n_(o.n_), step_(o.step_) {}

    int size() const { return n_; }
    T& operator[](int i) const { return p_[(i - 1) * step_]; }

  private:
    template <class U> friend class XSPAN;
    T* p_;
    int n_;
    std::ptrdiff_t step_;
};

// Colour reference from components clamped to 0..255.
int XRGB(int iRed, int iGreen, int iBlue);

// Tool setters: they only store descriptions in the record.
void XSETPEN_1(XDC& dc, int iColour, std::optional<int> iStyle = std::nullopt,
               std::optional<int> iWidth = std::nullopt);
void XSETPEN_2(XDC& dc, const XPEN& pen);
void XSETBRUSH_1(XDC& dc, int iColour, std::optional<int> iStyle = std::nullopt,
                 std::optional<int> iHatch = std::nullopt);
void XSETBRUSH_2(XDC& dc, const XBRUSH& brush);
void XSETTEXTCOLOR(XDC& dc, int iColour);

// World rectangle from two corners; swapping an axis's values inverts it.
void XSETWINDOW(XDC& dc, float x1, float y1, float x2, float y2);
// XSETSCALING after the device's pixels per inch are known: -1 pixels, -2 millimetres, -3 inches,
// -4 points, anything else world units per pixel.
void PXSETSCALING(XDC& dc, float x, float y, float xScale, float yScale, int iPpiX, int iPpiY);
void XGETVIEWPORT(const XDC& dc, int& x1, int& y1, int& x2, int& y2);
void XGETGDIWINDOW(const XDC& dc, float& x1, float& y1, float& x2, float& y2);

// Nearest integer, halves away from zero; saturates at the int range, NaN gives 0 (a degenerate
// rectangle divides by zero, and an infinite float must not reach an int).
int PXROUND(float v);
// Saturating narrowing of integer arithmetic done in 64 bits.
int PXSATINT(long long v);

void XWND2VIEW_1(const XDC& dc, float wx, float wy, int& vx, int& vy);
void XVIEW2WND_1(const XDC& dc, int vx, int vy, float& wx, float& wy);
// Two world corners in view pixels, each converted as XWND2VIEW_1 does: the box primitives'
// world forms.
struct XVIEWBOX {
    int x1, y1, x2, y2;
};
XVIEWBOX FXWND2VIEWBOX(const XDC& dc, float x1, float y1, float x2, float y2);
// Array forms: convert min(input, output) points; the scale factors are computed once.
void XWND2VIEW_2(const XDC& dc, XSPAN<const XPOINT_W> w, XSPAN<XPOINT> v);
void XVIEW2WND_2(const XDC& dc, XSPAN<const XPOINT> v, XSPAN<XPOINT_W> w);
void XCLIENT2VIEW(const XDC& dc, int cx, int cy, int& vx, int& vy);
void XVIEW2CLIENT(const XDC& dc, int vx, int vy, int& cx, int& cy);
void XCLIENT2WND(const XDC& dc, int cx, int cy, float& wx, float& wy);
void XWND2CLIENT(const XDC& dc, float wx, float wy, int& cx, int& cy);

// .bmp files as XSAVEBITMAP writes them: 14-byte file header, 40-byte information header,
// colour table of N entries, rows bottom-up padded to 4 bytes.
struct XBMPLAYOUT {
    int iBitsPerPixel = 0;
    std::uint32_t nColours = 0; // N: 2^bpp below 24 bits, else 0
    std::uint32_t iRowSize = 0;
    std::uint32_t iImageSize = 0;
    std::uint32_t iOffBits = 0; // 14 + 40 + 4N
    std::uint32_t iFileSize = 0;
};
constexpr int XBMP_HEADERSIZE = 54;

// Supported depth for a requested one: 1, 4, 8, 16, 24 or 32.
int PXBMPDEPTH(int iBitsPerPixel);
// Layout for a width x height bitmap at the given (supported) depth; false when the size is not
// positive or the file would not fit the format's 32-bit sizes.
bool PXBMPLAYOUT(int iWidth, int iHeight, int iBitsPerPixel, XBMPLAYOUT& layout);
// The 54 header bytes (file header, information header), little-endian.
void PXBMPHEADERS(const XBMPLAYOUT& layout, int iWidth, int iHeight,
                  unsigned char out[XBMP_HEADERSIZE]);
