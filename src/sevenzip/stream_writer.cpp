#include "sevenzip/stream_writer.h"

#include "sevenzip/archive_rules.h"

namespace sevenzip {

bool DosRoundedFileTime(const FILETIME& item_utc, FILETIME& result) {
  FILETIME local{};
  if (!FileTimeToLocalFileTime(&item_utc, &local)) return false;
  const std::uint64_t ticks =
      static_cast<std::uint64_t>(local.dwHighDateTime) << 32 | local.dwLowDateTime;
  const std::uint32_t dos = DosDateTime(DateTimeFromTicks(ticks));
  if (dos == 0) return false;
  FILETIME dos_local{};
  if (!DosDateTimeToFileTime(static_cast<WORD>(dos >> 16), static_cast<WORD>(dos), &dos_local))
    return false;
  return LocalFileTimeToFileTime(&dos_local, &result) != 0;
}

TMyStreamWriter* TMyStreamWriter::Create(const std::wstring& file_name, const FILETIME* utc_time,
                                         DWORD attributes) {
  const DWORD storable = attributes & kStorableAttributes;
  FileHandle file = OpenFile(file_name, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS,
                             storable ? storable : FILE_ATTRIBUTE_NORMAL);
  if (!file.Valid()) return nullptr;
  FILETIME last_write{};
  const bool has_time = utc_time && DosRoundedFileTime(*utc_time, last_write);
  if (has_time && !SetFileTime(file.Get(), nullptr, nullptr, &last_write)) return nullptr;
  return new TMyStreamWriter(std::move(file), has_time ? &last_write : nullptr);
}

TMyStreamWriter::TMyStreamWriter(FileHandle file, const FILETIME* last_write)
    : file_(std::move(file)), has_time_(last_write != nullptr) {
  if (last_write) last_write_ = *last_write;
}

TMyStreamWriter::~TMyStreamWriter() {
  // Writes after the time was set may have moved it again on some systems.
  if (has_time_ && written_) SetFileTime(file_.Get(), nullptr, nullptr, &last_write_);
  file_.Close();
}

void* TMyStreamWriter::Lookup(REFIID iid) {
  if (iid == IID_Unknown || iid == IID_ISequentialOutStream || iid == IID_IOutStream) {
    return static_cast<IOutStream*>(this);
  }
  return nullptr;
}

HRESULT TMyStreamWriter::Write(const void* data, UINT32 size, UINT32* processed) {
  Lock lock(lock_);
  DWORD count = 0;
  if (!SeekTo(file_.Get(), position_) || !WriteFile(file_.Get(), data, size, &count, nullptr)) {
    last_error_ = GetLastError();
    count = 0;
  }
  written_ = true;
  position_ += count;
  if (position_ > size_) size_ = position_;
  if (processed) *processed = count;
  return last_error_ != 0 ? S_FALSE : S_OK;
}

HRESULT TMyStreamWriter::Seek(INT64 offset, UINT32 origin, UINT64* new_position) {
  Lock lock(lock_);
  switch (origin) {
    case STREAM_SEEK_SET:
      position_ = offset;
      break;
    case STREAM_SEEK_CUR:
      position_ += offset;
      break;
    case STREAM_SEEK_END:
      position_ = size_ + offset;
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  if (position_ > size_) size_ = position_;
  if (new_position) *new_position = static_cast<UINT64>(position_);
  return S_OK;
}

HRESULT TMyStreamWriter::SetSize(UINT64) { return S_FALSE; }

}  // namespace sevenzip
