#include "controls/look/progress_geometry.h"

#include <algorithm>
#include <cstdint>

int FilledLength(int min, int max, int position, int length) {
  if (max <= min || length <= 0) return 0;
  const std::int64_t done = std::int64_t{std::clamp(position, min, max)} - min;
  const std::int64_t range = std::int64_t{max} - min;
  return static_cast<int>(done * length / range);
}
