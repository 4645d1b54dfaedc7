// The engine's plain rules: volume names, unsafe item paths, the SFX scan, DOS time.
#include "sevenzip/archive_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace sevenzip;

TEST(VolumeNamesTest, NumberReplacesTheExtensionOrFollowsAnSfxModule) {
  struct Case {
    const wchar_t* first;
    int n;
    bool sfx;
    const wchar_t* name;
  };
  for (const Case& c :
       std::vector<Case>{{L"D:\\x\\pack.7z.001", 2, false, L"D:\\x\\pack.7z.002"},
                         {L"D:\\x\\pack.7z.001", 12, false, L"D:\\x\\pack.7z.012"},
                         {L"D:\\x\\pack.7z.001", 1234, false, L"D:\\x\\pack.7z.1234"},
                         {L"D:\\x\\pack.exe", 2, true, L"D:\\x\\pack.exe.002"},
                         {L"D:\\x.y\\pack", 3, false, L"D:\\x.y\\pack.003"}}) {
    EXPECT_EQ(VolumeName(c.first, c.n, c.sfx), c.name) << c.first;
  }
  EXPECT_EQ(VolumeNumberOf(L"pack.7z.001"), 1);
  EXPECT_EQ(VolumeNumberOf(L"pack.7z.010"), 10);
  EXPECT_EQ(VolumeNumberOf(L"pack.7z"), std::nullopt);
  EXPECT_EQ(VolumeNumberOf(L"pack."), std::nullopt);
  EXPECT_EQ(VolumeNumberOf(L"dir.001\\pack"), std::nullopt);
}

TEST(VolumeNamesTest, DialogFilterNamesTheSet) {
  EXPECT_EQ(VolumeDialogFilter(L"D:\\x\\pack.7z.001"),
            std::wstring(L"pack.7z-volumes\0pack.7z.*\0\0", 27));
  EXPECT_EQ(FolderPart(L"D:\\x\\pack.7z.001"), L"D:\\x\\");
}

TEST(ItemPathTest, PathsThatLeaveTheBaseFolderAreRecognised) {
  struct Case {
    const wchar_t* path;
    bool escapes;
  };
  for (const Case& c : std::vector<Case>{{L"a\\b.txt", false},
                                         {L"a..b\\..c", false},
                                         {L"...", false},
                                         {L"", false},
                                         {L"..", true},
                                         {L"..\\x", true},
                                         {L"a\\..\\..\\x", true},
                                         {L"a/../x", true},
                                         {L"\\windows\\x", true},
                                         {L"/etc/x", true},
                                         {L"C:\\x", true},
                                         {L"C:x", true},
                                         {L"\\\\server\\share\\x", true},
                                         {L"a\\b\\..", true}}) {
    EXPECT_EQ(EscapesBaseFolder(c.path), c.escapes) << c.path;
  }
}

struct PathTextCase {
  const wchar_t* path;
  std::size_t root;  // length of the part no folder creation can make
  bool malformed;
};

class PathTextTest : public testing::TestWithParam<PathTextCase> {};

TEST_P(PathTextTest, RootAndWellFormednessAreRecognised) {
  EXPECT_EQ(RootLength(GetParam().path), GetParam().root) << GetParam().path;
  EXPECT_EQ(IsMalformedPath(GetParam().path), GetParam().malformed) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathTextTest,
    testing::Values(PathTextCase{L"C:\\D\\X\\", 2, false}, PathTextCase{L"C:", 2, false},
                    PathTextCase{L"C:relative", 2, false}, PathTextCase{L"..\\x", 0, false},
                    PathTextCase{L"", 0, false}, PathTextCase{L"\\\\srv\\share\\x", 11, false},
                    PathTextCase{L"\\\\?\\E:\\OUT", 6, false}, PathTextCase{L"\\\\?\\E:", 6, false},
                    PathTextCase{L"\\\\?\\UNC\\srv\\share\\x", 17, false},
                    // A second drive letter, as "%SystemDrive%" written twice gives.
                    PathTextCase{L"C:C:", 2, true}, PathTextCase{L"E:E:\\x", 2, true},
                    PathTextCase{L"C:\\a:b", 2, true}, PathTextCase{L"C:\\a*", 2, true},
                    PathTextCase{L"C:\\a\x01", 2, true}, PathTextCase{L"C:\\a|b", 2, true},
                    PathTextCase{L"\\\\s:v\\share", 11, true},
                    // The "\\?\" form is passed on unparsed: no "/", no "." or "..".
                    PathTextCase{L"\\\\?\\E:\\a/b", 6, true},
                    PathTextCase{L"\\\\?\\E:\\a\\..\\b", 6, true},
                    PathTextCase{L"\\\\?\\E:\\a\\\\b", 6, true},
                    PathTextCase{L"\\\\?\\relative", 12, true}, PathTextCase{L"\\\\?\\", 4, true},
                    PathTextCase{L"\\\\?\\E:E:", 6, true}));

