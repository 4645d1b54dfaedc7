#pragma once

#include <string>

// One shell copy of `source` (a folder or a wildcard pattern) into
// `destination`, with the shell's progress dialog and its own error dialogs.
// True when the shell reports success. A source that matches nothing fails
// without asking the shell, which reports such a copy differently on
// different systems.
bool ShellCopy(const std::string& source, const std::string& destination);

// Removes a folder with its contents outright (not into the recycle bin).
bool ShellDelete(const std::string& folder);
