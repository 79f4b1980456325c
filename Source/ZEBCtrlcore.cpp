// ZEBCtrlcore: class table, option words, callback slots and value rules; platform-free.
#include "ZEBCtrlcore.h"

#include <array>
#include <climits>

#include "ZEBStrings.h"

namespace {

// Window-style bits the table uses (values of the platform's headers).
constexpr int WS_CHILD_ = 0x40000000, WS_VISIBLE_ = 0x10000000, WS_CLIPSIBLINGS_ = 0x04000000,
              WS_DISABLED_ = 0x08000000, WS_GROUP_ = 0x00020000;
constexpr int XOPT_DISABLED = 0x08000000, XOPT_GROUP = 0x00020000, XOPT_OWNERDRAW = 0x10000000;

struct XCLASSROW {
    const char* name;
    int iDefStyle;
};

// System class and default style by class code 1 to 17. The editable combo box is a drop-down
// combo (CBS_DROPDOWN, 2): an edit child, edit notifications, and low bits that are not those
// of the drop-down list (3), so classifying the window gives 12 back.
constexpr XCLASSROW XCLASSES[17] = {
    {"Static", 0x0},
    {"Button", 0x7},
    {"Button", 0x10000},
    {"Button", 0x10003},
    {"Button", 0x10009},
    {"Edit", 0x10080},
    {"Listbox", 0x10001},
    {"Combobox", 0x10043},
    {"Button", 0x10004},
    {"SysTabControl32", 0x10000},
    {"Scrollbar", 0x2},
    {"Combobox", 0x10042},
    {"msctls_updown32", 0x0},
    {"msctls_trackbar32", 0x1},
    {"msctls_progress32", 0x0},
    {"msctls_statusbar32", 0x0},
    {"syslistview32", 0x9},
};

struct XOPTBIT {
    int iOption;
    int iStyle;
};

// Option bits that add style bits, by class; owner-drawing is handled apart because it
// replaces the low four bits.
constexpr XOPTBIT XBUTTONOPTS[] = {{0x20, 0x20}, {0x1000, 0x1000}, {0x80, 0x80},
                                   {0x40, 0x40}, {0x8000, 0x8000}, {0x4, 0x2000}};
constexpr XOPTBIT XSTATICOPTS[] = {{0x1, 0x2}, {0x2, 0x1}};
constexpr XOPTBIT XEDITOPTS[] = {{0x800, 0x800}, {0x4, 0x3000C4}, {0x1, 0x2}, {0x2, 0x1}};
constexpr XOPTBIT XLISTOPTS[] = {{0x2, 0x2}};
constexpr XOPTBIT XCOMBOOPTS[] = {{0x2, 0x100}};
constexpr XOPTBIT XTABOPTS[] = {{0x4, 0x200}};
constexpr XOPTBIT XVERTOPTS[] = {{0x1, 0x1}};
constexpr XOPTBIT XLVOPTS[] = {{0x10000000, 0x1000}, {0x8000, 0x8000}};

template <std::size_t N> int PXADDOPTS(int iStyle, int iOptions, const XOPTBIT (&t)[N]) {
    for (const XOPTBIT& o : t)
        if (iOptions & o.iOption) iStyle |= o.iStyle;
    return iStyle;
}

int PXOWNERDRAW(int iStyle, int iOptions, int iOwnerDrawBits) {
    return iOptions & XOPT_OWNERDRAW ? (iStyle & ~0xF) | iOwnerDrawBits : iStyle;
}

// The decimal number after the first letter c: blanks and a sign may come first; the sign is
// dropped. Absent or unreadable: fallback.
int PXNUMBERAFTER(const std::string& t, char c, int fallback) {
    std::size_t i = t.find(c);
    if (i == std::string::npos) return fallback;
    ++i;
    while (i < t.size() && t[i] == ' ') ++i;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    if (i >= t.size() || t[i] < '0' || t[i] > '9') return fallback;
    long long v = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
        if ((v = v * 10 + (t[i] - '0')) > INT_MAX) v = INT_MAX;
    return static_cast<int>(v);
}

} // namespace

const char* PXCTLCLASSNAME(int iClass) {
    return iClass >= 1 && iClass <= 17 ? XCLASSES[iClass - 1].name : nullptr;
}

int PXCTLDEFSTYLE(int iClass) {
    return iClass >= 1 && iClass <= 17 ? XCLASSES[iClass - 1].iDefStyle : 0;
}

