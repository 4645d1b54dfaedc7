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
};

// The unpacker's events in the run log, with the counts and failures the
// last line of an apply run sums up.
class ApplyLog {
 public:
  explicit ApplyLog(std::string path) : log_(std::move(path)) {}

  void Started(const StartFacts& facts);
  void Note(LogParts parts) { log_.Write(parts); }
  void RunStarted(bool by_countdown, const ApplyTargets& targets);

  void ArchiveStarted(std::string_view entry, std::string_view source);
  void ArchiveMessage(int code, std::string_view message, std::string_view path);
  void ArchiveFinished(int result, std::uint32_t files, std::uint64_t bytes);

  void FolderStarted(std::string_view entry, std::string_view destination);
  void FileCopied(std::string_view source, std::uint64_t size, DWORD error);
  void FolderFinished();
  void FolderSkipped(std::string_view entry, std::string_view destination);

  // The last line: totals and "result: ...".
  void RunFinished();

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
  std::string item_;         // "archive NAME" or "folder NAME"
  std::string item_source_;  // the archive's path, or the folder's destination
  bool item_failed_ = false;
  Amount item_amount_;
  Amount archives_;
  Amount folders_;
  std::uint32_t failures_ = 0;
};
