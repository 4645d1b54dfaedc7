#include "run_log_text.h"

namespace {

// Writes `value` as `width` decimal digits at `out`, zero-padded (higher
// digits dropped).
char* PutDigits(char* out, std::uint64_t value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

char* Put(char* out, char c) {
  *out = c;
  return out + 1;
}

char* PutText(char* out, std::string_view text) { return text.copy(out, text.size()) + out; }

int DigitCount(std::uint64_t value) {
  int count = 1;
  while (value >= 10) {
    value /= 10;
    ++count;
  }
  return count;
}

char* PutNumber(char* out, std::uint64_t value) { return PutDigits(out, value, DigitCount(value)); }

std::uint64_t Field(int value) { return value < 0 ? 0 : static_cast<std::uint64_t>(value); }

}  // namespace

std::string Concat(LogParts parts) {
  std::size_t size = 0;
  for (const std::string_view part : parts) size += part.size();
  std::string text;
  text.reserve(size);
  for (const std::string_view part : parts) text.append(part);
  return text;
}

ShortText DecimalText(std::int64_t value) {
  ShortText result;
  char* out = result.text;
  if (value < 0) out = Put(out, '-');
  // Negated in unsigned arithmetic, so that the smallest value has its text too.
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  result.size = static_cast<std::size_t>(PutNumber(out, magnitude) - result.text);
  return result;
}

ShortText HexText(std::uint64_t value, int digits) {
  ShortText result;
  char* out = PutText(result.text, "0x");
  for (int i = digits - 1; i >= 0; --i) out = Put(out, "0123456789ABCDEF"[(value >> (4 * i)) & 15]);
  result.size = static_cast<std::size_t>(out - result.text);
  return result;
}

ShortText LogStamp(const LogTime& time) {
  ShortText stamp;
  char* out = PutDigits(stamp.text, Field(time.year), 4);
  out = PutDigits(Put(out, '-'), Field(time.month), 2);
  out = PutDigits(Put(out, '-'), Field(time.day), 2);
  out = PutDigits(Put(out, ' '), Field(time.hour), 2);
  out = PutDigits(Put(out, ':'), Field(time.minute), 2);
  out = PutDigits(Put(out, ':'), Field(time.second), 2);
  stamp.size = static_cast<std::size_t>(Put(out, ' ') - stamp.text);
  return stamp;
}

std::string LogLine(const LogTime& time, LogParts parts) {
  std::string line(LogStamp(time));
  for (const std::string_view part : parts) line.append(part);
  line += "\r\n";
  return line;
}

ShortText RunResultText(std::uint32_t failures) {
  ShortText result;
  char* out = PutText(result.text, "result: ");
  if (failures == 0) {
    out = PutText(out, "ok");
  } else {
    out = PutText(PutNumber(out, failures), failures == 1 ? " failure" : " failures");
  }
  result.size = static_cast<std::size_t>(out - result.text);
  return result;
}

ShortText SecondsText(std::uint32_t milliseconds) {
  ShortText result;
  char* out = PutNumber(result.text, milliseconds / 1000);
  out = PutText(PutDigits(Put(out, '.'), milliseconds % 1000, 3), " s");
  result.size = static_cast<std::size_t>(out - result.text);
  return result;
}
