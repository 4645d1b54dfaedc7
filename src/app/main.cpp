#include <windows.h>

#include "app/unit1.h"

// An error that escapes start-up (a missing 7za.dll, say) ends in the
// "Application Error" box and exit code 1 before any window shows.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return Application->Execute([] {
    Application->Initialize();
    TForm1* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
  });
}
