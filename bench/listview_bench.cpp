// List-view sorting: a column click against the platform doing the same sort by itself, over
// the same records in the same run.
//
// Ordinary list: 10,000 rows of (i8,a12) records; a click on the number column (routed as the
// header reports it) against LVM_SORTITEMS with a comparison that reads the records by item
// parameter. Virtual list: 100,000 records; a click against sorting an index array of the
// records by the same field and redrawing the rows in view. Every timed run starts from the
// same shuffled order; the best of five counts.
//
//   listview_bench [rows]        prints milliseconds per sort and the ratio
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>
#include <vector>

#include "ZEBCtrl.h"
#include "benchharness.h"

namespace {

#pragma pack(push, 1)
struct REC { // (i8,a12)
    std::int32_t i;
    char a[12];
};
#pragma pack(pop)

std::vector<REC> PXRECORDS(int n) {
    std::mt19937 rng(12345);
    std::vector<REC> recs(static_cast<std::size_t>(n));
    for (REC& r : recs) {
        r.i = static_cast<std::int32_t>(rng() % 2000001) - 1000000;
        std::memset(r.a, ' ', sizeof r.a);
        std::snprintf(r.a, sizeof r.a, "name%u", static_cast<unsigned>(rng() % 100000));
        r.a[std::strlen(r.a)] = ' ';
    }
    return recs;
}

// Comparisons the platform calls with item parameters.
struct XPLAINSORT {
    const std::vector<REC>* recs;
    const std::vector<int>* ranks;
    int iDir;
};

int CALLBACK pxbynumber(LPARAM a, LPARAM b, LPARAM p) {
    const auto& s = *reinterpret_cast<const XPLAINSORT*>(p);
    const std::int32_t x = (*s.recs)[static_cast<std::size_t>(a)].i;
    const std::int32_t y = (*s.recs)[static_cast<std::size_t>(b)].i;
    return ((x > y) - (x < y)) * s.iDir;
}

int CALLBACK pxbyrank(LPARAM a, LPARAM b, LPARAM p) {
    const auto& r = *reinterpret_cast<const XPLAINSORT*>(p)->ranks;
    return r[static_cast<std::size_t>(a)] - r[static_cast<std::size_t>(b)];
}

// Puts the rows into the same random order again (not timed).
void pxshuffle(HWND hList, const std::vector<int>& ranks) {
    XPLAINSORT s{nullptr, &ranks, 1};
    SendMessageA(hList, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&s),
                 reinterpret_cast<LPARAM>(pxbyrank));
}

void pxclick(XWND& xWnd, int ID) {
    NMLISTVIEW nm{};
    nm.hdr.hwndFrom = GetDlgItem(xWnd.hWnd, ID);
    nm.hdr.idFrom = static_cast<UINT_PTR>(ID);
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    SendMessageA(xWnd.hWnd, WM_NOTIFY, static_cast<WPARAM>(ID), reinterpret_cast<LPARAM>(&nm));
}

// The first column's direction mark after a click: 1 descending was sorted, 0 ascending.
int pxdirection(HWND hList) {
    HDITEMA hd{};
    hd.mask = HDI_IMAGE;
    SendMessageA(GetDlgItem(hList, 0), HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&hd));
    return hd.iImage == 1 ? -1 : 1;
}

void PXREPORT(const char* what, int n, double tClick, double tPlain, bool bSorted) {
    std::printf("%-28s %7d %10.2f ms %10.2f ms %7.3f   %s\n", what, n, tClick * 1e3, tPlain * 1e3,
                tClick / tPlain, bSorted ? "sorted" : "NOT SORTED");
}

bool pxinorder(const std::vector<int>& v) {
    return std::is_sorted(v.begin(), v.end());
}

// A list view of the records' layout; nullptr when it cannot be made.
HWND pxlist(XWND& xWnd, int ID, int iOptions) {
    if (!XCTLCREATE(xWnd, ID, XCC_LISTVIEW, iOptions, 0, 0, 600, 400) ||
        !XCTLSETCHAR(xWnd, ID, "(i8,a12)", XPC_LVLAYOUT))
        return nullptr;
    return GetDlgItem(xWnd.hWnd, ID);
}

