// ZEBCtrl: child controls addressed by (window object, identifier).
#include "ZEBCtrl.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <unordered_map>

#include "ZEBApp.h"
#include "ZEBCtrlpriv.h"
#include "ZEBGDI.h"
#include "ZEBListView.h"
#include "ZEBStrings.h"

namespace {

constexpr char XCTLPROP[] = "XCTL";

// The "XCTL" property is the public link from a control to its record, but a property lookup
// is a round trip to the window server on some platforms, and the window procedure asks on
// every size and colour message. Records are found in this in-process copy, which every
// change of the property made here keeps in step; only this process's windows are in it.
XHandleMap<HWND, XCTLREC> xRecords;
XHandleMap<HWND, XCTLREC>& PXRECORDS() {
    return xRecords;
}

void PXUNLINK(HWND hCtl) {
    RemovePropA(hCtl, XCTLPROP);
    PXRECORDS().erase(hCtl);
}
inline const HFONT XNOFONT = reinterpret_cast<HFONT>(static_cast<INT_PTR>(-1));

// Slot 4 of a dialog's record doubles as its integer (property -32). The integer is stored with
// this tag, so that a notification for slot 4 raises the argument-list exception instead of
// jumping to a number.
struct XDLGINTEGER;

// ---- Targets ---------------------------------------------------------------------------------

struct XTARGET {
    HWND h = nullptr;
    XCTLREC* rec = nullptr;
    int iClass = 0;
};

// The addressing rule: the child with identifier ID, else the window itself when ID is its own.
bool PXFINDTARGET(const XWND& xWnd, int ID, XTARGET& t) {
    if (!xWnd.hWnd) return false;
    HWND h = GetDlgItem(xWnd.hWnd, ID);
    if (!h && ID == xWnd.iID) h = xWnd.hWnd;
    if (!h) return false;
    t.h = h;
    t.rec = FXCTLBYHANDLE(h);
    t.iClass = t.rec ? t.rec->iClass : FXRESOLVECLASSNAME(h);
    return true;
}

LONG PXSTYLE(HWND h) {
    return GetWindowLongA(h, GWL_STYLE);
}

// List and combo boxes: LB_ERR/CB_ERR (-1) and LB_ERRSPACE/CB_ERRSPACE (-2) are failures.
bool PXUNLESSERR(LRESULT r) {
    return r != -1 && r != -2;
}

bool PXISCHECK(int iClass) {
    return iClass == XCC_CHECKBOX || iClass == XCC_RADIO || iClass == XCC_RADIOMANUAL;
}

bool PXISCOMBO(int iClass) {
    return iClass == XCC_COMBOLIST || iClass == XCC_COMBOEDIT;
}

void PXREPAINT(HWND h) {
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
}

// The colour of each brush made here for a record, from its making to its deletion: the
// window procedure paints with it on every colour message, and reading a brush back is a call
// into the system.
std::unordered_map<HBRUSH, COLORREF>& PXBRUSHCOLOURS() {
    static std::unordered_map<HBRUSH, COLORREF> colours;
    return colours;
}

HBRUSH PXCREATECTLBRUSH(COLORREF cr) {
    const HBRUSH h = CreateSolidBrush(cr);
    if (h) PXBRUSHCOLOURS()[h] = cr;
    return h;
}

void PXDELETECTLBRUSH(HBRUSH h) {
    if (!h || h == XNOBRUSH) return;
    PXBRUSHCOLOURS().erase(h);
    DeleteObject(h);
}

void PXDELETEFONT(HFONT h) {
    if (h && h != XNOFONT) DeleteObject(h);
}

// Releases what a record owns once the record goes: its brush, which only the record's colour
// answers use, and its font unless a control that stays still shows it.
void PXRELEASEOBJECTS(const XCTLREC& c) {
    PXDELETECTLBRUSH(c.hBrush);
    if (!IsWindow(c.hCtl) || reinterpret_cast<HFONT>(FXSEND(c.hCtl, WM_GETFONT)) != c.hFont)
        PXDELETEFONT(c.hFont);
}

int PXHEADERCOUNT(HWND hHeader) {
    return hHeader ? static_cast<int>(FXSEND(hHeader, HDM_GETITEMCOUNT)) : 0;
}

// ---- The control list ------------------------------------------------------------------------

// Sets the "XCTL" property of entries iFrom..iTo that hold a window, after entries moved.
void PXREPOINT(XWND& xWnd, int iFrom, int iTo) {
    for (int i = iFrom; i <= iTo; ++i)
        if (xWnd.xCtl[i].hCtl) FXASSOCCTLTOHANDLE(xWnd.xCtl[i].hCtl, xWnd.xCtl[i]);
}

// The entry for one more control: a new list has room for 32 after entry 0 and grows by 32.
XCTLREC& PXNEWENTRY(XWND& xWnd) {
    if (!xWnd.xCtl.allocated()) {
        xWnd.xCtl.allocate(XCTL_FIRSTROOM + 1);
        xWnd.nControls = 0;
    }
    const int n = xWnd.nControls + 1;
    if (n > xWnd.xCtl.capacity() - 1) {
        xWnd.xCtl.resize(xWnd.xCtl.capacity() + XCTL_GROWTH);
        PXREPOINT(xWnd, 0, n - 1);
    }
    xWnd.nControls = n;
    return xWnd.xCtl[n];
}

} // namespace

void FXINITCTLREC(XCTLREC& c, HWND hCtl, int iClass, int iStyle, HWND hParent) {
    c = XCTLREC{};
    c.hCtl = hCtl;
    c.iClass = iClass;
    c.iStyle = iStyle;
    c.hParent = hParent;
    c.hBrush = XNOBRUSH;
    c.crText = -1;
    c.hFont = nullptr;
}

