#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "app/texts.h"
#include "common/program_paths.h"
#include "form_fixture.h"
#include "support/file_util.h"
#include "support/pump_until.h"
#include "support/temp_folder.h"
#include "support/worker_thread.h"

namespace {

using testing_support::PumpUntil;
using testing_support::ReadTextFile;
using testing_support::WriteTextFile;

const TextSet& ru = RussianTextSet();

// Whether the application was asked to terminate; takes the request back so
// that the next test starts with a running application.
bool TerminationRequested() {
  MSG message;
  return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

void PressKeys(std::initializer_list<WORD> keys, bool down) {
  for (const WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
  }
}

// A left click at a screen point, through the system's input queue.
void ClickAt(int x, int y) {
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  inputs[0].mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN));
  inputs[0].mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN));
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, inputs, sizeof inputs[0]);
}

class RunTest : public FormTest {
 protected:
  TForm1& CreateWithPackages(const std::string& copy_files = "Timer=30\r\n") {
    MakeTree({"Zipped\\DP_Chipset.7z", "Zipped\\DP_Lan.7z", "UnZipped\\Modem\\"});
    WriteSettings("[CopyFiles]\r\n" + copy_files + "[Hint]\r\nLAN=Network\r\n");
    TForm1& form = CreateForm();
    Activate();
    return form;
  }
};

TEST_F(RunTest, ExitTextEndsTheProgramAtOnce) {
  TForm1& form = CreateWithPackages();
  form.Button1->SetCaption(std::string(ru.exit));
  form.Label1->SetCaption("kept");
  form.Header1->SetCollapsed(true);
  form.Button1Click(form.Button1);
  EXPECT_TRUE(TerminationRequested());
  EXPECT_FALSE(HintTable.has_value());
  EXPECT_FALSE(form.Header1->Collapsed());
  EXPECT_FALSE(form.Header1->Enabled());
  EXPECT_FALSE(form.SpeedButton1->Enabled());
  EXPECT_FALSE(form.SpeedButton2->Enabled());
  // Neither lock-down nor the ending ran.
  EXPECT_TRUE(form.Button1->Enabled());
  EXPECT_EQ(form.Label1->Caption(), "kept");
}

TEST_F(RunTest, EnglishExitTextCountsInRussianToo) {
  TForm1& form = CreateWithPackages();
  form.Button1->SetCaption("Exit");
  form.Button1Click(form.Button1);
  EXPECT_TRUE(TerminationRequested());
  EXPECT_TRUE(form.Button1->Enabled());
}

TEST_F(RunTest, ExitTextWithTheCountdownNumberLocksDownAndEnds) {
  TForm1& form = CreateWithPackages("Timer=30\r\nTarnix=1\r\n");
  WriteTextFile(TarnixIni(), "[Options]\r\n");
  form.Timer1Timer(form.Timer1);
  ASSERT_EQ(ButtonText(), std::string(ru.exit) + " 29");
  form.ProgressBar1->SetMax(7);
  form.Button1Click(form.Button1);
  EXPECT_TRUE(TerminationRequested());
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(ButtonText(), ru.exit);
  EXPECT_FALSE(form.Button1->Enabled());
  EXPECT_FALSE(form.CheckListBox1->Enabled());
  EXPECT_FALSE(form.CheckListBox2->Enabled());
  EXPECT_FALSE(form.CheckBox3->Enabled());
  EXPECT_FALSE(form.Panel2->Visible());
  EXPECT_EQ(form.Label1->Caption(), "");
  EXPECT_EQ(form.Label2->Caption(), "");
  EXPECT_EQ(form.ProgressBar1->Max(), 100);
  EXPECT_EQ(form.ProgressBar2->Max(), 100);
  EXPECT_EQ(form.ProgressBar1->Position(), 0);
  const std::string tarnix = ReadTextFile(TarnixIni());
  EXPECT_NE(tarnix.find("PostSetup=1"), std::string::npos) << tarnix;
  EXPECT_NE(tarnix.find("DrvFolder=%SYSTEMDRIVE%\\D"), std::string::npos) << tarnix;
}

