#include "controls/look/check_list_painter.h"

#include "controls/look/dc_state.h"

int CheckAreaWidth() { return CheckGlyphSize().cx + 2; }

int CheckListEntryHeight(HDC dc, HFONT font) {
  SavedDcState saved(dc);
  if (font) SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32A(dc, "Wg", 2, &extent);
  return extent.cy + 1;
}

RECT CheckAreaRect(const RECT& entry, bool right_to_left) {
  const int width = CheckAreaWidth();
  if (right_to_left) return {entry.right - width, entry.top, entry.right, entry.bottom};
  return {entry.left, entry.top, entry.left + width, entry.bottom};
}

COLORREF CheckListTextColor(bool entry_enabled, bool list_enabled, COLORREF normal) {
  return entry_enabled && list_enabled ? normal : GetSysColor(COLOR_GRAYTEXT);
}

void PaintCheckListEntryBox(HDC dc, const RECT& entry, const CheckGlyphLook& look, bool right_to_left) {
  PaintCheckGlyph(dc, CenteredCheckGlyph(CheckAreaRect(entry, right_to_left)), look);
}
