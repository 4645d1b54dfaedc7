#include "controls/xp_progress_bar.h"

#include "controls/look/progress_painter.h"
#include "framework/description_reader.h"

#include <algorithm>

namespace {

constexpr int kBorder = 1;

}  // namespace

TKWTXPProgressBar::TKWTXPProgressBar(TComponent* owner) : TGraphicControl(owner) {
  SetColor(clWhite);
  SetBounds(0, 0, 149, 16);
}

void TKWTXPProgressBar::SetMin(int value) {
  min_ = value;
  Invalidate();
}

void TKWTXPProgressBar::SetMax(int value) {
  max_ = value;
  if (position_ > max_) position_ = max_;
  Invalidate();
}

void TKWTXPProgressBar::SetPosition(int value) {
  value = std::max(min_, std::min(value, max_));
  if (value == position_) return;
  const int old_extent = FillExtent(position_);
  position_ = value;
  const int new_extent = FillExtent(position_);
  if (!HandleAllocated()) return;
  if (new_extent > old_extent) {
    const RECT part = FillRect(old_extent, new_extent);
    InvalidateRect(handle_, &part, FALSE);
  } else {
    Invalidate();
  }
}

void TKWTXPProgressBar::SetStep(int value) {
  step_ = value;
  Invalidate();
}

void TKWTXPProgressBar::SetSmooth(bool value) {
  smooth_ = value;
  Invalidate();
}

void TKWTXPProgressBar::SetOrientation(TProgressBarOrientation value) {
  if (orientation_ == value) return;
  orientation_ = value;
  if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TKWTXPProgressBar::SetBorderColor(TColor value) {
  border_color_ = value;
  Invalidate();
}

int TKWTXPProgressBar::FillExtent(int position) const {
  const int length =
      (orientation_ == TProgressBarOrientation::pbHorizontal ? Width() : Height()) - 2 * kBorder;
  if (max_ <= min_ || length <= 0) return 0;
  const long long done = std::clamp(position, min_, max_) - static_cast<long long>(min_);
  return static_cast<int>(done * length / (static_cast<long long>(max_) - min_));
}

RECT TKWTXPProgressBar::FillRect(int from_extent, int to_extent) const {
  if (orientation_ == TProgressBarOrientation::pbHorizontal) {
    return RECT{kBorder + from_extent, kBorder, kBorder + to_extent, Height() - kBorder};
  }
  // Vertical bars fill from the bottom up.
  return RECT{kBorder, Height() - kBorder - to_extent, Width() - kBorder,
              Height() - kBorder - from_extent};
}

bool TKWTXPProgressBar::ReadProperty(TReader& reader, const std::string& name,
                                     const TPropValue& value) {
  static const std::vector<TEnumName> orientation_names = {
      {"pbHorizontal", static_cast<int>(TProgressBarOrientation::pbHorizontal)},
      {"pbVertical", static_cast<int>(TProgressBarOrientation::pbVertical)}};
  if (name == "Min")
    SetMin(reader.Integer(value));
  else if (name == "Max")
    SetMax(reader.Integer(value));
  else if (name == "Position")
    SetPosition(reader.Integer(value));
  else if (name == "Step")
    SetStep(reader.Integer(value));
  else if (name == "Smooth")
    SetSmooth(reader.Boolean(value));
  else if (name == "Orientation")
    SetOrientation(static_cast<TProgressBarOrientation>(reader.Enum(value, orientation_names)));
  else if (name == "BorderColor")
    SetBorderColor(reader.Color(value));
  else
    return TGraphicControl::ReadProperty(reader, name, value);
  return true;
}

void TKWTXPProgressBar::Paint(TCanvas& canvas) {
  // A growing position invalidates only the newly filled part (SetPosition),
  // so the whole-bar painting below reaches the screen only there.
  ProgressLook look;
  look.min = min_;
  look.max = max_;
  look.position = position_;
  look.vertical = orientation_ == TProgressBarOrientation::pbVertical;
  look.smooth = smooth_;
  look.border = ColorToRGB(border_color_);
  look.color = ColorToRGB(Color());
  PaintProgressBar(canvas.Handle(), ClientRect(), look);
}
