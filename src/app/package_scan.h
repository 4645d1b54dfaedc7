#pragma once

#include <string>
#include <vector>

// Entry texts of the archive list for a mask such as "R\Zipped\*.7z": every
// match, in the order the file system returns them, whatever its attributes.
std::vector<std::string> FindArchiveEntries(const std::string& mask);

// Entry texts of the folder list for a mask such as "R\UnZipped\*.*": the
// matching folders in capitals, without ".", ".." and "Zipped".
std::vector<std::string> FindFolderEntries(const std::string& mask);

// True when the folder holds nothing but "." and "..", or cannot be listed.
bool IsFolderEmpty(const std::string& folder);
