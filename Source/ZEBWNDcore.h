// ZEBWNDcore: the platform-free half of ZEBWND — the message table. For every message whose
// parameters reach its handler decoded, one row: the handler's argument list, the pure decoding
// of (message, wParam, lParam) into the word-level arguments, the encoding back, and the
// default-processing flags. Arguments that need the platform (objects of window handles, menu
// objects, drawing contexts, system records, scroll positions, dropped files) come out of the
// decoding as the words they are made from; the row names the platform step that makes them.
//
//   Words     XWPARAM XLPARAM XINTPTR XRESULT XMSGWORDS XWINDOWARG XMENUARG
//   Halves    PXSLOW PXSHIGH PXULOW PXUHIGH PXMAKELONG PXWORDOF PXINTOF
//   Rows      XR (argument lists) XSTEP (platform steps) XROW<R>: handler args decode encode
//             step wMask lMask; shapes shared by rows XROWBASE XROWHALVES XROWWINDOW
//             XROWRECORD; XSCROLLTHUMB
//   Messages  XWM_* XMF_* XMSGROW XMSGROWS XMSGROWCOUNT XROWID XROWOF
//   Checks    XROWSTYPED XMSGROWSSORTED (compile time)
//   Lookup    FXMSGROW FXMSGFLAGS XROWINDEX XGENERALROW
//
// Never includes <windows.h>; the word types are the platform's own (ZEBWND checks that they
// are the same types).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

// The platform's word types: UINT_PTR, LONG_PTR and INT_PTR (long, not int, on 32-bit targets).
using XWPARAM = std::conditional_t<sizeof(void*) == 4, unsigned int, unsigned long long>;
using XLPARAM = std::conditional_t<sizeof(void*) == 4, long, long long>;
using XINTPTR = std::conditional_t<sizeof(void*) == 4, int, long long>;
using XRESULT = XLPARAM;

struct XWND;     // window object, ZEBWND
struct XDC;      // drawing context, ZEBGDIcore
struct XMENU;    // menu object, ZEBWND
struct tagPOINT; // the platform's point record (POINT)

// One message as the window procedure gets it.
struct XMSGWORDS {
    unsigned iMsg = 0;
    XWPARAM wParam = 0;
    XLPARAM lParam = 0;
    bool operator==(const XMSGWORDS& o) const {
        return iMsg == o.iMsg && wParam == o.wParam && lParam == o.lParam;
    }
};

// A window handle carried by a parameter: the handler gets the object XGETWINDOW gives for it.
struct XWINDOWARG {
    XWPARAM hWnd = 0;
    bool operator==(const XWINDOWARG& o) const { return hWnd == o.hWnd; }
};
// A menu handle carried by the word parameter: the handler gets a menu object owned by the
// window that received the message.
struct XMENUARG {
    XWPARAM hMenu = 0;
    bool operator==(const XMENUARG& o) const { return hMenu == o.hMenu; }
};

// Halves of a parameter's low 32 bits.
constexpr int PXSLOW(XLPARAM v) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
}
constexpr int PXSHIGH(XLPARAM v) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(v >> 16));
}
constexpr int PXULOW(XLPARAM v) {
    return static_cast<std::uint16_t>(v);
}
constexpr int PXUHIGH(XLPARAM v) {
    return static_cast<std::uint16_t>(v >> 16);
}
// Two 16-bit halves as a parameter's low 32 bits, zero-extended (the platform's MAKELPARAM).
constexpr XLPARAM PXMAKELONG(int lo, int hi) {
    return static_cast<XLPARAM>(static_cast<std::uint32_t>(
        static_cast<std::uint16_t>(lo) | static_cast<std::uint32_t>(static_cast<std::uint16_t>(hi))
                                             << 16));
}
// An in/out integer written back to the word parameter: its 32 bits, zero-extended.
constexpr XWPARAM PXWORDOF(int v) {
    return static_cast<std::uint32_t>(v);
}
constexpr int PXINTOF(XWPARAM v) {
    return static_cast<int>(static_cast<std::uint32_t>(v));
}

