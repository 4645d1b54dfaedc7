#include <windows.h>

#include "support/file_util.h"

#include <algorithm>
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

namespace {

// The "\\?\" form, which takes any length, of a full UTF-8 path.
std::wstring LongWidePath(const std::string& utf8_path) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8_path.data(),
                                         static_cast<int>(utf8_path.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8_path.data(), static_cast<int>(utf8_path.size()), wide.data(),
                      length);
  return L"\\\\?\\" + wide;
}

std::string Utf8Of(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace

void WriteNamedFile(const std::string& utf8_path, const std::string& content) {
  const std::wstring path = LongWidePath(utf8_path);
  for (std::size_t pos = path.find(L'\\', 7); pos != std::wstring::npos;
       pos = path.find(L'\\', pos + 1)) {
    CreateDirectoryW(path.substr(0, pos).c_str(), nullptr);
  }
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + utf8_path);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadNamedFile(const std::string& utf8_path) {
  const HANDLE file = CreateFileW(LongWidePath(utf8_path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    content.append(buffer, read);
  CloseHandle(file);
  return content;
}

bool NamedPathExists(const std::string& utf8_path) {
  return GetFileAttributesW(LongWidePath(utf8_path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> NamesIn(const std::string& utf8_folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((LongWidePath(utf8_folder) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = Utf8Of(found.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
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
