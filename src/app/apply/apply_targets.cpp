#include "app/apply/apply_targets.h"

#include "app/package_rules.h"
#include "common/ansi_text.h"
#include "common/env_expand.h"
#include "common/file_names.h"
#include "common/program_paths.h"

ApplyTargets ChooseApplyTargets(std::string_view destination_text) {
  const std::string expanded = ExpandEnvVars(destination_text);
  if (IsDefaultDestination(expanded, [](std::string_view text) { return ExpandEnvVars(text); })) {
    return {AnsiUpperCase(ExpandEnvVars("%Systemdrive%\\")),
            AnsiUpperCase(ExpandEnvVars("%Systemdrive%\\D\\X\\"))};
  }
  return {AnsiUpperCase(expanded), AnsiUpperCase(expanded + "\\D\\X\\")};
}

namespace {

std::string SourcePath(const std::string& package_root, const char* subfolder,
                       const std::string& entry) {
  const std::string root = NameFromAnsi(package_root);
  if (DirectoryExists(ExpandEnvVars(package_root) + "\\" + subfolder)) {
    return root + "\\" + subfolder + "\\" + entry;
  }
  return root + "\\" + entry;
}

}  // namespace

std::string ArchiveSourcePath(const std::string& package_root, const std::string& entry) {
  return SourcePath(package_root, "Zipped", entry);
}

std::string FolderSourcePath(const std::string& package_root, const std::string& entry) {
  return SourcePath(package_root, "UnZipped", entry);
}
