// Damaged archives: every one ends within its time bound, writes nothing
// outside the base folder, and shows its failure (or extracts intact data).
#include "engine_fixture.h"
#include "support/file_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace engine_test {
namespace {

using testing_support::ReadTextFile;
using testing_support::WriteTextFile;

struct DamagedCase {
  std::string label;
  std::vector<std::pair<std::string, std::string>> files;  // name, bytes; the first is opened
};

struct Outcome {
  bool finished = false;
  int result = 0;
  std::vector<Message> messages;
};

struct Job {
  std::string archive, target;
  Outcome outcome;
};

DWORD WINAPI RunJob(void* parameter) {
  auto* job = static_cast<Job*>(parameter);
  RecordingZip recorder;
  recorder.zip.OnOpenVolume = [](std::wstring&, bool, bool& cancel) { cancel = true; };
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  job->outcome.result = recorder.Extract(job->archive, job->target);
  job->outcome.messages = recorder.messages;
  job->outcome.finished = true;
  return 0;
}

// Extract on a thread of its own, so that a hang shows as a timeout.
Outcome ExtractWithin(const std::string& archive, const std::string& target, DWORD milliseconds) {
  auto* job = new Job{archive, target, {}};
  const HANDLE thread = CreateThread(nullptr, 0, RunJob, job, 0, nullptr);
  Outcome outcome;
  if (WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0) {
    outcome = job->outcome;
    delete job;
  }  // else the job is left running: the test fails and the process ends soon
  CloseHandle(thread);
  return outcome;
}

class RobustnessTest : public RealLibraryTest {
 protected:
  void SetUp() override {
    RealLibraryTest::SetUp();
    if (IsSkipped()) return;
    Shell(
        "set -e; export LC_ALL=C; mkdir -p src/a/b; seq 1 3000 > src/list.inf; printf small > "
        "src/a/s.txt; "
        "awk 'BEGIN{srand(3); for(i=0;i<12000;i++) printf \"%c\", int(rand()*256)}' > "
        "src/a/b/r.sys; "
        ": > src/empty.cat",
        folder.Path());
    Make7z({"-ms=on", "solid.7z", "src"}, folder.Path());
    Make7z({"-ms=off", "-m0=lzma", "plain.7z", "src"}, folder.Path());
    Make7z({"-v6k", "-mx0", "split.7z", "src"}, folder.Path());
    source_ = ScanTree(Wide(folder / "src"));
  }

  std::string Bytes(const std::string& name) const { return ReadTextFile(folder / name); }

