#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/texts.h"
#include "common/program_paths.h"
#include "form_fixture.h"
#include "package_tree.h"
#include "support/file_util.h"
#include "support/temp_folder.h"

namespace {

using testing_support::MakeFolders;
using testing_support::ReadTextFile;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

// Takes the run's termination request back so that the next test starts
// with a running application; true when there was one.
bool TerminationRequested() {
  MSG message;
  return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

// Calls `sample` every few milliseconds while the run processes messages.
class MessageTimeSampler {
 public:
  explicit MessageTimeSampler(std::function<void()> sample) {
    current_ = std::move(sample);
    timer_ = SetTimer(nullptr, 0, 10, Tick);
  }
  ~MessageTimeSampler() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_) current_();
  }
  static inline std::function<void()> current_;
  UINT_PTR timer_;
};

std::string StateLetters(const TKWTXPCheckListBox* list) {
  std::string letters;
  for (int i = 0; i < list->Count(); ++i) {
    switch (list->State(i)) {
      case TCheckBoxState::cbUnchecked:
        letters += 'u';
        break;
      case TCheckBoxState::cbChecked:
        letters += 'c';
        break;
      case TCheckBoxState::cbGrayed:
        letters += 'g';
        break;
    }
  }
  return letters;
}

class ApplyRunTest : public FormTest {
 protected:
  // Archive Zipped\NAME holding PKG_NAME\payload.bin of `size` bytes.
  void MakePackageArchive(const std::string& name, std::size_t size) {
    const std::string top = "PKG_" + name.substr(0, name.find('.'));
    WriteTextFile(content_ / (top + "\\payload.bin"), std::string(size, 'k'));
    MakeArchive(Root() / ("Zipped\\" + name), content_.Path(), {top});
  }
  std::string Settings(const std::string& select) const {
    return "[Options]\r\nDrvFolder=" + target_.Path() +
           "\r\n[CopyFiles]\r\nTimer=0\r\n[Select]\r\n" + select;
  }
  // The state letters expected when `ticked` entries (by text) are grayed.
  static std::string Expected(const std::vector<std::string>& entries,
                              const std::vector<std::string>& grayed,
                              const std::vector<std::string>& checked) {
    std::string letters;
    for (const std::string& entry : entries) {
      const auto in = [&](const std::vector<std::string>& names) {
        return std::find(names.begin(), names.end(), entry) != names.end();
      };
      letters += in(grayed) ? 'g' : in(checked) ? 'c' : 'u';
    }
    return letters;
  }

  TempFolder content_;
  TempFolder target_;
};

struct ArchiveStart {
  std::string counter;
  std::string item_line;
  std::string states;
  int overall_max;
};

