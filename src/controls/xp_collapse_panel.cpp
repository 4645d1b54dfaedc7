#include "controls/xp_collapse_panel.h"

#include "framework/description_reader.h"

TKWTXPCollapsePanel::TKWTXPCollapsePanel(TComponent* owner) : TWinControl(owner) {
  SetColor(RGB(203, 219, 248));
  SetBounds(0, 0, 170, 120);
}

void TKWTXPCollapsePanel::SetBorder(int border) {
  border_ = border;
  Invalidate();
}

void TKWTXPCollapsePanel::SetColorFrame(TColor color) {
  color_frame_ = color;
  Invalidate();
}

void TKWTXPCollapsePanel::SetColorBackground(TColor color) {
  color_background_ = color;
  Invalidate();
}

bool TKWTXPCollapsePanel::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  if (name == "Border") SetBorder(reader.Integer(value));
  else if (name == "ColorFrame") SetColorFrame(reader.Color(value));
  else if (name == "ColorBackground") SetColorBackground(reader.Color(value));
  else return TWinControl::ReadProperty(reader, name, value);
  return true;
}

void TKWTXPCollapsePanel::Paint(TCanvas& canvas) {
  const RECT client = ClientRect();
  canvas.SetBrushColor(color_background_);
  canvas.FillRect(client);
  const RECT inner{client.left + border_, client.top - 1, client.right - border_, client.bottom - 4};
  canvas.SetBrushColor(Color());
  canvas.FillRect(inner);
  canvas.SetPenColor(color_frame_);
  canvas.FrameRect(inner);
}
