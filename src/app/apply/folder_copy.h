#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Receives the percentage of the file being copied (see CopyPercent).
using CopyProgressSink = std::function<void(std::int32_t percent)>;

// Hears of each file a folder copy handles: its source path (name text, see
// common/file_names.h), its size, and 0 when it was copied, else the
// system's error code.
using CopyOutcomeSink =
    std::function<void(const std::string& source, std::uint64_t size, DWORD error)>;

// The copy's progress routine, called as CopyFileExA calls it: hands the percentage of the current
// file to the CopyProgressSink that `data` points to, and lets the copy go on.
DWORD CALLBACK CopyProgress(LARGE_INTEGER total_file_size, LARGE_INTEGER total_bytes_transferred,
                            LARGE_INTEGER stream_size, LARGE_INTEGER stream_bytes_transferred,
                            DWORD stream_number, DWORD callback_reason, HANDLE source_file,
                            HANDLE destination_file, LPVOID data);

// Creates a folder (name text) with all its missing parents; true when it
// exists afterwards.
bool ForceFolders(const std::string& folder);
// Whether a folder (name text) exists.
bool FolderExists(const std::string& folder);

// Copies a folder tree (paths in name text) file by file, hidden and system
// files and folders included; existing target files are replaced when
// `overwrite` is set and kept otherwise. NT: wide names and long paths, each
// file copied by CopyFileExW into a temporary name and put in place whole;
// 9x: ANSI names, CopyFileWhole, and a name the code page cannot hold is
// refused (ERROR_INVALID_NAME). Either way a read-only target is not
// replaced (ERROR_ACCESS_DENIED), a hidden or system one is, and of names
// that differ only in letter case or trailing dots and blanks the first one
// found is copied and the others are refused (ERROR_ALREADY_EXISTS). With
// `stop_at_failure` the first failed entry ends the copy. Returns the
// outcome of the last entry handled (false for an empty or missing source).
// Files kept as they were are not reported to `outcome`.
bool CopyFolder(const std::string& source, const std::string& destination, bool stop_at_failure,
                bool overwrite, const CopyProgressSink& progress,
                const CopyOutcomeSink& outcome = CopyOutcomeSink());
