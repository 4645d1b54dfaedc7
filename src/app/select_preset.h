#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The [Select] section of the settings file, read in one piece so that
// applying it costs one lookup per list entry. Keys are looked up by entry
// texts in name text (common/file_names.h); key names match without regard
// to case (the name rules); of several equal keys the first counts, as with
// the profile functions.
class SelectPreset {
 public:
  // No section at all.
  SelectPreset() = default;
  explicit SelectPreset(const std::string& settings_file);

  // The section holds at least one key.
  bool Present() const { return !values_.empty(); }
  // The key's integer value (decimal, or hexadecimal after "0x", "0X" or
  // "$"); `fallback` when the key is missing or no integer.
  std::int32_t Integer(std::string_view key, std::int32_t fallback) const;
  bool Ticked(std::string_view key) const { return Integer(key, 0) != 0; }

 private:
  std::map<std::string, std::string> values_;  // by upper-cased key name, in name text
};
