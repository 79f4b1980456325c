// ZEBWND: window objects, the window registry, the one window procedure and the
// handler and command tables.
#include "ZEBWND.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "ZEBApp.h"
#include "ZEBCtrl.h"
#include "ZEBGDI.h"
#include "ZEBStrings.h"

namespace {

constexpr char XWNDPROP[] = "XWND";
constexpr char XCTLPROP[] = "XCTL";
constexpr int XTITLEMAX = 1023;
constexpr int XCLASSMAX = 63;

// The "XWND" property is the public link from a handle to its object, but a property lookup is
// a round trip to the window server on some platforms. The window procedure runs on every
// message, so it finds objects in this in-process copy, which every change of the property
// made here keeps in step.
std::unordered_map<HWND, XWND*>& pxobjects() {
    static std::unordered_map<HWND, XWND*> objects;
    return objects;
}

// Objects that XBINDWINDOW allocated; only these may be freed by XUNBINDWINDOW.
std::unordered_set<XWND*>& pxbound() {
    static std::unordered_set<XWND*> bound;
    return bound;
}

XWND xScratch;

void pxsetobject(HWND hWnd, XWND* pxWnd) {
    SetPropA(hWnd, XWNDPROP, pxWnd);
    pxobjects()[hWnd] = pxWnd;
}

void pxremoveobject(HWND hWnd) {
    RemovePropA(hWnd, XWNDPROP);
    pxobjects().erase(hWnd);
}

// Links a framework-class window to the object its creation data designates.
void pxattach(HWND hWnd, XWND* pxWnd) {
    pxWnd->hWnd = hWnd;
    if (GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) pxWnd->iID = GetWindowLongA(hWnd, GWL_ID);
    pxsetobject(hWnd, pxWnd);
}

bool pxisframe(HWND hWnd) {
    return hWnd && xApp.pxFrame && xApp.pxFrame->hWnd == hWnd;
}

LONG pxexstyle(HWND hWnd) {
    return GetWindowLongA(hWnd, GWL_EXSTYLE);
}

// The handler step: true, with the handler's value in v, when the window has a handler.
bool pxhandler(XWND* p, UINT& iMsg, WPARAM& wParam, LPARAM& lParam, LRESULT& v) {
    int i;
    if (!p || !FXGETHANDLER(static_cast<int>(iMsg), *p, i)) return false;
    const XPROCREF proc = p->pfnHandler[i]; // the handler may grow its own table
    v = FXCALLHANDLER(proc, *p, iMsg, wParam, lParam);
    return true;
}

bool pxreturnsunchanged(UINT iMsg) {
    return iMsg == WM_QUERYENDSESSION || iMsg == WM_NCHITTEST || iMsg == WM_NCACTIVATE ||
           iMsg == WM_GETDLGCODE;
}

LRESULT pxgeneric(XWND* p, HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT v;
    if (pxhandler(p, iMsg, wParam, lParam, v) && (pxreturnsunchanged(iMsg) || XISTRUE(v))) return v;
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT pxoncreate(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (cs->lpCreateParams && (pxexstyle(hWnd) & WS_EX_MDICHILD)) {
        const auto* mcs = static_cast<const MDICREATESTRUCTA*>(cs->lpCreateParams);
        if (mcs->lParam) {
            p = reinterpret_cast<XWND*>(mcs->lParam);
            pxattach(hWnd, p);
        }
    }
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT pxonnccreate(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (cs->lpCreateParams && !(pxexstyle(hWnd) & WS_EX_MDICHILD)) {
        p = static_cast<XWND*>(cs->lpCreateParams);
        pxattach(hWnd, p);
    }
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT pxondestroy(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    if (XCTLREC* c = FXCTLBYHANDLE(hWnd))
        FXCTLCALLBACK(*p, *c, static_cast<int>(wParam), WM_DESTROY);
    LRESULT v = 0, r = 0;
    if (!pxhandler(p, iMsg, wParam, lParam, v) || v == 0) {
        if (pxisframe(hWnd))
            PostQuitMessage(0);
        else
            r = PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    }
    XCTLDESTROYALL(*p);
    return r;
}

LRESULT pxonsize(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    XCTLREC* c = FXCTLBYHANDLE(hWnd);
    if (c && FXCTLCALLBACK(*p, *c, static_cast<int>(wParam), WM_SIZE)) return 0;
    LRESULT v;
    if (pxhandler(p, iMsg, wParam, lParam, v) && XISTRUE(v)) return 0;
    if (p->iCanvasWidth || p->iCanvasHeight) {
        XSCROLLBARSET(*p, SB_HORZ, std::nullopt, std::nullopt, std::nullopt, LOWORD(lParam));
        XSCROLLBARSET(*p, SB_VERT, std::nullopt, std::nullopt, std::nullopt, HIWORD(lParam));
        XUPDATEWINDOW(*p);
        return 0;
    }
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT pxonsyscolorchange(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    LRESULT v = 0;
    pxhandler(p, iMsg, wParam, lParam, v);
    EnumChildWindows(hWnd, pxsyscolorproc, 0);
    return v;
}

LRESULT pxonsetcursor(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    LRESULT v;
    if (pxhandler(p, iMsg, wParam, lParam, v) && XISTRUE(v)) return TRUE; // the handler set it
    if (p->hCursor != XNOCURSOR && LOWORD(lParam) == HTCLIENT) {
        SetCursor(p->hCursor);
        return 1;
    }
    PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    return 0;
}

LRESULT pxondrawitem(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    LRESULT v = 0;
    if (XCTLREC* c = FXCTLBYHANDLE(dis->hwndItem)) {
        if (FXCTLCALLBACK(*p, *c, static_cast<int>(wParam), lParam))
            return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
        pxhandler(p, iMsg, wParam, lParam, v);
        return v;
    }
    if (pxhandler(p, iMsg, wParam, lParam, v)) return 1;
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT pxonnotify(HWND hWnd, WPARAM wParam, LPARAM lParam, XWND* p) {
    const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
    HWND hParent = GetParent(nm->hwndFrom);
    if (hParent && hParent != hWnd && (pxexstyle(hParent) & WS_EX_CONTROLPARENT))
        return SendMessageA(hParent, WM_NOTIFY, wParam, lParam);
    if (!p) return 0;
    const int id = static_cast<int>(nm->idFrom), code = static_cast<int>(nm->code);
    XCTLREC* c = FXCTLBYHANDLE(nm->hwndFrom);
    if (c && FXCTLCALLBACK(*p, *c, id, code)) return 1;
    int i;
    if (FXGETCOMMAND(*p, id, i)) {
        FXCALLCOMMAND(*p, p->pfnCommand[i], static_cast<int>(wParam), code);
        return 1;
    }
    return 0;
}

LRESULT pxonhelp(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    const auto* hi = reinterpret_cast<const HELPINFO*>(lParam);
    XCTLREC* c = p ? FXCTLBYHANDLE(hWnd) : nullptr;
    if (c && FXCTLCALLBACK(*p, *c, hi->iCtrlId, static_cast<LPARAM>(hi->dwContextId))) return TRUE;
    return pxgeneric(p, hWnd, iMsg, wParam, lParam);
}

LRESULT pxonncdestroy(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    LRESULT v;
    if (p) pxhandler(p, iMsg, wParam, lParam, v);
    LONG_PTR oldProc = XOLD_NONE;
    if (XWND* q = FXWNDBYHANDLE(hWnd)) {
        oldProc = q->lpfnOldProc;
        XFREEWINDOW(*q);
    }
    pxobjects().erase(hWnd);
    // A subclassed control releases its own data here; withholding the message would leak it.
    if (oldProc != XOLD_NONE && oldProc != XOLD_DIALOG && oldProc != XOLD_CLASS)
        CallWindowProcA(reinterpret_cast<WNDPROC>(oldProc), hWnd, iMsg, wParam, lParam);
    return 0;
}

LRESULT pxoninitdialog(HWND hWnd, LPARAM lParam) {
    if (lParam) {
        auto* pxDlg = reinterpret_cast<XWND*>(lParam);
        pxDlg->hWnd = hWnd;
        pxsetobject(hWnd, pxDlg);
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

LRESULT pxoncommand(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
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
    XCTLREC* c = hCtl ? FXCTLBYHANDLE(hCtl) : nullptr;
    if (c && FXCTLCALLBACK(*p, *c, id, code)) return 0;
    int i;
    if (FXGETCOMMAND(*p, id, i)) {
        FXCALLCOMMAND(*p, p->pfnCommand[i], id, code);
        return 1;
    }
    if (id == IDCANCEL && p->lpfnOldProc == XOLD_DIALOG) {
        PostMessageA(hWnd, XM_ENDDIALOG, IDCANCEL, reinterpret_cast<LPARAM>(hWnd));
        if (pxisframe(hWnd)) PostQuitMessage(0);
        return 1;
    }
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

// New scroll position for a request code; line and page steps as the caller sizes them.
int pxscrollpos(const SCROLLINFO& si, int iCode, int iLine, int iPage) {
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

LRESULT pxonscroll(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    if (!p) return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    const int iCode = LOWORD(wParam);
    LRESULT v = 0;
    if (const HWND hBar = reinterpret_cast<HWND>(lParam)) {
        if (XCTLREC* c = FXCTLBYHANDLE(hBar)) {
            SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
            GetScrollInfo(hBar, SB_CTL, &si);
            const int page = std::max(static_cast<int>(si.nPage), 1);
            si.nPos = pxscrollpos(si, iCode, 1, page);
            si.fMask = SIF_POS | SIF_DISABLENOSCROLL;
            SetScrollInfo(hBar, SB_CTL, &si, TRUE);
            if (FXCTLCALLBACK(*p, *c, GetWindowLongA(hBar, GWL_ID), iMsg)) return 1;
        }
        pxhandler(p, iMsg, wParam, lParam, v);
        return v;
    }
    if (pxhandler(p, iMsg, wParam, lParam, v) && XISTRUE(v)) return 0;
    const bool vert = iMsg == WM_VSCROLL;
    if (vert ? p->iCanvasHeight : p->iCanvasWidth) {
        const int bar = vert ? SB_VERT : SB_HORZ;
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(hWnd, bar, &si);
        si.nPos = pxscrollpos(si, iCode, si.nMax / 100, static_cast<int>(si.nPage));
        si.fMask = SIF_POS;
        SetScrollInfo(hWnd, bar, &si, TRUE);
        XUPDATEWINDOW(*p);
        return 0;
    }
    return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
}

LRESULT pxonctlcolor(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    const XCTLREC* c = FXCTLBYHANDLE(reinterpret_cast<HWND>(lParam));
    if (!c || (c->hBrush == XNOBRUSH && c->crText == -1))
        return PXDEFPROC(p, hWnd, iMsg, wParam, lParam);
    LRESULT r = DefWindowProcA(hWnd, iMsg, wParam, lParam);
    const HDC hDC = reinterpret_cast<HDC>(wParam);
    if (c->hBrush != XNOBRUSH) {
        LOGBRUSH lb{};
        GetObjectA(c->hBrush, sizeof lb, &lb);
        SetBkColor(hDC, lb.lbColor);
        r = reinterpret_cast<LRESULT>(c->hBrush);
    }
    if (c->crText != -1) SetTextColor(hDC, static_cast<COLORREF>(c->crText));
    return r;
}

LRESULT pxonmousewheel(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam, XWND* p) {
    LRESULT v;
    if (pxhandler(p, iMsg, wParam, lParam, v) && XISTRUE(v)) return 0;
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

LRESULT pxoncreatecontrol(HWND hWnd, WPARAM wParam, LPARAM lParam, XWND* p) {
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

bool pxisframeworkclass(std::string_view sClass, const WNDCLASSA& wc) {
    return lstrcmpiA(std::string(sClass).c_str(), "XWndClass") == 0 ||
           wc.lpfnWndProc == fxwindowproc;
}

} // namespace

XWND* FXWNDBYHANDLE(HWND hWnd) {
    auto& objects = pxobjects();
    auto it = objects.find(hWnd);
    if (it != objects.end()) return it->second;
    auto* p = static_cast<XWND*>(GetPropA(hWnd, XWNDPROP));
    if (p) objects[hWnd] = p;
    return p;
}

XWND* XGETMDI() {
    return xApp.pxMDI;
}

bool XCREATEWINDOW(XWND& xWnd, const XWND& xParent, int iStyle,
                   std::optional<std::string_view> sTitle, std::optional<int> iExStyle,
                   std::optional<int> iX, std::optional<int> iY, std::optional<int> iWidth,
                   std::optional<int> iHeight, XMENU* xMenu, std::optional<std::string_view> sClass,
                   std::optional<int> iID, std::optional<LPARAM> lParam) {
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
        subclass = !pxisframeworkclass(cls, wc);
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
    if (!hWnd) return false;
    ++xApp.nWindows;

    if (subclass) {
        xWnd.lpfnOldProc =
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fxwindowproc));
        if (child) xWnd.iID = GetWindowLongA(hWnd, GWL_ID);
        pxsetobject(hWnd, &xWnd);
    }
    if (xMenu && !child) xMenu->hOwner = hWnd;
    return true;
}

BOOL XDESTROYWINDOW(XWND& xWnd) {
    BOOL r = DestroyWindow(xWnd.hWnd);
    xWnd.hWnd = nullptr;
    return r;
}

void XFREEWINDOW(XWND& xWnd) {
    if (!XISWINDOW(xWnd, XQ_HASOBJECT)) return;
    xWnd.nHandlers = xWnd.nControls = xWnd.nCommands = xWnd.reserved = 0;
    xWnd.iMsg.release();
    xWnd.pfnHandler.release();
    xWnd.iCmdID.release();
    xWnd.pfnCommand.release();
    xWnd.xCtl.release();
    pxremoveobject(xWnd.hWnd);
    RemovePropA(xWnd.hWnd, XCTLPROP);
}

bool XBINDWINDOW(HWND hWnd, XWND*& pxWnd) {
    if (pxWnd || !IsWindow(hWnd)) return false;
    if (XWND* existing = FXWNDBYHANDLE(hWnd)) {
        pxWnd = existing;
        return true;
    }
    auto* p = new XWND;
    p->hWnd = hWnd;
    p->iID = GetWindowLongA(hWnd, GWL_ID);
    ++xApp.nWindows;
    RemovePropA(hWnd, XWNDPROP);
    pxsetobject(hWnd, p);
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
        pxremoveobject(hWnd);
        delete p;
        return false;
    }
    pxbound().insert(p);
    pxWnd = p;
    FXBINDWINDOWCONTROLS(*p);
    return true;
}

bool XUNBINDWINDOW(XWND*& pxWnd) {
    if (!pxWnd) return false;
    const LONG_PTR old = pxWnd->lpfnOldProc;
    if (old == XOLD_NONE || old == XOLD_DIALOG || old == XOLD_CLASS) return false;
    XFREEWINDOW(*pxWnd);
    SetWindowLongPtrA(pxWnd->hWnd, GWLP_WNDPROC, old);
    pxWnd->lpfnOldProc = XOLD_NONE;
    if (pxbound().erase(pxWnd)) delete pxWnd;
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
    case XQ_HASOBJECT: return xWnd.hWnd && GetPropA(xWnd.hWnd, XWNDPROP) != nullptr;
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
        if (pxexstyle(hWnd) & WS_EX_MDICHILD) return DefMDIChildProcA(hWnd, iMsg, wParam, lParam);
        if (pxisframe(hWnd) && xApp.pxMDI)
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

LRESULT CALLBACK fxwindowproc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    XWND* p = FXWNDBYHANDLE(hWnd);
    if (p && p->hWnd != hWnd) {
        RaiseException(XEXC_WNDMISMATCH, 0, 0, nullptr);
        p = nullptr; // if a handler lets execution go on, the foreign object stays untouched
    }
    switch (iMsg) {
    case WM_CREATE: return pxoncreate(hWnd, iMsg, wParam, lParam, p);
    case WM_DESTROY: return pxondestroy(hWnd, iMsg, wParam, lParam, p);
    case WM_SIZE: return pxonsize(hWnd, iMsg, wParam, lParam, p);
    case WM_SYSCOLORCHANGE: return pxonsyscolorchange(hWnd, iMsg, wParam, lParam, p);
    case WM_SETCURSOR: return pxonsetcursor(hWnd, iMsg, wParam, lParam, p);
    case WM_DRAWITEM: return pxondrawitem(hWnd, iMsg, wParam, lParam, p);
    case WM_NOTIFY: return pxonnotify(hWnd, wParam, lParam, p);
    case WM_HELP: return pxonhelp(hWnd, iMsg, wParam, lParam, p);
    case WM_NCCREATE: return pxonnccreate(hWnd, iMsg, wParam, lParam, p);
    case WM_NCDESTROY: return pxonncdestroy(hWnd, iMsg, wParam, lParam, p);
    case WM_INITDIALOG: return pxoninitdialog(hWnd, lParam);
    case WM_COMMAND: return pxoncommand(hWnd, iMsg, wParam, lParam, p);
    case WM_HSCROLL:
    case WM_VSCROLL: return pxonscroll(hWnd, iMsg, wParam, lParam, p);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return pxonctlcolor(hWnd, iMsg, wParam, lParam, p);
    case WM_MOUSEWHEEL: return pxonmousewheel(hWnd, iMsg, wParam, lParam, p);
    case XM_CREATECONTROL: return pxoncreatecontrol(hWnd, wParam, lParam, p);
    default: return pxgeneric(p, hWnd, iMsg, wParam, lParam);
    }
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

// Dispatch.

const void* FXHANDLERSIG(UINT) {
    return XSIGOF<XGENERALHANDLER>();
}

// A routine made for another argument list is not called through the wrong type: the mismatch
// is raised as a software exception where the call would have been.
LRESULT FXCALLHANDLER(const XPROCREF& proc, XWND& xWnd, UINT& iMsg, WPARAM& wParam,
                      LPARAM& lParam) {
    if (proc.sig != FXHANDLERSIG(iMsg)) {
        RaiseException(XEXC_ARGLIST, 0, 0, nullptr);
        return XFALSE;
    }
    int msg = static_cast<int>(iMsg);
    const LRESULT r = reinterpret_cast<XGENERALHANDLER*>(proc.pfn)(xWnd, msg, wParam, lParam);
    iMsg = static_cast<UINT>(msg);
    return r;
}

void FXCALLCOMMAND(XWND& xWnd, const XPROCREF& proc, int iID, int iCode) {
    if (proc.sig != XSIGOF<XCOMMANDPROC>()) {
        RaiseException(XEXC_ARGLIST, 0, 0, nullptr);
        return;
    }
    reinterpret_cast<XCOMMANDPROC*>(proc.pfn)(xWnd, iID, iCode);
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
