#include <windows.h>

#include "common/program_paths.h"
#include "distcopy/distribution_copier.h"
#include "distcopy/setup_registry.h"
#include "distcopy/shell_operations.h"
#include "registry_guard.h"
#include "support/file_util.h"
#include "support/run_log_reader.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using testing_support::ReadTextFile;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

// A disposable system: Windows and system folders, a program folder and a
// distribution on "CD", all inside one temporary folder, and setup keys of
// its own in the registry.
class CopierTest : public testing::Test {
 protected:
  void SetUp() override {
    SetMachineString(setup_key_, "BootDir", "C:\\");
    SetMachineString(system_key_, "SystemRoot", "C:\\windows");
    testing_support::MakeFolders(root_ / "windows\\system32");
    testing_support::MakeFolders(root_ / "prog");
    WriteTextFile(root_ / "cd\\I386\\txtsetup.sif", "[SetupData]\r\n");
    WriteTextFile(root_ / "cd\\I386\\DRIVERS\\acpi.sys", "sys");
    WriteTextFile(root_ / "cd\\I386\\SVCPACK\\KB1.exe", "sp");
  }

  void TearDown() override {
    DeleteMachineKey(setup_key_);
    DeleteMachineKey(system_key_);
    DeleteMachineKey(sandbox_key_);
  }

  CopyPlan Plan(const std::string& argument) const {
    CopyPlan plan = MakeCopyPlan(
        {root_ / "windows", root_ / "windows\\system32", "", root_ / "prog\\", argument});
    plan.setup_key = setup_key_;
    plan.system_key = system_key_;
    return plan;
  }
  CopyPlan Plan() const { return Plan(root_ / "cd\\I386\\*.*"); }
  std::string Copied(const std::string& relative) const {
    return root_ / ("windows\\I386\\" + relative);
  }
  void WantCopy(const char* tarnix, const char* korvelund) const {
    if (tarnix) WriteTextFile(root_ / "windows\\system32\\Tarnix.ini", tarnix);
    if (korvelund) WriteTextFile(root_ / "prog\\Korvelund.ini", korvelund);
  }

  TempFolder root_;
  RunLog log_;
  std::string sandbox_key_ = "Software\\KorvelundTests" + std::to_string(GetCurrentProcessId());
  std::string setup_key_ = sandbox_key_ + "\\SETUP";
  std::string system_key_ = sandbox_key_ + "\\NT";
};

struct DecisionCase {
  const char* tarnix;     // content of Tarnix.ini, null: no such file
  const char* korvelund;  // content of Korvelund.ini, null: no such file
  bool copies;
};

class DecisionTest : public CopierTest, public testing::WithParamInterface<DecisionCase> {};

TEST_P(DecisionTest, CopiesOnlyWhenTheDecidingFileSaysOne) {
  WantCopy(GetParam().tarnix, GetParam().korvelund);
  RunDistributionCopy(Plan(), log_);
  EXPECT_EQ(FileExists(Copied("txtsetup.sif")), GetParam().copies);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecisionTest,
    testing::Values(
        // Tarnix.ini holding the key decides alone.
        DecisionCase{"[CopyFiles]\nDistrCopy=0\n", "[CopyFiles]\nDistrCopy=1\n", false},
        DecisionCase{"[copyfiles]\ndistrcopy=1\n", "[CopyFiles]\nDistrCopy=0\n", true},
        // Without the key there, or without the file, Korvelund.ini decides.
        DecisionCase{"[CopyFiles]\nTarnix=1\n", "[CopyFiles]\nDistrCopy=1\n", true},
        DecisionCase{nullptr, "[CopyFiles]\nDistrCopy=1\n", true},
        DecisionCase{nullptr, "[CopyFiles]\nDistrCopy=0\n", false},
        DecisionCase{"[Options]\nPostSetup=1\n", "[Options]\nDistrCopy=1\n", false},
        DecisionCase{nullptr, nullptr, false},
        // Integer forms of the value.
        DecisionCase{"[CopyFiles]\nDistrCopy=0x1\n", nullptr, true},
        DecisionCase{"[CopyFiles]\nDistrCopy=0X1\n", nullptr, true},
        DecisionCase{"[CopyFiles]\nDistrCopy=$1\n", nullptr, true},
        DecisionCase{"[CopyFiles]\nDistrCopy=1.0\n", "[CopyFiles]\nDistrCopy=1\n", false},
        DecisionCase{"[CopyFiles]\nDistrCopy=\n", "[CopyFiles]\nDistrCopy=1\n", false},
        DecisionCase{"[CopyFiles]\nDistrCopy=yes\n", "[CopyFiles]\nDistrCopy=1\n", false},
        DecisionCase{"[CopyFiles]\nDistrCopy=2\n", nullptr, false}));

