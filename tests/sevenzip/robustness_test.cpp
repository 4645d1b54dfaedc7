// A corpus of over a thousand damaged archives, made at test time from fixed
// seeds: every case ends within its time bound with a code and a result,
// writes nothing outside its base folder, keeps our own memory bounded, and
// shows its failure (or extracts intact data).
#include "damaged_corpus.h"
#include "engine_fixture.h"
#include "support/file_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>

// Our own heap, counted: the library allocates through its own runtime, so
// what is counted here is the engine's (and the test's) memory alone.
namespace {
std::atomic<std::int64_t> live_bytes{0};
std::atomic<std::int64_t> peak_bytes{0};
constexpr std::size_t kBlockHeader = 16;
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size + kBlockHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  const std::int64_t now = live_bytes += static_cast<std::int64_t>(size);
  std::int64_t peak = peak_bytes.load();
  while (now > peak && !peak_bytes.compare_exchange_weak(peak, now)) {
  }
  return static_cast<char*>(block) + kBlockHeader;
}

void operator delete(void* object) noexcept {
  if (!object) return;
  char* block = static_cast<char*>(object) - kBlockHeader;
  live_bytes -= static_cast<std::int64_t>(*reinterpret_cast<std::size_t*>(block));
  std::free(block);
}

void operator delete(void* object, std::size_t) noexcept { operator delete(object); }

namespace engine_test {
namespace {

using testing_support::ReadTextFile;
using testing_support::WriteTextFile;

constexpr DWORD kCaseTimeBoundMs = 20000;
constexpr std::int64_t kOwnMemoryBound = 16 << 20;

struct Outcome {
  bool finished = false;
  int result = 0;
  std::vector<Message> messages;
  std::int64_t own_peak = 0;  // our heap's growth during the job
};

struct Job {
  std::string archive, target;
  std::wstring password;
  Outcome outcome;
};

DWORD WINAPI RunJob(void* parameter) {
  auto* job = static_cast<Job*>(parameter);
  RecordingZip recorder;
  recorder.zip.OnOpenVolume = [](std::wstring&, bool, bool& cancel) { cancel = true; };
  recorder.zip.ExtractOptions = ExtractOpts{ExtractOverwrite};
  recorder.zip.Password = job->password;
  const std::int64_t before = live_bytes.load();
  peak_bytes = before;
  job->outcome.result = recorder.Extract(job->archive, job->target);
  job->outcome.own_peak = peak_bytes.load() - before;
  job->outcome.messages = recorder.messages;
  job->outcome.finished = true;
  return 0;
}

// Extract on a thread of its own, so that a hang shows as a timeout.
Outcome ExtractWithin(const std::string& archive, const std::string& target,
                      const std::wstring& password, DWORD milliseconds) {
  auto* job = new Job{archive, target, password, {}};
  DWORD thread_id = 0;
  const HANDLE thread = CreateThread(nullptr, 0, RunJob, job, 0, &thread_id);
  Outcome outcome;
  if (WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0) {
    outcome = job->outcome;
    delete job;
  }  // else the job is left running: the test fails and the process ends soon
  CloseHandle(thread);
  return outcome;
}

struct Seed {
  const char* name;
  const char* switches;  // for 7zz a
  bool plain_header_twin;
  const wchar_t* password;
};

constexpr Seed kSeeds[] = {
    {"lzma", "-m0=lzma", true, L""},
    {"lzma2-mt4", "-m0=lzma2:d=64k:c=64k -mmt=4", true, L""},
    {"ppmd", "-m0=ppmd", true, L""},
    {"bzip2", "-m0=bzip2", true, L""},
    {"deflate", "-m0=deflate", true, L""},
    {"bcj2", "-mf=BCJ2 -m0=lzma", true, L""},
    {"encrypted-headers", "-mhe=on -pkorvelund", false, L"korvelund"},
    {"non-solid", "-ms=off -m0=lzma", false, L""},
    {"copy", "-mx0", false, L""},
};

class RobustnessTest : public RealLibraryTest {
 protected:
  void SetUp() override {
    RealLibraryTest::SetUp();
    if (IsSkipped()) return;
    // Seeded awk output and fixed times: the same seeds on every run.
    Shell(
        "set -e; export LC_ALL=C; mkdir -p src/a/b src/c; seq 1 3000 > src/list.inf; "
        "printf small > src/a/s.txt; "
        "awk 'BEGIN{srand(3); for(i=0;i<12000;i++) printf \"%c\", int(rand()*256)}' > "
        "src/a/b/r.sys; "
        "awk 'BEGIN{srand(5); for(i=0;i<16000;i++) printf \"line %d %d\\n\", i, int(rand()*9)}' > "
        "src/c/text.inf; "
        ": > src/empty.cat; find src -exec touch -d '2020-02-02 02:02:02' {} +",
        folder.Path());
    for (const Seed& seed : kSeeds) {
      MakeSeed(std::string(seed.name) + ".7z", seed.switches);
      if (seed.plain_header_twin)
        MakeSeed(std::string(seed.name) + "-plain.7z", std::string(seed.switches) + " -mhc=off");
    }
    MakeSeed("split.7z", "-m0=lzma -v6k");
    MakeSeed("split-copy.7z", "-mx0 -v40k");
    source_ = ScanTree(Wide(folder / "src"));
  }

  void MakeSeed(const std::string& name, const std::string& switches) {
    Shell("LC_ALL=C.UTF-8 7zz a -bd -y " + switches + " " + name + " src >/dev/null", folder.Path());
  }

