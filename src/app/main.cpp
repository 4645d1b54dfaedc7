#include <windows.h>

#include "app/crash_guard.h"
#include "app/unit1.h"

// An error that escapes start-up (a missing 7za.dll, say) ends in the
// "Application Error" box and exit code 1 before any window shows.
// A death in any thread ends in crash_guard's last log line and exit code.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  crash_guard::Install();
  return Application->Execute([] {
    Application->Initialize();
    TForm1* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
  });
}
