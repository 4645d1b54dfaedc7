#include <windows.h>

#include "drive_mapping.h"

#include "support/file_util.h"
#include "support/host_command.h"

using testing_support::RunHostCommand;
using testing_support::UnixPath;

DriveMapping::DriveMapping() {
  if (GetDriveTypeA("E:\\") != DRIVE_NO_ROOT_DIR) return;
  const auto linked = RunHostCommand(
      {"sh", "-c", "test -n \"$WINEPREFIX\" && ln -s \"$1\" \"$WINEPREFIX/dosdevices/e:\"", "map",
       UnixPath(folder_.Path())});
  linked_ = linked.exit_code == 0;
  mapped_ = linked_ && GetFileAttributesA("E:\\") != INVALID_FILE_ATTRIBUTES;
}

DriveMapping::~DriveMapping() {
  if (!linked_) return;
  RunHostCommand({"sh", "-c", "rm -f \"$WINEPREFIX/dosdevices/e:\""});
}
