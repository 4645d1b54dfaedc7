#include <windows.h>

#include "package_rules.h"

#include <algorithm>

#include "common/ansi_text.h"
#include "common/env_expand.h"
#include "common/file_names.h"

namespace {

std::string ExpandInProcess(std::string_view text) { return ExpandEnvVars(text); }

}  // namespace

std::string PackageDisplayName(std::string_view found_name) {
  return PackageDisplayName(found_name, AnsiLowerCase, AnsiUpperCase);
}

std::string FolderEntryText(std::string_view found_name) { return AnsiUpperCase(found_name); }

std::optional<std::string> HoverHintText(const std::vector<std::string>& hint_table,
                                         std::string_view entry_text) {
  return HoverHintText(hint_table, entry_text, AnsiUpperCase);
}

std::string DestinationFolderValue(std::string_view drv_folder) {
  return DestinationFolderValue(drv_folder, ExpandInProcess, AnsiUpperCase);
}

namespace {

std::wstring WideCase(std::wstring text, DWORD(WINAPI* convert)(LPWSTR, DWORD)) {
  if (!text.empty()) convert(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

std::wstring PackageDisplayName(std::wstring_view found_name) {
  if (FitsAnsiCodePage(found_name)) {
    return AnsiToWide(PackageDisplayName(WideToAnsi(found_name)));
  }
  std::wstring text = WideCase(std::wstring(found_name), CharLowerBuffW);
  const std::size_t capitals =
      std::min<std::size_t>(found_name.starts_with(L"DP_") ? 2 : 1, text.size());
  CharUpperBuffW(text.data(), static_cast<DWORD>(capitals));
  return text;
}

std::wstring FolderEntryText(std::wstring_view found_name) {
  if (FitsAnsiCodePage(found_name)) return AnsiToWide(FolderEntryText(WideToAnsi(found_name)));
  return WideCase(std::wstring(found_name), CharUpperBuffW);
}

namespace {

// An entry's text by `rule`, which has an ANSI and a wide form. A plain ASCII
// name reads the same as name text and as ANSI text: the ANSI form applies to
// it directly, without the conversions each entry would pay.
template <typename Rule>
std::string EntryText(std::string_view found_name, Rule rule) {
  if (!WideFileNames()) return rule(found_name);
  if (IsAscii(found_name)) {
    std::string text = rule(found_name);
    if (IsAscii(text)) return text;
  }
  return NameFromWide(rule(std::wstring_view(NameToWide(found_name))));
}

}  // namespace

std::string PackageEntryText(std::string_view found_name) {
  return EntryText(found_name, [](auto name) { return PackageDisplayName(name); });
}

std::string FolderEntryName(std::string_view found_name) {
  return EntryText(found_name, [](auto name) { return FolderEntryText(name); });
}

std::optional<std::string> EntryHintText(const std::vector<std::string>& hint_table,
                                         std::string_view entry_name) {
  if (!WideFileNames()) return HoverHintText(hint_table, entry_name);
  // The names of the pairs become name text; their texts stay as written.
  std::vector<std::string> table;
  table.reserve(hint_table.size());
  for (const std::string& pair : hint_table) {
    const std::size_t separator = pair.find('=');
    table.push_back(separator == std::string::npos
                        ? pair
                        : NameFromAnsi(std::string_view(pair).substr(0, separator)) +
                              pair.substr(separator));
  }
  return HoverHintText(table, entry_name,
                       [](std::string_view text) { return NameUpperCase(text); });
}
