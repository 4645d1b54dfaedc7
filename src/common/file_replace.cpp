#include <windows.h>

#include "common/file_replace.h"

#include "common/program_paths.h"

std::string ReplaceTemporaryName(const std::string& target) { return target + ".kvnew"; }
std::string ReplaceBackupName(const std::string& target) { return target + ".kvold"; }

bool RunsOnWindows9x() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool MoveWholeFileIntoPlace(const std::string& temporary, const std::string& target) {
  if (RunsOnWindows9x()) return MoveWholeFileIntoPlaceStepwise(temporary, target);
  return MoveFileExA(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool MoveWholeFileIntoPlaceStepwise(const std::string& temporary, const std::string& target) {
  if (!FileExists(target)) return MoveFileA(temporary.c_str(), target.c_str()) != FALSE;
  const std::string backup = ReplaceBackupName(target);
  DeleteFileA(backup.c_str());
  if (!MoveFileA(target.c_str(), backup.c_str())) return false;
  if (!MoveFileA(temporary.c_str(), target.c_str())) {
    MoveFileA(backup.c_str(), target.c_str());
    return false;
  }
  DeleteFileA(backup.c_str());
  return true;
}

void RecoverInterruptedReplace(const std::string& target) {
  // Only the 9x way leaves an old file under the backup name: on NT such a
  // file is none of this replace's doing, and stays as it is.
  if (RunsOnWindows9x()) {
    RecoverInterruptedReplaceStepwise(target);
  } else {
    DeleteFileA(ReplaceTemporaryName(target).c_str());
  }
}

void RecoverInterruptedReplaceStepwise(const std::string& target) {
  const std::string backup = ReplaceBackupName(target);
  if (FileExists(backup)) {
    if (FileExists(target)) {
      DeleteFileA(backup.c_str());
    } else {
      MoveFileA(backup.c_str(), target.c_str());
    }
  }
  DeleteFileA(ReplaceTemporaryName(target).c_str());
}
