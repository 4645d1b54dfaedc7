#include <gtest/gtest.h>

#include <initializer_list>

#include "controls/look/collapse_panel_painter.h"
#include "controls/look/header_painter.h"
#include "case_name.h"
#include "pixel_canvas.h"
#include "test_font.h"

namespace {

constexpr COLORREF kHeaderBlue = RGB(83, 141, 251);
constexpr COLORREF kHotBlue = RGB(89, 154, 251);
constexpr COLORREF kArrowBlue = RGB(5, 92, 224);
constexpr COLORREF kDisabled = RGB(184, 170, 154);
constexpr COLORREF kGradientEnd = RGB(198, 215, 247);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kCaptionBlue = RGB(5, 92, 224);
constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr COLORREF kRed = RGB(255, 0, 0);

struct HeaderState {
  const char* name;
  bool hot;
  bool enabled;
  COLORREF arrow;
  COLORREF caption;
  COLORREF font = kCaptionBlue;
};

const HeaderState kStates[] = {
    {"normal", false, true, kArrowBlue, kCaptionBlue},
    {"hot", true, true, kHotBlue, kHotBlue},
    {"disabled", false, false, kDisabled, kDisabled},
    // A disabled header never looks hot.
    {"hot_disabled", true, false, kDisabled, kDisabled},
    // The red warning of the window without packages stays red.
    {"disabled_red_font", false, false, kDisabled, kRed, kRed},
};

class HeaderLookTest : public testing::TestWithParam<HeaderState> {
 protected:
  static constexpr int kWidth = 170;
  static constexpr int kHeight = 40;
  HeaderLook Look(bool collapsed, std::wstring_view caption) const {
    HeaderLook look;
    look.collapsed = collapsed;
    look.hot = GetParam().hot;
    look.enabled = GetParam().enabled;
    look.font_color = GetParam().font;
    look.font = font_.Get();
    look.caption = caption;
    return look;
  }
  TestFont font_{11, FW_BOLD};
};

TEST_P(HeaderLookTest, StripHasGradientBackgroundAndRoundedCorners) {
  PixelCanvas canvas(kWidth, kHeight, kUntouched);
  PaintHeader(canvas.Dc(), canvas.Rect(), Look(true, L""));
  const RECT strip = HeaderStripRect(canvas.Rect(), 4);
  ASSERT_EQ(strip.top, kHeight - 26);
  // Above and beside the strip: the header's colour.
  EXPECT_EQ(canvas.At(80, 0), kHeaderBlue);
  EXPECT_EQ(canvas.At(80, strip.top - 1), kHeaderBlue);
  EXPECT_EQ(canvas.At(3, 30), kHeaderBlue);
  EXPECT_EQ(canvas.At(kWidth - 4, 30), kHeaderBlue);
  // The three corner pixels at each top corner take the colour too.
  for (const POINT p : {POINT{4, strip.top}, POINT{5, strip.top}, POINT{4, strip.top + 1},
                        POINT{kWidth - 5, strip.top}, POINT{kWidth - 6, strip.top},
                        POINT{kWidth - 5, strip.top + 1}}) {
    EXPECT_EQ(canvas.At(p.x, p.y), kHeaderBlue) << p.x << "," << p.y;
  }
  // Just inside them the strip is white on the left ...
  for (const POINT p : {POINT{6, strip.top}, POINT{5, strip.top + 1}, POINT{4, strip.top + 2},
                        POINT{4, kHeight - 1}}) {
    EXPECT_EQ(canvas.At(p.x, p.y), kWhite) << p.x << "," << p.y;
  }
  // ... and the gradient starts white 40 pixels in and ends in its blue at the right end.
  EXPECT_EQ(canvas.At(4 + 39, kHeight - 1), kWhite);
  EXPECT_EQ(canvas.At(4 + 40, kHeight - 1), kWhite);
  EXPECT_NE(canvas.At(4 + 60, kHeight - 1), kWhite);
  EXPECT_EQ(canvas.At(kWidth - 5, kHeight - 1), kGradientEnd);
  EXPECT_EQ(canvas.At(kWidth - 6, strip.top + 1), kGradientEnd)
      << ColorText(canvas.At(kWidth - 6, strip.top + 1));
}

// The arrow: the apex of its first chevron lies at the top when it points up
// (panel shown), at the bottom when it points down.
TEST_P(HeaderLookTest, ArrowFollowsCollapsedInTheStateColour) {
  for (const bool collapsed : {true, false}) {
    PixelCanvas canvas(kWidth, kHeight, kUntouched);
    PaintHeader(canvas.Dc(), canvas.Rect(), Look(collapsed, L""));
    const RECT face = HeaderButtonRect(HeaderStripRect(canvas.Rect(), 4));
    EXPECT_EQ(face.left, kWidth - 4 - 25);
    EXPECT_EQ(face.top, kHeight - 26 + 3);
    const int cx = (face.left + face.right) / 2;
    const int top = (face.top + face.bottom) / 2 - 4;
    const int apex_y = collapsed ? top : top + 8;
    const int open_y = collapsed ? top + 8 : top;
    const COLORREF arrow = GetParam().arrow;
    EXPECT_EQ(canvas.At(cx, apex_y), arrow) << "collapsed=" << collapsed;
    EXPECT_EQ(canvas.At(cx - 3, apex_y), canvas.At(cx + 3, apex_y));
    EXPECT_NE(canvas.At(cx - 3, apex_y), arrow);
    EXPECT_EQ(canvas.At(cx - 3, open_y), arrow);
    EXPECT_EQ(canvas.At(cx + 3, open_y), arrow);
    EXPECT_NE(canvas.At(cx, open_y), arrow);
    // The arrow lies inside the face, which hides the strip under it.
    EXPECT_GE(canvas.Count(face, arrow), 28);
    EXPECT_EQ(canvas.Count({face.left - 2, face.top, face.left, face.bottom}, arrow), 0);
  }
}

TEST_P(HeaderLookTest, CaptionIsDrawnInTheStateColourAndCutBeforeTheButton) {
  PixelCanvas canvas(kWidth, kHeight, kUntouched);
  const std::wstring caption(40, L'W');
  PaintHeader(canvas.Dc(), canvas.Rect(), Look(true, caption));
  const RECT strip = HeaderStripRect(canvas.Rect(), 4);
  const COLORREF expected = GetParam().caption;
  const RECT caption_area{strip.left + 10, strip.top, strip.right - 28, strip.bottom};
  EXPECT_GT(canvas.Count(caption_area, expected), 100);
  // Nothing left of its start, nothing past its end (the ellipsis ends it).
  EXPECT_EQ(canvas.Count({0, strip.top, strip.left + 10, strip.bottom}, expected), 0);
  EXPECT_EQ(canvas.Count({strip.right - 28, strip.top, strip.right - 25, strip.bottom}, expected),
            0);
  // The text ends in the ellipsis: its last few columns hold dots on the
  // baseline, not the full-height strokes of a "W".
  int last_column = -1;
  for (int x = caption_area.left; x < caption_area.right; ++x) {
    if (canvas.Count({x, strip.top, x + 1, strip.bottom}, expected) > 0) last_column = x;
  }
  ASSERT_GT(last_column, caption_area.right - 20);
  int rows_with_dots = 0;
  for (int y = strip.top; y < strip.bottom; ++y) {
    rows_with_dots +=
        canvas.Count({last_column - 6, y, last_column + 1, y + 1}, expected) > 0 ? 1 : 0;
  }
  EXPECT_GE(rows_with_dots, 1);
  EXPECT_LE(rows_with_dots, 3);
  // The caption sits vertically centred in the strip.
  int first_row = -1;
  int last_row = -1;
  for (int y = 0; y < kHeight; ++y) {
    if (canvas.Count({caption_area.left, y, caption_area.left + 40, y + 1}, expected) > 0) {
      if (first_row < 0) first_row = y;
      last_row = y;
    }
  }
  const int strip_middle = (strip.top + strip.bottom) / 2;
  EXPECT_NEAR((first_row + last_row) / 2.0, strip_middle, 2.0);
}

INSTANTIATE_TEST_SUITE_P(States, HeaderLookTest, testing::ValuesIn(kStates), CaseName());

TEST(HeaderLook, ImageGoesAtTheLeftAndPushesTheCaption) {
  const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
  PixelCanvas red(16, 16, RGB(200, 0, 0));
  HBITMAP image = CreateCompatibleBitmap(GetDC(nullptr), 16, 16);
  {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, image);
    BitBlt(dc, 0, 0, 16, 16, red.Dc(), 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  ASSERT_EQ(ImageList_Add(images, image, nullptr), 0);
  DeleteObject(image);

  TestFont font(11, FW_BOLD);
  PixelCanvas canvas(170, 40, kUntouched);
  HeaderLook look;
  look.images = images;
  look.image_index = 0;
  look.font = font.Get();
  look.caption = L"IIIIIIII";
  PaintHeader(canvas.Dc(), canvas.Rect(), look);
  const int middle = 40 - 13;
  EXPECT_EQ(canvas.At(3, middle), RGB(200, 0, 0));
  EXPECT_EQ(canvas.At(3 + 15, middle), RGB(200, 0, 0));
  EXPECT_NE(canvas.At(3 + 16, middle), RGB(200, 0, 0));
  // The caption starts 2 pixels after the image, not 10 after the strip.
  EXPECT_EQ(canvas.Count({0, 14, 3 + 16 + 2, 40}, kCaptionBlue), 0);
  EXPECT_GT(canvas.Count({3 + 16 + 2, 14, 3 + 16 + 6, 40}, kCaptionBlue), 0);

  // An index past the list draws no image; the caption keeps its place.
  PixelCanvas without(170, 40, kUntouched);
  look.image_index = 5;
  PaintHeader(without.Dc(), without.Rect(), look);
  EXPECT_EQ(without.Count(without.Rect(), RGB(200, 0, 0)), 0);
  EXPECT_EQ(without.Count({0, 14, 4 + 10, 40}, kCaptionBlue), 0);
  EXPECT_GT(without.Count({4 + 10, 14, 4 + 14, 40}, kCaptionBlue), 0);
  ImageList_Destroy(images);
}

TEST(HeaderLook, StripIsTheBottom26PixelsInsideTheBorder) {
  struct Case {
    RECT client;
    int border;
    RECT strip;
  };
  for (const Case c :
       {Case{{0, 0, 170, 40}, 4, {4, 14, 166, 40}}, Case{{0, 0, 170, 40}, 0, {0, 14, 170, 40}},
        Case{{10, 20, 110, 80}, 7, {17, 54, 103, 80}}}) {
    const RECT strip = HeaderStripRect(c.client, c.border);
    EXPECT_TRUE(EqualRect(&strip, &c.strip))
        << strip.left << "," << strip.top << "," << strip.right << "," << strip.bottom;
  }
}

// Headers too small for the strip, button or gradient still paint only
// inside their own area.
TEST(HeaderLook, SmallHeadersPaintOnlyInsideTheirArea) {
  for (const SIZE size : {SIZE{20, 40}, SIZE{60, 10}, SIZE{1, 1}, SIZE{0, 0}}) {
    PixelCanvas canvas(size.cx + 60, size.cy + 60, kUntouched);
    HeaderLook look;
    look.caption = L"Caption";
    PaintHeader(canvas.Dc(), {30, 30, 30 + size.cx, 30 + size.cy}, look);
    const int outside = canvas.Width() * canvas.Height() - size.cx * size.cy;
    EXPECT_EQ(canvas.Count(canvas.Rect(), kUntouched), outside) << size.cx << "x" << size.cy;
  }
}

TEST(CollapsePanelLook, InnerRectangleIsInsetAndFramed) {
  constexpr COLORREF kFrame = RGB(255, 255, 255);
  constexpr COLORREF kBackground = RGB(83, 141, 251);
  constexpr COLORREF kInner = RGB(203, 219, 248);
  for (const int border : {4, 0, 9}) {
    PixelCanvas canvas(170, 120, kUntouched);
    PaintCollapsePanel(canvas.Dc(), canvas.Rect(), {border, kFrame, kBackground, kInner});
    SCOPED_TRACE(border);
    const int right = 170 - border - 1;
    const int bottom = 120 - 5;
    // The top line lies one pixel above the panel: row 0 is already inside.
    EXPECT_EQ(canvas.At(80, 0), kInner);
    EXPECT_EQ(canvas.At(border, 0), kFrame);
    EXPECT_EQ(canvas.At(right, 0), kFrame);
    EXPECT_EQ(canvas.At(border, 60), kFrame);
    EXPECT_EQ(canvas.At(right, 60), kFrame);
    EXPECT_EQ(canvas.At(80, bottom), kFrame);
    EXPECT_EQ(canvas.At(80, bottom - 1), kInner);
    for (int y = bottom + 1; y < 120; ++y) EXPECT_EQ(canvas.At(80, y), kBackground) << y;
    if (border > 0) {
      EXPECT_EQ(canvas.At(border - 1, 60), kBackground);
      EXPECT_EQ(canvas.At(right + 1, 60), kBackground);
    }
  }
}

}  // namespace
