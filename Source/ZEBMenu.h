// ZEBMenu: menu objects and their items, reached by command identifier or by position path.
//
//   Menus          XCREATEMENU XLOADMENU XGETWINDOWMENU XSETWINDOWMENU XDESTROYMENU XCONTEXTMENU
//   Items by ID    XINSERTMENUITEM_ID XDELETEMENUITEM XMENUSETTYPE XMENUGETTYPE XMENUSETBMP_ID
//                  XMENUSETCHAR XMENUGETCHAR XMENUSETLOG XMENUGETLOG
//   Items by path  XINSERTMENUITEM_POS XDELETEMENUITEM_POS XMENUSETTYPE_POS XMENUGETTYPE_POS
//                  XMENUSETBMP_POS XMENUSETCHAR_POS XMENUGETCHAR_POS XMENUSETLOG_POS
//                  XMENUGETLOG_POS
//   Internal       PXFINDMIBYID PXMENUHANDLEBYPOS
//
// A path (XMENUPATH, ZEBMenucore.h) holds up to six positions counted from 1: one in the menu,
// then one in each pop-up below; -1 marks an unused element, -10000 as the last element appends.
// The identifier forms find the item's path and run the path forms; a non-positive identifier
// -k names top-level item k. A change to a top-level item redraws the bar of the window the
// menu is attached to.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "ZEBMenucore.h"
#include "ZEBWND.h"

constexpr int XMENU_POPUP = 1; // XCREATEMENU flag: a pop-up menu rather than a bar

// Property codes of the text and logical item routines.
constexpr int XP_CAPTION = -2, XP_ENABLED = -3, XP_VALUE = -5;

// An item to insert. The text is blank-padded; trailing blanks are not part of it.
struct XMENUITEM {
    int iType = 0;  // MFT_ bits: 0 text, MFT_BITMAP, MFT_SEPARATOR, ...
    int iState = 0; // MFS_ bits
    int iID = 0;
    std::string sText = std::string(64, ' ');
};

XMENU XCREATEMENU(int iFlags);
XMENU XLOADMENU(int ID, std::optional<HINSTANCE> hInstance = std::nullopt);
XMENU XGETWINDOWMENU(const XWND& xWnd);
BOOL XSETWINDOWMENU(const XWND& xWnd, XMENU& xMenu);
BOOL XDESTROYMENU(XMENU& xMenu);
// x, y in screen pixels. With the default TPM_RETURNCMD: the chosen identifier, 0 if dismissed.
int XCONTEXTMENU(const XMENU& xMenu, const XWND& xWnd, int x, int y,
                 std::optional<int> iFlags = std::nullopt);

bool XINSERTMENUITEM_ID(const XMENU& xMenu, const XMENUITEM& xItem, int ID);
bool XINSERTMENUITEM_POS(const XMENU& xMenu, const XMENUITEM& xItem, const XMENUPATH& iPos);
bool XDELETEMENUITEM(const XMENU& xMenu, int ID);
bool XDELETEMENUITEM_POS(const XMENU& xMenu, const XMENUPATH& iPos);
// iReserved: absent or -1; anything else refuses.
bool XMENUSETTYPE(const XMENU& xMenu, int ID, int iType,
                  std::optional<int> iReserved = std::nullopt);
bool XMENUSETTYPE_POS(const XMENU& xMenu, const XMENUPATH& iPos, int iType,
                      std::optional<int> iReserved = std::nullopt);
bool XMENUGETTYPE(const XMENU& xMenu, int ID, int& iType);
bool XMENUGETTYPE_POS(const XMENU& xMenu, const XMENUPATH& iPos, int& iType,
                      std::optional<int> iReserved = std::nullopt);
bool XMENUSETBMP_ID(const XMENU& xMenu, int ID, std::optional<HBITMAP> hBmpUnchecked = std::nullopt,
                    std::optional<HBITMAP> hBmpChecked = std::nullopt);
bool XMENUSETBMP_POS(const XMENU& xMenu, const XMENUPATH& iPos,
                     std::optional<HBITMAP> hBmpUnchecked = std::nullopt,
                     std::optional<HBITMAP> hBmpChecked = std::nullopt);
// Text routines know only XP_CAPTION. The text read is blank-padded to sText's length.
bool XMENUSETCHAR(const XMENU& xMenu, int ID, std::string_view sText,
                  std::optional<int> iProperty = std::nullopt);
bool XMENUSETCHAR_POS(const XMENU& xMenu, const XMENUPATH& iPos, std::string_view sText,
                      std::optional<int> iProperty = std::nullopt);
bool XMENUGETCHAR(const XMENU& xMenu, int ID, std::string& sText,
                  std::optional<int> iProperty = std::nullopt);
bool XMENUGETCHAR_POS(const XMENU& xMenu, const XMENUPATH& iPos, std::string& sText,
                      std::optional<int> iProperty = std::nullopt);
// Logical routines: XP_VALUE (checked, the default) or XP_ENABLED.
bool XMENUSETLOG(const XMENU& xMenu, int ID, bool bValue,
                 std::optional<int> iProperty = std::nullopt);
bool XMENUSETLOG_POS(const XMENU& xMenu, const XMENUPATH& iPos, bool bValue,
                     std::optional<int> iProperty = std::nullopt);
bool XMENUGETLOG(const XMENU& xMenu, int ID, bool& bValue,
                 std::optional<int> iProperty = std::nullopt);
bool XMENUGETLOG_POS(const XMENU& xMenu, const XMENUPATH& iPos, bool& bValue,
                     std::optional<int> iProperty = std::nullopt);

// Fills iPath (resized to six elements) from element iLevel down with the path of item ID.
void PXFINDMIBYID(const XMENU& xMenu, int ID, XMENUPATH& iPath, int iLevel);
// Walks iPath from hMenu; hMenu becomes the menu holding the item, the result its position.
int PXMENUHANDLEBYPOS(HMENU& hMenu, const XMENUPATH& iPath);