// Argument lists. Several messages share one list; the table below gives each message its own.
enum XR : unsigned char {
    XR_GENERAL,
    XR_NOARGS,
    XR_MOVE,
    XR_SIZE,
    XR_ACTIVATE,
    XR_SETFOCUS,
    XR_KILLFOCUS,
    XR_FLAG,
    XR_LOGOFF,
    XR_PAINT,
    XR_ERASEBKGND,
    XR_SETCURSOR,
    XR_MOUSEACTIVATE,
    XR_MINMAXINFO,
    XR_WINDOWPOS,
    XR_HELP,
    XR_CONTEXTMENU,
    XR_DISPLAYCHANGE,
    XR_NCHITTEST,
    XR_NCMOUSE,
    XR_KEY,
    XR_CHAR,
    XR_SYSCOMMAND,
    XR_TIMER,
    XR_SCROLL,
    XR_INITMENU,
    XR_INITMENUPOPUP,
    XR_MOUSE,
    XR_MOUSEWHEEL,
    XR_MDIDESTROY,
    XR_MDIACTIVATE,
    XR_DROPFILES,
    XR_HOTKEY,
    XR_COUNT
};

// What the platform does around a row's call. NONE: the decoded arguments are the handler's
// (handles become objects). The others make the arguments the words cannot give.
enum class XSTEP {
    NONE,
    HITTEST,     // the last argument is the default processing's hit-test code
    PAINT,       // paint protocol; drawing context and update rectangle
    ERASE,       // drawing context over the device context of the word parameter
    SCROLL,      // the position is the bar's own 32-bit (track) position
    MINMAXINFO,  // the fields of the record the long parameter points to
    WINDOWPOS,   // likewise
    HELPINFO,    // likewise
    MDIACTIVATE, // the MDI client gets the activated window first
    DROPFILES    // the names of the dropped files
};

// Row R: `handler` the handler's type; `args` the decoded arguments; decode and encode; step;
// wMask, lMask the parameter bits the decoding reads (encode(decode(w)) gives w within them
// when the logicals in w are 0 or 1).
template <XR R> struct XROW;

// A row whose list is exactly its decoded arguments.
template <class... A> struct XROWBASE {
    using args = std::tuple<A...>;
    using handler = XRESULT(XWND&, A...);
    static constexpr XSTEP step = XSTEP::NONE;
};

template <> struct XROW<XR_GENERAL> {
    using handler = XRESULT(XWND&, int& iMsg, XWPARAM& wParam, XLPARAM& lParam);
    using args = std::tuple<int, XWPARAM, XLPARAM>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = ~XWPARAM(0);
    static constexpr XLPARAM lMask = ~XLPARAM(0);
    static constexpr args decode(unsigned m, XWPARAM w, XLPARAM l) {
        return {static_cast<int>(m), w, l};
    }
    static constexpr XMSGWORDS encode(unsigned, const args& a) {
        return {static_cast<unsigned>(std::get<0>(a)), std::get<1>(a), std::get<2>(a)};
    }
};

template <> struct XROW<XR_NOARGS> : XROWBASE<> {
    static constexpr XWPARAM wMask = 0;
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM, XLPARAM) { return {}; }
    static constexpr XMSGWORDS encode(unsigned m, const args&) { return {m, 0, 0}; }
};

// The halves of the long parameter as two integers, signed or not: WM_MOVE (x, y),
// WM_SETCURSOR (hit-test code, mouse message), WM_CONTEXTMENU (x, y unsigned: 65535, 65535 when
// the keyboard asked).
template <bool Signed> struct XROWHALVES : XROWBASE<int, int> {
    static constexpr XWPARAM wMask = 0;
    static constexpr XLPARAM lMask = 0xFFFFFFFF;
    static constexpr args decode(unsigned, XWPARAM, XLPARAM l) {
        return Signed ? args{PXSLOW(l), PXSHIGH(l)} : args{PXULOW(l), PXUHIGH(l)};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, 0, PXMAKELONG(std::get<0>(a), std::get<1>(a))};
    }
};
template <> struct XROW<XR_MOVE> : XROWHALVES<true> {};
template <> struct XROW<XR_SETCURSOR> : XROWHALVES<true> {};
template <> struct XROW<XR_CONTEXTMENU> : XROWHALVES<false> {};

