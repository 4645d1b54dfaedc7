#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "controls/look/combo_painter.h"
#include "controls/look/look_resources.h"
#include "controls/look/progress_painter.h"
#include "case_name.h"
#include "pixel_canvas.h"

namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr COLORREF kCorner = RGB(234, 234, 255);
constexpr COLORREF kHotFrame = RGB(123, 160, 223);

// The bitmap's own pixel at the middle, read from the resource directly.
COLORREF BitmapMiddle(const char* name) {
  const HBITMAP bitmap =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0));
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF middle = GetPixel(dc, info.bmWidth / 2, info.bmHeight / 2);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return middle;
}

struct ComboCase {
  const char* name;
  ComboLook look;
  const char* bitmap;
  bool hot_frame;
};

const ComboCase kComboCases[] = {
    {"normal", {true, false, false}, "KWT_XPCBNOR", false},
    {"hot", {true, false, true}, "KWT_XPCBHOT", true},
    {"dropped", {true, true, false}, "KWT_XPCBDOWN", false},
    {"dropped_hot", {true, true, true}, "KWT_XPCBDOWN", true},
    {"disabled", {false, false, false}, "KWT_XPCBDIS", false},
    // A disabled control is never hot.
    {"disabled_hot", {false, false, true}, "KWT_XPCBDIS", false},
};

class ComboLookTest : public testing::TestWithParam<ComboCase> {};

TEST_P(ComboLookTest, ButtonBitmapFrameAndCorners) {
  const ComboCase& c = GetParam();
  EXPECT_STREQ(ComboButtonBitmapName(c.look), c.bitmap);
  PixelCanvas canvas(145, 21, kUntouched);
  PaintComboBox(canvas.Dc(), canvas.Rect(), c.look);
  const RECT button = ComboButtonRect(canvas.Rect());
  EXPECT_EQ(button.right, 143);
  EXPECT_EQ(button.top, 2);
  EXPECT_EQ(button.bottom, 19);
  EXPECT_EQ(button.right - button.left, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(canvas.At((button.left + button.right) / 2, (button.top + button.bottom) / 2),
            BitmapMiddle(c.bitmap));
  for (const POINT p :
       {POINT{button.left, button.top}, POINT{button.right - 1, button.top},
        POINT{button.left, button.bottom - 1}, POINT{button.right - 1, button.bottom - 1}}) {
    EXPECT_EQ(canvas.At(p.x, p.y), kCorner) << p.x << "," << p.y;
  }
  for (const POINT p : {POINT{0, 10}, POINT{60, 0}, POINT{60, 20}, POINT{144, 10}}) {
    EXPECT_EQ(canvas.At(p.x, p.y) == kHotFrame, c.hot_frame) << p.x << "," << p.y;
  }
  // Inside the frame a ring in the control's colour covers the 3D edge; the
  // edit area is left to the standard control.
  EXPECT_EQ(canvas.At(60, 1), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(1, 10), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(40, 10), kUntouched);
}

INSTANTIATE_TEST_SUITE_P(States, ComboLookTest, testing::ValuesIn(kComboCases), CaseName());

TEST(ProgressLook, CornersAreTheBorderLightenedBy70) {
  struct Case {
    COLORREF border;
    COLORREF corner;
  };
  for (const Case c :
       {Case{RGB(128, 128, 128), RGB(217, 217, 217)}, Case{RGB(0, 0, 0), RGB(179, 179, 179)},
        Case{RGB(255, 0, 100), RGB(255, 179, 209)}}) {
    PixelCanvas canvas(149, 16, kUntouched);
    ProgressLook look;
    look.border = c.border;
    PaintProgressBar(canvas.Dc(), canvas.Rect(), look);
    for (const POINT p : {POINT{0, 0}, POINT{148, 0}, POINT{0, 15}, POINT{148, 15}}) {
      EXPECT_EQ(canvas.At(p.x, p.y), c.corner)
          << ColorText(c.border) << " at " << p.x << "," << p.y;
    }
    EXPECT_EQ(canvas.At(1, 0), c.border);
    EXPECT_EQ(canvas.At(0, 1), c.border);
    EXPECT_EQ(canvas.At(74, 15), c.border);
  }
}

TEST(ProgressLook, CornerTakesTheNearestColourTheDeviceCanShow) {
  // A 16-colour device has no (217, 217, 217): its light grey is the nearest.
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = 8;
  info.header.biHeight = 8;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.colors[0] = {0, 0, 0, 0};
  info.colors[1] = {192, 192, 192, 0};
  void* bits = nullptr;
  const HBITMAP bitmap =
      CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(ProgressCornerColor(dc, RGB(128, 128, 128)), RGB(192, 192, 192));
  EXPECT_EQ(ProgressCornerColor(dc, RGB(0, 0, 0)), RGB(192, 192, 192));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

struct FillCase {
  const char* name;
  bool vertical;
  bool smooth;
};

class ProgressFillTest : public testing::TestWithParam<FillCase> {
 protected:
  int Width() const { return GetParam().vertical ? 16 : 149; }
  int Height() const { return GetParam().vertical ? 149 : 16; }
  ProgressLook Look(int position) const {
    ProgressLook look;
    look.vertical = GetParam().vertical;
    look.smooth = GetParam().smooth;
    look.position = position;
    return look;
  }
  // Pixel `along` pixels into the interior from where filling starts, in the
  // middle across.
  COLORREF Along(const PixelCanvas& canvas, int along) const {
    return GetParam().vertical ? canvas.At(8, Height() - 2 - along) : canvas.At(1 + along, 8);
  }
  // Whether the interior pixel there shows the fill, not the white ground.
  static bool Filled(COLORREF c) { return c != RGB(255, 255, 255); }
};

TEST_P(ProgressFillTest, FillsFromTheStartUpToThePosition) {
  PixelCanvas canvas(Width(), Height(), kUntouched);
  PaintProgressBar(canvas.Dc(), canvas.Rect(), Look(50));
  // 147 interior pixels: 73 filled.
  EXPECT_TRUE(Filled(Along(canvas, 0)));
  EXPECT_TRUE(Filled(Along(canvas, 72)) || !GetParam().smooth);
  EXPECT_FALSE(Filled(Along(canvas, 73)));
  EXPECT_EQ(Along(canvas, 146), RGB(255, 255, 255));
  int filled = 0;
  int gaps = 0;
  for (int i = 0; i < 73; ++i) (Filled(Along(canvas, i)) ? filled : gaps)++;
  if (GetParam().smooth) {
    EXPECT_EQ(gaps, 0);
  } else {
    EXPECT_GT(gaps, 5);
    EXPECT_GT(filled, gaps);
  }
  // The fill comes from the orientation's bitmap: its middle line.
  const char* name = GetParam().vertical ? look_resources::kProgressFillVertical
                                         : look_resources::kProgressFillHorizontal;
  EXPECT_EQ(Along(canvas, 0), BitmapMiddle(name));
}

INSTANTIATE_TEST_SUITE_P(Orientations, ProgressFillTest,
                         testing::Values(FillCase{"horizontal_blocks", false, false},
                                         FillCase{"horizontal_smooth", false, true},
                                         FillCase{"vertical_blocks", true, false},
                                         FillCase{"vertical_smooth", true, true}),
                         CaseName());

}  // namespace
