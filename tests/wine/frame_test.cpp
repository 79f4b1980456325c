// Application frames on the real API: refused outside initialisation; SDI, MDI and dialog
// frames with menu, icon and title; module handles and accelerators.
#include <gtest/gtest.h>

#include "ZEBMenu.h"
#include "ZEBStrings.h"

#include <string>
#include <vector>

#include "zebtest.h"

namespace {

BOOL CALLBACK pxcount(HWND, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    return TRUE;
}
int pxthreadwindows() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), pxcount, reinterpret_cast<LPARAM>(&n));
    return n;
}

std::string pxclass(HWND h) {
    char buf[64] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

std::string PXTEXT(HMENU h, int iPos0) {
    char buf[128] = {};
    GetMenuStringA(h, static_cast<UINT>(iPos0), buf, sizeof buf, MF_BYPOSITION);
    return buf;
}

class Frame : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(xFrame.hWnd, nullptr);
        xMenu = XLOADMENU(101);
        ASSERT_NE(xMenu.hMenu, nullptr);
    }
    void TearDown() override {
        xApp.bInInit = false;
        if (IsWindow(xFrame.hWnd)) XDESTROYWINDOW(xFrame); // the frame's end posts a quit
        xFrame.hWnd = nullptr;
        if (IsMenu(xMenu.hMenu)) XDESTROYMENU(xMenu);
        XTEST_PUMP();
        XTEST_TAKEQUIT();
        xApp.pxMDI = nullptr;
        xApp.hAccel = nullptr;
    }
    XMENU xMenu;
};

TEST_F(Frame, CreatorsRefuseOutsideInitialisation) {
    ASSERT_FALSE(xApp.bInInit); // the cases run inside the main loop
    const int n = pxthreadwindows();
    EXPECT_FALSE(XCREATESDIAPP(xMenu, "Tapmon"));
    EXPECT_FALSE(XCREATEMDIAPP(xMenu, 2, "Tapmon"));
    EXPECT_FALSE(XCREATEDIALOGAPP(201, &xMenu));
    EXPECT_EQ(xFrame.hWnd, nullptr);
    EXPECT_EQ(xMenu.hOwner, nullptr);
    EXPECT_EQ(XGETMDI(), nullptr);
    EXPECT_EQ(pxthreadwindows(), n);
}

TEST_F(Frame, SingleDocumentFrame) {
    xApp.bInInit = true;
    ASSERT_TRUE(XCREATESDIAPP(xMenu, XFIXED("Tapmon", 40), 103));
    const HWND h = xFrame.hWnd;
    ASSERT_TRUE(IsWindow(h));
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN),
              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(GetMenu(h), xMenu.hMenu);
    EXPECT_EQ(xMenu.hOwner, h);
    EXPECT_NE(SendMessageA(h, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(h, WM_GETICON, ICON_SMALL, 0), 0);
    char title[64] = {};
    GetWindowTextA(h, title, sizeof title);
    EXPECT_STREQ(title, "Tapmon");
    EXPECT_EQ(GetParent(h), nullptr);
}

