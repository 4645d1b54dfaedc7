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

void RunDistributionCopy(const CopyPlan& plan, const ShellOperations& shell) {
  if (!DistributionCopyWanted(plan.first_settings, plan.second_settings)) return;

  // A failed copy removes the copy folder only when this run made it: an
  // earlier copy that was there before must survive.
  const bool copy_folder_existed = DirectoryExists(plan.copy_folder);
  if (shell.copy(plan.copy_source, plan.copy_destination)) {
    {
      const MachineKey setup(plan.setup_key);
      setup.WriteString("SourcePath", plan.new_setup_source);
      setup.WriteString("ServicePackSourcePath", plan.new_setup_source);
    }
    MachineKey(plan.system_key).WriteString("SourcePath", plan.new_system_source);
    if (DirectoryExists(plan.service_pack_folder)) shell.remove(plan.service_pack_folder);
  } else if (DirectoryExists(plan.copy_source) && !copy_folder_existed) {
    shell.remove(plan.copy_folder);
  }
}
