#pragma once

#include <cstdint>
#include <vector>

// Window descriptions are stored scrambled: every byte raised by 1, so that
// a scrambled one begins with these four bytes.
inline constexpr std::uint8_t kScrambledSignature[4] = {0x55, 0x51, 0x47, 0x31};

bool IsScrambledDescription(const std::uint8_t* data, std::size_t size);

// The plain description: every byte lowered by 1 (0x00 becomes 0xFF).
std::vector<std::uint8_t> UnscrambleDescription(const std::uint8_t* data, std::size_t size);
