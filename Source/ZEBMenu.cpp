// ZEBMenu: menu objects and their items.
#include "ZEBMenu.h"

#include <algorithm>

#include "ZEBStrings.h"

namespace {

constexpr int XMENUTEXTMAX = 64;

HMENU PXH(void* p) {
    return static_cast<HMENU>(p);
}

// The whole text of an item by position.
std::string PXMENUSTRING(HMENU hMenu, UINT iPos0) {
    const int n = GetMenuStringA(hMenu, iPos0, nullptr, 0, MF_BYPOSITION);
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
    const int got =
        GetMenuStringA(hMenu, iPos0, &text[0], static_cast<int>(text.size()), MF_BYPOSITION);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

// The system's menus as a tree for the path arithmetic.
class PXSYSMENUS : public XMENUTREE {
  public:
    int count(void* hMenu) override { return hMenu ? GetMenuItemCount(PXH(hMenu)) : 0; }
    unsigned id(void* hMenu, int iPos) override { return GetMenuItemID(PXH(hMenu), iPos); }
    void* sub(void* hMenu, int iPos) override { return GetSubMenu(PXH(hMenu), iPos); }
    void* makepopup(void* hMenu, int iPos) override {
        HMENU hPopup = CreatePopupMenu();
        if (!hPopup) return nullptr;
        const std::string text = PXMENUSTRING(PXH(hMenu), static_cast<UINT>(iPos));
        if (!ModifyMenuA(PXH(hMenu), static_cast<UINT>(iPos), MF_BYPOSITION | MF_POPUP,
                         reinterpret_cast<UINT_PTR>(hPopup), text.c_str())) {
            DestroyMenu(hPopup); // not attached anywhere: nobody else would
            return nullptr;
        }
        return hPopup;
    }
};

void PXREDRAW(const XMENU& xMenu, const XMENUPATH& iPos) {
    if (xMenu.hOwner && FXMENUTOPLEVEL(iPos)) DrawMenuBar(xMenu.hOwner);
}

// The menu and system position (from 0) of the item a path addresses; false if none.
bool PXREACH(const XMENU& xMenu, const XMENUPATH& iPos, HMENU& hMenu, UINT& iPos0) {
    if (iPos.empty() || iPos[0] == XMP_UNUSED || !xMenu.hMenu) return false;
    hMenu = xMenu.hMenu;
    const int p = PXMENUHANDLEBYPOS(hMenu, iPos);
    if (!FXMENUHASITEM(p, GetMenuItemCount(hMenu))) return false;
    iPos0 = static_cast<UINT>(p - 1);
    return true;
}

// The identifier form: the item's path, or false when the identifier is not in the tree.
bool PXPATHOF(const XMENU& xMenu, int ID, XMENUPATH& iPath) {
    PXFINDMIBYID(xMenu, ID, iPath, 1);
    return iPath[0] != XMP_UNUSED;
}

// The type routines take a reserved argument that must be absent or -1.
bool PXREACHTYPE(const XMENU& xMenu, const XMENUPATH& iPos, std::optional<int> iReserved,
                 HMENU& hMenu, UINT& iPos0) {
    return !(iReserved && *iReserved != -1) && PXREACH(xMenu, iPos, hMenu, iPos0);
}

// The logical routines know two properties: the check mark and the enabled state.
bool PXREACHLOG(const XMENU& xMenu, const XMENUPATH& iPos, int iProp, HMENU& hMenu, UINT& iPos0) {
    return (iProp == XP_VALUE || iProp == XP_ENABLED) && PXREACH(xMenu, iPos, hMenu, iPos0);
}

MENUITEMINFOA PXINFO(UINT fMask) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = fMask;
    return mii;
}

// The insert routine's item description holds at most 64 characters.
std::string PXITEMTEXT(std::string_view sText) {
    return std::string(XTRIM(sText).substr(0, XMENUTEXTMAX));
}

} // namespace

// Menu objects.

