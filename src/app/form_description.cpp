#include "form_description.h"

#include <algorithm>

bool IsScrambledDescription(const std::uint8_t* data, std::size_t size) {
  return size >= sizeof kScrambledSignature &&
         std::equal(std::begin(kScrambledSignature), std::end(kScrambledSignature), data);
}

std::vector<std::uint8_t> UnscrambleDescription(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> plain(data, data + size);
  for (std::uint8_t& byte : plain) byte = static_cast<std::uint8_t>(byte - 1);
  return plain;
}
