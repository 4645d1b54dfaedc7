#include <windows.h>
#include <shellapi.h>

#include "distcopy/shell_operations.h"

#include <vector>

namespace {

// Titles of the shell's progress dialogs, in code page 1251:
// "Копирование дистрибутива" and "Удаление папки SVCPACK из дистрибутива".
constexpr char kCopyTitle[] =
    "\xCA\xEE\xEF\xE8\xF0\xEE\xE2\xE0\xED\xE8\xE5 \xE4\xE8\xF1\xF2\xF0\xE8\xE1\xF3\xF2\xE8\xE2\xE0";
constexpr char kDeleteTitle[] =
    "\xD3\xE4\xE0\xEB\xE5\xED\xE8\xE5 \xEF\xE0\xEF\xEA\xE8 SVCPACK \xE8\xE7 "
    "\xE4\xE8\xF1\xF2\xF0\xE8\xE1\xF3\xF2\xE8\xE2\xE0";

constexpr FILEOP_FLAGS kCopyFlags =
    FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_SIMPLEPROGRESS | FOF_NOCONFIRMMKDIR;
constexpr FILEOP_FLAGS kDeleteFlags = FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS | FOF_NOCONFIRMMKDIR;

// A one-entry list for the shell: the path and two terminating NULs, sized
// to the path so that long paths are passed whole.
std::vector<char> OneEntryList(const std::string& path) {
  std::vector<char> list(path.begin(), path.end());
  list.resize(path.size() + 2, '\0');
  return list;
}

bool MatchesSomething(const std::string& source) {
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA(source.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

}  // namespace

bool ShellCopy(const std::string& source, const std::string& destination) {
  if (!MatchesSomething(source)) return false;
  std::vector<char> from = OneEntryList(source);
  std::vector<char> to = OneEntryList(destination);
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_COPY;
  operation.pFrom = from.data();
  operation.pTo = to.data();
  operation.fFlags = kCopyFlags;
  operation.lpszProgressTitle = kCopyTitle;
  return SHFileOperationA(&operation) == 0;
}

bool ShellDelete(const std::string& folder) {
  std::vector<char> from = OneEntryList(folder);
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.data();
  operation.fFlags = kDeleteFlags;
  operation.lpszProgressTitle = kDeleteTitle;
  return SHFileOperationA(&operation) == 0;
}
