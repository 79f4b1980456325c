// Caret and focus on the real API: shapes, moves, hiding, and the focus result.
#include <gtest/gtest.h>

#include "ZEBcaret.h"

#include "zebtest.h"

namespace {

struct Caret {
    HWND hWnd;
    RECT r;
};
Caret pxcaret() {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    GetGUIThreadInfo(GetCurrentThreadId(), &gti);
    return {gti.hwndCaret, gti.rcCaret};
}

class CaretFocus : public ::testing::Test {
  protected:
    void SetUp() override {
        const XWND none;
        ASSERT_TRUE(XCREATEWINDOW(xWnd, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "caret"));
        SetForegroundWindow(xWnd.hWnd);
    }
    void TearDown() override {
        DestroyCaret();
        if (IsWindow(xWnd.hWnd)) XDESTROYWINDOW(xWnd);
        XTEST_PUMP();
    }
    XWND xWnd;
};

TEST_F(CaretFocus, ShapesOfTheCaret) {
    const int border = GetSystemMetrics(SM_CXBORDER), arrow = GetSystemMetrics(SM_CYVSCROLL);
    ASSERT_TRUE(XCARETSHOW(xWnd));
    Caret c = pxcaret();
    EXPECT_EQ(c.hWnd, xWnd.hWnd);
    EXPECT_EQ(c.r.right - c.r.left, border);
    EXPECT_EQ(c.r.bottom - c.r.top, arrow);

    ASSERT_TRUE(XCARETSHOW(xWnd, XBITMAP{nullptr, 3, 0}));
    c = pxcaret();
    EXPECT_EQ(c.r.right - c.r.left, 3);
    EXPECT_EQ(c.r.bottom - c.r.top, arrow);
    ASSERT_TRUE(XCARETSHOW(xWnd, XBITMAP{nullptr, -4, 9}));
    c = pxcaret();
    EXPECT_EQ(c.r.right - c.r.left, border);
    EXPECT_EQ(c.r.bottom - c.r.top, 9);

    // A bitmap's own size; the record's width and height are not used then.
    const HBITMAP bmp = CreateBitmap(6, 11, 1, 1, nullptr);
    ASSERT_TRUE(XCARETSHOW(xWnd, XBITMAP{bmp, 2, 2}));
    c = pxcaret();
    EXPECT_EQ(c.r.right - c.r.left, 6);
    EXPECT_EQ(c.r.bottom - c.r.top, 11);
    EXPECT_TRUE(XCARETHIDE(xWnd));
    DeleteObject(bmp);
}

TEST_F(CaretFocus, MovingHidingAndFailures) {
    ASSERT_TRUE(XCARETSHOW(xWnd));
    EXPECT_TRUE(XCARETMOVE(xWnd, 10, 20));
    POINT pt{};
    ASSERT_TRUE(GetCaretPos(&pt));
    EXPECT_EQ(pt.x, 10);
    EXPECT_EQ(pt.y, 20);
    EXPECT_EQ(pxcaret().r.left, 10);

    // Creation that fails leaves the caret where it was.
    XWND gone;
    const XWND none;
    ASSERT_TRUE(XCREATEWINDOW(gone, none, WS_POPUP));
    XDESTROYWINDOW(gone);
    gone.hWnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7654));
    EXPECT_FALSE(XCARETSHOW(gone));
    EXPECT_EQ(pxcaret().hWnd, xWnd.hWnd);
    ASSERT_TRUE(GetCaretPos(&pt));
    EXPECT_EQ(pt.x, 10);

    EXPECT_TRUE(XCARETHIDE(xWnd));
    EXPECT_EQ(pxcaret().hWnd, nullptr);
    EXPECT_FALSE(XCARETHIDE(xWnd)); // nothing left to hide
}

TEST_F(CaretFocus, FocusResultTellsWhoHasTheFocus) {
    ASSERT_TRUE(XSETFOCUS(xWnd));
    EXPECT_EQ(GetFocus(), xWnd.hWnd);
    EXPECT_TRUE(XSETFOCUS(xWnd)); // already there: unchanged

    XWND child;
    ASSERT_TRUE(XCREATEWINDOW(child, xWnd, WS_CHILD | WS_VISIBLE, "", std::nullopt, 0, 0, 10, 10));
    EXPECT_TRUE(XSETFOCUS(child));
    EXPECT_EQ(GetFocus(), child.hWnd);

    XWND stale; // no window: the focus stays where it was

    stale.hWnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7654));
    EXPECT_FALSE(XSETFOCUS(stale));
    EXPECT_EQ(GetFocus(), child.hWnd);
    XDESTROYWINDOW(child);
}

} // namespace
