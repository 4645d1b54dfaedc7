#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/run_log_text.h"

// How a line gets to the end of a log that other programs append to as well.
enum class LogAppending {
  kAppendData,  // NT: a handle with append access only; each write lands at the end
  kLockedLine,  // 9x, which has no append access: a lock every writer takes for its line
};

// The way of the system the program runs on.
LogAppending SystemLogAppending();

// The run log of an unattended run: plain text, appended one whole line per
// event, each with its local time and the program's name. On the NT family
// it is UTF-8 (a new log starts with the byte-order mark): ANSI parts are
// converted, names (LogName) go in as they are. On 9x everything stays in
// the ANSI code page. Logging never stops or changes the run: a log that
// cannot be written is tried once more at %TEMP%\Korvelund.log, whose first
// line then says where the log was meant to go and why it is not there;
// after that the run goes on without one.
class RunLog {
 public:
  // A log that writes nothing.
  RunLog() = default;
  // A log at `path` for `program` ("Korvelund.exe"); an empty path writes
  // nothing. The file is opened, and set aside as ".old" when it has grown
  // over kRunLogRolloverSize, at the first event; a large file that is not
  // a run log is left alone and the fallback place taken instead.
  RunLog(std::string path, std::string program, LogAppending appending = SystemLogAppending());
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
  bool AppendLocked(const std::string& line);
  void Close();

  std::string path_;
  std::string program_;
  LogAppending appending_ = LogAppending::kAppendData;
  std::string open_failure_;  // why the last Open failed, in words
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool fallback_tried_ = false;
  bool mark_pending_ = false;  // a UTF-8 log this run created: its first write starts with the mark
};

// Where a program's log goes: [Options] LogFile of its settings file,
// expanded (empty: no log), or Korvelund.log in the Windows folder when the
// file or the key is missing.
std::string RunLogPath(const std::string& settings_file, const std::string& windows_folder);

// The Windows folder, no trailing backslash; empty when the system cannot tell it.
std::string WindowsFolder();

// The Windows version and the ANSI code page, for a start line:
// "Windows NT 5.1.2600 Service Pack 3, ANSI code page 1252".
std::string RunningSystemText();

// The system's text for an error code, on one line.
std::string SystemErrorText(DWORD error);
