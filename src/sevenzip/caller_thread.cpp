#include "sevenzip/caller_thread.h"

#include <utility>

namespace sevenzip {

namespace {

struct JobStart {
  const std::function<HRESULT()>* job;
  HRESULT result;
};

DWORD WINAPI RunJob(void* parameter) {
  auto* start = static_cast<JobStart*>(parameter);
  start->result = (*start->job)();
  return 0;
}

}  // namespace

CallerThread::CallerThread()
    : owner_thread_(GetCurrentThreadId()),
      request_ready_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      request_done_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
  InitializeCriticalSection(&requests_);
}

CallerThread::~CallerThread() {
  DeleteCriticalSection(&requests_);
  CloseHandle(request_ready_);
  CloseHandle(request_done_);
}

void CallerThread::RunHere(const std::function<void()>& call) {
  try {
    call();
  } catch (...) {
    if (!failure_) failure_ = std::current_exception();
  }
}

void CallerThread::Run(const std::function<void()>& call) {
  if (GetCurrentThreadId() == owner_thread_) {
    RunHere(call);
    return;
  }
  EnterCriticalSection(&requests_);
  request_ = &call;
  SetEvent(request_ready_);
  WaitForSingleObject(request_done_, INFINITE);
  LeaveCriticalSection(&requests_);
}

HRESULT CallerThread::Serve(const std::function<HRESULT()>& job) {
  JobStart start{&job, E_FAIL};
  DWORD worker_id = 0;  // 9x fails CreateThread without somewhere to put it
  const HANDLE worker = CreateThread(nullptr, 0, RunJob, &start, 0, &worker_id);
  if (!worker) return job();
  const HANDLE waits[2] = {request_ready_, worker};
  for (;;) {
    const DWORD woken = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woken != WAIT_OBJECT_0) break;
    RunHere(*request_);
    SetEvent(request_done_);
  }
  WaitForSingleObject(worker, INFINITE);
  CloseHandle(worker);
  return start.result;
}

void CallerThread::RethrowHandlerFailure() {
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace sevenzip
