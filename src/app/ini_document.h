#pragma once

#include <string>
#include <string_view>
#include <vector>

// A whole profile file held in memory, for rewriting it in one piece.
// Loading normalises it: lines trimmed, blank lines, ";" comments and lines
// before the first section dropped, blanks around the first "=" removed.
// Section headers are read as the profile functions read them.
class IniDocument {
 public:
  using SameText = bool (*)(std::string_view, std::string_view);

  // Section and key names are compared with `same_text`.
  explicit IniDocument(SameText same_text);

  void Load(std::string_view text);
  // Replaces the line of `key` in `section` (names compared with `same_text`)
  // by key=value, or appends it to the section; a new section goes last.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // Each section: its header, its lines, one empty line; CR LF line ends.
  std::string Text() const;

 private:
  struct Section {
    std::string name;
    std::vector<std::string> lines;
  };

  Section& FindOrAddSection(std::string_view name);

  SameText same_text_;
  std::vector<Section> sections_;
};
