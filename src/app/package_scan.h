#pragma once

#include <string>
#include <vector>

// Masks and folders are ANSI text (a root from the settings); entry texts are
// name text (common/file_names.h): on NT the names exactly as the disk has
// them, on 9x their ANSI form, names it cannot hold being left out.

// Entry texts of the archive list for a mask such as "R\Zipped\*.7z": every
// match, in the order the file system returns them, whatever its attributes.
std::vector<std::string> FindArchiveEntries(const std::string& mask);

// Entry texts of the folder list for a mask such as "R\UnZipped\*.*": the
// matching folders in capitals, without ".", ".." and "Zipped".
std::vector<std::string> FindFolderEntries(const std::string& mask);

// True when the folder holds nothing but "." and "..", or cannot be listed.
bool IsFolderEmpty(const std::string& folder);