int pxordinary(XWND& xWnd, int nRows) {
    const HWND hList = pxlist(xWnd, 1, 0);
    if (!hList) return 1;
    std::vector<REC> recs = PXRECORDS(nRows);
    SendMessageA(hList, WM_SETREDRAW, FALSE, 0); // filling is not what is measured
    for (REC& r : recs)
        if (!XCTLSETITEM(xWnd, 1, XITEM(r), 0)) return 1;
    SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
    std::vector<int> ranks(recs.size());
    std::iota(ranks.begin(), ranks.end(), 0);
    std::shuffle(ranks.begin(), ranks.end(), std::mt19937(7));

    // The order after a click, read back by record, in the direction it sorted.
    const auto order = [&] {
        std::vector<int> got;
        for (int k = 0; k < nRows; ++k) {
            LVITEMA it{};
            it.mask = LVIF_PARAM;
            it.iItem = k;
            SendMessageA(hList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
            got.push_back(recs[static_cast<std::size_t>(it.lParam)].i * pxdirection(hList));
        }
        return got;
    };
    bool sorted = true;
    const auto check = [&] { sorted = sorted && pxinorder(order()); };
    const auto shuffle = [&](int) { pxshuffle(hList, ranks); };
    const double tClick = xbench::best(
        5,
        [&](int r) {
            if (r) check();
            shuffle(r);
        },
        [&](int) { pxclick(xWnd, 1); });
    check();
    const double tPlain = xbench::best(5, shuffle, [&](int r) {
        XPLAINSORT s{&recs, nullptr, r % 2 ? 1 : -1};
        SendMessageA(hList, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&s),
                     reinterpret_cast<LPARAM>(pxbynumber));
    });
    PXREPORT("ordinary list, column click", nRows, tClick, tPlain, sorted);
    return 0;
}

int pxvirtual(XWND& xWnd, int nRecords) {
    const HWND hList = pxlist(xWnd, 2, 0x10000000);
    if (!hList) return 1;
    std::vector<REC> recs = PXRECORDS(nRecords);
    if (!XCTLSETITEM(xWnd, 2, XITEM(recs[0]), 0) || !XCTLSETINT(xWnd, 2, nRecords, XPC_COUNT))
        return 1;
    XCTLSETARRAY(xWnd, 2, {3, 17, 250}); // selected records travel with the sort
    bool sorted = true;
    const auto check = [&] {
        std::vector<int> got;
        for (int k = 0; k < nRecords; k += 97) {
            char text[16] = {};
            LVITEMA it{};
            it.pszText = text;
            it.cchTextMax = sizeof text;
            SendMessageA(hList, LVM_GETITEMTEXTA, static_cast<WPARAM>(k),
                         reinterpret_cast<LPARAM>(&it));
            got.push_back(std::atoi(text) * pxdirection(hList));
        }
        sorted = sorted && pxinorder(got);
    };
    const double tClick = xbench::best(
        5,
        [&](int r) {
            if (r) check();
            XCTLSETINT(xWnd, 2, nRecords, XPC_COUNT); // the array's own order again
        },
        [&](int) {
            pxclick(xWnd, 2);
            UpdateWindow(hList);
        });
    check();
    std::vector<int> index(recs.size());
    const double tPlain = xbench::best(
        5, [&](int) { std::iota(index.begin(), index.end(), 0); },
        [&](int r) {
            const int dir = r % 2 ? 1 : -1;
            std::stable_sort(index.begin(), index.end(), [&](int a, int b) {
                const std::int32_t x = recs[static_cast<std::size_t>(a)].i;
                const std::int32_t y = recs[static_cast<std::size_t>(b)].i;
                return dir > 0 ? x < y : x > y;
            });
            const auto top = SendMessageA(hList, LVM_GETTOPINDEX, 0, 0);
            const auto shown = SendMessageA(hList, LVM_GETCOUNTPERPAGE, 0, 0);
            SendMessageA(hList, LVM_REDRAWITEMS, static_cast<WPARAM>(top), top + shown);
            UpdateWindow(hList);
        });
    xbench::sink = xbench::sink + index[0];
    PXREPORT("virtual list, column click", nRecords, tClick, tPlain, sorted);
    return 0;
}

} // namespace

int XBENCH(int argc, char** argv) {
    const int nRows = static_cast<int>(xbench::count(argc, argv, 10000, 100));
    XWND xWnd;
    const XWND none;
    if (!XCREATEWINDOW(xWnd, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "list-view bench",
                       std::nullopt, 0, 0, 640, 480))
        return 1;
    std::printf("%-28s %7s %13s %13s %7s\n", "sort", "rows", "click", "platform", "ratio");
    const int r = pxordinary(xWnd, nRows);
    XCTLDESTROYALL(xWnd);
    const int v = pxvirtual(xWnd, nRows * 10);
    std::printf("(checksum %lld)\n", static_cast<long long>(xbench::sink));
    XDESTROYWINDOW(xWnd);
    return r ? r : v;
}
