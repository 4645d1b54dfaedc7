#include "framework/strings.h"

#include "common/errors.h"

#include <cctype>

int TStrings::Add(const std::string& text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

void TStrings::AddStrings(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) Add(text);
}

int TStrings::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& item = Strings(i);
    if (item.size() != text.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < item.size() && same; ++k) {
      same = std::tolower(static_cast<unsigned char>(item[k])) ==
             std::tolower(static_cast<unsigned char>(text[k]));
    }
    if (same) return i;
  }
  return -1;
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> texts;
  for (int i = 0; i < Count(); ++i) texts.push_back(Strings(i));
  return texts;
}

void TStrings::Assign(const std::vector<std::string>& texts) {
  Clear();
  AddStrings(texts);
}

void TStrings::CheckIndex(int index, bool inserting) const {
  if (index < 0 || index > Count() || (!inserting && index == Count())) {
    throw IndexError("List index out of bounds (" + std::to_string(index) + ")");
  }
}

const std::string& TStringList::Strings(int index) const {
  CheckIndex(index, false);
  return items_[static_cast<std::size_t>(index)];
}

void TStringList::SetStrings(int index, const std::string& text) {
  CheckIndex(index, false);
  items_[static_cast<std::size_t>(index)] = text;
  Changed();
}

void TStringList::Insert(int index, const std::string& text) {
  CheckIndex(index, true);
  items_.insert(items_.begin() + index, text);
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index, false);
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  items_.clear();
  Changed();
}
