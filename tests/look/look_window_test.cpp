// A window made of the XP-look controls, laid out like the unpacker's, in the
// states the look must show: Russian and English texts, the options panel,
// compact, no packages, in the middle of an apply run, disabled. Each state
// is captured, checked at the pixels the look fixes, and saved as a
// screenshot when LOOK_SCREENSHOT_DIR names a folder.
#include <gtest/gtest.h>

#include <string>

#include "controls/look/check_glyph_painter.h"
#include "controls/xp_button.h"
#include "controls/xp_check_box.h"
#include "controls/xp_check_list_box.h"
#include "controls/xp_collapse_panel.h"
#include "controls/xp_combo_box.h"
#include "controls/xp_header.h"
#include "controls/xp_progress_bar.h"
#include "framework/application.h"
#include "framework/description_reader.h"
#include "framework/forms.h"
#include "framework/std_controls.h"
#include "window_capture.h"

namespace {

// Interface texts as Windows-1251 bytes.
constexpr char kOptionsTitle[] =
    "\xCF\xE0\xF0\xE0\xEC\xE5\xF2\xF0\xFB \xF0\xE0\xE1\xEE\xF2\xFB";  // "Параметры работы"
constexpr char kApply[] = "\xCF\xF0\xE8\xEC\xE5\xED\xE8\xF2\xFC";           // "Применить"
constexpr char kExit[] = "\xC2\xFB\xF5\xEE\xE4";                            // "Выход"
constexpr char kSelectAll[] = "\xC2\xFB\xE1\xF0\xE0\xF2\xFC \xC2\xD1\xC5";  // "Выбрать ВСЕ"
constexpr char kNoPackages[] =
    "\xCE\xF2\xF1\xF3\xF2\xF1\xF2\xE2\xF3\xFE\xF2 \xEF\xE0\xEA\xE5\xF2\xFB "
    "\xE4\xF0\xE0\xE9\xE2\xE5\xF0\xEE\xE2";
constexpr char kRestore[] =
    "\xC2\xEE\xF1\xF1\xF2\xE0\xED\xEE\xE2\xE8\xF2\xFC \xEE\xEA\xED\xEE - Ctrl+Enter)";
constexpr char kDestination[] =
    "\xCF\xE0\xEF\xEA\xE0-\xEF\xF0\xE8\xE5\xEC\xED\xE8\xEA";  // "Папка-приемник"
constexpr char kDeleteAfter[] =
    "\xD3\xE4\xE0\xEB\xE8\xF2\xFC \xEF\xE0\xEF\xEA\xF3";  // "Удалить папку"

const char kWindow[] = R"(
object Form1: TForm
  Width = 360
  Height = 230
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Korvelund'
  Color = clWhite
  Font.Name = 'Tahoma'
  Font.Height = -11
  Font.Charset = 204
  object Header1: TKWTXPHeader
    Left = 0
    Top = 0
    Width = 354
    Height = 32
    Collapsed = False
    Font.Charset = 204
    KWTXPCollapsePanel = CollapsePanel1
  end
  object CollapsePanel3: TKWTXPCollapsePanel
    Left = 0
    Top = 32
    Width = 354
    Height = 70
    object Label2: TLabel
      Left = 10
      Top = 4
      Width = 240
      Height = 14
    end
    object Label4: TLabel
      Left = 268
      Top = 4
      Width = 76
      Height = 14
      Caption = '[2/4]'
    end
    object ProgressBar1: TKWTXPProgressBar
      Left = 10
      Top = 20
      Width = 246
      Height = 14
    end
    object ProgressBar2: TKWTXPProgressBar
      Left = 10
      Top = 37
      Width = 246
      Height = 14
      Smooth = True
    end
    object Button1: TKWTXPButton
      Left = 268
      Top = 22
      Width = 75
      Height = 25
    end
    object Label1: TLabel
      Left = 10
      Top = 53
      Width = 246
      Height = 14
    end
  end
  object CollapsePanel2: TKWTXPCollapsePanel
    Left = 0
    Top = 102
    Width = 354
    Height = 26
    object CheckBox3: TKWTXPCheckBox
      Left = 10
      Top = 4
      Width = 240
      Height = 17
    end
  end
  object CheckListBox1: TKWTXPCheckListBox
    Left = 0
    Top = 128
    Width = 354
    Height = 72
    Items.Strings = ('DP_chipset_intel_wnt5.7z' 'DP_lan_realtek_wnt5.7z' 'DP_sound_adi_wnt5.7z' 'DP_video_nvidia_wnt5.7z')
  end
  object CollapsePanel1: TKWTXPCollapsePanel
    Left = 0
    Top = 32
    Width = 354
    Height = 100
    Visible = False
    object Label3: TLabel
      Left = 12
      Top = 8
      Width = 200
      Height = 14
    end
    object ComboBox1: TKWTXPComboBox
      Left = 12
      Top = 24
      Width = 330
      Height = 21
      Items.Strings = ('%SYSTEMDRIVE%\D' '%SYSTEMDRIVE%\DRIVERS')
      Text = '%SYSTEMDRIVE%\D'
    end
    object CheckBox1: TKWTXPCheckBox
      Left = 12
      Top = 52
      Width = 330
      Height = 17
      Checked = True
    end
    object CheckBox2: TKWTXPCheckBox
      Left = 12
      Top = 74
      Width = 330
      Height = 17
    end
  end
end
)";

class LookWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(Application);
    ReadComponent(kWindow, form_);
    Header1 = Get<TKWTXPHeader>("Header1");
    Button1 = Get<TKWTXPButton>("Button1");
    CheckListBox1 = Get<TKWTXPCheckListBox>("CheckListBox1");
    CheckBox3 = Get<TKWTXPCheckBox>("CheckBox3");
    ProgressBar1 = Get<TKWTXPProgressBar>("ProgressBar1");
    ProgressBar2 = Get<TKWTXPProgressBar>("ProgressBar2");
    Header1->SetCaption(kOptionsTitle);
    Button1->SetCaption(kApply);
    CheckBox3->SetCaption(kSelectAll);
    Get<TLabel>("Label3")->SetCaption(kDestination);
    Get<TKWTXPCheckBox>("CheckBox1")->SetCaption(kDeleteAfter);
    Get<TKWTXPCheckBox>("CheckBox2")->SetCaption("Copy the distribution");
    CheckListBox1->SetChecked(0, true);
    CheckListBox1->SetChecked(1, true);
  }
  void TearDown() override { delete form_; }

  template <class T>
  T* Get(const char* name) {
    auto* component = dynamic_cast<T*>(form_->FindComponent(name));
    if (!component) throw std::runtime_error(std::string("no ") + name);
    return component;
  }
  // Shows the window in its current state and captures its client area.
  std::unique_ptr<PixelCanvas> Shoot(const std::string& name) {
    if (!form_->Visible()) form_->ShowForm();
    // Away from every control, so nothing is hot.
    SetCursorPos(1200, 1000);
    PumpMessagesFor(400);
    auto shot = CaptureClientArea(form_->Handle());
    SaveScreenshot(*shot, name);
    return shot;
  }
  // A control's client point in the capture's coordinates.
  POINT InShot(TControl* control, int x, int y) {
    POINT point = control->ClientToScreen(POINT{x, y});
    ScreenToClient(form_->Handle(), &point);
    return point;
  }
  COLORREF PixelOf(const PixelCanvas& shot, TControl* control, int x, int y) {
    const POINT p = InShot(control, x, y);
    return shot.At(p.x, p.y);
  }
  // Pixels of `color` inside a control's client area on the capture.
  int CountIn(const PixelCanvas& shot, TControl* control, COLORREF color) {
    const POINT origin = InShot(control, 0, 0);
    return shot.Count(
        {origin.x, origin.y, origin.x + control->ClientWidth(), origin.y + control->ClientHeight()},
        color);
  }
  // The combo box's frame, on its window's top edge.
  COLORREF ComboFrame(const PixelCanvas& shot) {
    RECT combo{};
    GetWindowRect(Get<TControl>("ComboBox1")->Handle(), &combo);
    POINT top{combo.left + 100, combo.top};
    ScreenToClient(form_->Handle(), &top);
    return shot.At(top.x, top.y);
  }
  // Pixels of the tick colour in an entry's check area.
  int TickPixels(const PixelCanvas& shot, int index, COLORREF tick) {
    const RECT entry = CheckListBox1->ItemRect(index);
    const POINT origin = InShot(CheckListBox1, entry.left, entry.top);
    return shot.Count({origin.x, origin.y, origin.x + CheckListBox1->CheckWidth(),
                       origin.y + entry.bottom - entry.top},
                      tick);
  }

  TForm* form_ = nullptr;
  TKWTXPHeader* Header1 = nullptr;
  TKWTXPButton* Button1 = nullptr;
  TKWTXPCheckListBox* CheckListBox1 = nullptr;
  TKWTXPCheckBox* CheckBox3 = nullptr;
  TKWTXPProgressBar* ProgressBar1 = nullptr;
  TKWTXPProgressBar* ProgressBar2 = nullptr;
};

