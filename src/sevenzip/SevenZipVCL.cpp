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

// A module's full file name; empty when the system cannot tell it.
std::wstring ModuleFileName(HMODULE module) {
  if (PlatformIsWide()) {
    wchar_t name[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(module, name, MAX_PATH * 4);
    return length > 0 && length < MAX_PATH * 4 ? std::wstring(name, length) : std::wstring();
  }
  char name[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameA(module, name, sizeof name);
  return length > 0 && length < sizeof name ? FromAnsi(std::string_view(name, length))
                                            : std::wstring();
}

std::wstring SystemFolderName() {
  if (PlatformIsWide()) {
    wchar_t name[MAX_PATH * 2];
    const UINT length = GetSystemDirectoryW(name, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(name, length) : std::wstring();
  }
  char name[MAX_PATH * 2];
  const UINT length = GetSystemDirectoryA(name, sizeof name);
  return length > 0 && length < sizeof name ? FromAnsi(std::string_view(name, length))
                                            : std::wstring();
}

// Loads a library by its full path only: no search of any folder.
HMODULE LoadByFullPath(const std::wstring& path) {
  return PlatformIsWide() ? LoadLibraryW(path.c_str()) : LoadLibraryA(ToAnsi(path).c_str());
}

// The library: one the process has loaded already (its own choice, as a
// host or a test that picks a library version does), else the first of the
// places, each by its full path. Never a bare name: the current folder and
// PATH are writable by whoever started the program, and a library found
// there would run inside a setup program.
HMODULE LoadSevenZipLibrary() {
  if (const HMODULE loaded = GetModuleHandleA("7za.dll")) {
    const std::wstring name = ModuleFileName(loaded);
    // Loading it again by its own name counts one more reference.
    if (!name.empty()) return LoadByFullPath(name);
  }
  for (const std::wstring& place : SevenZipLibraryPlaces()) {
    if (const HMODULE module = LoadByFullPath(place)) return module;
  }
  return nullptr;
}

}  // namespace

std::vector<std::wstring> SevenZipLibraryPlaces() {
  std::vector<std::wstring> places;
  const std::wstring program = ModuleFileName(nullptr);
  const std::size_t slash = program.find_last_of(L"\\/");
  if (slash != std::wstring::npos) places.push_back(program.substr(0, slash + 1) + L"7za.dll");
  const std::wstring system = SystemFolderName();
  if (!system.empty()) places.push_back(system + L"\\7za.dll");
  return places;
}

ESevenZipLoadError::ESevenZipLoadError()
    : Error("Could not load CreateObject function from 7za.dll\r\nPerhaps 7za.dll not found") {}

TSevenZip::TSevenZip(TComponent* AOwner) : TComponent(AOwner) {
  library_ = LoadSevenZipLibrary();
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

void TSevenZip::Report(int code, const std::wstring& file_name, const std::string& reason) {
  last_result_code_ = code;
  if (code == kDataError || code == kCRCError || code == kUnsupportedMethod ||
      code == kCouldNotCreateFile) {
    ++failed_items_;
  }
  message_reason_ = reason;
  if (OnMessage) OnCallerThread([&] { OnMessage(this, code, ResultMessage(code), file_name); });
  message_reason_.clear();
}

void TSevenZip::Note(const std::string& note, const std::wstring& file_name) {
  if (OnNote) OnCallerThread([&] { OnNote(this, note, file_name); });
}

void TSevenZip::OnCallerThread(const std::function<void()>& call) {
  if (caller_thread_) {
    caller_thread_->Run(call);
  } else {
    call();
  }
}
