#pragma once

// The engine's naming, path and time rules: plain text and numbers, no
// Windows calls, so they build and run on the host too.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sevenzip {

// Extension with its dot: the text from the last "." after the last "\" or ":".
std::wstring FileExtension(std::wstring_view path);
// Path without its extension.
std::wstring WithoutExtension(std::wstring_view path);
// Folder part with its trailing "\" or ":"; empty for a bare name.
std::wstring FolderPart(std::wstring_view path);
// Text after the last "\" or ":".
std::wstring LastComponent(std::wstring_view path);
// Length of the part of a path that no folder creation can make: "C:",
// "\\server\share", "\\?\C:", "\\?\UNC\server\share" (0 for a relative path).
std::size_t RootLength(std::wstring_view path);
// Text that Windows cannot take as a folder path: a ":" other than the
// drive's, a character no name may hold, a control character; in the
// "\\?\" form, which Windows passes on unparsed, also "/" and "." or ".."
// components, or no drive or UNC root.
bool IsMalformedPath(std::wstring_view path);
// A path in the "\\?\" (or "\\.\") form, which only the NT family knows.
bool IsVerbatimPath(std::wstring_view path);
// ASCII upper case; enough for extension tests such as ".EXE".
std::wstring AsciiUpper(std::wstring_view text);
// "\" appended when the text is not empty and does not end in one.
std::wstring WithTrailingBackslash(std::wstring_view folder);

// n in decimal, left-padded with "0" to at least 3 digits.
std::wstring VolumeNumber(int n);
// Name of volume n of a set whose first volume is `first`: after an SFX
// module the number is appended, otherwise it replaces the extension.
std::wstring VolumeName(std::wstring_view first, int n, bool sfx);
// The extension of `path` read as a volume number (digits only).
std::optional<int> VolumeNumberOf(std::wstring_view path);

// An item path that could leave the base folder: absolute, drive-qualified,
// UNC, or holding a ".." component (either separator).
bool EscapesBaseFolder(std::wstring_view item_path);
// An item path with a component that Windows opens as a device (CON, PRN,
// AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$), with or without an extension
// and trailing dots or blanks; either separator.
bool NamesDevice(std::wstring_view item_path);

// The volume-selection dialog's filter ("pack.7z-volumes\0pack.7z.*\0\0") and
// initial folder for a volume name.
std::wstring VolumeDialogFilter(std::wstring_view name);

// Where the 7z signature starts in `data`, lowest offset first.
std::optional<std::size_t> FindSignature(const unsigned char* data, std::size_t size);
inline constexpr unsigned char kSignature[6] = {0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C};
inline constexpr std::uint64_t kSfxScanStart = 65536;
inline constexpr std::size_t kSfxScanSize = 81920;

// Date-time (days since 30 December 1899) of a FILETIME tick count.
double DateTimeFromTicks(std::uint64_t ticks);
// 32-bit DOS date and time (date high, time low) of a date-time; 0 for a
// year outside 1980..2107, which no DOS date can hold.
std::uint32_t DosDateTime(double date_time);

}  // namespace sevenzip