namespace {

// True when the window's own "XCTL" designates entry 0 of its list (a dialog's record).
bool PXHASOWNRECORD(XWND& xWnd) {
    return xWnd.xCtl.allocated() && xWnd.hWnd && xWnd.xCtl[0].hCtl == xWnd.hWnd &&
           FXCTLBYHANDLE(xWnd.hWnd) == &xWnd.xCtl[0];
}

// Releases the control list. A dialog's own record is read by the window procedure until the
// window is gone (its destruction event), so entry 0 stays with a live window; bOwnObjects
// releases its font and brush.
void PXRELEASELIST(XWND& xWnd, bool bOwnObjects) {
    xWnd.nControls = 0;
    if (!PXHASOWNRECORD(xWnd)) {
        xWnd.xCtl.release();
        return;
    }
    XCTLREC& own = xWnd.xCtl[0];
    if (bOwnObjects) {
        PXDELETECTLBRUSH(own.hBrush);
        PXDELETEFONT(own.hFont);
        own.hBrush = XNOBRUSH;
        own.hFont = nullptr;
    }
    for (int i = 1; i < xWnd.xCtl.capacity(); ++i) xWnd.xCtl[i] = XCTLREC{};
}

// Index (1..count) of a record in the window's list, or 0.
int PXINDEXOF(XWND& xWnd, const XCTLREC* rec) {
    if (!xWnd.xCtl.allocated()) return 0;
    const int n = std::min(xWnd.nControls, xWnd.xCtl.capacity() - 1);
    for (int i = 1; i <= n; ++i)
        if (&xWnd.xCtl[i] == rec) return i;
    return 0;
}

// The first identifier above ID (below 32768, never 0) that no child of the window uses.
std::optional<int> PXFREEID(HWND hParent, int ID) {
    std::set<int> used;
    for (HWND h = GetWindow(hParent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        used.insert(GetWindowLongA(h, GWL_ID));
    for (long long i = static_cast<long long>(ID) + 1; i < 32768; ++i)
        if (i != 0 && !used.count(static_cast<int>(i))) return static_cast<int>(i);
    return std::nullopt;
}

void PXINITCOMMONCONTROLS() {
    static bool done = false;
    if (!done) InitCommonControls();
    done = true;
}

// ---- List views ------------------------------------------------------------------------------

// Rows and application array indexes: ZEBListView's row maps.
int PXLVBACKMAPOF(HWND hList, int iRow) {
    int k = 0;
    FXLV_BACKMAP(hList, iRow, k);
    return k;
}

int PXLVFWDMAPOF(HWND hList, int iIndex) {
    int row = -1;
    FXLV_FWDMAP(hList, row, iIndex);
    return row;
}

// Selects or deselects the row of array index k. An index without a row selects nothing: to
// the system, item -1 means every row.
bool PXLVSELECT(HWND hList, int k, bool b) {
    const int item = PXLVFWDMAPOF(hList, k);
    if (item < 0) return false;
    LVITEMA it{};
    it.mask = LVIF_STATE;
    it.stateMask = LVIS_SELECTED;
    it.state = b ? ~0u : 0u;
    return FXSEND(hList, LVM_SETITEMSTATE, static_cast<WPARAM>(item), FXADDR(&it)) != 0;
}

// ---- Texts -----------------------------------------------------------------------------------

// Fills a blank-padded text from a system text of at most n characters, up to its first NUL.
void PXFILLTEXT(std::string& sText, const char* p, std::size_t n) {
    std::size_t len = 0;
    while (len < n && p[len]) ++len;
    sText = XFIXED(std::string_view(p, len), static_cast<int>(sText.size()));
}

// An item's text, read into a buffer as long as the item's own text whatever the caller's
// declared length: these messages take no buffer size.
bool PXITEMTEXT(HWND h, UINT iLenMsg, UINT iTextMsg, WPARAM i, std::string& buf) {
    const LRESULT n = FXSEND(h, iLenMsg, i);
    if (n < 0) return false;
    buf.assign(std::max(buf.size(), static_cast<std::size_t>(n) + 1), '\0');
    return PXUNLESSERR(FXSEND(h, iTextMsg, i, FXADDR(&buf[0])));
}

// An item's text through a record that names the buffer and its size (tab items, columns).
template <class Item>
bool PXITEMTEXTINTO(HWND h, UINT iMsg, UINT iMask, WPARAM i, std::string& buf, int cap) {
    Item it{};
    it.mask = iMask;
    it.pszText = &buf[0];
    it.cchTextMax = cap;
    return FXSEND(h, iMsg, i, FXADDR(&it)) != 0;
}

bool PXSETFONT(XCTLREC& rec, HWND h, std::string_view sText) {
    const XFONTDESC d = PXREADFONT(sText);
    const HFONT f = CreateFontA(-d.iHeight, d.iWidth, 0, 0, d.iWeight, d.bItalic, d.bUnderline,
                                FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, d.sFace.c_str());
    if (!f) return false; // the control keeps the font it has
    const HFONT old = rec.hFont;
    rec.hFont = f;
    FXSEND(h, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
    PXDELETEFONT(old); // only once the control no longer uses it
    return true;
}

// Adds items at the end or deletes the last until there are v; false when that cannot be done
// (a negative v, or the control refusing an item) rather than trying for ever.
template <class Add, class Del> bool PXSETCOUNT(HWND h, UINT iCountMsg, int v, Add add, Del del) {
    if (v < 0) return false;
    for (LRESULT n = FXSEND(h, iCountMsg); n != v; n = FXSEND(h, iCountMsg)) {
        if (n < 0) return false;
        if (!(n < v ? add(n) : del(n - 1))) return false;
    }
    return true;
}

bool PXSETCOUNTLIST(HWND h, bool bCombo, int v) {
    const UINT add = bCombo ? CB_ADDSTRING : LB_ADDSTRING;
    const UINT del = bCombo ? CB_DELETESTRING : LB_DELETESTRING;
    const LRESULT sel = FXSEND(h, bCombo ? CB_GETCURSEL : LB_GETCURSEL);
    const bool ok = PXSETCOUNT(
        h, bCombo ? CB_GETCOUNT : LB_GETCOUNT, v,
        [&](LRESULT) { return PXUNLESSERR(FXSEND(h, add, 0, FXADDR(""))); },
        [&](LRESULT last) { return PXUNLESSERR(FXSEND(h, del, static_cast<WPARAM>(last))); });
    FXSEND(h, bCombo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(sel));
    return ok;
}

bool PXSETCOUNTTABS(HWND h, int v) {
    // Pages that are children of the tab control report through it to the window.
    SetWindowLongA(h, GWL_EXSTYLE, GetWindowLongA(h, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    return PXSETCOUNT(
        h, TCM_GETITEMCOUNT, v,
        [&](LRESULT n) {
            char empty[1] = "";
            TCITEMA it{};
            it.mask = TCIF_TEXT;
            it.pszText = empty;
            return FXSEND(h, TCM_INSERTITEMA, static_cast<WPARAM>(n), FXADDR(&it)) >= 0;
        },
        [&](LRESULT last) { return FXSEND(h, TCM_DELETEITEM, static_cast<WPARAM>(last)) != 0; });
}

// ---- Scroll bars -----------------------------------------------------------------------------

bool PXSCROLLGET(HWND h, UINT iMask, SCROLLINFO& si) {
    si = SCROLLINFO{sizeof si, iMask, 0, 0, 0, 0, 0};
    return GetScrollInfo(h, SB_CTL, &si) != 0;
}

void PXSCROLLSET(HWND h, UINT iMask, SCROLLINFO& si) {
    si.cbSize = sizeof si;
    si.fMask = iMask;
    SetScrollInfo(h, SB_CTL, &si, TRUE);
}

// ---- Colours ---------------------------------------------------------------------------------

// The brush replaced (also by -1) is deleted once the control no longer paints with it.
bool PXSETBKCOLOUR(XCTLREC& rec, HWND h, int iClass, int v) {
    const bool common = iClass == XCC_PROGRESS || iClass == XCC_STATUSBAR;
    const HBRUSH old = rec.hBrush;
    if (v == -1) {
        rec.hBrush = XNOBRUSH;
        if (common) FXSEND(h, CCM_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_DEFAULT));
        PXREPAINT(h);
        PXDELETECTLBRUSH(old);
        return common;
    }
    if (v < 0 || v > 0xFFFFFF) return false;
    const HBRUSH b = PXCREATECTLBRUSH(static_cast<COLORREF>(v));
    if (!b) return false;
    rec.hBrush = b;
    bool ok = true;
    if (common)
        FXSEND(h, CCM_SETBKCOLOR, 0, v);
    else if (iClass == XCC_LISTVIEW)
        ok = FXSEND(h, LVM_SETBKCOLOR, 0, v) && FXSEND(h, LVM_SETTEXTBKCOLOR, 0, v);
    else
        PXREPAINT(h);
    PXDELETECTLBRUSH(old);
    return ok;
}

bool PXSETTEXTCOLOUR(XCTLREC& rec, HWND h, int iClass, int v) {
    if (v < -1 || v > 0xFFFFFF) return false;
    rec.crText = v;
    if (iClass == XCC_PROGRESS) {
        FXSEND(h, PBM_SETBARCOLOR, 0, v); // answers the previous colour, which may be black
        return true;
    }
    if (iClass == XCC_LISTVIEW) return FXSEND(h, LVM_SETTEXTCOLOR, 0, v) != 0;
    PXREPAINT(h);
    return true;
}

// ---- Images ----------------------------------------------------------------------------------

// The image messages answer the previous image, 0 the first time: success is reading back
// what was set.
bool PXSETIMAGE(const XTARGET& t, int iProp, HANDLE v) {
    const HWND h = t.h;
    const LPARAM lv = reinterpret_cast<LPARAM>(v);
    const int c = t.iClass;
    if (iProp >= 1 && c == XCC_STATUSBAR)
        return FXSEND(h, SB_SETICON, static_cast<WPARAM>(iProp - 1), lv) != 0;
    if (iProp != XPC_BITMAP && iProp != XPC_ICON) return false;
    if (c == XCC_STATIC) {
        const int kind = PXSTYLE(h) & 0xF;
        if (kind != SS_BITMAP && kind != SS_ICON) return false;
        const WPARAM type = kind == SS_BITMAP ? IMAGE_BITMAP : IMAGE_ICON;
        FXSEND(h, STM_SETIMAGE, type, lv);
        return FXSEND(h, STM_GETIMAGE, type) == lv;
    }
    if (PXCTLISBUTTON(c)) {
        const LONG s = PXSTYLE(h);
        if (!(s & (BS_BITMAP | BS_ICON))) return false;
        const WPARAM type = (s & BS_BITMAP) ? IMAGE_BITMAP : IMAGE_ICON;
        FXSEND(h, BM_SETIMAGE, type, lv);
        return FXSEND(h, BM_GETIMAGE, type) == lv;
    }
    if (c == XCC_LISTVIEW) {
        // Setting the small images hands them to the header as well; it keeps its own.
        const HWND hHeader = FXLVHEADER(h);
        const LRESULT keep = hHeader ? FXSEND(hHeader, HDM_GETIMAGELIST) : 0;
        FXSEND(h, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES);
        FXSEND(h, LVM_SETIMAGELIST, LVSIL_SMALL, lv);
        if (hHeader) FXSEND(hHeader, HDM_SETIMAGELIST, 0, keep);
        return true;
    }
    if (c == XCLS_DIALOG) {
        FXSEND(h, WM_SETICON, ICON_SMALL, lv);
        return FXSEND(h, WM_GETICON, ICON_SMALL) == lv;
    }
    return false;
}

bool PXGETIMAGE(const XTARGET& t, int iProp, HANDLE& v) {
    const HWND h = t.h;
    const int c = t.iClass;
    const LONG s = PXSTYLE(h);
    LRESULT r = 0;
    if (iProp == XPC_BITMAP && c == XCC_STATIC && (s & 0xF) == SS_BITMAP)
        r = FXSEND(h, STM_GETIMAGE, IMAGE_BITMAP);
    else if (iProp == XPC_BITMAP && PXCTLISBUTTON(c) && (s & BS_BITMAP))
        r = FXSEND(h, BM_GETIMAGE, IMAGE_BITMAP);
    else if (iProp == XPC_BITMAP && c == XCLS_DIALOG)
        r = FXSEND(h, WM_GETICON, ICON_SMALL);
    else if (iProp == XPC_ICON && c == XCC_STATIC && (s & 0xF) == SS_ICON)
        r = FXSEND(h, STM_GETIMAGE, IMAGE_ICON);
    else if (iProp == XPC_ICON && PXCTLISBUTTON(c) && (s & BS_ICON))
        r = FXSEND(h, BM_GETIMAGE, IMAGE_ICON);
    else if (iProp == XPC_ICON && c == XCC_LISTVIEW) {
        if (!(r = FXSEND(h, LVM_GETIMAGELIST, LVSIL_SMALL))) return false;
    } else if (iProp >= 0 && c == XCC_STATUSBAR)
        r = FXSEND(h, SB_GETICON, static_cast<WPARAM>(iProp - 1));
    else
        return false;
    v = reinterpret_cast<HANDLE>(r);
    return true;
}

// ---- Integer values --------------------------------------------------------------------------

// Adds item v to a multiple selection; item 0 would be index -1, which selects every item.
bool PXADDTOSEL(HWND h, int v) {
    return v >= 1 && FXSEND(h, LB_SETSEL, TRUE, v - 1) != LB_ERR;
}

bool PXLISTSEL(HWND h, int v) {
    if (PXSTYLE(h) & LBS_MULTIPLESEL) return PXADDTOSEL(h, v);
    return FXSEND(h, LB_SETCURSEL, static_cast<WPARAM>(v - 1)) != LB_ERR;
}

bool PXSETTAB(HWND h, int v) {
    // Tab 0 would be index -1, which leaves no tab selected and every page hidden.
    if (v < 1 || v > FXSEND(h, TCM_GETITEMCOUNT)) return false;
    FXSEND(h, TCM_SETCURSEL, static_cast<WPARAM>(v - 1));
    XCTLREC tab{};
    tab.hCtl = h;
    FXDEFTABCALLBACK(tab);
    return true;
}

bool PXSETVALUE(const XTARGET& t, int v) {
    const HWND h = t.h;
    switch (t.iClass) {
    case XCC_EDIT: FXSEND(h, EM_SETSEL, static_cast<WPARAM>(v), v); return true;
    case XCC_LISTBOX: return PXLISTSEL(h, v);
    case XCC_COMBOLIST:
    case XCC_COMBOEDIT: return FXSEND(h, CB_SETCURSEL, static_cast<WPARAM>(v - 1)) != CB_ERR;
    case XCC_TAB: return PXSETTAB(h, v);
    case XCC_SCROLLBAR: {
        SCROLLINFO si;
        PXSCROLLGET(h, SIF_ALL, si);
        si.nPos = PXSCROLLCLAMP(v, si.nMin, si.nMax, static_cast<int>(si.nPage));
        PXSCROLLSET(h, SIF_POS, si);
        return true;
    }
    case XCC_UPDOWN: FXSEND(h, UDM_SETPOS, 0, v); return true;
    case XCC_TRACKBAR: FXSEND(h, TBM_SETPOS, TRUE, v); return true;
    case XCC_PROGRESS: FXSEND(h, PBM_SETPOS, static_cast<WPARAM>(v)); return true;
    case XCC_LISTVIEW: return PXLVSELECT(h, v, true);
    default: return false;
    }
}

bool PXSETRANGE(const XTARGET& t, int iProp, int v) {
    const HWND h = t.h;
    const bool lower = iProp == XPC_MINIMUM;
    switch (t.iClass) {
    case XCC_SCROLLBAR: {
        SCROLLINFO si;
        PXSCROLLGET(h, SIF_RANGE, si);
        (lower ? si.nMin : si.nMax) = v;
        PXSCROLLSET(h, SIF_RANGE, si);
        return true;
    }
    case XCC_UPDOWN: {
        const auto r = static_cast<std::uint32_t>(FXSEND(h, UDM_GETRANGE));
        FXSEND(h, UDM_SETRANGE, 0, static_cast<LPARAM>(PXUDRANGE(r, v, lower)));
        return true;
    }
    case XCC_TRACKBAR: FXSEND(h, lower ? TBM_SETRANGEMIN : TBM_SETRANGEMAX, TRUE, v); return true;
    case XCC_EDIT:
        if (lower) return false;
        FXSEND(h, EM_LIMITTEXT, static_cast<WPARAM>(v));
        return true;
    case XCC_PROGRESS:
        if (lower) return false;
        FXSEND(h, PBM_SETRANGE, 0, MAKELPARAM(0, std::clamp(v, 0, 0xFFFF)));
        return true;
    default: return false;
    }
}

bool PXSETINT(const XTARGET& t, int iProp, int v) {
    const HWND h = t.h;
    const int c = t.iClass;
    XCTLREC* rec = t.rec;
    switch (iProp) {
    case XPC_VALUE: return PXSETVALUE(t, v);
    case XPC_SELECTION:
        if (c == XCC_LISTBOX || PXISCOMBO(c) || c == XCC_TAB || c == XCC_LISTVIEW)
            return PXSETVALUE(t, v);
        return false;
    case XPC_COUNT:
        if (c == XCC_LISTBOX || PXISCOMBO(c)) return PXSETCOUNTLIST(h, PXISCOMBO(c), v);
        if (c == XCC_TAB) return PXSETCOUNTTABS(h, v);
        // A virtual list's rows show its array in order until it is sorted (ZEBListView).
        if (c != XCC_LISTVIEW || !(PXSTYLE(h) & LVS_OWNERDATA) || v < 0) return false;
        FXSEND(h, LVM_SETITEMCOUNT, static_cast<WPARAM>(v), 0);
        PXLV_SETROWCOUNT(h, v);
        return true;
    case XPC_LVINTEGER: return c == XCC_LISTVIEW && PXLV_SETRECSIZE(h, v);
    case XPC_MINIMUM:
    case XPC_MAXIMUM: return PXSETRANGE(t, iProp, v);
    case XPC_PAGE:
        if (c == XCC_SCROLLBAR) {
            SCROLLINFO si{};
            si.nPage = static_cast<UINT>(v);
            PXSCROLLSET(h, SIF_PAGE, si);
            return true;
        }
        if (c == XCC_TRACKBAR) FXSEND(h, TBM_SETTICFREQ, static_cast<WPARAM>(v));
        if (c == XCC_PROGRESS) FXSEND(h, PBM_SETSTEP, static_cast<WPARAM>(v));
        return c == XCC_TRACKBAR || c == XCC_PROGRESS;
    case XPC_TEXTCOLOUR: return rec && PXSETTEXTCOLOUR(*rec, h, c, v);
    case XPC_BKCOLOUR: return rec && PXSETBKCOLOUR(*rec, h, c, v);
    case XPC_WIDTHS: {
        if (c != XCC_LISTVIEW) return false;
        const HWND hHeader = FXLVHEADER(h);
        if (!hHeader) return false;
        if (v >= LVSCW_AUTOSIZE_USEHEADER)
            for (int i = 0, n = PXHEADERCOUNT(hHeader); i < n; ++i)
                FXSEND(h, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), v);
        return true;
    }
    case XPC_DLGINTEGER:
        if (c != XCLS_DIALOG || !rec) return false;
        rec->pfnCallback[3] = {reinterpret_cast<XPROC>(static_cast<INT_PTR>(v)),
                               XSIGOF<XDLGINTEGER>()};
        return true;
    default: break;
    }
    if (iProp < 1) return false;
    switch (c) {
    case XCC_LISTBOX:
        if (!(PXSTYLE(h) & LBS_MULTIPLESEL))
            return v >= 1 && FXSEND(h, LB_SETCURSEL, static_cast<WPARAM>(v - 1)) != LB_ERR;
        if (v < 1) return false;
        if (v == 1) FXSEND(h, LB_SETSEL, FALSE, -1);
        return PXADDTOSEL(h, v);
    case XCC_COMBOLIST:
    case XCC_COMBOEDIT: return FXSEND(h, CB_SETCURSEL, static_cast<WPARAM>(v - 1)) != CB_ERR;
    case XCC_TAB: {
        TCITEMA it{};
        it.mask = TCIF_PARAM;
        it.lParam = v;
        return FXSEND(h, TCM_SETITEMA, static_cast<WPARAM>(iProp - 1), FXADDR(&it)) != 0;
    }
    default: return false;
    }
}

// The k-th selected item (1-based) of a multiple-selection list box.
bool PXNTHSELECTED(HWND h, int k, int& v) {
    const LRESULT nSel = FXSEND(h, LB_GETSELCOUNT);
    if (k >= 1 && k <= nSel) {
        int seen = 0;
        for (LRESULT i = 0, n = FXSEND(h, LB_GETCOUNT); i < n; ++i)
            if (FXSEND(h, LB_GETSEL, static_cast<WPARAM>(i)) > 0 && ++seen == k) {
                v = static_cast<int>(i) + 1;
                return true;
            }
    }
    v = 0;
    return false;
}

bool PXGETSEL(HWND h, UINT iMsg, int& v) {
    const LRESULT s = FXSEND(h, iMsg);
    if (s == -1) return false;
    v = static_cast<int>(s) + 1;
    return true;
}

bool PXGETVALUE(const XTARGET& t, int& v) {
    const HWND h = t.h;
    switch (t.iClass) {
    case XCC_EDIT: {
        DWORD end = 0;
        FXSEND(h, EM_GETSEL, 0, FXADDR(&end));
        v = static_cast<int>(end);
        return true;
    }
    case XCC_LISTBOX: return PXGETSEL(h, LB_GETCURSEL, v);
    case XCC_COMBOLIST: return PXGETSEL(h, CB_GETCURSEL, v);
    case XCC_TAB: v = static_cast<int>(FXSEND(h, TCM_GETCURSEL)) + 1; return v != 0;
    case XCC_SCROLLBAR: {
        SCROLLINFO si;
        if (!PXSCROLLGET(h, SIF_POS, si)) return false;
        v = si.nPos;
        return true;
    }
    case XCC_UPDOWN: {
        const LRESULT r = FXSEND(h, UDM_GETPOS);
        if (HIWORD(r)) return false;
        v = static_cast<short>(LOWORD(r)); // the position is a signed 16-bit value
        return true;
    }
    case XCC_TRACKBAR: v = static_cast<int>(FXSEND(h, TBM_GETPOS)); return true;
    default: return false;
    }
}

// The next selected row of a list view after row *iStart (1-based; 0 starts at the top).
bool PXNEXTSELECTEDROW(HWND h, int& v, int* iStart) {
    const int start = iStart ? *iStart : 0;
    const int i = static_cast<int>(
        FXSEND(h, LVM_GETNEXTITEM, static_cast<WPARAM>(start - 1), MAKELPARAM(LVNI_SELECTED, 0)));
    if (i < 0) {
        v = 0;
        return false;
    }
    v = PXLVBACKMAPOF(h, i);
    if (iStart) *iStart = i + 1;
    return true;
}

bool PXGETINT(const XTARGET& t, int iProp, int& v, int* iStart) {
    const HWND h = t.h;
    const int c = t.iClass;
    const XCTLREC* rec = t.rec;
    switch (iProp) {
    case XPC_VALUE: return PXGETVALUE(t, v);
    case XPC_SELECTION:
        if (c == XCC_LISTBOX && !(PXSTYLE(h) & LBS_MULTIPLESEL)) return PXGETVALUE(t, v);
        if (PXISCOMBO(c)) return PXGETSEL(h, CB_GETCURSEL, v);
        if (c == XCC_TAB) return PXGETVALUE(t, v);
        if (c == XCC_LISTVIEW) return PXNEXTSELECTEDROW(h, v, iStart);
        return false;
    case XPC_COUNT: {
        LRESULT n;
        if (c == XCC_LISTBOX)
            n = FXSEND(h, LB_GETCOUNT);
        else if (PXISCOMBO(c))
            n = FXSEND(h, CB_GETCOUNT);
        else if (c == XCC_TAB)
            n = FXSEND(h, TCM_GETITEMCOUNT);
        else if (c == XCC_LISTVIEW)
            n = FXSEND(h, LVM_GETITEMCOUNT);
        else
            return false;
        if (!PXUNLESSERR(n)) return false;
        v = static_cast<int>(n);
        return true;
    }
    case XPC_LVINTEGER: return c == XCC_LISTVIEW && PXLV_GETRECSIZE(h, v);
    case XPC_MINIMUM:
    case XPC_MAXIMUM:
    case XPC_PAGE: {
        if (c == XCC_SCROLLBAR) {
            SCROLLINFO si;
            if (!PXSCROLLGET(h, iProp == XPC_PAGE ? SIF_PAGE : SIF_RANGE, si)) return false;
            v = iProp == XPC_MINIMUM   ? si.nMin
                : iProp == XPC_MAXIMUM ? si.nMax
                                       : static_cast<int>(si.nPage);
            return true;
        }
        if (c != XCC_TRACKBAR || iProp == XPC_PAGE) return false;
        v = static_cast<int>(FXSEND(h, iProp == XPC_MINIMUM ? TBM_GETRANGEMIN : TBM_GETRANGEMAX));
        return true;
    }
    case XPC_TEXTCOLOUR:
        if (!rec) return false;
        v = rec->crText;
        return true;
    case XPC_BKCOLOUR: {
        LOGBRUSH lb{};
        if (!rec || rec->hBrush == XNOBRUSH || !GetObjectA(rec->hBrush, sizeof lb, &lb))
            return false;
        v = static_cast<int>(lb.lbColor);
        return true;
    }
    case XPC_DLGINTEGER: {
        if (!rec) return false;
        const XPROCREF& s = rec->pfnCallback[3];
        if (s.pfn && s.sig != XSIGOF<XDLGINTEGER>()) return false; // a routine, not a number
        v = static_cast<int>(reinterpret_cast<INT_PTR>(s.pfn));
        return true;
    }
    default: break;
    }
    if (iProp < 0) return false;
    switch (c) {
    case XCC_LISTBOX:
        if (PXSTYLE(h) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) return PXNTHSELECTED(h, iProp, v);
        return PXGETVALUE(t, v);
    case XCC_COMBOLIST:
    case XCC_COMBOEDIT: return PXGETSEL(h, CB_GETCURSEL, v);
    case XCC_TAB: {
        TCITEMA it{};
        it.mask = TCIF_PARAM;
        if (!FXSEND(h, TCM_GETITEMA, static_cast<WPARAM>(iProp - 1), FXADDR(&it))) return false;
        v = static_cast<int>(it.lParam);
        return true;
    }
    default: return false;
    }
}

// ---- Callbacks -------------------------------------------------------------------------------

// Calls the command-form routine in a slot (1 to 4); false when the slot is empty.
bool PXSLOT(XWND& xWnd, const XCTLREC& xCtl, int iSlot, int iID, int iValue) {
    const XPROCREF proc = xCtl.pfnCallback[iSlot - 1]; // the callback may move the record
    if (!proc.pfn) return false;
    FXCALLCOMMAND(xWnd, proc, iID, iValue);
    return true;
}

// Owner drawing: the routine draws through a context over the item's rectangle, with world
// coordinates equal to view pixels.
bool PXDRAWSLOT(XWND& xWnd, const XCTLREC& xCtl, int iSlot, int iID, LPARAM pDraw) {
    const XPROCREF proc = xCtl.pfnCallback[iSlot - 1];
    if (!proc.pfn) return false;
    if (proc.sig != XSIGOF<XOWNERDRAWPROC>()) {
        RaiseException(XEXC_ARGLIST, 0, 0, nullptr);
        return true;
    }
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(pDraw);
    const RECT r = dis->rcItem;
    XDC dc{};
    dc.hDC = dis->hDC;
    XSETVIEWPORT(dc, r.left, r.top, r.right, r.bottom);
    XSETWINDOW(dc, 0.0f, 0.0f, static_cast<float>(r.right - r.left),
               static_cast<float>(r.bottom - r.top));
    reinterpret_cast<XOWNERDRAWPROC*>(proc.pfn)(xWnd, iID, dc);
    if (dc.hFont) DeleteObject(dc.hFont); // the context, and with it its font, ends here
    return true;
}

bool PXDISPSLOT(XWND& xWnd, const XCTLREC& xCtl, int iID, NMHDR* nm) {
    const XPROCREF proc = xCtl.pfnCallback[3];
    auto& item = reinterpret_cast<NMLVDISPINFOA*>(nm)->item;
    if (!proc.pfn) return false;
    if (proc.sig != XSIGOF<XDISPINFOPROC>()) {
        RaiseException(XEXC_ARGLIST, 0, 0, nullptr);
        return true;
    }
    reinterpret_cast<XDISPINFOPROC*>(proc.pfn)(xWnd, iID, item);
    return true;
}

bool PXFOCUSED(HWND hCtl) {
    return GetFocus() == hCtl;
}

bool PXFOCUSEDWITHIN(HWND hCtl) {
    const HWND f = GetFocus();
    return f && (f == hCtl || IsChild(hCtl, f));
}

// Puts the chosen item's text into an editable combo box's edit field.
void PXCOMBOCOPYSEL(HWND hCombo) {
    const LRESULT sel = FXSEND(hCombo, CB_GETCURSEL);
    std::string text;
    if (sel < 0 ||
        !PXITEMTEXT(hCombo, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<WPARAM>(sel), text))
        return;
    FXSEND(hCombo, WM_SETTEXT, 0, FXADDR(text.c_str()));
}

// ---- Tabs ------------------------------------------------------------------------------------

void PXDEFTAB(HWND hTab) {
    const auto sel = FXSEND(hTab, TCM_GETCURSEL);
    const auto n = FXSEND(hTab, TCM_GETITEMCOUNT);
    const HWND hOwner = GetParent(hTab);
    for (LRESULT i = 0; i < n; ++i) {
        TCITEMA item{};
        item.mask = TCIF_PARAM;
        FXSEND(hTab, TCM_GETITEMA, static_cast<WPARAM>(i), FXADDR(&item));
        const int id = static_cast<int>(item.lParam);
        HWND hPage = GetDlgItem(hOwner, id);
        if (!hPage) hPage = GetDlgItem(hTab, id);
        if (!hPage || hPage == hTab) continue;
        if (i != sel) {
            ShowWindow(hPage, SW_HIDE);
            continue;
        }
        RECT r;
        GetClientRect(hTab, &r);
        FXSEND(hTab, TCM_ADJUSTRECT, FALSE, FXADDR(&r));
        const HWND hPageParent = GetParent(hPage);
        if (hPageParent != hTab)
            MapWindowPoints(hTab, hPageParent, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(hPage, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_SHOWWINDOW);
    }
}

// ---- Move batch ------------------------------------------------------------------------------

bool bBatchOpen = false;
HDWP hBatch = nullptr;

} // namespace

// ---- Records ---------------------------------------------------------------------------------

const char* FXCLASSNAME(int iClass) {
    return PXCTLCLASSNAME(iClass);
}

XCTLREC* FXCTLBYHANDLE(HWND hCtl) {
    return PXRECORDS().find(hCtl);
}

void FXASSOCCTLTOHANDLE(HWND hCtl, XCTLREC& xControl) {
    SetPropA(hCtl, XCTLPROP, &xControl);
    PXRECORDS().set(hCtl, &xControl);
}

XREPORT FXCTLREPORT(XWND& xWnd, HWND hCtl, int iID, LPARAM iCode, NMHDR* pxNotify) {
    XCTLREC* c = hCtl ? FXCTLBYHANDLE(hCtl) : nullptr;
    if (!c) return XREPORT::NORECORD;
    return FXCTLCALLBACK(xWnd, *c, iID, iCode, pxNotify) ? XREPORT::CALLED : XREPORT::DECLINED;
}

bool FXCTLHASRECORD(HWND hCtl) {
    return FXCTLBYHANDLE(hCtl) != nullptr;
}

bool FXCTLCOLOURS(HWND hCtl, HBRUSH& hBrush, int& crText, COLORREF& crBrush) {
    const XCTLREC* c = FXCTLBYHANDLE(hCtl);
    if (!c) return false;
    hBrush = c->hBrush;
    crText = c->crText;
    if (hBrush == XNOBRUSH) return true;
    const auto& known = PXBRUSHCOLOURS();
    const auto i = known.find(hBrush);
    if (i != known.end()) {
        crBrush = i->second;
    } else { // a brush the application put into the record
        LOGBRUSH lb{};
        GetObjectA(hBrush, sizeof lb, &lb);
        crBrush = lb.lbColor;
    }
    return true;
}

int FXRESOLVECLASSNAME(HWND hCtl) {
    char buf[33] = {};
    GetClassNameA(hCtl, buf, sizeof buf);
    const std::string name = XTOLOWER(buf);
    const LONG style = GetWindowLongA(hCtl, GWL_STYLE);
    if (name == "#32770") return XCLS_DIALOG;
    if (name == "button") {
        switch (style & 0xF) {
        case BS_GROUPBOX: return XCC_GROUPBOX;
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
        case BS_OWNERDRAW: return XCC_BUTTON;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX: return XCC_CHECKBOX;
        case BS_AUTORADIOBUTTON: return XCC_RADIO;
        case BS_RADIOBUTTON: return XCC_RADIOMANUAL;
        default: return 0;
        }
    }
    if (name == "combobox") return (style & 3) == CBS_DROPDOWNLIST ? XCC_COMBOLIST : XCC_COMBOEDIT;
    static const struct {
        const char* name;
        int iClass;
    } plain[] = {{"static", XCC_STATIC},
                 {"edit", XCC_EDIT},
                 {"listbox", XCC_LISTBOX},
                 {"systabcontrol32", XCC_TAB},
                 {"scrollbar", XCC_SCROLLBAR},
                 {"msctls_updown32", XCC_UPDOWN},
                 {"msctls_trackbar32", XCC_TRACKBAR},
                 {"msctls_progress32", XCC_PROGRESS},
                 {"msctls_statusbar32", XCC_STATUSBAR},
                 {"syslistview32", XCC_LISTVIEW}};
    for (const auto& e : plain)
        if (name == e.name) return e.iClass;
    return 0;
}

// ---- Creation --------------------------------------------------------------------------------

int XCTLCREATE(XWND& xWnd, int ID, int iClass, int iOptions, std::optional<int> x,
               std::optional<int> y, std::optional<int> nWidth, std::optional<int> nHeight,
               std::optional<int> iExStyle, std::optional<int> iSysStyle) {
    if (!PXCTLCLASSNAME(iClass) || !xWnd.hWnd) return 0;
    if (iClass == XCC_TAB || iClass >= XCC_UPDOWN) PXINITCOMMONCONTROLS();
    // A second child with the identifier would make one of the two unreachable by it. Labels
    // (-1) and other identifiers of 0 and below address nothing and may repeat.
    int id = ID;
    if (ID > 0 && GetDlgItem(xWnd.hWnd, ID)) {
        const std::optional<int> free = PXFREEID(xWnd.hWnd, ID);
        if (!free) return 0;
        id = *free;
    }
    const bool placed = x && y;
    XCREATEBLOCK b{PXCTLSTYLE(iClass, iOptions, iSysStyle.value_or(0)),
                   iClass,
                   placed ? *x : 0,
                   placed ? *y : 0,
                   nWidth.value_or(XCW_DEFAULT),
                   nHeight.value_or(XCW_DEFAULT),
                   iExStyle.value_or(0)};
    const HWND hCtl = reinterpret_cast<HWND>(
        SendMessageA(xWnd.hWnd, XM_CREATECONTROL, reinterpret_cast<WPARAM>(&b), id));
    if (!hCtl) return 0;
    FXSEND(hCtl, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    XCTLREC& c = PXNEWENTRY(xWnd);
    FXINITCTLREC(c, hCtl, iClass, b.iStyle, xWnd.hWnd);
    FXASSOCCTLTOHANDLE(hCtl, c);
    if (iClass == XCC_LISTVIEW) FXLV_INIT(hCtl);
    return id;
}

// ---- Texts -----------------------------------------------------------------------------------

bool XCTLSETCHAR(XWND& xWnd, int ID, std::string_view sText, std::optional<int> iProperty) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t)) return false;
    const HWND h = t.h;
    const int c = t.iClass;
    const int prop = iProperty.value_or(PXDEFPROPERTY(XCTLROUTINE::SETCHAR, c));
    if (prop == XPC_FONT) return t.rec && PXSETFONT(*t.rec, h, sText);
    const std::string s = PXCTLTEXT(sText);
    const LPARAM text = FXADDR(s.c_str());
    switch (prop) {
    case XPC_CAPTION:
        return (c == XCC_STATIC || c == XCC_GROUPBOX || PXCTLISBUTTON(c) || c == XCLS_DIALOG) &&
               SetWindowTextA(h, s.c_str());
    case XPC_VALUE:
        if (c == XCC_EDIT) return SetWindowTextA(h, s.c_str()) != 0;
        if (c == XCC_COMBOEDIT) return SetWindowTextA(PXCTLGETEDIT(h), s.c_str()) != 0;
        return false;
    case XPC_SELECTION:
        if (PXISCOMBO(c)) return FXSEND(h, CB_SELECTSTRING, static_cast<WPARAM>(-1), text) != -1;
        if (c == XCC_LISTBOX && !(PXSTYLE(h) & LBS_MULTIPLESEL))
            return FXSEND(h, LB_SELECTSTRING, static_cast<WPARAM>(-1), text) != -1;
        return false;
    case XPC_LVLAYOUT: return c == XCC_LISTVIEW && PXLV_SETLAYOUT(h, sText);
    default: break;
    }
    if (prop < 0) return false;
    const WPARAM k1 = static_cast<WPARAM>(prop - 1);
    switch (c) {
    case XCC_EDIT: {
        LRESULT p;
        if (prop == XPC_APPEND)
            p = FXSEND(h, WM_GETTEXTLENGTH);
        else if ((p = FXSEND(h, EM_LINEINDEX, k1)) == -1)
            return false;
        FXSEND(h, EM_SETSEL, static_cast<WPARAM>(p), p);
        FXSEND(h, EM_REPLACESEL, FALSE, text);
        return true;
    }
    case XCC_LISTBOX:
        if (prop == XPC_APPEND) return PXUNLESSERR(FXSEND(h, LB_ADDSTRING, 0, text));
        FXSEND(h, LB_DELETESTRING, k1);
        return PXUNLESSERR(FXSEND(h, LB_INSERTSTRING, k1, text));
    case XCC_COMBOLIST:
    case XCC_COMBOEDIT:
        if (prop == XPC_APPEND) return PXUNLESSERR(FXSEND(h, CB_ADDSTRING, 0, text));
        FXSEND(h, CB_DELETESTRING, k1);
        return PXUNLESSERR(FXSEND(h, CB_INSERTSTRING, k1, text));
    case XCC_TAB: {
        std::string buf = s;
        TCITEMA it{};
        it.mask = TCIF_TEXT;
        it.pszText = &buf[0];
        it.cchTextMax = static_cast<int>(buf.size()) + 1;
        // TRUE or FALSE: a tab that does not exist is a failure.
        return FXSEND(h, TCM_SETITEMA, k1, FXADDR(&it)) != 0;
    }
    case XCC_STATUSBAR: {
        const LRESULT n = FXSEND(h, SB_GETPARTS);
        const int part = n <= 1 ? SB_SIMPLEID : prop - 1;
        // The part's high byte is its drawing type: no part number may spill into it.
        if (part < 0 || part > SB_SIMPLEID) return false;
        return FXSEND(h, SB_SETTEXTA, static_cast<WPARAM>(part), text) != 0;
    }
    case XCC_LISTVIEW: {
        if (prop == XPC_APPEND) return false;
        std::string buf = s;
        LVCOLUMNA col{};
        col.mask = LVCF_FMT;
        FXSEND(h, LVM_GETCOLUMNA, k1, FXADDR(&col));
        col.mask = LVCF_FMT | LVCF_TEXT;
        col.pszText = &buf[0];
        col.iSubItem = prop - 1;
        return FXSEND(h, LVM_SETCOLUMNA, k1, FXADDR(&col)) != 0;
    }
    default: return false;
    }
}

bool XCTLGETCHAR(XWND& xWnd, int ID, std::string& sText, std::optional<int> iProperty) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t)) return false;
    const HWND h = t.h;
    const int c = t.iClass;
    const int prop = iProperty.value_or(PXDEFPROPERTY(XCTLROUTINE::GETCHAR, c));
    const std::size_t len = sText.size();
    const int cap = static_cast<int>(std::min<std::size_t>(len + 1, INT_MAX));
    std::string buf(len + 1, '\0');
    std::size_t n = std::string::npos; // characters of buf that belong to the text
    bool ok = false;
    const auto windowtext = [&] {
        SetLastError(0);
        return GetWindowTextA(h, &buf[0], cap) > 0 || GetLastError() == 0;
    };
    const auto edittext = [&] {
        const HWND hEdit = PXCTLGETEDIT(h);
        return hEdit ? FXSEND(hEdit, WM_GETTEXT, static_cast<WPARAM>(cap), FXADDR(&buf[0])) : -1;
    };
    const auto selected = [&](UINT getsel, UINT lenmsg, UINT textmsg) {
        const LRESULT s = FXSEND(h, getsel);
        return s != -1 && PXITEMTEXT(h, lenmsg, textmsg, static_cast<WPARAM>(s), buf);
    };
    const bool valueorsel = prop == XPC_VALUE || prop == XPC_SELECTION;
    if (prop == XPC_CAPTION) {
        ok = (c == XCC_STATIC || c == XCC_GROUPBOX || PXCTLISBUTTON(c)) && windowtext();
    } else if (prop == XPC_VALUE && c == XCC_EDIT) {
        ok = windowtext();
    } else if (prop == XPC_VALUE && c == XCC_COMBOEDIT) {
        ok = edittext() >= 0;
    } else if (valueorsel && c == XCC_LISTBOX) {
        ok = !(prop == XPC_SELECTION && (PXSTYLE(h) & LBS_MULTIPLESEL)) &&
             selected(LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT);
    } else if (valueorsel && c == XCC_COMBOLIST) {
        ok = selected(CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    } else if (prop == XPC_SELECTION && c == XCC_COMBOEDIT) {
        ok = edittext() > 0;
    } else if (prop >= 1) {
        const WPARAM k1 = static_cast<WPARAM>(prop - 1);
        switch (c) {
        case XCC_LISTBOX: ok = PXITEMTEXT(h, LB_GETTEXTLEN, LB_GETTEXT, k1, buf); break;
        case XCC_COMBOLIST:
        case XCC_COMBOEDIT: ok = PXITEMTEXT(h, CB_GETLBTEXTLEN, CB_GETLBTEXT, k1, buf); break;
        case XCC_TAB: ok = PXITEMTEXTINTO<TCITEMA>(h, TCM_GETITEMA, TCIF_TEXT, k1, buf, cap); break;
        case XCC_STATUSBAR: {
            // SB_GETTEXT takes no size: the buffer must hold the whole text.
            const std::size_t need = LOWORD(FXSEND(h, SB_GETTEXTLENGTHA, k1)) + 1u;
            buf.assign(std::max(buf.size(), need), '\0');
            ok = FXSEND(h, SB_GETTEXTA, k1, FXADDR(&buf[0])) != 0;
            break;
        }
        case XCC_LISTVIEW:
            ok = PXITEMTEXTINTO<LVCOLUMNA>(h, LVM_GETCOLUMNA, LVCF_TEXT, k1, buf, cap);
            break;
        case XCC_EDIT: {
            if (!(PXSTYLE(h) & ES_MULTILINE)) break;
            buf.assign(std::max<std::size_t>(len + 1, sizeof(WORD)), '\0'); // room for the size
            const WORD max = static_cast<WORD>(std::min<std::size_t>(len + 1, 0xFFFF));
            std::memcpy(&buf[0], &max, sizeof max);
            const LRESULT got = FXSEND(h, EM_GETLINE, k1, FXADDR(&buf[0]));
            n = static_cast<std::size_t>(std::max<LRESULT>(got, 0)); // no NUL at its end
            ok = got > 0;
            break;
        }
        default: break;
        }
    }
    if (ok) PXFILLTEXT(sText, buf.data(), std::min(n, buf.size()));
    return ok;
}

