// ZEBWND: window objects, the window registry, the one window procedure and the
// handler and command tables.
//
//   Window objects   XCREATEWINDOW XDESTROYWINDOW XFREEWINDOW XBINDWINDOW XUNBINDWINDOW
//                    XGETWINDOW FXWNDBYHANDLE XGETMDI XISWINDOW PXDEFXINIT
//   Window procedure fxwindowproc PXDEFPROC pxsyscolorproc
//   Tables           XSETHANDLER XSETCOMMAND FXGETHANDLER FXGETCOMMAND
//   Dispatch         FXCALLHANDLER FXCALLCOMMAND
//   Window services  XSCROLLBARGET XSCROLLBARSET
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>
#include <type_traits>

#include "ZEBTable.h"

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
// result: odd means handled. Messages without a decoding of their own take the general form.
using XGENERALHANDLER = LRESULT(XWND& xWnd, int& iMsg, WPARAM& wParam, LPARAM& lParam);
// Command procedures: the window object, the command or control identifier, the notification.
using XCOMMANDPROC = void(XWND& xWnd, int iID, int iCode);

// The handler type a message prescribes.
template <UINT Msg> struct XHANDLER_T { using type = XGENERALHANDLER; };
const void* FXHANDLERSIG(UINT iMsg);

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
XWND* XGETMDI();
bool XISWINDOW(const XWND& xWnd, int iQuery, const XWND* xOther = nullptr);
bool PXDEFXINIT();

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

// iMsg, wParam and lParam are in/out: what a handler changes, the default processing sees.
LRESULT FXCALLHANDLER(const XPROCREF& proc, XWND& xWnd, UINT& iMsg, WPARAM& wParam, LPARAM& lParam);
void FXCALLCOMMAND(XWND& xWnd, const XPROCREF& proc, int iID, int iCode);

BOOL XSCROLLBARGET(const XWND& xWnd, int iBar, int* iPos = nullptr, int* iMin = nullptr,
                   int* iMax = nullptr, int* iPage = nullptr);
int XSCROLLBARSET(const XWND& xWnd, int iBar, std::optional<int> iPos = std::nullopt,
                  std::optional<int> iMin = std::nullopt, std::optional<int> iMax = std::nullopt,
                  std::optional<int> iPage = std::nullopt,
                  std::optional<bool> bRedraw = std::nullopt);
