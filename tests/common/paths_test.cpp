#include "common/paths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
  const char* path;
  const char* folder;
  const char* name;
  const char* drive;
  const char* ini;
};

class PathsTest : public testing::TestWithParam<PathCase> {};

TEST_P(PathsTest, SplitsWindowsPaths) {
  const PathCase& c = GetParam();
  EXPECT_EQ(ExtractFilePath(c.path), c.folder);
  EXPECT_EQ(ExtractFileName(c.path), c.name);
  EXPECT_EQ(ExtractFileDrive(c.path), c.drive);
  EXPECT_EQ(ChangeFileExt(c.path, ".ini"), c.ini);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathsTest,
    testing::Values(PathCase{"C:\\Tools\\Korvelund.exe", "C:\\Tools\\", "Korvelund.exe",
                             "C:", "C:\\Tools\\Korvelund.ini"},
                    PathCase{"E:\\a.b\\prog", "E:\\a.b\\", "prog", "E:", "E:\\a.b\\prog.ini"},
                    PathCase{"E:prog.x.exe", "E:", "prog.x.exe", "E:", "E:prog.x.ini"},
                    PathCase{"\\\\srv\\share\\dir\\k.exe", "\\\\srv\\share\\dir\\", "k.exe",
                             "\\\\srv\\share", "\\\\srv\\share\\dir\\k.ini"},
                    PathCase{"\\\\srv\\share", "\\\\srv\\", "share", "\\\\srv\\share",
                             "\\\\srv\\share.ini"},
                    PathCase{"name", "", "name", "", "name.ini"},
                    PathCase{"C:\\dir\\.hidden", "C:\\dir\\", ".hidden", "C:", "C:\\dir\\.ini"}));

TEST(IncludeTrailingBackslashTest, AddsOneBackslash) {
  EXPECT_EQ(IncludeTrailingBackslash("C:\\x"), "C:\\x\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\x\\"), "C:\\x\\");
  EXPECT_EQ(IncludeTrailingBackslash(""), "");
}

}  // namespace
