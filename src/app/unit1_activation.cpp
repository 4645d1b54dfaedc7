#include <windows.h>

#include "app/unit1.h"

#include "app/captions.h"
#include "app/program_places.h"
#include "app/select_preset.h"
#include "app/window_layout.h"
#include "app/working_set.h"
#include "common/program_paths.h"

void TForm1::FormActivate(TObject*) {
  Beep(50, 80);
  Beep(60, 80);
  Beep(50, 80);
  TotalArchives = CheckListBox1->Items().Count();
  TotalFolders = CheckListBox2->Items().Count();
  Button1->SetCaption(std::string(Texts().apply));
  if (PackagesPresent) ApplyPreselection();
  Button1->SetFocus();
  Label1->SetCaption(std::string(Texts().information));
}

void TForm1::ApplyPreselection() {
  const bool has_settings = FileExists(UnpackerSettingsFile());
  const SelectPreset preset = has_settings ? SelectPreset(UnpackerSettingsFile()) : SelectPreset();
  if (CheckListBox1->Items().Count() > 0) {
    CheckedArchives = 0;
    if (preset.Present()) {
      for (int i = 0; i < CheckListBox1->Items().Count(); ++i) {
        const bool tick = preset.Ticked(CheckListBox1->Items().Strings(i));
        CheckListBox1->SetChecked(i, tick);
        if (tick) ++CheckedArchives;
      }
    }
  }
  if (CheckListBox2->Items().Count() > 0) {
    CheckedFolders = 0;
    if (preset.Integer("UnZipped", 0) == 1) {
      for (int i = 0; i < CheckListBox2->Items().Count(); ++i) {
        CheckListBox2->SetChecked(i, true);
        ++CheckedFolders;
      }
    }
  }
  if (CheckedFolders > 0 && CheckedArchives == 0) {
    Label4->SetCaption(std::string(kResetCounterText));
    CheckedFolders = 0;
    for (int i = 0; i < CheckListBox2->Items().Count(); ++i) {
      if (CheckListBox2->Checked(i)) ++CheckedFolders;
      Label4->SetCaption(CounterText(CheckedFolders, TotalFolders));
    }
    ShowListInFront(CheckListBox2, CheckListBox1);
    Header1->SetCollapsed(false);
    SpeedButton2->SetEnabled(false);
    SpeedButton1->SetEnabled(true);
    UpdateApplyCaption();
  } else {
    Label4->SetCaption(CounterText(CheckedArchives, TotalArchives));
  }
}

void TForm1::FormDeactivate(TObject*) { HintTable.reset(); }

void TForm1::EnterCompactMode() {
  CollapsePanel2->Hide();
  Header1->SetEnabled(false);
  SetBorderIcons(BorderIcons() & ~biSystemMenu);
  SetWindowHeight(kBaseHeight);
  CompactMode = true;
  CompactCaption = std::string(TextSetFor(EnglishTexts).compact_caption);
}

void TForm1::LeaveCompactMode(int entry_count) {
  CompactMode = false;
  Hide();
  Application->Restore();
  CollapsePanel2->Show();
  Header1->SetEnabled(true);
  ListHeight = kEntryHeight * entry_count;
  SetWindowHeight(ListHeight + kBaseHeight);
  SetBorderIcons(BorderIcons() | biSystemMenu);
  SetTop(0);
  SetPosition(TPosition::poDesktopCenter);
}

void TForm1::Timer2Timer(TObject*) { TrimWorkingSet(); }
