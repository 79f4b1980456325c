// ZEBDialog: resource dialogs as framework windows, run modally or modelessly.
//
//   XLOADDIALOG       creates the dialog from its template, binds its controls, fills list and
//                     combo boxes from the type-240 resource of the same identifier
//   XMODALDIALOG      runs a loaded dialog in a loop of its own until its XM_ENDDIALOG
//   XMODELESSDIALOG   shows a loaded dialog; the main loop serves it
//   XENDDIALOG        asks a modal run to end with a result
//   XDESTROYDIALOG    destroys the dialog and its control records
//   PXPARSEDLGINIT pxdisableproc pxenableproc
//
// The dialog procedure is the framework's window procedure, so handlers and control callbacks
// are dispatched as for any framework window. Control-list entry 0 is the dialog's own record
// (class 20); a callback in its slot 1 receives the dialog-initialised event before a run.
#pragma once

#include <windows.h>

#include <optional>

#include "ZEBWND.h"

bool XLOADDIALOG(int ID, XWND& xDlg, std::optional<HWND> hParent = std::nullopt,
                 std::optional<HINSTANCE> hInstance = std::nullopt);
// The dialog's result; -1 when xDlg is no live framework window or the run ended by WM_QUIT.
// bDisableAll: disable every top-level window of the thread instead of only the owner.
int XMODALDIALOG(XWND& xDlg, std::optional<HWND> hParent = std::nullopt,
                 std::optional<bool> bDisableAll = std::nullopt);
bool XMODELESSDIALOG(XWND& xDlg, std::optional<int> nCmdShow = std::nullopt);
void XENDDIALOG(const XWND& xDlg, int iResult);
void XDESTROYDIALOG(XWND& xDlg);

void PXPARSEDLGINIT(HINSTANCE hInstance, XWND& xDlg, int ID);
BOOL CALLBACK pxdisableproc(HWND hWnd, LPARAM hDlg);
BOOL CALLBACK pxenableproc(HWND hWnd, LPARAM hDlg);

// ---------------------------------------------------------------------------------------------
// Message box
//
//   XMESSAGEBOX          the system message box's flags, built as an in-memory template sized
//                        to its text, with caller-chosen button captions and the check box
//                        "&Show this message in the future" kept under HKEY_CURRENT_USER
//   PXPUTCHAR            an ANSI text as wide characters and a zero word (writers: ZEBMsgBoxcore)
//   pxmessageboxdlgproc pxmbenableproc
//
// The result is the chosen button's identifier (with sButtons: the caption's 1-based index), the
// stored answer when a suppressed box is not shown, or 0 when no box could be shown — the key
// sRegKey must exist already: it is never created here. The answer is stored only when the user
// cleared the check box.
#include <string>
#include <string_view>
#include <vector>

#include "ZEBMsgBoxcore.h"

int XMESSAGEBOX(std::string_view sText, std::optional<std::string_view> sCaption = std::nullopt,
                std::optional<int> iFlags = std::nullopt,
                std::optional<HWND> hParent = std::nullopt, std::optional<int> iIcon = std::nullopt,
                std::optional<std::string_view> sRegKey = std::nullopt,
                std::optional<std::string_view> sRegValue = std::nullopt,
                std::optional<HINSTANCE> hInstance = std::nullopt,
                std::optional<std::vector<std::string>> sButtons = std::nullopt);

int PXPUTCHAR(XWORDS& buf, int pos, std::string_view s);
INT_PTR CALLBACK pxmessageboxdlgproc(HWND hDlg, UINT iMsg, WPARAM wParam, LPARAM lParam);
BOOL CALLBACK pxmbenableproc(HWND hWnd, LPARAM bEnable);
