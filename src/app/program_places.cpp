#include <windows.h>

#include "app/program_places.h"

#include <cstdlib>
#include <optional>

#include "common/paths.h"
#include "common/program_paths.h"
#include "common/run_log.h"

namespace {

struct Places {
  std::string program_file;
  std::string system_folder;
  std::vector<std::string> arguments;
};

std::optional<Places>& Redirection() {
  static std::optional<Places> places;
  return places;
}

std::string SystemDirectory() {
  std::string folder(256, '\0');
  UINT length = GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
  if (length >= folder.size()) {
    folder.assign(length + 1, '\0');
    length = GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) length = 0;
  }
  folder.resize(length);
  return folder;
}

}  // namespace

std::string UnpackerProgramFile() {
  return Redirection() ? Redirection()->program_file : ProgramFileName();
}

std::string UnpackerSettingsFile() { return ChangeFileExt(UnpackerProgramFile(), ".ini"); }

std::string UnpackerSystemFolder() {
  return Redirection() ? Redirection()->system_folder : SystemDirectory();
}

std::string UnpackerWindowsFolder() {
  return Redirection() ? Redirection()->system_folder : WindowsFolder();
}

std::vector<std::string> UnpackerArguments() {
  if (Redirection()) return Redirection()->arguments;
  std::vector<std::string> arguments;
  for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
  return arguments;
}

void RedirectProgramPlaces(std::string program_file, std::string system_folder,
                           std::vector<std::string> arguments) {
  Redirection() = Places{std::move(program_file), std::move(system_folder), std::move(arguments)};
}

void ResetProgramPlaces() { Redirection().reset(); }
