// ZEBDialog: resource dialogs, modal and modeless.
#include "ZEBDialog.h"

#include <commctrl.h>

#include <string>

#include "ZEBApp.h"
#include "ZEBCtrl.h"
#include "ZEBDialogcore.h"
#include "ZEBGDI.h"

namespace {

constexpr int XRT_DLGINIT = 240;

// Transient state of the most recent calls; nothing here is needed between calls.
HINSTANCE hLoadModule = nullptr;
HWND hLoadOwner = nullptr;
DWORD nLoadError = 0;
BOOL bEndPosted = FALSE;

// The application's main frame while its window lives, else none.
HWND PXLIVEFRAME() {
    const XWND* f = xApp.pxFrame;
    return f && f->hWnd && IsWindow(f->hWnd) ? f->hWnd : nullptr;
}

HWND PXDEFAULTOWNER() {
    const HWND f = PXLIVEFRAME();
    return f ? f : GetDesktopWindow();
}

// Adds one record's string to its list or combo box; anything else is skipped.
void PXAPPLYINIT(HWND hDlg, const XDLGINITREC& rec) {
    if (rec.iMsg != XDLGINIT_ADDSTRING) return;
    const HWND hCtl = GetDlgItem(hDlg, rec.iCtlID);
    const XCTLREC* c = hCtl ? FXCTLBYHANDLE(hCtl) : nullptr;
    if (!c) return;
    UINT msg;
    switch (c->iClass) {
    case XCC_LISTBOX: msg = LB_ADDSTRING; break;
    case XCC_COMBOLIST:
    case XCC_COMBOEDIT: msg = CB_ADDSTRING; break;
    default: return;
    }
    const std::string text = FXDLGINITTEXT(rec);
    SendMessageA(hCtl, msg, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The dialog-initialised event for a callback in slot 1 of entry 0.
void PXINITCALLBACK(XWND& xDlg) {
    FXCTLREPORT(xDlg, xDlg.hWnd, xDlg.iID, WM_INITDIALOG);
}

// Whether a run with bDisableAll disables a window of the thread, and so enables it again.
// Child-style windows among them (the drop-down lists of combo boxes) are never touched: the
// running dialog's own must stay usable, and another's goes with its dialog.
bool PXRUNBLOCKS(HWND hWnd, HWND hDlg) {
    return hWnd != hDlg && !(GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD);
}

// The owner a modal run disables: never the desktop.
HWND PXOWNER(HWND hDlg) {
    const HWND h = GetParent(hDlg);
    return h == GetDesktopWindow() ? nullptr : h;
}

} // namespace

bool XLOADDIALOG(int ID, XWND& xDlg, std::optional<HWND> hParent,
                 std::optional<HINSTANCE> hInstance) {
    // A dialog the object still holds keeps its controls but loses their records, which go
    // with the list; nothing is left pointing into released memory.
    if (xDlg.xCtl.allocated() && IsWindow(xDlg.hWnd)) {
        XCTLDESTROYALL(xDlg, false);
        FXCTLRELEASE(xDlg);
    }
    xDlg.hWnd = nullptr;
    xDlg.nHandlers = xDlg.nControls = xDlg.nCommands = xDlg.reserved = 0;
    xDlg.iID = ID;
    xDlg.lpfnOldProc = XOLD_DIALOG;
    xDlg.xCtl.release();
    InitCommonControls();

    hLoadModule = hInstance.value_or(GetModuleHandleA(nullptr));
    hLoadOwner = hParent ? *hParent : PXDEFAULTOWNER();
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
    FXINITCTLREC(self, h, XCLS_DIALOG, style, hLoadOwner);
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
                  [hDlg](const XDLGINITREC& rec) { PXAPPLYINIT(hDlg, rec); });
}

BOOL CALLBACK pxdisableproc(HWND hWnd, LPARAM hDlg) {
    if (PXRUNBLOCKS(hWnd, reinterpret_cast<HWND>(hDlg))) EnableWindow(hWnd, FALSE);
    return TRUE;
}

BOOL CALLBACK pxenableproc(HWND hWnd, LPARAM hDlg) {
    if (PXRUNBLOCKS(hWnd, reinterpret_cast<HWND>(hDlg))) EnableWindow(hWnd, TRUE);
    return TRUE;
}

int XMODALDIALOG(XWND& xDlg, std::optional<HWND> hParent, std::optional<bool> bDisableAll) {
    if (!XISWINDOW(xDlg, XQ_HASOBJECT)) return -1;
    const HWND hDlg = xDlg.hWnd; // the object may be cleared while the loop runs
    ShowWindow(hDlg, SW_SHOW);
    HWND hOwner = PXOWNER(hDlg);
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
    PXINITCALLBACK(xDlg);

    int result = -1;
    MSG msg{};
    bool quit = false;
    // Destroyed by its initialisation callback: no message would come to end the run.
    while (IsWindow(hDlg)) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            break;
        }
        if (got == -1) continue; // nothing was taken
        if (msg.message == XM_ENDDIALOG) {
            if (reinterpret_cast<HWND>(msg.lParam) == hDlg) {
                result = static_cast<int>(msg.wParam);
                break;
            }
            continue; // another dialog's: an outer run must not end from in here
        }
        if (!(FXISCONTROLPARENT(GetActiveWindow()) && IsDialogMessageA(hDlg, &msg))) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        // Destroyed while running: nothing could end the run any more. A handler's exception
        // ends the run too, and is rethrown once the owner is enabled again.
        if (!IsWindow(hDlg) || FXPENDING()) break;
    }
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));

    if (all)
        EnumThreadWindows(GetCurrentThreadId(), pxenableproc, reinterpret_cast<LPARAM>(hDlg));
    else if (hOwner)
        EnableWindow(hOwner, TRUE);
    ShowWindow(hDlg, SW_HIDE);
    if (hOwner) SetActiveWindow(hOwner);
    FXRETHROW();
    return result;
}

