// Menus on the real API: objects, and every item routine by identifier and by position path,
// each checked by reading the menu back. Bar redraws are seen as the frame changes that
// DrawMenuBar makes (WM_WINDOWPOSCHANGING with SWP_FRAMECHANGED).
#include <gtest/gtest.h>

#include "ZEBMenu.h"
#include "ZEBStrings.h"

#include <string>

#include "zebtest.h"

namespace {

int nRedraws = 0;
LRESULT pxonposchanging(XWND&, int&, int&, int&, int&, UINT& iFlags) {
    if (iFlags & SWP_FRAMECHANGED) ++nRedraws;
    return XFALSE;
}

std::string PXTEXT(HMENU h, int iPos0) {
    char buf[128] = {};
    GetMenuStringA(h, static_cast<UINT>(iPos0), buf, sizeof buf, MF_BYPOSITION);
    return buf;
}

XMENUITEM pxitem(int iID, const char* sText, int iType = 0, int iState = 0) {
    XMENUITEM x;
    x.iID = iID;
    x.iType = iType;
    x.iState = iState;
    x.sText = XFIXED(sText, 64);
    return x;
}

class Menu : public ::testing::Test {
  protected:
    void SetUp() override {
        const XWND none;
        ASSERT_TRUE(XCREATEWINDOW(xWnd, none, WS_OVERLAPPEDWINDOW, "menu test"));
        XSETHANDLER<WM_WINDOWPOSCHANGING>(xWnd, pxonposchanging);
        xMenu = XLOADMENU(101);
        ASSERT_NE(xMenu.hMenu, nullptr);
        ASSERT_TRUE(XSETWINDOWMENU(xWnd, xMenu));
        bar = xMenu.hMenu;
        file = GetSubMenu(bar, 0);
        edit = GetSubMenu(bar, 1);
        more = GetSubMenu(edit, 1);
        deeper = GetSubMenu(more, 1);
        ASSERT_NE(deeper, nullptr);
        nRedraws = 0;
    }
    void TearDown() override {
        if (IsWindow(xWnd.hWnd)) XDESTROYWINDOW(xWnd); // destroys the attached menu too
        XTEST_PUMP();
    }
    XWND xWnd;
    XMENU xMenu;
    HMENU bar{}, file{}, edit{}, more{}, deeper{};
};

TEST_F(Menu, ObjectsAreCreatedLoadedAttachedReadAndDestroyed) {
    EXPECT_EQ(xMenu.hOwner, xWnd.hWnd);
    EXPECT_EQ(GetMenu(xWnd.hWnd), xMenu.hMenu);
    XMENU read = XGETWINDOWMENU(xWnd);
    EXPECT_EQ(read.hMenu, xMenu.hMenu);
    EXPECT_EQ(read.hOwner, xWnd.hWnd);

    XMENU loaded = XLOADMENU(101, GetModuleHandleA(nullptr));
    EXPECT_NE(loaded.hMenu, nullptr);
    EXPECT_EQ(loaded.hOwner, nullptr);
    EXPECT_EQ(GetMenuItemCount(loaded.hMenu), 3);
    EXPECT_EQ(XLOADMENU(999).hMenu, nullptr);

    XMENU bare = XCREATEMENU(0), popup = XCREATEMENU(XMENU_POPUP);
    EXPECT_TRUE(IsMenu(bare.hMenu));
    EXPECT_TRUE(IsMenu(popup.hMenu));
    EXPECT_EQ(GetMenuItemCount(popup.hMenu), 0);
    const HMENU old = bare.hMenu;
    EXPECT_TRUE(XDESTROYMENU(bare));
    EXPECT_EQ(bare.hMenu, nullptr);
    EXPECT_FALSE(IsMenu(old));
    XDESTROYMENU(popup);
    XDESTROYMENU(loaded);

    // A window without a menu.
    XWND plain;
    const XWND none;
    ASSERT_TRUE(XCREATEWINDOW(plain, none, WS_POPUP));
    read = XGETWINDOWMENU(plain);
    EXPECT_EQ(read.hMenu, nullptr);
    EXPECT_EQ(read.hOwner, nullptr);
    XDESTROYWINDOW(plain);
}

TEST_F(Menu, TextsReadAndWrittenByIdentifierAndPath) {
    std::string s(64, ' ');
    ASSERT_TRUE(XMENUGETCHAR(xMenu, 2202, s));
    EXPECT_EQ(s, XFIXED("Item 2202", 64));
    ASSERT_TRUE(XMENUGETCHAR(xMenu, -3, s)); // top-level position 3
    EXPECT_EQ(XTRIM(s), "&Help");
    ASSERT_TRUE(XMENUGETCHAR_POS(xMenu, {2, 2, 2, 1}, s, XP_CAPTION));
    EXPECT_EQ(XTRIM(s), "Item 2201");
    std::string shortText(4, ' '); // the declared length bounds the text read
    ASSERT_TRUE(XMENUGETCHAR(xMenu, 1001, shortText));
    EXPECT_EQ(shortText, "&Ope");

    ASSERT_TRUE(XMENUSETCHAR(xMenu, 2201, "Renamed       "));
    EXPECT_EQ(PXTEXT(deeper, 0), "Renamed");
    ASSERT_TRUE(XMENUSETCHAR_POS(xMenu, {1, 4}, XFIXED("&Quit", 64)));
    EXPECT_EQ(PXTEXT(file, 3), "&Quit");
    EXPECT_EQ(GetMenuItemID(file, 3), 1003u);

    // Unknown items, positions and property codes change nothing.
    s = XFIXED("unchanged", 64);
    EXPECT_FALSE(XMENUGETCHAR(xMenu, 9999, s));
    EXPECT_FALSE(XMENUGETCHAR(xMenu, 1001, s, XP_VALUE));
    EXPECT_FALSE(XMENUGETCHAR_POS(xMenu, {1, 9}, s));
    EXPECT_EQ(XTRIM(s), "unchanged");
    EXPECT_FALSE(XMENUSETCHAR(xMenu, 9999, "x"));
    EXPECT_FALSE(XMENUSETCHAR(xMenu, 1001, "x", XP_ENABLED));
    EXPECT_FALSE(XMENUSETCHAR_POS(xMenu, {-1, 1}, "x"));
    EXPECT_EQ(PXTEXT(file, 0), "&Open");
}

TEST_F(Menu, CheckAndGreyStates) {
    bool b = false;
    ASSERT_TRUE(XMENUGETLOG(xMenu, 1002, b));
    EXPECT_TRUE(b);
    ASSERT_TRUE(XMENUGETLOG(xMenu, 1001, b, XP_VALUE));
    EXPECT_FALSE(b);
    ASSERT_TRUE(XMENUGETLOG(xMenu, 2001, b, XP_ENABLED));
    EXPECT_FALSE(b);
    ASSERT_TRUE(XMENUGETLOG(xMenu, 2002, b, XP_ENABLED));
    EXPECT_TRUE(b);

    ASSERT_TRUE(XMENUSETLOG(xMenu, 1001, true));
    EXPECT_TRUE(GetMenuState(file, 0, MF_BYPOSITION) & MF_CHECKED);
    ASSERT_TRUE(XMENUSETLOG(xMenu, 1002, false, XP_VALUE));
    EXPECT_FALSE(GetMenuState(file, 1, MF_BYPOSITION) & MF_CHECKED);
    ASSERT_TRUE(XMENUSETLOG(xMenu, 2002, false, XP_ENABLED));
    EXPECT_TRUE(GetMenuState(edit, 2, MF_BYPOSITION) & MF_GRAYED);
    ASSERT_TRUE(XMENUSETLOG_POS(xMenu, {2, 1}, true, XP_ENABLED));
    EXPECT_FALSE(GetMenuState(edit, 0, MF_BYPOSITION) & MF_GRAYED);
    ASSERT_TRUE(XMENUGETLOG_POS(xMenu, {2, 3}, b, XP_ENABLED));
    EXPECT_FALSE(b);
    ASSERT_TRUE(XMENUSETLOG_POS(xMenu, {2, 2, 2, 2}, true));
    EXPECT_TRUE(GetMenuState(deeper, 1, MF_BYPOSITION) & MF_CHECKED);

    EXPECT_FALSE(XMENUSETLOG(xMenu, 1001, true, XP_CAPTION));
    EXPECT_FALSE(XMENUGETLOG(xMenu, 1001, b, XP_CAPTION));
    EXPECT_FALSE(XMENUSETLOG(xMenu, 9999, true));
    EXPECT_FALSE(XMENUSETLOG_POS(xMenu, {1, 5}, true));
    EXPECT_FALSE(XMENUGETLOG_POS(xMenu, {4}, b));

    // Greying a top-level item redraws the bar; a change further down does not.
    EXPECT_EQ(nRedraws, 0);
    ASSERT_TRUE(XMENUSETLOG(xMenu, 3001, false, XP_ENABLED));
    EXPECT_TRUE(GetMenuState(bar, 2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(nRedraws, 1);
}

TEST_F(Menu, TypesAndCheckMarkBitmaps) {
    int t = -1;
    ASSERT_TRUE(XMENUGETTYPE_POS(xMenu, {1, 3}, t));
    EXPECT_TRUE(t & MFT_SEPARATOR);
    ASSERT_TRUE(XMENUGETTYPE(xMenu, 1001, t));
    EXPECT_EQ(t, MFT_STRING);

    // Setting a type keeps the item's text.
    ASSERT_TRUE(XMENUSETTYPE(xMenu, 1001, MFT_RADIOCHECK));
    ASSERT_TRUE(XMENUGETTYPE(xMenu, 1001, t));
    EXPECT_EQ(t, MFT_RADIOCHECK);
    EXPECT_EQ(PXTEXT(file, 0), "&Open");
    ASSERT_TRUE(XMENUSETTYPE_POS(xMenu, {2, 2, 1}, MFT_RIGHTJUSTIFY, -1));
    ASSERT_TRUE(XMENUGETTYPE_POS(xMenu, {2, 2, 1}, t, -1));
    EXPECT_EQ(t, MFT_RIGHTJUSTIFY);

    EXPECT_FALSE(XMENUSETTYPE(xMenu, 1002, MFT_RADIOCHECK, 0)); // reserved must be -1
    EXPECT_FALSE(XMENUGETTYPE_POS(xMenu, {1, 2}, t, 5));
    EXPECT_FALSE(XMENUSETTYPE(xMenu, 9999, MFT_RADIOCHECK));
    EXPECT_FALSE(XMENUGETTYPE_POS(xMenu, {}, t));
    ASSERT_TRUE(XMENUGETTYPE(xMenu, 1002, t));
    EXPECT_EQ(t, MFT_STRING);

    const HBITMAP on = CreateBitmap(8, 8, 1, 1, nullptr), off = CreateBitmap(8, 8, 1, 1, nullptr);
    ASSERT_TRUE(XMENUSETBMP_ID(xMenu, 2101, off, on));
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_CHECKMARKS;
    ASSERT_TRUE(GetMenuItemInfoA(more, 0, TRUE, &mii));
    EXPECT_EQ(mii.hbmpChecked, on);
    EXPECT_EQ(mii.hbmpUnchecked, off);
    ASSERT_TRUE(XMENUSETBMP_POS(xMenu, {2, 2, 1}));
    ASSERT_TRUE(GetMenuItemInfoA(more, 0, TRUE, &mii));
    EXPECT_EQ(mii.hbmpChecked, nullptr);
    EXPECT_EQ(mii.hbmpUnchecked, nullptr);
    EXPECT_FALSE(XMENUSETBMP_ID(xMenu, 9999, off, on));
    EXPECT_FALSE(XMENUSETBMP_POS(xMenu, {-1}, off, on));
    DeleteObject(on);
    DeleteObject(off);
}

TEST_F(Menu, LongTextsAreKeptWholeAndOwnerDrawnItemsKeepTheirData) {
    const std::string longText(100, 'w');
    ASSERT_TRUE(XMENUSETCHAR_POS(xMenu, {1, 1}, longText + "   "));
    EXPECT_EQ(PXTEXT(file, 0), longText);
    ASSERT_TRUE(XMENUSETTYPE(xMenu, 1001, MFT_RADIOCHECK));
    EXPECT_EQ(PXTEXT(file, 0), longText);
    // Turned into a pop-up on the way of an insertion: the same whole text.
    ASSERT_TRUE(XMENUSETCHAR(xMenu, -3, longText));
    ASSERT_TRUE(XINSERTMENUITEM_POS(xMenu, pxitem(3101, "&Contents"), {3, 1}));
    ASSERT_NE(GetSubMenu(bar, 2), nullptr);
    EXPECT_EQ(PXTEXT(bar, 2), longText);
    // Only an inserted item's description is bounded.
    XMENUITEM x = pxitem(3102, "");
    x.sText = longText;
    ASSERT_TRUE(XINSERTMENUITEM_POS(xMenu, x, {3, 1}));
    EXPECT_EQ(PXTEXT(GetSubMenu(bar, 2), 0), longText.substr(0, 64));

    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_DATA;
    mii.dwItemData = 0x5A5A;
    ASSERT_TRUE(SetMenuItemInfoA(file, 1, TRUE, &mii));
    ASSERT_TRUE(XMENUSETTYPE_POS(xMenu, {1, 2}, MFT_OWNERDRAW));
    mii.dwItemData = 0;
    ASSERT_TRUE(GetMenuItemInfoA(file, 1, TRUE, &mii));
    EXPECT_EQ(mii.dwItemData, ULONG_PTR{0x5A5A});
    int t = 0;
    ASSERT_TRUE(XMENUGETTYPE_POS(xMenu, {1, 2}, t));
    EXPECT_TRUE(t & MFT_OWNERDRAW);
}

TEST_F(Menu, InsertingByPath) {
    // Below a plain command on the bar: it becomes a pop-up with the same text.
    ASSERT_TRUE(XINSERTMENUITEM_POS(xMenu, pxitem(3101, "&Contents"), {3, 1}));
    const HMENU help = GetSubMenu(bar, 2);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(PXTEXT(bar, 2), "&Help");
    EXPECT_EQ(GetMenuItemCount(help), 1);
    EXPECT_EQ(GetMenuItemID(help, 0), 3101u);
    EXPECT_EQ(PXTEXT(help, 0), "&Contents");
    EXPECT_EQ(nRedraws, 0);

    // Appended to the bar, which is redrawn.
    ASSERT_TRUE(XINSERTMENUITEM_POS(xMenu, pxitem(5001, "&Window"), {XMP_APPEND}));
    EXPECT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(PXTEXT(bar, 3), "&Window");
    EXPECT_EQ(nRedraws, 1);

    // Before an item of a submenu, past the end, and after the last item of a deep one.
    ASSERT_TRUE(XINSERTMENUITEM_POS(xMenu, pxitem(1004, "&New", 0, MFS_CHECKED), {1, 1}));
    EXPECT_EQ(GetMenuItemID(file, 0), 1004u);
    EXPECT_TRUE(GetMenuState(file, 0, MF_BYPOSITION) & MF_CHECKED);
    ASSERT_TRUE(XINSERTMENUITEM_POS(xMenu, pxitem(1005, "Last"), {1, 50}));
    EXPECT_EQ(GetMenuItemID(file, GetMenuItemCount(file) - 1), 1005u);
    ASSERT_TRUE(XINSERTMENUITEM_POS(xMenu, pxitem(2203, "Item 2203"), {2, 2, 2, XMP_APPEND}));
    EXPECT_EQ(GetMenuItemCount(deeper), 3);
    EXPECT_EQ(GetMenuItemID(deeper, 2), 2203u);
    ASSERT_TRUE(XINSERTMENUITEM_POS(xMenu, pxitem(0, "", MFT_SEPARATOR), {2, 2}));
    EXPECT_EQ(GetMenuState(edit, 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(nRedraws, 1);

    // Paths that name no place.
    const int n = GetMenuItemCount(bar);
    EXPECT_FALSE(XINSERTMENUITEM_POS(xMenu, pxitem(1, "x"), {}));
    EXPECT_FALSE(XINSERTMENUITEM_POS(xMenu, pxitem(1, "x"), {-1}));
    EXPECT_FALSE(XINSERTMENUITEM_POS(xMenu, pxitem(1, "x"), {9, 1})); // no item 9 to lead down
    EXPECT_EQ(GetMenuItemCount(bar), n);
}

TEST_F(Menu, InsertingByIdentifierGoesBeforeTheItemFound) {
    ASSERT_TRUE(XINSERTMENUITEM_ID(xMenu, pxitem(2150, "Before 2201"), 2201));
    EXPECT_EQ(GetMenuItemCount(deeper), 3);
    EXPECT_EQ(GetMenuItemID(deeper, 0), 2150u);
    EXPECT_EQ(PXTEXT(deeper, 0), "Before 2201");
    EXPECT_EQ(nRedraws, 0);

    ASSERT_TRUE(XINSERTMENUITEM_ID(xMenu, pxitem(6001, "&View"), -2)); // before top-level 2
    EXPECT_EQ(PXTEXT(bar, 1), "&View");
    EXPECT_EQ(PXTEXT(bar, 2), "&Edit");
    EXPECT_EQ(nRedraws, 1);

    EXPECT_FALSE(XINSERTMENUITEM_ID(xMenu, pxitem(1, "x"), 9999));
    EXPECT_FALSE(XINSERTMENUITEM_ID(xMenu, pxitem(1, "x"), -9));
    EXPECT_FALSE(XINSERTMENUITEM_ID(xMenu, pxitem(1, "x"), 0));
    EXPECT_EQ(GetMenuItemCount(bar), 4);
}

TEST_F(Menu, Deleting) {
    // Deep in a submenu of a submenu: gone, and the bar is not redrawn.
    ASSERT_TRUE(XDELETEMENUITEM(xMenu, 2202));
    EXPECT_EQ(GetMenuItemCount(deeper), 1);
    EXPECT_EQ(GetMenuItemID(deeper, 0), 2201u);
    EXPECT_EQ(nRedraws, 0);
    EXPECT_FALSE(XDELETEMENUITEM(xMenu, 2202));

    ASSERT_TRUE(XDELETEMENUITEM_POS(xMenu, {1, 3})); // the separator
    EXPECT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 2), 1003u);

    EXPECT_FALSE(XDELETEMENUITEM_POS(xMenu, {1, 4})); // beyond the last item
    EXPECT_FALSE(XDELETEMENUITEM_POS(xMenu, {4}));
    EXPECT_FALSE(XDELETEMENUITEM_POS(xMenu, {-1, 1}));
    EXPECT_FALSE(XDELETEMENUITEM_POS(xMenu, {}));
    EXPECT_FALSE(XDELETEMENUITEM_POS(xMenu, {XMP_APPEND}));
    EXPECT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemCount(bar), 3);

    // A top-level pop-up goes with its submenu, and the bar is redrawn.
    ASSERT_TRUE(XDELETEMENUITEM(xMenu, -2));
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_FALSE(IsMenu(edit));
    EXPECT_EQ(nRedraws, 1);
    ASSERT_TRUE(XDELETEMENUITEM(xMenu, 3001));
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(nRedraws, 2);
}

TEST_F(Menu, ItemRoutinesOnAMenuWithoutWindowDoNotRedraw) {
    XMENU loose = XLOADMENU(101);
    ASSERT_TRUE(XDELETEMENUITEM(loose, 3001));
    ASSERT_TRUE(XINSERTMENUITEM_POS(loose, pxitem(7, "Seven"), {XMP_APPEND}));
    EXPECT_EQ(GetMenuItemCount(loose.hMenu), 3);
    EXPECT_EQ(nRedraws, 0);
    XDESTROYMENU(loose);
    XMENU none;
    bool b;
    EXPECT_FALSE(XINSERTMENUITEM_POS(none, pxitem(7, "Seven"), {1}));
    EXPECT_FALSE(XMENUGETLOG(none, 1001, b));
}

// The context menu's own loop takes these keys from the queue.
void pxpostkeys(HWND hWnd, std::initializer_list<WPARAM> keys) {
    for (WPARAM k : keys) {
        PostMessageA(hWnd, WM_KEYDOWN, k, 1);
        PostMessageA(hWnd, WM_KEYUP, k, 0xC0000001);
    }
}

TEST_F(Menu, ContextMenuReturnsTheChosenCommand) {
    XMENU ctx = XLOADMENU(102);
    XMENU popup{GetSubMenu(ctx.hMenu, 0), nullptr};
    ShowWindow(xWnd.hWnd, SW_SHOW);
    SetForegroundWindow(xWnd.hWnd);
    pxpostkeys(xWnd.hWnd, {VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(XCONTEXTMENU(popup, xWnd, 50, 50), 4002);
    pxpostkeys(xWnd.hWnd, {VK_ESCAPE});
    EXPECT_EQ(XCONTEXTMENU(popup, xWnd, 50, 50), 0);
    XDESTROYMENU(ctx);
}

} // namespace
