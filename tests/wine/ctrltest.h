// Helpers of the control tests: a visible framework window to hold controls, a callback that
// records its calls, and keyboard input through the system's input queue.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ZEBCtrl.h"
#include "zebtest.h"

struct XCTLCALL {
    int iID;
    int iCode;
    bool operator==(const XCTLCALL& o) const { return iID == o.iID && iCode == o.iCode; }
};
inline std::ostream& operator<<(std::ostream& os, const XCTLCALL& c) {
    return os << "{" << c.iID << ", " << c.iCode << "}";
}

inline std::vector<XCTLCALL>& xCtlCalls() {
    static std::vector<XCTLCALL> calls;
    return calls;
}

// A control callback that records (identifier, event).
inline void XCTLTEST_RECORD(XWND&, int iID, int iCode) {
    xCtlCalls().push_back({iID, iCode});
}

// Calls recorded for one event.
inline int XCTLTEST_COUNT(int iCode) {
    int n = 0;
    for (const XCTLCALL& c : xCtlCalls()) n += c.iCode == iCode;
    return n;
}

// A key pressed and released through the input queue, then everything dispatched.
inline void XCTLTEST_KEY(WORD vk, bool bExtended = false) {
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    const DWORD ext = bExtended ? KEYEVENTF_EXTENDEDKEY : 0;
    keybd_event(static_cast<BYTE>(vk), scan, ext, 0);
    keybd_event(static_cast<BYTE>(vk), scan, ext | KEYEVENTF_KEYUP, 0);
    XTEST_PUMP();
}

inline void XCTLTEST_TYPE(const char* s) {
    for (; *s; ++s) XCTLTEST_KEY(static_cast<WORD>(VkKeyScanA(*s) & 0xFF));
}

// Text of a window up to 255 characters.
inline std::string XCTLTEST_TEXT(HWND h) {
    char buf[256] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

// A visible, active top-level framework window that controls are created in.
class XCtlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const XWND none;
        ASSERT_TRUE(XCREATEWINDOW(w, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "controls",
                                  std::nullopt, 40, 40, 640, 480));
        SetForegroundWindow(w.hWnd);
        SetActiveWindow(w.hWnd);
        XTEST_PUMP();
        xCtlCalls().clear();
    }
    void TearDown() override {
        if (IsWindow(w.hWnd)) XDESTROYWINDOW(w);
        XTEST_PUMP();
        XTEST_TAKEQUIT();
    }
    HWND ctl(int ID) const { return GetDlgItem(w.hWnd, ID); }
    // Creates a control at a place of its own and asserts that it exists.
    int make(int ID, int iClass, int iOptions = 0, std::optional<int> iSysStyle = std::nullopt,
             int x = 10, int y = 10, int cx = 150, int cy = 24) {
        const int id = XCTLCREATE(w, ID, iClass, iOptions, x, y, cx, cy, std::nullopt, iSysStyle);
        EXPECT_EQ(id, ID) << "class " << iClass;
        return id;
    }
    XWND w;
};

// n columns of a list view, each cx wide.
inline void XCTLTEST_LVCOLUMNS(XWND& w, int ID, int n, int cx) {
    for (int i = 0; i < n; ++i) {
        char name[] = "column";
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = name;
        col.cx = cx;
        XCTLSENDMESSAGE(w, ID, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(&col));
    }
}

// n rows of an ordinary list view; each carries its application index - 1.
inline void XCTLTEST_LVROWS(XWND& w, int ID, int n) {
    for (int i = 0; i < n; ++i) {
        char text[] = "row";
        LVITEMA it{};
        it.mask = LVIF_TEXT | LVIF_PARAM;
        it.iItem = i;
        it.pszText = text;
        it.lParam = i;
        XCTLSENDMESSAGE(w, ID, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
    }
}
