#include "controls/look/lighter_shade.h"

#include <algorithm>

namespace {

int LighterPart(int part, int percent) {
  const int c = std::clamp(part, 0, 255);
  return c + ((255 - c) * percent + 50) / 100;
}

}  // namespace

RgbColor LighterShade(RgbColor color, int percent) {
  const int p = std::clamp(percent, 0, 100);
  return {LighterPart(color.red, p), LighterPart(color.green, p), LighterPart(color.blue, p)};
}
