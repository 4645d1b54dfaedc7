// Callback orders and failures scripted through the fake 7za.dll.
#include "engine_fixture.h"
#include "fake_library/fake_script.h"
#include "sevenzip/file_system.h"
#include "support/file_util.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace engine_test {
namespace {

std::vector<std::string> notes;
void Note(const char* what) { notes.push_back(what); }

// Loads the fake under the name the component asks for; the component then
// gets this module from its LoadLibraryA("7za.dll").
class FakeLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path = exe;
    path = path.substr(0, path.rfind(L'\\')) + L"\\fake\\7za.dll";
    module_ = LoadLibraryW(path.c_str());
    ASSERT_TRUE(module_);
    set_script_ = reinterpret_cast<FakeSetScriptFunc>(
        reinterpret_cast<void*>(GetProcAddress(module_, "FakeSetScript")));
    ASSERT_TRUE(set_script_);
    notes.clear();
    script.note = Note;
    script.items = items.data();
    script.count = static_cast<UINT32>(items.size());
    testing_support::WriteTextFile(folder / "pack.7z", "7z archive stand-in");
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
    ASSERT_EQ(GetModuleHandleA("7za.dll"), nullptr) << "fake still loaded";
  }
  // A component on the scripted fake; the test's own reference is dropped so
  // that the component's FreeLibrary unloads it.
  std::unique_ptr<RecordingZip> MakeZip() {
    set_script_(&script);
    auto recorder = std::make_unique<RecordingZip>();
    recorder->zip.SZFileName = Wide(folder / "pack.7z");
    recorder->zip.ExtrBaseDir = Wide(folder / "out");
    recorder->zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
    FreeLibrary(module_);
    module_ = nullptr;
    return recorder;
  }

  WorkFolder folder;
  std::vector<FakeItem> items{{L"a.txt", 3, FILE_ATTRIBUTE_ARCHIVE, 0},
                              {L"sub\\b.txt", 4, FILE_ATTRIBUTE_ARCHIVE, 0},
                              {L"c.txt", 5, FILE_ATTRIBUTE_ARCHIVE, 0}};
  FakeScript script;
  HMODULE module_ = nullptr;
  FakeSetScriptFunc set_script_ = nullptr;
};

TEST_F(FakeLibraryTest, DestructionReleasesTheLibraryObjectsBeforeUnloading) {
  auto recorder = MakeZip();
  recorder.reset();
  EXPECT_EQ(notes, (std::vector<std::string>{"release IInArchive", "release IOutArchive",
                                             "release ISetProperties", "unload"}));
}

// A failed item never stays under its name, in either platform mode: the
// older file it was to replace stays, or no file appears.
TEST_F(FakeLibraryTest, EveryOperationResultHasItsCode) {
  struct Case {
    INT32 result;
    int code;
    const char* text;
  };
  for (const Case& c : std::vector<Case>{{1, 4, "Unsupported Method"},
                                         {2, 2, "Data Error"},
                                         {3, 3, "CRC Error"},
                                         {4, 2, "Data Error"},
                                         {5, 2, "Data Error"},
                                         {9, 2, "Data Error"},
                                         {-1, 2, "Data Error"}}) {
    items[1].operation_result = c.result;
    const bool older = c.result % 2 == 1;
    if (older) testing_support::WriteTextFile(folder / "out\\sub\\b.txt", "older");
    auto recorder = MakeZip();
    EXPECT_EQ(recorder->zip.Extract(false), S_FALSE);
    ASSERT_EQ(recorder->Codes(), std::vector<int>{c.code}) << c.result;
    EXPECT_EQ(recorder->messages[0].text, c.text);
    EXPECT_EQ(recorder->messages[0].file, Wide(folder / "out\\sub\\b.txt"));
    // The next item's success clears the code again.
    EXPECT_EQ(recorder->zip.LastResultCode(), 0);
    EXPECT_EQ(recorder->zip.FailedItems(), 1u);
    EXPECT_EQ(testing_support::ReadTextFile(folder / "out\\sub\\b.txt"), older ? "older" : "");
    EXPECT_EQ(ScanTree(Wide(folder / "out\\sub")).size(), older ? 1u : 0u);
    EXPECT_EQ(testing_support::ReadTextFile(folder / "out\\c.txt"), "xxxxx");
    recorder.reset();
    RemoveTreeWide(Wide(folder / "out"));
    SetUp();
  }
}

