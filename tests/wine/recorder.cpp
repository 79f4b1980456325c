// Recording windows for message-sequence tests.
#include "recorder.h"

XMSGSEQ xRecLog;
std::map<unsigned, LRESULT> xRecAnswer;
bool bRecording = false;

namespace {

void pxlog(UINT msg, unsigned kind, WPARAM wParam, LPARAM lParam) {
    xRecLog.push_back({msg, kind, static_cast<std::uint64_t>(wParam),
                       static_cast<std::uint64_t>(static_cast<ULONG_PTR>(lParam))});
}

LRESULT CALLBACK pxrecproc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (bRecording) pxlog(msg, XS_DEFAULT, wParam, lParam);
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

} // namespace

void XREC_REGISTER() {
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), XREC_CLASS, &wc)) return;
    wc.lpfnWndProc = pxrecproc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = XREC_CLASS;
    RegisterClassA(&wc);
}

LRESULT XREC_HANDLER(XWND&, int& iMsg, WPARAM& wParam, LPARAM& lParam) {
    pxlog(static_cast<UINT>(iMsg), XS_HANDLER, wParam, lParam);
    auto it = xRecAnswer.find(static_cast<unsigned>(iMsg));
    return it == xRecAnswer.end() ? XFALSE : it->second;
}

LRESULT XREC_TYPED(UINT iMsg) {
    pxlog(iMsg, XS_HANDLER, 0, 0);
    auto it = xRecAnswer.find(iMsg);
    return it == xRecAnswer.end() ? XFALSE : it->second;
}

bool XREC_CREATE(XWND& xWnd, HWND hParent, int iStyle) {
    XREC_REGISTER();
    XWND parent;
    parent.hWnd = hParent;
    if (hParent) iStyle |= WS_CHILD;
    return XCREATEWINDOW(xWnd, parent, iStyle, "recorder", std::nullopt, 10, 10, 300, 200, nullptr,
                         XREC_CLASS, hParent ? std::optional<int>(1) : std::nullopt);
}

void XREC_START() {
    xRecLog.clear();
    xRecAnswer.clear();
    bRecording = true;
}

void XREC_PUMP() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (bRecording && msg.hwnd) pxlog(msg.message, XS_POSTED, msg.wParam, msg.lParam);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
