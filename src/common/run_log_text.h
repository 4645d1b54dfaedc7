#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The text of the run log both programs append to: one line per event. The
// lines are built from pieces in one go; numbers become text in a buffer of
// their own, which keeps both programs small.

// A log over this size is set aside before a run appends to it.
inline constexpr std::uint64_t kRunLogRolloverSize = 1024 * 1024;

// The local time a line is stamped with.
struct LogTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// A short text made without the heap.
struct ShortText {
  char text[32];
  std::size_t size = 0;
  operator std::string_view() const { return {text, size}; }
};

// A piece of a line: ANSI text (the programs' own texts, settings, the
// system's messages), or a file name in name text (UTF-8 on the NT family,
// ANSI on 9x; see common/file_names.h), marked by LogName.
struct LogPart {
  LogPart(std::string_view part) : text(part) {}
  LogPart(const char* part) : text(part) {}
  LogPart(const std::string& part) : text(part) {}
  LogPart(const ShortText& part) : text(part) {}
  std::string_view text;
  bool name = false;
};

inline LogPart LogName(std::string_view name) {
  LogPart part(name);
  part.name = true;
  return part;
}

using LogParts = std::initializer_list<LogPart>;

// Turns ANSI text into the log's encoding (nullptr: kept as it is).
using LogTextEncoder = std::string (*)(std::string_view ansi);

// The parts one after another, as they are.
std::string Concat(LogParts parts);

// A number in decimal.
ShortText DecimalText(std::int64_t value);

// A number as "0x" and `digits` hexadecimal digits, upper case.
ShortText HexText(std::uint64_t value, int digits);

// "YYYY-MM-DD hh:mm:ss ": the stamp a line starts with.
ShortText LogStamp(const LogTime& time);

// The stamp, "PROGRAM: ", the parts and CR LF; ANSI parts through `encode`,
// names as they are. The program's name tells apart the lines of two
// programs that share one log.
std::string LogLine(const LogTime& time, std::string_view program, LogParts parts,
                    LogTextEncoder encode = nullptr);

// The byte-order mark a log in UTF-8 starts with.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Whether a file starting with `head` is a run log these programs wrote: its
// first line (after a UTF-8 byte order mark, if any) is a time stamp and the
// name of one of the two programs. Only such a file is ever set aside.
bool IsRunLogHead(std::string_view head);

// "result: ok", or "result: N failure(s)".
ShortText RunResultText(std::uint32_t failures);

// Milliseconds as seconds with three decimals: "12.345 s".
ShortText SecondsText(std::uint32_t milliseconds);
