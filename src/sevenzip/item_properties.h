#pragma once

#include "sevenzip/archive_interfaces.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sevenzip {

// Item properties the engine reads; an empty property counts as 0 (or "").
std::wstring ItemPath(IInArchive* archive, UINT32 index);
std::uint64_t ItemSize(IInArchive* archive, UINT32 index);
std::uint32_t ItemAttributes(IInArchive* archive, UINT32 index);
// The item's UTC modification time; nothing when the archive stores none.
std::optional<FILETIME> ItemModificationTime(IInArchive* archive, UINT32 index);

}  // namespace sevenzip
