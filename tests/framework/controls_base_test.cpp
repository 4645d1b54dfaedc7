#include "framework/description_reader.h"
#include "test_forms.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct WideCase {
  const char* text;
  BYTE charset;
  const wchar_t* wide;
};

TEST(TextToWideTest, BytesFollowTheFontCharsetNotTheSystemCodePage) {
  // The tests run with ANSI code page 1252; Russian texts still come out Cyrillic.
  for (const WideCase& c :
       {WideCase{"\xC2\xFB\xF5\xEE\xE4", RUSSIAN_CHARSET, L"\x0412\x044B\x0445\x043E\x0434"},
        WideCase{"Exit", RUSSIAN_CHARSET, L"Exit"},
        WideCase{"\xE9t\xE9", ANSI_CHARSET, L"\x00E9t\x00E9"},
        WideCase{"", RUSSIAN_CHARSET, L""}}) {
    EXPECT_EQ(TextToWide(c.text, c.charset), std::wstring(c.wide)) << c.text;
  }
}

class FormControlsTest : public ::testing::Test {
 protected:
  std::unique_ptr<TLogForm> ReadShown(const std::string& body) {
    auto form = std::make_unique<TLogForm>(Application, "TControlsForm", false);
    ReadComponent(
        "object F: TF\n  Left = 30\n  Top = 30\n  Width = 400\n  Height = 300\n" + body + "\nend\n",
        form.get());
    form->ShowForm();
    return form;
  }
};

TEST_F(FormControlsTest, RussianCaptionShowsCyrillicInTheTitleBar) {
  auto form = ReadShown(R"(  Font.Charset = RUSSIAN_CHARSET
  Caption = #194#238#241#241#242#224#237#238#226#232#242#252
  object Label1: TLabel
  end
  object Panel1: TPanel
  end)");
  wchar_t title[64] = {};
  GetWindowTextW(form->Handle(), title, 64);
  EXPECT_EQ(std::wstring(title),
            L"\x0412\x043E\x0441\x0441\x0442\x0430\x043D\x043E\x0432\x0438\x0442\x044C");
}

TEST_F(FormControlsTest, LaterControlsLieInFrontAndBringToFrontChangesThat) {
  auto form = ReadShown(R"(  object Label1: TLabel
    AutoSize = False
    Left = 10
    Top = 10
    Width = 100
    Height = 50
  end
  object Panel1: TPanel
    Left = 10
    Top = 10
    Width = 100
    Height = 50
  end)");
  POINT point = form->ClientToScreen(POINT{40, 30});
  HWND top = ChildWindowFromPointEx(form->Handle(), form->ScreenToClient(point), CWP_SKIPINVISIBLE);
  EXPECT_EQ(top, form->Panel1->Handle());
  form->Label1->BringToFront();
  top = ChildWindowFromPointEx(form->Handle(), form->ScreenToClient(point), CWP_SKIPINVISIBLE);
  EXPECT_EQ(top, form->Label1->Handle());
  form->Label1->Hide();
  top = ChildWindowFromPointEx(form->Handle(), form->ScreenToClient(point), CWP_SKIPINVISIBLE);
  EXPECT_EQ(top, form->Panel1->Handle());
}

TEST_F(FormControlsTest, LabelAutoSizeFollowsTheCaptionUnlessSwitchedOff) {
  auto form = ReadShown(R"(  object Label1: TLabel
    Caption = 'short'
  end
  object Fixed: TLabel
    AutoSize = False
    Width = 33
    Height = 44
    Caption = 'a rather long caption that does not fit'
  end
  object Panel1: TPanel
  end)");
  const int short_width = form->Label1->Width();
  EXPECT_GT(short_width, 0);
  form->Label1->SetCaption("a much longer caption than before");
  EXPECT_GT(form->Label1->Width(), short_width);
  auto* fixed = dynamic_cast<TLabel*>(form->FindComponent("Fixed"));
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->Width(), 33);
  EXPECT_EQ(fixed->Height(), 44);
}

TEST_F(FormControlsTest, TabFollowsTabOrderAndSkipsDisabledControls) {
  auto form = ReadShown(R"(  object Label1: TLabel
  end
  object Panel1: TPanel
    TabStop = True
    TabOrder = 2
  end
  object Second: TPanel
    TabStop = True
    TabOrder = 1
  end
  object Off: TPanel
    TabStop = True
    TabOrder = 0
    Enabled = False
  end)");
  auto* second = dynamic_cast<TWinControl*>(form->FindComponent("Second"));
  ASSERT_NE(second, nullptr);
  second->SetFocus();
  form->SelectNext(true);
  EXPECT_TRUE(form->Panel1->Focused());
  form->SelectNext(true);
  EXPECT_TRUE(second->Focused());
  form->SelectNext(false);
  EXPECT_TRUE(form->Panel1->Focused());
}

TEST_F(FormControlsTest, ChildrenTakeTheParentFontAndColourUntilTheyHaveTheirOwn) {
  auto form = ReadShown(R"(  Color = clWhite
  Font.Name = 'Arial'
  object Label1: TLabel
  end
  object Panel1: TPanel
    ParentColor = True
    Font.Color = clRed
  end)");
  EXPECT_EQ(form->Label1->Color(), clWhite);
  EXPECT_EQ(form->Panel1->Color(), clWhite);
  form->SetColor(clBlack);
  EXPECT_EQ(form->Label1->Color(), clBlack);
  form->Font().SetHeight(-20);
  EXPECT_EQ(form->Label1->Font().Height(), -20);
  EXPECT_EQ(form->Label1->Font().Name(), "Arial");
  // The panel set its own font colour, so it keeps its font from then on.
  EXPECT_EQ(form->Panel1->Font().Color(), clRed);
  EXPECT_EQ(form->Panel1->Font().Height(), -11);
}

}  // namespace
