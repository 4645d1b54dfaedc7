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
  std::wstring temporary_name;
  FileHandle file =
      CreateTemporaryBeside(file_name, storable ? storable : FILE_ATTRIBUTE_NORMAL, temporary_name);
  if (!file.Valid()) return nullptr;
  FILETIME last_write{};
  const bool has_time = utc_time && DosRoundedFileTime(*utc_time, last_write);
  if (has_time && !SetFileTime(file.Get(), nullptr, nullptr, &last_write)) {
    const DWORD error = GetLastError();
    file.Close();
    RemoveFile(temporary_name);
    SetLastError(error);
    return nullptr;
  }
  return new TMyStreamWriter(std::move(file), file_name, std::move(temporary_name),
                             has_time ? &last_write : nullptr);
}

TMyStreamWriter::TMyStreamWriter(FileHandle file, std::wstring file_name,
                                 std::wstring temporary_name, const FILETIME* last_write)
    : file_(std::move(file)),
      file_name_(std::move(file_name)),
      temporary_name_(std::move(temporary_name)),
      has_time_(last_write != nullptr) {
  if (last_write) last_write_ = *last_write;
}

TMyStreamWriter::~TMyStreamWriter() { DiscardLocked(); }

DWORD TMyStreamWriter::WriteError() {
  Lock lock(lock_);
  return last_error_;
}

bool TMyStreamWriter::Commit(DWORD& error) {
  Lock lock(lock_);
  error = last_error_;
  if (error == 0 && temporary_name_.empty()) error = ERROR_INVALID_HANDLE;
  if (error != 0) {
    DiscardLocked();
    return false;
  }
  // Writes after the time was set may have moved it again on some systems.
  if (has_time_ && written_) SetFileTime(file_.Get(), nullptr, nullptr, &last_write_);
  file_.Close();
  if (!MoveIntoPlace(temporary_name_, file_name_)) {
    error = GetLastError();
    if (error == 0) error = ERROR_WRITE_FAULT;
    DiscardLocked();
    return false;
  }
  temporary_name_.clear();
  return true;
}

void TMyStreamWriter::Discard() {
  Lock lock(lock_);
  DiscardLocked();
}

void TMyStreamWriter::DiscardLocked() {
  file_.Close();
  // The temporary file is this writer's own, made with CREATE_NEW.
  if (!temporary_name_.empty()) RemoveFile(temporary_name_);
  temporary_name_.clear();
}

void* TMyStreamWriter::Lookup(REFIID iid) {
  if (iid == IID_Unknown || iid == IID_ISequentialOutStream || iid == IID_IOutStream) {
    return static_cast<IOutStream*>(this);
  }
  return nullptr;
}

HRESULT TMyStreamWriter::Write(const void* data, UINT32 size, UINT32* processed) {
  Lock lock(lock_);
  if (last_error_ != 0) {
    if (processed) *processed = 0;
    return S_FALSE;
  }
  // A short write is retried for the rest: the retry learns the reason (a
  // full disk) that the short write did not give.
  DWORD count = 0;
  bool ok = SeekTo(file_.Get(), position_);
  while (ok && count < size) {
    DWORD part = 0;
    ok = WriteFile(file_.Get(), static_cast<const char*>(data) + count, size - count, &part,
                   nullptr) &&
         part > 0;
    count += part;
  }
  if (!ok) {
    last_error_ = GetLastError();
    if (last_error_ == 0) last_error_ = ERROR_WRITE_FAULT;
    count = 0;
    // Gives the disk back at once; the older file was never touched.
    DiscardLocked();
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
