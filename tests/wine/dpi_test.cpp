// DPI awareness on the real API, at whatever DPI the prefix has (CTest runs the program at 96
// and again in a prefix of its own at 192; ZEB_EXPECT_DPI names the one it must find): the
// manifest's settings and common controls 6, WM_DPICHANGED at framework windows, the About box
// and the message box laid out at the display's DPI, and the real Tapmon.exe's pane and About
// box. The program embeds Tapmon's resources, manifest included.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlwapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ZEBDialog.h"
#include "ZEBGDI.h"
#include "resource.h"
#include "zebtest.h"

namespace {

template <class F> F PXPROC(const char* sModule, const char* sName) {
    const HMODULE h = GetModuleHandleA(sModule);
    return h ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(h, sName))) : nullptr;
}

int PXEXPECTEDDPI() {
    const char* s = std::getenv("ZEB_EXPECT_DPI");
    return s ? std::atoi(s) : 0;
}

bool PXUNDERWINE() {
    return PXPROC<void (*)()>("ntdll", "wine_get_version") != nullptr;
}

// A child's rectangle in its parent's client coordinates.
RECT PXCHILDRECT(HWND hChild) {
    RECT r{};
    GetWindowRect(hChild, &r);
    MapWindowPoints(nullptr, GetParent(hChild), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string PXRECTTEXT(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// ---- The manifest ----------------------------------------------------------------------------

TEST(Manifest, TheDisplayHasTheDpiTheRunAsksFor) {
    const int want = PXEXPECTEDDPI();
    if (want == 0) GTEST_SKIP() << "ZEB_EXPECT_DPI not set";
    EXPECT_EQ(FXSYSTEMDPI(), want);
    EXPECT_EQ(XGETDPI(XWND{}), want);
}

TEST(Manifest, TheProcessIsPerMonitorAware) {
    EXPECT_TRUE(IsProcessDPIAware());
    using XGETCONTEXT = DPI_AWARENESS_CONTEXT(WINAPI*)();
    using XAWARENESS = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto context = PXPROC<XGETCONTEXT>("user32", "GetThreadDpiAwarenessContext");
    const auto awareness = PXPROC<XAWARENESS>("user32", "GetAwarenessFromDpiAwarenessContext");
    if (context && awareness) {
        EXPECT_EQ(awareness(context()), DPI_AWARENESS_PER_MONITOR_AWARE);
    }
    // What the embedded manifest asks for, as the loader read it.
    using XSETTINGS =
        BOOL(WINAPI*)(DWORD, HANDLE, const WCHAR*, const WCHAR*, WCHAR*, SIZE_T, SIZE_T*);
    const auto settings = PXPROC<XSETTINGS>("kernel32", "QueryActCtxSettingsW");
    if (!settings) GTEST_SKIP() << "no QueryActCtxSettingsW";
    WCHAR buf[64] = {};
    SIZE_T n = 0;
    ASSERT_TRUE(settings(0, nullptr, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                         L"dpiAwareness", buf, 64, &n));
    EXPECT_EQ(std::wstring(buf), L"PerMonitorV2, PerMonitor");
    ASSERT_TRUE(settings(0, nullptr, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                         L"dpiAware", buf, 64, &n));
    EXPECT_EQ(std::wstring(buf), L"true/pm");
}

// The framework links comctl32: the loaded one is the side-by-side version 6, and the standard
// control classes are its own (visual styles), not the system's first ones.
TEST(Manifest, CommonControlsSix) {
    const HMODULE hComctl = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(hComctl, nullptr);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(hComctl, path, MAX_PATH);
    EXPECT_NE(std::string(path).find("common-controls_6595b64144ccf1df_6.0."), std::string::npos)
        << path;
    // Only version 6's button knows its ideal size.
    const HWND button = CreateWindowExA(0, "Button", "OK", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(button, nullptr);
    SIZE ideal{};
    EXPECT_TRUE(SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    EXPECT_GT(ideal.cx, 0);
    DestroyWindow(button);
    using XGETVERSION = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    const auto version = reinterpret_cast<XGETVERSION>(
        reinterpret_cast<void*>(GetProcAddress(hComctl, "DllGetVersion")));
    ASSERT_NE(version, nullptr);
    DLLVERSIONINFO vi{};
    vi.cbSize = sizeof vi;
    ASSERT_EQ(version(&vi), S_OK);
    // Wine's one comctl32 answers 5.81 in either role.
    if (!PXUNDERWINE()) {
        EXPECT_EQ(vi.dwMajorVersion, 6u);
    }
}

// ---- WM_DPICHANGED ---------------------------------------------------------------------------

class DpiChanged : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(
            XCREATEWINDOW(w, XWND{}, WS_OVERLAPPEDWINDOW, "dpi", std::nullopt, 10, 20, 300, 200));
        XCOUNT<WM_DPICHANGED>::nCalls = 0;
    }
    void TearDown() override {
        if (IsWindow(w.hWnd)) XDESTROYWINDOW(w);
        XTEST_PUMP();
    }
    RECT send(int iDpi, RECT suggested) {
        SendMessageA(w.hWnd, WM_DPICHANGED, MAKEWPARAM(iDpi, iDpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT now{};
        GetWindowRect(w.hWnd, &now);
        return now;
    }
    XWND w;
};

constexpr RECT kSuggested{40, 50, 640, 450};

TEST_F(DpiChanged, WithoutAHandlerTheWindowTakesTheSuggestedRectangle) {
    EXPECT_EQ(PXRECTTEXT(send(192, kSuggested)), PXRECTTEXT(kSuggested));
}

TEST_F(DpiChanged, AHandlerThatDeclinesStillGetsTheMove) {
    ASSERT_TRUE(XSETHANDLER<WM_DPICHANGED>(w, XCOUNT<WM_DPICHANGED>::fn));
    XCOUNT<WM_DPICHANGED>::nResult = XFALSE;
    EXPECT_EQ(PXRECTTEXT(send(192, kSuggested)), PXRECTTEXT(kSuggested));
    EXPECT_EQ(XCOUNT<WM_DPICHANGED>::nCalls, 1);
}

TEST_F(DpiChanged, AHandlerThatAnswersTrueKeepsTheWindowWhereItIs) {
    RECT before{};
    GetWindowRect(w.hWnd, &before);
    ASSERT_TRUE(XSETHANDLER<WM_DPICHANGED>(w, XCOUNT<WM_DPICHANGED>::fn));
    XCOUNT<WM_DPICHANGED>::nResult = XTRUE;
    EXPECT_EQ(PXRECTTEXT(send(192, kSuggested)), PXRECTTEXT(before));
    EXPECT_EQ(XCOUNT<WM_DPICHANGED>::nCalls, 1);
}

// Another process may send the message with any long parameter: nothing is read from an
// address that is not there, and an empty rectangle moves nothing.
TEST_F(DpiChanged, NoRectangleOrAnEmptyOneLeavesTheWindowAlone) {
    RECT before{};
    GetWindowRect(w.hWnd, &before);
    SendMessageA(w.hWnd, WM_DPICHANGED, MAKEWPARAM(192, 192), 0);
    SendMessageA(w.hWnd, WM_DPICHANGED, MAKEWPARAM(192, 192), 0x10);
    EXPECT_EQ(PXRECTTEXT(send(192, RECT{100, 100, 100, 300})), PXRECTTEXT(before));
    EXPECT_TRUE(IsWindow(w.hWnd));
}

// ---- Dialog units at the display's DPI -------------------------------------------------------

// Tapmon's About box as the resource gives it: the rectangles in dialog units, in the order of
// the controls.
struct XDLU {
    int x, y, cx, cy;
};
const XDLU kAboutBox{0, 0, 186, 58};
const std::vector<XDLU> kAboutControls{
    {67, 38, 50, 14}, {7, 7, 20, 20}, {50, 7, 110, 14}, {50, 23, 110, 14}};
constexpr std::size_t kIconControl = 1; // an icon static takes the icon's size

std::vector<HWND> PXCHILDREN(HWND hParent) {
    std::vector<HWND> v;
    for (HWND h = GetWindow(hParent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) v.push_back(h);
    return v;
}

// The control rectangles the dialog manager must give the box: the template's dialog units
// through the box's own base units.
std::vector<RECT> PXEXPECTEDABOUT(HWND hDlg) {
    std::vector<RECT> v;
    // Position and size are each turned into pixels, as the dialog manager does.
    for (const XDLU& d : kAboutControls) {
        RECT r{d.x, d.y, d.cx, d.cy};
        MapDialogRect(hDlg, &r);
        v.push_back(RECT{r.left, r.top, r.left + r.right, r.top + r.bottom});
    }
    return v;
}

// The box's controls against their dialog units; where shows what is compared.
void PXCHECKABOUT(HWND hBox, const std::vector<RECT>& expected, const std::string& where) {
    const std::vector<HWND> ctl = PXCHILDREN(hBox);
    ASSERT_EQ(ctl.size(), expected.size()) << where;
    for (std::size_t i = 0; i < ctl.size(); ++i) {
        const RECT got = PXCHILDRECT(ctl[i]);
        const RECT& want = expected[i];
        if (i == kIconControl)
            EXPECT_EQ(PXRECTTEXT(RECT{got.left, got.top, got.left, got.top}),
                      PXRECTTEXT(RECT{want.left, want.top, want.left, want.top}))
                << where << ": icon position";
        else
            EXPECT_EQ(PXRECTTEXT(got), PXRECTTEXT(want)) << where << ": control " << i;
    }
}

class AboutBox : public ::testing::Test {
  protected:
    void TearDown() override {
        XDESTROYDIALOG(box);
        XTEST_PUMP();
    }
    XWND box;
};

TEST_F(AboutBox, ControlsKeepTheirDialogUnits) {
    ASSERT_TRUE(XLOADDIALOG(IDD_ABOUT, box));
    PXCHECKABOUT(box.hWnd, PXEXPECTEDABOUT(box.hWnd), "loaded here");
    RECT client{}, want{0, 0, kAboutBox.cx, kAboutBox.cy};
    GetClientRect(box.hWnd, &client);
    MapDialogRect(box.hWnd, &want);
    EXPECT_EQ(PXRECTTEXT(client), PXRECTTEXT(want));
    // The template's 8-point font, at the display's DPI.
    const auto font = reinterpret_cast<HFONT>(SendMessageA(box.hWnd, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
    EXPECT_NEAR(std::abs(lf.lfHeight), MulDiv(8, XGETDPI(box), 72), 1);
}

// ---- The message box -------------------------------------------------------------------------

struct XBOXSEEN {
    bool bSeen = false;
    int iFontHeight = 0; // of the box's font, in pixels
    RECT text{};         // the text control
    int iTextHeight = 0; // the text drawn with the box's font into the control's width
} xBoxSeen;

BOOL CALLBACK pxfindbox(HWND h, LPARAM l) {
    char title[32] = {};
    GetWindowTextA(h, title, sizeof title);
    if (!IsWindowVisible(h) || std::string(title) != "DPI box") return TRUE;
    *reinterpret_cast<HWND*>(l) = h;
    return FALSE;
}

void CALLBACK pxboxtimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), pxfindbox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(nullptr, id);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    xBoxSeen.iFontHeight = std::abs(lf.lfHeight);
    for (HWND h : PXCHILDREN(box)) {
        char cls[16] = {}, text[128] = {};
        GetClassNameA(h, cls, sizeof cls);
        GetWindowTextA(h, text, sizeof text);
        if (lstrcmpiA(cls, "Static") || !text[0]) continue;
        xBoxSeen.text = PXCHILDRECT(h);
        const HDC dc = GetDC(h);
        const HGDIOBJ old = SelectObject(dc, font);
        RECT r{0, 0, xBoxSeen.text.right - xBoxSeen.text.left, 0};
        xBoxSeen.iTextHeight = DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_WORDBREAK);
        SelectObject(dc, old);
        ReleaseDC(h, dc);
    }
    xBoxSeen.bSeen = true;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(BoxAtTheDpi, FontFollowsTheDpiAndTheTextFitsItsControl) {
    xBoxSeen = XBOXSEEN{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, pxboxtimer);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(XMESSAGEBOX("Two lines of text:\nthe second one longer than the first.",
                          std::string_view("DPI box")),
              IDOK);
    KillTimer(nullptr, timer);
    ASSERT_TRUE(xBoxSeen.bSeen);
    EXPECT_NEAR(xBoxSeen.iFontHeight, MulDiv(8, FXSYSTEMDPI(), 72), 1);
    EXPECT_GE(xBoxSeen.text.bottom - xBoxSeen.text.top, xBoxSeen.iTextHeight)
        << "text control " << PXRECTTEXT(xBoxSeen.text);
}

// ---- The real Tapmon.exe ---------------------------------------------------------------------

struct XFOUND {
    DWORD pid = 0;
    const char* sTitle = nullptr;
    HWND hWnd = nullptr;
};

BOOL CALLBACK pxfindwindow(HWND h, LPARAM l) {
    auto* f = reinterpret_cast<XFOUND*>(l);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char title[64] = {};
    GetWindowTextA(h, title, sizeof title);
    if (pid != f->pid || !IsWindowVisible(h) || std::string(title) != f->sTitle) return TRUE;
    f->hWnd = h;
    return FALSE;
}

HWND PXWAITWINDOW(DWORD pid, const char* sTitle) {
    for (int i = 0; i < 200; ++i) {
        XFOUND f{pid, sTitle, nullptr};
        EnumWindows(pxfindwindow, reinterpret_cast<LPARAM>(&f));
        if (f.hWnd) return f.hWnd;
        Sleep(50);
    }
    return nullptr;
}

class RealTapmon : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string exe = "Z:" ZEB_TAPMON_EXE;
        for (char& c : exe)
            if (c == '/') c = '\\';
        std::string cmd = "\"" + exe + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        ASSERT_TRUE(CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &si, &pi))
            << exe;
        frame = PXWAITWINDOW(pi.dwProcessId, "Tapmon");
        ASSERT_NE(frame, nullptr);
        // The frame shows before its pane is made: Tapmon is ready once it answers.
        DWORD_PTR r = 0;
        ASSERT_TRUE(SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &r));
        pane = GetWindow(frame, GW_CHILD);
        ASSERT_NE(pane, nullptr);
    }
    void TearDown() override {
        if (!pi.hProcess) return;
        if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    // Ends Tapmon through its close path; its exit code.
    DWORD close() {
        PostMessageA(frame, WM_CLOSE, 0, 0);
        DWORD code = 99;
        if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
    void covers(const std::string& where) {
        RECT client{};
        GetClientRect(frame, &client);
        EXPECT_EQ(PXRECTTEXT(PXCHILDRECT(pane)), PXRECTTEXT(client)) << where;
    }
    PROCESS_INFORMATION pi{};
    HWND frame = nullptr, pane = nullptr;
};

TEST_F(RealTapmon, PaneCoversTheClientAreaAndSurvivesEveryCharacter) {
    covers("at start");
    SetWindowPos(frame, nullptr, 30, 40, 517, 311, SWP_NOZORDER | SWP_NOACTIVATE);
    covers("after a resize");
    // Characters 128..255 through the pane's font (the proportional fonts' shaping dies on
    // some under 64-bit Wine).
    for (int c = 128; c < 256; ++c) PostMessageA(frame, WM_CHAR, c, 1);
    PostMessageA(frame, WM_CHAR, 'z', 1);
    // Sent messages overtake posted ones: wait until the last report is in the pane.
    std::string text;
    for (int i = 0; i < 200 && text.find("(x7A)  z") == std::string::npos; ++i) {
        Sleep(50);
        char buf[65536] = {};
        DWORD_PTR n = 0;
        ASSERT_TRUE(SendMessageTimeoutA(pane, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf),
                                        SMTO_ABORTIFHUNG, 10000, &n));
        text.assign(buf, n);
    }
    EXPECT_NE(text.find("(x7A)  z"), std::string::npos) << text.substr(0, 200);
    covers("after the characters");
    EXPECT_EQ(close(), 0u);
}

TEST_F(RealTapmon, AboutBoxKeepsTheDialogUnitsOfItsTemplate) {
    PostMessageA(frame, WM_COMMAND, IDM_ABOUT, 0);
    const HWND about = PXWAITWINDOW(pi.dwProcessId, "About Tapmon");
    ASSERT_NE(about, nullptr);
    // The same template here, at the same DPI, tells where the dialog manager puts each control.
    XWND mine;
    ASSERT_TRUE(XLOADDIALOG(IDD_ABOUT, mine));
    PXCHECKABOUT(about, PXEXPECTEDABOUT(mine.hWnd), "Tapmon's");
    RECT theirs{}, ours{};
    GetClientRect(about, &theirs);
    GetClientRect(mine.hWnd, &ours);
    EXPECT_EQ(PXRECTTEXT(theirs), PXRECTTEXT(ours));
    XDESTROYDIALOG(mine);
    const HWND ok = GetDlgItem(about, IDOK);
    PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    for (int i = 0; i < 100 && IsWindow(about); ++i) Sleep(50);
    EXPECT_FALSE(IsWindow(about));
    EXPECT_EQ(close(), 0u);
}

} // namespace
