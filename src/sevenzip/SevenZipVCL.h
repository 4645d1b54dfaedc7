#pragma once

// TSevenZip: the non-visual 7z archive component. It loads 7za.dll when it is
// built and extracts archives (plain, numbered volumes, self-extracting .EXE)
// through the library's own objects; see Extract.

#include "common/errors.h"
#include "framework/component.h"
#include "sevenzip/result_codes.h"

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sevenzip {
class CallerThread;
class ExtractJob;
class TMyArchiveExtractCallback;
class TMyArchiveOpenCallback;
class TMyStreamReader;
struct IInArchive;
}  // namespace sevenzip

// A set of up to eight enumeration values, bit n for the n-th value.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E value : values) Include(value);
  }
  constexpr bool Contains(E value) const {
    return (bits_ >> static_cast<unsigned>(value) & 1u) != 0;
  }
  constexpr void Include(E value) {
    bits_ = static_cast<std::uint8_t>(bits_ | 1u << static_cast<unsigned>(value));
  }
  constexpr void Exclude(E value) {
    bits_ = static_cast<std::uint8_t>(bits_ & ~(1u << static_cast<unsigned>(value)));
  }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  constexpr bool operator==(const TSet&) const = default;

 private:
  std::uint8_t bits_ = 0;
};

enum TCompressType : std::uint8_t { LZMA, PPMD };
enum TCompressStrength : std::uint8_t { SAVE, FAST, NORMAL, MAXIMUM, ULTRA };
using TLZMAStrength = std::uint8_t;  // 0..27
using TPPMDMem = std::uint8_t;       // 1..31
using TPPMDSize = std::uint8_t;      // 2..32
enum AddOptsEnum : std::uint8_t {
  AddRecurseDirs,
  AddSolid,
  AddStoreOnlyFilename,
  AddIncludeDriveLetter,
  AddEncryptFilename
};
using AddOpts = TSet<AddOptsEnum>;
enum ExtractOptsEnum : std::uint8_t { ExtractNoPath, ExtractOverwrite };
using ExtractOpts = TSet<ExtractOptsEnum>;

// Items selected for the next job, read by index first to last.
class TWideStringList {
 public:
  void Add(const std::wstring& text) { strings_.push_back(text); }
  void Clear() { strings_.clear(); }
  int Count() const { return static_cast<int>(strings_.size()); }
  const std::wstring& Strings(int index) const {
    return strings_.at(static_cast<std::size_t>(index));
  }

 private:
  std::vector<std::wstring> strings_;
};

// Events; every one but TOpenVolume gets the component as Sender.
using T7zListfileEvent =
    std::function<void(TComponent* Sender, const std::wstring& Filename, std::int64_t Fileindex,
                       std::int64_t FileSizeU, std::int64_t FileSizeP, std::int64_t Fileattr,
                       std::int64_t Filecrc, const std::wstring& Filemethod, double FileTime)>;
using T7zAddFileEvent =
    std::function<void(TComponent* Sender, const std::wstring& Filename, std::int64_t Filesize)>;
using T7zExtractfileEvent =
    std::function<void(TComponent* Sender, const std::wstring& Filename, std::int64_t Filesize)>;
using T7zProgressEvent = std::function<void(TComponent* Sender, const std::wstring& Filename,
                                            std::int64_t FilePosArc, std::int64_t FilePosFile)>;
using T7zPreProgressEvent = std::function<void(TComponent* Sender, std::int64_t MaxProgress)>;
using T7zMessageEvent = std::function<void(
    TComponent* Sender, int ErrCode, const std::string& Message, const std::wstring& Filename)>;
using T7zSetNewNameEvent =
    std::function<void(TComponent* Sender, std::uint32_t FileIndex, std::wstring& OldFileName)>;
using T7zExtractOverwrite =
    std::function<void(TComponent* Sender, const std::wstring& FileName, bool& DoOverwrite)>;
using T7zNoteEvent =
    std::function<void(TComponent* Sender, const std::string& Note, const std::wstring& Filename)>;
using TOpenVolume = std::function<void(std::wstring& arcFileName, bool Removable, bool& Cancel)>;

// Where the component looks for 7za.dll, in order, by full path: beside the
// program, then in the system folder.
std::vector<std::wstring> SevenZipLibraryPlaces();

// Raised by the constructor when 7za.dll or its CreateObject entry is missing.
class ESevenZipLoadError : public Error {
 public:
  ESevenZipLoadError();
};

