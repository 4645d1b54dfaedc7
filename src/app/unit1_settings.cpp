#include <windows.h>

#include "app/unit1.h"

#include "app/command_line.h"
#include "app/package_rules.h"
#include "app/program_places.h"
#include "app/tarnix_file.h"
#include "app/window_layout.h"
#include "common/env_expand.h"
#include "common/paths.h"
#include "common/profile_file.h"
#include "common/program_paths.h"

namespace {

bool VariableIsEmpty(const char* name) {
  char value[2];
  return GetEnvironmentVariableA(name, value, sizeof value) == 0;
}

}  // namespace

void TForm1::PrepareEnvironment() {
  TarnixIniPath = TarnixIniPathIn(UnpackerSystemFolder());
  if (VariableIsEmpty("SrcDosPath")) {
    SetEnvironmentVariableA("SrcDosPath", ExtractFileDrive(UnpackerProgramFile()).c_str());
  }
}

void TForm1::LoadSettings() {
  settings_file_found_ = FileExists(UnpackerSettingsFile());
  if (settings_file_found_) {
    LoadSettingsFromFile();
  } else {
    LoadSettingsWithoutFile();
  }
}

void TForm1::LoadSettingsFromFile() {
  const ProfileFile settings(UnpackerSettingsFile());
  if (settings.KeyExists("Options", "DelDrvAfterInst")) {
    CheckBox1->SetChecked(settings.ReadBool("Options", "DelDrvAfterInst", false));
  }
  if (settings.KeyExists("CopyFiles", "DistrCopy")) {
    CheckBox2->SetChecked(settings.ReadBool("CopyFiles", "DistrCopy", false));
  }
  if (settings.KeyExists("CopyFiles", "Tarnix")) {
    TarnixMode = settings.ReadBool("CopyFiles", "Tarnix", false);
  }
  if (settings.KeyExists("Options", "DrvFolder")) {
    const std::string drv_folder = settings.ReadString("Options", "DrvFolder", "");
    drv_folder_blank_ = ExpandEnvVars(drv_folder).find_first_not_of(" \t") == std::string::npos;
    SelectDestination(DestinationFolderValue(drv_folder));
  }
  const std::string source = settings.ReadString("CopyFiles", "DrvSource", "");
  PackageRoot = source.empty() ? ExtractFilePath(UnpackerProgramFile()) : ExpandEnvVars(source);
  if (settings.KeyExists("CopyFiles", "Timer")) {
    Countdown = settings.ReadInteger("CopyFiles", "Timer", 0);
  }
  if (settings.KeyExists("CopyFiles", "LangEn")) {
    if (settings.ReadInteger("CopyFiles", "LangEn", 0) == 1) {
      SwitchToEnglish();
    } else {
      EnglishTexts = false;
    }
  }
  if (settings.KeyExists("CopyFiles", "HMin") &&
      settings.ReadInteger("CopyFiles", "HMin", 0) == 1) {
    EnterCompactMode();
  }
  ChooseCompactCaption();
  // Every line an entry, as it stands: a repeated name is a later entry.
  std::vector<std::string> pairs;
  for (const ProfileFile::Line& line : settings.SectionLines("Hint")) {
    pairs.push_back(line.name + "=" + line.value);
  }
  if (!pairs.empty()) HintTable = std::move(pairs);
  if (TarnixMode) {
    NoteTarnixCopy(MirrorSettingsIntoTarnix(settings.Path(), TarnixIniPath));
  } else {
    CheckBox1->SetChecked(false);
    CheckBox1->SetEnabled(false);
  }
}

// Selects the entry equal to `value` (the last of equal ones), or appends it.
void TForm1::SelectDestination(const std::string& value) {
  TStrings& entries = ComboBox1->Items();
  int selected = -1;
  for (int i = 0; i < entries.Count(); ++i) {
    if (entries.Strings(i) == value) selected = i;
  }
  if (selected < 0) selected = entries.Add(value);
  ComboBox1->SetItemIndex(selected);
}

void TForm1::LoadSettingsWithoutFile() {
  ScanCommandLineArguments();
  CheckBox2->Hide();
  CollapsePanel1->SetHeight(kReducedOptionsHeight);
  ComboBox1->SetText("%Systemdrive%\\D");
  PackageRoot = ExtractFilePath(UnpackerProgramFile());
}

void TForm1::ScanCommandLineArguments() {
  const CommandLineOptions options = ScanCommandLine(UnpackerArguments());
  if (options.countdown) Countdown = *options.countdown;
  if (options.english) SwitchToEnglish();
  if (options.compact) EnterCompactMode();
  ChooseCompactCaption();
}

void TForm1::SaveOptions() {
  WriteTarnixOptions(TarnixIniPath,
                     {ComboBox1->Text(), CheckBox1->Checked(), CheckBox2->Checked(), TarnixMode});
}
