// ZEBMsgBoxcore: the platform-free half of the message box — its layout and its in-memory
// dialog template.
//
//   PXPUTINT4 PXPUTINT2 PXPUTWIDE PXPUTCONTROL   template writers over a growing word buffer
//   FXMBLAYOUT                                   box, text and button geometry in dialog units
//   FXMBTEMPLATE                                 the whole template of one box
//   FXMBBUTTONSET FXMBSTDICON FXMBFALLBACK       the tables behind the style flags
//
// Never includes <windows.h>. The writers take the buffer and a word position and return the
// position after what they wrote; the buffer grows to whatever is written, so no text, caption
// or button count can write past its end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using XWORDS = std::vector<std::uint16_t>;

constexpr int XMB_CHECKID = 1001; // "&Show this message in the future"
constexpr int XMB_MAXBUTTONS = 4;
constexpr int XMB_ANSWERSCALE = 100; // a box result of id * 100: answered with the box cleared
// Style flags the box reads besides the button, icon and default-button fields.
constexpr int XMB_FSYSMODAL = 0x1000, XMB_FTASKMODAL = 0x2000, XMB_FTOPMOST = 0x40000,
              XMB_FRIGHT = 0x80000;

int PXPUTINT4(XWORDS& buf, int pos, std::uint32_t v); // low word first
int PXPUTINT2(XWORDS& buf, int pos, const std::vector<std::uint16_t>& words);
int PXPUTWIDE(XWORDS& buf, int pos, std::u16string_view s); // s and one zero word

// An item title: a text, or a resource ordinal (0xFFFF, ordinal).
struct XMBTITLE {
    std::u16string sText;
    std::optional<std::uint16_t> iOrdinal;
};
// One DLGITEMTEMPLATE record and the padding after it; coordinates and identifier are cut to
// 16 bits as the record holds them.
int PXPUTCONTROL(XWORDS& buf, int pos, std::uint32_t iStyle, std::uint32_t iExStyle, int x, int y,
                 int cx, int cy, int iID, std::uint16_t iClassAtom, const XMBTITLE& title);

// Button sets by flags & 0xF (0..5): identifiers left to right; empty for other values.
std::vector<int> FXMBBUTTONSET(int iFlags);
// Icon ordinal of the system's user-interface module for flags & 0xF0; none for other values.
std::optional<int> FXMBSTDICON(int iFlags);
// The seven-character caption for button identifier 1..9, blanks included; empty otherwise.
std::string_view FXMBFALLBACK(int iID);

// Measured inputs of one box.
struct XMBMEASURE {
    int w = 0, h = 0;   // text width (already scaled by 1.05) and height in pixels
    int bx = 8, by = 8; // dialog base units
    int cyFrame = 0;    // caption plus dialog-frame height in pixels
    bool bIcon = false, bCheck = false;
    int nButtons = 0;
};
struct XMBLAYOUT {
    int cx = 0, cy = 0;                    // the box
    int xText = 0, cxText = 0, cyText = 0; // the message text (y is 10)
    int yCheck = 0, cxCheck = 0;           // the check box (x is 10)
    int yButtons = 0;                      // the button row
    std::vector<int> xButtons;             // left edge of each button (each 50 wide, 14 high)
};
XMBLAYOUT FXMBLAYOUT(const XMBMEASURE& m);

// Everything the template says.
struct XMBBUTTON {
    int iID = 0;
    XMBTITLE title;
};
struct XMBSPEC {
    int iFlags = 0;
    std::u16string sCaption, sText;
    std::uint16_t iPointSize = 8;
    std::u16string sFace;
    std::optional<std::uint16_t> iIcon; // the icon control's ordinal, when there is one
    bool bCheck = false;
    std::vector<XMBBUTTON> buttons;
};
XWORDS FXMBTEMPLATE(const XMBSPEC& content, const XMBLAYOUT& layout);
