#pragma once

#include <string>
#include <vector>

namespace testing_support {

// One line of a run log without its time stamp.
struct RunLogLine {
  std::string program;  // "Korvelund.exe"
  std::string event;
};

// The lines of a run log file. Every line must carry a stamp and a program's
// name and end in CR LF; a test fails where one does not.
std::vector<RunLogLine> RunLogLines(const std::string& path);

// The events of a run log file (the lines' texts after the program's name).
std::vector<std::string> RunLogEvents(const std::string& path);

}  // namespace testing_support
