// List views on the real API: columns from a layout text, records written to rows and read
// back, date-time texts, sorting by clicks on the column headers, and a virtual list answered
// from the application's record array through its row map.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ZEBListView.h"
#include "ZEBStrings.h"
#include "ctrltest.h"

namespace {

#pragma pack(push, 1)
struct REC { // (i5,a20,f10.3)
    std::int32_t i;
    char a[20];
    float f;
};
struct ALL { // (+,j6,k4,n,x3,g12.4,d12.3,e10.2,t4)
    std::int32_t image;
    std::int16_t j;
    std::int8_t k;
    std::int64_t n;
    char skip[3];
    double g;
    double d;
    float e;
    XLVDATETIME t;
};
#pragma pack(pop)

REC rec(int i, const char* a, float f) {
    REC r{};
    r.i = i;
    std::memset(r.a, ' ', sizeof r.a);
    std::memcpy(r.a, a, std::strlen(a));
    r.f = f;
    return r;
}

class ListView : public XCtlTest {
  protected:
    HWND list(int ID, int iOptions = 0) {
        make(ID, XCC_LISTVIEW, iOptions, LVS_REPORT, 10, 10, 500, 300);
        return ctl(ID);
    }
    std::string cell(int ID, int iRow, int iColumn) {
        char buf[300] = {};
        LVITEMA it{};
        it.iSubItem = iColumn;
        it.pszText = buf;
        it.cchTextMax = sizeof buf;
        SendMessageA(ctl(ID), LVM_GETITEMTEXTA, static_cast<WPARAM>(iRow),
                     reinterpret_cast<LPARAM>(&it));
        return buf;
    }
    std::vector<std::string> column(int ID, int iColumn) {
        std::vector<std::string> a;
        const int n = static_cast<int>(SendMessageA(ctl(ID), LVM_GETITEMCOUNT, 0, 0));
        for (int r = 0; r < n; ++r) a.push_back(cell(ID, r, iColumn));
        return a;
    }
    HDITEMA header(int ID, int i) {
        HDITEMA hd{};
        hd.mask = HDI_FORMAT | HDI_LPARAM | HDI_IMAGE;
        SendMessageA(GetDlgItem(ctl(ID), 0), HDM_GETITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&hd));
        return hd;
    }
    // A real click on a column header: the header reports it, the routing sorts.
    void click(int ID, int iColumn) {
        const HWND hHeader = GetDlgItem(ctl(ID), 0);
        RECT r{};
        SendMessageA(hHeader, HDM_GETITEMRECT, static_cast<WPARAM>(iColumn - 1),
                     reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(hHeader, WM_LBUTTONUP, 0, at);
        XTEST_PUMP();
    }
};

TEST_F(ListView, LayoutTextMakesAlignedColumnsThatCarryOffsetAndType) {
    const HWND h = list(1);
    XLVDATA* d = FXLV_INIT(h);
    ASSERT_NE(d, nullptr) << "created with its data";
    EXPECT_EQ(FXLV_INIT(h), d) << "a second call returns the same data";
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "i5,a20", XPC_LVLAYOUT));
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(I5,A20,F10.3)", XPC_LVLAYOUT));
    EXPECT_EQ(d->sLayout, "(i5,a20,f10.3)") << "kept in lower case";
    const HWND hHeader = GetDlgItem(h, 0);
    ASSERT_EQ(SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0), 3);
    const int fmt[] = {LVCFMT_RIGHT, LVCFMT_LEFT, LVCFMT_RIGHT};
    const std::int32_t param[] = {PXLVHEADERPARAM(0, -3), PXLVHEADERPARAM(4, 20),
                                  PXLVHEADERPARAM(24, -5)};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNA col{};
        col.mask = LVCF_FMT | LVCF_WIDTH;
        ASSERT_TRUE(SendMessageA(h, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&col)));
        EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, fmt[c]) << c;
        EXPECT_GT(col.cx, 20);
        EXPECT_EQ(static_cast<std::int32_t>(header(1, c).lParam), param[c]) << c;
    }
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(+,a10)", XPC_LVLAYOUT));
    EXPECT_EQ(SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0), 1) << "the old columns went";
    EXPECT_EQ(static_cast<std::int32_t>(header(1, 0).lParam), PXLVHEADERPARAM(4, 10));
}

