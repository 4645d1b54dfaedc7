#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "common/ansi_text.h"
#include "common/program_paths.h"
#include "drive_mapping.h"
#include "package_tree.h"
#include "program_run.h"
#include "common/run_log.h"
#include "support/file_util.h"
#include "support/host_command.h"
#include "support/run_log_reader.h"
#include "support/temp_folder.h"
#include "tarnix_guard.h"

namespace {

using testing_support::MakeFolders;
using testing_support::Run7zz;
using testing_support::UnixPath;
using testing_support::ReadTextFile;
using testing_support::RemoveTree;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

const std::vector<std::string> kNothingFound;

// Names in one folder, as the file system spells them.
std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

// A program folder with Korvelund.exe, its settings and its packages.
class ProgramApplyTest : public testing::Test {
 protected:
  // Zipped\NAME holding `items` (path=content; a path ending in "\" is a folder).
  void AddArchive(const std::string& name,
                  const std::vector<std::pair<std::string, std::string>>& items) {
    TempFolder content;
    std::vector<std::string> tops;
    for (const auto& [path, text] : items) {
      if (path.ends_with("\\")) {
        MakeFolders(content / path.substr(0, path.size() - 1));
      } else {
        WriteTextFile(content / path, text);
      }
      const std::string top = path.substr(0, path.find('\\'));
      if (std::find(tops.begin(), tops.end(), top) == tops.end()) tops.push_back(top);
    }
    MakeArchive(Archive(name), content.Path(), tops);
  }
  std::string Archive(const std::string& name) const { return program_ / ("Zipped\\" + name); }
  std::string Unzipped(const std::string& name) const { return program_ / ("UnZipped\\" + name); }

  void WriteSettings(const std::string& drv_folder, const std::string& select,
                     const std::string& copy_files = "", const std::string& options = "") {
    WriteTextFile(program_ / "Korvelund.ini",
                  "[Options]\r\nDelDrvAfterInst=1\r\nDrvFolder=" + drv_folder + "\r\n" + options +
                      "[CopyFiles]\r\nTimer=1\r\nDistrCopy=1\r\n" + copy_files +
                      "[Select]\r\n" + select);
  }

  // Zipped\NAME made by 7zz with these arguments in `folder`.
  void Make7z(const std::string& name, const std::string& folder,
              const std::vector<std::string>& arguments) {
    MakeFolders(program_ / "Zipped");
    std::vector<std::string> all{"a", "-bd", UnixPath(Archive(name))};
    all.insert(all.end(), arguments.begin(), arguments.end());
    const auto made = Run7zz(all, folder);
    ASSERT_EQ(made.exit_code, 0) << made.output;
  }

  // Runs the program to its end; its exit code (-1 when it did not end).
  int Run() {
    ProgramRun program(program_.Path(), "");
    return program.WaitForExit(60000);
  }

