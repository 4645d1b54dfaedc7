#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/texts.h"
#include "common/env_expand.h"
#include "common/profile_file.h"
#include "form_fixture.h"
#include "support/file_util.h"

namespace {

using testing_support::ReadTextFile;
using testing_support::WriteTextFile;

const TextSet& ru = RussianTextSet();
const TextSet& en = EnglishTextSet();

struct ArrangementCase {
  const char* name;
  std::vector<std::string> tree;
  bool archives_shown;
  bool folders_shown;
  bool switch_shown;
  int entries;  // of the longer list
};

class Arrangement : public FormTest, public testing::WithParamInterface<ArrangementCase> {};

TEST_P(Arrangement, FollowsThePackageFolders) {
  const ArrangementCase& c = GetParam();
  MakeTree(c.tree);
  WriteSettings("[CopyFiles]\r\nTimer=0\r\n");
  TForm1& form = CreateForm();
  EXPECT_EQ(form.CheckListBox1->Visible(), c.archives_shown);
  EXPECT_EQ(form.CheckListBox2->Visible(), c.folders_shown);
  EXPECT_EQ(form.Panel2->Visible(), c.switch_shown);
  EXPECT_EQ(ListHeight, 18 * c.entries);
  EXPECT_EQ(form.Height(), 158 + 18 * c.entries);
  EXPECT_EQ(PackagesPresent, c.entries > 0);
  // The lists take the client area below the fixed part.
  for (const TKWTXPCheckListBox* list : {form.CheckListBox1, form.CheckListBox2}) {
    EXPECT_EQ(list->Top() + list->Height(), form.ClientHeight());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Trees, Arrangement,
    testing::Values(
        ArrangementCase{"Both",
                        {"Zipped\\DP_A.7z", "Zipped\\DP_B.7z", "UnZipped\\Chipset\\x.inf"},
                        true,
                        false,
                        true,
                        2},
        ArrangementCase{
            "EmptyZippedFolder",
            {"Zipped\\", "UnZipped\\Chipset\\x", "UnZipped\\Lan\\x", "UnZipped\\Sound\\"},
            false,
            true,
            false,
            3},
        ArrangementCase{
            "EmptyUnZippedFolder", {"Zipped\\DP_A.7z", "UnZipped\\"}, true, false, false, 1},
        ArrangementCase{"OnlySubFolderListedAsZipped", {"ZIPPED\\DP_A.7z"}, true, false, false, 1},
        ArrangementCase{"ArchivesInTheRoot", {"DP_A.7z", "dp_b.7z", "c.7z"}, true, false, false, 3},
        ArrangementCase{"FoldersInTheRoot", {"Lan\\x", "Video\\"}, false, true, false, 2},
        ArrangementCase{"Nothing", {"readme.txt"}, false, false, false, 0}),
    [](const testing::TestParamInfo<ArrangementCase>& param) { return param.param.name; });

TEST_F(FormTest, ListsShowDisplayNamesInEnumerationOrder) {
  MakeTree({"Zipped\\DP_Sound_A.7Z", "Zipped\\dp_sound.7z", "Zipped\\Folder.7z\\",
            "UnZipped\\Network\\", "UnZipped\\Zipped\\", "UnZipped\\zipped\\"});
  TForm1& form = CreateForm();
  std::vector<std::string> archives = Entries(form.CheckListBox1);
  std::sort(archives.begin(), archives.end());
  EXPECT_EQ(archives, (std::vector<std::string>{"DP_sound_a.7z", "Dp_sound.7z", "Folder.7z"}));
  // "Zipped" and "zipped" are one folder on this file system; it is listed
  // under the name the folder has on disk, and "Zipped" is left out.
  EXPECT_EQ(Entries(form.CheckListBox2), std::vector<std::string>{"NETWORK"});
}

// The window asks for 18 pixels per entry, the system gives it no more than
// about the screen: the list ends inside the window and scrolls to its last
// entry.
TEST_F(FormTest, AListLongerThanTheScreenScrollsInsideTheWindow) {
  const int entries = GetSystemMetrics(SM_CYMAXTRACK) / 18 + 20;
  std::vector<std::string> tree;
  for (int i = 0; i < entries; ++i) tree.push_back("Zipped\\DP_" + std::to_string(i) + ".7z");
  MakeTree(tree);
  WriteSettings("[CopyFiles]\r\nTimer=0\r\n");
  TForm1& form = CreateForm();
  Activate();
  EXPECT_EQ(ListHeight, 18 * entries);
  TKWTXPCheckListBox* list = form.CheckListBox1;
  EXPECT_LE(form.Height(), GetSystemMetrics(SM_CYMAXTRACK));
  EXPECT_EQ(list->Top() + list->Height(), form.ClientHeight());
  list->SetItemIndex(entries - 1);
  EXPECT_GT(list->TopIndex(), 0);
  EXPECT_LE(list->ItemRect(entries - 1).bottom, list->ClientHeight());
}

TEST_F(FormTest, NoPackagesInRussianShowsTheRedHeaderAndEndsAfterFiveSteps) {
  WriteSettings("[CopyFiles]\r\nTimer=12\r\n");
  TForm1& form = CreateForm();
  EXPECT_FALSE(PackagesPresent);
  EXPECT_EQ(Countdown, 5);
  EXPECT_EQ(form.Header1->Caption(), ru.no_packages_header);
  EXPECT_EQ(ColorToRGB(form.Header1->Font().Color()), RGB(255, 0, 0));
  EXPECT_FALSE(form.Header1->Enabled());
  EXPECT_EQ(form.Label1->Caption(), ru.exit);
  EXPECT_EQ(ButtonText(), ru.exit);
  EXPECT_FALSE(form.CollapsePanel1->Visible());
  EXPECT_FALSE(form.Button1->OnMouseMove);
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(form.Height(), 158);
}

TEST_F(FormTest, NoPackagesInEnglishKeepsTheHeaderColour) {
  WriteSettings("[CopyFiles]\r\nLangEn=1\r\nHMin=1\r\n");
  TForm1& form = CreateForm();
  EXPECT_EQ(form.Header1->Caption(), en.no_packages_header);
  EXPECT_NE(ColorToRGB(form.Header1->Font().Color()), RGB(255, 0, 0));
  EXPECT_EQ(form.Label1->Caption(), "Exit");
  EXPECT_EQ(ButtonText(), "Exit");
  EXPECT_EQ(form.Caption(), en.compact_caption);
  EXPECT_EQ(form.Height(), 132);
}

TEST_F(FormTest, CompactModeFromTheSettings) {
  MakeTree({"Zipped\\DP_A.7z"});
  WriteSettings("[CopyFiles]\r\nHMin=1\r\n");
  TForm1& form = CreateForm();
  EXPECT_TRUE(CompactMode);
  EXPECT_EQ(form.Caption(), ru.compact_caption);
  EXPECT_EQ(SavedCaption, "Korvelund");
  EXPECT_EQ(form.Height(), 132);
  EXPECT_FALSE(form.CollapsePanel2->Visible());
  EXPECT_FALSE(form.Header1->Enabled());
  EXPECT_EQ(form.BorderIcons() & biSystemMenu, 0u);
  EXPECT_TRUE(form.Timer1->Enabled());
}

TEST_F(FormTest, CompactModeEndsWhenTheMouseReachesTheButton) {
  MakeTree(
      {"Zipped\\DP_A.7z", "Zipped\\DP_B.7z", "UnZipped\\A\\", "UnZipped\\B\\", "UnZipped\\C\\"});
  WriteSettings("[CopyFiles]\r\nHMin=1\r\n");
  TForm1& form = CreateForm();
  form.Button1MouseMove(form.Button1, 0, 1, 1);
  EXPECT_FALSE(CompactMode);
  EXPECT_EQ(form.Caption(), "Korvelund");
  EXPECT_EQ(form.Height(), 158 + 3 * 18);
  EXPECT_TRUE(form.CollapsePanel2->Visible());
  EXPECT_TRUE(form.Header1->Enabled());
  EXPECT_NE(form.BorderIcons() & biSystemMenu, 0u);
  // Shown again centred on the desktop.
  EXPECT_EQ(form.Position(), TPosition::poDesktopCenter);
  EXPECT_EQ(form.Top(), (GetSystemMetrics(SM_CYSCREEN) - form.Height()) / 2);
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(form.Timer1->Enabled());
}

struct ArgumentsCase {
  std::vector<std::string> arguments;
  bool english;
  bool compact;
  std::int32_t countdown;
};

class CommandLine : public FormTest, public testing::WithParamInterface<ArgumentsCase> {};

TEST_P(CommandLine, StandsInForTheSettingsFile) {
  const ArgumentsCase& c = GetParam();
  MakeTree({"DP_A.7z"});
  TForm1& form = CreateForm(c.arguments);
  EXPECT_EQ(EnglishTexts, c.english);
  EXPECT_EQ(CompactMode, c.compact);
  EXPECT_EQ(Countdown, c.countdown);
  const TextSet& texts = c.english ? en : ru;
  EXPECT_EQ(form.Header1->Caption(), texts.header);
  EXPECT_EQ(form.Label2->Caption(), texts.no_settings_notice);
  if (c.compact) {
    EXPECT_EQ(form.Caption(), texts.compact_caption);
  }
  EXPECT_FALSE(form.CheckBox2->Visible());
  EXPECT_EQ(form.CollapsePanel1->Height(), 72);
  // As written, also once the window exists, though an entry differs only in case.
  Activate();
  EXPECT_EQ(form.ComboBox1->Text(), "%Systemdrive%\\D");
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLine,
                         testing::Values(ArgumentsCase{{}, false, false, 30},
                                         ArgumentsCase{{"h", "en"}, true, true, 30},
                                         ArgumentsCase{{"en", "h"}, true, true, 30},
                                         ArgumentsCase{{"EN"}, true, false, 30},
                                         ArgumentsCase{{"H"}, false, true, 30},
                                         ArgumentsCase{{"45", "10"}, false, false, 45},
                                         ArgumentsCase{{"99999999999", "7"}, false, false, 7}));

TEST_F(FormTest, ArgumentsAreIgnoredWithASettingsFile) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[CopyFiles]\r\nLangEn=0\r\n");
  TForm1& form = CreateForm({"en", "h", "7"});
  EXPECT_FALSE(EnglishTexts);
  EXPECT_FALSE(CompactMode);
  EXPECT_EQ(Countdown, 30);
  EXPECT_EQ(form.Label2->Caption(), ru.item_line);
}

struct TimerCase {
  const char* line;
  std::int32_t countdown;
};

class TimerSetting : public FormTest, public testing::WithParamInterface<TimerCase> {};

TEST_P(TimerSetting, SetsTheCountdown) {
  MakeTree({"DP_A.7z"});
  WriteSettings(std::string("[CopyFiles]\r\n") + GetParam().line + "\r\n");
  TForm1& form = CreateForm();
  EXPECT_EQ(Countdown, GetParam().countdown);
  EXPECT_EQ(form.Timer1->Enabled(), GetParam().countdown > 0);
  if (GetParam().countdown <= 0) {
    EXPECT_EQ(ButtonText(), ru.apply);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, TimerSetting,
                         testing::Values(TimerCase{"Other=1", 30}, TimerCase{"Timer=0", 0},
                                         TimerCase{"Timer=abc", 0}, TimerCase{"Timer=-5", -5},
                                         TimerCase{"Timer=0x1E", 30}, TimerCase{"Timer=", 0},
                                         TimerCase{"timer = 7", 7},
                                         TimerCase{"=oops\r\nTimer=0", 0}));

struct DestinationCase {
  const char* drv_folder;  // nullptr: no DrvFolder key
  const char* shown;
  int entries;
};

class Destination : public FormTest, public testing::WithParamInterface<DestinationCase> {};

TEST_P(Destination, PicksOrAppendsTheEntry) {
  const DestinationCase& c = GetParam();
  ASSERT_TRUE(ExpandEnvVars("%SystemDrive%") == "C:") << "these cases assume the system drive C:";
  WriteSettings(c.drv_folder ? std::string("[Options]\r\nDrvFolder=") + c.drv_folder + "\r\n" : "");
  TForm1& form = CreateForm();
  EXPECT_EQ(form.ComboBox1->Text(), c.shown);
  EXPECT_EQ(form.ComboBox1->Items().Count(), c.entries);
  EXPECT_EQ(form.ComboBox1->Items().Strings(form.ComboBox1->ItemIndex()), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Values, Destination,
                         testing::Values(DestinationCase{nullptr, "%SYSTEMDRIVE%\\D", 2},
                                         DestinationCase{"C:\\D", "%SYSTEMDRIVE%\\D", 2},
                                         DestinationCase{"C:\\d", "%SYSTEMDRIVE%\\D", 2},
                                         DestinationCase{"C:\\", "%SYSTEMDRIVE%\\D", 2},
                                         DestinationCase{"C:", "%SYSTEMDRIVE%\\D", 2},
                                         DestinationCase{"%SystemDrive%\\D", "%SYSTEMDRIVE%\\D", 2},
                                         DestinationCase{"c:\\d", "C:\\D", 3},
                                         DestinationCase{"d:\\drivers", "D:\\DRIVERS", 3},
                                         DestinationCase{"%systemdrive%\\drivers",
                                                         "%SYSTEMDRIVE%\\DRIVERS", 2}));

TEST_F(FormTest, PackageRootComesFromDrvSource) {
  testing_support::TempFolder packages;
  WriteTextFile(packages / "Zipped\\DP_Lan.7z", "");
  SetEnvironmentVariableA("KorvelundTestPackages", packages.Path().c_str());
  WriteSettings("[CopyFiles]\r\nDrvSource=%KorvelundTestPackages%\r\n");
  TForm1& form = CreateForm();
  EXPECT_EQ(PackageRoot, packages.Path());
  EXPECT_EQ(Entries(form.CheckListBox1), std::vector<std::string>{"DP_lan.7z"});
  SetEnvironmentVariableA("KorvelundTestPackages", nullptr);
}

TEST_F(FormTest, EmptyDrvSourceMeansTheProgramFolder) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[CopyFiles]\r\nDrvSource=\r\n");
  CreateForm();
  EXPECT_EQ(PackageRoot, Root().Path() + "\\");
  EXPECT_EQ(Entries(Form().CheckListBox1), std::vector<std::string>{"DP_a.7z"});
}

TEST_F(FormTest, LanguageSetting) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[CopyFiles]\r\nLangEn=1\r\n");
  TForm1& form = CreateForm();
  EXPECT_TRUE(EnglishTexts);
  EXPECT_EQ(form.Font().Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(form.Header1->Caption(), en.header);
  EXPECT_EQ(form.Label3->Caption(), en.destination_label);
  EXPECT_EQ(form.CheckBox1->Caption(), en.delete_after_setup);
  EXPECT_EQ(form.CheckBox2->Caption(), en.copy_distribution);
  EXPECT_EQ(form.CheckBox3->Caption(), en.select_all);
  EXPECT_EQ(form.Label2->Caption(), en.item_line);
  EXPECT_EQ(form.CheckBox1->Hint(), "|Drivers will be removed after installation");
  EXPECT_EQ(form.SpeedButton1->Hint(), "Driver packages");
}

TEST_F(FormTest, HintLineShowsTheLongHintOfTheControlUnderTheMouse) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[CopyFiles]\r\nLangEn=1\r\n");
  TForm1& form = CreateForm();
  Activate();
  Application->MouseMovedOver(form.CheckBox1);
  EXPECT_EQ(form.Label1->Caption(), "Drivers will be removed after installation");
  Application->MouseMovedOver(form.SpeedButton1);
  EXPECT_EQ(form.Label1->Caption(), "Driver packages");
  Application->MouseMovedOver(form.Label5);
  EXPECT_EQ(form.Label1->Caption(), "");
}

TEST_F(FormTest, LanguageOtherThanOneIsRussian) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[CopyFiles]\r\nLangEn=2\r\n");
  TForm1& form = CreateForm();
  EXPECT_FALSE(EnglishTexts);
  EXPECT_EQ(form.Header1->Caption(), ru.header);
  EXPECT_EQ(form.ComboBox1->Hint(), ru.hints.combo_box1);
  EXPECT_EQ(form.Font().Charset(), RUSSIAN_CHARSET);
}

