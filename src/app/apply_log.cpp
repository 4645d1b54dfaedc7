#include <windows.h>

#include "app/apply_log.h"

#include "app/crash_guard.h"

namespace {

ShortText Number(std::uint64_t value) { return DecimalText(static_cast<std::int64_t>(value)); }

std::string AmountText(std::uint32_t files, std::uint64_t bytes) {
  return Concat({Number(files), files == 1 ? " file, " : " files, ", Number(bytes), " bytes"});
}

ShortText ElapsedSince(DWORD start) { return SecondsText(GetTickCount() - start); }

}  // namespace

void ApplyLog::Started(const StartFacts& facts) {
  log_.Write({"Korvelund.exe " KORVELUND_VERSION " started: folder ", facts.program_folder,
              ", package root ", facts.package_root, ", language ",
              facts.english ? "English" : "Russian", ", countdown ",
              facts.countdown > 0 ? std::string_view(DecimalText(facts.countdown)) : "off",
              ", archive target ", facts.targets.archive_target, ", folder target ",
              facts.targets.folder_target, ", settings ",
              facts.settings_file.empty() ? "none" : facts.settings_file});
  NoteForCrash({});
}

void ApplyLog::NoteForCrash(std::string_view item) { crash_guard::Note(log_.File(), item); }

void ApplyLog::RunStarted(bool by_countdown, const ApplyTargets& targets) {
  run_start_ = GetTickCount();
  log_.Write({"apply started by ", by_countdown ? "the countdown" : "the user", ": archive target ",
              targets.archive_target, ", folder target ", targets.folder_target});
}

void ApplyLog::ArchiveStarted(std::string_view entry, std::string_view source) {
  item_ = Concat({"archive ", entry});
  item_source_ = source;
  item_failed_ = false;
  item_start_ = GetTickCount();
  NoteForCrash(Concat({item_, " from ", item_source_}));
}

void ApplyLog::ArchiveMessage(int code, std::string_view message, std::string_view path) {
  item_failed_ = true;
  log_.Write({item_, ": code ", DecimalText(code), " ", message, ": ", path});
}

void ApplyLog::ArchiveFinished(int result, std::uint32_t files, std::uint64_t bytes) {
  if (result != 0) item_failed_ = true;
  if (item_failed_) ++failures_;
  ++archives_.items;
  archives_.files += files;
  archives_.bytes += bytes;
  log_.Write({item_, " from ", item_source_, ": result ", DecimalText(result), ", ",
              AmountText(files, bytes), ", ", ElapsedSince(item_start_)});
  NoteForCrash({});
}

void ApplyLog::FolderStarted(std::string_view entry, std::string_view destination) {
  item_ = Concat({"folder ", entry});
  item_source_ = destination;
  item_amount_ = Amount{};
  item_start_ = GetTickCount();
  NoteForCrash(Concat({item_, " to ", item_source_}));
}

void ApplyLog::FileCopied(std::string_view source, std::uint64_t size, DWORD error) {
  if (error == 0) {
    ++item_amount_.files;
    item_amount_.bytes += size;
    return;
  }
  ++failures_;
  log_.Write({item_, ": not copied ", source, ": ", SystemErrorText(error)});
}

void ApplyLog::FolderFinished() {
  ++folders_.items;
  folders_.files += item_amount_.files;
  folders_.bytes += item_amount_.bytes;
  log_.Write({item_, ": ", AmountText(item_amount_.files, item_amount_.bytes), " copied to ",
              item_source_, ", ", ElapsedSince(item_start_)});
  NoteForCrash({});
}

void ApplyLog::FolderSkipped(std::string_view entry, std::string_view destination) {
  ++failures_;
  log_.Write({"folder ", entry, ": skipped, ", destination, " cannot be created"});
}

void ApplyLog::RunFinished() {
  log_.Write({"apply ended: ", Number(archives_.items),
              archives_.items == 1 ? " archive (" : " archives (",
              AmountText(archives_.files, archives_.bytes), "), ", Number(folders_.items),
              folders_.items == 1 ? " folder (" : " folders (",
              AmountText(folders_.files, folders_.bytes), "), ", ElapsedSince(run_start_), ", ",
              RunResultText(failures_)});
}
