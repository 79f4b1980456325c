// A window on the installed framework: a menu from the program's own resource script, a typed
// key handler, and an edit field and a button created by identifier. Keys that reach the frame
// are described in the field; the button puts the field's text into the title bar.
#include <windows.h>

#include <string>

#include "ZEBApp.h"
#include "ZEBCtrl.h"
#include "ZEBDialog.h"
#include "ZEBGDI.h"
#include "ZEBMenu.h"
#include "ZEBStrings.h"
#include "ZEBcaret.h"
#include "resource.h"

namespace {

XMENU xMenu;
constexpr int ID_FIELD = 100, ID_BUTTON = 101;

// Field along the top, button in the bottom right-hand corner.
void PXLAYOUT(XWND& xWnd, int iWidth, int iHeight) {
    XCTLMOVE(xWnd, ID_FIELD, 10, 10, iWidth - 20, 24);
    XCTLMOVE(xWnd, ID_BUTTON, iWidth - 130, iHeight - 38, 120, 28);
}

LRESULT XFRAME_ONSIZE(XWND& xWnd, int iWidth, int iHeight, int&) {
    PXLAYOUT(xWnd, iWidth, iHeight);
    return XFALSE;
}

// The framework's window class has no background brush: the frame paints its own.
LRESULT XFRAME_ONERASE(XWND&, XDC& dc) {
    XFILLVIEWPORT(dc, XBRUSH{BS_SOLID, static_cast<int>(GetSysColor(COLOR_BTNFACE)), 0});
    return XTRUE;
}

// A key that reaches the frame; false lets the default processing run as well.
LRESULT XFRAME_ONKEYDOWN(XWND& xWnd, int& iVirtKey, int iRepeat, int iScanCode) {
    XCTLSETCHAR(xWnd, ID_FIELD,
                "Key " + std::to_string(iVirtKey) + ", scan code " + std::to_string(iScanCode) +
                    (iRepeat > 1 ? ", repeated" : ""));
    return XFALSE;
}

// The button's click: the field's text, read as a text of 80 characters, becomes the title.
// The frame takes the keyboard back, so keys reach its handler again.
void XFRAME_ONTITLE(XWND& xWnd, int, int) {
    std::string sText = XFIXED("", 80);
    if (XCTLGETCHAR(xWnd, ID_FIELD, sText)) XSETWINDOWTITLE(xWnd, XTRIM(sText));
    XSETFOCUS(xWnd);
}

void XFRAME_ONEXIT(XWND& xWnd, int, int) {
    XSENDMESSAGE(xWnd, WM_CLOSE, 0, 0);
}

void XFRAME_ONABOUT(XWND& xWnd, int, int) {
    XMESSAGEBOX("A window on the installed ZEB package.", "About", MB_OK | MB_ICONINFORMATION,
                xWnd.hWnd);
}

} // namespace

bool XINIT(std::string_view, int& nCmdShow) {
    xMenu = XLOADMENU(IDR_MENU);
    // Hidden until its handlers are in place: showing it erases and paints it.
    if (!XCREATESDIAPP(xMenu, "ZEB standalone", std::nullopt, SW_HIDE)) return false;

    int iWidth = 0, iHeight = 0;
    XGETCLIENTRECT(xFrame, iWidth, iHeight);
    XCTLCREATE(xFrame, ID_FIELD, XCC_EDIT, 0, 0, 0, 0, 0, WS_EX_CLIENTEDGE);
    XCTLCREATE(xFrame, ID_BUTTON, XCC_BUTTON, 0, 0, 0, 0, 0);
    XCTLSETCHAR(xFrame, ID_FIELD, "Press a key, or type here");
    XCTLSETCHAR(xFrame, ID_BUTTON, "Set &title");
    PXLAYOUT(xFrame, iWidth, iHeight);

    XSETHANDLER<WM_SIZE>(xFrame, XFRAME_ONSIZE);
    XSETHANDLER<WM_ERASEBKGND>(xFrame, XFRAME_ONERASE);
    XSETHANDLER<WM_KEYDOWN>(xFrame, XFRAME_ONKEYDOWN);
    XCTLSETSUB(xFrame, ID_BUTTON, XFRAME_ONTITLE, XEC_CLICK);
    XSETCOMMAND(xFrame, IDM_EXIT, XFRAME_ONEXIT);
    XSETCOMMAND(xFrame, IDM_ABOUT, XFRAME_ONABOUT);
    XSHOWWINDOW(xFrame, nCmdShow);
    return true;
}
