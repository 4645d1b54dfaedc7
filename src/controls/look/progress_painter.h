#pragma once

#include <windows.h>

#include "controls/look/progress_geometry.h"

struct ProgressLook {
  int min = 0;
  int max = 100;
  int position = 0;
  bool vertical = false;  // fills from the bottom up
  bool smooth = false;    // one continuous fill instead of blocks
  COLORREF border = RGB(128, 128, 128);
  COLORREF color = RGB(255, 255, 255);
};

// Percentage by which the border colour is lightened for the corners.
inline constexpr int kProgressCornerLightening = 70;

// The border colour lightened by 70 percent, as the nearest colour `dc`
// can show.
COLORREF ProgressCornerColor(HDC dc, COLORREF border);

// Inside the 1-pixel border.
RECT ProgressInterior(const RECT& client);

// Pixels of the interior (along the direction of growth) filled at `look`'s
// position.
int ProgressFilledLength(const RECT& client, const ProgressLook& look);

// The part of the client area that covers `span` (counted along the
// direction of growth: from the left, or from the bottom when vertical).
RECT ProgressSpanRect(const RECT& client, const ProgressLook& look, FillSpan span);

// The whole bar: border, corners, background and the fill up to the
// position.
void PaintProgressBar(HDC dc, const RECT& client, const ProgressLook& look);
