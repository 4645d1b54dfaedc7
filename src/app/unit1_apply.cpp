#include <windows.h>

#include "app/unit1.h"

#include <algorithm>

#include "app/apply/apply_targets.h"
#include "app/apply/folder_copy.h"
#include "app/captions.h"
#include "common/env_expand.h"
#include "common/file_names.h"
#include "framework/graphics.h"
#include "sevenzip/archive_rules.h"

namespace {

constexpr std::uint32_t kBeforeArchivesPause = 250;
constexpr std::uint32_t kAfterFolderEntryPause = 500;
constexpr std::uint32_t kBeforeBeepsPause = 500;
constexpr DWORD kBeepFrequency = 350;
constexpr DWORD kBeepLength = 80;

// The events count in unsigned 64-bit values; a negative one means nothing done.
std::uint64_t Amount(std::int64_t value) {
  return value > 0 ? static_cast<std::uint64_t>(value) : 0;
}

}  // namespace

// The run: the Exit text ends the program at once; otherwise the window is
// locked, the ticked archives are unpacked, the ticked folders copied, and
// the program ends. It never returns the window to the selection state.
void TForm1::Button1Click(TObject* Sender) {
  // Messages processed during the run may reach this handler again (the
  // countdown, a keyboard click); one run is all there ever is.
  if (run_started_) return;
  run_started_ = true;
  StopCountdown();
  HintTable.reset();
  Header1->SetCollapsed(false);
  Header1->SetEnabled(false);
  SpeedButton1->SetEnabled(false);
  SpeedButton2->SetEnabled(false);
  if (IsExitText(Button1->Caption())) {
    run_log_->EndedWithoutRun("Exit");
    Application->Terminate();
    return;
  }
  if (PackagesPresent) {
    const ApplyTargets targets = ChooseApplyTargets(ComboBox1->Text());
    run_log_->RunStarted(Sender == Timer1, targets,
                         {CheckedArchives, TotalArchives, CheckedFolders, TotalFolders});
    LogTargets();
    LockDown();
    if (CheckListBox1->Items().Count() > 0 && CheckedArchives >= 1) {
      UnpackArchives(targets.archive_target);
    }
    if (CheckListBox2->Items().Count() > 0 && CheckedFolders >= 1) {
      CopyFolders(targets.folder_target);
    }
    run_log_->RunFinished();
  } else {
    run_log_->EndedWithoutRun("no packages");
  }
  FinishRun();
}

void TForm1::LockDown() {
  Button1->SetCaption(std::string(Texts().exit));
  Button1->SetEnabled(false);
  CheckListBox1->SetEnabled(false);
  CheckListBox2->SetEnabled(false);
  // Select-all would change the lists and the button in the middle of the run.
  CheckBox3->SetEnabled(false);
  Panel2->Hide();
  Label1->SetCaption(std::string(Texts().execution));
  LogTarnixOptions(TarnixMode && SaveOptions());
}

void TForm1::UnpackArchives(const std::string& archive_target) {
  std::int32_t done = 0;
  ShowListInFront(CheckListBox1, CheckListBox2);
  Label4->SetCaption(std::string(kResetCounterText));
  PumpDelay(kBeforeArchivesPause);
  AttachExtractionHandlers();
  // Archives unpack with their stored folder layout (ExtractNoPath stays as it is).
  SevenZip1->ExtractOptions.Include(ExtractOverwrite);
  SevenZip1->ExtrBaseDir = AnsiToWide(archive_target);
  for (int i = 0; i < CheckListBox1->Items().Count(); ++i) {
    SevenZip1->Files.Clear();
    if (CheckListBox1->Checked(i)) {
      const std::string entry = CheckListBox1->Items().Strings(i);
      const std::string source = ArchiveSourcePath(PackageRoot, entry);
      SevenZip1->SZFileName = NameToWide(source);
      ++done;
      ShowNameLine("  ", entry);
      run_log_->ArchiveStarted(entry, source);
      // A damaged archive still counts as handled: only the log looks at the result.
      const int result = SevenZip1->Extract(false);
      run_log_->ArchiveFinished(result, SevenZip1->ExtractedFiles(), SevenZip1->JobFiles(),
                                SevenZip1->ExtractedBytes());
      CheckListBox1->SetState(i, TCheckBoxState::cbGrayed);
      Label4->SetCaption(CounterText(done, CheckedArchives));
    }
    ProgressBar1->SetPosition(0);
    ProgressBar2->SetPosition(0);
  }
}

