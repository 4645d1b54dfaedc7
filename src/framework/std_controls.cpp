#include "framework/std_controls.h"

#include "framework/description_reader.h"

namespace {

const std::vector<TEnumName>& LayoutNames() {
  static const std::vector<TEnumName> names = {
      {"tlTop", static_cast<int>(TTextLayout::tlTop)},
      {"tlCenter", static_cast<int>(TTextLayout::tlCenter)},
      {"tlBottom", static_cast<int>(TTextLayout::tlBottom)}};
  return names;
}

const std::vector<TEnumName>& BevelNames() {
  static const std::vector<TEnumName> names = {
      {"bvNone", static_cast<int>(TBevelCut::bvNone)},
      {"bvLowered", static_cast<int>(TBevelCut::bvLowered)},
      {"bvRaised", static_cast<int>(TBevelCut::bvRaised)}};
  return names;
}

UINT AlignmentFlags(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taRightJustify:
      return DT_RIGHT;
    case TAlignment::taCenter:
      return DT_CENTER;
    case TAlignment::taLeftJustify:
      break;
  }
  return DT_LEFT;
}

}  // namespace

const std::vector<TEnumName>& AlignmentNames() {
  static const std::vector<TEnumName> names = {
      {"taLeftJustify", static_cast<int>(TAlignment::taLeftJustify)},
      {"taRightJustify", static_cast<int>(TAlignment::taRightJustify)},
      {"taCenter", static_cast<int>(TAlignment::taCenter)}};
  return names;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 65, 13);
}

void TLabel::SetCaption(const std::string& caption) {
  TControl::SetCaption(caption);
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TLabel::SetAutoSize(bool auto_size) {
  auto_size_ = auto_size;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool word_wrap) {
  word_wrap_ = word_wrap;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
  show_accel_char_ = show;
  AdjustBounds();
  Invalidate();
}

bool TLabel::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  if (name == "Alignment")
    SetAlignment(static_cast<TAlignment>(reader.Enum(value, AlignmentNames())));
  else if (name == "Layout")
    SetLayout(static_cast<TTextLayout>(reader.Enum(value, LayoutNames())));
  else if (name == "AutoSize")
    SetAutoSize(reader.Boolean(value));
  else if (name == "WordWrap")
    SetWordWrap(reader.Boolean(value));
  else if (name == "ShowAccelChar")
    SetShowAccelChar(reader.Boolean(value));
  else
    return TGraphicControl::ReadProperty(reader, name, value);
  return true;
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

UINT TLabel::TextFlags() const {
  UINT flags = AlignmentFlags(alignment_) | (word_wrap_ ? DT_WORDBREAK : DT_SINGLELINE);
  if (!show_accel_char_) flags |= DT_NOPREFIX;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!auto_size_ || Loading()) return;
  // An empty caption keeps the height of one line.
  const std::string text = Caption().empty() ? std::string(" ") : Caption();
  HDC dc = GetDC(nullptr);
  RECT bounds{};
  {
    TCanvas canvas(dc);
    canvas.Font() = Font();
    bounds = canvas.TextBounds(RECT{0, 0, word_wrap_ ? Width() : 0, 0}, text, TextFlags());
  }
  ReleaseDC(nullptr, dc);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (word_wrap_)
    SetBounds(Left(), Top(), Width(), height);
  else if (alignment_ == TAlignment::taRightJustify)
    SetBounds(Left() + Width() - width, Top(), width, height);
  else
    SetBounds(Left(), Top(), width, height);
}

void TLabel::Paint(TCanvas& canvas) {
  canvas.SetBrushColor(Color());
  canvas.FillRect(ClientRect());
  RECT rect = ClientRect();
  UINT flags = TextFlags();
  if (layout_ != TTextLayout::tlTop) {
    const RECT measured = canvas.TextBounds(rect, Caption(), flags);
    const int text_height = measured.bottom - measured.top;
    const int free = (rect.bottom - rect.top) - text_height;
    rect.top += layout_ == TTextLayout::tlCenter ? free / 2 : free;
  }
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  canvas.TextRect(rect, Caption(), flags);
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  bevel_outer_ = bevel;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
  bevel_inner_ = bevel;
  Invalidate();
}

void TPanel::SetBevelWidth(int width) {
  bevel_width_ = width < 1 ? 1 : width;
  Invalidate();
}

void TPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

bool TPanel::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  if (name == "BevelOuter")
    SetBevelOuter(static_cast<TBevelCut>(reader.Enum(value, BevelNames())));
  else if (name == "BevelInner")
    SetBevelInner(static_cast<TBevelCut>(reader.Enum(value, BevelNames())));
  else if (name == "BevelWidth")
    SetBevelWidth(reader.Integer(value));
  else if (name == "Alignment")
    SetAlignment(static_cast<TAlignment>(reader.Enum(value, AlignmentNames())));
  else
    return TWinControl::ReadProperty(reader, name, value);
  return true;
}

void TPanel::Paint(TCanvas& canvas) {
  RECT rect = ClientRect();
  canvas.SetBrushColor(Color());
  canvas.FillRect(rect);
  for (TBevelCut bevel : {bevel_outer_, bevel_inner_}) {
    if (bevel == TBevelCut::bvNone) continue;
    for (int i = 0; i < bevel_width_; ++i) {
      DrawEdge(canvas.Handle(), &rect,
               bevel == TBevelCut::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
      InflateRect(&rect, -1, -1);
    }
  }
  canvas.TextRect(rect, Caption(), AlignmentFlags(alignment_) | DT_VCENTER | DT_SINGLELINE);
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TSpeedButton::SetDown(bool down) {
  down_ = down;
  Invalidate();
}

void TSpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

bool TSpeedButton::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  if (name == "Down")
    SetDown(reader.Boolean(value));
  else if (name == "Flat")
    SetFlat(reader.Boolean(value));
  else
    return TGraphicControl::ReadProperty(reader, name, value);
  return true;
}

void TSpeedButton::Paint(TCanvas& canvas) {
  RECT rect = ClientRect();
  canvas.SetBrushColor(Color());
  canvas.FillRect(rect);
  const bool pressed = down_ || (MouseHeld() && MouseInControl());
  if (pressed)
    DrawEdge(canvas.Handle(), &rect, EDGE_SUNKEN, BF_RECT);
  else if (!flat_ || (MouseInControl() && Enabled()))
    DrawEdge(canvas.Handle(), &rect, EDGE_RAISED, BF_RECT);
  if (pressed) OffsetRect(&rect, 1, 1);
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  canvas.TextRect(rect, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  Invalidate();
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  Invalidate();
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseEnter() { Invalidate(); }

void TSpeedButton::MouseLeave() { Invalidate(); }
