// The extraction job's rules against the real library: selection, options,
// overwrite, renaming, item times and paths, passwords, cancel, threads.
#include "engine_fixture.h"
#include "sevenzip/file_system.h"
#include "support/file_util.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <algorithm>

namespace engine_test {
namespace {

using ExtractFoldersTest = RealLibraryTest;
using ExtractOptionsTest = RealLibraryTest;
using ExtractPasswordTest = RealLibraryTest;
using ExtractPathsTest = RealLibraryTest;
using ExtractThreadsTest = RealLibraryTest;
using ExtractTimesTest = RealLibraryTest;

using testing_support::ReadTextFile;
using testing_support::WriteTextFile;

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Three items in a known order: 1.txt (1 byte), 2.txt (22), 3.txt (333).
class ThreeItemsTest : public RealLibraryTest {
 protected:
  void SetUp() override {
    RealLibraryTest::SetUp();
    if (IsSkipped()) return;
    Shell(
        "printf 1 > 1.txt; head -c 22 /dev/zero | tr '\\0' 2 > 2.txt; head -c 333 /dev/zero | tr "
        "'\\0' 3 > 3.txt",
        folder.Path());
    Make7z({"-ms=off", "pack.7z", "1.txt", "2.txt", "3.txt"}, folder.Path());
  }
  WorkFolder folder;
};

TEST_F(ThreeItemsTest, SelectsItemsByIndexOrByNameInAnyCase) {
  RecordingZip recorder;
  struct Case {
    std::vector<std::wstring> files;
    std::vector<std::string> extracted;
    std::int64_t announced;
  };
  for (const Case& c : std::vector<Case>{{{L"0", L"2"}, {"1.txt", "3.txt"}, 334},
                                         {{L"2", L"0"}, {"1.txt", "3.txt"}, 334},
                                         {{L"2.TXT"}, {"2.txt"}, 22},
                                         {{L"0x1"}, {"2.txt"}, 22}}) {
    RecordingZip job;
    for (const std::wstring& file : c.files) job.zip.Files.Add(file);
    const std::string out = folder / "out";
    EXPECT_GE(job.Extract(folder / "pack.7z", out), 0);
    std::vector<std::string> found;
    for (const auto& [name, entry] : ScanTree(Wide(out))) found.push_back(Utf8(name));
    EXPECT_EQ(found, c.extracted) << Utf8(c.files.front());
    EXPECT_EQ(job.pre_progress, std::vector<std::int64_t>{c.announced});
    EXPECT_TRUE(job.messages.empty());
    RemoveTreeWide(Wide(out));
  }
}

TEST_F(ThreeItemsTest, UnknownSelectionStopsBeforeWriting) {
  RecordingZip recorder;
  for (const wchar_t* selection : {L"3", L"-1", L"4.txt", L""}) {
    RecordingZip job;
    job.zip.Files.Add(L"0");
    job.zip.Files.Add(selection);
    EXPECT_EQ(job.Extract(folder / "pack.7z", folder / "out"), -1);
    ASSERT_EQ(job.messages.size(), 1u);
    EXPECT_EQ(job.messages[0].code, 5);
    EXPECT_EQ(job.messages[0].text, "Index out of Range");
    EXPECT_EQ(job.messages[0].file, L"");
    EXPECT_EQ(job.zip.LastResultCode(), 5);
    EXPECT_FALSE(Exists(folder / "out"));
  }
}

TEST_F(ThreeItemsTest, AllItemsAnnounceTheLibrarysTotalOnce) {
  RecordingZip recorder;
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  EXPECT_EQ(recorder.pre_progress, std::vector<std::int64_t>{356});
  EXPECT_EQ(recorder.last_arc_position, 356);
  EXPECT_EQ(ReadTextFile(folder / "out\\3.txt"), std::string(333, '3'));
  EXPECT_EQ(recorder.zip.LastResultCode(), 0);
}

TEST_F(ThreeItemsTest, BaseFolderWithOrWithoutBackslashGivesTheSamePaths) {
  RecordingZip recorder;
  RecordingZip with_slash;
  with_slash.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  EXPECT_EQ(with_slash.Extract(folder / "pack.7z", folder / "out\\"), 0);
  RecordingZip without;
  without.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  EXPECT_EQ(without.Extract(folder / "pack.7z", folder / "out"), 0);
  EXPECT_EQ(with_slash.extracted, without.extracted);
  ASSERT_FALSE(without.extracted.empty());
  EXPECT_EQ(without.extracted.back(), Wide(folder / "out\\3.txt"));
}

TEST_F(ThreeItemsTest, EmptyBaseFolderExtractsIntoTheCurrentFolder) {
  RecordingZip recorder;
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  testing_support::MakeFolders(folder / "here");
  SetCurrentDirectoryA((folder / "here").c_str());
  const int result = recorder.Extract(folder / "pack.7z", "");
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadTextFile(folder / "here\\2.txt"), std::string(22, '2'));
}

TEST_F(ThreeItemsTest, ExistingFilesAreKeptUnlessTheHostAgrees) {
  RecordingZip recorder;
  WriteTextFile(folder / "out\\1.txt", "old");
  WriteTextFile(folder / "out\\2.txt", "old");
  recorder.zip.OnExtractOverwrite = [&](TComponent*, const std::wstring& file, bool& overwrite) {
    recorder.overwrite_asks.push_back(file);
    overwrite = file.back() == L't' && file[file.size() - 5] == L'2';
  };
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  EXPECT_EQ(recorder.overwrite_asks,
            (std::vector<std::wstring>{Wide(folder / "out\\1.txt"), Wide(folder / "out\\2.txt")}));
  EXPECT_EQ(ReadTextFile(folder / "out\\1.txt"), "old");
  EXPECT_EQ(ReadTextFile(folder / "out\\2.txt"), std::string(22, '2'));
  EXPECT_TRUE(recorder.messages.empty());

  RecordingZip without_handler;
  WriteTextFile(folder / "out2\\3.txt", "old");
  EXPECT_EQ(without_handler.Extract(folder / "pack.7z", folder / "out2"), 0);
  EXPECT_EQ(ReadTextFile(folder / "out2\\3.txt"), "old");
}

// A target that cannot be created (here a folder of that name; on Windows
// also a read-only file, which Wine lets root replace) stops the job.
TEST_F(ThreeItemsTest, UncreatableTargetStopsTheJobWithItsPath) {
  RecordingZip recorder;
  testing_support::MakeFolders(folder / "out\\2.txt");
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  EXPECT_NE(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  ASSERT_EQ(recorder.Codes(), std::vector<int>{11});
  EXPECT_EQ(recorder.messages[0].text, "Could not create file");
  EXPECT_EQ(recorder.messages[0].file, Wide(folder / "out\\2.txt"));
  EXPECT_EQ(ReadTextFile(folder / "out\\1.txt"), "1");
  EXPECT_FALSE(Exists(folder / "out\\3.txt"));
}

// A base folder that is no path ends the job before the archive is opened;
// "C:C:" once sent folder creation climbing to itself until the stack ran out.
TEST_F(ThreeItemsTest, MalformedBaseFolderEndsTheJobWithItsText) {
  for (const std::string& base :
       std::vector<std::string>{"C:C:", "C:C:\\x", folder.Path() + "\\a|b"}) {
    RecordingZip recorder;
    EXPECT_EQ(recorder.Extract(folder / "pack.7z", base), -1) << base;
    ASSERT_EQ(recorder.Codes(), std::vector<int>{11}) << base;
    EXPECT_EQ(recorder.messages[0].file, Wide(base));
  }
}

// "\\?\" base folders whose root nothing can create: the missing folders
// below it are made, and no climb goes past the root.
TEST_F(ThreeItemsTest, VerbatimBaseFolderIsCreatedBelowItsRoot) {
  const std::string base = "\\\\?\\" + folder.Path() + "\\new\\deep";
  RecordingZip recorder;
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", base), 0);
  EXPECT_EQ(recorder.Codes(), std::vector<int>{});
  EXPECT_EQ(ReadTextFile(folder / "new\\deep\\3.txt"), std::string(333, '3'));
  EXPECT_TRUE(sevenzip::ForceFolders(L"\\\\?\\" + Wide(folder.Path()) + L"\\x\\y", 0));
  EXPECT_TRUE(Exists(folder / "x\\y"));
  EXPECT_FALSE(sevenzip::ForceFolders(L"C:C:\\x", 0));
}

TEST_F(ThreeItemsTest, RenamedPathsAreUsedButFailuresNameTheOriginal) {
  RecordingZip recorder;
  recorder.zip.OnSetExtractName = [&](TComponent*, std::uint32_t index, std::wstring& path) {
    path = index == 2 ? Wide(folder / "renamed\\0\\x")
                      : Wide(folder / "renamed\\") + std::to_wstring(index);
  };
  EXPECT_NE(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  EXPECT_EQ(ReadTextFile(folder / "renamed\\0"), "1");
  EXPECT_EQ(ReadTextFile(folder / "renamed\\1"), std::string(22, '2'));
  ASSERT_EQ(recorder.Codes(), std::vector<int>{11});
  EXPECT_EQ(recorder.messages[0].file, Wide(folder / "out\\3.txt"));
}

TEST_F(ThreeItemsTest, CancelStopsAtTheNextProgressReport) {
  RecordingZip recorder;
  recorder.zip.OnExtractfile = [&](TComponent* sender, const std::wstring&, std::int64_t) {
    static_cast<TSevenZip*>(sender)->Cancel();
  };
  EXPECT_NE(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  ASSERT_FALSE(recorder.messages.empty());
  EXPECT_EQ(recorder.messages[0].code, 6);
  EXPECT_EQ(recorder.messages[0].text, "User canceled operation");
  EXPECT_FALSE(recorder.zip.CancelRequested());
  EXPECT_FALSE(Exists(folder / "out\\3.txt"));
}

TEST_F(ThreeItemsTest, HandlerExceptionEndsTheJobAndReachesTheCaller) {
  RecordingZip recorder;
  recorder.zip.OnProgress = [](TComponent*, const std::wstring&, std::int64_t, std::int64_t) {
    throw std::runtime_error("handler failed");
  };
  EXPECT_THROW(recorder.Extract(folder / "pack.7z", folder / "out"), std::runtime_error);
  recorder.zip.OnProgress = nullptr;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
}

TEST_F(ThreeItemsTest, TestModeWritesNothing) {
  RecordingZip recorder;
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", folder / "out", true), 0);
  EXPECT_FALSE(Exists(folder / "out"));
  EXPECT_EQ(recorder.extracted.empty() ? std::wstring() : recorder.extracted.back(), L"3.txt");
}

TEST_F(ExtractOptionsTest, NoPathPutsItemsIntoTheBaseFolder) {
  WorkFolder folder;
  Shell("mkdir a c && printf first > a/b.txt && printf second > c/b.txt", folder.Path());
  Make7z({"pack.7z", "a", "c"}, folder.Path());
  RecordingZip recorder;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractNoPath};
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  EXPECT_EQ(recorder.overwrite_asks, std::vector<std::wstring>{Wide(folder / "out\\b.txt")});
  EXPECT_EQ(ReadTextFile(folder / "out\\b.txt"), "first");
  EXPECT_FALSE(Exists(folder / "out\\a\\b.txt"));
}

TEST_F(ExtractFoldersTest, ExistingFolderKeepsItsAttributes) {
  WorkFolder folder;
  Shell("mkdir -p d/empty && printf x > d/f.txt", folder.Path());
  Make7z({"pack.7z", "d"}, folder.Path());
  testing_support::MakeFolders(folder / "out\\d\\empty");
  SetFileAttributesA((folder / "out\\d\\empty").c_str(),
                     FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  RecordingZip recorder;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  EXPECT_NE(GetFileAttributesA((folder / "out\\d\\empty").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(ReadTextFile(folder / "out\\d\\f.txt"), "x");
}

// Items whose time no DOS date holds, or that have none, still extract.
TEST_F(ExtractTimesTest, ItemTimesAreSetWhenADosDateHoldsThem) {
  WorkFolder folder;
  Shell(
      "printf a > old.txt && touch -d '1979-12-31 23:00:00' old.txt && "
      "printf b > first.txt && touch -d '1980-01-01 12:00:01' first.txt && "
      "printf c > late.txt && touch -d '2110-05-01 00:00:00' late.txt && "
      "printf d > last.txt && touch -d '2107-12-31 23:59:58' last.txt",
      folder.Path());
  Make7z({"pack.7z", "old.txt", "first.txt", "late.txt", "last.txt"}, folder.Path());
  Make7z({"-mtm-", "notimes.7z", "old.txt", "first.txt"}, folder.Path());
  FILETIME before;
  GetSystemTimeAsFileTime(&before);

  RecordingZip recorder;
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  EXPECT_TRUE(recorder.messages.empty());
  const Tree tree = ScanTree(Wide(folder / "out"));
  SYSTEMTIME first;
  FileTimeToSystemTime(&tree.at(L"first.txt").write_time, &first);
  EXPECT_EQ(first.wYear, 1980);
  EXPECT_EQ(first.wHour, 12);
  EXPECT_EQ(first.wSecond, 0);  // the odd second is dropped
  SYSTEMTIME last;
  FileTimeToSystemTime(&tree.at(L"last.txt").write_time, &last);
  EXPECT_EQ(last.wYear, 2107);
  EXPECT_EQ(last.wSecond, 58);
  for (const wchar_t* name : {L"old.txt", L"late.txt"}) {
    EXPECT_GE(SecondsBetween(before, tree.at(name).write_time), -2.0)
        << Utf8(name);  // left as created
  }
  EXPECT_EQ(tree.at(L"old.txt").content, "a");

  RecordingZip no_times;
  EXPECT_EQ(no_times.Extract(folder / "notimes.7z", folder / "out2"), 0);
  EXPECT_TRUE(no_times.messages.empty());
  EXPECT_EQ(ReadTextFile(folder / "out2\\first.txt"), "b");
}

// Stored paths that would leave the base folder are refused, item by item.
TEST_F(ExtractPathsTest, ItemsNeverLeaveTheBaseFolder) {
  WorkFolder folder;
  Shell(
      "mkdir -p work/in && printf in > work/in/ok.txt && printf up > up.txt && printf abs > "
      "abs.txt",
      folder.Path());
  Make7z({"-spf", "../evil.7z", "in/ok.txt", "../up.txt",
          (testing_support::UnixPath(folder / "abs.txt"))},
         folder / "work");
  RecordingZip recorder;
  const int result = recorder.Extract(folder / "evil.7z", folder / "base\\out");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadTextFile(folder / "base\\out\\in\\ok.txt"), "in");
  EXPECT_EQ(recorder.Codes(), (std::vector<int>{11, 11}));
  for (const Message& message : recorder.messages) {
    EXPECT_EQ(message.text, "Could not create file");
    EXPECT_EQ(message.file.rfind(Wide(folder / "base\\out\\"), 0), 0u) << Utf8(message.file);
  }
  EXPECT_FALSE(Exists(folder / "base\\up.txt"));
  const Tree outside = ScanTree(Wide(folder / "base"));
  for (const auto& [name, entry] : outside) EXPECT_EQ(name.rfind(L"out", 0), 0u) << Utf8(name);
}

// Names Windows takes as devices are refused like paths that leave the base
// folder; the items after them still extract. Selecting only refused items
// ends the job on their refusal.
TEST_F(ExtractPathsTest, DeviceNamesAreRefusedItemByItem) {
  WorkFolder folder;
  const std::vector<std::string> devices = {"AUX",      "COM1",  "CONOUT$",
                                            "LPT1.txt", "NUL",   "con.txt",
                                            "nul.txt",  "prn. ", "lpt2.log/inner.txt"};
  std::string script = "mkdir -p d/lpt2.log && printf after > d/zafter.txt";
  for (const std::string& device : devices) script += " && printf data > 'd/" + device + "'";
  Shell(script, folder.Path());
  Make7z({"-ms=off", "pack.7z", "d"}, folder.Path());
  RecordingZip recorder;
  const int result = recorder.Extract(folder / "pack.7z", folder / "out");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadTextFile(folder / "out\\d\\zafter.txt"), "after");
  std::vector<std::wstring> refused;
  for (const Message& message : recorder.messages) {
    EXPECT_EQ(message.code, 11) << message.text;
    refused.push_back(message.file);
  }
  // The folder lpt2.log is an item of its own.
  std::vector<std::wstring> expected = {Wide(folder / "out\\d\\lpt2.log")};
  for (std::string device : devices) {
    std::replace(device.begin(), device.end(), '/', '\\');
    expected.push_back(Wide(folder / ("out\\d\\" + device)));
  }
  std::sort(refused.begin(), refused.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(refused, expected);
  EXPECT_EQ(recorder.zip.LastResultCode(), 0);

  RecordingZip only_refused;
  only_refused.zip.Files.Add(L"d\\nul.txt");
  EXPECT_NE(only_refused.Extract(folder / "pack.7z", folder / "out2"), -1);
  EXPECT_EQ(only_refused.Codes(), std::vector<int>{11});
  EXPECT_EQ(only_refused.zip.LastResultCode(), 11);
}

TEST_F(ExtractPasswordTest, PasswordDecidesBetweenDataAndFailure) {
  WorkFolder folder;
  Shell("printf secret > s.txt", folder.Path());
  Make7z({"-psesame", "data.7z", "s.txt"}, folder.Path());
  Make7z({"-psesame", "-mhe=on", "headers.7z", "s.txt"}, folder.Path());
  struct Case {
    const char* archive;
    const wchar_t* password;
    bool extracts;
    int code;
  };
  for (const Case& c : std::vector<Case>{{"data.7z", L"sesame", true, 0},
                                         {"headers.7z", L"sesame", true, 0},
                                         {"data.7z", L"wrong", false, 2},
                                         {"data.7z", L"", false, 2},
                                         {"headers.7z", L"wrong", false, 1},
                                         {"headers.7z", L"", false, 1}}) {
    SCOPED_TRACE(std::string(c.archive) + " " + Utf8(c.password));
    RecordingZip recorder;
    recorder.zip.Password = c.password;
    recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
    const int result = recorder.Extract(folder / c.archive, folder / "out");
    EXPECT_EQ(recorder.zip.LastResultCode(), c.code);
    if (c.extracts) {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(ReadTextFile(folder / "out\\s.txt"), "secret");
    } else {
      EXPECT_FALSE(recorder.messages.empty());
    }
    RemoveTreeWide(Wide(folder / "out"));
  }
}

int ThreadsOfThisProcess() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  int count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return count;
}

// The library's multi-threaded decoder crashes on some damaged multi-chunk
// streams, so even an archive packed for parallel decoding is decoded by the
// one worker that runs the job: no thread starts once decoding has begun.
TEST_F(ExtractThreadsTest, DecodesAMultiChunkArchiveOnOneThread) {
  WorkFolder folder;
  MakeSourceTree(folder.Path(), 6);
  Make7z({"-m0=lzma2:d=256k:c=256k", "-mmt=4", "pack.7z", "src"}, folder.Path());
  RecordingZip recorder;
  int at_start = -1;
  int most = -1;
  recorder.zip.OnPreProgress = [&](TComponent*, std::int64_t) {
    at_start = ThreadsOfThisProcess();
  };
  recorder.zip.OnProgress = [&](TComponent*, const std::wstring&, std::int64_t, std::int64_t) {
    most = std::max(most, ThreadsOfThisProcess());
  };
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  ASSERT_GT(at_start, 0);
  EXPECT_EQ(most, at_start);
  EXPECT_TRUE(ReadTextFile(folder / "out\\src\\big.bin") == ReadTextFile(folder / "src\\big.bin"));
}

// Events arrive on the calling thread, which keeps its windows alive: a
// handler can talk to a window of that thread while the library decodes on
// its worker.
TEST_F(ExtractThreadsTest, EveryEventRunsOnTheCallingThreadWhileTheWorkerDecodes) {
  WorkFolder folder;
  MakeSourceTree(folder.Path(), 6);
  Make7z({"-m0=lzma2:d=256k:c=1m", "-mmt=4", "pack.7z", "src"}, folder.Path());
  const HWND window =
      CreateWindowW(L"STATIC", L"engine test", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  RecordingZip recorder;
  int answered = 0;
  recorder.zip.OnProgress = [&](TComponent*, const std::wstring&, std::int64_t, std::int64_t) {
    recorder.event_threads.push_back(GetCurrentThreadId());
    DWORD_PTR reply = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 2000, &reply) &&
        reply == 11)
      ++answered;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  };
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", folder / "out"), 0);
  DestroyWindow(window);
  const DWORD self = GetCurrentThreadId();
  ASSERT_GT(recorder.event_threads.size(), 5u);
  EXPECT_EQ(std::count(recorder.event_threads.begin(), recorder.event_threads.end(), self),
            static_cast<long>(recorder.event_threads.size()));
  EXPECT_GT(answered, 0);
  EXPECT_TRUE(ReadTextFile(folder / "out\\src\\big.bin") == ReadTextFile(folder / "src\\big.bin"));
}

}  // namespace
}  // namespace engine_test
