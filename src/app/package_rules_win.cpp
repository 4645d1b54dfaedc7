#include "package_rules.h"

#include "common/ansi_text.h"
#include "common/env_expand.h"

namespace {

std::string ExpandInProcess(std::string_view text) { return ExpandEnvVars(text); }

}  // namespace

std::string PackageDisplayName(std::string_view found_name) {
  return PackageDisplayName(found_name, AnsiLowerCase, AnsiUpperCase);
}

std::string FolderEntryText(std::string_view found_name) { return AnsiUpperCase(found_name); }

std::optional<std::string> HoverHintText(const std::vector<std::string>& hint_table,
                                         std::string_view entry_text) {
  return HoverHintText(hint_table, entry_text, AnsiUpperCase);
}

std::string DestinationFolderValue(std::string_view drv_folder) {
  return DestinationFolderValue(drv_folder, ExpandInProcess, AnsiUpperCase);
}