TEST_F(ListView, RecordsAreAppendedReplacedAndReadBack) {
    list(1);
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(i5,a20,f10.3)", XPC_LVLAYOUT));
    REC r = rec(42, "alpha", 3.14159f);
    EXPECT_TRUE(XCTLSETITEM(w, 1, XITEM(r), 0)) << "row 0 appends";
    r = rec(-7, "beta", -0.5f);
    EXPECT_TRUE(XCTLSETITEM(w, 1, XITEM(r), 9)) << "a row past the end appends";
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"   42", "   -7"}));
    EXPECT_EQ(column(1, 1), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(column(1, 2), (std::vector<std::string>{"     3.142", "    -0.500"}));
    int k = 0;
    EXPECT_TRUE(FXLV_BACKMAP(ctl(1), 1, k));
    EXPECT_EQ(k, 2) << "a row appended second carries array index 2";

    r = rec(123456, "gamma", 1e9f);
    EXPECT_TRUE(XCTLSETITEM(w, 1, XITEM(r), 1)) << "row 1 exists: replaced";
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"*****", "   -7"}));
    REC back = rec(0, "", 0);
    EXPECT_FALSE(XCTLGETITEM(w, 1, XITEM(back), 1)) << "***** is no number";
    EXPECT_EQ(back.i, 0);

    REC got = rec(0, "", 0);
    ASSERT_TRUE(XCTLGETITEM(w, 1, XITEM(got), 2));
    EXPECT_EQ(got.i, -7);
    EXPECT_EQ(std::string(got.a, 20), std::string("beta") + std::string(16, ' '));
    EXPECT_FLOAT_EQ(got.f, -0.5f);
    EXPECT_FALSE(XCTLGETITEM(w, 1, XITEM(got), 3)) << "no row 3";
    EXPECT_FALSE(XCTLGETITEM(w, 1, XITEM(got), 0));
}

TEST_F(ListView, EveryFieldTypeRoundTripsThroughARow) {
    list(1);
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(+,j6,k4,n,x3,g12.4,d12.3,e10.2,t4)", XPC_LVLAYOUT));
    EXPECT_EQ(SendMessageA(GetDlgItem(ctl(1), 0), HDM_GETITEMCOUNT, 0, 0), 7);
    ALL a{};
    a.image = 3;
    a.j = -32000;
    a.k = -100;
    a.n = 9000000000LL;
    a.g = 1234.5678;
    a.d = -0.000123;
    a.e = 6.5e7f;
    a.t = {2024, 2, 4, 29, 13, 45, 30, 0};
    ASSERT_TRUE(XCTLSETITEM(w, 1, XITEM(a), 0));
    EXPECT_EQ(cell(1, 0, 0), "-32000");
    EXPECT_EQ(cell(1, 0, 1), "-100");
    EXPECT_EQ(cell(1, 0, 2), "9000000000");
    EXPECT_EQ(cell(1, 0, 3), "   1234.5678");
    EXPECT_EQ(cell(1, 0, 4), "  -0.123E-03");
    EXPECT_EQ(cell(1, 0, 5), "  0.65E+08");
    EXPECT_FALSE(cell(1, 0, 6).empty());

    ALL b{};
    b.t.wYear = 1999;
    ASSERT_TRUE(XCTLGETITEM(w, 1, XITEM(b), 1));
    EXPECT_EQ(b.image, 3) << "the row's image, + 1";
    EXPECT_EQ(b.j, a.j);
    EXPECT_EQ(b.k, a.k);
    EXPECT_EQ(b.n, a.n);
    EXPECT_DOUBLE_EQ(b.g, 1234.5678);
    EXPECT_DOUBLE_EQ(b.d, -0.000123);
    EXPECT_FLOAT_EQ(b.e, 6.5e7f);
    EXPECT_EQ(b.t.wYear, 1999) << "a date text is shown, not read back";
}

TEST_F(ListView, DateTimeTextsShowSecondsOnlyWhenAsked) {
    const XLVDATETIME t{2024, 2, 4, 29, 13, 45, 30, 0};
    const SYSTEMTIME st{2024, 2, 4, 29, 13, 45, 30, 0};
    char date[81], longdate[81], hm[81], hms[81];
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 81);
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, longdate, 81);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, hm, 81);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, hms, 81);
    int status = -1;
    const std::string d = date, ld = longdate;
    EXPECT_EQ(PXDATETIME(t, "1", status), XFIXED(d, 80));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(PXDATETIME(t, "2", status), XFIXED(ld, 80));
    EXPECT_EQ(PXDATETIME(t, "3", status), XFIXED(hm, 80));
    EXPECT_EQ(PXDATETIME(t, "3.1", status), XFIXED(hms, 80));
    EXPECT_EQ(PXDATETIME(t, "4", status), XFIXED(d + " " + hm, 80));
    EXPECT_EQ(PXDATETIME(t, "4.1", status), XFIXED(d + " " + hms, 80));
    EXPECT_EQ(PXDATETIME(t, "5.5", status), XFIXED(ld + " " + hms, 80));
    EXPECT_EQ(PXDATETIME(t, "9", status), std::string(80, ' '));
    EXPECT_EQ(status, 9999);
    PXDATETIME(t, "q", status);
    EXPECT_NE(status, 0);
    EXPECT_NE(status, 9999);
}

