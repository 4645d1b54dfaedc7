#include "pixel_canvas.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

PixelCanvas::PixelCanvas(int width, int height, COLORREF background)
    : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dc_ || !bitmap_) throw std::runtime_error("cannot create the canvas");
  bits_ = static_cast<DWORD*>(bits);
  old_bitmap_ = SelectObject(dc_, bitmap_);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) Set(x, y, background);
  }
}

PixelCanvas::~PixelCanvas() {
  SelectObject(dc_, old_bitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF PixelCanvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    throw std::out_of_range("pixel outside the canvas");
  GdiFlush();
  const DWORD pixel = bits_[y * width_ + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void PixelCanvas::Set(int x, int y, COLORREF color) {
  GdiFlush();
  bits_[y * width_ + x] =
      (DWORD{GetRValue(color)} << 16) | (DWORD{GetGValue(color)} << 8) | GetBValue(color);
}

int PixelCanvas::Count(const RECT& area, COLORREF color) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += At(x, y) == color ? 1 : 0;
  }
  return count;
}

void PixelCanvas::SaveBitmap(const std::string& path) const {
  const int stride = (width_ * 3 + 3) & ~3;
  std::vector<char> rows(static_cast<std::size_t>(stride) * height_, 0);
  for (int y = 0; y < height_; ++y) {
    char* row = rows.data() + static_cast<std::size_t>(height_ - 1 - y) * stride;
    for (int x = 0; x < width_; ++x) {
      const COLORREF c = At(x, y);
      row[x * 3] = static_cast<char>(GetBValue(c));
      row[x * 3 + 1] = static_cast<char>(GetGValue(c));
      row[x * 3 + 2] = static_cast<char>(GetRValue(c));
    }
  }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width_;
  info.biHeight = height_;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = static_cast<DWORD>(rows.size());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ColorText(COLORREF color) {
  char text[32];
  std::snprintf(text, sizeof text, "(%d, %d, %d)", GetRValue(color), GetGValue(color),
                GetBValue(color));
  return text;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}
