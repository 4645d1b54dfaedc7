#include "control_host.h"
#include "controls/xp_button.h"
#include "controls/xp_check_box.h"
#include "controls/xp_combo_box.h"
#include "controls/xp_progress_bar.h"

#include <vector>

namespace {

class ProgressBarTest : public ControlHostTest {
 protected:
  void SetUp() override {
    Read("object Bar: TKWTXPProgressBar\n Left = 10\n Top = 10\n end");
    bar_ = Get<TKWTXPProgressBar>("Bar");
  }
  TKWTXPProgressBar* bar_ = nullptr;
};

struct PositionCase {
  int min, max, position, expected;
};

TEST_F(ProgressBarTest, PositionIsClampedToMinAndMax) {
  for (const PositionCase& c : {PositionCase{0, 100, 150, 100}, PositionCase{0, 100, -5, 0},
                                PositionCase{10, 20, 5, 10}, PositionCase{0, 100, 55, 55}}) {
    bar_->SetMin(c.min);
    bar_->SetMax(c.max);
    bar_->SetPosition(c.position);
    EXPECT_EQ(bar_->Position(), c.expected) << c.min << ".." << c.max << " <- " << c.position;
  }
}

TEST_F(ProgressBarTest, LoweringMaxBelowPositionLowersPosition) {
  bar_->SetPosition(70);
  bar_->SetMax(40);
  EXPECT_EQ(bar_->Position(), 40);
  bar_->SetMax(100);
  EXPECT_EQ(bar_->Position(), 40);
  bar_->StepIt();
  EXPECT_EQ(bar_->Position(), 50);
}

TEST_F(ProgressBarTest, GrowingRepaintsOnlyTheNewPartShrinkingTheWholeBar) {
  bar_->SetPosition(20);
  ValidateRect(bar_->Handle(), nullptr);
  bar_->SetPosition(60);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(bar_->Handle(), &update, FALSE));
  EXPECT_EQ(update.left, 1 + bar_->FillExtent(20));
  EXPECT_EQ(update.right, 1 + bar_->FillExtent(60));
  ValidateRect(bar_->Handle(), nullptr);
  bar_->SetPosition(30);
  ASSERT_TRUE(GetUpdateRect(bar_->Handle(), &update, FALSE));
  EXPECT_EQ(update.left, 0);
  EXPECT_EQ(update.right, bar_->Width());
}

// The folder copy's progress: what a new position changed reaches the
// screen at once, and an unchanged position leaves nothing to paint.
TEST_F(ProgressBarTest, UpdatePaintsWhatTheNewPositionChangedAtOnce) {
  RECT update;
  for (const int position : {40, 0, 0, 100}) {
    SCOPED_TRACE(position);
    bar_->SetPosition(position);
    bar_->Update();
    EXPECT_FALSE(GetUpdateRect(bar_->Handle(), &update, FALSE));
  }
}

TEST_F(ProgressBarTest, OrientationSwapsTheSizeExceptWhileLoading) {
  bar_->SetOrientation(TProgressBarOrientation::pbVertical);
  EXPECT_EQ(bar_->Width(), 16);
  EXPECT_EQ(bar_->Height(), 149);
  Read(
      "object Tall: TKWTXPProgressBar\n Width = 20\n Height = 200\n Orientation = pbVertical\n "
      "end");
  auto* tall = Get<TKWTXPProgressBar>("Tall");
  EXPECT_EQ(tall->Orientation(), TProgressBarOrientation::pbVertical);
  EXPECT_EQ(tall->Width(), 20);
  EXPECT_EQ(tall->Height(), 200);
}

class ComboBoxTest : public ControlHostTest {};

TEST_F(ComboBoxTest, DropDownWidthIsControlWidthPlusNeverNegative) {
  Read(R"(
    object Combo: TKWTXPComboBox
      Left = 10
      Top = 10
      Width = 120
      DropDownWidthPlus = 80
      Items.Strings = ('%SystemDrive%\' 'D:\Drivers')
      ItemIndex = 1
    end)");
  auto* combo = Get<TKWTXPComboBox>("Combo");
  EXPECT_EQ(combo->DropDownWidth(), 200);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETDROPPEDWIDTH, 0, 0), 200);
  combo->SetWidth(150);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETDROPPEDWIDTH, 0, 0), 230);
  combo->SetDropDownWidthPlus(-30);
  EXPECT_EQ(combo->DropDownWidthPlus(), 0);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETDROPPEDWIDTH, 0, 0), 150);
  EXPECT_EQ(combo->Text(), "D:\\Drivers");
  EXPECT_EQ(combo->Items().Count(), 2);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
  combo->SetText("%WINDIR%\\Temp");
  EXPECT_EQ(combo->Text(), "%WINDIR%\\Temp");
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, HintHoldsOverTheSystemEditInside) {
  Read(
      "object Combo: TKWTXPComboBox\n Left = 10\n Top = 10\n Width = 120\n Hint = "
      "'Tip|Destination'\n end");
  auto* combo = Get<TKWTXPComboBox>("Combo");
  const POINT centre = combo->ClientToScreen(POINT{combo->Width() / 3, combo->Height() / 2});
  ASSERT_NE(WindowFromPoint(centre), combo->Handle()) << "the point should lie on the edit inside";
  SetCursorPos(centre.x, centre.y);
  for (int i = 0; i < 100 && Application->Hint() != "Destination"; ++i) Pump(10);
  EXPECT_EQ(Application->Hint(), "Destination");
  Pump(100);
  EXPECT_EQ(Application->Hint(), "Destination");
}