XMENU XCREATEMENU(int iFlags) {
    return XMENU{(iFlags & XMENU_POPUP) ? CreatePopupMenu() : CreateMenu(), nullptr};
}

XMENU XLOADMENU(int ID, std::optional<HINSTANCE> hInstance) {
    const HINSTANCE hMod = hInstance.value_or(GetModuleHandleA(nullptr));
    return XMENU{LoadMenuA(hMod, MAKEINTRESOURCEA(ID)), nullptr};
}

XMENU XGETWINDOWMENU(const XWND& xWnd) {
    const HMENU h = GetMenu(xWnd.hWnd);
    return XMENU{h, h ? xWnd.hWnd : nullptr};
}

BOOL XSETWINDOWMENU(const XWND& xWnd, XMENU& xMenu) {
    const BOOL r = SetMenu(xWnd.hWnd, xMenu.hMenu);
    xMenu.hOwner = xWnd.hWnd;
    DrawMenuBar(xWnd.hWnd);
    return r;
}

BOOL XDESTROYMENU(XMENU& xMenu) {
    const BOOL r = DestroyMenu(xMenu.hMenu);
    xMenu.hMenu = nullptr;
    return r;
}

int XCONTEXTMENU(const XMENU& xMenu, const XWND& xWnd, int x, int y, std::optional<int> iFlags) {
    return TrackPopupMenu(xMenu.hMenu, static_cast<UINT>(iFlags.value_or(TPM_RETURNCMD)), x, y, 0,
                          xWnd.hWnd, nullptr);
}

// Internal routines.

void PXFINDMIBYID(const XMENU& xMenu, int ID, XMENUPATH& iPath, int iLevel) {
    if (static_cast<int>(iPath.size()) < XMP_LEVELS) iPath.resize(XMP_LEVELS, XMP_UNUSED);
    PXSYSMENUS t;
    FXMENUFINDID(t, xMenu.hMenu, ID, iPath, iLevel);
}

int PXMENUHANDLEBYPOS(HMENU& hMenu, const XMENUPATH& iPath) {
    PXSYSMENUS t;
    void* h = hMenu;
    const int p = FXMENUWALK(t, h, iPath);
    hMenu = PXH(h);
    return p;
}

// Items by path.

bool XINSERTMENUITEM_POS(const XMENU& xMenu, const XMENUITEM& xItem, const XMENUPATH& iPos) {
    if (!xMenu.hMenu) return false;
    PXSYSMENUS t;
    void* h = xMenu.hMenu;
    int at = 0;
    if (!FXMENUINSERTWALK(t, h, iPos, at)) return false;
    MENUITEMINFOA mii = PXINFO(MIIM_STATE | MIIM_ID | MIIM_TYPE);
    mii.fType = static_cast<UINT>(xItem.iType);
    mii.fState = static_cast<UINT>(xItem.iState);
    mii.wID = static_cast<UINT>(xItem.iID);
    std::string text;
    // An owner-drawn item's "text" is its data value: none here, never a local address.
    if (!(xItem.iType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW))) {
        text = PXITEMTEXT(xItem.sText);
        mii.dwTypeData = &text[0];
        mii.cch = static_cast<UINT>(text.size());
    }
    const BOOL r = InsertMenuItemA(PXH(h), static_cast<UINT>(at), TRUE, &mii);
    PXREDRAW(xMenu, iPos);
    return r != 0;
}

bool XDELETEMENUITEM_POS(const XMENU& xMenu, const XMENUPATH& iPos) {
    HMENU h;
    UINT p;
    if (!PXREACH(xMenu, iPos, h, p)) return false;
    const BOOL r = DeleteMenu(h, p, MF_BYPOSITION);
    PXREDRAW(xMenu, iPos);
    return r != 0;
}

