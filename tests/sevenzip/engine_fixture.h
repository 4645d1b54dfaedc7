#pragma once

// Helpers of the engine tests: archives made at test time, a component with
// every event recorded, and snapshots of extracted folder trees.

#include "sevenzip/SevenZipVCL.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace engine_test {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// Tests that need the real 7-Zip library. It refuses to load on Windows 9x
// (its DllMain fails there), so under Wine's win98 version they are skipped
// and the 9x file functions are covered through the fake library.
class RealLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override;
};
bool RealLibraryLoads();

// A 7za.dll loaded from `path` for the life of the object: the component's
// LoadLibraryA("7za.dll") then gets it, whatever lies beside the tests.
class ScopedLibrary {
 public:
  explicit ScopedLibrary(const std::wstring& path);
  ~ScopedLibrary();
  ScopedLibrary(const ScopedLibrary&) = delete;
  ScopedLibrary& operator=(const ScopedLibrary&) = delete;
  HMODULE Module() const { return module_; }
  // Hands the reference to whoever loaded it next (the component).
  void Release();

 private:
  HMODULE module_;
};

// The fake 7za.dll (bin\fake).
class ScopedFakeLibrary : public ScopedLibrary {
 public:
  ScopedFakeLibrary();
};
std::wstring ExeFolder();

// A fresh temporary folder, removed with its wide-named contents.
class WorkFolder {
 public:
  ~WorkFolder();
  const std::string& Path() const { return temp_.Path(); }
  std::string operator/(const std::string& relative) const { return temp_ / relative; }

 private:
  testing_support::TempFolder temp_;
};

// Runs a shell script on the host inside `folder` (a Windows path); fails the
// test on a non-zero exit.
void Shell(const std::string& script, const std::string& folder);
// Runs Debian's 7zz a (add) inside `folder`; fails the test on a non-zero exit.
void Make7z(const std::vector<std::string>& arguments, const std::string& folder);
// The Windows 7-Zip beside the build (ref\7z.exe); its exit code.
int RunReference7z(const std::wstring& arguments, const std::string& folder);
// Folder of the self-extractor modules (7z.sfx, 7zCon.sfx).
std::string SfxModuleFolder();

// Writes a source tree under folder\src: nested folders, empty file and
// folder, Cyrillic names, a read-only file, compressible and random data.
void MakeSourceTree(const std::string& folder, int big_megabytes = 3);

struct Message {
  int code;
  std::string text;
  std::wstring file;
  std::string reason;  // MessageReason() inside the handler
};

// A component whose every event is recorded with the thread that raised it.
class RecordingZip {
 public:
  RecordingZip();

  TSevenZip zip{nullptr};
  std::vector<Message> messages;
  std::vector<std::pair<std::string, std::wstring>> notes;  // OnNote
  std::vector<std::wstring> overwrite_asks;
  std::vector<std::int64_t> pre_progress;
  std::vector<std::wstring> extracted;  // OnExtractfile names
  int progress_events = 0;
  std::int64_t last_arc_position = 0;
  std::vector<DWORD> event_threads;
  bool answer_overwrite = false;

  int Extract(const std::string& archive, const std::string& target, bool test_mode = false);
  std::vector<int> Codes() const;
};

struct Entry {
  bool folder = false;
  std::string content;
  DWORD attributes = 0;
  FILETIME write_time{};
};
using Tree = std::map<std::wstring, Entry>;

// Everything under `root`, by path relative to it.
Tree ScanTree(const std::wstring& root);
// The tree under `actual` holds what `expected` holds: the same names,
// kinds, contents and read-only flags, file times in the same two-second step.
void ExpectSameTree(const std::string& expected, const std::string& actual);
// Removes a tree with wide names, read-only entries included.
void RemoveTreeWide(const std::wstring& path);
// Seconds from a to b.
double SecondsBetween(const FILETIME& a, const FILETIME& b);

}  // namespace engine_test
