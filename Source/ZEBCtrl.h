// ZEBCtrl: child controls addressed by (window object, identifier).
//
//   Creation     XCTLCREATE XCREATEBLOCK FXCLASSNAME
//   Records      FXCTLBYHANDLE FXASSOCCTLTOHANDLE FXINITCTLREC FXRESOLVECLASSNAME
//                FXCTLHASRECORD FXCTLCOLOURS FXCTLRELEASE
//   Values       XCTLSETCHAR XCTLGETCHAR XCTLSETINT XCTLGETINT XCTLSETLOG XCTLGETLOG
//                XCTLSETARRAY XCTLGETARRAY XITEM XCTLSETITEM XCTLGETITEM
//   Callbacks    XCTLSETSUB FXCTLSETSUB FXCTLREPORT FXCTLCALLBACK PXENDDIALOG
//   Binding      FXBINDWINDOWCONTROLS pxcountdlgcontrols pxenumdlgcontrols
//   Placement    XBEGINCTLMOVE XCTLMOVE XENDCTLMOVE XCTLGETPOS XCTLSENDMESSAGE
//   Lifecycle    XCTLDESTROY XCTLDESTROYALL pxdestroydlgcontrols FXDEFTABCALLBACK PXCTLGETEDIT
//
// Addressing: the target of (xWnd, ID) is the child of xWnd's window with that identifier, or
// xWnd's own window when no child has it and ID is xWnd.iID. Class, option, property and event
// codes are in ZEBCtrlcore.h. Item numbers, selections and tabs count from 1; edit character
// positions from 0. Images and icons travel as handles, through the handle overloads of
// XCTLSETINT and XCTLGETINT, never squeezed into an int.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "ZEBCtrlcore.h"
#include "ZEBWND.h"

// Asks the parent's window procedure to create a control (word parameter of XM_CREATECONTROL).
struct XCREATEBLOCK {
    int iStyle;
    int iClass; // 1 to 17
    int x, y, nWidth, nHeight;
    int iExStyle;
};

// Control callbacks. Most get the command-procedure argument list (XCOMMANDPROC: window, control
// identifier, event code). Owner drawing gets a drawing context over the item's rectangle (the
// context is the routing's: a font set on it is deleted afterwards); a virtual list view's
// display request gets the notification's item record to fill in.
using XOWNERDRAWPROC = void(XWND& xWnd, int iID, XDC& dc);
using XDISPINFOPROC = void(XWND& xWnd, int iID, LVITEMA& xItem);

const char* FXCLASSNAME(int iClass); // system class of a class code, or nullptr
XCTLREC* FXCTLBYHANDLE(HWND hCtl);
void FXASSOCCTLTOHANDLE(HWND hCtl, XCTLREC& xControl);
// A fresh record: no callbacks, no brush (-1), the system's text colour (-1), no font.
void FXINITCTLREC(XCTLREC& c, HWND hCtl, int iClass, int iStyle, HWND hParent);
int FXRESOLVECLASSNAME(HWND hCtl);

// Creates a control of class 1 to 17 and returns its identifier, 0 when nothing was created.
// An identifier that a child of the window already uses is not given twice: the control gets the
// first free one above it (below 32768), and that is returned.
int XCTLCREATE(XWND& xWnd, int ID, int iClass, int iOptions, std::optional<int> x = std::nullopt,
               std::optional<int> y = std::nullopt, std::optional<int> nWidth = std::nullopt,
               std::optional<int> nHeight = std::nullopt,
               std::optional<int> iExStyle = std::nullopt,
               std::optional<int> iSysStyle = std::nullopt);

// Texts are blank-padded: sText.size() is the declared length; a get fills sText to that length.
bool XCTLSETCHAR(XWND& xWnd, int ID, std::string_view sText,
                 std::optional<int> iProperty = std::nullopt);
bool XCTLGETCHAR(XWND& xWnd, int ID, std::string& sText,
                 std::optional<int> iProperty = std::nullopt);

bool XCTLSETINT(XWND& xWnd, int ID, int iValue, std::optional<int> iProperty = std::nullopt);
// An image is a handle: an integer for a bitmap or icon is a mistake caught at compile time.
bool XCTLSETINT(XWND& xWnd, int ID, int iValue, XIMAGEPROP iProperty) = delete;
bool XCTLGETINT(XWND& xWnd, int ID, int& iValue, XIMAGEPROP iProperty,
                int* iStart = nullptr) = delete;
// Bitmaps (-11) and icons (-25) of statics, buttons, list views and dialogs; icon of status-bar
// part k.
bool XCTLSETINT(XWND& xWnd, int ID, HANDLE hImage, std::optional<int> iProperty = std::nullopt);
// iStart (in and out) walks a list view's selected rows (property -12).
bool XCTLGETINT(XWND& xWnd, int ID, int& iValue, std::optional<int> iProperty = std::nullopt,
                int* iStart = nullptr);
bool XCTLGETINT(XWND& xWnd, int ID, HANDLE& hImage, std::optional<int> iProperty = std::nullopt);
template <class H, class = std::enable_if_t<std::is_class_v<H>>>
bool XCTLGETINT(XWND& xWnd, int ID, H*& hImage, std::optional<int> iProperty = std::nullopt) {
    HANDLE h = hImage;
    if (!XCTLGETINT(xWnd, ID, h, iProperty)) return false;
    hImage = static_cast<H*>(h);
    return true;
}

