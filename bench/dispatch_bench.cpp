// Dispatch cost of the framework's window procedure against a plain one.
//
// One window of the framework's class with typed handlers registered, and one window of a plain
// class whose procedure takes the same parameters apart by hand; both hand the decoded values to
// the same small piece of work and answer "handled", so no default processing runs. A million
// messages (decoded rows and general-form WM_USER messages, interleaved) are sent to each, in
// alternating runs; the best run of each counts. Then the same per message kind, and the
// reports of controls with records (colour, click, notification) against a plain window that
// answers its own controls by hand; then the two control reports again against a plain
// procedure that forwards a moved control's reports to its parent as the framework does;
// last, the price of each window query a report could ask.
//
//   dispatch_bench [messages]        prints times, ns per message and the ratio
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>

#include "ZEBCtrl.h"
#include "benchharness.h"

namespace {

using xbench::now;
using xbench::sink;

// The work every handler does with its decoded values.
void work(long long a, long long b, long long c) {
    sink = sink * 31 + a + 7 * b + 13 * c;
}

// Framework handlers.
LRESULT onkey(XWND&, int& iVk, int iRepeat, int iScan) {
    work(iVk, iRepeat, iScan);
    return XTRUE;
}
LRESULT onmouse(XWND&, int x, int y, int& iMsg, int& iKeys) {
    work(x, y, iKeys + iMsg);
    return XTRUE;
}
LRESULT onmove(XWND&, int x, int y) {
    work(x, y, 0);
    return XTRUE;
}
LRESULT onsize(XWND&, int iWidth, int iHeight, int& iType) {
    work(iWidth, iHeight, iType);
    return XTRUE;
}
LRESULT onchar(XWND&, int& iChar, bool bUp, bool bAlt) {
    work(iChar, bUp, bAlt);
    return XTRUE;
}
LRESULT ongeneral(XWND&, int& iMsg, WPARAM& wParam, LPARAM& lParam) {
    work(iMsg, static_cast<long long>(wParam), static_cast<long long>(lParam));
    return XTRUE;
}

// Control callbacks: a click and an up-down step.
void onchanged(XWND&, int iID, int iCode) {
    work(iID, iCode, 0);
}

constexpr COLORREF kColour = RGB(0, 255, 255);
HBRUSH hPlainBrush = nullptr;

// The plain window procedure: the same decoding by hand, the same work; its controls' colour
// and reports answered as the framework answers its own.
LRESULT CALLBACK plainproc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto lo = static_cast<short>(LOWORD(lParam)), hi = static_cast<short>(HIWORD(lParam));
    switch (msg) {
    case WM_CTLCOLOREDIT: // the same context state as the framework's answer gives
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wParam), kColour);
        return reinterpret_cast<LRESULT>(hPlainBrush);
    case WM_COMMAND: work(LOWORD(wParam), XEC_CLICK, 0); return 0;
    case WM_NOTIFY: work(static_cast<long long>(wParam), XEC_CHANGED, 0); return 1;
    case WM_KEYDOWN:
    case WM_KEYUP:
        work(static_cast<int>(wParam), LOWORD(lParam), (static_cast<DWORD>(lParam) >> 16) & 0x1FF);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: work(lo, hi, static_cast<int>(wParam) + static_cast<int>(msg)); return 0;
    case WM_MOVE: work(lo, hi, 0); return 0;
    case WM_SIZE: work(lo, hi, static_cast<int>(wParam)); return 0;
    case WM_CHAR: {
        const auto bits = static_cast<DWORD>(lParam);
        work(static_cast<int>(wParam), (bits >> 31) != 0, ((bits >> 29) & 1) != 0);
        return 0;
    }
    case WM_USER + 1:
    case WM_USER + 2:
    case WM_USER + 3:
        work(msg, static_cast<long long>(wParam), static_cast<long long>(lParam));
        return 0;
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

