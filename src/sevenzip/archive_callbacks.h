#pragma once

#include "sevenzip/SevenZipVCL.h"
#include "sevenzip/archive_interfaces.h"
#include "sevenzip/critical_section.h"
#include "sevenzip/interfaced_object.h"
#include "sevenzip/stream_writer.h"

#include <cstdint>
#include <string>

namespace sevenzip {

// Answers the library's password request with the component's Password.
HRESULT GivePassword(const std::wstring& password, BSTR* result);

// Handed to the library while it opens an archive.
class TMyArchiveOpenCallback final
    : public TInterfacedObject<TMyArchiveOpenCallback, IArchiveOpenCallback,
                               ICryptoGetTextPassword> {
 public:
  explicit TMyArchiveOpenCallback(TSevenZip* owner) : owner_(owner), password_(owner->Password) {}

  HRESULT STDMETHODCALLTYPE SetTotal(const UINT64*, const UINT64*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64*, const UINT64*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) override {
    password_asked_ = true;
    return GivePassword(password_, password);
  }
  void* Lookup(REFIID iid);
  // The archive's headers are encrypted: opening it needed the password.
  bool PasswordAsked() const { return password_asked_; }

 private:
  TSevenZip* owner_;
  std::wstring password_;
  bool password_asked_ = false;
};

// Handed to the library for the extraction: decides each item's output
// path, creates folders and files, and turns progress and per-item results
// into the component's events. The library may call it from several threads;
// one lock keeps its state consistent.
class TMyArchiveExtractCallback final
    : public TInterfacedObject<TMyArchiveExtractCallback, IArchiveExtractCallback,
                               ICryptoGetTextPassword> {
 public:
  TMyArchiveExtractCallback(TSevenZip* owner, int selected_count);

  HRESULT STDMETHODCALLTYPE SetTotal(UINT64 total) override;
  HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* completed) override;
  HRESULT STDMETHODCALLTYPE GetStream(UINT32 index, ISequentialOutStream** stream,
                                      INT32 ask_mode) override;
  HRESULT STDMETHODCALLTYPE PrepareOperation(INT32) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetOperationResult(INT32 result) override;
  HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) override {
    return GivePassword(password_, password);
  }
  void* Lookup(REFIID iid);
  // The job ended because every selected file had its result.
  bool EndedAfterSelection() {
    Lock lock(lock_);
    return done_;
  }

 private:
  HRESULT ExtractItem(UINT32 index, ISequentialOutStream** stream);
  HRESULT ExtractFolder(const std::wstring& first_path, const std::wstring& output_path,
                        DWORD attributes);
  HRESULT ExtractFile(const std::wstring& first_path, const std::wstring& output_path,
                      DWORD attributes, const FILETIME* time, ISequentialOutStream** stream);
  // The item cannot be made: code 11 with the reason. A fault of the item's
  // own costs only the item; one of the disk stops the job.
  HRESULT Refuse(const std::wstring& path, const std::string& reason, bool stop = false);
  HRESULT RefuseForError(const std::wstring& path, DWORD error);
  // A failed write of the current file, told once; it stops the job.
  void SettleWriteFailure();
  // One more selected file handled; the job may end after the last one.
  void CountOffFile();

  TSevenZip* owner_;
  std::wstring base_folder_;
  std::wstring current_name_;
  std::int64_t current_position_ = 0;
  std::int64_t current_size_ = 0;
  std::int64_t last_completed_ = 0;
  int remaining_;
  bool last_reached_ = false;
  bool done_ = false;
  bool stopped_ = false;          // the disk failed: no further item
  bool current_settled_ = false;  // the item just handed out was told already (refused, anti-item)
  ComRef<TMyStreamWriter> current_writer_;
  bool write_failure_told_ = false;
  std::wstring password_;
  CriticalSection lock_;
};

}  // namespace sevenzip
