#include "controls/look/header_hover.h"

bool HeaderHover::MouseMoved(bool inside_strip, bool hot_overlay) { return Become(inside_strip && hot_overlay); }

bool HeaderHover::MouseLeft() { return Become(false); }

bool HeaderHover::Become(bool hot) {
  if (hot == hot_) return false;
  hot_ = hot;
  return true;
}
