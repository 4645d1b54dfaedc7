#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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
using testing_support::ReadTextFile;
using testing_support::RemoveTree;
using testing_support::Run7zz;
using testing_support::TempFolder;
using testing_support::UnixPath;
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
                      "[CopyFiles]\r\nTimer=1\r\nDistrCopy=1\r\n" + copy_files + "[Select]\r\n" +
                      select);
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
  // In the way: an older file to replace, and a read-only file, which
  // cannot be replaced and ends its archive.
  WriteTextFile(target + "\\Lan\\lan.inf", "[lan] old");
  WriteTextFile(target + "\\Sound\\b.inf", "read-only b");
  SetFileAttributesA((target + "\\Sound\\b.inf").c_str(), FILE_ATTRIBUTE_READONLY);

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
  EXPECT_EQ(ReadTextFile(target + "\\Sound\\b.inf"), "read-only b");
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
                "DP_good.7z=1\r\nDP_damaged.7z=1\r\nDP_unsafe.7z=1\r\nUnZipped=1\r\n", "",
                "LogFile=" + work.Path() + "\\logs\\apply.log\r\n");
  MakeFolders(work / "logs");

  ASSERT_EQ(Run(), 0);
  CopyFileA(Unzipped("Chipset\\drv.sys").c_str(), (target / "D\\X\\CHIPSET\\drv.sys").c_str(),
            FALSE);
  const DWORD copy_error_code = GetLastError();
  const std::string copy_error = SystemErrorText(copy_error_code);
  const std::string program = program_.Path() + "\\";
  const std::string folders = upper_target + "\\D\\X\\";
  const std::string targets = "targets: archives into " + upper_target + ", folders into " +
                              folders + "; destination '" + upper_target + "'";
  const std::vector<std::string> expected{
      "started: version " + Version() + ", " + RunningSystemText() + ", folder " + program +
          ", package root " + program +
          ", 3 archives and 2 folders listed, language Russian, countdown 1, archive target " +
          upper_target + ", folder target " + folders + ", settings " + program + "Korvelund.ini",
      targets,
      "Tarnix.ini " + tarnix.Path() + ": settings not copied: no Tarnix mode",
      "apply started by the countdown: 3 of 3 archives and 2 of 2 folders selected, archive "
      "target " +
          upper_target + ", folder target " + folders,
      targets,
      "Tarnix.ini " + tarnix.Path() + ": options not written: no Tarnix mode",
      // Each archive's messages before its result; the package root's own
      // backslash stays in the paths, as the run joins them.
      "archive DP_damaged.7z: code 3 CRC Error (damaged file not written): " + upper_target +
          "\\Damaged\\d.sys",
      "archive DP_damaged.7z from " + program +
          "\\Zipped\\DP_damaged.7z: result 1, 0 of 1 file, 0 bytes, FAILED",
      "archive DP_good.7z from " + program +
          "\\Zipped\\DP_good.7z: result 0, 2 of 2 files, 1003 bytes, ok",
      "archive DP_unsafe.7z: code 11 Could not create file (its path leaves the target folder): " +
          upper_target + "\\..\\up.txt",
      "archive DP_unsafe.7z from " + program +
          "\\Zipped\\DP_unsafe.7z: result 1, 1 of 2 files, 2 bytes, FAILED",
      "folder CHIPSET: not copied " + program + "\\UnZipped\\CHIPSET\\drv.sys: " + copy_error +
          " (error " + std::to_string(copy_error_code) + ")",
      "folder CHIPSET: 1 of 2 files, 9 bytes copied to " + folders + "CHIPSET, FAILED",
      "folder MODEM: 1 of 1 file, 7 bytes copied to " + folders + "MODEM, ok",
      "apply ended: 3 archives (3 files, 1005 bytes), 2 folders (2 files, 16 bytes), "
      "result: 3 failures",
  };
  std::vector<std::string> events;
  for (testing_support::RunLogLine& line : testing_support::RunLogLines(log)) {
    EXPECT_EQ(line.program, "Korvelund.exe");
    events.push_back(std::move(line.event));
  }
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

// What fails is logged as FAILED, never as written or "ok", and with
// [Options] FailureExitCode the program ends with that code: a read-only
// Tarnix.ini (the settings copy at start and the options at Apply) and a
// selected folder that is gone by the time of the copy.
TEST_F(ProgramApplyTest, FailuresAreLoggedAsFailedAndEndWithTheChosenExitCode) {
  TarnixIniGuard tarnix("[Options]\r\nOwn=1\r\n");
  struct ReadOnly {
    explicit ReadOnly(const std::string& path) : path_(path) {
      SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    ~ReadOnly() { SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL); }
    std::string path_;
  } read_only(tarnix.Path());
  WriteTextFile(Unzipped("Gone\\gone.inf"), "[gone]");
  WriteTextFile(Unzipped("Kept\\kept.inf"), "[kept]");
  TempFolder target;
  const std::string log = program_ / "run.log";
  WriteTextFile(program_ / "Korvelund.ini",
                "[Options]\r\nDrvFolder=" + target.Path() + "\r\nFailureExitCode=7\r\nLogFile=" +
                    log + "\r\n[CopyFiles]\r\nTimer=3\r\nTarnix=1\r\n[Select]\r\nUnZipped=1\r\n");
  {
    ProgramRun program(program_.Path(), "");
    ASSERT_NE(program.WaitForWindow("Korvelund", 20000), nullptr);
    RemoveTree(Unzipped("Gone"));
    EXPECT_EQ(program.WaitForExit(60000), 7);
  }
  EXPECT_EQ(tarnix.Read("Options", "DrvFolder"), "<absent>");
  const std::vector<std::string> events = testing_support::RunLogEvents(log);
  const auto logged = [&](const std::string& start, const std::string& end) {
    return std::any_of(events.begin(), events.end(), [&](const std::string& event) {
      return event.starts_with(start) && event.ends_with(end);
    });
  };
  const std::string place = "Tarnix.ini " + tarnix.Path();
  EXPECT_TRUE(logged(place + ": settings not copied: the file could not be rewritten", ", FAILED"));
  EXPECT_TRUE(logged(place + ": options not written (read-only file or full disk): [Options] "
                             "DrvFolder=",
                     ", FAILED"));
  EXPECT_TRUE(logged("folder GONE: the folder " + program_.Path(), " is gone, FAILED"));
  EXPECT_TRUE(logged("folder KEPT: 1 of 1 file, 6 bytes copied to ", ", ok"));
  ASSERT_FALSE(events.empty());
  EXPECT_TRUE(events.back().ends_with(", result: 3 failures")) << events.back();
  EXPECT_EQ(ReadTextFile(target / "D\\X\\KEPT\\kept.inf"), "[kept]");
}

