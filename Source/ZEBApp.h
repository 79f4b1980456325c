// ZEBApp: process entry, application state and the message pump.
//
//   xApp xFrame          application state and the framework-owned main frame
//   XINIT                supplied by the application
//   XPROCESSMESSAGES     pump, wait for messages or kernel objects
//   FXPREPROCESS         the loop's pre-processing and dispatch of one message
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

int XPROCESSMESSAGES(std::optional<bool> bWait = std::nullopt,
                     std::optional<std::vector<int>> iMsgs = std::nullopt,
                     std::optional<std::vector<HANDLE>> hHandles = std::nullopt,
                     std::optional<int> bWaitAll = std::nullopt);

// Accelerators (when bAccel), MDI system keys and dialog keys, else translate and dispatch.
void FXPREPROCESS(MSG& msg, bool bAccel);

// The process entry's work, callable by programs that own main() themselves (test programs).
int XWINMAIN(HINSTANCE hInstance, LPSTR sCmdLine, int nCmdShow);