  std::vector<DamagedCase> Cases() const {
    std::vector<DamagedCase> cases;
    std::mt19937 random(1234);
    for (const char* name : {"solid.7z", "plain.7z"}) {
      const std::string good = Bytes(name);
      for (int i = 0; i < 45; ++i) {
        const std::size_t cut = good.size() * static_cast<std::size_t>(i) / 45;
        cases.push_back({std::string(name) + " cut at " + std::to_string(cut),
                         {{"case.7z", good.substr(0, cut)}}});
      }
      for (int i = 0; i < 55; ++i) {
        std::size_t at = 0;
        if (i < 15) {
          at = static_cast<std::size_t>(i) * 2 % 32;  // start header
        } else if (i < 35) {
          at = good.size() - 1 -
               random() % std::min<std::size_t>(good.size() - 32, 160);  // end header
        } else {
          at = 32 + random() % (good.size() - 32);  // packed data
        }
        std::string bad = good;
        bad[at] = static_cast<char>(bad[at] ^ (1 << (random() % 8)));
        cases.push_back(
            {std::string(name) + " bit flip at " + std::to_string(at), {{"case.7z", bad}}});
      }
    }
    cases.push_back({"zero length", {{"case.7z", ""}}});
    for (int i = 0; i < 10; ++i) {
      std::string noise(static_cast<std::size_t>(1 + random() % 20000), '\0');
      for (char& c : noise) c = static_cast<char>(random());
      if (i % 2) noise.replace(0, 6, "7z\xBC\xAF\x27\x1C");
      cases.push_back({"random bytes " + std::to_string(i), {{"case.7z", noise}}});
    }
    std::vector<std::string> volumes;
    for (int n = 1; GetFileAttributesA((folder / ("split.7z.00" + std::to_string(n))).c_str()) !=
                    INVALID_FILE_ATTRIBUTES;
         ++n) {
      volumes.push_back(Bytes("split.7z.00" + std::to_string(n)));
    }
    const auto volume_set = [](const std::vector<std::string>& members) {
      std::vector<std::pair<std::string, std::string>> files;
      for (std::size_t n = 0; n < members.size(); ++n)
        files.push_back({"case.7z.00" + std::to_string(n + 1), members[n]});
      return files;
    };
    for (std::size_t missing = 1; missing < volumes.size(); ++missing) {
      std::vector<std::string> members(volumes.begin(),
                                       volumes.begin() + static_cast<long>(missing));
      cases.push_back(
          {"volume set without member " + std::to_string(missing + 1), volume_set(members)});
      std::vector<std::string> swapped = volumes;
      std::swap(swapped[missing - 1], swapped[missing]);
      cases.push_back(
          {"volume set with members swapped at " + std::to_string(missing), volume_set(swapped)});
      std::vector<std::string> short_member = volumes;
      short_member[missing].resize(short_member[missing].size() / 2);
      cases.push_back({"volume set with member " + std::to_string(missing + 1) + " cut",
                       volume_set(short_member)});
    }
    for (int i = 0; i < 6; ++i) {
      std::string exe = "MZ" + std::string(65536 + 100 * static_cast<std::size_t>(i), '\0');
      std::string tail = Bytes("solid.7z");
      tail.resize(tail.size() * static_cast<std::size_t>(i) / 6 + 6);
      cases.push_back({"sfx with cut archive " + std::to_string(i), {{"case.exe", exe + tail}}});
    }
    return cases;
  }

  bool MatchesSource(const std::string& out) const {
    const Tree extracted = ScanTree(Wide(out + "\\src"));
    if (extracted.size() != source_.size()) return false;
    for (const auto& [name, entry] : source_) {
      const auto found = extracted.find(name);
      if (found == extracted.end() || found->second.folder != entry.folder ||
          found->second.content != entry.content) {
        return false;
      }
    }
    return true;
  }

  WorkFolder folder;
  Tree source_;
};

TEST_F(RobustnessTest, DamagedArchivesFailVisiblyAndStayInsideTheBaseFolder) {
  const std::vector<DamagedCase> cases = Cases();
  ASSERT_GE(cases.size(), 200u);
  int visible_failures = 0;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const DamagedCase& c = cases[i];
    SCOPED_TRACE(c.label);
    const std::string root = folder / ("case" + std::to_string(i));
    for (const auto& [name, bytes] : c.files) WriteTextFile(root + "\\" + name, bytes);
    const Outcome outcome =
        ExtractWithin(root + "\\" + c.files.front().first, root + "\\out", 30000);
    ASSERT_TRUE(outcome.finished) << "no end within 30 s";

    for (const auto& [name, entry] : ScanTree(Wide(root))) {
      const bool input = std::any_of(c.files.begin(), c.files.end(),
                                     [&](const auto& file) { return Wide(file.first) == name; });
      EXPECT_TRUE(input || name == L"out" || name.rfind(L"out\\", 0) == 0) << Utf8(name);
    }
    const bool failed = outcome.result != 0 || !outcome.messages.empty();
    if (failed) {
      ++visible_failures;
    } else {
      EXPECT_TRUE(MatchesSource(root + "\\out")) << "reported success with damaged output";
    }
    RemoveTreeWide(Wide(root));
  }
  EXPECT_GT(visible_failures, static_cast<int>(cases.size()) / 2);
  RecordProperty("cases", static_cast<int>(cases.size()));
  RecordProperty("visible_failures", visible_failures);
}

}  // namespace
}  // namespace engine_test