// The signed halves of the long parameter, then the word parameter as an in/out integer:
// WM_SIZE (width, height, size type) and the non-client mouse rows (x, y in screen coordinates,
// hit-test code).
template <> struct XROW<XR_SIZE> {
    using handler = XRESULT(XWND&, int iWidth, int iHeight, int& iSizeType);
    using args = std::tuple<int, int, int>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = 0xFFFFFFFF;
    static constexpr XLPARAM lMask = 0xFFFFFFFF;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM l) {
        return {PXSLOW(l), PXSHIGH(l), PXINTOF(w)};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, PXWORDOF(std::get<2>(a)), PXMAKELONG(std::get<0>(a), std::get<1>(a))};
    }
};
template <> struct XROW<XR_NCMOUSE> : XROW<XR_SIZE> {
    using handler = XRESULT(XWND&, int x, int y, int& iHitTest);
};

// state: low half of the word parameter; minimized: its high half is not 0; the other window:
// the long parameter.
template <> struct XROW<XR_ACTIVATE> {
    using handler = XRESULT(XWND&, int iState, bool bMinimized, XWND* xOther);
    using args = std::tuple<int, bool, XWINDOWARG>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = 0xFFFFFFFF;
    static constexpr XLPARAM lMask = ~XLPARAM(0);
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM l) {
        return {PXULOW(static_cast<XLPARAM>(w)), PXUHIGH(static_cast<XLPARAM>(w)) != 0,
                XWINDOWARG{static_cast<XWPARAM>(l)}};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, static_cast<XWPARAM>(PXMAKELONG(std::get<0>(a), std::get<1>(a) ? 1 : 0)),
                static_cast<XLPARAM>(std::get<2>(a).hWnd)};
    }
};

// The other window is always the desktop's scratch object, never the window that lost the
// focus.
template <> struct XROW<XR_SETFOCUS> {
    using handler = XRESULT(XWND&, XWND* xOther);
    using args = std::tuple<XWINDOWARG>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = 0;
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM, XLPARAM) { return {XWINDOWARG{}}; }
    static constexpr XMSGWORDS encode(unsigned m, const args&) { return {m, 0, 0}; }
};

// A window carried by the word parameter: WM_KILLFOCUS (the window getting the focus),
// WM_MDIDESTROY and WM_MDIACTIVATE.
template <XR R> struct XROWWINDOW {
    using handler = XRESULT(XWND&, XWND* xOther);
    using args = std::tuple<XWINDOWARG>;
    static constexpr XSTEP step = R == XR_MDIACTIVATE ? XSTEP::MDIACTIVATE : XSTEP::NONE;
    static constexpr XWPARAM wMask = ~XWPARAM(0);
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM) { return {XWINDOWARG{w}}; }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, std::get<0>(a).hWnd, 0};
    }
};
template <> struct XROW<XR_KILLFOCUS> : XROWWINDOW<XR_KILLFOCUS> {};
template <> struct XROW<XR_MDIDESTROY> : XROWWINDOW<XR_MDIDESTROY> {};
template <> struct XROW<XR_MDIACTIVATE> : XROWWINDOW<XR_MDIACTIVATE> {};

// A logical: the word parameter is not 0.
template <> struct XROW<XR_FLAG> : XROWBASE<bool> {
    static constexpr XWPARAM wMask = ~XWPARAM(0);
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM) { return {w != 0}; }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, std::get<0>(a) ? 1u : 0u, 0};
    }
};

// Log-off: bit 31 of the long parameter (ENDSESSION_LOGOFF).
template <> struct XROW<XR_LOGOFF> : XROWBASE<bool> {
    static constexpr XLPARAM XLOGOFF = static_cast<XLPARAM>(0x80000000u);
    static constexpr XWPARAM wMask = 0;
    static constexpr XLPARAM lMask = XLOGOFF;
    static constexpr args decode(unsigned, XWPARAM, XLPARAM l) { return {(l & XLOGOFF) != 0}; }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, 0, std::get<0>(a) ? XLOGOFF : 0};
    }
};

// Drawing context and update rectangle: all from the paint step.
template <> struct XROW<XR_PAINT> {
    using handler = XRESULT(XWND&, XDC& dc, int iLeft, int iTop, int iRight, int iBottom);
    using args = std::tuple<>;
    static constexpr XSTEP step = XSTEP::PAINT;
    static constexpr XWPARAM wMask = 0;
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM, XLPARAM) { return {}; }
    static constexpr XMSGWORDS encode(unsigned m, const args&) { return {m, 0, 0}; }
};