TEST_F(ListView, HeaderClicksSortAnOrdinaryListBothWaysAndMoveTheMark) {
    list(1);
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(i5,a20,f10.3)", XPC_LVLAYOUT));
    const REC recs[] = {rec(10, "pear", 2.5f), rec(9, "apple", -1), rec(100, "fig", 30)};
    for (REC r : recs) ASSERT_TRUE(XCTLSETITEM(w, 1, XITEM(r), 0));

    click(1, 1);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"  100", "   10", "    9"}))
        << "first: descending";
    EXPECT_EQ(header(1, 0).iImage, 1);
    EXPECT_TRUE(header(1, 0).fmt & HDF_IMAGE);
    EXPECT_TRUE(header(1, 0).fmt & HDF_BITMAP_ON_RIGHT);
    click(1, 1);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"    9", "   10", "  100"})) << "by number";
    EXPECT_EQ(header(1, 0).iImage, 0);
    click(1, 1);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"  100", "   10", "    9"}));

    click(1, 2);
    EXPECT_EQ(column(1, 1), (std::vector<std::string>{"pear", "fig", "apple"}));
    EXPECT_TRUE(header(1, 1).fmt & HDF_IMAGE);
    EXPECT_FALSE(header(1, 0).fmt & HDF_IMAGE) << "the mark moved";
    EXPECT_EQ(header(1, 0).iImage, 1) << "the direction stays for the next click";
    click(1, 3);
    click(1, 3);
    EXPECT_EQ(column(1, 2), (std::vector<std::string>{"    -1.000", "     2.500", "    30.000"}));
    int k = 0;
    EXPECT_TRUE(FXLV_BACKMAP(ctl(1), 0, k));
    EXPECT_EQ(k, 2) << "the rows keep their array index";
    int row = -1;
    EXPECT_TRUE(FXLV_FWDMAP(ctl(1), row, 3));
    EXPECT_EQ(row, 2);
}

#pragma pack(push, 1)
struct NUMS { // (j6,k4,n,g12.4)
    std::int16_t j;
    std::int8_t k;
    std::int64_t n;
    double g;
};
#pragma pack(pop)

// The rows' keys are read once before the sort; the system only reorders the rows.
TEST_F(ListView, HeaderClicksSortFourAndMoreRowsOfEveryNumberType) {
    list(1);
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(j6,k4,n,g12.4)", XPC_LVLAYOUT));
    const NUMS recs[] = {{-300, 5, 3000000000LL, 0.25},
                         {1200, -3, -5, -1e5},
                         {7, 5, 42, 3.5},
                         {-32768, 0, -4000000000LL, 2}};
    for (NUMS r : recs) ASSERT_TRUE(XCTLSETITEM(w, 1, XITEM(r), 0));
    click(1, 1);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"  1200", "     7", "  -300", "-32768"}));
    click(1, 2);
    EXPECT_EQ(column(1, 1), (std::vector<std::string>{"   5", "   5", "   0", "  -3"}));
    int a = 0, b = 0;
    ASSERT_TRUE(FXLV_BACKMAP(ctl(1), 0, a));
    ASSERT_TRUE(FXLV_BACKMAP(ctl(1), 1, b));
    EXPECT_EQ(std::vector<int>({a, b}), std::vector<int>({3, 1})) << "equal keys keep their order";
    click(1, 3);
    EXPECT_EQ(column(1, 2), (std::vector<std::string>{"3000000000", "42", "-5", "-4000000000"}));
    click(1, 4);
    EXPECT_EQ(column(1, 3), (std::vector<std::string>{"      3.5000", "      2.0000",
                                                      "      0.2500", "-100000.0000"}));
    click(1, 4);
    EXPECT_EQ(cell(1, 0, 3), "-100000.0000");
}

