#pragma once

#include <string>
#include <string_view>

// Windows path text, byte for byte (no code-page assumptions).

// Folder part of a path, with its trailing "\" (or ":"): "C:\x\a.exe" -> "C:\x\".
std::string ExtractFilePath(std::string_view path);

// Name part of a path: "C:\x\a.exe" -> "a.exe".
std::string ExtractFileName(std::string_view path);

// Drive part: "E:" for "E:\x", "\\server\share" for "\\server\share\x", else "".
std::string ExtractFileDrive(std::string_view path);

// Replaces the extension (from the last "." after the last "\" or ":") by
// `extension`; a path without one gets `extension` appended.
std::string ChangeFileExt(std::string_view path, std::string_view extension);

// `path` with one "\" at its end (unchanged when it has one or is empty).
std::string IncludeTrailingBackslash(std::string_view path);
