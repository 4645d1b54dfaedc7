#include "command_line.h"

#include <algorithm>
#include <charconv>
#include <ranges>

namespace {

bool AllDigits(const std::string& text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::int32_t> DecimalValue(const std::string& digits) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// Only ASCII letters can make "en" or "h", so ASCII lower-casing is enough.
std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

CommandLineOptions ScanCommandLine(const std::vector<std::string>& arguments) {
  CommandLineOptions options;
  // Visited from the last to the first: of several numbers, the first one wins.
  for (const std::string& argument : std::views::reverse(arguments)) {
    if (AllDigits(argument)) {
      if (const auto value = DecimalValue(argument)) options.countdown = value;
    }
    const std::string lower = AsciiLower(argument);
    if (lower == "en") options.english = true;
    if (lower == "h") options.compact = true;
  }
  return options;
}
