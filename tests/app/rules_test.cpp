#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/captions.h"
#include "app/command_line.h"
#include "app/form_description.h"
#include "app/ini_document.h"
#include "app/package_rules.h"
#include "ascii_case.h"

namespace {

TEST(Captions, CounterAndCountdownTexts) {
  EXPECT_EQ(CounterText(3, 12), "[3/12]");
  EXPECT_EQ(CounterText(0, 0), kResetCounterText);
  EXPECT_EQ(CounterText(2147483647, 2147483647), "[2147483647/2147483647]");
  EXPECT_EQ(CountdownCaption("Exit", 29), "Exit 29");
  EXPECT_EQ(CountdownCaption("Extract", 0), "Extract 0");
}

struct CommandLineCase {
  std::vector<std::string> arguments;
  std::optional<std::int32_t> countdown;
  bool english;
  bool compact;
};

class CommandLineScan : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineScan, GivesTheOptions) {
  const CommandLineCase& c = GetParam();
  const CommandLineOptions options = ScanCommandLine(c.arguments);
  EXPECT_EQ(options.countdown, c.countdown);
  EXPECT_EQ(options.english, c.english);
  EXPECT_EQ(options.compact, c.compact);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineScan,
    testing::Values(CommandLineCase{{}, std::nullopt, false, false},
                    CommandLineCase{{"45", "10"}, 45, false, false},
                    CommandLineCase{{"h", "en"}, std::nullopt, true, true},
                    CommandLineCase{{"EN", "H"}, std::nullopt, true, true},
                    CommandLineCase{{"En"}, std::nullopt, true, false},
                    CommandLineCase{{"007"}, 7, false, false},
                    CommandLineCase{{"0"}, 0, false, false},
                    CommandLineCase{{"2147483647"}, 2147483647, false, false},
                    // Too large for 32 bits: ignored, a later number still counts.
                    CommandLineCase{{"2147483648"}, std::nullopt, false, false},
                    CommandLineCase{{"99999999999999999999", "12"}, 12, false, false},
                    CommandLineCase{{"-5", "+5", "5s", "0x10", ""}, std::nullopt, false, false},
                    CommandLineCase{{"eng", "hh", "/h", "e n"}, std::nullopt, false, false}));

TEST(PackageDisplayName, LowersAllButTheLeadingCapitals) {
  const std::pair<std::string, std::string> cases[] = {
      {"DP_Chipset_WNT5_x86-32_1209.7z", "DP_chipset_wnt5_x86-32_1209.7z"},
      {"DP_Sound_A.7Z", "DP_sound_a.7z"},
      {"dp_sound.7z", "Dp_sound.7z"},
      {"Video.7Z", "Video.7z"},
      {"dP_LAN.7z", "Dp_lan.7z"},
      {"DP_", "DP_"},
      {"DP", "Dp"},
      {"x", "X"},
      {"", ""},
  };
  for (const auto& [found, shown] : cases) {
    EXPECT_EQ(PackageDisplayName(found, AsciiLower, AsciiUpper), shown) << found;
  }
}

TEST(ListedFolders, LeaveOutDotsAndTheExactZippedName) {
  for (std::string_view name : {".", "..", "Zipped"}) EXPECT_FALSE(IsListedFolder(name)) << name;
  for (std::string_view name : {"ZIPPED", "zipped", "Chipset", "...", "Zipped2"}) {
    EXPECT_TRUE(IsListedFolder(name)) << name;
  }
}

TEST(HoverHint, LastMatchingPairWins) {
  const std::vector<std::string> table = {"CHIPSET=Intel chipset", "chip=Any chip = all",
                                          "LAN=Network"};
  EXPECT_EQ(HoverHintText(table, "DP_chipset.7z", AsciiUpper), "Any chip = all");
  EXPECT_EQ(HoverHintText(table, "DP_lan_x.7z", AsciiUpper), "Network");
  EXPECT_EQ(HoverHintText(table, "DP_sound.7z", AsciiUpper), std::nullopt);
  EXPECT_EQ(HoverHintText({}, "DP_chipset.7z", AsciiUpper), std::nullopt);
  EXPECT_EQ(HoverHintText({"VIDEO="}, "VIDEO", AsciiUpper), "");
  // A line without a name matches no entry.
  EXPECT_EQ(HoverHintText({"=oops"}, "DP_sound.7z", AsciiUpper), std::nullopt);
}

