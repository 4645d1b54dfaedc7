#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

#include "controls/look/check_glyph_painter.h"
#include "case_name.h"
#include "pixel_canvas.h"

namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr COLORREF kTick = RGB(40, 176, 51);
constexpr COLORREF kSquare = RGB(43, 189, 53);
constexpr COLORREF kDisabledMark = RGB(180, 180, 180);
constexpr COLORREF kFlatFrame = RGB(184, 170, 154);
constexpr COLORREF kFrame = RGB(0, 108, 108);

// The tick's pixels, from the glyph's corner inset by 2: six 45-degree lines
// each drawn without its end point.
std::set<std::pair<int, int>> TickPixels() {
  return {{2, 4}, {3, 5}, {4, 6}, {5, 7},  // (2,4)-(6,8)
          {2, 5}, {3, 6}, {4, 7},          // (2,5)-(5,8)
          {2, 6}, {3, 7}, {4, 8},          // (2,6)-(5,9)
          {8, 2}, {7, 3}, {6, 4}, {5, 5},  // (8,2)-(4,6)
          {8, 3}, {7, 4}, {6, 5}, {5, 6},  // (8,3)-(4,7)
          {8, 4}, {7, 5}, {6, 6}};         // (8,4)-(5,7)
}

struct GlyphCase {
  const char* name;
  bool flat;
  bool enabled;
  COLORREF frame;
  int frame_inset;
};

const GlyphCase kGlyphCases[] = {
    {"flat", true, true, kFlatFrame, 2},
    {"flat_disabled", true, false, kFlatFrame, 2},
    {"raised", false, true, kFrame, 1},
    {"raised_disabled", false, false, kFlatFrame, 1},
};

class CheckGlyphTest : public testing::TestWithParam<GlyphCase> {
 protected:
  // A 13 x 13 glyph at (5, 5) on a larger canvas.
  static constexpr int kOrigin = 5;
  static constexpr int kSize = 13;
  std::unique_ptr<PixelCanvas> Render(CheckMark mark) const {
    auto canvas = std::make_unique<PixelCanvas>(kSize + 10, kSize + 10, kUntouched);
    const RECT glyph{kOrigin, kOrigin, kOrigin + kSize, kOrigin + kSize};
    PaintCheckGlyph(canvas->Dc(), glyph, {mark, GetParam().flat, GetParam().enabled});
    return canvas;
  }
};

TEST_P(CheckGlyphTest, FrameByFlatAndState) {
  const auto canvas = Render(CheckMark::kUnchecked);
  const int inset = GetParam().frame_inset;
  const int near_edge = kOrigin + inset;
  const int far_edge = kOrigin + kSize - 1 - inset;
  for (const int along : {kOrigin + 3, kOrigin + 6, kOrigin + 9}) {
    EXPECT_EQ(canvas->At(near_edge, along), GetParam().frame);
    EXPECT_EQ(canvas->At(far_edge, along), GetParam().frame);
    EXPECT_EQ(canvas->At(along, near_edge), GetParam().frame);
    EXPECT_EQ(canvas->At(along, far_edge), GetParam().frame);
  }
  // Outside the frame the glyph leaves the background alone.
  EXPECT_EQ(canvas->At(kOrigin + inset - 1, kOrigin + 6), kUntouched);
  // Inside: the gradient from white at the top to (239, 235, 231).
  const RECT inside{kOrigin + 3, kOrigin + 3, kOrigin + kSize - 3, kOrigin + kSize - 3};
  EXPECT_TRUE(Near(canvas->At(kOrigin + 6, inside.top), RGB(255, 255, 255), 4));
  EXPECT_TRUE(Near(canvas->At(kOrigin + 6, inside.bottom - 1), RGB(239, 235, 231), 4));
  if (!GetParam().flat) {
    // Without the flat frame the gradient's end lines show.
    EXPECT_EQ(canvas->At(kOrigin + 6, kOrigin + 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas->At(kOrigin + 6, kOrigin + kSize - 3), RGB(239, 235, 231));
  }
  EXPECT_EQ(canvas->Count(canvas->Rect(), kTick), 0);
}

TEST_P(CheckGlyphTest, TickIsExactlyTheSixLines) {
  const auto canvas = Render(CheckMark::kChecked);
  const COLORREF tick = GetParam().enabled ? kTick : kDisabledMark;
  const COLORREF other = GetParam().enabled ? kDisabledMark : kTick;
  const auto expected = TickPixels();
  for (int y = 0; y < canvas->Height(); ++y) {
    for (int x = 0; x < canvas->Width(); ++x) {
      const bool in_tick = expected.count({x - kOrigin - 2, y - kOrigin - 2}) > 0;
      EXPECT_EQ(canvas->At(x, y) == tick, in_tick) << "pixel " << x - kOrigin << "," << y - kOrigin;
      EXPECT_NE(canvas->At(x, y), other);
    }
  }
}

TEST_P(CheckGlyphTest, GrayedIsASquareInsetBy4) {
  const auto canvas = Render(CheckMark::kGrayed);
  const COLORREF square = GetParam().enabled ? kSquare : kDisabledMark;
  const RECT expected{kOrigin + 4, kOrigin + 4, kOrigin + kSize - 4, kOrigin + kSize - 4};
  EXPECT_EQ(canvas->Count(expected, square), (kSize - 8) * (kSize - 8));
  EXPECT_EQ(canvas->Count(canvas->Rect(), square), (kSize - 8) * (kSize - 8));
  EXPECT_EQ(canvas->Count(canvas->Rect(), kTick), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckGlyphTest, testing::ValuesIn(kGlyphCases), CaseName());

TEST(CheckGlyphLook, SystemSizedGlyphCentredInItsArea) {
  const SIZE glyph = CheckGlyphSize();
  EXPECT_GE(glyph.cx, 11);
  EXPECT_LE(glyph.cx, 20);
  EXPECT_GE(glyph.cy, 11);
  EXPECT_LE(glyph.cy, 20);
  const RECT area{10, 18, 10 + glyph.cx + 2, 18 + 20};
  const RECT centred = CenteredCheckGlyph(area);
  EXPECT_EQ(centred.left, 11);
  EXPECT_EQ(centred.right - centred.left, glyph.cx);
  EXPECT_EQ(centred.top - area.top, area.bottom - centred.bottom - (20 - glyph.cy) % 2);
}

}  // namespace
