#include <windows.h>

#include "common/run_log.h"

#include "common/env_expand.h"
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

HANDLE OpenForAppending(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

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
LogTextEncoder Encoder() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  const bool nt = !GetVersionExA(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS;
  return nt ? AnsiToUtf8 : nullptr;
}

}  // namespace

RunLog::RunLog(std::string path) : path_(std::move(path)) {}

RunLog::~RunLog() { Close(); }

void RunLog::Write(LogParts parts) {
  if (path_.empty()) return;
  const std::string line = LogLine(Now(), parts, Encoder());
  if (file_ != INVALID_HANDLE_VALUE || Open(path_)) {
    if (Append(line)) return;
    Close();
  }
  if (!fallback_tried_) {
    fallback_tried_ = true;
    const std::string fallback = FallbackPath();
    if (!fallback.empty() && fallback != path_) {
      path_ = fallback;
      if (Open(path_) && Append(line)) return;
      Close();
    }
  }
  path_.clear();
}

// Opens the log for appending, setting aside one that has grown too large.
bool RunLog::Open(const std::string& path) {
  file_ = OpenForAppending(path);
  if (file_ == INVALID_HANDLE_VALUE) return false;
  if (OverRolloverSize(file_)) {
    Close();
    // A log that cannot be set aside is appended to as it is.
    const std::string old = ChangeFileExt(path, ".old");
    DeleteFileA(old.c_str());
    MoveFileA(path.c_str(), old.c_str());
    file_ = OpenForAppending(path);
  }
  if (file_ == INVALID_HANDLE_VALUE) return false;
  // A new UTF-8 log starts with its byte-order mark, so that Notepad reads it so.
  DWORD high = 0;
  if (Encoder() && GetFileSize(file_, &high) == 0 && high == 0) {
    return Append(std::string(kUtf8ByteOrderMark));
  }
  return true;
}

// One write per line, at the end as it is now: another program may have
// appended since.
bool RunLog::Append(const std::string& line) {
  if (SetFilePointer(file_, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR) {
    return false;
  }
  DWORD written = 0;
  return WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
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
