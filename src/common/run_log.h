#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/run_log_text.h"

// The run log of an unattended run: plain text in the ANSI code page,
// appended one whole line per event, each with its local time. Logging never
// stops or changes the run: a log that cannot be written is tried once more
// at %TEMP%\Korvelund.log, and after that the run goes on without one.
class RunLog {
 public:
  // A log that writes nothing.
  RunLog() = default;
  // A log at `path`; an empty path writes nothing. The file is opened, and
  // set aside as ".old" when it has grown over kRunLogRolloverSize, at the
  // first event.
  explicit RunLog(std::string path);
  ~RunLog();
  RunLog(const RunLog&) = delete;
  RunLog& operator=(const RunLog&) = delete;

  // One line of these parts.
  void Write(LogParts parts);

  // The open log file, or INVALID_HANDLE_VALUE before the first line and
  // without a log.
  HANDLE File() const { return file_; }

 private:
  bool Open(const std::string& path);
  bool Append(const std::string& line);
  void Close();

  std::string path_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool fallback_tried_ = false;
};

// Where a program's log goes: [Options] LogFile of its settings file,
// expanded (empty: no log), or Korvelund.log in the Windows folder when the
// file or the key is missing.
std::string RunLogPath(const std::string& settings_file, const std::string& windows_folder);

// The Windows folder, no trailing backslash; empty when the system cannot tell it.
std::string WindowsFolder();

// The system's text for an error code, on one line.
std::string SystemErrorText(DWORD error);
