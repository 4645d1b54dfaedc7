#include <windows.h>

#include "common/file_names.h"

#include "common/ansi_text.h"
#include "common/file_replace.h"

namespace {

std::wstring ToWide(UINT code_page, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(code_page, 0, text.data(), size, result.data(), length);
  return result;
}

std::string FromWide(UINT code_page, DWORD flags, std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(code_page, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    WideCharToMultiByte(code_page, flags, text.data(), size, result.data(), length, nullptr,
                        nullptr);
  }
  return result;
}

using WideCase = DWORD(WINAPI*)(LPWSTR, DWORD);
using AnsiCase = std::string (*)(std::string_view);

std::string NameCase(std::string_view name, WideCase wide_case, AnsiCase ansi_case) {
  if (!WideFileNames()) return ansi_case(name);
  if (IsAscii(name)) {
    // The same in UTF-8 and ANSI: the ANSI rules apply as below, without the
    // round of conversions that thousands of entries would each pay.
    std::string converted = ansi_case(name);
    if (IsAscii(converted)) return converted;
  }
  std::wstring wide = NameToWide(name);
  if (FitsAnsiCodePage(wide)) return NameFromAnsi(ansi_case(WideToAnsi(wide)));
  wide_case(wide.data(), static_cast<DWORD>(wide.size()));
  return NameFromWide(wide);
}

// Asked once, at start: the answer cannot change during a run.
const bool wide_file_names = !RunsOnWindows9x();

}  // namespace

bool WideFileNames() { return wide_file_names; }

std::wstring NameToWide(std::string_view name) {
  return ToWide(WideFileNames() ? CP_UTF8 : CP_ACP, name);
}

std::string NameFromWide(std::wstring_view name) {
  return WideFileNames() ? FromWide(CP_UTF8, 0, name) : FromWide(CP_ACP, 0, name);
}

std::string NameFromAnsi(std::string_view text) {
  if (!WideFileNames() || IsAscii(text)) return std::string(text);
  return FromWide(CP_UTF8, 0, ToWide(CP_ACP, text));
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool FitsAnsiCodePage(std::wstring_view text) {
  if (text.empty()) return true;
  const int size = static_cast<int>(text.size());
  BOOL defaulted = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr,
                                         0, nullptr, &defaulted);
  if (length <= 0 || defaulted) return false;
  return ToWide(CP_ACP, FromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, text)) == text;
}

std::string WideToAnsi(std::wstring_view text) {
  return FromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, text);
}

std::wstring AnsiToWide(std::string_view text) { return ToWide(CP_ACP, text); }

std::string NameUpperCase(std::string_view name) {
  return NameCase(name, CharUpperBuffW, AnsiUpperCase);
}

std::string NameLowerCase(std::string_view name) {
  return NameCase(name, CharLowerBuffW, AnsiLowerCase);
}

std::wstring LongPathForm(std::wstring_view path) {
  constexpr std::size_t kFolderLimit = MAX_PATH - 12;
  if (path.size() < kFolderLimit || path.starts_with(L"\\\\?\\")) return std::wstring(path);
  std::wstring prefix;
  std::size_t start = 0;
  if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') {
    prefix = L"\\\\?\\";
  } else if (path.starts_with(L"\\\\") && !path.starts_with(L"\\\\.\\")) {
    prefix = L"\\\\?\\UNC\\";
    start = 2;
  } else {
    return std::wstring(path);
  }
  std::wstring result = prefix;
  result.reserve(prefix.size() + path.size());
  for (std::size_t i = start; i < path.size(); ++i) {
    const wchar_t c = path[i] == L'/' ? L'\\' : path[i];
    if (c == L'\\' && !result.empty() && result.back() == L'\\' && i > start) continue;
    result += c;
  }
  return result;
}
