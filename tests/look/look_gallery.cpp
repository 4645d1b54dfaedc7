// Draws every painter in every state side by side into one bitmap file, to
// look at the look as a whole: look_gallery.exe OUTPUT.bmp
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <string>

#include "controls/look/button_painter.h"
#include "controls/look/check_glyph_painter.h"
#include "controls/look/collapse_panel_painter.h"
#include "controls/look/combo_painter.h"
#include "controls/look/header_painter.h"
#include "controls/look/progress_painter.h"
#include "framework/graphics.h"
#include "pixel_canvas.h"
#include "test_font.h"

namespace {

constexpr COLORREF kFormColor = RGB(236, 233, 216);

void Fill(HDC dc, const RECT& area, COLORREF color) {
  const HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

// Headers: shown/hidden panel x normal/hot/disabled, with a panel under the first.
void DrawHeaders(HDC dc, HFONT font, int top) {
  const std::wstring caption = TextToWide("\xCE\xEF\xF6\xE8\xE8 / Options", RUSSIAN_CHARSET);
  int left = 10;
  for (const bool collapsed : {true, false}) {
    for (const int state : {0, 1, 2}) {
      HeaderLook look;
      look.collapsed = collapsed;
      look.hot = state == 1;
      look.enabled = state != 2;
      look.font = font;
      look.caption = caption;
      Fill(dc, {left, top, left + 170, top + 100}, RGB(83, 141, 251));
      PaintHeader(dc, {left, top, left + 170, top + 40}, look);
      if (collapsed) PaintCollapsePanel(dc, {left, top + 40, left + 170, top + 100}, {});
      left += 180;
    }
  }
}

// Buttons: normal, pressed, hot, focused with focus rectangle, default, disabled.
void DrawButtons(HDC dc, HFONT font, int top) {
  const std::wstring caption = TextToWide("\xCF\xF0\xE8\xEC\xE5\xED\xE8\xF2\xFC", RUSSIAN_CHARSET);
  int left = 10;
  for (int state = 0; state < 6; ++state) {
    ButtonLook look;
    look.parent_color = kFormColor;
    look.font = font;
    look.caption = caption;
    look.pressed = state == 1;
    look.hot = state == 2;
    look.focused = state == 3;
    look.draw_focus_rect = state == 3;
    look.active_default = state == 4;
    look.enabled = state != 5;
    PaintButton(dc, {left, top, left + 75, top + 25}, look);
    left += 85;
  }
}

// Check glyphs: flat/raised x enabled/disabled x unchecked/checked/grayed.
void DrawChecks(HDC dc, int top) {
  int left = 10;
  for (const bool flat : {true, false}) {
    for (const bool enabled : {true, false}) {
      for (const CheckMark mark :
           {CheckMark::kUnchecked, CheckMark::kChecked, CheckMark::kGrayed}) {
        Fill(dc, {left, top, left + 20, top + 18}, RGB(255, 255, 255));
        PaintCheckGlyph(dc, CenteredCheckGlyph({left, top, left + 20, top + 18}),
                        {mark, flat, enabled});
        left += 24;
      }
      left += 12;
    }
  }
}

// Combo boxes: normal, hot, dropped, disabled.
void DrawCombos(HDC dc, int top) {
  int left = 10;
  for (const ComboLook look : {ComboLook{true, false, false}, ComboLook{true, false, true},
                               ComboLook{true, true, false}, ComboLook{false, false, false}}) {
    Fill(dc, {left, top, left + 145, top + 21}, RGB(255, 255, 255));
    PaintComboBox(dc, {left, top, left + 145, top + 21}, look);
    left += 155;
  }
}

// Progress bars at 0, 35, 70 and 100 percent, in blocks and smooth, across
// and upright.
void DrawProgressBars(HDC dc, int top) {
  int left = 10;
  int column = 670;
  for (const int position : {0, 35, 70, 100}) {
    for (const bool smooth : {false, true}) {
      ProgressLook look;
      look.position = position;
      look.smooth = smooth;
      const int row = smooth ? 22 : 0;
      PaintProgressBar(dc, {left, top + row, left + 149, top + row + 16}, look);
      look.vertical = true;
      PaintProgressBar(dc, {column, top - 40, column + 16, top + 109}, look);
      column += 22;
    }
    left += 160;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: look_gallery OUTPUT.bmp\n");
    return 2;
  }
  PixelCanvas canvas(1100, 400, kFormColor);
  TestFont bold(11, FW_BOLD, RUSSIAN_CHARSET);
  TestFont normal(11, FW_NORMAL, RUSSIAN_CHARSET);
  DrawHeaders(canvas.Dc(), bold.Get(), 10);
  DrawButtons(canvas.Dc(), normal.Get(), 130);
  DrawChecks(canvas.Dc(), 175);
  DrawCombos(canvas.Dc(), 215);
  DrawProgressBars(canvas.Dc(), 260);
  canvas.SaveBitmap(argv[1]);
  return 0;
}
