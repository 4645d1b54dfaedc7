#pragma once

#include <windows.h>

#include <string>

// A memory device context over a 32-bit top-down DIB section whose pixels
// the test reads back directly.
class PixelCanvas {
 public:
  PixelCanvas(int width, int height, COLORREF background);
  ~PixelCanvas();
  PixelCanvas(const PixelCanvas&) = delete;
  PixelCanvas& operator=(const PixelCanvas&) = delete;

  HDC Dc() const { return dc_; }
  RECT Rect() const { return {0, 0, width_, height_}; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  COLORREF At(int x, int y) const;
  void Set(int x, int y, COLORREF color);
  // Pixels of exactly `color` inside `area`.
  int Count(const RECT& area, COLORREF color) const;
  // Writes the canvas as a 24-bit .bmp file (for looking at failures and
  // for the screenshots).
  void SaveBitmap(const std::string& path) const;

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_bitmap_;
  DWORD* bits_ = nullptr;
};

// A colour as "(r, g, b)" for failure messages.
std::string ColorText(COLORREF color);

// Whether every part of `a` lies within `tolerance` of `b`'s.
bool Near(COLORREF a, COLORREF b, int tolerance);
