// Talking to a running Tapmon's pane from another process (end-to-end helper and benchmark).
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

// Tapmon: the top-level "XWndClass" window titled "Tapmon", or null.
inline BOOL CALLBACK pxfindframeproc(HWND h, LPARAM l) {
    char sClass[64], sTitle[64];
    if (GetClassNameA(h, sClass, sizeof sClass) && !std::strcmp(sClass, "XWndClass") &&
        GetWindowTextA(h, sTitle, sizeof sTitle) && !std::strcmp(sTitle, "Tapmon")) {
        *reinterpret_cast<HWND*>(l) = h;
        return FALSE;
    }
    return TRUE;
}
inline HWND pxframe() {
    HWND h = nullptr;
    EnumWindows(pxfindframeproc, reinterpret_cast<LPARAM>(&h));
    return h;
}

// SendMessageTimeoutA: a hung peer fails the call instead of hanging the caller.
inline bool pxsend(HWND h, UINT msg, WPARAM w, LPARAM l, DWORD_PTR* pResult = nullptr,
                   UINT ms = 60000) {
    DWORD_PTR r = 0;
    const bool ok = SendMessageTimeoutA(h, msg, w, l, SMTO_NORMAL, ms, &r) != 0;
    if (pResult) *pResult = r;
    return ok;
}

// Wine ends a process that is sent a message with a megabyte of text: large texts go in parts.
inline bool pxsettext(HWND hPane, const std::string& s) {
    constexpr std::size_t kPart = 256 * 1024;
    if (!pxsend(hPane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""))) return false;
    for (std::size_t at = 0; at < s.size(); at += kPart) {
        const std::string part = s.substr(at, kPart);
        DWORD_PTR n = 0;
        if (!pxsend(hPane, WM_GETTEXTLENGTH, 0, 0, &n) || !pxsend(hPane, EM_SETSEL, n, n) ||
            !pxsend(hPane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(part.c_str())))
            return false;
    }
    return true;
}