// The plain procedure with the framework's whole contract for control reports: a report whose
// control now has another parent goes on to that parent, so every report asks for the parent.
LRESULT CALLBACK plainforwardproc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hCtl = nullptr;
    if (msg == WM_COMMAND) hCtl = reinterpret_cast<HWND>(lParam);
    if (msg == WM_NOTIFY) hCtl = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    if (hCtl) {
        const HWND hParent = GetParent(hCtl);
        if (hParent && hParent != hWnd) return SendMessageA(hParent, msg, wParam, lParam);
    }
    return plainproc(hWnd, msg, wParam, lParam);
}

struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// The mix: five decoded rows (keys, mouse, a position row) and three general-form messages.
const Message kMix[] = {
    {WM_KEYDOWN, VK_RIGHT, 0x014D0001},
    {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 80)},
    {WM_USER + 1, 1, 2},
    {WM_MOVE, 0, MAKELPARAM(-20, 30)},
    {WM_USER + 2, 3, 4},
    {WM_KEYUP, VK_RIGHT, static_cast<LPARAM>(0xC14D0001u)},
    {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6)},
    {WM_USER + 3, 5, 6},
};

// Seconds to send n messages taken round-robin from the list.
double run(HWND hWnd, const Message* list, int count, long n) {
    const double t0 = now();
    for (long i = 0; i < n; ++i) {
        const Message& m = list[i % count];
        SendMessageA(hWnd, m.msg, m.wParam, m.lParam);
    }
    return now() - t0;
}

// Seconds to call a window procedure itself n times, as the system would: no message passing,
// so only what the procedure adds is timed, and little of the load on the machine.
double direct(WNDPROC proc, HWND hWnd, const Message* list, int count, long n) {
    const double t0 = now();
    for (long i = 0; i < n; ++i) {
        const Message& m = list[i % count];
        proc(hWnd, m.msg, m.wParam, m.lParam);
    }
    return now() - t0;
}

// Best of several alternating runs of both windows; each may get messages of its own. A second
// line, "<row>:direct", gives the nanoseconds the framework's procedure adds to the plain one's
// when both are called directly.
void compare(const char* what, HWND hFramework, HWND hPlain, const Message* list, int count, long n,
             int rounds, const Message* plainList = nullptr, WNDPROC plain = plainproc) {
    const Message* other = plainList ? plainList : list;
    double best[4] = {1e30, 1e30, 1e30, 1e30};
    for (int r = 0; r < rounds; ++r) {
        best[0] = std::min(best[0], run(hFramework, list, count, n));
        best[1] = std::min(best[1], run(hPlain, other, count, n));
        best[2] = std::min(best[2], direct(fxwindowproc, hFramework, list, count, n));
        best[3] = std::min(best[3], direct(plain, hPlain, other, count, n));
    }
    const double ns = 1e9 / static_cast<double>(n);
    std::printf("%-16s %9ld %10.3f s %10.3f s %9.1f %9.1f %7.3f\n", what, n, best[0], best[1],
                best[0] * ns, best[1] * ns, best[0] / best[1]);
    std::printf("%-16s %9ld %10.3f s %10.3f s %9.1f %9.1f %7.1f\n",
                (std::string(what) + ":direct").c_str(), n, best[2], best[3], best[2] * ns,
                best[3] * ns, (best[2] - best[3]) * ns);
}

// What each way of asking for a control's parent, or about it, costs: every report asks one.
void queries(HWND hWnd, HWND hCtl, long n) {
    const auto time = [n](const char* what, auto ask) {
        const double t = xbench::best(3, [&] {
            for (long i = 0; i < n; ++i) sink = sink + reinterpret_cast<long long>(ask());
        });
        std::printf("query %-34s %9.1f ns\n", what, t * 1e9 / static_cast<double>(n));
    };
    const auto h = [](auto v) { return reinterpret_cast<void*>(static_cast<INT_PTR>(v)); };
    time("GetParent", [&] { return GetParent(hCtl); });
    time("GetAncestor(GA_PARENT)", [&] { return GetAncestor(hCtl, GA_PARENT); });
    time("GetWindowLongPtrA(GWLP_HWNDPARENT)",
         [&] { return h(GetWindowLongPtrA(hCtl, GWLP_HWNDPARENT)); });
    time("GetWindowLongPtrA(GWLP_ID)", [&] { return h(GetWindowLongPtrA(hCtl, GWLP_ID)); });
    time("IsWindow", [&] { return h(IsWindow(hCtl)); });
    time("GetWindowThreadProcessId", [&] { return h(GetWindowThreadProcessId(hCtl, nullptr)); });
    time("IsChild", [&] { return h(IsChild(hWnd, hCtl)); });
    time("GetPropA", [&] { return GetPropA(hCtl, "XWND"); });
}

