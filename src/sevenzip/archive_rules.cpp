#include "sevenzip/archive_rules.h"

#include <cmath>

namespace sevenzip {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L':'; }

std::size_t NameStart(std::wstring_view path) {
  std::size_t start = path.size();
  while (start > 0 && !IsSeparator(path[start - 1])) --start;
  return start;
}

std::size_t ExtensionStart(std::wstring_view path) {
  const std::size_t name = NameStart(path);
  const std::size_t dot = path.rfind(L'.');
  return dot != std::wstring_view::npos && dot >= name ? dot : path.size();
}

std::wstring_view TrimEnd(std::wstring_view text, std::wstring_view blanks) {
  while (!text.empty() && blanks.find(text.back()) != std::wstring_view::npos) {
    text.remove_suffix(1);
  }
  return text;
}

// Windows ignores trailing dots and blanks, an extension, and blanks before it.
bool IsDeviceName(std::wstring_view component) {
  std::wstring_view base = TrimEnd(component, L". ");
  base = TrimEnd(base.substr(0, base.find(L'.')), L" ");
  const std::wstring name = AsciiUpper(base);
  for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
    if (name == device) return true;
  }
  // COM and LPT with one digit 1 to 9, or a superscript one to three.
  return name.size() == 4 && (name.starts_with(L"COM") || name.starts_with(L"LPT")) &&
         ((name[3] >= L'1' && name[3] <= L'9') || name[3] == L'\u00B9' || name[3] == L'\u00B2' ||
          name[3] == L'\u00B3');
}

}  // namespace

std::wstring FileExtension(std::wstring_view path) {
  return std::wstring(path.substr(ExtensionStart(path)));
}

std::wstring WithoutExtension(std::wstring_view path) {
  return std::wstring(path.substr(0, ExtensionStart(path)));
}

std::wstring FolderPart(std::wstring_view path) {
  return std::wstring(path.substr(0, NameStart(path)));
}

std::wstring LastComponent(std::wstring_view path) {
  return std::wstring(path.substr(NameStart(path)));
}

namespace {

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool StartsWithDrive(std::wstring_view path) {
  return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == L':';
}

// "\\?\" and "\\.\": the forms Windows passes to the file system unparsed.
bool HasVerbatimPrefix(std::wstring_view path) {
  return path.size() >= 4 && path[0] == L'\\' && path[1] == L'\\' &&
         (path[2] == L'?' || path[2] == L'.') && path[3] == L'\\';
}

// End of the component starting at `start`, and of the one after it.
std::size_t SkipComponents(std::wstring_view path, std::size_t start, int count) {
  std::size_t end = start;
  for (int i = 0; i < count; ++i) {
    end = path.find(L'\\', end);
    if (end == std::wstring_view::npos) return path.size();
    if (i + 1 < count) ++end;
  }
  return end;
}

bool IsUncPrefix(std::wstring_view rest) {
  return rest.size() >= 4 && AsciiUpper(rest.substr(0, 3)) == L"UNC" && rest[3] == L'\\';
}

bool HoldsForbiddenCharacter(std::wstring_view text) {
  for (wchar_t c : text) {
    if (c < 32 || std::wstring_view(L"<>\"|?*:").find(c) != std::wstring_view::npos) return true;
  }
  return false;
}

}  // namespace

bool IsVerbatimPath(std::wstring_view path) { return HasVerbatimPrefix(path); }

std::size_t RootLength(std::wstring_view path) {
  if (HasVerbatimPrefix(path)) {
    const std::wstring_view rest = path.substr(4);
    if (StartsWithDrive(rest)) return 6;
    if (IsUncPrefix(rest)) return SkipComponents(path, 8, 2);
    return SkipComponents(path, 4, 1);
  }
  if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') return SkipComponents(path, 2, 2);
  return StartsWithDrive(path) ? 2 : 0;
}

bool IsMalformedPath(std::wstring_view path) {
  const std::size_t root = RootLength(path);
  if (HasVerbatimPrefix(path)) {
    const std::wstring_view rest = path.substr(4);
    if (!StartsWithDrive(rest) && !(IsUncPrefix(rest) && root > 9)) return true;
    if (path.find(L'/') != std::wstring_view::npos) return true;
    std::wstring_view tail = path.substr(root);
    if (!tail.empty() && tail.front() == L'\\') tail.remove_prefix(1);
    if (!tail.empty() && tail.back() == L'\\') tail.remove_suffix(1);
    std::size_t start = 0;
    while (!tail.empty() && start <= tail.size()) {
      std::size_t end = tail.find(L'\\', start);
      if (end == std::wstring_view::npos) end = tail.size();
      const std::wstring_view component = tail.substr(start, end - start);
      if (component.empty() || component == L"." || component == L"..") return true;
      start = end + 1;
    }
    return HoldsForbiddenCharacter(path.substr(root));
  }
  const std::wstring_view root_text = path.substr(0, root);
  if (root_text.size() > 2 && HoldsForbiddenCharacter(root_text.substr(2))) return true;
  return HoldsForbiddenCharacter(path.substr(root));
}

