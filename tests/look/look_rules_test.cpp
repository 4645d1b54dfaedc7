// The look's rules that need no device: lighter shades and the filled length
// of a progress bar.
#include <gtest/gtest.h>

#include <climits>

#include "controls/look/lighter_shade.h"
#include "controls/look/progress_geometry.h"

namespace {

struct ShadeCase {
  RgbColor color;
  int percent;
  RgbColor expected;
};

class LighterShadeTest : public testing::TestWithParam<ShadeCase> {};

TEST_P(LighterShadeTest, MovesEachPartTowardsWhiteRounded) {
  const ShadeCase& c = GetParam();
  EXPECT_EQ(LighterShade(c.color, c.percent), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LighterShadeTest,
    testing::Values(
        // The progress bar's corners: its default grey border lightened by 70.
        ShadeCase{{128, 128, 128}, 70, {217, 217, 217}},
        // 255 * 0.7 = 178.5 rounds up.
        ShadeCase{{0, 0, 0}, 70, {179, 179, 179}}, ShadeCase{{83, 141, 251}, 70, {203, 221, 254}},
        // Halves round up in every part.
        ShadeCase{{10, 20, 30}, 50, {133, 138, 143}}, ShadeCase{{1, 2, 3}, 1, {4, 5, 6}},
        ShadeCase{{255, 255, 255}, 70, {255, 255, 255}}, ShadeCase{{12, 34, 56}, 0, {12, 34, 56}},
        ShadeCase{{12, 34, 56}, 100, {255, 255, 255}},
        // Outside 0..100 the nearest end holds: never past white, never darker.
        ShadeCase{{12, 34, 56}, 250, {255, 255, 255}}, ShadeCase{{12, 34, 56}, -40, {12, 34, 56}}));

struct FillCase {
  int min, max, position, length, expected;
};

class FilledLengthTest : public testing::TestWithParam<FillCase> {};

TEST_P(FilledLengthTest, ScalesThePositionIntoTheBar) {
  const FillCase& c = GetParam();
  EXPECT_EQ(FilledLength(c.min, c.max, c.position, c.length), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FilledLengthTest,
                         testing::Values(FillCase{0, 100, 0, 147, 0}, FillCase{0, 100, 50, 147, 73},
                                         FillCase{0, 100, 100, 147, 147},
                                         // Positions outside the range fill nothing or all.
                                         FillCase{0, 100, 150, 147, 147},
                                         FillCase{0, 100, -5, 147, 0},
                                         FillCase{-50, 50, 0, 100, 50},
                                         // Empty or reversed ranges and empty bars fill nothing.
                                         FillCase{10, 10, 10, 100, 0}, FillCase{20, 10, 15, 100, 0},
                                         FillCase{0, 100, 50, 0, 0}, FillCase{0, 100, 50, -3, 0},
                                         // The full int range does not overflow.
                                         FillCase{INT_MIN, INT_MAX, 0, 1000, 500},
                                         FillCase{INT_MIN, INT_MAX, INT_MAX, 1000, 1000}));

}  // namespace
