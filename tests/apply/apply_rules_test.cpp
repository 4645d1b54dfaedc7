#include <windows.h>

#include "app/apply/apply_targets.h"
#include "app/apply/file_copy.h"
#include "app/apply/folder_copy.h"
#include "common/program_paths.h"
#include "common/file_replace.h"
#include "support/file_util.h"
#include "support/host_command.h"
#include "support/scoped_mount.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using testing_support::MakeFolders;
using testing_support::NamedPathExists;
using testing_support::NamesIn;
using testing_support::ReadNamedFile;
using testing_support::ReadTextFile;
using testing_support::ScopedMount;
using testing_support::TempFolder;
using testing_support::WriteNamedFile;
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
    EXPECT_EQ(NamesIn(dir_ / "dst"),
              c.copied ? std::vector<std::string>{"big.sys"} : std::vector<std::string>{});
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
  WriteTextFile(dir_ / "src\\Chipset\\new_huge.sys", noise);
  ScopedMount disk(ScopedMount::kSmallDisk, 'L', 256);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Refusal();
  const std::string target = disk.Drive() + "\\CHIPSET";
  WriteTextFile(target + "\\huge.sys", "older huge");

  CopyFolder(dir_ / "src\\Chipset", target, false, true, sink_);
  // The older file stays whole; everything that fits is there.
  EXPECT_EQ(ReadTextFile(target + "\\huge.sys"), "older huge");
  // A new file that did not fit leaves nothing under its name.
  EXPECT_EQ(GetFileAttributesA((target + "\\new_huge.sys").c_str()), INVALID_FILE_ATTRIBUTES);
  for (const std::string& name : NamesIn(target)) EXPECT_NE(name.rfind("~kv", 0), 0u) << name;
  EXPECT_EQ(ReadTextFile(target + "\\setup.inf"), "inf");
  EXPECT_EQ(ReadTextFile(target + "\\Sub\\Deep\\drv.sys"), "sys");
  EXPECT_EQ(ReadTextFile(target + "\\Hidden\\h.dll"), "hidden");
}

}  // namespace

