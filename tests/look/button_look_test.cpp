#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>

#include "controls/look/button_painter.h"
#include "case_name.h"
#include "pixel_canvas.h"
#include "test_font.h"

namespace {

constexpr COLORREF kParent = RGB(10, 200, 30);
constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr int kWidth = 75;
constexpr int kHeight = 25;

struct ButtonState {
  const char* name;
  ButtonLook look;
  COLORREF frame;
  COLORREF corner_side;
  // Colours just inside the frame at the top and bottom (row 1 and row
  // height - 2); gradients reach their end colours within a few steps.
  COLORREF top;
  COLORREF bottom;
  // Colour of the inner face, 3 pixels in, at its top (only with a ring).
  COLORREF ring_face_top;
};

ButtonLook State(bool enabled, bool pressed, bool hot, bool focused, bool active_default) {
  ButtonLook look;
  look.enabled = enabled;
  look.pressed = pressed;
  look.hot = hot;
  look.focused = focused;
  look.active_default = active_default;
  look.parent_color = kParent;
  return look;
}

constexpr COLORREF kFrame = RGB(51, 51, 153);
constexpr COLORREF kDisabledFrame = RGB(184, 170, 154);
constexpr COLORREF kSide = RGB(152, 152, 220);
constexpr COLORREF kDisabledSide = RGB(238, 235, 232);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNone = CLR_INVALID;

const ButtonState kStates[] = {
    {"normal", State(true, false, false, false, false), kFrame, kSide, kWhite, RGB(239, 235, 231),
     kNone},
    {"pressed", State(true, true, true, true, false), kFrame, kSide, RGB(214, 207, 198),
     RGB(247, 243, 235), kNone},
    {"hot", State(true, false, true, false, false), kFrame, kSide, RGB(255, 211, 130),
     RGB(231, 150, 0), kWhite},
    {"focused", State(true, false, false, true, false), kFrame, kSide, RGB(206, 231, 255),
     RGB(109, 132, 239), kWhite},
    {"default", State(true, false, false, false, true), kFrame, kSide, RGB(206, 231, 255),
     RGB(109, 132, 239), kWhite},
    // The mouse wins over the focus for the ring's colours.
    {"hot_focused", State(true, false, true, true, true), kFrame, kSide, RGB(255, 211, 130),
     RGB(231, 150, 0), kWhite},
    {"disabled", State(false, false, false, false, false), kDisabledFrame, kDisabledSide, kWhite,
     RGB(247, 243, 235), kNone},
    // Disabled beats every other state.
    {"disabled_hot_focused", State(false, true, true, true, true), kDisabledFrame, kDisabledSide,
     kWhite, RGB(247, 243, 235), kNone},
};

class ButtonLookTest : public testing::TestWithParam<ButtonState> {};

TEST_P(ButtonLookTest, FrameAndRoundedCorners) {
  PixelCanvas canvas(kWidth, kHeight, kUntouched);
  PaintButton(canvas.Dc(), canvas.Rect(), GetParam().look);
  const COLORREF frame = GetParam().frame;
  const COLORREF side = GetParam().corner_side;
  EXPECT_EQ(canvas.At(37, 0), frame);
  EXPECT_EQ(canvas.At(37, kHeight - 1), frame);
  EXPECT_EQ(canvas.At(0, 12), frame);
  EXPECT_EQ(canvas.At(kWidth - 1, 12), frame);
  struct Corner {
    int x, y, dx, dy;
  };
  for (const Corner c : {Corner{0, 0, 1, 1}, Corner{kWidth - 1, 0, -1, 1},
                         Corner{0, kHeight - 1, 1, -1}, Corner{kWidth - 1, kHeight - 1, -1, -1}}) {
    SCOPED_TRACE(testing::Message() << "corner " << c.x << "," << c.y);
    EXPECT_EQ(canvas.At(c.x, c.y), kParent);
    EXPECT_EQ(canvas.At(c.x + c.dx, c.y + c.dy), frame);
    EXPECT_EQ(canvas.At(c.x + c.dx, c.y), side);
    EXPECT_EQ(canvas.At(c.x, c.y + c.dy), side);
    EXPECT_EQ(canvas.At(c.x + 2 * c.dx, c.y), frame);
  }
}

TEST_P(ButtonLookTest, FaceGradientsByState) {
  PixelCanvas canvas(kWidth, kHeight, kUntouched);
  PaintButton(canvas.Dc(), canvas.Rect(), GetParam().look);
  const COLORREF top = canvas.At(37, 1);
  const COLORREF bottom = canvas.At(37, kHeight - 2);
  EXPECT_TRUE(Near(top, GetParam().top, 12))
      << ColorText(top) << " vs " << ColorText(GetParam().top);
  EXPECT_TRUE(Near(bottom, GetParam().bottom, 12))
      << ColorText(bottom) << " vs " << ColorText(GetParam().bottom);
  if (GetParam().ring_face_top != kNone) {
    // The light face, inset by 3, runs exactly from white to (239, 235, 231).
    EXPECT_EQ(canvas.At(37, 3), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(37, kHeight - 4), RGB(239, 235, 231));
    EXPECT_EQ(canvas.At(3, 12), canvas.At(37, 12));
    EXPECT_NE(canvas.At(2, 12), canvas.At(3, 12));
  }
}

INSTANTIATE_TEST_SUITE_P(States, ButtonLookTest, testing::ValuesIn(kStates), CaseName());

TEST(ButtonLook, FocusRectangleOnlyWhenAskedAndFocused) {
  auto render = [](bool draw_focus_rect, bool focused) {
    auto canvas = std::make_unique<PixelCanvas>(kWidth, kHeight, kUntouched);
    ButtonLook look = State(true, false, false, focused, false);
    look.draw_focus_rect = draw_focus_rect;
    PaintButton(canvas->Dc(), canvas->Rect(), look);
    return canvas;
  };
  const auto plain = render(false, true);
  const auto with_rect = render(true, true);
  int changed_on_outline = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (plain->At(x, y) == with_rect->At(x, y)) continue;
      const bool on_outline = ((x == 2 || x == kWidth - 3) && y >= 2 && y <= kHeight - 3) ||
                              ((y == 2 || y == kHeight - 3) && x >= 2 && x <= kWidth - 3);
      EXPECT_TRUE(on_outline) << "changed pixel " << x << "," << y;
      ++changed_on_outline;
    }
  }
  EXPECT_GT(changed_on_outline, 40);
  // Unfocused, the flag changes nothing.
  const auto unfocused_plain = render(false, false);
  const auto unfocused_flag = render(true, false);
  EXPECT_EQ(unfocused_plain->Count(unfocused_plain->Rect(), kUntouched), 0);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(unfocused_plain->At(x, y), unfocused_flag->At(x, y));
  }
}

