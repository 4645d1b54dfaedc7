#include <windows.h>

#include "app/package_scan.h"

#include "app/package_rules.h"
#include "common/file_names.h"
#include "common/paths.h"

namespace {

// One match of a search, its name in name text.
struct Match {
  std::string name;
  bool folder;
};

// Calls `visit` for every match of `mask` until it answers false: the wide
// functions on NT, the ANSI ones on 9x, where a name the code page cannot
// hold (shown with "?") is passed over, since no file can be opened by it.
template <typename Visit>
void ForEachMatch(const std::string& mask, Visit visit) {
  if (WideFileNames()) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(LongPathForm(AnsiToWide(mask)).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      if (!visit(Match{NameFromWide(found.cFileName),
                       (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0})) {
        break;
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return;
  }
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(mask.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string_view name = found.cFileName;
    if (name.find_first_of("?\\/") != std::string_view::npos) continue;
    if (!visit(
            Match{std::string(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0})) {
      break;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

std::vector<std::string> FindArchiveEntries(const std::string& mask) {
  std::vector<std::string> entries;
  ForEachMatch(mask, [&](const Match& found) {
    entries.push_back(PackageEntryText(found.name));
    return true;
  });
  return entries;
}

std::vector<std::string> FindFolderEntries(const std::string& mask) {
  std::vector<std::string> entries;
  ForEachMatch(mask, [&](const Match& found) {
    if (found.folder && IsListedFolder(found.name)) entries.push_back(FolderEntryName(found.name));
    return true;
  });
  return entries;
}

bool IsFolderEmpty(const std::string& folder) {
  bool empty = true;
  ForEachMatch(IncludeTrailingBackslash(folder) + "*.*", [&](const Match& found) {
    empty = found.name == "." || found.name == "..";
    return empty;
  });
  return empty;
}
