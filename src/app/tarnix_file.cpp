#include "app/tarnix_file.h"

#include "app/ini_document.h"
#include "app/safe_file.h"
#include "common/ansi_text.h"
#include "common/file_replace.h"
#include "common/profile_file.h"
#include "common/program_paths.h"

std::string TarnixIniPathIn(const std::string& system_folder) {
  return system_folder.empty() ? std::string() : system_folder + "\\Tarnix.ini";
}

bool MirrorSettingsIntoTarnix(const std::string& settings_file, const std::string& tarnix_path) {
  if (tarnix_path.empty()) return false;
  // A rewrite a crash cut short is settled before the file is looked at.
  RecoverInterruptedReplace(tarnix_path);
  if (!FileExists(tarnix_path)) return false;
  const std::optional<std::string> text = ReadWholeFile(tarnix_path);
  if (!text) return false;
  IniDocument tarnix(AnsiSameText);
  tarnix.Load(*text);
  const ProfileFile settings(settings_file);
  for (const std::string& section : settings.SectionNames()) {
    for (const std::string& key : settings.KeyNames(section)) {
      tarnix.Set(section, key, settings.ReadString(section, key, ""));
    }
  }
  return ReplaceFileContent(tarnix_path, tarnix.Text());
}

void WriteTarnixOptions(const std::string& tarnix_path, const TarnixOptions& options) {
  if (tarnix_path.empty()) return;
  RecoverInterruptedReplace(tarnix_path);
  if (!FileExists(tarnix_path)) return;
  const ProfileFile tarnix(tarnix_path);
  tarnix.WriteString("Options", "DrvFolder", options.drv_folder);
  tarnix.WriteBool("Options", "DelDrvAfterInst", options.delete_after_setup);
  tarnix.WriteBool("CopyFiles", "DistrCopy", options.distribution_copy);
  tarnix.WriteBool("Options", "PostSetup", options.post_setup);
}
