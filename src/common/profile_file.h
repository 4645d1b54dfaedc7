#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A Windows profile (ini) file, read and written through the private-profile
// functions: section and key names match without regard to case, a missing
// file reads as an empty one.
class ProfileFile {
 public:
  // Longest value a read returns; longer values are cut.
  static constexpr std::size_t kMaxValueLength = 2047;

  explicit ProfileFile(std::string path);

  const std::string& Path() const { return path_; }

  // One key=value line of a section, as the profile functions read it.
  struct Line {
    std::string name;   // before the first "=", trimmed
    std::string value;  // as ReadString gives it: trimmed, one pair of quotes removed
  };

  std::vector<std::string> SectionNames() const;
  // Every key=value line of a section in file order, repeated names and
  // empty ones included; comments and lines without "=" are no keys.
  std::vector<Line> SectionLines(std::string_view section) const;
  // Key names of a section in file order.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // A section is present only when it holds at least one key.
  bool SectionExists(std::string_view section) const;
  // A key is present even when its value is empty.
  bool KeyExists(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Decimal, or hexadecimal after "0x", "0X" or "$"; other text gives `fallback`.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;
  // Non-zero integers are on.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;
  bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value) const;
  bool WriteBool(std::string_view section, std::string_view key, bool value) const;

 private:
  std::string path_;
};
