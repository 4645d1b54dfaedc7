#include "app/select_preset.h"

#include "common/file_names.h"
#include "common/integer_text.h"
#include "common/profile_file.h"

SelectPreset::SelectPreset(const std::string& settings_file) {
  for (ProfileFile::Line& line : ProfileFile(settings_file).SectionLines("Select")) {
    if (!line.name.empty())
      values_.emplace(NameUpperCase(NameFromAnsi(line.name)), std::move(line.value));
  }
}

std::int32_t SelectPreset::Integer(std::string_view key, std::int32_t fallback) const {
  const auto found = values_.find(NameUpperCase(key));
  return found == values_.end() ? fallback : IntegerOr(found->second, fallback);
}
