#include <windows.h>

#include "support/host_command.h"

#include "support/file_util.h"
#include "support/temp_folder.h"

#include <stdexcept>

namespace testing_support {

namespace {

std::string ShellQuote(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string CurrentFolder() {
  char folder[MAX_PATH * 2];
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  return std::string(folder, length);
}

}  // namespace

HostResult RunHostCommand(const std::vector<std::string>& argv, const std::string& working_folder) {
  TempFolder scratch;
  const std::string status = UnixPath(scratch / "status");
  const std::string log = UnixPath(scratch / "output");
  std::string script =
      "cd " + ShellQuote(UnixPath(working_folder.empty() ? CurrentFolder() : working_folder)) +
      " || exit 1\n";
  for (const std::string& argument : argv) script += ShellQuote(argument) + " ";
  script += ">" + ShellQuote(log) + " 2>&1\n";
  script += "echo $? >" + ShellQuote(status + ".tmp") + " && mv " + ShellQuote(status + ".tmp") +
            " " + ShellQuote(status) + "\n";
  WriteTextFile(scratch / "run.sh", script);

  std::string command_line = "Z:\\bin\\sh \"" + UnixPath(scratch / "run.sh") + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw std::runtime_error("cannot start the host shell");
  }
  // No handle to close: Wine starts a Unix program outside its own process
  // table and hands back whatever its uninitialised locals held. Closing
  // those values closed live handles of this process at random (standard
  // output, a job's events), and tests then ended silently or hung.

  const std::string status_file = scratch / "status";
  for (int waited = 0; GetFileAttributesA(status_file.c_str()) == INVALID_FILE_ATTRIBUTES;
       waited += 10) {
    if (waited > 300000) throw std::runtime_error("host command did not finish: " + argv.front());
    Sleep(10);
  }
  HostResult result;
  result.exit_code = std::stoi(ReadTextFile(status_file));
  result.output = ReadTextFile(scratch / "output");
  return result;
}

HostResult Run7zz(const std::vector<std::string>& arguments, const std::string& working_folder) {
  std::vector<std::string> argv{"7zz"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunHostCommand(argv, working_folder);
}

}  // namespace testing_support
