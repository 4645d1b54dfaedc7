#include "controls/xp_button.h"

#include "framework/description_reader.h"

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
  if (name == "Default") SetDefault(reader.Boolean(value));
  else if (name == "WordWrap") SetWordWrap(reader.Boolean(value));
  else if (name == "ShowAccelChar") SetShowAccelChar(reader.Boolean(value));
  else if (name == "DrawFocusRect") SetDrawFocusRect(reader.Boolean(value));
  else return TWinControl::ReadProperty(reader, name, value);
  return true;
}

void TKWTXPButton::Paint(TCanvas& canvas) {
  RECT rect = ClientRect();
  canvas.SetBrushColor(clBtnFace);
  canvas.FillRect(rect);
  DrawEdge(canvas.Handle(), &rect, Pressed() ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (Focused() || default_) {
    canvas.SetPenColor(clBlack);
    canvas.FrameRect(rect);
  }
  if (Pressed()) OffsetRect(&rect, 1, 1);
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  UINT flags = DT_CENTER | (word_wrap_ ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
  if (!show_accel_char_) flags |= DT_NOPREFIX;
  canvas.TextRect(rect, Caption(), flags);
  if (draw_focus_rect_ && Focused()) {
    RECT focus = ClientRect();
    InflateRect(&focus, -2, -2);
    ::DrawFocusRect(canvas.Handle(), &focus);
  }
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
