#include "run_log_text.h"

#include <cstdio>

std::string LogLine(const LogTime& time, std::string_view event) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", time.year % 10000,
                time.month % 100, time.day % 100, time.hour % 100, time.minute % 100,
                time.second % 100);
  std::string line = stamp;
  line.append(event);
  line += "\r\n";
  return line;
}

std::string RunResultText(std::uint32_t failures) {
  if (failures == 0) return "result: ok";
  return "result: " + std::to_string(failures) + (failures == 1 ? " failure" : " failures");
}

std::string SecondsText(std::uint32_t milliseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%u.%03u s", milliseconds / 1000, milliseconds % 1000);
  return text;
}
