#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/texts.h"
#include "form_fixture.h"

namespace {

const TextSet& ru = RussianTextSet();
const TextSet& en = EnglishTextSet();

// Three archives and two folders; no countdown unless a test sets one.
class ListsTest : public FormTest {
 protected:
  TForm1& CreateWithPackages(const std::string& more_settings = "") {
    MakeTree({"Zipped\\DP_Chipset.7z", "Zipped\\DP_Lan.7z", "Zipped\\DP_Sound.7z",
              "UnZipped\\Modem\\", "UnZipped\\Video\\"});
    WriteSettings("[CopyFiles]\r\nTimer=30\r\n" + more_settings);
    TForm1& form = CreateForm();
    Activate();
    return form;
  }

  // The user ticks an entry: the control changes its state, then fires the event.
  static void Toggle(TKWTXPCheckListBox* list, int index, bool checked) {
    list->SetChecked(index, checked);
    list->OnClickCheck(list);
  }

  static int IndexOf(const TKWTXPCheckListBox* list, const std::string& text) {
    return list->Items().IndexOf(text);
  }
};

TEST_F(ListsTest, ActivationShowsTotalsAndTheApplyText) {
  TForm1& form = CreateWithPackages();
  EXPECT_EQ(TotalArchives, 3);
  EXPECT_EQ(TotalFolders, 2);
  EXPECT_EQ(CounterText(), "[0/3]");
  // On a loaded machine the running countdown may tick once activation is
  // over; each tick then writes its own caption.
  if (Countdown == 30) {
    EXPECT_EQ(ButtonText(), ru.apply);
  } else {
    EXPECT_EQ(ButtonText(), std::string(ru.exit) + " " + std::to_string(Countdown));
  }
  EXPECT_EQ(form.Label1->Caption(), ru.information);
  EXPECT_TRUE(form.Timer1->Enabled());
}

TEST_F(ListsTest, TickingCountsStopsTheCountdownAndSetsTheCaption) {
  TForm1& form = CreateWithPackages();
  Toggle(form.CheckListBox1, 1, true);
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(CheckedArchives, 1);
  EXPECT_EQ(CounterText(), "[1/3]");
  EXPECT_EQ(ButtonText(), ru.extract);
  EXPECT_FALSE(form.CheckBox3->Checked());
  Toggle(form.CheckListBox1, 0, true);
  Toggle(form.CheckListBox1, 2, true);
  EXPECT_EQ(CounterText(), "[3/3]");
  EXPECT_TRUE(form.CheckBox3->Checked());
  // Ticking the box by code did not select the folders too.
  EXPECT_EQ(CheckedFolders, 0);
  Toggle(form.CheckListBox1, 1, false);
  EXPECT_EQ(CounterText(), "[2/3]");
  EXPECT_TRUE(form.CheckBox3->Checked());
  Toggle(form.CheckListBox1, 0, false);
  Toggle(form.CheckListBox1, 2, false);
  EXPECT_EQ(ButtonText(), ru.exit);
}

TEST_F(ListsTest, GrayedEntriesDoNotCount) {
  TForm1& form = CreateWithPackages();
  form.CheckListBox1->SetState(0, TCheckBoxState::cbGrayed);
  form.UpdateApplyCaption();
  EXPECT_EQ(CheckedArchives, 0);
  EXPECT_EQ(ButtonText(), ru.exit);
}

TEST_F(ListsTest, SelectAllAndNone) {
  TForm1& form = CreateWithPackages();
  form.CheckListBox2->SetState(1, TCheckBoxState::cbGrayed);
  form.CheckBox3->SetChecked(true);
  form.CheckBox3Click(form.CheckBox3);
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(CheckedArchives, 3);
  EXPECT_EQ(CheckedFolders, 2);
  EXPECT_EQ(form.CheckListBox2->State(1), TCheckBoxState::cbChecked);
  EXPECT_EQ(CounterText(), "[3/3]");
  EXPECT_EQ(ButtonText(), ru.extract);
  form.CheckBox3->SetChecked(false);
  form.CheckBox3Click(form.CheckBox3);
  EXPECT_EQ(CheckedArchives, 0);
  EXPECT_EQ(CheckedFolders, 0);
  EXPECT_FALSE(form.CheckListBox1->Checked(0));
  EXPECT_FALSE(form.CheckListBox2->Checked(1));
  EXPECT_EQ(CounterText(), "[0/0]");
  EXPECT_EQ(ButtonText(), ru.exit);
}

TEST_F(ListsTest, SwitchingListsShowsTheirCounters) {
  TForm1& form = CreateWithPackages();
  Toggle(form.CheckListBox1, 0, true);
  form.Header1->SetCollapsed(true);
  form.SpeedButton2Click(form.SpeedButton2);
  EXPECT_TRUE(form.CheckListBox2->Visible());
  EXPECT_FALSE(form.CheckListBox1->Visible());
  EXPECT_FALSE(form.Header1->Collapsed());
  EXPECT_FALSE(form.SpeedButton2->Enabled());
  EXPECT_TRUE(form.SpeedButton1->Enabled());
  EXPECT_EQ(CounterText(), "[0/2]");
  EXPECT_EQ(ButtonText(), ru.extract);
  form.SpeedButton1Click(form.SpeedButton1);
  EXPECT_TRUE(form.CheckListBox1->Visible());
  EXPECT_FALSE(form.CheckListBox2->Visible());
  EXPECT_FALSE(form.SpeedButton1->Enabled());
  EXPECT_EQ(CounterText(), "[1/3]");
}

TEST_F(ListsTest, SwitchingToAnEmptyListKeepsTheResetCounter) {
  MakeTree({"Zipped\\DP_A.7z", "UnZipped\\readme.txt"});
  WriteSettings("[CopyFiles]\r\nTimer=0\r\n");
  TForm1& form = CreateForm();
  Activate();
  form.SpeedButton2Click(form.SpeedButton2);
  EXPECT_EQ(CounterText(), "[0/0]");
  EXPECT_TRUE(form.CheckBox3->Checked());
}

TEST_F(ListsTest, ClickingAnEntryFoldsTheOptionsAway) {
  TForm1& form = CreateWithPackages();
  form.Header1->SetEnabled(false);
  form.Header1->SetCollapsed(true);
  form.CheckListBox1Click(form.CheckListBox1);
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_FALSE(form.Header1->Collapsed());
  EXPECT_FALSE(form.CollapsePanel1->Visible());
  EXPECT_TRUE(form.Header1->Enabled());
  EXPECT_EQ(ButtonText(), ru.exit);
}

TEST_F(ListsTest, HeaderClickRecountsTheVisibleList) {
  TForm1& form = CreateWithPackages();
  form.CheckListBox1->SetChecked(2, true);
  form.Header1Click(form.Header1);
  EXPECT_EQ(CounterText(), "[1/3]");
  EXPECT_EQ(ButtonText(), ru.extract);
  EXPECT_FALSE(form.Timer1->Enabled());
}

TEST_F(ListsTest, PreselectionTicksArchivesByName) {
  TForm1& form =
      CreateWithPackages("[Select]\r\ndp_lan.7z=1\r\nDP_Sound.7z=0\r\nDP_missing.7z=1\r\n");
  EXPECT_FALSE(form.CheckListBox1->Checked(IndexOf(form.CheckListBox1, "DP_chipset.7z")));
  EXPECT_TRUE(form.CheckListBox1->Checked(IndexOf(form.CheckListBox1, "DP_lan.7z")));
  EXPECT_EQ(CheckedArchives, 1);
  EXPECT_EQ(CounterText(), "[1/3]");
  EXPECT_TRUE(form.CheckListBox1->Visible());
}

TEST_F(ListsTest, PreselectionOfFoldersOnlyBringsTheFolderList) {
  TForm1& form = CreateWithPackages("[Select]\r\nUnZipped=1\r\n");
  EXPECT_EQ(CheckedFolders, 2);
  EXPECT_EQ(CounterText(), "[2/2]");
  EXPECT_TRUE(form.CheckListBox2->Visible());
  EXPECT_FALSE(form.CheckListBox1->Visible());
  EXPECT_FALSE(form.SpeedButton2->Enabled());
  EXPECT_TRUE(form.SpeedButton1->Enabled());
  EXPECT_EQ(ButtonText(), ru.extract);
}

// Every line of the section is an entry, a repeated name and the lines after
// one without a name included.
TEST_F(ListsTest, HoverShowsTheLastMatchingHint) {
  TForm1& form = CreateWithPackages(
      "[Hint]\r\nCHIPSET=Intel chipset\r\n=oops\r\nCHIP=Any chip\r\nLAN=Network\r\n"
      "CHIP=Chips of any maker\r\n");
  const int chipset = IndexOf(form.CheckListBox1, "DP_chipset.7z");
  const RECT rect = form.CheckListBox1->ItemRect(chipset);
  form.CheckListBox1MouseMove(form.CheckListBox1, 0, rect.left + 30, rect.top + 5);
  EXPECT_EQ(form.Label1->Caption(), "Chips of any maker");
  const RECT lan = form.CheckListBox1->ItemRect(IndexOf(form.CheckListBox1, "DP_lan.7z"));
  form.CheckListBox1MouseMove(form.CheckListBox1, 0, lan.left + 30, lan.top + 5);
  EXPECT_EQ(form.Label1->Caption(), "Network");
  const RECT below = form.CheckListBox1->ItemRect(2);
  form.Label1->SetCaption("unchanged");
  form.CheckListBox1MouseMove(form.CheckListBox1, 0, below.left + 30, below.bottom + 40);
  EXPECT_EQ(form.Label1->Caption(), "unchanged");
  form.FormDeactivate(&form);
  EXPECT_FALSE(HintTable.has_value());
  form.CheckListBox1MouseMove(form.CheckListBox1, 0, rect.left + 30, rect.top + 5);
  EXPECT_EQ(form.Label1->Caption(), "unchanged");
}

TEST_F(ListsTest, CountdownCaptions) {
  TForm1& form = CreateWithPackages();
  form.Timer1Timer(form.Timer1);
  EXPECT_EQ(Countdown, 29);
  EXPECT_EQ(ButtonText(), std::string(ru.exit) + " 29");
  form.CheckListBox1->SetChecked(0, true);
  CheckedArchives = 1;
  form.Timer1Timer(form.Timer1);
  EXPECT_EQ(ButtonText(), std::string(ru.extract) + " 28");
}

TEST_F(ListsTest, EntriesAreDrawnBlackOnWhite) {
  TForm1& form = CreateWithPackages();
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 18);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  {
    TCanvas canvas(dc);
    canvas.SetBrushColor(clRed);
    canvas.FillRect(RECT{0, 0, 200, 18});
    form.CheckListBox1DrawItem(form.CheckListBox1, &canvas, 0, RECT{0, 0, 200, 18}, odSelected);
  }
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 199, 17), RGB(255, 255, 255));
  int black_left = 200;
  int black_top = 18;
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (GetPixel(dc, x, y) == RGB(0, 0, 0)) {
        black_left = std::min(black_left, x);
        black_top = std::min(black_top, y);
      }
    }
  }
  EXPECT_GE(black_left, 8);
  EXPECT_LE(black_left, 10);
  EXPECT_GE(black_top, 3);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(ListsTest, EnglishCountdownAndApplyTexts) {
  TForm1& form = CreateWithPackages("LangEn=1\r\n");
  EXPECT_EQ(ButtonText(), "Apply");
  form.Timer1Timer(form.Timer1);
  EXPECT_EQ(ButtonText(), "Exit 29");
  EXPECT_EQ(form.Label1->Caption(), en.information);
}

TEST(PumpDelay, WaitsWhileMessagesKeepFlowingWithoutSpinning) {
  int ticks = 0;
  TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.OnTimer = [&ticks](TObject*) { ++ticks; };
  FILETIME created, ended, kernel_before, user_before, kernel_after, user_after;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel_before, &user_before);
  const DWORD start = GetTickCount();
  PumpDelay(600);
  const DWORD elapsed = GetTickCount() - start;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel_after, &user_after);
  const auto busy = [](const FILETIME& kernel, const FILETIME& user) {
    return (ULARGE_INTEGER{{kernel.dwLowDateTime, kernel.dwHighDateTime}}.QuadPart +
            ULARGE_INTEGER{{user.dwLowDateTime, user.dwHighDateTime}}.QuadPart) /
           10000;
  };
  EXPECT_GE(elapsed, 600u);
  EXPECT_GE(ticks, 3);
  EXPECT_LT(busy(kernel_after, user_after) - busy(kernel_before, user_before), 300u);
}

}  // namespace
