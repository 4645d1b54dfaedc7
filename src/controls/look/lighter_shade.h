#pragma once

// A colour as its red, green and blue parts, 0 to 255 each.
struct RgbColor {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

// Each part c moves towards white: c + (255 - c) * percent / 100, rounded
// half up. Percentages outside 0..100 are taken as the nearest end, so the
// result is always a valid colour.
RgbColor LighterShade(RgbColor color, int percent);
