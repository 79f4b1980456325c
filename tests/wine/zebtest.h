// Helpers for tests that run on the real API inside the framework's message loop.
#pragma once

#include <windows.h>

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

// Dispatches whatever is queued, without the framework's pre-processing.
void XTEST_PUMP();

// Removes a posted quit (the framework posts one when the application frame goes away), and
// returns its code, or -1 when none was queued.
int XTEST_TAKEQUIT();
