// ZEBWND: window objects, the window registry, the one window procedure, the handler and
// command tables, the dispatch of messages to typed handlers, and the window services.
//
//   Window objects   XCREATEWINDOW XDESTROYWINDOW XFREEWINDOW XBINDWINDOW XUNBINDWINDOW
//                    XGETWINDOW FXWNDBYHANDLE FXOWNWINDOW XGETMDI XISWINDOW PXDEFXINIT
//   Window procedure fxwindowproc PXDEFPROC pxsyscolorproc
//   Exceptions       FXGUARD FXKEEPEXCEPTION FXPENDING FXRETHROW
//   Tables           XSETHANDLER FXSETHANDLER XSETCOMMAND FXGETHANDLER FXGETCOMMAND
//   Dispatch         FXCALLHANDLER FXCALLCOMMAND XHANDLER_T XH_* (argument lists, from the
//                    message table of ZEBWNDcore) XPROCOF XSIGOF XISTRUE
//   Scroll bars      XSCROLLBARGET XSCROLLBARSET
//   Canvas           XSETCANVAS XGETCANVAS PXUPDATESCROLL
//   Window data      XSETWINDOWDATA XGETWINDOWDATA XFREEWINDOWDATA
//   Geometry         XSETWINDOWPOS FXSWPARGS XMOVEWINDOW XSIZEWINDOW XSHOWWINDOW XENABLEWINDOW
//                    XGETWINDOWPOS XGETWINDOWRECT XGETCLIENTRECT XBEGINMOVEWINDOWS
//                    XENDMOVEWINDOWS PXSCREEN2CLIENT PXCLIENT2SCREEN
//   Title, icon      XSETWINDOWTITLE XSETWINDOWICON
//   Messages         XSENDMESSAGE XPOSTMESSAGE
//   Cursor, styles   XSETCURSOR XSTDCURSOR XSETWINDOWSTYLE XGETWINDOWSTYLE FXISCONTROLPARENT
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "ZEBTable.h"
#include "ZEBWNDcore.h"

// The message table speaks the platform's own word types.
static_assert(std::is_same_v<XWPARAM, WPARAM> && std::is_same_v<XLPARAM, LPARAM> &&
                  std::is_same_v<XRESULT, LRESULT> && std::is_same_v<XINTPTR, INT_PTR> &&
                  std::is_same_v<tagPOINT, POINT>,
              "the message table's words are the platform's");

// Private window messages.
constexpr UINT XM_ENDDIALOG = WM_APP + 1;     // wParam: dialog result, lParam: dialog handle
constexpr UINT XM_CREATECONTROL = WM_APP + 2; // wParam: XCREATEBLOCK*, lParam: identifier

// Software exceptions for programming errors of the application.
constexpr DWORD XEXC_WNDMISMATCH = 0xE00000E1; // "XWND" names an object of another window
constexpr DWORD XEXC_ARGLIST = 0xE00000E3;     // routine registered with the wrong argument list

// Logical values: true is all bits set; tests look at the lowest bit only.
constexpr LRESULT XTRUE = -1;
constexpr LRESULT XFALSE = 0;
inline bool XISTRUE(LRESULT v) {
    return (v & 1) != 0;
}

// Kinds of default processing, kept in lpfnOldProc (any other value: the subclassed procedure).
constexpr LONG_PTR XOLD_NONE = -2;   // no window attached: DefWindowProcA
constexpr LONG_PTR XOLD_DIALOG = -1; // dialog run by the framework: the dialog manager's own
constexpr LONG_PTR XOLD_CLASS =
    0; // framework class: DefWindowProcA / DefMDIChildProcA / DefFrameProcA

constexpr int XWF_BUFFERED = 0x40000000; // iFlags, and the private extended-style bit that sets it
constexpr int XCW_DEFAULT = static_cast<int>(0x80000000u);
constexpr int XQ_ISWINDOW = -5, XQ_HASOBJECT = -4, XQ_ISCHILD = -3, XQ_ZOOMED = -2, XQ_ICONIC = -1;

