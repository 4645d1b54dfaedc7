#include <windows.h>

#include "app/select_preset.h"

#include "common/ansi_text.h"
#include "common/integer_text.h"

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Values as GetPrivateProfileString gives them: trimmed, one pair of
// enclosing quotes removed.
std::string_view Unquoted(std::string_view value) {
  value = Trim(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// GetPrivateProfileSectionA answers size - 2 when the buffer was too small.
std::string ReadSection(const std::string& file) {
  std::string buffer(32768, '\0');
  for (;;) {
    const DWORD length = GetPrivateProfileSectionA("Select", buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), file.c_str());
    if (length + 2 < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.assign(buffer.size() * 2, '\0');
  }
}

}  // namespace

SelectPreset::SelectPreset(const std::string& settings_file) {
  const std::string section = ReadSection(settings_file);
  std::size_t start = 0;
  while (start < section.size()) {
    std::size_t end = section.find('\0', start);
    if (end == std::string::npos) end = section.size();
    const std::string_view line(section.data() + start, end - start);
    start = end + 1;
    const std::size_t separator = line.find('=');
    const std::string_view key = Trim(line.substr(0, separator));
    const std::string_view value = separator == std::string_view::npos
                                       ? std::string_view()
                                       : Unquoted(line.substr(separator + 1));
    if (!key.empty() && key.front() != ';') values_.emplace(AnsiUpperCase(key), std::string(value));
  }
}

std::int32_t SelectPreset::Integer(std::string_view key, std::int32_t fallback) const {
  const auto found = values_.find(AnsiUpperCase(key));
  return found == values_.end() ? fallback : IntegerOr(found->second, fallback);
}
