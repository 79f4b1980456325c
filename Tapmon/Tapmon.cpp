// TAPMON: the key-message inspector. A frame with a read-only pane; every key-down,
// system-key-down, character and system-command message that reaches the frame is reported in
// the pane (report texts: TapmonReport).
#include <windows.h>

#include <string>

#include "TapmonReport.h"
#include "ZEBApp.h"
#include "ZEBCtrl.h"
#include "ZEBDialog.h"
#include "ZEBGDI.h"
#include "ZEBMenu.h"
#include "ZEBcaret.h"
#include "resource.h"

namespace {

XMENU xMenu;
int PANE_ID = 100;
int nClientWidth = 0, nClientHeight = 0;
XWND xAbout;

// Reports reach the pane in as few appends as possible: every append to a visible edit control
// repaints it, which costs far more than the report itself. While messages are waiting, reports
// are gathered and appended together once the queue has been worked off.
constexpr UINT XM_FLUSHPANE = WM_APP + 0x20;
std::string sPending;
bool bFlushPosted = false;

// Another program may lower the pane's limit (EM_SETLIMITTEXT), and the edit control would then
// drop reports without a word: the limit is lifted again whenever a report would not fit.
void PXKEEPROOM(std::size_t n) {
    const auto limit =
        static_cast<std::size_t>(XCTLSENDMESSAGE(xFrame, PANE_ID, EM_GETLIMITTEXT, 0, 0));
    const auto used =
        static_cast<std::size_t>(XCTLSENDMESSAGE(xFrame, PANE_ID, WM_GETTEXTLENGTH, 0, 0));
    if (limit < used || limit - used < n) XCTLSENDMESSAGE(xFrame, PANE_ID, EM_SETLIMITTEXT, 0, 0);
}

void PXFLUSH() {
    if (!sPending.empty()) {
        PXKEEPROOM(sPending.size());
        XCTLSETCHAR(xFrame, PANE_ID, sPending, 0);
    }
    sPending.clear();
}

void PXREPORT(const std::string& sReport) {
    sPending += sReport;
    if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0) {
        PXFLUSH();
    } else if (!bFlushPosted) {
        bFlushPosted = PostMessageA(xFrame.hWnd, XM_FLUSHPANE, 0, 0) != 0;
        if (!bFlushPosted) PXFLUSH();
    }
}

LRESULT XW_FRAME_ONFLUSH(XWND&, int&, WPARAM&, LPARAM&) {
    bFlushPosted = false;
    PXFLUSH();
    return XTRUE;
}

// An all-zero snapshot, as when the call fails, reports every key up and every lock off.
XKEYSTATE PXKEYBOARD() {
    XKEYSTATE keys{};
    if (!GetKeyboardState(keys.data())) keys.fill(0);
    return keys;
}

LRESULT XW_FRAME_ONKEYDOWN(XWND&, int& iVirtKey, int iRepeat, int iScanCode) {
    PXREPORT(KEYDOWNREPORT(iVirtKey, iRepeat, iScanCode, PXKEYBOARD()));
    return XFALSE;
}

// Not decoded by the framework: the general form, with the raw parameters.
LRESULT XW_FRAME_ONSYSKEYDOWN(XWND&, int&, WPARAM& wParam, LPARAM& lParam) {
    PXREPORT(SYSKEYDOWNREPORT(wParam, lParam, PXKEYBOARD()));
    return XFALSE;
}

LRESULT XW_FRAME_ONCHAR(XWND&, int& iChar, bool, bool) {
    PXREPORT(CHARREPORT(iChar));
    return XTRUE;
}

// Keyboard menu activation and unknown commands are reported and swallowed; every other
// command is carried out by the default processing, so the pane is brought up to date first.
LRESULT XW_FRAME_ONSYSCOMMAND(XWND&, int iCommand) {
    const XSYSCOMMANDREPORT r = SYSCOMMANDREPORT(iCommand);
    sPending += r.sText;
    PXFLUSH();
    return r.bHandled ? XTRUE : XFALSE;
}

LRESULT XW_FRAME_ONSIZE(XWND& xWnd, int iWidth, int iHeight, int&) {
    XCTLMOVE(xWnd, PANE_ID, 0, 0, iWidth, iHeight);
    return XFALSE;
}

// The pane covers the client area and paints itself.
LRESULT XFRAME_ONPAINT(XWND&, XDC&, int, int, int, int) {
    return XTRUE;
}

void XFRAME_ONEXIT(XWND&, int, int) {
    XSENDMESSAGE(xFrame, WM_CLOSE, 0, 0);
}

void XFRAME_ONABOUT(XWND& xWnd, int, int) {
    xAbout = XWND{};
    XLOADDIALOG(IDD_ABOUT, xAbout, xWnd.hWnd);
    XMODALDIALOG(xAbout);
    XDESTROYDIALOG(xAbout);
}

// The pane never keeps the focus: keystrokes must reach the frame.
void EDIT_UNFOCUS(XWND& xWnd, int, int) {
    XSETFOCUS(xWnd);
}

} // namespace

bool XINIT(std::string_view, int&) {
    xMenu = XLOADMENU(IDR_MAINMENU);
    VKNAMESET();
    XCREATESDIAPP(xMenu, "Tapmon", IDI_TAPMON);
    XGETCLIENTRECT(xFrame, nClientWidth, nClientHeight);
    PANE_ID = XCTLCREATE(xFrame, PANE_ID, 6, 0x0804, 0, 0, nClientWidth, nClientHeight);
    // Lift the edit control's default capacity, so the pane never stops taking reports.
    XCTLSENDMESSAGE(xFrame, PANE_ID, EM_SETLIMITTEXT, 0, 0);
    // The system's fixed-pitch font: under Wine the 64-bit text shaping dies on some characters
    // (0x98, small tilde) in the proportional fonts that the default GUI font resolves to. Its
    // raster face has one strike, drawn for 96 DPI, and stays so at any DPI: the system would
    // scale its pixels, which Wine draws with the glyphs unscaled and the advances doubled.
    XCTLSENDMESSAGE(xFrame, PANE_ID, WM_SETFONT,
                    reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), 0);
    XCTLSETLOG(xFrame, PANE_ID, true, -16);
    XCTLSETINT(xFrame, PANE_ID, XRGB(255, 255, 200), -22);
    XCTLSETSUB(xFrame, PANE_ID, EDIT_UNFOCUS, -27);
    XSETHANDLER<WM_SIZE>(xFrame, XW_FRAME_ONSIZE);
    XSETHANDLER<WM_PAINT>(xFrame, XFRAME_ONPAINT);
    XSETCOMMAND(xFrame, IDM_ABOUT, XFRAME_ONABOUT);
    XSETCOMMAND(xFrame, IDM_EXIT, XFRAME_ONEXIT);
    XSETHANDLER<WM_KEYDOWN>(xFrame, XW_FRAME_ONKEYDOWN);
    XSETHANDLER<WM_CHAR>(xFrame, XW_FRAME_ONCHAR);
    XSETHANDLER<WM_SYSKEYDOWN>(xFrame, XW_FRAME_ONSYSKEYDOWN);
    XSETHANDLER<WM_SYSCOMMAND>(xFrame, XW_FRAME_ONSYSCOMMAND);
    XSETHANDLER<XM_FLUSHPANE>(xFrame, XW_FRAME_ONFLUSH);
    return true;
}
