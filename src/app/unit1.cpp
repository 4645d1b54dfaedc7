#include <windows.h>

#include "app/unit1.h"

#include <algorithm>

#include "app/package_scan.h"
#include "app/program_places.h"
#include "app/window_layout.h"
#include "common/env_expand.h"
#include "common/paths.h"
#include "common/program_paths.h"

std::string PackageRoot;
std::string TarnixIniPath;
std::int32_t Countdown = 30;
bool EnglishTexts = false;
bool CompactMode = false;
bool PackagesPresent = true;
bool TarnixMode = false;
std::optional<std::vector<std::string>> HintTable;
std::string SavedCaption;
std::string CompactCaption;
std::int32_t CheckedArchives = 0;
std::int32_t CheckedFolders = 0;
std::int32_t TotalArchives = 0;
std::int32_t TotalFolders = 0;
std::int32_t ListHeight = 0;

void ResetApplicationState() {
  PackageRoot.clear();
  TarnixIniPath.clear();
  Countdown = 30;
  EnglishTexts = false;
  CompactMode = false;
  PackagesPresent = true;
  TarnixMode = false;
  HintTable.reset();
  SavedCaption.clear();
  CompactCaption.clear();
  CheckedArchives = CheckedFolders = TotalArchives = TotalFolders = ListHeight = 0;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  BindField("Header1", Header1);
  BindField("CollapsePanel1", CollapsePanel1);
  BindField("CollapsePanel2", CollapsePanel2);
  BindField("CollapsePanel3", CollapsePanel3);
  BindField("ProgressBar1", ProgressBar1);
  BindField("ProgressBar2", ProgressBar2);
  BindField("Button1", Button1);
  BindField("Label1", Label1);
  BindField("Label2", Label2);
  BindField("Label3", Label3);
  BindField("Label4", Label4);
  BindField("Label5", Label5);
  BindField("CheckListBox1", CheckListBox1);
  BindField("CheckListBox2", CheckListBox2);
  BindField("CheckBox1", CheckBox1);
  BindField("CheckBox2", CheckBox2);
  BindField("CheckBox3", CheckBox3);
  BindField("ComboBox1", ComboBox1);
  BindField("SpeedButton1", SpeedButton1);
  BindField("SpeedButton2", SpeedButton2);
  BindField("Panel1", Panel1);
  BindField("Panel2", Panel2);
  BindField("Timer1", Timer1);
  BindField("Timer2", Timer2);
  BindHandler("FormCreate", this, &TForm1::FormCreate);
  BindHandler("FormActivate", this, &TForm1::FormActivate);
  BindHandler("FormDeactivate", this, &TForm1::FormDeactivate);
  BindHandler("FormKeyUp", this, &TForm1::FormKeyUp);
  BindHandler("Timer1Timer", this, &TForm1::Timer1Timer);
  BindHandler("Timer2Timer", this, &TForm1::Timer2Timer);
  BindHandler("Button1Click", this, &TForm1::Button1Click);
  BindHandler("Button1MouseMove", this, &TForm1::Button1MouseMove);
  BindHandler("Header1Click", this, &TForm1::Header1Click);
  BindHandler("CheckBox3Click", this, &TForm1::CheckBox3Click);
  BindHandler("SpeedButton1Click", this, &TForm1::SpeedButton1Click);
  BindHandler("SpeedButton2Click", this, &TForm1::SpeedButton2Click);
  BindHandler("CheckListBox1ClickCheck", this, &TForm1::CheckListBox1ClickCheck);
  BindHandler("CheckListBox2ClickCheck", this, &TForm1::CheckListBox2ClickCheck);
  BindHandler("CheckListBox1Click", this, &TForm1::CheckListBox1Click);
  BindHandler("CheckListBox2Click", this, &TForm1::CheckListBox2Click);
  BindHandler("CheckListBox1DrawItem", this, &TForm1::CheckListBox1DrawItem);
  BindHandler("CheckListBox2DrawItem", this, &TForm1::CheckListBox2DrawItem);
  BindHandler("CheckListBox1MouseMove", this, &TForm1::CheckListBox1MouseMove);
  BindHandler("CheckListBox2MouseMove", this, &TForm1::CheckListBox2MouseMove);
  try {
    SevenZip1 = new TSevenZip(this);
  } catch (const ESevenZipLoadError&) {
    LogMissingLibrary();
    throw;
  }
  SevenZip1->SetName("SevenZip1");
  InitializeForm();
}

