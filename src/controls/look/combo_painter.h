#pragma once

#include <windows.h>

struct ComboLook {
  bool enabled = true;
  bool dropped = false;                 // the list is open
  bool hot = false;                     // the mouse is over the control
  COLORREF color = RGB(255, 255, 255);  // the control's own background
};

// The drop-down button at the right end of the control's window, as wide
// as a system scroll bar, inside its 2-pixel client edge: where the standard
// combo box draws its own button.
RECT ComboButtonRect(const RECT& window);

// Resource name of the button face for the state: disabled, then dropped,
// then hot (enabled only), else normal.
const char* ComboButtonBitmapName(const ComboLook& look);

// Colour of the control's 1-pixel frame: the hot frame while the mouse is
// over the enabled control.
COLORREF ComboFrameColor(const ComboLook& look);

// Paints over the standard combo box's client edge and button, on a DC of
// the whole window: a 1-pixel frame, a 1-pixel ring in the control's colour
// inside it, and the button face with its corner pixels.
void PaintComboBox(HDC dc, const RECT& window, const ComboLook& look);
