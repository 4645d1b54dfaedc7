#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Korvelund.exe started from a folder of its own, as a user would start it.
class ProgramRun {
 public:
  // Copies the program (and 7za.dll unless told not to) from the tests'
  // folder into `folder`, then starts it there with `arguments`. With
  // `copy_program` false the program already lies there (a read-only folder).
  ProgramRun(const std::string& folder, const std::string& arguments, bool with_library = true,
             bool copy_program = true);
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  // The exit code, or -1 when the program was still running after
  // `timeout_ms` (it is then ended).
  int WaitForExit(DWORD timeout_ms);
  // A visible top-level window of the program with this caption, waiting up
  // to `timeout_ms`; null when none appeared.
  HWND WaitForWindow(const std::string& caption, DWORD timeout_ms);
  bool HasVisibleWindow();
  // Ends the program now, as a crash or a power cut would; waits until it is gone.
  void Kill();

 private:
  PROCESS_INFORMATION process_{};
};

// Saves a picture of the whole (virtual) screen as build/<preset>/screenshots/NAME.png.
std::string TakeScreenshot(const std::string& name);

// Presses and releases a key in the window, through the X server.
void PressKey(HWND window, const std::string& key);
