#include "sevenzip/stream_reader.h"

#include "sevenzip/archive_rules.h"

#include <commdlg.h>

#include <algorithm>

namespace sevenzip {

TMyStreamReader::TMyStreamReader(TSevenZip* owner, const std::wstring& file_name, bool multi_volume)
    : owner_(owner),
      file_name_(file_name),
      volume_handler_(owner->OnOpenVolume),
      multi_volume_(multi_volume),
      sfx_found_(owner->sfx_found_) {
  if (sfx_found_) position_ = static_cast<std::int64_t>(owner->sfx_offset_);
  TFiles first;
  first.name = file_name;
  first.handle = OpenForReading(file_name);
  if (first.handle.Valid()) first.size = std::max<std::int64_t>(EndPosition(first.handle.Get()), 0);
  first.removable = OnRemovableDrive(file_name);
  volumes_.push_back(std::move(first));
  // A name that is neither numbered nor followed by numbered volumes is one
  // file, whose size the library needs when it opens the archive.
  if (!multi_volume_ || (!VolumeNumberOf(file_name) && !sfx_found_)) {
    multi_volume_ = false;
    volumes_known_ = true;
    total_size_ = volumes_[0].size;
  }
}

TMyStreamReader::~TMyStreamReader() = default;

void* TMyStreamReader::Lookup(REFIID iid) {
  if (iid == IID_Unknown || iid == IID_ISequentialInStream || iid == IID_IInStream) {
    return static_cast<IInStream*>(this);
  }
  if (iid == IID_IStreamGetSize) return static_cast<IStreamGetSize*>(this);
  return nullptr;
}

int TMyStreamReader::LastVolumeNumber() const {
  const std::optional<int> first = VolumeNumberOf(file_name_);
  int last = first.value_or(1);
  while (last < 0x7FFFFFFF && FileExists(VolumeName(file_name_, last + 1, sfx_found_))) ++last;
  return last;
}

bool TMyStreamReader::FindVolumes() {
  // Asks the host at most once per set: a refused volume stays refused.
  if (search_failed_) return false;
  const int last = LastVolumeNumber();
  std::int64_t total = volumes_[0].size;
  for (int n = 2; n <= last; ++n) {
    if (!OpenVolume(n)) {
      search_failed_ = true;
      return false;
    }
    TFiles& volume = volumes_[static_cast<std::size_t>(n - 1)];
    total += volume.size;
    // Measured once; reopened when a read reaches it.
    volume.handle.Close();
  }
  volumes_.resize(static_cast<std::size_t>(last));
  total_size_ = total;
  volumes_known_ = true;
  return true;
}

bool TMyStreamReader::AskForVolume(TFiles& volume) {
  bool supplied = false;
  owner_->OnCallerThread([&] {
    if (volume_handler_) {
      bool cancel = false;
      volume_handler_(volume.name, volume.removable, cancel);
      supplied = !cancel;
    } else {
      supplied = SelectVolumeDialog(L"Select volume", volume.name);
    }
  });
  if (!supplied) volume.name.clear();
  return supplied;
}

bool TMyStreamReader::OpenVolume(int n) {
  if (n < 1) return false;
  if (volumes_.size() < static_cast<std::size_t>(n)) volumes_.resize(static_cast<std::size_t>(n));
  TFiles& volume = volumes_[static_cast<std::size_t>(n - 1)];
  if (volume.handle.Valid()) return true;
  if (volume.name.empty()) {
    volume.name = VolumeName(file_name_, n, sfx_found_);
    volume.removable = volumes_[0].removable;
  }
  for (;;) {
    volume.handle = OpenForReading(volume.name);
    if (volume.handle.Valid()) break;
    if (!AskForVolume(volume)) return false;
  }
  volume.size = std::max<std::int64_t>(EndPosition(volume.handle.Get()), 0);
  SeekTo(volume.handle.Get(), 0);
  return volume.size > 0;
}

UINT32 TMyStreamReader::ReadSpanning(unsigned char* data, UINT32 size) {
  UINT32 count = 0;
  std::int64_t volume_start = 0;
  std::size_t index = 0;
  while (index < volumes_.size() && volume_start + volumes_[index].size <= position_) {
    volume_start += volumes_[index].size;
    ++index;
  }
  while (count < size && index < volumes_.size()) {
    if (!OpenVolume(static_cast<int>(index + 1))) {
      last_error_ = last_error_ ? last_error_ : ERROR_FILE_NOT_FOUND;
      return 0;
    }
    TFiles& volume = volumes_[index];
    const std::int64_t offset = position_ + count - volume_start;
    const UINT32 chunk =
        static_cast<UINT32>(std::min<std::int64_t>(size - count, volume.size - offset));
    DWORD done = 0;
    if (!SeekTo(volume.handle.Get(), offset) ||
        !ReadFile(volume.handle.Get(), data + count, chunk, &done, nullptr)) {
      last_error_ = GetLastError();
      return 0;
    }
    count += done;
    if (done < chunk) break;
    if (count < size) {
      // Keeps one volume open at a time: sets may span removable disks.
      if (index > 0) volume.handle.Close();
      volume_start += volume.size;
      ++index;
    }
  }
  return count;
}

HRESULT TMyStreamReader::Read(void* data, UINT32 size, UINT32* processed) {
  Lock lock(lock_);
  if (processed) *processed = 0;
  last_error_ = 0;
  if (multi_volume_ && !volumes_known_ && position_ + size > volumes_[0].size && !FindVolumes())
    return S_FALSE;
  UINT32 count = 0;
  if (position_ < total_size_ || !volumes_known_) {
    count = ReadSpanning(static_cast<unsigned char*>(data), size);
  }
  position_ += count;
  if (processed) *processed = count;
  return last_error_ != 0 ? S_FALSE : S_OK;
}

HRESULT TMyStreamReader::Seek(INT64 offset, UINT32 origin, UINT64* new_position) {
  Lock lock(lock_);
  std::int64_t target = 0;
  switch (origin) {
    case STREAM_SEEK_SET:
      target = offset;
      break;
    case STREAM_SEEK_CUR:
      target = position_ + offset;
      break;
    case STREAM_SEEK_END:
      if (!volumes_known_ && !FindVolumes()) return S_FALSE;
      target = total_size_ + offset;
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  if (target < 0) return HRESULT_FROM_WIN32(ERROR_NEGATIVE_SEEK);
  position_ = target;
  if (new_position) *new_position = static_cast<UINT64>(position_);
  return S_OK;
}

HRESULT TMyStreamReader::GetSize(UINT64* size) {
  Lock lock(lock_);
  if (!volumes_known_ && !FindVolumes()) return S_FALSE;
  if (size) *size = static_cast<UINT64>(total_size_);
  return S_OK;
}

namespace {

// The same dialog through the ANSI function, the one that works on 9x.
bool SelectVolumeDialogAnsi(const std::wstring& caption, std::wstring& name) {
  const std::string filter = ToAnsi(VolumeDialogFilter(name));
  const std::string folder = ToAnsi(FolderPart(name));
  const std::string title = ToAnsi(caption);
  char chosen[260] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = 260;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameA(&dialog)) return false;
  name = FromAnsi(chosen);
  return true;
}

}  // namespace

bool SelectVolumeDialog(const std::wstring& caption, std::wstring& name) {
  if (!WideMode()) return SelectVolumeDialogAnsi(caption, name);
  const std::wstring filter = VolumeDialogFilter(name);
  const std::wstring folder = FolderPart(name);
  wchar_t chosen[260] = {};
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = 260;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = caption.c_str();
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&dialog)) return false;
  name = chosen;
  return true;
}

}  // namespace sevenzip
