#include <windows.h>

#include <cstdlib>
#include <exception>

#include "distcopy/distribution_copier.h"

// No window of its own: the shell's dialogs are all a user sees, and one
// error box when a registry write fails.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    RunDistributionCopy(MakeCopyPlan(GatherInputs(__argc, __argv)));
    return 0;
  } catch (const std::exception& error) {
    MessageBoxA(nullptr, error.what(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return 1;
  }
}
