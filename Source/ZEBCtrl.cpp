// ZEBCtrl: child controls addressed by (window object, identifier).
#include "ZEBCtrl.h"

#include <commctrl.h>

#include <string>

#include "ZEBApp.h"
#include "ZEBStrings.h"

namespace {

constexpr char XCTLPROP[] = "XCTL";

// System classes by class code 1 to 17.
constexpr const char* XCLASSNAMES[17] = {
    "Static",
    "Button",
    "Button",
    "Button",
    "Button",
    "Edit",
    "Listbox",
    "Combobox",
    "Button",
    "SysTabControl32",
    "Scrollbar",
    "Combobox",
    "msctls_updown32",
    "msctls_trackbar32",
    "msctls_progress32",
    "msctls_statusbar32",
    "syslistview32",
};

// Notification codes the routing reads.
constexpr int XEN_SETFOCUS = 0x100, XEN_KILLFOCUS = 0x200, XEN_CHANGE = 0x300, XEN_UPDATE = 0x400;
constexpr int XTCN_SELCHANGE = -551, XTCN_SELCHANGING = -552, XUDN_DELTAPOS = -722;

// Event codes passed to callbacks.
constexpr int XEV_CLICK = -4, XEV_CHANGED = -6, XEV_UPDATED = -7, XEV_SELCHANGED = -10,
              XEV_DBLCLK = -14, XEV_GOTFOCUS = -27, XEV_LOSTFOCUS = -28, XEV_SELCHANGING = -29,
              XEV_DLG31 = -31, XEV_DLG33 = -33, XEV_DLGINIT = -34;

// Calls the routine in slot (1 to 4) with the event value; false when the slot is empty.
bool pxslot(XWND& xWnd, const XCTLREC& xCtl, int iSlot, int iID, int iValue) {
    const XPROCREF proc = xCtl.pfnCallback[iSlot - 1]; // the callback may move the record
    if (!proc.pfn) return false;
    FXCALLCOMMAND(xWnd, proc, iID, iValue);
    return true;
}

bool pxfocused(HWND hCtl) {
    return GetFocus() == hCtl;
}

bool pxfocusedwithin(HWND hCtl) {
    const HWND f = GetFocus();
    return f && (f == hCtl || IsChild(hCtl, f));
}

// Puts the chosen item's text into an editable combo box's edit field.
void pxcombocopysel(HWND hCombo) {
    const LRESULT sel = SendMessageA(hCombo, CB_GETCURSEL, 0, 0);
    if (sel < 0) return;
    const LRESULT len = SendMessageA(hCombo, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0);
    if (len < 0) return;
    std::string text(static_cast<size_t>(len) + 1, '\0');
    SendMessageA(hCombo, CB_GETLBTEXT, static_cast<WPARAM>(sel),
                 reinterpret_cast<LPARAM>(&text[0]));
    SendMessageA(hCombo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Shows the page of the selected tab over the tab's display area and hides the others.
void pxdeftab(HWND hTab) {
    const auto sel = SendMessageA(hTab, TCM_GETCURSEL, 0, 0);
    const auto n = SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0);
    const HWND hOwner = GetParent(hTab);
    for (LRESULT i = 0; i < n; ++i) {
        TCITEMA item{};
        item.mask = TCIF_PARAM;
        SendMessageA(hTab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        const int id = static_cast<int>(item.lParam);
        HWND hPage = GetDlgItem(hOwner, id);
        if (!hPage) hPage = GetDlgItem(hTab, id);
        if (!hPage) continue;
        if (i != sel) {
            ShowWindow(hPage, SW_HIDE);
            continue;
        }
        RECT r;
        GetClientRect(hTab, &r);
        SendMessageA(hTab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        const HWND hPageParent = GetParent(hPage);
        if (hPageParent != hTab)
            MapWindowPoints(hTab, hPageParent, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(hPage, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_SHOWWINDOW);
    }
}

} // namespace

const char* FXCLASSNAME(int iClass) {
    return iClass >= 1 && iClass <= 17 ? XCLASSNAMES[iClass - 1] : nullptr;
}

XCTLREC* FXCTLBYHANDLE(HWND hCtl) {
    return static_cast<XCTLREC*>(GetPropA(hCtl, XCTLPROP));
}

void FXASSOCCTLTOHANDLE(HWND hCtl, XCTLREC& xControl) {
    SetPropA(hCtl, XCTLPROP, &xControl);
}

int FXRESOLVECLASSNAME(HWND hCtl) {
    char buf[33] = {};
    GetClassNameA(hCtl, buf, sizeof buf);
    const std::string name = XTOLOWER(buf);
    const LONG style = GetWindowLongA(hCtl, GWL_STYLE);
    if (name == "#32770") return XCLS_DIALOG;
    if (name == "button") {
        switch (style & 0xF) {
        case BS_GROUPBOX: return 2;
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
        case BS_OWNERDRAW: return 3;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX: return 4;
        case BS_AUTORADIOBUTTON: return 5;
        case BS_RADIOBUTTON: return 9;
        default: return 0;
        }
    }
    if (name == "combobox") return (style & 3) == CBS_DROPDOWNLIST ? 8 : 12;
    static const struct {
        const char* name;
        int iClass;
    } plain[] = {{"static", 1},
                 {"edit", 6},
                 {"listbox", 7},
                 {"systabcontrol32", 10},
                 {"scrollbar", 11},
                 {"msctls_updown32", 13},
                 {"msctls_trackbar32", 14},
                 {"msctls_progress32", 15},
                 {"msctls_statusbar32", 16},
                 {"syslistview32", 17}};
    for (const auto& e : plain)
        if (name == e.name) return e.iClass;
    return 0;
}

bool FXCTLCALLBACK(XWND& xWnd, XCTLREC& xCtl, int iID, LPARAM iCode) {
    const int code = static_cast<int>(iCode);
    switch (xCtl.iClass) {
    case 3:
    case 4:
    case 5:
    case 9: return code == BN_CLICKED && pxslot(xWnd, xCtl, 1, iID, XEV_CLICK);
    case 6:
        switch (code) {
        case XEN_CHANGE: return pxfocused(xCtl.hCtl) && pxslot(xWnd, xCtl, 1, iID, XEV_CHANGED);
        case XEN_UPDATE: return pxfocused(xCtl.hCtl) && pxslot(xWnd, xCtl, 2, iID, XEV_UPDATED);
        case XEN_SETFOCUS: return pxslot(xWnd, xCtl, 3, iID, XEV_GOTFOCUS);
        case XEN_KILLFOCUS: return pxslot(xWnd, xCtl, 4, iID, XEV_LOSTFOCUS);
        default: return false;
        }
    case 7:
        if (code == LBN_SELCHANGE) return pxslot(xWnd, xCtl, 1, iID, XEV_SELCHANGED);
        return code == LBN_DBLCLK && pxslot(xWnd, xCtl, 2, iID, XEV_DBLCLK);
    case 8:
        if (!pxfocused(xCtl.hCtl)) return false;
        if (code == CBN_SELCHANGE) return pxslot(xWnd, xCtl, 1, iID, XEV_SELCHANGED);
        return code == CBN_DBLCLK && pxslot(xWnd, xCtl, 2, iID, XEV_DBLCLK);
    case 10:
        if (code == XTCN_SELCHANGE) {
            pxdeftab(xCtl.hCtl);
            return pxslot(xWnd, xCtl, 1, iID, XEV_SELCHANGED);
        }
        return code == XTCN_SELCHANGING && pxslot(xWnd, xCtl, 2, iID, XEV_SELCHANGING);
    case 11: return pxslot(xWnd, xCtl, 1, iID, XEV_CHANGED);
    case 12:
        if (!pxfocusedwithin(xCtl.hCtl)) return false;
        switch (code) {
        case CBN_DBLCLK: return pxslot(xWnd, xCtl, 2, iID, XEV_DBLCLK);
        case CBN_EDITCHANGE: return pxslot(xWnd, xCtl, 3, iID, XEV_CHANGED);
        case CBN_EDITUPDATE: return pxslot(xWnd, xCtl, 4, iID, XEV_UPDATED);
        case CBN_SELENDOK:
            pxcombocopysel(xCtl.hCtl);
            return pxslot(xWnd, xCtl, 1, iID, XEV_SELCHANGED);
        default: return false;
        }
    case 13: return code == XUDN_DELTAPOS && pxslot(xWnd, xCtl, 1, iID, XEV_CHANGED);
    case 14:
        return (code == WM_HSCROLL || code == WM_VSCROLL) &&
               pxslot(xWnd, xCtl, 1, iID, XEV_CHANGED);
    case XCLS_DIALOG:
        switch (code) {
        case WM_INITDIALOG: return pxslot(xWnd, xCtl, 1, iID, XEV_DLGINIT);
        case WM_SIZE: return pxslot(xWnd, xCtl, 4, iID, XEV_DLG33);
        case WM_DESTROY: return pxslot(xWnd, xCtl, 3, iID, XEV_DLG31);
        default: return pxslot(xWnd, xCtl, 2, iID, code);
        }
    default: return false;
    }
}

BOOL CALLBACK pxcountdlgcontrols(HWND hChild, LPARAM pnCount) {
    if (GetWindowLongA(hChild, GWL_ID) > 0) ++*reinterpret_cast<int*>(pnCount);
    return TRUE;
}

BOOL CALLBACK pxenumdlgcontrols(HWND hChild, LPARAM pxWnd) {
    XWND& xWnd = *reinterpret_cast<XWND*>(pxWnd);
    if (hChild == reinterpret_cast<HWND>(static_cast<INT_PTR>(-1))) {
        xWnd.nControls = 0;
        return FALSE;
    }
    const int id = GetWindowLongA(hChild, GWL_ID);
    // A child that appeared after the list was sized finds no entry.
    if (id <= 0 || xWnd.nControls + 1 >= xWnd.xCtl.capacity()) return TRUE;
    XCTLREC& c = xWnd.xCtl[++xWnd.nControls];
    c = XCTLREC{};
    c.hCtl = hChild;
    c.iClass = FXRESOLVECLASSNAME(hChild);
    c.iStyle = GetWindowLongA(hChild, GWL_STYLE);
    c.hParent = xWnd.hWnd;
    c.hBrush = XNOBRUSH;
    c.crText = -1;
    FXASSOCCTLTOHANDLE(hChild, c);
    if (id == IDOK || id == IDCANCEL) c.pfnCallback[0] = XPROCOF(PXENDDIALOG);
    return TRUE;
}

void FXBINDWINDOWCONTROLS(XWND& xWnd) {
    int n = 0;
    xWnd.nControls = 0;
    EnumChildWindows(xWnd.hWnd, pxcountdlgcontrols, reinterpret_cast<LPARAM>(&n));
    xWnd.xCtl.allocate(n + 1);
    EnumChildWindows(xWnd.hWnd, pxenumdlgcontrols, reinterpret_cast<LPARAM>(&xWnd));
}

void PXENDDIALOG(XWND& xWnd, int iID, int) {
    PostMessageA(xWnd.hWnd, XM_ENDDIALOG, static_cast<WPARAM>(iID),
                 reinterpret_cast<LPARAM>(xWnd.hWnd));
    if (xApp.pxFrame && xApp.pxFrame->hWnd == xWnd.hWnd) PostQuitMessage(0);
}

BOOL CALLBACK pxdestroydlgcontrols(HWND hChild, LPARAM bDestroy) {
    if (const XCTLREC* c = FXCTLBYHANDLE(hChild)) {
        if (c->hBrush != XNOBRUSH && c->hBrush) DeleteObject(c->hBrush);
        if (c->hFont && c->hFont != reinterpret_cast<HFONT>(static_cast<INT_PTR>(-1)))
            DeleteObject(c->hFont);
    }
    RemovePropA(hChild, XCTLPROP);
    if (bDestroy) DestroyWindow(hChild);
    return TRUE;
}

void XCTLDESTROYALL(XWND& xWnd, std::optional<bool> bDestroy) {
    EnumChildWindows(xWnd.hWnd, pxdestroydlgcontrols, bDestroy.value_or(true) ? TRUE : FALSE);
    xWnd.xCtl.release();
    xWnd.nControls = 0;
}