inline const HCURSOR XNOCURSOR = reinterpret_cast<HCURSOR>(static_cast<INT_PTR>(-1));

struct XWND;

// A routine kept in a table, with a tag for the argument list it was made for. The tag is the
// address of a variable unique to the routine's type, so comparing tags compares signatures.
using XPROC = void (*)();
struct XPROCREF {
    XPROC pfn;
    const void* sig;
};
template <class F> inline constexpr char xsig_tag = 0;
template <class F> constexpr const void* XSIGOF() {
    return &xsig_tag<F>;
}
template <class F> XPROCREF XPROCOF(F* fn) {
    return {reinterpret_cast<XPROC>(fn), XSIGOF<F>()};
}

// Handlers get the window object, then the message's decoded arguments, and return their
// result: odd means handled. Reference arguments are in/out: what the handler writes there
// is what the default processing and the system see. Each message's argument list is its row
// in the message table (ZEBWNDcore); a message without a row takes the general form.
using XGENERALHANDLER = XROW<XR_GENERAL>::handler;
// Command procedures: the window object, the command or control identifier, the notification.
using XCOMMANDPROC = void(XWND& xWnd, int iID, int iCode);

// The handler type a message prescribes: its row's, so a message cannot have a handler type
// without a row.
template <UINT Msg> struct XHANDLER_T { using type = typename XROWOF<Msg>::handler; };

// The argument lists by name (the messages of each are in the table).
using XH_NOARGS = XROW<XR_NOARGS>::handler;
using XH_MOVE = XROW<XR_MOVE>::handler;
using XH_SIZE = XROW<XR_SIZE>::handler;
using XH_ACTIVATE = XROW<XR_ACTIVATE>::handler;
using XH_FOCUS = XROW<XR_KILLFOCUS>::handler;
using XH_FLAG = XROW<XR_FLAG>::handler;
using XH_PAINT = XROW<XR_PAINT>::handler;
using XH_ERASEBKGND = XROW<XR_ERASEBKGND>::handler;
using XH_SETCURSOR = XROW<XR_SETCURSOR>::handler;
using XH_MOUSEACTIVATE = XROW<XR_MOUSEACTIVATE>::handler;
using XH_MINMAXINFO = XROW<XR_MINMAXINFO>::handler;
using XH_WINDOWPOS = XROW<XR_WINDOWPOS>::handler;
using XH_HELP = XROW<XR_HELP>::handler;
using XH_POINT = XROW<XR_CONTEXTMENU>::handler;
using XH_DISPLAYCHANGE = XROW<XR_DISPLAYCHANGE>::handler;
using XH_NCHITTEST = XROW<XR_NCHITTEST>::handler;
using XH_NCMOUSE = XROW<XR_NCMOUSE>::handler;
using XH_KEY = XROW<XR_KEY>::handler;
using XH_CHAR = XROW<XR_CHAR>::handler;
using XH_SYSCOMMAND = XROW<XR_SYSCOMMAND>::handler;
using XH_TIMER = XROW<XR_TIMER>::handler;
// bar: the scroll-bar control's handle, or SB_HORZ / SB_VERT for the window's own bars.
using XH_SCROLL = XROW<XR_SCROLL>::handler;
using XH_INITMENU = XROW<XR_INITMENU>::handler;
using XH_INITMENUPOPUP = XROW<XR_INITMENUPOPUP>::handler;
using XH_MOUSE = XROW<XR_MOUSE>::handler;
using XH_MOUSEWHEEL = XROW<XR_MOUSEWHEEL>::handler;
// WM_MDIACTIVATE at the MDI client: the window being activated, then the desktop's scratch
// object; at any other window: the window being deactivated.
using XH_WINDOW = XROW<XR_MDIDESTROY>::handler;
// One blank-padded text of 260 characters per dropped file.
using XH_DROPFILES = XROW<XR_DROPFILES>::handler;
using XH_HOTKEY = XROW<XR_HOTKEY>::handler;

