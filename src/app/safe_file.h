#pragma once

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

// Whole content of a file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);
