#include <windows.h>

#include "distcopy/same_folder.h"

#include "common/paths.h"
#include "common/program_paths.h"

namespace {

// The full long name, no trailing backslash; empty when it cannot be made.
std::string NormalName(const std::string& path) {
  char full[MAX_PATH * 2];
  const DWORD full_length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (full_length == 0 || full_length >= sizeof full) return std::string();
  char long_name[MAX_PATH * 2];
  const DWORD long_length = GetLongPathNameA(full, long_name, sizeof long_name);
  std::string name = long_length > 0 && long_length < sizeof long_name
                         ? std::string(long_name, long_length)
                         : std::string(full, full_length);
  while (name.size() > 3 && name.back() == '\\') name.pop_back();
  return name;
}

struct FolderIdentity {
  DWORD volume = 0;
  DWORD index_high = 0;
  DWORD index_low = 0;
};

// Windows 9x opens no folder as a file, and gives no identity then.
bool IdentityOf(const std::string& folder, FolderIdentity& identity) {
  const HANDLE handle = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information;
  const bool known = GetFileInformationByHandle(handle, &information) != FALSE;
  CloseHandle(handle);
  if (!known || (information.nFileIndexHigh == 0 && information.nFileIndexLow == 0)) return false;
  identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh,
              information.nFileIndexLow};
  return true;
}

}  // namespace

std::string CopySourceFolder(const std::string& source) {
  if (source.find_first_of("*?") == std::string::npos && DirectoryExists(source)) return source;
  return ExtractFilePath(source);
}

bool IsSameFolder(const std::string& first, const std::string& second) {
  if (!DirectoryExists(first) || !DirectoryExists(second)) return false;
  const std::string first_name = NormalName(first);
  if (!first_name.empty() && lstrcmpiA(first_name.c_str(), NormalName(second).c_str()) == 0) {
    return true;
  }
  FolderIdentity a;
  FolderIdentity b;
  return IdentityOf(first, a) && IdentityOf(second, b) && a.volume == b.volume &&
         a.index_high == b.index_high && a.index_low == b.index_low;
}
