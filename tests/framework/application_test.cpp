#include "framework/description_reader.h"
#include "test_forms.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char kHintForm[] = R"(
object HintForm: THintForm
  Left = 100
  Top = 100
  Width = 400
  Height = 200
  object Label1: TLabel
    Left = 10
    Top = 10
    AutoSize = False
    Width = 100
    Height = 30
    Caption = 'two parts'
    Hint = 'Tip|Long text'
    ShowHint = True
  end
  object Panel1: TPanel
    Left = 150
    Top = 10
    Width = 100
    Height = 60
    Hint = 'whole hint'
    object Inner: TLabel
      Left = 5
      Top = 5
      AutoSize = False
      Width = 50
      Height = 20
      Caption = 'no hint of its own'
    end
  end
end
)";

class HintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<TLogForm>(Application, "THintForm", false);
    ReadComponent(kHintForm, form_.get());
    form_->ShowForm();
    Application->SetHintPause(50);
    Application->OnHint = [this](TObject*) { hints_.push_back(Application->Hint()); };
    PumpFor(100);
  }
  void TearDown() override {
    Application->OnHint = nullptr;
    Application->SetHintPause(500);
    form_.reset();
  }
  // Puts the real mouse pointer over the control and lets the moves arrive.
  void MoveOver(TControl* control) {
    const POINT point = control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2});
    SetCursorPos(point.x, point.y);
  }

  std::unique_ptr<TLogForm> form_;
  std::vector<std::string> hints_;
};

TEST_F(HintTest, HintIsTheLongPartAndTheTipTheShortPart) {
  MoveOver(form_->Label1);
  ASSERT_TRUE(PumpUntil([&] { return Application->Hint() == "Long text"; }));
  EXPECT_EQ(hints_.back(), "Long text");
  ASSERT_TRUE(PumpUntil([&] { return Application->VisibleHintText() == "Tip"; }));
  // The tip leaves the form active.
  PumpFor(50);
  EXPECT_EQ(Application->ActiveForm(), form_.get());
  // A press hides the tip.
  SendMessageA(form_->Label1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(form_->Label1->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(Application->VisibleHintText(), "");
}

TEST_F(HintTest, DisabledControlStillGivesItsHint) {
  auto* button = new TSpeedButton(form_.get());
  button->SetBounds(300, 100, 40, 30);
  button->SetHint("Archives|Show the archive list");
  button->SetParent(form_.get());
  button->SetEnabled(false);
  SendMessageA(form_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(310, 110));
  EXPECT_EQ(Application->Hint(), "Show the archive list");
}

TEST_F(HintTest, HintWithoutBarIsWholeAndComesFromTheParentWhenOwnIsEmpty) {
  MoveOver(form_->FindComponent("Inner") ? static_cast<TControl*>(form_->FindComponent("Inner"))
                                         : form_->Panel1);
  ASSERT_TRUE(PumpUntil([&] { return Application->Hint() == "whole hint"; }));
  // ShowHint is off on the panel: no tip.
  PumpFor(150);
  EXPECT_EQ(Application->VisibleHintText(), "");
  MoveOver(form_.get());
  form_->SetHint("");
  SetCursorPos(form_->Left() + 300, form_->Top() + 150);
  ASSERT_TRUE(PumpUntil([&] { return Application->Hint().empty(); }));
  EXPECT_EQ(hints_.back(), "");
}

class TMainTestForm : public TLogForm {
 public:
  explicit TMainTestForm(TComponent* owner) : TLogForm(owner, "TMainTestForm", false) {
    ReadComponent("object M: TM\n object Label1: TLabel\n end\n object Panel1: TPanel\n end\nend",
                  this);
  }
};

TEST(ApplicationTest, FirstCreatedFormIsTheMainFormAndRestoreUndoesMinimise) {
  TMainTestForm* form = nullptr;
  Application->CreateForm(form);
  ASSERT_EQ(Application->MainForm(), form);
  form->ShowForm();
  EXPECT_FALSE(Application->Minimized());
  Application->Minimize();
  PumpFor(50);
  EXPECT_TRUE(Application->Minimized());
  Application->Restore();
  PumpFor(50);
  EXPECT_FALSE(Application->Minimized());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  delete form;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

}  // namespace
