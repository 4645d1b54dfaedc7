#include <windows.h>

#include "app/crash_guard.h"
#include "app/unit1.h"

// An error that escapes start-up (a missing 7za.dll, say) ends in the
// "Application Error" box and exit code 1 before any window shows.
// A death in any thread ends in crash_guard's last log line and exit code.
// Otherwise the exit code is 0, or [Options] FailureExitCode after a failure.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  crash_guard::Install();
  int exit_code = 0;
  const int error_code = Application->Execute([&exit_code] {
    Application->Initialize();
    TForm1* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    exit_code = form->RunExitCode();
  });
  return error_code != 0 ? error_code : exit_code;
}
