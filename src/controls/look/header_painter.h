#pragma once

#include <windows.h>
#include <commctrl.h>

#include "controls/look/look_colors.h"

#include <string_view>

// What the header's painting depends on.
struct HeaderLook {
  bool collapsed = true;  // true: the linked panel is shown, the arrow points up
  bool hot = false;       // the mouse is inside the strip and hot overlay is on
  bool enabled = true;
  int border = 4;
  COLORREF color = RGB(83, 141, 251);
  COLORREF hot_color = RGB(89, 154, 251);
  COLORREF font_color = look_colors::kHeaderCaption;
  HFONT font = nullptr;
  HIMAGELIST images = nullptr;
  int image_index = -1;
  std::wstring_view caption;
};

// Height of the clickable strip at the bottom of the header.
inline constexpr int kHeaderStripHeight = 26;

// The strip: the bottom 26 pixels, inset by `border` left and right.
RECT HeaderStripRect(const RECT& client, int border);

// Arrow and caption colour for the state: disabled beats hot. A disabled
// caption is grey unless its font colour differs from the designed blue.
COLORREF HeaderArrowColor(const HeaderLook& look);
COLORREF HeaderCaptionColor(const HeaderLook& look);

// Where the button face sits: 25 pixels from the strip's right end, 3 below
// its top, as large as its bitmap (19 x 19 without one).
RECT HeaderButtonRect(const RECT& strip);

// Paints the whole header: background in `color` above the strip, the strip
// with its gradient, button face, arrow, image, caption and rounded corners.
void PaintHeader(HDC dc, const RECT& client, const HeaderLook& look);
