#include "controls/look/combo_painter.h"

#include <initializer_list>

#include "controls/look/bitmap_source.h"
#include "controls/look/dc_state.h"
#include "controls/look/gradient.h"
#include "controls/look/look_colors.h"
#include "controls/look/look_resources.h"

namespace {

void DrawButtonFace(HDC dc, const RECT& button, const char* bitmap_name) {
  const BitmapSource source(look_resources::Bitmap(bitmap_name));
  if (!source.Valid()) return;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, button.left, button.top, button.right - button.left, button.bottom - button.top,
             source.Dc(), 0, 0, source.Width(), source.Height(), SRCCOPY);
}

}  // namespace

RECT ComboButtonRect(const RECT& window) {
  constexpr int kEdge = 2;
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  return {window.right - kEdge - width, window.top + kEdge, window.right - kEdge,
          window.bottom - kEdge};
}

const char* ComboButtonBitmapName(const ComboLook& look) {
  using namespace look_resources;
  if (!look.enabled) return kComboButtonDisabled;
  if (look.dropped) return kComboButtonDown;
  return look.hot ? kComboButtonHot : kComboButtonNormal;
}

COLORREF ComboFrameColor(const ComboLook& look) {
  if (!look.enabled) return look_colors::kComboDisabledFrame;
  return look.hot ? look_colors::kComboHotFrame : look_colors::kComboFrame;
}

void PaintComboBox(HDC dc, const RECT& window, const ComboLook& look) {
  SavedDcState saved(dc, window);
  FrameRectangle(dc, window, ComboFrameColor(look));
  FrameRectangle(dc, Inset(window, 1), look.color);
  const RECT button = ComboButtonRect(window);
  DrawButtonFace(dc, button, ComboButtonBitmapName(look));
  for (const POINT corner :
       {POINT{button.left, button.top}, POINT{button.right - 1, button.top},
        POINT{button.left, button.bottom - 1}, POINT{button.right - 1, button.bottom - 1}}) {
    SetPixelV(dc, corner.x, corner.y, look_colors::kComboButtonCorner);
  }
}