// Which split and self-extracting packages a user can apply through the
// archive list, which shows *.7z names only. Volumes as 7-Zip names them
// (NAME.7z.001, ...) are not listed; a first volume renamed NAME.7z is listed
// but does not open, whatever its further volumes are called (NAME.7z.002 or
// NAME.002); a self-extracting archive renamed NAME.7z is listed and
// applies like any other; under its .exe name it is not listed.
TEST_F(ProgramApplyTest, SplitAndSelfExtractingPackagesThroughTheArchiveList) {
  TempFolder work;
  std::string data(250000, '\0');
  std::uint32_t seed = 19;
  for (char& c : data) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
  WriteTextFile(work / "content\\Split\\big.sys", data);
  Make7z("DP_split.7z", work / "content", {"-v100k", "-mx0", "Split"});
  const auto copy = [&](const std::string& from, const std::string& to) {
    ASSERT_TRUE(CopyFileA(Archive(from).c_str(), Archive(to).c_str(), FALSE)) << to;
  };
  for (const char* volume : {"001", "002", "003"}) {
    ASSERT_TRUE(FileExists(Archive(std::string("DP_split.7z.") + volume))) << volume;
  }
  copy("DP_split.7z.001", "DP_renamed.7z");
  copy("DP_split.7z.002", "DP_renamed.002");
  copy("DP_split.7z.003", "DP_renamed.003");
  copy("DP_split.7z.001", "DP_first.7z");
  copy("DP_split.7z.002", "DP_first.7z.002");
  copy("DP_split.7z.003", "DP_first.7z.003");
  WriteTextFile(work / "sfx\\Sfx\\s.inf", "[sfx]");
  MakeArchive(work / "sfx.7z", work / "sfx", {"Sfx"});
  const char* source = std::getenv("PROJECT_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  std::string module_path =
      std::string("Z:") + source + "/build/deps/7zip-sfx/package/7zip-lite/7z.sfx";
  std::replace(module_path.begin(), module_path.end(), '/', '\\');
  const std::string sfx = ReadTextFile(module_path) + ReadTextFile(work / "sfx.7z");
  ASSERT_GT(sfx.size(), 190000u);
  WriteTextFile(Archive("DP_sfx.7z"), sfx);
  WriteTextFile(Archive("DP_sfx.exe"), sfx);
  TempFolder target;
  const std::string log = program_ / "run.log";
  WriteSettings(target.Path(), "DP_renamed.7z=1\r\nDP_first.7z=1\r\nDP_sfx.7z=1\r\n", "",
                "LogFile=" + log + "\r\n");
  EXPECT_EQ(Run(), 0);
  const std::vector<std::string> events = testing_support::RunLogEvents(log);
  SCOPED_TRACE(ReadTextFile(log));
  const auto line_of = [&](const std::string& start) {
    const auto found = std::find_if(events.begin(), events.end(), [&](const std::string& event) {
      return event.starts_with(start);
    });
    return found == events.end() ? std::string() : *found;
  };
  // Listed: DP_first.7z, DP_renamed.7z and DP_sfx.7z; not the .001 nor the .exe.
  EXPECT_NE(line_of("started: ").find(", 3 archives and 0 folders listed, "), std::string::npos)
      << line_of("started: ");
  const std::string zipped = program_.Path() + "\\\\Zipped\\";
  for (const char* volume : {"DP_first.7z", "DP_renamed.7z"}) {
    EXPECT_EQ(line_of("archive " + std::string(volume) + ": "),
              "archive " + std::string(volume) +
                  ": code 2 Data Error (it cannot be read as a 7z archive: damaged, cut off, or "
                  "a volume is missing): " +
                  zipped + volume);
    const std::string result = line_of("archive " + std::string(volume) + " from ");
    EXPECT_NE(result.find(": result -1, 0 of 0 files, 0 bytes, "), std::string::npos) << result;
    EXPECT_TRUE(result.ends_with(", FAILED")) << result;
  }
  EXPECT_TRUE(line_of("archive DP_sfx.7z from ").ends_with(", ok"));
  EXPECT_EQ(ReadTextFile(target / "Sfx\\s.inf"), "[sfx]");
  EXPECT_FALSE(FileExists(target / "Split\\big.sys"));
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
  const std::string started = ", folder " + program_.Path() + "\\,";
  const auto runs_logged = [&](const std::string& path) {
    const std::vector<std::string> events = testing_support::RunLogEvents(path);
    return std::count_if(events.begin(), events.end(), [&](const std::string& event) {
      return event.starts_with("started: ") && event.find(started) != std::string::npos;
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