std::wstring AsciiUpper(std::wstring_view text) {
  std::wstring upper(text);
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return upper;
}

std::wstring WithTrailingBackslash(std::wstring_view folder) {
  std::wstring result(folder);
  if (!result.empty() && result.back() != L'\\') result += L'\\';
  return result;
}

std::wstring VolumeNumber(int n) {
  const std::string narrow = std::to_string(n);  // to_wstring would bring in wide printf
  std::wstring digits(narrow.begin(), narrow.end());
  while (digits.size() < 3) digits.insert(0, 1, L'0');
  return digits;
}

std::wstring VolumeName(std::wstring_view first, int n, bool sfx) {
  if (sfx) return std::wstring(first) + L"." + VolumeNumber(n);
  return WithoutExtension(first) + L"." + VolumeNumber(n);
}

std::optional<int> VolumeNumberOf(std::wstring_view path) {
  const std::wstring extension = FileExtension(path);
  if (extension.size() < 2 || extension.size() > 10) return std::nullopt;
  long long value = 0;
  for (std::size_t i = 1; i < extension.size(); ++i) {
    if (extension[i] < L'0' || extension[i] > L'9') return std::nullopt;
    value = value * 10 + (extension[i] - L'0');
  }
  if (value > 0x7FFFFFFF) return std::nullopt;
  return static_cast<int>(value);
}

bool EscapesBaseFolder(std::wstring_view item_path) {
  if (item_path.empty()) return false;
  if (item_path[0] == L'\\' || item_path[0] == L'/') return true;
  if (item_path.find(L':') != std::wstring_view::npos) return true;
  std::size_t start = 0;
  while (start <= item_path.size()) {
    std::size_t end = item_path.find_first_of(L"\\/", start);
    if (end == std::wstring_view::npos) end = item_path.size();
    if (item_path.substr(start, end - start) == L"..") return true;
    start = end + 1;
  }
  return false;
}

bool NamesDevice(std::wstring_view item_path) {
  std::size_t start = 0;
  while (start <= item_path.size()) {
    std::size_t end = item_path.find_first_of(L"\\/", start);
    if (end == std::wstring_view::npos) end = item_path.size();
    if (IsDeviceName(item_path.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

std::wstring VolumeDialogFilter(std::wstring_view name) {
  const std::wstring base = WithoutExtension(LastComponent(name));
  std::wstring filter = base + L"-volumes";
  filter += L'\0';
  filter += base + L".*";
  filter += L'\0';
  filter += L'\0';
  return filter;
}

std::optional<std::size_t> FindSignature(const unsigned char* data, std::size_t size) {
  for (std::size_t offset = 0; offset + sizeof kSignature <= size; ++offset) {
    bool match = true;
    for (std::size_t i = 0; i < sizeof kSignature && match; ++i)
      match = data[offset + i] == kSignature[i];
    if (match) return offset;
  }
  return std::nullopt;
}

double DateTimeFromTicks(std::uint64_t ticks) {
  // 1 January 1601 lies 109205 days before 30 December 1899.
  return -109205.0 + (static_cast<double>(ticks) * 1e-7) / 86400.0;
}

std::uint32_t DosDateTime(double date_time) {
  // Civil date from days since 30 December 1899 (day 0 = 1899-12-30).
  const double whole_days = std::floor(date_time);
  // Milliseconds rounded, seconds truncated, as a date-time decodes.
  long long milliseconds = std::llround((date_time - whole_days) * 86400000.0);
  long long days = static_cast<long long>(whole_days);
  if (milliseconds >= 86400000) {
    milliseconds -= 86400000;
    ++days;
  }
  const long long seconds_of_day = milliseconds / 1000;
  // Days since 1970-01-01, then Howard Hinnant's civil_from_days.
  long long z = days - 25569 + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long day = doy - (153 * mp + 2) / 5 + 1;
  const long long month = mp < 10 ? mp + 3 : mp - 9;
  const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  if (year < 1980 || year > 2107) return 0;
  const long long hour = seconds_of_day / 3600;
  const long long minute = seconds_of_day / 60 % 60;
  const long long second = seconds_of_day % 60;
  const std::uint32_t date = static_cast<std::uint32_t>(day + month * 32 + (year - 1980) * 512);
  const std::uint32_t time = static_cast<std::uint32_t>(second / 2 + minute * 32 + hour * 2048);
  return date << 16 | time;
}

}  // namespace sevenzip
