#pragma once

// The three states of a check box or check-list entry.
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// The state a user toggle moves to: unchecked to checked (grayed when
// grayed is allowed), checked to unchecked, grayed to checked.
constexpr TCheckBoxState NextUserState(TCheckBoxState state, bool allow_grayed) {
  switch (state) {
    case TCheckBoxState::cbUnchecked:
      return allow_grayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked;
    case TCheckBoxState::cbChecked:
      return TCheckBoxState::cbUnchecked;
    case TCheckBoxState::cbGrayed:
      break;
  }
  return TCheckBoxState::cbChecked;
}
