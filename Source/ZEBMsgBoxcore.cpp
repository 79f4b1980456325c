// ZEBMsgBoxcore: layout and template of the message box, without the platform.
#include "ZEBMsgBoxcore.h"

#include <algorithm>

namespace {

constexpr std::uint32_t XMB_DLGSTYLE = 0x90C808C0; // pop-up, visible, caption, system menu,
                                                   // centred, modal frame, own font
constexpr std::uint32_t XMB_DSSYSMODAL = 0x2, XMB_EXTOPMOST = 0x8;
constexpr std::uint32_t XMB_CHILD = 0x50000000; // WS_CHILD | WS_VISIBLE
constexpr std::uint32_t XMB_SSRIGHT = 0x2, XMB_SSICON = 0x803, XMB_AUTOCHECK = 0x3,
                        XMB_DEFPUSH = 0x1;
constexpr std::uint16_t XMB_BUTTON = 0x80, XMB_STATIC = 0x82;

constexpr std::string_view kFallback =
    "OK     Cancel &Abort &Retry &Ignore&Yes   &No    Close  &Help  ";

// Grows the buffer so that n words fit at pos.
std::uint16_t* PXROOM(XWORDS& buf, int pos, std::size_t n) {
    const std::size_t end = static_cast<std::size_t>(pos) + n;
    if (buf.size() < end) buf.resize(end, 0);
    return buf.data() + pos;
}

int PXALIGN(XWORDS& buf, int pos) {
    if (pos % 2) *PXROOM(buf, pos++, 1) = 0;
    return pos;
}

// The template holds sizes as signed 16-bit dialog units.
int PXUNITS(long long v) {
    return static_cast<int>(std::clamp(v, 0LL, 0x7FFFLL));
}

} // namespace

int PXPUTINT4(XWORDS& buf, int pos, std::uint32_t v) {
    std::uint16_t* p = PXROOM(buf, pos, 2);
    p[0] = static_cast<std::uint16_t>(v & 0xFFFF);
    p[1] = static_cast<std::uint16_t>(v >> 16);
    return pos + 2;
}

int PXPUTINT2(XWORDS& buf, int pos, const std::vector<std::uint16_t>& words) {
    if (words.empty()) return pos;
    std::copy(words.begin(), words.end(), PXROOM(buf, pos, words.size()));
    return pos + static_cast<int>(words.size());
}

int PXPUTWIDE(XWORDS& buf, int pos, std::u16string_view s) {
    std::uint16_t* p = PXROOM(buf, pos, s.size() + 1);
    for (char16_t c : s) *p++ = static_cast<std::uint16_t>(c);
    *p = 0;
    return pos + static_cast<int>(s.size()) + 1;
}

int PXPUTCONTROL(XWORDS& buf, int pos, std::uint32_t iStyle, std::uint32_t iExStyle, int x, int y,
                 int cx, int cy, int iID, std::uint16_t iClassAtom, const XMBTITLE& title) {
    pos = PXPUTINT4(buf, pos, iStyle);
    pos = PXPUTINT4(buf, pos, iExStyle);
    auto w = [](int v) { return static_cast<std::uint16_t>(v & 0xFFFF); };
    pos = PXPUTINT2(buf, pos, {w(x), w(y), w(cx), w(cy), w(iID), 0xFFFF, iClassAtom});
    if (title.iOrdinal)
        pos = PXPUTINT2(buf, pos, {0xFFFF, *title.iOrdinal});
    else
        pos = PXPUTWIDE(buf, pos, title.sText);
    pos = PXPUTINT2(buf, pos, {0}); // no creation data
    return PXALIGN(buf, pos);
}

std::vector<int> FXMBBUTTONSET(int iFlags) {
    switch (iFlags & 0xF) {
    case 0: return {1};
    case 1: return {1, 2};
    case 2: return {3, 4, 5};
    case 3: return {6, 7, 2};
    case 4: return {6, 7};
    case 5: return {4, 2};
    default: return {};
    }
}

std::optional<int> FXMBSTDICON(int iFlags) {
    switch (iFlags & 0xF0) {
    case 0x10: return 103;
    case 0x20: return 102;
    case 0x30: return 101;
    case 0x40: return 104;
    default: return std::nullopt;
    }
}

