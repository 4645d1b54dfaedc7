#include <windows.h>

#include "app/unit1.h"

#include "app/package_rules.h"
#include "app/program_places.h"
#include "common/env_expand.h"
#include "common/paths.h"
#include "common/profile_file.h"
#include "common/program_paths.h"
#include "sevenzip/archive_rules.h"
#include "sevenzip/file_system.h"

namespace {

std::string TarnixPlace() {
  return Concat({"Tarnix.ini", TarnixIniPath.empty() ? "" : " ", TarnixIniPath});
}

// Why nothing reaches Tarnix.ini, or empty when it may be written.
std::string TarnixUnreachable() {
  if (!TarnixMode) return "no Tarnix mode";
  if (TarnixIniPath.empty() || !FileExists(TarnixIniPath)) return "no such file";
  return std::string();
}

// "[Section] key, key; [Section] key" for every key of a settings file.
std::string KeyList(const ProfileFile& settings) {
  std::string list;
  for (const std::string& section : settings.SectionNames()) {
    const std::vector<std::string> keys = settings.KeyNames(section);
    if (keys.empty()) continue;
    if (!list.empty()) list += "; ";
    list += Concat({"[", section, "]"});
    for (std::size_t i = 0; i < keys.size(); ++i) list += Concat({i == 0 ? " " : ", ", keys[i]});
  }
  return list;
}

const char* Flag(bool on) { return on ? "1" : "0"; }

// The absolute path a target resolves to now; a relative one depends on the
// current folder, which during setup may be any.
std::string AbsolutePath(const std::string& path) {
  if (sevenzip::IsMalformedPath(sevenzip::FromAnsi(path))) return path + " (not a valid path)";
  char buffer[MAX_PATH + 1];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer) return path;
  return std::string(buffer, length);
}

}  // namespace

void TForm1::NoteTarnixCopy(bool rewritten) {
  const std::string unreachable = TarnixUnreachable();
  if (!unreachable.empty()) {
    tarnix_copy_note_ = Concat({TarnixPlace(), ": settings not copied: ", unreachable});
  } else if (!rewritten) {
    tarnix_copy_note_ =
        Concat({TarnixPlace(), ": settings not copied: the file could not be rewritten"});
  } else {
    tarnix_copy_note_ = Concat(
        {TarnixPlace(), ": settings copied: ", KeyList(ProfileFile(UnpackerSettingsFile()))});
  }
}

void TForm1::StartRunLog() {
  run_log_ =
      std::make_unique<ApplyLog>(RunLogPath(UnpackerSettingsFile(), UnpackerWindowsFolder()));
  run_log_->Started({ExtractFilePath(UnpackerProgramFile()), PackageRoot, EnglishTexts, Countdown,
                     ChooseApplyTargets(ComboBox1->Text()),
                     settings_file_found_ ? UnpackerSettingsFile() : std::string()});
  if (drv_folder_blank_) {
    run_log_->Note({"DrvFolder in ", UnpackerSettingsFile(), " is empty: the default ",
                    kDefaultDestination, " is used"});
  }
  LogTargets();
  if (tarnix_copy_note_.empty()) NoteTarnixCopy(false);
  run_log_->Note({tarnix_copy_note_});
}

void TForm1::LogTarnixOptions() {
  const std::string unreachable = TarnixUnreachable();
  if (!unreachable.empty()) {
    run_log_->Note({TarnixPlace(), ": options not written: ", unreachable});
    return;
  }
  run_log_->Note({TarnixPlace(), ": options written: [Options] DrvFolder=", ComboBox1->Text(),
                  ", DelDrvAfterInst=", Flag(CheckBox1->Checked()), "; [CopyFiles] DistrCopy=",
                  Flag(CheckBox2->Checked()), "; [Options] PostSetup=", Flag(TarnixMode)});
}

// Where the destination box's text puts archives and folders, as absolute
// paths, with the references its expansion left as written.
void TForm1::LogTargets() {
  const std::string destination = ComboBox1->Text();
  std::vector<std::string> unexpanded;
  const std::string expanded = ExpandEnvVars(destination, &unexpanded);
  const ApplyTargets targets = ChooseApplyTargets(destination);
  std::string line =
      Concat({"targets: archives into ", AbsolutePath(targets.archive_target), ", folders into ",
              AbsolutePath(targets.folder_target), "; destination '", destination, "'"});
  if (expanded.find_first_not_of(" \t") == std::string::npos) {
    line += Concat({" is empty: the default ", kDefaultDestination});
  }
  for (std::size_t i = 0; i < unexpanded.size(); ++i) {
    line += Concat({i == 0 ? "; not expanded: " : ", ", unexpanded[i]});
  }
  run_log_->Note({line});
}
