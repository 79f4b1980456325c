// panehook: the hook that "panetext final" places in Tapmon's thread. When Tapmon's frame gets
// WM_DESTROY its pane still exists and still holds everything that was reported, the lines
// written on the way to closing included (Alt+F4, File/Exit); the hook copies that text into
// the shared mapping "TapmonPaneFinal" that panetext reads once the frame is gone.
#include <windows.h>

#include <cstddef>
#include <cstring>

namespace {

struct PXFINAL {
    LONG bDone;
    DWORD nLength;
    char sText[1];
};
constexpr DWORD kFinalSize = 16u << 20;

bool pxistapmon(HWND h) {
    char sClass[64], sTitle[64];
    return GetClassNameA(h, sClass, sizeof sClass) && !std::strcmp(sClass, "XWndClass") &&
           GetWindowTextA(h, sTitle, sizeof sTitle) && !std::strcmp(sTitle, "Tapmon") &&
           !GetParent(h);
}

void pxsave(HWND hFrame) {
    const HWND hPane = FindWindowExA(hFrame, nullptr, "Edit", nullptr);
    const HANDLE hMap = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, "TapmonPaneFinal");
    if (!hPane || !hMap) return;
    if (auto* p = static_cast<PXFINAL*>(MapViewOfFile(hMap, FILE_MAP_ALL_ACCESS, 0, 0, 0))) {
        const DWORD room = kFinalSize - offsetof(PXFINAL, sText);
        p->nLength = static_cast<DWORD>(GetWindowTextA(hPane, p->sText, static_cast<int>(room)));
        InterlockedExchange(&p->bDone, 1);
        UnmapViewOfFile(p);
    }
    CloseHandle(hMap);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    PaneHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HC_ACTION) {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (cwp->message == WM_DESTROY && pxistapmon(cwp->hwnd)) pxsave(cwp->hwnd);
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
