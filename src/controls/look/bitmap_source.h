#pragma once

#include <windows.h>

// A bitmap selected into a memory DC of its own, ready to be copied from;
// both are released again when it goes out of scope. A null bitmap gives an
// object that is not Valid().
class BitmapSource {
 public:
  explicit BitmapSource(HBITMAP bitmap);
  ~BitmapSource();
  BitmapSource(const BitmapSource&) = delete;
  BitmapSource& operator=(const BitmapSource&) = delete;

  bool Valid() const { return dc_ != nullptr; }
  HDC Dc() const { return dc_; }
  int Width() const { return size_.cx; }
  int Height() const { return size_.cy; }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
  SIZE size_{};
};
