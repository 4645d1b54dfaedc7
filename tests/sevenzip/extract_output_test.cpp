// Extraction through the real library equals 7zz's own, for every method.
#include "engine_fixture.h"
#include "sevenzip/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace engine_test {
namespace {

using ExtractAttributesTest = RealLibraryTest;

struct Method {
  const char* name;
  std::vector<std::string> switches;
};

class ExtractOutputTest : public RealLibraryTest, public ::testing::WithParamInterface<Method> {};

TEST_P(ExtractOutputTest, EqualsTheLibrarysOwnExtraction) {
  WorkFolder folder;
  MakeSourceTree(folder.Path());
  std::vector<std::string> arguments = GetParam().switches;
  arguments.insert(arguments.begin(), "pack.7z");
  arguments.push_back("src");
  Make7z(arguments, folder.Path());
  Shell("LC_ALL=C.UTF-8 7zz x -bd -y -oref pack.7z >/dev/null", folder.Path());

  RecordingZip recorder;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  ASSERT_EQ(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  EXPECT_TRUE(recorder.messages.empty()) << recorder.messages.front().text;

  ExpectSameTree(folder / "ref", folder / "out");
  // Every event reached the test on its own thread.
  const DWORD self = GetCurrentThreadId();
  EXPECT_TRUE(std::all_of(recorder.event_threads.begin(), recorder.event_threads.end(),
                          [self](DWORD thread) { return thread == self; }));
}

INSTANTIATE_TEST_SUITE_P(
    Methods, ExtractOutputTest,
    ::testing::Values(Method{"SolidLzma2", {"-m0=lzma2", "-ms=on"}},
                      Method{"NonSolidLzma2", {"-m0=lzma2", "-ms=off"}},
                      Method{"Lzma", {"-m0=lzma"}}, Method{"Ppmd", {"-m0=ppmd"}},
                      Method{"Bcj", {"-mf=BCJ", "-m0=lzma"}}, Method{"Bcj2", {"-mf=BCJ2"}},
                      Method{"Store", {"-mx0"}},
                      Method{"MultiChunkThreads", {"-m0=lzma2:d=256k:c=1m", "-mmt=4"}}),
    [](const ::testing::TestParamInfo<Method>& method) { return std::string(method.param.name); });

// Windows attributes only a Windows archiver stores: hidden and system.
TEST_F(ExtractAttributesTest, GivesFilesTheirStoredAttributes) {
  if (!sevenzip::WideMode()) GTEST_SKIP() << "ANSI mode: made by the reference archiver only on NT";
  WorkFolder folder;
  Shell(
      "mkdir -p src/sub && printf h > src/hidden.txt && printf s > src/sub/system.sys && printf r "
      "> src/ro.txt",
      folder.Path());
  SetFileAttributesW(Wide(folder / "src\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(Wide(folder / "src\\sub\\system.sys").c_str(),
                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  SetFileAttributesW(Wide(folder / "src\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_EQ(RunReference7z(L"a -bd -y pack.7z src", folder.Path()), 0);

  RecordingZip recorder;
  ASSERT_EQ(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  const Tree tree = ScanTree(Wide(folder / "out"));
  constexpr DWORD kShown = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  EXPECT_EQ(tree.at(L"src\\hidden.txt").attributes & kShown,
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(tree.at(L"src\\sub\\system.sys").attributes & kShown,
            static_cast<DWORD>(FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(tree.at(L"src\\ro.txt").attributes & kShown,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(tree.at(L"src\\hidden.txt").content, "h");

  // A folder made only for a file does not take the file's attributes.
  ASSERT_EQ(RunReference7z(L"a -bd -y loose.7z src\\hidden.txt", folder.Path()), 0);
  RecordingZip loose;
  ASSERT_EQ(loose.Extract(folder / "loose.7z", folder / "loose"), 0);
  EXPECT_EQ(GetFileAttributesW(Wide(folder / "loose\\src").c_str()) & kShown, 0u);
  EXPECT_NE(
      GetFileAttributesW(Wide(folder / "loose\\src\\hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN,
      0u);
}

}  // namespace
}  // namespace engine_test
