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

}  // namespace

IniDocument::IniDocument(SameText same_text) : same_text_(same_text) {}

void IniDocument::Load(std::string_view text) {
  sections_.clear();
  Section* current = nullptr;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    // A header as the profile functions read it: the name runs to the line's
    // last "]", blanks around it dropped; a comment may follow.
    const std::size_t close = line.front() == '[' ? line.rfind(']') : std::string_view::npos;
    if (close != std::string_view::npos) {
      current = &FindOrAddSection(Trim(line.substr(1, close - 1)));
    } else if (current != nullptr) {
      current->lines.push_back(NormalisedLine(line));
    }
  }
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  Section& target = FindOrAddSection(section);
  for (std::string& existing : target.lines) {
    const std::size_t separator = existing.find('=');
    if (separator != std::string::npos &&
        same_text_(std::string_view(existing).substr(0, separator), key)) {
      existing = std::move(line);
      return;
    }
  }
  target.lines.push_back(std::move(line));
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
  for (Section& section : sections_) {
    if (same_text_(section.name, name)) return section;
  }
  sections_.push_back(Section{std::string(name), {}});
  return sections_.back();
}
