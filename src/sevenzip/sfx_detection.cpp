#include "sevenzip/SevenZipVCL.h"

#include "sevenzip/archive_rules.h"
#include "sevenzip/file_system.h"

#include <cstring>
#include <vector>

using namespace sevenzip;

namespace {

// Reads up to `size` bytes at `offset`; the count read.
std::size_t ReadAt(HANDLE file, std::uint64_t offset, void* data, std::size_t size) {
  DWORD done = 0;
  if (!SeekTo(file, static_cast<std::int64_t>(offset)) ||
      !ReadFile(file, data, static_cast<DWORD>(size), &done, nullptr)) {
    return 0;
  }
  return done;
}

template <class T>
T LittleEndian(const unsigned char* bytes) {
  T value = 0;
  for (std::size_t i = sizeof(T); i > 0; --i) value = static_cast<T>(value << 8 | bytes[i - 1]);
  return value;
}

// End of the executable's section data (the furthest raw data of its
// sections): where a self-extractor module ends and its archive begins.
std::uint64_t EndOfSections(HANDLE file) {
  unsigned char dos_header[64];
  if (ReadAt(file, 0, dos_header, sizeof dos_header) != sizeof dos_header) return 0;
  const std::uint32_t pe_offset = LittleEndian<std::uint32_t>(dos_header + 60);
  unsigned char pe_header[24];
  if (ReadAt(file, pe_offset, pe_header, sizeof pe_header) != sizeof pe_header) return 0;
  const std::uint16_t section_count = LittleEndian<std::uint16_t>(pe_header + 6);
  const std::uint16_t optional_size = LittleEndian<std::uint16_t>(pe_header + 20);
  const std::uint64_t table = std::uint64_t{pe_offset} + 24 + optional_size;
  std::uint64_t end = 0;
  for (std::uint64_t i = 0; i < section_count; ++i) {
    unsigned char section[40];
    if (ReadAt(file, table + i * sizeof section, section, sizeof section) != sizeof section)
      return 0;
    const std::uint64_t raw_end = std::uint64_t{LittleEndian<std::uint32_t>(section + 20)} +
                                  LittleEndian<std::uint32_t>(section + 16);
    if (raw_end > end) end = raw_end;
  }
  return end;
}

}  // namespace

void TSevenZip::DetectSFX(const std::wstring& file_name) {
  sfx_found_ = false;
  sfx_offset_ = 0;
  const FileHandle file = OpenForReading(file_name);
  if (!file.Valid()) return;
  const std::uint64_t size = static_cast<std::uint32_t>(EndPosition(file.Get()));
  std::vector<unsigned char> window(kSfxScanSize);
  const std::size_t read = ReadAt(file.Get(), kSfxScanStart, window.data(), window.size());
  if (const auto match = FindSignature(window.data(), read)) {
    sfx_found_ = true;
    sfx_offset_ = kSfxScanStart + *match;
    return;
  }
  const std::uint64_t fallback = EndOfSections(file.Get());
  if (fallback == 0 || fallback == size) return;
  unsigned char signature[sizeof kSignature];
  if (ReadAt(file.Get(), fallback, signature, sizeof signature) == sizeof signature &&
      std::memcmp(signature, kSignature, sizeof signature) == 0) {
    sfx_found_ = true;
    sfx_offset_ = fallback;
  }
}