TEST_F(ApplyRunTest, CountersAndGrayedEntriesFollowTheTickedArchivesOnly) {
  MakePackageArchive("DP_a.7z", 1000);
  MakePackageArchive("DP_b.7z", 2000);
  WriteTextFile(Root() / "Zipped\\DP_c.7z", "7z\xBC\xAF\x27\x1C damaged beyond repair");
  MakePackageArchive("DP_d.7z", 4000);
  MakePackageArchive("DP_e.7z", 5000);
  WriteSettings(Settings("DP_a.7z=1\r\nDP_c.7z=1\r\nDP_e.7z=1\r\n"));
  TForm1& form = CreateForm();
  Activate();
  const std::vector<std::string> entries = Entries(form.CheckListBox1);
  ASSERT_EQ(entries.size(), 5u);
  ASSERT_EQ(CheckedArchives, 3);

  std::vector<ArchiveStart> starts;
  std::vector<int> failures;
  // An archive's items (its folder and its file) all come after its start.
  form.SevenZip1->OnSetExtractName = [&](TComponent*, std::uint32_t, std::wstring&) {
    if (!starts.empty() && starts.back().item_line == form.Label2->Caption()) return;
    starts.push_back({form.Label4->Caption(), form.Label2->Caption(),
                      StateLetters(form.CheckListBox1), form.ProgressBar1->Max()});
  };
  form.SevenZip1->OnMessage = [&](TComponent*, int code, const std::string&, const std::wstring&) {
    failures.push_back(code);
  };
  form.Button1Click(form.Button1);
  EXPECT_TRUE(TerminationRequested());

  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0].counter, "[0/0]");
  EXPECT_EQ(starts[0].item_line, "  DP_a.7z");
  EXPECT_EQ(starts[0].states, Expected(entries, {}, {"DP_a.7z", "DP_c.7z", "DP_e.7z"}));
  EXPECT_EQ(starts[0].overall_max, 1000);
  // The damaged archive was counted and marked like the others.
  EXPECT_EQ(starts[1].counter, "[2/3]");
  EXPECT_EQ(starts[1].item_line, "  DP_e.7z");
  EXPECT_EQ(starts[1].states, Expected(entries, {"DP_a.7z", "DP_c.7z"}, {"DP_e.7z"}));
  EXPECT_EQ(starts[1].overall_max, 5000);
  EXPECT_EQ(failures, std::vector<int>{2});  // there, but damaged
  EXPECT_EQ(form.Label4->Caption(), "[3/3]");
  EXPECT_EQ(StateLetters(form.CheckListBox1),
            Expected(entries, {"DP_a.7z", "DP_c.7z", "DP_e.7z"}, {}));

  EXPECT_EQ(CompareWithReference(Root() / "Zipped\\DP_a.7z", target_.Path()),
            std::vector<std::string>{});
  EXPECT_EQ(CompareWithReference(Root() / "Zipped\\DP_e.7z", target_.Path()),
            std::vector<std::string>{});
  EXPECT_FALSE(DirectoryExists(target_ / "PKG_DP_b"));
  EXPECT_FALSE(DirectoryExists(target_ / "PKG_DP_d"));
}

TEST_F(ApplyRunTest, BarsKeepMaximumAndPositionInOneScalePast2GiB) {
  MakePackageArchive("DP_a.7z", 10);
  WriteSettings(Settings(""));
  TForm1& form = CreateForm();
  const std::int64_t five_gib = 5ll << 30;
  form.SevenZip1PreProgress(form.SevenZip1, five_gib);
  form.SevenZip1Extractfile(form.SevenZip1, L"x", 3ll << 30);
  const int overall = form.ProgressBar1->Max();
  const int item = form.ProgressBar2->Max();
  EXPECT_GT(overall, 1 << 30);
  EXPECT_GT(item, 1 << 29);
  form.SevenZip1Progress(form.SevenZip1, L"x", five_gib / 2, 3ll << 30);
  EXPECT_EQ(form.ProgressBar1->Position(), overall / 2);
  EXPECT_EQ(form.ProgressBar2->Position(), item);
  // Nothing to expect: the maxima stay.
  form.SevenZip1PreProgress(form.SevenZip1, 0);
  form.SevenZip1Extractfile(form.SevenZip1, L"empty", 0);
  EXPECT_EQ(form.ProgressBar1->Max(), overall);
  EXPECT_EQ(form.ProgressBar2->Max(), item);
  form.SevenZip1PreProgress(form.SevenZip1, 300);
  form.SevenZip1Progress(form.SevenZip1, L"x", 150, 0);
  EXPECT_EQ(form.ProgressBar1->Max(), 300);
  EXPECT_EQ(form.ProgressBar1->Position(), 150);
  bool overwrite = false;
  form.SevenZip1ExtractOverwrite(form.SevenZip1, L"x", overwrite);
  EXPECT_TRUE(overwrite);
}

struct Observed {
  bool archives_in_front;
  std::string counter;
  int position;
  int maximum;
  DWORD first;
  DWORD last;
  std::string item_line;
  bool operator==(const Observed& other) const {
    return archives_in_front == other.archives_in_front && counter == other.counter &&
           position == other.position && maximum == other.maximum;
  }
};