// ---- Integers --------------------------------------------------------------------------------

bool XCTLSETINT(XWND& xWnd, int ID, int iValue, std::optional<int> iProperty) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t)) return false;
    return PXSETINT(t, iProperty.value_or(PXDEFPROPERTY(XCTLROUTINE::SETINT, t.iClass)), iValue);
}

bool XCTLSETINT(XWND& xWnd, int ID, HANDLE hImage, std::optional<int> iProperty) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t)) return false;
    return PXSETIMAGE(t, iProperty.value_or(PXDEFPROPERTY(XCTLROUTINE::SETINT, t.iClass)), hImage);
}

bool XCTLGETINT(XWND& xWnd, int ID, int& iValue, std::optional<int> iProperty, int* iStart) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t)) return false;
    return PXGETINT(t, iProperty.value_or(XPC_VALUE), iValue, iStart);
}

bool XCTLGETINT(XWND& xWnd, int ID, HANDLE& hImage, std::optional<int> iProperty) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t)) return false;
    return PXGETIMAGE(t, iProperty.value_or(XPC_VALUE), hImage);
}

// ---- Logicals --------------------------------------------------------------------------------

bool XCTLSETLOG(XWND& xWnd, int ID, bool bValue, std::optional<int> iProperty) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t)) return false;
    const int prop = iProperty.value_or(XPC_VALUE);
    switch (prop) {
    case XPC_VISIBLE: ShowWindow(t.h, bValue ? SW_SHOW : SW_HIDE); return true;
    case XPC_VALUE:
        if (!PXISCHECK(t.iClass)) return false;
        FXSEND(t.h, BM_SETCHECK, bValue ? BST_CHECKED : BST_UNCHECKED);
        return true;
    case XPC_ENABLED: EnableWindow(t.h, bValue); return true;
    default: return prop >= 1 && t.iClass == XCC_LISTVIEW && PXLVSELECT(t.h, prop, bValue);
    }
}

