// Bad input at the public routines: a window object without a window, an identifier that does
// not exist, property codes outside the tables, empty and null texts, negative counts. Each is
// answered by a clear result (false, 0, -1) and changes nothing: the controls keep their
// contents and the typed routines' outputs their values.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <string>
#include <vector>

#include "ZEBCtrl.h"
#include "ZEBDialog.h"
#include "ZEBMenu.h"
#include "ZEBStrings.h"
#include "zebtest.h"

namespace {

constexpr int kEdit = 10, kList = 11, kMissing = 999;
const int kOutside[] = {-99, -40, -1, -4, INT_MIN, 1000, INT_MAX};

void pxnothing(XWND&, int, int) {}

class Boundary : public ::testing::Test {
  protected:
    void SetUp() override {
        const XWND none;
        ASSERT_TRUE(XCREATEWINDOW(xWnd, none, WS_OVERLAPPEDWINDOW, "boundary"));
        ASSERT_EQ(XCTLCREATE(xWnd, kEdit, XCC_EDIT, 0x4, 0, 0, 200, 100), kEdit);
        ASSERT_EQ(XCTLCREATE(xWnd, kList, XCC_LISTBOX, 0, 0, 100, 200, 100), kList);
        ASSERT_TRUE(XCTLSETCHAR(xWnd, kEdit, "kept", XPC_VALUE));
        ASSERT_TRUE(XCTLSETCHAR(xWnd, kList, "one", XPC_APPEND));
    }
    void TearDown() override {
        XDESTROYWINDOW(xWnd);
        XTEST_PUMP();
    }
    std::string edit() {
        std::string s(20, ' ');
        XCTLGETCHAR(xWnd, kEdit, s, XPC_VALUE);
        return std::string(XTRIM(s));
    }
    int items() { return static_cast<int>(XCTLSENDMESSAGE(xWnd, kList, LB_GETCOUNT, 0, 0)); }
    // Every typed routine on (w, id), each with a clear refusal; outputs untouched.
    static void refused(XWND& w, int id, std::optional<int> prop) {
        std::string s = "untouched";
        int v = 12345;
        bool b = true;
        std::vector<int> a{7};
        HANDLE h = reinterpret_cast<HANDLE>(1);
        EXPECT_FALSE(XCTLSETCHAR(w, id, "x", prop));
        EXPECT_FALSE(XCTLGETCHAR(w, id, s, prop));
        EXPECT_EQ(s, "untouched");
        EXPECT_FALSE(XCTLSETINT(w, id, 5, prop));
        EXPECT_FALSE(XCTLGETINT(w, id, v, prop));
        EXPECT_EQ(v, 12345);
        EXPECT_FALSE(XCTLGETINT(w, id, h, prop));
        EXPECT_EQ(h, reinterpret_cast<HANDLE>(1));
        EXPECT_FALSE(XCTLSETLOG(w, id, true, prop));
        EXPECT_FALSE(XCTLGETLOG(w, id, b, prop));
        EXPECT_TRUE(b);
        EXPECT_FALSE(XCTLSETARRAY(w, id, a, prop));
        EXPECT_FALSE(XCTLGETARRAY(w, id, a, prop));
        EXPECT_EQ(a, std::vector<int>{7});
    }
    XWND xWnd;
};

} // namespace

