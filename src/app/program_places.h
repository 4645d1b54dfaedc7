#pragma once

#include <string>

// The places the unpacker takes its files from: its own program file (the
// settings file, the package root and Halbrent.exe lie beside it) and the
// Windows system folder (Tarnix.ini). In-process tests move them to
// temporary folders; the program itself never does.
std::string UnpackerProgramFile();
std::string UnpackerSettingsFile();
// Empty when the system cannot tell it.
std::string UnpackerSystemFolder();

void RedirectProgramPlaces(std::string program_file, std::string system_folder);
void ResetProgramPlaces();
