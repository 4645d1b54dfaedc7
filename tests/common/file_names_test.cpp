#include <windows.h>

#include "common/ansi_text.h"
#include "common/file_names.h"

#include <gtest/gtest.h>

namespace {

// Name text on the NT family is UTF-8; these tests run there (Wine's default).
struct NameCase {
  const char* ansi;  // in the test's code page
  const char* utf8;  // the same name
  const char* upper_utf8;
};

// Names within the code page change case exactly as the ANSI rules say;
// others by the Unicode rules.
void ExpectNameCases(std::initializer_list<NameCase> cases) {
  ASSERT_TRUE(WideFileNames());
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(NameFromAnsi(c.ansi), c.utf8);
    EXPECT_EQ(NameUpperCase(c.utf8), NameFromAnsi(AnsiUpperCase(c.ansi)));
    EXPECT_EQ(NameUpperCase(c.utf8), c.upper_utf8);
    EXPECT_EQ(NameLowerCase(c.upper_utf8), NameFromAnsi(AnsiLowerCase(AnsiUpperCase(c.ansi))));
  }
  // Greek and Japanese lie outside both code pages.
  EXPECT_EQ(NameUpperCase("\xCF\x89mega"), "\xCE\xA9MEGA");
  EXPECT_EQ(NameLowerCase("\xCE\xA9MEGA \xE6\x97\xA5"), "\xCF\x89mega \xE6\x97\xA5");
}

TEST(FileNames1252Test, CaseFollowsTheCodePageWhereNamesFitIt) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs ANSI code page 1252";
  ExpectNameCases({{"\xE9t\xE9", "\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"},
                   {"dp_\xFF.7z", "dp_\xC3\xBF.7z", "DP_\xC5\xB8.7Z"}});
  // Cyrillic does not fit 1252.
  EXPECT_EQ(NameUpperCase("\xD0\xB4\xD1\x80"), "\xD0\x94\xD0\xA0");
}

TEST(FileNames1251Test, CaseFollowsTheCodePageWhereNamesFitIt) {
  if (GetACP() != 1251) GTEST_SKIP() << "needs ANSI code page 1251";
  ExpectNameCases(
      {{"\xE4\xF0\xE0\xE9\xE2\xE5\xF0", "\xD0\xB4\xD1\x80\xD0\xB0\xD0\xB9\xD0\xB2\xD0\xB5\xD1\x80",
        "\xD0\x94\xD0\xA0\xD0\x90\xD0\x99\xD0\x92\xD0\x95\xD0\xA0"},
       {"\xB8", "\xD1\x91", "\xD0\x81"}});
}

// Best fit would make fullwidth "．．＼" into "..\": such a name does not fit.
TEST(FileNamesTest, OnlyExactRoundTripsFitTheCodePage) {
  EXPECT_TRUE(FitsAnsiCodePage(L"setup.inf"));
  EXPECT_TRUE(FitsAnsiCodePage(L""));
  EXPECT_FALSE(FitsAnsiCodePage(L"\uFF0E\uFF0E\uFF3Cescaped.inf"));
  EXPECT_FALSE(FitsAnsiCodePage(L"\uFF2E\uFF35\uFF2C"));
  EXPECT_FALSE(FitsAnsiCodePage(L"\u65E5\u672C"));
  EXPECT_FALSE(FitsAnsiCodePage(L"\u03A9mega"));
  EXPECT_EQ(WideToAnsi(L"plain"), "plain");
}

TEST(FileNamesTest, LongPathsTakeTheFormWithoutALimit) {
  EXPECT_EQ(LongPathForm(L"C:\\short\\x.inf"), L"C:\\short\\x.inf");
  const std::wstring deep(300, L'd');
  EXPECT_EQ(LongPathForm(L"C:\\a\\\\" + deep + L"/x"), L"\\\\?\\C:\\a\\" + deep + L"\\x");
  EXPECT_EQ(LongPathForm(L"\\\\server\\share\\" + deep), L"\\\\?\\UNC\\server\\share\\" + deep);
  EXPECT_EQ(LongPathForm(L"\\\\?\\C:\\" + deep), L"\\\\?\\C:\\" + deep);
  // A relative path has no such form.
  EXPECT_EQ(LongPathForm(deep), deep);
}

}  // namespace
