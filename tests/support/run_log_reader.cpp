#include "support/run_log_reader.h"

#include <gtest/gtest.h>

#include <regex>

#include "support/file_util.h"

namespace testing_support {

std::vector<RunLogLine> RunLogLines(const std::string& path) {
  static const std::regex stamped(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d ([^ :]+\.exe): (.*))");
  std::string text = ReadTextFile(path);
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  std::vector<RunLogLine> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "unterminated line: " << text.substr(start);
      break;
    }
    const std::string line = text.substr(start, end - start);
    std::smatch match;
    if (std::regex_match(line, match, stamped)) {
      lines.push_back({match[1], match[2]});
    } else {
      ADD_FAILURE() << "line without a time stamp and a program: " << line;
    }
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> RunLogEvents(const std::string& path) {
  std::vector<std::string> events;
  for (RunLogLine& line : RunLogLines(path)) events.push_back(std::move(line.event));
  return events;
}

}  // namespace testing_support
