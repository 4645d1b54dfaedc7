#include "controls/xp_check_box.h"

#include "controls/check_mark.h"
#include "framework/description_reader.h"

TKWTXPCheckBox::TKWTXPCheckBox(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetParentColor(true);
  SetBounds(0, 0, 97, 17);
}

void TKWTXPCheckBox::SetState(TCheckBoxState state) {
  if (state_ == state) return;
  state_ = state;
  Invalidate();
}

void TKWTXPCheckBox::SetChecked(bool checked) {
  SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TKWTXPCheckBox::SetAllowGrayed(bool allow) { allow_grayed_ = allow; }

void TKWTXPCheckBox::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TKWTXPCheckBox::Click() {
  SetState(NextUserState(state_, allow_grayed_));
  TWinControl::Click();
}

bool TKWTXPCheckBox::ReadProperty(TReader& reader, const std::string& name,
                                  const TPropValue& value) {
  static const std::vector<TEnumName> state_names = {
      {"cbUnchecked", static_cast<int>(TCheckBoxState::cbUnchecked)},
      {"cbChecked", static_cast<int>(TCheckBoxState::cbChecked)},
      {"cbGrayed", static_cast<int>(TCheckBoxState::cbGrayed)}};
  if (name == "State")
    SetState(static_cast<TCheckBoxState>(reader.Enum(value, state_names)));
  else if (name == "Checked")
    SetChecked(reader.Boolean(value));
  else if (name == "AllowGrayed")
    SetAllowGrayed(reader.Boolean(value));
  else if (name == "Alignment")
    SetAlignment(static_cast<TAlignment>(reader.Enum(value, AlignmentNames())));
  else
    return TWinControl::ReadProperty(reader, name, value);
  return true;
}

RECT TKWTXPCheckBox::BoxRect() const {
  const SIZE glyph = CheckGlyphSize();
  const int top = (Height() - glyph.cy) / 2;
  const int left = alignment_ == TAlignment::taLeftJustify ? Width() - glyph.cx : 0;
  return RECT{left, top, left + glyph.cx, top + glyph.cy};
}

void TKWTXPCheckBox::Paint(TCanvas& canvas) {
  canvas.SetBrushColor(Color());
  canvas.FillRect(ClientRect());
  const RECT box = BoxRect();
  // No Flat property here: the flat frame of the lists beside it.
  PaintCheckGlyph(canvas.Handle(), box, {ToCheckMark(state_), true, Enabled()});
  RECT text = ClientRect();
  if (alignment_ == TAlignment::taLeftJustify)
    text.right = box.left - 4;
  else
    text.left = box.right + 4;
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  canvas.TextRect(text, Caption(), DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (Focused()) {
    RECT focus = text;
    SIZE extent = canvas.TextExtent(Caption());
    focus.right = std::min<LONG>(text.right, text.left + extent.cx + 1);
    focus.top = (Height() - extent.cy) / 2 - 1;
    focus.bottom = focus.top + extent.cy + 2;
    DrawFocusRect(canvas.Handle(), &focus);
  }
}

void TKWTXPCheckBox::KeyUp(WORD& key, TShiftState shift) {
  TWinControl::KeyUp(key, shift);
  if (key == VK_SPACE) Click();
}

void TKWTXPCheckBox::MouseEnter() { Invalidate(); }

void TKWTXPCheckBox::MouseLeave() { Invalidate(); }
