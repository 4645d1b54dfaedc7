#pragma once

#include <string>

// Putting a completely written file in the place of another, so that a crash
// or a full disk never leaves the target cut off: the new content goes to a
// temporary file beside the target first, and only a whole file is moved in.

// The names the replace uses beside `target`: the new content while it is
// written, and (on Windows 9x) the old file while it is being swapped out.
std::string ReplaceTemporaryName(const std::string& target);
std::string ReplaceBackupName(const std::string& target);

// Windows 9x (platform id 1), where MoveFileExA does nothing.
bool RunsOnWindows9x();

// Moves the whole file `temporary` to `target`, replacing an existing one.
// NT: one MoveFileExA, atomic. 9x: the old target steps aside under its
// backup name until the new one is in place, and comes back on failure.
// On failure `temporary` is left for the caller to remove.
bool MoveWholeFileIntoPlace(const std::string& temporary, const std::string& target);

// The 9x way of the above, by plain renames; for any system.
bool MoveWholeFileIntoPlaceStepwise(const std::string& temporary, const std::string& target);

// Finishes or undoes a replace that a crash interrupted: a temporary file,
// whole or not, is removed; on 9x the stepwise way below as well.
void RecoverInterruptedReplace(const std::string& target);

// The 9x way of the above, for any system: an old file left under the
// backup name comes back when the target is missing and is dropped otherwise.
void RecoverInterruptedReplaceStepwise(const std::string& target);