// The device context is the word parameter.
template <> struct XROW<XR_ERASEBKGND> {
    using handler = XRESULT(XWND&, XDC& dc);
    using args = std::tuple<XWPARAM>;
    static constexpr XSTEP step = XSTEP::ERASE;
    static constexpr XWPARAM wMask = ~XWPARAM(0);
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM) { return {w}; }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) { return {m, std::get<0>(a), 0}; }
};

// hit-test code: unsigned low half of the long parameter.
template <> struct XROW<XR_MOUSEACTIVATE> : XROWBASE<int> {
    static constexpr XWPARAM wMask = 0;
    static constexpr XLPARAM lMask = 0xFFFF;
    static constexpr args decode(unsigned, XWPARAM, XLPARAM l) { return {PXULOW(l)}; }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, 0, PXMAKELONG(std::get<0>(a), 0)};
    }
};

// Rows over a system record: the long parameter is its address; its fields are in/out.
template <XSTEP S, class H> struct XROWRECORD {
    using handler = H;
    using args = std::tuple<XLPARAM>;
    static constexpr XSTEP step = S;
    static constexpr XWPARAM wMask = 0;
    static constexpr XLPARAM lMask = ~XLPARAM(0);
    static constexpr args decode(unsigned, XWPARAM, XLPARAM l) { return {l}; }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) { return {m, 0, std::get<0>(a)}; }
};
template <>
struct XROW<XR_MINMAXINFO>
    : XROWRECORD<XSTEP::MINMAXINFO, XRESULT(XWND&, tagPOINT& ptMaxSize, tagPOINT& ptMaxPosition,
                                            tagPOINT& ptMinTrackSize, tagPOINT& ptMaxTrackSize)> {};
template <>
struct XROW<XR_WINDOWPOS> : XROWRECORD<XSTEP::WINDOWPOS, XRESULT(XWND&, int& x, int& y, int& cx,
                                                                 int& cy, unsigned& iFlags)> {};
// menu item: the record's context type is 2 (HELPINFO_MENUITEM); control identifier (in/out).
template <>
struct XROW<XR_HELP> : XROWRECORD<XSTEP::HELPINFO, XRESULT(XWND&, bool bMenuItem, int& iCtrlId)> {
    static constexpr int XMENUITEM = 2;
};

// bits per pixel: the word parameter (in/out); width, height: unsigned halves of the long one.
template <> struct XROW<XR_DISPLAYCHANGE> {
    using handler = XRESULT(XWND&, int& iBitsPerPixel, int iWidth, int iHeight);
    using args = std::tuple<int, int, int>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = 0xFFFFFFFF;
    static constexpr XLPARAM lMask = 0xFFFFFFFF;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM l) {
        return {PXINTOF(w), PXULOW(l), PXUHIGH(l)};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, PXWORDOF(std::get<0>(a)), PXMAKELONG(std::get<1>(a), std::get<2>(a))};
    }
};

// x, y: signed halves (screen); default hit: what the default processing answers, filled in
// by the hit-test step before the call.
template <> struct XROW<XR_NCHITTEST> : XROWBASE<int, int, int> {
    static constexpr XSTEP step = XSTEP::HITTEST;
    static constexpr XWPARAM wMask = 0;
    static constexpr XLPARAM lMask = 0xFFFFFFFF;
    static constexpr args decode(unsigned, XWPARAM, XLPARAM l) {
        return {PXSLOW(l), PXSHIGH(l), 0};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, 0, PXMAKELONG(std::get<0>(a), std::get<1>(a))};
    }
};

// virtual-key code: the word parameter (in/out); repeat count: low half of the long parameter;
// scan code: its bits 16-24, the 8-bit code with the extended-key flag as bit 8 (0 to 511).
template <> struct XROW<XR_KEY> {
    using handler = XRESULT(XWND&, int& iVirtKey, int iRepeat, int iScanCode);
    using args = std::tuple<int, int, int>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = 0xFFFFFFFF;
    static constexpr XLPARAM lMask = 0x01FFFFFF;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM l) {
        return {PXINTOF(w), PXULOW(l),
                static_cast<int>((static_cast<std::uint32_t>(l) >> 16) & 0x1FF)};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        const auto scan = static_cast<std::uint32_t>(std::get<2>(a)) & 0x1FF;
        return {m, PXWORDOF(std::get<0>(a)),
                static_cast<XLPARAM>(static_cast<std::uint16_t>(std::get<1>(a)) | scan << 16)};
    }
};

