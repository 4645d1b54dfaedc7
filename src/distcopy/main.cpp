#include <windows.h>

#include <cstdlib>
#include <exception>

#include "common/paths.h"
#include "common/program_paths.h"
#include "common/run_log.h"
#include "distcopy/distribution_copier.h"

// No window of its own: the shell's dialogs are all a user sees, and one
// error box when a registry write fails.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string folder = ExtractFilePath(ProgramFileName());
  RunLog log(RunLogPath(folder + "Korvelund.ini", WindowsFolder()), "Halbrent.exe");
  log.Write({"started: version " KORVELUND_VERSION ", ", RunningSystemText(), ", folder ", folder});
  const DWORD start = GetTickCount();
  try {
    const CopyAmount copied = RunDistributionCopy(MakeCopyPlan(GatherInputs(__argc, __argv)), log);
    log.Write({"exit code 0: ", DecimalText(static_cast<std::int64_t>(copied.files)), " files, ",
               DecimalText(static_cast<std::int64_t>(copied.bytes)), " bytes copied, ",
               SecondsText(GetTickCount() - start)});
    return 0;
  } catch (const std::exception& error) {
    log.Write({"exit code 1: ", error.what()});
    MessageBoxA(nullptr, error.what(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return 1;
  }
}
