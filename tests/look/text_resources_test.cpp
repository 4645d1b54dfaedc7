#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "controls/look/header_painter.h"
#include "controls/look/look_resources.h"
#include "framework/graphics.h"
#include "pixel_canvas.h"
#include "test_font.h"

namespace {

// "Применить" (Apply) as Windows-1251 bytes, as the interface texts store it.
constexpr char kApply1251[] = "\xCF\xF0\xE8\xEC\xE5\xED\xE8\xF2\xFC";
const std::wstring kApplyWide = L"\u041F\u0440\u0438\u043C\u0435\u043D\u0438\u0442\u044C";

TEST(LookResources, EveryBitmapAndTheCursorAreResourcesOfTheProgram) {
  struct Case {
    const char* name;
    int width, height;
  };
  for (const Case c :
       {Case{"KWT_XPHBNOR", 19, 19}, Case{"KWT_XPPBHOR", 8, 14}, Case{"KWT_XPPBVER", 14, 8},
        Case{"KWT_XPCBNOR", 17, 17}, Case{"KWT_XPCBHOT", 17, 17}, Case{"KWT_XPCBDOWN", 17, 17},
        Case{"KWT_XPCBDIS", 17, 17}}) {
    const HBITMAP bitmap = look_resources::Bitmap(c.name);
    ASSERT_NE(bitmap, nullptr) << c.name;
    BITMAP info{};
    ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0) << c.name;
    EXPECT_EQ(info.bmWidth, c.width) << c.name;
    EXPECT_EQ(info.bmHeight, c.height) << c.name;
    // Loaded once: the same handle every time.
    EXPECT_EQ(look_resources::Bitmap(c.name), bitmap);
  }
  EXPECT_EQ(look_resources::Bitmap("KWT_NO_SUCH_BITMAP"), nullptr);

  const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), look_resources::kHeaderHandCursor);
  ASSERT_NE(hand, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 6u);
  EXPECT_EQ(info.yHotspot, 0u);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

// Captions converted by their font's character set: the header shows the
// Cyrillic word, not the Latin misreading of its bytes under code page 1252.
TEST(LookText, CyrillicCaptionIsDrawnUnderAnEnglishCodePage) {
  ASSERT_EQ(GetACP(), 1252u);
  TestFont font(11, FW_BOLD, RUSSIAN_CHARSET);
  auto render = [&](const std::wstring& caption) {
    auto canvas = std::make_unique<PixelCanvas>(170, 40, RGB(1, 2, 3));
    HeaderLook look;
    look.font = font.Get();
    look.caption = caption;
    PaintHeader(canvas->Dc(), canvas->Rect(), look);
    return canvas;
  };
  auto same = [](const PixelCanvas& a, const PixelCanvas& b) {
    for (int y = 0; y < a.Height(); ++y) {
      for (int x = 0; x < a.Width(); ++x) {
        if (a.At(x, y) != b.At(x, y)) return false;
      }
    }
    return true;
  };
  EXPECT_EQ(TextToWide(kApply1251, RUSSIAN_CHARSET), kApplyWide);
  EXPECT_EQ(TextToWide(kApply1251, DEFAULT_CHARSET),
            L"\u00CF\u00F0\u00E8\u00EC\u00E5\u00ED\u00E8\u00F2\u00FC");
  const auto drawn = render(TextToWide(kApply1251, RUSSIAN_CHARSET));
  const auto cyrillic = render(kApplyWide);
  const auto latin = render(TextToWide(kApply1251, DEFAULT_CHARSET));
  const auto empty = render(L"");
  EXPECT_TRUE(same(*drawn, *cyrillic));
  EXPECT_FALSE(same(*drawn, *latin));
  EXPECT_FALSE(same(*drawn, *empty));
  // The font has real Cyrillic glyphs, not one placeholder box for all.
  EXPECT_FALSE(same(*render(L"\u041F\u041F\u041F"), *render(L"\u0416\u0416\u0416")));
}

}  // namespace
