#pragma once

#include <windows.h>

// A Tahoma font owned by the test, drawn without anti-aliasing so that text
// pixels take exactly the text colour.
class TestFont {
 public:
  explicit TestFont(int height, int weight = FW_NORMAL, BYTE charset = DEFAULT_CHARSET)
      : font_(CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                          DEFAULT_PITCH, "Tahoma")) {}
  ~TestFont() { DeleteObject(font_); }
  TestFont(const TestFont&) = delete;
  TestFont& operator=(const TestFont&) = delete;

  HFONT Get() const { return font_; }

 private:
  HFONT font_;
};
