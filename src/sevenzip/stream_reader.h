#pragma once

#include "sevenzip/SevenZipVCL.h"
#include "sevenzip/archive_interfaces.h"
#include "sevenzip/critical_section.h"
#include "sevenzip/file_system.h"
#include "sevenzip/interfaced_object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sevenzip {

// One volume file of a reader.
struct TFiles {
  std::wstring name;
  FileHandle handle;
  std::int64_t size = 0;
  bool removable = false;
};
using TArrayOfFiles = std::vector<TFiles>;

// The archive as the library reads it: one file, a numbered volume set
// (name.001, name.002, ...) or the 7z data inside an ".EXE". Positions are
// absolute in the file (after an SFX module they start at the SFX offset).
// The library may read from several threads; one lock serialises the calls.
class TMyStreamReader final : public TInterfacedObject<TMyStreamReader, IInStream, IStreamGetSize> {
 public:
  TMyStreamReader(TSevenZip* owner, const std::wstring& file_name, bool multi_volume);
  ~TMyStreamReader() override;

  HRESULT STDMETHODCALLTYPE Read(void* data, UINT32 size, UINT32* processed) override;
  HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 origin, UINT64* new_position) override;
  HRESULT STDMETHODCALLTYPE GetSize(UINT64* size) override;

  void* Lookup(REFIID iid);

 private:
  // Finds the last volume and the total size; false when a volume of the set
  // cannot be had.
  bool FindVolumes();
  int LastVolumeNumber() const;
  // Opens volume n (1-based), asking the host for a missing one.
  bool OpenVolume(int n);
  bool AskForVolume(TFiles& volume);
  UINT32 ReadSpanning(unsigned char* data, UINT32 size);

  TSevenZip* owner_;
  std::wstring file_name_;
  std::int64_t position_ = 0;
  std::int64_t total_size_ = 0;
  TOpenVolume volume_handler_;
  bool multi_volume_;
  bool volumes_known_ = false;
  bool search_failed_ = false;
  bool sfx_found_;
  DWORD last_error_ = 0;
  TArrayOfFiles volumes_;
  CriticalSection lock_;
};

// The volume-selection dialog: true with the chosen path in `name`.
bool SelectVolumeDialog(const std::wstring& caption, std::wstring& name);

}  // namespace sevenzip