constexpr COLORREF kHeaderBlue = RGB(83, 141, 251);
constexpr COLORREF kCaptionBlue = RGB(5, 92, 224);
constexpr COLORREF kDisabledBrown = RGB(184, 170, 154);
constexpr COLORREF kTick = RGB(40, 176, 51);
constexpr COLORREF kGreyMark = RGB(180, 180, 180);
constexpr COLORREF kButtonFrame = RGB(51, 51, 153);

TEST_F(LookWindowTest, RussianWindowWithTheList) {
  const auto shot = Shoot("window_ru");
  EXPECT_EQ(PixelOf(*shot, Header1, 0, 6), kHeaderBlue);
  EXPECT_EQ(PixelOf(*shot, Header1, 4, 6), kHeaderBlue);
  EXPECT_EQ(PixelOf(*shot, Header1, 6, 6), RGB(255, 255, 255));
  EXPECT_GT(CountIn(*shot, Header1, kCaptionBlue), 100);
  EXPECT_EQ(PixelOf(*shot, Button1, 1, 1), kButtonFrame);
  EXPECT_EQ(PixelOf(*shot, Button1, 0, 0), ColorToRGB(Get<TControl>("CollapsePanel3")->Color()));
  EXPECT_EQ(TickPixels(*shot, 0, kTick), 21);
  EXPECT_EQ(TickPixels(*shot, 1, kTick), 21);
  EXPECT_EQ(TickPixels(*shot, 2, kTick), 0);
  EXPECT_EQ(PixelOf(*shot, ProgressBar1, 0, 0), RGB(217, 217, 217));
}

TEST_F(LookWindowTest, EnglishWindowWithTheOptionsShown) {
  Header1->SetCaption("Options for working with drivers");
  Button1->SetCaption("Apply");
  CheckBox3->SetCaption("Remove / Select All");
  Get<TLabel>("Label3")->SetCaption("File-receiver");
  Get<TKWTXPCheckBox>("CheckBox1")->SetCaption("Delete file-receiver for driver");
  Header1->SetCollapsed(true);
  const auto shot = Shoot("window_en_options");
  EXPECT_TRUE(Get<TControl>("CollapsePanel1")->Visible());
  EXPECT_GT(CountIn(*shot, Header1, kCaptionBlue), 100);
  // The options panel: white frame on light blue, the combo box's frame.
  auto* panel = Get<TKWTXPCollapsePanel>("CollapsePanel1");
  EXPECT_EQ(PixelOf(*shot, panel, 4, 50), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(*shot, panel, 30, 50), RGB(203, 219, 248));
  EXPECT_EQ(PixelOf(*shot, panel, 2, 50), kHeaderBlue);
  EXPECT_EQ(ComboFrame(*shot), RGB(127, 157, 185));
}