// Control record: one per control in a window's control list (the routines are ZEBCtrl's).
struct XCTLREC {
    HWND hCtl;
    int iClass;
    int iStyle;
    HWND hParent;
    XPROCREF pfnCallback[4];
    HBRUSH hBrush; // XNOBRUSH: none
    int crText;    // -1: the system's colour
    HFONT hFont;   // 0: none
};
inline const HBRUSH XNOBRUSH = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(-1));

// The window object.
struct XWND {
    HWND hWnd = nullptr;
    int nHandlers = 0;
    int nControls = 0;
    int nCommands = 0;
    int reserved = 0;
    int iID = 0;
    LONG_PTR lpfnOldProc = XOLD_NONE;
    HCURSOR hCursor = XNOCURSOR;
    int iFlags = 0;
    XArray<int, 1> iMsg;
    XArray<XPROCREF, 1> pfnHandler;
    XArray<int, 1> iCmdID;
    XArray<XPROCREF, 1> pfnCommand;
    XArray<XCTLREC, 0> xCtl;
    int iCanvasWidth = 0;
    int iCanvasHeight = 0;
};

// Menu object: its menu handle, and the window whose bar shows it.
struct XMENU {
    HMENU hMenu = nullptr;
    HWND hOwner = nullptr;
};

bool XCREATEWINDOW(XWND& xWnd, const XWND& xParent, int iStyle,
                   std::optional<std::string_view> sTitle = std::nullopt,
                   std::optional<int> iExStyle = std::nullopt, std::optional<int> iX = std::nullopt,
                   std::optional<int> iY = std::nullopt, std::optional<int> iWidth = std::nullopt,
                   std::optional<int> iHeight = std::nullopt, XMENU* xMenu = nullptr,
                   std::optional<std::string_view> sClass = std::nullopt,
                   std::optional<int> iID = std::nullopt,
                   std::optional<LPARAM> lParam = std::nullopt);
BOOL XDESTROYWINDOW(XWND& xWnd);
void XFREEWINDOW(XWND& xWnd);
bool XBINDWINDOW(HWND hWnd, XWND*& pxWnd);
bool XUNBINDWINDOW(XWND*& pxWnd);
XWND* XGETWINDOW(std::optional<HWND> hWnd = std::nullopt);
XWND* FXWNDBYHANDLE(HWND hWnd);
// True when the window belongs to this process: the framework's properties on other windows
// hold addresses in other processes.
bool FXOWNWINDOW(HWND hWnd);
XWND* XGETMDI();
bool XISWINDOW(const XWND& xWnd, int iQuery, const XWND* xOther = nullptr);
bool PXDEFXINIT();

// C++ exceptions never unwind through the system's frames. Every routine the framework hands
// the system runs its body through FXGUARD: an exception is caught and kept (the first one,
// while none is pending) and the system gets rDeclined, a declining answer. The loop that
// dispatched the message, and framework calls that send messages on the application's behalf,
// rethrow it with FXRETHROW once the system has returned. The software exceptions 0xE00000E1
// and 0xE00000E3 are not C++ exceptions and pass untouched.
void FXKEEPEXCEPTION() noexcept; // inside a catch block
bool FXPENDING() noexcept;
void FXRETHROW();
template <class R, class F> R FXGUARD(R rDeclined, F&& fnBody) noexcept {
    try {
        return fnBody();
    } catch (...) {
        FXKEEPEXCEPTION();
        return rDeclined;
    }
}

