#pragma once

#include <windows.h>

// The look's bitmaps and cursor, resources of the program under these names.
namespace look_resources {

inline constexpr const char* kHeaderButtonFace = "KWT_XPHBNOR";
inline constexpr const char* kProgressFillHorizontal = "KWT_XPPBHOR";
inline constexpr const char* kProgressFillVertical = "KWT_XPPBVER";
inline constexpr const char* kComboButtonNormal = "KWT_XPCBNOR";
inline constexpr const char* kComboButtonHot = "KWT_XPCBHOT";
inline constexpr const char* kComboButtonDown = "KWT_XPCBDOWN";
inline constexpr const char* kComboButtonDisabled = "KWT_XPCBDIS";
inline constexpr const char* kHeaderHandCursor = "KWT_XPHBHAND";

// The bitmap of that name from the program's resources, loaded once and kept
// for the life of the process; null when the program has no such resource
// (painters then leave that part out).
HBITMAP Bitmap(const char* name);

}  // namespace look_resources
