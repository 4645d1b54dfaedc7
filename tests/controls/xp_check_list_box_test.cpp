#include "common/errors.h"
#include "control_host.h"
#include "controls/xp_check_list_box.h"

#include <string>
#include <vector>

namespace {

class CheckListTest : public ControlHostTest {
 protected:
  void SetUp() override {
    Read(R"(
      object List: TKWTXPCheckListBox
        Left = 10
        Top = 10
        Width = 200
        Height = 100
        Style = lbOwnerDrawFixed
        ItemHeight = 18
        Items.Strings = ('first' 'second' 'third')
      end)");
    list_ = Get<TKWTXPCheckListBox>("List");
    list_->OnClickCheck = [this](TObject*) { events_.push_back("check"); };
    list_->OnClick = [this](TObject*) { events_.push_back("click"); };
  }
  // Left click into the check area of an entry, by mouse messages.
  void ClickCheck(int index) { ClickAt(list_, 3, index * 18 + 9); }

  TKWTXPCheckListBox* list_ = nullptr;
  std::vector<std::string> events_;
};

TEST_F(CheckListTest, UserTogglesWithoutAllowGrayedNeverGiveGrayed) {
  ClickCheck(1);
  EXPECT_EQ(list_->State(1), TCheckBoxState::cbChecked);
  ClickCheck(1);
  EXPECT_EQ(list_->State(1), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(events_, (std::vector<std::string>{"check", "click", "check", "click"}));
  EXPECT_EQ(list_->ItemIndex(), 1);
  // Set to grayed by code: the next user toggle checks it.
  list_->SetState(2, TCheckBoxState::cbGrayed);
  ClickCheck(2);
  EXPECT_EQ(list_->State(2), TCheckBoxState::cbChecked);
}

TEST_F(CheckListTest, UserTogglesWithAllowGrayedCycleThroughGrayed) {
  list_->SetAllowGrayed(true);
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    ClickCheck(0);
    seen.push_back(list_->State(0));
  }
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked,
                                               TCheckBoxState::cbUnchecked}));
}

