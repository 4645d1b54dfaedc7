#pragma once

#include <string>

// Full path of the running program file (ANSI).
std::string ProgramFileName();

// The program's settings file: its own path with the extension ".ini".
std::string SettingsFileName();

// Whether `path` names an existing file (not a folder).
bool FileExists(const std::string& path);

// Whether `path` names an existing folder.
bool DirectoryExists(const std::string& path);
