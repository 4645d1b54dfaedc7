#include "framework/description_reader.h"

#include "framework/framework_classes.h"
#include "framework/published.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {

enum class TokenKind { End, Identifier, Integer, String, Symbol };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;  // identifier, string bytes or the symbol
  std::int64_t integer = 0;
  int line = 1;
};

class Lexer {
 public:
  Lexer(const char* text, std::size_t size) : text_(text), end_(text + size) {}

  Token Next() {
    SkipBlanks();
    Token token;
    token.line = line_;
    if (text_ == end_) return token;
    const unsigned char c = static_cast<unsigned char>(*text_);
    if (std::isalpha(c) || c == '_') {
      token.kind = TokenKind::Identifier;
      while (text_ != end_ && (std::isalnum(static_cast<unsigned char>(*text_)) || *text_ == '_')) token.text += *text_++;
    } else if (std::isdigit(c) || c == '$' || (c == '-' && text_ + 1 != end_ && (std::isdigit(static_cast<unsigned char>(text_[1])) || text_[1] == '$'))) {
      ReadInteger(token);
    } else if (c == '\'' || c == '#') {
      ReadString(token);
    } else {
      token.kind = TokenKind::Symbol;
      token.text = std::string(1, *text_++);
    }
    return token;
  }

  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw EReadError("Line " + std::to_string(line) + ": " + message);
  }

 private:
  void SkipBlanks() {
    while (text_ != end_) {
      if (*text_ == '\n') {
        ++line_;
        ++text_;
      } else if (std::isspace(static_cast<unsigned char>(*text_)) || *text_ == '\0') {
        ++text_;
      } else if (*text_ == '/' && text_ + 1 != end_ && text_[1] == '/') {
        while (text_ != end_ && *text_ != '\n') ++text_;
      } else {
        break;
      }
    }
  }

  void ReadInteger(Token& token) {
    token.kind = TokenKind::Integer;
    bool negative = false;
    if (*text_ == '-') {
      negative = true;
      ++text_;
    }
    int base = 10;
    if (text_ != end_ && *text_ == '$') {
      base = 16;
      ++text_;
    }
    std::uint64_t value = 0;
    int digits = 0;
    while (text_ != end_ && std::isxdigit(static_cast<unsigned char>(*text_))) {
      const char d = static_cast<char>(std::tolower(static_cast<unsigned char>(*text_)));
      const int digit = std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : d - 'a' + 10;
      if (digit >= base) break;
      value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
      if (value > 0xFFFFFFFFull) Fail(line_, "Number too large");
      ++digits;
      ++text_;
    }
    if (digits == 0) Fail(line_, "Invalid number");
    if (text_ != end_ && (std::isalnum(static_cast<unsigned char>(*text_)) || *text_ == '_')) Fail(line_, "Invalid number");
    token.integer = negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
  }

  void ReadString(Token& token) {
    token.kind = TokenKind::String;
    for (;;) {
      if (text_ != end_ && *text_ == '\'') {
        ++text_;
        for (;;) {
          if (text_ == end_ || *text_ == '\n' || *text_ == '\r') Fail(line_, "Unterminated string");
          if (*text_ == '\'') {
            ++text_;
            if (text_ != end_ && *text_ == '\'') {
              token.text += '\'';
              ++text_;
              continue;
            }
            break;
          }
          token.text += *text_++;
        }
      } else if (text_ != end_ && *text_ == '#') {
        ++text_;
        int code = 0;
        int digits = 0;
        while (text_ != end_ && std::isdigit(static_cast<unsigned char>(*text_)) && code <= 255) {
          code = code * 10 + (*text_++ - '0');
          ++digits;
        }
        if (digits == 0 || code > 255) Fail(line_, "Invalid character code");
        token.text += static_cast<char>(code);
      } else {
        break;
      }
      // A '+' joins pieces, even across lines.
      const char* mark = text_;
      const int mark_line = line_;
      SkipBlanks();
      if (text_ != end_ && *text_ == '+') {
        ++text_;
        SkipBlanks();
        if (text_ == end_ || (*text_ != '\'' && *text_ != '#')) Fail(line_, "String expected after '+'");
      } else if (text_ == mark) {
        continue;
      } else {
        text_ = mark;
        line_ = mark_line;
        break;
      }
    }
  }

  const char* text_;
  const char* end_;
  int line_ = 1;
};

class Parser {
 public:
  Parser(const char* text, std::size_t size, TReader& reader) : lexer_(text, size), reader_(reader) { Advance(); }

