#include <windows.h>

#include "support/scoped_mount.h"

#include "support/file_util.h"
#include "support/host_command.h"

#include <cctype>

namespace testing_support {

namespace {

std::string LinkName(char letter) {
  return std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(letter)))) +
         ":";
}

std::string TmpfsCommand(std::size_t kilobytes) {
  return "mount -t tmpfs -o size=" + std::to_string(kilobytes) + "k kvtest \"$1\"";
}

}  // namespace

ScopedMount::ScopedMount(SmallDisk, char letter, std::size_t kilobytes) : letter_(letter) {
  MountWithLetter(TmpfsCommand(kilobytes));
}

ScopedMount::ScopedMount(ReadOnlyView, char letter, const std::string& folder) : letter_(letter) {
  MountWithLetter("mount --bind '" + UnixPath(folder) +
                  "' \"$1\" && mount -o remount,ro,bind \"$1\"");
}

ScopedMount::ScopedMount(SmallDisk, const std::string& folder, std::size_t kilobytes)
    : letter_('\0') {
  mounted_ = MountOn(UnixPath(folder), TmpfsCommand(kilobytes));
}

void ScopedMount::MountWithLetter(const std::string& mount_commands) {
  const std::string drive = Drive() + "\\";
  if (GetDriveTypeA(drive.c_str()) != DRIVE_NO_ROOT_DIR) {
    refusal_ = "drive " + Drive() + " is taken already";
    return;
  }
  if (!MountOn(UnixPath(base_ / "mnt"), mount_commands)) return;
  const HostResult linked = RunHostCommand(
      {"sh", "-c", "test -n \"$WINEPREFIX\" && ln -sfn \"$1\" \"$WINEPREFIX/dosdevices/$2\"",
       "map", mount_point_, LinkName(letter_)});
  linked_ = linked.exit_code == 0;
  mounted_ = linked_ && GetFileAttributesA(drive.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!mounted_) refusal_ = "drive letter " + Drive() + " refused: " + linked.output;
}

bool ScopedMount::MountOn(const std::string& unix_folder, const std::string& mount_commands) {
  const HostResult mounted = RunHostCommand(
      {"sh", "-c", "mkdir -p \"$1\" && { " + mount_commands + "; }", "mount", unix_folder});
  if (mounted.exit_code == 0) {
    mount_point_ = unix_folder;
    return true;
  }
  refusal_ = "mount refused: " + mounted.output;
  // A bind that mounted but did not turn read-only must not stay.
  RunHostCommand(
      {"sh", "-c", "mountpoint -q \"$1\" && umount \"$1\"; true", "umount", unix_folder});
  return false;
}

ScopedMount::~ScopedMount() {
  if (linked_) {
    RunHostCommand({"sh", "-c", "rm -f \"$WINEPREFIX/dosdevices/$1\"", "unmap", LinkName(letter_)});
  }
  if (!mount_point_.empty()) {
    // Lazily when busy: a file a failed test left open must not keep it mounted.
    RunHostCommand({"sh", "-c", "mountpoint -q \"$1\" || exit 0; umount \"$1\" || umount -l \"$1\"",
                    "umount", mount_point_});
  }
}

}  // namespace testing_support
