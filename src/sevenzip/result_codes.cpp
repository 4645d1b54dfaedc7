#include "sevenzip/result_codes.h"

namespace {

constexpr const char* kMessages[] = {
    "Success",
    "File not found",
    "Data Error",
    "CRC Error",
    "Unsupported Method",
    "Index out of Range",
    "User canceled operation",
    "File is not an 7z SFX archive",
    "SFXModule error ( Not found )",
    "Could not create SFX",
    "No files to add",
    "Could not create file",
};

}  // namespace

const char* ResultMessage(int code) {
  if (code < 0 || code >= static_cast<int>(sizeof kMessages / sizeof kMessages[0])) return "";
  return kMessages[code];
}
