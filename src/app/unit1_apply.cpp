#include <windows.h>

#include "app/unit1.h"

// The run: the Exit text ends the program at once; otherwise the window is
// locked, the ticked packages are handled and the program ends. Unpacking the
// archives and copying the folders belong between LockDown and FinishRun.
void TForm1::Button1Click(TObject*) {
  // A countdown still running must not start a second run inside this one.
  StopCountdown();
  HintTable.reset();
  Header1->SetCollapsed(false);
  Header1->SetEnabled(false);
  SpeedButton1->SetEnabled(false);
  SpeedButton2->SetEnabled(false);
  if (IsExitText(Button1->Caption())) {
    Application->Terminate();
    return;
  }
  if (PackagesPresent) LockDown();
  FinishRun();
}

void TForm1::LockDown() {
  Button1->SetCaption(std::string(Texts().exit));
  Button1->SetEnabled(false);
  CheckListBox1->SetEnabled(false);
  CheckListBox2->SetEnabled(false);
  Panel2->Hide();
  Label1->SetCaption(std::string(Texts().execution));
  if (TarnixMode) SaveOptions();
}

void TForm1::FinishRun() {
  ProgressBar2->SetMax(100);
  ProgressBar2->SetPosition(0);
  ProgressBar1->SetMax(100);
  ProgressBar1->SetPosition(0);
  Label1->SetCaption("");
  Label2->SetCaption("");
  PumpDelay(500);
  for (int beep = 0; beep < 3; ++beep) Beep(350, 80);
  Application->Terminate();
}
