#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Names of a profile file compare equal when their folded (upper-cased) forms do.
using NameFold = std::string (*)(std::string_view);

// A whole profile file held in memory, for rewriting it in one piece.
// Loading normalises it: lines trimmed, blank lines, ";" comments and lines
// before the first section dropped, blanks around the first "=" removed.
// Section headers are read as the profile functions read them.
class IniDocument {
 public:
  explicit IniDocument(NameFold fold);

  void Load(std::string_view text);
  // Replaces the line of `key` in `section` (names compared folded) by
  // key=value, or appends it to the section; a new section goes last.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // Each section: its header, its lines, one empty line; CR LF line ends.
  std::string Text() const;

 private:
  struct Section {
    std::string name;
    std::vector<std::string> lines;
    // Folded key name -> index in `lines`; a file of any size loads in linear time.
    std::map<std::string, std::size_t> keys;
  };

  Section& FindOrAddSection(std::string_view name);

  NameFold fold_;
  std::vector<Section> sections_;
  std::map<std::string, std::size_t> section_index_;
};

// Every key's value in profile text (trimmed, one pair of quotes removed), by folded section name
// and folded key name, read in one pass: the first line of a key counts, and sections of one name
// count as one. Lines without "=", ";" comments and lines before the first section are no keys.
using ProfileValues = std::map<std::pair<std::string, std::string>, std::string>;
ProfileValues ReadProfileValues(std::string_view text, NameFold fold);
