#include "controls/look/bitmap_source.h"

BitmapSource::BitmapSource(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || GetObjectA(bitmap, sizeof info, &info) == 0) return;
  dc_ = CreateCompatibleDC(nullptr);
  if (!dc_) return;
  old_ = SelectObject(dc_, bitmap);
  size_ = {info.bmWidth, info.bmHeight};
}

BitmapSource::~BitmapSource() {
  if (!dc_) return;
  SelectObject(dc_, old_);
  DeleteDC(dc_);
}
