#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Replaces the content of an existing file so that a crash or power loss
// leaves either the old or the new content: the new text goes to a
// temporary file beside it, which then takes the file's place (see
// common/file_replace.h). On failure (a full disk) the file keeps its old
// content and the temporary file is removed. The file's hidden and system
// attributes carry over; a read-only file is left alone, as a direct write
// would be refused too.
bool ReplaceFileContent(const std::string& path, std::string_view content);

// Edits an existing file in the same safe way: `edit` works on a copy beside
// it and answers whether the copy came out whole; only then does the copy
// take the file's place. A read-only file is left alone.
bool EditFileSafely(const std::string& path,
                    const std::function<bool(const std::string& copy)>& edit);

// Creates (or replaces) a file with `content`, flushed; false on any failure.
bool WriteWholeFile(const std::string& path, std::string_view content);

// Whole content of a file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);
