// One control of every class in a frame, set up through the typed control routines: texts,
// items, ranges, colours and fonts by property code, callbacks by event. What the controls
// report shows in the status bar; the track bar drives the progress bar.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ZEBApp.h"
#include "ZEBCtrl.h"
#include "ZEBGDI.h"
#include "ZEBMenu.h"
#include "ZEBStrings.h"

namespace {

enum : int {
    ID_LABEL = 101,
    ID_GROUP,
    ID_BUTTON,
    ID_CHECK,
    ID_RADIO,
    ID_EDIT,
    ID_LIST,
    ID_DROPLIST,
    ID_RADIOMANUAL,
    ID_TABS,
    ID_SCROLL,
    ID_COMBO,
    ID_UPDOWN,
    ID_TRACK,
    ID_PROGRESS,
    ID_STATUS,
    ID_LISTVIEW,
    ID_BUDDY,
    ID_PAGE1,
    ID_PAGE2
};

void PXREPORT(XWND& xWnd, const std::string& sText) {
    XCTLSETCHAR(xWnd, ID_STATUS, sText, 2);
}

void pxonbutton(XWND& xWnd, int iID, int) {
    bool checked = false;
    XCTLGETLOG(xWnd, ID_CHECK, checked);
    PXREPORT(xWnd, iID == ID_BUTTON ? "Push button clicked"
                   : checked        ? "Check box checked"
                                    : "Check box cleared");
}

void pxonselection(XWND& xWnd, int iID, int) {
    std::string text(24, ' ');
    if (XCTLGETCHAR(xWnd, iID, text, iID == ID_COMBO ? XPC_VALUE : XPC_SELECTION))
        PXREPORT(xWnd, "Selected: " + std::string(XTRIM(text)));
}

void pxontrack(XWND& xWnd, int, int) {
    int pos = 0;
    if (!XCTLGETINT(xWnd, ID_TRACK, pos)) return;
    XCTLSETINT(xWnd, ID_PROGRESS, pos * 10);
    PXREPORT(xWnd, "Track bar at " + std::to_string(pos));
}

void pxontab(XWND& xWnd, int, int) {
    int tab = 0;
    XCTLGETINT(xWnd, ID_TABS, tab);
    PXREPORT(xWnd, "Tab " + std::to_string(tab));
}

// The owner-drawn label's face: a framed swatch drawn through the routing's drawing context.
void pxdrawswatch(XWND&, int, XDC& dc) {
    XFILLVIEWPORT(dc, XBRUSH{BS_SOLID, XRGB(230, 240, 255), 0});
    XRECTANGLE(dc, 0, 0, dc.cxView, dc.cyView, XPEN{PS_SOLID, 1, XRGB(40, 80, 160)},
               XBRUSH{BS_NULL, 0, 0});
    XTEXTOUT(dc, 6, 4, "drawn by a callback", XRGB(40, 80, 160));
}

// The frame's class paints no background of its own.
LRESULT pxerase(XWND&, XDC& dc) {
    XFILLVIEWPORT(dc, XBRUSH{BS_SOLID, static_cast<int>(GetSysColor(COLOR_BTNFACE)), 0});
    return XTRUE;
}

void pxcolumns(XWND& xWnd) {
    const char* names[] = {"Name", "Class", "Code"};
    for (int i = 0; i < 3; ++i) {
        char empty[1] = "";
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = empty;
        col.cx = i == 0 ? 110 : 80;
        XCTLSENDMESSAGE(xWnd, ID_LISTVIEW, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(&col));
        XCTLSETCHAR(xWnd, ID_LISTVIEW, names[i], i + 1);
    }
    const char* rows[][3] = {{"Edit", "Edit", "6"},
                             {"List box", "Listbox", "7"},
                             {"Track bar", "msctls_trackbar32", "14"}};
    for (int r = 0; r < 3; ++r) {
        LVITEMA it{};
        it.mask = LVIF_TEXT | LVIF_PARAM;
        it.iItem = r;
        it.lParam = r;
        it.pszText = const_cast<char*>(rows[r][0]);
        XCTLSENDMESSAGE(xWnd, ID_LISTVIEW, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
        for (int c = 1; c < 3; ++c) {
            it.mask = LVIF_TEXT;
            it.iSubItem = c;
            it.pszText = const_cast<char*>(rows[r][c]);
            XCTLSENDMESSAGE(xWnd, ID_LISTVIEW, LVM_SETITEMTEXTA, static_cast<WPARAM>(r),
                            reinterpret_cast<LPARAM>(&it));
        }
    }
}

bool pxbuild(XWND& x) {
    // Left column: label, buttons in a group, edit, lists.
    bool ok = XCTLCREATE(x, ID_LABEL, XCC_STATIC, 0x10000000, 10, 10, 200, 24) &&
              XCTLCREATE(x, ID_GROUP, XCC_GROUPBOX, 0, 10, 40, 200, 110) &&
              XCTLCREATE(x, ID_BUTTON, XCC_BUTTON, 0, 20, 60, 80, 26) &&
              XCTLCREATE(x, ID_CHECK, XCC_CHECKBOX, 0, 110, 62, 90, 22) &&
              XCTLCREATE(x, ID_RADIO, XCC_RADIO, 0x00020000, 20, 94, 180, 22) &&
              XCTLCREATE(x, ID_RADIOMANUAL, XCC_RADIOMANUAL, 0, 20, 118, 180, 22) &&
              XCTLCREATE(x, ID_EDIT, XCC_EDIT, 0, 10, 160, 200, 24, WS_EX_CLIENTEDGE) &&
              XCTLCREATE(x, ID_LIST, XCC_LISTBOX, 0, 10, 194, 200, 80, WS_EX_CLIENTEDGE) &&
              XCTLCREATE(x, ID_DROPLIST, XCC_COMBOLIST, 0, 10, 284, 200, 120) &&
              XCTLCREATE(x, ID_COMBO, XCC_COMBOEDIT, 0, 10, 316, 200, 120);
    // Middle column: tabs with two pages, scroll bar, up-down with its buddy, track and
    // progress bars.
    ok = ok && XCTLCREATE(x, ID_TABS, XCC_TAB, 0, 225, 10, 230, 120) &&
         XCTLCREATE(x, ID_PAGE1, XCC_STATIC, 0, 0, 0, 10, 10) &&
         XCTLCREATE(x, ID_PAGE2, XCC_STATIC, 0, 0, 0, 10, 10) &&
         XCTLCREATE(x, ID_SCROLL, XCC_SCROLLBAR, 0, 225, 140, 230, 18) &&
         XCTLCREATE(x, ID_BUDDY, XCC_EDIT, 0, 225, 170, 60, 24, WS_EX_CLIENTEDGE) &&
         XCTLCREATE(x, ID_UPDOWN, XCC_UPDOWN, 0, 285, 170, 18, 24, std::nullopt,
                    UDS_SETBUDDYINT | UDS_ALIGNRIGHT) &&
         XCTLCREATE(x, ID_TRACK, XCC_TRACKBAR, 0, 225, 204, 230, 30) &&
         XCTLCREATE(x, ID_PROGRESS, XCC_PROGRESS, 0, 225, 244, 230, 18);
    // Right: the list view; bottom: the status bar.
    ok = ok && XCTLCREATE(x, ID_LISTVIEW, XCC_LISTVIEW, 0, 470, 10, 290, 250, WS_EX_CLIENTEDGE) &&
         XCTLCREATE(x, ID_STATUS, XCC_STATUSBAR, 0);
    return ok;
}

void pxfill(XWND& x) {
    // Controls clip their siblings: the group box goes below the buttons it frames.
    XCTLMOVE(x, ID_GROUP, std::nullopt, std::nullopt, std::nullopt, std::nullopt, ID_RADIOMANUAL);
    XCTLSETSUB(x, ID_LABEL, pxdrawswatch);
    XCTLSETCHAR(x, ID_GROUP, "Buttons");
    XCTLSETCHAR(x, ID_BUTTON, "Push me");
    XCTLSETCHAR(x, ID_CHECK, "Check");
    XCTLSETCHAR(x, ID_RADIO, "Automatic radio");
    XCTLSETCHAR(x, ID_RADIOMANUAL, "Manual radio");
    XCTLSETLOG(x, ID_CHECK, true);
    XCTLSETLOG(x, ID_RADIO, true);

    XCTLSETCHAR(x, ID_EDIT, "Edit me");
    XCTLSETINT(x, ID_EDIT, XRGB(255, 255, 200), XPC_BKCOLOUR);
    XCTLSETINT(x, ID_EDIT, XRGB(0, 0, 160), XPC_TEXTCOLOUR);
    XCTLSETCHAR(x, ID_EDIT, "t'arial' h15 e", XPC_FONT);
    for (const char* s : {"Apples", "Bananas", "Cherries", "Dates"}) {
        XCTLSETCHAR(x, ID_LIST, s);
        XCTLSETCHAR(x, ID_DROPLIST, s);
        XCTLSETCHAR(x, ID_COMBO, s, XPC_APPEND);
    }
    XCTLSETINT(x, ID_LIST, 2, XPC_SELECTION);
    XCTLSETINT(x, ID_DROPLIST, 3, XPC_SELECTION);
    XCTLSETCHAR(x, ID_COMBO, "Type or choose");

    XCTLSETINT(x, ID_TABS, 2);
    XCTLSETCHAR(x, ID_TABS, "First page", 1);
    XCTLSETCHAR(x, ID_TABS, "Second page", 2);
    XCTLSETINT(x, ID_TABS, ID_PAGE1, 1);
    XCTLSETINT(x, ID_TABS, ID_PAGE2, 2);
    XCTLSETCHAR(x, ID_PAGE1, "The first tab's page.");
    XCTLSETCHAR(x, ID_PAGE2, "The second tab's page.");
    XCTLSETINT(x, ID_TABS, 1, XPC_VALUE);

    XCTLSETINT(x, ID_SCROLL, 100, XPC_MAXIMUM);
    XCTLSETINT(x, ID_SCROLL, 20, XPC_PAGE);
    XCTLSETINT(x, ID_SCROLL, 35);
    XCTLSENDMESSAGE(x, ID_UPDOWN, UDM_SETBUDDY,
                    reinterpret_cast<WPARAM>(GetDlgItem(x.hWnd, ID_BUDDY)), 0);
    XCTLSETINT(x, ID_UPDOWN, 0, XPC_MINIMUM);
    XCTLSETINT(x, ID_UPDOWN, 99, XPC_MAXIMUM);
    XCTLSETINT(x, ID_UPDOWN, 42);
    XCTLSETINT(x, ID_TRACK, 10, XPC_MAXIMUM);
    XCTLSETINT(x, ID_TRACK, 6);
    XCTLSETINT(x, ID_PROGRESS, 100, XPC_MAXIMUM);
    XCTLSETINT(x, ID_PROGRESS, 60);

    pxcolumns(x);
    XCTLSETINT(x, ID_LISTVIEW, 2);

    XCTLSETARRAY(x, ID_STATUS, {180, -1}, XPC_WIDTHS);
    XCTLSETCHAR(x, ID_STATUS, "Seventeen classes", 1);
    PXREPORT(x, "Ready");

    XCTLSETSUB(x, ID_BUTTON, pxonbutton);
    XCTLSETSUB(x, ID_CHECK, pxonbutton);
    for (int id : {ID_LIST, ID_DROPLIST, ID_COMBO}) XCTLSETSUB(x, id, pxonselection);
    XCTLSETSUB(x, ID_TRACK, pxontrack);
    XCTLSETSUB(x, ID_TABS, pxontab);
}

} // namespace

bool XINIT(std::string_view, int& nCmdShow) {
    static XMENU xMenu;
    if (!XCREATESDIAPP(xMenu, "ZEB controls demo", std::nullopt, nCmdShow)) return false;
    XSETHANDLER<WM_ERASEBKGND>(xFrame, pxerase);
    XSETWINDOWPOS(xFrame, 40, 30, 790, 430);
    if (!pxbuild(xFrame)) return false;
    pxfill(xFrame);
    return true;
}
