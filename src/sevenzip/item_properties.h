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
// The archive's own folder flag decides the kind; without one (VT_EMPTY),
// the attributes' folder bit.
bool ItemIsFolder(IInArchive* archive, UINT32 index, std::uint32_t attributes);
// A deletion mark of an update archive: no data, only "remove this name".
bool ItemIsAnti(IInArchive* archive, UINT32 index);
// The item's UTC modification time; nothing when the archive stores none.
std::optional<FILETIME> ItemModificationTime(IInArchive* archive, UINT32 index);

}  // namespace sevenzip