TEST_F(ApplyRunTest, PausesComeInTheirOrderWithTheBarsWhereTheRunLeavesThem) {
  MakePackageArchive("DP_a.7z", 100);
  MakeTree({"UnZipped\\Alpha\\a.inf", "UnZipped\\Beta\\b.inf", "UnZipped\\Gamma\\c.inf"});
  WriteSettings(Settings("DP_a.7z=1\r\nUnZipped=1\r\n"));
  TForm1& form = CreateForm();
  Activate();
  const std::vector<std::string> folders = Entries(form.CheckListBox2);
  ASSERT_EQ(folders.size(), 3u);
  form.CheckListBox2->SetChecked(1, false);
  form.UpdateApplyCaption();
  ASSERT_EQ(CheckedFolders, 2);

  std::vector<Observed> seen;
  {
    MessageTimeSampler sampler([&] {
      const Observed now{
          form.CheckListBox1->Visible(), form.Label4->Caption(), form.ProgressBar1->Position(),
          form.ProgressBar1->Max(),      GetTickCount(),         GetTickCount(),
          form.Label2->Caption()};
      if (!seen.empty() && seen.back() == now) {
        seen.back().last = now.last;
      } else {
        seen.push_back(now);
      }
    });
    form.Button1Click(form.Button1);
  }
  EXPECT_TRUE(TerminationRequested());

  std::vector<Observed> pauses;
  for (const Observed& state : seen) {
    if (state.last - state.first >= 150) pauses.push_back(state);
  }
  const std::vector<Observed> expected{
      {true, "[0/0]", 0, 100, 0, 0, ""},   // before the first archive
      {false, "[1/2]", 1, 2, 0, 0, ""},    // after the first folder
      {false, "[1/2]", 0, 2, 0, 0, ""},    // after the unticked one
      {false, "[2/2]", 2, 2, 0, 0, ""},    // after the last folder (index 2 + 1, clamped)
      {false, "[2/2]", 0, 100, 0, 0, ""},  // before the beeps
  };
  ASSERT_EQ(pauses.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(pauses[i], expected[i]) << "pause " << i << ": " << pauses[i].counter << " "
                                      << pauses[i].position << "/" << pauses[i].maximum;
    EXPECT_GE(pauses[i].last - pauses[i].first, i == 0 ? 150u : 300u) << "pause " << i;
  }
  const std::string copying(RussianTextSet().copy_prefix);
  EXPECT_EQ(pauses[1].item_line, copying + folders[0]);
  EXPECT_EQ(pauses[2].item_line, copying + folders[0]);
  EXPECT_EQ(pauses[3].item_line, copying + folders[2]);
  EXPECT_EQ(pauses[4].item_line, "");
  EXPECT_EQ(StateLetters(form.CheckListBox2), "gug");
  EXPECT_TRUE(DirectoryExists(target_ / ("D\\X\\" + folders[0])));
  EXPECT_TRUE(DirectoryExists(target_ / ("D\\X\\" + folders[2])));
  EXPECT_FALSE(DirectoryExists(target_ / ("D\\X\\" + folders[1])));
}

TEST_F(ApplyRunTest, FolderWhoseDestinationCannotBeMadeIsPassedOver) {
  MakeTree({"UnZipped\\Alpha\\a.inf", "UnZipped\\Beta\\b.inf"});
  WriteTextFile(target_ / "D", "a file where the folder D should go");
  WriteSettings(Settings("UnZipped=1\r\n"));
  TForm1& form = CreateForm();
  Activate();
  ASSERT_EQ(CheckedFolders, 2);
  form.Button1Click(form.Button1);
  EXPECT_TRUE(TerminationRequested());
  EXPECT_EQ(StateLetters(form.CheckListBox2), "cc");
  EXPECT_EQ(form.Label4->Caption(), "[0/0]");
  EXPECT_EQ(ReadTextFile(target_ / "D"), "a file where the folder D should go");
}

TEST_F(ApplyRunTest, NoSecondRunStartsInsideTheFirst) {
  TForm1& form = CreateForm();
  Activate();
  ASSERT_FALSE(PackagesPresent);
  form.Button1->SetCaption(std::string(RussianTextSet().apply));
  bool clicked_again = false;
  {
    MessageTimeSampler sampler([&] {
      if (clicked_again) return;
      clicked_again = true;
      form.Label1->SetCaption("set during the run");
      form.Button1Click(form.Button1);
    });
    form.Button1Click(form.Timer1);
  }
  EXPECT_TRUE(TerminationRequested());
  ASSERT_TRUE(clicked_again);
  // A second ending would have cleared the line again.
  EXPECT_EQ(form.Label1->Caption(), "set during the run");
}

}  // namespace