TEST_F(ListView, TenThousandRowsAreSortedByOneClick) {
    list(1);
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(i6)", XPC_LVLAYOUT));
    constexpr int n = 10000;
    SendMessageA(ctl(1), WM_SETREDRAW, FALSE, 0);
    for (int k = 0; k < n; ++k) {
        int v = (k * 7919) % 10007 - 5000;
        ASSERT_TRUE(XCTLSETITEM(w, 1, XITEM(v), 0));
    }
    click(1, 1);
    std::vector<int> got;
    for (const std::string& s : column(1, 0)) got.push_back(std::stoi(s));
    ASSERT_EQ(got.size(), static_cast<std::size_t>(n));
    EXPECT_TRUE(std::is_sorted(got.rbegin(), got.rend())) << "descending";
    int k = 0;
    ASSERT_TRUE(FXLV_BACKMAP(ctl(1), 0, k));
    EXPECT_EQ(((k - 1) * 7919) % 10007 - 5000, got[0]) << "rows keep their array index";
}

// The sort marks are the list view's own; a small-image list the application gave is never
// destroyed for it, neither when the list view is prepared nor when it goes.
TEST_F(ListView, TheApplicationsImageListOutlivesTheListView) {
    const auto images = [] {
        const HIMAGELIST h = ImageList_Create(16, 16, ILC_COLOR, 3, 0);
        const HBITMAP b = CreateBitmap(48, 16, 1, 1, nullptr);
        ImageList_Add(h, b, nullptr);
        DeleteObject(b);
        return h;
    };
    const HIMAGELIST mine = images();
    ASSERT_EQ(ImageList_GetImageCount(mine), 3);
    // Shared: the list view itself leaves them to their owner when it goes.
    const DWORD shared = LVS_REPORT | LVS_SHAREIMAGELISTS;
    const HWND raw = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | shared, 0, 0, 200,
                                     100, w.hWnd, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_TRUE(raw);
    SendMessageA(raw, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(mine));
    FXBINDWINDOWCONTROLS(w);
    ASSERT_TRUE(FXCTLBYHANDLE(raw));
    EXPECT_EQ(ImageList_GetImageCount(mine), 3) << "prepared";
    EXPECT_TRUE(XCTLDESTROY(w, 7));
    EXPECT_EQ(ImageList_GetImageCount(mine), 3) << "gone";

    const HIMAGELIST theirs = images();
    make(2, XCC_LISTVIEW, 0, shared, 10, 10, 300, 200);
    XCTLSENDMESSAGE(w, 2, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(theirs));
    EXPECT_TRUE(XCTLDESTROY(w, 2));
    EXPECT_EQ(ImageList_GetImageCount(theirs), 3);
    EXPECT_TRUE(ImageList_Destroy(mine));
    EXPECT_TRUE(ImageList_Destroy(theirs));
}

// LVM_GETITEMA may point the item at a text of the control's own instead of filling the
// caller's buffer; that text is read no further than the size that comes with it.
char* pOwnText = nullptr;
WNDPROC pfnListProc = nullptr;
LRESULT CALLBACK pxowntextproc(HWND h, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    auto* it = reinterpret_cast<LVITEMA*>(lParam);
    if (iMsg != LVM_GETITEMA || !(it->mask & LVIF_TEXT))
        return CallWindowProcA(pfnListProc, h, iMsg, wParam, lParam);
    it->pszText = pOwnText;
    it->cchTextMax = 4;
    return TRUE;
}

TEST_F(ListView, ACellIsReadNoFurtherThanTheBufferItCameIn) {
    char* page = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_TRUE(page);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(page + 4096, 4096, PAGE_NOACCESS, &old));
    pOwnText = page + 4096 - 4;
    std::memcpy(pOwnText, "abcd", 4); // no NUL before the guard page
    const HWND h = list(1);
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(a4)", XPC_LVLAYOUT));
    char got[4] = {'w', 'x', 'y', 'z'};
    ASSERT_TRUE(XCTLSETITEM(w, 1, XITEM(got), 0));
    pfnListProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pxowntextproc)));
    EXPECT_TRUE(XCTLGETITEM(w, 1, XITEM(got), 1));
    EXPECT_EQ(std::string(got, 4), "abcd");
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnListProc));
    XCTLDESTROYALL(w);
    VirtualFree(page, 0, MEM_RELEASE);
}

int nColumnClicks = 0;
void pxcolumnclick(XWND&, int, int) {
    ++nColumnClicks;
}