bool XCTLGETLOG(XWND& xWnd, int ID, bool& bValue, std::optional<int> iProperty) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t)) return false;
    const int prop = iProperty.value_or(XPC_VALUE);
    switch (prop) {
    case XPC_VISIBLE: bValue = (PXSTYLE(t.h) & WS_VISIBLE) != 0; return true;
    case XPC_VALUE:
        if (!PXISCHECK(t.iClass)) return false;
        bValue = FXSEND(t.h, BM_GETCHECK) != 0;
        return true;
    case XPC_ENABLED: bValue = IsWindowEnabled(t.h) != 0; return true;
    default: {
        if (prop < 1 || t.iClass != XCC_LISTVIEW) return false;
        const int item = PXLVFWDMAPOF(t.h, prop);
        if (item < 0) return false;
        bValue = FXSEND(t.h, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) != 0;
        return true;
    }
    }
}

// ---- Arrays ----------------------------------------------------------------------------------

bool XCTLSETARRAY(XWND& xWnd, int ID, const std::vector<int>& iArray,
                  std::optional<int> iProperty) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t)) return false;
    const HWND h = t.h;
    const int c = t.iClass;
    const int n = static_cast<int>(iArray.size());
    std::vector<int> a = iArray; // the messages take a writable array
    switch (iProperty.value_or(XPC_SELECTION)) {
    case XPC_SELECTION: {
        bool all = true;
        if (c == XCC_LISTVIEW) {
            if (PXSTYLE(h) & LVS_SINGLESEL) return n == 0 || PXLVSELECT(h, a[0], true);
            for (int e : a) all = PXLVSELECT(h, e, true) && all;
            return all;
        }
        if (c != XCC_LISTBOX || !(PXSTYLE(h) & LBS_MULTIPLESEL)) return false;
        for (int e : a) all = PXADDTOSEL(h, e) && all;
        return all;
    }
    case XPC_TABSTOPS:
        return c == XCC_LISTBOX && (PXSTYLE(h) & LBS_USETABSTOPS) &&
               FXSEND(h, LB_SETTABSTOPS, static_cast<WPARAM>(n), n ? FXADDR(a.data()) : 0) != 0;
    case XPC_WIDTHS:
        if (c == XCC_STATUSBAR)
            return FXSEND(h, SB_SETPARTS, static_cast<WPARAM>(n), FXADDR(a.data())) != 0;
        if (c == XCC_LISTVIEW) {
            const int m = std::min(n, PXHEADERCOUNT(FXLVHEADER(h)));
            for (int i = 0; i < m; ++i)
                if (a[i] >= LVSCW_AUTOSIZE_USEHEADER)
                    FXSEND(h, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), a[i]);
            return true;
        }
        return false;
    case XPC_COLORDER: {
        if (c != XCC_LISTVIEW) return false;
        const int m = std::min(n, PXHEADERCOUNT(FXLVHEADER(h)));
        for (int i = 0; i < m; ++i) --a[i];
        return FXSEND(h, LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(m), FXADDR(a.data())) != 0;
    }
    default: return false;
    }
}

