#include <windows.h>

#include "app/apply/apply_targets.h"
#include "app/apply/file_copy.h"
#include "app/apply/folder_copy.h"
#include "common/program_paths.h"
#include "common/file_replace.h"
#include "support/file_util.h"
#include "support/scoped_mount.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using testing_support::MakeFolders;
using testing_support::ReadTextFile;
using testing_support::ScopedMount;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

struct TargetCase {
  const char* destination;
  const char* archive_target;
  const char* folder_target;
};

class ApplyTargetsTest : public testing::TestWithParam<TargetCase> {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("SystemDrive", "C:");
    SetEnvironmentVariableA("KV_DRIVERS", "e:\\Drivers");
  }
};

TEST_P(ApplyTargetsTest, DefaultGoesToTheSystemDriveOthersBelowTheText) {
  const ApplyTargets targets = ChooseApplyTargets(GetParam().destination);
  EXPECT_EQ(targets.archive_target, GetParam().archive_target);
  EXPECT_EQ(targets.folder_target, GetParam().folder_target);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ApplyTargetsTest,
    testing::Values(TargetCase{"%Systemdrive%\\D", "C:\\", "C:\\D\\X\\"},
                    TargetCase{"%SYSTEMDRIVE%\\d", "C:\\", "C:\\D\\X\\"},
                    TargetCase{"C:\\", "C:\\", "C:\\D\\X\\"},
                    TargetCase{"C:", "C:\\", "C:\\D\\X\\"},
                    TargetCase{"C:\\D", "C:\\", "C:\\D\\X\\"},
                    // Exact comparison: another case of the drive letter is no default.
                    TargetCase{"c:\\d", "C:\\D", "C:\\D\\D\\X\\"},
                    TargetCase{"E:\\Drivers", "E:\\DRIVERS", "E:\\DRIVERS\\D\\X\\"},
                    TargetCase{"%KV_DRIVERS%", "E:\\DRIVERS", "E:\\DRIVERS\\D\\X\\"}));

TEST(SourcePathTest, UsesTheSubfolderOnlyWhenItExists) {
  TempFolder root;
  EXPECT_EQ(ArchiveSourcePath(root.Path(), "DP_lan.7z"), root / "DP_lan.7z");
  EXPECT_EQ(FolderSourcePath(root.Path(), "CHIPSET"), root / "CHIPSET");
  MakeFolders(root / "Zipped");
  MakeFolders(root / "UnZipped");
  EXPECT_EQ(ArchiveSourcePath(root.Path(), "DP_lan.7z"), root / "Zipped\\DP_lan.7z");
  EXPECT_EQ(FolderSourcePath(root.Path(), "CHIPSET"), root / "UnZipped\\CHIPSET");

  SetEnvironmentVariableA("KV_ROOT", root.Path().c_str());
  EXPECT_EQ(ArchiveSourcePath("%KV_ROOT%", "x.7z"), "%KV_ROOT%\\Zipped\\x.7z");
}

class CopyFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteTextFile(dir_ / "src\\Chipset\\setup.inf", "inf");
    WriteTextFile(dir_ / "src\\Chipset\\empty.cat", "");
    WriteTextFile(dir_ / "src\\Chipset\\Sub\\Deep\\drv.sys", "sys");
    WriteTextFile(dir_ / "src\\Chipset\\Hidden\\h.dll", "hidden");
    WriteTextFile(dir_ / "src\\Chipset\\ReadOnly\\r.dll", "readonly");
    SetFileAttributesA((dir_ / "src\\Chipset\\Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((dir_ / "src\\Chipset\\ReadOnly").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((dir_ / "src\\Chipset\\Hidden\\h.dll").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  }
  TempFolder dir_;
  std::vector<std::int32_t> percents_;
  CopyProgressSink sink_ = [this](std::int32_t percent) { percents_.push_back(percent); };
};

TEST_F(CopyFolderTest, CopiesTheWholeTreeWithHiddenAndReadOnlyFolders) {
  EXPECT_TRUE(CopyFolder(dir_ / "src\\Chipset", dir_ / "dst\\D\\X\\CHIPSET", false, true, sink_));
  EXPECT_EQ(ReadTextFile(dir_ / "dst\\D\\X\\CHIPSET\\setup.inf"), "inf");
  EXPECT_TRUE(FileExists(dir_ / "dst\\D\\X\\CHIPSET\\empty.cat"));
  EXPECT_EQ(ReadTextFile(dir_ / "dst\\D\\X\\CHIPSET\\Sub\\Deep\\drv.sys"), "sys");
  EXPECT_EQ(ReadTextFile(dir_ / "dst\\D\\X\\CHIPSET\\Hidden\\h.dll"), "hidden");
  EXPECT_EQ(ReadTextFile(dir_ / "dst\\D\\X\\CHIPSET\\ReadOnly\\r.dll"), "readonly");
}

// The routine as the system would call it.
TEST_F(CopyFolderTest, ProgressRoutineReportsPercentAndContinues) {
  LARGE_INTEGER total{}, done{}, zero{};
  total.QuadPart = 3000;
  done.QuadPart = 1000;
  EXPECT_EQ(
      CopyProgress(total, done, total, done, 1, CALLBACK_CHUNK_FINISHED, nullptr, nullptr, &sink_),
      static_cast<DWORD>(PROGRESS_CONTINUE));
  EXPECT_EQ(
      CopyProgress(zero, zero, zero, zero, 1, CALLBACK_STREAM_SWITCH, nullptr, nullptr, &sink_),
      static_cast<DWORD>(PROGRESS_CONTINUE));
  EXPECT_EQ(
      CopyProgress(total, done, total, done, 1, CALLBACK_CHUNK_FINISHED, nullptr, nullptr, nullptr),
      static_cast<DWORD>(PROGRESS_CONTINUE));
  EXPECT_EQ(percents_, (std::vector<std::int32_t>{33, 100}));
}

TEST_F(CopyFolderTest, ReplacesExistingFilesOnlyWhenAsked) {
  WriteTextFile(dir_ / "dst\\setup.inf", "old");
  EXPECT_TRUE(CopyFolder(dir_ / "src\\Chipset\\", dir_ / "dst\\", false, false, sink_));
  EXPECT_EQ(ReadTextFile(dir_ / "dst\\setup.inf"), "old");
  CopyFolder(dir_ / "src\\Chipset", dir_ / "dst", false, true, sink_);
  EXPECT_EQ(ReadTextFile(dir_ / "dst\\setup.inf"), "inf");
}

TEST_F(CopyFolderTest, MissingOrEmptySourceCopiesNothing) {
  EXPECT_FALSE(CopyFolder(dir_ / "nowhere", dir_ / "dst", false, true, sink_));
  EXPECT_FALSE(DirectoryExists(dir_ / "dst"));
  MakeFolders(dir_ / "empty");
  EXPECT_FALSE(CopyFolder(dir_ / "empty", dir_ / "dst", false, true, sink_));
  EXPECT_TRUE(DirectoryExists(dir_ / "dst"));
}

TEST_F(CopyFolderTest, DestinationThatCannotBeMadeFails) {
  WriteTextFile(dir_ / "blocker", "a file where a folder should go");
  EXPECT_FALSE(CopyFolder(dir_ / "src\\Chipset", dir_ / "blocker\\CHIPSET", false, true, sink_));
  EXPECT_FALSE(ForceFolders(dir_ / "blocker\\CHIPSET"));
  EXPECT_TRUE(ForceFolders(dir_ / "a\\b\\c\\"));
  EXPECT_TRUE(DirectoryExists(dir_ / "a\\b\\c"));
}

struct ProgressCall {
  std::int64_t total, done;
  DWORD reason;
};

// Answers each call with the next of `answers` (then PROGRESS_CONTINUE).
struct ScriptedProgress {
  std::vector<DWORD> answers;
  std::vector<ProgressCall> calls;
};

DWORD CALLBACK Scripted(LARGE_INTEGER total, LARGE_INTEGER done, LARGE_INTEGER, LARGE_INTEGER,
                        DWORD, DWORD reason, HANDLE, HANDLE, LPVOID data) {
  auto& script = *static_cast<ScriptedProgress*>(data);
  const std::size_t n = script.calls.size();
  script.calls.push_back({total.QuadPart, done.QuadPart, reason});
  return n < script.answers.size() ? script.answers[n] : PROGRESS_CONTINUE;
}

TEST_F(CopyFolderTest, FileCopyReportsLikeCopyFileExAndKeepsTimeAndAttributes) {
  const std::string source = dir_ / "big.sys";
  WriteTextFile(source, std::string(150000, 'b'));
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_HIDDEN);
  WriteTextFile(dir_ / "dst\\big.sys", "older");
  ScriptedProgress script;
  ASSERT_TRUE(CopyFileWhole(source, dir_ / "dst\\big.sys", Scripted, &script));
  EXPECT_EQ(ReadTextFile(dir_ / "dst\\big.sys"), std::string(150000, 'b'));
  const DWORD copied_attributes = GetFileAttributesA((dir_ / "dst\\big.sys").c_str());
  EXPECT_EQ(copied_attributes, GetFileAttributesA(source.c_str()));
  EXPECT_TRUE(copied_attributes & FILE_ATTRIBUTE_HIDDEN);
  WIN32_FILE_ATTRIBUTE_DATA from{}, to{};
  GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &from);
  GetFileAttributesExA((dir_ / "dst\\big.sys").c_str(), GetFileExInfoStandard, &to);
  EXPECT_EQ(CompareFileTime(&from.ftLastWriteTime, &to.ftLastWriteTime), 0);
  ASSERT_EQ(script.calls.size(), 4u);
  EXPECT_EQ(script.calls[0].reason, DWORD{CALLBACK_STREAM_SWITCH});
  EXPECT_EQ(script.calls[0].done, 0);
  EXPECT_EQ(script.calls[3].reason, DWORD{CALLBACK_CHUNK_FINISHED});
  EXPECT_EQ(script.calls[3].done, 150000);
  EXPECT_EQ(script.calls[3].total, 150000);
}

