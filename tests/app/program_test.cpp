#include <windows.h>

#include <gtest/gtest.h>

#include "app/texts.h"
#include "program_run.h"
#include "support/child_process.h"
#include "support/file_util.h"
#include "support/run_log_reader.h"
#include "support/temp_folder.h"

namespace {

using testing_support::MakeFolders;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

// A package tree with both kinds, hints and a preset, for the screenshots.
void WritePackages(const TempFolder& folder) {
  for (const char* name :
       {"DP_Chipset_Intel_wnt5.7z", "DP_LAN_Realtek_wnt5.7z", "DP_Sound_ADI_wnt5.7z"}) {
    WriteTextFile(folder / (std::string("Zipped\\") + name), "");
  }
  MakeFolders(folder / "UnZipped\\Modem");
  MakeFolders(folder / "UnZipped\\Reader");
}

std::string Settings(const std::string& copy_files, const std::string& options = "") {
  return "[Options]\r\nDelDrvAfterInst=1\r\n" + options + "[CopyFiles]\r\n" + copy_files +
         "[Hint]\r\nCHIPSET=Intel chipset\r\n[Select]\r\nDP_lan_realtek_wnt5.7z=1\r\n";
}

TEST(Program, WithoutPackagesEndsByItselfAfterItsCountdown) {
  TempFolder folder;
  const DWORD start = GetTickCount();
  ProgramRun program(folder.Path(), "");
  EXPECT_NE(program.WaitForWindow("Korvelund", 20000), nullptr);
  EXPECT_EQ(program.WaitForExit(30000), 0);
  // Five steps of one second, then the run's pauses and beeps.
  EXPECT_GE(GetTickCount() - start, 5000u);
}

enum class Way { kEscapeKey, kAltF4, kCloseMessage };

struct WayOut {
  Way way;
  const char* logged;
};

// Alt+F4 through the system's input queue into the foreground window. Sent
// through the X server instead, the keys that arrive after the window is gone
// reach Wine's desktop window, which then closes and takes every later test's
// windows with it.
void PressAltF4(HWND window) {
  SetForegroundWindow(window);
  INPUT inputs[4] = {};
  const WORD keys[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = keys[i];
    inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  ASSERT_EQ(SendInput(4, inputs, sizeof inputs[0]), 4u);
}

class ProgramWayOut : public testing::TestWithParam<WayOut> {};

// Every way out before Apply ends the program at once and ends its log with the reason.
TEST_P(ProgramWayOut, EndsItAtOnceAndEndsTheLog) {
  TempFolder folder;
  WritePackages(folder);
  WriteTextFile(folder / "Korvelund.ini",
                Settings("Timer=0\r\n", "LogFile=" + folder.Path() + "\\run.log\r\n"));
  ProgramRun program(folder.Path(), "");
  const HWND window = program.WaitForWindow("Korvelund", 20000);
  ASSERT_NE(window, nullptr);
  Sleep(500);
  switch (GetParam().way) {
    case Way::kEscapeKey:
      PressKey(window, "Escape");
      break;
    case Way::kAltF4:
      PressAltF4(window);
      break;
    case Way::kCloseMessage:
      PostMessageA(window, WM_CLOSE, 0, 0);
      break;
  }
  // Without a countdown nothing but the user ends it; the bound is for a busy machine.
  EXPECT_EQ(program.WaitForExit(15000), 0);
  const std::vector<std::string> events = testing_support::RunLogEvents(folder / "run.log");
  ASSERT_FALSE(events.empty());
  EXPECT_NE(events[0].find(", countdown off, "), std::string::npos) << events[0];
  EXPECT_EQ(events.back(), GetParam().logged);
}

INSTANTIATE_TEST_SUITE_P(Ways, ProgramWayOut,
                         testing::Values(WayOut{Way::kEscapeKey, "ended without a run: Esc"},
                                         WayOut{Way::kAltF4, "ended without a run: window closed"},
                                         WayOut{Way::kCloseMessage,
                                                "ended without a run: window closed"}));

TEST(Program, ScreenshotOfTheRussianWindow) {
  TempFolder folder;
  WritePackages(folder);
  WriteTextFile(folder / "Korvelund.ini", Settings("Timer=20\r\n"));
  ProgramRun program(folder.Path(), "");
  const HWND window = program.WaitForWindow("Korvelund", 20000);
  ASSERT_NE(window, nullptr);
  Sleep(1500);
  const std::string shot = TakeScreenshot("russian_window");
  EXPECT_NE(GetFileAttributesA(shot.c_str()), INVALID_FILE_ATTRIBUTES);
  PressKey(window, "Escape");
  EXPECT_EQ(program.WaitForExit(15000), 0);
}

TEST(Program, ScreenshotOfTheEnglishCompactWindow) {
  TempFolder folder;
  WritePackages(folder);
  WriteTextFile(folder / "Korvelund.ini", Settings("Timer=20\r\nLangEn=1\r\nHMin=1\r\n"));
  ProgramRun program(folder.Path(), "");
  const HWND window = program.WaitForWindow(std::string(EnglishTextSet().compact_caption), 20000);
  ASSERT_NE(window, nullptr);
  RECT bounds;
  GetWindowRect(window, &bounds);
  EXPECT_EQ(bounds.bottom - bounds.top, 132);
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU, 0);
  Sleep(1500);
  const std::string shot = TakeScreenshot("english_compact_window");
  EXPECT_NE(GetFileAttributesA(shot.c_str()), INVALID_FILE_ATTRIBUTES);
  PressKey(window, "Escape");
  EXPECT_EQ(program.WaitForExit(15000), 0);
}

// The log has its start and a line naming the places tried before the box shows.
TEST(Program, WithoutTheLibraryShowsTheErrorBoxAndNoWindow) {
  TempFolder folder;
  WritePackages(folder);
  const std::string log = folder / "run.log";
  WriteTextFile(folder / "Korvelund.ini", Settings("Timer=0\r\n", "LogFile=" + log + "\r\n"));
  ProgramRun program(folder.Path(), "", /*with_library=*/false);
  const HWND box = program.WaitForWindow("Application Error", 20000);
  ASSERT_NE(box, nullptr);
  const std::string text = testing_support::DialogText(box);
  EXPECT_NE(text.find("Could not load CreateObject function from 7za.dll"), std::string::npos)
      << text;
  EXPECT_NE(text.find("Perhaps 7za.dll not found"), std::string::npos) << text;
  EXPECT_EQ(program.WaitForWindow("Korvelund", 0), nullptr);
  char system[MAX_PATH];
  const std::string system_folder(system, GetSystemDirectoryA(system, MAX_PATH));
  const std::vector<std::string> events = testing_support::RunLogEvents(log);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_TRUE(events[0].starts_with("started: version ")) << events[0];
  EXPECT_EQ(events[1], "7za.dll not loaded (tried " + folder.Path() + "\\7za.dll, " +
                           system_folder +
                           "\\7za.dll): no window, the Application Error box and exit code 1");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.WaitForExit(10000), 1);
}

}  // namespace
