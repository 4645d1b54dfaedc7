#pragma once

#include <windows.h>

#include <string_view>

// The unpacker's last line when it dies anyway, in any thread (a fault in a
// 7za.dll the user dropped in, say): the run log gets one line naming what
// was being unpacked and the module and offset of the fault, and the process
// ends at once with its own exit code. No system crash box ever waits for a
// click that an unattended setup has nobody to give.
namespace crash_guard {

// The exit code of a process that died.
inline constexpr UINT kDiedExitCode = 3;

// At start: the system's crash and critical-error boxes off, the
// process-wide filter in place.
void Install();

// What the run is at for the last line: the run log's open file (not owned;
// INVALID_HANDLE_VALUE for no log) and the item, e.g. "archive DP_x.7z from
// D:\pkg\Zipped\DP_x.7z" (empty: none). Copied now, so that the dying process
// needs no heap.
void Note(HANDLE log_file, std::string_view item);

}  // namespace crash_guard