// Expansion against a fixed environment with the system drive on C:.
std::string ExpandOnC(std::string_view text) {
  std::string result(text);
  for (const char* name : {"%Systemdrive%", "%SystemDrive%", "%SYSTEMDRIVE%"}) {
    for (std::size_t at; (at = result.find(name)) != std::string::npos;) {
      result.replace(at, std::string_view(name).size(), "C:");
    }
  }
  return result;
}

TEST(DestinationFolderValue, DefaultSpellingsBecomeOneEntry) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\D", "%SYSTEMDRIVE%\\D"},
      {"C:\\d", "%SYSTEMDRIVE%\\D"},
      {"C:\\", "%SYSTEMDRIVE%\\D"},
      {"C:", "%SYSTEMDRIVE%\\D"},
      {"%SystemDrive%\\D", "%SYSTEMDRIVE%\\D"},
      {"c:\\d", "C:\\D"},  // the comparison is exact
      {"d:\\drivers", "D:\\DRIVERS"},
      {"%Other%\\x", "%OTHER%\\X"},
      {"C:\\D\\", "C:\\D\\"},
  };
  for (const auto& [value, entry] : cases) {
    EXPECT_EQ(DestinationFolderValue(value, ExpandOnC, AsciiUpper), entry) << value;
  }
}

TEST(DestinationFolderValue, WithoutASystemDriveOnlyTheWrittenFormsMatch) {
  const auto keep = [](std::string_view text) { return std::string(text); };
  EXPECT_TRUE(IsDefaultDestination("%Systemdrive%", keep));
  EXPECT_TRUE(IsDefaultDestination("%Systemdrive%\\d", keep));
  EXPECT_FALSE(IsDefaultDestination("%SYSTEMDRIVE%\\D", keep));
}

// An empty destination would be the current folder, which during setup may be
// the system folder: it means the default, as an absent DrvFolder does.
TEST(DestinationFolderValue, EmptyOrBlankMeansTheDefault) {
  const auto keep = [](std::string_view text) { return std::string(text); };
  for (const char* value : {"", " ", "\t \t"}) {
    EXPECT_TRUE(IsDefaultDestination(value, keep)) << '"' << value << '"';
    EXPECT_EQ(DestinationFolderValue(value, ExpandOnC, AsciiUpper), kDefaultDestination);
  }
  EXPECT_FALSE(IsDefaultDestination(" x", keep));
}

TEST(IniDocument, LoadingNormalisesTheText) {
  IniDocument ini(AsciiUpper);
  ini.Load(
      "orphan=1\r\n; comment\r\n  [Options]  \r\n\r\n  DrvFolder  =  C:\\D \r\n"
      "bare line\r\n;x=1\r\nEmpty=\r\n[CopyFiles]\nDistrCopy=1\n[Options]\nLate=2");
  EXPECT_EQ(ini.Text(),
            "[Options]\r\nDrvFolder=C:\\D\r\nbare line\r\nEmpty=\r\nLate=2\r\n\r\n"
            "[CopyFiles]\r\nDistrCopy=1\r\n\r\n");
}

TEST(IniDocument, SetReplacesInPlaceOrAppends) {
  IniDocument ini(AsciiUpper);
  ini.Load("[Options]\nDRVFOLDER = old\nKeep=1\n[Other]\nx=y\n");
  ini.Set("options", "DrvFolder", "%Systemdrive%\\D");
  ini.Set("Options", "PostSetup", "1");
  ini.Set("CopyFiles", "Timer", "");
  ini.Set("Other", "bare", "v");
  EXPECT_EQ(ini.Text(),
            "[Options]\r\nDrvFolder=%Systemdrive%\\D\r\nKeep=1\r\nPostSetup=1\r\n\r\n"
            "[Other]\r\nx=y\r\nbare=v\r\n\r\n"
            "[CopyFiles]\r\nTimer=\r\n\r\n");
}

