#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The text of the run log both programs append to: one line per event.

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

// The parts one after another: a log line built with one allocation.
std::string Concat(std::initializer_list<std::string_view> parts);

// "YYYY-MM-DD hh:mm:ss event" and CR LF.
std::string LogLine(const LogTime& time, std::string_view event);

// "result: ok", or "result: N failure(s)".
std::string RunResultText(std::uint32_t failures);

// Milliseconds as seconds with three decimals: "12.345 s".
std::string SecondsText(std::uint32_t milliseconds);
