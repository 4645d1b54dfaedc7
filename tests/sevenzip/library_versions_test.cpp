// The same archives through every 7-Zip library version users are known to
// drop in as 7za.dll (bin\7zip\VERSION\7za.dll), each extraction checked
// against 7zz's own.
#include "engine_fixture.h"
#include "support/file_util.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <tuple>

namespace engine_test {
namespace {

struct Library {
  const char* version;
  DWORD file_version_ms;  // major << 16 | minor, as its version resource says
};

enum class Packing { kPlain, kVolumes, kSelfExtracting };

struct Archive {
  const char* name;
  std::vector<std::string> switches;
  Packing packing = Packing::kPlain;
  const char* password = "";
};

const Library kLibraries[] = {{"26.03", 26u << 16 | 3}, {"16.00", 16u << 16 | 0},
                              {"15.14", 15u << 16 | 14}};

const Archive kArchives[] = {
    {"SolidLzma2", {"-m0=lzma2", "-ms=on"}},
    {"Lzma", {"-m0=lzma"}},
    {"Ppmd", {"-m0=ppmd"}},
    {"Bcj2", {"-mf=BCJ2"}},
    {"AesWithHiddenNames", {"-psecret", "-mhe=on"}, Packing::kPlain, "secret"},
    {"Volumes", {"-v200k", "-mx1"}, Packing::kVolumes},
    {"SelfExtracting", {"-mx5"}, Packing::kSelfExtracting},
};

DWORD FileVersionOf(HMODULE module) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(module, path, MAX_PATH);
  DWORD handle = 0;
  std::vector<BYTE> data(GetFileVersionInfoSizeW(path, &handle));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (data.empty() || !GetFileVersionInfoW(path, 0, static_cast<DWORD>(data.size()), data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
    return 0;
  }
  return fixed->dwFileVersionMS;
}

class LibraryVersionTest : public RealLibraryTest,
                           public testing::WithParamInterface<std::tuple<Archive, Library>> {
 protected:
  // One source tree for every case, and each case's archive with 7zz's own
  // extraction of it beside, made the first time a case asks.
  static std::string CaseFolder(const Archive& archive) {
    static const std::unique_ptr<WorkFolder> root = [] {
      auto folder = std::make_unique<WorkFolder>();
      MakeSourceTree(folder->Path(), 1);
      return folder;
    }();
    static std::map<std::string, bool> made;
    const std::string name = archive.name;
    if (!made[name]) {
      Shell("mkdir -p " + name, root->Path());
      std::vector<std::string> arguments = archive.switches;
      arguments.insert(arguments.begin(), name + "/pack.7z");
      arguments.push_back("src");
      Make7z(arguments, root->Path());
      const std::string first = archive.packing == Packing::kVolumes ? "pack.7z.001" : "pack.7z";
      const std::string password = *archive.password ? " -p" + std::string(archive.password) : "";
      Shell("LC_ALL=C.UTF-8 7zz x -bd -y -oref" + password + " " + first + " >/dev/null",
            *root / name);
      if (archive.packing == Packing::kSelfExtracting) {
        Shell("cat '" + testing_support::UnixPath(SfxModuleFolder() + "\\7z.sfx") +
                  "' pack.7z > Setup.EXE && rm pack.7z",
              *root / name);
      }
      made[name] = true;
    }
    return *root / name;
  }
};

TEST_P(LibraryVersionTest, ExtractsWhatTheReferenceExtracts) {
  const auto& [archive, library] = GetParam();
  const std::string folder = CaseFolder(archive);
  if (HasFatalFailure()) return;
  const std::string input = folder + (archive.packing == Packing::kVolumes ? "\\pack.7z.001"
                                      : archive.packing == Packing::kSelfExtracting
                                          ? "\\Setup.EXE"
                                          : "\\pack.7z");

  // Only this version is loaded, so the component's load by name gets it.
  ASSERT_EQ(GetModuleHandleA("7za.dll"), nullptr);
  ScopedLibrary loaded(ExeFolder() + L"\\7zip\\" + Wide(library.version) + L"\\7za.dll");
  ASSERT_NE(loaded.Module(), nullptr);
  ASSERT_EQ(FileVersionOf(loaded.Module()), library.file_version_ms);

  const std::string out = folder + "\\out-" + library.version;
  {
    RecordingZip recorder;
    EXPECT_EQ(GetModuleHandleA("7za.dll"), loaded.Module());
    recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
    recorder.zip.Password = Wide(archive.password);
    EXPECT_EQ(recorder.Extract(input, out), 0);
    EXPECT_TRUE(recorder.messages.empty()) << recorder.messages.front().text;
    EXPECT_EQ(recorder.zip.SFXFound(), archive.packing == Packing::kSelfExtracting);
  }
  ExpectSameTree(folder + "\\ref", out);
  RemoveTreeWide(Wide(out));
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, LibraryVersionTest,
    testing::Combine(testing::ValuesIn(kArchives), testing::ValuesIn(kLibraries)),
    [](const testing::TestParamInfo<std::tuple<Archive, Library>>& param_info) {
      std::string version = std::get<1>(param_info.param).version;
      version[version.find('.')] = '_';
      return std::string(std::get<0>(param_info.param).name) + "_" + version;
    });

}  // namespace
}  // namespace engine_test
