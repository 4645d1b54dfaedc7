#pragma once

#include <windows.h>

enum class CheckMark { kUnchecked, kChecked, kGrayed };

struct CheckGlyphLook {
  CheckMark mark = CheckMark::kUnchecked;
  bool flat = true;
  bool enabled = true;  // false while the list (or check box) is disabled
};

// Size of the system's check-box glyph.
SIZE CheckGlyphSize();

// The glyph rectangle centred in `area`.
RECT CenteredCheckGlyph(const RECT& area);

// The tick: six one-pixel lines, as {from, to} pairs (the end point is not
// drawn), measured from the glyph's corner inset by 2.
struct TickLine {
  POINT from;
  POINT to;
};
inline constexpr TickLine kTickLines[6] = {
    {{2, 4}, {6, 8}}, {{2, 5}, {5, 8}}, {{2, 6}, {5, 9}},
    {{8, 2}, {4, 6}}, {{8, 3}, {4, 7}}, {{8, 4}, {5, 7}},
};

COLORREF CheckFrameColor(const CheckGlyphLook& look);
COLORREF CheckTickColor(bool enabled);
COLORREF CheckGrayedColor(bool enabled);

// Inside gradient, frame, then the tick or the grayed square.
void PaintCheckGlyph(HDC dc, const RECT& glyph, const CheckGlyphLook& look);
