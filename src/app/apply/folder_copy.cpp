#include <windows.h>

#include "app/apply/folder_copy.h"

#include <set>

#include "app/apply/file_copy.h"
#include "app/apply/progress_scale.h"
#include "common/file_names.h"
#include "common/file_replace.h"
#include "common/paths.h"
#include "common/program_paths.h"

DWORD CALLBACK CopyProgress(LARGE_INTEGER total_file_size, LARGE_INTEGER total_bytes_transferred,
                            LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE,
                            LPVOID data) {
  const auto* progress = static_cast<const CopyProgressSink*>(data);
  if (progress && *progress) {
    (*progress)(CopyPercent(static_cast<std::uint64_t>(total_bytes_transferred.QuadPart),
                            static_cast<std::uint64_t>(total_file_size.QuadPart)));
  }
  return PROGRESS_CONTINUE;
}

namespace {

struct CopyJob {
  bool stop_at_failure;
  bool overwrite;
  const CopyProgressSink& progress;
  const CopyOutcomeSink& outcome;
};

std::uint64_t FoundSize(DWORD high, DWORD low) {
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

bool NameTaken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

// The key under which Windows would store a name in one folder: letter case
// and trailing dots and blanks do not tell two names apart.
template <typename Text>
Text CollisionKey(Text name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  return name;
}

std::wstring WideKey(std::wstring name) {
  name = CollisionKey(std::move(name));
  if (!name.empty()) CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

std::string AnsiKey(std::string name) {
  name = CollisionKey(std::move(name));
  if (!name.empty()) CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

// NT: wide names and paths, the system's own copy into a temporary name.

DWORD WideAttributes(const std::wstring& path) {
  return GetFileAttributesW(LongPathForm(path).c_str());
}

bool WideFolderExists(const std::wstring& path) {
  const DWORD attributes = WideAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceFoldersWide(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  if (path.empty()) return false;
  // A drive root is asked for with its backslash: "\\?\E:" alone names no folder.
  if (WideFolderExists(path) || (path.back() == L':' && WideFolderExists(path + L"\\"))) {
    return true;
  }
  std::size_t parent_end = path.find_last_of(L"\\:");
  // The drive root or a share has no parent to create.
  if (parent_end != std::wstring::npos && parent_end + 1 < path.size()) {
    const std::wstring parent = path.substr(0, parent_end + 1);
    if (parent != path && !ForceFoldersWide(parent)) return false;
  }
  return CreateDirectoryW(LongPathForm(path).c_str(), nullptr) || WideFolderExists(path);
}

void RemoveOwnFile(const std::wstring& path) {
  const std::wstring long_path = LongPathForm(path);
  SetFileAttributesW(long_path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(long_path.c_str());
}

// CopyFileExW into a temporary name no file had, then the one replace.
bool CopyFileWide(const std::wstring& source, const std::wstring& target,
                  const CopyProgressSink& progress) {
  const DWORD existing = WideAttributes(target);
  if (existing != INVALID_FILE_ATTRIBUTES &&
      (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  const std::wstring from = LongPathForm(source);
  // Copies only to a name no file has.
  const auto copy_to = [&](const std::wstring& name) {
    return CopyFileExW(from.c_str(), LongPathForm(name).c_str(), CopyProgress,
                       const_cast<CopyProgressSink*>(&progress), nullptr,
                       COPY_FILE_FAIL_IF_EXISTS) != FALSE;
  };
  if (existing == INVALID_FILE_ATTRIBUTES) {
    // No old file to keep whole: the copy goes straight to its own name.
    // A copy that fails leaves nothing under it.
    if (copy_to(target)) return true;
    const DWORD error = GetLastError();
    if (!NameTaken(error)) {
      RemoveOwnFile(target);
      SetLastError(error);
      return false;
    }
    // Made by someone else meanwhile: replaced like any existing file.
  }
  for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    const std::wstring temporary = TemporaryNameBeside(target);
    if (copy_to(temporary)) {
      if (MoveWholeFileIntoPlaceWide(temporary, target)) return true;
    } else if (NameTaken(GetLastError())) {
      continue;
    }
    const DWORD error = GetLastError();
    RemoveOwnFile(temporary);
    SetLastError(error);
    return false;
  }
  return false;
}

bool CopyFolderWide(const std::wstring& from, const std::wstring& to, const CopyJob& job) {
  if (!WideFolderExists(from) || !ForceFoldersWide(to)) return false;
  bool result = false;
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found;
  const HANDLE find = FindFirstFileW(LongPathForm(from + L"*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring source = from + name;
    const bool unique = names.insert(WideKey(name)).second;
    if (unique && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      result = CopyFolderWide(source + L"\\", to + name + L"\\", job);
    } else if (unique && !job.overwrite && WideAttributes(to + name) != INVALID_FILE_ATTRIBUTES) {
      result = true;
    } else {
      result = unique && CopyFileWide(source, to + name, job.progress);
      const DWORD last_error = result ? 0 : (unique ? GetLastError() : ERROR_ALREADY_EXISTS);
      const DWORD error = result ? 0 : (last_error ? last_error : ERROR_GEN_FAILURE);
      if (job.outcome) {
        job.outcome(NameFromWide(source), FoundSize(found.nFileSizeHigh, found.nFileSizeLow),
                    error);
      }
    }
    if (!result && job.stop_at_failure) break;
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return result;
}

// 9x: ANSI names, the program's own copy loop.

// A name the ANSI file functions gave for one they could not convert holds
// "?" (or, by best fit, a separator): it names no file that could be copied.
bool WritableAnsiName(const std::string& name) {
  return name.find_first_of("\\/:*?\"<>|") == std::string::npos;
}

bool ForceFoldersAnsi(const std::string& folder) {
  std::string path = folder;
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  if (path.empty()) return false;
  // A drive root is asked for with its backslash: "\\?\E:" alone names no folder.
  if (DirectoryExists(path) || (path.back() == ':' && DirectoryExists(path + "\\"))) return true;
  const std::string parent = ExtractFilePath(path);
  // The drive root or a share has no parent to create.
  if (!parent.empty() && parent != path && parent.size() < path.size() &&
      !ForceFoldersAnsi(parent)) {
    return false;
  }
  return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path);
}

bool CopyFolderAnsi(const std::string& from, const std::string& to, const CopyJob& job) {
  if (!DirectoryExists(from) || !ForceFoldersAnsi(to)) return false;
  bool result = false;
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((from + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const bool writable = WritableAnsiName(name);
    const bool unique = writable && names.insert(AnsiKey(name)).second;
    if (unique && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      result = CopyFolderAnsi(from + name + "\\", to + name + "\\", job);
    } else if (unique && !job.overwrite && FileExists(to + name)) {
      result = true;
    } else {
      result = unique && CopyFileWhole(from + name, to + name, CopyProgress,
                                       const_cast<CopyProgressSink*>(&job.progress));
      const DWORD refusal = writable ? ERROR_ALREADY_EXISTS : ERROR_INVALID_NAME;
      const DWORD last_error = result ? 0 : (unique ? GetLastError() : refusal);
      const DWORD error = result ? 0 : (last_error ? last_error : ERROR_GEN_FAILURE);
      if (job.outcome) {
        job.outcome(from + name, FoundSize(found.nFileSizeHigh, found.nFileSizeLow), error);
      }
    }
    if (!result && job.stop_at_failure) break;
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return result;
}

}  // namespace

bool ForceFolders(const std::string& folder) {
  if (WideFileNames()) return ForceFoldersWide(NameToWide(folder));
  return ForceFoldersAnsi(folder);
}

bool FolderExists(const std::string& folder) {
  if (WideFileNames()) return WideFolderExists(NameToWide(folder));
  return DirectoryExists(folder);
}

bool CopyFolder(const std::string& source, const std::string& destination, bool stop_at_failure,
                bool overwrite, const CopyProgressSink& progress, const CopyOutcomeSink& outcome) {
  const CopyJob job{stop_at_failure, overwrite, progress, outcome};
  if (WideFileNames()) {
    return CopyFolderWide(NameToWide(IncludeTrailingBackslash(source)),
                          NameToWide(IncludeTrailingBackslash(destination)), job);
  }
  return CopyFolderAnsi(IncludeTrailingBackslash(source), IncludeTrailingBackslash(destination),
                        job);
}
