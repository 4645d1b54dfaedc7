#include "support/file_util.h"
#include "support/host_command.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

TEST(HostCommandTest, ReportsExitCodeAndOutput) {
  const HostResult ok = RunHostCommand({"sh", "-c", "echo \"$0\"; exit 3", "it's here"});
  EXPECT_EQ(ok.exit_code, 3);
  EXPECT_EQ(ok.output, "it's here\n");
}

TEST(HostCommandTest, Makes7zArchivesForFixtures) {
  TempFolder folder;
  WriteTextFile(folder / "src\\a.inf", "[Version]\r\n");
  const HostResult made = Run7zz({"a", "-bd", "pack.7z", "src"}, folder.Path());
  ASSERT_EQ(made.exit_code, 0) << made.output;
  EXPECT_EQ(ReadTextFile(folder / "pack.7z").substr(0, 6), std::string("7z\xBC\xAF\x27\x1C", 6));
}

}  // namespace
