#pragma once

#include <string>
#include <string_view>

// Case rules of the system's ANSI code page (CharUpperBuffA / CharLowerBuffA).
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);

// Equal without regard to case, by the ANSI code page.
bool AnsiSameText(std::string_view a, std::string_view b);
