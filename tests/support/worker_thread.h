// A test's helper thread over CreateThread: the programs are built with the
// win32 thread model, whose libstdc++ has no std::thread.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace testing_support {

class WorkerThread {
 public:
  explicit WorkerThread(std::function<void()> body) : body_(std::move(body)) {
    DWORD id = 0;
    handle_ = CreateThread(nullptr, 0, Run, this, 0, &id);
  }
  ~WorkerThread() { Join(); }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  bool Started() const { return handle_ != nullptr; }

  void Join() {
    if (handle_) {
      WaitForSingleObject(handle_, INFINITE);
      CloseHandle(handle_);
      handle_ = nullptr;
    }
  }

 private:
  static DWORD WINAPI Run(void* self) {
    static_cast<WorkerThread*>(self)->body_();
    return 0;
  }

  std::function<void()> body_;
  HANDLE handle_ = nullptr;
};

}  // namespace testing_support
