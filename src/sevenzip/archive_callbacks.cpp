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

namespace {

// What became of the failed item's file: never its name.
std::string DamageReason(const ComRef<TMyStreamWriter>& writer, bool damaged = true) {
  if (!writer) return {};
  return damaged ? "damaged file not written" : "file not written";
}

}  // namespace

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
  SettleWriteFailure();
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
  current_settled_ = false;
  // A file the library never gave a result for is not put in place.
  if (current_writer_) current_writer_->Discard();
  current_writer_.Reset();
  write_failure_told_ = false;
  if (owner_->caller_thread_->HandlerFailed()) return E_ABORT;
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
  const bool folder = ItemIsFolder(archive, index, attributes);
  const std::optional<FILETIME> time = ItemModificationTime(archive, index);
  bool overwrite = owner_->ExtractOptions.Contains(ExtractOverwrite);

  const std::wstring relative =
      owner_->ExtractOptions.Contains(ExtractNoPath) ? LastComponent(item_path) : item_path;
  const std::wstring first_path = base_folder_ + relative;
  if (!folder) CountOffFile();
  // Items the target cannot or must not hold are refused one by one; the
  // others still extract. The library then reports a refused item as fine,
  // which must not clear its code. On 9x the name is created in its ANSI
  // form: one the code page cannot hold exactly would come out as another
  // name (best fit), so it is refused.
  if (!WideMode() && !FitsAnsiCodePage(relative))
    return Refuse(first_path, "Windows 9x cannot hold the name in its code page");
  if (EscapesBaseFolder(relative)) return Refuse(first_path, "its path leaves the target folder");
  if (NamesDevice(relative)) return Refuse(first_path, "its path names a device");
  if (const std::string fault = NameFault(relative); !fault.empty())
    return Refuse(first_path, fault);
  if (ItemIsAnti(archive, index)) {
    // A deletion mark of an update archive: whatever has that name is kept.
    current_settled_ = true;
    owner_->Note("anti-item (deletion mark) not applied, nothing written or deleted", first_path);
    return S_OK;
  }
  if (IsLinkAttributes(attributes))
    return Refuse(first_path, "a link: links are not made, so nothing is written through one");

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
    if (!overwrite) {
      current_settled_ = true;
      return S_OK;
    }
  }
  current_name_ = output_path;
  current_position_ = 0;
  current_size_ = size;
  if (folder) return ExtractFolder(first_path, output_path, attributes);
  return ExtractFile(first_path, output_path, attributes, time ? &*time : nullptr, stream);
}

HRESULT TMyArchiveExtractCallback::ExtractFolder(const std::wstring& first_path,
                                                 const std::wstring& output_path,
                                                 DWORD attributes) {
  if (ForceFolders(output_path, attributes)) return S_OK;
  const DWORD error = GetLastError();
  if (FileInTheWay(output_path) == output_path)
    return Refuse(first_path, "a file of that name is in the way");
  if (!FileInTheWay(output_path).empty())
    return Refuse(first_path, "a file stands where one of its folders must be");
  return RefuseForError(first_path, error);
}

HRESULT TMyArchiveExtractCallback::ExtractFile(const std::wstring& first_path,
                                               const std::wstring& output_path, DWORD attributes,
                                               const FILETIME* time,
                                               ISequentialOutStream** stream) {
  const DWORD existing = AttributesOf(output_path);
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY))
    return Refuse(first_path, "a folder of that name is in the way");
  // A read-only file in the way ends the job, as the system's own replace
  // would refuse it (Wine lets root replace it, so it is asked here).
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY))
    return Refuse(first_path, "the file in its place is read-only", true);
  // The parents get no attributes: a hidden or read-only file must not make
  // its folder hidden or read-only.
  if (!ForceFolders(FolderPart(output_path), 0)) {
    const DWORD error = GetLastError();
    if (!FileInTheWay(FolderPart(output_path)).empty())
      return Refuse(first_path, "a file stands where one of its folders must be");
    return RefuseForError(first_path, error);
  }
  TMyStreamWriter* writer = TMyStreamWriter::Create(output_path, time, attributes);
  if (!writer) return RefuseForError(first_path, GetLastError());
  current_writer_ = ComRef<TMyStreamWriter>(writer);
  writer->AddRef();
  *stream = writer;
  return S_OK;
}

HRESULT TMyArchiveExtractCallback::Refuse(const std::wstring& path, const std::string& reason,
                                          bool stop) {
  current_settled_ = true;
  owner_->Report(kCouldNotCreateFile, path, reason);
  if (!stop) return S_OK;
  // The library may go on with other items after a refused stream.
  stopped_ = true;
  return S_FALSE;
}

HRESULT TMyArchiveExtractCallback::RefuseForError(const std::wstring& path, DWORD error) {
  return Refuse(path, ErrorReason(error), !IsItemError(error));
}

void TMyArchiveExtractCallback::SettleWriteFailure() {
  if (!current_writer_ || write_failure_told_) return;
  const DWORD error = current_writer_->WriteError();
  if (error == 0) return;
  write_failure_told_ = true;
  current_settled_ = true;
  stopped_ = true;
  owner_->Report(kCouldNotCreateFile, current_name_, ErrorReason(error));
}

void TMyArchiveExtractCallback::CountOffFile() {
  if (--remaining_ == 0) last_reached_ = true;
}

HRESULT TMyArchiveExtractCallback::SetOperationResult(INT32 result) {
  Lock lock(lock_);
  // A failed write is the disk's failure, not damaged data.
  SettleWriteFailure();
  ComRef<TMyStreamWriter> writer = std::move(current_writer_);
  if (current_settled_) {
    current_settled_ = false;
    if (writer) writer->Discard();
    if (last_reached_) done_ = true;
    return S_OK;
  }
  switch (result) {
    case kResultOK:
      owner_->last_result_code_ = kSuccess;
      if (writer) {
        DWORD error = 0;
        if (writer->Commit(error)) {
          ++owner_->extracted_files_;
          owner_->extracted_bytes_ += static_cast<std::uint64_t>(current_size_);
        } else {
          owner_->Report(kCouldNotCreateFile, current_name_, ErrorReason(error));
          if (!IsItemError(error)) stopped_ = true;
        }
      }
      break;
    case kResultUnsupportedMethod:
      owner_->Report(kUnsupportedMethod, current_name_, DamageReason(writer, false));
      break;
    case kResultCRCError:
      owner_->Report(kCRCError, current_name_, DamageReason(writer));
      break;
    default:
      // Damaged data, but also the library's later results (unexpected end,
      // headers error, wrong password, ...): none of them is a success.
      owner_->Report(kDataError, current_name_, DamageReason(writer));
      break;
  }
  // A damaged file never takes the item's name.
  if (writer) writer->Discard();
  if (last_reached_) done_ = true;
  return S_OK;
}

}  // namespace sevenzip
