#pragma once

#include <string>

// Tarnix.ini, the companion setup tool's settings file in the system folder.

// Its path for a system folder; empty when the folder is unknown.
std::string TarnixIniPathIn(const std::string& system_folder);

// Copies every key of every section of the settings file into Tarnix.ini,
// rewriting that file once and safely. A missing Tarnix.ini (or an empty
// path) is left alone. Answers whether the file was rewritten.
bool MirrorSettingsIntoTarnix(const std::string& settings_file, const std::string& tarnix_path);

// The options of the window that the setup tool and Halbrent.exe act on.
struct TarnixOptions {
  std::string drv_folder;  // as the destination box shows it, not expanded
  bool delete_after_setup = false;
  bool distribution_copy = false;
  bool post_setup = false;
};

// Writes the four options into an existing Tarnix.ini as the profile
// functions write them, through a copy that takes the file's place only when
// it came out whole (a full disk cuts such writes short without an error).
// Answers whether the options are in the file; a missing Tarnix.ini is left
// alone and gets none.
bool WriteTarnixOptions(const std::string& tarnix_path, const TarnixOptions& options);
