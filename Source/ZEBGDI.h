// ZEBGDI: drawing contexts, primitives, text, bitmaps and memory contexts.
//
// Coordinates: client pixels of the device; view pixels relative to the viewport; world reals
// mapped linearly onto the viewport. The record, the tool setters and the conversions are the
// platform-free ZEBGDIcore; this header adds everything that calls the platform.
//
//   Context     XSETPENHANDLE XSETBRUSHHANDLE XSETFONT XSETFONT_W XSETBKMODE XSETROPMODE
//               XSETBKCOLOR XSETVIEWPORT XSETSCALING XSETCLIPPING XSETCLIPPING_W
//               PXCREATEPEN PXCREATEBRUSH PXDELETEPEN PXDELETEBRUSH
//   Text        XTEXTOUT(_W) XWRITE XGETTEXTEXTENT(_W)
//   Lines       XMOVETO(_W) XLINETO(_W) XLINE(_W) XPOLYLINE(_W)
//   Areas       XRECTANGLE(_W) XFILLRECT(_W) XFILLVIEWPORT XELLIPSE(_W) XPOLYGON(_W)
//               XFLOODFILL(_W)
//   Pixels      XSETPIXEL(_W) XGETPIXEL(_W)
//   Windows     XUPDATEWINDOW XSCROLLWINDOW
//   Bitmaps     XBITMAP PXCREATEBITMAP_RSRC PXCREATEBITMAP_FILE XPLACEBITMAP(_W) XGETBITMAP(_W)
//               XBITCOPY(_W) XDELETEBITMAP XSAVEBITMAP
//   Memory DCs  XMEMORYDC XDELETEDC
//   DPI         XGETDPI FXSYSTEMDPI
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>
#include <type_traits>

#include "ZEBGDIcore.h"
#include "ZEBWND.h"

static_assert(std::is_same_v<HDC, HDC__*> && std::is_same_v<HFONT, HFONT__*>,
              "ZEBGDIcore names the platform's handle types");

using XOPTPEN = std::optional<XPEN>;
using XOPTBRUSH = std::optional<XBRUSH>;

// Bitmap record; owns its handle (XDELETEBITMAP). Also the caret's shape.
struct XBITMAP {
    HBITMAP hBmp = nullptr;
    int iWidth = 0;
    int iHeight = 0;
};

// ---- Drawing context -------------------------------------------------------------------------

// Caller's pen or brush: stored with style -1, never deleted by the framework.
void XSETPENHANDLE(XDC& dc, HPEN hPen);
void XSETBRUSHHANDLE(XDC& dc, HBRUSH hBrush);

// Creates the record's font (height in pixels, internal leading excluded) and deletes the one
// it replaces; false, with the old font kept, when the platform refuses.
bool XSETFONT(XDC& dc, std::string_view sFace, int iHeight,
              std::optional<int> iAngle = std::nullopt, std::optional<int> iWidth = std::nullopt,
              std::optional<int> iWeight = std::nullopt, std::optional<bool> bItalic = std::nullopt,
              std::optional<bool> bUnderline = std::nullopt,
              std::optional<bool> bStrikeOut = std::nullopt);
// As XSETFONT with height and width in world units.
bool XSETFONT_W(XDC& dc, std::string_view sFace, float fHeight,
                std::optional<int> iAngle = std::nullopt,
                std::optional<float> fWidth = std::nullopt,
                std::optional<int> iWeight = std::nullopt,
                std::optional<bool> bItalic = std::nullopt,
                std::optional<bool> bUnderline = std::nullopt,
                std::optional<bool> bStrikeOut = std::nullopt);

int XSETBKMODE(XDC& dc, int iMode);
int XSETROPMODE(XDC& dc, int iMode);
int XSETBKCOLOR(XDC& dc, int iColour);

// Viewport from two client corners; with bClip true it also becomes the clipping region.
void XSETVIEWPORT(XDC& dc, int x1, int y1, int x2, int y2,
                  std::optional<bool> bClip = std::nullopt);
// World rectangle from (x, y) at the viewport's top-left corner, in the unit xScale names.
void XSETSCALING(XDC& dc, float x, float y, float xScale,
                 std::optional<float> yScale = std::nullopt);
// Clipping to a rectangle in view (world) coordinates; any corner absent removes clipping.
void XSETCLIPPING(XDC& dc, std::optional<int> x1 = std::nullopt,
                  std::optional<int> y1 = std::nullopt, std::optional<int> x2 = std::nullopt,
                  std::optional<int> y2 = std::nullopt);
void XSETCLIPPING_W(XDC& dc, std::optional<float> x1 = std::nullopt,
                    std::optional<float> y1 = std::nullopt, std::optional<float> x2 = std::nullopt,
                    std::optional<float> y2 = std::nullopt);

