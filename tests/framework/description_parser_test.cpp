#include "framework/description_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TObjectDescription Parse(const std::string& text) {
  return ParseDescription(text.data(), text.size());
}

const char kSample[] = R"(object Form1: TForm1
  Caption = 'Don''t'#32'stop' +
    '!'
  Left = -$10
  Font.Style = [fsBold, fsItalic]
  Items.Strings = (
    'a'
    'b')
  Empty = []
  OnCreate = FormCreate
  object Panel1: TPanel
    object Label1: TLabel
      Tag = 4294967295
    end
  end
  object Timer1: TTimer // trailing comment
  end
end)";

TEST(DescriptionParserTest, BuildsTheTreeWithLinesAndEveryValueKind) {
  const TObjectDescription form = Parse(kSample);
  EXPECT_EQ(form.name, "Form1");
  EXPECT_EQ(form.class_name, "TForm1");
  ASSERT_EQ(form.properties.size(), 6u);
  EXPECT_EQ(form.properties[0].name, "Caption");
  EXPECT_EQ(form.properties[0].value.kind, TPropValue::Kind::String);
  EXPECT_EQ(form.properties[0].value.text, "Don't stop!");
  EXPECT_EQ(form.properties[1].value.integer, -16);
  EXPECT_EQ(form.properties[1].line, 4);
  EXPECT_EQ(form.properties[2].name, "Font.Style");
  EXPECT_EQ(form.properties[2].value.members, (std::vector<std::string>{"fsBold", "fsItalic"}));
  ASSERT_EQ(form.properties[3].value.items.size(), 2u);
  EXPECT_EQ(form.properties[3].value.items[1].text, "b");
  EXPECT_EQ(form.properties[3].value.items[1].line, 8);
  EXPECT_EQ(form.properties[4].value.kind, TPropValue::Kind::Set);
  EXPECT_TRUE(form.properties[4].value.members.empty());
  EXPECT_EQ(form.properties[5].value.kind, TPropValue::Kind::Identifier);
  EXPECT_EQ(form.properties[5].value.text, "FormCreate");
  ASSERT_EQ(form.children.size(), 2u);
  EXPECT_EQ(form.children[0].name, "Panel1");
  EXPECT_EQ(form.children[0].line, 11);
  ASSERT_EQ(form.children[0].children.size(), 1u);
  EXPECT_EQ(form.children[0].children[0].properties[0].value.integer, 4294967295LL);
  EXPECT_EQ(form.children[1].class_name, "TTimer");
}

TEST(DescriptionParserTest, EveryCutOfAValidDescriptionGivesADefinedOutcome) {
  // Each prefix either parses or is refused with EReadError; none reads past its end.
  const std::string text = kSample;
  int refused = 0;
  for (std::size_t length = 0; length < text.size(); ++length) {
    const std::string cut = text.substr(0, length);
    try {
      ParseDescription(cut.data(), cut.size());
    } catch (const EReadError& error) {
      EXPECT_EQ(std::string(error.what()).rfind("Line ", 0), 0u) << error.what();
      ++refused;
    }
  }
  EXPECT_EQ(refused, static_cast<int>(text.size()));
  EXPECT_NO_THROW(Parse(text));
}

TEST(DescriptionParserTest, NestingHasALimit) {
  std::string deep;
  for (int i = 0; i <= kMaxDescriptionNesting + 1; ++i)
    deep += "object A" + std::to_string(i) + ": TPanel\n";
  for (int i = 0; i <= kMaxDescriptionNesting + 1; ++i) deep += "end\n";
  EXPECT_THROW(Parse(deep), EReadError);
  const std::string lists = "object F: TF\n X = " + std::string(10000, '(') + "\nend";
  EXPECT_THROW(Parse(lists), EReadError);
}

struct BadText {
  const char* text;
  const char* message;
};

class DescriptionParserErrorTest : public ::testing::TestWithParam<BadText> {};

TEST_P(DescriptionParserErrorTest, RefusesWithTheLine) {
  try {
    Parse(GetParam().text);
    FAIL() << "accepted: " << GetParam().text;
  } catch (const EReadError& error) {
    EXPECT_STREQ(error.what(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, DescriptionParserErrorTest,
    ::testing::Values(BadText{"", "Line 1: 'object' expected"},
                      BadText{"object F TF\nend", "Line 1: ':' expected"},
                      BadText{"object F: TF\n Left 3\nend", "Line 2: '=' expected"},
                      BadText{"object F: TF\n Left = \n", "Line 3: Property value expected"},
                      BadText{"object F: TF\n S = [a b]\nend", "Line 2: ',' expected"},
                      BadText{"object F: TF\n S = [a,]\nend", "Line 2: Set member expected"},
                      BadText{"object F: TF\n L = ('a'\nend", "Line 3: ')' expected"},
                      BadText{"object F: TF\n C = 'a' +\nend", "Line 3: String expected after '+'"},
                      BadText{"object F: TF\n N = 12ab\nend", "Line 2: Invalid number"},
                      BadText{"object F: TF\n N = $\nend", "Line 2: Invalid number"},
                      BadText{"object F: TF\n C = #\nend", "Line 2: Invalid character code"},
                      BadText{"object F: TF\n Font. = 1\nend", "Line 2: Property name expected"},
                      BadText{"object F: TF\nend\nend", "Line 3: Text after the final end"}));

}  // namespace
