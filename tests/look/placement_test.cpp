// Every painter draws the same picture wherever its client rectangle lies,
// and nothing outside it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "case_name.h"
#include "controls/look/button_painter.h"
#include "controls/look/check_glyph_painter.h"
#include "controls/look/collapse_panel_painter.h"
#include "controls/look/combo_painter.h"
#include "controls/look/header_painter.h"
#include "controls/look/progress_painter.h"
#include "pixel_canvas.h"
#include "test_font.h"

namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);

struct Placement {
  const char* name;
  SIZE size;
  std::function<void(HDC, const RECT&)> paint;
};

const TestFont& CaptionFont() {
  static const TestFont font(11, FW_BOLD);
  return font;
}

HIMAGELIST OneImage() {
  static const HIMAGELIST images = [] {
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    PixelCanvas picture(16, 16, RGB(200, 0, 0));
    const HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, 16, 16, picture.Dc(), 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_Add(list, bitmap, nullptr);
    DeleteObject(bitmap);
    return list;
  }();
  return images;
}

const Placement kPlacements[] = {
    {"header",
     {170, 40},
     [](HDC dc, const RECT& r) {
       HeaderLook look;
       look.font = CaptionFont().Get();
       look.caption = L"Options of the run";
       look.images = OneImage();
       look.image_index = 0;
       PaintHeader(dc, r, look);
     }},
    {"collapse_panel", {170, 120}, [](HDC dc, const RECT& r) { PaintCollapsePanel(dc, r, {}); }},
    {"button",
     {75, 25},
     [](HDC dc, const RECT& r) {
       ButtonLook look;
       look.focused = true;
       look.draw_focus_rect = true;
       look.font = CaptionFont().Get();
       look.caption = L"Apply";
       PaintButton(dc, r, look);
     }},
    {"check_glyph",
     {13, 13},
     [](HDC dc, const RECT& r) {
       PaintCheckGlyph(dc, r, {CheckMark::kChecked, false, true});
     }},
    {"combo",
     {145, 21},
     [](HDC dc, const RECT& r) {
       PaintComboBox(dc, r, {true, false, true});
     }},
    {"progress",
     {149, 16},
     [](HDC dc, const RECT& r) {
       ProgressLook look;
       look.position = 45;
       PaintProgressBar(dc, r, look);
     }},
    {"progress_vertical",
     {16, 149},
     [](HDC dc, const RECT& r) {
       ProgressLook look;
       look.position = 45;
       look.vertical = true;
       PaintProgressBar(dc, r, look);
     }},
};

class PlacementTest : public testing::TestWithParam<Placement> {};

TEST_P(PlacementTest, SamePictureAtAnyOffsetAndNothingOutside) {
  const SIZE size = GetParam().size;
  PixelCanvas at_origin(size.cx, size.cy, kUntouched);
  GetParam().paint(at_origin.Dc(), at_origin.Rect());

  constexpr int kDx = 37;
  constexpr int kDy = 23;
  PixelCanvas shifted(size.cx + 2 * kDx, size.cy + 2 * kDy, kUntouched);
  GetParam().paint(shifted.Dc(), {kDx, kDy, kDx + size.cx, kDy + size.cy});

  int differences = 0;
  for (int y = 0; y < shifted.Height(); ++y) {
    for (int x = 0; x < shifted.Width(); ++x) {
      const bool inside = x >= kDx && x < kDx + size.cx && y >= kDy && y < kDy + size.cy;
      const COLORREF expected = inside ? at_origin.At(x - kDx, y - kDy) : kUntouched;
      if (shifted.At(x, y) != expected && differences++ < 5) {
        ADD_FAILURE() << "pixel " << x - kDx << "," << y - kDy << ": "
                      << ColorText(shifted.At(x, y)) << " vs " << ColorText(expected);
      }
    }
  }
  EXPECT_EQ(differences, 0);
  // The painter drew something.
  EXPECT_LT(at_origin.Count(at_origin.Rect(), kUntouched), size.cx * size.cy);
}

INSTANTIATE_TEST_SUITE_P(Painters, PlacementTest, testing::ValuesIn(kPlacements), CaseName());

}  // namespace
