#pragma once

#include "sevenzip/archive_interfaces.h"
#include "sevenzip/critical_section.h"
#include "sevenzip/file_system.h"
#include "sevenzip/interfaced_object.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace sevenzip {

// One extracted file as the library writes it. The file is created (an
// existing one replaced) with the item's attributes and last-write time; the
// library may write from its own threads, so one lock serialises the calls.
// A failed write (a full disk) removes the file at once, so that no cut-off
// file stays under the item's name, and calls `on_write_failure` once.
class TMyStreamWriter final : public TInterfacedObject<TMyStreamWriter, IOutStream> {
 public:
  // Null when the file cannot be created or its time cannot be set.
  static TMyStreamWriter* Create(const std::wstring& file_name, const FILETIME* utc_time,
                                 DWORD attributes, std::function<void()> on_write_failure = {});
  ~TMyStreamWriter() override;

  HRESULT STDMETHODCALLTYPE Write(const void* data, UINT32 size, UINT32* processed) override;
  HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 origin, UINT64* new_position) override;
  HRESULT STDMETHODCALLTYPE SetSize(UINT64 size) override;

  void* Lookup(REFIID iid);

 private:
  TMyStreamWriter(FileHandle file, std::wstring file_name, const FILETIME* last_write,
                  std::function<void()> on_write_failure);
  void DropPartialFile();

  FileHandle file_;
  std::wstring file_name_;
  std::function<void()> on_write_failure_;
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
