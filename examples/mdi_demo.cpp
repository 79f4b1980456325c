// A multiple-document frame on the framework: a menu built item by item with position paths,
// the MDI client listing its children at the end of the Window menu, and two documents to
// start with. File, New window adds another.
#include <windows.h>

#include <deque>
#include <optional>
#include <string>

#include "ZEBApp.h"
#include "ZEBGDI.h"
#include "ZEBMenu.h"

namespace {

constexpr int IDM_NEW = 101, IDM_EXIT = 102, IDM_CASCADE = 201, IDM_TILE = 202;

std::deque<XWND> xDocs; // stable addresses: the window objects live as long as the program
int nDocs = 0;

XMENUITEM pxitem(int iID, const char* sText, int iType = 0) {
    XMENUITEM x;
    x.iID = iID;
    x.iType = iType;
    x.sText = sText;
    return x;
}

// File(New window, -, Exit) | Window(Cascade, Tile): each top-level entry starts as a plain
// item and becomes a pop-up when the first item is inserted below it.
XMENU pxbuildmenu() {
    XMENU bar = XCREATEMENU(0);
    XINSERTMENUITEM_POS(bar, pxitem(0, "&File"), {XMP_APPEND});
    XINSERTMENUITEM_POS(bar, pxitem(IDM_NEW, "&New window"), {1, 1});
    XINSERTMENUITEM_POS(bar, pxitem(0, "", MFT_SEPARATOR), {1, XMP_APPEND});
    XINSERTMENUITEM_POS(bar, pxitem(IDM_EXIT, "E&xit"), {1, XMP_APPEND});
    XINSERTMENUITEM_POS(bar, pxitem(0, "&Window"), {XMP_APPEND});
    XINSERTMENUITEM_POS(bar, pxitem(IDM_CASCADE, "&Cascade"), {2, 1});
    XINSERTMENUITEM_POS(bar, pxitem(IDM_TILE, "&Tile"), {2, XMP_APPEND});
    return bar;
}

LRESULT pxdocpaint(XWND& xWnd, XDC& dc, int, int, int, int) {
    XFILLVIEWPORT(dc, XBRUSH{0, XRGB(255, 255, 240), 0});
    char title[64] = {};
    GetWindowTextA(xWnd.hWnd, title, sizeof title);
    XTEXTOUT(dc, 12, 12, std::string(title) + ": a child of the MDI client", XRGB(0, 0, 128));
    XRECTANGLE(dc, 12, 40, 160, 100, XPEN{0, 2, XRGB(0, 128, 0)},
               XBRUSH{0, XRGB(200, 240, 200), 0});
    return XTRUE;
}

bool pxnewdoc(std::optional<int> x = std::nullopt, std::optional<int> y = std::nullopt) {
    xDocs.emplace_back();
    XWND& doc = xDocs.back();
    const std::string title = "Document " + std::to_string(++nDocs);
    if (!XCREATEWINDOW(doc, *XGETMDI(), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, title,
                       WS_EX_MDICHILD, x, y, 360, 200))
        return false;
    XSETHANDLER<WM_PAINT>(doc, pxdocpaint);
    return true;
}

void pxcommand(XWND& xWnd, int iID, int) {
    switch (iID) {
    case IDM_NEW: pxnewdoc(); break;
    case IDM_EXIT: PostMessageA(xWnd.hWnd, WM_CLOSE, 0, 0); break;
    case IDM_CASCADE: SendMessageA(XGETMDI()->hWnd, WM_MDICASCADE, 0, 0); break;
    case IDM_TILE: SendMessageA(XGETMDI()->hWnd, WM_MDITILE, MDITILE_VERTICAL, 0); break;
    }
}

} // namespace

bool XINIT(std::string_view, int& nCmdShow) {
    static XMENU xMenu = pxbuildmenu();
    if (!XCREATEMDIAPP(xMenu, 2, "ZEB MDI demo", std::nullopt, nCmdShow)) return false;
    XSETWINDOWPOS(xFrame, 40, 30, 700, 480);
    for (int id : {IDM_NEW, IDM_EXIT, IDM_CASCADE, IDM_TILE}) XSETCOMMAND(xFrame, id, pxcommand);
    return pxnewdoc(230, 20) && pxnewdoc(300, 190);
}
