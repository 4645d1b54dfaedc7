#include <windows.h>

#include "support/child_process.h"

#include <algorithm>
#include <stdexcept>

namespace testing_support {

namespace {

std::string QuoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

std::string WindowText(HWND window) {
  char text[1024];
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

struct BoxSearch {
  DWORD process_id;
  const std::vector<std::string>* titles;
  std::vector<SeenBox>* seen;
  std::vector<HWND> answered;  // a box stays listed for a moment after OK
};

BOOL CALLBACK CollectStatic(HWND child, LPARAM found) {
  char class_name[32];
  GetClassNameA(child, class_name, sizeof class_name);
  if (lstrcmpiA(class_name, "Static") == 0) {
    const std::string text = WindowText(child);
    if (!text.empty()) *reinterpret_cast<std::string*>(found) += text;
  }
  return TRUE;
}

BOOL CALLBACK AnswerBox(HWND window, LPARAM search_pointer) {
  auto* search = reinterpret_cast<BoxSearch*>(search_pointer);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  if (std::find(search->answered.begin(), search->answered.end(), window) !=
      search->answered.end()) {
    return TRUE;
  }
  const std::string title = WindowText(window);
  if (std::find(search->titles->begin(), search->titles->end(), title) == search->titles->end()) {
    return TRUE;
  }
  search->seen->push_back({title, DialogText(window)});
  search->answered.push_back(window);
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

}  // namespace

std::string DialogText(void* box) {
  std::string text;
  EnumChildWindows(static_cast<HWND>(box), CollectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& boxes_to_answer, unsigned timeout_ms,
                     const std::string& working_folder) {
  std::string command_line = QuoteArgument(program);
  for (const std::string& argument : arguments) command_line += " " + QuoteArgument(argument);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      working_folder.empty() ? nullptr : working_folder.c_str(), &startup,
                      &process)) {
    throw std::runtime_error("cannot start " + program + ": error " +
                             std::to_string(GetLastError()));
  }
  CloseHandle(process.hThread);

  ChildResult result;
  BoxSearch search{process.dwProcessId, &boxes_to_answer, &result.boxes, {}};
  const DWORD started = GetTickCount();
  while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
    EnumWindows(AnswerBox, reinterpret_cast<LPARAM>(&search));
    if (GetTickCount() - started > timeout_ms) {
      TerminateProcess(process.hProcess, 255);
      WaitForSingleObject(process.hProcess, 5000);
      result.timed_out = true;
      break;
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  result.exit_code = static_cast<int>(code);
  return result;
}

}  // namespace testing_support