// Headers as the profile functions read them: the name up to the line's last
// "]", blanks around it dropped, anything after it ignored.
TEST(IniDocument, HeadersAreReadAsTheProfileFunctionsReadThem) {
  IniDocument ini(AsciiUpper);
  ini.Load(
      "[Setup] ; tool settings\r\nMode=2\r\n[ Options ]\r\nOwn=1\r\n[Odd]name]\r\nW=1\r\n"
      "[unclosed\r\n[\tCopyFiles]\r\nx=1\r\n");
  ini.Set("Options", "DrvFolder", "C:\\D");
  ini.Set("copyfiles", "Timer", "5");
  EXPECT_EQ(ini.Text(),
            "[Setup]\r\nMode=2\r\n\r\n[Options]\r\nOwn=1\r\nDrvFolder=C:\\D\r\n\r\n"
            "[Odd]name]\r\nW=1\r\n[unclosed\r\n\r\n[CopyFiles]\r\nx=1\r\nTimer=5\r\n\r\n");
}

TEST(ProfileValues, FirstLineOfAKeyCountsAndNamesFoldTogether) {
  const ProfileValues values = ReadProfileValues(
      "before=0\r\n[Options]\r\n  DrvFolder =  \"C:\\D\" \r\n;Late=1\r\ndrvfolder=second\r\n"
      "bare\r\n[ Other ] ; note\nEmpty=\n[OPTIONS]\nLate=2\nQuoted='x\"\n",
      AsciiUpper);
  const ProfileValues expected = {{{"OPTIONS", "DRVFOLDER"}, "C:\\D"},
                                  {{"OTHER", "EMPTY"}, ""},
                                  {{"OPTIONS", "LATE"}, "2"},
                                  {{"OPTIONS", "QUOTED"}, "'x\""}};
  EXPECT_EQ(values, expected);
}

TEST(IniDocument, ManySectionsKeepTheirPlacesAndKeys) {
  std::string text;
  for (int i = 0; i < 20000; ++i) {
    text += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
  }
  EXPECT_EQ(ReadProfileValues(text, AsciiUpper).size(), 20000u);
  IniDocument ini(AsciiUpper);
  ini.Load(text);
  ini.Set("s19999", "K", "last");
  ini.Set("s0", "new", "1");
  const std::string out = ini.Text();
  EXPECT_NE(out.find("[S19999]\r\nK=last\r\n"), std::string::npos);
  EXPECT_EQ(out.rfind("[S0]\r\nk=0\r\nnew=1\r\n\r\n[S1]", 0), 0u);
}

TEST(IniDocument, EmptyTextGivesEmptyFile) {
  IniDocument ini(AsciiUpper);
  ini.Load("");
  EXPECT_EQ(ini.Text(), "");
  ini.Load("no section=1\n;only comments\n");
  EXPECT_EQ(ini.Text(), "");
}

TEST(FormDescription, OnlyTheSignatureMarksAScrambledOne) {
  const std::vector<std::uint8_t> scrambled = {0x55, 0x51, 0x47, 0x31, 0x00, 0x42};
  EXPECT_TRUE(IsScrambledDescription(scrambled.data(), scrambled.size()));
  EXPECT_EQ(UnscrambleDescription(scrambled.data(), scrambled.size()),
            (std::vector<std::uint8_t>{'T', 'P', 'F', '0', 0xFF, 0x41}));
  const std::vector<std::vector<std::uint8_t>> plain = {{},
                                                        {0x55, 0x51, 0x47},
                                                        {'T', 'P', 'F', '0'},
                                                        {0x55, 0x51, 0x47, 0x32},
                                                        {0x31, 0x47, 0x51, 0x55}};
  for (const auto& bytes : plain) EXPECT_FALSE(IsScrambledDescription(bytes.data(), bytes.size()));
}

}  // namespace
