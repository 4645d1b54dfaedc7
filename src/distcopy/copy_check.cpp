#include <windows.h>

#include "distcopy/copy_check.h"

#include "common/paths.h"
#include "common/program_paths.h"

namespace {

bool SameSizeFile(const WIN32_FIND_DATAA& source, const std::string& copy) {
  WIN32_FILE_ATTRIBUTE_DATA found;
  return GetFileAttributesExA(copy.c_str(), GetFileExInfoStandard, &found) &&
         !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         found.nFileSizeHigh == source.nFileSizeHigh && found.nFileSizeLow == source.nFileSizeLow;
}

// Every entry that `pattern` matches in `folder` is whole under `copy`.
bool EntriesComplete(const std::string& folder, const std::string& pattern,
                     const std::string& copy) {
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((folder + pattern).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return true;
  bool complete = true;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      complete = EntriesComplete(folder + name + "\\", "*", copy + name + "\\");
    } else {
      complete = SameSizeFile(found, copy + name);
    }
  } while (complete && FindNextFileA(find, &found));
  FindClose(find);
  return complete;
}

}  // namespace

bool CopyIsComplete(const std::string& source, const std::string& destination) {
  const std::string into = IncludeTrailingBackslash(destination);
  if (source.find_first_of("*?") != std::string::npos)
    return EntriesComplete(ExtractFilePath(source), ExtractFileName(source), into);
  // A folder's files count only directly in the destination, where the
  // registry is pointed, never in a folder of its name below it.
  if (DirectoryExists(source)) return EntriesComplete(IncludeTrailingBackslash(source), "*", into);
  return EntriesComplete(ExtractFilePath(source), ExtractFileName(source), into);
}