// character code: the word parameter (in/out); key up: bit 31 of the long parameter; Alt:
// bit 29.
template <> struct XROW<XR_CHAR> {
    using handler = XRESULT(XWND&, int& iChar, bool bKeyUp, bool bAlt);
    using args = std::tuple<int, bool, bool>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = 0xFFFFFFFF;
    static constexpr XLPARAM lMask = static_cast<XLPARAM>(0xA0000000u);
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM l) {
        const auto bits = static_cast<std::uint32_t>(l);
        return {PXINTOF(w), (bits >> 31) != 0, ((bits >> 29) & 1) != 0};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        const std::uint32_t bits =
            (std::get<1>(a) ? 0x80000000u : 0) | (std::get<2>(a) ? 1u << 29 : 0);
        return {m, PXWORDOF(std::get<0>(a)), static_cast<XLPARAM>(bits)};
    }
};

// command: the word parameter AND 0xFFF0 (the system's low bits dropped).
template <> struct XROW<XR_SYSCOMMAND> : XROWBASE<int> {
    static constexpr XWPARAM wMask = 0xFFF0;
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM) {
        return {static_cast<int>(w & 0xFFF0)};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, static_cast<XWPARAM>(std::get<0>(a) & 0xFFF0), 0};
    }
};

// timer identifier: the whole word parameter (in/out), never cut to 32 bits.
template <> struct XROW<XR_TIMER> {
    using handler = XRESULT(XWND&, XWPARAM& iTimerID);
    using args = std::tuple<XWPARAM>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = ~XWPARAM(0);
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM) { return {w}; }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) { return {m, std::get<0>(a), 0}; }
};

// bar: the scroll-bar control (long parameter), or the window's own bar, SB_HORZ (0) for
// WM_HSCROLL and SB_VERT (1) for WM_VSCROLL; request code: low half of the word parameter;
// position: read from the bar by the scroll step (the track position for XSCROLLTHUMB codes).
template <> struct XROW<XR_SCROLL> {
    using handler = XRESULT(XWND&, XINTPTR iBar, int iCode, int iPos);
    using args = std::tuple<XINTPTR, int, int>;
    static constexpr XSTEP step = XSTEP::SCROLL;
    static constexpr unsigned XHSCROLL = 0x114;
    static constexpr XWPARAM wMask = 0xFFFF;
    static constexpr XLPARAM lMask = ~XLPARAM(0);
    static constexpr XINTPTR ownbar(unsigned m) { return m == XHSCROLL ? 0 : 1; }
    static constexpr args decode(unsigned m, XWPARAM w, XLPARAM l) {
        return {l ? static_cast<XINTPTR>(l) : ownbar(m), PXULOW(static_cast<XLPARAM>(w)), 0};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        const XINTPTR bar = std::get<0>(a);
        return {m, static_cast<XWPARAM>(static_cast<std::uint16_t>(std::get<1>(a))),
                bar == ownbar(m) ? 0 : static_cast<XLPARAM>(bar)};
    }
};
// Thumb requests (SB_THUMBPOSITION, SB_THUMBTRACK) report the track position.
constexpr bool XSCROLLTHUMB(int iCode) {
    return iCode == 4 || iCode == 5;
}

// menu: a menu object of the word parameter, owned by this window.
template <> struct XROW<XR_INITMENU> {
    using handler = XRESULT(XWND&, XMENU& xMenu);
    using args = std::tuple<XMENUARG>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = ~XWPARAM(0);
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM) { return {XMENUARG{w}}; }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, std::get<0>(a).hMenu, 0};
    }
};

// the same menu object; system menu: the high half of the long parameter is not 0.
template <> struct XROW<XR_INITMENUPOPUP> {
    using handler = XRESULT(XWND&, XMENU& xMenu, bool bSystemMenu);
    using args = std::tuple<XMENUARG, bool>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = ~XWPARAM(0);
    static constexpr XLPARAM lMask = static_cast<XLPARAM>(0xFFFF0000u);
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM l) {
        return {XMENUARG{w}, PXUHIGH(l) != 0};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, std::get<0>(a).hMenu, PXMAKELONG(0, std::get<1>(a) ? 1 : 0)};
    }
};