// The user clicks the select-all box twice while the folders are copied:
// the run goes on with the selection it started with.
TEST_F(RunTest, SelectAllBoxCannotChangeTheSelectionDuringTheRun) {
  const int kFolders = 8;
  testing_support::TempFolder target;
  for (int i = 1; i <= kFolders; ++i) {
    MakeTree({"UnZipped\\Folder" + std::to_string(i) + "\\x.inf"});
  }
  WriteSettings("[Options]\r\nDrvFolder=" + target.Path() +
                "\r\n[CopyFiles]\r\nTimer=0\r\n[Select]\r\nUnZipped=1\r\n");
  TForm1& form = CreateForm();
  Activate();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form.Handle(); }));
  ASSERT_EQ(CheckedFolders, kFolders);
  const bool box_was_checked = form.CheckBox3->Checked();
  const HWND box = form.CheckBox3->Handle();
  const std::string first_copy = target / "D\\X\\FOLDER1";
  std::atomic<int> clicks{0};
  testing_support::WorkerThread user([&] {
    for (int waited = 0; waited < 20000 && !DirectoryExists(first_copy); waited += 20) Sleep(20);
    for (; clicks < 2; ++clicks) {
      RECT rect;
      GetWindowRect(box, &rect);
      ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
      // Apart by more than a double click.
      Sleep(GetDoubleClickTime() + 200);
    }
  });
  form.Button1Click(form.Button1);
  user.Join();
  EXPECT_TRUE(TerminationRequested());
  ASSERT_EQ(clicks, 2);
  EXPECT_EQ(form.CheckBox3->Checked(), box_was_checked);
  EXPECT_FALSE(form.Button1->Enabled());
  for (int i = 0; i < kFolders; ++i) {
    EXPECT_EQ(form.CheckListBox2->State(i), TCheckBoxState::cbGrayed) << i;
  }
  for (int i = 1; i <= kFolders; ++i) {
    EXPECT_TRUE(FileExists(target / ("D\\X\\FOLDER" + std::to_string(i) + "\\x.inf"))) << i;
  }
}

TEST_F(RunTest, WithoutPackagesOnlyTheEndingRuns) {
  WriteSettings("[CopyFiles]\r\nTarnix=1\r\n");
  WriteTextFile(TarnixIni(), "[Options]\r\n");
  TForm1& form = CreateForm();
  Activate();
  EXPECT_EQ(ButtonText(), ru.apply);
  form.Button1Click(form.Timer1);
  EXPECT_TRUE(TerminationRequested());
  EXPECT_TRUE(form.Button1->Enabled());
  EXPECT_EQ(form.Label1->Caption(), "");
  EXPECT_EQ(ReadTextFile(TarnixIni()).find("PostSetup"), std::string::npos);
}

TEST_F(RunTest, CountdownRunningOutAppliesAndCloses) {
  TForm1& form = CreateWithPackages("Timer=1\r\n");
  form.Timer1Timer(form.Timer1);
  EXPECT_EQ(Countdown, 0);
  // The pause after the run already took the request from the queue.
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_FALSE(form.Button1->Enabled());
  EXPECT_FALSE(form.Visible());
}

TEST_F(RunTest, EscAsksToEndAndTheRestOfTheKeyHandlerRuns) {
  TForm1& form = CreateWithPackages();
  form.SetCaption("changed");
  WORD key = VK_ESCAPE;
  form.FormKeyUp(&form, key, 0);
  EXPECT_TRUE(TerminationRequested());
  EXPECT_EQ(form.Caption(), "Korvelund");
}

// Real key strokes into the window, letting go of either key first.
TEST_F(RunTest, CtrlEnterLeavesCompactMode) {
  {
    TForm1& form = CreateWithPackages("Timer=30\r\nHMin=1\r\n");
    WORD key = VK_RETURN;
    form.FormKeyUp(&form, key, 0);
    EXPECT_TRUE(CompactMode) << "Enter alone";
    EXPECT_EQ(form.Caption(), "Korvelund");
  }
  for (const WORD first_up : {VK_RETURN, VK_CONTROL}) {
    SCOPED_TRACE(first_up == VK_RETURN ? "Enter let go first" : "Ctrl let go first");
    ResetApplicationState();
    TForm1& form = CreateWithPackages("Timer=30\r\nHMin=1\r\n");
    ASSERT_TRUE(CompactMode);
    SetForegroundWindow(form.Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form.Handle(); }));
    PressKeys({VK_CONTROL, VK_RETURN}, true);
    PressKeys({first_up, first_up == VK_RETURN ? WORD{VK_CONTROL} : WORD{VK_RETURN}}, false);
    EXPECT_TRUE(PumpUntil([] { return !CompactMode; }, 5000));
    PumpUntil([] { return false; }, 200);
    EXPECT_FALSE(form.Timer1->Enabled());
    EXPECT_EQ(form.Height(), 158 + 2 * 18);
    EXPECT_TRUE(form.Header1->Enabled());
    EXPECT_EQ(form.Caption(), "Korvelund");
    EXPECT_FALSE(TerminationRequested());
  }
}

}  // namespace