bool XMENUSETTYPE_POS(const XMENU& xMenu, const XMENUPATH& iPos, int iType,
                      std::optional<int> iReserved) {
    HMENU h;
    UINT p;
    if (!PXREACHTYPE(xMenu, iPos, iReserved, h, p)) return false;
    MENUITEMINFOA mii = PXINFO(MIIM_TYPE);
    mii.fType = static_cast<UINT>(iType);
    // MIIM_TYPE sets type and data together: a text item keeps its whole text, an owner-drawn
    // one the value it carries (which the system keeps beyond this call).
    std::string text;
    if (iType & MFT_OWNERDRAW) {
        MENUITEMINFOA data = PXINFO(MIIM_DATA);
        if (!GetMenuItemInfoA(h, p, TRUE, &data)) return false;
        mii.dwTypeData = reinterpret_cast<LPSTR>(data.dwItemData);
    } else if (!(iType & (MFT_BITMAP | MFT_SEPARATOR))) {
        text = PXMENUSTRING(h, p);
        mii.dwTypeData = &text[0];
    }
    const BOOL r = SetMenuItemInfoA(h, p, TRUE, &mii);
    PXREDRAW(xMenu, iPos);
    return r != 0;
}

bool XMENUGETTYPE_POS(const XMENU& xMenu, const XMENUPATH& iPos, int& iType,
                      std::optional<int> iReserved) {
    HMENU h;
    UINT p;
    if (!PXREACHTYPE(xMenu, iPos, iReserved, h, p)) return false;
    MENUITEMINFOA mii = PXINFO(MIIM_TYPE);
    if (!GetMenuItemInfoA(h, p, TRUE, &mii)) return false;
    iType = static_cast<int>(mii.fType);
    return true;
}

bool XMENUSETBMP_POS(const XMENU& xMenu, const XMENUPATH& iPos,
                     std::optional<HBITMAP> hBmpUnchecked, std::optional<HBITMAP> hBmpChecked) {
    HMENU h;
    UINT p;
    if (!PXREACH(xMenu, iPos, h, p)) return false;
    return SetMenuItemBitmaps(h, p, MF_BYPOSITION, hBmpUnchecked.value_or(nullptr),
                              hBmpChecked.value_or(nullptr)) != 0;
}

bool XMENUSETCHAR_POS(const XMENU& xMenu, const XMENUPATH& iPos, std::string_view sText,
                      std::optional<int> iProperty) {
    if (iProperty.value_or(XP_CAPTION) != XP_CAPTION) return false;
    HMENU h;
    UINT p;
    if (!PXREACH(xMenu, iPos, h, p)) return false;
    std::string text(XTRIM(sText));
    MENUITEMINFOA mii = PXINFO(MIIM_TYPE);
    mii.fType = MFT_STRING;
    mii.dwTypeData = &text[0];
    mii.cch = static_cast<UINT>(text.size());
    const BOOL r = SetMenuItemInfoA(h, p, TRUE, &mii);
    PXREDRAW(xMenu, iPos);
    return r != 0;
}

bool XMENUGETCHAR_POS(const XMENU& xMenu, const XMENUPATH& iPos, std::string& sText,
                      std::optional<int> iProperty) {
    if (iProperty.value_or(XP_CAPTION) != XP_CAPTION) return false;
    HMENU h;
    UINT p;
    if (!PXREACH(xMenu, iPos, h, p)) return false;
    // The whole text first, then cut to the declared length: not every system copies a
    // truncated text into a buffer that is too small.
    MENUITEMINFOA mii = PXINFO(MIIM_TYPE);
    if (!GetMenuItemInfoA(h, p, TRUE, &mii)) return false;
    std::string buf(std::max<size_t>(mii.cch, sText.size()) + 1, '\0');
    mii = PXINFO(MIIM_TYPE);
    mii.dwTypeData = &buf[0];
    mii.cch = static_cast<UINT>(buf.size());
    const BOOL r = GetMenuItemInfoA(h, p, TRUE, &mii);
    if (r) {
        buf.back() = '\0';
        sText = XFIXED(XC2F(buf), static_cast<int>(sText.size()));
    }
    return r != 0;
}

