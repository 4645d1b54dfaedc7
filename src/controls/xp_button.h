#pragma once

#include "framework/controls.h"

// Push button: Tab reaches it; Space or Enter without shift keys clicks it.
class TKWTXPButton : public TWinControl {
 public:
  explicit TKWTXPButton(TComponent* owner);
  const char* ClassName() const override { return "TKWTXPButton"; }

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool value);
  bool DrawFocusRect() const { return draw_focus_rect_; }
  void SetDrawFocusRect(bool value);
  // Held down by the mouse (while over it) or by the space key.
  bool Pressed() const;
  bool IsDefaultButton() const override { return default_; }
  bool TakesReturn() const override { return true; }

  void SetCaption(const std::string& caption) override;
  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 protected:
  void Paint(TCanvas& canvas) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  bool default_ = false;
  bool word_wrap_ = false;
  bool show_accel_char_ = true;
  bool draw_focus_rect_ = false;
  bool space_held_ = false;
};
