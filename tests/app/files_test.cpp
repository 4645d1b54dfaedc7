#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/package_rules.h"
#include "app/package_scan.h"
#include "app/safe_file.h"
#include "app/select_preset.h"
#include "app/tarnix_file.h"
#include "common/file_replace.h"
#include "common/profile_file.h"
#include "common/program_paths.h"
#include "support/file_util.h"
#include "support/scoped_mount.h"
#include "support/temp_folder.h"

namespace {

using testing_support::MakeFolders;
using testing_support::ReadTextFile;
using testing_support::ScopedMount;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

std::vector<std::string> Sorted(std::vector<std::string> items) {
  std::sort(items.begin(), items.end());
  return items;
}

bool FolderHoldsOnly(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names.empty();
  do {
    const std::string name = data.cFileName;
    if (name != "." && name != "..") found.push_back(name);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return Sorted(found) == Sorted(names);
}

TEST(PackageScan, ListsArchivesAndFoldersByTheirRules) {
  TempFolder root;
  WriteTextFile(root / "Zipped\\DP_Sound_A.7Z", "x");
  WriteTextFile(root / "Zipped\\dp_sound.7z", "x");
  WriteTextFile(root / "Zipped\\readme.txt", "x");
  MakeFolders(root / "Zipped\\Folder.7z");
  WriteTextFile(root / "Zipped\\Hidden.7z", "x");
  SetFileAttributesA((root / "Zipped\\Hidden.7z").c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Sorted(FindArchiveEntries(root / "Zipped\\*.7z")),
            Sorted({"DP_sound_a.7z", "Dp_sound.7z", "Folder.7z", "Hidden.7z"}));

  MakeFolders(root / "Network");
  MakeFolders(root / "ZIPPED2");
  WriteTextFile(root / "plain.txt", "x");
  EXPECT_EQ(Sorted(FindFolderEntries(root / "*.*")), Sorted({"NETWORK", "ZIPPED2"}));
  EXPECT_TRUE(FindArchiveEntries(root / "Missing\\*.7z").empty());
}

TEST(PackageScan, FolderSpeltZippedInCapitalsIsListed) {
  TempFolder root;
  MakeFolders(root / "ZIPPED");
  EXPECT_EQ(FindFolderEntries(root / "\\*.*"), std::vector<std::string>{"ZIPPED"});
}

TEST(PackageScan, EmptyFolders) {
  TempFolder root;
  MakeFolders(root / "Empty");
  MakeFolders(root / "Sub\\Inner");
  WriteTextFile(root / "File\\x", "");
  EXPECT_TRUE(IsFolderEmpty(root / "Empty"));
  EXPECT_TRUE(IsFolderEmpty(root / "Empty\\"));
  EXPECT_TRUE(IsFolderEmpty(root / "Missing"));
  EXPECT_FALSE(IsFolderEmpty(root / "Sub"));
  EXPECT_FALSE(IsFolderEmpty(root / "File\\"));
}

TEST(ReplaceFileContent, SwapsTheWholeFileAndLeavesNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder / "Tarnix.ini";
  WriteTextFile(path, "old");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(ReplaceFileContent(path, "new text"));
  EXPECT_EQ(ReadTextFile(path), "new text");
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(FolderHoldsOnly(folder.Path(), {"Tarnix.ini"}));
}

TEST(ReplaceFileContent, ReadOnlyFileKeepsItsContent) {
  TempFolder folder;
  const std::string path = folder / "Tarnix.ini";
  WriteTextFile(path, "old");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(ReplaceFileContent(path, "new"));
  EXPECT_EQ(ReadTextFile(path), "old");
  EXPECT_TRUE(FolderHoldsOnly(folder.Path(), {"Tarnix.ini"}));
  EXPECT_FALSE(ReplaceFileContent(folder / "Missing\\x.ini", "new"));
}

TEST(TarnixMirror, FullDiskKeepsTheOldFileByteForByte) {
  TempFolder folder;
  std::string settings_text = "[CopyFiles]\r\nTarnix=1\r\n[Hint]\r\n";
  for (int i = 0; i < 100; ++i)
    settings_text += "Hint" + std::to_string(i) + "=" + std::string(1000, 'h') + "\r\n";
  WriteTextFile(folder / "Korvelund.ini", settings_text);
  ScopedMount disk(ScopedMount::kSmallDisk, 'T', 64);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Refusal();
  const std::string tarnix = disk.Drive() + "\\Tarnix.ini";
  const std::string old_text =
      "; the setup tool's own\r\n[Setup]\r\nMode = 2\r\n" + std::string(20000, ';') + "\r\n";
  WriteTextFile(tarnix, old_text);

  EXPECT_FALSE(MirrorSettingsIntoTarnix(folder / "Korvelund.ini", tarnix));
  EXPECT_EQ(ReadTextFile(tarnix), old_text);
  EXPECT_TRUE(FolderHoldsOnly(disk.Drive(), {"Tarnix.ini"}));
}

TEST(TarnixOptions, FullDiskLeavesTheFileWhole) {
  std::string old_text = "[Options]\r\nDrvFolder=old\r\n";
  for (int i = 0; i < 500; ++i)
    old_text += "Key" + std::to_string(i) + "=" + std::string(40, 'v') + "\r\n";
  // A disk of 16 pages; the file takes 6. Free room: none, or enough for a
  // copy of the file but not for the longer rewritten one.
  for (const std::size_t free_pages : {std::size_t{0}, std::size_t{6}}) {
    ScopedMount disk(ScopedMount::kSmallDisk, 'U', 64);
    if (!disk.Mounted()) GTEST_SKIP() << disk.Refusal();
    const std::string tarnix = disk.Drive() + "\\Tarnix.ini";
    WriteTextFile(tarnix, old_text);
    WriteTextFile(disk.Drive() + "\\filler", std::string((10 - free_pages) * 4096, 'f'));
    WriteTarnixOptions(tarnix, {std::string(3000, 'D'), true, true, true});
    EXPECT_TRUE(ReadTextFile(tarnix) == old_text) << "Tarnix.ini was cut, free " << free_pages;
    EXPECT_TRUE(FolderHoldsOnly(disk.Drive(), {"Tarnix.ini", "filler"}));
  }
}

// The file states a crash can leave at each step of a 9x replace, and what
// the next start makes of them: always the old or the new file, nothing beside.
TEST(InterruptedReplace, NextStartSettlesEveryCrashState) {
  struct State {
    const char* target;  // nullptr: absent
    const char* temporary;
    const char* backup;
    const char* settled;
  };
  for (const State& state :
       {State{"old", "new, cut", nullptr, "old"}, State{"old", "new", nullptr, "old"},
        State{nullptr, "new", "old", "old"}, State{"new", nullptr, "old", "new"},
        State{"old", nullptr, nullptr, "old"}}) {
    TempFolder folder;
    const std::string target = folder / "Tarnix.ini";
    if (state.target) WriteTextFile(target, state.target);
    if (state.temporary) WriteTextFile(ReplaceTemporaryName(target), state.temporary);
    if (state.backup) WriteTextFile(ReplaceBackupName(target), state.backup);
    RecoverInterruptedReplaceStepwise(target);
    EXPECT_EQ(ReadTextFile(target), state.settled);
    EXPECT_TRUE(FolderHoldsOnly(folder.Path(), {"Tarnix.ini"}));
  }
}

// On NT no replace leaves a backup: a stray Tarnix.ini.kvold without a
// Tarnix.ini makes no Tarnix.ini, and the settings reach none.
TEST(InterruptedReplace, StrayBackupMakesNoFileOnNt) {
  TempFolder folder;
  const std::string target = folder / "Tarnix.ini";
  const std::string settings = folder / "Korvelund.ini";
  WriteTextFile(ReplaceBackupName(target), "[Options]\r\nOld=1\r\n");
  WriteTextFile(settings, "[CopyFiles]\r\nTarnix=1\r\n");
  EXPECT_FALSE(MirrorSettingsIntoTarnix(settings, target));
  EXPECT_FALSE(WriteTarnixOptions(target, {"C:\\X", true, true, true}));
  EXPECT_EQ(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadTextFile(ReplaceBackupName(target)), "[Options]\r\nOld=1\r\n");
}

TEST(InterruptedReplace, StepwiseMoveReplacesOrPlacesTheWholeFile) {
  TempFolder folder;
  const std::string target = folder / "Tarnix.ini";
  WriteTextFile(target, "old");
  WriteTextFile(folder / "new", "new");
  ASSERT_TRUE(MoveWholeFileIntoPlaceStepwise(folder / "new", target));
  EXPECT_EQ(ReadTextFile(target), "new");
  EXPECT_TRUE(FolderHoldsOnly(folder.Path(), {"Tarnix.ini"}));
  DeleteFileA(target.c_str());
  WriteTextFile(folder / "new", "first");
  ASSERT_TRUE(MoveWholeFileIntoPlaceStepwise(folder / "new", target));
  EXPECT_EQ(ReadTextFile(target), "first");
  // Nothing to move: the old file stays where it is.
  EXPECT_FALSE(MoveWholeFileIntoPlaceStepwise(folder / "missing", target));
  EXPECT_EQ(ReadTextFile(target), "first");
  EXPECT_TRUE(FolderHoldsOnly(folder.Path(), {"Tarnix.ini"}));
}

TEST(TarnixMirror, CopiesEverySettingIntoTheExistingFile) {
  TempFolder folder;
  const std::string settings = folder / "Korvelund.ini";
  const std::string tarnix = folder / "Tarnix.ini";
  WriteTextFile(settings,
                "[Options]\r\nDrvFolder=%Systemdrive%\\D\r\n[CopyFiles]\r\nTarnix=1\r\n"
                "timer = 5\r\n[Hint]\r\nCHIP=Chipset drivers\r\n");
  WriteTextFile(tarnix,
                "; setup tool\r\n[copyfiles]\r\nTIMER=9\r\nOwn = kept\r\n\r\n"
                "[Setup]\r\nMode=2\r\n");
  ASSERT_TRUE(MirrorSettingsIntoTarnix(settings, tarnix));
  EXPECT_EQ(ReadTextFile(tarnix),
            "[copyfiles]\r\ntimer=5\r\nOwn=kept\r\nTarnix=1\r\n\r\n"
            "[Setup]\r\nMode=2\r\n\r\n"
            "[Options]\r\nDrvFolder=%Systemdrive%\\D\r\n\r\n"
            "[Hint]\r\nCHIP=Chipset drivers\r\n\r\n");
}

// Whatever the profile functions find in Tarnix.ini and the settings do not
// hold keeps its value, however its section header is written.
TEST(TarnixMirror, KeepsEveryKeyTheProfileFunctionsSee) {
  TempFolder folder;
  const std::string settings = folder / "Korvelund.ini";
  const std::string tarnix = folder / "Tarnix.ini";
  WriteTextFile(settings, "[Options]\r\nDrvFolder=C:\\D\r\n[Setup]\r\nMode=3\r\n");
  WriteTextFile(tarnix,
                "[Setup] ; tool settings\r\nMode=2\r\nPath=C:\\x\r\n"
                "[ Options ]\r\nOwn=1\r\n[Odd]name]\r\nW=1\r\n[Other]  ;\r\nKeep=yes\r\n");
  struct Kept {
    const char* section;
    const char* key;
    const char* value;
  };
  const std::vector<Kept> kept = {{"Setup", "Path", "C:\\x"},
                                  {"Options", "Own", "1"},
                                  {"Odd]name", "W", "1"},
                                  {"Other", "Keep", "yes"}};
  const ProfileFile before(tarnix);
  for (const Kept& k : kept) {
    ASSERT_EQ(before.ReadString(k.section, k.key, "unseen"), k.value) << k.section << "/" << k.key;
  }
  ASSERT_TRUE(MirrorSettingsIntoTarnix(settings, tarnix));
  const ProfileFile after(tarnix);
  for (const Kept& k : kept) {
    EXPECT_EQ(after.ReadString(k.section, k.key, "lost"), k.value) << k.section << "/" << k.key;
  }
  EXPECT_EQ(after.ReadString("Setup", "Mode", ""), "3");
  EXPECT_EQ(after.ReadString("Options", "DrvFolder", ""), "C:\\D");
  const std::string text = ReadTextFile(tarnix);
  EXPECT_EQ(text.find("[Options]"), text.rfind("[Options]")) << text;
}

TEST(TarnixMirror, MissingFileIsNeitherCreatedNorWritten) {
  TempFolder folder;
  WriteTextFile(folder / "Korvelund.ini", "[CopyFiles]\r\nTarnix=1\r\n");
  EXPECT_FALSE(MirrorSettingsIntoTarnix(folder / "Korvelund.ini", folder / "Tarnix.ini"));
  EXPECT_FALSE(MirrorSettingsIntoTarnix(folder / "Korvelund.ini", ""));
  WriteTarnixOptions(folder / "Tarnix.ini", {"C:\\X", true, true, true});
  EXPECT_TRUE(FolderHoldsOnly(folder.Path(), {"Korvelund.ini"}));
}

TEST(TarnixOptions, WrittenAsDecimalFlags) {
  TempFolder folder;
  const std::string tarnix = folder / "Tarnix.ini";
  WriteTextFile(tarnix, "[Options]\r\nDrvFolder=old\r\nOther=1\r\n");
  WriteTarnixOptions(tarnix, {"%Systemdrive%\\D", true, false, true});
  EXPECT_EQ(ReadTextFile(tarnix),
            "[Options]\r\nDrvFolder=%Systemdrive%\\D\r\nOther=1\r\nDelDrvAfterInst=1\r\n"
            "PostSetup=1\r\n[CopyFiles]\r\nDistrCopy=0\r\n");
}

TEST(SelectPreset, ReadsTheSectionAsTheProfileFunctionsDo) {
  TempFolder folder;
  const std::string settings = folder / "Korvelund.ini";
  WriteTextFile(settings,
                "[Other]\r\nDP_a.7z=1\r\n[select]\r\n; DP_c.7z=1\r\n  dp_A.7Z = 1 \r\nDP_a.7z=0\r\n"
                "DP_b.7z=0\r\nDP_q.7z=\"1\"\r\nDP_x.7z=abc\r\nUnZipped=0x1\r\nDP_h.7z=$10\r\n");
  const SelectPreset preset(settings);
  EXPECT_TRUE(preset.Present());
  EXPECT_TRUE(preset.Ticked("DP_a.7z"));  // the first of equal keys
  EXPECT_FALSE(preset.Ticked("DP_b.7z"));
  EXPECT_FALSE(preset.Ticked("DP_c.7z"));
  EXPECT_TRUE(preset.Ticked("DP_q.7z"));
  EXPECT_FALSE(preset.Ticked("DP_x.7z"));
  EXPECT_TRUE(preset.Ticked("DP_h.7z"));
  EXPECT_FALSE(preset.Ticked("DP_missing.7z"));
  EXPECT_EQ(preset.Integer("unzipped", 0), 1);
  WriteTextFile(settings, "[Select]\r\n[Other]\r\nx=1\r\n");
  EXPECT_FALSE(SelectPreset(settings).Present());
  EXPECT_FALSE(SelectPreset().Present());
}

// Run with the ANSI code page 1251: entry texts follow its case rules. "Ё"
// (0xA8) has a lower-case twin only there.
TEST(PackageNames1251, FollowTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 1251u);
  EXPECT_EQ(PackageDisplayName("DP_\xA8LKA.7Z"), "DP_\xB8lka.7z");
  EXPECT_EQ(PackageDisplayName("\xB8\xCB\xCA\xC0.7z"), "\xA8\xEB\xEA\xE0.7z");
  EXPECT_EQ(FolderEntryText("\xB8\xEB\xEA\xE0"), "\xA8\xCB\xCA\xC0");
  EXPECT_EQ(HoverHintText({"\xB8\xCB\xCA\xC0=tree"}, "DP_\xA8\xEB\xEA\xE0.7z"), "tree");
}

// Entries are names as the disk has them (UTF-8 on NT); [Select] and [Hint]
// names, written in the code page, still find them.
TEST(PackageNames1251, SettingsNamesFindEntriesOfAnyCase) {
  ASSERT_EQ(GetACP(), 1251u);
  TempFolder folder;
  const std::string settings = folder / "Korvelund.ini";
  WriteTextFile(settings, "[Select]\r\nDP_\xF1\xE5\xF2\xFC.7z=1\r\n");  // DP_сеть.7z
  const SelectPreset preset(settings);
  EXPECT_TRUE(preset.Ticked("DP_\xD1\x81\xD0\xB5\xD1\x82\xD1\x8C.7z"));
  EXPECT_TRUE(preset.Ticked("DP_\xD0\xA1\xD0\x95\xD0\xA2\xD0\xAC.7Z"));
  EXPECT_FALSE(preset.Ticked("DP_\xF1\xE5\xF2\xFC.7z"));
  EXPECT_EQ(EntryHintText({"\xD1\xC5\xD2\xDC=net", "\xCE\xA9=none"},
                          "DP_\xD1\x81\xD0\xB5\xD1\x82\xD1\x8C.7z"),
            "net");
  EXPECT_EQ(PackageEntryText("Dp_\xD0\xA1\xD0\x95\xD0\xA2\xD0\xAC.7Z"),
            "Dp_\xD1\x81\xD0\xB5\xD1\x82\xD1\x8C.7z");
  EXPECT_EQ(PackageEntryText("\xCE\xA9MEGA.7Z"), "\xCE\xA9mega.7z");
  EXPECT_EQ(FolderEntryName("\xD1\x81\xCF\x89"), "\xD0\xA1\xCE\xA9");
}

}  // namespace
