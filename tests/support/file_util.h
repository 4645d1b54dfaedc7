#pragma once

#include <string>

namespace testing_support {

// Writes `content` to `path` (ANSI name), creating missing parent folders.
void WriteTextFile(const std::string& path, const std::string& content);

// Whole content of a file; empty when it cannot be read.
std::string ReadTextFile(const std::string& path);

// Creates a folder and its missing parents.
void MakeFolders(const std::string& path);

// Unix path of a Windows path under Wine ("Z:\tmp\x" -> "/tmp/x").
std::string UnixPath(const std::string& windows_path);

}  // namespace testing_support
