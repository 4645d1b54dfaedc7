// Extraction onto a disk that fills up in the middle of a file.
#include "engine_fixture.h"
#include "support/file_util.h"
#include "support/scoped_mount.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace engine_test {
namespace {

using testing_support::ReadTextFile;
using testing_support::ScopedMount;
using testing_support::WriteTextFile;

class FullDiskTest : public RealLibraryTest {};

// The disk fills up in the middle of an item that replaces an older file:
// the older file stays byte for byte, no cut-off file or temporary file is
// left, the line says the disk is full (and nothing else), and the job stops.
TEST_F(FullDiskTest, FailedOverwriteKeepsTheOlderFile) {
  WorkFolder folder;
  // Random data does not compress: the middle item cannot fit the disk.
  Shell(
      "set -e; mkdir src; printf first > src/a_first.txt; head -c 600000 /dev/urandom > "
      "src/b_big.bin; printf 'new last' > src/c_last.txt",
      folder.Path());
  Make7z({"-ms=off", "-mx1", "pack.7z", "./src/*"}, folder.Path());

  ScopedMount disk(ScopedMount::kSmallDisk, 'K', 256);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Refusal();
  const std::string out = disk.Drive() + "\\out";
  // One file that is not in the archive, and older files the job would replace.
  WriteTextFile(out + "\\keep.txt", "kept");
  const std::string older(20000, 'o');
  WriteTextFile(out + "\\b_big.bin", older);
  WriteTextFile(out + "\\c_last.txt", "old last");

  RecordingZip recorder;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  EXPECT_NE(recorder.Extract(folder / "pack.7z", out), 0);

  ASSERT_EQ(recorder.Codes(), std::vector<int>{kCouldNotCreateFile});
  EXPECT_EQ(recorder.messages[0].text, "Could not create file");
  EXPECT_EQ(recorder.messages[0].reason, "the disk is full");
  EXPECT_EQ(recorder.messages[0].file, Wide(out + "\\b_big.bin"));

  EXPECT_TRUE(ReadTextFile(out + "\\b_big.bin") == older) << "the older file was not kept";
  EXPECT_EQ(ReadTextFile(out + "\\a_first.txt"), "first");
  EXPECT_EQ(ReadTextFile(out + "\\keep.txt"), "kept");
  EXPECT_EQ(ReadTextFile(out + "\\c_last.txt"), "old last");  // the job stopped
  std::vector<std::string> names;
  for (const auto& [name, entry] : ScanTree(Wide(out))) names.push_back(Utf8(name));
  EXPECT_EQ(names,
            (std::vector<std::string>{"a_first.txt", "b_big.bin", "c_last.txt", "keep.txt"}));
}

}  // namespace
}  // namespace engine_test
