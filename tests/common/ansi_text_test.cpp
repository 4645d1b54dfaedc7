#include <windows.h>

#include "common/ansi_text.h"

#include <gtest/gtest.h>

namespace {

// The same bytes mean different letters in different ANSI code pages; each
// test runs under the code page its CTest entry sets through LANG.

TEST(AnsiText1252Test, FollowsWesternCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs ANSI code page 1252";
  EXPECT_EQ(AnsiUpperCase("dp_chipset_wnt5.7z"), "DP_CHIPSET_WNT5.7Z");
  EXPECT_EQ(AnsiUpperCase("\xE9t\xE9"), "\xC9T\xC9");  // été
  EXPECT_EQ(AnsiLowerCase("\xC4RGER"), "\xE4rger");    // Ärger
  EXPECT_TRUE(AnsiSameText("\xE9t\xE9", "\xC9T\xC9"));
}

TEST(AnsiText1251Test, FollowsCyrillicCodePage) {
  if (GetACP() != 1251) GTEST_SKIP() << "needs ANSI code page 1251";
  // "драйвер" <-> "ДРАЙВЕР" in Windows-1251.
  EXPECT_EQ(AnsiUpperCase("\xE4\xF0\xE0\xE9\xE2\xE5\xF0"), "\xC4\xD0\xC0\xC9\xC2\xC5\xD0");
  EXPECT_EQ(AnsiLowerCase("\xC4\xD0\xC0\xC9\xC2\xC5\xD0"), "\xE4\xF0\xE0\xE9\xE2\xE5\xF0");
  EXPECT_EQ(AnsiUpperCase("\xB8"), "\xA8");  // ё -> Ё
  EXPECT_EQ(AnsiUpperCase("abc_1.7z"), "ABC_1.7Z");
}

}  // namespace