bool XCTLGETARRAY(XWND& xWnd, int ID, std::vector<int>& iArray, std::optional<int> iProperty) {
    if (!iArray.empty()) return false;
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t)) return false;
    const HWND h = t.h;
    const int c = t.iClass;
    std::vector<int> a;
    bool ok = false;
    switch (iProperty.value_or(XPC_SELECTION)) {
    case XPC_SELECTION:
        if (c == XCC_LISTBOX && (PXSTYLE(h) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))) {
            const LRESULT n = FXSEND(h, LB_GETSELCOUNT);
            if (n < 0) return false;
            a.assign(static_cast<std::size_t>(n), 0);
            const LRESULT got =
                n ? FXSEND(h, LB_GETSELITEMS, static_cast<WPARAM>(n), FXADDR(a.data())) : 0;
            if (got == LB_ERR) return false;
            for (LRESULT i = 0; i < n; ++i) a[i] = i < got ? a[i] + 1 : 0;
            ok = true;
        } else if (c == XCC_LISTVIEW) {
            const LRESULT n = FXSEND(h, LVM_GETSELECTEDCOUNT);
            int item = -1;
            for (LRESULT i = 0; i < n; ++i) {
                item = static_cast<int>(FXSEND(h, LVM_GETNEXTITEM, static_cast<WPARAM>(item),
                                               MAKELPARAM(LVNI_SELECTED, 0)));
                a.push_back(item < 0 ? 0 : PXLVBACKMAPOF(h, item));
            }
            ok = true;
        }
        break;
    case XPC_WIDTHS:
        if (c == XCC_STATUSBAR) {
            const LRESULT n = FXSEND(h, SB_GETPARTS);
            a.assign(static_cast<std::size_t>(std::max<LRESULT>(n, 0)), 0);
            ok = !a.empty() &&
                 FXSEND(h, SB_GETPARTS, static_cast<WPARAM>(a.size()), FXADDR(a.data())) != 0;
        } else if (c == XCC_LISTVIEW) {
            const int n = PXHEADERCOUNT(FXLVHEADER(h));
            for (int i = 0; i < n; ++i)
                a.push_back(static_cast<int>(FXSEND(h, LVM_GETCOLUMNWIDTH, i)));
            ok = true;
        }
        break;
    case XPC_COLORDER:
        if (c == XCC_LISTVIEW) {
            const HWND hHeader = FXLVHEADER(h);
            a.assign(static_cast<std::size_t>(PXHEADERCOUNT(hHeader)), 0);
            ok = !a.empty() && FXSEND(hHeader, HDM_GETORDERARRAY, static_cast<WPARAM>(a.size()),
                                      FXADDR(a.data())) != 0;
            for (int& e : a) ++e;
        }
        break;
    default: break;
    }
    if (ok) iArray = std::move(a);
    return ok;
}

