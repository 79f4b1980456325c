// Helpers for tests that run on the real API inside the framework's message loop.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ZEBApp.h"

// Records the framework's software exceptions (0xE00000E1, 0xE00000E3) raised while it lives
// and lets execution continue after the raise.
class XExceptionLog {
  public:
    XExceptionLog();
    ~XExceptionLog();
    XExceptionLog(const XExceptionLog&) = delete;
    XExceptionLog& operator=(const XExceptionLog&) = delete;
    const std::vector<DWORD>& codes() const { return codes_; }

  private:
    static LONG CALLBACK handler(EXCEPTION_POINTERS* info);
    static XExceptionLog* current_;
    void* cookie_;
    std::vector<DWORD> codes_;
};

// A handler of whatever argument list message Msg prescribes: counts calls, answers nResult.
template <class Sig, UINT Msg> struct XCOUNTING;
template <class R, class... A, UINT Msg> struct XCOUNTING<R(A...), Msg> {
    static inline int nCalls = 0;
    static inline R nResult = 0;
    static R fn(A...) {
        ++nCalls;
        return nResult;
    }
};
template <UINT Msg> using XCOUNT = XCOUNTING<typename XHANDLER_T<Msg>::type, Msg>;

// Dispatches whatever is queued, without the framework's pre-processing.
void XTEST_PUMP();

// Removes a posted quit (the framework posts one when the application frame goes away), and
// returns its code, or -1 when none was queued.
int XTEST_TAKEQUIT();

// Another program, peer_app.exe beside the test program, started with sArgs; ended (if it still
// runs) when the object goes.
class XTestPeer {
  public:
    explicit XTestPeer(const std::string& sArgs);
    ~XTestPeer();
    XTestPeer(const XTestPeer&) = delete;
    XTestPeer& operator=(const XTestPeer&) = delete;
    bool started() const { return pi_.hProcess != nullptr; }
    // Its exit code if it ends within ms milliseconds.
    std::optional<DWORD> wait(DWORD ms);
    // Its "zeb peer" window, waited for up to 10 s (0 if none appeared).
    HWND window();

  private:
    PROCESS_INFORMATION pi_{};
};
