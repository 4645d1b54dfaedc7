#include "support/run_log_reader.h"

#include <gtest/gtest.h>

#include <regex>

#include "support/file_util.h"

namespace testing_support {

std::vector<std::string> RunLogEvents(const std::string& path) {
  static const std::regex stamped(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d (.*))");
  const std::string text = ReadTextFile(path);
  std::vector<std::string> events;
  // A log in UTF-8 starts with its byte-order mark.
  std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "unterminated line: " << text.substr(start);
      break;
    }
    const std::string line = text.substr(start, end - start);
    std::smatch match;
    if (std::regex_match(line, match, stamped)) {
      events.push_back(match[1]);
    } else {
      ADD_FAILURE() << "line without a time stamp: " << line;
    }
    start = end + 2;
  }
  return events;
}

}  // namespace testing_support
