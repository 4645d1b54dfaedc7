#include "run_log_text.h"

namespace {

// `value` in decimal, left-padded with zeros to `width` digits. No printf:
// it would bring the C library's formatter into both programs.
std::string Digits(std::uint32_t value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

std::uint32_t Field(int value, std::uint32_t limit) {
  return value < 0 ? 0 : static_cast<std::uint32_t>(value) % limit;
}

}  // namespace

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (const std::string_view part : parts) size += part.size();
  std::string text;
  text.reserve(size);
  for (const std::string_view part : parts) text.append(part);
  return text;
}

std::string LogLine(const LogTime& time, std::string_view event) {
  std::string line = Digits(Field(time.year, 10000), 4) + "-" + Digits(Field(time.month, 100), 2) +
                     "-" + Digits(Field(time.day, 100), 2) + " " +
                     Digits(Field(time.hour, 100), 2) + ":" + Digits(Field(time.minute, 100), 2) +
                     ":" + Digits(Field(time.second, 100), 2) + " ";
  line.append(event);
  line += "\r\n";
  return line;
}

std::string RunResultText(std::uint32_t failures) {
  if (failures == 0) return "result: ok";
  return "result: " + std::to_string(failures) + (failures == 1 ? " failure" : " failures");
}

std::string SecondsText(std::uint32_t milliseconds) {
  return std::to_string(milliseconds / 1000) + "." + Digits(milliseconds % 1000, 3) + " s";
}