std::string_view FXMBFALLBACK(int iID) {
    if (iID < 1 || iID > 9) return {};
    return kFallback.substr(static_cast<std::size_t>(7 * (iID - 1)), 7);
}

XMBLAYOUT FXMBLAYOUT(const XMBMEASURE& m) {
    const long long I = m.bIcon ? 1 : 0, C = m.bCheck ? 1 : 0;
    const long long bx = std::max(m.bx, 1), by = std::max(m.by, 1);
    const long long cxText = 4LL * m.w / bx, cyText = 8LL * m.h / by;
    // Wide enough for the button row (50 units each, 20 between), whatever the text.
    const long long cxRow = 70LL * m.nButtons - 10;
    XMBLAYOUT l;
    l.cx = PXUNITS(std::max({(128 / bx + 10) * I + cxText + 20, 200LL, cxRow}));
    l.cy = PXUNITS(std::max(256 / by * I, cyText) + 10 * C + 8LL * m.cyFrame / by + 30);
    l.xText = static_cast<int>(20 * I + 20);
    l.cxText = PXUNITS(cxText);
    l.cyText = PXUNITS(cyText);
    l.yCheck = l.cy - 32;
    l.cxCheck = l.cx - 20;
    l.yButtons = l.cy - 20;
    const int n = m.nButtons;
    for (int k = 1; k <= n; ++k) l.xButtons.push_back(l.cx / 2 - 35 * (n - 1) + 70 * k - 95);
    return l;
}

XWORDS FXMBTEMPLATE(const XMBSPEC& content, const XMBLAYOUT& l) {
    const int f = content.iFlags;
    const int n = static_cast<int>(content.buttons.size());
    XWORDS buf;
    int pos = PXPUTINT4(buf, 0, XMB_DLGSTYLE | (f & XMB_FSYSMODAL ? XMB_DSSYSMODAL : 0));
    pos = PXPUTINT4(buf, pos, f & (XMB_FSYSMODAL | XMB_FTOPMOST) ? XMB_EXTOPMOST : 0);
    const int nItems = 1 + (content.iIcon ? 1 : 0) + n + (content.bCheck ? 1 : 0);
    pos = PXPUTINT2(buf, pos,
                    {static_cast<std::uint16_t>(nItems), 0, 0, static_cast<std::uint16_t>(l.cx),
                     static_cast<std::uint16_t>(l.cy), 0, 0});
    pos = PXPUTWIDE(buf, pos, content.sCaption);
    pos = PXPUTINT2(buf, pos, {content.iPointSize});
    pos = PXPUTWIDE(buf, pos, content.sFace);
    pos = PXALIGN(buf, pos);

    pos = PXPUTCONTROL(buf, pos, XMB_CHILD | (f & XMB_FRIGHT ? XMB_SSRIGHT : 0), 0, l.xText, 10,
                       l.cxText, l.cyText, 0, XMB_STATIC, {content.sText, std::nullopt});
    if (content.iIcon)
        pos = PXPUTCONTROL(buf, pos, XMB_CHILD | XMB_SSICON, 0, 10, 10, 20, 20, 0, XMB_STATIC,
                           {u"", content.iIcon});
    if (content.bCheck)
        pos = PXPUTCONTROL(buf, pos, XMB_CHILD | XMB_AUTOCHECK, 0, 10, l.yCheck, l.cxCheck, 10,
                           XMB_CHECKID, XMB_BUTTON, {u"&Show this message in the future", {}});
    const int iDefault = ((f & 0xF00) >> 8) + 1;
    for (int k = 1; k <= n; ++k) {
        const XMBBUTTON& b = content.buttons[static_cast<std::size_t>(k - 1)];
        const int x = k <= static_cast<int>(l.xButtons.size())
                          ? l.xButtons[static_cast<std::size_t>(k - 1)]
                          : 0;
        pos = PXPUTCONTROL(buf, pos, XMB_CHILD | (k == iDefault ? XMB_DEFPUSH : 0), 0, x,
                           l.yButtons, 50, 14, b.iID, XMB_BUTTON, b.title);
    }
    buf.resize(static_cast<std::size_t>(pos));
    return buf;
}