bool XMODELESSDIALOG(XWND& xDlg, std::optional<int> nCmdShow) {
    if (!XISWINDOW(xDlg, XQ_HASOBJECT)) return false;
    ShowWindow(xDlg.hWnd, nCmdShow.value_or(SW_SHOW));
    PXINITCALLBACK(xDlg);
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
    const HWND h = xDlg.hWnd;
    if (h && IsWindow(h)) DestroyWindow(h);
    if (xDlg.hWnd != h) return; // the destruction callback loaded another dialog into it
    if (xDlg.xCtl.allocated()) FXCTLRELEASE(xDlg); // a window that had lost its object
    xDlg.hWnd = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Message box

#include <algorithm>
#include <cstring>

#include "ZEBReg.h"
#include "ZEBStrings.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the template holds 16-bit characters");

constexpr int XMB_TEXTFLAGS = 0x42C10; // word break, measure only, no prefix, edit-control
                                       // wrapping, word ellipsis

// All n bytes converted, however many wide characters they make.
std::u16string PXWIDE(std::string_view s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::u16string w(static_cast<std::size_t>(n > 0 ? n : 0), u'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()),
                            reinterpret_cast<wchar_t*>(w.data()), n);
    return w;
}

using XMBGETSTRING = LPCWSTR(WINAPI*)(UINT);

// The system's own caption for a standard button, cut to 100 characters; empty when the
// system has no such routine or no such text.
std::u16string PXSYSTEMCAPTION(XMBGETSTRING pfn, int iID) {
    if (!pfn || iID < 1 || iID > 7) return {};
    const LPCWSTR s = pfn(static_cast<UINT>(iID - 1));
    if (!s) return {};
    std::u16string w;
    for (const wchar_t* p = s; *p && w.size() < 100; ++p) w += static_cast<char16_t>(*p);
    return w;
}

// The dialog font: DEFAULT_GUI_FONT's face, its height turned into points (the logical font
// holds pixels, negative for a character height). The stock font is made for the system DPI,
// so its pixels are turned into points at that DPI; the dialog manager turns the points back
// into pixels at the box's own DPI, and the box's font follows the display it is shown on.
void PXDIALOGFONT(XMBSPEC& content) {
    LOGFONTA lf{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    int pt = 8;
    if (lf.lfHeight != 0)
        pt = MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, FXSYSTEMDPI());
    content.iPointSize = static_cast<std::uint16_t>(pt > 0 ? pt : 8);
    content.sFace = PXWIDE(std::string_view(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)));
}

