#pragma once

#include <windows.h>

// Restores a device context's selected objects, colours, modes and clipping
// when it goes out of scope, so painters leave the caller's DC as they found
// it.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  // Also keeps all drawing inside `area` until then.
  SavedDcState(HDC dc, const RECT& area) : SavedDcState(dc) {
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  }
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};
