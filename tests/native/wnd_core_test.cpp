// The message table: every row's decoding reads only its own bits and encodes back to them,
// the edge values of the argument lists, and the run-time lookup against the compile-time one.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "ZEBWNDcore.h"

namespace {

template <class T> constexpr bool XHASLOGICAL = false;
template <class... A>
constexpr bool XHASLOGICAL<std::tuple<A...>> = (std::is_same_v<A, bool> || ...);

const std::vector<XWPARAM>& pxwords() {
    static const std::vector<XWPARAM> w = [] {
        std::vector<XWPARAM> v{0,       1,        2,      0x7FFF,     0x8000,      0xFFFF,
                               0x10000, 0x780000, 0xF063, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu};
        if (sizeof(XWPARAM) > 4) v.push_back(static_cast<XWPARAM>(0x100000005ull));
        return v;
    }();
    return w;
}
const std::vector<XLPARAM>& pxlongs() {
    static const std::vector<XLPARAM> l = [] {
        std::vector<XLPARAM> v{0,
                               1,
                               -1,
                               PXMAKELONG(-5, 10),
                               PXMAKELONG(-32768, 32767),
                               static_cast<XLPARAM>(0x80000000u),
                               static_cast<XLPARAM>(0x01FF0001),
                               static_cast<XLPARAM>(0xC1FF0003u),
                               static_cast<XLPARAM>(0x20380001),
                               static_cast<XLPARAM>(0xA0000000u)};
        if (sizeof(XLPARAM) > 4) v.push_back(static_cast<XLPARAM>(0x7FFF00001234ll));
        return v;
    }();
    return l;
}

// For every edge pair of words: the decoding sees only the row's bits; decoding what it
// encoded gives the same arguments; and the encoding gives the words back within those bits
// (where the words' logicals are 0 or 1 it is a fixed point).
template <XR R> void pxroundtrip(unsigned m) {
    using Row = XROW<R>;
    for (XWPARAM w : pxwords())
        for (XLPARAM l : pxlongs()) {
            // A scroll-bar control's handle is never SB_HORZ (0) or SB_VERT (1).
            if (R == XR_SCROLL && l == 1) continue;
            SCOPED_TRACE(testing::Message()
                         << std::hex << "msg 0x" << m << " wParam 0x" << w << " lParam 0x" << l);
            const auto a = Row::decode(m, w, l);
            EXPECT_TRUE(Row::decode(m, w & Row::wMask, l & Row::lMask) == a);
            const XMSGWORDS e = Row::encode(m, a);
            EXPECT_TRUE(Row::decode(e.iMsg, e.wParam, e.lParam) == a);
            const XMSGWORDS masked{m, w & Row::wMask, l & Row::lMask};
            if constexpr (XHASLOGICAL<typename Row::args>) {
                EXPECT_EQ(e.wParam & ~Row::wMask, 0u);
                EXPECT_EQ(e.lParam & ~Row::lMask, 0);
                const auto a2 = Row::decode(e.iMsg, e.wParam, e.lParam);
                EXPECT_TRUE(Row::encode(m, a2) == e);
            } else {
                EXPECT_EQ(e.iMsg, m);
                EXPECT_EQ(e.wParam, masked.wParam);
                EXPECT_EQ(e.lParam, masked.lParam);
            }
        }
}

using XROUNDTRIP = void (*)(unsigned);
template <std::size_t... I>
constexpr std::array<XROUNDTRIP, XR_COUNT> pxroundtrips(std::index_sequence<I...>) {
    return {&pxroundtrip<static_cast<XR>(I)>...};
}

TEST(MessageTable, EveryRowEncodesBackWhatItDecodes) {
    constexpr auto trips = pxroundtrips(std::make_index_sequence<XR_COUNT>{});
    std::array<bool, XR_COUNT> seen{};
    for (const XMSGROW& r : XMSGROWS) {
        trips[r.iRow](r.iMsg);
        seen[r.iRow] = true;
    }
    trips[XR_GENERAL](0x104); // WM_SYSKEYDOWN
    trips[XR_GENERAL](0x8001);
    seen[XR_GENERAL] = true;
    for (unsigned r = 0; r < XR_COUNT; ++r) EXPECT_TRUE(seen[r]) << "argument list " << r;
}

TEST(MessageTable, RunTimeLookupAgreesWithTheCompileTimeOne) {
    for (const XMSGROW& r : XMSGROWS) {
        EXPECT_EQ(FXMSGROW(r.iMsg).iRow, r.iRow) << r.iMsg;
        EXPECT_EQ(FXMSGROW(r.iMsg).iRow, XROWID(r.iMsg)) << r.iMsg;
    }
    for (unsigned m : {0x0u, 0x1u, 0x4Eu, 0x104u, 0x118u, 0x1FFu, 0x206u, 0x207u, 0x3FFu, 0x400u,
                       0x8001u, 0xFFFFFFFFu}) {
        EXPECT_EQ(FXMSGROW(m).iRow, XR_GENERAL) << m;
        EXPECT_EQ(FXMSGFLAGS(m), 0u) << m;
    }
    static_assert(XROWID(XWM_NCRBUTTONUP) == XR_NCMOUSE && XROWID(0xA4) == XR_GENERAL,
                  "WM_NCRBUTTONDOWN takes the general form");
}

TEST(MessageTable, DefaultProcessingFlags) {
    std::vector<unsigned> runs, unchanged;
    for (const XMSGROW& r : XMSGROWS) {
        if (r.iFlags & XMF_DEFAULTIFDECLINED) runs.push_back(r.iMsg);
        if (r.iFlags & XMF_RESULTUNCHANGED) unchanged.push_back(r.iMsg);
    }
    EXPECT_EQ(runs, (std::vector<unsigned>{XWM_ACTIVATE, XWM_CLOSE, XWM_ERASEBKGND, XWM_CONTEXTMENU,
                                           XWM_CHAR, XWM_DEADCHAR}));
    EXPECT_EQ(unchanged, (std::vector<unsigned>{XWM_QUERYENDSESSION, XWM_NCHITTEST, XWM_NCACTIVATE,
                                                XWM_GETDLGCODE}));
}

using XKEYROW = XROW<XR_KEY>;

TEST(MessageRows, KeysCarryTheNineBitScanCodeAndTheRepeatCount) {
    // Right arrow: scan 0x4D with the extended flag, repeat 1; the transition bits above go.
    EXPECT_EQ(XKEYROW::decode(XWM_KEYDOWN, 0x27, 0x014D0001), std::make_tuple(0x27, 1, 0x14D));
    EXPECT_EQ(XKEYROW::decode(XWM_KEYUP, 0x27, static_cast<XLPARAM>(0xC14D0001u)),
              std::make_tuple(0x27, 1, 0x14D));
    EXPECT_EQ(XKEYROW::decode(XWM_KEYDOWN, 'K', static_cast<XLPARAM>(0xC1FF0003u)),
              std::make_tuple('K', 3, 0x1FF));
    EXPECT_EQ(XKEYROW::decode(XWM_KEYDOWN, 'K', 0xFFFF), std::make_tuple('K', 0xFFFF, 0))
        << "the repeat count is unsigned";
    const XMSGWORDS e = XKEYROW::encode(XWM_KEYDOWN, {0x24, 1, 0x147});
    EXPECT_EQ(e.wParam, 0x24u);
    EXPECT_EQ(e.lParam, 0x01470001);
}

TEST(MessageRows, CoordinatesAreSignedWhereTheContractSaysSo) {
    EXPECT_EQ(XROW<XR_MOVE>::decode(XWM_MOVE, 0, PXMAKELONG(-7, -9)), std::make_tuple(-7, -9));
    EXPECT_EQ(XROW<XR_MOUSE>::decode(XWM_LBUTTONDOWN, 1, PXMAKELONG(-5, 10)),
              std::make_tuple(-5, 10, 0x201, 1));
    EXPECT_EQ(XROW<XR_NCHITTEST>::decode(XWM_NCHITTEST, 0, PXMAKELONG(-10, -20)),
              std::make_tuple(-10, -20, 0));
    EXPECT_EQ(XROW<XR_SIZE>::decode(XWM_SIZE, 2, PXMAKELONG(40000, 300)),
              std::make_tuple(-25536, 300, 2));
    // The keyboard's context menu, and the unsigned hit-test code of WM_MOUSEACTIVATE.
    EXPECT_EQ(XROW<XR_CONTEXTMENU>::decode(XWM_CONTEXTMENU, 0, -1), std::make_tuple(65535, 65535));
    EXPECT_EQ(XROW<XR_CONTEXTMENU>::decode(XWM_CONTEXTMENU, 0, PXMAKELONG(-1, 5)),
              std::make_tuple(65535, 5));
    EXPECT_EQ(XROW<XR_MOUSEACTIVATE>::decode(XWM_MOUSEACTIVATE, 0, PXMAKELONG(-2, 0x201)),
              std::make_tuple(0xFFFE));
    EXPECT_EQ(XROW<XR_SETCURSOR>::decode(XWM_SETCURSOR, 0, PXMAKELONG(-2, 0x201)),
              std::make_tuple(-2, 0x201));
    EXPECT_EQ(XROW<XR_DISPLAYCHANGE>::decode(XWM_DISPLAYCHANGE, 24, PXMAKELONG(40000, 50000)),
              std::make_tuple(24, 40000, 50000));
}

TEST(MessageRows, WheelDeltasAreSignedHalvesOfTheWordParameter) {
    using W = XROW<XR_MOUSEWHEEL>;
    for (int delta : {120, -120, 32767, -32768, 1, -1}) {
        SCOPED_TRACE(delta);
        const auto w = static_cast<XWPARAM>(PXMAKELONG(0x0008, delta));
        EXPECT_EQ(W::decode(XWM_MOUSEWHEEL, w, PXMAKELONG(-3, 700)),
                  std::make_tuple(delta, -3, 700, 8));
    }
    EXPECT_EQ(std::get<3>(W::decode(XWM_MOUSEWHEEL, 0xFFFF, 0)), -1) << "key flags: signed";
}

TEST(MessageRows, TopBitsAndFlagBits) {
    using C = XROW<XR_CHAR>;
    EXPECT_EQ(C::decode(XWM_CHAR, 'x', static_cast<XLPARAM>(0x80000001u)),
              std::make_tuple(int('x'), true, false));
    EXPECT_EQ(C::decode(XWM_CHAR, 'y', 0x20000001), std::make_tuple(int('y'), false, true));
    EXPECT_EQ(C::encode(XWM_DEADCHAR, {'^', true, true}).lParam, static_cast<XLPARAM>(0xA0000000u));
    using L = XROW<XR_LOGOFF>;
    EXPECT_EQ(L::decode(XWM_QUERYENDSESSION, 0, static_cast<XLPARAM>(0x80000000u)),
              std::make_tuple(true));
    EXPECT_EQ(L::decode(XWM_QUERYENDSESSION, 0, 1), std::make_tuple(false))
        << "ENDSESSION_CLOSEAPP";
    EXPECT_EQ(XROW<XR_SYSCOMMAND>::decode(XWM_SYSCOMMAND, 0xF063, 0), std::make_tuple(0xF060));
    EXPECT_EQ(XROW<XR_INITMENUPOPUP>::decode(XWM_INITMENUPOPUP, 7, PXMAKELONG(0, 1)),
              std::make_tuple(XMENUARG{7}, true));
    EXPECT_EQ(XROW<XR_ACTIVATE>::decode(XWM_ACTIVATE, 0x10002, 0x1234),
              std::make_tuple(2, true, XWINDOWARG{0x1234}));
}

TEST(MessageRows, WholeWordsStayWhole) {
    const XWPARAM big = sizeof(XWPARAM) > 4 ? static_cast<XWPARAM>(0x100000005ull) : 5;
    EXPECT_EQ(XROW<XR_TIMER>::decode(XWM_TIMER, big, 0), std::make_tuple(big));
    EXPECT_EQ(XROW<XR_MDIDESTROY>::decode(XWM_MDIDESTROY, big, 0),
              std::make_tuple(XWINDOWARG{big}));
    // In/out integers go back to the word parameter as their 32 bits, zero-extended.
    EXPECT_EQ(XROW<XR_HOTKEY>::encode(XWM_HOTKEY, {-2}).wParam, 0xFFFFFFFEu);
    EXPECT_EQ(XROW<XR_NCMOUSE>::encode(XWM_NCMOUSEMOVE, {1, 2, 0}).wParam, 0u);
}

TEST(MessageRows, ScrollBarsAreTheControlOrTheWindowsOwn) {
    using S = XROW<XR_SCROLL>;
    EXPECT_EQ(S::decode(XWM_HSCROLL, 0x00460001, 0), std::make_tuple(XINTPTR(0), 1, 0));
    EXPECT_EQ(S::decode(XWM_VSCROLL, 0x00460001, 0), std::make_tuple(XINTPTR(1), 1, 0));
    EXPECT_EQ(S::decode(XWM_VSCROLL, 5, 0x3456), std::make_tuple(XINTPTR(0x3456), 5, 0));
    EXPECT_EQ(S::encode(XWM_VSCROLL, {1, 4, 0}).lParam, 0) << "the window's own bar";
    EXPECT_TRUE(XSCROLLTHUMB(4) && XSCROLLTHUMB(5));
    EXPECT_FALSE(XSCROLLTHUMB(0) || XSCROLLTHUMB(3) || XSCROLLTHUMB(6) || XSCROLLTHUMB(8));
}

} // namespace
