#include <windows.h>

#include "app/safe_file.h"

#include "common/paths.h"

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    DWORD written = 0;
    const DWORD chunk = content.size() > 0x100000 ? 0x100000 : static_cast<DWORD>(content.size());
    if (!WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0) return false;
    content.remove_prefix(written);
  }
  return FlushFileBuffers(file) != FALSE;
}

bool WriteNewFile(const std::string& path, std::string_view content) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() && WriteAll(file.get(), content);
}

}  // namespace

bool ReplaceFileContent(const std::string& path, std::string_view content) {
  const DWORD old_attributes = GetFileAttributesA(path.c_str());
  if (old_attributes != INVALID_FILE_ATTRIBUTES && (old_attributes & FILE_ATTRIBUTE_READONLY)) {
    return false;
  }
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const DWORD attributes = old_attributes == INVALID_FILE_ATTRIBUTES
                               ? FILE_ATTRIBUTE_NORMAL
                               : (old_attributes & kept) | FILE_ATTRIBUTE_ARCHIVE;
  std::string folder = ExtractFilePath(path);
  if (folder.empty()) folder = ".";
  char temporary[MAX_PATH];
  if (GetTempFileNameA(folder.c_str(), "knd", 0, temporary) == 0) return false;
  if (WriteNewFile(temporary, content) && SetFileAttributesA(temporary, attributes) &&
      MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(temporary);
  return false;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  DWORD high = 0;
  SetLastError(NO_ERROR);
  const DWORD size = GetFileSize(file.get(), &high);
  if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 ||
      size > 0x40000000)
    return std::nullopt;
  std::string content;
  content.assign(size, '\0');
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), content.data() + done, static_cast<DWORD>(content.size() - done),
                  &read, nullptr) ||
        read == 0) {
      return std::nullopt;
    }
    done += read;
  }
  return content;
}