class TSevenZip : public TComponent {
 public:
  explicit TSevenZip(TComponent* AOwner);
  ~TSevenZip() override;

  // Extracts the items of `Files` (all when empty) of the archive `SZFileName`
  // into `ExtrBaseDir`, or only tests them. Returns the library's result
  // (0 = success) or -1 when the job stopped before extracting. Every event
  // reaches its handler on the calling thread, inside this call.
  int Extract(bool TestMode);

  // Properties, in their published order.
  std::wstring AddRootDir;
  bool SFXCreate() const { return sfx_create_; }
  void SetSFXCreate(bool value);
  std::wstring SFXModule = L"7z.sfx";
  AddOpts AddOptions;
  ExtractOpts ExtractOptions;
  std::wstring ExtrBaseDir;
  TCompressType LZMACompressType = LZMA;
  TCompressStrength LZMACompressStrength = SAVE;
  TLZMAStrength LZMAStrength = 0;
  TPPMDMem LPPMDmem = 30;
  TPPMDSize LPPMDsize = 10;
  std::wstring SZFileName;
  int NumberOfFiles = -1;
  int VolumeSize() const { return volume_size_; }
  void SetVolumeSize(int value);
  std::wstring Password;

  T7zListfileEvent OnListfile;
  T7zAddFileEvent OnAddfile;
  T7zExtractfileEvent OnExtractfile;
  T7zProgressEvent OnProgress;
  T7zPreProgressEvent OnPreProgress;
  T7zMessageEvent OnMessage;
  // What was done with an item that is no failure either (an anti-item).
  T7zNoteEvent OnNote;
  T7zSetNewNameEvent OnSetAddName;
  T7zSetNewNameEvent OnSetExtractName;
  T7zExtractOverwrite OnExtractOverwrite;
  TOpenVolume OnOpenVolume;

  TWideStringList Files;

  // Code of the last failure or per-item result (see result_codes.h).
  int LastResultCode() const { return last_result_code_; }
  // Why, in words, for the message OnMessage is raising (empty when the
  // code's own text says it all); read it inside the handler.
  const std::string& MessageReason() const { return message_reason_; }
  // Items of the last job that failed (codes 2, 3, 4 and 11).
  std::uint32_t FailedItems() const { return failed_items_; }
  // Asks a running job to stop at its next callback; a host sets it between callbacks.
  void Cancel() { cancel_request_ = true; }
  bool CancelRequested() const { return cancel_request_; }
  // Where the 7z data of the last ".EXE" archive starts.
  bool SFXFound() const { return sfx_found_; }
  // Files the last job extracted whole, and their bytes.
  std::uint32_t ExtractedFiles() const { return extracted_files_; }
  std::uint64_t ExtractedBytes() const { return extracted_bytes_; }
  // Files (not folders) the last job was to extract: the selected items, or
  // every file of the archive; 0 when it stopped before extracting.
  std::uint32_t JobFiles() const { return job_files_; }
  std::uint64_t SFXOffset() const { return sfx_offset_; }

 private:
  friend class sevenzip::ExtractJob;
  friend class sevenzip::TMyArchiveExtractCallback;
  friend class sevenzip::TMyArchiveOpenCallback;
  friend class sevenzip::TMyStreamReader;

  void ReleaseLibraryObjects();
  // Sets the last result code and raises OnMessage with the code's text.
  void Report(int code, const std::wstring& file_name, const std::string& reason = {});
  void Note(const std::string& note, const std::wstring& file_name);
  // Runs a handler call on the thread that called Extract.
  void OnCallerThread(const std::function<void()>& call);
  // Finds the 7z data of an ".EXE" archive; sets the SFX state.
  void DetectSFX(const std::wstring& file_name);

  HMODULE library_ = nullptr;
  FARPROC create_entry_ = nullptr;
  sevenzip::IInArchive* in_archive_ = nullptr;
  IUnknown* out_archive_ = nullptr;
  IUnknown* set_properties_ = nullptr;
  bool sfx_create_ = false;
  int volume_size_ = 0;
  std::uint64_t sfx_module_size_ = 0;
  std::atomic<int> last_result_code_{0};
  std::atomic<bool> cancel_request_{false};
  bool sfx_found_ = false;
  std::uint64_t sfx_offset_ = 0;
  std::uint32_t extracted_files_ = 0;
  std::uint32_t failed_items_ = 0;
  std::string message_reason_;
  std::uint64_t extracted_bytes_ = 0;
  std::uint32_t job_files_ = 0;
  sevenzip::CallerThread* caller_thread_ = nullptr;
};