long nMessages = 1000000;

} // namespace

int XBENCH(int argc, char** argv) {
    nMessages = xbench::count(argc, argv, nMessages, 1000);
    XWND xWnd;
    const XWND none;
    if (!XCREATEWINDOW(xWnd, none, WS_OVERLAPPEDWINDOW, "dispatch bench")) return 1;
    XSETHANDLER<WM_KEYDOWN>(xWnd, onkey);
    XSETHANDLER<WM_KEYUP>(xWnd, onkey);
    XSETHANDLER<WM_MOUSEMOVE>(xWnd, onmouse);
    XSETHANDLER<WM_LBUTTONDOWN>(xWnd, onmouse);
    XSETHANDLER<WM_MOVE>(xWnd, onmove);
    XSETHANDLER<WM_SIZE>(xWnd, onsize);
    XSETHANDLER<WM_CHAR>(xWnd, onchar);
    XSETHANDLER<WM_USER + 1>(xWnd, ongeneral);
    XSETHANDLER<WM_USER + 2>(xWnd, ongeneral);
    XSETHANDLER<WM_USER + 3>(xWnd, ongeneral);
    // A realistic table: a few more handlers than the ones the mix hits.
    for (UINT m = WM_USER + 10; m < WM_USER + 16; ++m) XSETHANDLER(xWnd, m, ongeneral);

    WNDCLASSA wc{};
    wc.lpfnWndProc = plainproc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZebBenchPlain";
    RegisterClassA(&wc);
    HWND hPlain = CreateWindowExA(0, wc.lpszClassName, "plain", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (!hPlain) return 1;

    std::printf("%-16s %9s %12s %12s %9s %9s %7s\n", "messages", "count", "framework", "plain",
                "ns/msg", "ns/msg", "ratio");
    std::printf("%-16s %9s %12s %12s %9s %9s %7s\n", "<row>:direct", "", "", "", "", "", "+ns");
    const int nMix = static_cast<int>(sizeof kMix / sizeof kMix[0]);
    run(xWnd.hWnd, kMix, nMix, nMessages / 10); // warm-up
    run(hPlain, kMix, nMix, nMessages / 10);
    compare("mix", xWnd.hWnd, hPlain, kMix, nMix, nMessages, 5);

    // Per kind, a fifth of the count each.
    const Message kinds[][1] = {
        {{WM_KEYDOWN, VK_RIGHT, 0x014D0001}}, {{WM_MOUSEMOVE, 0, MAKELPARAM(120, 80)}},
        {{WM_MOVE, 0, MAKELPARAM(-20, 30)}},  {{WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200)}},
        {{WM_CHAR, 'a', 0x001E0001}},         {{WM_USER + 1, 1, 2}}};
    const char* names[] = {"WM_KEYDOWN", "WM_MOUSEMOVE", "WM_MOVE",
                           "WM_SIZE",    "WM_CHAR",      "WM_USER+1"};
    for (size_t k = 0; k < sizeof kinds / sizeof kinds[0]; ++k)
        compare(names[k], xWnd.hWnd, hPlain, kinds[k], 1, nMessages / 5, 3);

    // Reports of controls with records: a colour, a click, a notification, each reaching its
    // control's record; the plain window answers its own controls by hand.
    XCTLCREATE(xWnd, 11, XCC_EDIT, 0, 10, 10, 100, 20);
    XCTLCREATE(xWnd, 12, XCC_BUTTON, 0, 10, 40, 100, 20);
    XCTLCREATE(xWnd, 13, XCC_UPDOWN, 0, 10, 70, 20, 20);
    XCTLSETINT(xWnd, 11, static_cast<int>(kColour), XPC_BKCOLOUR);
    XCTLSETSUB(xWnd, 12, onchanged);
    XCTLSETSUB(xWnd, 13, onchanged);
    hPlainBrush = CreateSolidBrush(kColour);
    HWND plainCtl[3];
    const char* classes[] = {"Edit", "Button", UPDOWN_CLASSA};
    for (int i = 0; i < 3; ++i)
        plainCtl[i] = CreateWindowExA(0, classes[i], "", WS_CHILD, 0, 30 * i, 100, 20, hPlain,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(11 + i)),
                                      wc.hInstance, nullptr);
    const auto ctl = [&](int ID) { return GetDlgItem(xWnd.hWnd, ID); };
    const HDC hDC = GetDC(ctl(11)), hPlainDC = GetDC(plainCtl[0]);
    NMUPDOWN step{{ctl(13), 13, static_cast<UINT>(UDN_DELTAPOS)}, 0, 1};
    NMUPDOWN plainStep{{plainCtl[2], 13, static_cast<UINT>(UDN_DELTAPOS)}, 0, 1};
    const Message reports[][1] = {
        {{WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(ctl(11))}},
        {{WM_COMMAND, MAKEWPARAM(12, BN_CLICKED), reinterpret_cast<LPARAM>(ctl(12))}},
        {{WM_NOTIFY, 13, reinterpret_cast<LPARAM>(&step)}}};
    const Message plainReports[][1] = {
        {{WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hPlainDC),
          reinterpret_cast<LPARAM>(plainCtl[0])}},
        {{WM_COMMAND, MAKEWPARAM(12, BN_CLICKED), reinterpret_cast<LPARAM>(plainCtl[1])}},
        {{WM_NOTIFY, 13, reinterpret_cast<LPARAM>(&plainStep)}}};
    // Both answers leave a context in the same state, whatever it was in before.
    const auto answer = [](HWND hWnd, const Message& m) {
        const auto hDC = reinterpret_cast<HDC>(m.wParam);
        SetTextColor(hDC, RGB(1, 2, 3));
        SetBkColor(hDC, RGB(4, 5, 6));
        LOGBRUSH lb{};
        GetObjectA(reinterpret_cast<HBRUSH>(SendMessageA(hWnd, m.msg, m.wParam, m.lParam)),
                   sizeof lb, &lb);
        return std::make_tuple(lb.lbColor, GetTextColor(hDC), GetBkColor(hDC));
    };
    const bool same = answer(xWnd.hWnd, reports[0][0]) == answer(hPlain, plainReports[0][0]);
    std::printf("colour answers alike (brush colour, text and background colour): %s\n",
                same ? "yes" : "NO");
    const char* reportNames[] = {"WM_CTLCOLOREDIT", "WM_COMMAND-ctl", "WM_NOTIFY-ctl"};
    for (size_t k = 0; k < sizeof reports / sizeof reports[0]; ++k)
        compare(reportNames[k], xWnd.hWnd, hPlain, reports[k], 1, nMessages / 20, 3,
                plainReports[k]);
    // The same two reports against a plain procedure that also forwards a moved control's
    // reports, as the framework must: what the framework adds beyond that contract.
    SetWindowLongPtrA(hPlain, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(plainforwardproc));
    const char* forwardNames[] = {"WM_COMMAND-fwd", "WM_NOTIFY-fwd"};
    for (size_t k = 1; k < sizeof reports / sizeof reports[0]; ++k)
        compare(forwardNames[k - 1], xWnd.hWnd, hPlain, reports[k], 1, nMessages / 20, 3,
                plainReports[k], plainforwardproc);
    queries(xWnd.hWnd, ctl(12), nMessages / 50);
    ReleaseDC(ctl(11), hDC);
    ReleaseDC(plainCtl[0], hPlainDC);
    DeleteObject(hPlainBrush);
    std::printf("(checksum %lld)\n", static_cast<long long>(sink));

    DestroyWindow(hPlain);
    XDESTROYWINDOW(xWnd);
    return 0;
}
