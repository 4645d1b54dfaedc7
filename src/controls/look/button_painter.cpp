#include "controls/look/button_painter.h"

#include <initializer_list>

#include "controls/look/dc_state.h"
#include "controls/look/gradient.h"
#include "controls/look/look_colors.h"
#include "controls/look/look_text.h"
#include "framework/window_api.h"

namespace {

constexpr int kRingWidth = 3;
constexpr int kFocusRectInset = 2;

void PaintFace(HDC dc, const RECT& client, const ButtonLook& look) {
  using namespace look_colors;
  constexpr auto down = GradientDirection::kTopToBottom;
  if (!look.enabled) {
    FillGradient(dc, client, kWhite, kButtonDisabledEnd, down);
  } else if (look.pressed) {
    FillGradient(dc, client, kButtonPressedStart, kButtonPressedEnd, down);
  } else if (look.hot || look.focused || look.active_default) {
    if (look.hot) {
      FillGradient(dc, client, kButtonHotRingStart, kButtonHotRingEnd, down);
    } else {
      FillGradient(dc, client, kButtonFocusRingStart, kButtonFocusRingEnd, down);
    }
    FillGradient(dc, Inset(client, kRingWidth), kWhite, kFaceEnd, down);
  } else {
    FillGradient(dc, client, kWhite, kFaceEnd, down);
  }
}

// Rounds each corner: the corner pixel shows the parent, the one diagonally
// inside it joins the frame, the two frame pixels beside it soften the edge.
void RoundCorners(HDC dc, const RECT& client, const ButtonLook& look) {
  const COLORREF frame = ButtonFrameColor(look.enabled);
  const COLORREF side =
      look.enabled ? look_colors::kButtonCornerSide : look_colors::kButtonDisabledCornerSide;
  const int right = client.right - 1;
  const int bottom = client.bottom - 1;
  struct Corner {
    int x, y, inward_x, inward_y;
  };
  for (const Corner c : {Corner{client.left, client.top, 1, 1}, Corner{right, client.top, -1, 1},
                         Corner{client.left, bottom, 1, -1}, Corner{right, bottom, -1, -1}}) {
    SetPixelV(dc, c.x, c.y, look.parent_color);
    SetPixelV(dc, c.x + c.inward_x, c.y + c.inward_y, frame);
    SetPixelV(dc, c.x + c.inward_x, c.y, side);
    SetPixelV(dc, c.x, c.y + c.inward_y, side);
  }
}

void PaintCaption(HDC dc, const RECT& client, const ButtonLook& look) {
  RECT area = Inset(client, kRingWidth);
  if (look.enabled && look.pressed) OffsetRect(&area, 1, 1);
  UINT format = DT_CENTER;
  if (!look.show_accel_char) format |= DT_NOPREFIX;
  if (look.word_wrap) {
    // DrawText centres only single lines vertically; measure and place.
    RECT measured = area;
    window_api::DrawTextIn(dc, look.caption, measured, format | DT_WORDBREAK | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    area.top += (area.bottom - area.top - height) / 2;
    format |= DT_WORDBREAK;
  } else {
    format |= DT_VCENTER | DT_SINGLELINE;
  }
  const COLORREF color = look.enabled ? look.text_color : GetSysColor(COLOR_GRAYTEXT);
  DrawLookText(dc, look.caption, area, format, look.font, color);
}

}  // namespace

COLORREF ButtonFrameColor(bool enabled) {
  return enabled ? look_colors::kButtonFrame : look_colors::kDisabledFrame;
}

void PaintButton(HDC dc, const RECT& client, const ButtonLook& look) {
  SavedDcState saved(dc, client);
  PaintFace(dc, client, look);
  FrameRectangle(dc, client, ButtonFrameColor(look.enabled));
  RoundCorners(dc, client, look);
  if (look.font) SelectObject(dc, look.font);
  PaintCaption(dc, client, look);
  if (look.draw_focus_rect && look.focused && look.enabled) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    const RECT focus = Inset(client, kFocusRectInset);
    DrawFocusRect(dc, &focus);
  }
}