int PXCTLSTYLE(int iClass, int iOptions, int iSysStyle) {
    int s = PXCTLDEFSTYLE(iClass) | WS_CHILD_ | WS_CLIPSIBLINGS_ | WS_VISIBLE_ | iSysStyle;
    switch (iClass) {
    case XCC_STATIC: s = PXOWNERDRAW(PXADDOPTS(s, iOptions, XSTATICOPTS), iOptions, 0xD); break;
    case XCC_BUTTON:
    case XCC_CHECKBOX:
    case XCC_RADIO:
    case XCC_RADIOMANUAL:
        s = PXOWNERDRAW(PXADDOPTS(s, iOptions, XBUTTONOPTS), iOptions, 0xB);
        break;
    case XCC_EDIT: s = PXADDOPTS(s, iOptions, XEDITOPTS); break;
    case XCC_LISTBOX: s = PXADDOPTS(s, iOptions, XLISTOPTS); break;
    case XCC_COMBOLIST:
    case XCC_COMBOEDIT: s = PXADDOPTS(s, iOptions, XCOMBOOPTS); break;
    case XCC_TAB: s = PXADDOPTS(s, iOptions, XTABOPTS); break;
    case XCC_SCROLLBAR:
    case XCC_TRACKBAR: s = PXADDOPTS(s, iOptions, XVERTOPTS); break;
    case XCC_LISTVIEW: s = PXADDOPTS(s, iOptions, XLVOPTS); break;
    default: break;
    }
    if (iOptions & XOPT_DISABLED) s |= WS_DISABLED_;
    if (iOptions & XOPT_GROUP) s |= WS_GROUP_;
    return s;
}

