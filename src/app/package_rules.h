#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <functional>

// Case conversion by some code page's rules (the ANSI one in the program).
using CaseConversion = std::string (*)(std::string_view);
// %NAME% expansion against some environment (the process's in the program).
using Expansion = std::function<std::string(std::string_view)>;

// Archive entry text: lower case with a capital first letter; a name that
// starts with "DP_" keeps those two capitals ("DP_Lan.7Z" -> "DP_lan.7z").
std::string PackageDisplayName(std::string_view found_name, CaseConversion lower,
                               CaseConversion upper);

// Whether a found folder becomes an entry of the folder list.
bool IsListedFolder(std::string_view name);

// Text of the last "name=text" pair whose upper-cased name occurs in the
// upper-cased entry text (an empty name occurs nowhere); nothing when no
// pair matches.
std::optional<std::string> HoverHintText(const std::vector<std::string>& hint_table,
                                         std::string_view entry_text, CaseConversion upper);

// Whether an expanded destination names the default one, written as
// %Systemdrive%\D, %Systemdrive%\d, %Systemdrive%\ or %Systemdrive%, or is
// empty or blank, which means the default too.
bool IsDefaultDestination(std::string_view expanded, const Expansion& expand);

inline constexpr std::string_view kDefaultDestination = "%SYSTEMDRIVE%\\D";

// Entry of the destination box for a DrvFolder value: the default in its one
// spelling, any other folder upper-cased and not expanded.
std::string DestinationFolderValue(std::string_view drv_folder, const Expansion& expand,
                                   CaseConversion upper);

#ifdef _WIN32
// The same rules with the ANSI code page and the process environment.
std::string PackageDisplayName(std::string_view found_name);
std::string FolderEntryText(std::string_view found_name);
std::optional<std::string> HoverHintText(const std::vector<std::string>& hint_table,
                                         std::string_view entry_text);
std::string DestinationFolderValue(std::string_view drv_folder);
#endif
