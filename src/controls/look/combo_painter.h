#pragma once

#include <windows.h>

struct ComboLook {
  bool enabled = true;
  bool dropped = false;  // the list is open
  bool hot = false;      // the mouse is over the control
  COLORREF color = RGB(255, 255, 255);  // the control's own background
};

// The drop-down button at the control's right end, about as wide as a
// system scroll bar, inside the 1-pixel frame; it covers the standard
// button.
RECT ComboButtonRect(const RECT& client);

// Resource name of the button face for the state: disabled, then dropped,
// then hot (enabled only), else normal.
const char* ComboButtonBitmapName(const ComboLook& look);

// Colour of the control's 1-pixel frame: the hot frame while the mouse is
// over the enabled control.
COLORREF ComboFrameColor(const ComboLook& look);

// Paints over the standard combo box's border and button: the frame, a
// 1-pixel ring in the control's colour inside it, and the button face with
// its corner pixels.
void PaintComboBox(HDC dc, const RECT& client, const ComboLook& look);
