#pragma once

#include <optional>
#include <string>

// What the copier reads at start.
struct CopierInputs {
  std::string windows_folder;           // W, no trailing backslash
  std::string system_folder;            // S, no trailing backslash
  std::string setup_source;             // P, from the registry; expected to end in "\"
  std::string program_folder;           // D, with its trailing backslash
  std::optional<std::string> argument;  // first command-line argument, if any
};

// Registry paths under HKEY_LOCAL_MACHINE.
inline constexpr char kSetupKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SETUP";
inline constexpr char kWindowsNtKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";

// Every path the copier works with, built by plain concatenation.
struct CopyPlan {
  std::string first_settings;              // S\Tarnix.ini
  std::string second_settings;             // D Korvelund.ini
  std::string copy_source;                 // P I386\*.*, or the argument
  std::string copy_destination;            // W\I386\ (trailing backslash)
  std::string new_setup_source;            // W\ (trailing backslash)
  std::string new_system_source;           // W\I386
  std::string service_pack_folder;         // W\I386\SVCPACK
  std::string copy_folder;                 // W\I386
  std::string setup_key = kSetupKey;       // gets SourcePath, ServicePackSourcePath
  std::string system_key = kWindowsNtKey;  // gets SourcePath
};

// The argument with its first "/" removed, wherever it stands.
std::string SourceFromArgument(std::string argument);

CopyPlan MakeCopyPlan(const CopierInputs& inputs);
