#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/ansi_text.h"
#include "common/program_paths.h"
#include "drive_mapping.h"
#include "package_tree.h"
#include "program_run.h"
#include "support/file_util.h"
#include "support/temp_folder.h"
#include "tarnix_guard.h"

namespace {

using testing_support::MakeFolders;
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
                     const std::string& copy_files = "") {
    WriteTextFile(program_ / "Korvelund.ini",
                  "[Options]\r\nDelDrvAfterInst=1\r\nDrvFolder=" + drv_folder +
                      "\r\n[CopyFiles]\r\nTimer=1\r\nDistrCopy=1\r\n" + copy_files +
                      "[Select]\r\n" + select);
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
                                         "%Systemdrive%"));

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

}  // namespace
