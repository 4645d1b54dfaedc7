#include <windows.h>

#include "app/apply_log.h"

#include "app/crash_guard.h"

namespace {

ShortText Number(std::uint64_t value) { return DecimalText(static_cast<std::int64_t>(value)); }

std::string AmountText(std::uint32_t files, std::uint64_t bytes) {
  return Concat({Number(files), files == 1 ? " file, " : " files, ", Number(bytes), " bytes"});
}

// "3 of 4 files, 1005 bytes"
std::string ShareText(std::uint32_t done, std::uint32_t total, std::uint64_t bytes) {
  return Concat({Number(done), " of ", AmountText(total, bytes)});
}

ShortText ElapsedSince(DWORD start) { return SecondsText(GetTickCount() - start); }

std::string_view Verdict(bool failed) { return failed ? "FAILED" : "ok"; }

}  // namespace

std::string_view ArchiveCodeReason(int code) {
  switch (code) {
    case 0:
      return "no error";
    case 1:
      return "the archive file is missing or cannot be opened";
    case 2:
      return "the packed data is damaged or no 7z archive";
    case 3:
      return "the item's checksum does not match: it is damaged";
    case 4:
      return "the item is packed by a method this 7za.dll cannot decode";
    case 5:
      return "a selected item is not in the archive";
    case 6:
      return "the run was cancelled";
    case 7:
      return "the .exe file holds no 7z archive";
    case 11:
      return "the file cannot be written: a path outside the target or a device name, "
             "a read-only file, or a full disk";
    default:
      return "unknown code";
  }
}

void ApplyLog::Started(const StartFacts& facts) {
  log_.Write({"started: version " KORVELUND_VERSION ", ",
              RunningSystemText(),
              ", folder ",
              facts.program_folder,
              ", package root ",
              facts.package_root,
              ", ",
              Number(facts.archives_listed),
              " archives and ",
              Number(facts.folders_listed),
              " folders listed, language ",
              facts.english ? "English" : "Russian",
              ", countdown ",
              facts.countdown > 0 ? std::string_view(DecimalText(facts.countdown)) : "off",
              ", archive target ",
              facts.targets.archive_target,
              ", folder target ",
              facts.targets.folder_target,
              ", settings ",
              facts.settings_file.empty() ? "none" : facts.settings_file});
  NoteForCrash({});
}

void ApplyLog::NoteForCrash(std::string_view item) { crash_guard::Note(log_.File(), item); }

void ApplyLog::LibraryMissing(std::string_view program_folder, std::string_view places) {
  log_.Write({"started: version " KORVELUND_VERSION ", ", RunningSystemText(), ", folder ",
              program_folder});
  ended_ = true;
  log_.Write({"7za.dll not loaded (tried ", places,
              "): no window, the Application Error box and exit code 1"});
}

void ApplyLog::SettingsFailed(LogParts parts) {
  ++failures_;
  log_.Write(parts);
}

void ApplyLog::RunStarted(bool by_countdown, const ApplyTargets& targets,
                          const RunSelection& selection) {
  run_start_ = GetTickCount();
  log_.Write({"apply started by ", by_countdown ? "the countdown" : "the user", ": ",
              Number(selection.archives), " of ", Number(selection.archives_listed),
              " archives and ", Number(selection.folders), " of ", Number(selection.folders_listed),
              " folders selected, archive target ", targets.archive_target, ", folder target ",
              targets.folder_target});
}

void ApplyLog::ArchiveStarted(std::string_view entry, std::string_view source) {
  item_ = Concat({"archive ", entry});
  item_source_ = source;
  item_failed_ = false;
  item_start_ = GetTickCount();
  NoteForCrash(Concat({item_, " from ", item_source_}));
}

void ApplyLog::ArchiveMessage(int code, std::string_view message, std::string_view reason,
                              std::string_view path) {
  item_failed_ = true;
  log_.Write({LogName(item_), ": code ", DecimalText(code), " ", message, " (",
              reason.empty() ? ArchiveCodeReason(code) : reason, "): ", LogName(path)});
}

void ApplyLog::ArchiveNote(std::string_view note, std::string_view path) {
  log_.Write({LogName(item_), ": ", note, ": ", LogName(path)});
}

void ApplyLog::ArchiveFinished(int result, std::uint32_t files, std::uint32_t job_files,
                               std::uint64_t bytes) {
  // A file that did not come out whole is a failure even without a message.
  if (result != 0 || files < job_files) item_failed_ = true;
  if (item_failed_) ++failures_;
  ++archives_.items;
  archives_.files += files;
  archives_.bytes += bytes;
  log_.Write({LogName(item_), " from ", LogName(item_source_), ": result ", DecimalText(result),
              ", ", ShareText(files, job_files, bytes), ", ", ElapsedSince(item_start_), ", ",
              Verdict(item_failed_)});
  NoteForCrash({});
}

void ApplyLog::FolderStarted(std::string_view entry, std::string_view destination) {
  item_ = Concat({"folder ", entry});
  item_source_ = destination;
  item_amount_ = Amount{};
  item_files_failed_ = 0;
  item_start_ = GetTickCount();
  NoteForCrash(Concat({item_, " to ", item_source_}));
}

void ApplyLog::FileCopied(std::string_view source, std::uint64_t size, DWORD error) {
  if (error == 0) {
    ++item_amount_.files;
    item_amount_.bytes += size;
    return;
  }
  ++item_files_failed_;
  log_.Write({LogName(item_), ": not copied ", LogName(source), ": ", SystemErrorText(error),
              " (error ", Number(error), ")"});
}

void ApplyLog::FolderFinished() {
  const bool failed = item_files_failed_ > 0;
  if (failed) ++failures_;
  ++folders_.items;
  folders_.files += item_amount_.files;
  folders_.bytes += item_amount_.bytes;
  log_.Write(
      {LogName(item_), ": ",
       ShareText(item_amount_.files, item_amount_.files + item_files_failed_, item_amount_.bytes),
       " copied to ", LogName(item_source_), ", ", ElapsedSince(item_start_), ", ",
       Verdict(failed)});
  NoteForCrash({});
}

void ApplyLog::FolderSkipped(std::string_view entry, std::string_view destination) {
  ++failures_;
  log_.Write({"folder ", LogName(entry), ": ", LogName(destination), " cannot be created, FAILED"});
}

void ApplyLog::FolderMissing(std::string_view entry, std::string_view source) {
  ++failures_;
  log_.Write({"folder ", LogName(entry), ": the folder ", LogName(source), " is gone, FAILED"});
}

void ApplyLog::RunFinished() {
  ended_ = true;
  log_.Write({"apply ended: ", Number(archives_.items),
              archives_.items == 1 ? " archive (" : " archives (",
              AmountText(archives_.files, archives_.bytes), "), ", Number(folders_.items),
              folders_.items == 1 ? " folder (" : " folders (",
              AmountText(folders_.files, folders_.bytes), "), ", ElapsedSince(run_start_), ", ",
              RunResultText(failures_)});
}

void ApplyLog::EndedWithoutRun(std::string_view reason) {
  ended_ = true;
  log_.Write({"ended without a run: ", reason, failures_ > 0 ? ", " : "",
              failures_ > 0 ? std::string_view(RunResultText(failures_)) : ""});
}
