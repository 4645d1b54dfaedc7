// The look as the controls show it in real windows, with the mouse moved by
// the system: hot tracking, the hand cursor, check marks, frames and the
// progress bar's partial repaint.
#include <gtest/gtest.h>

#include <initializer_list>

#include "controls/look/check_glyph_painter.h"
#include "controls/look/combo_painter.h"
#include "controls/look/gradient.h"
#include "controls/look/header_painter.h"
#include "controls/look/look_resources.h"
#include "controls/xp_button.h"
#include "controls/xp_check_box.h"
#include "controls/xp_check_list_box.h"
#include "controls/xp_combo_box.h"
#include "controls/xp_header.h"
#include "controls/xp_progress_bar.h"
#include "look_form.h"

namespace {

constexpr COLORREF kHeaderBlue = RGB(83, 141, 251);
constexpr COLORREF kHotBlue = RGB(89, 154, 251);
constexpr COLORREF kArrowBlue = RGB(5, 92, 224);
constexpr COLORREF kDisabledBrown = RGB(184, 170, 154);

class HeaderWindowTest : public LookFormTest {
 protected:
  void SetUp() override {
    Read(R"(
      object Header1: TKWTXPHeader
        Left = 20
        Top = 10
        Width = 170
        Height = 40
        Caption = 'WWWW'
      end)");
    header_ = Get<TKWTXPHeader>("Header1");
  }
  // The apex of the arrow's first chevron (pointing up: the panel shows).
  COLORREF ArrowApex() {
    const RECT face = HeaderButtonRect(header_->StripRect());
    const int x = (face.left + face.right) / 2;
    const int y = (face.top + face.bottom) / 2 - 4;
    return Capture(header_)->At(x, y);
  }
  int CaptionPixels(COLORREF color) {
    const RECT strip = header_->StripRect();
    return Capture(header_)->Count({strip.left + 10, strip.top, strip.right - 28, strip.bottom},
                                   color);
  }
  TKWTXPHeader* header_ = nullptr;
};

TEST_F(HeaderWindowTest, StripIsPaintedWithItsRoundedCorners) {
  const auto shot = Capture(header_);
  EXPECT_EQ(shot->At(4, 14), kHeaderBlue);
  EXPECT_EQ(shot->At(5, 14), kHeaderBlue);
  EXPECT_EQ(shot->At(4, 15), kHeaderBlue);
  EXPECT_EQ(shot->At(165, 14), kHeaderBlue);
  EXPECT_EQ(shot->At(6, 14), RGB(255, 255, 255));
  EXPECT_EQ(shot->At(165, 39), RGB(198, 215, 247));
  EXPECT_EQ(ArrowApex(), kArrowBlue);
  EXPECT_GT(CaptionPixels(kArrowBlue), 20);
}

// The mouse entering the strip repaints it hot, leaving it (up into the
// header, or out of the control) repaints it normal again.
TEST_F(HeaderWindowTest, HotWhileTheMouseIsInTheStripAndRepaintedOnEnterAndLeave) {
  MoveMouseTo(header_, 80, 30);
  ASSERT_TRUE(header_->StripHot());
  EXPECT_EQ(ArrowApex(), kHotBlue);
  EXPECT_GT(CaptionPixels(kHotBlue), 20);
  EXPECT_EQ(CaptionPixels(kArrowBlue), 0);

  MoveMouseTo(header_, 80, 5);
  EXPECT_EQ(ArrowApex(), kArrowBlue);
  EXPECT_EQ(CaptionPixels(kHotBlue), 0);

  MoveMouseTo(header_, 80, 30);
  EXPECT_EQ(ArrowApex(), kHotBlue);
  MoveMouseAway();
  EXPECT_EQ(ArrowApex(), kArrowBlue);
  EXPECT_GT(CaptionPixels(kArrowBlue), 20);
}

TEST_F(HeaderWindowTest, NoHotPaintWithoutHotOverlayOrWhileDisabled) {
  header_->SetHotOverlay(false);
  MoveMouseTo(header_, 80, 30);
  EXPECT_EQ(ArrowApex(), kArrowBlue);
  header_->SetHotOverlay(true);
  MoveMouseTo(header_, 81, 31);
  EXPECT_EQ(ArrowApex(), kHotBlue);
  header_->SetEnabled(false);
  Pump();
  EXPECT_EQ(ArrowApex(), kDisabledBrown);
  EXPECT_GT(CaptionPixels(kDisabledBrown), 20);
  EXPECT_EQ(CaptionPixels(kHotBlue), 0);
}

TEST_F(HeaderWindowTest, ArrowTurnsWithCollapsed) {
  const RECT face = HeaderButtonRect(header_->StripRect());
  const int x = (face.left + face.right) / 2;
  const int top = (face.top + face.bottom) / 2 - 4;
  header_->SetCollapsed(false);
  const auto down = Capture(header_);
  EXPECT_EQ(down->At(x, top + 8), kArrowBlue);
  EXPECT_NE(down->At(x, top), kArrowBlue);
  header_->SetCollapsed(true);
  const auto up = Capture(header_);
  EXPECT_EQ(up->At(x, top), kArrowBlue);
  EXPECT_NE(up->At(x, top + 8), kArrowBlue);
}

// The cursor the system shows is the program's own hand resource inside the
// strip, the class cursor elsewhere.
TEST_F(HeaderWindowTest, HandCursorIsTheResourceAndOnlyInsideTheStrip) {
  const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), look_resources::kHeaderHandCursor);
  ASSERT_NE(hand, nullptr);
  auto cursor_at = [&](int x, int y) {
    MoveMouseTo(header_, x, y);
    SendMessageA(header_->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(header_->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(cursor_at(80, 30), hand);
  EXPECT_EQ(cursor_at(4, 39), hand);
  EXPECT_NE(cursor_at(80, 5), hand);
  EXPECT_NE(cursor_at(2, 30), hand);
  header_->SetHandCursor(false);
  EXPECT_NE(cursor_at(80, 30), hand);
}

class CheckListWindowTest : public LookFormTest {
 protected:
  void SetUp() override {
    Read(R"(
      object CheckListBox1: TKWTXPCheckListBox
        Left = 20
        Top = 20
        Width = 200
        Height = 100
        Items.Strings = ('plain' 'ticked' 'handled' 'off')
      end)");
    list_ = Get<TKWTXPCheckListBox>("CheckListBox1");
    list_->SetState(1, TCheckBoxState::cbChecked);
    list_->SetState(2, TCheckBoxState::cbGrayed);
    list_->SetState(3, TCheckBoxState::cbChecked);
    list_->SetItemEnabled(3, false);
    Pump();
  }
  // The glyph of an entry, in the list window's coordinates (the window has
  // a frame: its client area starts at the client origin's offset).
  RECT Glyph(int index) {
    const RECT entry = list_->ItemRect(index);
    RECT glyph =
        CenteredCheckGlyph({entry.left, entry.top, entry.left + list_->CheckWidth(), entry.bottom});
    POINT origin{0, 0};
    ClientToScreen(list_->Handle(), &origin);
    RECT window{};
    GetWindowRect(list_->Handle(), &window);
    OffsetRect(&glyph, origin.x - window.left, origin.y - window.top);
    return glyph;
  }
  TKWTXPCheckListBox* list_ = nullptr;
};

TEST_F(CheckListWindowTest, EntriesShowTheirMarksInTheListsState) {
  for (const bool enabled : {true, false}) {
    SCOPED_TRACE(enabled ? "enabled list" : "disabled list");
    list_->SetEnabled(enabled);
    Pump();
    const auto shot = Capture(list_);
    const COLORREF tick = enabled ? RGB(40, 176, 51) : RGB(180, 180, 180);
    const COLORREF square = enabled ? RGB(43, 189, 53) : RGB(180, 180, 180);
    const RECT plain = Glyph(0);
    const RECT ticked = Glyph(1);
    const RECT handled = Glyph(2);
    const RECT off = Glyph(3);
    EXPECT_EQ(shot->Count(plain, tick), 0);
    // The tick's first line from (2, 4), 2 pixels into the glyph.
    EXPECT_EQ(shot->At(ticked.left + 4, ticked.top + 6), tick);
    EXPECT_EQ(shot->At(ticked.left + 10, ticked.top + 4), tick);
    EXPECT_EQ(shot->Count(ticked, tick), 21);
    EXPECT_EQ(shot->Count(Inset(handled, 4), square),
              (handled.right - handled.left - 8) * (handled.bottom - handled.top - 8));
    // A disabled entry in an enabled list keeps the list's colours.
    EXPECT_EQ(shot->Count(off, tick), 21);
    // The flat frame, 2 pixels in.
    EXPECT_EQ(shot->At(plain.left + 2, plain.top + 6), kDisabledBrown);
  }
}

TEST_F(CheckListWindowTest, RaisedFrameWithoutFlat) {
  list_->SetFlat(false);
  Pump();
  const auto shot = Capture(list_);
  const RECT plain = Glyph(0);
  EXPECT_EQ(shot->At(plain.left + 1, plain.top + 6), RGB(0, 108, 108));
  list_->SetEnabled(false);
  Pump();
  EXPECT_EQ(Capture(list_)->At(plain.left + 1, plain.top + 6), kDisabledBrown);
}

TEST_F(LookFormTest, CheckBoxDrawsTheSameGlyph) {
  Read(R"(
    object CheckBox1: TKWTXPCheckBox
      Left = 20
      Top = 20
      Width = 120
      Height = 17
      Checked = True
    end)");
  auto* box = Get<TKWTXPCheckBox>("CheckBox1");
  const SIZE size = CheckGlyphSize();
  const int top = (17 - size.cy) / 2;
  EXPECT_EQ(Capture(box)->Count({0, top, size.cx, top + size.cy}, RGB(40, 176, 51)), 21);
  box->SetState(TCheckBoxState::cbGrayed);
  box->SetEnabled(false);
  Pump();
  const auto shot = Capture(box);
  EXPECT_EQ(shot->At(6, top + 6), RGB(180, 180, 180));
  EXPECT_EQ(shot->Count({0, top, size.cx, top + size.cy}, RGB(40, 176, 51)), 0);
}

class ButtonWindowTest : public LookFormTest {
 protected:
  void SetUp() override {
    Read(R"(
      object Button1: TKWTXPButton
        Left = 20
        Top = 20
        Width = 75
        Height = 25
        Caption = 'Apply'
      end
      object Button2: TKWTXPButton
        Left = 120
        Top = 20
        Width = 75
        Height = 25
        Caption = 'Other'
      end)");
    button_ = Get<TKWTXPButton>("Button1");
    other_ = Get<TKWTXPButton>("Button2");
  }
  TKWTXPButton* button_ = nullptr;
  TKWTXPButton* other_ = nullptr;
};

TEST_F(ButtonWindowTest, CornersShowTheParentAndTheFrameByState) {
  const COLORREF parent = ColorToRGB(Form()->Color());
  for (const bool enabled : {true, false}) {
    button_->SetEnabled(enabled);
    Pump();
    const auto shot = Capture(button_);
    SCOPED_TRACE(enabled);
    EXPECT_EQ(shot->At(0, 0), parent);
    EXPECT_EQ(shot->At(74, 24), parent);
    EXPECT_EQ(shot->At(1, 1), enabled ? RGB(51, 51, 153) : kDisabledBrown);
    EXPECT_EQ(shot->At(1, 0), enabled ? RGB(152, 152, 220) : RGB(238, 235, 232));
    EXPECT_EQ(shot->At(37, 24), enabled ? RGB(51, 51, 153) : kDisabledBrown);
  }
}

// Row 1 shows the outer ring: orange under the mouse, blue with the focus or
// as the default button while no other button has the focus, light otherwise.
TEST_F(ButtonWindowTest, RingFollowsMouseFocusAndDefault) {
  Read(R"(
    object CheckBox1: TKWTXPCheckBox
      Left = 20
      Top = 80
      Width = 120
      Height = 17
    end)");
  auto* box = Get<TKWTXPCheckBox>("CheckBox1");
  auto ring_near = [&](COLORREF expected, int tolerance) {
    return Eventually([&] { return Near(Capture(button_)->At(37, 1), expected, tolerance); });
  };
  const COLORREF light = RGB(255, 255, 255);
  const COLORREF hot = RGB(255, 211, 130);
  const COLORREF blue = RGB(206, 231, 255);
  other_->SetFocus();
  EXPECT_TRUE(ring_near(light, 8));
  MoveMouseTo(button_, 30, 12);
  EXPECT_TRUE(ring_near(hot, 12));
  MoveMouseAway();
  EXPECT_TRUE(ring_near(light, 8));
  button_->SetFocus();
  EXPECT_TRUE(ring_near(blue, 12));
  // Default: active while the focus is on no other button.
  button_->SetDefault(true);
  other_->SetFocus();
  EXPECT_TRUE(ring_near(light, 8));
  box->SetFocus();
  EXPECT_TRUE(ring_near(blue, 12));
  other_->SetFocus();
  EXPECT_TRUE(ring_near(light, 8));
}

class ComboWindowTest : public LookFormTest {
 protected:
  void SetUp() override {
    Read(R"(
      object ComboBox1: TKWTXPComboBox
        Left = 20
        Top = 20
        Width = 200
        Height = 21
        Items.Strings = ('C:\' 'D:\')
        Text = 'C:\'
      end)");
    combo_ = Get<TKWTXPComboBox>("ComboBox1");
  }
  RECT Button() {
    RECT window{};
    GetWindowRect(combo_->Handle(), &window);
    return ComboButtonRect({0, 0, window.right - window.left, window.bottom - window.top});
  }
  TKWTXPComboBox* combo_ = nullptr;
};

TEST_F(ComboWindowTest, FrameButtonAndCornersByState) {
  const RECT button = Button();
  const auto normal = Capture(combo_);
  EXPECT_EQ(normal->At(60, 0), RGB(127, 157, 185));
  EXPECT_EQ(normal->At(button.left, button.top), RGB(234, 234, 255));
  EXPECT_EQ(normal->At(button.right - 1, button.bottom - 1), RGB(234, 234, 255));

  // Over the edit part, which is a window of its own, the control is hot.
  MoveMouseTo(combo_, 40, 8);
  const auto hot = Capture(combo_);
  EXPECT_EQ(hot->At(60, 0), RGB(123, 160, 223));
  EXPECT_EQ(hot->At(0, 10), RGB(123, 160, 223));
  EXPECT_NE(hot->At((button.left + button.right) / 2, button.top + 3),
            normal->At((button.left + button.right) / 2, button.top + 3));
  EXPECT_EQ(hot->At(button.left, button.top), RGB(234, 234, 255));

  MoveMouseAway();
  EXPECT_EQ(Capture(combo_)->At(60, 0), RGB(127, 157, 185));

  // While the list is open the button shows its pressed face.
  SendMessageA(combo_->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Pump();
  ASSERT_TRUE(combo_->DroppedDown());
  const COLORREF dropped = Capture(combo_)->At(button.left + 1, button.top + 1);
  SendMessageA(combo_->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  Pump();
  EXPECT_TRUE(Near(dropped, RGB(110, 142, 241), 12)) << ColorText(dropped);
  EXPECT_FALSE(Near(Capture(combo_)->At(button.left + 1, button.top + 1), RGB(110, 142, 241), 40));

  combo_->SetEnabled(false);
  Pump();
  const auto disabled = Capture(combo_);
  EXPECT_EQ(disabled->At(60, 0), RGB(201, 199, 186));
  EXPECT_TRUE(Near(disabled->At(button.left + 1, button.top + 3), RGB(244, 243, 238), 4));
}

TEST_F(LookFormTest, ProgressBarPaintsOnlyTheNewPartWhenGrowing) {
  Read(R"(
    object ProgressBar1: TKWTXPProgressBar
      Left = 20
      Top = 20
      Width = 149
      Height = 16
      Smooth = True
      Position = 30
    end)");
  auto* bar = Get<TKWTXPProgressBar>("ProgressBar1");
  const auto at_30 = Capture(bar);
  EXPECT_EQ(at_30->At(0, 0), RGB(217, 217, 217));
  EXPECT_EQ(at_30->At(148, 15), RGB(217, 217, 217));
  EXPECT_EQ(at_30->At(1, 0), RGB(128, 128, 128));
  EXPECT_NE(at_30->At(1 + 43, 8), RGB(255, 255, 255));
  EXPECT_EQ(at_30->At(1 + 44, 8), RGB(255, 255, 255));

  // Marks on the screen show what a repaint touches.
  const COLORREF mark = RGB(9, 9, 9);
  auto scribble = [&] {
    const HDC dc = GetDC(bar->Handle());
    for (const int x : {10, 100}) SetPixelV(dc, x, 8, mark);
    ReleaseDC(bar->Handle(), dc);
  };
  scribble();
  bar->SetPosition(60);
  Pump();
  const auto at_60 = Capture(bar);
  EXPECT_EQ(at_60->At(10, 8), mark) << "the old fill was painted again";
  EXPECT_EQ(at_60->At(100, 8), mark) << "beyond the new fill was painted";
  EXPECT_NE(at_60->At(1 + 87, 8), RGB(255, 255, 255));
  EXPECT_EQ(at_60->At(1 + 88, 8), RGB(255, 255, 255));

  scribble();
  bar->SetPosition(20);
  Pump();
  const auto at_20 = Capture(bar);
  EXPECT_NE(at_20->At(10, 8), mark);
  EXPECT_NE(at_20->At(100, 8), mark);
  EXPECT_EQ(at_20->At(1 + 29, 8), RGB(255, 255, 255));
}

}  // namespace
