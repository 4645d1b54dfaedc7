#include "app/apply/file_copy.h"

#include "common/file_replace.h"

#include <cstdint>
#include <vector>

namespace {

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() { Close(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  void Reset(HANDLE handle) {
    Close();
    handle_ = handle;
  }
  bool Close() {
    const bool closed = !Valid() || CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

constexpr DWORD kChunk = 64 * 1024;

bool MoveIntoPlace(const std::string& temporary, const std::string& target) {
  if (RunsOnWindows9x()) return MoveWholeFileIntoPlaceAnsi(temporary, target);
  return MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

LARGE_INTEGER Large(std::uint64_t value) {
  LARGE_INTEGER result;
  result.QuadPart = static_cast<LONGLONG>(value);
  return result;
}

// Copies the content; false when a read or write fails or the routine stops it.
bool CopyContent(HANDLE from, HANDLE to, std::uint64_t size, LPPROGRESS_ROUTINE progress,
                 void* data) {
  std::uint64_t done = 0;
  const auto report = [&](DWORD reason) {
    if (!progress) return true;
    const DWORD answer =
        progress(Large(size), Large(done), Large(size), Large(done), 1, reason, from, to, data);
    if (answer == PROGRESS_QUIET) progress = nullptr;
    return answer == PROGRESS_CONTINUE || answer == PROGRESS_QUIET;
  };
  if (!report(CALLBACK_STREAM_SWITCH)) return false;
  std::vector<char> buffer(kChunk);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(from, buffer.data(), kChunk, &read, nullptr)) return false;
    if (read == 0) return true;
    DWORD written = 0;
    if (!WriteFile(to, buffer.data(), read, &written, nullptr) || written != read) return false;
    done += read;
    if (!report(CALLBACK_CHUNK_FINISHED)) return false;
  }
}

}  // namespace

bool CopyFileWhole(const std::string& source, const std::string& target,
                   LPPROGRESS_ROUTINE progress, void* data) {
  // As the system's copy: a file another program writes with shared access
  // (a log, a download) is copied as it stands.
  OwnedHandle from(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!from.Valid()) return false;
  const DWORD attributes = GetFileAttributesA(source.c_str());
  const DWORD target_attributes = GetFileAttributesA(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (target_attributes != INVALID_FILE_ATTRIBUTES &&
       (target_attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  DWORD size_high = 0;
  const DWORD size_low = GetFileSize(from.Get(), &size_high);
  FILETIME last_write{};
  if ((size_low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ||
      !GetFileTime(from.Get(), nullptr, nullptr, &last_write)) {
    return false;
  }
  const std::uint64_t size = (std::uint64_t{size_high} << 32) | size_low;

  std::string temporary;
  OwnedHandle to(INVALID_HANDLE_VALUE);
  for (unsigned attempt = 0; attempt < kTemporaryNameAttempts && !to.Valid(); ++attempt) {
    temporary = TemporaryNameBesideAnsi(target);
    to.Reset(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to.Valid() && GetLastError() != ERROR_FILE_EXISTS &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
  }
  if (!to.Valid()) return false;
  const bool whole = CopyContent(from.Get(), to.Get(), size, progress, data) &&
                     SetFileTime(to.Get(), nullptr, nullptr, &last_write) && to.Close() &&
                     MoveIntoPlace(temporary, target);
  if (!whole) {
    const DWORD error = GetLastError();
    to.Close();
    DeleteFileA(temporary.c_str());
    SetLastError(error);
    return false;
  }
  SetFileAttributesA(target.c_str(), attributes);
  return true;
}