namespace {

constexpr unsigned bit(int c) {
    return 1u << c;
}
constexpr unsigned XBUTTONS =
    bit(XCC_BUTTON) | bit(XCC_CHECKBOX) | bit(XCC_RADIO) | bit(XCC_RADIOMANUAL);

// Notification codes and messages as the routing receives them.
constexpr long long BN_CLICKED_ = 0, EN_SETFOCUS_ = 0x100, EN_KILLFOCUS_ = 0x200,
                    EN_CHANGE_ = 0x300, EN_UPDATE_ = 0x400, LBN_SELCHANGE_ = 1, LBN_DBLCLK_ = 2,
                    CBN_SELCHANGE_ = 1, CBN_DBLCLK_ = 2, CBN_EDITCHANGE_ = 5, CBN_EDITUPDATE_ = 6,
                    CBN_SELENDOK_ = 9, TCN_SELCHANGE_ = -551, TCN_SELCHANGING_ = -552,
                    UDN_DELTAPOS_ = -722, WM_HSCROLL_ = 0x114, WM_VSCROLL_ = 0x115,
                    LVN_ITEMCHANGED_ = -101, LVN_ITEMACTIVATE_ = -114, LVN_COLUMNCLICK_ = -108,
                    LVN_GETDISPINFOA_ = -150, WM_INITDIALOG_ = 272, WM_SIZE_ = 5, WM_DESTROY_ = 2;

using S = XRSTYLE;
using W = XRWHEN;
using F = XRFIRST;
using P = XRPASS;
using D = XRDEFAULT;

constexpr XROUTE XROUTES[] = {
    {bit(XCC_STATIC), XRC_DRAW, 1, XEC_OWNERDRAW, S::DRAWNLABEL, W::DRAWN, F::NOTHING,
     P::DRAWCONTEXT, D::NOTHING, false},
    {XBUTTONS, BN_CLICKED_, 1, XEC_CLICK, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT, D::NOTHING,
     false},
    {XBUTTONS, XRC_DRAW, 2, XEC_OWNERDRAW, S::DRAWNBUTTON, W::DRAWN, F::NOTHING, P::DRAWCONTEXT,
     D::NOTHING, false},
    {bit(XCC_EDIT), EN_CHANGE_, 1, XEC_CHANGED, S::ANY, W::FOCUSED, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_EDIT), EN_UPDATE_, 2, XEC_UPDATED, S::ANY, W::FOCUSED, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_EDIT), EN_SETFOCUS_, 3, XEC_GOTFOCUS, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_EDIT), EN_KILLFOCUS_, 4, XEC_LOSTFOCUS, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_LISTBOX), LBN_SELCHANGE_, 1, XEC_SELCHANGED, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_LISTBOX), LBN_DBLCLK_, 2, XEC_DBLCLK, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_COMBOLIST), CBN_SELCHANGE_, 1, XEC_SELCHANGED, S::ANY, W::FOCUSED, F::NOTHING,
     P::EVENT, D::NOTHING, false},
    {bit(XCC_COMBOLIST), CBN_DBLCLK_, 2, XEC_DBLCLK, S::ANY, W::FOCUSED, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_TAB), TCN_SELCHANGE_, 1, XEC_SELCHANGED, S::ANY, W::ALWAYS, F::TABPAGES, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_TAB), TCN_SELCHANGING_, 2, XEC_SELCHANGING, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_SCROLLBAR), XRC_ANY, 1, XEC_CHANGED, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_COMBOEDIT), CBN_SELENDOK_, 1, XEC_SELCHANGED, S::ANY, W::FOCUSWITHIN, F::COPYSELECTION,
     P::EVENT, D::NOTHING, false},
    {bit(XCC_COMBOEDIT), CBN_DBLCLK_, 2, XEC_DBLCLK, S::ANY, W::FOCUSWITHIN, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_COMBOEDIT), CBN_EDITCHANGE_, 3, XEC_CHANGED, S::ANY, W::FOCUSWITHIN, F::NOTHING,
     P::EVENT, D::NOTHING, false},
    {bit(XCC_COMBOEDIT), CBN_EDITUPDATE_, 4, XEC_UPDATED, S::ANY, W::FOCUSWITHIN, F::NOTHING,
     P::EVENT, D::NOTHING, false},
    {bit(XCC_UPDOWN), UDN_DELTAPOS_, 1, XEC_CHANGED, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_TRACKBAR), WM_HSCROLL_, 1, XEC_CHANGED, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_TRACKBAR), WM_VSCROLL_, 1, XEC_CHANGED, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCC_LISTVIEW), LVN_ITEMCHANGED_, 1, XEC_SELCHANGED, S::ANY, W::ITEMROW, F::NOTHING,
     P::EVENT, D::NOTHING, true},
    {bit(XCC_LISTVIEW), LVN_ITEMACTIVATE_, 2, XEC_DBLCLK, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, true},
    {bit(XCC_LISTVIEW), LVN_COLUMNCLICK_, 3, XEC_COLCLICK, S::ANY, W::ALWAYS, F::NOTHING, P::COLUMN,
     D::SORT, true},
    {bit(XCC_LISTVIEW), LVN_GETDISPINFOA_, 4, XEC_OWNERDRAW, S::VIRTUALLIST, W::ALWAYS, F::NOTHING,
     P::ITEM, D::DISPLAYDATA, true},
    {bit(XCLS_DIALOG), WM_INITDIALOG_, 1, XEC_DLGINIT, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCLS_DIALOG), WM_SIZE_, 4, XEC_DLG33, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT, D::NOTHING,
     false},
    {bit(XCLS_DIALOG), WM_DESTROY_, 3, XEC_DLG31, S::ANY, W::ALWAYS, F::NOTHING, P::EVENT,
     D::NOTHING, false},
    {bit(XCLS_DIALOG), XRC_ANY, 2, XEC_DLG30, S::ANY, W::ALWAYS, F::NOTHING, P::CODE, D::NOTHING,
     false},
};

bool inclass(const XROUTE& r, int iClass) {
    return iClass >= 0 && iClass < 32 && (r.iClasses & bit(iClass));
}

// The rows of each class code, in table order: a report is matched against its class's few
// rows only (it comes on every command and notification).
constexpr int XROWSPERCLASS = 8;
struct XCLASSROUTES {
    int n;
    const XROUTE* rows[XROWSPERCLASS];
};
constexpr int XROUTECOUNT = static_cast<int>(sizeof XROUTES / sizeof XROUTES[0]);
constexpr std::array<XCLASSROUTES, 32> PXROUTESBYCLASS() {
    std::array<XCLASSROUTES, 32> t{};
    for (int c = 0; c < 32; ++c)
        for (int k = 0; k < XROUTECOUNT; ++k)
            if (XROUTES[k].iClasses & bit(c)) {
                if (t[c].n == XROWSPERCLASS) throw "more rows for a class than XROWSPERCLASS";
                t[c].rows[t[c].n++] = &XROUTES[k];
            }
    return t;
}
constexpr std::array<XCLASSROUTES, 32> XROUTESBYCLASS = PXROUTESBYCLASS();

bool matches(const XROUTE& r, long long iCode) {
    if (r.iCode == XRC_ANY) return true;
    if (r.iCode == XRC_DRAW) return PXCTLISDRAWREPORT(iCode);
    return r.iCode == iCode;
}

} // namespace

