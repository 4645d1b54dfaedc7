#include "common/env_expand.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::optional<std::string> Lookup(std::string_view name) {
  static const std::map<std::string, std::string, std::less<>> variables = {
      {"SystemDrive", "C:"}, {"Empty", ""}, {"Long", std::string(3000, 'x')}};
  const auto found = variables.find(name);
  if (found == variables.end()) return std::nullopt;
  return found->second;
}

struct ExpandCase {
  const char* text;
  const char* expected;
};

class ExpandEnvVarsTest : public testing::TestWithParam<ExpandCase> {};

TEST_P(ExpandEnvVarsTest, ReplacesDefinedReferencesOnly) {
  EXPECT_EQ(ExpandEnvVars(GetParam().text, Lookup), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ExpandEnvVarsTest,
                         testing::Values(ExpandCase{"", ""}, ExpandCase{"plain", "plain"},
                                         ExpandCase{"%SystemDrive%\\D", "C:\\D"},
                                         ExpandCase{"%SystemDrive%%SystemDrive%", "C:C:"},
                                         ExpandCase{"a%Empty%b", "ab"},
                                         ExpandCase{"%Nope%\\D", "%Nope%\\D"},
                                         ExpandCase{"%Nope%SystemDrive%", "%Nope%SystemDrive%"},
                                         ExpandCase{"50%", "50%"}, ExpandCase{"%%", "%%"},
                                         ExpandCase{"x%SystemDrive", "x%SystemDrive"},
                                         ExpandCase{"%SystemDrive%%", "C:%"}));

TEST(ExpandEnvVarsUnexpandedTest, NamesTheReferencesThatStayAsWritten) {
  std::vector<std::string> unexpanded;
  EXPECT_EQ(ExpandEnvVars("%SystemDrive%%Nowhere%\\%%\\%Empty%%Gone%x%", Lookup, &unexpanded),
            "C:%Nowhere%\\%%\\%Gone%x%");
  EXPECT_EQ(unexpanded, (std::vector<std::string>{"%Nowhere%", "%Gone%"}));
}

TEST(ExpandEnvVarsLimitTest, CutsResultsToTheLimit) {
  const std::string expanded = ExpandEnvVars("%Long%%Long%", Lookup);
  EXPECT_EQ(expanded.size(), kMaxExpandedLength);
  EXPECT_EQ(expanded, std::string(kMaxExpandedLength, 'x'));

  const std::string literal(5000, 'y');
  EXPECT_EQ(ExpandEnvVars(literal, Lookup).size(), kMaxExpandedLength);
}

}  // namespace