TForm1::~TForm1() {
  // The hint handler is bound to this window.
  Application->OnHint = nullptr;
}

void TForm1::FormCreate(TObject*) {
  Application->OnHint = [this](TObject* sender) { ShowApplicationHint(sender); };
  Application->SetHintPause(500);
  Countdown = 30;
  PackagesPresent = true;
  SetRussianTexts();
  SetCaption("Korvelund");
  PrepareEnvironment();
  LoadSettings();
  ApplyTexts();
  SavedCaption = Caption();
  ScanPackages();
  if (CheckListBox1->Items().Count() > 0 || CheckListBox2->Items().Count() > 0) {
    if (Countdown > 0) {
      Timer1->SetEnabled(true);
    } else {
      Button1->SetCaption(std::string(Texts().apply));
      Timer1->SetEnabled(false);
    }
  } else {
    EnterNoPackagesState();
  }
  if (CompactMode) {
    SetCaption(CompactCaption);
    SetWindowHeight(kCompactHeight);
  } else {
    ListHeight =
        kEntryHeight * std::max(CheckListBox1->Items().Count(), CheckListBox2->Items().Count());
    SetWindowHeight(ListHeight + kBaseHeight);
  }
  if (!FileExists(ExtractFilePath(UnpackerProgramFile()) + "Halbrent.exe")) {
    CheckBox2->Hide();
    CollapsePanel1->SetHeight(kReducedOptionsHeight);
  }
  StartRunLog();
}

// A scan that found entries proves its folder not empty: the folder is read
// a second time only when the scan found nothing, which costs thousands of
// entries nothing and gives the same lists and arrangement.
void TForm1::ScanPackages() {
  const std::string root = ExpandEnvVars(PackageRoot);
  if (DirectoryExists(root + "\\Zipped")) {
    ScanArchives(root + "\\Zipped\\*.7z", CheckListBox1);
    if (CheckListBox1->Items().Count() == 0 && IsFolderEmpty(root + "\\Zipped")) {
      MakeFoldersOnlyArrangement();
    }
  } else {
    ScanArchives(root + "\\*.7z", CheckListBox1);
    if (CheckListBox1->Items().Count() == 0) MakeFoldersOnlyArrangement();
  }
  if (DirectoryExists(root + "\\UnZipped")) {
    ScanFolders(root + "\\UnZipped\\*.*", CheckListBox2);
    if (CheckListBox2->Items().Count() == 0 && IsFolderEmpty(root + "\\UnZipped")) {
      MakeArchivesOnlyArrangement();
    }
  } else {
    ScanFolders(root + "\\*.*", CheckListBox2);
    const TStrings& folders = CheckListBox2->Items();
    if (folders.Count() == 0 || (folders.Count() == 1 && folders.Strings(0) == "ZIPPED")) {
      MakeArchivesOnlyArrangement();
    }
  }
}

void TForm1::MakeFoldersOnlyArrangement() {
  Panel2->Hide();
  CheckListBox1->Hide();
  CheckListBox2->Show();
}

void TForm1::MakeArchivesOnlyArrangement() {
  Panel2->Hide();
  CheckListBox2->Hide();
  CheckListBox1->Show();
}

void TForm1::EnterNoPackagesState() {
  Countdown = 5;
  CollapsePanel1->Hide();
  CheckListBox1->Hide();
  Button1->OnMouseMove = nullptr;
  if (EnglishTexts) {
    Header1->SetCaption(std::string(EnglishTextSet().no_packages_header));
  } else {
    Header1->Font().SetColor(RGB(255, 0, 0));
    Header1->SetCaption(std::string(RussianTextSet().no_packages_header));
  }
  Label1->SetCaption(std::string(Texts().no_packages_hint));
  Header1->SetEnabled(false);
  Button1->SetCaption(std::string(Texts().exit));
  PackagesPresent = false;
  Timer1->SetEnabled(true);
}

// The lists fill what the window height leaves below the fixed part, so that
// a list longer than the screen scrolls instead of being cut off. The system
// keeps a window within its largest tracking size (about the screen's): a
// window without its handle yet gets only that much when it is made.
void TForm1::SetWindowHeight(int height) {
  SetHeight(height);
  const int cut = std::max(0, Height() - GetSystemMetrics(SM_CYMAXTRACK));
  for (TKWTXPCheckListBox* list : {CheckListBox1, CheckListBox2}) {
    list->SetHeight(std::max(0, ClientHeight() - cut - list->Top()));
  }
}
