#pragma once

#include "sevenzip/archive_interfaces.h"
#include "sevenzip/critical_section.h"
#include "sevenzip/file_system.h"
#include "sevenzip/interfaced_object.h"

#include <cstdint>
#include <string>

namespace sevenzip {

// One extracted file as the library writes it. The content goes to a new
// temporary file beside the target, with the item's attributes and
// last-write time; only Commit puts the whole file in the target's place.
// Until then an older file of that name stays byte for byte: a failed write
// (a full disk), a damaged item or an ended job removes the temporary file
// and nothing else. The library may write from its own threads, so one lock
// serialises the calls.
class TMyStreamWriter final : public TInterfacedObject<TMyStreamWriter, IOutStream> {
 public:
  // Null when no temporary file can be made or its time cannot be set; the
  // last error then says why.
  static TMyStreamWriter* Create(const std::wstring& file_name, const FILETIME* utc_time,
                                 DWORD attributes);
  ~TMyStreamWriter() override;

  HRESULT STDMETHODCALLTYPE Write(const void* data, UINT32 size, UINT32* processed) override;
  HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 origin, UINT64* new_position) override;
  HRESULT STDMETHODCALLTYPE SetSize(UINT64 size) override;

  void* Lookup(REFIID iid);

  // The system error of the first failed write; 0 while every write went well.
  DWORD WriteError();
  // Puts the whole new file in the target's place. False, with the system's
  // error, when it cannot; the older file then stays as it was.
  bool Commit(DWORD& error);
  // Drops the new file; an older one stays as it was.
  void Discard();

 private:
  TMyStreamWriter(FileHandle file, std::wstring file_name, std::wstring temporary_name,
                  const FILETIME* last_write);
  void DiscardLocked();

  FileHandle file_;
  std::wstring file_name_;
  std::wstring temporary_name_;  // empty once committed or discarded
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