TEST_F(FakeLibraryTest, JobStopsAfterTheLastSelectedFile) {
  items.push_back({L"d.txt", 6, FILE_ATTRIBUTE_ARCHIVE, 0});
  script.count = static_cast<UINT32>(items.size());
  script.items = items.data();
  auto recorder = MakeZip();
  recorder->zip.Files.Add(L"1");
  recorder->zip.Files.Add(L"0");
  EXPECT_EQ(recorder->zip.Extract(false), S_FALSE);
  EXPECT_EQ(std::count_if(notes.begin(), notes.end(),
                          [](const std::string& n) { return n.rfind("get stream", 0) == 0; }),
            2);
  EXPECT_EQ(recorder->pre_progress, std::vector<std::int64_t>{7});
  EXPECT_EQ(testing_support::ReadTextFile(folder / "out\\sub\\b.txt"), "xxxx");
}

// The library reports a refused item as fine; its refusal stands, and it
// counts as handled for the early end of a selection.
TEST_F(FakeLibraryTest, RefusedItemKeepsItsCodeAndCountsAsHandled) {
  items[1].path = L"..\\evil.txt";
  struct Case {
    std::vector<const wchar_t*> selection;
    HRESULT result;
    int last_code;
    bool later_item_written;
  };
  for (const Case& c : std::vector<Case>{{{L"1"}, S_FALSE, 11, false},
                                         {{L"1", L"2"}, S_FALSE, 0, true},
                                         {{}, S_FALSE, 0, true}}) {
    SCOPED_TRACE(c.selection.size());
    auto recorder = MakeZip();
    for (const wchar_t* index : c.selection) recorder->zip.Files.Add(index);
    EXPECT_EQ(recorder->zip.Extract(false), c.result);
    EXPECT_EQ(recorder->Codes(), std::vector<int>{11});
    EXPECT_EQ(recorder->zip.LastResultCode(), c.last_code);
    EXPECT_EQ(sevenzip::PathExists(Wide(folder / "out\\c.txt")), c.later_item_written);
    EXPECT_FALSE(sevenzip::PathExists(Wide(folder / "evil.txt")));
    recorder.reset();
    RemoveTreeWide(Wide(folder / "out"));
    SetUp();
  }
}

TEST_F(FakeLibraryTest, MissingArchiveHandlerRefusesTheJob) {
  script.no_in_archive = true;
  auto recorder = MakeZip();
  EXPECT_EQ(recorder->zip.Extract(false), -1);
  EXPECT_EQ(recorder->Codes(), std::vector<int>{1});
}

TEST_F(FakeLibraryTest, FailedOpenFreesTheReaderOnce) {
  script.open_result = E_FAIL;
  script.keep_stream_after_failed_open = true;
  auto recorder = MakeZip();
  EXPECT_EQ(recorder->zip.Extract(false), -1);
  EXPECT_EQ(recorder->Codes(), std::vector<int>{2});  // the file is there, but no archive
  EXPECT_EQ(std::count(notes.begin(), notes.end(), "stream freed"), 1);
  script.open_result = S_OK;
  set_script_ = nullptr;
}

// The file functions of both platform modes: UTF-16 on NT, the ANSI code
// page on Windows 9x (where only files, not folders, count as existing).
// The names are non-ASCII but within code page 1252, which the tests use.
TEST_F(FakeLibraryTest, WritesItemsInEitherPlatformMode) {
  items = {{L"Gr\u00f6\u00dfe\\\u00dcbersicht.txt", 3, FILE_ATTRIBUTE_ARCHIVE, 0},
           {L"empty", 0, FILE_ATTRIBUTE_DIRECTORY, 0},
           {L"deep\\er\\a.txt", 2, FILE_ATTRIBUTE_READONLY, 0}};
  script.items = items.data();
  script.count = static_cast<UINT32>(items.size());
  auto recorder = MakeZip();
  recorder->zip.ExtractOptions = ExtractOpts{};
  RecordProperty("wide_mode", sevenzip::WideMode() ? 1 : 0);
  EXPECT_EQ(recorder->zip.Extract(false), 0);
  const Tree tree = ScanTree(Wide(folder / "out"));
  EXPECT_EQ(tree.at(L"Gr\u00f6\u00dfe\\\u00dcbersicht.txt").content, "xxx");
  EXPECT_TRUE(tree.at(L"empty").folder);
  EXPECT_EQ(tree.at(L"deep\\er\\a.txt").content, "xx");
  EXPECT_NE(tree.at(L"deep\\er\\a.txt").attributes & FILE_ATTRIBUTE_READONLY, 0u);

  EXPECT_EQ(recorder->zip.Extract(false), 0);
  EXPECT_EQ(recorder->overwrite_asks.size(), sevenzip::WideMode() ? 3u : 2u);
  EXPECT_TRUE(recorder->messages.empty());
}

