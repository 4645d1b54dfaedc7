#include "program_run.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "common/paths.h"
#include "common/program_paths.h"
#include "support/file_util.h"
#include "support/host_command.h"

using testing_support::MakeFolders;
using testing_support::RunHostCommand;
using testing_support::UnixPath;

namespace {

struct WindowSearch {
  DWORD process_id;
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process_id || !IsWindowVisible(window)) return TRUE;
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  if (search.caption == nullptr || *search.caption == text) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

ProgramRun::ProgramRun(const std::string& folder, const std::string& arguments, bool with_library,
                       bool copy_program) {
  const std::string here = ExtractFilePath(ProgramFileName());
  if (copy_program) {
    MakeFolders(folder);
    CopyFileA((here + "Korvelund.exe").c_str(), (folder + "\\Korvelund.exe").c_str(), FALSE);
    if (with_library)
      CopyFileA((here + "7za.dll").c_str(), (folder + "\\7za.dll").c_str(), FALSE);
  }
  std::string command = "\"" + folder + "\\Korvelund.exe\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process_)) {
    ADD_FAILURE() << "cannot start " << command << ": error " << GetLastError();
  }
}

ProgramRun::~ProgramRun() {
  if (process_.hProcess == nullptr) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

void ProgramRun::Kill() {
  if (process_.hProcess == nullptr) return;
  TerminateProcess(process_.hProcess, 99);
  WaitForSingleObject(process_.hProcess, 10000);
}

int ProgramRun::WaitForExit(DWORD timeout_ms) {
  if (process_.hProcess == nullptr) return -1;
  if (WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<int>(code);
}

HWND ProgramRun::WaitForWindow(const std::string& caption, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  do {
    WindowSearch search{process_.dwProcessId, &caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(100);
  } while (GetTickCount() - start < timeout_ms);
  return nullptr;
}

bool ProgramRun::HasVisibleWindow() {
  WindowSearch search{process_.dwProcessId, nullptr, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found != nullptr;
}

std::string TakeScreenshot(const std::string& name) {
  const std::string folder = ExtractFilePath(ProgramFileName()) + "..\\screenshots";
  MakeFolders(folder);
  const std::string path = folder + "\\" + name + ".png";
  DeleteFileA(path.c_str());
  const auto result = RunHostCommand({"import", "-window", "root", UnixPath(path)});
  EXPECT_EQ(result.exit_code, 0) << result.output;
  return path;
}

void PressKey(HWND window, const std::string& key) {
  // The X window behind the Wine window: the key goes straight to it, so that
  // a window of another test taking the focus meanwhile cannot catch it.
  const auto x_window =
      reinterpret_cast<std::uintptr_t>(GetPropA(window, "__wine_x11_whole_window"));
  ASSERT_NE(x_window, 0u);
  const std::string id = std::to_string(x_window);
  const auto focus = RunHostCommand({"timeout", "10", "xdotool", "windowfocus", "--sync", id});
  EXPECT_EQ(focus.exit_code, 0) << focus.output;
  const auto result = RunHostCommand({"xdotool", "key", "--window", id, key});
  EXPECT_EQ(result.exit_code, 0) << result.output;
}
