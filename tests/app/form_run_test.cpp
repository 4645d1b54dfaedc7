#include <windows.h>

#include <gtest/gtest.h>

#include "app/texts.h"
#include "form_fixture.h"
#include "support/file_util.h"

namespace {

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

TEST_F(RunTest, CtrlEnterLeavesCompactMode) {
  TForm1& form = CreateWithPackages("Timer=30\r\nHMin=1\r\n");
  ASSERT_TRUE(CompactMode);
  WORD key = VK_RETURN;
  form.FormKeyUp(&form, key, 0);
  EXPECT_TRUE(CompactMode) << "Enter alone";
  EXPECT_EQ(form.Caption(), "Korvelund");
  PressKeys({VK_CONTROL, VK_RETURN}, true);
  form.FormKeyUp(&form, key, ssCtrl);
  PressKeys({VK_RETURN, VK_CONTROL}, false);
  Application->ProcessMessages();
  EXPECT_FALSE(CompactMode);
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(form.Height(), 158 + 2 * 18);
  EXPECT_FALSE(TerminationRequested());
}

}  // namespace
