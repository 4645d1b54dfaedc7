#pragma once

#include "controls/xp_collapse_panel.h"
#include "framework/controls.h"

#include <commctrl.h>

// Header bar that shows (Collapsed true) or hides (false) a linked panel. A
// click in its strip (the bottom 26 pixels, inset by Border on both sides)
// flips Collapsed and moves the panel below the header; every click then
// fires OnClick.
class TKWTXPHeader : public TGraphicControl {
 public:
  static constexpr int kStripHeight = 26;

  explicit TKWTXPHeader(TComponent* owner);
  const char* ClassName() const override { return "TKWTXPHeader"; }

  bool Collapsed() const { return collapsed_; }
  void SetCollapsed(bool collapsed);
  TKWTXPCollapsePanel* KWTXPCollapsePanel() const { return panel_; }
  // The panel must have the header's parent; otherwise an information box
  // says so and the link stays empty.
  void SetKWTXPCollapsePanel(TKWTXPCollapsePanel* panel);
  int Border() const { return border_; }
  void SetBorder(int border);
  TColor HotColor() const { return hot_color_; }
  void SetHotColor(TColor color);
  bool HotOverlay() const { return hot_overlay_; }
  void SetHotOverlay(bool value);
  bool HandCursor() const { return hand_cursor_; }
  void SetHandCursor(bool value) { hand_cursor_ = value; }
  HIMAGELIST Images() const { return images_; }
  void SetImages(HIMAGELIST images);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);

  RECT StripRect() const;
  bool InStrip(POINT point) const;
  // The strip shows hot: mouse inside it while HotOverlay is set.
  bool StripHot() const { return strip_hot_; }

  void Click() override;
  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 protected:
  void Paint(TCanvas& canvas) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  HCURSOR CursorAt(POINT point) override;

 private:
  void PlacePanel();
  void SetStripHot(bool hot);

  bool collapsed_ = true;
  TKWTXPCollapsePanel* panel_ = nullptr;
  int border_ = 4;
  TColor hot_color_ = RGB(89, 154, 251);
  bool hot_overlay_ = true;
  bool hand_cursor_ = true;
  HIMAGELIST images_ = nullptr;
  int image_index_ = -1;
  bool strip_hot_ = false;
  POINT last_release_{-1, -1};
};
