#pragma once

#include "controls/check_state.h"
#include "controls/look/check_glyph_painter.h"

// The painter's mark for a check state.
constexpr CheckMark ToCheckMark(TCheckBoxState state) {
  switch (state) {
    case TCheckBoxState::cbChecked:
      return CheckMark::kChecked;
    case TCheckBoxState::cbGrayed:
      return CheckMark::kGrayed;
    case TCheckBoxState::cbUnchecked:
      break;
  }
  return CheckMark::kUnchecked;
}
