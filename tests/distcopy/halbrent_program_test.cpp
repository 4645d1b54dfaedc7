#include <windows.h>

#include "common/paths.h"
#include "common/program_paths.h"
#include "distcopy/copy_plan.h"
#include "distcopy/setup_registry.h"
#include "registry_guard.h"
#include "support/child_process.h"
#include "support/file_util.h"
#include "support/scoped_mount.h"
#include "support/run_log_reader.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using testing_support::ChildResult;
using testing_support::ReadTextFile;
using testing_support::RemoveTree;
using testing_support::RunChild;
using testing_support::ScopedMount;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

std::string SystemFolder(UINT(WINAPI* query)(LPSTR, UINT)) {
  char folder[MAX_PATH];
  return std::string(folder, query(folder, MAX_PATH));
}

// Halbrent.exe run for real against the prefix's Windows folder and registry:
// a copy of the program sits in a temporary folder with its Korvelund.ini.
class HalbrentTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopyFileA((ExtractFilePath(ProgramFileName()) + "Halbrent.exe").c_str(),
                          program_.c_str(), FALSE));
    WriteTextFile(root_ / "Korvelund.ini", "[CopyFiles]\r\nDistrCopy=1\r\n");
    WriteTextFile(root_ / "cd\\I386\\txtsetup.sif", "[SetupData]\r\n");
    WriteTextFile(root_ / "cd\\I386\\SVCPACK\\KB1.exe", "sp");
    if (FileExists(tarnix_)) {
      ASSERT_TRUE(MoveFileA(tarnix_.c_str(), tarnix_saved_.c_str()));
    }
    RemoveTree(copy_folder_);
  }
  void TearDown() override {
    RemoveTree(copy_folder_);
    if (FileExists(tarnix_saved_)) MoveFileA(tarnix_saved_.c_str(), tarnix_.c_str());
  }

  ChildResult Run(const std::vector<std::string>& arguments, const std::string& program = "") {
    const ChildResult result =
        RunChild(program.empty() ? program_ : program, arguments, {"Application Error"}, 60000);
    EXPECT_FALSE(result.timed_out);
    return result;
  }

  // A whole copy without its service packs, and the three values pointing at it.
  void ExpectCopiedAndRepointed(const ChildResult& result) {
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_TRUE(result.boxes.empty());
    EXPECT_EQ(ReadTextFile(copy_folder_ + "\\txtsetup.sif"), "[SetupData]\r\n");
    EXPECT_FALSE(DirectoryExists(copy_folder_ + "\\SVCPACK"));
    EXPECT_EQ(MachineString(kSetupKey, "SourcePath"), windows_ + "\\");
    EXPECT_EQ(MachineString(kSetupKey, "ServicePackSourcePath"), windows_ + "\\");
    EXPECT_EQ(MachineString(kWindowsNtKey, "SourcePath"), windows_ + "\\I386");
  }

  SetupRegistryGuard registry_;
  TempFolder root_;
  std::string program_ = root_ / "Halbrent.exe";
  std::string windows_ = SystemFolder(GetWindowsDirectoryA);
  std::string tarnix_ = SystemFolder(GetSystemDirectoryA) + "\\Tarnix.ini";
  std::string tarnix_saved_ = root_ / "Tarnix.ini.saved";
  std::string copy_folder_ = windows_ + "\\I386";
};

TEST_F(HalbrentTest, CopiesFromTheRegisteredSetupSourceAndRepointsIt) {
  SetMachineString(kSetupKey, "SourcePath", root_.Path() + "\\cd\\");
  ExpectCopiedAndRepointed(Run({}));
}

TEST_F(HalbrentTest, SetupSourceWithoutBackslashCopiesNothing) {
  const std::string source = root_.Path() + "\\cd";
  SetMachineString(kSetupKey, "SourcePath", source);
  EXPECT_EQ(Run({}).exit_code, 0);
  EXPECT_FALSE(DirectoryExists(copy_folder_));
  EXPECT_EQ(MachineString(kSetupKey, "SourcePath"), source);
}

TEST_F(HalbrentTest, ArgumentLosesItsFirstSlashAndReplacesTheSource) {
  SetMachineString(kSetupKey, "SourcePath", "Q:\\nowhere\\");
  EXPECT_EQ(Run({"/" + root_.Path() + "\\cd\\I386\\*.*"}).exit_code, 0);
  EXPECT_TRUE(FileExists(copy_folder_ + "\\txtsetup.sif"));
}

class HalbrentFolderArgumentTest : public HalbrentTest,
                                   public testing::WithParamInterface<const char*> {};

// A folder named without "\*.*" is copied by its contents as the pattern
// form is, so that the files lie where the registry is pointed.
TEST_P(HalbrentFolderArgumentTest, FilesLandDirectlyInTheCopyFolder) {
  SetMachineString(kSetupKey, "SourcePath", "Q:\\nowhere\\");
  ExpectCopiedAndRepointed(Run({root_.Path() + "\\cd\\I386" + GetParam()}));
  EXPECT_FALSE(DirectoryExists(copy_folder_ + "\\I386"));
}

INSTANTIATE_TEST_SUITE_P(Forms, HalbrentFolderArgumentTest, testing::Values("", "\\", "\\*.*"));

TEST_F(HalbrentTest, NonStringSetupSourceEndsWithTheErrorBox) {
  const DWORD number = 7;
  SetMachineValue(kSetupKey, "SourcePath", REG_DWORD, &number, sizeof number);
  const ChildResult result = Run({root_.Path() + "\\cd\\I386\\*.*"});
  EXPECT_EQ(result.exit_code, 1);
  ASSERT_EQ(result.boxes.size(), 1u);
  EXPECT_EQ(result.boxes[0].text, "Invalid data type for 'SourcePath'");
  EXPECT_FALSE(DirectoryExists(copy_folder_));
}