void TForm1::CopyFolders(const std::string& folder_target) {
  std::int32_t done = 0;
  ShowListInFront(CheckListBox2, CheckListBox1);
  Label4->SetCaption(std::string(kResetCounterText));
  ProgressBar1->SetMax(CheckedFolders);
  ProgressBar2->SetMax(CheckedFolders);
  // The bar paints at once what its new position changed, and nothing when
  // the position stays: a whole repaint for every report made the folder
  // copy five times slower than xcopy.
  const CopyProgressSink show_percent = [this](std::int32_t percent) {
    ProgressBar1->SetPosition(percent);
    ProgressBar1->Update();
  };
  const CopyOutcomeSink log_file = [this](const std::string& source, std::uint64_t size,
                                          DWORD error) {
    run_log_->FileCopied(source, size, error);
  };
  for (int i = 0; i < CheckListBox2->Items().Count(); ++i) {
    if (CheckListBox2->Checked(i)) {
      const std::string entry = CheckListBox2->Items().Strings(i);
      ++done;
      const std::string destination = NameFromAnsi(folder_target) + entry;
      const std::string source = FolderSourcePath(PackageRoot, entry);
      // A destination that cannot be made is passed over, unmarked; one that
      // is no path at all ("C:C:\D\X\") is not even tried; a folder that
      // has gone since the scan gets its line.
      if (!FolderExists(source)) {
        run_log_->FolderMissing(entry, source);
      } else if (!sevenzip::IsMalformedPath(NameToWide(destination)) &&
                 ForceFolders(destination)) {
        ShowNameLine(Texts().copy_prefix, entry);
        run_log_->FolderStarted(entry, destination);
        CopyFolder(source, destination, false, true, show_percent, log_file);
        run_log_->FolderFinished();
        CheckListBox2->SetState(i, TCheckBoxState::cbGrayed);
        Label4->SetCaption(CounterText(done, CheckedFolders));
        ProgressBar1->SetPosition(i + 1);
        ProgressBar2->SetPosition(i + 1);
      } else {
        run_log_->FolderSkipped(entry, destination);
      }
    }
    PumpDelay(kAfterFolderEntryPause);
    ProgressBar1->SetPosition(i);
    ProgressBar2->SetPosition(i);
  }
}

// Label2 with a text of the window and a name. A line the label's character
// set holds keeps that form; on the NT family any other is shown in UTF-8, so
// that every name shows as the disk has it.
void TForm1::ShowNameLine(std::string_view prefix, const std::string& name) {
  if (!WideFileNames()) {
    Label2->SetCaption(std::string(prefix) + name);
    return;
  }
  const BYTE charset = Label2->Font().Charset();
  const std::wstring line = TextToWide(std::string(prefix), charset) + NameToWide(name);
  const std::optional<std::string> text = WideToText(line, charset);
  Label2->Font().SetUtf8Text(!text);
  Label2->SetCaption(text ? *text : NameFromWide(line));
}

void TForm1::FinishRun() {
  ProgressBar2->SetMax(100);
  ProgressBar2->SetPosition(0);
  ProgressBar1->SetMax(100);
  ProgressBar1->SetPosition(0);
  Label1->SetCaption("");
  Label2->SetCaption("");
  PumpDelay(kBeforeBeepsPause);
  for (int beep = 0; beep < 3; ++beep) Beep(kBeepFrequency, kBeepLength);
  Application->Terminate();
}

void TForm1::AttachExtractionHandlers() {
  SevenZip1->OnPreProgress = [this](TComponent* sender, std::int64_t max_progress) {
    SevenZip1PreProgress(sender, max_progress);
  };
  SevenZip1->OnExtractfile = [this](TComponent* sender, const std::wstring& name,
                                    std::int64_t size) {
    SevenZip1Extractfile(sender, name, size);
  };
  SevenZip1->OnExtractOverwrite = [this](TComponent* sender, const std::wstring& name,
                                         bool& overwrite) {
    SevenZip1ExtractOverwrite(sender, name, overwrite);
  };
  // The log hears every message; a handler the component had keeps hearing them.
  SevenZip1->OnMessage = [this, earlier = SevenZip1->OnMessage](TComponent* sender, int code,
                                                                const std::string& message,
                                                                const std::wstring& file_name) {
    run_log_->ArchiveMessage(code, message, SevenZip1->MessageReason(),
                             NameFromWide(file_name));
    if (earlier) earlier(sender, code, message, file_name);
  };
  SevenZip1->OnNote = [this](TComponent*, const std::string& note, const std::wstring& file_name) {
    run_log_->ArchiveNote(note, NameFromWide(file_name));
  };
  SevenZip1->OnProgress = [this](TComponent* sender, const std::wstring& name, std::int64_t pos_arc,
                                 std::int64_t pos_file) {
    SevenZip1Progress(sender, name, pos_arc, pos_file);
  };
}

// The bars hold 32-bit values; each keeps one scale for its maximum and its
// positions, so that archives past 2 GiB still show their progress.
void TForm1::SevenZip1PreProgress(TComponent*, std::int64_t MaxProgress) {
  if (MaxProgress > 0) ProgressBar1->SetMax(overall_scale_.SetMaximum(Amount(MaxProgress)));
}

void TForm1::SevenZip1Extractfile(TComponent*, const std::wstring&, std::int64_t Filesize) {
  if (Filesize > 0) ProgressBar2->SetMax(item_scale_.SetMaximum(Amount(Filesize)));
}

void TForm1::SevenZip1ExtractOverwrite(TComponent*, const std::wstring&, bool& DoOverwrite) {
  DoOverwrite = true;
}

void TForm1::SevenZip1Progress(TComponent*, const std::wstring&, std::int64_t FilePosArc,
                               std::int64_t FilePosFile) {
  ProgressBar1->SetPosition(overall_scale_.Position(Amount(FilePosArc)));
  Application->ProcessMessages();
  ProgressBar2->SetPosition(item_scale_.Position(Amount(FilePosFile)));
  Application->ProcessMessages();
}