  TempFolder program_;
};

// A name for the trees a test puts on the system drive, unique to the run.
std::string Unique(const std::string& stem) {
  return stem + std::to_string(GetCurrentProcessId()) + "_" +
         std::to_string(GetTickCount() % 100000);
}

class ProgramDefaultDestinationTest : public ProgramApplyTest,
                                      public testing::WithParamInterface<const char*> {};

TEST_P(ProgramDefaultDestinationTest, ArchivesGoToTheSystemDriveRootAndFoldersBelowD_X) {
  char drive[MAX_PATH] = {};
  GetEnvironmentVariableA("SystemDrive", drive, sizeof drive);
  const std::string root = std::string(drive) + "\\";
  const std::string top = Unique("KvApply");
  const std::string folder = Unique("Kvfolder");
  const bool had_d = DirectoryExists(root + "D");
  AddArchive("DP_net.7z", {{top + "\\net.inf", "[net]"}, {top + "\\x86\\net.sys", "driver"}});
  WriteTextFile(Unzipped(folder + "\\Sub\\modem.inf"), "[modem]");
  WriteSettings(GetParam(), "DP_net.7z=1\r\nUnZipped=1\r\n");

  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(CompareWithReference(Archive("DP_net.7z"), root), kNothingFound);
  const std::string copied = root + "D\\X\\" + AnsiUpperCase(folder);
  EXPECT_EQ(CompareTrees(Unzipped(folder), copied), kNothingFound);

  RemoveTree(root + top);
  RemoveTree(had_d ? copied : root + "D");
}

INSTANTIATE_TEST_SUITE_P(Spellings, ProgramDefaultDestinationTest,
                         testing::Values("%Systemdrive%\\D", "%Systemdrive%\\d", "%Systemdrive%\\",
                                         "%Systemdrive%", ""));

TEST_F(ProgramApplyTest, ChosenDriveGetsEverythingAndTarnixIniTheOptions) {
  DriveMapping drive_e;
  ASSERT_TRUE(drive_e.Mapped());
  SetEnvironmentVariableA("KV_DRIVE", "E:");
  TarnixIniGuard tarnix("[Other]\r\nKeep=1\r\n");
  const std::string target = drive_e.Folder() + "\\DRIVERS";

  AddArchive("DP_video.7z", {{"Video\\video.inf", "[video]"},
                             {"Video\\bin\\video.sys", std::string(300000, 'v')},
                             {"Video\\empty\\", ""}});
  WriteTextFile(Archive("DP_broken.7z"), "7z\xBC\xAF\x27\x1C not an archive after all");
  AddArchive("DP_sound.7z",
             {{"Sound\\a.inf", "new a"}, {"Sound\\b.inf", "new b"}, {"Sound\\c.inf", "new c"}});
  AddArchive("DP_lan.7z", {{"Lan\\lan.inf", "[lan] new"}});
  // In the way: an older file to replace, and a file that cannot be written,
  // which ends its archive. Wine lets root replace a read-only file, so a
  // folder of the item's name stands in for it here.
  WriteTextFile(target + "\\Lan\\lan.inf", "[lan] old");
  MakeFolders(target + "\\Sound\\b.inf");

  WriteTextFile(Unzipped("Chipset\\setup.inf"), "[chipset]");
  WriteTextFile(Unzipped("Chipset\\Sub\\Deep\\chip.sys"), std::string(70000, 'c'));
  WriteTextFile(Unzipped("Chipset\\Hidden\\h.cat"), "hidden");
  WriteTextFile(Unzipped("Chipset\\ReadOnly\\r.cat"), "read-only");
  SetFileAttributesA(Unzipped("Chipset\\Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(Unzipped("Chipset\\ReadOnly").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteTextFile(Unzipped("Modem\\modem.inf"), "[modem]");
  WriteTextFile(target + "\\D\\X\\CHIPSET\\setup.inf", "[chipset] old");

  WriteSettings("%KV_DRIVE%\\Drivers",
                "DP_video.7z=1\r\nDP_broken.7z=1\r\nDP_sound.7z=1\r\nDP_lan.7z=1\r\nUnZipped=1\r\n",
                "Tarnix=1\r\n");
  EXPECT_EQ(Run(), 0);

  EXPECT_EQ(NamesIn(drive_e.Folder()), std::vector<std::string>{"DRIVERS"});
  EXPECT_EQ(CompareWithReference(Archive("DP_video.7z"), target), kNothingFound);
  EXPECT_EQ(CompareWithReference(Archive("DP_lan.7z"), target), kNothingFound);
  // The file in the way stopped its archive there; the items before it are out.
  EXPECT_EQ(ReadTextFile(target + "\\Sound\\a.inf"), "new a");
  EXPECT_TRUE(DirectoryExists(target + "\\Sound\\b.inf"));
  EXPECT_FALSE(FileExists(target + "\\Sound\\c.inf"));

  EXPECT_EQ(NamesIn(target + "\\D\\X"), (std::vector<std::string>{"CHIPSET", "MODEM"}));
  EXPECT_EQ(CompareTrees(Unzipped("Chipset"), target + "\\D\\X\\CHIPSET"), kNothingFound);
  EXPECT_EQ(CompareTrees(Unzipped("Modem"), target + "\\D\\X\\MODEM"), kNothingFound);

  EXPECT_EQ(tarnix.Read("Options", "DrvFolder"), "%KV_DRIVE%\\DRIVERS");
  EXPECT_EQ(tarnix.Read("Options", "DelDrvAfterInst"), "1");
  EXPECT_EQ(tarnix.Read("CopyFiles", "DistrCopy"), "1");
  EXPECT_EQ(tarnix.Read("Options", "PostSetup"), "1");
  EXPECT_EQ(tarnix.Read("Other", "Keep"), "1");
}

TEST_F(ProgramApplyTest, OnlyFoldersTickedLeavesTheArchivesAndAMissingTarnixIniAlone) {
  TempFolder target;
  TarnixIniGuard tarnix(nullptr);
  AddArchive("DP_video.7z", {{"Video\\video.inf", "[video]"}});
  WriteTextFile(Unzipped("Modem\\modem.inf"), "[modem]");
  WriteSettings(target.Path(), "DP_video.7z=0\r\nUnZipped=1\r\n", "Tarnix=1\r\n");
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(NamesIn(target.Path()), std::vector<std::string>{"D"});
  EXPECT_EQ(CompareTrees(Unzipped("Modem"), target / "D\\X\\MODEM"), kNothingFound);
  EXPECT_FALSE(FileExists(tarnix.Path()));
}

TEST_F(ProgramApplyTest, NothingTickedLocksDownAndEnds) {
  TempFolder target;
  TarnixIniGuard tarnix("[Options]\r\n");
  AddArchive("DP_video.7z", {{"Video\\video.inf", "[video]"}});
  WriteTextFile(Unzipped("Modem\\modem.inf"), "[modem]");
  WriteSettings(target.Path(), "DP_video.7z=0\r\n", "Tarnix=1\r\n");
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(NamesIn(target.Path()), kNothingFound);
  EXPECT_EQ(tarnix.Read("Options", "PostSetup"), "1");
}

TEST_F(ProgramApplyTest, NoPackagesOnlyEnds) {
  TarnixIniGuard tarnix("[Options]\r\n");
  WriteSettings("%Systemdrive%\\D", "", "Tarnix=1\r\n");
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(tarnix.Read("Options", "PostSetup"), "<absent>");
}

std::string Version() { return KORVELUND_VERSION; }

// Sorts the lines of each package phase by package, keeping the order of
// the lines of one package.
void SortPackageLines(std::vector<std::string>& events) {
  const auto package = [](const std::string& line) {
    return line.substr(0, line.find_first_of(": ", line.find(' ') + 1));
  };
  const auto first = std::find_if(events.begin(), events.end(), [](const std::string& line) {
    return line.starts_with("archive ") || line.starts_with("folder ");
  });
  const auto last = events.end() - (events.empty() ? 0 : 1);
  if (first < last) {
    std::stable_sort(first, last, [&](const std::string& a, const std::string& b) {
      return package(a) < package(b);
    });
  }
}

TEST_F(ProgramApplyTest, RunLogNamesEveryFailureWithItsCodePathAndCounts) {
  TempFolder target;
  TempFolder work;
  TarnixIniGuard tarnix(nullptr);
  const std::string log = work / "logs\\apply.log";
  const std::string upper_target = AnsiUpperCase(target.Path());

  AddArchive("DP_good.7z", {{"Good\\a.inf", "aaa"}, {"Good\\b.sys", std::string(1000, 'b')}});
  // Stored, so that one changed byte of the file's data fails its checksum.
  WriteTextFile(work / "damaged\\Damaged\\d.sys", std::string(5000, 'd'));
  Make7z("DP_damaged.7z", work / "damaged", {"-m0=Copy", "Damaged"});
  {
    std::string bytes = ReadTextFile(Archive("DP_damaged.7z"));
    ASSERT_GT(bytes.size(), 1000u);
    bytes[32 + 100] = 'X';
    WriteTextFile(Archive("DP_damaged.7z"), bytes);
  }
  WriteTextFile(work / "unsafe\\in\\in\\ok.txt", "ok");
  WriteTextFile(work / "unsafe\\up.txt", "up");
  Make7z("DP_unsafe.7z", work / "unsafe\\in", {"-spf", "in/ok.txt", "../up.txt"});
  WriteTextFile(Unzipped("Chipset\\setup.inf"), "[chipset]");
  WriteTextFile(Unzipped("Chipset\\drv.sys"), "driver");
  WriteTextFile(Unzipped("Modem\\modem.inf"), "[modem]");
  // A folder of the file's name in the way: the copy of that one file fails.
  MakeFolders(target / "D\\X\\CHIPSET\\drv.sys");
  WriteSettings(target.Path(),
                "DP_good.7z=1\r\nDP_damaged.7z=1\r\nDP_unsafe.7z=1\r\nUnZipped=1\r\n",
                "", "LogFile=" + work.Path() + "\\logs\\apply.log\r\n");
  MakeFolders(work / "logs");

  ASSERT_EQ(Run(), 0);
  CopyFileA(Unzipped("Chipset\\drv.sys").c_str(), (target / "D\\X\\CHIPSET\\drv.sys").c_str(),
            FALSE);
  const std::string copy_error = SystemErrorText(GetLastError());
  const std::string program = program_.Path() + "\\";
  const std::string folders = upper_target + "\\D\\X\\";
  const std::string targets = "targets: archives into " + upper_target + ", folders into " +
                              folders + "; destination '" + upper_target + "'";
  const std::vector<std::string> expected{
      "Korvelund.exe " + Version() + " started: folder " + program + ", package root " + program +
          ", language Russian, countdown 1, archive target " + upper_target +
          ", folder target " + folders + ", settings " + program + "Korvelund.ini",
      targets,
      "Tarnix.ini " + tarnix.Path() + ": settings not copied: no Tarnix mode",
      "apply started by the countdown: archive target " + upper_target + ", folder target " +
          folders,
      targets,
      "Tarnix.ini " + tarnix.Path() + ": options not written: no Tarnix mode",
      // Each archive's messages before its result; the package root's own
      // backslash stays in the paths, as the run joins them.
      "archive DP_damaged.7z: code 3 CRC Error: " + upper_target + "\\Damaged\\d.sys",
      "archive DP_damaged.7z from " + program + "\\Zipped\\DP_damaged.7z: result 0, 0 files, 0 bytes",
      "archive DP_good.7z from " + program + "\\Zipped\\DP_good.7z: result 0, 2 files, 1003 bytes",
      "archive DP_unsafe.7z: code 11 Could not create file: " + upper_target + "\\..\\up.txt",
      "archive DP_unsafe.7z from " + program + "\\Zipped\\DP_unsafe.7z: result 0, 1 file, 2 bytes",
      "folder CHIPSET: not copied " + program + "\\UnZipped\\CHIPSET\\drv.sys: " + copy_error,
      "folder CHIPSET: 1 file, 9 bytes copied to " + folders + "CHIPSET",
      "folder MODEM: 1 file, 7 bytes copied to " + folders + "MODEM",
      "apply ended: 3 archives (3 files, 1005 bytes), 2 folders (2 files, 16 bytes), "
      "result: 3 failures",
  };
  std::vector<std::string> events = testing_support::RunLogEvents(log);
  ASSERT_EQ(events.size(), expected.size()) << ReadTextFile(log);
  // Times vary; the folders list their packages in the file system's order.
  const std::regex seconds(", \\d+\\.\\d{3} s");
  for (std::string& event : events) event = std::regex_replace(event, seconds, "");
  std::vector<std::string> ordered = expected;
  SortPackageLines(events);
  SortPackageLines(ordered);
  EXPECT_EQ(events, ordered);
  EXPECT_EQ(ReadTextFile(target / "Good\\a.inf"), "aaa");
  EXPECT_EQ(ReadTextFile(target / "D\\X\\MODEM\\modem.inf"), "[modem]");
}

// The log's place changes nothing about the run: the default place is the
// Windows folder, an empty LogFile writes no log at all, and a place that
// cannot be written gives way to %TEMP%.
TEST_F(ProgramApplyTest, RunLogPlaceDefaultOffAndFallback) {
  TempFolder target;
  TempFolder temp;
  char saved_temp[MAX_PATH] = {};
  GetEnvironmentVariableA("TEMP", saved_temp, sizeof saved_temp);
  SetEnvironmentVariableA("TEMP", temp.Path().c_str());
  const std::string windows_log = WindowsFolder() + "\\Korvelund.log";
  const std::string temp_log = temp / "Korvelund.log";
  AddArchive("DP_video.7z", {{"Video\\video.inf", "[video]"}});
  const std::string select = "DP_video.7z=1\r\n";

  // Other programs of the prefix may log there too: only this program's
  // start lines count.
  const std::string started = "started: folder " + program_.Path() + "\\,";
  const auto runs_logged = [&](const std::string& path) {
    const std::vector<std::string> events = testing_support::RunLogEvents(path);
    return std::count_if(events.begin(), events.end(), [&](const std::string& event) {
      return event.find(started) != std::string::npos;
    });
  };
  const auto ended_ok = [&](const std::string& path) {
    const std::vector<std::string> events = testing_support::RunLogEvents(path);
    return std::any_of(events.begin(), events.end(), [](const std::string& event) {
      return event.starts_with("apply ended: 1 archive (1 file, 7 bytes)") &&
             event.ends_with(" s, result: ok");
    });
  };

  // The Windows folder's log outlives the test, and an earlier run may have
  // had a program folder of the same name: only runs from now on count.
  const auto earlier_runs = runs_logged(windows_log);
  WriteSettings(target.Path(), select);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(runs_logged(windows_log), earlier_runs + 1);
  EXPECT_TRUE(ended_ok(windows_log));

  WriteSettings(target.Path(), select, "", "LogFile=\r\n");
  RemoveTree(target / "Video");
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(ReadTextFile(target / "Video\\video.inf"), "[video]");
  EXPECT_EQ(runs_logged(windows_log), earlier_runs + 1);
  EXPECT_FALSE(FileExists(temp_log));

  WriteSettings(target.Path(), select, "", "LogFile=" + target.Path() + "\\no\\x.log\r\n");
  RemoveTree(target / "Video");
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(ReadTextFile(target / "Video\\video.inf"), "[video]");
  EXPECT_FALSE(DirectoryExists(target / "no"));
  EXPECT_EQ(runs_logged(temp_log), 1);
  EXPECT_TRUE(ended_ok(temp_log));
  EXPECT_EQ(runs_logged(windows_log), earlier_runs + 1);

  SetEnvironmentVariableA("TEMP", saved_temp);
}

}  // namespace
