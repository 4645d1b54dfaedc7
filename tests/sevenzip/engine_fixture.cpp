#include "engine_fixture.h"

#include "support/file_util.h"
#include "support/host_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace engine_test {

using testing_support::RunHostCommand;
using testing_support::UnixPath;

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(),
                      length);
  return result;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, result.data(), length, nullptr, nullptr);
  return result;
}

void Shell(const std::string& script, const std::string& folder) {
  const auto result = RunHostCommand({"sh", "-c", script}, folder);
  ASSERT_EQ(result.exit_code, 0) << script << "\n" << result.output;
}

void Make7z(const std::vector<std::string>& arguments, const std::string& folder) {
  // 7zz reads file names by the locale: UTF-8 keeps non-ASCII names intact.
  std::vector<std::string> argv{"env", "LC_ALL=C.UTF-8", "7zz", "a", "-bd", "-y"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const auto result = RunHostCommand(argv, folder);
  ASSERT_EQ(result.exit_code, 0) << result.output;
}

int RunReference7z(const std::wstring& arguments, const std::string& folder) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path = exe;
  path = path.substr(0, path.rfind(L'\\'));
  path = path.substr(0, path.rfind(L'\\')) + L"\\ref\\7z.exe";
  std::wstring command = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const std::wstring directory = Wide(folder);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      directory.c_str(), &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, 120000);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

std::string SfxModuleFolder() {
  const char* source = std::getenv("PROJECT_SOURCE_DIR");
  std::string folder =
      std::string("Z:") + (source ? source : "") + "/build/deps/7zip-sfx/package/7zip-lite";
  for (char& c : folder) {
    if (c == '/') c = '\\';
  }
  return folder;
}

void MakeSourceTree(const std::string& folder, int big_megabytes) {
  // Seeded awk output: the same bytes on every run.
  const std::string script =
      "set -e; export LC_ALL=C; mkdir -p src/drivers/x86 src/drivers/x64 'src/Документы' "
      "src/empty_dir src/deep/a/b/c/d\n"
      "printf '[Version]\\r\\nSignature=\"$Windows NT$\"\\r\\n' > src/readme.txt\n"
      ": > src/empty.txt\n"
      "seq 1 20000 > src/drivers/x86/net.inf\n"
      "awk 'BEGIN{srand(7); for(i=0;i<60000;i++) printf \"%c\", int(rand()*256)}' > "
      "src/drivers/x86/net.sys\n"
      "printf 'сеть' > 'src/drivers/x64/Сеть.inf'\n"
      "printf 'отчёт за год' > 'src/Документы/отчёт.txt'\n"
      "printf 'deep' > src/deep/a/b/c/d/file.dat\n"
      "printf 'read only' > src/ro.txt; chmod 444 src/ro.txt\n"
      "touch -d '2021-06-15 10:20:31' src/readme.txt\n"
      "{ seq 1 " +
      std::to_string(big_megabytes * 60000) + "; awk 'BEGIN{srand(11); for(i=0;i<" +
      std::to_string(big_megabytes * 400000) +
      ";i++) printf \"%c\", int(rand()*256)}'; } > src/big.bin\n";
  Shell(script, folder);
}

RecordingZip::RecordingZip() {
  auto note_thread = [this] { event_threads.push_back(GetCurrentThreadId()); };
  zip.OnMessage = [this, note_thread](TComponent*, int code, const std::string& text,
                                      const std::wstring& file) {
    note_thread();
    messages.push_back({code, text, file, zip.MessageReason()});
  };
  zip.OnNote = [this, note_thread](TComponent*, const std::string& note, const std::wstring& file) {
    note_thread();
    notes.emplace_back(note, file);
  };
  zip.OnExtractOverwrite = [this, note_thread](TComponent*, const std::wstring& file,
                                               bool& overwrite) {
    note_thread();
    overwrite_asks.push_back(file);
    overwrite = answer_overwrite;
  };
  zip.OnPreProgress = [this, note_thread](TComponent*, std::int64_t total) {
    note_thread();
    pre_progress.push_back(total);
  };
  zip.OnExtractfile = [this, note_thread](TComponent*, const std::wstring& file, std::int64_t) {
    note_thread();
    extracted.push_back(file);
  };
  zip.OnProgress = [this, note_thread](TComponent*, const std::wstring&, std::int64_t arc,
                                       std::int64_t) {
    note_thread();
    ++progress_events;
    last_arc_position = arc;
  };
}