TEST_F(HalbrentTest, FullWindowsDiskLeavesTheRegistryAlone) {
  std::mt19937 random(5);
  std::string cab(600000, '\0');
  for (char& c : cab) c = static_cast<char>(random());
  WriteTextFile(root_ / "cd\\I386\\driver.cab", cab);
  const std::string source = root_.Path() + "\\cd\\";
  SetMachineString(kSetupKey, "SourcePath", source);
  // Values of their own: an earlier run's repointing cannot pass for this one's.
  SetMachineString(kSetupKey, "ServicePackSourcePath", "X:\\sp\\");
  SetMachineString(kWindowsNtKey, "SourcePath", "X:\\nt");
  testing_support::MakeFolders(copy_folder_);
  ScopedMount disk(ScopedMount::kSmallDisk, copy_folder_, 256);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Refusal();

  EXPECT_EQ(Run({}).exit_code, 0);
  EXPECT_EQ(MachineString(kSetupKey, "SourcePath"), source);
  EXPECT_EQ(MachineString(kSetupKey, "ServicePackSourcePath"), "X:\\sp\\");
  EXPECT_EQ(MachineString(kWindowsNtKey, "SourcePath"), "X:\\nt");
}

TEST_F(HalbrentTest, RunsFromReadOnlyMediaWithItsSource) {
  ASSERT_TRUE(CopyFileA(program_.c_str(), (root_ / "cd\\Halbrent.exe").c_str(), FALSE));
  WriteTextFile(root_ / "cd\\Korvelund.ini", "[CopyFiles]\r\nDistrCopy=1\r\n");
  ScopedMount cd(ScopedMount::kReadOnlyView, 'S', root_ / "cd");
  if (!cd.Mounted()) GTEST_SKIP() << cd.Refusal();
  SetMachineString(kSetupKey, "SourcePath", cd.Drive() + "\\");
  ExpectCopiedAndRepointed(Run({}, cd.Drive() + "\\Halbrent.exe"));
}

// Halbrent.exe's lines in the log named by the Korvelund.ini beside it.
class HalbrentLogTest : public HalbrentTest {
 protected:
  void SetUp() override {
    HalbrentTest::SetUp();
    WriteTextFile(root_ / "Korvelund.ini",
                  "[Options]\r\nLogFile=" + log_ + "\r\n[CopyFiles]\r\nDistrCopy=1\r\n");
  }
  std::vector<std::string> Expected(const std::vector<std::string>& middle) const {
    std::vector<std::string> lines{"Halbrent.exe " KORVELUND_VERSION " started: folder " +
                                   root_.Path() + "\\"};
    lines.insert(lines.end(), middle.begin(), middle.end());
    return lines;
  }

  std::string log_ = root_ / "run.log";
  std::string source_ = root_ / "cd\\";
};

TEST_F(HalbrentLogTest, CopyLogsDecisionShellResultsAndEachRegistryValue) {
  SetMachineString(kSetupKey, "SourcePath", source_);
  SetMachineString(kSetupKey, "ServicePackSourcePath", "X:\\sp\\");
  SetMachineString(kWindowsNtKey, "SourcePath", "X:\\nt");
  ASSERT_EQ(Run({}).exit_code, 0);
  const std::string setup = std::string("registry HKLM\\") + kSetupKey + "\\";
  EXPECT_EQ(testing_support::RunLogEvents(log_),
            Expected({
                "copy source " + source_ + "I386\\*.*, target " + windows_ + "\\I386\\",
                "distribution copy: [CopyFiles] DistrCopy=1 in " + root_.Path() + "\\Korvelund.ini",
                "shell copy: ok",
                setup + "SourcePath: '" + source_ + "' -> '" + windows_ + "\\'",
                setup + "ServicePackSourcePath: 'X:\\sp\\' -> '" + windows_ + "\\'",
                std::string("registry HKLM\\") + kWindowsNtKey + "\\SourcePath: 'X:\\nt' -> '" +
                    windows_ + "\\I386'",
                "shell delete " + windows_ + "\\I386\\SVCPACK: ok",
                "exit code 0",
            }));
}

TEST_F(HalbrentLogTest, NoCopyDecisionNamesTheDecidingFile) {
  SetMachineString(kSetupKey, "SourcePath", source_);
  WriteTextFile(tarnix_, "[CopyFiles]\r\nDistrCopy=0x0\r\n");
  ASSERT_EQ(Run({}).exit_code, 0);
  EXPECT_EQ(testing_support::RunLogEvents(log_),
            Expected({
                "copy source " + source_ + "I386\\*.*, target " + windows_ + "\\I386\\",
                "no distribution copy: [CopyFiles] DistrCopy=0x0 in " + tarnix_,
                "exit code 0",
            }));
  DeleteFileA(tarnix_.c_str());
  EXPECT_FALSE(DirectoryExists(copy_folder_));
}

TEST_F(HalbrentLogTest, RegistryFailureLogsTheErrorAndExitCode) {
  const DWORD number = 7;
  SetMachineValue(kSetupKey, "SourcePath", REG_DWORD, &number, sizeof number);
  ASSERT_EQ(Run({source_ + "I386\\*.*"}).exit_code, 1);
  EXPECT_EQ(testing_support::RunLogEvents(log_),
            Expected({"exit code 1: Invalid data type for 'SourcePath'"}));
}

}  // namespace