// Names outside the ANSI code page (1252 here): written exactly in wide mode.
// In the 9x mode (forced here on any system) the ANSI functions would create
// a best-fit name ("\uFF0E\uFF0E\uFF3C" becomes "..\", "\uFF2E\uFF35\uFF2C" the
// device NUL): each is refused with code 11 and the job goes on.
TEST_F(FakeLibraryTest, NamesOutsideTheCodePageAreExactOnNtAndRefusedOn9x) {
  const std::vector<std::wstring> foreign = {
      L"\u65E5\u672C\u8A9E\\\u30C9\u30E9\u30A4\u30D0.inf",
      L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC.sys",
      L"\u041A\u0438\u0440\u0438\u043B\u043B\u0438\u0446\u0430.cat",
      L"\uFF0E\uFF0E\uFF3C\uFF0E\uFF0E\uFF3Cescaped.inf", L"\uFF2E\uFF35\uFF2C"};
  items.clear();
  for (const std::wstring& name : foreign) {
    items.push_back({name.c_str(), 3, FILE_ATTRIBUTE_ARCHIVE, 0});
  }
  items.push_back({L"plain.txt", 2, FILE_ATTRIBUTE_ARCHIVE, 0});
  const bool platform_wide = sevenzip::PlatformIsWide();
  for (const bool wide : {true, false}) {
    SCOPED_TRACE(wide ? "wide mode" : "9x mode");
    if (wide && !platform_wide) continue;
    script.items = items.data();
    script.count = static_cast<UINT32>(items.size());
    auto recorder = MakeZip();
    sevenzip::SetWideMode(wide);
    // The job's result agrees with its refusals.
    EXPECT_EQ(recorder->zip.Extract(false) != 0, !wide);
    EXPECT_EQ(recorder->Codes(), wide ? std::vector<int>{} : std::vector<int>(foreign.size(), 11));
    recorder.reset();
    sevenzip::SetWideMode(platform_wide);
    const Tree tree = ScanTree(Wide(folder / "out"));
    EXPECT_EQ(tree.at(L"plain.txt").content, "xx");
    std::size_t files = 0;
    for (const auto& [name, entry] : tree) files += entry.folder ? 0 : 1;
    if (wide) {
      for (const std::wstring& name : foreign)
        EXPECT_EQ(tree.at(name).content, "xxx") << Utf8(name);
      EXPECT_EQ(files, foreign.size() + 1);
    } else {
      EXPECT_EQ(files, 1u);
    }
    // Nothing beside the base folder.
    for (const auto& [name, entry] : ScanTree(Wide(folder.Path()))) {
      EXPECT_TRUE(name == L"pack.7z" || name.rfind(L"out", 0) == 0) << Utf8(name);
    }
    RemoveTreeWide(Wide(folder / "out"));
    SetUp();
  }
}

TEST_F(FakeLibraryTest, CallbacksFromAnotherThreadRaiseEventsOnTheCallingThread) {
  script.call_back_from_other_thread = true;
  auto recorder = MakeZip();
  recorder->zip.OnSetExtractName = [&](TComponent*, std::uint32_t, std::wstring&) {
    recorder->event_threads.push_back(GetCurrentThreadId());
  };
  EXPECT_EQ(recorder->zip.Extract(false), 0);
  const DWORD self = GetCurrentThreadId();
  EXPECT_GE(recorder->event_threads.size(), 9u);
  EXPECT_TRUE(std::all_of(recorder->event_threads.begin(), recorder->event_threads.end(),
                          [self](DWORD thread) { return thread == self; }));
  EXPECT_EQ(testing_support::ReadTextFile(folder / "out\\c.txt"), "xxxxx");
}

}  // namespace
}  // namespace engine_test
