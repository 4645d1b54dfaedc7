#include "controls/look/gradient.h"

#include <cmath>

namespace {

BYTE Mix(BYTE from, BYTE to, int step, int last) {
  return static_cast<BYTE>(std::lround(from + (to - from) * static_cast<double>(step) / last));
}

COLORREF MixColor(COLORREF from, COLORREF to, int step, int last) {
  if (last == 0) return from;
  return RGB(Mix(GetRValue(from), GetRValue(to), step, last),
             Mix(GetGValue(from), GetGValue(to), step, last),
             Mix(GetBValue(from), GetBValue(to), step, last));
}

}  // namespace

void FillSolid(HDC dc, const RECT& area, COLORREF color) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  // ExtTextOut with an opaque rectangle fills without creating a brush.
  const COLORREF old = SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void FillGradient(HDC dc, const RECT& area, COLORREF from, COLORREF to,
                  GradientDirection direction) {
  const bool vertical = direction == GradientDirection::kTopToBottom;
  const int lines = vertical ? area.bottom - area.top : area.right - area.left;
  for (int i = 0; i < lines; ++i) {
    const RECT line = vertical ? RECT{area.left, area.top + i, area.right, area.top + i + 1}
                               : RECT{area.left + i, area.top, area.left + i + 1, area.bottom};
    FillSolid(dc, line, MixColor(from, to, i, lines - 1));
  }
}

void FrameRectangle(HDC dc, const RECT& area, COLORREF color) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  FillSolid(dc, {area.left, area.top, area.right, area.top + 1}, color);
  FillSolid(dc, {area.left, area.bottom - 1, area.right, area.bottom}, color);
  FillSolid(dc, {area.left, area.top, area.left + 1, area.bottom}, color);
  FillSolid(dc, {area.right - 1, area.top, area.right, area.bottom}, color);
}

RECT Inset(const RECT& area, int by) {
  return {area.left + by, area.top + by, area.right - by, area.bottom - by};
}
