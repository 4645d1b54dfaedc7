#include "app/select_preset.h"

#include "common/ansi_text.h"
#include "common/integer_text.h"
#include "common/profile_file.h"

SelectPreset::SelectPreset(const std::string& settings_file) {
  for (ProfileFile::Line& line : ProfileFile(settings_file).SectionLines("Select")) {
    if (!line.name.empty()) values_.emplace(AnsiUpperCase(line.name), std::move(line.value));
  }
}

std::int32_t SelectPreset::Integer(std::string_view key, std::int32_t fallback) const {
  const auto found = values_.find(AnsiUpperCase(key));
  return found == values_.end() ? fallback : IntegerOr(found->second, fallback);
}