TEST_F(Boundary, AWindowObjectWithoutAWindowIsRefusedEverywhere) {
    XWND empty;
    refused(empty, kEdit, std::nullopt);
    EXPECT_EQ(XCTLCREATE(empty, kEdit, XCC_EDIT, 0), 0);
    EXPECT_EQ(XCTLSENDMESSAGE(empty, kEdit, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_FALSE(XCTLMOVE(empty, kEdit, 0, 0, 10, 10));
    int x = 3, y = 4;
    EXPECT_FALSE(XCTLGETPOS(empty, kEdit, &x, &y));
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
    EXPECT_FALSE(XCTLDESTROY(empty, kEdit));
    EXPECT_FALSE(XCTLSETSUB(empty, kEdit, pxnothing, XEC_GOTFOCUS));
    // The window services report a size of 0 with their false.
    int cx = 5, cy = 6;
    EXPECT_FALSE(XGETCLIENTRECT(empty, cx, cy));
    EXPECT_EQ(cx, 0);
    EXPECT_EQ(cy, 0);
    EXPECT_FALSE(XSETWINDOWTITLE(empty, "title"));
    EXPECT_FALSE(XSHOWWINDOW(empty, SW_SHOW));
    EXPECT_FALSE(XSETCANVAS(empty, 100, 100));
    EXPECT_FALSE(XSETCOMMAND(empty, 1, pxnothing));
    EXPECT_EQ(XSENDMESSAGE(empty, WM_NULL, 0, 0), 0);
    EXPECT_EQ(XMODALDIALOG(empty), -1);
    XDESTROYDIALOG(empty);
    XCTLDESTROYALL(empty);
    EXPECT_FALSE(XDESTROYWINDOW(empty));
    EXPECT_EQ(edit(), "kept");
}

TEST_F(Boundary, AnIdentifierThatDoesNotExistChangesNothing) {
    refused(xWnd, kMissing, std::nullopt);
    EXPECT_EQ(XCTLSENDMESSAGE(xWnd, kMissing, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_FALSE(XCTLMOVE(xWnd, kMissing, 0, 0, 10, 10));
    EXPECT_FALSE(XCTLDESTROY(xWnd, kMissing));
    EXPECT_FALSE(XCTLSETSUB(xWnd, kMissing, pxnothing, XEC_GOTFOCUS));
    EXPECT_EQ(edit(), "kept");
    EXPECT_EQ(items(), 1);
}

TEST_F(Boundary, PropertyCodesOutsideTheTablesChangeNothing) {
    for (int p : kOutside) {
        SCOPED_TRACE(p);
        std::string s = "untouched";
        int v = 12345;
        EXPECT_FALSE(XCTLSETINT(xWnd, kEdit, 5, p));
        EXPECT_FALSE(XCTLGETINT(xWnd, kEdit, v, p));
        EXPECT_EQ(v, 12345);
        EXPECT_FALSE(XCTLSETLOG(xWnd, kList, true, p));
        if (p < 0) {
            EXPECT_FALSE(XCTLSETCHAR(xWnd, kEdit, "x", p));
            EXPECT_FALSE(XCTLGETCHAR(xWnd, kEdit, s, p));
            EXPECT_EQ(s, "untouched");
        }
        EXPECT_FALSE(XCTLSETCHAR(xWnd, kList, "x", p < 0 ? p : 1000));
        EXPECT_EQ(edit(), "kept");
    }
    EXPECT_EQ(items(), 1);
}

TEST_F(Boundary, EmptyAndNullTextsAndNegativeCounts) {
    // An empty or null text is a blank one: one blank reaches the system.
    EXPECT_TRUE(XCTLSETCHAR(xWnd, kEdit, std::string_view(), XPC_VALUE));
    EXPECT_EQ(XCTLSENDMESSAGE(xWnd, kEdit, WM_GETTEXTLENGTH, 0, 0), 1);
    std::string none;
    EXPECT_TRUE(XCTLGETCHAR(xWnd, kEdit, none, XPC_VALUE));
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(XSETWINDOWTITLE(xWnd, ""));
    // Negative counts, rows, items and sizes.
    EXPECT_FALSE(XCTLSETINT(xWnd, kList, -1, XPC_COUNT));
    EXPECT_EQ(items(), 1);
    std::string s = "untouched";
    EXPECT_FALSE(XCTLGETCHAR(xWnd, kList, s, -1000000));
    EXPECT_FALSE(XCTLSETITEM(xWnd, kList, XITEM(s), -1));
    EXPECT_FALSE(XBEGINMOVEWINDOWS(-1));
    EXPECT_TRUE(XSETCANVAS(xWnd, -5, -5));
    int cx = -1, cy = -1;
    EXPECT_TRUE(XGETCANVAS(xWnd, cx, cy));
    EXPECT_EQ(cx, 0);
    EXPECT_EQ(cy, 0);
    EXPECT_TRUE(XCTLMOVE(xWnd, kEdit, 0, 0, -50, -50));
    EXPECT_FALSE(XCTLSETARRAY(xWnd, kList, {}, XPC_SELECTION));
    // A class code outside the table creates nothing.
    for (int c : {0, 18, 20, -1, INT_MAX}) EXPECT_EQ(XCTLCREATE(xWnd, 50, c, 0), 0);
    EXPECT_EQ(XLOADMENU(9999).hMenu, nullptr);
}
