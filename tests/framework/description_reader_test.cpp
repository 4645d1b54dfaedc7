#include "framework/description_reader.h"
#include "test_forms.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TLogForm> ReadForm(const std::string& text) {
  auto form = std::make_unique<TLogForm>(Application, "TReadForm", false);
  ReadComponent(text, form.get());
  return form;
}

const char kNested[] = R"(// every kind of value
object Form1: TForm1
  Left = 10
  Top = $14
  Width = 300
  Height = 200
  Caption = 'It''s '#70'orm'
    + ' one'
  Color = clBtnFace
  Font.Charset = RUSSIAN_CHARSET
  Font.Style = [fsBold, fsItalic]
  Font.Height = -13
  BorderIcons = [biSystemMenu]
  KeyPreview = True
  OnCreate = FormCreate
  object Panel1: TPanel
    Left = 4
    Top = 5
    Width = 150
    Height = 90
    Color = $00F8DBCB
    BevelOuter = bvNone
    object Label1: TLabel
      Caption = #$
      AutoSize = False
      Width = 70
      Hint = 'short|long'
      ShowHint = True
      Visible = False
      Font.Color = -16
      OnMouseMove = ControlMouseMove
    end
    object Timer1: TTimer
      Interval = 250
      Enabled = False
      OnTimer = TimerTick
    end
  end
end
)";

