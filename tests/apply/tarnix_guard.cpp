#include <windows.h>

#include "tarnix_guard.h"

#include "common/file_replace.h"
#include "common/program_paths.h"
#include "support/file_util.h"

using testing_support::ReadTextFile;
using testing_support::WriteTextFile;

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  GetSystemDirectoryA(folder, sizeof folder);
  return folder;
}

TarnixIniGuard::TarnixIniGuard(const char* content) : path_(SystemFolder() + "\\Tarnix.ini") {
  existed_ = FileExists(path_);
  if (existed_) saved_ = ReadTextFile(path_);
  DeleteFileA(path_.c_str());
  if (content) WriteTextFile(path_, content);
}

TarnixIniGuard::~TarnixIniGuard() {
  DeleteFileA(path_.c_str());
  DeleteFileA(ReplaceTemporaryName(path_).c_str());
  DeleteFileA(ReplaceBackupName(path_).c_str());
  if (existed_) WriteTextFile(path_, saved_);
}

std::string TarnixIniGuard::Read(const char* section, const char* key) const {
  char value[512] = {};
  GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, path_.c_str());
  return value;
}