// Row transfer reads and writes application records through the list view's layout
// (ZEBListView). A virtual list takes the address of the application's record array instead.
bool XCTLSETITEM(XWND& xWnd, int ID, const XITEMREF& xItem, int iRow) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t) || !t.rec || t.iClass != XCC_LISTVIEW || iRow < 0) return false;
    if (PXSTYLE(t.h) & LVS_OWNERDATA) return PXLV_SETDATA(t.h, xItem.pData);
    return PXLV_PARSEITEM(t.h, iRow, xItem.pData, XLVM_SET);
}

bool XCTLGETITEM(XWND& xWnd, int ID, const XITEMREF& xItem, int iRow) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t) || !t.rec || t.iClass != XCC_LISTVIEW || iRow < 1) return false;
    return PXLV_PARSEITEM(t.h, iRow, xItem.pData, XLVM_GET);
}

// ---- Callbacks -------------------------------------------------------------------------------

bool FXCTLSETSUB(XWND& xWnd, int ID, XPROCREF pfnCallback, std::optional<int> iEvent) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t) || !t.rec) return false;
    const int slot = PXGETCALLBACKINDEX(t.rec->iClass, PXSTYLE(t.h), iEvent.value_or(XEC_MAIN));
    if (!slot) return false;
    t.rec->pfnCallback[slot - 1] = pfnCallback;
    return true;
}

