#include "sevenzip/SevenZipVCL.h"

#include "common/ansi_text.h"
#include "common/integer_text.h"
#include "sevenzip/archive_callbacks.h"
#include "sevenzip/archive_rules.h"
#include "sevenzip/caller_thread.h"
#include "sevenzip/file_system.h"
#include "sevenzip/item_properties.h"
#include "sevenzip/stream_reader.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace sevenzip {

// One run of TSevenZip::Extract, from opening the archive to the library's
// Extract call. The library calls run on a worker; see CallerThread.
class ExtractJob {
 public:
  ExtractJob(TSevenZip* owner, CallerThread& caller) : owner_(owner), caller_(caller) {}

  int Run(bool test_mode) {
    const std::wstring& archive_name = owner_->SZFileName;
    // No item could be written under a folder Windows cannot take as a path;
    // Windows 9x knows no "\\?\" form.
    const std::wstring& base = owner_->ExtrBaseDir;
    if (!test_mode && (IsMalformedPath(base) || (!WideMode() && IsVerbatimPath(base)))) {
      owner_->Report(kCouldNotCreateFile, base);
      return -1;
    }
    if (AsciiUpper(FileExtension(archive_name)) == L".EXE") {
      owner_->DetectSFX(archive_name);
      if (!owner_->sfx_found_) {
        owner_->Report(kNotSFXArchive, archive_name);
        return -1;
      }
    } else {
      owner_->sfx_found_ = false;
    }
    IInArchive* archive = owner_->in_archive_;
    if (!archive || !Open(archive)) {
      owner_->Report(kFileNotFound, archive_name);
      return -1;
    }
    UINT32 count = 0;
    archive->GetNumberOfItems(&count);

    std::vector<UINT32> indices;
    std::int64_t total = 0;
    for (int i = 0; i < owner_->Files.Count(); ++i) {
      const std::optional<UINT32> index = Resolve(archive, owner_->Files.Strings(i), count);
      if (!index) {
        owner_->Report(kIndexOutOfRange, L"");
        return -1;
      }
      indices.push_back(*index);
      total += static_cast<std::int64_t>(ItemSize(archive, *index));
    }
    if (total > 0 && owner_->OnPreProgress)
      owner_->OnCallerThread([&] { owner_->OnPreProgress(owner_, total); });
    std::sort(indices.begin(), indices.end());

    ComRef<TMyArchiveExtractCallback> callback(
        new TMyArchiveExtractCallback(owner_, owner_->Files.Count()));
    const UINT32* selected = indices.empty() ? nullptr : indices.data();
    const UINT32 selected_count =
        indices.empty() ? 0xFFFFFFFF : static_cast<UINT32>(indices.size());
    const HRESULT result = caller_.Serve([&] {
      return archive->Extract(selected, selected_count, test_mode ? 1 : 0, callback.Get());
    });
    return static_cast<int>(result);
  }

 private:
  bool Open(IInArchive* archive) {
    ComRef<TMyStreamReader> reader(new TMyStreamReader(owner_, owner_->SZFileName, true));
    archive->Close();
    ComRef<TMyArchiveOpenCallback> callback(new TMyArchiveOpenCallback(owner_));
    return caller_.Serve([&] { return archive->Open(reader.Get(), nullptr, callback.Get()); }) ==
           S_OK;
  }

  // A selection string: an index, or the first item whose path matches
  // without regard to case (by the ANSI code page).
  std::optional<UINT32> Resolve(IInArchive* archive, const std::wstring& text, UINT32 count) {
    const std::string ansi = ToAnsi(text);
    if (const std::optional<std::int32_t> number = ParseInteger(ansi)) {
      if (*number < 0 || static_cast<UINT32>(*number) >= count) return std::nullopt;
      return static_cast<UINT32>(*number);
    }
    if (upper_paths_.empty()) {
      for (UINT32 i = 0; i < count; ++i)
        upper_paths_.push_back(AnsiUpperCase(ToAnsi(ItemPath(archive, i))));
    }
    const std::string wanted = AnsiUpperCase(ansi);
    const auto found = std::find(upper_paths_.begin(), upper_paths_.end(), wanted);
    if (found == upper_paths_.end()) return std::nullopt;
    return static_cast<UINT32>(found - upper_paths_.begin());
  }

  TSevenZip* owner_;
  CallerThread& caller_;
  std::vector<std::string> upper_paths_;
};

}  // namespace sevenzip

int TSevenZip::Extract(bool TestMode) {
  sevenzip::CallerThread caller;
  caller_thread_ = &caller;
  extracted_files_ = 0;
  extracted_bytes_ = 0;
  int result = -1;
  try {
    result = sevenzip::ExtractJob(this, caller).Run(TestMode);
  } catch (...) {
    if (in_archive_) in_archive_->Close();
    cancel_request_ = false;
    caller_thread_ = nullptr;
    throw;
  }
  if (in_archive_) in_archive_->Close();
  cancel_request_ = false;
  caller_thread_ = nullptr;
  caller.RethrowHandlerFailure();
  return result;
}
