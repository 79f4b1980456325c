// ZEBCtrl: child controls addressed by (window object, identifier).
//
//   XCREATEBLOCK FXCLASSNAME       the creation block of XM_CREATECONTROL and the class table
//   FXCTLBYHANDLE FXASSOCCTLTOHANDLE FXRESOLVECLASSNAME
//   FXCTLCALLBACK                  routes a control's notification to its callback slots
//   FXBINDWINDOWCONTROLS pxcountdlgcontrols pxenumdlgcontrols PXENDDIALOG
//   XCTLDESTROYALL pxdestroydlgcontrols
#pragma once

#include <windows.h>

#include <optional>

#include "ZEBWND.h"

// Asks the parent's window procedure to create a control (word parameter of XM_CREATECONTROL).
struct XCREATEBLOCK {
    int iStyle;
    int iClass; // 1 to 17
    int x, y, nWidth, nHeight;
    int iExStyle;
};

constexpr int XCLS_DIALOG = 20;

const char* FXCLASSNAME(int iClass); // system class of a class code, or nullptr
XCTLREC* FXCTLBYHANDLE(HWND hCtl);
void FXASSOCCTLTOHANDLE(HWND hCtl, XCTLREC& xControl);
int FXRESOLVECLASSNAME(HWND hCtl);

// iCode is a notification code, a message number, or the address of a system record.
bool FXCTLCALLBACK(XWND& xWnd, XCTLREC& xCtl, int iID, LPARAM iCode);

void FXBINDWINDOWCONTROLS(XWND& xWnd);
BOOL CALLBACK pxcountdlgcontrols(HWND hChild, LPARAM pnCount);
BOOL CALLBACK pxenumdlgcontrols(HWND hChild, LPARAM pxWnd);
void PXENDDIALOG(XWND& xWnd, int iID, int iCode);

void XCTLDESTROYALL(XWND& xWnd, std::optional<bool> bDestroy = std::nullopt);
BOOL CALLBACK pxdestroydlgcontrols(HWND hChild, LPARAM bDestroy);
