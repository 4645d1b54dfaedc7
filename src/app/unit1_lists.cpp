#include <windows.h>

#include "app/unit1.h"

#include <algorithm>

#include "app/captions.h"
#include "app/package_rules.h"
#include "app/package_scan.h"
#include "common/file_names.h"

namespace {

int CountChecked(const TKWTXPCheckListBox* list) {
  int checked = 0;
  for (int i = 0; i < list->Items().Count(); ++i) {
    if (list->Checked(i)) ++checked;
  }
  return checked;
}

bool AllChecked(const TKWTXPCheckListBox* list) {
  return CountChecked(list) == list->Items().Count();
}

void SetEveryState(TKWTXPCheckListBox* list, TCheckBoxState state) {
  for (int i = 0; i < list->Items().Count(); ++i) list->SetState(i, state);
}

}  // namespace

// Entries are names as the disk has them: UTF-8 on the NT family.
void TForm1::ScanArchives(const std::string& mask, TKWTXPCheckListBox* list) {
  list->SetUtf8Items(WideFileNames());
  list->Items().AddStrings(FindArchiveEntries(mask));
}

void TForm1::ScanFolders(const std::string& mask, TKWTXPCheckListBox* list) {
  list->SetUtf8Items(WideFileNames());
  list->Items().AddStrings(FindFolderEntries(mask));
}

void TForm1::UpdateApplyCaption() {
  CheckedArchives = CountChecked(CheckListBox1);
  CheckedFolders = CountChecked(CheckListBox2);
  const bool nothing = CheckedArchives < 1 && CheckedFolders < 1;
  Button1->SetCaption(std::string(nothing ? Texts().exit : Texts().extract));
}

void TForm1::ShowApplicationHint(TObject*) { Label1->SetCaption(Application->Hint()); }

void TForm1::StopCountdown() { Timer1->SetEnabled(false); }

void TForm1::CheckHandler(TKWTXPCheckListBox* list, std::int32_t& checked, std::int32_t total) {
  StopCountdown();
  Button1->SetCaption(std::string(Texts().extract));
  if (list->Items().Count() > 0) {
    checked = CountChecked(list);
    Label4->SetCaption(CounterText(checked, total));
  }
  if (AllChecked(list)) {
    // Ticking the box by code must not run its select-all handler.
    const TNotifyEvent handler = std::move(CheckBox3->OnClick);
    CheckBox3->SetChecked(true);
    CheckBox3->OnClick = handler;
  }
  UpdateApplyCaption();
}

void TForm1::CheckListBox1ClickCheck(TObject*) {
  CheckHandler(CheckListBox1, CheckedArchives, TotalArchives);
}

void TForm1::CheckListBox2ClickCheck(TObject*) {
  CheckHandler(CheckListBox2, CheckedFolders, TotalFolders);
}

void TForm1::ClickHandler(TKWTXPCheckListBox* list) {
  if (list->Items().Count() > 0) {
    StopCountdown();
    Header1->SetCollapsed(false);
    Header1->SetEnabled(true);
  }
  UpdateApplyCaption();
}

void TForm1::CheckListBox1Click(TObject*) { ClickHandler(CheckListBox1); }
void TForm1::CheckListBox2Click(TObject*) { ClickHandler(CheckListBox2); }

void TForm1::Header1Click(TObject* Sender) {
  if (CheckListBox1->Visible()) {
    CheckListBox1ClickCheck(Sender);
  } else {
    CheckListBox2ClickCheck(Sender);
  }
  UpdateApplyCaption();
}

void TForm1::CheckBox3Click(TObject*) {
  StopCountdown();
  Button1->SetCaption(std::string(Texts().extract));
  if (!CheckBox3->Checked()) {
    Button1->SetCaption(std::string(Texts().exit));
    Label4->SetCaption(std::string(kResetCounterText));
    SetEveryState(CheckListBox1, TCheckBoxState::cbUnchecked);
    SetEveryState(CheckListBox2, TCheckBoxState::cbUnchecked);
    CheckedArchives = CheckedFolders = 0;
    return;
  }
  SetEveryState(CheckListBox1, TCheckBoxState::cbChecked);
  SetEveryState(CheckListBox2, TCheckBoxState::cbChecked);
  CheckedArchives = CheckListBox1->Items().Count();
  CheckedFolders = CheckListBox2->Items().Count();
  for (TKWTXPCheckListBox* list : {CheckListBox1, CheckListBox2}) {
    if (list->Items().Count() > 0 && list->Visible()) {
      Button1->SetCaption(std::string(Texts().extract));
      Button1->SetEnabled(true);
      Label4->SetCaption(CounterText(list->Items().Count(), list->Items().Count()));
    }
  }
}

