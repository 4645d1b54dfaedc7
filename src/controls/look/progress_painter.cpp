#include "controls/look/progress_painter.h"

#include <algorithm>
#include <initializer_list>

#include "controls/look/bitmap_source.h"
#include "controls/look/dc_state.h"
#include "controls/look/gradient.h"
#include "controls/look/lighter_shade.h"
#include "controls/look/look_colors.h"
#include "controls/look/look_resources.h"

namespace {

constexpr int kBlockGap = 2;

int Length(const RECT& interior, bool vertical) {
  return vertical ? interior.bottom - interior.top : interior.right - interior.left;
}

int Thickness(const RECT& interior, bool vertical) {
  return vertical ? interior.right - interior.left : interior.bottom - interior.top;
}

HBITMAP FillBitmap(bool vertical) {
  return look_resources::Bitmap(vertical ? look_resources::kProgressFillVertical
                                         : look_resources::kProgressFillHorizontal);
}

// Stretches one line of the fill bitmap across `area`: the bitmap is a
// profile across the bar, the same all along it.
void DrawFill(HDC dc, const BitmapSource& source, const RECT& area, bool vertical) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  if (!source.Valid()) {
    FillSolid(dc, area, look_colors::kCheckTick);
    return;
  }
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.Dc(),
             0, 0, vertical ? source.Width() : 1, vertical ? 1 : source.Height(), SRCCOPY);
}

// Fills `span` of the interior: continuously when smooth, otherwise in
// blocks on a fixed grid from the start, so a partial repaint matches a
// whole one. The fill bitmap is selected once for all blocks: a bar is
// repainted for every file the folder copy reports.
void PaintSpan(HDC dc, const RECT& client, const ProgressLook& look, FillSpan span) {
  const RECT interior = ProgressInterior(client);
  const BitmapSource source(FillBitmap(look.vertical));
  if (look.smooth) {
    DrawFill(dc, source, ProgressSpanRect(client, look, span), look.vertical);
    return;
  }
  const int block = std::max(Thickness(interior, look.vertical) * 2 / 3, 2);
  const int pitch = block + kBlockGap;
  for (int start = span.start / pitch * pitch; start < span.end; start += pitch) {
    const FillSpan filled{std::max(start, span.start), std::min(start + block, span.end)};
    const FillSpan gap{std::max(start + block, span.start), std::min(start + pitch, span.end)};
    if (!filled.Empty())
      DrawFill(dc, source, ProgressSpanRect(client, look, filled), look.vertical);
    if (!gap.Empty()) FillSolid(dc, ProgressSpanRect(client, look, gap), look.color);
  }
}

}  // namespace

COLORREF ProgressCornerColor(HDC dc, COLORREF border) {
  const RgbColor light = LighterShade({GetRValue(border), GetGValue(border), GetBValue(border)},
                                      kProgressCornerLightening);
  return GetNearestColor(dc, RGB(light.red, light.green, light.blue));
}

RECT ProgressInterior(const RECT& client) { return Inset(client, 1); }

int ProgressFilledLength(const RECT& client, const ProgressLook& look) {
  return FilledLength(look.min, look.max, look.position,
                      Length(ProgressInterior(client), look.vertical));
}

RECT ProgressSpanRect(const RECT& client, const ProgressLook& look, FillSpan span) {
  const RECT interior = ProgressInterior(client);
  if (look.vertical)
    return {interior.left, interior.bottom - span.end, interior.right,
            interior.bottom - span.start};
  return {interior.left + span.start, interior.top, interior.left + span.end, interior.bottom};
}

void PaintProgressBar(HDC dc, const RECT& client, const ProgressLook& look) {
  SavedDcState saved(dc, client);
  FrameRectangle(dc, client, look.border);
  const COLORREF corner = ProgressCornerColor(dc, look.border);
  for (const POINT pixel :
       {POINT{client.left, client.top}, POINT{client.right - 1, client.top},
        POINT{client.left, client.bottom - 1}, POINT{client.right - 1, client.bottom - 1}}) {
    SetPixelV(dc, pixel.x, pixel.y, corner);
  }
  const RECT interior = ProgressInterior(client);
  const int filled = ProgressFilledLength(client, look);
  FillSolid(dc, ProgressSpanRect(client, look, {filled, Length(interior, look.vertical)}),
            look.color);
  PaintSpan(dc, client, look, {0, filled});
}
