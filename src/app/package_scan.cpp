#include <windows.h>

#include "app/package_scan.h"

#include "app/package_rules.h"
#include "common/paths.h"

namespace {

// Calls `visit` for every match of `mask` until it answers false.
template <typename Visit>
void ForEachMatch(const std::string& mask, Visit visit) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(mask.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!visit(found)) break;
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

bool IsFolder(const WIN32_FIND_DATAA& found) {
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::vector<std::string> FindArchiveEntries(const std::string& mask) {
  std::vector<std::string> entries;
  ForEachMatch(mask, [&](const WIN32_FIND_DATAA& found) {
    entries.push_back(PackageDisplayName(found.cFileName));
    return true;
  });
  return entries;
}

std::vector<std::string> FindFolderEntries(const std::string& mask) {
  std::vector<std::string> entries;
  ForEachMatch(mask, [&](const WIN32_FIND_DATAA& found) {
    if (IsFolder(found) && IsListedFolder(found.cFileName)) {
      entries.push_back(FolderEntryText(found.cFileName));
    }
    return true;
  });
  return entries;
}

bool IsFolderEmpty(const std::string& folder) {
  bool empty = true;
  ForEachMatch(IncludeTrailingBackslash(folder) + "*.*", [&](const WIN32_FIND_DATAA& found) {
    const std::string_view name = found.cFileName;
    empty = name == "." || name == "..";
    return empty;
  });
  return empty;
}