// Platform pen and brush for a description; style -1 hands back the caller's handle.
HPEN PXCREATEPEN(const XDC& dc, int iStyle, int iWidth, std::intptr_t iColour);
HBRUSH PXCREATEBRUSH(const XBRUSH& brush);
// Delete unless style is -1 (a caller's handle).
BOOL PXDELETEPEN(int iStyle, HPEN hPen);
BOOL PXDELETEBRUSH(int iStyle, HBRUSH hBrush);

// ---- Text ------------------------------------------------------------------------------------

// Draws the text (trailing blanks only with bKeepBlanks) at a view point, transparent unless
// bOpaque, in the colour given or the record's.
BOOL XTEXTOUT(XDC& dc, int x, int y, std::string_view sText,
              std::optional<int> iColour = std::nullopt, std::optional<bool> bOpaque = std::nullopt,
              std::optional<int> iAlign = std::nullopt,
              std::optional<bool> bKeepBlanks = std::nullopt);
BOOL XTEXTOUT_W(XDC& dc, float x, float y, std::string_view sText,
                std::optional<int> iColour = std::nullopt,
                std::optional<bool> bOpaque = std::nullopt,
                std::optional<int> iAlign = std::nullopt,
                std::optional<bool> bKeepBlanks = std::nullopt);
// Writes the text as a block at the current position, wrapped at the viewport's right edge, and
// moves the position below it; false, drawing nothing, when it would pass the viewport's bottom.
bool XWRITE(XDC& dc, std::string_view sText, std::optional<int> iColour = std::nullopt,
            std::optional<bool> bOpaque = std::nullopt, std::optional<int> iFormat = std::nullopt);
void XGETTEXTEXTENT(XDC& dc, std::string_view sText, int& iWidth, int& iHeight,
                    std::optional<bool> bKeepBlanks = std::nullopt);
void XGETTEXTEXTENT_W(XDC& dc, std::string_view sText, float& fWidth, float& fHeight,
                      std::optional<bool> bKeepBlanks = std::nullopt);

// ---- Lines -----------------------------------------------------------------------------------

void XMOVETO(XDC& dc, int x, int y);
void XMOVETO_W(XDC& dc, float x, float y);
BOOL XLINETO(XDC& dc, int x, int y, const XOPTPEN& pen = std::nullopt);
BOOL XLINETO_W(XDC& dc, float x, float y, const XOPTPEN& pen = std::nullopt);
BOOL XLINE(XDC& dc, int x1, int y1, int x2, int y2, const XOPTPEN& pen = std::nullopt);
BOOL XLINE_W(XDC& dc, float x1, float y1, float x2, float y2, const XOPTPEN& pen = std::nullopt);
// Points 1..count of the span (count is limited to the span's size).
BOOL XPOLYLINE(XDC& dc, XSPAN<const XPOINT> pts, int count, const XOPTPEN& pen = std::nullopt);
BOOL XPOLYLINE_W(XDC& dc, XSPAN<const XPOINT_W> pts, int count, const XOPTPEN& pen = std::nullopt);

// ---- Areas -----------------------------------------------------------------------------------
// Corners in any order; both corners lie inside the shape.

BOOL XRECTANGLE(XDC& dc, int x1, int y1, int x2, int y2, const XOPTPEN& pen = std::nullopt,
                const XOPTBRUSH& brush = std::nullopt);
BOOL XRECTANGLE_W(XDC& dc, float x1, float y1, float x2, float y2,
                  const XOPTPEN& pen = std::nullopt, const XOPTBRUSH& brush = std::nullopt);
int XFILLRECT(XDC& dc, int x1, int y1, int x2, int y2, const XOPTBRUSH& brush = std::nullopt);
int XFILLRECT_W(XDC& dc, float x1, float y1, float x2, float y2,
                const XOPTBRUSH& brush = std::nullopt);
int XFILLVIEWPORT(XDC& dc, const XOPTBRUSH& brush = std::nullopt);
BOOL XELLIPSE(XDC& dc, int x1, int y1, int x2, int y2, const XOPTPEN& pen = std::nullopt,
              const XOPTBRUSH& brush = std::nullopt);
BOOL XELLIPSE_W(XDC& dc, float x1, float y1, float x2, float y2, const XOPTPEN& pen = std::nullopt,
                const XOPTBRUSH& brush = std::nullopt);
BOOL XPOLYGON(XDC& dc, XSPAN<const XPOINT> pts, int count, const XOPTPEN& pen = std::nullopt,
              const XOPTBRUSH& brush = std::nullopt);
BOOL XPOLYGON_W(XDC& dc, XSPAN<const XPOINT_W> pts, int count, const XOPTPEN& pen = std::nullopt,
                const XOPTBRUSH& brush = std::nullopt);
// Fills up to a border of the colour, or (bSurface) the area of that colour.
BOOL XFLOODFILL(XDC& dc, int x, int y, int iColour, std::optional<bool> bSurface = std::nullopt,
                const XOPTBRUSH& brush = std::nullopt);
BOOL XFLOODFILL_W(XDC& dc, float x, float y, int iColour,
                  std::optional<bool> bSurface = std::nullopt,
                  const XOPTBRUSH& brush = std::nullopt);

