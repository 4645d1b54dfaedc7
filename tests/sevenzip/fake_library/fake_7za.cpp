// A scripted stand-in for 7za.dll: exports CreateObject and answers with
// objects that follow the test's script, for callback orders and failures
// the real library cannot be made to produce on demand.
#include "fake_script.h"
#include "sevenzip/archive_interfaces.h"

#include <string>

using namespace sevenzip;

namespace {

FakeScript script;

void Note(const std::string& what) {
  if (script.note) script.note(what.c_str());
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <class Interface>
class Counted : public Interface {
 public:
  explicit Counted(const char* name) : name_(name) {}
  virtual ~Counted() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&count_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&count_);
    if (left == 0) {
      Note(std::string("release ") + name_);
      delete this;
    }
    return static_cast<ULONG>(left);
  }

 private:
  const char* name_;
  volatile LONG count_ = 1;
};
#pragma GCC diagnostic pop

class FakeArchive final : public Counted<IInArchive> {
 public:
  FakeArchive() : Counted<IInArchive>("IInArchive") {}

  HRESULT STDMETHODCALLTYPE Open(IInStream* stream, const UINT64*, IArchiveOpenCallback*) override {
    stream->AddRef();
    char signature[6];
    UINT32 read = 0;
    stream->Read(signature, sizeof signature, &read);
    if (script.open_result != S_OK && script.keep_stream_after_failed_open) {
      kept_ = stream;
    } else {
      stream->Release();
    }
    return script.open_result;
  }
  HRESULT STDMETHODCALLTYPE Close() override {
    if (kept_ && kept_->Release() == 0) Note("stream freed");
    kept_ = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNumberOfItems(UINT32* count) override {
    *count = script.count;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetProperty(UINT32 index, PROPID id, PROPVARIANT* value) override {
    if (index >= script.count) return E_INVALIDARG;
    const FakeItem& item = script.items[index];
    switch (id) {
      case kpidPath:
        value->vt = VT_BSTR;
        value->bstrVal = SysAllocString(item.path);
        break;
      case kpidSize:
        value->vt = VT_UI8;
        value->uhVal.QuadPart = item.size;
        break;
      case kpidAttrib:
        value->vt = VT_UI4;
        value->ulVal = item.attributes;
        break;
      default:
        break;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Extract(const UINT32* indices, UINT32 count, INT32 test,
                                    IArchiveExtractCallback* callback) override {
    job_ = {indices, count, test, callback, E_FAIL};
    if (!script.call_back_from_other_thread) return RunJob();
    DWORD thread_id = 0;
    const HANDLE thread = CreateThread(nullptr, 0, RunJobThread, this, 0, &thread_id);
    WaitForSingleObject(thread, INFINITE);
    DWORD result = 0;
    GetExitCodeThread(thread, &result);
    CloseHandle(thread);
    return static_cast<HRESULT>(result);
  }

 private:
  struct Job {
    const UINT32* indices;
    UINT32 count;
    INT32 test;
    IArchiveExtractCallback* callback;
    HRESULT result;
  };

  static DWORD WINAPI RunJobThread(void* self) {
    return static_cast<DWORD>(static_cast<FakeArchive*>(self)->RunJob());
  }

  HRESULT RunJob() {
    const UINT32 count = job_.indices ? job_.count : script.count;
    UINT64 total = 0;
    for (UINT32 i = 0; i < count; ++i)
      total += script.items[job_.indices ? job_.indices[i] : i].size;
    IArchiveExtractCallback* callback = job_.callback;
    HRESULT result = callback->SetTotal(total);
    UINT64 completed = 0;
    for (UINT32 i = 0; i < count && result == S_OK; ++i) {
      const UINT32 index = job_.indices ? job_.indices[i] : i;
      const FakeItem& item = script.items[index];
      ISequentialOutStream* stream = nullptr;
      Note("get stream " + std::to_string(index));
      result = callback->GetStream(index, &stream, job_.test ? kAskTest : kAskExtract);
      if (result != S_OK) break;
      callback->PrepareOperation(job_.test ? kAskTest : kAskExtract);
      if (stream) {
        const std::string data(static_cast<std::size_t>(item.size), 'x');
        UINT32 written = 0;
        if (!data.empty()) stream->Write(data.data(), static_cast<UINT32>(data.size()), &written);
        stream->Release();
      }
      completed += item.size;
      result = callback->SetCompleted(&completed);
      if (result != S_OK) break;
      callback->SetOperationResult(item.operation_result);
      result = callback->SetCompleted(&completed);
    }
    return result;
  }

  IInStream* kept_ = nullptr;
  Job job_{};
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI
    CreateObject(const GUID*, const GUID* iid, void** object) {
  *object = nullptr;
  if (*iid == IID_IInArchive) {
    if (!script.no_in_archive) *object = static_cast<IInArchive*>(new FakeArchive);
  } else if (*iid == IID_IOutArchive) {
    *object = new Counted<IUnknown>("IOutArchive");
  } else if (*iid == IID_ISetProperties) {
    *object = new Counted<IUnknown>("ISetProperties");
  } else {
    return E_NOINTERFACE;
  }
  return S_OK;
}

extern "C" __declspec(dllexport) void FakeSetScript(const FakeScript* given) { script = *given; }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_DETACH) Note("unload");
  return TRUE;
}
