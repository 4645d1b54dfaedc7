#pragma once

#include <cstdint>

// The progress bars hold 32-bit values while the archive events report
// 64-bit ones. A scale is fixed when a bar's maximum is set and applied to
// every position of that bar, so that maximum and position stay comparable
// even past 2 GiB.
class ProgressScale {
 public:
  // Fixes the scale for `maximum` and returns the maximum to show.
  std::int32_t SetMaximum(std::uint64_t maximum);
  // A position in the scale of the last maximum.
  std::int32_t Position(std::uint64_t position) const;

 private:
  unsigned shift_ = 0;
};

// Percentage of a file copy for the overall bar, rounded to the nearest
// integer with halves to even; a file of length 0 counts as complete.
std::int32_t CopyPercent(std::uint64_t transferred, std::uint64_t total);
