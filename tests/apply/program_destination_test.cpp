// Korvelund.exe with destinations, package roots and log places as
// administrators write them by hand: wrong, empty, relative, "\\?\" ones.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "common/ansi_text.h"
#include "common/env_expand.h"
#include "common/paths.h"
#include "common/program_paths.h"
#include "drive_mapping.h"
#include "package_tree.h"
#include "program_run.h"
#include "support/file_util.h"
#include "support/run_log_reader.h"
#include "support/temp_folder.h"
#include "tarnix_guard.h"

namespace {

using testing_support::ReadTextFile;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

// A program folder with two archives and one folder, and a log of its own.
class ProgramDestinationTest : public testing::Test {
 protected:
  ProgramDestinationTest() {
    TempFolder content;
    WriteTextFile(content / "Net\\net.inf", "[net]");
    WriteTextFile(content / "Net\\x86\\net.sys", "net driver");
    WriteTextFile(content / "Video\\video.inf", "[video]");
    MakeArchive(program_ / "Zipped\\DP_net.7z", content.Path(), {"Net"});
    MakeArchive(program_ / "Zipped\\DP_video.7z", content.Path(), {"Video"});
    WriteTextFile(program_ / "UnZipped\\Modem\\modem.inf", "[modem]");
  }

  void WriteSettings(const std::string& drv_folder, const std::string& select,
                     const std::string& more_options = "", const std::string& copy_files = "") {
    WriteTextFile(program_ / "Korvelund.ini", "[Options]\r\nDrvFolder=" + drv_folder +
                                                  "\r\nLogFile=" + log_ + "\r\n" + more_options +
                                                  "[CopyFiles]\r\nTimer=1\r\n" + copy_files +
                                                  "[Select]\r\n" + select);
  }

  // The log's events without their seconds.
  std::vector<std::string> Events() const {
    std::vector<std::string> events = testing_support::RunLogEvents(log_);
    const std::regex seconds(", \\d+\\.\\d{3} s");
    for (std::string& event : events) event = std::regex_replace(event, seconds, "");
    return events;
  }
  bool Logged(const std::string& line) const {
    const std::vector<std::string> events = Events();
    return std::find(events.begin(), events.end(), line) != events.end();
  }

  TempFolder program_;
  TempFolder work_;
  std::string log_ = work_ / "k.log";
};

class ProgramMalformedDestinationTest : public ProgramDestinationTest,
                                        public testing::WithParamInterface<const char*> {};

// A second drive letter once hung the archive step for good: folder creation
// climbed from "C:C:" to its parent part, "C:C:" again, until the worker's
// stack ran out.
TEST_P(ProgramMalformedDestinationTest, EveryPackageFailsWithALineAndTheRunEnds) {
  DriveMapping drive_e;
  ASSERT_TRUE(drive_e.Mapped());
  WriteSettings(GetParam(), "DP_net.7z=1\r\nDP_video.7z=1\r\nUnZipped=1\r\n");
  const std::string target = AnsiUpperCase(ExpandEnvVars(GetParam()));
  const std::string root = program_.Path() + "\\\\Zipped\\";

  ProgramRun run(program_.Path(), "");
  ASSERT_EQ(run.WaitForExit(30000), 0) << ReadTextFile(log_);
  for (const char* archive : {"DP_net.7z", "DP_video.7z"}) {
    EXPECT_TRUE(
        Logged(std::string("archive ") + archive + ": code 11 Could not create file: " + target))
        << archive << "\n"
        << ReadTextFile(log_);
    EXPECT_TRUE(Logged(std::string("archive ") + archive + " from " + root + archive +
                       ": result -1, 0 files, 0 bytes"))
        << ReadTextFile(log_);
  }
  EXPECT_TRUE(Logged("folder MODEM: skipped, " + target + "\\D\\X\\MODEM cannot be created"))
      << ReadTextFile(log_);
  const std::vector<std::string> events = Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(),
            "apply ended: 2 archives (0 files, 0 bytes), 0 folders (0 files, 0 bytes), "
            "result: 3 failures");
}

INSTANTIATE_TEST_SUITE_P(DoubledDriveLetters, ProgramMalformedDestinationTest,
                         testing::Values("C:C:", "E:E:\\x", "%SystemDrive%%SystemDrive%"));

struct TargetLinesCase {
  const char* drv_folder;
  const char* relative_to_program;  // where it resolves, from the program folder
  const char* shown;                // what the destination box shows
  const char* note;                 // what follows the destination
};

class ProgramTargetLinesTest : public ProgramDestinationTest,
                               public testing::WithParamInterface<TargetLinesCase> {};

// The start line and the run's start are followed by where the targets
// resolve; a run that ticks nothing shows it without writing anything.
TEST_P(ProgramTargetLinesTest, StartAndRunNameTheAbsoluteTargets) {
  const TargetLinesCase& c = GetParam();
  WriteSettings(c.drv_folder, "DP_net.7z=0\r\n");
  ProgramRun run(program_.Path(), "");
  ASSERT_EQ(run.WaitForExit(30000), 0);
  char full[MAX_PATH];
  const std::string base = program_.Path() + "\\" + c.relative_to_program;
  ASSERT_GT(GetFullPathNameA(base.c_str(), sizeof full, full, nullptr), 0u);
  const std::string line = std::string("targets: archives into ") + full + ", folders into " +
                           full + "\\D\\X\\; destination '" + c.shown + "'" + c.note;
  const std::vector<std::string> events = Events();
  EXPECT_EQ(std::count(events.begin(), events.end(), line), 2) << line << "\n"
                                                               << ReadTextFile(log_);
}