// x, y: signed halves (client); the message number (in/out); key flags: the word parameter
// (in/out).
template <> struct XROW<XR_MOUSE> {
    using handler = XRESULT(XWND&, int x, int y, int& iMsg, int& iKeys);
    using args = std::tuple<int, int, int, int>;
    static constexpr XSTEP step = XSTEP::NONE;
    static constexpr XWPARAM wMask = 0xFFFFFFFF;
    static constexpr XLPARAM lMask = 0xFFFFFFFF;
    static constexpr args decode(unsigned m, XWPARAM w, XLPARAM l) {
        return {PXSLOW(l), PXSHIGH(l), static_cast<int>(m), PXINTOF(w)};
    }
    static constexpr XMSGWORDS encode(unsigned, const args& a) {
        return {static_cast<unsigned>(std::get<2>(a)), PXWORDOF(std::get<3>(a)),
                PXMAKELONG(std::get<0>(a), std::get<1>(a))};
    }
};

// wheel delta: signed high half of the word parameter; x, y: signed halves of the long one
// (screen); key flags: signed low half of the word parameter.
template <> struct XROW<XR_MOUSEWHEEL> : XROWBASE<int, int, int, int> {
    static constexpr XWPARAM wMask = 0xFFFFFFFF;
    static constexpr XLPARAM lMask = 0xFFFFFFFF;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM l) {
        const auto wp = static_cast<XLPARAM>(w);
        return {PXSHIGH(wp), PXSLOW(l), PXSHIGH(l), PXSLOW(wp)};
    }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, static_cast<XWPARAM>(PXMAKELONG(std::get<3>(a), std::get<0>(a))),
                PXMAKELONG(std::get<1>(a), std::get<2>(a))};
    }
};

// file names: one blank-padded text of 260 characters per file of the drop handle (word
// parameter), made by the dropped-files step.
template <> struct XROW<XR_DROPFILES> {
    using handler = XRESULT(XWND&, const std::vector<std::string>& sFiles);
    using args = std::tuple<XWPARAM>;
    static constexpr XSTEP step = XSTEP::DROPFILES;
    static constexpr XWPARAM wMask = ~XWPARAM(0);
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM) { return {w}; }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) { return {m, std::get<0>(a), 0}; }
};

// hot-key identifier: the word parameter (in/out).
template <> struct XROW<XR_HOTKEY> : XROWBASE<int> {
    using handler = XRESULT(XWND&, int& iHotKeyID);
    static constexpr XWPARAM wMask = 0xFFFFFFFF;
    static constexpr XLPARAM lMask = 0;
    static constexpr args decode(unsigned, XWPARAM w, XLPARAM) { return {PXINTOF(w)}; }
    static constexpr XMSGWORDS encode(unsigned m, const args& a) {
        return {m, PXWORDOF(std::get<0>(a)), 0};
    }
};

// Message numbers of the table (the platform's values), and WM_SYSKEYDOWN, whose general form
// carries a key's words.
enum : unsigned {
    XWM_SYSKEYDOWN = 0x104,
    XWM_DESTROY = 0x02,
    XWM_MOVE = 0x03,
    XWM_SIZE = 0x05,
    XWM_ACTIVATE = 0x06,
    XWM_SETFOCUS = 0x07,
    XWM_KILLFOCUS = 0x08,
    XWM_ENABLE = 0x0A,
    XWM_PAINT = 0x0F,
    XWM_CLOSE = 0x10,
    XWM_QUERYENDSESSION = 0x11,
    XWM_ERASEBKGND = 0x14,
    XWM_SYSCOLORCHANGE = 0x15,
    XWM_ENDSESSION = 0x16,
    XWM_ACTIVATEAPP = 0x1C,
    XWM_TIMECHANGE = 0x1E,
    XWM_SETCURSOR = 0x20,
    XWM_MOUSEACTIVATE = 0x21,
    XWM_CHILDACTIVATE = 0x22,
    XWM_GETMINMAXINFO = 0x24,
    XWM_WINDOWPOSCHANGING = 0x46,
    XWM_WINDOWPOSCHANGED = 0x47,
    XWM_HELP = 0x53,
    XWM_CONTEXTMENU = 0x7B,
    XWM_DISPLAYCHANGE = 0x7E,
    XWM_NCDESTROY = 0x82,
    XWM_NCHITTEST = 0x84,
    XWM_NCACTIVATE = 0x86,
    XWM_GETDLGCODE = 0x87,
    XWM_NCMOUSEMOVE = 0xA0,
    XWM_NCLBUTTONDOWN = 0xA1,
    XWM_NCLBUTTONUP = 0xA2,
    XWM_NCLBUTTONDBLCLK = 0xA3,
    XWM_NCRBUTTONUP = 0xA5,
    XWM_NCRBUTTONDBLCLK = 0xA6,
    XWM_KEYDOWN = 0x100,
    XWM_KEYUP = 0x101,
    XWM_CHAR = 0x102,
    XWM_DEADCHAR = 0x103,
    XWM_SYSCOMMAND = 0x112,
    XWM_TIMER = 0x113,
    XWM_HSCROLL = 0x114,
    XWM_VSCROLL = 0x115,
    XWM_INITMENU = 0x116,
    XWM_INITMENUPOPUP = 0x117,
    XWM_MOUSEMOVE = 0x200,
    XWM_LBUTTONDOWN = 0x201,
    XWM_LBUTTONUP = 0x202,
    XWM_LBUTTONDBLCLK = 0x203,
    XWM_RBUTTONDOWN = 0x204,
    XWM_RBUTTONUP = 0x205,
    XWM_MOUSEWHEEL = 0x20A,
    XWM_ENTERMENULOOP = 0x211,
    XWM_EXITMENULOOP = 0x212,
    XWM_MDIDESTROY = 0x221,
    XWM_MDIACTIVATE = 0x222,
    XWM_DROPFILES = 0x233,
    XWM_HOTKEY = 0x312
};

