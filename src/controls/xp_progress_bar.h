#pragma once

#include "framework/controls.h"

enum class TProgressBarOrientation { pbHorizontal, pbVertical };

// Progress bar. Position stays within Min..Max; lowering Max below Position
// lowers Position with it. A larger Position repaints only the newly filled
// part, a smaller one the whole bar.
class TKWTXPProgressBar : public TGraphicControl {
 public:
  explicit TKWTXPProgressBar(TComponent* owner);
  const char* ClassName() const override { return "TKWTXPProgressBar"; }

  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Position() const { return position_; }
  void SetPosition(int value);
  int Step() const { return step_; }
  void SetStep(int value);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool value);
  TProgressBarOrientation Orientation() const { return orientation_; }
  // Also swaps width and height, except while a description is being read.
  void SetOrientation(TProgressBarOrientation value);
  TColor BorderColor() const { return border_color_; }
  void SetBorderColor(TColor value);

  void StepIt() { SetPosition(position_ + step_); }
  void StepBy(int delta) { SetPosition(position_ + delta); }
  // Pixels of the fill for a position along the bar's length, inside the border.
  int FillExtent(int position) const;

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  RECT FillRect(int from_extent, int to_extent) const;

  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int step_ = 10;
  bool smooth_ = false;
  TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
  TColor border_color_ = RGB(128, 128, 128);
};
