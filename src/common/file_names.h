#pragma once

#include <string>
#include <string_view>

// File names as the program carries them. On NT-family Windows every name on
// disk is Unicode: names travel as UTF-8 and reach the file functions as
// UTF-16, so none passes through the ANSI code page. On Windows 9x names are
// in the ANSI code page, the only form its file functions take.
//
// "Name text" below is that form; texts of the settings, the window and the
// system's ANSI functions are "ANSI text" and meet name text only through
// these conversions.

// True on the NT family (the file functions take UTF-16 names).
bool WideFileNames();

std::wstring NameToWide(std::string_view name);
std::string NameFromWide(std::wstring_view name);
// ANSI text (a setting, a typed folder) as name text.
std::string NameFromAnsi(std::string_view text);
// Only characters below 128: the same text in UTF-8 and every ANSI code page.
bool IsAscii(std::string_view text);

// Whether the text converts to the ANSI code page and back unchanged, with no
// best-fit character standing in for another.
bool FitsAnsiCodePage(std::wstring_view text);
// The ANSI form of a text that fits (see FitsAnsiCodePage).
std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);

// Case conversion of name text. A name that fits the ANSI code page is
// converted by its rules (CharUpperBuffA/CharLowerBuffA), as before; any
// other by the Unicode ones (CharUpperBuffW/CharLowerBuffW).
std::string NameUpperCase(std::string_view name);
std::string NameLowerCase(std::string_view name);

// A path for the wide file functions: from MAX_PATH - 12 characters on (a
// folder's limit) a full drive or UNC path gets the "\\?\" form, which the
// system takes up to its own limit; separators are made single on the way.
std::wstring LongPathForm(std::wstring_view path);
