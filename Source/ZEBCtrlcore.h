// ZEBCtrlcore: the platform-free half of ZEBCtrl — class table, option words, callback slots,
// default properties, the font-description reader and the small value rules of the typed
// control routines.
//
//   Codes       XCC_* and XCLS_DIALOG (class codes)  XPC_* (property codes)  XEC_* (event codes)
//   Classes     PXCTLCLASSNAME PXCTLDEFSTYLE PXCTLSTYLE
//   Routing     XROUTE PXCTLROUTES PXCTLROUTE PXCTLISDRAWREPORT PXCTLSTYLEFITS
//   Callbacks   PXGETCALLBACKINDEX PXCTLISBUTTON
//   Properties  PXDEFPROPERTY
//   Values      PXCTLTEXT PXREADFONT PXSCROLLCLAMP PXUDRANGE
//
// Never includes <windows.h>.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Class codes; 20 marks the record of a dialog window itself.
constexpr int XCC_STATIC = 1, XCC_GROUPBOX = 2, XCC_BUTTON = 3, XCC_CHECKBOX = 4, XCC_RADIO = 5,
              XCC_EDIT = 6, XCC_LISTBOX = 7, XCC_COMBOLIST = 8, XCC_RADIOMANUAL = 9, XCC_TAB = 10,
              XCC_SCROLLBAR = 11, XCC_COMBOEDIT = 12, XCC_UPDOWN = 13, XCC_TRACKBAR = 14,
              XCC_PROGRESS = 15, XCC_STATUSBAR = 16, XCC_LISTVIEW = 17, XCLS_DIALOG = 20;

// Property codes; a positive code k names item k, 0 appends (texts).
constexpr int XPC_CAPTION = -2, XPC_ENABLED = -3, XPC_VALUE = -5, XPC_SELECTION = -12,
              XPC_COUNT = -13, XPC_FONT = -15, XPC_VISIBLE = -16, XPC_MINIMUM = -18,
              XPC_MAXIMUM = -19, XPC_PAGE = -20, XPC_TEXTCOLOUR = -21, XPC_BKCOLOUR = -22,
              XPC_TABSTOPS = -23, XPC_WIDTHS = -24, XPC_DLGINTEGER = -32, XPC_LVLAYOUT = -35,
              XPC_LVINTEGER = -37, XPC_COLORDER = -39, XPC_APPEND = 0;
// Images travel as handles; their codes have a type of their own so that the integer forms of
// the value routines refuse them when the program is compiled.
enum XIMAGEPROP : int { XPC_BITMAP = -11, XPC_ICON = -25 };

// Event codes under which callbacks are registered and that they receive.
constexpr int XEC_MAIN = -1, XEC_CLICK = -4, XEC_CHANGED = -6, XEC_UPDATED = -7,
              XEC_SELCHANGED = -10, XEC_DBLCLK = -14, XEC_OWNERDRAW = -26, XEC_GOTFOCUS = -27,
              XEC_LOSTFOCUS = -28, XEC_SELCHANGING = -29, XEC_DLG30 = -30, XEC_DLG31 = -31,
              XEC_DLG33 = -33, XEC_DLGINIT = -34, XEC_COLCLICK = -38;

constexpr int XCTL_FIRSTROOM = 32; // controls a new list has room for
constexpr int XCTL_GROWTH = 32;    // entries added when it is full

// System class of a class code 1 to 17, or nullptr.
const char* PXCTLCLASSNAME(int iClass);
// Default style of a class code before the common bits; 0 outside 1 to 17.
int PXCTLDEFSTYLE(int iClass);
// The style XCTLCREATE gives a control of a valid class: default style, child, clip-siblings
// and visible, the caller's extra style bits, then the class's and the common option bits.
int PXCTLSTYLE(int iClass, int iOptions, int iSysStyle);

// The routing table: one row per (classes, report) pair, saying which slot the report means,
// the event its routine is registered under, what must hold, what runs first, what the routine
// receives and what answers when the slot is empty. Only a slot routine counts as a call; the
// defaults do not.
enum class XRSTYLE { ANY, DRAWNLABEL, DRAWNBUTTON, VIRTUALLIST };   // style the slot needs
enum class XRWHEN { ALWAYS, FOCUSED, FOCUSWITHIN, DRAWN, ITEMROW }; // condition of the report
enum class XRFIRST { NOTHING, TABPAGES, COPYSELECTION };            // default handling first
enum class XRPASS { EVENT, CODE, COLUMN, DRAWCONTEXT, ITEM };       // the routine's third value
enum class XRDEFAULT { NOTHING, SORT, DISPLAYDATA };                // answer of an empty slot
constexpr long long XRC_ANY = 0x7FFFFFFFFFFFFFFFLL;                 // any report
constexpr long long XRC_DRAW = 0x7FFFFFFFFFFFFFFELL; // an owner-draw report (a record's address)
struct XROUTE {
    unsigned iClasses; // bit c for class code c
    long long iCode;   // notification code, message number, XRC_ANY or XRC_DRAW
    int iSlot;         // 1 to 4
    int iEvent;        // registered under, and passed with XRPASS::EVENT
    XRSTYLE iStyle;
    XRWHEN iWhen;
    XRFIRST iFirst;
    XRPASS iPass;
    XRDEFAULT iDefault;
    bool bNotify; // the report must come with its notification header
};
// The rows, in the order they are matched.
const XROUTE* PXCTLROUTES(int& nRows);
// The row a report of a class takes, or nullptr: the report calls nothing.
const XROUTE* PXCTLROUTE(int iClass, long long iCode);
// An owner-draw report carries the record's address where other reports carry a small code.
bool PXCTLISDRAWREPORT(long long iCode);
// True when a control's current style allows the slot.
bool PXCTLSTYLEFITS(XRSTYLE iNeed, int iStyle);

// Callback slot (1 to 4) of an event for a class, given the control's current style; 0 when the
// class has no slot for the event. Event -1 is the class's slot 1. Read from the routing table.
int PXGETCALLBACKINDEX(int iClass, int iStyle, int iEvent);
// Buttons of every kind: push, check, radio and non-automatic radio.
bool PXCTLISBUTTON(int iClass);

// Property a typed routine uses when the caller gives none.
enum class XCTLROUTINE { SETCHAR, GETCHAR, SETINT, GETINT };
int PXDEFPROPERTY(XCTLROUTINE iRoutine, int iClass);

// The system text for a framework text: trailing blanks removed; all blank becomes one blank.
std::string PXCTLTEXT(std::string_view sText);

// A font description such as t'courier new' h12 e (face, height, width, bold, italic,
// underline), read case-insensitively.
struct XFONTDESC {
    int iHeight = 10; // magnitude; the font is created with -iHeight (character height)
    int iWidth = 0;
    int iWeight = 400;
    bool bItalic = false;
    bool bUnderline = false;
    std::string sFace; // at most 40 characters
};
XFONTDESC PXREADFONT(std::string_view sText);

// Scroll-bar position for a requested value: the minimum at or below it, maximum - page above
// that.
int PXSCROLLCLAMP(int v, int iMin, int iMax, int iPage);

// Up-down range word pair (low word upper limit, high word lower limit) with one limit replaced
// by v, cut to 0xFFFF when larger.
std::uint32_t PXUDRANGE(std::uint32_t iRange, int v, bool bLower);
