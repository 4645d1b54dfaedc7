// Names as the disk has them: packages, folders and archive items whose
// names lie outside the ANSI code page, on a Western and a Russian one.
#include <windows.h>

#include <gtest/gtest.h>

#include <exception>

#include "form_fixture.h"
#include "support/file_util.h"
#include "support/host_command.h"
#include "support/run_log_reader.h"

namespace {

using testing_support::NamedPathExists;
using testing_support::NamesIn;
using testing_support::ReadNamedFile;
using testing_support::WriteNamedFile;

// UTF-8. Japanese and Greek lie outside both code pages, Cyrillic outside 1252.
const std::string kJapanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";  // 日本語
const std::string kGreekOmega = "\xCE\xA9";                            // Ω
const std::string kGreekOmegaSmall = "\xCF\x89";                       // ω
const std::string kGreek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
const std::string kCyrillic =
    "\xD0\x94\xD1\x80\xD0\xB0\xD0\xB9\xD0\xB2\xD0\xB5\xD1\x80";  // Драйвер
const std::string kCyrillicCapitals =
    "\xD0\x94\xD0\xA0\xD0\x90\xD0\x99\xD0\x92\xD0\x95\xD0\xA0";  // ДРАЙВЕР
// Fullwidth "..\..\escaped.inf".
const std::string kEscape =
    "\xEF\xBC\x8E\xEF\xBC\x8E\xEF\xBC\xBC\xEF\xBC\x8E\xEF\xBC\x8E\xEF\xBC\xBC"
    "escaped.inf";

class UnicodeNames : public FormTest {
 protected:
  // Runs the unpacker over a package tree of such names into a fresh target.
  void ApplyAndCheck() {
    const std::string root = Root().Path();
    // Wine stores such names only under a Unix locale in UTF-8 that the host
    // has installed (ru_RU.UTF-8 gives code page 1251).
    try {
      WriteNamedFile(root + "\\" + kJapanese + ".probe", "");
    } catch (const std::exception&) {
      GTEST_SKIP() << "the host's locale cannot store names outside ASCII";
    }
    const std::string archive = "DP_" + kGreekOmega + "mega_wnt5.7z";
    const auto made = testing_support::RunHostCommand(
        {"sh", "-c",
         "mkdir -p Zipped items/" + kJapanese + " && printf jp > items/" + kJapanese + "/" +
             kJapanese + ".inf && printf el > items/" + kGreek + ".sys && printf ru > items/" +
             kCyrillic + ".cat && cd items && LC_ALL=C.UTF-8 7zz a -bd ../Zipped/" + archive +
             " . && cd .. && rm -r items"},
        root);
    ASSERT_EQ(made.exit_code, 0) << made.output;
    const std::string folder = root + "\\UnZipped\\" + kCyrillic;
    WriteNamedFile(folder + "\\" + kEscape, "inside");
    WriteNamedFile(root + "\\escaped.inf", "bait above the folder");
    WriteNamedFile(folder + "\\" + kJapanese + "\\" + kGreek + ".inf", "deep");
    testing_support::TempFolder target;
    WriteSettings("[Options]\r\nDrvFolder=" + target.Path() + "\r\nLogFile=" + root +
                  "\\run.log\r\n[CopyFiles]\r\nTimer=0\r\n[Select]\r\nUnZipped=1\r\n");
    TForm1& form = CreateForm();
    Activate();

    const std::string entry = "DP_" + kGreekOmegaSmall + "mega_wnt5.7z";
    ASSERT_EQ(Entries(form.CheckListBox1), std::vector<std::string>{entry});
    ASSERT_EQ(Entries(form.CheckListBox2), std::vector<std::string>{kCyrillicCapitals});
    form.CheckListBox1->SetChecked(0, true);
    form.UpdateApplyCaption();
    form.Button1Click(form.Button1);

    const std::string out = target.Path();
    EXPECT_EQ(ReadNamedFile(out + "\\" + kJapanese + "\\" + kJapanese + ".inf"), "jp");
    EXPECT_EQ(ReadNamedFile(out + "\\" + kGreek + ".sys"), "el");
    EXPECT_EQ(ReadNamedFile(out + "\\" + kCyrillic + ".cat"), "ru");
    const std::string copy = out + "\\D\\X\\" + kCyrillicCapitals;
    EXPECT_EQ(NamesIn(copy), (std::vector<std::string>{kJapanese, kEscape}));
    EXPECT_EQ(ReadNamedFile(copy + "\\" + kEscape), "inside");
    EXPECT_EQ(NamesIn(copy + "\\" + kJapanese), std::vector<std::string>{kGreek + ".inf"});
    EXPECT_FALSE(NamedPathExists(out + "\\D\\escaped.inf"));
    EXPECT_EQ(NamesIn(out + "\\D"), std::vector<std::string>{"X"});

    // The log tells the names as they are, in UTF-8 that says so.
    const std::string log = testing_support::ReadTextFile(root + "\\run.log");
    EXPECT_TRUE(log.starts_with("\xEF\xBB\xBF")) << log;
    const std::vector<std::string> events = testing_support::RunLogEvents(root + "\\run.log");
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(events.back().ends_with("result: ok")) << events.back();
    bool archive_line = false;
    bool folder_line = false;
    for (const std::string& event : events) {
      archive_line |= event.starts_with("archive " + entry + " from ");
      folder_line |= event.starts_with("folder " + kCyrillicCapitals + ": 2 of 2 files");
    }
    EXPECT_TRUE(archive_line) << log;
    EXPECT_TRUE(folder_line) << log;
  }
};

TEST_F(UnicodeNames, ArriveExactlyOnAWesternCodePage) {
  ASSERT_EQ(GetACP(), 1252u);
  ApplyAndCheck();
}

using UnicodeNames1251 = UnicodeNames;

TEST_F(UnicodeNames1251, ArriveExactlyOnARussianCodePage) {
  ASSERT_EQ(GetACP(), 1251u);
  ApplyAndCheck();
}

}  // namespace
