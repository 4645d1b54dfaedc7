#pragma once

// The 7-Zip library's object interfaces, declared from their published
// identifiers and slot orders. Every method is stdcall and returns an HRESULT.

#include <windows.h>
#include <objbase.h>
#include <propidl.h>

#include <cstdint>

namespace sevenzip {

// {23170F69-40C1-278A-xxxx-xxxxxxxxxxxx}: the library's GUID family.
constexpr GUID LibraryGuid(unsigned short d3, unsigned char b2, unsigned char b3, unsigned char b4,
                           unsigned char b5, unsigned char b6, unsigned char b7) {
  return GUID{0x23170F69,
              0x40C1,
              0x278A,
              {static_cast<unsigned char>(d3 >> 8), static_cast<unsigned char>(d3), b2, b3, b4, b5,
               b6, b7}};
}

// IUnknown's own identifier, kept here: libuuid's copy brings a table of
// unrelated identifiers with it.
constexpr GUID IID_Unknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

constexpr GUID CLSID_Format7z = LibraryGuid(0x1000, 0x00, 0x01, 0x10, 0x07, 0x00, 0x00);
constexpr GUID IID_IInArchive = LibraryGuid(0x0000, 0x00, 0x06, 0x00, 0x60, 0x00, 0x00);
constexpr GUID IID_IOutArchive = LibraryGuid(0x0000, 0x00, 0x06, 0x00, 0xA0, 0x00, 0x00);
constexpr GUID IID_ISetProperties = LibraryGuid(0x0000, 0x00, 0x06, 0x00, 0x03, 0x00, 0x00);
constexpr GUID IID_ISequentialInStream = LibraryGuid(0x0000, 0x00, 0x03, 0x00, 0x01, 0x00, 0x00);
constexpr GUID IID_IInStream = LibraryGuid(0x0000, 0x00, 0x03, 0x00, 0x03, 0x00, 0x00);
constexpr GUID IID_IStreamGetSize = LibraryGuid(0x0000, 0x00, 0x03, 0x00, 0x06, 0x00, 0x00);
constexpr GUID IID_ISequentialOutStream = LibraryGuid(0x0000, 0x00, 0x03, 0x00, 0x02, 0x00, 0x00);
constexpr GUID IID_IOutStream = LibraryGuid(0x0000, 0x00, 0x03, 0x00, 0x04, 0x00, 0x00);
constexpr GUID IID_ICryptoGetTextPassword = LibraryGuid(0x0000, 0x00, 0x05, 0x00, 0x10, 0x00, 0x00);
constexpr GUID IID_IArchiveOpenCallback = LibraryGuid(0x0000, 0x00, 0x06, 0x00, 0x10, 0x00, 0x00);
constexpr GUID IID_IArchiveExtractCallback =
    LibraryGuid(0x0000, 0x00, 0x06, 0x00, 0x20, 0x00, 0x00);
constexpr GUID IID_IProgress = LibraryGuid(0x0000, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00);

// Item property identifiers.
enum : PROPID {
  kpidPath = 3,
  kpidIsDir = 6,
  kpidSize = 7,
  kpidAttrib = 9,
  kpidMTime = 12,
  kpidIsAnti = 21
};

// Ask modes of GetStream / PrepareOperation.
enum : std::int32_t { kAskExtract = 0, kAskTest = 1, kAskSkip = 2 };

// Per-item operation results.
enum : std::int32_t {
  kResultOK = 0,
  kResultUnsupportedMethod = 1,
  kResultDataError = 2,
  kResultCRCError = 3
};

// COM interfaces are released, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

struct ISequentialInStream : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Read(void* data, UINT32 size, UINT32* processed) = 0;
};

struct IInStream : ISequentialInStream {
  virtual HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 origin, UINT64* new_position) = 0;
};

struct IStreamGetSize : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetSize(UINT64* size) = 0;
};

struct ISequentialOutStream : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Write(const void* data, UINT32 size, UINT32* processed) = 0;
};

struct IOutStream : ISequentialOutStream {
  virtual HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 origin, UINT64* new_position) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSize(UINT64 size) = 0;
};

struct ICryptoGetTextPassword : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) = 0;
};

struct IProgress : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetTotal(UINT64 total) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* completed) = 0;
};

struct IArchiveOpenCallback : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetTotal(const UINT64* files, const UINT64* bytes) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* files, const UINT64* bytes) = 0;
};

struct IArchiveExtractCallback : IProgress {
  virtual HRESULT STDMETHODCALLTYPE GetStream(UINT32 index, ISequentialOutStream** stream,
                                              INT32 ask_mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE PrepareOperation(INT32 ask_mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetOperationResult(INT32 result) = 0;
};

struct IInArchive : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Open(IInStream* stream, const UINT64* max_check_start,
                                         IArchiveOpenCallback* callback) = 0;
  virtual HRESULT STDMETHODCALLTYPE Close() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNumberOfItems(UINT32* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetProperty(UINT32 index, PROPID property,
                                                PROPVARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Extract(const UINT32* indices, UINT32 count, INT32 test_mode,
                                            IArchiveExtractCallback* callback) = 0;
};

struct ISetProperties : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetProperties(const wchar_t* const* names,
                                                  const PROPVARIANT* values, UINT32 count) = 0;
};

#pragma GCC diagnostic pop

// The library's one export.
using CreateObjectFunc = HRESULT(WINAPI*)(const GUID* class_id, const GUID* interface_id,
                                          void** object);

}  // namespace sevenzip
