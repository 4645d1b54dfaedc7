#include "controls/xp_collapse_panel.h"

#include "controls/look/collapse_panel_painter.h"
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

bool TKWTXPCollapsePanel::ReadProperty(TReader& reader, const std::string& name,
                                       const TPropValue& value) {
  if (name == "Border")
    SetBorder(reader.Integer(value));
  else if (name == "ColorFrame")
    SetColorFrame(reader.Color(value));
  else if (name == "ColorBackground")
    SetColorBackground(reader.Color(value));
  else
    return TWinControl::ReadProperty(reader, name, value);
  return true;
}

void TKWTXPCollapsePanel::Paint(TCanvas& canvas) {
  PaintCollapsePanel(
      canvas.Handle(), ClientRect(),
      {border_, ColorToRGB(color_frame_), ColorToRGB(color_background_), ColorToRGB(Color())});
}