TEST_F(FormTest, OptionBoxesWithoutTarnixMode) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[Options]\r\nDelDrvAfterInst=1\r\n[CopyFiles]\r\nDistrCopy=1\r\n");
  WriteTextFile(Root() / "Halbrent.exe", "");
  TForm1& form = CreateForm();
  EXPECT_FALSE(TarnixMode);
  EXPECT_FALSE(form.CheckBox1->Checked());
  EXPECT_FALSE(form.CheckBox1->Enabled());
  EXPECT_TRUE(form.CheckBox2->Checked());
  EXPECT_TRUE(form.CheckBox2->Visible());
  EXPECT_EQ(form.CollapsePanel1->Height(), 120);
}

TEST_F(FormTest, WithoutHalbrentTheDistributionCopyIsNotOffered) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[CopyFiles]\r\nDistrCopy=1\r\n");
  TForm1& form = CreateForm();
  EXPECT_FALSE(form.CheckBox2->Visible());
  EXPECT_EQ(form.CollapsePanel1->Height(), 72);
}

TEST_F(FormTest, TarnixModeCopiesTheSettingsIntoAnExistingTarnixIni) {
  MakeTree({"DP_A.7z"});
  const std::string settings =
      "[Options]\r\nDelDrvAfterInst=0\r\nDrvFolder=E:\\Drivers\r\n[CopyFiles]\r\nTarnix=1\r\n";
  WriteSettings(settings);
  WriteTextFile(TarnixIni(), "[Options]\r\nDrvFolder=old\r\nOwn=1\r\n");
  TForm1& form = CreateForm();
  EXPECT_TRUE(TarnixMode);
  EXPECT_EQ(TarnixIniPath, TarnixIni());
  EXPECT_TRUE(form.CheckBox1->Enabled());
  EXPECT_EQ(ReadTextFile(TarnixIni()),
            "[Options]\r\nDrvFolder=E:\\Drivers\r\nOwn=1\r\nDelDrvAfterInst=0\r\n\r\n"
            "[CopyFiles]\r\nTarnix=1\r\n\r\n");
  EXPECT_EQ(ReadTextFile(Root() / "Korvelund.ini"), settings);
}