TEST_F(CopierTest, SuccessfulCopyPointsTheRegistryAtItThenDropsServicePacks) {
  WantCopy(nullptr, "[CopyFiles]\nDistrCopy=1\n");
  const std::string windows = root_ / "windows";
  bool registry_ready_before_delete = false;
  ShellOperations shell = SystemShell();
  shell.remove = [&](const std::string& folder) {
    registry_ready_before_delete =
        MachineString(setup_key_, "SourcePath") == windows + "\\" &&
        MachineString(setup_key_, "ServicePackSourcePath") == windows + "\\" &&
        MachineString(system_key_, "SourcePath") == windows + "\\I386";
    return ShellDelete(folder);
  };
  RunDistributionCopy(Plan(), log_, shell);

  EXPECT_EQ(ReadTextFile(Copied("txtsetup.sif")), "[SetupData]\r\n");
  EXPECT_EQ(ReadTextFile(Copied("DRIVERS\\acpi.sys")), "sys");
  EXPECT_FALSE(DirectoryExists(Copied("SVCPACK")));
  EXPECT_TRUE(registry_ready_before_delete);
  EXPECT_EQ(MachineString(setup_key_, "SourcePath"), windows + "\\");
  EXPECT_EQ(MachineString(system_key_, "SourcePath"), windows + "\\I386");
}

TEST_F(CopierTest, PassesPathsLongerThan128CharactersWhole) {
  const std::string deep = root_ / (std::string(70, 'a') + "\\" + std::string(70, 'b') + "\\I386");
  WriteTextFile(deep + "\\long.inf", "long");
  WriteTextFile(deep + "\\long.cat", "cat");
  WantCopy(nullptr, "[CopyFiles]\nDistrCopy=1\n");
  ASSERT_GE(deep.size(), 150u);
  RunDistributionCopy(Plan(deep + "\\*.*"), log_);
  EXPECT_EQ(ReadTextFile(Copied("long.inf")), "long");
}

struct FailedCopyCase {
  bool source_is_folder;  // the argument names a folder (else a pattern)
  bool copy_folder_existed;
  bool copy_folder_removed;
};

class FailedCopyTest : public CopierTest, public testing::WithParamInterface<FailedCopyCase> {};

// The shell leaves a partial copy behind and reports failure, as it does when
// a file cannot be read or the user cancels.
TEST_P(FailedCopyTest, RemovesOnlyACopyFolderThisRunMade) {
  WantCopy(nullptr, "[CopyFiles]\nDistrCopy=1\n");
  if (GetParam().copy_folder_existed) WriteTextFile(Copied("earlier.txt"), "earlier copy");
  ShellOperations shell = SystemShell();
  shell.copy = [&](const std::string&, const std::string& destination) {
    WriteTextFile(destination + "partial.txt", "partial");
    return false;
  };
  const std::string source = root_ / (GetParam().source_is_folder ? "cd\\I386" : "cd\\I386\\*.*");
  RunDistributionCopy(Plan(source), log_, shell);

  EXPECT_EQ(DirectoryExists(root_ / "windows\\I386"), !GetParam().copy_folder_removed);
  if (GetParam().copy_folder_existed) {
    EXPECT_EQ(ReadTextFile(Copied("earlier.txt")), "earlier copy");
  }
  EXPECT_EQ(MachineString(system_key_, "SourcePath"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Table, FailedCopyTest,
                         testing::Values(FailedCopyCase{true, false, true},
                                         FailedCopyCase{true, true, false},
                                         FailedCopyCase{false, false, false}));

TEST_F(CopierTest, SourceMatchingNothingFailsAndLeavesTheRegistry) {
  WantCopy(nullptr, "[CopyFiles]\nDistrCopy=1\n");
  RunDistributionCopy(Plan(root_ / "cd\\setupI386\\*.*"), log_);
  EXPECT_FALSE(DirectoryExists(root_ / "windows\\I386"));
  EXPECT_EQ(MachineString(setup_key_, "SourcePath"), std::nullopt);
}

TEST_F(CopierTest, FailedRegistryWriteStopsBeforeServicePackRemoval) {
  WantCopy(nullptr, "[CopyFiles]\nDistrCopy=1\n");
  DeleteMachineKey(setup_key_);
  try {
    RunLog log(root_ / "run.log", "Halbrent.exe");
    RunDistributionCopy(Plan(), log);
    ADD_FAILURE() << "no registry error";
  } catch (const RegistryError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'SourcePath'");
  }
  EXPECT_TRUE(FileExists(Copied("txtsetup.sif")));
  EXPECT_TRUE(DirectoryExists(Copied("SVCPACK")));
  const std::vector<std::string> events = testing_support::RunLogEvents(root_ / "run.log");
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[2],
            "shell copy to " + root_.Path() + "\\windows\\I386\\: 3 files, 18 bytes, ok");
  EXPECT_EQ(events[3], "registry HKLM\\" + setup_key_ + "\\SourcePath: could not be set to '" +
                           root_.Path() + "\\windows\\' (was (none))");
}

}  // namespace

