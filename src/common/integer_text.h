#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Integer text as the settings files hold it: optional leading blanks and
// sign, then decimal digits, or hexadecimal digits after "$", "0x" or "0X".
// Decimal values must fit a signed 32-bit integer; hexadecimal ones may use
// all 32 bits and wrap (0xFFFFFFFF is -1). Anything else is no integer.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// ParseInteger, with `fallback` for text that is no integer.
std::int32_t IntegerOr(std::string_view text, std::int32_t fallback);