// The window procedure; an exception from a handler answers the message 0.
LRESULT CALLBACK fxwindowproc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
LRESULT PXDEFPROC(XWND* pxWnd, HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
BOOL CALLBACK pxsyscolorproc(HWND hChild, LPARAM lParam);

// Tables. The template forms record the routine's argument list: with the message number as a
// template argument a wrong list does not compile; with a run-time number it is checked when the
// message arrives.
bool FXSETHANDLER(XWND& xWnd, int iMsg, XPROCREF proc);
bool FXGETHANDLER(int iMsg, const XWND& xWnd, int& iIndex);
bool FXGETCOMMAND(const XWND& xWnd, int iID, int& iIndex);
bool XSETCOMMAND(XWND& xWnd, int iID, XCOMMANDPROC* pfnCommand);

template <UINT Msg, class F> bool XSETHANDLER(XWND& xWnd, F* pfnHandler) {
    static_assert(std::is_same_v<F, typename XHANDLER_T<Msg>::type>,
                  "handler argument list does not match the message");
    return FXSETHANDLER(xWnd, static_cast<int>(Msg), XPROCOF(pfnHandler));
}
template <class F> bool XSETHANDLER(XWND& xWnd, int iMsg, F* pfnHandler) {
    static_assert(std::is_function_v<F>, "a handler is a routine");
    return FXSETHANDLER(xWnd, iMsg, XPROCOF(pfnHandler));
}

// Calls the handler with the arguments of the message's row. iMsg, wParam and lParam are
// in/out: what a handler changes, the default processing sees. Rows flagged so (WM_ACTIVATE,
// WM_CLOSE, WM_ERASEBKGND, WM_CONTEXTMENU, WM_CHAR, WM_DEADCHAR) run the default processing
// here when the handler declines; pbDefaultRan tells the caller that it did.
LRESULT FXCALLHANDLER(const XPROCREF& proc, XWND& xWnd, UINT& iMsg, WPARAM& wParam, LPARAM& lParam,
                      bool* pbDefaultRan = nullptr);
void FXCALLCOMMAND(XWND& xWnd, const XPROCREF& proc, int iID, int iCode);

BOOL XSCROLLBARGET(const XWND& xWnd, int iBar, int* iPos = nullptr, int* iMin = nullptr,
                   int* iMax = nullptr, int* iPage = nullptr);
int XSCROLLBARSET(const XWND& xWnd, int iBar, std::optional<int> iPos = std::nullopt,
                  std::optional<int> iMin = std::nullopt, std::optional<int> iMax = std::nullopt,
                  std::optional<int> iPage = std::nullopt,
                  std::optional<bool> bRedraw = std::nullopt);

// Canvas: a drawing area larger than the client area, scrolled by the window's own bars.
bool XSETCANVAS(XWND& xWnd, int iWidth, int iHeight, std::optional<int> iXPos = std::nullopt,
                std::optional<int> iYPos = std::nullopt);
bool XGETCANVAS(const XWND& xWnd, int& iWidth, int& iHeight, int* iXPos = nullptr,
                int* iYPos = nullptr);
void PXUPDATESCROLL(const XWND& xWnd, std::optional<int> iXPos = std::nullopt,
                    std::optional<int> iYPos = std::nullopt);

// Window data: the address of an application item kept in a window property ("XDATA" unless
// named); the framework neither copies nor owns the item.
BOOL XSETWINDOWDATA(const XWND& xWnd, void* pData,
                    std::optional<std::string_view> sName = std::nullopt);
bool XGETWINDOWDATA(const XWND& xWnd, void*& pData,
                    std::optional<std::string_view> sName = std::nullopt);
HANDLE XFREEWINDOWDATA(const XWND& xWnd, std::optional<std::string_view> sName = std::nullopt);

// Position and visibility; between XBEGINMOVEWINDOWS and XENDMOVEWINDOWS they are collected
// and applied together.
bool XSETWINDOWPOS(const XWND& xWnd, std::optional<int> iX = std::nullopt,
                   std::optional<int> iY = std::nullopt, std::optional<int> iWidth = std::nullopt,
                   std::optional<int> iHeight = std::nullopt,
                   std::optional<int> nCmdShow = std::nullopt,
                   std::optional<HWND> hInsertAfter = std::nullopt);
// SetWindowPos arguments from optional place and size: an absent pair keeps the window's
// (SWP_NOMOVE, SWP_NOSIZE, with 0s), bZOrder false keeps its place in the Z-order.
struct XSWPARGS {
    int x, y, cx, cy;
    UINT iFlags;
};
XSWPARGS FXSWPARGS(std::optional<int> x, std::optional<int> y, std::optional<int> cx,
                   std::optional<int> cy, bool bZOrder);
bool XMOVEWINDOW(const XWND& xWnd, int iX, int iY);
bool XSIZEWINDOW(const XWND& xWnd, int iWidth, int iHeight);
bool XSHOWWINDOW(const XWND& xWnd, int nCmdShow);
bool XENABLEWINDOW(const XWND& xWnd, bool bEnable);
bool XGETWINDOWPOS(const XWND& xWnd, int& iX, int& iY, int* iWidth = nullptr,
                   int* iHeight = nullptr, int* iShowCmd = nullptr,
                   std::optional<bool> bClient = std::nullopt);
bool XGETWINDOWRECT(const XWND& xWnd, int& iX, int& iY, int* iWidth = nullptr,
                    int* iHeight = nullptr, std::optional<bool> bClient = std::nullopt);
bool XGETCLIENTRECT(const XWND& xWnd, int& iWidth, int& iHeight);
bool XBEGINMOVEWINDOWS(std::optional<int> nWindows = std::nullopt);
bool XENDMOVEWINDOWS();

// Loads icon iIcon at 16 x 16 and at the default size for the window; the icons it replaces
// are destroyed when the framework loaded them, and the window's last ones with the window.
bool XSETWINDOWICON(const XWND& xWnd, int iIcon, std::optional<HINSTANCE> hInstance = std::nullopt);
// The icons XSETWINDOWICON loaded that the window still shows (0 where it shows none of them);
// FXRELEASEICONS destroys them.
struct XICONS {
    HICON hSmall = nullptr, hBig = nullptr;
};
XICONS FXICONS(HWND hWnd);
void FXRELEASEICONS(HWND hWnd);
bool XSETWINDOWTITLE(const XWND& xWnd, std::string_view sTitle);
LRESULT XSENDMESSAGE(const XWND& xWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
BOOL XPOSTMESSAGE(const XWND& xWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);

// Cursor over the client area, applied at the next WM_SETCURSOR; both return the previous one.
HCURSOR XSETCURSOR(XWND& xWnd, std::optional<HCURSOR> hCursor = std::nullopt);
HCURSOR XSTDCURSOR(XWND& xWnd, std::optional<int> iCursor = std::nullopt);

// iWhich: 0 window style, 1 extended style, 2 class style; iMode: 0 add, 1 replace, 2 remove.
constexpr int XSTYLE_WINDOW = 0, XSTYLE_EX = 1, XSTYLE_CLASS = 2;
constexpr int XSTYLE_ADD = 0, XSTYLE_REPLACE = 1, XSTYLE_REMOVE = 2;
int XSETWINDOWSTYLE(XWND& xWnd, int iStyle, std::optional<int> iWhich = std::nullopt,
                    std::optional<int> iMode = std::nullopt);
int XGETWINDOWSTYLE(const XWND& xWnd, std::optional<int> iWhich = std::nullopt);
// Whether a window has WS_EX_CONTROLPARENT (dialog keys and notifications go through it).
bool FXISCONTROLPARENT(HWND hWnd);

// Point conversions between screen and client coordinates, as separate integers or a point.
bool PXSCREEN2CLIENT(const XWND& xWnd, int x, int y, int& xOut, int& yOut);
bool PXSCREEN2CLIENT(const XWND& xWnd, POINT pt, POINT& ptOut);
bool PXCLIENT2SCREEN(const XWND& xWnd, int x, int y, int& xOut, int& yOut);
bool PXCLIENT2SCREEN(const XWND& xWnd, POINT pt, POINT& ptOut);
