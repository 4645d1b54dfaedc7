#pragma once

// Damage done to 7z archives for the engine's robustness test: bit flips in
// each region, cuts, header fields set to extreme values (with the checksums
// made right again, so the library reads them), broken volume sets.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace engine_test {

struct DamagedCase {
  std::string name;                                        // reproducible
  std::vector<std::pair<std::string, std::string>> files;  // name, bytes
  std::wstring password;
  std::string open;  // the file handed to the engine; the first file when empty
  // Every checksum was made right again: the library may read the case as
  // another, valid archive, so success need not mean the original content.
  bool checksums_fixed = false;
};

// Regions of a 7z archive that starts at `start` inside `bytes`.
struct Layout {
  std::size_t start = 0;
  std::size_t header = 0;  // absolute offset of the end header
  std::size_t header_size = 0;
};
std::optional<Layout> ReadLayout(const std::string& bytes, std::size_t start);

std::uint32_t Crc32(const std::string& bytes, std::size_t from, std::size_t length);

// Bit flips, cuts and (for a plain end header) extreme fields.
void AddFlipsAndCuts(std::vector<DamagedCase>& cases, const std::string& seed_name,
                     const std::string& bytes, std::size_t start, const std::wstring& password,
                     const std::string& file_name, std::mt19937& random);
// `items`: the number of items in the archive, to find the file count.
void AddExtremeFields(std::vector<DamagedCase>& cases, const std::string& seed_name,
                      const std::string& bytes, std::uint64_t items, std::mt19937& random);
// Volume sets `stem.001`... with members missing, duplicated, swapped, cut.
void AddBrokenVolumeSets(std::vector<DamagedCase>& cases, const std::string& seed_name,
                         const std::vector<std::string>& volumes);

}  // namespace engine_test
