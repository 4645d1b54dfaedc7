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

// The section's "name=value" lines. GetPrivateProfileSectionA answers
// size - 2 when the buffer was too small.
std::string ReadSectionText(const std::string& section, const std::string& path) {
  std::string buffer(32768, '\0');
  for (;;) {
    const DWORD length = GetPrivateProfileSectionA(section.c_str(), buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), path.c_str());
    if (length + 2 < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.assign(buffer.size() * 2, '\0');
  }
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string_view Unquoted(std::string_view value) {
  value = Trim(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value.substr(0, ProfileFile::kMaxValueLength);
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

std::vector<std::string> ProfileFile::SectionNames() const { return ReadNameList(nullptr, path_); }

// Read line by line: the profile functions' own key-name list ends at a
// line with an empty name.
std::vector<ProfileFile::Line> ProfileFile::SectionLines(std::string_view section) const {
  const std::string text = ReadSectionText(std::string(section), path_);
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\0', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    start = end + 1;
    const std::size_t separator = line.find('=');
    const std::string_view name = Trim(line.substr(0, separator));
    if (separator == std::string_view::npos || (!name.empty() && name.front() == ';')) continue;
    lines.push_back({std::string(name), std::string(Unquoted(line.substr(separator + 1)))});
  }
  return lines;
}

std::vector<std::string> ProfileFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  for (Line& line : SectionLines(section)) names.push_back(std::move(line.name));
  return names;
}

bool ProfileFile::SectionExists(std::string_view section) const {
  return !SectionLines(section).empty();
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