void TForm1::ShowListInFront(TKWTXPCheckListBox* front, TKWTXPCheckListBox* back) {
  front->Show();
  front->BringToFront();
  back->Hide();
}

void TForm1::SpeedButton1Click(TObject* Sender) {
  Label4->SetCaption(std::string(kResetCounterText));
  CheckListBox1ClickCheck(Sender);
  ShowListInFront(CheckListBox1, CheckListBox2);
  Header1->SetCollapsed(false);
  SpeedButton1->SetEnabled(false);
  SpeedButton2->SetEnabled(true);
  UpdateApplyCaption();
}

void TForm1::SpeedButton2Click(TObject* Sender) {
  Label4->SetCaption(std::string(kResetCounterText));
  CheckListBox2ClickCheck(Sender);
  ShowListInFront(CheckListBox2, CheckListBox1);
  Header1->SetCollapsed(false);
  SpeedButton2->SetEnabled(false);
  SpeedButton1->SetEnabled(true);
  UpdateApplyCaption();
}

void TForm1::DrawEntry(TKWTXPCheckListBox* list, TCanvas* canvas, int index, const RECT& rect) {
  canvas->Font().SetColor(clBlack);
  canvas->SetBrushColor(clWhite);
  canvas->FillRect(rect);
  canvas->TextOut(rect.left + 8, rect.top + 3, list->Items().Strings(index));
}

void TForm1::CheckListBox1DrawItem(TObject*, TCanvas* Canvas, int Index, const RECT& Rect,
                                   TOwnerDrawState) {
  DrawEntry(CheckListBox1, Canvas, Index, Rect);
}

void TForm1::CheckListBox2DrawItem(TObject*, TCanvas* Canvas, int Index, const RECT& Rect,
                                   TOwnerDrawState) {
  DrawEntry(CheckListBox2, Canvas, Index, Rect);
}

void TForm1::ShowEntryHint(TKWTXPCheckListBox* list, int x, int y) {
  const int index = list->ItemAtPos(POINT{x, y}, true);
  if (index < 0 || !HintTable) return;
  if (const auto text = EntryHintText(*HintTable, list->Items().Strings(index))) {
    Label1->SetCaption(*text);
  }
}

void TForm1::CheckListBox1MouseMove(TObject*, TShiftState, int X, int Y) {
  ShowEntryHint(CheckListBox1, X, Y);
}

void TForm1::CheckListBox2MouseMove(TObject*, TShiftState, int X, int Y) {
  ShowEntryHint(CheckListBox2, X, Y);
}

void TForm1::Timer1Timer(TObject*) {
  --Countdown;
  const bool something_checked = CheckedFolders != 0 || CheckedArchives != 0;
  Button1->SetCaption(
      CountdownCaption(something_checked ? Texts().extract : Texts().exit, Countdown));
  if (Countdown > 0) return;
  Button1->SetCaption(std::string(Texts().apply));
  PumpDelay(500);
  StopCountdown();
  Button1Click(Timer1);
  PumpDelay(500);
  Close();
}

void TForm1::BringWindowBack() {
  SetCaption(SavedCaption);
  Application->Restore();
  Show();
}

void TForm1::FormKeyUp(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_ESCAPE) {
    if (!run_started_) run_log_->EndedWithoutRun("Esc");
    Application->Terminate();
  }
  if (CheckListBox1->Items().Count() == 0) return;
  // The released key is already up here, and the other one may be up by now
  // as well: its state is taken as of this message, not as of this moment.
  const auto held = [&](WORD key) { return Key == key || GetKeyState(key) < 0; };
  if (held(VK_CONTROL) && held(VK_RETURN)) {
    if (CompactMode) LeaveCompactMode(CheckListBox1->Items().Count());
    StopCountdown();
  }
  BringWindowBack();
}

void TForm1::Button1MouseMove(TObject*, TShiftState, int, int) {
  UpdateApplyCaption();
  if (CompactMode) {
    LeaveCompactMode(std::max(CheckListBox1->Items().Count(), CheckListBox2->Items().Count()));
  }
  StopCountdown();
  BringWindowBack();
}