INSTANTIATE_TEST_SUITE_P(Table, ProgramTargetLinesTest,
                         testing::Values(TargetLinesCase{"..\\rel", "..\\REL", "..\\REL", ""},
                                         TargetLinesCase{"%KV_NOWHERE%\\x", "%KV_NOWHERE%\\X",
                                                         "%KV_NOWHERE%\\X",
                                                         "; not expanded: %KV_NOWHERE%"}));

TEST_F(ProgramDestinationTest, EmptyDrvFolderIsTheDefaultAndTheLogSaysSo) {
  WriteSettings("", "DP_net.7z=0\r\n");
  ProgramRun run(program_.Path(), "");
  ASSERT_EQ(run.WaitForExit(30000), 0);
  char drive[MAX_PATH] = {};
  GetEnvironmentVariableA("SystemDrive", drive, sizeof drive);
  const std::string root = AnsiUpperCase(drive);
  EXPECT_TRUE(Logged("DrvFolder in " + program_.Path() +
                     "\\Korvelund.ini is empty: the default %SYSTEMDRIVE%\\D is used"))
      << ReadTextFile(log_);
  EXPECT_TRUE(Logged("targets: archives into " + root + "\\, folders into " + root +
                     "\\D\\X\\; destination '%SYSTEMDRIVE%\\D'"))
      << ReadTextFile(log_);
}

// "\\?\" as destination, package root and log place, the whole run through.
TEST_F(ProgramDestinationTest, VerbatimPathsServeAsDestinationRootAndLogPlace) {
  DriveMapping drive_e;
  ASSERT_TRUE(drive_e.Mapped());
  log_ = "\\\\?\\" + work_.Path() + "\\verbatim.log";
  WriteSettings("\\\\?\\E:\\OUT", "DP_net.7z=1\r\nDP_video.7z=1\r\nUnZipped=1\r\n", "",
                "DrvSource=\\\\?\\" + program_.Path() + "\r\n");
  ProgramRun run(program_.Path(), "");
  ASSERT_EQ(run.WaitForExit(60000), 0);
  log_ = work_ / "verbatim.log";
  const std::string out = drive_e.Folder() + "\\OUT";
  EXPECT_EQ(CompareWithReference(program_ / "Zipped\\DP_net.7z", out), std::vector<std::string>{});
  EXPECT_EQ(ReadTextFile(out + "\\Video\\video.inf"), "[video]");
  EXPECT_EQ(ReadTextFile(out + "\\D\\X\\MODEM\\modem.inf"), "[modem]");
  const std::vector<std::string> events = Events();
  ASSERT_FALSE(events.empty()) << "no log at the \\\\?\\ place";
  EXPECT_EQ(events.back(),
            "apply ended: 2 archives (3 files, 22 bytes), 1 folder (1 file, 7 bytes), "
            "result: ok");

  // Folders alone: their copy makes the whole "\\?\" destination itself.
  WriteSettings("\\\\?\\E:\\FOLDERS\\ONLY", "DP_net.7z=0\r\nUnZipped=1\r\n");
  ProgramRun folders_only(program_.Path(), "");
  ASSERT_EQ(folders_only.WaitForExit(60000), 0);
  EXPECT_EQ(ReadTextFile(drive_e.Folder() + "\\FOLDERS\\ONLY\\D\\X\\MODEM\\modem.inf"), "[modem]");
}

// Tarnix.ini of about 2 MB: the options are written and checked in one pass
// over the file, and every other key keeps its value.
TEST_F(ProgramDestinationTest, LargeTarnixIniGetsTheOptionsAndKeepsTheRest) {
  std::string text;
  char line[160];
  for (int section = 0; section < 2100; ++section) {
    text += "[Section" + std::to_string(section) + "]\r\n";
    for (int key = 0; key < 10; ++key) {
      std::snprintf(line, sizeof line, "Key%d=%s\r\n", key,
                    std::string(90, static_cast<char>('a' + (section + key) % 26)).c_str());
      text += line;
    }
  }
  text += "[Options]\r\nDrvFolder=old\r\n";
  ASSERT_GT(text.size(), 2000000u);
  TarnixIniGuard tarnix(text.c_str());
  TempFolder target;
  WriteSettings(target.Path(), "DP_net.7z=1\r\n", "", "Tarnix=1\r\n");
  ProgramRun run(program_.Path(), "");
  ASSERT_EQ(run.WaitForExit(120000), 0);
  EXPECT_EQ(ReadTextFile(target / "Net\\net.inf"), "[net]");
  EXPECT_EQ(tarnix.Read("Options", "DrvFolder"), AnsiUpperCase(target.Path()));
  EXPECT_EQ(tarnix.Read("Options", "PostSetup"), "1");
  EXPECT_EQ(tarnix.Read("Section1999", "Key9"), std::string(90, 'a' + (1999 + 9) % 26));
  EXPECT_EQ(tarnix.Read("Section0", "Key0"), std::string(90, 'a'));
}

}  // namespace
