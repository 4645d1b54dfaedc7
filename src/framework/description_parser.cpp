#include "framework/description_parser.h"

#include <algorithm>
#include <cctype>

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
      while (text_ != end_ && (std::isalnum(static_cast<unsigned char>(*text_)) || *text_ == '_'))
        token.text += *text_++;
    } else if (std::isdigit(c) || c == '$' ||
               (c == '-' && text_ + 1 != end_ &&
                (std::isdigit(static_cast<unsigned char>(text_[1])) || text_[1] == '$'))) {
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
    if (text_ != end_ && (std::isalnum(static_cast<unsigned char>(*text_)) || *text_ == '_'))
      Fail(line_, "Invalid number");
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
        if (text_ == end_ || (*text_ != '\'' && *text_ != '#'))
          Fail(line_, "String expected after '+'");
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
  Parser(const char* text, std::size_t size) : lexer_(text, size) { Advance(); }

  TObjectDescription ReadObject(int depth) {
    if (depth > kMaxDescriptionNesting) lexer_.Fail(current_.line, "Objects nested too deeply");
    ExpectWord("object");
    TObjectDescription object;
    object.name = Expect(TokenKind::Identifier, "Component name expected").text;
    ExpectSymbol(":");
    const Token class_name = Expect(TokenKind::Identifier, "Class name expected");
    object.class_name = class_name.text;
    object.line = class_name.line;
    while (!IsWord("end") && !IsWord("object")) object.properties.push_back(ReadProperty());
    while (IsWord("object")) object.children.push_back(ReadObject(depth + 1));
    ExpectWord("end");
    return object;
  }

  void ExpectEnd() {
    if (current_.kind != TokenKind::End) lexer_.Fail(current_.line, "Text after the final end");
  }

 private:
  TPropertyDescription ReadProperty() {
    TPropertyDescription property;
    const Token name = Expect(TokenKind::Identifier, "Property name expected");
    property.name = name.text;
    property.line = name.line;
    while (IsSymbol(".")) {
      Advance();
      property.name += "." + Expect(TokenKind::Identifier, "Property name expected").text;
    }
    ExpectSymbol("=");
    property.value = ReadValue(0);
    return property;
  }

  TPropValue ReadValue(int depth) {
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
        if (current_.text == "(") return ReadList(value, depth);
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

  TPropValue ReadList(TPropValue& value, int depth) {
    if (depth >= kMaxDescriptionNesting) lexer_.Fail(current_.line, "Lists nested too deeply");
    value.kind = TPropValue::Kind::List;
    Advance();
    while (!IsSymbol(")")) {
      if (current_.kind == TokenKind::End) lexer_.Fail(current_.line, "')' expected");
      value.items.push_back(ReadValue(depth + 1));
    }
    Advance();
    return value;
  }

  void Advance() { current_ = lexer_.Next(); }
  bool IsWord(const char* word) const {
    if (current_.kind != TokenKind::Identifier ||
        current_.text.size() != std::char_traits<char>::length(word)) {
      return false;
    }
    return std::equal(current_.text.begin(), current_.text.end(), word, [](char a, char b) {
      return std::tolower(static_cast<unsigned char>(a)) == b;
    });
  }
  bool IsSymbol(const char* symbol) const {
    return current_.kind == TokenKind::Symbol && current_.text == symbol;
  }
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
  Token current_;
};

}  // namespace

TObjectDescription ParseDescription(const char* text, std::size_t size) {
  Parser parser(text, size);
  TObjectDescription root = parser.ReadObject(0);
  parser.ExpectEnd();
  return root;
}