namespace {

// Names outside code pages 1252 and 1251 (UTF-8), and one that best fit
// would turn into "..\..\escaped.inf".
const std::string kJapanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const std::string kGreek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
const std::string kCyrillic = "\xD0\x94\xD1\x80\xD0\xB0\xD0\xB9\xD0\xB2\xD0\xB5\xD1\x80";
const std::string kEscape =
    "\xEF\xBC\x8E\xEF\xBC\x8E\xEF\xBC\xBC\xEF\xBC\x8E\xEF\xBC\x8E\xEF\xBC\xBC"
    "escaped.inf";

struct Outcome {
  std::string source;
  DWORD error;
};

class FolderCopyNamesTest : public CopyFolderTest {
 protected:
  std::vector<Outcome> Copy(const std::string& source, const std::string& destination) {
    std::vector<Outcome> outcomes;
    CopyFolder(source, destination, false, true, sink_,
               [&](const std::string& file, std::uint64_t, DWORD error) {
                 outcomes.push_back({file, error});
               });
    return outcomes;
  }
  static std::vector<DWORD> Failures(const std::vector<Outcome>& outcomes) {
    std::vector<DWORD> errors;
    for (const Outcome& outcome : outcomes) {
      if (outcome.error) errors.push_back(outcome.error);
    }
    return errors;
  }
};

TEST_F(FolderCopyNamesTest, EveryUnicodeNameArrivesExactlyAndNothingAboveTheTarget) {
  const std::string source = dir_ / "src\\Chipset";
  WriteNamedFile(source + "\\" + kEscape, "inside");
  WriteNamedFile(dir_ / "escaped.inf", "bait above the source");
  WriteNamedFile(source + "\\" + kJapanese + "\\" + kGreek + ".inf", "greek");
  WriteNamedFile(source + "\\" + kCyrillic + ".sys", "cyrillic");
  const std::string target = dir_ / "dst\\D\\X\\CHIPSET";
  EXPECT_TRUE(Failures(Copy(source, target)).empty());
  EXPECT_EQ(ReadNamedFile(target + "\\" + kEscape), "inside");
  EXPECT_EQ(ReadNamedFile(target + "\\" + kJapanese + "\\" + kGreek + ".inf"), "greek");
  EXPECT_EQ(NamesIn(target + "\\" + kJapanese), std::vector<std::string>{kGreek + ".inf"});
  EXPECT_EQ(ReadNamedFile(target + "\\" + kCyrillic + ".sys"), "cyrillic");
  EXPECT_FALSE(NamedPathExists(dir_ / "dst\\D\\escaped.inf"));
  EXPECT_EQ(NamesIn(dir_ / "dst\\D"), std::vector<std::string>{"X"});
}

// A target path of 259 characters, and deeper files far past MAX_PATH.
TEST_F(FolderCopyNamesTest, LongTargetPathsWork) {
  std::string target = dir_ / "dst";
  const std::size_t file_length = std::string("\\setup.inf").size();
  while (target.size() + file_length + 101 < 259) target += "\\" + std::string(100, 'L');
  target += "\\" + std::string(259 - file_length - target.size() - 1, 'L');
  ASSERT_EQ((target + "\\setup.inf").size(), 259u);
  EXPECT_TRUE(Failures(Copy(dir_ / "src\\Chipset", target)).empty());
  EXPECT_EQ(ReadNamedFile(target + "\\setup.inf"), "inf");
  EXPECT_EQ(ReadNamedFile(target + "\\Sub\\Deep\\drv.sys"), "sys");
  EXPECT_EQ(NamesIn(target),
            (std::vector<std::string>{"Hidden", "ReadOnly", "Sub", "empty.cat", "setup.inf"}));
}

// Files that look like the copy's own temporary files belong to someone else.
TEST_F(FolderCopyNamesTest, OnlyTheFileOfTheSameNameIsEverReplaced) {
  const std::string target = dir_ / "dst";
  WriteTextFile(target + "\\setup.inf.kvnew", "not ours");
  WriteTextFile(target + "\\setup.inf.kvold", "not ours either");
  WriteTextFile(target + "\\setup.inf", "old");
  EXPECT_TRUE(Failures(Copy(dir_ / "src\\Chipset", target)).empty());
  EXPECT_EQ(ReadTextFile(target + "\\setup.inf"), "inf");
  EXPECT_EQ(ReadTextFile(target + "\\setup.inf.kvnew"), "not ours");
  EXPECT_EQ(ReadTextFile(target + "\\setup.inf.kvold"), "not ours either");
  EXPECT_EQ(NamesIn(target),
            (std::vector<std::string>{"Hidden", "ReadOnly", "Sub", "empty.cat", "setup.inf",
                                      "setup.inf.kvnew", "setup.inf.kvold"}));
}

// As the system's copy: a source written by another program with shared
// access is copied; one held without sharing, and a read-only target, are
// failures that leave the old target whole; a hidden target is replaced.
TEST_F(FolderCopyNamesTest, SharingAndTargetAttributesFollowTheSystemsCopy) {
  const std::string source = dir_ / "src\\Chipset";
  const std::string target = dir_ / "dst";
  WriteTextFile(target + "\\Sub\\Deep\\drv.sys", "old read-only");
  SetFileAttributesA((target + "\\Sub\\Deep\\drv.sys").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteTextFile(target + "\\empty.cat", "old hidden");
  SetFileAttributesA((target + "\\empty.cat").c_str(), FILE_ATTRIBUTE_HIDDEN);
  WriteTextFile(target + "\\Hidden\\h.dll", "old locked");
  const HANDLE writer = CreateFileA((source + "\\setup.inf").c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  const HANDLE locker = CreateFileA((source + "\\Hidden\\h.dll").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  ASSERT_NE(locker, INVALID_HANDLE_VALUE);
  const std::vector<Outcome> outcomes = Copy(source, target);
  CloseHandle(writer);
  CloseHandle(locker);
  EXPECT_EQ(ReadTextFile(target + "\\setup.inf"), "inf");
  EXPECT_EQ(ReadTextFile(target + "\\Sub\\Deep\\drv.sys"), "old read-only");
  EXPECT_EQ(ReadTextFile(target + "\\Hidden\\h.dll"), "old locked");
  EXPECT_EQ(ReadTextFile(target + "\\empty.cat"), "");
  EXPECT_EQ(Failures(outcomes).size(), 2u);
  for (const Outcome& outcome : outcomes) {
    if (outcome.source.ends_with("drv.sys")) {
      EXPECT_EQ(outcome.error, DWORD{ERROR_ACCESS_DENIED});
    }
    if (outcome.source.ends_with("h.dll")) {
      EXPECT_EQ(outcome.error, DWORD{ERROR_SHARING_VIOLATION});
    }
  }
  EXPECT_EQ(NamesIn(target + "\\Hidden"), std::vector<std::string>{"h.dll"});
}

// Names Windows would store as one (letter case, trailing dots): the first
// found is copied, the others are failures, never a silent overwrite.
TEST_F(FolderCopyNamesTest, NamesCollidingByCaseCopyOnlyTheFirst) {
  const std::string source = dir_ / "twins";
  MakeFolders(source);
  const auto made = testing_support::RunHostCommand(
      {"sh", "-c", "printf one > Twin.txt && printf two > TWIN.TXT"}, source);
  ASSERT_EQ(made.exit_code, 0) << made.output;
  if (NamesIn(source).size() != 2) GTEST_SKIP() << "the file system folds case";
  const std::vector<Outcome> outcomes = Copy(source, dir_ / "dst");
  ASSERT_EQ(outcomes.size(), 2u);
  EXPECT_EQ(outcomes[0].error, 0u);
  EXPECT_EQ(outcomes[1].error, DWORD{ERROR_ALREADY_EXISTS});
  const std::vector<std::string> copied = NamesIn(dir_ / "dst");
  ASSERT_EQ(copied.size(), 1u);
  const std::string first = outcomes[0].source.substr(outcomes[0].source.rfind('\\') + 1);
  EXPECT_EQ(copied[0], first);
  EXPECT_EQ(ReadTextFile(dir_ / "dst\\" + first), first == "Twin.txt" ? "one" : "two");
}

}  // namespace
