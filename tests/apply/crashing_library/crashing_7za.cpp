// A 7za.dll that dies, as a user's own library with a fault of its own
// might: opening an archive starts a thread that writes through a null
// pointer. The unpacker's crash guard must end the run with its last line.
#include "sevenzip/archive_interfaces.h"

using namespace sevenzip;

// Exported, so that a test can tell where the fault lies in this module.
extern "C" __declspec(dllexport) __attribute__((noinline)) DWORD WINAPI FaultingThread(void*) {
  volatile int* volatile nowhere = nullptr;
  *nowhere = 1;
  return 0;
}

namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class CrashingArchive final : public IInArchive {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&count_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&count_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE Open(IInStream*, const UINT64*, IArchiveOpenCallback*) override {
    DWORD id = 0;
    const HANDLE thread = CreateThread(nullptr, 0, FaultingThread, nullptr, 0, &id);
    if (thread) WaitForSingleObject(thread, INFINITE);
    return E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE Close() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetNumberOfItems(UINT32* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetProperty(UINT32, PROPID, PROPVARIANT*) override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE Extract(const UINT32*, UINT32, INT32,
                                    IArchiveExtractCallback*) override {
    return E_FAIL;
  }

 private:
  volatile LONG count_ = 1;
};
#pragma GCC diagnostic pop

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI
    CreateObject(const GUID*, const GUID* iid, void** object) {
  *object = nullptr;
  if (*iid != IID_IInArchive) return E_NOINTERFACE;
  *object = static_cast<IInArchive*>(new CrashingArchive);
  return S_OK;
}
