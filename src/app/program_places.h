#pragma once

#include <string>
#include <vector>

// The places the unpacker takes its files from: its own program file (the
// settings file, the package root and Halbrent.exe lie beside it) and the
// Windows system folder (Tarnix.ini); and its command-line arguments. In-process
// tests move them to temporary folders and give their own arguments; the
// program itself never does.
std::string UnpackerProgramFile();
std::string UnpackerSettingsFile();
// Empty when the system cannot tell it.
std::string UnpackerSystemFolder();
// Where the run log goes by default. In-process tests keep it in their own
// system folder.
std::string UnpackerWindowsFolder();

// The arguments after the program name.
std::vector<std::string> UnpackerArguments();

void RedirectProgramPlaces(std::string program_file, std::string system_folder,
                           std::vector<std::string> arguments);
void ResetProgramPlaces();