TEST(ButtonLook, CaptionCentredAndGreyWhenDisabled) {
  TestFont font(11);
  for (const bool enabled : {true, false}) {
    PixelCanvas canvas(kWidth, kHeight, kUntouched);
    ButtonLook look = State(enabled, false, false, false, false);
    look.font = font.Get();
    look.text_color = RGB(0, 0, 0);
    look.caption = L"HHHH";
    PaintButton(canvas.Dc(), canvas.Rect(), look);
    const COLORREF expected = enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
    const COLORREF other = enabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0);
    EXPECT_GT(canvas.Count(canvas.Rect(), expected), 20) << "enabled=" << enabled;
    EXPECT_EQ(canvas.Count(canvas.Rect(), other), 0) << "enabled=" << enabled;
    // Centred: the ink lies inside the text's box centred on the button.
    RECT ink{kWidth, kHeight, -1, -1};
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (canvas.At(x, y) != expected) continue;
        ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
               std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
      }
    }
    const HGDIOBJ old = SelectObject(canvas.Dc(), font.Get());
    SIZE box{};
    GetTextExtentPoint32W(canvas.Dc(), L"HHHH", 4, &box);
    SelectObject(canvas.Dc(), old);
    const int box_left = (kWidth - box.cx) / 2;
    const int box_top = (kHeight - box.cy) / 2;
    EXPECT_GE(ink.left, box_left - 1);
    EXPECT_LE(ink.right, box_left + box.cx + 1);
    EXPECT_LE(ink.left, box_left + 3);
    EXPECT_GE(ink.top, box_top - 1);
    EXPECT_LE(ink.bottom, box_top + box.cy + 1);
  }
}

TEST(ButtonLook, AccelCharPrefixIsHonoured) {
  TestFont font(11);
  auto ink = [&](bool show_accel_char) {
    PixelCanvas canvas(kWidth, kHeight, kUntouched);
    ButtonLook look = State(true, false, false, false, false);
    look.font = font.Get();
    look.caption = L"&Apply";
    look.show_accel_char = show_accel_char;
    PaintButton(canvas.Dc(), canvas.Rect(), look);
    return canvas.Count(canvas.Rect(), RGB(0, 0, 0));
  };
  // Shown as an underline the prefix draws fewer pixels than a literal "&".
  EXPECT_NE(ink(true), ink(false));
}

}  // namespace
