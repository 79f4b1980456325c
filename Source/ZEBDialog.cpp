// ZEBDialog: resource dialogs, modal and modeless.
#include "ZEBDialog.h"

#include <commctrl.h>

#include <string>

#include "ZEBApp.h"
#include "ZEBCtrl.h"
#include "ZEBDialogcore.h"

namespace {

constexpr int XRT_DLGINIT = 240;
constexpr int XCLS_LISTBOX = 7, XCLS_DROPLIST = 8, XCLS_COMBO = 12;

// Transient state of the most recent calls; nothing here is needed between calls.
HINSTANCE hLoadModule = nullptr;
HWND hLoadOwner = nullptr;
DWORD nLoadError = 0;
BOOL bEndPosted = FALSE;

bool pxiscontrolparent(HWND hWnd) {
    return hWnd && (GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
}

HWND pxdefaultowner() {
    const XWND* f = xApp.pxFrame;
    if (f && f->hWnd && IsWindow(f->hWnd)) return f->hWnd;
    return GetDesktopWindow();
}

// Adds one record's string to its list or combo box; anything else is skipped.
void pxapplyinit(HWND hDlg, const XDLGINITREC& rec) {
    if (rec.iMsg != XDLGINIT_ADDSTRING) return;
    const HWND hCtl = GetDlgItem(hDlg, rec.iCtlID);
    const XCTLREC* c = hCtl ? FXCTLBYHANDLE(hCtl) : nullptr;
    if (!c) return;
    UINT msg;
    switch (c->iClass) {
    case XCLS_LISTBOX: msg = LB_ADDSTRING; break;
    case XCLS_DROPLIST:
    case XCLS_COMBO: msg = CB_ADDSTRING; break;
    default: return;
    }
    const std::string text = FXDLGINITTEXT(rec);
    SendMessageA(hCtl, msg, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The dialog-initialised event for a callback in slot 1 of entry 0.
void pxinitcallback(XWND& xDlg) {
    if (XCTLREC* c = FXCTLBYHANDLE(xDlg.hWnd)) FXCTLCALLBACK(xDlg, *c, xDlg.iID, WM_INITDIALOG);
}

// The owner a modal run disables: never the desktop.
HWND pxowner(HWND hDlg) {
    const HWND h = GetParent(hDlg);
    return h == GetDesktopWindow() ? nullptr : h;
}

} // namespace

bool XLOADDIALOG(int ID, XWND& xDlg, std::optional<HWND> hParent,
                 std::optional<HINSTANCE> hInstance) {
    xDlg.hWnd = nullptr;
    xDlg.nHandlers = xDlg.nControls = xDlg.nCommands = xDlg.reserved = 0;
    xDlg.iID = ID;
    xDlg.lpfnOldProc = XOLD_DIALOG;
    xDlg.xCtl.release();
    InitCommonControls();

    hLoadModule = hInstance.value_or(GetModuleHandleA(nullptr));
    hLoadOwner = hParent ? *hParent : pxdefaultowner();
    const HWND h = CreateDialogParamA(hLoadModule, MAKEINTRESOURCEA(ID), hLoadOwner,
                                      reinterpret_cast<DLGPROC>(fxwindowproc),
                                      reinterpret_cast<LPARAM>(&xDlg));
    nLoadError = GetLastError();
    xDlg.hWnd = h;
    if (!h) return false;

    FXBINDWINDOWCONTROLS(xDlg);
    PXPARSEDLGINIT(hLoadModule, xDlg, ID);
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    XCTLREC& self = xDlg.xCtl[0];
    self = XCTLREC{};
    self.hCtl = h;
    self.iClass = XCLS_DIALOG;
    self.iStyle = style;
    self.hParent = hLoadOwner;
    self.hBrush = XNOBRUSH;
    self.crText = -1;
    FXASSOCCTLTOHANDLE(h, self);
    if (style & WS_CHILD) SetWindowLongPtrA(h, GWLP_ID, ID);
    return true;
}

void PXPARSEDLGINIT(HINSTANCE hInstance, XWND& xDlg, int ID) {
    const HRSRC hRes =
        FindResourceA(hInstance, MAKEINTRESOURCEA(ID), MAKEINTRESOURCEA(XRT_DLGINIT));
    if (!hRes) return;
    const HGLOBAL hData = LoadResource(hInstance, hRes);
    const void* p = hData ? LockResource(hData) : nullptr;
    if (!p) return;
    const HWND hDlg = xDlg.hWnd;
    FXDLGINITWALK(p, SizeofResource(hInstance, hRes),
                  [hDlg](const XDLGINITREC& rec) { pxapplyinit(hDlg, rec); });
}

BOOL CALLBACK pxdisableproc(HWND hWnd, LPARAM hDlg) {
    const HWND d = reinterpret_cast<HWND>(hDlg);
    if (hWnd != d && !IsChild(d, hWnd)) EnableWindow(hWnd, FALSE);
    return TRUE;
}

BOOL CALLBACK pxenableproc(HWND hWnd, LPARAM hDlg) {
    if (hWnd != reinterpret_cast<HWND>(hDlg) && !(GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        EnableWindow(hWnd, TRUE);
    return TRUE;
}

int XMODALDIALOG(XWND& xDlg, std::optional<HWND> hParent, std::optional<bool> bDisableAll) {
    if (!XISWINDOW(xDlg, XQ_HASOBJECT)) return -1;
    const HWND hDlg = xDlg.hWnd; // the object may be cleared while the loop runs
    ShowWindow(hDlg, SW_SHOW);
    HWND hOwner = pxowner(hDlg);
    if (hParent && IsWindow(*hParent)) {
        hOwner = *hParent;
        // A pop-up dialog is owned, not parented: SetParent would clip it to the owner's
        // client area.
        if (GetWindowLongA(hDlg, GWL_STYLE) & WS_CHILD)
            SetParent(hDlg, hOwner);
        else
            SetWindowLongPtrA(hDlg, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hOwner));
    }
    const bool all = bDisableAll.value_or(false);
    if (all)
        EnumThreadWindows(GetCurrentThreadId(), pxdisableproc, reinterpret_cast<LPARAM>(hDlg));
    else if (hOwner)
        EnableWindow(hOwner, FALSE);
    ShowWindow(hDlg, SW_SHOW);
    SetActiveWindow(hDlg);
    pxinitcallback(xDlg);

    int result = -1;
    MSG msg{};
    bool quit = false;
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            break;
        }
        if (got == -1) break;
        if (msg.message == XM_ENDDIALOG) {
            if (reinterpret_cast<HWND>(msg.lParam) == hDlg) {
                result = static_cast<int>(msg.wParam);
                break;
            }
            continue; // another dialog's: an outer run must not end from in here
        }
        if (!(pxiscontrolparent(GetActiveWindow()) && IsDialogMessageA(hDlg, &msg))) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        // Destroyed while running: nothing could end the run any more.
        if (!IsWindow(hDlg)) break;
    }
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));

