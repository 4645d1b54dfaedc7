#include <windows.h>

#include "package_tree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>

#include "support/file_util.h"
#include "support/host_command.h"
#include "support/temp_folder.h"

using testing_support::Run7zz;
using testing_support::TempFolder;
using testing_support::UnixPath;

namespace {

struct Entry {
  bool folder;
  std::uint64_t write_time;  // 100 ns units
};

std::map<std::string, Entry> ListTree(const std::string& root) {
  std::map<std::string, Entry> entries;
  std::vector<std::string> pending{""};
  while (!pending.empty()) {
    const std::string relative = pending.back();
    pending.pop_back();
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((root + "\\" + relative + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      const std::uint64_t time = (std::uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) |
                                 found.ftLastWriteTime.dwLowDateTime;
      entries[relative + name] = {folder, time};
      if (folder) pending.push_back(relative + name + "\\");
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  return entries;
}

}  // namespace

void MakeArchive(const std::string& archive, const std::string& content_root,
                 const std::vector<std::string>& items) {
  testing_support::MakeFolders(archive.substr(0, archive.rfind('\\')));
  std::vector<std::string> arguments{"a", "-bd", UnixPath(archive)};
  arguments.insert(arguments.end(), items.begin(), items.end());
  const auto made = Run7zz(arguments, content_root);
  ASSERT_EQ(made.exit_code, 0) << made.output;
}

std::vector<std::string> CompareTrees(const std::string& expected, const std::string& actual) {
  constexpr std::uint64_t kTwoSeconds = 20'000'000;
  std::vector<std::string> differences;
  const auto wanted = ListTree(expected);
  const auto found = ListTree(actual);
  for (const auto& [name, entry] : wanted) {
    const auto match = found.find(name);
    if (match == found.end()) {
      differences.push_back("missing " + name);
      continue;
    }
    if (match->second.folder != entry.folder) {
      differences.push_back("other kind " + name);
      continue;
    }
    if (entry.folder) continue;
    if (testing_support::ReadTextFile(actual + "\\" + name) !=
        testing_support::ReadTextFile(expected + "\\" + name)) {
      differences.push_back("other content " + name);
    }
    const std::uint64_t a = entry.write_time;
    const std::uint64_t b = match->second.write_time;
    if ((a > b ? a - b : b - a) > kTwoSeconds) differences.push_back("other time " + name);
  }
  for (const auto& [name, entry] : found) {
    if (!wanted.contains(name)) differences.push_back("extra " + name);
  }
  return differences;
}

std::vector<std::string> CompareWithReference(const std::string& archive,
                                              const std::string& target) {
  TempFolder reference;
  const auto unpacked =
      Run7zz({"x", "-bd", "-y", "-o" + UnixPath(reference.Path()), UnixPath(archive)});
  if (unpacked.exit_code != 0) return {"7zz x failed: " + unpacked.output};
  // Only the archive's own top-level names count: the target may hold more.
  std::vector<std::string> differences;
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((reference / "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return {"empty archive"};
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (const std::string& d : CompareTrees(reference / name, target + "\\" + name)) {
        differences.push_back(name + ": " + d);
      }
    } else {
      if (testing_support::ReadTextFile(reference / name) !=
          testing_support::ReadTextFile(target + "\\" + name)) {
        differences.push_back("other content " + name);
      }
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return differences;
}
