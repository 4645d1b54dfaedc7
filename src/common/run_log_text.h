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

using LogParts = std::initializer_list<std::string_view>;

// The parts one after another.
std::string Concat(LogParts parts);

// A number in decimal.
ShortText DecimalText(std::int64_t value);

// A number as "0x" and `digits` hexadecimal digits, upper case.
ShortText HexText(std::uint64_t value, int digits);

// "YYYY-MM-DD hh:mm:ss ": the stamp a line starts with.
ShortText LogStamp(const LogTime& time);

// The stamp, the parts and CR LF.
std::string LogLine(const LogTime& time, LogParts parts);

// "result: ok", or "result: N failure(s)".
ShortText RunResultText(std::uint32_t failures);

// Milliseconds as seconds with three decimals: "12.345 s".
ShortText SecondsText(std::uint32_t milliseconds);
