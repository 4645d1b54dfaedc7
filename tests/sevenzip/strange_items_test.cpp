// Valid archives with items Windows cannot or must not take as they are:
// names it refuses, files in the way, anti-items, links, attributes that
// contradict the item's kind, damaged items. Each costs only itself, and
// an older file of the item's name stays whole.
#include "damaged_corpus.h"
#include "engine_fixture.h"
#include "support/file_util.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace engine_test {
namespace {

using testing_support::MakeFolders;
using testing_support::ReadTextFile;
using testing_support::WriteTextFile;

bool Exists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FilesOf(const std::vector<Message>& messages, int code) {
  std::vector<std::wstring> files;
  for (const Message& message : messages) {
    if (message.code == code) files.push_back(message.file);
  }
  std::sort(files.begin(), files.end());
  return files;
}

class RefusedItemsTest : public RealLibraryTest, public ::testing::WithParamInterface<bool> {};

// Names Windows refuses, a file where a folder must be and a folder where a
// file must be: each item gets code 11 with its path and reason, and every
// other item arrives, solid or not.
TEST_P(RefusedItemsTest, ARefusedItemCostsOnlyItself) {
  WorkFolder folder;
  Shell(
      "mkdir -p d/blocked d/sub && printf first > d/a_first.txt && printf lt > 'd/b<lt.txt' && "
      "printf pipe > 'd/c|pipe.txt' && printf ctl > \"d/e$(printf '\\001')ctl.txt\" && printf dot "
      "> 'd/f_dot.' && printf in > d/blocked/inner.txt && printf way > d/g_way.txt && printf q > "
      "'d/h?.txt' && printf sub > d/sub/s.txt && printf last > d/z_last.txt",
      folder.Path());
  Make7z({GetParam() ? "-ms=on" : "-ms=off", "pack.7z", "d"}, folder.Path());
  const std::string out = folder / "out";
  WriteTextFile(out + "\\d\\blocked", "a file where the archive has a folder");
  MakeFolders(out + "\\d\\g_way.txt");

  RecordingZip recorder;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  const int result = recorder.Extract(folder / "pack.7z", out);

  std::vector<std::wstring> expected;
  for (const char* name : {"b<lt.txt", "c|pipe.txt",
                           "e\x01"
                           "ctl.txt",
                           "f_dot.", "blocked", "blocked\\inner.txt", "g_way.txt", "h?.txt"}) {
    expected.push_back(Wide(out + "\\d\\" + name));
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FilesOf(recorder.messages, 11), expected);
  EXPECT_EQ(recorder.messages.size(), expected.size());
  for (const Message& message : recorder.messages) {
    EXPECT_EQ(message.text, "Could not create file");
    EXPECT_FALSE(message.reason.empty()) << Utf8(message.file);
  }
  EXPECT_EQ(ReadTextFile(out + "\\d\\a_first.txt"), "first");
  EXPECT_EQ(ReadTextFile(out + "\\d\\sub\\s.txt"), "sub");
  EXPECT_EQ(ReadTextFile(out + "\\d\\z_last.txt"), "last");
  EXPECT_EQ(ReadTextFile(out + "\\d\\blocked"), "a file where the archive has a folder");
  EXPECT_FALSE(Exists(out + "\\d\\f_dot"));  // no name changed without a line
  // The job's result agrees with its failures.
  EXPECT_NE(result, 0);
  EXPECT_EQ(recorder.zip.FailedItems(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(SolidOrNot, RefusedItemsTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& solid) {
                           return std::string(solid.param ? "Solid" : "NonSolid");
                         });

using StrangeItemsTest = RealLibraryTest;

// `7zz u -u- -up0q3...!diff.7z` writes a deletion mark for every item gone
// from the disk. The mark neither creates nor empties nor deletes anything.
TEST_F(StrangeItemsTest, AntiItemsAreNeverWritten) {
  WorkFolder folder;
  Shell(
      "mkdir -p src/gone_dir && printf a > src/a.txt && printf b > src/gone.txt && printf c > "
      "src/gone_dir/c.txt && 7zz a -bd base.7z src >/dev/null && rm -r src/gone.txt "
      "src/gone_dir && printf A > src/a.txt && touch -d 2030-01-01 src/a.txt && 7zz u -bd base.7z "
      "-u- '-up0q3r2x2y2z0w2!diff.7z' src "
      ">/dev/null",
      folder.Path());
  const std::string out = folder / "out";
  WriteTextFile(out + "\\src\\gone.txt", "the driver the user relies on");
  WriteTextFile(out + "\\src\\gone_dir\\c.txt", "kept too");

  RecordingZip recorder;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  EXPECT_EQ(recorder.Extract(folder / "diff.7z", out), 0);
  EXPECT_TRUE(recorder.messages.empty());
  EXPECT_EQ(ReadTextFile(out + "\\src\\a.txt"), "A");
  EXPECT_EQ(ReadTextFile(out + "\\src\\gone.txt"), "the driver the user relies on");
  EXPECT_EQ(ReadTextFile(out + "\\src\\gone_dir\\c.txt"), "kept too");
  std::vector<std::wstring> noted;
  for (const auto& [note, file] : recorder.notes) {
    EXPECT_NE(note.find("anti-item"), std::string::npos) << note;
    noted.push_back(file);
  }
  std::sort(noted.begin(), noted.end());
  EXPECT_EQ(noted,
            (std::vector<std::wstring>{Wide(out + "\\src\\gone.txt"), Wide(out + "\\src\\gone_dir"),
                                       Wide(out + "\\src\\gone_dir\\c.txt")}));

  // Where nothing of that name is, nothing appears.
  RecordingZip fresh;
  EXPECT_EQ(fresh.Extract(folder / "diff.7z", folder / "fresh"), 0);
  EXPECT_FALSE(Exists(folder / "fresh\\src\\gone.txt"));
  EXPECT_FALSE(Exists(folder / "fresh\\src\\gone_dir"));
  EXPECT_EQ(fresh.notes.size(), 3u);
}

// A symbolic link stored by 7zz -snl, followed by an item stored below the
// link's name: the link is refused and never made, so the later item lands
// in a real folder inside the target.
TEST_F(StrangeItemsTest, LinksAreRefusedAndNeverFollowed) {
  WorkFolder folder;
  Shell(
      "mkdir -p src elsewhere && printf real > src/real.txt && ln -s real.txt src/lnk && ln -s "
      "\"$PWD/elsewhere\" src/dir && 7zz a -bd -snl pack.7z src >/dev/null && rm src/dir && mkdir "
      "src/dir && printf below > src/dir/below.txt && 7zz a -bd pack.7z src/dir/below.txt "
      ">/dev/null",
      folder.Path());
  const std::string out = folder / "out";
  RecordingZip recorder;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  EXPECT_NE(recorder.Extract(folder / "pack.7z", out), 0);
  EXPECT_EQ(FilesOf(recorder.messages, 11),
            (std::vector<std::wstring>{Wide(out + "\\src\\dir"), Wide(out + "\\src\\lnk")}));
  for (const Message& message : recorder.messages)
    EXPECT_NE(message.reason.find("link"), std::string::npos) << message.reason;
  EXPECT_EQ(ReadTextFile(out + "\\src\\real.txt"), "real");
  EXPECT_FALSE(Exists(out + "\\src\\lnk"));
  EXPECT_EQ(ReadTextFile(out + "\\src\\dir\\below.txt"), "below");
  EXPECT_TRUE(ScanTree(Wide(folder / "elsewhere")).empty());
}

// The archive with every `from` in its plain (uncompressed) header replaced
// by `to`, and the checksums made right again.
std::string PatchedHeader(std::string bytes, std::uint32_t from, std::uint32_t to) {
  const std::optional<Layout> layout = ReadLayout(bytes, 0);
  EXPECT_TRUE(layout);
  if (!layout) return bytes;
  const auto put = [&](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  };
  int patched = 0;
  for (std::size_t at = layout->header; at + 4 <= bytes.size(); ++at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    if (value == from) {
      put(at, to);
      ++patched;
    }
  }
  EXPECT_EQ(patched, 1);
  put(28, Crc32(bytes, layout->header, layout->header_size));
  put(8, Crc32(bytes, 12, 20));
  return bytes;
}

// The archive's folder flag decides: a file whose attributes claim a folder,
// a device and unknown bits keeps its data and gets none of them; a folder
// whose attributes lack the folder bit is a folder.
TEST_F(StrangeItemsTest, TheFolderFlagDecidesAndAttributesOnlyDecorate) {
  WorkFolder folder;
  Shell(
      "mkdir -p src/sub && printf data > src/file.txt && chmod 644 src/file.txt && chmod 755 "
      "src/sub",
      folder.Path());
  Make7z({"-mhc=off", "plain.7z", "src/file.txt", "src/sub"}, folder.Path());
  std::string bytes = ReadTextFile(folder / "plain.7z");
  constexpr std::uint32_t kUnixFile = 0x81A48020;    // -rw-r--r--, archive
  constexpr std::uint32_t kUnixFolder = 0x41ED8010;  // drwxr-xr-x, folder
  bytes = PatchedHeader(bytes, kUnixFile,
                        0x81A48000 | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE |
                            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_COMPRESSED | 0x00200000);
  bytes = PatchedHeader(bytes, kUnixFolder, 0x41ED8000 | FILE_ATTRIBUTE_ARCHIVE);
  WriteTextFile(folder / "strange.7z", bytes);

  RecordingZip recorder;
  EXPECT_EQ(recorder.Extract(folder / "strange.7z", folder / "out"), 0);
  EXPECT_TRUE(recorder.messages.empty());
  const Tree tree = ScanTree(Wide(folder / "out"));
  ASSERT_TRUE(tree.count(L"src\\file.txt"));
  const Entry& file = tree.at(L"src\\file.txt");
  EXPECT_FALSE(file.folder);
  EXPECT_EQ(file.content, "data");
  EXPECT_NE(file.attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(file.attributes & (FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_COMPRESSED), 0u);
  ASSERT_TRUE(tree.count(L"src\\sub"));
  EXPECT_TRUE(tree.at(L"src\\sub").folder);
}

// A damaged item (CRC error) never takes the item's name: the older file it
// was to replace stays byte for byte, and the job's result says it failed.
TEST_F(StrangeItemsTest, DamagedItemKeepsTheOlderFile) {
  WorkFolder folder;
  Shell("mkdir src && printf 'good content' > src/a.txt && printf 'DAMAGEME-DAMAGEME' > src/b.txt",
        folder.Path());
  Make7z({"-mx0", "-ms=off", "pack.7z", "src/a.txt", "src/b.txt"}, folder.Path());
  std::string bytes = ReadTextFile(folder / "pack.7z");
  const std::size_t at = bytes.find("DAMAGEME-DAMAGEME");
  ASSERT_NE(at, std::string::npos);
  bytes[at + 3] = 'X';
  WriteTextFile(folder / "damaged.7z", bytes);
  const std::string out = folder / "out";
  WriteTextFile(out + "\\src\\b.txt", "the older file");

  RecordingZip recorder;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  EXPECT_NE(recorder.Extract(folder / "damaged.7z", out), 0);
  ASSERT_EQ(recorder.Codes(), std::vector<int>{3});
  EXPECT_EQ(recorder.messages[0].file, Wide(out + "\\src\\b.txt"));
  EXPECT_EQ(ReadTextFile(out + "\\src\\b.txt"), "the older file");
  EXPECT_EQ(ReadTextFile(out + "\\src\\a.txt"), "good content");
  EXPECT_EQ(recorder.zip.FailedItems(), 1u);
  EXPECT_EQ(ScanTree(Wide(out + "\\src")).size(), 2u);  // no temporary file left

  RecordingZip fresh;
  EXPECT_NE(fresh.Extract(folder / "damaged.7z", folder / "fresh"), 0);
  EXPECT_FALSE(Exists(folder / "fresh\\src\\b.txt"));
}

// The temporary file never takes a name the run did not create.
TEST_F(StrangeItemsTest, AnExistingTemporaryNameIsLeftAlone) {
  WorkFolder folder;
  Shell("printf new > net.inf", folder.Path());
  Make7z({"pack.7z", "net.inf"}, folder.Path());
  const std::string out = folder / "out";
  WriteTextFile(out + "\\net.inf", "old");
  WriteTextFile(out + "\\net.inf.kvnew", "someone else's");
  RecordingZip recorder;
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  EXPECT_EQ(recorder.Extract(folder / "pack.7z", out), 0);
  EXPECT_EQ(ReadTextFile(out + "\\net.inf"), "new");
  EXPECT_EQ(ReadTextFile(out + "\\net.inf.kvnew"), "someone else's");
  EXPECT_EQ(ScanTree(Wide(out)).size(), 2u);
}

// A first volume cut short is there: it reads as damaged, not as missing.
TEST_F(StrangeItemsTest, CutFirstVolumeReadsAsDamaged) {
  WorkFolder folder;
  Shell("head -c 300000 /dev/urandom > big.bin", folder.Path());
  Make7z({"-v100k", "pack.7z", "big.bin"}, folder.Path());
  Shell("head -c 1000 pack.7z.001 > cut && mv cut pack.7z.001", folder.Path());
  RecordingZip recorder;
  EXPECT_EQ(recorder.Extract(folder / "pack.7z.001", folder / "out"), -1);
  ASSERT_EQ(recorder.Codes(), std::vector<int>{2});
  EXPECT_EQ(recorder.messages[0].text, "Data Error");
  EXPECT_NE(recorder.messages[0].reason.find("damaged"), std::string::npos);
}

}  // namespace
}  // namespace engine_test
