#include "ini_document.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string NormalisedLine(std::string_view line) {
  const std::size_t separator = line.find('=');
  if (separator == std::string_view::npos) return std::string(line);
  return std::string(Trim(line.substr(0, separator))) + "=" +
         std::string(Trim(line.substr(separator + 1)));
}

// One pair of enclosing quotes goes, as the profile functions read a value.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// Walks the lines of profile text, trimmed, without blank lines and ";"
// comments: `header` gets each section's name, `line` every other line.
template <typename OnHeader, typename OnLine>
void WalkLines(std::string_view text, OnHeader header, OnLine line_of_section) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    // A header as the profile functions read it: the name runs to the line's
    // last "]", blanks around it dropped; a comment may follow.
    const std::size_t close = line.front() == '[' ? line.rfind(']') : std::string_view::npos;
    if (close != std::string_view::npos) {
      header(Trim(line.substr(1, close - 1)));
    } else {
      line_of_section(line);
    }
  }
}

}  // namespace

IniDocument::IniDocument(NameFold fold) : fold_(fold) {}

void IniDocument::Load(std::string_view text) {
  sections_.clear();
  section_index_.clear();
  Section* current = nullptr;
  WalkLines(
      text, [&](std::string_view name) { current = &FindOrAddSection(name); },
      [&](std::string_view line) {
        if (current == nullptr) return;
        std::string normalised = NormalisedLine(line);
        const std::size_t separator = normalised.find('=');
        if (separator != std::string::npos) {
          current->keys.emplace(fold_(std::string_view(normalised).substr(0, separator)),
                                current->lines.size());
        }
        current->lines.push_back(std::move(normalised));
      });
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  Section& target = FindOrAddSection(section);
  const auto [found, added] = target.keys.emplace(fold_(key), target.lines.size());
  if (added) {
    target.lines.push_back(std::move(line));
  } else {
    target.lines[found->second] = std::move(line);
  }
}

std::string IniDocument::Text() const {
  std::string text;
  for (const Section& section : sections_) {
    text += "[" + section.name + "]\r\n";
    for (const std::string& line : section.lines) text += line + "\r\n";
    text += "\r\n";
  }
  return text;
}

IniDocument::Section& IniDocument::FindOrAddSection(std::string_view name) {
  const auto [found, added] = section_index_.emplace(fold_(name), sections_.size());
  if (added) sections_.push_back(Section{std::string(name), {}, {}});
  return sections_[found->second];
}

ProfileValues ReadProfileValues(std::string_view text, NameFold fold) {
  ProfileValues values;
  std::string section;
  bool in_section = false;
  WalkLines(
      text,
      [&](std::string_view name) {
        section = fold(name);
        in_section = true;
      },
      [&](std::string_view line) {
        const std::size_t separator = line.find('=');
        if (!in_section || separator == std::string_view::npos) return;
        // The first line of a key counts; sections of one name count as one.
        values.emplace(std::pair(section, fold(Trim(line.substr(0, separator)))),
                       std::string(Unquoted(Trim(line.substr(separator + 1)))));
      });
  return values;
}
