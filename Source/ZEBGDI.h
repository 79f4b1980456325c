// ZEBGDI: drawing contexts, primitives, text, bitmaps and memory contexts.
//
//   XUPDATEWINDOW
#pragma once

#include <windows.h>

#include <optional>

#include "ZEBWND.h"

// Marks the rectangle (all four corners given) or the whole client area for repaint, without
// erasing, and repaints at once.
void XUPDATEWINDOW(const XWND& xWnd, std::optional<int> x1 = std::nullopt,
                   std::optional<int> y1 = std::nullopt, std::optional<int> x2 = std::nullopt,
                   std::optional<int> y2 = std::nullopt);
