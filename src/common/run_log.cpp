#include <windows.h>

#include "common/run_log.h"

#include "common/env_expand.h"
#include "common/file_replace.h"
#include "common/paths.h"
#include "common/profile_file.h"
#include "common/program_paths.h"

#include <memory>

namespace {

constexpr char kLogName[] = "Korvelund.log";

LogTime Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return LogTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

HANDLE OpenForAppending(const std::string& path, LogAppending appending) {
  // Append access alone makes every write land at the end of the file as it
  // is then, so two programs' lines never overwrite each other.
  const DWORD access = appending == LogAppending::kAppendData
                           ? FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE
                           : GENERIC_WRITE;
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The first bytes of a file; empty when it cannot be read.
std::string FileHead(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  char head[64];
  DWORD read = 0;
  if (!ReadFile(file, head, sizeof head, &read, nullptr)) read = 0;
  CloseHandle(file);
  return std::string(head, read);
}

// Every writer of a log on 9x locks this one byte, far past the end of any
// log, while it adds its line.
constexpr DWORD kLineLockOffset = 0xFFFFFFFE;
constexpr DWORD kLineLockPatience = 2000;  // ms; after that the line goes out unlocked

bool OverRolloverSize(HANDLE file) {
  DWORD high = 0;
  const DWORD low = GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
  return ((static_cast<std::uint64_t>(high) << 32) | low) > kRunLogRolloverSize;
}

// %TEMP%, or what the system names as its temporary folder.
std::string FallbackPath() {
  char folder[MAX_PATH + 1];
  DWORD length = GetEnvironmentVariableA("TEMP", folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return std::string();
  return IncludeTrailingBackslash(std::string(folder, length)) + kLogName;
}

// On the NT family the log is UTF-8, so that every name reads as the disk has
// it whatever the code page; on 9x it stays in the ANSI code page.
// By hand rather than through std::wstring, which the copier has no other use for.
std::string AnsiToUtf8(std::string_view text) {
  const int size = static_cast<int>(text.size());
  const int wide_length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (wide_length <= 0) return std::string(text);
  const std::unique_ptr<wchar_t[]> wide(new wchar_t[static_cast<std::size_t>(wide_length)]);
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.get(), wide_length);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.get(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    WideCharToMultiByte(CP_UTF8, 0, wide.get(), wide_length, result.data(), length, nullptr,
                        nullptr);
  }
  return result;
}

// Asked here rather than of common/file_names, whose object would bring the
// copier code it has no use for.
// Decided once per process, not for every line.
LogTextEncoder Encoder() {
  static const LogTextEncoder encoder = RunsOnWindows9x() ? nullptr : AnsiToUtf8;
  return encoder;
}

}  // namespace

LogAppending SystemLogAppending() {
  return RunsOnWindows9x() ? LogAppending::kLockedLine : LogAppending::kAppendData;
}

RunLog::RunLog(std::string path, std::string program, LogAppending appending)
    : path_(std::move(path)), program_(std::move(program)), appending_(appending) {}

RunLog::~RunLog() { Close(); }

void RunLog::Write(LogParts parts) {
  if (path_.empty()) return;
  const std::string line = LogLine(Now(), program_, parts, Encoder());
  std::string failure;
  if (file_ != INVALID_HANDLE_VALUE || Open(path_)) {
    if (Append(line)) return;
    failure = SystemErrorText(GetLastError());
    Close();
  } else {
    failure = open_failure_;
  }
  if (!fallback_tried_) {
    fallback_tried_ = true;
    const std::string fallback = FallbackPath();
    if (!fallback.empty() && lstrcmpiA(fallback.c_str(), path_.c_str()) != 0) {
      const std::string meant = path_;
      path_ = fallback;
      if (Open(path_) &&
          Append(LogLine(Now(), program_,
                         {"log ", meant, " not written (", failure, "): this log instead"},
                         Encoder())) &&
          Append(line)) {
        return;
      }
      Close();
    }
  }
  path_.clear();
}

// Opens the log for appending, setting aside a run log that has grown too
// large. Any other large file is not touched.
bool RunLog::Open(const std::string& path) {
  file_ = OpenForAppending(path, appending_);
  if (file_ == INVALID_HANDLE_VALUE) {
    open_failure_ = SystemErrorText(GetLastError());
    return false;
  }
  bool created = GetLastError() != ERROR_ALREADY_EXISTS;
  if (OverRolloverSize(file_)) {
    Close();
    if (!IsRunLogHead(FileHead(path))) {
      open_failure_ = "over 1 MB and not a run log, so left as it is";
      return false;
    }
    // A log that cannot be set aside is appended to as it is.
    const std::string old = ChangeFileExt(path, ".old");
    DeleteFileA(old.c_str());
    MoveFileA(path.c_str(), old.c_str());
    file_ = OpenForAppending(path, appending_);
    if (file_ == INVALID_HANDLE_VALUE) open_failure_ = SystemErrorText(GetLastError());
    created = GetLastError() != ERROR_ALREADY_EXISTS;
  }
  if (file_ == INVALID_HANDLE_VALUE) return false;
  // A UTF-8 log starts with its byte-order mark, so that Notepad reads it so.
  // Only the log's creator writes it, in one write with its first line: a
  // program appending to a log another one has just created adds none.
  mark_pending_ = created && Encoder() != nullptr;
  return true;
}

// One write per line.
bool RunLog::Append(const std::string& line) {
  if (mark_pending_) {
    mark_pending_ = false;
    return Append(std::string(kUtf8ByteOrderMark) + line);
  }
  if (appending_ == LogAppending::kLockedLine) return AppendLocked(line);
  DWORD written = 0;
  return WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
}

// The end as it is now, under the lock: another program may have appended since.
bool RunLog::AppendLocked(const std::string& line) {
  const DWORD start = GetTickCount();
  bool locked = false;
  while (!(locked = LockFile(file_, kLineLockOffset, 0, 1, 0)) &&
         GetTickCount() - start < kLineLockPatience) {
    Sleep(1);
  }
  bool appended = false;
  SetLastError(NO_ERROR);
  if (SetFilePointer(file_, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER ||
      GetLastError() == NO_ERROR) {
    DWORD written = 0;
    appended = WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
               written == line.size();
  }
  if (locked) UnlockFile(file_, kLineLockOffset, 0, 1, 0);
  return appended;
}

void RunLog::Close() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
}

std::string RunLogPath(const std::string& settings_file, const std::string& windows_folder) {
  if (FileExists(settings_file)) {
    const ProfileFile settings(settings_file);
    if (settings.KeyExists("Options", "LogFile")) {
      return ExpandEnvVars(settings.ReadString("Options", "LogFile", ""));
    }
  }
  if (windows_folder.empty()) return std::string();
  return IncludeTrailingBackslash(windows_folder) + kLogName;
}

std::string WindowsFolder() {
  char folder[MAX_PATH + 1];
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

std::string SystemErrorText(DWORD error) {
  char buffer[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '.')) text.pop_back();
  if (text.empty()) text = Concat({"error ", DecimalText(error)});
  return text;
}

std::string RunningSystemText() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  std::string windows = "Windows, version unknown";
  if (GetVersionExA(&version)) {
    const bool nt = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    // 9x keeps its build number in the low word only.
    const DWORD build = nt ? version.dwBuildNumber : LOWORD(version.dwBuildNumber);
    windows = Concat({nt ? "Windows NT " : "Windows 9x ", DecimalText(version.dwMajorVersion), ".",
                      DecimalText(version.dwMinorVersion), ".", DecimalText(build),
                      version.szCSDVersion[0] != '\0' ? " " : "", version.szCSDVersion});
    while (!windows.empty() && windows.back() == ' ') windows.pop_back();
  }
  return Concat({windows, ", ANSI code page ", DecimalText(GetACP())});
}
