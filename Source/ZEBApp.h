// ZEBApp: process entry, application state and the message pump.
//
//   xApp xFrame          application state and the framework-owned main frame
//   XINIT                supplied by the application
//   XPROCESSMESSAGES     pump, wait for messages or kernel objects
//   FXPREPROCESS         the loop's pre-processing and dispatch of one message
//   XCREATESDIAPP XCREATEMDIAPP XCREATEDIALOGAPP   the application frame, during XINIT only
//   XGETINSTANCE XLOADACCELERATORS XBEEP XMESSAGEBEEP
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

#include "ZEBWND.h"

struct XAPPSTATE {
    HINSTANCE hInstance = nullptr;
    bool bInInit = false;    // true only while XINIT runs
    XWND* pxFrame = nullptr; // the current frame: xFrame from start-up on
    XWND* pxMDI = nullptr;   // the MDI client object, once an MDI frame exists
    HACCEL hAccel = nullptr;
    int nWindows = 0; // windows created or bound; never decremented
};

extern XAPPSTATE xApp;
extern XWND xFrame;

// The application's initialisation: true runs the message loop, false ends the program.
bool XINIT(std::string_view sCmdLine, int& nCmdShow);

// Result of XPROCESSMESSAGES when the wait on hHandles cannot be made: an invalid or closed
// handle, or more than 63 handles.
constexpr int XPM_WAITFAILED = static_cast<int>(0x80000000u);
int XPROCESSMESSAGES(std::optional<bool> bWait = std::nullopt,
                     std::optional<std::vector<int>> iMsgs = std::nullopt,
                     std::optional<std::vector<HANDLE>> hHandles = std::nullopt,
                     std::optional<int> bWaitAll = std::nullopt);

// Accelerators (when bAccel), MDI system keys and dialog keys, else translate and dispatch;
// then rethrows what a handler threw meanwhile (FXRETHROW).
void FXPREPROCESS(MSG& msg, bool bAccel);

// The process entry's work, callable by programs that own main() themselves (test programs).
int XWINMAIN(HINSTANCE hInstance, LPSTR sCmdLine, int nCmdShow);

// Application frames: each fills xFrame, and works only while XINIT runs (false otherwise).
// Single-document frame; style and extended style default to WS_OVERLAPPEDWINDOW |
// WS_CLIPCHILDREN and WS_EX_APPWINDOW. nCmdShow defaults to SW_SHOW.
bool XCREATESDIAPP(XMENU& xMenu, std::string_view sTitle, std::optional<int> iIcon = std::nullopt,
                   std::optional<int> nCmdShow = std::nullopt,
                   std::optional<int> iStyle = std::nullopt,
                   std::optional<int> iExStyle = std::nullopt);
// Multiple-document frame with its MDI client (XGETMDI); the open children are listed at the
// end of the submenu at position iWindowMenu (from 1) of xMenu.
bool XCREATEMDIAPP(XMENU& xMenu, int iWindowMenu, std::string_view sTitle,
                   std::optional<int> iIcon = std::nullopt,
                   std::optional<int> nCmdShow = std::nullopt);
// Dialog resource iDialog as the frame; shown or not as its template says.
bool XCREATEDIALOGAPP(int iDialog, XMENU* xMenu = nullptr, std::optional<int> iIcon = std::nullopt);

// The module named sModule (trailing blanks ignored), or the program's own; 0 if not loaded.
HINSTANCE XGETINSTANCE(std::optional<std::string_view> sModule = std::nullopt);
// Replaces the accelerator table the main loop translates for the frame.
bool XLOADACCELERATORS(int iAccel, std::optional<HINSTANCE> hInstance = std::nullopt);
// Frequencies outside 37..32767 Hz become 440 Hz; the duration defaults to 50 ms.
BOOL XBEEP(std::optional<int> iFreq = std::nullopt, std::optional<int> iDuration = std::nullopt);
BOOL XMESSAGEBEEP(int iType);
