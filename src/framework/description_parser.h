#pragma once

// The window description's text, parsed into a tree without creating
// anything; the grammar is given in description_reader.h.

#include "common/errors.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class EReadError : public Error {
 public:
  using Error::Error;
};

struct TPropValue {
  enum class Kind { Integer, String, Identifier, Set, List };
  Kind kind = Kind::Integer;
  std::int64_t integer = 0;
  std::string text;                  // String and Identifier
  std::vector<std::string> members;  // Set
  std::vector<TPropValue> items;     // List
  int line = 0;
};

struct TPropertyDescription {
  std::string name;  // dotted path, as "Font.Style"
  TPropValue value;
  int line = 0;
};

struct TObjectDescription {
  std::string name;
  std::string class_name;
  int line = 0;  // of the class name
  std::vector<TPropertyDescription> properties;
  std::vector<TObjectDescription> children;
};

// Objects and lists nest at most this deep.
constexpr int kMaxDescriptionNesting = 64;

// Parses one outer object; throws EReadError ("Line N: ...") on bad text.
TObjectDescription ParseDescription(const char* text, std::size_t size);
