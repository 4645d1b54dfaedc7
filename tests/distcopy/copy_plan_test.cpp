#include "distcopy/copy_plan.h"

#include <gtest/gtest.h>

namespace {

TEST(CopyPlanTest, ConcatenatesWithoutAddingSeparators) {
  const CopyPlan plan =
      MakeCopyPlan({"C:\\WINDOWS", "C:\\WINDOWS\\system32", "D:\\", "E:\\tools\\", {}});
  EXPECT_EQ(plan.first_settings, "C:\\WINDOWS\\system32\\Tarnix.ini");
  EXPECT_EQ(plan.second_settings, "E:\\tools\\Korvelund.ini");
  EXPECT_EQ(plan.copy_source, "D:\\I386\\*.*");
  EXPECT_EQ(plan.copy_destination, "C:\\WINDOWS\\I386\\");
  EXPECT_EQ(plan.new_setup_source, "C:\\WINDOWS\\");
  EXPECT_EQ(plan.new_system_source, "C:\\WINDOWS\\I386");
  EXPECT_EQ(plan.service_pack_folder, "C:\\WINDOWS\\I386\\SVCPACK");
  EXPECT_EQ(plan.copy_folder, "C:\\WINDOWS\\I386");

  EXPECT_EQ(MakeCopyPlan({"C:\\W", "C:\\W\\s", "D:\\setup", "", {}}).copy_source,
            "D:\\setupI386\\*.*");
  EXPECT_EQ(MakeCopyPlan({"C:\\W", "C:\\W\\s", "", "", {}}).copy_source, "I386\\*.*");
}

struct ArgumentCase {
  const char* argument;
  const char* source;
};

class SourceFromArgumentTest : public testing::TestWithParam<ArgumentCase> {};

TEST_P(SourceFromArgumentTest, DropsTheFirstSlashOnly) {
  const CopyPlan plan =
      MakeCopyPlan({"C:\\W", "C:\\W\\s", "D:\\", "", std::string(GetParam().argument)});
  EXPECT_EQ(plan.copy_source, GetParam().source);
}

INSTANTIATE_TEST_SUITE_P(Table, SourceFromArgumentTest,
                         testing::Values(ArgumentCase{"/E:\\I386\\*.*", "E:\\I386\\*.*"},
                                         ArgumentCase{"E:\\I386", "E:\\I386"},
                                         ArgumentCase{"E:\\I3/86", "E:\\I386"},
                                         ArgumentCase{"//E:\\I386", "/E:\\I386"},
                                         ArgumentCase{"E:\\I386/", "E:\\I386"},
                                         ArgumentCase{"", ""}));

}  // namespace
