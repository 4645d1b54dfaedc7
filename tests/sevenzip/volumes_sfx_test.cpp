// Archives split into numbered volumes, and self-extracting ".EXE" archives.
#include "engine_fixture.h"
#include "sevenzip/stream_reader.h"
#include "support/file_util.h"
#include "support/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace engine_test {
namespace {

using OpenFailureTest = RealLibraryTest;
using SfxTest = RealLibraryTest;

using testing_support::ReadTextFile;
using testing_support::WriteTextFile;

// A 3-volume set pack.7z.001..003 of a mostly random source tree.
class VolumesTest : public RealLibraryTest {
 protected:
  void SetUp() override {
    RealLibraryTest::SetUp();
    if (IsSkipped()) return;
    MakeSourceTree(folder.Path(), 1);
    Make7z({"-v200k", "-mx1", "pack.7z", "src"}, folder.Path());
    ASSERT_TRUE(Exists("pack.7z.003"));
    ASSERT_FALSE(Exists("pack.7z.004"));
  }
  bool Exists(const std::string& name) const {
    return GetFileAttributesA((folder / name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  void ExpectSourceExtracted(const std::string& out) const {
    for (const char* file : {"\\src\\big.bin", "\\src\\drivers\\x86\\net.sys"}) {
      EXPECT_TRUE(ReadTextFile(folder / (out + file)) ==
                  ReadTextFile(folder / std::string(file + 1)))
          << file;
    }
  }
  WorkFolder folder;
};

TEST_F(VolumesTest, FindsTheFollowingVolumesWithoutAsking) {
  RecordingZip recorder;
  int asked = 0;
  recorder.zip.OnOpenVolume = [&](std::wstring&, bool, bool& cancel) {
    ++asked;
    cancel = true;
  };
  EXPECT_EQ(recorder.Extract(folder / "pack.7z.001", folder / "out"), 0);
  EXPECT_TRUE(recorder.messages.empty());
  EXPECT_EQ(asked, 0);
  ExpectSourceExtracted("out");
}

TEST_F(VolumesTest, ReadAcrossABoundaryJoinsBothVolumes) {
  RecordingZip recorder;
  const std::string first = ReadTextFile(folder / "pack.7z.001");
  const std::string second = ReadTextFile(folder / "pack.7z.002");
  TSevenZip owner(nullptr);
  sevenzip::ComRef<sevenzip::TMyStreamReader> reader(
      new sevenzip::TMyStreamReader(&owner, Wide(folder / "pack.7z.001"), true));
  UINT64 size = 0;
  ASSERT_EQ(reader->GetSize(&size), S_OK);
  EXPECT_EQ(size, first.size() + second.size() + ReadTextFile(folder / "pack.7z.003").size());
  ASSERT_EQ(reader->Seek(static_cast<INT64>(first.size()) - 10, STREAM_SEEK_SET, nullptr), S_OK);
  char buffer[30];
  UINT32 read = 0;
  ASSERT_EQ(reader->Read(buffer, sizeof buffer, &read), S_OK);
  ASSERT_EQ(read, sizeof buffer);
  EXPECT_EQ(std::string(buffer, 30), first.substr(first.size() - 10) + second.substr(0, 20));
  UINT64 position = 0;
  ASSERT_EQ(reader->Seek(-4, STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position, size - 4);
  EXPECT_EQ(reader->Read(buffer, sizeof buffer, &read), S_OK);
  EXPECT_EQ(read, 4u);
}

TEST_F(VolumesTest, MissingOrSwappedMemberFailsWithoutAsking) {
  RecordingZip recorder;
  struct Case {
    const char* script;
  };
  for (const char* script :
       {"rm pack.7z.002", "rm pack.7z.003",
        "mv pack.7z.002 t && mv pack.7z.003 pack.7z.002 && mv t pack.7z.003"}) {
    SCOPED_TRACE(script);
    WorkFolder copy;
    Shell("cp " + testing_support::UnixPath(folder.Path()) + "/pack.7z.* . && " + script,
          copy.Path());
    RecordingZip job;
    const int result = job.Extract(copy / "pack.7z.001", copy / "out");
    EXPECT_TRUE(result != 0 || !job.messages.empty());
    EXPECT_FALSE(job.messages.empty());
  }
}

// A numbered name without a following volume is one whole archive, whatever
// its number.
TEST_F(VolumesTest, LoneNumberedArchiveIsReadToItsEndOnly) {
  Make7z({"-v10m", "small.7z", "src/readme.txt"}, folder.Path());
  Make7z({"one.5", "src/readme.txt"}, folder.Path());
  ASSERT_FALSE(Exists("small.7z.002"));
  for (const char* name : {"small.7z.001", "one.5"}) {
    SCOPED_TRACE(name);
    RecordingZip recorder;
    int asked = 0;
    recorder.zip.OnOpenVolume = [&](std::wstring&, bool, bool& cancel) {
      ++asked;
      cancel = true;
    };
    EXPECT_EQ(recorder.Extract(folder / name, folder / "small"), 0);
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(ReadTextFile(folder / "small\\src\\readme.txt"),
              ReadTextFile(folder / "src\\readme.txt"));
    RemoveTreeWide(Wide(folder / "small"));
  }
}

// A volume that exists but cannot be opened goes to the host, which may
// name another copy or give up.
TEST_F(VolumesTest, UnopenableVolumeIsAskedForThroughTheHandler) {
  RecordingZip recorder;
  Shell("mkdir copy && cp pack.7z.002 copy/", folder.Path());
  const HANDLE locked = CreateFileA((folder / "pack.7z.002").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  std::vector<std::wstring> asked;
  recorder.zip.OnOpenVolume = [&](std::wstring& name, bool removable, bool& cancel) {
    asked.push_back(name);
    EXPECT_FALSE(removable);
    name = Wide(folder / "copy\\pack.7z.002");
    cancel = false;
  };
  EXPECT_EQ(recorder.Extract(folder / "pack.7z.001", folder / "out"), 0);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked[0], Wide(folder / "pack.7z.002"));
  ExpectSourceExtracted("out");

  RecordingZip declined;
  int declines = 0;
  declined.zip.OnOpenVolume = [&](std::wstring&, bool, bool& cancel) {
    ++declines;
    cancel = true;
  };
  EXPECT_NE(declined.Extract(folder / "pack.7z.001", folder / "out2"), 0);
  EXPECT_EQ(declines, 1);
  EXPECT_EQ(declined.Codes(), std::vector<int>{2});  // the first volume is there
  CloseHandle(locked);
}

// Without a handler the user is asked with the system's open-file dialog.
TEST_F(VolumesTest, UnopenableVolumeWithoutHandlerShowsTheDialog) {
  RecordingZip recorder;
  const HANDLE locked = CreateFileA((folder / "pack.7z.003").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  std::atomic<bool> seen{false};
  std::atomic<bool> finished{false};
  testing_support::WorkerThread closer([&] {
    for (int waited = 0; waited < 30000 && !finished; waited += 50) {
      if (const HWND dialog = FindWindowW(nullptr, L"Select volume")) {
        seen = true;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      }
      Sleep(50);
    }
  });
  const int result = recorder.Extract(folder / "pack.7z.001", folder / "out");
  finished = true;
  closer.Join();
  CloseHandle(locked);
  EXPECT_TRUE(seen);
  EXPECT_NE(result, 0);
}

// A self-extractor module followed by an archive: the 7z data lies beyond
// the scanned window and is found at the end of the module's sections.
TEST_F(SfxTest, RealModulesAreFoundByTheirHeader) {
  for (const char* module : {"7z.sfx", "7zCon.sfx"}) {
    SCOPED_TRACE(module);
    WorkFolder folder;
    Shell("printf 'driver' > d.inf", folder.Path());
    Make7z({"pack.7z", "d.inf"}, folder.Path());
    Shell("cat '" + testing_support::UnixPath(SfxModuleFolder() + "\\" + module) +
              "' pack.7z > Setup.EXE",
          folder.Path());
    RecordingZip recorder;
    EXPECT_EQ(recorder.Extract(folder / "Setup.EXE", folder / "out"), 0);
    EXPECT_TRUE(recorder.zip.SFXFound());
    EXPECT_EQ(recorder.zip.SFXOffset(),
              ReadTextFile(folder / "Setup.EXE").size() - ReadTextFile(folder / "pack.7z").size());
    EXPECT_EQ(ReadTextFile(folder / "out\\d.inf"), "driver");

    // The next plain archive is read from its start again.
    RecordingZip plain;
    EXPECT_EQ(plain.Extract(folder / "pack.7z", folder / "out2"), 0);
    EXPECT_FALSE(plain.zip.SFXFound());
  }
}

TEST_F(SfxTest, WindowScanFindsOnlyWholeSignaturesInsideIt) {
  WorkFolder folder;
  Shell("printf 'driver' > d.inf", folder.Path());
  Make7z({"pack.7z", "d.inf"}, folder.Path());
  struct Case {
    long offset;
    bool found;
  };
  for (const Case& c : std::vector<Case>{{65536 + 4464, true},
                                         {65536, true},
                                         {65536 + 81920 - 6, true},
                                         {65535, false},
                                         {65536 + 81920 - 5, false},
                                         {1000, false}}) {
    SCOPED_TRACE(c.offset);
    Shell("{ printf MZ; head -c " + std::to_string(c.offset - 2) +
              " /dev/zero; cat pack.7z; } > Made.exe",
          folder.Path());
    RecordingZip recorder;
    const int result = recorder.Extract(folder / "Made.exe", folder / "out");
    if (c.found) {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(recorder.zip.SFXOffset(), static_cast<std::uint64_t>(c.offset));
      EXPECT_EQ(ReadTextFile(folder / "out\\d.inf"), "driver");
    } else {
      EXPECT_EQ(result, -1);
      ASSERT_EQ(recorder.Codes(), std::vector<int>{7});
      EXPECT_EQ(recorder.messages[0].text, "File is not an 7z SFX archive");
      EXPECT_EQ(recorder.messages[0].file, Wide(folder / "Made.exe"));
    }
    RemoveTreeWide(Wide(folder / "out"));
  }
}

// A missing archive is not found; one that is there but no readable 7z
// archive is damaged.
TEST_F(OpenFailureTest, MissingArchivesAreNotFoundForeignOnesDamaged) {
  WorkFolder folder;
  WriteTextFile(folder / "text.7z", "not an archive at all");
  WriteTextFile(folder / "empty.7z", "");
  struct Case {
    const char* name;
    int code;
    const char* text;
  };
  for (const Case& c : std::vector<Case>{{"missing.7z", 1, "File not found"},
                                         {"missing.7z.001", 1, "File not found"},
                                         {"text.7z", 2, "Data Error"},
                                         {"empty.7z", 2, "Data Error"}}) {
    RecordingZip recorder;
    EXPECT_EQ(recorder.Extract(folder / c.name, folder / "out"), -1) << c.name;
    ASSERT_EQ(recorder.Codes(), std::vector<int>{c.code}) << c.name;
    EXPECT_EQ(recorder.messages[0].text, c.text);
    EXPECT_FALSE(recorder.messages[0].reason.empty());
    EXPECT_EQ(recorder.messages[0].file, Wide(folder / c.name));
  }
  RecordingZip program;
  Shell("printf MZ > prog.EXE && head -c 200000 /dev/zero >> prog.EXE", folder.Path());
  EXPECT_EQ(program.Extract(folder / "prog.EXE", folder / "out"), -1);
  EXPECT_EQ(program.Codes(), std::vector<int>{7});
}

}  // namespace
}  // namespace engine_test
