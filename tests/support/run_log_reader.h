#pragma once

#include <string>
#include <vector>

namespace testing_support {

// The events of a run log file, each line without its time stamp. Every
// line must carry a stamp and end in CR LF; a test fails where one does not.
std::vector<std::string> RunLogEvents(const std::string& path);

}  // namespace testing_support
