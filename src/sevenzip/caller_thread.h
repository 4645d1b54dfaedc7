#pragma once

#include <windows.h>

#include <exception>
#include <functional>

namespace sevenzip {

// Keeps every event on the thread that started the job. The library call runs
// on a worker (its own threads may call back too); each callback that raises
// an event hands the handler call to the starting thread and waits for it,
// while the starting thread waits only for such calls and for the job's end.
class CallerThread {
 public:
  CallerThread();
  ~CallerThread();
  CallerThread(const CallerThread&) = delete;
  CallerThread& operator=(const CallerThread&) = delete;

  // Runs `call` on the starting thread and returns when it has run; at once
  // when already there. A handler's exception is kept for Serve's caller.
  void Run(const std::function<void()>& call);
  // Runs `job` on a worker and serves Run calls until it ends.
  HRESULT Serve(const std::function<HRESULT()>& job);
  // A handler threw: the job should stop.
  bool HandlerFailed() const { return failure_ != nullptr; }
  // Throws the kept exception, if any, and forgets it.
  void RethrowHandlerFailure();

 private:
  void RunHere(const std::function<void()>& call);

  DWORD owner_thread_;
  CRITICAL_SECTION requests_;
  HANDLE request_ready_;
  HANDLE request_done_;
  const std::function<void()>* request_ = nullptr;
  std::exception_ptr failure_;
};

}  // namespace sevenzip
