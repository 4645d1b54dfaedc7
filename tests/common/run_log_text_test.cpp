#include "common/run_log_text.h"

#include <gtest/gtest.h>

namespace {

TEST(RunLogTextTest, LinesCarryTheirTimeAndEndInCrLf) {
  EXPECT_EQ(LogLine({2026, 1, 9, 7, 5, 3}, {"apply ", "started"}),
            "2026-01-09 07:05:03 apply started\r\n");
  EXPECT_EQ(LogLine({2026, 12, 31, 23, 59, 59}, {}), "2026-12-31 23:59:59 \r\n");
}

TEST(RunLogTextTest, ResultAndSeconds) {
  EXPECT_EQ(std::string_view(RunResultText(0)), "result: ok");
  EXPECT_EQ(std::string_view(RunResultText(1)), "result: 1 failure");
  EXPECT_EQ(std::string_view(RunResultText(4294967295u)), "result: 4294967295 failures");
  EXPECT_EQ(std::string_view(SecondsText(0)), "0.000 s");
  EXPECT_EQ(std::string_view(SecondsText(61005)), "61.005 s");
  EXPECT_EQ(std::string_view(SecondsText(4294967295u)), "4294967.295 s");
  EXPECT_EQ(std::string_view(DecimalText(0)), "0");
  EXPECT_EQ(std::string_view(DecimalText(-42)), "-42");
  EXPECT_EQ(std::string_view(DecimalText(INT64_MIN)), "-9223372036854775808");
  EXPECT_EQ(std::string_view(DecimalText(INT64_MAX)), "9223372036854775807");
  EXPECT_EQ(std::string_view(HexText(0xD43AD, 8)), "0x000D43AD");
  EXPECT_EQ(std::string_view(HexText(0xC0000005u, 8)), "0xC0000005");
  EXPECT_EQ(std::string_view(HexText(UINT64_MAX, 16)), "0xFFFFFFFFFFFFFFFF");
}

}  // namespace
