#pragma once

#include "framework/controls.h"

// Panel shown under a header: a frame in ColorFrame filled with Color on a
// ColorBackground ground.
class TKWTXPCollapsePanel : public TWinControl {
 public:
  explicit TKWTXPCollapsePanel(TComponent* owner);
  const char* ClassName() const override { return "TKWTXPCollapsePanel"; }

  int Border() const { return border_; }
  void SetBorder(int border);
  TColor ColorFrame() const { return color_frame_; }
  void SetColorFrame(TColor color);
  TColor ColorBackground() const { return color_background_; }
  void SetColorBackground(TColor color);

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  int border_ = 4;
  TColor color_frame_ = clWhite;
  TColor color_background_ = RGB(83, 141, 251);
};