class CheckBoxTest : public ControlHostTest {
 protected:
  void SetUp() override {
    Read("object Box: TKWTXPCheckBox\n Left = 10\n Top = 10\n Caption = 'Option'\n end");
    box_ = Get<TKWTXPCheckBox>("Box");
    box_->OnClick = [this](TObject*) { ++clicks_; };
  }
  TKWTXPCheckBox* box_ = nullptr;
  int clicks_ = 0;
};

TEST_F(CheckBoxTest, UserClicksCycleTheStatesAndFireOnClick) {
  std::vector<TCheckBoxState> seen;
  for (bool grayed : {false, true}) {
    box_->SetAllowGrayed(grayed);
    box_->SetState(TCheckBoxState::cbUnchecked);
    for (int i = 0; i < 3; ++i) {
      ClickAt(box_, 5, 5);
      seen.push_back(box_->State());
    }
  }
  using S = TCheckBoxState;
  EXPECT_EQ(seen, (std::vector<S>{S::cbChecked, S::cbUnchecked, S::cbChecked, S::cbGrayed,
                                  S::cbChecked, S::cbUnchecked}));
  EXPECT_EQ(clicks_, 6);
}

TEST_F(CheckBoxTest, SettingCheckedInCodeFiresNoClick) {
  box_->SetChecked(true);
  EXPECT_TRUE(box_->Checked());
  box_->SetState(TCheckBoxState::cbGrayed);
  EXPECT_FALSE(box_->Checked());
  EXPECT_EQ(clicks_, 0);
  box_->SetFocus();
  PostMessageA(box_->Handle(), WM_KEYUP, VK_SPACE, 0);
  Pump(30);
  EXPECT_EQ(box_->State(), TCheckBoxState::cbChecked);
  EXPECT_EQ(clicks_, 1);
}

class ButtonTest : public ControlHostTest {};

TEST_F(ButtonTest, EnterSpaceAndMouseClickButCtrlEnterDoesNot) {
  Read(
      "object Button1: TKWTXPButton\n Left = 10\n Top = 10\n Caption = 'Apply'\n end\n"
      "object Other: TKWTXPButton\n Left = 100\n Top = 10\n end");
  auto* button = Get<TKWTXPButton>("Button1");
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  ClickAt(button, 5, 5);
  EXPECT_EQ(clicks, 1);
  button->SetFocus();
  PostMessageA(button->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  PostMessageA(button->Handle(), WM_KEYUP, VK_SPACE, 0);
  PostMessageA(button->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  Pump(30);
  EXPECT_EQ(clicks, 3);
  // With Ctrl held, Enter is a shortcut for the form, not a click.
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageA(button->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  Pump(30);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(clicks, 3);
  // Tab moves the focus to the next button.
  PostMessageA(button->Handle(), WM_KEYDOWN, VK_TAB, 0);
  Pump(30);
  EXPECT_TRUE(Get<TKWTXPButton>("Other")->Focused());
  button->SetEnabled(false);
  ClickAt(button, 5, 5);
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
}

TEST_F(ButtonTest, EnterOnAnotherControlClicksTheDefaultButton) {
  Read(
      "object Box: TKWTXPCheckBox\n end\n"
      "object Plain: TKWTXPButton\n Left = 100\n end\n"
      "object Button1: TKWTXPButton\n Left = 200\n Default = True\n end");
  int default_clicks = 0;
  int plain_clicks = 0;
  Get<TKWTXPButton>("Button1")->OnClick = [&](TObject*) { ++default_clicks; };
  Get<TKWTXPButton>("Plain")->OnClick = [&](TObject*) { ++plain_clicks; };
  Get<TKWTXPCheckBox>("Box")->SetFocus();
  PostMessageA(Get<TKWTXPCheckBox>("Box")->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  Pump(30);
  EXPECT_EQ(default_clicks, 1);
  // A focused button takes Enter itself.
  Get<TKWTXPButton>("Plain")->SetFocus();
  PostMessageA(Get<TKWTXPButton>("Plain")->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  Pump(30);
  EXPECT_EQ(plain_clicks, 1);
  EXPECT_EQ(default_clicks, 1);
}

}  // namespace
