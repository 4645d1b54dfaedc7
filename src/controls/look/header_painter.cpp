#include "controls/look/header_painter.h"

#include <initializer_list>

#include "controls/look/bitmap_source.h"
#include "controls/look/dc_state.h"
#include "controls/look/gradient.h"
#include "controls/look/look_colors.h"
#include "controls/look/look_resources.h"
#include "controls/look/look_text.h"

namespace {

constexpr int kGradientStart = 40;
constexpr int kButtonFromRight = 25;
constexpr int kButtonFromTop = 3;
constexpr int kButtonFallbackSize = 19;
constexpr int kImageLeft = 3;
constexpr int kCaptionFromStrip = 10;
constexpr int kCaptionAfterImage = 2;
constexpr int kCaptionEndFromRight = 28;
// The face's corners are this colour and show the strip through them.
constexpr COLORREF kFaceTransparent = RGB(255, 0, 255);

void DrawButtonFace(HDC dc, const RECT& face) {
  const BitmapSource source(look_resources::Bitmap(look_resources::kHeaderButtonFace));
  if (!source.Valid()) return;
  TransparentBlt(dc, face.left, face.top, source.Width(), source.Height(), source.Dc(), 0, 0,
                 source.Width(), source.Height(), kFaceTransparent);
}

// Two chevrons, each a V two pixels thick and seven wide, stacked four
// pixels apart; they point up while the panel is shown (a click hides it).
void DrawArrow(HDC dc, const RECT& face, bool points_up, COLORREF color) {
  const int centre_x = (face.left + face.right) / 2;
  const int arrow_top = (face.top + face.bottom) / 2 - 4;
  for (int chevron = 0; chevron < 2; ++chevron) {
    for (int row = 0; row < 4; ++row) {
      for (int thickness = 0; thickness < 2; ++thickness) {
        const int offset = chevron * 4 + row + thickness;  // 0..8 from the apex
        const int y = points_up ? arrow_top + offset : arrow_top + 8 - offset;
        SetPixelV(dc, centre_x - row, y, color);
        SetPixelV(dc, centre_x + row, y, color);
      }
    }
  }
}

// Draws the image and returns the x where the caption may start.
int DrawImage(HDC dc, const RECT& client, const RECT& strip, const HeaderLook& look) {
  const int caption_left = strip.left + kCaptionFromStrip;
  if (!look.images || look.image_index < 0 ||
      look.image_index >= ImageList_GetImageCount(look.images)) {
    return caption_left;
  }
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(look.images, &width, &height);
  // Small images sit centred in the strip; tall ones stand on its bottom.
  const int strip_height = strip.bottom - strip.top;
  const int top =
      height <= strip_height ? strip.top + (strip_height - height) / 2 : strip.bottom - height;
  const int left = client.left + kImageLeft;
  ImageList_Draw(look.images, look.image_index, dc, left, top, ILD_TRANSPARENT);
  return left + width + kCaptionAfterImage;
}

void RoundStripCorners(HDC dc, const RECT& strip, COLORREF color) {
  const int left = strip.left;
  const int right = strip.right - 1;
  const int top = strip.top;
  for (const POINT pixel : {POINT{left, top}, POINT{left + 1, top}, POINT{left, top + 1},
                            POINT{right, top}, POINT{right - 1, top}, POINT{right, top + 1}}) {
    SetPixelV(dc, pixel.x, pixel.y, color);
  }
}

}  // namespace

RECT HeaderStripRect(const RECT& client, int border) {
  return {client.left + border, client.bottom - kHeaderStripHeight, client.right - border,
          client.bottom};
}

COLORREF HeaderArrowColor(const HeaderLook& look) {
  if (!look.enabled) return look_colors::kDisabledFrame;
  return look.hot ? look.hot_color : look_colors::kHeaderArrow;
}

COLORREF HeaderCaptionColor(const HeaderLook& look) {
  // A caption given a colour of its own (the red "no packages" warning) keeps
  // it when disabled; only the designed blue turns grey.
  if (!look.enabled)
    return look.font_color == look_colors::kHeaderCaption ? look_colors::kDisabledFrame
                                                          : look.font_color;
  return look.hot ? look.hot_color : look.font_color;
}

RECT HeaderButtonRect(const RECT& strip) {
  const BitmapSource face(look_resources::Bitmap(look_resources::kHeaderButtonFace));
  const int width = face.Valid() ? face.Width() : kButtonFallbackSize;
  const int height = face.Valid() ? face.Height() : kButtonFallbackSize;
  const int left = strip.right - kButtonFromRight;
  const int top = strip.top + kButtonFromTop;
  return {left, top, left + width, top + height};
}

void PaintHeader(HDC dc, const RECT& client, const HeaderLook& look) {
  SavedDcState saved(dc, client);
  const RECT strip = HeaderStripRect(client, look.border);
  FillSolid(dc, {client.left, client.top, client.right, strip.top}, look.color);
  FillSolid(dc, {client.left, strip.top, strip.left, client.bottom}, look.color);
  FillSolid(dc, {strip.right, strip.top, client.right, client.bottom}, look.color);

  FillSolid(dc, strip, look_colors::kWhite);
  const int gradient_width = (client.right - client.left) - 2 * look.border - kGradientStart;
  const RECT gradient{strip.left + kGradientStart, strip.top,
                      strip.left + kGradientStart + gradient_width, strip.top + kHeaderStripHeight};
  FillGradient(dc, gradient, look_colors::kWhite, look_colors::kHeaderGradientEnd,
               GradientDirection::kLeftToRight);

  const RECT face = HeaderButtonRect(strip);
  DrawButtonFace(dc, face);
  DrawArrow(dc, face, look.collapsed, HeaderArrowColor(look));

  const int caption_left = DrawImage(dc, client, strip, look);
  const RECT caption_area{caption_left, strip.top, strip.right - kCaptionEndFromRight,
                          strip.bottom};
  DrawLookText(dc, look.caption, caption_area,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX, look.font,
               HeaderCaptionColor(look));

  RoundStripCorners(dc, strip, look.color);
}
