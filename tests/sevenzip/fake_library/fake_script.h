#pragma once

// The script a test gives the fake 7za.dll: what its archive holds and how
// it calls back. Shared by the fake library and the tests.

#include <windows.h>

struct FakeItem {
  const wchar_t* path;
  UINT64 size;
  UINT32 attributes;
  INT32 operation_result;  // handed to SetOperationResult
};

struct FakeScript {
  HRESULT open_result = S_OK;
  bool keep_stream_after_failed_open = false;  // held until Close
  bool no_in_archive = false;                  // CreateObject gives no IInArchive
  bool call_back_from_other_thread = false;    // Extract runs its callbacks on a new thread
  const FakeItem* items = nullptr;
  UINT32 count = 0;
  // Told "release IInArchive", "release IOutArchive", "release ISetProperties",
  // "stream freed", "get stream N" and "unload", in the order they happen.
  void (*note)(const char* what) = nullptr;
};

using FakeSetScriptFunc = void (*)(const FakeScript*);