TEST_F(FormTest, TarnixModeWithoutTarnixIniCreatesNothing) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[Options]\r\nDelDrvAfterInst=1\r\n[CopyFiles]\r\nTarnix=1\r\n");
  TForm1& form = CreateForm();
  EXPECT_TRUE(form.CheckBox1->Enabled());
  EXPECT_TRUE(form.CheckBox1->Checked());
  form.SaveOptions();
  EXPECT_EQ(GetFileAttributesA(TarnixIni().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FormTest, SaveOptionsWritesTheWindowsChoices) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[CopyFiles]\r\nTarnix=1\r\n");
  WriteTextFile(TarnixIni(), "[Setup]\r\nKeep=1\r\n");
  TForm1& form = CreateForm();
  form.ComboBox1->SetText("%Systemdrive%\\Drv");
  form.CheckBox1->SetChecked(true);
  form.CheckBox2->SetChecked(false);
  form.SaveOptions();
  const ProfileFile tarnix(TarnixIni());
  EXPECT_EQ(tarnix.ReadString("Setup", "Keep", ""), "1");
  EXPECT_EQ(tarnix.ReadString("Options", "DrvFolder", ""), "%Systemdrive%\\Drv");
  EXPECT_EQ(tarnix.ReadString("Options", "DelDrvAfterInst", ""), "1");
  EXPECT_EQ(tarnix.ReadString("CopyFiles", "DistrCopy", ""), "0");
  EXPECT_EQ(tarnix.ReadString("Options", "PostSetup", ""), "1");
}

