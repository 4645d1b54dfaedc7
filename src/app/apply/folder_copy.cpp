#include <windows.h>

#include "app/apply/folder_copy.h"

#include "app/apply/file_copy.h"
#include "app/apply/progress_scale.h"
#include "common/paths.h"
#include "common/program_paths.h"

DWORD CALLBACK CopyProgress(LARGE_INTEGER total_file_size, LARGE_INTEGER total_bytes_transferred,
                            LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE,
                            LPVOID data) {
  const auto* progress = static_cast<const CopyProgressSink*>(data);
  if (progress && *progress) {
    (*progress)(CopyPercent(static_cast<std::uint64_t>(total_bytes_transferred.QuadPart),
                            static_cast<std::uint64_t>(total_file_size.QuadPart)));
  }
  return PROGRESS_CONTINUE;
}

bool ForceFolders(const std::string& folder) {
  std::string path = folder;
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  if (path.empty()) return false;
  // A drive root is asked for with its backslash: "\\?\E:" alone names no folder.
  if (DirectoryExists(path) || (path.back() == ':' && DirectoryExists(path + "\\"))) return true;
  const std::string parent = ExtractFilePath(path);
  // The drive root or a share has no parent to create.
  if (!parent.empty() && parent != path && parent.size() < path.size() && !ForceFolders(parent)) {
    return false;
  }
  return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path);
}

bool CopyFolder(const std::string& source, const std::string& destination, bool stop_at_failure,
                bool overwrite, const CopyProgressSink& progress,
                const CopyOutcomeSink& outcome) {
  const std::string from = IncludeTrailingBackslash(source);
  const std::string to = IncludeTrailingBackslash(destination);
  if (!DirectoryExists(from) || !ForceFolders(to)) return false;

  bool result = false;
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((from + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      result = CopyFolder(from + name, to + name, stop_at_failure, overwrite, progress, outcome);
    } else if (!overwrite && FileExists(to + name)) {
      result = true;
    } else {
      result = CopyFileWhole(from + name, to + name, CopyProgress,
                             const_cast<CopyProgressSink*>(&progress));
      const DWORD last_error = result ? 0 : GetLastError();
      const DWORD error = result ? 0 : (last_error ? last_error : ERROR_GEN_FAILURE);
      if (outcome) {
        outcome(from + name,
                (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
                error);
      }
    }
    if (!result && stop_at_failure) break;
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return result;
}
