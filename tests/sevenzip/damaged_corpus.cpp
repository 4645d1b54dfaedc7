#include "damaged_corpus.h"

#include <algorithm>
#include <cstdio>

namespace engine_test {

namespace {

std::uint64_t Le(const std::string& bytes, std::size_t at, int count) {
  std::uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

void PutLe(std::string& bytes, std::size_t at, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// A 7z NUMBER at `at`: its value and length; nothing past the end.
std::optional<std::pair<std::uint64_t, std::size_t>> Number(const std::string& bytes,
                                                            std::size_t at) {
  if (at >= bytes.size()) return std::nullopt;
  const unsigned first = static_cast<unsigned char>(bytes[at]);
  unsigned mask = 0x80;
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    if ((first & mask) == 0) {
      value |= static_cast<std::uint64_t>(first & (mask - 1)) << (8 * i);
      return std::make_pair(value, i + 1);
    }
    if (at + 1 + i >= bytes.size()) return std::nullopt;
    value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + 1 + i])) << (8 * i);
    mask >>= 1;
  }
  return std::make_pair(value, std::size_t{9});
}

std::string WideNumber(std::uint64_t value) {
  std::string encoded(9, '\xFF');
  PutLe(encoded, 1, value, 8);
  return encoded;
}

// The archive with a new end header and every checksum and size made right.
std::string WithHeader(const std::string& bytes, const Layout& layout, const std::string& header) {
  std::string result = bytes.substr(0, layout.header) + header;
  PutLe(result, layout.start + 20, header.size(), 8);
  PutLe(result, layout.start + 28, Crc32(header, 0, header.size()), 4);
  PutLe(result, layout.start + 8, Crc32(result, layout.start + 12, 20), 4);
  return result;
}

std::string FixedStartHeader(std::string bytes, std::size_t start) {
  PutLe(bytes, start + 8, Crc32(bytes, start + 12, 20), 4);
  return bytes;
}

std::string FlipBit(std::string bytes, std::size_t at, std::mt19937& random) {
  bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8)));
  return bytes;
}

std::string Hex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace

