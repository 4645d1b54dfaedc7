#pragma once

#include "sevenzip/archive_interfaces.h"
#include "sevenzip/critical_section.h"
#include "sevenzip/file_system.h"
#include "sevenzip/interfaced_object.h"

#include <cstdint>
#include <memory>
#include <string>

namespace sevenzip {

// One extracted file as the library writes it. The file is created (an
// existing one replaced) with the item's attributes and last-write time; the
// library may write from its own threads, so one lock serialises the calls.
class TMyStreamWriter final : public TInterfacedObject<TMyStreamWriter, IOutStream> {
 public:
  // Null when the file cannot be created or its time cannot be set.
  static TMyStreamWriter* Create(const std::wstring& file_name, const FILETIME* utc_time,
                                 DWORD attributes);
  ~TMyStreamWriter() override;

  HRESULT STDMETHODCALLTYPE Write(const void* data, UINT32 size, UINT32* processed) override;
  HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 origin, UINT64* new_position) override;
  HRESULT STDMETHODCALLTYPE SetSize(UINT64 size) override;

  void* Lookup(REFIID iid);

 private:
  TMyStreamWriter(FileHandle file, const FILETIME* last_write);

  FileHandle file_;
  bool has_time_;
  FILETIME last_write_{};
  bool written_ = false;
  std::int64_t position_ = 0;
  std::int64_t size_ = 0;
  DWORD last_error_ = 0;
  CriticalSection lock_;
};

// The last-write time (UTC) a file gets for an item time: the local time of
// the item, to the DOS format's two seconds. False when the item has no time
// or one no DOS date can hold (before 1980, after 2107).
bool DosRoundedFileTime(const FILETIME& item_utc, FILETIME& result);

}  // namespace sevenzip
