// ZEBcaret: the thread's one text caret, and the keyboard focus, for framework windows.
//
//   XCARETSHOW   creates the caret (from a bitmap, or a solid block) and shows it
//   XCARETMOVE   moves it, in client pixels of the window that owns it
//   XCARETHIDE   hides and destroys it
//   XSETFOCUS    gives a window the keyboard focus
//
// Only the window's handle is read from a window object.
#pragma once

#include <windows.h>

#include <optional>

#include "ZEBGDI.h"
#include "ZEBWND.h"

// Shape: a bitmap handle, or 0 for a block of the given width and height, each 0 or less for
// the default (a window border wide, a scroll-bar arrow high). No shape: the default block.
// The result is ShowCaret's; false when the caret could not be created.
BOOL XCARETSHOW(const XWND& xWnd, const std::optional<XBITMAP>& xShape = std::nullopt);
BOOL XCARETMOVE(const XWND& xWnd, int x, int y);
// False when there was no caret to hide.
BOOL XCARETHIDE(const XWND& xWnd);
bool XSETFOCUS(const XWND& xWnd);
