#pragma once

#include <windows.h>

#include <utility>

namespace sevenzip {

// Base of every object handed to the library: an interlocked reference count
// that starts at 0 once the object is built, destruction at the last release,
// and QueryInterface over the list the derived class answers in Lookup().
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <class Derived, class... Interfaces>
class TInterfacedObject : public Interfaces... {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = static_cast<Derived*>(this)->Lookup(iid);
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&count_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&count_);
    if (left == 0) delete static_cast<Derived*>(this);
    return static_cast<ULONG>(left);
  }

 protected:
  TInterfacedObject() = default;
  virtual ~TInterfacedObject() = default;

 private:
  volatile LONG count_ = 0;
};
#pragma GCC diagnostic pop

// One owned reference to a library interface.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  explicit ComRef(T* object) : object_(object) {
    if (object_) object_->AddRef();
  }
  ComRef(const ComRef& other) : ComRef(other.object_) {}
  ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComRef& operator=(ComRef other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~ComRef() { Reset(); }

  void Reset() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }
  T* Get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // Receives a reference the callee already added (an out parameter).
  T** Receive() {
    Reset();
    return &object_;
  }

 private:
  T* object_ = nullptr;
};

}  // namespace sevenzip