TEST(DescriptionReaderTest, NestedObjectsAndEveryKindOfValue) {
  std::string text = kNested;
  text.replace(text.find("#$"), 2, "#207#240#232'x'");  // Cyrillic bytes, code page 1251
  auto form = ReadForm(text);
  EXPECT_EQ(form->Name(), "Form1");
  EXPECT_EQ(form->Left(), 10);
  EXPECT_EQ(form->Top(), 20);
  EXPECT_EQ(form->Caption(), "It's Form one");
  EXPECT_EQ(form->Color(), clBtnFace);
  EXPECT_EQ(form->Font().Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(form->Font().Style(), fsBold | fsItalic);
  EXPECT_EQ(form->BorderIcons(), biSystemMenu);
  EXPECT_TRUE(form->KeyPreview());
  EXPECT_TRUE(static_cast<bool>(form->OnCreate));

  ASSERT_NE(form->Panel1, nullptr);
  EXPECT_EQ(form->Panel1->Parent(), form.get());
  EXPECT_EQ(form->Panel1->Owner(), form.get());
  EXPECT_EQ(form->Panel1->Color(), 0x00F8DBCB);
  EXPECT_EQ(form->Panel1->BevelOuter(), TBevelCut::bvNone);

  ASSERT_NE(form->Label1, nullptr);
  EXPECT_EQ(form->Label1->Parent(), form->Panel1);
  EXPECT_EQ(form->Label1->Owner(), form.get());
  EXPECT_EQ(form->Label1->Caption(), "\xCF\xF0\xE8x");
  EXPECT_EQ(form->Label1->Width(), 70);
  EXPECT_FALSE(form->Label1->Visible());
  EXPECT_TRUE(form->Label1->ShowHint());
  EXPECT_EQ(form->Label1->Hint(), "short|long");
  // The child took the form's font and changed only its colour.
  EXPECT_EQ(form->Label1->Font().Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(form->Label1->Font().Height(), -13);
  EXPECT_EQ(form->Label1->Font().Color(), -16);
  EXPECT_FALSE(form->Label1->ParentFont());
  ASSERT_TRUE(static_cast<bool>(form->Label1->OnMouseMove));
  form->Label1->OnMouseMove(form->Label1, 0, 3, 4);
  EXPECT_EQ(form->log.back(), "move:Label1:3,4");

  auto* timer = dynamic_cast<TTimer*>(form->FindComponent("Timer1"));
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->Interval(), 250u);
  EXPECT_FALSE(timer->Enabled());
  ASSERT_TRUE(static_cast<bool>(timer->OnTimer));
  timer->OnTimer(timer);
  EXPECT_EQ(form->log.back(), "tick");
}

struct BadDescription {
  const char* name;
  const char* body;  // inside "object F: TF ... end"
  const char* message;
};

class DescriptionErrorTest : public ::testing::TestWithParam<BadDescription> {};

TEST_P(DescriptionErrorTest, GivesADefinedErrorWithTheLine) {
  const std::string text = std::string("object F: TF\n") + GetParam().body + "\nend\n";
  auto form = std::make_unique<TLogForm>(Application, "TReadForm", false);
  try {
    ReadComponent(text, form.get());
    FAIL() << "accepted: " << GetParam().body;
  } catch (const EReadError& error) {
    EXPECT_STREQ(error.what(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, DescriptionErrorTest,
    ::testing::Values(
        BadDescription{"UnknownClass", "object X: TNoSuchClass\nend",
                       "Line 2: Class TNoSuchClass not found"},
        BadDescription{"UnknownProperty", "Colour = clRed",
                       "Line 2: Property Colour does not exist in TReadForm"},
        BadDescription{"UnknownChildProperty", "object L: TLabel\n  Font.Weight = 3\nend",
                       "Line 3: Property Font.Weight does not exist in TLabel"},
        BadDescription{"WrongKind", "Width = 'wide'", "Line 2: Integer expected"},
        BadDescription{"BadBoolean", "KeyPreview = Yes", "Line 2: True or False expected"},
        BadDescription{
            "UnknownEnum", "Position = poMiddle",
            "Line 2: One of poDesigned, poDefault, poScreenCenter, poDesktopCenter expected"},
        BadDescription{"UnknownHandler", "OnCreate = NoSuchHandler",
                       "Line 2: Handler NoSuchHandler not found"},
        BadDescription{"HandlerOfWrongKind", "OnCreate = FormKeyUp",
                       "Line 2: Handler FormKeyUp has the wrong parameters for this event"},
        BadDescription{"UnterminatedString", "Caption = 'open", "Line 2: Unterminated string"},
        BadDescription{"BadCharacterCode", "Caption = #256", "Line 2: Invalid character code"},
        BadDescription{"DuplicateName", "object L: TLabel\nend\nobject L: TPanel\nend",
                       "Line 4: A component named L already exists"},
        BadDescription{"FieldOfWrongClass", "object Label1: TPanel\nend",
                       "Line 2: Component Label1 is of class TPanel, which does not fit its field"},
        BadDescription{"ControlInsideALabel", "object L: TLabel\n  object P: TPanel\n  end\nend",
                       "Line 3: TLabel cannot hold controls"},
        BadDescription{"CharsetOutOfRange", "Font.Charset = 256",
                       "Line 2: Character set out of range"},
        BadDescription{"NegativeInterval", "object T: TTimer\n  Interval = -1\nend",
                       "Line 3: Interval must not be negative"},
        BadDescription{"MissingEnd", "object L: TLabel", "Line 4: 'end' expected"},
        BadDescription{"NumberTooLarge", "Width = 99999999999", "Line 2: Number too large"}),
    [](const ::testing::TestParamInfo<BadDescription>& case_info) {
      return std::string(case_info.param.name);
    });

TEST(DescriptionReaderTest, TextAfterTheEndAndMissingFieldsAreErrors) {
  auto form = std::make_unique<TLogForm>(Application, "TReadForm", false);
  EXPECT_THROW(ReadComponent("object F: TF\nend\nobject G: TG\nend\n", form.get()), EReadError);
  try {
    ReadComponent("object F: TF\n  object Label1: TLabel\n  end\nend\n", form.get());
    FAIL() << "a bound field stayed empty";
  } catch (const EReadError& error) {
    EXPECT_STREQ(error.what(), "Component Panel1 is missing from the description");
  }
}

TEST(DescriptionReaderTest, EveryFrameworkClassIsRegistered) {
  for (const char* name : {"TLabel", "TPanel", "TSpeedButton", "TTimer"}) {
    const TComponentFactory* factory = FindComponentClass(name);
    ASSERT_NE(factory, nullptr) << name;
    std::unique_ptr<TComponent> component((*factory)(nullptr));
    EXPECT_STREQ(component->ClassName(), name);
  }
  EXPECT_EQ(FindComponentClass("TNothing"), nullptr);
}

TEST(DescriptionReaderTest, ReadsFromAMemoryBufferWithoutTerminator) {
  const std::string text =
      "object F: TF\n Tag = 7\n object Label1: TLabel\n end\n object Panel1: TPanel\n end\nend";
  const std::vector<char> buffer(text.begin(), text.end());
  auto form = std::make_unique<TLogForm>(Application, "TReadForm", false);
  ReadComponent(buffer.data(), buffer.size(), form.get());
  EXPECT_EQ(form->Tag(), 7);
  EXPECT_EQ(form->ComponentCount(), 2);
}

}  // namespace
