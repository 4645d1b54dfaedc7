#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

#include "controls/look/check_list_painter.h"
#include "case_name.h"
#include "pixel_canvas.h"
#include "test_font.h"

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

TEST(CheckListLook, CheckAreaIsTheGlyphPlus2AtTheReadingStart) {
  const SIZE glyph = CheckGlyphSize();
  EXPECT_GE(glyph.cx, 11);
  EXPECT_LE(glyph.cx, 20);
  EXPECT_EQ(CheckAreaWidth(), glyph.cx + 2);
  const RECT entry{0, 18, 200, 36};
  const RECT left = CheckAreaRect(entry, false);
  const RECT right = CheckAreaRect(entry, true);
  EXPECT_EQ(left.left, 0);
  EXPECT_EQ(left.right, glyph.cx + 2);
  EXPECT_EQ(right.right, 200);
  EXPECT_EQ(right.left, 200 - glyph.cx - 2);
  EXPECT_EQ(left.top, 18);
  EXPECT_EQ(right.bottom, 36);
}

TEST(CheckListLook, EntryBoxIsCentredInTheCheckArea) {
  PixelCanvas canvas(200, 18, kUntouched);
  for (const bool right_to_left : {false, true}) {
    PaintCheckListEntryBox(canvas.Dc(), canvas.Rect(), {CheckMark::kGrayed, true, true}, right_to_left);
  }
  const SIZE glyph = CheckGlyphSize();
  const int top = (18 - glyph.cy) / 2;
  // Left: the glyph at x = 1 (one of the two spare pixels on each side).
  EXPECT_EQ(canvas.At(1 + 2, top + 6), kFlatFrame);
  EXPECT_EQ(canvas.At(1 + 4, top + 4), kSquare);
  EXPECT_NE(canvas.At(1 + 3, top + 4), kSquare);
  // Right-to-left: the same glyph at the far end.
  const int right_glyph = 200 - glyph.cx - 1;
  EXPECT_EQ(canvas.At(right_glyph + 4, top + 4), kSquare);
  EXPECT_EQ(canvas.At(right_glyph + glyph.cx - 3, top + 6), kFlatFrame);
  EXPECT_EQ(canvas.At(100, 9), kUntouched);
}

TEST(CheckListLook, EntryHeightIsWgPlusOne) {
  const HDC dc = CreateCompatibleDC(nullptr);
  for (const int size : {8, 11, 16, 24}) {
    TestFont font(size);
    const HGDIOBJ old = SelectObject(dc, font.Get());
    SIZE wg{};
    GetTextExtentPoint32A(dc, "Wg", 2, &wg);
    SelectObject(dc, old);
    EXPECT_EQ(CheckListEntryHeight(dc, font.Get()), wg.cy + 1) << size;
    EXPECT_GE(CheckListEntryHeight(dc, font.Get()), size) << size;
  }
  // The caller's font stays selected.
  TestFont big(30);
  const HGDIOBJ old = SelectObject(dc, big.Get());
  TestFont small(8);
  CheckListEntryHeight(dc, small.Get());
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), big.Get());
  SelectObject(dc, old);
  DeleteDC(dc);
}

TEST(CheckListLook, DisabledEntriesAndListsUseGreyText) {
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  const COLORREF normal = RGB(0, 0, 0);
  EXPECT_EQ(CheckListTextColor(true, true, normal), normal);
  EXPECT_EQ(CheckListTextColor(false, true, normal), grey);
  EXPECT_EQ(CheckListTextColor(true, false, normal), grey);
  EXPECT_EQ(CheckListTextColor(false, false, normal), grey);
}

}  // namespace
