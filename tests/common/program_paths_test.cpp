#include <windows.h>

#include "common/env_expand.h"
#include "common/paths.h"
#include "common/program_paths.h"
#include "support/file_util.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using testing_support::TempFolder;
using testing_support::WriteTextFile;

TEST(SettingsFileNameTest, IsTheProgramPathWithIni) {
  const std::string program = ProgramFileName();
  ASSERT_GT(program.size(), 4u);
  EXPECT_EQ(program.substr(program.size() - 4), ".exe");
  EXPECT_EQ(SettingsFileName(), program.substr(0, program.size() - 4) + ".ini");
}

TEST(ExpandEnvVarsProcessTest, UsesTheProcessEnvironment) {
  SetEnvironmentVariableA("KV_TEST_SET", "value");
  SetEnvironmentVariableA("KV_TEST_EMPTY", "");
  SetEnvironmentVariableA("KV_TEST_UNSET", nullptr);
  SetEnvironmentVariableA("KV_TEST_LONG", std::string(5000, 'L').c_str());
  EXPECT_EQ(ExpandEnvVars("%kv_test_set%\\D"), "value\\D");  // names ignore case
  EXPECT_EQ(ExpandEnvVars("[%KV_TEST_EMPTY%]"), "[]");
  EXPECT_EQ(ExpandEnvVars("%KV_TEST_UNSET%\\x"), "%KV_TEST_UNSET%\\x");
  EXPECT_EQ(ExpandEnvVars("%KV_TEST_LONG%"), std::string(kMaxExpandedLength, 'L'));

  char drive[64];
  ASSERT_GT(GetEnvironmentVariableA("SystemDrive", drive, sizeof drive), 0u);
  EXPECT_EQ(ExpandEnvVars("%Systemdrive%\\D"), std::string(drive) + "\\D");
}

TEST(FileTestsTest, TellFilesFromFolders) {
  TempFolder folder;
  WriteTextFile(folder / "file.txt", "x");
  EXPECT_TRUE(FileExists(folder / "file.txt"));
  EXPECT_FALSE(DirectoryExists(folder / "file.txt"));
  EXPECT_TRUE(DirectoryExists(folder.Path()));
  EXPECT_FALSE(FileExists(folder.Path()));
  EXPECT_FALSE(FileExists(folder / "missing"));
  EXPECT_FALSE(DirectoryExists(folder / "*.*"));
}

}  // namespace