namespace {

// The conditions of a routing row that need the platform.
bool PXROUTEFITS(const XROUTE& r, const XCTLREC& xCtl, const NMHDR* nm) {
    if (r.bNotify && !nm) return false;
    switch (r.iWhen) {
    case XRWHEN::FOCUSED: return PXFOCUSED(xCtl.hCtl);
    case XRWHEN::FOCUSWITHIN: return PXFOCUSEDWITHIN(xCtl.hCtl);
    case XRWHEN::DRAWN: return PXCTLSTYLEFITS(r.iStyle, PXSTYLE(xCtl.hCtl));
    case XRWHEN::ITEMROW: return reinterpret_cast<const NMLISTVIEW*>(nm)->iItem >= 0;
    case XRWHEN::ALWAYS: break;
    }
    return true;
}

void PXROUTEFIRST(XRFIRST iFirst, const XCTLREC& xCtl) {
    if (iFirst == XRFIRST::TABPAGES) FXDEFTABCALLBACK(xCtl);
    if (iFirst == XRFIRST::COPYSELECTION) PXCOMBOCOPYSEL(xCtl.hCtl);
}

// Calls the routine in the row's slot with what the row passes; false when the slot is empty.
bool PXROUTESLOT(XWND& xWnd, const XCTLREC& xCtl, const XROUTE& r, int iID, LPARAM iCode,
                 NMHDR* nm) {
    switch (r.iPass) {
    case XRPASS::EVENT: return PXSLOT(xWnd, xCtl, r.iSlot, iID, r.iEvent);
    case XRPASS::CODE: return PXSLOT(xWnd, xCtl, r.iSlot, iID, static_cast<int>(iCode));
    case XRPASS::COLUMN:
        return PXSLOT(xWnd, xCtl, r.iSlot, iID,
                      reinterpret_cast<const NMLISTVIEW*>(nm)->iSubItem + 1);
    case XRPASS::DRAWCONTEXT: return PXDRAWSLOT(xWnd, xCtl, r.iSlot, iID, iCode);
    case XRPASS::ITEM: return PXDISPSLOT(xWnd, xCtl, iID, nm);
    }
    return false;
}

// The list view's own answers to an empty slot; they are no calls.
void PXROUTEDEFAULT(XWND& xWnd, XRDEFAULT iDefault, int iID, NMHDR* nm) {
    if (iDefault == XRDEFAULT::SORT)
        XLV_ONCOLUMNCLICK(xWnd, iID, reinterpret_cast<const NMLISTVIEW*>(nm)->iSubItem + 1);
    if (iDefault == XRDEFAULT::DISPLAYDATA)
        FXLV_GETDISPINFO(nm->hwndFrom, reinterpret_cast<NMLVDISPINFOA*>(nm)->item);
}

} // namespace

bool FXCTLCALLBACK(XWND& xWnd, XCTLREC& xCtl, int iID, LPARAM iCode, NMHDR* pxNotify) {
    const XROUTE* r = PXCTLROUTE(xCtl.iClass, iCode);
    if (!r || !PXROUTEFITS(*r, xCtl, pxNotify)) return false;
    XCTLREC rec = xCtl; // the routine may move the record
    if (r->iFirst != XRFIRST::NOTHING) {
        // Showing a page runs the page's handlers, which may take the window or the control
        // away, or move the list: both are found again from their handles.
        const HWND hWnd = xWnd.hWnd;
        PXROUTEFIRST(r->iFirst, rec);
        const XCTLREC* now = FXCTLBYHANDLE(rec.hCtl);
        if (FXWNDBYHANDLE(hWnd) != &xWnd || xWnd.hWnd != hWnd || !now) return false;
        rec = *now;
    }
    if (PXROUTESLOT(xWnd, rec, *r, iID, iCode, pxNotify)) return true;
    PXROUTEDEFAULT(xWnd, r->iDefault, iID, pxNotify);
    return false;
}

// ---- Binding ---------------------------------------------------------------------------------

BOOL CALLBACK pxcountdlgcontrols(HWND hChild, LPARAM pnCount) {
    if (GetWindowLongA(hChild, GWL_ID) > 0) ++*reinterpret_cast<int*>(pnCount);
    return TRUE;
}