// Default-processing flags of a message.
enum : unsigned {
    XMF_DEFAULTIFDECLINED = 1, // an even handler value runs the default processing, whose value
                               // becomes the result
    XMF_RESULTUNCHANGED = 2    // the handler's value is the result, whatever its lowest bit
};

// One message: its argument list and its default-processing flags.
struct XMSGROW {
    unsigned iMsg;
    XR iRow;
    unsigned iFlags;
};

// The table, by ascending message number. A message missing here takes the general form with
// no flags.
inline constexpr XMSGROW XMSGROWS[] = {
    {XWM_DESTROY, XR_NOARGS, 0},
    {XWM_MOVE, XR_MOVE, 0},
    {XWM_SIZE, XR_SIZE, 0},
    {XWM_ACTIVATE, XR_ACTIVATE, XMF_DEFAULTIFDECLINED},
    {XWM_SETFOCUS, XR_SETFOCUS, 0},
    {XWM_KILLFOCUS, XR_KILLFOCUS, 0},
    {XWM_ENABLE, XR_FLAG, 0},
    {XWM_PAINT, XR_PAINT, 0},
    {XWM_CLOSE, XR_NOARGS, XMF_DEFAULTIFDECLINED},
    {XWM_QUERYENDSESSION, XR_LOGOFF, XMF_RESULTUNCHANGED},
    {XWM_ERASEBKGND, XR_ERASEBKGND, XMF_DEFAULTIFDECLINED},
    {XWM_SYSCOLORCHANGE, XR_NOARGS, 0},
    {XWM_ENDSESSION, XR_FLAG, 0},
    {XWM_ACTIVATEAPP, XR_FLAG, 0},
    {XWM_TIMECHANGE, XR_NOARGS, 0},
    {XWM_SETCURSOR, XR_SETCURSOR, 0},
    {XWM_MOUSEACTIVATE, XR_MOUSEACTIVATE, 0},
    {XWM_CHILDACTIVATE, XR_NOARGS, 0},
    {XWM_GETMINMAXINFO, XR_MINMAXINFO, 0},
    {XWM_WINDOWPOSCHANGING, XR_WINDOWPOS, 0},
    {XWM_WINDOWPOSCHANGED, XR_WINDOWPOS, 0},
    {XWM_HELP, XR_HELP, 0},
    {XWM_CONTEXTMENU, XR_CONTEXTMENU, XMF_DEFAULTIFDECLINED},
    {XWM_DISPLAYCHANGE, XR_DISPLAYCHANGE, 0},
    {XWM_NCDESTROY, XR_NOARGS, 0},
    {XWM_NCHITTEST, XR_NCHITTEST, XMF_RESULTUNCHANGED},
    {XWM_NCACTIVATE, XR_FLAG, XMF_RESULTUNCHANGED},
    {XWM_GETDLGCODE, XR_GENERAL, XMF_RESULTUNCHANGED},
    {XWM_NCMOUSEMOVE, XR_NCMOUSE, 0},
    {XWM_NCLBUTTONDOWN, XR_NCMOUSE, 0},
    {XWM_NCLBUTTONUP, XR_NCMOUSE, 0},
    {XWM_NCLBUTTONDBLCLK, XR_NCMOUSE, 0},
    {XWM_NCRBUTTONUP, XR_NCMOUSE, 0},
    {XWM_NCRBUTTONDBLCLK, XR_NCMOUSE, 0},
    {XWM_KEYDOWN, XR_KEY, 0},
    {XWM_KEYUP, XR_KEY, 0},
    {XWM_CHAR, XR_CHAR, XMF_DEFAULTIFDECLINED},
    {XWM_DEADCHAR, XR_CHAR, XMF_DEFAULTIFDECLINED},
    {XWM_SYSCOMMAND, XR_SYSCOMMAND, 0},
    {XWM_TIMER, XR_TIMER, 0},
    {XWM_HSCROLL, XR_SCROLL, 0},
    {XWM_VSCROLL, XR_SCROLL, 0},
    {XWM_INITMENU, XR_INITMENU, 0},
    {XWM_INITMENUPOPUP, XR_INITMENUPOPUP, 0},
    {XWM_MOUSEMOVE, XR_MOUSE, 0},
    {XWM_LBUTTONDOWN, XR_MOUSE, 0},
    {XWM_LBUTTONUP, XR_MOUSE, 0},
    {XWM_LBUTTONDBLCLK, XR_MOUSE, 0},
    {XWM_RBUTTONDOWN, XR_MOUSE, 0},
    {XWM_RBUTTONUP, XR_MOUSE, 0},
    {XWM_MOUSEWHEEL, XR_MOUSEWHEEL, 0},
    {XWM_ENTERMENULOOP, XR_FLAG, 0},
    {XWM_EXITMENULOOP, XR_FLAG, 0},
    {XWM_MDIDESTROY, XR_MDIDESTROY, 0},
    {XWM_MDIACTIVATE, XR_MDIACTIVATE, 0},
    {XWM_DROPFILES, XR_DROPFILES, 0},
    {XWM_HOTKEY, XR_HOTKEY, 0},
};
inline constexpr std::size_t XMSGROWCOUNT = sizeof XMSGROWS / sizeof XMSGROWS[0];