    if (all)
        EnumThreadWindows(GetCurrentThreadId(), pxenableproc, reinterpret_cast<LPARAM>(hDlg));
    else if (hOwner)
        EnableWindow(hOwner, TRUE);
    ShowWindow(hDlg, SW_HIDE);
    if (hOwner) SetActiveWindow(hOwner);
    return result;
}

bool XMODELESSDIALOG(XWND& xDlg, std::optional<int> nCmdShow) {
    if (!XISWINDOW(xDlg, XQ_HASOBJECT)) return false;
    ShowWindow(xDlg.hWnd, nCmdShow.value_or(SW_SHOW));
    pxinitcallback(xDlg);
    return true;
}

void XENDDIALOG(const XWND& xDlg, int iResult) {
    bEndPosted = PostMessageA(xDlg.hWnd, XM_ENDDIALOG, static_cast<WPARAM>(iResult),
                              reinterpret_cast<LPARAM>(xDlg.hWnd));
}

void XDESTROYDIALOG(XWND& xDlg) {
    // The window's WM_DESTROY still reports to entry 0 (event -31) and then releases every
    // control record; releasing them first would leave the dialog's own "XCTL" link pointing
    // at freed memory. A handle that is no window is left alone: enumerating its "children"
    // would walk every top-level window.
    if (xDlg.hWnd && IsWindow(xDlg.hWnd)) DestroyWindow(xDlg.hWnd);
    if (xDlg.xCtl.allocated()) { // a window that had lost its object: its children are gone
        xDlg.xCtl.release();
        xDlg.nControls = 0;
    }
    xDlg.hWnd = nullptr;
}
