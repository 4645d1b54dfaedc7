#include "controls/xp_button.h"

#include "controls/look/button_painter.h"
#include "framework/description_reader.h"
#include "framework/forms.h"

TKWTXPButton::TKWTXPButton(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TKWTXPButton::SetDefault(bool value) {
  default_ = value;
  Invalidate();
}

void TKWTXPButton::SetWordWrap(bool value) {
  word_wrap_ = value;
  Invalidate();
}

void TKWTXPButton::SetShowAccelChar(bool value) {
  show_accel_char_ = value;
  Invalidate();
}

void TKWTXPButton::SetDrawFocusRect(bool value) {
  draw_focus_rect_ = value;
  Invalidate();
}

bool TKWTXPButton::Pressed() const { return space_held_ || (MouseHeld() && MouseInControl()); }

void TKWTXPButton::SetCaption(const std::string& caption) {
  TWinControl::SetCaption(caption);
  // Painted at once: a countdown on the caption must show while handlers run.
  if (HandleAllocated()) UpdateWindow(handle_);
}

bool TKWTXPButton::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  if (name == "Default")
    SetDefault(reader.Boolean(value));
  else if (name == "WordWrap")
    SetWordWrap(reader.Boolean(value));
  else if (name == "ShowAccelChar")
    SetShowAccelChar(reader.Boolean(value));
  else if (name == "DrawFocusRect")
    SetDrawFocusRect(reader.Boolean(value));
  else
    return TWinControl::ReadProperty(reader, name, value);
  return true;
}

void TKWTXPButton::Paint(TCanvas& canvas) {
  const std::wstring caption = TextToWide(Caption(), Font().Charset());
  ButtonLook look;
  look.enabled = Enabled();
  look.pressed = Pressed();
  look.hot = MouseInControl();
  look.focused = Focused();
  // The default button is active while no other button has the focus.
  look.active_default = default_ && !dynamic_cast<TKWTXPButton*>(TControl::FromHandle(GetFocus()));
  look.draw_focus_rect = draw_focus_rect_;
  look.word_wrap = word_wrap_;
  look.show_accel_char = show_accel_char_;
  look.parent_color = ColorToRGB(Parent() ? Parent()->Color() : clBtnFace);
  look.text_color = ColorToRGB(Font().Color());
  look.font = Font().Handle();
  look.caption = caption;
  PaintButton(canvas.Handle(), ClientRect(), look);
}

void TKWTXPButton::KeyDown(WORD& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == VK_SPACE && !space_held_) {
    space_held_ = true;
    Invalidate();
  } else if (key == VK_RETURN && shift == 0) {
    Click();
  }
}

void TKWTXPButton::KeyUp(WORD& key, TShiftState shift) {
  TWinControl::KeyUp(key, shift);
  if (key == VK_SPACE && space_held_) {
    space_held_ = false;
    Invalidate();
    Click();
  }
}

void TKWTXPButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  Invalidate();
  TWinControl::MouseDown(button, shift, x, y);
}

void TKWTXPButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  Invalidate();
  TWinControl::MouseUp(button, shift, x, y);
}

void TKWTXPButton::MouseEnter() { Invalidate(); }

void TKWTXPButton::MouseLeave() { Invalidate(); }

LRESULT TKWTXPButton::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS) RepaintDefaultButtons();
  return TWinControl::WndProc(message, wparam, lparam);
}

void TKWTXPButton::RepaintDefaultButtons() {
  TComponent* form = ParentForm();
  if (!form) return;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* button = dynamic_cast<TKWTXPButton*>(form->Components(i));
    if (button && button->Default()) button->Invalidate();
  }
}
