#pragma once

#include <windows.h>

#include "controls/look/check_glyph_painter.h"

// Width of the check area at the start of each entry: the glyph plus 2.
int CheckAreaWidth();

// Entry height of the standard list style: the height of "Wg" in `font`
// plus 1.
int CheckListEntryHeight(HDC dc, HFONT font);

// The check area of an entry: at its start, or at its end for right-to-left
// reading.
RECT CheckAreaRect(const RECT& entry, bool right_to_left);

// Text colour of an entry: the system grey-text colour for a disabled entry
// or while the whole list is disabled, otherwise `normal`.
COLORREF CheckListTextColor(bool entry_enabled, bool list_enabled, COLORREF normal);

// Draws an entry's check box (before the entry's text is drawn).
void PaintCheckListEntryBox(HDC dc, const RECT& entry, const CheckGlyphLook& look, bool right_to_left);