// The argument list of a message number known when compiling.
constexpr XR XROWID(unsigned iMsg) {
    for (const XMSGROW& r : XMSGROWS)
        if (r.iMsg == iMsg) return r.iRow;
    return XR_GENERAL;
}
template <unsigned Msg> using XROWOF = XROW<XROWID(Msg)>;

// Every argument list has its row (an XR without an XROW is an incomplete type here), and the
// table is sorted with each message once.
template <std::size_t... I> constexpr bool XROWSTYPED(std::index_sequence<I...>) {
    return ((sizeof(XROW<static_cast<XR>(I)>) > 0 &&
             std::is_function_v<typename XROW<static_cast<XR>(I)>::handler>)&&...);
}
static_assert(XROWSTYPED(std::make_index_sequence<XR_COUNT>{}),
              "every argument list needs its row");
constexpr bool XMSGROWSSORTED() {
    for (std::size_t i = 1; i < XMSGROWCOUNT; ++i)
        if (XMSGROWS[i - 1].iMsg >= XMSGROWS[i].iMsg) return false;
    return true;
}
static_assert(XMSGROWSSORTED(), "the message table is sorted and has each message once");

// Every decoded message lies below WM_USER, so a message number indexes the table's entries
// directly: the window procedure looks a row up on every message. 0: no entry; else its index
// in XMSGROWS plus 1.
inline constexpr unsigned XROWINDEXED = 0x400;
extern const std::array<unsigned char, XROWINDEXED> XROWINDEX;
extern const XMSGROW XGENERALROW;

// The row of a message number arriving at run time: its entry, or the general form's.
inline const XMSGROW& FXMSGROW(unsigned iMsg) {
    if (iMsg >= XROWINDEXED || XROWINDEX[iMsg] == 0) return XGENERALROW;
    return XMSGROWS[XROWINDEX[iMsg] - 1];
}
inline unsigned FXMSGFLAGS(unsigned iMsg) {
    return FXMSGROW(iMsg).iFlags;
}