bool XMENUSETLOG_POS(const XMENU& xMenu, const XMENUPATH& iPos, bool bValue,
                     std::optional<int> iProperty) {
    const int prop = iProperty.value_or(XP_VALUE);
    HMENU h;
    UINT p;
    if (!PXREACHLOG(xMenu, iPos, prop, h, p)) return false;
    DWORD r;
    if (prop == XP_VALUE)
        r = CheckMenuItem(h, p, MF_BYPOSITION | (bValue ? MF_CHECKED : MF_UNCHECKED));
    else
        r = static_cast<DWORD>(
            EnableMenuItem(h, p, MF_BYPOSITION | (bValue ? MF_ENABLED : MF_GRAYED)));
    PXREDRAW(xMenu, iPos);
    return r != static_cast<DWORD>(-1);
}

bool XMENUGETLOG_POS(const XMENU& xMenu, const XMENUPATH& iPos, bool& bValue,
                     std::optional<int> iProperty) {
    const int prop = iProperty.value_or(XP_VALUE);
    HMENU h;
    UINT p;
    if (!PXREACHLOG(xMenu, iPos, prop, h, p)) return false;
    MENUITEMINFOA mii = PXINFO(MIIM_STATE);
    if (!GetMenuItemInfoA(h, p, TRUE, &mii)) return false;
    bValue = prop == XP_VALUE ? (mii.fState & MFS_CHECKED) != 0 : (mii.fState & MF_GRAYED) == 0;
    return true;
}

// Items by identifier.

bool XINSERTMENUITEM_ID(const XMENU& xMenu, const XMENUITEM& xItem, int ID) {
    XMENUPATH path;
    return PXPATHOF(xMenu, ID, path) && XINSERTMENUITEM_POS(xMenu, xItem, path);
}

bool XDELETEMENUITEM(const XMENU& xMenu, int ID) {
    XMENUPATH path;
    return PXPATHOF(xMenu, ID, path) && XDELETEMENUITEM_POS(xMenu, path);
}

bool XMENUSETTYPE(const XMENU& xMenu, int ID, int iType, std::optional<int> iReserved) {
    XMENUPATH path;
    return PXPATHOF(xMenu, ID, path) && XMENUSETTYPE_POS(xMenu, path, iType, iReserved);
}

bool XMENUGETTYPE(const XMENU& xMenu, int ID, int& iType) {
    XMENUPATH path;
    return PXPATHOF(xMenu, ID, path) && XMENUGETTYPE_POS(xMenu, path, iType);
}

bool XMENUSETBMP_ID(const XMENU& xMenu, int ID, std::optional<HBITMAP> hBmpUnchecked,
                    std::optional<HBITMAP> hBmpChecked) {
    XMENUPATH path;
    return PXPATHOF(xMenu, ID, path) && XMENUSETBMP_POS(xMenu, path, hBmpUnchecked, hBmpChecked);
}

bool XMENUSETCHAR(const XMENU& xMenu, int ID, std::string_view sText,
                  std::optional<int> iProperty) {
    XMENUPATH path;
    return PXPATHOF(xMenu, ID, path) && XMENUSETCHAR_POS(xMenu, path, sText, iProperty);
}

bool XMENUGETCHAR(const XMENU& xMenu, int ID, std::string& sText, std::optional<int> iProperty) {
    XMENUPATH path;
    return PXPATHOF(xMenu, ID, path) && XMENUGETCHAR_POS(xMenu, path, sText, iProperty);
}

bool XMENUSETLOG(const XMENU& xMenu, int ID, bool bValue, std::optional<int> iProperty) {
    XMENUPATH path;
    return PXPATHOF(xMenu, ID, path) && XMENUSETLOG_POS(xMenu, path, bValue, iProperty);
}

bool XMENUGETLOG(const XMENU& xMenu, int ID, bool& bValue, std::optional<int> iProperty) {
    XMENUPATH path;
    return PXPATHOF(xMenu, ID, path) && XMENUGETLOG_POS(xMenu, path, bValue, iProperty);
}