  std::string Bytes(const std::string& name) const { return ReadTextFile(folder / name); }

  std::vector<std::string> Volumes(const std::string& stem) const {
    std::vector<std::string> volumes;
    char name[64];
    for (unsigned n = 1;; ++n) {
      std::snprintf(name, sizeof name, "%s.%03u", stem.c_str(), n);
      if (GetFileAttributesA((folder / name).c_str()) == INVALID_FILE_ATTRIBUTES) break;
      volumes.push_back(Bytes(name));
    }
    return volumes;
  }

  std::vector<DamagedCase> Corpus() const {
    std::vector<DamagedCase> cases;
    std::mt19937 random(20261210);
    const std::uint64_t items = source_.size() + 1;  // and src itself
    for (const Seed& seed : kSeeds) {
      AddFlipsAndCuts(cases, seed.name, Bytes(std::string(seed.name) + ".7z"), 0, seed.password,
                      "case.7z", random);
      if (seed.plain_header_twin) {
        AddExtremeFields(cases, std::string(seed.name) + "-plain",
                         Bytes(std::string(seed.name) + "-plain.7z"), items, random);
      }
    }
    const std::string module = ReadTextFile(SfxModuleFolder() + "\\7z.sfx");
    if (!module.empty()) {
      AddFlipsAndCuts(cases, "sfx", module + Bytes("lzma.7z"), module.size(), L"", "case.exe",
                      random);
    }
    AddBrokenVolumeSets(cases, "volumes-lzma", Volumes("split.7z"));
    AddBrokenVolumeSets(cases, "volumes-copy", Volumes("split-copy.7z"));
    cases.push_back({"noise/zero-length", {{"case.7z", ""}}, L"", "", false});
    for (int i = 0; i < 10; ++i) {
      std::string noise(static_cast<std::size_t>(1 + random() % 20000), '\0');
      for (char& c : noise) c = static_cast<char>(random());
      if (i % 2) noise.replace(0, 6, "7z\xBC\xAF\x27\x1C");
      cases.push_back({"noise/random-" + std::to_string(i), {{"case.7z", noise}}, L"", "", false});
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

TEST_F(RobustnessTest, AThousandDamagedArchivesEndWithACodeInsideTheBaseFolder) {
  const std::vector<DamagedCase> cases = Corpus();
  std::map<std::string, int> by_seed;
  for (const DamagedCase& c : cases) ++by_seed[c.name.substr(0, c.name.find('/'))];
  for (const auto& [seed, count] : by_seed) std::printf("[ corpus ] %-20s %d cases\n", seed.c_str(), count);
  ASSERT_GE(cases.size(), 1000u);
  std::map<int, int> by_code;    // first code reported, 0 when none
  std::map<int, int> by_result;  // Extract's result
  DWORD slowest_ms = 0;
  std::string slowest;
  std::int64_t most_memory = 0;
  int visible_failures = 0;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const DamagedCase& c = cases[i];
    SCOPED_TRACE(c.name);
    const std::string root = folder / ("case" + std::to_string(i));
    for (const auto& [name, bytes] : c.files) WriteTextFile(root + "\\" + name, bytes);
    const std::string open = c.open.empty() ? c.files.front().first : c.open;
    const DWORD started = GetTickCount();
    const Outcome outcome = ExtractWithin(root + "\\" + open, root + "\\out", c.password,
                                          kCaseTimeBoundMs);
    const DWORD took = GetTickCount() - started;
    ASSERT_TRUE(outcome.finished) << "no end within " << kCaseTimeBoundMs << " ms";
    if (took > slowest_ms) {
      slowest_ms = took;
      slowest = c.name;
    }
    most_memory = std::max(most_memory, outcome.own_peak);
    EXPECT_LE(outcome.own_peak, kOwnMemoryBound) << "our heap grew by " << outcome.own_peak;

    for (const auto& [name, entry] : ScanTree(Wide(root))) {
      const bool input = std::any_of(c.files.begin(), c.files.end(),
                                     [&](const auto& file) { return Wide(file.first) == name; });
      EXPECT_TRUE(input || name == L"out" || name.rfind(L"out\\", 0) == 0) << Utf8(name);
    }
    ++by_code[outcome.messages.empty() ? 0 : outcome.messages.front().code];
    ++by_result[outcome.result];
    const bool failed = outcome.result != 0 || !outcome.messages.empty();
    if (failed) {
      ++visible_failures;
    } else if (!c.checksums_fixed) {
      EXPECT_TRUE(MatchesSource(root + "\\out")) << "reported success with damaged output";
    }
    RemoveTreeWide(Wide(root));
  }
  std::printf("[ corpus ] %zu cases; slowest %lu ms (%s); our heap grew at most %lld bytes\n",
              cases.size(), slowest_ms, slowest.c_str(), static_cast<long long>(most_memory));
  for (const auto& [code, count] : by_code)
    std::printf("[ corpus ] first code %2d %-30s %d cases\n", code, ResultMessage(code), count);
  for (const auto& [result, count] : by_result)
    std::printf("[ corpus ] result %d: %d cases\n", result, count);
  EXPECT_GT(visible_failures, static_cast<int>(cases.size()) / 2);
  RecordProperty("cases", static_cast<int>(cases.size()));
  RecordProperty("slowest_ms", static_cast<int>(slowest_ms));
}

}  // namespace
}  // namespace engine_test
