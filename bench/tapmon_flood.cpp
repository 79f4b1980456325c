// tapmon_flood: how fast Tapmon's pane takes a flood of key-down reports, against a plain window
// that appends each report to its edit at once (pane_baseline). Both run visible, one after the
// other, in the same place and size; this program sends them 1,000 WM_KEYDOWN messages for F5
// (a key without a character, so one report per message) and watches the pane's length until
// every report is in it. Two ways of sending:
//   posted   all messages posted at once, as a fast typist or key repeat queues them
//   sent     one SendMessage after the other, each waiting for the report's handler
// each at the start (empty pane) and at the end (the pane pre-filled to about 1 MB of report
// lines). Prints milliseconds per report and the ratio Tapmon / baseline (below 1: Tapmon
// faster).
//
//   tapmon_flood [REPORTS [BYTES]]     Tapmon.exe and pane_baseline.exe beside this program
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "paneio.h"

namespace {

constexpr WPARAM kKey = VK_F5;
constexpr LPARAM kKeyData = 0x003F0001; // scan code 63, repeat count 1
constexpr int kLeft = 20, kTop = 20, kWidth = 760, kHeight = 560;

struct PXTARGET {
    const char* sName;
    const char* sExe;
    const char* sClass;
    const char* sTitle;
    double ms[2][2]; // [posted, sent][empty, full]
};

double pxnow() {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / perMs;
}

long pxlength(HWND hPane) {
    DWORD_PTR n = 0;
    return pxsend(hPane, WM_GETTEXTLENGTH, 0, 0, &n) ? static_cast<long>(n) : -1;
}

// Until the program has worked off its queue and the pane has not changed for 300 ms.
bool pxidle(HWND hFrame, HWND hPane) {
    long last = -2;
    double since = pxnow();
    const double end = since + 120000;
    for (;;) {
        if (!pxsend(hFrame, WM_NULL, 0, 0)) return false;
        const long n = pxlength(hPane);
        const double now = pxnow();
        if (n != last) {
            last = n;
            since = now;
        } else if (now - since >= 300) {
            return true;
        }
        if (now > end) return false;
        Sleep(20);
    }
}

// Milliseconds until the pane reaches nWant characters, from t0.
double pxuntil(HWND hPane, long nWant, double t0) {
    for (;;) {
        const long n = pxlength(hPane);
        if (n < 0) return -1;
        if (n >= nWant) return pxnow() - t0;
        if (pxnow() - t0 > 600000) return -1;
        Sleep(1);
    }
}

// Report-like lines, so that the pane's line handling is as in use.
std::string PXFILLTEXT(long nBytes) {
    static const char kLine[] = "\r\nWM_KeyDown called with\r\nkey code = 116(x74)  VK_F5\r\n"
                                "  scan code =  63(x03F)\r\n  CapsLock OFF    NumLock OFF    "
                                "ScrollLock OFF\r\n  Keys pressed:\r\n";
    std::string s;
    s.reserve(static_cast<std::size_t>(nBytes) + sizeof kLine);
    while (static_cast<long>(s.size()) < nBytes) s += kLine;
    s.resize(static_cast<std::size_t>(nBytes));
    return s;
}

HWND pxwaitwindow(const PXTARGET& t) {
    for (int i = 0; i < 300; ++i) {
        if (const HWND h = FindWindowA(t.sClass, t.sTitle)) return h;
        Sleep(100);
    }
    return nullptr;
}

bool pxrun(PXTARGET& t, const std::string& sDir, int nReports, long nFill) {
    std::string cmd = "\"" + sDir + t.sExe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "tapmon_flood: cannot start %s\n", cmd.c_str());
        return false;
    }
    bool ok = false;
    const HWND hFrame = pxwaitwindow(t);
    const HWND hPane = hFrame ? FindWindowExA(hFrame, nullptr, "Edit", nullptr) : nullptr;
    if (hPane) {
        SetWindowPos(hFrame, HWND_TOP, kLeft, kTop, kWidth, kHeight, SWP_SHOWWINDOW);
        SetForegroundWindow(hFrame);
        ok = pxidle(hFrame, hPane);
        // One report, to learn its length: every report of the flood has the same.
        pxsend(hPane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        pxsend(hFrame, WM_KEYDOWN, kKey, kKeyData);
        ok = ok && pxidle(hFrame, hPane);
        const long nReport = pxlength(hPane);
        const std::string sFill = PXFILLTEXT(nFill);
        for (int mode = 0; ok && mode < 2; ++mode) {
            for (int full = 0; ok && full < 2; ++full) {
                const long nStart = full ? nFill : 0;
                ok = pxsettext(hPane, full ? sFill : std::string()) && pxidle(hFrame, hPane) &&
                     pxlength(hPane) == nStart;
                if (!ok) {
                    std::fprintf(stderr,
                                 "tapmon_flood: %s: the pane was not set to %ld characters\n",
                                 t.sName, nStart);
                    break;
                }
                const double t0 = pxnow();
                for (int i = 0; ok && i < nReports; ++i)
                    ok = mode == 0 ? PostMessageA(hFrame, WM_KEYDOWN, kKey, kKeyData) != 0
                                   : pxsend(hFrame, WM_KEYDOWN, kKey, kKeyData);
                const double ms = ok ? pxuntil(hPane, nStart + nReport * nReports, t0) : -1;
                ok = ms >= 0 && pxidle(hFrame, hPane) &&
                     pxlength(hPane) == nStart + nReport * nReports;
                if (!ok)
                    std::fprintf(stderr, "tapmon_flood: %s, %s, %s pane: %ld characters, not %ld\n",
                                 t.sName, mode ? "sent" : "posted", full ? "full" : "empty",
                                 pxlength(hPane), nStart + nReport * nReports);
                t.ms[mode][full] = ms / nReports;
            }
        }
        if (!ok) std::fprintf(stderr, "tapmon_flood: %s did not take the reports\n", t.sName);
        PostMessageA(hFrame, WM_CLOSE, 0, 0);
    } else {
        std::fprintf(stderr, "tapmon_flood: no window of %s\n", t.sName);
    }
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    const int nReports = argc > 1 ? std::atoi(argv[1]) : 1000;
    const long nFill = argc > 2 ? std::atol(argv[2]) : 1L << 20;
    if (nReports <= 0 || nFill <= 0) {
        std::fprintf(stderr, "usage: tapmon_flood [REPORTS [BYTES]]\n");
        return 2;
    }
    char sPath[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, sPath, MAX_PATH);
    char* slash = n && n < MAX_PATH ? std::strrchr(sPath, '\\') : nullptr;
    if (!slash) return 1;
    slash[1] = '\0';

    PXTARGET targets[2] = {{"Tapmon", "Tapmon.exe", "XWndClass", "Tapmon", {}},
                           {"baseline", "pane_baseline.exe", "PaneBaseline", "Pane baseline", {}}};
    for (PXTARGET& t : targets)
        if (!pxrun(t, sPath, nReports, nFill)) return 1;

    std::printf("%d key-down reports flooded into each visible pane; end figures after a "
                "pre-fill of %ld characters\n",
                nReports, nFill);
    std::printf("%-30s %14s %14s %8s\n", "ms per report", "Tapmon", "baseline", "ratio");
    static const char* const kRows[2][2] = {
        {"posted at once, empty pane", "posted at once, full pane"},
        {"sent one by one, empty pane", "sent one by one, full pane"}};
    for (int mode = 0; mode < 2; ++mode)
        for (int full = 0; full < 2; ++full) {
            const double a = targets[0].ms[mode][full], b = targets[1].ms[mode][full];
            std::printf("%-30s %14.3f %14.3f %8.3f\n", kRows[mode][full], a, b, a / b);
        }
    return 0;
}