// The text measured in the box's own font, made as the dialog manager makes it at the system
// DPI, and that font's base units (its average letter width, rounded, and its height): the
// dialog manager turns the dialog units back into pixels with the same font, so the text fits
// at any DPI and in any face. The widest text keeps to 700 pixels at 96 DPI, scaled.
void PXMBMEASURE(XMBMEASURE& m, std::string_view sText, const XMBSPEC& content) {
    const int dpi = FXSYSTEMDPI();
    // A plain array: a wide string class here would add its whole library code to every program.
    wchar_t face[LF_FACESIZE] = {};
    std::copy_n(content.sFace.begin(), std::min<std::size_t>(content.sFace.size(), LF_FACESIZE - 1),
                face);
    const HFONT font = CreateFontW(-MulDiv(content.iPointSize, dpi, 72), 0, 0, 0, FW_DONTCARE,
                                   FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    RECT rc{0, 0, MulDiv(700, dpi, 96), MulDiv(600, dpi, 96)};
    m.h = DrawTextA(dc, sText.data(), static_cast<int>(sText.size()), &rc, XMB_TEXTFLAGS);
    m.w = static_cast<int>(rc.right * 1.05);
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    TEXTMETRICA tm{};
    SIZE sz{};
    if (font && GetTextMetricsA(dc, &tm) && GetTextExtentPoint32A(dc, kLetters, 52, &sz)) {
        m.bx = static_cast<int>((sz.cx / 26 + 1) / 2);
        m.by = static_cast<int>(tm.tmHeight);
    } else {
        const LONG units = GetDialogBaseUnits();
        m.bx = LOWORD(units);
        m.by = HIWORD(units);
    }
    if (old) SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    if (font) DeleteObject(font);
}

// The standard icon's ordinal in the system's module. Where the module keeps that icon only
// under the ordinal of its predefined icon (hand, question, exclamation, asterisk), that one;
// where it has neither, no icon control (the box still keeps the icon's room).
std::optional<std::uint16_t> PXSTDICON(HMODULE hUser, int iOrdinal) {
    const auto has = [hUser](int ord) {
        return hUser &&
               FindResourceA(hUser, MAKEINTRESOURCEA(ord), MAKEINTRESOURCEA(14)) != nullptr;
    };
    if (has(iOrdinal)) return static_cast<std::uint16_t>(iOrdinal);
    const int predefined = iOrdinal == 103   ? 32513
                           : iOrdinal == 102 ? 32514
                           : iOrdinal == 101 ? 32515
                                             : 32516;
    if (has(predefined)) return static_cast<std::uint16_t>(predefined);
    return std::nullopt;
}

// A title ends at its first NUL: what follows in a C buffer is no part of it, and a NUL
// inside the template would end it there and misplace everything after it.
std::string_view PXTITLE(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

// WM_INITDIALOG's long parameter: the default button's identifier, plus this mark for a box
// with custom captions, where IDCANCEL is a caption's index and not a cancel button.
constexpr LPARAM XMB_NOCANCEL = 0x10000;

// A box of ours whose Escape key and close box choose no button.
bool PXMBNOCANCEL(HWND hDlg) {
    return hDlg &&
           GetWindowLongPtrA(hDlg, DWLP_DLGPROC) ==
               reinterpret_cast<LONG_PTR>(pxmessageboxdlgproc) &&
           GetWindowLongPtrA(hDlg, DWLP_USER) == XMB_NOCANCEL;
}

// The dialog manager turns Escape into IDCANCEL before the box sees it; with custom captions
// that is the second caption's index, so the key is taken here and ends the box with 0.
LRESULT CALLBACK pxmbescapeproc(int iCode, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (iCode == MSGF_DIALOGBOX && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        const HWND hBox = GetAncestor(msg->hwnd, GA_ROOT);
        if (PXMBNOCANCEL(hBox)) {
            EndDialog(hBox, 0);
            return 1;
        }
    }
    return CallNextHookEx(nullptr, iCode, wParam, lParam);
}

// No frame: no owner rather than the desktop, which must never be disabled.
HWND PXMBOWNER(std::optional<HWND> hParent) {
    return hParent ? *hParent : PXLIVEFRAME();
}

void PXMBMODALITY(int flags, bool bEnable) {
    if (flags & XMB_FSYSMODAL)
        EnumWindows(pxmbenableproc, bEnable);
    else if (flags & XMB_FTASKMODAL)
        EnumThreadWindows(GetCurrentThreadId(), pxmbenableproc, bEnable);
}

} // namespace

int PXPUTCHAR(XWORDS& buf, int pos, std::string_view s) {
    return PXPUTWIDE(buf, pos, PXWIDE(s));
}

BOOL CALLBACK pxmbenableproc(HWND hWnd, LPARAM bEnable) {
    if (!(GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) EnableWindow(hWnd, bEnable != 0);
    return TRUE;
}

INT_PTR CALLBACK pxmessageboxdlgproc(HWND hDlg, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
    case WM_INITDIALOG: {
        HWND p = GetParent(hDlg);
        if (!p) p = GetDesktopWindow();
        RECT rp{}, rd{};
        GetWindowRect(p, &rp);
        GetWindowRect(hDlg, &rd);
        SetWindowPos(hDlg, nullptr, (rp.right + rp.left - rd.right + rd.left) / 2,
                     (rp.bottom + rp.top - rd.bottom + rd.top) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam & XMB_NOCANCEL);
        if (const HWND f = GetDlgItem(hDlg, static_cast<int>(lParam & 0xFFFF))) SetFocus(f);
        SendDlgItemMessageA(hDlg, XMB_CHECKID, BM_SETCHECK, BST_CHECKED, 0);
        return 0;
    }
    case WM_CLOSE:
        if (!PXMBNOCANCEL(hDlg)) return 0;
        EndDialog(hDlg, 0);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == XMB_CHECKID) return 0;
        const HWND c = GetDlgItem(hDlg, XMB_CHECKID);
        const int mult =
            c && SendMessageA(c, BM_GETCHECK, 0, 0) == BST_UNCHECKED ? XMB_ANSWERSCALE : 1;
        EndDialog(hDlg, id * mult);
        return 0;
    }
    default: return 0;
    }
}

