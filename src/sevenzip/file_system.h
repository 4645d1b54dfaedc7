#pragma once

// File functions by the engine's platform mode: UTF-16 names on NT-family
// systems, names in the ANSI code page on Windows 9x.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace sevenzip {

bool WideMode();
void SetWideMode(bool wide);
// Wide mode unless GetVersionExA reports the Windows 9x platform.
bool PlatformIsWide();

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);

// Attribute bits a file or folder can be given; archives made on Unix carry
// the file mode in the high bits, which CreateFile would take as flags.
constexpr DWORD kStorableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY |
                                      FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The one owner of a file handle.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(FileHandle&& other) noexcept : handle_(other.handle_) {
    other.handle_ = INVALID_HANDLE_VALUE;
  }
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  void Close();
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

FileHandle OpenFile(const std::wstring& name, DWORD access, DWORD share, DWORD disposition,
                    DWORD flags);
// Open existing, for reading, with read sharing.
FileHandle OpenForReading(const std::wstring& name);
// Size by the end position; -1 when it cannot be learnt.
std::int64_t EndPosition(HANDLE file);
bool SeekTo(HANDLE file, std::int64_t position);

// Attributes of a file or folder; INVALID_FILE_ATTRIBUTES when there is none.
DWORD AttributesOf(const std::wstring& name);

// A file of that name exists; in wide mode a folder counts too.
bool PathExists(const std::wstring& name);
bool FileExists(const std::wstring& name);
bool FolderExists(const std::wstring& name);
// Creates a folder and its missing parents; the folder itself gets
// `attributes` (wide mode only, 0 = none). True when the folder exists after;
// on failure the last error is the system's reason.
bool ForceFolders(const std::wstring& path, DWORD attributes);
// The first file (not a folder) along `folder` from its root down, which
// keeps the folder from being made; empty when there is none.
std::wstring FileInTheWay(const std::wstring& folder);

// A new file beside `target` for its new content, made with CREATE_NEW under a
// name that nothing else holds (see TemporaryCandidate), so that it never
// names a file this run did not create. Invalid (with the system's error as
// the last error) when no such file can be made.
FileHandle CreateTemporaryBeside(const std::wstring& target, DWORD flags, std::wstring& name);
// Moves the whole file `temporary` to `target`, replacing an existing file;
// on failure the target is as it was.
bool MoveIntoPlace(const std::wstring& temporary, const std::wstring& target);

// Deletes a file, read-only or not; true when it is gone.
bool RemoveFile(const std::wstring& name);

// The system error of a failed creation is the item's own (its name or path:
// the job goes on without it) rather than the disk's (full, write-protected,
// failing: the job stops).
bool IsItemError(DWORD error);
// A system error in words for the log.
std::string ErrorReason(DWORD error);

// Drive type of a path's drive is not a fixed disk.
bool OnRemovableDrive(const std::wstring& path);

}  // namespace sevenzip