TEST_F(ListView, AColumnClickCallbackReplacesTheOwnSort) {
    list(1);
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(i5)", XPC_LVLAYOUT));
    for (int v : {1, 3, 2}) ASSERT_TRUE(XCTLSETITEM(w, 1, XITEM(v), 0));
    ASSERT_TRUE(XCTLSETSUB(w, 1, pxcolumnclick, XEC_COLCLICK));
    nColumnClicks = 0;
    click(1, 1);
    EXPECT_EQ(nColumnClicks, 1);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"    1", "    3", "    2"}));
}

TEST_F(ListView, VirtualListIsAnsweredFromTheArrayAndSortsItsRowMap) {
    const HWND h = list(1, 0x10000000);
    ASSERT_TRUE(GetWindowLongA(h, GWL_STYLE) & LVS_OWNERDATA);
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(i5,a20,f10.3)", XPC_LVLAYOUT));
    struct PADDED {
        REC r;
        char pad[4];
    };
    PADDED recs[4] = {
        {rec(3, "c", 1), {}}, {rec(1, "a", 4), {}}, {rec(4, "d", 2), {}}, {rec(2, "b", 3), {}}};
    EXPECT_TRUE(XCTLSETINT(w, 1, static_cast<int>(sizeof(PADDED)), XPC_LVINTEGER));
    int size = 0;
    EXPECT_TRUE(XCTLGETINT(w, 1, size, XPC_LVINTEGER));
    EXPECT_EQ(size, static_cast<int>(sizeof(PADDED)));
    EXPECT_EQ(column(1, 0), std::vector<std::string>{});
    ASSERT_TRUE(XCTLSETITEM(w, 1, XITEM(recs), 0));
    ASSERT_TRUE(XCTLSETINT(w, 1, 4, XPC_COUNT));
    EXPECT_EQ(column(1, 1), (std::vector<std::string>{"c", "a", "d", "b"}));
    EXPECT_EQ(cell(1, 2, 2), "     2.000");

    EXPECT_TRUE(XCTLSETARRAY(w, 1, {2}));
    click(1, 1);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"    4", "    3", "    2", "    1"}));
    std::vector<int> sel;
    ASSERT_TRUE(XCTLGETARRAY(w, 1, sel));
    EXPECT_EQ(sel, std::vector<int>{2}) << "the selected record stays selected";
    EXPECT_EQ(SendMessageA(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 3)
        << "in the row that now shows it";
    int k = 0, row = -1;
    EXPECT_TRUE(FXLV_BACKMAP(h, 0, k));
    EXPECT_EQ(k, 3);
    EXPECT_TRUE(FXLV_FWDMAP(h, row, 4));
    EXPECT_EQ(row, 2);
    click(1, 3);
    EXPECT_EQ(column(1, 2),
              (std::vector<std::string>{"     4.000", "     3.000", "     2.000", "     1.000"}));
    click(1, 2);
    EXPECT_EQ(column(1, 1), (std::vector<std::string>{"d", "c", "b", "a"}));
    click(1, 2);
    EXPECT_EQ(column(1, 1), (std::vector<std::string>{"a", "b", "c", "d"}));

    recs[0].r.i = 77;
    EXPECT_TRUE(XLVUPDATE(w.hWnd, 1));
    EXPECT_TRUE(XLVUPDATE(w.hWnd, 1, {1, 4}));
    EXPECT_EQ(cell(1, 2, 0), "   77");
    EXPECT_FALSE(XLVUPDATE(w.hWnd, 1, {1, 5})) << "no row 5";
    EXPECT_FALSE(XLVUPDATE(w.hWnd, 1, {0}));
}

TEST_F(ListView, VirtualListWithoutArrayOrWithTooSmallRecordsLeavesCellsEmpty) {
    list(1, 0x10000000);
    ASSERT_TRUE(XCTLSETCHAR(w, 1, "(i5,a20,f10.3)", XPC_LVLAYOUT));
    ASSERT_TRUE(XCTLSETINT(w, 1, 2, XPC_COUNT));
    EXPECT_EQ(cell(1, 0, 0), "") << "no array given";
    REC recs[2] = {rec(5, "x", 0), rec(6, "y", 0)};
    ASSERT_TRUE(XCTLSETITEM(w, 1, XITEM(recs), 0));
    ASSERT_TRUE(XCTLSETINT(w, 1, 8, XPC_LVINTEGER));
    EXPECT_EQ(cell(1, 1, 0), "") << "records of 8 bytes cannot hold 28";
    ASSERT_TRUE(XCTLSETINT(w, 1, 0, XPC_LVINTEGER));
    EXPECT_EQ(cell(1, 1, 0), "    6") << "no record size: the layout's own";
}

} // namespace
