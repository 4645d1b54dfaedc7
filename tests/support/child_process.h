#pragma once

#include <string>
#include <vector>

namespace testing_support {

// A message box a child process showed, as the test found it.
struct SeenBox {
  std::string title;
  std::string text;
};

struct ChildResult {
  int exit_code = -1;
  bool timed_out = false;      // the child was killed after `timeout_ms`
  std::vector<SeenBox> boxes;  // boxes answered with OK, in order
};

// The text of a message box: its static controls' texts together.
std::string DialogText(void* box);

// Runs a Windows program with `arguments` (quoted by the usual rules) in
// `working_folder` (empty: the test's own) and waits for its end. Every
// top-level dialog of the child whose title is in `boxes_to_answer` is read
// and answered with OK, so that no test hangs on a box; a child still running
// after `timeout_ms` is killed.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& boxes_to_answer, unsigned timeout_ms = 60000,
                     const std::string& working_folder = "");

}  // namespace testing_support
