#include "app/apply/progress_scale.h"

#include <cmath>
#include <limits>

namespace {

constexpr std::uint64_t kLargest = std::numeric_limits<std::int32_t>::max();

std::int32_t Clamp(std::uint64_t value) {
  return static_cast<std::int32_t>(value > kLargest ? kLargest : value);
}

}  // namespace

std::int32_t ProgressScale::SetMaximum(std::uint64_t maximum) {
  shift_ = 0;
  while ((maximum >> shift_) > kLargest) ++shift_;
  return Clamp(maximum >> shift_);
}

std::int32_t ProgressScale::Position(std::uint64_t position) const {
  return Clamp(position >> shift_);
}

std::int32_t CopyPercent(std::uint64_t transferred, std::uint64_t total) {
  if (total == 0) return 100;
  const double percent = static_cast<double>(transferred) / static_cast<double>(total) * 100.0;
  return static_cast<std::int32_t>(std::nearbyint(percent));  // default rounding: halves to even
}
