#pragma once

#include "controls/check_state.h"
#include "controls/look/check_glyph_painter.h"
#include "framework/controls.h"
#include "framework/std_controls.h"

// Check box with three states. A user click or the space key moves the
// state on and fires OnClick; setting State or Checked in code fires nothing.
class TKWTXPCheckBox : public TWinControl {
 public:
  explicit TKWTXPCheckBox(TComponent* owner);
  const char* ClassName() const override { return "TKWTXPCheckBox"; }

  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool checked);
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool allow);
  // taRightJustify (default): the text right of the box; taLeftJustify: left of it.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  // The user's toggle followed by OnClick.
  void Click() override;
  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 protected:
  void Paint(TCanvas& canvas) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // The rectangle of the box glyph within the client area.
  RECT BoxRect() const;

 private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allow_grayed_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};
