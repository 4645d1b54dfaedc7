#include "sevenzip/archive_callbacks.h"

#include "common/file_names.h"
#include "sevenzip/archive_rules.h"
#include "sevenzip/caller_thread.h"
#include "sevenzip/file_system.h"
#include "sevenzip/item_properties.h"
#include "sevenzip/stream_writer.h"

namespace sevenzip {

HRESULT GivePassword(const std::wstring& password, BSTR* result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  if (password.empty()) return S_FALSE;
  *result = SysAllocString(password.c_str());
  return *result ? S_OK : E_OUTOFMEMORY;
}

void* TMyArchiveOpenCallback::Lookup(REFIID iid) {
  if (iid == IID_Unknown || iid == IID_IArchiveOpenCallback)
    return static_cast<IArchiveOpenCallback*>(this);
  if (iid == IID_ICryptoGetTextPassword) return static_cast<ICryptoGetTextPassword*>(this);
  return nullptr;
}

TMyArchiveExtractCallback::TMyArchiveExtractCallback(TSevenZip* owner, int selected_count)
    : owner_(owner),
      base_folder_(WithTrailingBackslash(owner->ExtrBaseDir)),
      remaining_(selected_count),
      password_(owner->Password) {}

void* TMyArchiveExtractCallback::Lookup(REFIID iid) {
  if (iid == IID_Unknown || iid == IID_IProgress || iid == IID_IArchiveExtractCallback) {
    return static_cast<IArchiveExtractCallback*>(this);
  }
  if (iid == IID_ICryptoGetTextPassword) return static_cast<ICryptoGetTextPassword*>(this);
  return nullptr;
}

HRESULT TMyArchiveExtractCallback::SetTotal(UINT64 total) {
  Lock lock(lock_);
  if (remaining_ == 0 && owner_->OnPreProgress) {
    owner_->OnCallerThread(
        [&] { owner_->OnPreProgress(owner_, static_cast<std::int64_t>(total)); });
  }
  return S_OK;
}

HRESULT TMyArchiveExtractCallback::SetCompleted(const UINT64* completed) {
  Lock lock(lock_);
  if (owner_->caller_thread_->HandlerFailed()) return E_ABORT;
  const std::int64_t value = completed ? static_cast<std::int64_t>(*completed) : last_completed_;
  const bool item_starts = current_position_ == 0 && owner_->OnExtractfile;
  current_position_ += value - last_completed_;
  last_completed_ = value;
  // Both events in one trip to the calling thread: the library waits meanwhile.
  if (item_starts || owner_->OnProgress) {
    owner_->OnCallerThread([&] {
      if (item_starts) owner_->OnExtractfile(owner_, current_name_, current_size_);
      if (owner_->OnProgress) owner_->OnProgress(owner_, current_name_, value, current_position_);
    });
  }
  if (done_ || stopped_) return S_FALSE;
  if (owner_->cancel_request_) {
    owner_->Report(kUserCanceled, current_name_);
    return S_FALSE;
  }
  return S_OK;
}

HRESULT TMyArchiveExtractCallback::GetStream(UINT32 index, ISequentialOutStream** stream,
                                             INT32 ask_mode) {
  if (!stream) return E_POINTER;
  *stream = nullptr;
  Lock lock(lock_);
  current_refused_ = false;
  if (owner_->caller_thread_->HandlerFailed()) return E_ABORT;
  current_has_stream_ = false;
  if (owner_->cancel_request_ || stopped_) return S_FALSE;
  if (ask_mode == kAskTest) {
    current_name_ = ItemPath(owner_->in_archive_, index);
    current_position_ = 0;
    current_size_ = static_cast<std::int64_t>(ItemSize(owner_->in_archive_, index));
    return S_OK;
  }
  if (ask_mode != kAskExtract) return S_OK;
  return ExtractItem(index, stream);
}

HRESULT TMyArchiveExtractCallback::ExtractItem(UINT32 index, ISequentialOutStream** stream) {
  IInArchive* archive = owner_->in_archive_;
  const std::wstring item_path = ItemPath(archive, index);
  const std::int64_t size = static_cast<std::int64_t>(ItemSize(archive, index));
  const DWORD attributes = ItemAttributes(archive, index);
  const std::optional<FILETIME> time = ItemModificationTime(archive, index);
  bool overwrite = owner_->ExtractOptions.Contains(ExtractOverwrite);

  const std::wstring relative =
      owner_->ExtractOptions.Contains(ExtractNoPath) ? LastComponent(item_path) : item_path;
  const std::wstring first_path = base_folder_ + relative;
  // An item must not land outside the base folder nor in a device, nor
  // under another name than its own; the others still extract. The library then reports the refused
  // item as fine, which must not clear its code. On 9x the name is created in its ANSI form: one
  // the code page cannot hold exactly would come out as another name (best fit), so it is refused.
  if ((!WideMode() && !FitsAnsiCodePage(relative)) || EscapesBaseFolder(relative) ||
      NamesDevice(relative)) {
    owner_->Report(kCouldNotCreateFile, first_path);
    current_refused_ = true;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) CountOffFile();
    return S_OK;
  }
  std::wstring output_path = first_path;
  if (owner_->OnSetExtractName) {
    owner_->OnCallerThread([&] { owner_->OnSetExtractName(owner_, index, output_path); });
  }
  if (!overwrite && PathExists(output_path)) {
    if (owner_->OnExtractOverwrite) {
      bool do_overwrite = false;
      owner_->OnCallerThread(
          [&] { owner_->OnExtractOverwrite(owner_, output_path, do_overwrite); });
      overwrite = do_overwrite;
    }
    if (!overwrite) return S_OK;
  }
  current_name_ = output_path;
  current_position_ = 0;
  current_size_ = size;

  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    ForceFolders(output_path, attributes);
    return S_OK;
  }
  CountOffFile();
  // The parents get no attributes: a hidden or read-only file must not make
  // its folder hidden or read-only.
  ForceFolders(FolderPart(output_path), 0);
  // A file cut off by a failed write is removed; the library then decides
  // whether the job goes on.
  TSevenZip* owner = owner_;
  TMyStreamWriter* writer = TMyStreamWriter::Create(
      output_path, time ? &*time : nullptr, attributes,
      [owner, output_path] { owner->Report(kCouldNotCreateFile, output_path); });
  if (!writer) {
    owner_->Report(kCouldNotCreateFile, first_path);
    // The library may go on with other items after a refused stream.
    stopped_ = true;
    return S_FALSE;
  }
  writer->AddRef();
  *stream = writer;
  current_has_stream_ = true;
  return S_OK;
}

void TMyArchiveExtractCallback::CountOffFile() {
  if (--remaining_ == 0) last_reached_ = true;
}

HRESULT TMyArchiveExtractCallback::SetOperationResult(INT32 result) {
  Lock lock(lock_);
  if (current_refused_) {
    current_refused_ = false;
    if (last_reached_) done_ = true;
    return S_OK;
  }
  switch (result) {
    case kResultOK:
      owner_->last_result_code_ = kSuccess;
      if (current_has_stream_) {
        ++owner_->extracted_files_;
        owner_->extracted_bytes_ += static_cast<std::uint64_t>(current_size_);
      }
      break;
    case kResultUnsupportedMethod:
      owner_->Report(kUnsupportedMethod, current_name_);
      break;
    case kResultCRCError:
      owner_->Report(kCRCError, current_name_);
      break;
    default:
      // Damaged data, but also the library's later results (unexpected end,
      // headers error, wrong password, ...): none of them is a success.
      owner_->Report(kDataError, current_name_);
      break;
  }
  if (last_reached_) done_ = true;
  return S_OK;
}

}  // namespace sevenzip