  // object Name: Class ... end, into an existing component (the root) or a new one.
  void ReadObject(TComponent* existing, TComponent* parent) {
    ExpectWord("object");
    const Token name = Expect(TokenKind::Identifier, "Component name expected");
    ExpectSymbol(":");
    const Token class_name = Expect(TokenKind::Identifier, "Class name expected");
    TComponent* component = existing;
    if (!component) {
      const TComponentFactory* factory = FindComponentClass(class_name.text);
      if (!factory) lexer_.Fail(class_name.line, "Class " + class_name.text + " not found");
      TComponent* root = reader_.Root();
      if (root->FindComponent(name.text)) lexer_.Fail(name.line, "A component named " + name.text + " already exists");
      component = (*factory)(root);
      component->SetName(name.text);
      reader_.ComponentCreated(component);
      try {
        component->SetParentComponent(parent);
      } catch (const std::invalid_argument& error) {
        lexer_.Fail(class_name.line, error.what());
      }
      auto* published = dynamic_cast<const TPublished*>(root);
      if (published && !published->AssignField(name.text, component)) {
        lexer_.Fail(name.line, "Component " + name.text + " is of class " + class_name.text +
                                   ", which does not fit its field");
      }
    } else if (!name.text.empty()) {
      component->SetName(name.text);
    }
    while (!IsWord("end") && !IsWord("object")) ReadProperty(component);
    while (IsWord("object")) ReadObject(nullptr, component);
    ExpectWord("end");
  }

  void ExpectEnd() {
    if (current_.kind != TokenKind::End) lexer_.Fail(current_.line, "Text after the final end");
  }

 private:
  void ReadProperty(TComponent* component) {
    Token name = Expect(TokenKind::Identifier, "Property name expected");
    std::string path = name.text;
    while (IsSymbol(".")) {
      Advance();
      path += "." + Expect(TokenKind::Identifier, "Property name expected").text;
    }
    ExpectSymbol("=");
    const TPropValue value = ReadValue();
    if (!component->ReadProperty(reader_, path, value)) {
      lexer_.Fail(name.line, "Property " + path + " does not exist in " + component->ClassName());
    }
  }

  TPropValue ReadValue() {
    TPropValue value;
    value.line = current_.line;
    switch (current_.kind) {
      case TokenKind::Integer:
        value.kind = TPropValue::Kind::Integer;
        value.integer = current_.integer;
        Advance();
        return value;
      case TokenKind::String:
        value.kind = TPropValue::Kind::String;
        value.text = current_.text;
        Advance();
        return value;
      case TokenKind::Identifier:
        value.kind = TPropValue::Kind::Identifier;
        value.text = current_.text;
        Advance();
        return value;
      case TokenKind::Symbol:
        if (current_.text == "[") return ReadSet(value);
        if (current_.text == "(") return ReadList(value);
        break;
      case TokenKind::End:
        break;
    }
    lexer_.Fail(current_.line, "Property value expected");
  }

  TPropValue ReadSet(TPropValue& value) {
    value.kind = TPropValue::Kind::Set;
    Advance();
    if (IsSymbol("]")) {
      Advance();
      return value;
    }
    for (;;) {
      value.members.push_back(Expect(TokenKind::Identifier, "Set member expected").text);
      if (IsSymbol("]")) break;
      ExpectSymbol(",");
    }
    Advance();
    return value;
  }

  TPropValue ReadList(TPropValue& value) {
    value.kind = TPropValue::Kind::List;
    Advance();
    while (!IsSymbol(")")) {
      if (current_.kind == TokenKind::End) lexer_.Fail(current_.line, "')' expected");
      value.items.push_back(ReadValue());
    }
    Advance();
    return value;
  }

  void Advance() { current_ = lexer_.Next(); }
  bool IsWord(const char* word) const {
    if (current_.kind != TokenKind::Identifier || current_.text.size() != std::char_traits<char>::length(word)) return false;
    return std::equal(current_.text.begin(), current_.text.end(), word, [](char a, char b) {
      return std::tolower(static_cast<unsigned char>(a)) == b;
    });
  }
  bool IsSymbol(const char* symbol) const { return current_.kind == TokenKind::Symbol && current_.text == symbol; }
  Token Expect(TokenKind kind, const char* message) {
    if (current_.kind != kind) lexer_.Fail(current_.line, message);
    Token token = current_;
    Advance();
    return token;
  }
  void ExpectWord(const char* word) {
    if (!IsWord(word)) lexer_.Fail(current_.line, std::string("'") + word + "' expected");
    Advance();
  }
  void ExpectSymbol(const char* symbol) {
    if (!IsSymbol(symbol)) lexer_.Fail(current_.line, std::string("'") + symbol + "' expected");
    Advance();
  }

  Lexer lexer_;
  TReader& reader_;
  Token current_;
};

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

TReader::TReader(TComponent* root) : root_(root) {}

EReadError TReader::Error(const TPropValue& value, const std::string& message) const {
  return EReadError("Line " + std::to_string(value.line) + ": " + message);
}

int TReader::Integer(const TPropValue& value) const {
  if (value.kind != TPropValue::Kind::Integer) throw Error(value, "Integer expected");
  if (value.integer < INT32_MIN || value.integer > INT32_MAX) {
    // $80000000 and above are written as unsigned; keep their bits.
    if (value.integer > 0 && value.integer <= 0xFFFFFFFFll) return static_cast<int>(static_cast<std::uint32_t>(value.integer));
    throw Error(value, "Integer out of range");
  }
  return static_cast<int>(value.integer);
}

