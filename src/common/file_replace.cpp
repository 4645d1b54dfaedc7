#include <windows.h>

#include "common/file_replace.h"

#include "common/file_names.h"
#include "common/program_paths.h"

namespace {

// The process's part of every temporary name, and a count that makes each
// new name of the process differ from the last (any thread may ask).
unsigned long NextTemporaryNumber() {
  static LONG counter = 0;
  const auto count = static_cast<unsigned long>(InterlockedIncrement(&counter));
  return ((GetCurrentProcessId() & 0xFFFF) << 16) ^ (count & 0xFFFFFFFF);
}

template <typename Char>
std::basic_string<Char> TemporaryName(std::basic_string_view<Char> target) {
  std::size_t folder = target.size();
  while (folder > 0 && target[folder - 1] != '\\' && target[folder - 1] != ':') --folder;
  std::basic_string<Char> name(target.substr(0, folder));
  const Char prefix[] = {'~', 'k', 'v'};
  name.append(prefix, prefix + 3);
  const unsigned long number = NextTemporaryNumber();
  for (int shift = 28; shift >= 0; shift -= 4) {
    name += static_cast<Char>("0123456789ABCDEF"[(number >> shift) & 0xF]);
  }
  const Char extension[] = {'.', 't', 'm', 'p'};
  name.append(extension, extension + 4);
  return name;
}

bool NameTaken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

}  // namespace

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

std::wstring TemporaryNameBeside(std::wstring_view target) { return TemporaryName(target); }

std::string TemporaryNameBesideAnsi(std::string_view target) { return TemporaryName(target); }

bool MoveWholeFileIntoPlaceWide(const std::wstring& temporary, const std::wstring& target) {
  return MoveFileExW(LongPathForm(temporary).c_str(), LongPathForm(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool MoveWholeFileIntoPlaceAnsi(const std::string& temporary, const std::string& target) {
  if (!FileExists(target)) return MoveFileA(temporary.c_str(), target.c_str()) != FALSE;
  std::string backup;
  for (unsigned attempt = 0; attempt < kTemporaryNameAttempts && backup.empty(); ++attempt) {
    const std::string candidate = TemporaryNameBesideAnsi(target);
    const HANDLE claim = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (claim != INVALID_HANDLE_VALUE) {
      CloseHandle(claim);
      // Our own empty file makes room for the old one.
      DeleteFileA(candidate.c_str());
      backup = candidate;
    } else if (!NameTaken(GetLastError())) {
      return false;
    }
  }
  if (backup.empty() || !MoveFileA(target.c_str(), backup.c_str())) return false;
  if (!MoveFileA(temporary.c_str(), target.c_str())) {
    MoveFileA(backup.c_str(), target.c_str());
    return false;
  }
  DeleteFileA(backup.c_str());
  return true;
}
