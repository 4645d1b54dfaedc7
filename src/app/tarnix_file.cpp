#include "app/tarnix_file.h"

#include "app/ini_document.h"
#include "app/safe_file.h"
#include "common/ansi_text.h"
#include "common/file_replace.h"
#include "common/profile_file.h"
#include "common/program_paths.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <vector>

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
  IniDocument tarnix(AnsiUpperCase);
  tarnix.Load(*text);
  const ProfileFile settings(settings_file);
  for (const std::string& section : settings.SectionNames()) {
    for (const std::string& key : settings.KeyNames(section)) {
      tarnix.Set(section, key, settings.ReadString(section, key, ""));
    }
  }
  return ReplaceFileContent(tarnix_path, tarnix.Text());
}

namespace {

struct Option {
  const char* section;
  const char* key;
  std::string value;
};

// Writes the options into `copy`, a copy of the file's `text`, through the
// profile functions, as they would write the file itself. A full disk cuts
// such a write short without an error, so the copy is read back once: every
// other key must read as before and every option as meant. Each side is read
// in one pass; a key-by-key check through the profile functions took minutes
// on a file of some megabytes.
bool WriteOptionsInto(const std::string& copy, const std::string& text,
                      const std::vector<Option>& options) {
  if (!WriteWholeFile(copy, text)) return false;
  const ProfileFile edited(copy);
  for (const Option& option : options) {
    if (!edited.WriteString(option.section, option.key, option.value)) return false;
  }
  // Writes the profile functions still hold go to disk now, before the check.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str());
  const std::optional<std::string> written = ReadWholeFile(copy);
  if (!written) return false;
  ProfileValues before = ReadProfileValues(text, AnsiUpperCase);
  ProfileValues after = ReadProfileValues(*written, AnsiUpperCase);
  for (const Option& option : options) {
    const std::pair name(AnsiUpperCase(option.section), AnsiUpperCase(option.key));
    before.erase(name);
    after.erase(name);
  }
  if (before != after) return false;
  constexpr std::string_view kAbsent = "\x01";
  return std::all_of(options.begin(), options.end(), [&](const Option& o) {
    return edited.ReadString(o.section, o.key, kAbsent) == o.value;
  });
}

}  // namespace

void WriteTarnixOptions(const std::string& tarnix_path, const TarnixOptions& options) {
  if (tarnix_path.empty()) return;
  RecoverInterruptedReplace(tarnix_path);
  if (!FileExists(tarnix_path)) return;
  const std::vector<Option> values{
      {"Options", "DrvFolder", options.drv_folder},
      {"Options", "DelDrvAfterInst", options.delete_after_setup ? "1" : "0"},
      {"CopyFiles", "DistrCopy", options.distribution_copy ? "1" : "0"},
      {"Options", "PostSetup", options.post_setup ? "1" : "0"}};
  const std::optional<std::string> text = ReadWholeFile(tarnix_path);
  if (!text) return;
  EditFileSafely(tarnix_path,
                 [&](const std::string& copy) { return WriteOptionsInto(copy, *text, values); });
}
