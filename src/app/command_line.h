#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the arguments ask for when there is no settings file.
struct CommandLineOptions {
  std::optional<std::int32_t> countdown;  // the first all-digit argument that fits 32 bits
  bool english = false;                   // "en", any letter case
  bool compact = false;                   // "h", any letter case
};

// `arguments` without the program name. Other arguments are ignored, and so
// is an all-digit one too large for a signed 32-bit integer.
CommandLineOptions ScanCommandLine(const std::vector<std::string>& arguments);
