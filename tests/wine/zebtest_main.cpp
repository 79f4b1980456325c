// Entry of the test programs on the real API. main() enters the framework's process entry;
// this XINIT creates a hidden host window and posts it a request that runs every test case
// from inside the main message loop, so the cases meet the framework as an application does.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "zebtest.h"

namespace {

constexpr UINT XTEST_RUN = WM_APP + 0x100;
XWND xHost;
int nResult = 1;

LRESULT pxrunall(XWND&, int&, WPARAM&, LPARAM&) {
    nResult = RUN_ALL_TESTS();
    XDESTROYWINDOW(xHost);
    XTEST_TAKEQUIT();
    PostQuitMessage(nResult);
    return XTRUE;
}

} // namespace

bool XINIT(std::string_view, int&) {
    const XWND none;
    if (!XCREATEWINDOW(xHost, none, WS_POPUP, "zebtest host")) return false;
    XSETHANDLER<XTEST_RUN>(xHost, pxrunall);
    PostMessageA(xHost.hWnd, XTEST_RUN, 0, 0);
    return true;
}

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    testing::InitGoogleTest(&argc, argv);
    XWINMAIN(GetModuleHandleA(nullptr), GetCommandLineA(), SW_SHOWNORMAL);
    std::fflush(stdout);
    return nResult;
}

XExceptionLog* XExceptionLog::current_ = nullptr;

XExceptionLog::XExceptionLog() : cookie_(AddVectoredExceptionHandler(1, handler)) {
    current_ = this;
}

XExceptionLog::~XExceptionLog() {
    RemoveVectoredExceptionHandler(cookie_);
    current_ = nullptr;
}

LONG CALLBACK XExceptionLog::handler(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (!current_ || (code != XEXC_WNDMISMATCH && code != XEXC_ARGLIST))
        return EXCEPTION_CONTINUE_SEARCH;
    current_->codes_.push_back(code);
    return EXCEPTION_CONTINUE_EXECUTION;
}

void XTEST_PUMP() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int XTEST_TAKEQUIT() {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return static_cast<int>(msg.wParam);
    return -1;
}

XTestPeer::XTestPeer(const std::string& sArgs) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "peer_app.exe";
    std::string cmd = "\"" + exe + "\" " + sArgs;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi_))
        pi_ = PROCESS_INFORMATION{};
}

XTestPeer::~XTestPeer() {
    if (!started()) return;
    if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

std::optional<DWORD> XTestPeer::wait(DWORD ms) {
    DWORD code = 0;
    if (!started() || WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(pi_.hProcess, &code))
        return std::nullopt;
    return code;
}

HWND XTestPeer::window() {
    for (int i = 0; i < 1000 && started(); ++i) {
        HWND h = nullptr;
        while ((h = FindWindowExA(nullptr, h, "XWndClass", "zeb peer")) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == pi_.dwProcessId) return h;
        }
        Sleep(10);
    }
    return nullptr;
}
