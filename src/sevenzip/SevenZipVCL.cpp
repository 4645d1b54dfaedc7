#include "sevenzip/SevenZipVCL.h"

#include "sevenzip/archive_callbacks.h"
#include "sevenzip/archive_interfaces.h"
#include "sevenzip/caller_thread.h"
#include "sevenzip/file_system.h"
#include "sevenzip/stream_reader.h"

#include <algorithm>

using namespace sevenzip;

namespace {

// The library's multi-threaded LZMA2 decoder (7-Zip 26.03, both widths)
// crashes on some damaged multi-chunk streams: a worker thread decodes with
// tables it never allocated. A damaged package must end with a code, never
// take down an unattended setup, so every archive is decoded on one thread.
void DecodeOnOneThread(IInArchive* archive) {
  ISetProperties* properties = nullptr;
  if (!archive ||
      archive->QueryInterface(IID_ISetProperties, reinterpret_cast<void**>(&properties)) != S_OK ||
      !properties) {
    return;
  }
  const wchar_t* const names[] = {L"mt"};
  PROPVARIANT threads{};
  threads.vt = VT_UI4;
  threads.ulVal = 1;
  properties->SetProperties(names, &threads, 1);
  properties->Release();
}

}  // namespace

ESevenZipLoadError::ESevenZipLoadError()
    : Error("Could not load CreateObject function from 7za.dll\r\nPerhaps 7za.dll not found") {}

TSevenZip::TSevenZip(TComponent* AOwner) : TComponent(AOwner) {
  library_ = LoadLibraryA("7za.dll");
  if (library_) create_entry_ = GetProcAddress(library_, "CreateObject");
  if (!create_entry_) {
    if (library_) FreeLibrary(library_);
    library_ = nullptr;
    throw ESevenZipLoadError();
  }
  const auto create = reinterpret_cast<CreateObjectFunc>(reinterpret_cast<void*>(create_entry_));
  create(&CLSID_Format7z, &IID_IInArchive, reinterpret_cast<void**>(&in_archive_));
  DecodeOnOneThread(in_archive_);
  create(&CLSID_Format7z, &IID_IOutArchive, reinterpret_cast<void**>(&out_archive_));
  create(&CLSID_Format7z, &IID_ISetProperties, reinterpret_cast<void**>(&set_properties_));
  SetWideMode(PlatformIsWide());
}

TSevenZip::~TSevenZip() {
  ReleaseLibraryObjects();
  if (library_) FreeLibrary(library_);
}

void TSevenZip::ReleaseLibraryObjects() {
  for (IUnknown** object :
       {reinterpret_cast<IUnknown**>(&in_archive_), &out_archive_, &set_properties_}) {
    if (*object) (*object)->Release();
    *object = nullptr;
  }
}

void TSevenZip::SetSFXCreate(bool value) {
  sfx_create_ = false;
  if (!value) return;
  std::uint64_t size = 0;
  const FileHandle module = OpenForReading(SFXModule);
  if (module.Valid())
    size = static_cast<std::uint32_t>(std::max<std::int64_t>(EndPosition(module.Get()), 0));
  if (size == 0) return;
  if (volume_size_ > 0 && static_cast<std::uint64_t>(volume_size_) < size + 7) {
    volume_size_ = static_cast<int>(size + 7);
  }
  sfx_module_size_ = size;
  sfx_create_ = true;
}

void TSevenZip::SetVolumeSize(int value) {
  if (sfx_create_ && value > 0 && static_cast<std::uint64_t>(value) < sfx_module_size_) {
    volume_size_ = static_cast<int>(sfx_module_size_ + 7);
  } else {
    volume_size_ = value;
  }
}

void TSevenZip::Report(int code, const std::wstring& file_name) {
  last_result_code_ = code;
  if (OnMessage) OnCallerThread([&] { OnMessage(this, code, ResultMessage(code), file_name); });
}

void TSevenZip::OnCallerThread(const std::function<void()>& call) {
  if (caller_thread_) {
    caller_thread_->Run(call);
  } else {
    call();
  }
}
