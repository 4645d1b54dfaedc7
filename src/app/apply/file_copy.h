#pragma once

#include <windows.h>

#include <string>

// Copies one file as CopyFileExA does (content, last-write time, attributes;
// an existing target replaced unless it is read-only; the progress routine
// called at the start and after every chunk, its answer obeyed), with the
// ANSI functions Windows 98 really implements (the folder copy's 9x way). The
// source may be open for writing by another program. The copy is written
// under a temporary name beside the target that no file had (see
// common/file_replace.h) and moved into place only when whole, so a full disk
// or a crash never leaves a cut-off file under the real name.
bool CopyFileWhole(const std::string& source, const std::string& target,
                   LPPROGRESS_ROUTINE progress, void* data);
