// The component's surface: library loading, initial values, setter rules, codes.
#include "engine_fixture.h"
#include "sevenzip/file_system.h"
#include "sevenzip/result_codes.h"
#include "support/file_util.h"

#include <gtest/gtest.h>

namespace engine_test {
namespace {

constexpr char kLoadMessage[] =
    "Could not load CreateObject function from 7za.dll\r\nPerhaps 7za.dll not found";

using ComponentTest = RealLibraryTest;

TEST_F(ComponentTest, StartsWithItsPublishedValues) {
  TComponent form(nullptr);
  auto* zip = new TSevenZip(&form);
  zip->SetName("SevenZip1");
  EXPECT_EQ(form.FindComponent("sevenzip1"), zip);
  EXPECT_EQ(zip->SFXModule, L"7z.sfx");
  EXPECT_EQ(zip->LPPMDsize, 10);
  EXPECT_EQ(zip->LPPMDmem, 30);
  EXPECT_EQ(zip->NumberOfFiles, -1);
  EXPECT_EQ(zip->LZMACompressType, LZMA);
  EXPECT_EQ(zip->LZMACompressStrength, SAVE);
  EXPECT_EQ(zip->LZMAStrength, 0);
  EXPECT_TRUE(zip->AddRootDir.empty() && zip->ExtrBaseDir.empty() && zip->SZFileName.empty() &&
              zip->Password.empty());
  EXPECT_TRUE(zip->AddOptions.Empty() && zip->ExtractOptions.Empty());
  EXPECT_FALSE(zip->SFXCreate());
  EXPECT_EQ(zip->VolumeSize(), 0);
  EXPECT_EQ(zip->Files.Count(), 0);
  EXPECT_EQ(zip->LastResultCode(), 0);
  EXPECT_FALSE(zip->CancelRequested());
  EXPECT_FALSE(zip->OnMessage || zip->OnProgress || zip->OnOpenVolume);
  EXPECT_EQ(ExtractOpts({ExtractOverwrite}).Bits(), 2);
}

TEST(PlatformModeTest, FollowsTheSystem) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExA(&version));
  sevenzip::SetWideMode(version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS);
  const ScopedFakeLibrary fake;
  TSevenZip zip(nullptr);
  EXPECT_EQ(sevenzip::WideMode(), version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS);
  RecordProperty("platform_id", static_cast<int>(version.dwPlatformId));
}

TEST_F(ComponentTest, SfxModuleSizeRaisesTheVolumeSize) {
  WorkFolder folder;
  testing_support::WriteTextFile(folder / "1000.sfx", std::string(1000, 'M'));
  testing_support::WriteTextFile(folder / "empty.sfx", "");
  TSevenZip zip(nullptr);

  for (const char* module : {"missing.sfx", "empty.sfx"}) {
    zip.SFXModule = Wide(folder / module);
    zip.SetVolumeSize(500);
    zip.SetSFXCreate(true);
    EXPECT_FALSE(zip.SFXCreate()) << module;
    EXPECT_EQ(zip.VolumeSize(), 500) << module;
  }
  zip.SFXModule = Wide(folder / "1000.sfx");
  zip.SetSFXCreate(true);
  EXPECT_TRUE(zip.SFXCreate());
  EXPECT_EQ(zip.VolumeSize(), 1007);
  struct Case {
    int set;
    int read;
  };
  for (const Case& c :
       std::vector<Case>{{1003, 1003}, {999, 1007}, {0, 0}, {1, 1007}, {-5, -5}, {5000, 5000}}) {
    zip.SetVolumeSize(c.set);
    EXPECT_EQ(zip.VolumeSize(), c.read) << c.set;
  }
  zip.SetSFXCreate(false);
  zip.SetVolumeSize(999);
  EXPECT_EQ(zip.VolumeSize(), 999);
}

TEST(ResultCodesTest, EveryCodeHasItsFixedMessage) {
  const std::vector<std::string> messages{"Success",
                                          "File not found",
                                          "Data Error",
                                          "CRC Error",
                                          "Unsupported Method",
                                          "Index out of Range",
                                          "User canceled operation",
                                          "File is not an 7z SFX archive",
                                          "SFXModule error ( Not found )",
                                          "Could not create SFX",
                                          "No files to add",
                                          "Could not create file"};
  for (int code = 0; code < 12; ++code)
    EXPECT_EQ(ResultMessage(code), messages[static_cast<std::size_t>(code)]);
  EXPECT_STREQ(ResultMessage(12), "");
  EXPECT_STREQ(ResultMessage(-1), "");
}

TEST(SelectionListTest, AddsAndClears) {
  TWideStringList list;
  list.Add(L"a");
  list.Add(L"");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Strings(0), L"a");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

// Runs only from the copy of this program in a folder without 7za.dll.
TEST(LibraryAbsentTest, ConstructionFailsWithTheTwoLineMessage) {
  const std::wstring folder = ExeFolder();
  if (GetFileAttributesW((folder + L"\\7za.dll").c_str()) != INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "7za.dll lies beside this copy";
  }
  // A library in the current folder or on PATH is never taken: whoever
  // started the program may have put it there.
  const std::wstring planted = folder + L"\\planted";
  CreateDirectoryW(planted.c_str(), nullptr);
  ASSERT_TRUE(
      CopyFileW((folder + L"\\..\\7za.dll").c_str(), (planted + L"\\7za.dll").c_str(), FALSE));
  SetCurrentDirectoryW(planted.c_str());
  SetEnvironmentVariableW(L"PATH", planted.c_str());
  try {
    TSevenZip zip(nullptr);
    FAIL() << "constructed without 7za.dll beside the program";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), kLoadMessage);
  }
  EXPECT_EQ(GetModuleHandleA("7za.dll"), nullptr);
  const std::vector<std::wstring> places = SevenZipLibraryPlaces();
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0], folder + L"\\7za.dll");
  wchar_t system[MAX_PATH];
  EXPECT_EQ(places[1], std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)) + L"\\7za.dll");
}

TEST(LibraryWithoutEntryTest, ConstructionFailsAndUnloadsIt) {
  const HMODULE module = LoadLibraryW((ExeFolder() + L"\\noentry\\7za.dll").c_str());
  ASSERT_TRUE(module);
  try {
    TSevenZip zip(nullptr);
    FAIL() << "constructed without CreateObject";
  } catch (const ESevenZipLoadError& error) {
    EXPECT_STREQ(error.what(), kLoadMessage);
  }
  FreeLibrary(module);
  EXPECT_EQ(GetModuleHandleA("7za.dll"), nullptr);
}

}  // namespace
}  // namespace engine_test
