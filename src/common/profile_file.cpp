#include <windows.h>

#include "profile_file.h"

#include "ansi_text.h"
#include "integer_text.h"

namespace {

// Splits a double-NUL-terminated list of names.
std::vector<std::string> SplitNameList(const std::string& buffer, DWORD length) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < length && buffer[start] != '\0') {
    const std::size_t end = buffer.find('\0', start);
    names.emplace_back(buffer, start, end - start);
    start = end + 1;
  }
  return names;
}

// GetPrivateProfileStringA with a null key (or section) lists names; it
// answers size - 2 when the buffer was too small.
std::vector<std::string> ReadNameList(const char* section, const std::string& path) {
  std::string buffer(4096, '\0');
  for (;;) {
    const DWORD length = GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
    if (length + 2 < buffer.size()) return SplitNameList(buffer, length);
    buffer.assign(buffer.size() * 2, '\0');
  }
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

std::vector<std::string> ProfileFile::SectionNames() const { return ReadNameList(nullptr, path_); }

std::vector<std::string> ProfileFile::KeyNames(std::string_view section) const {
  return ReadNameList(std::string(section).c_str(), path_);
}

bool ProfileFile::SectionExists(std::string_view section) const {
  return !KeyNames(section).empty();
}

bool ProfileFile::KeyExists(std::string_view section, std::string_view key) const {
  for (const std::string& name : KeyNames(section)) {
    if (AnsiSameText(name, key)) return true;
  }
  return false;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
  char buffer[kMaxValueLength + 1];
  const DWORD length =
      GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                               std::string(fallback).c_str(), buffer, sizeof buffer, path_.c_str());
  return std::string(buffer, length);
}

std::int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t fallback) const {
  return IntegerOr(ReadString(section, key, ""), fallback);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) const {
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    std::string(value).c_str(), path_.c_str()) != FALSE;
}

bool ProfileFile::WriteInteger(std::string_view section, std::string_view key,
                               std::int32_t value) const {
  return WriteString(section, key, std::to_string(value));
}

bool ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) const {
  return WriteString(section, key, value ? "1" : "0");
}
