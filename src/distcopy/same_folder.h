#pragma once

#include <string>

// The folder a copy of `source` reads: the folder of a wildcard pattern or
// of a file, or the folder itself.
std::string CopySourceFolder(const std::string& source);

// Whether two paths name one existing folder: the same full long name
// (short 8.3 names, "." and ".." and letter case aside), or the same volume
// and file index where the system tells them (another drive letter or share
// for the same place).
bool IsSameFolder(const std::string& first, const std::string& second);
