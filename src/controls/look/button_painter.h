#pragma once

#include <windows.h>

#include <string_view>

struct ButtonLook {
  bool enabled = true;
  bool pressed = false;  // held down by mouse or key
  bool hot = false;      // the mouse is over it
  bool focused = false;
  bool active_default = false;  // the default button of the active window
  bool draw_focus_rect = false;
  bool word_wrap = false;
  bool show_accel_char = true;
  COLORREF parent_color = GetSysColor(COLOR_BTNFACE);
  COLORREF text_color = RGB(0, 0, 0);
  HFONT font = nullptr;
  std::wstring_view caption;
};

COLORREF ButtonFrameColor(bool enabled);

void PaintButton(HDC dc, const RECT& client, const ButtonLook& look);
