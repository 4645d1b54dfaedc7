#include <windows.h>

#include "ansi_text.h"

std::string AnsiUpperCase(std::string_view text) {
  std::string result(text);
  if (!result.empty()) CharUpperBuffA(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

std::string AnsiLowerCase(std::string_view text) {
  std::string result(text);
  if (!result.empty()) CharLowerBuffA(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AnsiUpperCase(a) == AnsiUpperCase(b);
}
