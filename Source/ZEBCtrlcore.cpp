// ZEBCtrlcore: class table, option words, callback slots and value rules; platform-free.
#include "ZEBCtrlcore.h"

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

template <std::size_t N> int pxaddopts(int iStyle, int iOptions, const XOPTBIT (&t)[N]) {
    for (const XOPTBIT& o : t)
        if (iOptions & o.iOption) iStyle |= o.iStyle;
    return iStyle;
}

int pxownerdraw(int iStyle, int iOptions, int iOwnerDrawBits) {
    return iOptions & XOPT_OWNERDRAW ? (iStyle & ~0xF) | iOwnerDrawBits : iStyle;
}

bool pxisbutton(int iClass) {
    return iClass == XCC_BUTTON || iClass == XCC_CHECKBOX || iClass == XCC_RADIO ||
           iClass == XCC_RADIOMANUAL;
}

// The decimal number after the first letter c: blanks and a sign may come first; the sign is
// dropped. Absent or unreadable: fallback.
int pxnumberafter(const std::string& t, char c, int fallback) {
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
    case XCC_STATIC: s = pxownerdraw(pxaddopts(s, iOptions, XSTATICOPTS), iOptions, 0xD); break;
    case XCC_BUTTON:
    case XCC_CHECKBOX:
    case XCC_RADIO:
    case XCC_RADIOMANUAL:
        s = pxownerdraw(pxaddopts(s, iOptions, XBUTTONOPTS), iOptions, 0xB);
        break;
    case XCC_EDIT: s = pxaddopts(s, iOptions, XEDITOPTS); break;
    case XCC_LISTBOX: s = pxaddopts(s, iOptions, XLISTOPTS); break;
    case XCC_COMBOLIST:
    case XCC_COMBOEDIT: s = pxaddopts(s, iOptions, XCOMBOOPTS); break;
    case XCC_TAB: s = pxaddopts(s, iOptions, XTABOPTS); break;
    case XCC_SCROLLBAR:
    case XCC_TRACKBAR: s = pxaddopts(s, iOptions, XVERTOPTS); break;
    case XCC_LISTVIEW: s = pxaddopts(s, iOptions, XLVOPTS); break;
    default: break;
    }
    if (iOptions & XOPT_DISABLED) s |= WS_DISABLED_;
    if (iOptions & XOPT_GROUP) s |= WS_GROUP_;
    return s;
}

int PXGETCALLBACKINDEX(int iClass, int iStyle, int iEvent) {
    const bool main = iEvent == XEC_MAIN;
    switch (iClass) {
    case XCC_STATIC: return (main || iEvent == XEC_OWNERDRAW) && (iStyle & 0xF) == 0xD ? 1 : 0;
    case XCC_EDIT:
        if (main || iEvent == XEC_CHANGED) return 1;
        if (iEvent == XEC_UPDATED) return 2;
        if (iEvent == XEC_GOTFOCUS) return 3;
        return iEvent == XEC_LOSTFOCUS ? 4 : 0;
    case XCC_LISTBOX:
    case XCC_COMBOLIST:
        if (main || iEvent == XEC_SELCHANGED) return 1;
        return iEvent == XEC_DBLCLK ? 2 : 0;
    case XCC_TAB:
        if (main || iEvent == XEC_SELCHANGED) return 1;
        return iEvent == XEC_SELCHANGING ? 2 : 0;
    case XCC_SCROLLBAR:
    case XCC_UPDOWN:
    case XCC_TRACKBAR: return main || iEvent == XEC_CHANGED ? 1 : 0;
    case XCC_COMBOEDIT:
        if (main || iEvent == XEC_SELCHANGED) return 1;
        if (iEvent == XEC_DBLCLK) return 2;
        if (iEvent == XEC_CHANGED) return 3;
        return iEvent == XEC_UPDATED ? 4 : 0;
    case XCC_LISTVIEW:
        if (main || iEvent == XEC_SELCHANGED) return 1;
        if (iEvent == XEC_DBLCLK) return 2;
        if (iEvent == XEC_COLCLICK) return 3;
        return iEvent == XEC_OWNERDRAW && (iStyle & 0x1000) ? 4 : 0; // LVS_OWNERDATA
    case XCLS_DIALOG:
        if (main || iEvent == XEC_DLGINIT) return 1;
        if (iEvent == XEC_DLG30) return 2;
        if (iEvent == XEC_DLG31) return 3;
        return iEvent == XEC_DLG33 ? 4 : 0;
    default:
        if (!pxisbutton(iClass)) return 0;
        if (main || iEvent == XEC_CLICK) return 1;
        return iEvent == XEC_OWNERDRAW && (iStyle & 0xF) == 0xB ? 2 : 0;
    }
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
    d.iHeight = pxnumberafter(t, 'h', d.iHeight);
    d.iWidth = pxnumberafter(t, 'w', d.iWidth);
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