// ---- Pixels ----------------------------------------------------------------------------------

bool XSETPIXEL(XDC& dc, int x, int y, int iColour);
bool XSETPIXEL_W(XDC& dc, float x, float y, int iColour);
int XGETPIXEL(const XDC& dc, int x, int y);
int XGETPIXEL_W(const XDC& dc, float x, float y);

// ---- Windows ---------------------------------------------------------------------------------

// Marks the rectangle (all four corners given) or the whole client area for repaint, without
// erasing, and repaints at once.
void XUPDATEWINDOW(const XWND& xWnd, std::optional<int> x1 = std::nullopt,
                   std::optional<int> y1 = std::nullopt, std::optional<int> x2 = std::nullopt,
                   std::optional<int> y2 = std::nullopt);
// Scrolls the client area (an absent offset is 0) and repaints; nothing when both are absent.
void XSCROLLWINDOW(const XWND& xWnd, std::optional<int> dx = std::nullopt,
                   std::optional<int> dy = std::nullopt);

// ---- Bitmaps ---------------------------------------------------------------------------------

bool PXCREATEBITMAP_RSRC(XBITMAP& bmp, int iID, std::optional<int> iFlags = std::nullopt,
                         std::optional<int> iWidth = std::nullopt,
                         std::optional<int> iHeight = std::nullopt,
                         std::optional<HINSTANCE> hModule = std::nullopt);
bool PXCREATEBITMAP_FILE(XBITMAP& bmp, std::string_view sFile,
                         std::optional<int> iFlags = std::nullopt,
                         std::optional<int> iWidth = std::nullopt,
                         std::optional<int> iHeight = std::nullopt);
// Draws the bitmap at (x, y), or stretched to (x, y)-(x2, y2) when both x2 and y2 are given.
BOOL XPLACEBITMAP(XDC& dc, const XBITMAP& bmp, int x, int y, std::optional<int> x2 = std::nullopt,
                  std::optional<int> y2 = std::nullopt, std::optional<DWORD> iRop = std::nullopt);
BOOL XPLACEBITMAP_W(XDC& dc, const XBITMAP& bmp, float x, float y,
                    std::optional<float> x2 = std::nullopt, std::optional<float> y2 = std::nullopt,
                    std::optional<DWORD> iRop = std::nullopt);
// Copies the rectangle (corners in any order, larger corner excluded) into a new bitmap, scaled
// to width x height pixels when both are given.
BOOL XGETBITMAP(XDC& dc, XBITMAP& bmp, int x1, int y1, int x2, int y2,
                std::optional<int> iWidth = std::nullopt, std::optional<int> iHeight = std::nullopt,
                std::optional<DWORD> iRop = std::nullopt);
BOOL XGETBITMAP_W(XDC& dc, XBITMAP& bmp, float x1, float y1, float x2, float y2,
                  std::optional<int> iWidth = std::nullopt,
                  std::optional<int> iHeight = std::nullopt,
                  std::optional<DWORD> iRop = std::nullopt);
// Copies a source rectangle to (x, y) of the target, or stretched into (x, y)-(x2, y2).
BOOL XBITCOPY(XDC& src, int x1, int y1, int x2, int y2, XDC& dst, int x, int y,
              std::optional<int> x2d = std::nullopt, std::optional<int> y2d = std::nullopt,
              std::optional<DWORD> iRop = std::nullopt);
BOOL XBITCOPY_W(XDC& src, float x1, float y1, float x2, float y2, XDC& dst, float x, float y,
                std::optional<float> x2d = std::nullopt, std::optional<float> y2d = std::nullopt,
                std::optional<DWORD> iRop = std::nullopt);
// Deletes the handle and empties the record; a failure leaves the record as it was.
BOOL XDELETEBITMAP(XBITMAP& bmp);
// Writes the bitmap as a .bmp file at its own depth or the one given (rounded up to 1, 4, 8,
// 16, 24 or 32 bits).
bool XSAVEBITMAP(const XBITMAP& bmp, std::string_view sFile,
                 std::optional<int> iBitsPerPixel = std::nullopt);

// ---- Memory contexts -------------------------------------------------------------------------

// A memory context with a width x height bitmap compatible with the reference (or the screen);
// viewport and world rectangle both (0, 0)-(width, height). hDC is 0 when it cannot be made.
XDC XMEMORYDC(int iWidth, int iHeight, std::optional<HDC> hRef = std::nullopt);
// Deletes the context's bitmap and the context; hDC becomes 0. The font is not touched.
bool XDELETEDC(XDC& dc);

// ---- DPI -------------------------------------------------------------------------------------

// The window's dots per inch (96 at 100 % scale): its display's under per-monitor awareness,
// where the system can tell (Windows 10 1607 and later), else the screen's.
int XGETDPI(const XWND& xWnd);
// The system DPI: what stock fonts and dialog base units are made for.
int FXSYSTEMDPI();
