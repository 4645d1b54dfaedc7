#pragma once

#include <string>

// Whether every file that the shell copy of `source` (a folder's contents, a
// file or a wildcard pattern) into the folder `destination` should have made
// lies there at its full size. The shell may report success for a copy that a full disk
// cut short; the registry must only ever point at a whole copy.
bool CopyIsComplete(const std::string& source, const std::string& destination);