TEST_F(CheckListTest, SpaceTogglesTheCurrentEntry) {
  list_->SetItemIndex(2);
  list_->SetFocus();
  // The loop translates the key into the character, as for real typing.
  PostMessageA(list_->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  PostMessageA(list_->Handle(), WM_KEYUP, VK_SPACE, 0);
  Pump(30);
  EXPECT_TRUE(list_->Checked(2));
  EXPECT_EQ(events_, std::vector<std::string>{"check"});
  // Arrow keys move the selection and count as clicks.
  PostMessageA(list_->Handle(), WM_KEYDOWN, VK_UP, 0);
  Pump(30);
  EXPECT_EQ(list_->ItemIndex(), 1);
  EXPECT_EQ(events_.back(), "click");
}

TEST_F(CheckListTest, RightToLeftReadingHasTheCheckAreaAtTheEnd) {
  list_->SetBiDiMode(TBiDiMode::bdRightToLeft);
  ClickAt(list_, 3, 9);
  EXPECT_FALSE(list_->Checked(0));
  ClickAt(list_, list_->ClientWidth() - 3, 9);
  EXPECT_TRUE(list_->Checked(0));
  EXPECT_EQ(list_->CheckArea(0).left, list_->ClientWidth() - list_->CheckWidth());
}

TEST_F(CheckListTest, ClickOutsideTheCheckAreaSelectsWithoutToggling) {
  ClickAt(list_, list_->CheckWidth() + 20, 18 + 5);
  EXPECT_EQ(list_->State(1), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(list_->ItemIndex(), 1);
  EXPECT_EQ(events_, std::vector<std::string>{"click"});
  // Below the last entry: nothing at all.
  ClickAt(list_, 3, 3 * 18 + 5);
  EXPECT_EQ(events_.size(), 1u);
}

TEST_F(CheckListTest, DisabledEntryCannotBeToggledByTheUser) {
  list_->SetItemEnabled(0, false);
  ClickCheck(0);
  EXPECT_EQ(list_->State(0), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(std::count(events_.begin(), events_.end(), "check"), 0);
  // Code still sets it.
  list_->SetChecked(0, true);
  EXPECT_TRUE(list_->Checked(0));
}

TEST_F(CheckListTest, SettingStateInCodeFiresNothingAndRepaintsOnlyThatCheckBox) {
  ValidateRect(list_->Handle(), nullptr);
  list_->SetState(1, TCheckBoxState::cbGrayed);
  list_->SetChecked(2, true);
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(list_->State(1), TCheckBoxState::cbGrayed);
  EXPECT_FALSE(list_->Checked(1));  // grayed is not checked
  RECT update;
  ASSERT_TRUE(GetUpdateRect(list_->Handle(), &update, FALSE));
  EXPECT_EQ(update.left, 0);
  EXPECT_EQ(update.right, list_->CheckWidth());
  EXPECT_EQ(update.top, 18);
  EXPECT_EQ(update.bottom, 3 * 18);
}

// Thousands of states set at activation cost only the rows on show.
TEST_F(CheckListTest, StatesOutOfViewRepaintNothingUntilScrolledIn) {
  for (int i = 3; i < 40; ++i) list_->Items().Add("entry " + std::to_string(i));
  ValidateRect(list_->Handle(), nullptr);
  RECT update;
  list_->SetChecked(30, true);
  list_->SetState(6, TCheckBoxState::cbGrayed);
  EXPECT_FALSE(GetUpdateRect(list_->Handle(), &update, FALSE));
  // The last row on show is cut by the bottom edge and still repaints.
  const int last_shown = (list_->ClientHeight() - 1) / 18;
  list_->SetChecked(last_shown, true);
  ASSERT_TRUE(GetUpdateRect(list_->Handle(), &update, FALSE));
  EXPECT_EQ(update.top, last_shown * 18);
  list_->SetTopIndex(28);
  ValidateRect(list_->Handle(), nullptr);
  list_->SetChecked(30, false);
  ASSERT_TRUE(GetUpdateRect(list_->Handle(), &update, FALSE));
  EXPECT_EQ(update.top, 2 * 18);
  EXPECT_TRUE(list_->Checked(last_shown));
  EXPECT_EQ(list_->State(6), TCheckBoxState::cbGrayed);
}

TEST_F(CheckListTest, ItemAtPosCountsOnlyExistingEntriesWhenAsked) {
  EXPECT_EQ(list_->ItemAtPos(POINT{50, 0}, true), 0);
  EXPECT_EQ(list_->ItemAtPos(POINT{50, 2 * 18 + 17}, true), 2);
  EXPECT_EQ(list_->ItemAtPos(POINT{50, 3 * 18}, true), -1);
  EXPECT_EQ(list_->ItemAtPos(POINT{50, 3 * 18}, false), 3);
  EXPECT_EQ(list_->ItemAtPos(POINT{50, -1}, false), -1);
  EXPECT_EQ(list_->ItemAtPos(POINT{500, 5}, true), -1);
}

TEST_F(CheckListTest, BadIndexIsAnError) {
  EXPECT_THROW(list_->State(3), IndexError);
  EXPECT_THROW(list_->SetChecked(-1, true), IndexError);
  EXPECT_THROW(list_->Items().Strings(7), IndexError);
}

TEST_F(CheckListTest, OwnerDrawGetsTheTextRectangleAfterTheCheckArea) {
  struct Call {
    int index;
    RECT rect;
  };
  std::vector<Call> calls;
  list_->OnDrawItem = [&](TObject* sender, TCanvas* canvas, int index, const RECT& rect,
                          TOwnerDrawState) {
    EXPECT_EQ(sender, list_);
    calls.push_back({index, rect});
    canvas->SetBrushColor(clRed);
    canvas->FillRect(rect);
  };
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, list_->ClientWidth(), list_->ClientHeight());
  HGDIOBJ old = SelectObject(dc, bitmap);
  list_->PaintTo(dc);
  ASSERT_EQ(calls.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(calls[static_cast<std::size_t>(i)].index, i);
    EXPECT_EQ(calls[static_cast<std::size_t>(i)].rect.left, list_->CheckWidth());
    EXPECT_EQ(calls[static_cast<std::size_t>(i)].rect.top, i * 18);
    EXPECT_EQ(calls[static_cast<std::size_t>(i)].rect.bottom, i * 18 + 18);
  }
  EXPECT_EQ(GetPixel(dc, list_->CheckWidth() + 5, 5), RGB(255, 0, 0));
  EXPECT_NE(GetPixel(dc, 1, 5), RGB(255, 0, 0));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST_F(CheckListTest, StandardStyleEntryHeightFollowsTheFont) {
  list_->SetStyle(TListBoxStyle::lbStandard);
  HDC dc = GetDC(nullptr);
  auto text_height = [&](const TFont& font) {
    HGDIOBJ old = SelectObject(dc, font.Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, "Wg", 2, &size);
    SelectObject(dc, old);
    return size.cy;
  };
  EXPECT_EQ(list_->ItemHeight(), text_height(list_->Font()) + 1);
  list_->Font().SetHeight(-24);
  EXPECT_EQ(list_->ItemHeight(), text_height(list_->Font()) + 1);
  EXPECT_GT(list_->ItemHeight(), 24);
  ReleaseDC(nullptr, dc);
}

}  // namespace
