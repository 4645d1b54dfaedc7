#include "controls/xp_header.h"

#include "controls/look/header_painter.h"
#include "controls/look/look_colors.h"
#include "framework/description_reader.h"

TKWTXPHeader::TKWTXPHeader(TComponent* owner) : TGraphicControl(owner) {
  SetColor(RGB(83, 141, 251));
  Font().SetStyle(fsBold);
  Font().SetColor(look_colors::kHeaderCaption);
  SetBounds(0, 0, 170, 40);
}

void TKWTXPHeader::SetCollapsed(bool collapsed) {
  collapsed_ = collapsed;
  Invalidate();
  if (panel_) panel_->SetVisible(collapsed_);
}

void TKWTXPHeader::SetKWTXPCollapsePanel(TKWTXPCollapsePanel* panel) {
  if (panel && panel->Parent() != Parent()) {
    const std::string text =
        "Selected (" + panel->Name() + ")" + " must had same parent as " + Name();
    MessageBoxA(Parent() && Parent()->HandleAllocated() ? Parent()->Handle() : nullptr,
                text.c_str(), "Information", MB_OK | MB_ICONINFORMATION);
    panel_ = nullptr;
    return;
  }
  panel_ = panel;
  if (!panel_) return;
  PlacePanel();
  panel_->SetColorBackground(Color());
  panel_->SetBorder(border_);
}

void TKWTXPHeader::SetBorder(int border) {
  border_ = border;
  if (panel_) panel_->SetBorder(border);
  Invalidate();
}

void TKWTXPHeader::SetHotColor(TColor color) {
  hot_color_ = color;
  Invalidate();
}

void TKWTXPHeader::SetHotOverlay(bool value) {
  hot_overlay_ = value;
  if (!value) SetStripHot(false);
}

void TKWTXPHeader::SetImages(HIMAGELIST images) {
  images_ = images;
  Invalidate();
}

void TKWTXPHeader::SetImageIndex(int index) {
  image_index_ = index;
  Invalidate();
}

RECT TKWTXPHeader::StripRect() const { return HeaderStripRect(ClientRect(), border_); }

bool TKWTXPHeader::InStrip(POINT point) const {
  const RECT strip = StripRect();
  return PtInRect(&strip, point) != FALSE;
}

void TKWTXPHeader::Click() {
  if (InStrip(last_release_)) {
    collapsed_ = !collapsed_;
    Invalidate();
    if (panel_) {
      panel_->SetTop(Top() + Height());
      panel_->SetVisible(collapsed_);
    }
  }
  last_release_ = POINT{-1, -1};
  TGraphicControl::Click();
}

bool TKWTXPHeader::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  if (name == "Collapsed")
    SetCollapsed(reader.Boolean(value));
  else if (name == "KWTXPCollapsePanel") {
    reader.Reference(value, [this, &reader, value](TComponent* component) {
      auto* panel = dynamic_cast<TKWTXPCollapsePanel*>(component);
      if (component && !panel) reader.Fail(value, component->Name() + " is no TKWTXPCollapsePanel");
      SetKWTXPCollapsePanel(panel);
    });
  } else if (name == "Border")
    SetBorder(reader.Integer(value));
  else if (name == "HotColor")
    SetHotColor(reader.Color(value));
  else if (name == "HotOverlay")
    SetHotOverlay(reader.Boolean(value));
  else if (name == "HandCursor")
    SetHandCursor(reader.Boolean(value));
  else if (name == "ImageIndex")
    SetImageIndex(reader.Integer(value));
  else
    return TGraphicControl::ReadProperty(reader, name, value);
  return true;
}

void TKWTXPHeader::Paint(TCanvas& canvas) {
  const std::wstring caption = TextToWide(Caption(), Font().Charset());
  HeaderLook look;
  look.collapsed = collapsed_;
  look.hot = strip_hot_;
  look.enabled = Enabled();
  look.border = border_;
  look.color = ColorToRGB(Color());
  look.hot_color = ColorToRGB(hot_color_);
  look.font_color = ColorToRGB(Font().Color());
  look.font = Font().Handle();
  look.images = images_;
  look.image_index = image_index_;
  look.caption = caption;
  PaintHeader(canvas.Handle(), ClientRect(), look);
}

void TKWTXPHeader::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) last_release_ = POINT{x, y};
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TKWTXPHeader::MouseMove(TShiftState shift, int x, int y) {
  SetStripHot(hot_overlay_ && InStrip(POINT{x, y}));
  TGraphicControl::MouseMove(shift, x, y);
}

void TKWTXPHeader::MouseLeave() { SetStripHot(false); }

HCURSOR TKWTXPHeader::CursorAt(POINT point) {
  if (!hand_cursor_ || !InStrip(point)) return nullptr;
  if (HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "KWT_XPHBHAND")) return hand;
  return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
}

void TKWTXPHeader::PlacePanel() {
  panel_->SetBounds(Left(), Top() + Height(), Width(), panel_->Height());
}

void TKWTXPHeader::SetStripHot(bool hot) {
  if (strip_hot_ == hot) return;
  strip_hot_ = hot;
  Invalidate();
}
