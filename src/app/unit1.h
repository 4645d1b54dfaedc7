#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/apply/progress_scale.h"
#include "app/apply_log.h"
#include "app/texts.h"
#include "controls/xp_button.h"
#include "controls/xp_check_box.h"
#include "controls/xp_check_list_box.h"
#include "controls/xp_combo_box.h"
#include "controls/xp_header.h"
#include "controls/xp_progress_bar.h"
#include "framework/application.h"
#include "framework/forms.h"
#include "framework/std_controls.h"
#include "framework/timer.h"
#include "sevenzip/SevenZipVCL.h"

// Application state of the unpacker, one instance each for the process.
extern std::string PackageRoot;
extern std::string TarnixIniPath;
extern std::int32_t Countdown;
extern bool EnglishTexts;
extern bool CompactMode;
extern bool PackagesPresent;
extern bool TarnixMode;
extern std::optional<std::vector<std::string>> HintTable;  // "name=text" pairs
extern std::string SavedCaption;
extern std::string CompactCaption;
extern std::int32_t CheckedArchives;
extern std::int32_t CheckedFolders;
extern std::int32_t TotalArchives;
extern std::int32_t TotalFolders;
extern std::int32_t ListHeight;

// Puts the application state back to its values at process start (a new
// TForm1 in the same process, as the tests create them, starts from these).
void ResetApplicationState();

// Waits `milliseconds` while window messages keep being processed.
void PumpDelay(std::uint32_t milliseconds);

// The unpacker's one window.
class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);
  ~TForm1() override;
  // Names the window's description resource, TFORM1.
  const char* ClassName() const override { return "TForm1"; }

  TKWTXPHeader* Header1 = nullptr;
  TKWTXPCollapsePanel* CollapsePanel1 = nullptr;
  TKWTXPCollapsePanel* CollapsePanel2 = nullptr;
  TKWTXPCollapsePanel* CollapsePanel3 = nullptr;
  TKWTXPProgressBar* ProgressBar1 = nullptr;
  TKWTXPProgressBar* ProgressBar2 = nullptr;
  TKWTXPButton* Button1 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TKWTXPCheckListBox* CheckListBox1 = nullptr;
  TKWTXPCheckListBox* CheckListBox2 = nullptr;
  TKWTXPCheckBox* CheckBox1 = nullptr;
  TKWTXPCheckBox* CheckBox2 = nullptr;
  TKWTXPCheckBox* CheckBox3 = nullptr;
  TKWTXPComboBox* ComboBox1 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TPanel* Panel1 = nullptr;
  TPanel* Panel2 = nullptr;
  TTimer* Timer1 = nullptr;
  TTimer* Timer2 = nullptr;
  TSevenZip* SevenZip1 = nullptr;

  // Start-up and window life.
  void FormCreate(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormDeactivate(TObject* Sender);
  void EnterCompactMode();
  void LeaveCompactMode(int entry_count);
  void Timer2Timer(TObject* Sender);

  // Settings.
  void PrepareEnvironment();
  void LoadSettings();
  void SaveOptions();

  // Package lists.
  // Every match is listed, whatever its attributes.
  void ScanArchives(const std::string& mask, TKWTXPCheckListBox* list);
  void ScanFolders(const std::string& mask, TKWTXPCheckListBox* list);
  void UpdateApplyCaption();
  void ShowApplicationHint(TObject* Sender);
  void CheckListBox1ClickCheck(TObject* Sender);
  void CheckListBox2ClickCheck(TObject* Sender);
  void CheckListBox1Click(TObject* Sender);
  void CheckListBox2Click(TObject* Sender);
  void CheckListBox1DrawItem(TObject* Sender, TCanvas* Canvas, int Index, const RECT& Rect,
                             TOwnerDrawState State);
  void CheckListBox2DrawItem(TObject* Sender, TCanvas* Canvas, int Index, const RECT& Rect,
                             TOwnerDrawState State);
  void CheckListBox1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void CheckListBox2MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Header1Click(TObject* Sender);
  void CheckBox3Click(TObject* Sender);
  void SpeedButton1Click(TObject* Sender);
  void SpeedButton2Click(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void FormKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void Button1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

  // The apply run.
  void Button1Click(TObject* Sender);
  void SevenZip1PreProgress(TComponent* Sender, std::int64_t MaxProgress);
  void SevenZip1Extractfile(TComponent* Sender, const std::wstring& Filename,
                            std::int64_t Filesize);
  void SevenZip1ExtractOverwrite(TComponent* Sender, const std::wstring& FileName,
                                 bool& DoOverwrite);
  void SevenZip1Progress(TComponent* Sender, const std::wstring& Filename, std::int64_t FilePosArc,
                         std::int64_t FilePosFile);

  // The text set in use (Russian until the settings switch to English).
  const TextSet& Texts() const { return *texts_; }

 private:
  void SetRussianTexts();
  void SwitchToEnglish();
  void ChooseCompactCaption();
  void ApplyTexts();
  void ScanCommandLineArguments();
  void LoadSettingsFromFile();
  void LoadSettingsWithoutFile();
  void SelectDestination(const std::string& value);
  void ScanPackages();
  void MakeFoldersOnlyArrangement();
  void MakeArchivesOnlyArrangement();
  void EnterNoPackagesState();
  void SetWindowHeight(int height);
  void ApplyPreselection();
  void CheckHandler(TKWTXPCheckListBox* list, std::int32_t& checked, std::int32_t total);
  void ClickHandler(TKWTXPCheckListBox* list);
  void DrawEntry(TKWTXPCheckListBox* list, TCanvas* canvas, int index, const RECT& rect);
  void ShowEntryHint(TKWTXPCheckListBox* list, int x, int y);
  void ShowListInFront(TKWTXPCheckListBox* front, TKWTXPCheckListBox* back);
  void BringWindowBack();
  void StopCountdown();
  void LockDown();
  void FinishRun();
  void UnpackArchives(const std::string& archive_target);
  void CopyFolders(const std::string& folder_target);
  void AttachExtractionHandlers();
  void StartRunLog();
  void NoteTarnixCopy(bool rewritten);
  void LogTarnixOptions();
  void LogTargets();

  const TextSet* texts_ = &RussianTextSet();
  bool settings_file_found_ = false;
  bool drv_folder_blank_ = false;  // DrvFolder present but empty once expanded
  bool run_started_ = false;
  ProgressScale overall_scale_;  // ProgressBar1 during the archive phase
  ProgressScale item_scale_;     // ProgressBar2 during the archive phase
  // Off until the settings have named its place.
  std::unique_ptr<ApplyLog> run_log_ = std::make_unique<ApplyLog>(std::string());
  std::string tarnix_copy_note_;  // what became of the settings copy at start
};
