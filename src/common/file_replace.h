#pragma once

#include <string>
#include <string_view>

// Putting a completely written file in the place of another, so that a crash
// or a full disk never leaves the target cut off: the new content goes to a
// temporary file beside the target first, and only a whole file is moved in.

// Tarnix.ini's rewrite uses fixed names beside its target, so that the next
// start finds what a crash left: these two, and RecoverInterruptedReplace.
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

// Temporary files of the folder copy (and any writer that puts a file in
// place only when whole). A temporary name is "~kvXXXXXXXX.tmp" in the
// target's folder: short, so that it never pushes a path over a limit the
// final name is within, and claimed with CREATE_NEW (or a copy that fails if
// the name exists), the next name tried on a collision. So a temporary name
// never names a file the run did not create, and an existing file is only
// ever replaced by the whole file of its own name.

// A candidate temporary name beside `target` (a path), new at every call
// within the process; any thread may ask.
std::wstring TemporaryNameBeside(std::wstring_view target);
std::string TemporaryNameBesideAnsi(std::string_view target);

// How many candidates a writer tries before it gives up. A writer claims a
// candidate by creating it with CREATE_NEW (or COPY_FILE_FAIL_IF_EXISTS) and
// takes the next one when the name exists.
inline constexpr unsigned kTemporaryNameAttempts = 64;

// NT: moves the whole file `temporary` over `target` in one MoveFileExW
// (atomic), long paths allowed. On failure `temporary` is left for the
// caller to remove, and the old target is whole.
bool MoveWholeFileIntoPlaceWide(const std::wstring& temporary, const std::wstring& target);

// 9x: the stepwise replace with the old file set aside under a temporary name
// claimed as above (never a file the run did not create).
bool MoveWholeFileIntoPlaceAnsi(const std::string& temporary, const std::string& target);
