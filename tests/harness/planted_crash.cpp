// A GoogleTest program that dies: a worker thread writes through a null
// pointer while the test waits for it. The runner must fail it
// (harness.planted_crash); it is never a test of its own.
#include "support/worker_thread.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(PlantedCrash, WorkerThreadWritesThroughANullPointer) {
  testing_support::WorkerThread worker([] {
    std::puts("planted: the worker thread writes through a null pointer");
    std::fflush(stdout);
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
  });
  ASSERT_TRUE(worker.Started());
  worker.Join();
}

}  // namespace
