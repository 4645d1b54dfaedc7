#pragma once

#include <string>
#include <vector>

namespace testing_support {

// Writes `content` to `path` (ANSI name), creating missing parent folders.
void WriteTextFile(const std::string& path, const std::string& content);

// Whole content of a file; empty when it cannot be read.
std::string ReadTextFile(const std::string& path);

// Creates a folder and its missing parents.
void MakeFolders(const std::string& path);

// Files by UTF-8 paths (any name, any length), through the wide functions.
void WriteNamedFile(const std::string& utf8_path, const std::string& content);
// Whole content; empty when it cannot be read.
std::string ReadNamedFile(const std::string& utf8_path);
bool NamedPathExists(const std::string& utf8_path);
// Names in a folder ("." and ".." left out), sorted, in UTF-8.
std::vector<std::string> NamesIn(const std::string& utf8_folder);

// Unix path of a Windows path under Wine ("Z:\tmp\x" -> "/tmp/x").
std::string UnixPath(const std::string& windows_path);

}  // namespace testing_support
