#include "framework/application.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ChildResult {
  DWORD exit_code = 0;
  int boxes = 0;
  std::string box_text;
};

struct BoxSearch {
  DWORD process_id;
  HWND box;
};

BOOL CALLBACK FindErrorBox(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<BoxSearch*>(lparam);
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  if (process_id == search->process_id && std::string(title) == "Application Error" &&
      IsWindowVisible(window)) {
    search->box = window;
    return FALSE;
  }
  return TRUE;
}

// Runs this test program in a child mode, answers each error box it shows
// and returns its exit code; never waits longer than a few seconds.
ChildResult RunChild(const char* mode) {
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string command = std::string("\"") + program + "\" " + mode;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ChildResult result;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "cannot start " << command;
    return result;
  }
  const DWORD start = GetTickCount();
  while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
    BoxSearch search{process.dwProcessId, nullptr};
    EnumWindows(FindErrorBox, reinterpret_cast<LPARAM>(&search));
    if (search.box) {
      ++result.boxes;
      char text[512] = {};
      GetDlgItemTextA(search.box, 0xFFFF, text, sizeof text);
      result.box_text = text;
      PostMessageA(search.box, WM_COMMAND, IDOK, 0);
      Sleep(200);
    }
    if (GetTickCount() - start > 20000) {
      TerminateProcess(process.hProcess, 99);
      ADD_FAILURE() << "child " << mode << " hung";
      break;
    }
  }
  GetExitCodeProcess(process.hProcess, &result.exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

TEST(ApplicationErrorTest, UncaughtErrorShowsOneBoxAndExitsWithCodeOne) {
  const ChildResult result = RunChild("--child=throw");
  EXPECT_EQ(result.exit_code, 1u);
  EXPECT_EQ(result.boxes, 1);
  EXPECT_EQ(result.box_text, "Cannot load the library\r\nsecond line");
}

TEST(ApplicationErrorTest, FormWithoutDescriptionFailsCreationBeforeAnyWindow) {
  const ChildResult result = RunChild("--child=missing-form");
  EXPECT_EQ(result.exit_code, 1u);
  EXPECT_EQ(result.boxes, 1);
  EXPECT_EQ(result.box_text, "Resource TNODESCRIPTION not found");
}

TEST(ApplicationErrorTest, ErrorInAHandlerEndsTheLoopWithTheBox) {
  const ChildResult result = RunChild("--child=handler-throws");
  EXPECT_EQ(result.exit_code, 1u);
  EXPECT_EQ(result.boxes, 1);
  EXPECT_EQ(result.box_text, "handler failed");
}

TEST(ApplicationErrorTest, TerminateFromAHandlerEndsRunWithExitCodeZero) {
  for (const char* mode : {"--child=quit", "--child=terminate-before-run"}) {
    const ChildResult result = RunChild(mode);
    EXPECT_EQ(result.exit_code, 0u) << mode;
    EXPECT_EQ(result.boxes, 0) << mode;
  }
}

}  // namespace
