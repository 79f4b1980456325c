// ZEBWND: window objects, the window registry, the one window procedure and the
// handler and command tables.
#include "ZEBWND.h"

#include <shellapi.h>

#include <algorithm>
#include <array>
#include <exception>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "ZEBApp.h"
#include "ZEBCtrl.h"
#include "ZEBGDI.h"
#include "ZEBStrings.h"

namespace {

constexpr char XWNDPROP[] = "XWND";
constexpr int XTITLEMAX = 1023;
constexpr int XCLASSMAX = 63;

// The "XWND" property is the public link from a handle to its object, but a property lookup is
// a round trip to the window server on some platforms. The window procedure runs on every
// message, so it finds objects in this in-process copy, which every change of the property
// made here keeps in step.
XHandleMap<HWND, XWND> xObjects;
XHandleMap<HWND, XWND>& PXOBJECTS() {
    return xObjects;
}

// Objects that XBINDWINDOW allocated; only these may be freed by XUNBINDWINDOW.
std::unordered_set<XWND*>& PXBOUND() {
    static std::unordered_set<XWND*> bound;
    return bound;
}

// Dialogs that have had the WM_INITDIALOG of their creation.
std::unordered_set<HWND>& PXINITIALISED() {
    static std::unordered_set<HWND> dialogs;
    return dialogs;
}

XWND xScratch;

void PXSETOBJECT(HWND hWnd, XWND* pxWnd) {
    SetPropA(hWnd, XWNDPROP, pxWnd);
    PXOBJECTS().set(hWnd, pxWnd);
}

void PXREMOVEOBJECT(HWND hWnd) {
    RemovePropA(hWnd, XWNDPROP);
    PXOBJECTS().erase(hWnd);
}

// Links a framework-class window to the object its creation data designates.
void PXATTACH(HWND hWnd, XWND* pxWnd) {
    pxWnd->hWnd = hWnd;
    if (GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) pxWnd->iID = GetWindowLongA(hWnd, GWL_ID);
    PXSETOBJECT(hWnd, pxWnd);
}

bool PXISFRAME(HWND hWnd) {
    return hWnd && xApp.pxFrame && xApp.pxFrame->hWnd == hWnd;
}

LONG PXEXSTYLE(HWND hWnd) {
    return GetWindowLongA(hWnd, GWL_EXSTYLE);
}

// The object default processing may use once application code has run for hWnd: that code
// may have unbound (and freed) the window's object, destroyed the window, or given the object
// another window. The kind of default processing stays what it was.
XWND* PXSTILLATTACHED(XWND* p, HWND hWnd, LONG_PTR iKind) {
    if (!p || (FXWNDBYHANDLE(hWnd) == p && p->hWnd == hWnd)) return p;
    static XWND xDetached;
    xDetached.hWnd = hWnd;
    xDetached.lpfnOldProc = iKind;
    return &xDetached;
}

// The handler step: true, with the handler's value in v, when the window has a handler.
// bDefaultRan tells that the decoding already gave the message its default processing.
// Afterwards p is what PXSTILLATTACHED gives.
bool PXHANDLER(XWND*& p, HWND hWnd, UINT& iMsg, WPARAM& wParam, LPARAM& lParam, LRESULT& v,
               bool* bDefaultRan = nullptr) {
    int i;
    if (!p || !FXGETHANDLER(static_cast<int>(iMsg), *p, i)) return false;
    const XPROCREF proc = p->pfnHandler[i]; // the handler may grow its own table
    const LONG_PTR kind = p->lpfnOldProc;
    v = FXCALLHANDLER(proc, *p, iMsg, wParam, lParam, bDefaultRan);
    p = PXSTILLATTACHED(p, hWnd, kind);
    return true;
}

// A control's report to the routing. Its callback may take the window away like a handler, so
// afterwards p is what PXSTILLATTACHED gives; without a record nothing ran.
XREPORT PXREPORT(XWND*& p, HWND hWnd, HWND hCtl, int iID, LPARAM iCode, NMHDR* nm = nullptr) {
    const LONG_PTR kind = p->lpfnOldProc;
    const XREPORT r = FXCTLREPORT(*p, hCtl, iID, iCode, nm);
    if (r != XREPORT::NORECORD) p = PXSTILLATTACHED(p, hWnd, kind);
    return r;
}

// Default processing runs once: where the decoding already ran it for a declining handler,
// its value is the result.
LRESULT PXGENERIC(XWND* p, HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT v;
    bool bDefaultRan = false;
    if (PXHANDLER(p, hWnd, iMsg, wParam, lParam, v, &bDefaultRan) &&
        (XISTRUE(v) || bDefaultRan || (FXMSGFLAGS(iMsg) & XMF_RESULTUNCHANGED)))
        return v;
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT PXONCREATE(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (cs->lpCreateParams && (PXEXSTYLE(hWnd) & WS_EX_MDICHILD)) {
        const auto* mcs = static_cast<const MDICREATESTRUCTA*>(cs->lpCreateParams);
        if (mcs->lParam) {
            p = reinterpret_cast<XWND*>(mcs->lParam);
            PXATTACH(hWnd, p);
        }
    }
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT PXONNCCREATE(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (cs->lpCreateParams && !(PXEXSTYLE(hWnd) & WS_EX_MDICHILD)) {
        p = static_cast<XWND*>(cs->lpCreateParams);
        PXATTACH(hWnd, p);
    }
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT PXONDESTROY(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    PXREPORT(p, hWnd, hWnd, static_cast<int>(wParam), WM_DESTROY);
    LRESULT v = 0, r = 0;
    if (!PXHANDLER(p, hWnd, iMsg, wParam, lParam, v) || v == 0) {
        if (PXISFRAME(hWnd))
            PostQuitMessage(0);
        else
            r = PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    }
    XCTLDESTROYALL(*p);
    return r;
}

LRESULT PXONSIZE(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    if (PXREPORT(p, hWnd, hWnd, static_cast<int>(wParam), WM_SIZE) == XREPORT::CALLED) return 0;
    LRESULT v;
    if (PXHANDLER(p, hWnd, iMsg, wParam, lParam, v) && XISTRUE(v)) return 0;
    if (p->iCanvasWidth || p->iCanvasHeight) {
        XSCROLLBARSET(*p, SB_HORZ, std::nullopt, std::nullopt, std::nullopt, LOWORD(lParam));
        XSCROLLBARSET(*p, SB_VERT, std::nullopt, std::nullopt, std::nullopt, HIWORD(lParam));
        XUPDATEWINDOW(*p);
        return 0;
    }
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT PXONSYSCOLORCHANGE(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    LRESULT v = 0;
    PXHANDLER(p, hWnd, iMsg, wParam, lParam, v);
    EnumChildWindows(hWnd, pxsyscolorproc, 0);
    return v;
}

LRESULT PXONSETCURSOR(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    LRESULT v;
    if (PXHANDLER(p, hWnd, iMsg, wParam, lParam, v) && XISTRUE(v))
        return TRUE; // the handler set it
    if (p->hCursor != XNOCURSOR && LOWORD(lParam) == HTCLIENT) {
        SetCursor(p->hCursor);
        return 1;
    }
    PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    return 0;
}

LRESULT PXONDRAWITEM(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    LRESULT v = 0;
    const XREPORT r = PXREPORT(p, hWnd, dis->hwndItem, static_cast<int>(wParam), lParam);
    if (r != XREPORT::NORECORD) {
        if (r == XREPORT::CALLED) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
        PXHANDLER(p, hWnd, iMsg, wParam, lParam, v);
        return v;
    }
    if (PXHANDLER(p, hWnd, iMsg, wParam, lParam, v)) return 1;
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

// Buttons with visual styles report each paint and each hover; buttons without them send no
// WM_NOTIFY at all, so these reports are answered "draw as usual" and go no further.
bool PXISSTYLEDBUTTONREPORT(const NMHDR* nm) {
    if (nm->code != NM_CUSTOMDRAW && nm->code != BCN_HOTITEMCHANGE && nm->code != BCN_DROPDOWN)
        return false;
    char cls[8];
    return GetClassNameA(nm->hwndFrom, cls, sizeof cls) == 6 && lstrcmpiA(cls, "Button") == 0;
}

LRESULT PXONNOTIFY(HWND hWnd, WPARAM wParam, LPARAM lParam, XWND* p) {
    const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
    HWND hParent = GetParent(nm->hwndFrom);
    if (hParent && hParent != hWnd && FXISCONTROLPARENT(hParent))
        return SendMessageA(hParent, WM_NOTIFY, wParam, lParam);
    if (!p || PXISSTYLEDBUTTONREPORT(nm)) return 0;
    const int id = static_cast<int>(nm->idFrom), code = static_cast<int>(nm->code);
    // A routine gives no answer, so it never vetoes a tab switch (nonzero would).
    const LRESULT handled = code == static_cast<int>(TCN_SELCHANGING) ? 0 : 1;
    if (PXREPORT(p, hWnd, nm->hwndFrom, id, code, reinterpret_cast<NMHDR*>(lParam)) ==
        XREPORT::CALLED)
        return handled;
    int i;
    if (FXGETCOMMAND(*p, id, i)) {
        FXCALLCOMMAND(*p, p->pfnCommand[i], static_cast<int>(wParam), code);
        return handled;
    }
    return 0;
}

LRESULT PXONHELP(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    const auto* hi = reinterpret_cast<const HELPINFO*>(lParam);
    if (p && PXREPORT(p, hWnd, hWnd, hi->iCtrlId, static_cast<LPARAM>(hi->dwContextId)) ==
                 XREPORT::CALLED)
        return TRUE;
    // The handler's value is the answer: default processing would pass the request on to the
    // parent, whose handler would then answer it a second time.
    LRESULT v;
    if (PXHANDLER(p, hWnd, iMsg, wParam, lParam, v)) return v;
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT PXONNCDESTROY(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    LRESULT v;
    if (p) PXHANDLER(p, hWnd, iMsg, wParam, lParam, v);
    LONG_PTR oldProc = XOLD_NONE;
    // Only the window's own object: one re-used for another window now belongs to that one.
    XWND* q = FXWNDBYHANDLE(hWnd);
    if (q && q->hWnd == hWnd) {
        oldProc = q->lpfnOldProc;
        XFREEWINDOW(*q);
    }
    PXOBJECTS().erase(hWnd);
    PXINITIALISED().erase(hWnd);
    FXRELEASEICONS(hWnd);
    // A subclassed control releases its own data here; withholding the message would leak it.
    if (oldProc != XOLD_NONE && oldProc != XOLD_DIALOG && oldProc != XOLD_CLASS)
        CallWindowProcA(reinterpret_cast<WNDPROC>(oldProc), hWnd, iMsg, wParam, lParam);
    return 0;
}

// The system sends WM_INITDIALOG once, to a dialog while it creates it; the thread takes no
// other message meanwhile, so any later one (posted, sent from another thread or process, or
// repeated) must not make the window procedure write through the long parameter.
// InSendMessageEx cannot tell: under Wine it answers ISMEX_SEND for ever once a send from
// another process has failed to arrive.
bool PXISCREATIONINIT(HWND hWnd, XWND* p) {
    const auto dialogClass = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(WC_DIALOG));
    return !p && GetClassWord(hWnd, GCW_ATOM) == dialogClass && !PXINITIALISED().count(hWnd);
}

LRESULT PXONINITDIALOG(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!PXISCREATIONINIT(hWnd, p)) return PXGENERIC(p, hWnd, iMsg, wParam, lParam);
    PXINITIALISED().insert(hWnd);
    if (lParam) {
        auto* pxDlg = reinterpret_cast<XWND*>(lParam);
        pxDlg->hWnd = hWnd;
        PXSETOBJECT(hWnd, pxDlg);
    }
    HWND hOwner = GetWindow(hWnd, GW_OWNER);
    if ((GetWindowLongA(hWnd, GWL_STYLE) & DS_CENTER) && hOwner) {
        RECT d, o;
        GetWindowRect(hWnd, &d);
        GetWindowRect(hOwner, &o);
        const int w = d.right - d.left, h = d.bottom - d.top;
        SetWindowPos(hWnd, nullptr, (o.left + o.right - w) / 2, (o.top + o.bottom - h) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
    }
    return 1;
}

LRESULT PXONCOMMAND(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    const int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (code == 1 && lParam == 0) code = 0; // accelerators report like menus
    const HWND hCtl = reinterpret_cast<HWND>(lParam);
    if (hCtl) {
        HWND hParent = GetParent(hCtl);
        if (hParent && hParent != hWnd && FXWNDBYHANDLE(hParent))
            return SendMessageA(hParent, WM_COMMAND, wParam, lParam);
    }
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    if (PXREPORT(p, hWnd, hCtl, id, code) == XREPORT::CALLED) return 0;
    int i;
    if (FXGETCOMMAND(*p, id, i)) {
        FXCALLCOMMAND(*p, p->pfnCommand[i], id, code);
        return 1;
    }
    if (id == IDCANCEL && p->lpfnOldProc == XOLD_DIALOG) {
        PostMessageA(hWnd, XM_ENDDIALOG, IDCANCEL, reinterpret_cast<LPARAM>(hWnd));
        if (PXISFRAME(hWnd)) PostQuitMessage(0);
        return 1;
    }
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

// New scroll position for a request code; line and page steps as the caller sizes them.
int PXSCROLLPOS(const SCROLLINFO& si, int iCode, int iLine, int iPage) {
    switch (iCode) {
    case SB_LINEUP: return si.nPos - iLine;
    case SB_LINEDOWN: return si.nPos + iLine;
    case SB_PAGEUP: return si.nPos - iPage;
    case SB_PAGEDOWN: return si.nPos + iPage;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return si.nTrackPos;
    default: return si.nPos;
    }
}

LRESULT PXONSCROLL(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    const int iCode = LOWORD(wParam);
    LRESULT v = 0;
    if (const HWND hBar = reinterpret_cast<HWND>(lParam)) {
        if (FXCTLHASRECORD(hBar)) {
            SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
            GetScrollInfo(hBar, SB_CTL, &si);
            const int page = std::max(static_cast<int>(si.nPage), 1);
            si.nPos = PXSCROLLPOS(si, iCode, 1, page);
            si.fMask = SIF_POS | SIF_DISABLENOSCROLL;
            SetScrollInfo(hBar, SB_CTL, &si, TRUE);
            if (PXREPORT(p, hWnd, hBar, GetWindowLongA(hBar, GWL_ID), iMsg) == XREPORT::CALLED)
                return 1;
        }
        PXHANDLER(p, hWnd, iMsg, wParam, lParam, v);
        return v;
    }
    if (PXHANDLER(p, hWnd, iMsg, wParam, lParam, v) && XISTRUE(v)) return 0;
    const bool vert = iMsg == WM_VSCROLL;
    if (vert ? p->iCanvasHeight : p->iCanvasWidth) {
        const int bar = vert ? SB_VERT : SB_HORZ;
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(hWnd, bar, &si);
        si.nPos = PXSCROLLPOS(si, iCode, si.nMax / 100, static_cast<int>(si.nPage));
        si.fMask = SIF_POS;
        SetScrollInfo(hWnd, bar, &si, TRUE);
        XUPDATEWINDOW(*p);
        return 0;
    }
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

// The answer is the system default's with the record's colours over it. With a brush, the
// default's brush and background colour are both replaced, so only its text colour is left to
// give: the system's window-text colour (3D face for a scroll bar), which the default sets
// for every control colour message.
LRESULT PXONCTLCOLOR(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    HBRUSH hBrush = XNOBRUSH;
    int crText = -1;
    COLORREF crBrush = 0;
    if (!FXCTLCOLOURS(reinterpret_cast<HWND>(lParam), hBrush, crText, crBrush) ||
        (hBrush == XNOBRUSH && crText == -1))
        return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    const HDC hDC = reinterpret_cast<HDC>(wParam);
    LRESULT r;
    if (hBrush == XNOBRUSH) {
        r = DefWindowProcA(hWnd, iMsg, wParam, lParam);
    } else {
        if (crText == -1)
            SetTextColor(
                hDC, GetSysColor(iMsg == WM_CTLCOLORSCROLLBAR ? COLOR_3DFACE : COLOR_WINDOWTEXT));
        SetBkColor(hDC, crBrush);
        r = reinterpret_cast<LRESULT>(hBrush);
    }
    if (crText != -1) SetTextColor(hDC, static_cast<COLORREF>(crText));
    return r;
}

LRESULT PXONMOUSEWHEEL(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    LRESULT v;
    if (PXHANDLER(p, hWnd, iMsg, wParam, lParam, v) && XISTRUE(v)) return 0;
    if (!(GetWindowLongA(hWnd, GWL_STYLE) & WS_VSCROLL))
        return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(hWnd, SB_VERT, &si);
    int d = si.nMax - si.nMin;
    if (static_cast<int>(static_cast<DWORD>(wParam)) < 0) d = -d;
    si.nPos -= d / 50;
    SetScrollInfo(hWnd, SB_VERT, &si, TRUE);
    XWND target;
    target.hWnd = hWnd;
    XUPDATEWINDOW(target);
    return 0;
}

// A window whose display changed its DPI takes the rectangle the system suggests (default
// processing does nothing with it), unless its handler placed the window itself (true). Dialogs
// are left to the dialog manager, which scales them by itself. The rectangle is read without
// faulting: another process may send the message with any long parameter.
LRESULT PXONDPICHANGED(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    LRESULT v;
    if (PXHANDLER(p, hWnd, iMsg, wParam, lParam, v) && XISTRUE(v)) return v;
    const LRESULT r = PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    RECT rc;
    SIZE_T n = 0;
    if ((p && p->lpfnOldProc == XOLD_DIALOG) || !lParam ||
        !ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(lParam), &rc, sizeof rc,
                           &n) ||
        n != sizeof rc || rc.right <= rc.left || rc.bottom <= rc.top)
        return r;
    SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return r;
}

LRESULT PXONCREATECONTROL(HWND hWnd, WPARAM wParam, LPARAM lParam, XWND* p) {
    HWND hCtl = nullptr;
    if (const auto* b = reinterpret_cast<const XCREATEBLOCK*>(wParam)) {
        if (const char* cls = FXCLASSNAME(b->iClass))
            hCtl = CreateWindowExA(static_cast<DWORD>(b->iExStyle), cls, "",
                                   static_cast<DWORD>(b->iStyle), b->x, b->y, b->nWidth, b->nHeight,
                                   hWnd, reinterpret_cast<HMENU>(lParam), GetModuleHandleA(nullptr),
                                   nullptr);
    }
    if (p && p->lpfnOldProc == XOLD_DIALOG) {
        SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(hCtl));
        return 1;
    }
    return reinterpret_cast<LRESULT>(hCtl);
}

bool PXISFRAMEWORKCLASS(std::string_view sClass, const WNDCLASSA& wc) {
    return lstrcmpiA(std::string(sClass).c_str(), "XWndClass") == 0 ||
           wc.lpfnWndProc == fxwindowproc;
}

} // namespace

bool FXOWNWINDOW(HWND hWnd) {
    DWORD pid = 0;
    return GetWindowThreadProcessId(hWnd, &pid) && pid == GetCurrentProcessId();
}

namespace {

// A window of this process whose "XWND" this module did not set.
[[gnu::noinline]] XWND* PXWNDBYPROPERTY(HWND hWnd) {
    // Another process's "XWND" is an address in that process: such a window has no object here.
    if (!FXOWNWINDOW(hWnd)) return nullptr;
    auto* p = static_cast<XWND*>(GetPropA(hWnd, XWNDPROP));
    if (p) PXOBJECTS().set(hWnd, p);
    return p;
}

} // namespace

XWND* FXWNDBYHANDLE(HWND hWnd) {
    if (XWND* p = PXOBJECTS().find(hWnd)) return p;
    return PXWNDBYPROPERTY(hWnd);
}

XWND* XGETMDI() {
    return xApp.pxMDI;
}

bool XCREATEWINDOW(XWND& xWnd, const XWND& xParent, int iStyle,
                   std::optional<std::string_view> sTitle, std::optional<int> iExStyle,
                   std::optional<int> iX, std::optional<int> iY, std::optional<int> iWidth,
                   std::optional<int> iHeight, XMENU* xMenu, std::optional<std::string_view> sClass,
                   std::optional<int> iID, std::optional<LPARAM> lParam) {
    // A window that still lives keeps its controls but loses their records, which go with the
    // tables; nothing is left pointing into released memory.
    if (xWnd.xCtl.allocated() && IsWindow(xWnd.hWnd)) {
        XCTLDESTROYALL(xWnd, false);
        FXCTLRELEASE(xWnd);
    }
    xWnd = XWND{}; // releases whatever tables a previous window left in the object

    const std::string title(XTRIM(sTitle.value_or("")).substr(0, XTITLEMAX));
    int exStyle = iExStyle.value_or(0);
    if (exStyle & XWF_BUFFERED) {
        xWnd.iFlags = XWF_BUFFERED;
        exStyle &= ~XWF_BUFFERED;
    }
    const bool child = (iStyle & WS_CHILD) != 0;
    HMENU hMenuOrID = nullptr;
    if (xMenu && !child)
        hMenuOrID = xMenu->hMenu;
    else if (child && iID)
        hMenuOrID = reinterpret_cast<HMENU>(static_cast<INT_PTR>(*iID));
    const LPARAM create = lParam.value_or(reinterpret_cast<LPARAM>(&xWnd));

    std::string cls = "XWndClass";
    bool subclass = false;
    if (sClass) {
        cls = std::string(XTRIM(*sClass).substr(0, XCLASSMAX));
        WNDCLASSA wc{};
        if (!GetClassInfoA(xApp.hInstance, cls.c_str(), &wc) &&
            !GetClassInfoA(nullptr, cls.c_str(), &wc)) {
            xWnd.hWnd = nullptr;
            return false;
        }
        subclass = !PXISFRAMEWORKCLASS(cls, wc);
        xWnd.lpfnOldProc = subclass ? reinterpret_cast<LONG_PTR>(wc.lpfnWndProc) : XOLD_CLASS;
    } else {
        xWnd.lpfnOldProc = XOLD_CLASS;
    }

    HWND hWnd = CreateWindowExA(static_cast<DWORD>(exStyle), cls.c_str(), title.c_str(),
                                static_cast<DWORD>(iStyle), iX.value_or(XCW_DEFAULT),
                                iY.value_or(XCW_DEFAULT), iWidth.value_or(XCW_DEFAULT),
                                iHeight.value_or(XCW_DEFAULT), xParent.hWnd, hMenuOrID,
                                xApp.hInstance, reinterpret_cast<LPVOID>(create));
    xWnd.hWnd = hWnd;
    xWnd.nHandlers = 0;
    if (!hWnd) {
        xWnd.lpfnOldProc = XOLD_NONE; // no window: tables refuse registration
        FXRETHROW();
        return false;
    }
    ++xApp.nWindows;

    if (subclass) {
        xWnd.lpfnOldProc =
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fxwindowproc));
        if (child) xWnd.iID = GetWindowLongA(hWnd, GWL_ID);
        PXSETOBJECT(hWnd, &xWnd);
    }
    if (xMenu && !child) xMenu->hOwner = hWnd;
    FXRETHROW(); // from a handler that ran during the creation
    return true;
}

BOOL XDESTROYWINDOW(XWND& xWnd) {
    const HWND h = xWnd.hWnd;
    BOOL r = DestroyWindow(h);
    if (xWnd.hWnd == h) xWnd.hWnd = nullptr; // else a destruction handler gave it a new window
    FXRETHROW();                             // from a WM_DESTROY or WM_NCDESTROY handler
    return r;
}

void XFREEWINDOW(XWND& xWnd) {
    if (!XISWINDOW(xWnd, XQ_HASOBJECT)) return;
    xWnd.nHandlers = xWnd.nControls = xWnd.nCommands = xWnd.reserved = 0;
    xWnd.iMsg.release();
    xWnd.pfnHandler.release();
    xWnd.iCmdID.release();
    xWnd.pfnCommand.release();
    FXCTLRELEASE(xWnd);
    PXREMOVEOBJECT(xWnd.hWnd);
}

bool XBINDWINDOW(HWND hWnd, XWND*& pxWnd) {
    // Another process's window can be neither subclassed nor given a property of ours.
    if (pxWnd || !IsWindow(hWnd) || !FXOWNWINDOW(hWnd)) return false;
    if (XWND* existing = FXWNDBYHANDLE(hWnd)) {
        pxWnd = existing;
        return true;
    }
    auto* p = new XWND;
    p->hWnd = hWnd;
    p->iID = GetWindowLongA(hWnd, GWL_ID);
    ++xApp.nWindows;
    RemovePropA(hWnd, XWNDPROP);
    PXSETOBJECT(hWnd, p);
    SetLastError(0);
    const auto ours = reinterpret_cast<LONG_PTR>(fxwindowproc);
    if (GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == ours)
        p->lpfnOldProc = XOLD_CLASS;
    else
        p->lpfnOldProc = SetWindowLongPtrA(hWnd, GWLP_WNDPROC, ours);
    if (p->lpfnOldProc == XOLD_NONE || GetLastError() != 0) {
        // Leave the window as it was: no property pointing at a freed object.
        if (p->lpfnOldProc != XOLD_CLASS && p->lpfnOldProc != XOLD_NONE)
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, p->lpfnOldProc);
        PXREMOVEOBJECT(hWnd);
        delete p;
        return false;
    }
    PXBOUND().insert(p);
    pxWnd = p;
    FXBINDWINDOWCONTROLS(*p);
    return true;
}

bool XUNBINDWINDOW(XWND*& pxWnd) {
    if (!pxWnd) return false;
    const LONG_PTR old = pxWnd->lpfnOldProc;
    if (old == XOLD_NONE || old == XOLD_DIALOG || old == XOLD_CLASS) return false;
    XCTLDESTROYALL(*pxWnd, false); // the controls stay, their records go
    XFREEWINDOW(*pxWnd);
    SetWindowLongPtrA(pxWnd->hWnd, GWLP_WNDPROC, old);
    pxWnd->lpfnOldProc = XOLD_NONE;
    if (PXBOUND().erase(pxWnd)) delete pxWnd;
    pxWnd = nullptr;
    return true;
}

XWND* XGETWINDOW(std::optional<HWND> hWnd) {
    HWND h = hWnd.value_or(nullptr);
    const bool given = h != nullptr;
    if (!given) {
        h = GetDesktopWindow();
    } else {
        if (!IsWindow(h)) return nullptr;
        if (XWND* p = FXWNDBYHANDLE(h)) return p;
    }
    xScratch = XWND{};
    xScratch.hWnd = h;
    xScratch.iID = given ? GetWindowLongA(h, GWL_ID) : 0;
    return &xScratch;
}

bool XISWINDOW(const XWND& xWnd, int iQuery, const XWND* xOther) {
    switch (iQuery) {
    case XQ_ISWINDOW: return IsWindow(xWnd.hWnd) != 0;
    case XQ_HASOBJECT: return xWnd.hWnd && FXWNDBYHANDLE(xWnd.hWnd) != nullptr;
    case XQ_ISCHILD: return IsChild(xOther ? xOther->hWnd : nullptr, xWnd.hWnd) != 0;
    case XQ_ZOOMED: return IsZoomed(xWnd.hWnd) != 0;
    case XQ_ICONIC: return IsIconic(xWnd.hWnd) != 0;
    default: {
        const auto bits = static_cast<DWORD>(iQuery);
        return (static_cast<DWORD>(GetWindowLongA(xWnd.hWnd, GWL_STYLE)) & bits) == bits;
    }
    }
}

bool PXDEFXINIT() {
    const XWND none;
    return XCREATEWINDOW(xFrame, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, std::nullopt,
                         WS_EX_APPWINDOW);
}

LRESULT PXDEFPROC(XWND* pxWnd, HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    if (!pxWnd) return DefWindowProcA(hWnd, iMsg, wParam, lParam);
    switch (pxWnd->lpfnOldProc) {
    case XOLD_NONE: return DefWindowProcA(hWnd, iMsg, wParam, lParam);
    case XOLD_DIALOG: return FALSE;
    case XOLD_CLASS:
        if (PXEXSTYLE(hWnd) & WS_EX_MDICHILD) return DefMDIChildProcA(hWnd, iMsg, wParam, lParam);
        if (PXISFRAME(hWnd) && xApp.pxMDI)
            return DefFrameProcA(hWnd, xApp.pxMDI->hWnd, iMsg, wParam, lParam);
        return DefWindowProcA(hWnd, iMsg, wParam, lParam);
    default:
        return CallWindowProcA(reinterpret_cast<WNDPROC>(pxWnd->lpfnOldProc), hWnd, iMsg, wParam,
                               lParam);
    }
}

BOOL CALLBACK pxsyscolorproc(HWND hChild, LPARAM) {
    SendMessageA(hChild, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

namespace {

LRESULT PXWINDOWPROC(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    XWND* p = FXWNDBYHANDLE(hWnd);
    if (p && p->hWnd != hWnd) {
        RaiseException(XEXC_WNDMISMATCH, 0, 0, nullptr);
        p = nullptr; // if a handler lets execution go on, the foreign object stays untouched
    }
    switch (iMsg) {
    case WM_CREATE: return PXONCREATE(hWnd, iMsg, wParam, lParam, p);
    case WM_DESTROY: return PXONDESTROY(hWnd, iMsg, wParam, lParam, p);
    case WM_SIZE: return PXONSIZE(hWnd, iMsg, wParam, lParam, p);
    case WM_SYSCOLORCHANGE: return PXONSYSCOLORCHANGE(hWnd, iMsg, wParam, lParam, p);
    case WM_SETCURSOR: return PXONSETCURSOR(hWnd, iMsg, wParam, lParam, p);
    case WM_DRAWITEM: return PXONDRAWITEM(hWnd, iMsg, wParam, lParam, p);
    case WM_NOTIFY: return PXONNOTIFY(hWnd, wParam, lParam, p);
    case WM_HELP: return PXONHELP(hWnd, iMsg, wParam, lParam, p);
    case WM_NCCREATE: return PXONNCCREATE(hWnd, iMsg, wParam, lParam, p);
    case WM_NCDESTROY: return PXONNCDESTROY(hWnd, iMsg, wParam, lParam, p);
    case WM_INITDIALOG: return PXONINITDIALOG(hWnd, iMsg, wParam, lParam, p);
    case WM_COMMAND: return PXONCOMMAND(hWnd, iMsg, wParam, lParam, p);
    case WM_HSCROLL:
    case WM_VSCROLL: return PXONSCROLL(hWnd, iMsg, wParam, lParam, p);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return PXONCTLCOLOR(hWnd, iMsg, wParam, lParam, p);
    case WM_MOUSEWHEEL: return PXONMOUSEWHEEL(hWnd, iMsg, wParam, lParam, p);
    case WM_DPICHANGED: return PXONDPICHANGED(hWnd, iMsg, wParam, lParam, p);
    case XM_CREATECONTROL: return PXONCREATECONTROL(hWnd, wParam, lParam, p);
    default: return PXGENERIC(p, hWnd, iMsg, wParam, lParam);
    }
}

// The exception a routine handed to the system caught, until the loop that dispatched the
// message rethrows it.
std::exception_ptr& PXPENDING() {
    static std::exception_ptr pending;
    return pending;
}

} // namespace

LRESULT CALLBACK fxwindowproc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    return FXGUARD<LRESULT>(0, [&] { return PXWINDOWPROC(hWnd, iMsg, wParam, lParam); });
}

void FXKEEPEXCEPTION() noexcept {
    if (!PXPENDING()) PXPENDING() = std::current_exception();
}

bool FXPENDING() noexcept {
    return static_cast<bool>(PXPENDING());
}

void FXRETHROW() {
    if (!PXPENDING()) return;
    std::exception_ptr e;
    std::swap(e, PXPENDING());
    std::rethrow_exception(e);
}

// Tables.

bool FXSETHANDLER(XWND& xWnd, int iMsg, XPROCREF proc) {
    if (xWnd.lpfnOldProc == XOLD_NONE) return false;
    XTABLESET(xWnd.nHandlers, xWnd.iMsg, xWnd.pfnHandler, iMsg, proc);
    return true;
}

bool XSETCOMMAND(XWND& xWnd, int iID, XCOMMANDPROC* pfnCommand) {
    if (xWnd.lpfnOldProc == XOLD_NONE) return false;
    XTABLESET(xWnd.nCommands, xWnd.iCmdID, xWnd.pfnCommand, iID, XPROCOF(pfnCommand));
    return true;
}

bool FXGETHANDLER(int iMsg, const XWND& xWnd, int& iIndex) {
    return XTABLEFIND(xWnd.iMsg, xWnd.nHandlers, iMsg, iIndex);
}

bool FXGETCOMMAND(const XWND& xWnd, int iID, int& iIndex) {
    return XTABLEFIND(xWnd.iCmdID, xWnd.nCommands, iID, iIndex);
}

// Dispatch: FXCALLHANDLER finds the message's row in the message table, makes the arguments
// the words cannot give in the platform step the row names, and calls the handler.

namespace {

// The argument-list check: a routine made for another list is never called through the wrong
// type; the exception is raised where the call would have been.
template <class F> F* PXROUTINE(const XPROCREF& proc) {
    if (proc.sig == XSIGOF<F>()) return reinterpret_cast<F*>(proc.pfn);
    RaiseException(XEXC_ARGLIST, 0, 0, nullptr);
    return nullptr;
}

// Window lookups and menu objects for decoded handles; every other argument is passed as
// decoded, an in/out one by reference to its decoded value.
template <class T> T& PXARG(XWND&, T& v) {
    return v;
}
XWND* PXARG(XWND&, XWINDOWARG& a) {
    return XGETWINDOW(reinterpret_cast<HWND>(a.hWnd));
}
// A menu object living for the handler's call.
struct XMENUREF {
    XMENU menu;
    operator XMENU&() { return menu; }
};
XMENUREF PXARG(XWND& x, XMENUARG& a) {
    return {{reinterpret_cast<HMENU>(a.hMenu), x.hWnd}};
}

// Calls the handler with the row's arguments. In/out arguments go back to the parameters they
// came from once it has run, and only where it changed them, so that untouched parameters keep
// all their bits.
template <class Row>
LRESULT PXCALLROW(typename Row::handler* f, XWND& x, typename Row::args& a, UINT& iMsg,
                  WPARAM& wParam, LPARAM& lParam) {
    const XMSGWORDS before = Row::encode(iMsg, a);
    const LRESULT r = std::apply([&](auto&... v) { return f(x, PXARG(x, v)...); }, a);
    const XMSGWORDS after = Row::encode(iMsg, a);
    if (after.iMsg != before.iMsg) iMsg = after.iMsg;
    if (after.wParam != before.wParam) wParam = after.wParam;
    if (after.lParam != before.lParam) lParam = after.lParam;
    return r;
}

// The context of one paint lives only for the handler's call: a font the handler set on it
// goes with it.
void PXRELEASEFONT(XDC& dc) {
    if (dc.hFont) DeleteObject(dc.hFont);
    dc.hFont = nullptr;
}

// Maps the world one-to-one onto the canvas, shifted by the scroll position.
void PXCANVASMAP(const XWND& xWnd, XDC& dc, int wc, int hc) {
    int xPos = 0, yPos = 0, w = wc, h = hc;
    if (xWnd.iCanvasWidth > 0) {
        XSCROLLBARGET(xWnd, SB_HORZ, &xPos);
        w = xWnd.iCanvasWidth;
    }
    if (xWnd.iCanvasHeight > 0) {
        XSCROLLBARGET(xWnd, SB_VERT, &yPos);
        h = xWnd.iCanvasHeight;
    }
    XSETVIEWPORT(dc, -xPos, -yPos, w - xPos, h - yPos);
    XSETWINDOW(dc, 0.0f, 0.0f, static_cast<float>(w), static_cast<float>(h));
}

// Paint context: begin and end paint around the call, optionally through a memory context.
LRESULT PXPAINTSTEP(XH_PAINT* f, XWND& xWnd) {
    const HWND hWnd = xWnd.hWnd; // the handler may free the object
    RECT client;
    GetClientRect(hWnd, &client);
    const int wc = client.right, hc = client.bottom;
    PAINTSTRUCT ps;
    const HDC hPaint = BeginPaint(hWnd, &ps);
    const bool buffered = (xWnd.iFlags & XWF_BUFFERED) != 0;
    XDC dc{};
    if (buffered)
        dc = XMEMORYDC(wc, hc, hPaint);
    else
        dc.hDC = hPaint;
    PXCANVASMAP(xWnd, dc, wc, hc);
    const LRESULT r =
        f(xWnd, dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
    if (buffered) {
        BitBlt(hPaint, 0, 0, wc, hc, dc.hDC, 0, 0, SRCCOPY);
        XDELETEDC(dc);
    }
    PXRELEASEFONT(dc);
    EndPaint(hWnd, &ps);
    return r;
}

// Erase context: the word parameter's device context over the client area.
LRESULT PXERASESTEP(XH_ERASEBKGND* f, XWND& xWnd, WPARAM hDC) {
    XDC dc{};
    dc.hDC = reinterpret_cast<HDC>(hDC);
    RECT r;
    GetClientRect(xWnd.hWnd, &r);
    XSETVIEWPORT(dc, r.left, r.top, r.right, r.bottom);
    XSETWINDOW(dc, static_cast<float>(r.left), static_cast<float>(r.top),
               static_cast<float>(r.right), static_cast<float>(r.bottom));
    const LRESULT v = f(xWnd, dc);
    PXRELEASEFONT(dc);
    return v;
}

// Scroll information: the 32-bit position of the bar, or its track position for the thumb.
LRESULT PXSCROLLSTEP(XH_SCROLL* f, XWND& xWnd, XROW<XR_SCROLL>::args& a, LPARAM lParam) {
    auto& [bar, code, pos] = a;
    const bool thumb = XSCROLLTHUMB(code);
    SCROLLINFO si{sizeof si, thumb ? UINT(SIF_TRACKPOS) : UINT(SIF_POS), 0, 0, 0, 0, 0};
    if (lParam)
        GetScrollInfo(reinterpret_cast<HWND>(lParam), SB_CTL, &si);
    else
        GetScrollInfo(xWnd.hWnd, static_cast<int>(bar), &si);
    pos = thumb ? si.nTrackPos : si.nPos;
    return f(xWnd, bar, code, pos);
}

// Record pointers: the fields of the system's record are the in/out arguments.
LRESULT PXRECORDSTEP(XH_MINMAXINFO* f, XWND& xWnd, LPARAM lParam) {
    auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
    return f(xWnd, mmi->ptMaxSize, mmi->ptMaxPosition, mmi->ptMinTrackSize, mmi->ptMaxTrackSize);
}
LRESULT PXRECORDSTEP(XH_WINDOWPOS* f, XWND& xWnd, LPARAM lParam) {
    auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
    return f(xWnd, wp->x, wp->y, wp->cx, wp->cy, wp->flags);
}
LRESULT PXRECORDSTEP(XH_HELP* f, XWND& xWnd, LPARAM lParam) {
    auto* hi = reinterpret_cast<HELPINFO*>(lParam);
    return f(xWnd, hi->iContextType == XROW<XR_HELP>::XMENUITEM, hi->iCtrlId);
}

// The MDI client hears of the window being activated in the first place.
LRESULT PXMDIACTIVATESTEP(XH_WINDOW* f, XWND& xWnd, WPARAM wParam) {
    XWND* other = XGETWINDOW(reinterpret_cast<HWND>(wParam));
    if (&xWnd != xApp.pxMDI) return f(xWnd, other);
    // The desktop's object below refills the scratch object: a window without an object
    // keeps its own copy.
    XWND own;
    if (other == &xScratch) {
        own.hWnd = xScratch.hWnd;
        own.iID = xScratch.iID;
        other = &own;
    }
    return f(other ? *other : xWnd, XGETWINDOW());
}

// Dropped files: blank-padded names of 260 characters; the drop is finished here.
std::vector<std::string> PXDROPPEDFILES(WPARAM wParam) {
    const auto hDrop = reinterpret_cast<HDROP>(wParam);
    const UINT n = DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> files(n);
    for (UINT i = 0; i < n; ++i) {
        char name[MAX_PATH] = {};
        DragQueryFileA(hDrop, i, name, MAX_PATH);
        files[i] = XFIXED(name, MAX_PATH);
    }
    DragFinish(hDrop);
    return files;
}

// The row's platform step around the call.
template <class Row>
LRESULT PXRUNSTEP(typename Row::handler* f, XWND& x, typename Row::args& a, UINT& iMsg,
                  WPARAM& wParam, LPARAM& lParam) {
    constexpr XSTEP step = Row::step;
    if constexpr (step == XSTEP::HITTEST)
        std::get<2>(a) = static_cast<int>(DefWindowProcA(x.hWnd, iMsg, wParam, lParam));
    if constexpr (step == XSTEP::NONE || step == XSTEP::HITTEST)
        return PXCALLROW<Row>(f, x, a, iMsg, wParam, lParam);
    else if constexpr (step == XSTEP::PAINT)
        return PXPAINTSTEP(f, x);
    else if constexpr (step == XSTEP::ERASE)
        return PXERASESTEP(f, x, std::get<0>(a));
    else if constexpr (step == XSTEP::SCROLL)
        return PXSCROLLSTEP(f, x, a, lParam);
    else if constexpr (step == XSTEP::MDIACTIVATE)
        return PXMDIACTIVATESTEP(f, x, std::get<0>(a).hWnd);
    else
        return PXRECORDSTEP(f, x, std::get<0>(a));
}

// One row: the decoding, the argument-list check, the row's platform step and the call.
template <XR R>
LRESULT PXROWCALL(const XPROCREF& proc, XWND& x, UINT& iMsg, WPARAM& wParam, LPARAM& lParam) {
    using Row = XROW<R>;
    auto a = Row::decode(iMsg, wParam, lParam);
    if constexpr (Row::step == XSTEP::DROPFILES) {
        // Finished before the argument check, so a routine of the wrong kind leaks nothing.
        const std::vector<std::string> files = PXDROPPEDFILES(std::get<0>(a));
        auto* f = PXROUTINE<typename Row::handler>(proc);
        return f ? f(x, files) : XFALSE;
    } else {
        if constexpr (Row::step == XSTEP::PAINT) {
            // Without an update region there is no call, and no routine to check.
            RECT upd;
            if (!GetUpdateRect(x.hWnd, &upd, FALSE)) return 0;
        }
        auto* f = PXROUTINE<typename Row::handler>(proc);
        return f ? PXRUNSTEP<Row>(f, x, a, iMsg, wParam, lParam) : XFALSE;
    }
}

using XROWCALL = LRESULT (*)(const XPROCREF&, XWND&, UINT&, WPARAM&, LPARAM&);
template <std::size_t... I>
constexpr std::array<XROWCALL, XR_COUNT> PXROWCALLS(std::index_sequence<I...>) {
    return {&PXROWCALL<static_cast<XR>(I)>...};
}
constexpr std::array<XROWCALL, XR_COUNT> XROWCALLS =
    PXROWCALLS(std::make_index_sequence<XR_COUNT>{});

} // namespace

LRESULT FXCALLHANDLER(const XPROCREF& proc, XWND& xWnd, UINT& iMsg, WPARAM& wParam, LPARAM& lParam,
                      bool* pbDefaultRan) {
    const XMSGROW& row = FXMSGROW(iMsg);
    // The handler may destroy the window (clearing xWnd.hWnd) or free the object.
    const HWND hWnd = xWnd.hWnd;
    const LONG_PTR kind = xWnd.lpfnOldProc;
    LRESULT r = XROWCALLS[row.iRow](proc, xWnd, iMsg, wParam, lParam);
    const bool runDefault = (row.iFlags & XMF_DEFAULTIFDECLINED) && !XISTRUE(r);
    if (runDefault) r = PXDEFPROC(PXSTILLATTACHED(&xWnd, hWnd, kind), hWnd, iMsg, wParam, lParam);
    if (pbDefaultRan) *pbDefaultRan = runDefault;
    return r;
}

void FXCALLCOMMAND(XWND& xWnd, const XPROCREF& proc, int iID, int iCode) {
    if (auto* f = PXROUTINE<XCOMMANDPROC>(proc)) f(xWnd, iID, iCode);
}

// Window services.

BOOL XSCROLLBARGET(const XWND& xWnd, int iBar, int* iPos, int* iMin, int* iMax, int* iPage) {
    SCROLLINFO si{sizeof si, 0, 0, 0, 0, 0, 0};
    if (iPos) si.fMask |= SIF_POS;
    if (iMin || iMax) si.fMask |= SIF_RANGE;
    if (iPage) si.fMask |= SIF_PAGE;
    const BOOL ok = GetScrollInfo(xWnd.hWnd, iBar, &si);
    if (ok) {
        if (iPos) *iPos = si.nPos;
        if (iMin) *iMin = si.nMin;
        if (iMax) *iMax = si.nMax;
        if (iPage) *iPage = static_cast<int>(si.nPage);
    }
    return ok;
}

int XSCROLLBARSET(const XWND& xWnd, int iBar, std::optional<int> iPos, std::optional<int> iMin,
                  std::optional<int> iMax, std::optional<int> iPage, std::optional<bool> bRedraw) {
    SCROLLINFO si{sizeof si, 0, 0, 0, 0, 0, 0};
    if (iPos) {
        si.fMask |= SIF_POS;
        si.nPos = *iPos;
    }
    if (iMin && iMax) {
        si.fMask |= SIF_RANGE;
        si.nMin = *iMin;
        si.nMax = *iMax;
    }
    if (iPage) {
        si.fMask |= SIF_PAGE;
        si.nPage = static_cast<UINT>(*iPage);
    }
    return SetScrollInfo(xWnd.hWnd, iBar, &si, bRedraw.value_or(true));
}

// Canvas.

void PXUPDATESCROLL(const XWND& xWnd, std::optional<int> iXPos, std::optional<int> iYPos) {
    int w = 0, h = 0;
    XGETCLIENTRECT(xWnd, w, h);
    XSCROLLBARSET(xWnd, SB_HORZ, iXPos.value_or(0), 0, xWnd.iCanvasWidth, w);
    XSCROLLBARSET(xWnd, SB_VERT, iYPos.value_or(0), 0, xWnd.iCanvasHeight, h);
}

bool XSETCANVAS(XWND& xWnd, int iWidth, int iHeight, std::optional<int> iXPos,
                std::optional<int> iYPos) {
    if (!XISWINDOW(xWnd, XQ_HASOBJECT)) return false;
    xWnd.iCanvasWidth = std::max(iWidth, 0);
    xWnd.iCanvasHeight = std::max(iHeight, 0);
    PXUPDATESCROLL(xWnd, iXPos, iYPos);
    XUPDATEWINDOW(xWnd);
    return true;
}

bool XGETCANVAS(const XWND& xWnd, int& iWidth, int& iHeight, int* iXPos, int* iYPos) {
    if (!XISWINDOW(xWnd, XQ_HASOBJECT)) return false;
    iWidth = xWnd.iCanvasWidth;
    iHeight = xWnd.iCanvasHeight;
    if (iXPos) XSCROLLBARGET(xWnd, SB_HORZ, iXPos);
    if (iYPos) XSCROLLBARGET(xWnd, SB_VERT, iYPos);
    return true;
}

// Window data.

namespace {

std::string PXDATANAME(std::optional<std::string_view> sName) {
    return sName ? std::string(XTRIM(*sName)) : std::string("XDATA");
}

// Deferred positioning: the collection while XBEGINMOVEWINDOWS is in force.
bool bDeferring = false;
HDWP hDeferred = nullptr;

bool PXDEFER(HWND hWnd, HWND hAfter, int x, int y, int cx, int cy, UINT flags) {
    if (hDeferred) hDeferred = DeferWindowPos(hDeferred, hWnd, hAfter, x, y, cx, cy, flags);
    return hDeferred != nullptr;
}

// Screen coordinates into the client coordinates of the parent, which for a pop-up window is
// its owner; a window without one keeps them. bChildDone: a child's values are already there.
bool PXTOPARENTCLIENT(HWND hWnd, int& iX, int& iY, bool bChildDone) {
    const HWND hParent = GetParent(hWnd);
    if (!hParent) return true;
    if (bChildDone && (GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) return true;
    POINT pt{iX, iY};
    const bool ok = ScreenToClient(hParent, &pt) != 0;
    iX = pt.x;
    iY = pt.y;
    return ok;
}

bool PXISSTDCURSOR(int id) {
    return (id >= 32512 && id <= 32516) || (id >= 32642 && id <= 32646) || id == 32648 ||
           id == 32650;
}

} // namespace

BOOL XSETWINDOWDATA(const XWND& xWnd, void* pData, std::optional<std::string_view> sName) {
    return SetPropA(xWnd.hWnd, PXDATANAME(sName).c_str(), pData);
}

bool XGETWINDOWDATA(const XWND& xWnd, void*& pData, std::optional<std::string_view> sName) {
    pData = GetPropA(xWnd.hWnd, PXDATANAME(sName).c_str());
    return pData != nullptr;
}

HANDLE XFREEWINDOWDATA(const XWND& xWnd, std::optional<std::string_view> sName) {
    return RemovePropA(xWnd.hWnd, PXDATANAME(sName).c_str());
}

// Position and visibility.

bool XSETWINDOWPOS(const XWND& xWnd, std::optional<int> iX, std::optional<int> iY,
                   std::optional<int> iWidth, std::optional<int> iHeight,
                   std::optional<int> nCmdShow, std::optional<HWND> hInsertAfter) {
    const XSWPARGS a = FXSWPARGS(iX, iY, iWidth, iHeight, hInsertAfter.has_value());
    const HWND hAfter = hInsertAfter.value_or(nullptr);
    if (bDeferring) return PXDEFER(xWnd.hWnd, hAfter, a.x, a.y, a.cx, a.cy, a.iFlags);
    const bool ok = SetWindowPos(xWnd.hWnd, hAfter, a.x, a.y, a.cx, a.cy, a.iFlags) != 0;
    return nCmdShow ? XSHOWWINDOW(xWnd, *nCmdShow) : ok;
}

XSWPARGS FXSWPARGS(std::optional<int> x, std::optional<int> y, std::optional<int> cx,
                   std::optional<int> cy, bool bZOrder) {
    const bool move = x && y, size = cx && cy;
    XSWPARGS a{move ? *x : 0, move ? *y : 0, size ? *cx : 0, size ? *cy : 0, 0};
    if (!move) a.iFlags |= SWP_NOMOVE;
    if (!size) a.iFlags |= SWP_NOSIZE;
    if (!bZOrder) a.iFlags |= SWP_NOZORDER;
    return a;
}

bool XMOVEWINDOW(const XWND& xWnd, int iX, int iY) {
    return XSETWINDOWPOS(xWnd, iX, iY);
}

bool XSIZEWINDOW(const XWND& xWnd, int iWidth, int iHeight) {
    return XSETWINDOWPOS(xWnd, std::nullopt, std::nullopt, iWidth, iHeight);
}

bool XSHOWWINDOW(const XWND& xWnd, int nCmdShow) {
    if (bDeferring) {
        if (nCmdShow == SW_HIDE)
            return PXDEFER(xWnd.hWnd, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
        if (nCmdShow == SW_SHOW)
            return PXDEFER(xWnd.hWnd, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        return hDeferred != nullptr;
    }
    return ShowWindow(xWnd.hWnd, nCmdShow) != 0;
}

bool XENABLEWINDOW(const XWND& xWnd, bool bEnable) {
    const bool wasEnabled = !(GetWindowLongA(xWnd.hWnd, GWL_STYLE) & WS_DISABLED);
    EnableWindow(xWnd.hWnd, bEnable);
    return wasEnabled;
}

bool XGETWINDOWPOS(const XWND& xWnd, int& iX, int& iY, int* iWidth, int* iHeight, int* iShowCmd,
                   std::optional<bool> bClient) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    bool ok = GetWindowPlacement(xWnd.hWnd, &wp) != 0;
    const RECT& r = wp.rcNormalPosition;
    iX = r.left;
    iY = r.top;
    if (iWidth) *iWidth = r.right - r.left;
    if (iHeight) *iHeight = r.bottom - r.top;
    if (iShowCmd && ok) *iShowCmd = static_cast<int>(wp.showCmd);
    // The placement of a child is already in its parent's client coordinates.
    if (ok && bClient) ok = PXTOPARENTCLIENT(xWnd.hWnd, iX, iY, true);
    return ok;
}

bool XGETWINDOWRECT(const XWND& xWnd, int& iX, int& iY, int* iWidth, int* iHeight,
                    std::optional<bool> bClient) {
    RECT r{};
    bool ok = GetWindowRect(xWnd.hWnd, &r) != 0;
    iX = r.left;
    iY = r.top;
    if (iWidth) *iWidth = r.right - r.left;
    if (iHeight) *iHeight = r.bottom - r.top;
    if (ok && bClient) ok = PXTOPARENTCLIENT(xWnd.hWnd, iX, iY, false);
    return ok;
}

bool XGETCLIENTRECT(const XWND& xWnd, int& iWidth, int& iHeight) {
    RECT r{};
    const bool ok = GetClientRect(xWnd.hWnd, &r) != 0;
    iWidth = r.right;
    iHeight = r.bottom;
    return ok;
}

bool XBEGINMOVEWINDOWS(std::optional<int> nWindows) {
    if (bDeferring) return false;
    hDeferred = BeginDeferWindowPos(nWindows.value_or(xApp.nWindows));
    bDeferring = hDeferred != nullptr;
    return bDeferring;
}

bool XENDMOVEWINDOWS() {
    const bool ok = bDeferring && hDeferred && EndDeferWindowPos(hDeferred);
    bDeferring = false;
    hDeferred = nullptr;
    return ok;
}

// Icon, title, messages.

namespace {

// Icons the framework loaded, by window; the application's own are never destroyed here.
std::unordered_map<HWND, XICONS>& PXICONS() {
    static std::unordered_map<HWND, XICONS> icons;
    return icons;
}

HICON PXSETICON(HWND hWnd, WPARAM iWhich, HICON hIcon) {
    SendMessageA(hWnd, WM_SETICON, iWhich, reinterpret_cast<LPARAM>(hIcon));
    return hIcon;
}

void PXDESTROYUNUSED(HICON hIcon, const XICONS& now) {
    if (hIcon && hIcon != now.hSmall && hIcon != now.hBig) DestroyIcon(hIcon);
}

// Records what the window now shows and destroys what the framework had loaded before and the
// window shows no more.
void PXKEEPICONS(HWND hWnd, const XICONS& old, const XICONS& now) {
    PXDESTROYUNUSED(old.hSmall, now);
    if (old.hBig != old.hSmall) PXDESTROYUNUSED(old.hBig, now);
    if (now.hSmall || now.hBig)
        PXICONS()[hWnd] = now;
    else
        PXICONS().erase(hWnd);
}

} // namespace

XICONS FXICONS(HWND hWnd) {
    const auto it = PXICONS().find(hWnd);
    return it == PXICONS().end() ? XICONS{} : it->second;
}

void FXRELEASEICONS(HWND hWnd) {
    PXKEEPICONS(hWnd, FXICONS(hWnd), XICONS{});
}

bool XSETWINDOWICON(const XWND& xWnd, int iIcon, std::optional<HINSTANCE> hInstance) {
    const HINSTANCE hMod = hInstance.value_or(GetModuleHandleA(nullptr));
    const LPCSTR id = MAKEINTRESOURCEA(iIcon);
    const auto hSmall = static_cast<HICON>(LoadImageA(hMod, id, IMAGE_ICON, 16, 16, 0));
    const auto hBig = static_cast<HICON>(LoadImageA(hMod, id, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (!hSmall && !hBig) return false;
    const XICONS old = FXICONS(xWnd.hWnd);
    XICONS now = old;
    if (hSmall) now.hSmall = PXSETICON(xWnd.hWnd, ICON_SMALL, hSmall);
    if (hBig) {
        now.hBig = PXSETICON(xWnd.hWnd, ICON_BIG, hBig);
        if (!hSmall) now.hSmall = PXSETICON(xWnd.hWnd, ICON_SMALL, hBig);
    }
    PXKEEPICONS(xWnd.hWnd, old, now);
    return true;
}

bool XSETWINDOWTITLE(const XWND& xWnd, std::string_view sTitle) {
    return SetWindowTextA(xWnd.hWnd, XSZ(sTitle).c_str()) != 0;
}

LRESULT XSENDMESSAGE(const XWND& xWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = SendMessageA(xWnd.hWnd, iMsg, wParam, lParam);
    FXRETHROW();
    return r;
}

BOOL XPOSTMESSAGE(const XWND& xWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    return PostMessageA(xWnd.hWnd, iMsg, wParam, lParam);
}

// Cursor.

HCURSOR XSETCURSOR(XWND& xWnd, std::optional<HCURSOR> hCursor) {
    const HCURSOR prev = xWnd.hCursor;
    xWnd.hCursor = hCursor.value_or(XNOCURSOR);
    return prev;
}

HCURSOR XSTDCURSOR(XWND& xWnd, std::optional<int> iCursor) {
    const int id = iCursor && PXISSTDCURSOR(*iCursor) ? *iCursor : 32512;
    const HCURSOR hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
    const HCURSOR prev = XSETCURSOR(xWnd, hCursor);
    SetCursor(hCursor);
    return prev;
}

// Styles. The extended style carries the framework's buffered-painting bit in iFlags, never in
// the system's value.

namespace {

LONG PXGETSTYLE(HWND hWnd, int iWhich) {
    switch (iWhich) {
    case XSTYLE_EX: return GetWindowLongA(hWnd, GWL_EXSTYLE);
    case XSTYLE_CLASS: return static_cast<LONG>(GetClassLongA(hWnd, GCL_STYLE));
    default: return GetWindowLongA(hWnd, GWL_STYLE);
    }
}

void PXSETSTYLE(HWND hWnd, int iWhich, LONG v) {
    switch (iWhich) {
    case XSTYLE_EX: SetWindowLongA(hWnd, GWL_EXSTYLE, v); break;
    case XSTYLE_CLASS: SetClassLongA(hWnd, GCL_STYLE, v); break;
    default: SetWindowLongA(hWnd, GWL_STYLE, v); break;
    }
}

} // namespace

int XSETWINDOWSTYLE(XWND& xWnd, int iStyle, std::optional<int> iWhich, std::optional<int> iMode) {
    if (!XISWINDOW(xWnd, XQ_ISWINDOW)) return 0;
    const int which = iWhich.value_or(XSTYLE_WINDOW);
    LONG cur = PXGETSTYLE(xWnd.hWnd, which);
    if (which == XSTYLE_EX) cur |= xWnd.iFlags & XWF_BUFFERED;
    LONG v;
    switch (iMode.value_or(XSTYLE_ADD)) {
    case XSTYLE_REPLACE: v = iStyle; break;
    case XSTYLE_REMOVE: v = cur & ~iStyle; break;
    default: v = cur | iStyle; break;
    }
    if (which == XSTYLE_EX) {
        if (v & XWF_BUFFERED) xWnd.iFlags = XWF_BUFFERED;
        v &= ~XWF_BUFFERED;
    }
    PXSETSTYLE(xWnd.hWnd, which, v);
    return cur;
}

int XGETWINDOWSTYLE(const XWND& xWnd, std::optional<int> iWhich) {
    if (!XISWINDOW(xWnd, XQ_ISWINDOW)) return 0;
    const int which = iWhich.value_or(XSTYLE_WINDOW);
    const LONG v = PXGETSTYLE(xWnd.hWnd, which);
    return which == XSTYLE_EX ? (v & ~XWF_BUFFERED) : v;
}

bool FXISCONTROLPARENT(HWND hWnd) {
    return hWnd && (PXEXSTYLE(hWnd) & WS_EX_CONTROLPARENT) != 0;
}

// Point conversions.

namespace {

template <BOOL(WINAPI* Map)(HWND, LPPOINT), class T>
bool PXMAPPOINT(const XWND& xWnd, LONG x, LONG y, T& xOut, T& yOut) {
    POINT pt{x, y};
    const bool ok = Map(xWnd.hWnd, &pt) != 0;
    xOut = static_cast<T>(pt.x);
    yOut = static_cast<T>(pt.y);
    return ok;
}

} // namespace

bool PXSCREEN2CLIENT(const XWND& xWnd, POINT pt, POINT& ptOut) {
    return PXMAPPOINT<ScreenToClient>(xWnd, pt.x, pt.y, ptOut.x, ptOut.y);
}

bool PXSCREEN2CLIENT(const XWND& xWnd, int x, int y, int& xOut, int& yOut) {
    return PXMAPPOINT<ScreenToClient>(xWnd, x, y, xOut, yOut);
}

bool PXCLIENT2SCREEN(const XWND& xWnd, POINT pt, POINT& ptOut) {
    return PXMAPPOINT<ClientToScreen>(xWnd, pt.x, pt.y, ptOut.x, ptOut.y);
}

bool PXCLIENT2SCREEN(const XWND& xWnd, int x, int y, int& xOut, int& yOut) {
    return PXMAPPOINT<ClientToScreen>(xWnd, x, y, xOut, yOut);
}
