// The system's check-box bitmap (OBM_CHECKBOXES) is an OEM resource.
#define OEMRESOURCE
#include "controls/look/check_glyph_painter.h"

#include "controls/look/dc_state.h"
#include "controls/look/gradient.h"
#include "controls/look/look_colors.h"

namespace {

constexpr int kInsideInset = 2;
constexpr int kFlatFrameInset = 2;
constexpr int kFrameInset = 1;
constexpr int kGrayedSquareInset = 4;
constexpr int kTickOrigin = 2;

}  // namespace

SIZE CheckGlyphSize() {
  // The bitmap holds the glyphs of every state, four across and three down.
  static const SIZE size = [] {
    SIZE glyph{13, 13};
    const HBITMAP boxes = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECKBOXES));
    BITMAP info{};
    if (boxes && GetObjectA(boxes, sizeof info, &info) != 0)
      glyph = {info.bmWidth / 4, info.bmHeight / 3};
    if (boxes) DeleteObject(boxes);
    return glyph;
  }();
  return size;
}

RECT CenteredCheckGlyph(const RECT& area) {
  const SIZE size = CheckGlyphSize();
  const int left = area.left + (area.right - area.left - size.cx) / 2;
  const int top = area.top + (area.bottom - area.top - size.cy) / 2;
  return {left, top, left + size.cx, top + size.cy};
}

COLORREF CheckFrameColor(const CheckGlyphLook& look) {
  return look.flat || !look.enabled ? look_colors::kDisabledFrame : look_colors::kCheckFrame;
}

COLORREF CheckTickColor(bool enabled) {
  return enabled ? look_colors::kCheckTick : look_colors::kCheckDisabledMark;
}

COLORREF CheckGrayedColor(bool enabled) {
  return enabled ? look_colors::kCheckGrayedSquare : look_colors::kCheckDisabledMark;
}

void PaintCheckGlyph(HDC dc, const RECT& glyph, const CheckGlyphLook& look) {
  SavedDcState saved(dc, glyph);
  FillGradient(dc, Inset(glyph, kInsideInset), look_colors::kWhite, look_colors::kFaceEnd,
               GradientDirection::kTopToBottom);
  FrameRectangle(dc, Inset(glyph, look.flat ? kFlatFrameInset : kFrameInset),
                 CheckFrameColor(look));
  if (look.mark == CheckMark::kChecked) {
    const HPEN pen = CreatePen(PS_SOLID, 1, CheckTickColor(look.enabled));
    SelectObject(dc, pen);
    const int x = glyph.left + kTickOrigin;
    const int y = glyph.top + kTickOrigin;
    for (const TickLine& line : kTickLines) {
      MoveToEx(dc, x + line.from.x, y + line.from.y, nullptr);
      LineTo(dc, x + line.to.x, y + line.to.y);
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
  } else if (look.mark == CheckMark::kGrayed) {
    FillSolid(dc, Inset(glyph, kGrayedSquareInset), CheckGrayedColor(look.enabled));
  }
}