TEST_F(CopyFolderTest, FileCopyObeysTheRoutineAndLeavesNoTemporaryFile) {
  const std::string source = dir_ / "big.sys";
  const std::string target = dir_ / "dst\\big.sys";
  WriteTextFile(source, std::string(150000, 'b'));
  MakeFolders(dir_ / "dst");
  struct Case {
    std::vector<DWORD> answers;
    bool copied;
    std::size_t calls;
  };
  for (const Case& c : {Case{{PROGRESS_CANCEL}, false, 1}, Case{{0, PROGRESS_STOP}, false, 2},
                        Case{{PROGRESS_QUIET}, true, 1}}) {
    ScriptedProgress script{c.answers, {}};
    DeleteFileA(target.c_str());
    EXPECT_EQ(CopyFileWhole(source, target, Scripted, &script), c.copied);
    EXPECT_EQ(FileExists(target), c.copied);
    EXPECT_EQ(script.calls.size(), c.calls);
    EXPECT_FALSE(FileExists(ReplaceTemporaryName(target)));
  }
  // A read-only target is refused, as CopyFileExA refuses it.
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(CopyFileWhole(source, target, nullptr, nullptr));
}

TEST_F(CopyFolderTest, FullDiskKeepsOnlyWholeFilesUnderTheirNames) {
  std::mt19937 random(7);
  std::string noise(600000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  WriteTextFile(dir_ / "src\\Chipset\\huge.sys", noise);
  ScopedMount disk(ScopedMount::kSmallDisk, 'L', 256);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Refusal();
  const std::string target = disk.Drive() + "\\CHIPSET";
  WriteTextFile(target + "\\huge.sys", "older huge");

  CopyFolder(dir_ / "src\\Chipset", target, false, true, sink_);
  // The older file stays whole; everything that fits is there.
  EXPECT_EQ(ReadTextFile(target + "\\huge.sys"), "older huge");
  EXPECT_FALSE(FileExists(ReplaceTemporaryName(target + "\\huge.sys")));
  EXPECT_EQ(ReadTextFile(target + "\\setup.inf"), "inf");
  EXPECT_EQ(ReadTextFile(target + "\\Sub\\Deep\\drv.sys"), "sys");
  EXPECT_EQ(ReadTextFile(target + "\\Hidden\\h.dll"), "hidden");
}

}  // namespace
