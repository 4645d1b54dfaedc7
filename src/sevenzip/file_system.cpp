#include "sevenzip/file_system.h"

#include "sevenzip/archive_rules.h"

#include <vector>

namespace sevenzip {

namespace {

bool wide_mode = true;

}  // namespace

bool WideMode() { return wide_mode; }
void SetWideMode(bool wide) { wide_mode = wide; }

bool PlatformIsWide() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  static_assert(sizeof(OSVERSIONINFOA) == 148);
  if (!GetVersionExA(&version)) return true;
  return version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS;
}

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, result.data(), length, nullptr, nullptr);
  return result;
}

std::wstring FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, result.data(), length);
  return result;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = INVALID_HANDLE_VALUE;
  }
  return *this;
}

void FileHandle::Close() {
  if (Valid()) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

FileHandle OpenFile(const std::wstring& name, DWORD access, DWORD share, DWORD disposition,
                    DWORD flags) {
  if (wide_mode)
    return FileHandle(
        CreateFileW(name.c_str(), access, share, nullptr, disposition, flags, nullptr));
  return FileHandle(
      CreateFileA(ToAnsi(name).c_str(), access, share, nullptr, disposition, flags, nullptr));
}

FileHandle OpenForReading(const std::wstring& name) {
  return OpenFile(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

namespace {

// SetFilePointer with its high half: the form every Windows has (98 lacks the
// ...Ex one). A low half of 0xFFFFFFFF is only a failure with an error code.
std::int64_t MovePointer(HANDLE file, std::int64_t distance, DWORD method) {
  LONG high = static_cast<LONG>(distance >> 32);
  SetLastError(NO_ERROR);
  const DWORD low = SetFilePointer(file, static_cast<LONG>(distance & 0xFFFFFFFF), &high, method);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return -1;
  return (static_cast<std::int64_t>(high) << 32) | low;
}

}  // namespace

std::int64_t EndPosition(HANDLE file) { return MovePointer(file, 0, FILE_END); }

bool SeekTo(HANDLE file, std::int64_t position) {
  return MovePointer(file, position, FILE_BEGIN) == position;
}

namespace {

// Attributes of what FindFirstFile finds under that name, or nothing.
bool Find(const std::wstring& name, DWORD& attributes) {
  if (wide_mode) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(name.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    attributes = found.dwFileAttributes;
    return true;
  }
  // A character outside the code page turns into "?", which would search.
  const std::string ansi = ToAnsi(name);
  if (ansi.find_first_of("*?") != std::string::npos) return false;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(ansi.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  attributes = found.dwFileAttributes;
  return true;
}

DWORD Attributes(const std::wstring& name) {
  return wide_mode ? GetFileAttributesW(name.c_str()) : GetFileAttributesA(ToAnsi(name).c_str());
}

bool ContainsWildcard(const std::wstring& name) {
  return name.find_first_of(L"*?") != std::wstring::npos;
}

bool ForceFoldersAnsi(const std::string& path) {
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  if (folder.empty() || (folder.size() == 2 && folder[1] == ':')) return true;
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const std::size_t slash = folder.find_last_of("\\:");
  if (slash != std::string::npos && slash + 1 < folder.size() &&
      !ForceFoldersAnsi(folder.substr(0, slash + 1))) {
    return false;
  }
  return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

bool PathExists(const std::wstring& name) {
  if (ContainsWildcard(name)) return false;
  DWORD attributes = 0;
  if (!Find(name, attributes)) return false;
  return wide_mode || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FileExists(const std::wstring& name) {
  DWORD attributes = 0;
  return !ContainsWildcard(name) && Find(name, attributes) &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::wstring& name) {
  const DWORD attributes = Attributes(name);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ForceFolders(const std::wstring& path, DWORD attributes) {
  // Wine makes a folder named "C:" of "C:C:\x"; Windows would refuse it.
  if (IsMalformedPath(path)) return false;
  if (!wide_mode) return ForceFoldersAnsi(ToAnsi(path));
  std::wstring folder = path;
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  // A root ("C:", "\\server\share", "\\?\C:") is there or not; nothing to create.
  if (folder.size() <= RootLength(folder)) return true;
  if (FolderExists(folder)) return true;
  // Only a shorter parent is climbed to: the parent part of "C:C:" is
  // "C:C:" itself, and climbing to it again never ended.
  const std::wstring parent = FolderPart(folder);
  if (!parent.empty() && parent.size() < folder.size() && !ForceFolders(parent, 0)) return false;
  if (!CreateDirectoryW(folder.c_str(), nullptr)) return FolderExists(folder);
  const DWORD storable = attributes & kStorableAttributes;
  if (storable != 0) SetFileAttributesW(folder.c_str(), storable);
  return true;
}

bool RemoveFile(const std::wstring& name) {
  if (wide_mode) {
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(name.c_str()) != 0;
  }
  const std::string ansi = ToAnsi(name);
  SetFileAttributesA(ansi.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(ansi.c_str()) != 0;
}

bool OnRemovableDrive(const std::wstring& path) {
  const std::wstring folder = FolderPart(path);
  if (folder.size() < 2) return false;
  const std::wstring root = folder.substr(0, 2) + L"\\";
  const UINT type =
      wide_mode ? GetDriveTypeW(root.c_str()) : GetDriveTypeA(ToAnsi(root).c_str());
  return type != DRIVE_FIXED;
}

}  // namespace sevenzip
