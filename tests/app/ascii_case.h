#pragma once

#include <string>
#include <string_view>

// Code-page-free case rules for the host tests of the unpacker's rules.
inline std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

inline std::string AsciiLower(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

inline bool AsciiSameText(std::string_view a, std::string_view b) {
  return AsciiUpper(a) == AsciiUpper(b);
}