TEST_F(Frame, SingleDocumentFrameWithItsOwnStylesAndShowCode) {
    xApp.bInInit = true;
    ASSERT_TRUE(
        XCREATESDIAPP(xMenu, "plain", std::nullopt, SW_HIDE, WS_OVERLAPPED | WS_CAPTION, 0));
    const HWND h = xFrame.hWnd;
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_FALSE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(SendMessageA(h, WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(Frame, MultipleDocumentFrameListsItsChildrenInTheWindowMenu) {
    xApp.bInInit = true;
    const HMENU window = GetSubMenu(xMenu.hMenu, 1);
    const int before = GetMenuItemCount(window);
    ASSERT_TRUE(XCREATEMDIAPP(xMenu, 2, "MDI frame", 103));
    xApp.bInInit = false;
    XWND* client = XGETMDI();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(xApp.pxMDI, client);
    EXPECT_EQ(_stricmp(pxclass(client->hWnd).c_str(), "MDIClient"), 0);
    EXPECT_EQ(GetParent(client->hWnd), xFrame.hWnd);
    EXPECT_EQ(FXWNDBYHANDLE(client->hWnd), client); // subclassed by the framework
    EXPECT_EQ(GetWindowLongA(client->hWnd, GWL_STYLE) & 0x52000000, 0x52000000);
    EXPECT_TRUE(IsWindowVisible(xFrame.hWnd));

    // The client fills the frame's client area.
    RECT f, c;
    GetClientRect(xFrame.hWnd, &f);
    GetClientRect(client->hWnd, &c);
    EXPECT_EQ(c.right, f.right);
    EXPECT_EQ(c.bottom, f.bottom);
    EXPECT_GT(c.right, 0);

    XWND a, b;
    const int style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    ASSERT_TRUE(XCREATEWINDOW(a, *client, style, "Child A", WS_EX_MDICHILD));
    ASSERT_TRUE(XCREATEWINDOW(b, *client, style, "Child B", WS_EX_MDICHILD));
    EXPECT_EQ(FXWNDBYHANDLE(a.hWnd), &a);

    // A separator and one entry per child at the end of the Window submenu.
    const int n = GetMenuItemCount(window);
    ASSERT_EQ(n, before + 3);
    EXPECT_TRUE(GetMenuState(window, static_cast<UINT>(before), MF_BYPOSITION) & MF_SEPARATOR);
    const std::string first = PXTEXT(window, n - 2), second = PXTEXT(window, n - 1);
    EXPECT_NE(first.find("Child A"), std::string::npos) << first;
    EXPECT_NE(second.find("Child B"), std::string::npos) << second;
}

TEST_F(Frame, DialogFrame) {
    xApp.bInInit = true;
    ASSERT_TRUE(XCREATEDIALOGAPP(201, &xMenu, 103));
    const HWND h = xFrame.hWnd;
    ASSERT_TRUE(IsWindow(h));
    EXPECT_EQ(pxclass(h), "#32770");
    EXPECT_EQ(xFrame.lpfnOldProc, XOLD_DIALOG);
    EXPECT_EQ(xFrame.xCtl[0].iClass, 20);
    EXPECT_EQ(GetMenu(h), xMenu.hMenu);
    EXPECT_EQ(xMenu.hOwner, h);
    EXPECT_NE(SendMessageA(h, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_TRUE(IsWindowVisible(h)); // the template says so
    EXPECT_EQ(GetWindow(h, GW_OWNER), nullptr);
}

TEST_F(Frame, DialogFrameWithoutTemplateFails) {
    xApp.bInInit = true;
    EXPECT_FALSE(XCREATEDIALOGAPP(999));
    EXPECT_EQ(xFrame.hWnd, nullptr);
}

TEST_F(Frame, ModuleHandles) {
    EXPECT_EQ(XGETINSTANCE(), GetModuleHandleA(nullptr));
    EXPECT_EQ(XGETINSTANCE(XFIXED("kernel32.dll", 64)), GetModuleHandleA("kernel32.dll"));
    EXPECT_NE(XGETINSTANCE("kernel32.dll"), nullptr);
    EXPECT_EQ(XGETINSTANCE("notloaded.dll"), nullptr);
}

int nOpen = 0;
void pxonopen(XWND&, int, int) {
    ++nOpen;
}

TEST_F(Frame, AcceleratorsReplaceEachOtherAndReachTheFramesCommands) {
    ASSERT_TRUE(XLOADACCELERATORS(301));
    const HACCEL first = xApp.hAccel;
    EXPECT_NE(first, nullptr);
    ASSERT_TRUE(XLOADACCELERATORS(302, GetModuleHandleA(nullptr)));
    EXPECT_NE(xApp.hAccel, first);
    EXPECT_NE(xApp.hAccel, nullptr);
    EXPECT_FALSE(XLOADACCELERATORS(999));
    EXPECT_EQ(xApp.hAccel, nullptr);

    // Ctrl+O typed at the frame ends in its command table.
    xApp.bInInit = true;
    ASSERT_TRUE(XCREATESDIAPP(xMenu, "accel"));
    xApp.bInInit = false;
    XSETCOMMAND(xFrame, 1101, pxonopen);
    ASSERT_TRUE(XLOADACCELERATORS(301));
    SetForegroundWindow(xFrame.hWnd);
    SetFocus(xFrame.hWnd);
    XPROCESSMESSAGES();
    nOpen = 0;
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event('O', 0, 0, 0);
    keybd_event('O', 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    for (int i = 0; i < 50 && nOpen == 0; ++i) {
        XPROCESSMESSAGES();
        Sleep(10);
    }
    EXPECT_EQ(nOpen, 1);
}

} // namespace