TEST(ItemPathTest, SegmentsThatWindowsTakesAsDevicesAreRecognised) {
  for (const wchar_t* path :
       {L"NUL", L"nul.txt", L"d\\AUX", L"d\\com1", L"COM9.tar.gz", L"d\\Lpt1.txt", L"d/con.txt",
        L"CONIN$", L"conout$.log", L"PRN.", L"aux .txt", L"nul. . ", L"lpt5\\inner.txt", L"a/Prn/b",
        L"COM\u00B9", L"lpt\u00B3.txt"}) {
    EXPECT_TRUE(NamesDevice(path)) << path;
  }
  for (const wchar_t* path :
       {L"", L"null", L"nul_x.txt", L"xnul", L"COM0", L"COM10", L"LPT", L"console.txt",
        L"d\\auxiliary\\x", L"CONIN", L"conout$x", L"a.nul", L"d\\x.con\\y", L"COM1x.txt"}) {
    EXPECT_FALSE(NamesDevice(path)) << path;
  }
}

TEST(SignatureScanTest, FindsTheFirstWholeSignature) {
  std::vector<unsigned char> data(100, 0x37);
  EXPECT_EQ(FindSignature(data.data(), data.size()), std::nullopt);
  std::copy(std::begin(kSignature), std::end(kSignature), data.begin() + 94);
  EXPECT_EQ(FindSignature(data.data(), data.size()), 94u);
  EXPECT_EQ(FindSignature(data.data(), 99), std::nullopt);  // cut by the window's end
  std::copy(std::begin(kSignature), std::end(kSignature), data.begin() + 3);
  EXPECT_EQ(FindSignature(data.data(), data.size()), 3u);
}

TEST(DosTimeTest, PacksLocalTimeInTwoSecondStepsWithinItsYears) {
  const auto at = [](double days, int h, int m, int s) {
    return days + (h * 3600 + m * 60 + s) / 86400.0;
  };
  struct Case {
    double date_time;
    std::uint32_t dos;
  };
  for (const Case& c : std::vector<Case>{
           {at(29221, 0, 0, 0), 1u << 16 | 1u << 21 | 0u},  // 1980-01-01
           {at(29221, 0, 0, 0) - 1.0 / 86400, 0},           // 1979-12-31 23:59:59
           {at(44362, 10, 20, 31), (15u | 6u << 5 | 41u << 9) << 16 | (15u | 20u << 5 | 10u << 11)},
           {at(36585, 23, 59, 59), (29u | 2u << 5 | 20u << 9) << 16 | (29u | 59u << 5 | 23u << 11)},
           {at(75972, 0, 0, 0) - 1.0 / 86400,
            (31u | 12u << 5 | 127u << 9) << 16 | (29u | 59u << 5 | 23u << 11)},
           {at(75972, 0, 0, 0), 0},  // 2108-01-01
           {-109205.0, 0}}) {        // no stored time: 1601
    EXPECT_EQ(DosDateTime(c.date_time), c.dos) << c.date_time;
  }
  EXPECT_DOUBLE_EQ(DateTimeFromTicks(0), -109205.0);
  EXPECT_DOUBLE_EQ(DateTimeFromTicks(864000000000ull), -109204.0);
}

TEST(PathPartsTest, SplitsAtTheLastSeparator) {
  EXPECT_EQ(FileExtension(L"C:\\a.b\\pack.EXE"), L".EXE");
  EXPECT_EQ(FileExtension(L"C:\\a.b\\pack"), L"");
  EXPECT_EQ(LastComponent(L"a\\b.txt"), L"b.txt");
  EXPECT_EQ(LastComponent(L"C:b.txt"), L"b.txt");
  EXPECT_EQ(WithTrailingBackslash(L"D:\\out"), L"D:\\out\\");
  EXPECT_EQ(WithTrailingBackslash(L"D:\\out\\"), L"D:\\out\\");
  EXPECT_EQ(WithTrailingBackslash(L""), L"");
}

}  // namespace