namespace {

// The short 8.3 form of an existing path.
std::string ShortName(const std::string& path) {
  char name[MAX_PATH * 2];
  const DWORD length = GetShortPathNameA(path.c_str(), name, sizeof name);
  return length > 0 && length < sizeof name ? std::string(name, length) : path;
}

class SameFolderTest : public CopierTest, public testing::WithParamInterface<int> {
 protected:
  // The copy folder itself, as a run's source may spell it.
  std::string Spelling() const {
    const std::string copy = root_ / "windows\\I386";
    switch (GetParam()) {
      case 0:
        return copy + "\\*.*";
      case 1:
        return root_ / "WINDOWS\\i386\\.\\*.*";
      case 2:
        return root_ / "windows\\system32\\..\\I386";
      default:
        return ShortName(copy) + "\\*.*";
    }
  }
};

// Run a second time, or given the copy itself: the copier neither copies the
// folder onto itself nor deletes its SVCPACK, and points the setup paths at
// it as after a good copy.
TEST_P(SameFolderTest, CopiesAndDeletesNothingAndWritesTheSetupPaths) {
  WantCopy(nullptr, "[CopyFiles]\nDistrCopy=1\n");
  WriteTextFile(Copied("txtsetup.sif"), "[SetupData]\r\n");
  WriteTextFile(Copied("SVCPACK\\KB2.exe"), "sp2");
  bool shell_used = false;
  ShellOperations shell = SystemShell();
  shell.copy = [&](const std::string&, const std::string&) { return shell_used = true; };
  shell.remove = [&](const std::string&) { return shell_used = true; };
  RunLog log(root_ / "run.log", "Halbrent.exe");
  const std::string source = Spelling();
  SCOPED_TRACE(source);
  RunDistributionCopy(Plan(source), log, shell);

  EXPECT_FALSE(shell_used);
  EXPECT_EQ(ReadTextFile(Copied("SVCPACK\\KB2.exe")), "sp2");
  EXPECT_EQ(MachineString(setup_key_, "SourcePath"), root_ / "windows\\");
  EXPECT_EQ(MachineString(setup_key_, "ServicePackSourcePath"), root_ / "windows\\");
  EXPECT_EQ(MachineString(system_key_, "SourcePath"), root_ / "windows\\I386");
  const std::vector<std::string> events = testing_support::RunLogEvents(root_ / "run.log");
  ASSERT_GE(events.size(), 3u);
  EXPECT_TRUE(events[2].starts_with("no copy: the source ")) << events[2];
  EXPECT_TRUE(events[2].ends_with(" is the target " + root_ / "windows\\I386" +
                                  " itself; nothing copied or deleted"))
      << events[2];
}

INSTANTIATE_TEST_SUITE_P(Spellings, SameFolderTest, testing::Range(0, 4));

}  // namespace