std::uint32_t Crc32(const std::string& bytes, std::size_t from, std::size_t length) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::size_t i = from; i < from + length; ++i) {
    crc ^= static_cast<unsigned char>(bytes[i]);
    for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

std::optional<Layout> ReadLayout(const std::string& bytes, std::size_t start) {
  if (bytes.size() < start + 32) return std::nullopt;
  Layout layout;
  layout.start = start;
  layout.header = start + 32 + Le(bytes, start + 12, 8);
  layout.header_size = Le(bytes, start + 20, 8);
  if (layout.header >= bytes.size() || layout.header + layout.header_size != bytes.size())
    return std::nullopt;
  return layout;
}

void AddFlipsAndCuts(std::vector<DamagedCase>& cases, const std::string& seed_name,
                     const std::string& bytes, std::size_t start, const std::wstring& password,
                     const std::string& file_name, std::mt19937& random) {
  const std::optional<Layout> layout = ReadLayout(bytes, start);
  if (!layout) return;
  const auto add = [&](const std::string& damage, std::string damaged) {
    cases.push_back(
        {seed_name + "/" + damage, {{file_name, std::move(damaged)}}, password, "", false});
  };
  for (int i = 0; i < 8; ++i) {
    const std::size_t at = start + random() % 32;
    add("flip-signature-header@" + std::to_string(at), FlipBit(bytes, at, random));
  }
  const std::size_t packed = layout->header - start - 32;
  for (int i = 0; i < 20 && packed > 0; ++i) {
    const std::size_t at = start + 32 + random() % packed;
    add("flip-packed@" + std::to_string(at), FlipBit(bytes, at, random));
  }
  for (int i = 0; i < 20; ++i) {
    const std::size_t at = layout->header + random() % layout->header_size;
    add("flip-end-header@" + std::to_string(at), FlipBit(bytes, at, random));
  }
  std::vector<std::size_t> cuts;
  for (std::size_t k = 0; k < 24; ++k) cuts.push_back(bytes.size() * k / 24);
  for (std::size_t back : {std::size_t{1}, std::size_t{5}, layout->header_size,
                           layout->header_size + 1}) {
    cuts.push_back(bytes.size() - std::min(back, bytes.size()));
  }
  for (std::size_t cut : cuts) add("cut@" + std::to_string(cut), bytes.substr(0, cut));
}

void AddExtremeFields(std::vector<DamagedCase>& cases, const std::string& seed_name,
                      const std::string& bytes, std::uint64_t items, std::mt19937& random) {
  const std::optional<Layout> layout = ReadLayout(bytes, 0);
  if (!layout) return;
  const std::string header = bytes.substr(layout->header);
  const auto add = [&](const std::string& damage, std::string damaged) {
    cases.push_back({seed_name + "/" + damage, {{"case.7z", std::move(damaged)}}, L"", "", true});
  };
  const std::uint64_t size = bytes.size();
  for (std::uint64_t offset : {size, size * 2, std::uint64_t{0x7FFFFFFFFFFFFFFF},
                               ~std::uint64_t{0}}) {
    std::string damaged = bytes;
    PutLe(damaged, 12, offset, 8);
    add("next-header-offset=" + Hex(offset), FixedStartHeader(damaged, 0));
  }
  for (std::uint64_t length : {std::uint64_t{0}, std::uint64_t{0x80000000}, ~std::uint64_t{0}}) {
    std::string damaged = bytes;
    PutLe(damaged, 20, length, 8);
    add("next-header-size=" + Hex(length), FixedStartHeader(damaged, 0));
  }
  {
    std::string damaged = bytes;
    PutLe(damaged, 28, 0, 4);
    add("next-header-crc=0", FixedStartHeader(damaged, 0));
    PutLe(damaged, 8, 0, 4);
    add("start-header-crc=0", damaged);
  }

  // The plain end header: 01 04 06 packPos numPackStreams 09 size... 00 07 0B
  // numFolders ...; the files part: 00 05 numFiles property.
  std::vector<std::pair<std::string, std::size_t>> fields;
  if (header.size() > 3 && header[0] == 0x01 && header[1] == 0x04 && header[2] == 0x06) {
    const auto pack_pos = Number(header, 3);
    if (pack_pos) {
      fields.push_back({"pack-position", 3});
      const std::size_t streams_at = 3 + pack_pos->second;
      const auto streams = Number(header, streams_at);
      if (streams) {
        fields.push_back({"pack-stream-count", streams_at});
        const std::size_t sizes_at = streams_at + streams->second;
        if (sizes_at < header.size() && header[sizes_at] == 0x09)
          fields.push_back({"pack-size", sizes_at + 1});
      }
    }
  }
  const std::size_t folders = header.find("\x07\x0B", 3);
  if (folders != std::string::npos) fields.push_back({"folder-count", folders + 2});
  for (std::size_t at = header.size(); at-- > 3;) {
    if (header[at - 1] == 0x05 && header[at - 2] == 0x00 && Number(header, at) &&
        Number(header, at)->first == items) {
      fields.push_back({"item-count", at});
      break;
    }
  }
  for (const auto& [field, at] : fields) {
    const std::size_t length = Number(header, at)->second;
    for (std::uint64_t value : {std::uint64_t{0}, std::uint64_t{0x7FFFFFFF},
                                std::uint64_t{0xFFFFFFFF}, std::uint64_t{0x7FFFFFFFFFFFFFFF},
                                ~std::uint64_t{0}}) {
      const std::string changed = header.substr(0, at) + WideNumber(value) + header.substr(at + length);
      add(field + "=" + Hex(value), WithHeader(bytes, *layout, changed));
    }
  }
  for (int i = 0; i < 10; ++i) {
    std::string changed = header;
    const std::size_t at = random() % changed.size();
    changed = FlipBit(changed, at, random);
    add("flip-plain-header-crc-fixed@" + std::to_string(at), WithHeader(bytes, *layout, changed));
  }
}

void AddBrokenVolumeSets(std::vector<DamagedCase>& cases, const std::string& seed_name,
                         const std::vector<std::string>& volumes) {
  // Members numbered from `first`; the set is always opened at .001.
  const auto add = [&](const std::string& damage, const std::vector<std::string>& members,
                       unsigned first = 1) {
    DamagedCase c{seed_name + "/" + damage, {}, L"", "case.7z.001", false};
    for (std::size_t n = 0; n < members.size(); ++n) {
      char name[32];
      std::snprintf(name, sizeof name, "case.7z.%03u", static_cast<unsigned>(n + first));
      c.files.push_back({name, members[n]});
    }
    cases.push_back(std::move(c));
  };
  const std::size_t count = volumes.size();
  for (std::size_t k = 0; k < count; ++k) {
    std::vector<std::string> members = volumes;
    members.erase(members.begin() + static_cast<long>(k));
    if (k == 0) {
      add("missing-member-1", members, 2);
    } else {
      members.resize(k);
      add("missing-member-" + std::to_string(k + 1), members);
    }
    std::vector<std::string> cut = volumes;
    cut[k].resize(cut[k].size() / 2);
    add("cut-member-" + std::to_string(k + 1), cut);
    if (k == 0) continue;
    std::vector<std::string> duplicated = volumes;
    duplicated[k] = volumes[k - 1];
    add("duplicated-member-" + std::to_string(k), duplicated);
    std::vector<std::string> swapped = volumes;
    std::swap(swapped[k - 1], swapped[k]);
    add("swapped-members-" + std::to_string(k) + "-" + std::to_string(k + 1), swapped);
  }
  std::vector<std::string> extra = volumes;
  extra.push_back(volumes.back());
  add("extra-member", extra);
}

}  // namespace engine_test