TEST_F(LookWindowTest, CompactWindowWithTheHeaderDisabled) {
  form_->SetCaption(kRestore);
  Get<TControl>("CollapsePanel2")->Hide();
  Header1->SetEnabled(false);
  form_->SetHeight(132);
  const auto shot = Shoot("window_compact");
  EXPECT_GT(CountIn(*shot, Header1, kDisabledBrown), 100);
  EXPECT_EQ(CountIn(*shot, Header1, kCaptionBlue), 0);
  EXPECT_EQ(PixelOf(*shot, Header1, 4, 6), kHeaderBlue);
}

// The no-packages state sets the header's font red and disables the header;
// the red warning stays red, while the arrow takes the disabled colour.
TEST_F(LookWindowTest, NoPackagesWindow) {
  Header1->Font().SetColor(clRed);
  Header1->SetCaption(kNoPackages);
  Header1->SetEnabled(false);
  CheckListBox1->Hide();
  Button1->SetCaption(kExit);
  Get<TLabel>("Label1")->SetCaption(kExit);
  form_->SetHeight(158);
  const auto shot = Shoot("window_no_packages_ru");
  EXPECT_GT(CountIn(*shot, Header1, RGB(255, 0, 0)), 100);
  EXPECT_GT(CountIn(*shot, Header1, kDisabledBrown), 10);
  EXPECT_EQ(PixelOf(*shot, Button1, 1, 1), kButtonFrame);
}

TEST_F(LookWindowTest, InTheMiddleOfAnApplyRun) {
  CheckListBox1->SetChecked(2, true);
  CheckListBox1->SetState(0, TCheckBoxState::cbGrayed);
  CheckListBox1->SetState(1, TCheckBoxState::cbGrayed);
  CheckListBox1->SetEnabled(false);
  Header1->SetEnabled(false);
  Button1->SetCaption(kExit);
  Button1->SetEnabled(false);
  Get<TLabel>("Label2")->SetCaption("  DP_sound_adi_wnt5.7z");
  Get<TLabel>("Label4")->SetCaption("[2/3]");
  ProgressBar1->SetPosition(60);
  ProgressBar2->SetPosition(35);
  const auto shot = Shoot("window_apply_run");
  // Handled entries grayed, the next one ticked, all in the disabled colours.
  const RECT entry = CheckListBox1->ItemRect(0);
  const RECT glyph = CenteredCheckGlyph({0, entry.top, CheckListBox1->CheckWidth(), entry.bottom});
  EXPECT_EQ(
      PixelOf(*shot, CheckListBox1, (glyph.left + glyph.right) / 2, (glyph.top + glyph.bottom) / 2),
      kGreyMark);
  EXPECT_EQ(TickPixels(*shot, 2, kGreyMark), 21);
  EXPECT_EQ(TickPixels(*shot, 2, kTick), 0);
  // Bars filled to their positions (244 interior pixels).
  EXPECT_NE(PixelOf(*shot, ProgressBar1, 1 + 140, 7), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(*shot, ProgressBar1, 1 + 150, 7), RGB(255, 255, 255));
  EXPECT_NE(PixelOf(*shot, ProgressBar2, 1 + 80, 7), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(*shot, ProgressBar2, 1 + 90, 7), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(*shot, Button1, 1, 1), kDisabledBrown);
}

TEST_F(LookWindowTest, EverythingDisabled) {
  Header1->SetCollapsed(true);
  for (const char* name : {"Header1", "Button1", "CheckListBox1", "CheckBox3", "ComboBox1",
                           "CheckBox1", "CheckBox2"}) {
    Get<TControl>(name)->SetEnabled(false);
  }
  const auto shot = Shoot("window_disabled");
  EXPECT_EQ(ComboFrame(*shot), RGB(201, 199, 186));
  EXPECT_GT(CountIn(*shot, Header1, kDisabledBrown), 100);
  auto* check = Get<TKWTXPCheckBox>("CheckBox1");
  EXPECT_EQ(CountIn(*shot, check, kGreyMark), 21);
}

}  // namespace
