#include "package_rules.h"

#include <array>

std::string PackageDisplayName(std::string_view found_name, CaseConversion lower,
                               CaseConversion upper) {
  std::string text = lower(found_name);
  const std::size_t capitals = found_name.starts_with("DP_") ? 2 : 1;
  for (std::size_t i = 0; i < capitals && i < text.size(); ++i) {
    text[i] = upper(std::string_view(&text[i], 1)).front();
  }
  return text;
}

bool IsListedFolder(std::string_view name) {
  return name != "." && name != ".." && name != "Zipped";
}

std::optional<std::string> HoverHintText(const std::vector<std::string>& hint_table,
                                         std::string_view entry_text, CaseConversion upper) {
  const std::string entry = upper(entry_text);
  std::optional<std::string> text;
  for (const std::string& pair : hint_table) {
    const std::size_t separator = pair.find('=');
    // A line without a name names no package.
    if (separator == std::string::npos || separator == 0) continue;
    if (entry.find(upper(std::string_view(pair).substr(0, separator))) != std::string::npos) {
      text = pair.substr(separator + 1);
    }
  }
  return text;
}

bool IsDefaultDestination(std::string_view expanded, const Expansion& expand) {
  // An empty or blank destination is no folder: it would be the current one.
  if (expanded.find_first_not_of(" \t") == std::string_view::npos) return true;
  static constexpr std::array<std::string_view, 4> kSpellings = {
      "%Systemdrive%\\D", "%Systemdrive%\\d", "%Systemdrive%\\", "%Systemdrive%"};
  for (std::string_view spelling : kSpellings) {
    if (expanded == expand(spelling)) return true;
  }
  return false;
}

std::string DestinationFolderValue(std::string_view drv_folder, const Expansion& expand,
                                   CaseConversion upper) {
  if (IsDefaultDestination(expand(drv_folder), expand)) {
    return std::string(kDefaultDestination);
  }
  return upper(drv_folder);
}