int XMESSAGEBOX(std::string_view sText, std::optional<std::string_view> sCaption,
                std::optional<int> iFlags, std::optional<HWND> hParent, std::optional<int> iIcon,
                std::optional<std::string_view> sRegKey, std::optional<std::string_view> sRegValue,
                std::optional<HINSTANCE> hInstance,
                std::optional<std::vector<std::string>> sButtons) {
    // 1. A box answered before with the check box cleared is not shown again.
    const bool bReg = sRegKey && sRegValue;
    HKEY hKey = nullptr;
    if (bReg) {
        hKey = XREGOPEN(HKEY_CURRENT_USER, *sRegKey, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        XREG_OPENEXISTING);
        if (!hKey) return 0;
        int stored = 0;
        if (PXREGREADINT(hKey, *sRegValue, stored) == ERROR_SUCCESS && stored > 0) {
            XREGCLOSE(hKey);
            return stored;
        }
    }
    const int flags = iFlags.value_or(0);
    const HMODULE hUser = GetModuleHandleA("user32");
    const auto pfnGetString = hUser ? reinterpret_cast<XMBGETSTRING>(reinterpret_cast<void*>(
                                          GetProcAddress(hUser, "MB_GetString")))
                                    : nullptr;

    XMBSPEC content;
    content.iFlags = flags;
    content.bCheck = bReg;
    sText = PXTITLE(sText);
    content.sText = PXWIDE(sText);
    content.sCaption = sCaption ? PXWIDE(PXTITLE(*sCaption)) : std::u16string(u"Error");
    HINSTANCE hModule = hInstance.value_or(GetModuleHandleA(nullptr));
    bool bIcon = false;
    if (iIcon) {
        bIcon = true;
        // An ordinal is 16 bits: a larger number names no icon, not the one its low word does.
        if (*iIcon >= 1 && *iIcon <= 0xFFFF) content.iIcon = static_cast<std::uint16_t>(*iIcon);
    } else if (flags & 0xF0) {
        bIcon = true; // room for an icon even where the flags name none
        hModule = hUser;
        if (const auto ord = FXMBSTDICON(flags)) content.iIcon = PXSTDICON(hUser, *ord);
    }

    PXDIALOGFONT(content);
    XMBMEASURE m;
    PXMBMEASURE(m, sText, content);
    m.cyFrame = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    m.bIcon = bIcon;
    m.bCheck = bReg;

    if (sButtons) {
        const int n = std::min<int>(static_cast<int>(sButtons->size()), XMB_MAXBUTTONS);
        for (int k = 1; k <= n; ++k)
            content.buttons.push_back(
                {k,
                 {PXWIDE(XTRIM(PXTITLE((*sButtons)[static_cast<std::size_t>(k - 1)]))),
                  std::nullopt}});
    } else {
        for (int id : FXMBBUTTONSET(flags)) {
            std::u16string cap = PXSYSTEMCAPTION(pfnGetString, id);
            if (cap.empty()) cap = PXWIDE(FXMBFALLBACK(id));
            content.buttons.push_back({id, {cap, std::nullopt}});
        }
    }
    m.nButtons = static_cast<int>(content.buttons.size());
    const XWORDS words = FXMBTEMPLATE(content, FXMBLAYOUT(m));

    const HWND hOwner = PXMBOWNER(hParent);
    const int iDefault = ((flags & 0xF00) >> 8) + 1;
    const int idDefault =
        iDefault <= m.nButtons ? content.buttons[static_cast<std::size_t>(iDefault - 1)].iID : 0;

    int r = 0;
    const HGLOBAL hTemplate = GlobalAlloc(0, words.size() * sizeof(std::uint16_t));
    if (hTemplate) {
        std::memcpy(hTemplate, words.data(), words.size() * sizeof(std::uint16_t));
        PXMBMODALITY(flags, false);
        const HHOOK hEscape = sButtons ? SetWindowsHookExA(WH_MSGFILTER, pxmbescapeproc, nullptr,
                                                           GetCurrentThreadId())
                                       : nullptr;
        r = static_cast<int>(DialogBoxIndirectParamA(
            hModule, static_cast<LPCDLGTEMPLATEA>(static_cast<void*>(hTemplate)), hOwner,
            pxmessageboxdlgproc, idDefault | (sButtons ? XMB_NOCANCEL : 0)));
        if (hEscape) UnhookWindowsHookEx(hEscape);
        if (r >= XMB_ANSWERSCALE)
            r = -(r / XMB_ANSWERSCALE);
        else if (r < 0)
            r = 0;
        PXMBMODALITY(flags, true);
        GlobalFree(hTemplate);
    }
    if (r < 0 && bReg) PXREGWRITEINT(hKey, *sRegValue, -r);
    XREGCLOSE(hKey);
    FXRETHROW(); // what a handler threw while the box ran its loop
    return r < 0 ? -r : r;
}
