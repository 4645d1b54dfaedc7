#include "common/integer_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct IntegerCase {
  const char* text;
  std::optional<std::int32_t> value;
};

class ParseIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIntegerTest, ReadsSettingsIntegers) {
  EXPECT_EQ(ParseInteger(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseIntegerTest,
    testing::Values(IntegerCase{"0", 0}, IntegerCase{"1", 1}, IntegerCase{"30", 30},
                    IntegerCase{"-5", -5}, IntegerCase{"+7", 7}, IntegerCase{"  12", 12},
                    IntegerCase{"0x1E", 30}, IntegerCase{"0X1e", 30}, IntegerCase{"$1F", 31},
                    IntegerCase{"-$10", -16}, IntegerCase{"0xFFFFFFFF", -1},
                    IntegerCase{"2147483647", 2147483647},
                    IntegerCase{"-2147483648", -2147483647 - 1},
                    IntegerCase{"2147483648", std::nullopt},
                    IntegerCase{"0x100000000", std::nullopt}, IntegerCase{"", std::nullopt},
                    IntegerCase{"abc", std::nullopt}, IntegerCase{"1.0", std::nullopt},
                    IntegerCase{"12 ", std::nullopt}, IntegerCase{"0x", std::nullopt},
                    IntegerCase{"$", std::nullopt}, IntegerCase{"-", std::nullopt},
                    IntegerCase{"1a", std::nullopt}, IntegerCase{"0x1G", std::nullopt},
                    IntegerCase{"99999999999999999999", std::nullopt}));

TEST(IntegerOrTest, FallsBackOnlyForNonIntegers) {
  EXPECT_EQ(IntegerOr("abc", 30), 30);
  EXPECT_EQ(IntegerOr("0", 30), 0);
}

}  // namespace
