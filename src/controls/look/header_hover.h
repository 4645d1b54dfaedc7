#pragma once

// Whether the header's strip is hot, and when that changes (the strip is
// repainted then): the mouse entering or leaving the strip, or leaving the
// control, while hot overlay is on.
class HeaderHover {
 public:
  // The mouse moved inside the control. Returns whether the hot state changed.
  bool MouseMoved(bool inside_strip, bool hot_overlay);
  // The mouse left the control. Returns whether the hot state changed.
  bool MouseLeft();
  bool Hot() const { return hot_; }

 private:
  bool Become(bool hot);
  bool hot_ = false;
};