int RecordingZip::Extract(const std::string& archive, const std::string& target, bool test_mode) {
  zip.SZFileName = Wide(archive);
  zip.ExtrBaseDir = Wide(target);
  return zip.Extract(test_mode);
}

std::vector<int> RecordingZip::Codes() const {
  std::vector<int> codes;
  for (const Message& message : messages) codes.push_back(message.code);
  return codes;
}

namespace {

std::string ReadWide(const std::wstring& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
  std::string content;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    content.append(buffer, read);
  CloseHandle(file);
  return content;
}

void Scan(const std::wstring& root, const std::wstring& relative, Tree& tree) {
  WIN32_FIND_DATAW found;
  const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
    Entry entry;
    entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.attributes = found.dwFileAttributes;
    entry.write_time = found.ftLastWriteTime;
    if (!entry.folder) entry.content = ReadWide(root + L"\\" + path);
    tree[path] = entry;
    if (entry.folder) Scan(root, path, tree);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

Tree ScanTree(const std::wstring& root) {
  Tree tree;
  Scan(root, L"", tree);
  return tree;
}

void ExpectSameTree(const std::string& expected_folder, const std::string& actual_folder) {
  const Tree expected = ScanTree(Wide(expected_folder));
  const Tree actual = ScanTree(Wide(actual_folder));
  ASSERT_FALSE(expected.empty());
  std::vector<std::wstring> expected_names, actual_names;
  for (const auto& [name, entry] : expected) expected_names.push_back(name);
  for (const auto& [name, entry] : actual) actual_names.push_back(name);
  ASSERT_EQ(actual_names, expected_names);
  for (const auto& [name, want] : expected) {
    const Entry& got = actual.at(name);
    SCOPED_TRACE(Utf8(name));
    EXPECT_EQ(got.folder, want.folder);
    EXPECT_EQ(got.content, want.content);
    EXPECT_EQ(got.attributes & FILE_ATTRIBUTE_READONLY, want.attributes & FILE_ATTRIBUTE_READONLY);
    if (!want.folder) {
      // Two-second steps of the DOS format, taken after rounding to the
      // millisecond: at most half a millisecond later, less than 2 s earlier.
      const double early = SecondsBetween(got.write_time, want.write_time);
      EXPECT_GE(early, -0.0005);
      EXPECT_LT(early, 2.0);
    }
  }
}

void RemoveTreeWide(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(path.c_str());
    return;
  }
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") RemoveTreeWide(path + L"\\" + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

bool RealLibraryLoads() {
  static const bool loads = [] {
    const HMODULE module = LoadLibraryA("7za.dll");
    if (!module) return false;
    FreeLibrary(module);
    return true;
  }();
  return loads;
}

void RealLibraryTest::SetUp() {
  if (!RealLibraryLoads()) GTEST_SKIP() << "7za.dll does not load on this platform";
}

std::wstring ExeFolder() {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring path = exe;
  return path.substr(0, path.rfind(L'\\'));
}

ScopedLibrary::ScopedLibrary(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}

ScopedLibrary::~ScopedLibrary() { Release(); }

void ScopedLibrary::Release() {
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
}

ScopedFakeLibrary::ScopedFakeLibrary() : ScopedLibrary(ExeFolder() + L"\\fake\\7za.dll") {}

WorkFolder::~WorkFolder() { RemoveTreeWide(Wide(temp_.Path())); }

double SecondsBetween(const FILETIME& a, const FILETIME& b) {
  const auto ticks = [](const FILETIME& t) {
    return static_cast<double>(static_cast<std::uint64_t>(t.dwHighDateTime) << 32 |
                               t.dwLowDateTime);
  };
  return (ticks(b) - ticks(a)) / 1e7;
}

}  // namespace engine_test
