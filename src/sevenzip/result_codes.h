#pragma once

// Result codes of TSevenZip and their fixed English messages.
enum : int {
  kSuccess = 0,
  kFileNotFound = 1,
  kDataError = 2,
  kCRCError = 3,
  kUnsupportedMethod = 4,
  kIndexOutOfRange = 5,
  kUserCanceled = 6,
  kNotSFXArchive = 7,
  kSFXModuleNotFound = 8,
  kCouldNotCreateSFX = 9,
  kNoFilesToAdd = 10,
  kCouldNotCreateFile = 11,
};

// The message of a code; empty for a code outside 0..11.
const char* ResultMessage(int code);
