// extract_bench ARCHIVE DESTDIR [--no-path] [--files LIST] [--test] [--password PW]
// Extracts an archive with TSevenZip (existing files replaced, stored paths
// kept unless --no-path) and prints every message and one result line.
// LIST is a comma-separated list of item indices or paths.
#include "sevenzip/SevenZipVCL.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
  return result;
}

// Files and bytes under a folder.
void CountFiles(const std::wstring& folder, long long& files, long long& bytes) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CountFiles(folder + L"\\" + name, files, bytes);
    } else {
      ++files;
      bytes += static_cast<long long>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: extract_bench ARCHIVE DESTDIR [--no-path] [--files LIST] [--test] [--password PW]\n");
  return 2;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 3) return Usage();
  try {
    TSevenZip zip(nullptr);
    zip.SZFileName = arguments[1];
    zip.ExtrBaseDir = arguments[2];
    zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
    bool test_mode = false;
    for (int i = 3; i < count; ++i) {
      const std::wstring option = arguments[i];
      if (option == L"--no-path") {
        zip.ExtractOptions.Include(ExtractNoPath);
      } else if (option == L"--test") {
        test_mode = true;
      } else if (option == L"--password" && i + 1 < count) {
        zip.Password = arguments[++i];
      } else if (option == L"--files" && i + 1 < count) {
        const std::wstring list = arguments[++i];
        for (std::size_t start = 0; start <= list.size();) {
          std::size_t end = list.find(L',', start);
          if (end == std::wstring::npos) end = list.size();
          zip.Files.Add(list.substr(start, end - start));
          start = end + 1;
        }
      } else {
        return Usage();
      }
    }
    long long decoded = 0;
    zip.OnMessage = [](TComponent*, int code, const std::string& text, const std::wstring& file) {
      std::printf("message %d %s %s\n", code, text.c_str(), Utf8(file).c_str());
    };
    // The host's own handlers are set too, so that their cost is measured.
    zip.OnProgress = [&decoded](TComponent*, const std::wstring&, std::int64_t arc, std::int64_t) {
      decoded = arc;
    };
    zip.OnExtractfile = [](TComponent*, const std::wstring&, std::int64_t) {};

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const int result = zip.Extract(test_mode);
    QueryPerformanceCounter(&end);

    long long files = 0;
    long long bytes = decoded;
    if (!test_mode) {
      bytes = 0;
      CountFiles(zip.ExtrBaseDir, files, bytes);
    }
    std::printf("result=%d code=%d files=%lld bytes=%lld seconds=%.3f\n", result,
                zip.LastResultCode(), files, bytes,
                static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
    LocalFree(arguments);
    return result == 0 ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 3;
  }
}
