#include "common/profile_file.h"
#include "support/file_util.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ReadTextFile;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

class ProfileFileTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteTextFile(path_,
                  "[CopyFiles]\r\n"
                  "Timer=0x1E\r\n"
                  "=a line without a key name\r\n"
                  "a line without an equals sign\r\n"
                  "Hex=$10\r\n"
                  "LangEn=abc\r\n"
                  "Empty=\r\n"
                  "Negative=-5\r\n"
                  "Long=" +
                      std::string(3000, 'v') +
                      "\r\n"
                      "[Hint]\r\n"
                      "no key here\r\n"
                      "[select]\r\n"
                      "=oops\r\n"
                      "DP_Chipset_wnt5.7z=1\r\n");
  }
  TempFolder folder_;
  std::string path_ = folder_ / "Korvelund.ini";
  ProfileFile file_{path_};
};

TEST_F(ProfileFileTest, SectionsCountOnlyWithKeys) {
  EXPECT_TRUE(file_.SectionExists("copyfiles"));
  EXPECT_TRUE(file_.SectionExists("SELECT"));
  EXPECT_FALSE(file_.SectionExists("Hint"));
  EXPECT_FALSE(file_.SectionExists("Missing"));
}

// A line with an empty key name hides nothing after it.
TEST_F(ProfileFileTest, KeysMatchWithoutCaseAndCountWhenEmpty) {
  EXPECT_TRUE(file_.KeyExists("CopyFiles", "TIMER"));
  EXPECT_TRUE(file_.KeyExists("CopyFiles", "Negative"));
  EXPECT_TRUE(file_.KeyExists("CopyFiles", "Empty"));
  EXPECT_TRUE(file_.KeyExists("Select", "dp_chipset_WNT5.7z"));
  EXPECT_FALSE(file_.KeyExists("CopyFiles", "Tarnix"));
  EXPECT_FALSE(file_.KeyExists("Hint", "Timer"));
}

TEST_F(ProfileFileTest, ReadsIntegersAndBooleans) {
  EXPECT_EQ(file_.ReadInteger("CopyFiles", "Timer", 30), 30);
  EXPECT_EQ(file_.ReadInteger("CopyFiles", "Hex", 0), 16);
  EXPECT_EQ(file_.ReadInteger("CopyFiles", "LangEn", 0), 0);
  EXPECT_EQ(file_.ReadInteger("CopyFiles", "Empty", 0), 0);
  EXPECT_EQ(file_.ReadInteger("CopyFiles", "Negative", 0), -5);
  EXPECT_EQ(file_.ReadInteger("CopyFiles", "Missing", 30), 30);
  EXPECT_TRUE(file_.ReadBool("Select", "DP_CHIPSET_WNT5.7Z", false));
  // Text that is no integer, the empty value included, gives the fallback.
  EXPECT_TRUE(file_.ReadBool("CopyFiles", "LangEn", true));
  EXPECT_FALSE(file_.ReadBool("CopyFiles", "Empty", false));
  EXPECT_TRUE(file_.ReadBool("CopyFiles", "Missing", true));
  EXPECT_TRUE(file_.ReadBool("CopyFiles", "Negative", false));
}

TEST_F(ProfileFileTest, CutsValuesTo2047Characters) {
  EXPECT_EQ(file_.ReadString("CopyFiles", "Long", ""), std::string(2047, 'v'));
}

TEST_F(ProfileFileTest, ListsKeysInFileOrder) {
  const std::vector<std::string> keys = file_.KeyNames("CopyFiles");
  EXPECT_EQ(keys,
            (std::vector<std::string>{"Timer", "", "Hex", "LangEn", "Empty", "Negative", "Long"}));
}

TEST_F(ProfileFileTest, WritesBooleansAsDigits) {
  ASSERT_TRUE(file_.WriteBool("Options", "DelDrvAfterInst", true));
  ASSERT_TRUE(file_.WriteBool("CopyFiles", "DistrCopy", false));
  EXPECT_EQ(file_.ReadString("Options", "DelDrvAfterInst", ""), "1");
  EXPECT_EQ(file_.ReadString("CopyFiles", "DistrCopy", ""), "0");
  EXPECT_NE(ReadTextFile(path_).find("DelDrvAfterInst=1"), std::string::npos);
}

TEST(ProfileFileMissingTest, ReadsAsEmpty) {
  TempFolder folder;
  const ProfileFile missing(folder / "none.ini");
  EXPECT_FALSE(missing.SectionExists("Options"));
  EXPECT_EQ(missing.ReadInteger("CopyFiles", "Timer", 30), 30);
  EXPECT_TRUE(missing.SectionNames().empty());
}

}  // namespace
