#pragma once

#include <windows.h>

struct CollapsePanelLook {
  int border = 4;
  COLORREF frame = RGB(255, 255, 255);
  COLORREF background = RGB(83, 141, 251);
  COLORREF color = RGB(203, 219, 248);
};

// The framed inner rectangle: inset by `border` left and right, from one
// pixel above the top (so its top line hides under the header) to 4 pixels
// above the bottom.
RECT CollapsePanelInnerRect(const RECT& client, int border);

void PaintCollapsePanel(HDC dc, const RECT& client, const CollapsePanelLook& look);
