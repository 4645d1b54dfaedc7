#include <windows.h>

#include "support/file_util.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

void MakeFolders(const std::string& path) {
  for (std::size_t pos = path.find('\\', 3); pos != std::string::npos;
       pos = path.find('\\', pos + 1)) {
    CreateDirectoryA(path.substr(0, pos).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
}

void WriteTextFile(const std::string& path, const std::string& content) {
  const std::size_t slash = path.rfind('\\');
  if (slash != std::string::npos) MakeFolders(path.substr(0, slash));
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << content;
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string UnixPath(const std::string& windows_path) {
  // wine_get_unix_file_name lives in kernel32 under Wine only.
  using Convert = char*(CDECL*)(LPCWSTR);
  const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) throw std::runtime_error("not running under Wine");
  WCHAR wide[MAX_PATH * 4];
  MultiByteToWideChar(CP_ACP, 0, windows_path.c_str(), -1, wide, MAX_PATH * 4);
  char* unix_name = convert(wide);
  if (!unix_name) throw std::runtime_error("no Unix name for " + windows_path);
  std::string result(unix_name);
  HeapFree(GetProcessHeap(), 0, unix_name);
  return result;
}

}  // namespace testing_support