bool XCTLSETLOG(XWND& xWnd, int ID, bool bValue, std::optional<int> iProperty = std::nullopt);
bool XCTLGETLOG(XWND& xWnd, int ID, bool& bValue, std::optional<int> iProperty = std::nullopt);

// Element i of the interface's 1-based array is iArray[i - 1]. XCTLGETARRAY wants an empty
// array and fills it; it refuses one that holds values.
bool XCTLSETARRAY(XWND& xWnd, int ID, const std::vector<int>& iArray,
                  std::optional<int> iProperty = std::nullopt);
bool XCTLGETARRAY(XWND& xWnd, int ID, std::vector<int>& iArray,
                  std::optional<int> iProperty = std::nullopt);

// An application record handed to a list view's row transfer.
struct XITEMREF {
    void* pData;
};
template <class T> XITEMREF XITEM(T& xVar) {
    return {static_cast<void*>(&xVar)};
}
bool XCTLSETITEM(XWND& xWnd, int ID, const XITEMREF& xItem, int iRow);
bool XCTLGETITEM(XWND& xWnd, int ID, const XITEMREF& xItem, int iRow);

// Stores a callback in the slot its event selects (PXGETCALLBACKINDEX) with the tag of its
// argument list; a routine of the wrong kind for its slot raises 0xE00000E3 when the
// notification comes, instead of being called.
bool FXCTLSETSUB(XWND& xWnd, int ID, XPROCREF pfnCallback, std::optional<int> iEvent);
template <class F>
bool XCTLSETSUB(XWND& xWnd, int ID, F* pfnCallback, std::optional<int> iEvent = std::nullopt) {
    static_assert(std::is_same_v<F, XCOMMANDPROC> || std::is_same_v<F, XOWNERDRAWPROC> ||
                      std::is_same_v<F, XDISPINFOPROC>,
                  "a control callback is an XCOMMANDPROC, XOWNERDRAWPROC or XDISPINFOPROC");
    return FXCTLSETSUB(xWnd, ID, XPROCOF(pfnCallback), iEvent);
}

// What a control's report came to: it has no record, its record declined, or a routine in one
// of its slots ran.
enum class XREPORT { NORECORD, DECLINED, CALLED };
// The window procedure's one way to the routing: finds hCtl's record and routes the report. The
// callback may destroy or unbind the window, or move the control list: callers find their
// object again from its handle before they read it.
XREPORT FXCTLREPORT(XWND& xWnd, HWND hCtl, int iID, LPARAM iCode, NMHDR* pxNotify = nullptr);
bool FXCTLHASRECORD(HWND hCtl);
// A control's background brush and text colour (-1 each when not set), and with a brush its
// colour; false without a record.
bool FXCTLCOLOURS(HWND hCtl, HBRUSH& hBrush, int& crText, COLORREF& crBrush);
// Releases a window object's control list with every link into it, and the window's own.
void FXCTLRELEASE(XWND& xWnd);

// Routes a control's report to its callback slots; true when a slot's routine ran. iCode is a
// notification code, a message number, or the address of an owner-draw record; pxNotify is the
// WM_NOTIFY header when the report came that way (list views read their item from it, and a
// display-data callback fills it in).
bool FXCTLCALLBACK(XWND& xWnd, XCTLREC& xCtl, int iID, LPARAM iCode, NMHDR* pxNotify = nullptr);

void FXBINDWINDOWCONTROLS(XWND& xWnd);
BOOL CALLBACK pxcountdlgcontrols(HWND hChild, LPARAM pnCount);
BOOL CALLBACK pxenumdlgcontrols(HWND hChild, LPARAM pxWnd);
void PXENDDIALOG(XWND& xWnd, int iID, int iCode);

// One move batch per process; every XCTLMOVE joins it while it is open.
bool XBEGINCTLMOVE(XWND& xWnd);
bool XCTLMOVE(XWND& xWnd, int ID, std::optional<int> x = std::nullopt,
              std::optional<int> y = std::nullopt, std::optional<int> nWidth = std::nullopt,
              std::optional<int> nHeight = std::nullopt, std::optional<int> IDAfter = std::nullopt);
bool XENDCTLMOVE();
bool XCTLGETPOS(XWND& xWnd, int ID, int* x = nullptr, int* y = nullptr, int* nWidth = nullptr,
                int* nHeight = nullptr);
LRESULT XCTLSENDMESSAGE(XWND& xWnd, int ID, UINT iMsg, WPARAM wParam, LPARAM lParam);

// Destroys one control with its font and brush; later records move down one index.
bool XCTLDESTROY(XWND& xWnd, int ID);
// Releases every control's record, font and brush and, unless bDestroy is false, destroys the
// controls. A dialog's own record (entry 0) stays while its window lives.
void XCTLDESTROYALL(XWND& xWnd, std::optional<bool> bDestroy = std::nullopt);
BOOL CALLBACK pxdestroydlgcontrols(HWND hChild, LPARAM bDestroy);

// Shows the page of the selected tab over the tab's display area and hides the others.
void FXDEFTABCALLBACK(const XCTLREC& xTab);
HWND PXCTLGETEDIT(HWND hCtl);
