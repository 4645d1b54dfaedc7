#include <windows.h>

#include "support/temp_folder.h"

#include <atomic>
#include <stdexcept>

namespace testing_support {

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  char base[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, base);
  if (length == 0 || length >= MAX_PATH) throw std::runtime_error("no temporary folder");
  for (;;) {
    path_ = std::string(base) + "kvt" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(counter++);
    if (CreateDirectoryA(path_.c_str(), nullptr)) return;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path_);
  }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileA(path.c_str());
    return;
  }
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name != "." && name != "..") RemoveTree(path + "\\" + name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace testing_support