TEST_F(FormTest, HintSectionBecomesTheHintTable) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[Hint]\r\nCHIPSET=Intel\r\n=oops\r\nchip = All chips\r\nCHIPSET=\"Intel 2\"\r\n");
  CreateForm();
  ASSERT_TRUE(HintTable.has_value());
  EXPECT_EQ(*HintTable, (std::vector<std::string>{"CHIPSET=Intel", "=oops", "chip=All chips",
                                                  "CHIPSET=Intel 2"}));
}

TEST_F(FormTest, HintSectionWithoutKeysCountsAsMissing) {
  MakeTree({"DP_A.7z"});
  WriteSettings("[Hint]\r\n[CopyFiles]\r\nTimer=3\r\n");
  CreateForm();
  EXPECT_FALSE(HintTable.has_value());
}

TEST_F(FormTest, EnvironmentPreparation) {
  MakeTree({"DP_A.7z"});
  SetEnvironmentVariableA("SrcDosPath", "");
  CreateForm();
  char value[64] = {};
  GetEnvironmentVariableA("SrcDosPath", value, sizeof value);
  EXPECT_EQ(std::string(value), Root().Path().substr(0, 2));
  SetEnvironmentVariableA("SrcDosPath", "Q:\\Source");
  CreateForm();
  GetEnvironmentVariableA("SrcDosPath", value, sizeof value);
  EXPECT_EQ(std::string(value), "Q:\\Source");
}

}  // namespace
