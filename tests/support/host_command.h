#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct HostResult {
  int exit_code = -1;
  std::string output;  // stdout and stderr together
};

// Runs a program of the Linux host and waits for it. Wine starts Unix
// executables but hands back no process handle, so the command runs inside a
// shell script that reports its exit status through a file. Arguments are
// passed as given: give Unix paths (UnixPath) for files. An empty
// `working_folder` (a Windows path) keeps the test's current folder.
HostResult RunHostCommand(const std::vector<std::string>& argv,
                          const std::string& working_folder = "");

// Runs Debian's 7zz (the fixtures' archive maker) with `arguments`.
HostResult Run7zz(const std::vector<std::string>& arguments,
                  const std::string& working_folder = "");

}  // namespace testing_support