const XROUTE* PXCTLROUTES(int& nRows) {
    nRows = static_cast<int>(sizeof XROUTES / sizeof XROUTES[0]);
    return XROUTES;
}

const XROUTE* PXCTLROUTE(int iClass, long long iCode) {
    if (iClass < 0 || iClass >= 32) return nullptr;
    const XCLASSROUTES& c = XROUTESBYCLASS[static_cast<std::size_t>(iClass)];
    for (int k = 0; k < c.n; ++k)
        if (matches(*c.rows[k], iCode)) return c.rows[k];
    return nullptr;
}

bool PXCTLISDRAWREPORT(long long iCode) {
    return iCode > 1000;
}

bool PXCTLSTYLEFITS(XRSTYLE iNeed, int iStyle) {
    switch (iNeed) {
    case XRSTYLE::DRAWNLABEL: return (iStyle & 0xF) == 0xD;
    case XRSTYLE::DRAWNBUTTON: return (iStyle & 0xF) == 0xB;
    case XRSTYLE::VIRTUALLIST: return (iStyle & 0x1000) != 0; // LVS_OWNERDATA
    case XRSTYLE::ANY: break;
    }
    return true;
}

int PXGETCALLBACKINDEX(int iClass, int iStyle, int iEvent) {
    for (const XROUTE& r : XROUTES)
        if (inclass(r, iClass) && (r.iEvent == iEvent || (iEvent == XEC_MAIN && r.iSlot == 1)) &&
            PXCTLSTYLEFITS(r.iStyle, iStyle))
            return r.iSlot;
    return 0;
}

bool PXCTLISBUTTON(int iClass) {
    return iClass >= 0 && iClass < 32 && (XBUTTONS & bit(iClass));
}

int PXDEFPROPERTY(XCTLROUTINE iRoutine, int iClass) {
    const bool list = iClass == XCC_LISTBOX || iClass == XCC_COMBOLIST || iClass == XCC_TAB;
    const bool edit = iClass == XCC_EDIT || iClass == XCC_COMBOEDIT;
    switch (iRoutine) {
    case XCTLROUTINE::SETCHAR:
        return list || iClass == XCC_STATUSBAR ? XPC_APPEND : edit ? XPC_VALUE : XPC_CAPTION;
    case XCTLROUTINE::GETCHAR:
        return list || iClass == XCC_STATUSBAR ? XPC_SELECTION : edit ? XPC_VALUE : XPC_CAPTION;
    case XCTLROUTINE::SETINT: return list || iClass == XCC_COMBOEDIT ? XPC_COUNT : XPC_VALUE;
    case XCTLROUTINE::GETINT: return XPC_VALUE;
    }
    return XPC_VALUE;
}

std::string PXCTLTEXT(std::string_view sText) {
    const std::string_view t = XTRIM(sText);
    return t.empty() ? std::string(" ") : std::string(t);
}

XFONTDESC PXREADFONT(std::string_view sText) {
    std::string t = XTOLOWER(sText);
    XFONTDESC d;
    char quote = '\'';
    std::size_t p = t.find("t'");
    if (p == std::string::npos) {
        quote = '"';
        p = t.find("t\"");
    }
    if (p != std::string::npos) {
        const std::size_t close = t.rfind(quote);
        std::size_t end = t.size(); // an unclosed face name runs to the end of the text
        if (close != std::string::npos && close > p + 1) {
            d.sFace =
                std::string(XTRIM(std::string_view(t).substr(p + 2, close - p - 2).substr(0, 40)));
            end = close + 1;
        }
        t.erase(p, end - p);
    }
    d.bItalic = t.find('i') != std::string::npos;
    d.bUnderline = t.find('u') != std::string::npos;
    if (t.find('e') != std::string::npos) d.iWeight = 700;
    d.iHeight = PXNUMBERAFTER(t, 'h', d.iHeight);
    d.iWidth = PXNUMBERAFTER(t, 'w', d.iWidth);
    return d;
}

int PXSCROLLCLAMP(int v, int iMin, int iMax, int iPage) {
    const long long top = static_cast<long long>(iMax) - iPage;
    if (v <= iMin) return iMin;
    if (v > top) return static_cast<int>(top < INT_MIN ? INT_MIN : top);
    return v;
}

std::uint32_t PXUDRANGE(std::uint32_t iRange, int v, bool bLower) {
    const std::uint32_t w = v > 0xFFFF ? 0xFFFFu : static_cast<std::uint32_t>(v) & 0xFFFFu;
    return bLower ? (iRange & 0xFFFFu) | (w << 16) : (iRange & 0xFFFF0000u) | w;
}
