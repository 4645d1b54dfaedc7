#include "app/apply/progress_scale.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressScaleTest, SmallValuesPassUnchanged) {
  ProgressScale scale;
  EXPECT_EQ(scale.SetMaximum(1000), 1000);
  EXPECT_EQ(scale.Position(250), 250);
  EXPECT_EQ(scale.SetMaximum(0x7FFFFFFF), 0x7FFFFFFF);
  EXPECT_EQ(scale.Position(0x7FFFFFFF), 0x7FFFFFFF);
}

TEST(ProgressScaleTest, LargeValuesKeepMaximumAndPositionInOneScale) {
  ProgressScale scale;
  const std::uint64_t five_gib = 5ull << 30;
  const std::int32_t maximum = scale.SetMaximum(five_gib);
  EXPECT_GT(maximum, 0x40000000);
  EXPECT_EQ(scale.Position(five_gib), maximum);
  EXPECT_EQ(scale.Position(five_gib / 2), maximum / 2);
  EXPECT_EQ(scale.Position(0), 0);
  // A new, smaller maximum resets the scale.
  EXPECT_EQ(scale.SetMaximum(10), 10);
  EXPECT_EQ(scale.Position(7), 7);
}

TEST(ProgressScaleTest, PositionsBeyondTheMaximumStayInRange) {
  ProgressScale scale;
  scale.SetMaximum(100);
  EXPECT_EQ(scale.Position(~0ull), 0x7FFFFFFF);
}

struct PercentCase {
  std::uint64_t transferred;
  std::uint64_t total;
  std::int32_t percent;
};

class CopyPercentTest : public testing::TestWithParam<PercentCase> {};

TEST_P(CopyPercentTest, RoundsHalvesToEven) {
  EXPECT_EQ(CopyPercent(GetParam().transferred, GetParam().total), GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(Table, CopyPercentTest,
                         testing::Values(PercentCase{0, 1000, 0}, PercentCase{1000, 1000, 100},
                                         PercentCase{5, 1000, 0},     // 0.5 -> 0
                                         PercentCase{15, 1000, 2},    // 1.5 -> 2
                                         PercentCase{25, 1000, 2},    // 2.5 -> 2
                                         PercentCase{336, 1000, 34},  // 33.6 -> 34
                                         PercentCase{0, 0, 100},      // empty file: complete
                                         PercentCase{3ull << 32, 6ull << 32, 50}));

}  // namespace
