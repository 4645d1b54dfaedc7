// Extraction onto a disk that fills up in the middle of a file.
#include "engine_fixture.h"
#include "common/program_paths.h"
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

TEST_F(FullDiskTest, CutOffFileIsRemovedAndReportedOthersStayWhole) {
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
  // One file that is not in the archive, one that the job will replace.
  WriteTextFile(out + "\\keep.txt", "kept");
  WriteTextFile(out + "\\c_last.txt", "old last");

  RecordingZip recorder;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  recorder.Extract(folder / "pack.7z", out);

  EXPECT_FALSE(FileExists(out + "\\b_big.bin")) << "a cut-off file stayed under its name";
  const auto reported = std::find_if(
      recorder.messages.begin(), recorder.messages.end(),
      [&](const Message& m) { return m.code == kCouldNotCreateFile; });
  ASSERT_NE(reported, recorder.messages.end());
  EXPECT_EQ(reported->text, "Could not create file");
  EXPECT_EQ(reported->file, Wide(out + "\\b_big.bin"));

  EXPECT_EQ(ReadTextFile(out + "\\a_first.txt"), "first");
  EXPECT_EQ(ReadTextFile(out + "\\keep.txt"), "kept");
  const std::string last = ReadTextFile(out + "\\c_last.txt");
  EXPECT_TRUE(last == "old last" || last == "new last") << last;
}

}  // namespace
}  // namespace engine_test
