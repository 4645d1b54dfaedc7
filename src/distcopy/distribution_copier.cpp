#include <windows.h>

#include "distcopy/distribution_copier.h"

#include "common/paths.h"
#include "common/program_paths.h"
#include "distcopy/copy_check.h"
#include "distcopy/copy_decision.h"
#include "distcopy/setup_registry.h"
#include "distcopy/shell_operations.h"

namespace {

std::string FolderFrom(UINT (*WINAPI query)(LPSTR, UINT)) {
  char buffer[256];
  const UINT length = query(buffer, 255);
  return length > 0 && length < 255 ? std::string(buffer, length) : std::string();
}

const char* Outcome(bool ok) { return ok ? "ok" : "failed"; }

void LogDecision(RunLog& log, const CopyDecision& decision, const CopyPlan& plan) {
  if (decision.settings_file.empty()) {
    log.Write({"no distribution copy: neither ", plan.first_settings, " nor ", plan.second_settings,
               " has [CopyFiles] DistrCopy"});
    return;
  }
  log.Write({decision.copy ? "distribution copy" : "no distribution copy",
             ": [CopyFiles] DistrCopy=", decision.value, " in ", decision.settings_file});
}

// Writes one setup source value, logging its old and new text first: a
// failed write throws and ends the run.
void WriteLogged(RunLog& log, const MachineKey& key, const std::string& key_path, const char* name,
                 const std::string& value) {
  const std::string place = Concat({"registry HKLM\\", key_path, "\\", name, ": "});
  const std::string old_value = key.ValueText(name);
  try {
    key.WriteString(name, value);
  } catch (const RegistryError&) {
    log.Write({place, "could not be set to '", value, "' (was ", old_value, ")"});
    throw;
  }
  log.Write({place, old_value, " -> '", value, "'"});
}

}  // namespace

CopierInputs GatherInputs(int argc, char** argv) {
  CopierInputs inputs;
  inputs.setup_source = MachineKey(kSetupKey).ReadString("SourcePath");
  inputs.windows_folder = FolderFrom(GetWindowsDirectoryA);
  inputs.system_folder = FolderFrom(GetSystemDirectoryA);
  inputs.program_folder = ExtractFilePath(ProgramFileName());
  if (argc > 1) inputs.argument = argv[1];
  return inputs;
}

ShellOperations SystemShell() {
  // Success is decided from what is on disk: the shell may report success
  // for a copy a full disk cut short.
  const auto copy = [](const std::string& source, const std::string& destination) {
    return ShellCopy(source, destination) && CopyIsComplete(source, destination);
  };
  return ShellOperations{copy, ShellDelete};
}

void RunDistributionCopy(const CopyPlan& plan, RunLog& log, const ShellOperations& shell) {
  log.Write({"copy source ", plan.copy_source, ", target ", plan.copy_destination});
  const CopyDecision decision = DecideDistributionCopy(plan.first_settings, plan.second_settings);
  LogDecision(log, decision, plan);
  if (!decision.copy) return;

  // A failed copy removes the copy folder only when this run made it: an
  // earlier copy that was there before must survive.
  const bool copy_folder_existed = DirectoryExists(plan.copy_folder);
  // A folder named without "\*.*" is copied by its contents, as the pattern
  // form is: the shell would put the folder itself inside the copy folder,
  // one level below where the registry is pointed.
  const std::string source = DirectoryExists(plan.copy_source)
                                 ? IncludeTrailingBackslash(plan.copy_source) + "*.*"
                                 : plan.copy_source;
  if (source != plan.copy_source) log.Write({"copy source is a folder: copying ", source});
  const bool copied = shell.copy(source, plan.copy_destination);
  log.Write({"shell copy: ", Outcome(copied)});
  if (copied) {
    {
      const MachineKey setup(plan.setup_key);
      WriteLogged(log, setup, plan.setup_key, "SourcePath", plan.new_setup_source);
      WriteLogged(log, setup, plan.setup_key, "ServicePackSourcePath", plan.new_setup_source);
    }
    WriteLogged(log, MachineKey(plan.system_key), plan.system_key, "SourcePath",
                plan.new_system_source);
    if (DirectoryExists(plan.service_pack_folder)) {
      const bool removed = shell.remove(plan.service_pack_folder);
      log.Write({"shell delete ", plan.service_pack_folder, ": ", Outcome(removed)});
    }
  } else if (DirectoryExists(plan.copy_source) && !copy_folder_existed) {
    const bool removed = shell.remove(plan.copy_folder);
    log.Write({"shell delete ", plan.copy_folder, ": ", Outcome(removed)});
  }
}