namespace {

BOOL PXENUMDLGCONTROL(HWND hChild, LPARAM pxWnd) {
    XWND& xWnd = *reinterpret_cast<XWND*>(pxWnd);
    if (hChild == reinterpret_cast<HWND>(static_cast<INT_PTR>(-1))) {
        xWnd.nControls = 0;
        return FALSE;
    }
    const int id = GetWindowLongA(hChild, GWL_ID);
    // A child that appeared after the list was sized finds no entry.
    if (id <= 0 || xWnd.nControls + 1 >= xWnd.xCtl.capacity()) return TRUE;
    XCTLREC& c = xWnd.xCtl[++xWnd.nControls];
    FXINITCTLREC(c, hChild, FXRESOLVECLASSNAME(hChild), GetWindowLongA(hChild, GWL_STYLE),
                 xWnd.hWnd);
    FXASSOCCTLTOHANDLE(hChild, c);
    if (c.iClass == XCC_LISTVIEW) FXLV_INIT(hChild);
    if (id == IDOK || id == IDCANCEL) c.pfnCallback[0] = XPROCOF(PXENDDIALOG);
    return TRUE;
}

} // namespace

// A list view's data may fail to allocate: the walk stops, and the loop rethrows.
BOOL CALLBACK pxenumdlgcontrols(HWND hChild, LPARAM pxWnd) {
    return FXGUARD<BOOL>(FALSE, [&] { return PXENUMDLGCONTROL(hChild, pxWnd); });
}

namespace {

// The records of a list that is replaced: no window may keep pointing into it.
std::vector<XCTLREC> PXUNLINKLIST(XWND& xWnd) {
    std::vector<XCTLREC> old;
    if (!xWnd.xCtl.allocated()) return old;
    for (int i = 0, n = std::min(xWnd.nControls, xWnd.xCtl.capacity() - 1); i <= n; ++i) {
        const XCTLREC& c = xWnd.xCtl[i];
        if (!c.hCtl) continue;
        if (FXCTLBYHANDLE(c.hCtl) == &c) PXUNLINK(c.hCtl);
        old.push_back(c);
    }
    return old;
}

// A font that a re-bound control still shows passes to its new record; everything else the
// old records owned is released.
void PXRELEASEOLD(XWND& xWnd, const std::vector<XCTLREC>& old) {
    for (const XCTLREC& c : old) {
        XCTLREC* now = FXCTLBYHANDLE(c.hCtl);
        if (now && PXINDEXOF(xWnd, now) && c.hFont && !now->hFont &&
            reinterpret_cast<HFONT>(FXSEND(c.hCtl, WM_GETFONT)) == c.hFont) {
            now->hFont = c.hFont;
            PXDELETECTLBRUSH(c.hBrush);
            continue;
        }
        PXRELEASEOBJECTS(c);
    }
}

} // namespace

void FXBINDWINDOWCONTROLS(XWND& xWnd) {
    const std::vector<XCTLREC> old = PXUNLINKLIST(xWnd);
    int n = 0;
    xWnd.nControls = 0;
    EnumChildWindows(xWnd.hWnd, pxcountdlgcontrols, reinterpret_cast<LPARAM>(&n));
    xWnd.xCtl.allocate(n + 1);
    EnumChildWindows(xWnd.hWnd, pxenumdlgcontrols, reinterpret_cast<LPARAM>(&xWnd));
    PXRELEASEOLD(xWnd, old);
    FXRETHROW();
}

void FXCTLRELEASE(XWND& xWnd) {
    if (xWnd.xCtl.allocated()) // every entry: the count may already be 0
        for (int i = 0; i < xWnd.xCtl.capacity(); ++i) {
            const XCTLREC& c = xWnd.xCtl[i];
            if (c.hCtl && FXCTLBYHANDLE(c.hCtl) == &c) PXUNLINK(c.hCtl);
        }
    if (xWnd.hWnd) PXUNLINK(xWnd.hWnd);
    xWnd.xCtl.release();
    xWnd.nControls = 0;
}

void PXENDDIALOG(XWND& xWnd, int iID, int) {
    PostMessageA(xWnd.hWnd, XM_ENDDIALOG, static_cast<WPARAM>(iID),
                 reinterpret_cast<LPARAM>(xWnd.hWnd));
    if (xApp.pxFrame && xApp.pxFrame->hWnd == xWnd.hWnd) PostQuitMessage(0);
}

// ---- Placement -------------------------------------------------------------------------------

bool XBEGINCTLMOVE(XWND& xWnd) {
    if (bBatchOpen) return false;
    hBatch = BeginDeferWindowPos(std::max(xWnd.nControls, 0));
    bBatchOpen = hBatch != nullptr;
    return bBatchOpen;
}

bool XCTLMOVE(XWND& xWnd, int ID, std::optional<int> x, std::optional<int> y,
              std::optional<int> nWidth, std::optional<int> nHeight, std::optional<int> IDAfter) {
    const HWND h = xWnd.hWnd ? GetDlgItem(xWnd.hWnd, ID) : nullptr;
    if (!h) return false;
    HWND after = nullptr; // with IDAfter 0: the top
    if (IDAfter && *IDAfter) after = GetDlgItem(xWnd.hWnd, *IDAfter);
    const XSWPARGS a = FXSWPARGS(x, y, nWidth, nHeight, IDAfter && (!*IDAfter || after));
    if (bBatchOpen && hBatch) {
        hBatch = DeferWindowPos(hBatch, h, after, a.x, a.y, a.cx, a.cy, a.iFlags);
        return hBatch != nullptr;
    }
    return SetWindowPos(h, after, a.x, a.y, a.cx, a.cy, a.iFlags) != 0;
}

bool XENDCTLMOVE() {
    if (!bBatchOpen) return false;
    bBatchOpen = false;
    const HDWP h = hBatch;
    hBatch = nullptr;
    return EndDeferWindowPos(h) != 0;
}

bool XCTLGETPOS(XWND& xWnd, int ID, int* x, int* y, int* nWidth, int* nHeight) {
    const HWND h = xWnd.hWnd ? GetDlgItem(xWnd.hWnd, ID) : nullptr;
    RECT r;
    if (!h || !GetWindowRect(h, &r)) return false;
    POINT p{r.left, r.top};
    const bool ok = ScreenToClient(xWnd.hWnd, &p) != 0;
    if (x) *x = p.x;
    if (y) *y = p.y;
    if (nWidth) *nWidth = r.right - r.left;
    if (nHeight) *nHeight = r.bottom - r.top;
    return ok;
}

LRESULT XCTLSENDMESSAGE(XWND& xWnd, int ID, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    const HWND h = xWnd.hWnd ? GetDlgItem(xWnd.hWnd, ID) : nullptr;
    return h ? SendMessageA(h, iMsg, wParam, lParam) : 0;
}

// ---- Lifecycle -------------------------------------------------------------------------------

bool XCTLDESTROY(XWND& xWnd, int ID) {
    XTARGET t;
    if (!PXFINDTARGET(xWnd, ID, t) || !t.rec) return false;
    // Only a control of this window's list: the window's own record is not one.
    const int at = PXINDEXOF(xWnd, t.rec);
    if (!at) return false;
    const XCTLREC gone = *t.rec;
    const int n = std::min(xWnd.nControls, xWnd.xCtl.capacity() - 1);
    for (int i = at; i < n; ++i) xWnd.xCtl[i] = xWnd.xCtl[i + 1];
    xWnd.xCtl[n] = XCTLREC{};
    xWnd.nControls = n - 1;
    PXREPOINT(xWnd, at, n - 1);
    if (xWnd.nControls == 0) PXRELEASELIST(xWnd, false);
    PXUNLINK(t.h);
    if (gone.iClass == XCC_LISTVIEW) PXLV_CLEANUP(t.h);
    DestroyWindow(t.h);
    PXRELEASEOBJECTS(gone);
    return true;
}

BOOL CALLBACK pxdestroydlgcontrols(HWND hChild, LPARAM bDestroy) {
    const XCTLREC* c = FXCTLBYHANDLE(hChild);
    const std::optional<XCTLREC> gone = c ? std::optional<XCTLREC>(*c) : std::nullopt;
    PXUNLINK(hChild);
    // A control that stays keeps its list-view data and the font it shows.
    if (bDestroy) {
        if (gone && gone->iClass == XCC_LISTVIEW) PXLV_CLEANUP(hChild);
        DestroyWindow(hChild);
    }
    if (gone) PXRELEASEOBJECTS(*gone);
    return TRUE;
}

void XCTLDESTROYALL(XWND& xWnd, std::optional<bool> bDestroy) {
    if (xWnd.hWnd)
        EnumChildWindows(xWnd.hWnd, pxdestroydlgcontrols, bDestroy.value_or(true) ? TRUE : FALSE);
    PXRELEASELIST(xWnd, true);
}

void FXDEFTABCALLBACK(const XCTLREC& xTab) {
    PXDEFTAB(xTab.hCtl);
}

HWND PXCTLGETEDIT(HWND hCtl) {
    return hCtl ? GetWindow(hCtl, GW_CHILD) : nullptr;
}