bool TReader::Boolean(const TPropValue& value) const {
  if (value.kind == TPropValue::Kind::Identifier) {
    const std::string word = UpperAscii(value.text);
    if (word == "TRUE") return true;
    if (word == "FALSE") return false;
  }
  throw Error(value, "True or False expected");
}

std::string TReader::String(const TPropValue& value) const {
  if (value.kind != TPropValue::Kind::String) throw Error(value, "String expected");
  return value.text;
}

TColor TReader::Color(const TPropValue& value) const {
  if (value.kind == TPropValue::Kind::Integer) return Integer(value);
  TColor color = 0;
  if (value.kind == TPropValue::Kind::Identifier && ColorFromName(value.text, color)) return color;
  throw Error(value, "Colour expected");
}

int TReader::Enum(const TPropValue& value, const std::vector<TEnumName>& names) const {
  if (value.kind == TPropValue::Kind::Identifier) {
    for (const TEnumName& entry : names) {
      if (value.text == entry.name) return entry.value;
    }
  }
  std::string allowed;
  for (const TEnumName& entry : names) allowed += (allowed.empty() ? "" : ", ") + std::string(entry.name);
  throw Error(value, "One of " + allowed + " expected");
}

unsigned TReader::Set(const TPropValue& value, const std::vector<TEnumName>& names) const {
  if (value.kind != TPropValue::Kind::Set) throw Error(value, "Set expected");
  unsigned bits = 0;
  for (const std::string& member : value.members) {
    TPropValue one = value;
    one.kind = TPropValue::Kind::Identifier;
    one.text = member;
    bits |= static_cast<unsigned>(Enum(one, names));
  }
  return bits;
}

std::vector<std::string> TReader::Strings(const TPropValue& value) const {
  if (value.kind != TPropValue::Kind::List) throw Error(value, "List of strings expected");
  std::vector<std::string> texts;
  for (const TPropValue& item : value.items) texts.push_back(String(item));
  return texts;
}

const TEventHandler& TReader::FindHandler(const TPropValue& value) const {
  if (value.kind != TPropValue::Kind::Identifier) throw Error(value, "Handler name expected");
  auto* published = dynamic_cast<const TPublished*>(root_);
  const TEventHandler* handler = published ? published->FindEventHandler(value.text) : nullptr;
  if (!handler) throw Error(value, "Handler " + value.text + " not found");
  return *handler;
}

void TReader::Reference(const TPropValue& value, std::function<void(TComponent*)> assign) {
  if (value.kind != TPropValue::Kind::Identifier) throw Error(value, "Component name expected");
  fixups_.push_back({value, std::move(assign)});
}

void TReader::ComponentCreated(TComponent* component) {
  component->loading_ = true;
  created_.push_back(component);
}

void TReader::Read(const char* text, std::size_t size) {
  Parser parser(text, size, *this);
  created_.clear();
  fixups_.clear();
  root_->loading_ = true;
  try {
    parser.ReadObject(root_, nullptr);
    parser.ExpectEnd();
    for (const Fixup& fixup : fixups_) {
      const std::string& name = fixup.value.text;
      if (name == "nil") {
        fixup.assign(nullptr);
        continue;
      }
      TComponent* target = root_->FindComponent(name);
      if (!target) throw Error(fixup.value, "Component " + name + " not found");
      fixup.assign(target);
    }
    if (auto* published = dynamic_cast<const TPublished*>(root_)) {
      for (const std::string& field : published->FieldNames()) {
        if (!root_->FindComponent(field)) throw EReadError("Component " + field + " is missing from the description");
      }
    }
  } catch (...) {
    root_->loading_ = false;
    for (TComponent* component : created_) component->loading_ = false;
    throw;
  }
  root_->loading_ = false;
  for (TComponent* component : created_) component->loading_ = false;
  for (TComponent* component : created_) component->Loaded();
  root_->Loaded();
}

void ReadComponent(const char* text, std::size_t size, TComponent* component) {
  TReader reader(component);
  reader.Read(text, size);
}

void ReadComponent(const std::string& text, TComponent* component) { ReadComponent(text.data(), text.size(), component); }

namespace {

std::map<std::string, TComponentFactory>& Registry() {
  static std::map<std::string, TComponentFactory> registry = [] {
    std::map<std::string, TComponentFactory> classes;
    for (auto& [name, factory] : FrameworkClasses()) classes[UpperAscii(name)] = std::move(factory);
    return classes;
  }();
  return registry;
}

}  // namespace

void RegisterComponentClass(const std::string& name, TComponentFactory factory) {
  Registry()[UpperAscii(name)] = std::move(factory);
}

const TComponentFactory* FindComponentClass(const std::string& name) {
  auto& registry = Registry();
  auto found = registry.find(UpperAscii(name));
  return found == registry.end() ? nullptr : &found->second;
}
