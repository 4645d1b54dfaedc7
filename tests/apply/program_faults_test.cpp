// Korvelund.exe under faults of an unattended run: a disk that fills up, a
// kill at any moment, a program folder on read-only media.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "common/file_replace.h"
#include "common/paths.h"
#include "common/program_paths.h"
#include "package_tree.h"
#include "program_run.h"
#include "support/file_util.h"
#include "support/scoped_mount.h"
#include "support/temp_folder.h"
#include "tarnix_guard.h"

namespace {

using testing_support::MakeFolders;
using testing_support::ReadTextFile;
using testing_support::ScopedMount;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

// Every file below `root`, by path relative to it.
std::vector<std::string> FilesBelow(const std::string& root, const std::string& relative = "") {
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((root + "\\" + relative + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (const std::string& inner : FilesBelow(root, relative + name + "\\"))
        files.push_back(inner);
    } else {
      files.push_back(relative + name);
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return files;
}

TEST(ProgramFullDiskTest, ApplyRunLeavesOnlyWholeFilesAndEnds) {
  TempFolder program;
  TempFolder content;
  WriteTextFile(content / "Big\\a.inf", "[a]");
  WriteTextFile(content / "Big\\b_big.sys", RandomBytes(1500000, 1));
  WriteTextFile(content / "Big\\c.inf", "[c]");
  MakeArchive(program / "Zipped\\DP_big.7z", content.Path(), {"Big"});
  WriteTextFile(program / "UnZipped\\Chipset\\setup.inf", "[setup]");
  WriteTextFile(program / "UnZipped\\Chipset\\chip.sys", RandomBytes(1500000, 2));
  WriteTextFile(program / "UnZipped\\Chipset\\z.inf", "[z]");

  ScopedMount disk(ScopedMount::kSmallDisk, 'M', 1024);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Refusal();
  const std::string target = disk.Drive() + "\\DRIVERS";
  // An older copy of the big folder file: it must stay whole.
  WriteTextFile(target + "\\D\\X\\CHIPSET\\chip.sys", "old chip");
  WriteTextFile(program / "Korvelund.ini",
                "[Options]\r\nDrvFolder=" + target +
                    "\r\n[CopyFiles]\r\nTimer=1\r\n[Select]\r\nDP_big.7z=1\r\nUnZipped=1\r\n");

  ProgramRun run(program.Path(), "");
  EXPECT_EQ(run.WaitForExit(90000), 0);

  for (const std::string& file : FilesBelow(target)) {
    const std::string found = ReadTextFile(target + "\\" + file);
    std::string expected;
    if (file.rfind("Big\\", 0) == 0) {
      expected = ReadTextFile(content / file);
    } else if (file.rfind("D\\X\\CHIPSET\\", 0) == 0) {
      expected = ReadTextFile(program / ("UnZipped\\Chipset\\" + file.substr(12)));
      if (file == "D\\X\\CHIPSET\\chip.sys" && found == "old chip") expected = found;
    }
    EXPECT_EQ(found.size(), expected.size()) << file << " is not a whole file";
    EXPECT_TRUE(found == expected) << file;
  }
  EXPECT_FALSE(FileExists(target + "\\Big\\b_big.sys"));
  EXPECT_EQ(ReadTextFile(target + "\\Big\\a.inf"), "[a]");
  EXPECT_EQ(ReadTextFile(target + "\\D\\X\\CHIPSET\\chip.sys"), "old chip");
  EXPECT_EQ(ReadTextFile(target + "\\D\\X\\CHIPSET\\setup.inf"), "[setup]");
}

// Last-write time of a file in 100 ns units; 0 when there is none. Asked
// without opening the file: an open handle would stop the program's rename.
std::uint64_t LastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

std::uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// Tarnix.ini of 2,000 keys (about 200 KB) and a Korvelund.ini that changes it.
std::string LargeTarnixIni() {
  std::string text;
  char line[160];
  for (int section = 0; section < 20; ++section) {
    text += "[Section" + std::to_string(section) + "]\r\n";
    for (int key = 0; key < 100; ++key) {
      std::snprintf(line, sizeof line, "Key%04d=%s\r\n", section * 100 + key,
                    std::string(88, static_cast<char>('a' + key % 26)).c_str());
      text += line;
    }
    text += "\r\n";
  }
  return text;
}

TEST(ProgramKillTest, TarnixIniIsAlwaysTheOldOrTheNewFile) {
  const std::string old_text = LargeTarnixIni();
  TarnixIniGuard tarnix(old_text.c_str());
  const std::string temporary = ReplaceTemporaryName(tarnix.Path());
  const std::string backup = ReplaceBackupName(tarnix.Path());
  TempFolder program;
  // No packages and no countdown: the program only starts and waits.
  WriteTextFile(program / "Korvelund.ini",
                "[CopyFiles]\r\nTarnix=1\r\nTimer=0\r\n[Section3]\r\nKey0300=changed\r\n"
                "[Added]\r\nNew=1\r\n");

  // The new file, and how long a start takes to finish the rewrite.
  std::string new_text;
  DWORD rewrite_done_ms = 0;
  {
    const DWORD start = GetTickCount();
    ProgramRun run(program.Path(), "");
    while (GetTickCount() - start < 30000 && FileSize(tarnix.Path()) == old_text.size()) Sleep(5);
    rewrite_done_ms = GetTickCount() - start;
    Sleep(200);
    run.Kill();
    new_text = ReadTextFile(tarnix.Path());
  }
  ASSERT_TRUE(new_text != old_text) << "the program never rewrote Tarnix.ini";
  ASSERT_NE(new_text.find("Key0300=changed"), std::string::npos);

  std::mt19937 random(20261210);
  int kills = 0, inside = 0;
  const DWORD began = GetTickCount();
  for (int i = 0; i < 100 && GetTickCount() - began < 150000; ++i) {
    if (ReadTextFile(tarnix.Path()) != old_text) WriteTextFile(tarnix.Path(), old_text);
    // What the last kill left stays for this start to deal with; a
    // temporary file counts as this start's only when it is another file.
    const std::uint64_t leftover = LastWrite(temporary);
    ProgramRun run(program.Path(), "");
    if (i % 2 == 0) {
      // Anywhere in the start, up to a little past the rewrite.
      Sleep(random() % (rewrite_done_ms + 300));
    } else {
      // Close behind the moment the new file starts to be written.
      const DWORD start = GetTickCount();
      while ((LastWrite(temporary) == 0 || LastWrite(temporary) == leftover) &&
             GetTickCount() - start < 10000)
        Sleep(1);
      Sleep(random() % 8);
    }
    run.Kill();
    ++kills;
    const std::uint64_t left = LastWrite(temporary);
    if ((left != 0 && left != leftover) || FileExists(backup)) ++inside;
    const std::string now = ReadTextFile(tarnix.Path());
    ASSERT_TRUE(now == old_text || now == new_text)
        << "kill " << i << " left Tarnix.ini of " << now.size() << " bytes";
  }
  // A later start settles whatever the last kill left and rewrites the file.
  if (ReadTextFile(tarnix.Path()) != old_text) WriteTextFile(tarnix.Path(), old_text);
  {
    ProgramRun run(program.Path(), "");
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 30000 &&
           (FileSize(tarnix.Path()) != new_text.size() || FileExists(temporary)))
      Sleep(20);
    run.Kill();
  }
  EXPECT_TRUE(ReadTextFile(tarnix.Path()) == new_text) << "a later start did not rewrite it";
  EXPECT_FALSE(FileExists(temporary));
  EXPECT_FALSE(FileExists(backup));
  std::printf("[ kills ] %d kills in %lu s, %d inside the rewrite (temporary file present)\n",
              kills, (GetTickCount() - began) / 1000, inside);
  RecordProperty("kills", kills);
  RecordProperty("kills_inside_rewrite", inside);
  EXPECT_GE(kills, 50);
  EXPECT_GT(inside, 0) << "no kill landed inside the rewrite";
}

// Names and contents of a tree, to see that nothing changed.
std::vector<std::string> Snapshot(const std::string& root) {
  std::vector<std::string> snapshot;
  for (const std::string& file : FilesBelow(root))
    snapshot.push_back(file + "=" + ReadTextFile(root + "\\" + file));
  return snapshot;
}

TEST(ProgramReadOnlyTest, RunsAWholeUnattendedApplyFromReadOnlyMedia) {
  TempFolder medium;
  TempFolder target;
  const std::string here = ExtractFilePath(ProgramFileName());
  ASSERT_TRUE(CopyFileA((here + "Korvelund.exe").c_str(), (medium / "Korvelund.exe").c_str(), 0));
  ASSERT_TRUE(CopyFileA((here + "7za.dll").c_str(), (medium / "7za.dll").c_str(), FALSE));
  TempFolder content;
  WriteTextFile(content / "Net\\net.inf", "[net]");
  MakeArchive(medium / "Zipped\\DP_net.7z", content.Path(), {"Net"});
  WriteTextFile(medium / "UnZipped\\Modem\\modem.inf", "[modem]");
  WriteTextFile(medium / "Korvelund.ini",
                "[Options]\r\nDrvFolder=" + target.Path() +
                    "\r\n[CopyFiles]\r\nTimer=1\r\n[Select]\r\nDP_net.7z=1\r\nUnZipped=1\r\n");
  const std::vector<std::string> before = Snapshot(medium.Path());

  ScopedMount cd(ScopedMount::kReadOnlyView, 'R', medium.Path());
  if (!cd.Mounted()) GTEST_SKIP() << cd.Refusal();
  ASSERT_FALSE(CreateDirectoryA((cd.Drive() + "\\probe").c_str(), nullptr)) << "not read-only";

  ProgramRun run(cd.Drive(), "", true, false);
  EXPECT_EQ(run.WaitForExit(60000), 0);
  EXPECT_EQ(ReadTextFile(target / "Net\\net.inf"), "[net]");
  EXPECT_EQ(ReadTextFile(target / "D\\X\\MODEM\\modem.inf"), "[modem]");
  EXPECT_EQ(Snapshot(medium.Path()), before);
}

}  // namespace
