#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "app/apply/apply_targets.h"
#include "common/run_log.h"

// What the unpacker was started with, for the first line of its log.
struct StartFacts {
  std::string program_folder;
  std::string package_root;
  bool english = false;
  std::int32_t countdown = 0;
  ApplyTargets targets;
  std::string settings_file;  // empty: none
  std::int32_t archives_listed = 0;
  std::int32_t folders_listed = 0;
};

// What the user (or the preselection) ticked when the run began.
struct RunSelection {
  std::int32_t archives = 0;
  std::int32_t archives_listed = 0;
  std::int32_t folders = 0;
  std::int32_t folders_listed = 0;
};

// The reason in words for a result code of the archive component.
std::string_view ArchiveCodeReason(int code);

// The unpacker's events in the run log, with the counts and failures the
// last line of an apply run sums up. Every archive and folder gets a line
// that ends in its verdict, "ok" or "FAILED". Entries, paths of archives,
// items and copied files are name text (common/file_names.h); the rest is
// ANSI text.
class ApplyLog {
 public:
  explicit ApplyLog(std::string path) : log_(std::move(path), "Korvelund.exe") {}

  void Started(const StartFacts& facts);
  // The start and the last line when 7za.dll cannot be loaded: `places` are
  // where it was looked for.
  void LibraryMissing(std::string_view program_folder, std::string_view places);
  void Note(LogParts parts) { log_.Write(parts); }
  // A settings write that did not happen as it should: counts as a failure.
  void SettingsFailed(LogParts parts);
  void RunStarted(bool by_countdown, const ApplyTargets& targets, const RunSelection& selection);

  void ArchiveStarted(std::string_view entry, std::string_view source);
  // A failed item: its code, the code's text, why in words (may be empty:
  // the code's own reason then).
  void ArchiveMessage(int code, std::string_view message, std::string_view reason,
                      std::string_view path);
  // What was done with an item that is no failure (an anti-item).
  void ArchiveNote(std::string_view note, std::string_view path);
  // `files` of `job_files` came out whole, with `bytes`.
  void ArchiveFinished(int result, std::uint32_t files, std::uint32_t job_files,
                       std::uint64_t bytes);

  void FolderStarted(std::string_view entry, std::string_view destination);
  void FileCopied(std::string_view source, std::uint64_t size, DWORD error);
  void FolderFinished();
  void FolderSkipped(std::string_view entry, std::string_view destination);
  void FolderMissing(std::string_view entry, std::string_view source);

  // The last line of a run: totals and "result: ...".
  void RunFinished();
  // The last line when no run happened.
  void EndedWithoutRun(std::string_view reason);
  // Whether the last line has been written.
  bool Ended() const { return ended_; }
  // Whether any package, folder or settings write failed.
  bool AnyFailure() const { return failures_ > 0; }

 private:
  struct Amount {
    std::uint32_t items = 0;
    std::uint32_t files = 0;
    std::uint64_t bytes = 0;
  };

  // Tells the crash guard what the run is at (empty: no item).
  void NoteForCrash(std::string_view item);

  RunLog log_;
  DWORD run_start_ = 0;
  DWORD item_start_ = 0;
  std::string item_;         // "archive NAME" or "folder NAME", name text
  std::string item_source_;  // the archive's path, or the folder's destination
  bool item_failed_ = false;
  std::uint32_t item_files_failed_ = 0;
  Amount item_amount_;
  Amount archives_;
  Amount folders_;
  std::uint32_t failures_ = 0;
  bool ended_ = false;
};
