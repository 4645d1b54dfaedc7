// Start-up, hovering and counting of TForm1 over 2,000 archives and 500
// folders, against the same window over an empty package root, in one run.
// Half the set is measured too: doubling the entries must at most double the
// start-up work above the empty window, leave the cost of one hover alone and
// at most double the cost of one recount.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/program_places.h"
#include "app/unit1.h"
#include "support/file_util.h"
#include "support/temp_folder.h"

namespace {

using testing_support::MakeFolders;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

double Now() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A package root with `archives` archives and `folders` folders, every one
// preselected, and a hint table of 50 pairs.
void MakePackageTree(const TempFolder& root, int archives, int folders) {
  std::string settings = "[CopyFiles]\r\nTimer=0\r\n[Hint]\r\n";
  for (int i = 0; i < 50; ++i)
    settings += "PKG_" + std::to_string(i * 37) + "=Hint " + std::to_string(i) + "\r\n";
  settings += "[Select]\r\nUnZipped=1\r\n";
  MakeFolders(root / "Zipped");
  MakeFolders(root / "UnZipped");
  for (int i = 0; i < archives; ++i) {
    const std::string name = "DP_Pkg_" + std::to_string(i) + "_wnt5.7z";
    WriteTextFile(root / ("Zipped\\" + name), "");
    settings += "DP_pkg_" + std::to_string(i) + "_wnt5.7z=1\r\n";
  }
  for (int i = 0; i < folders; ++i) MakeFolders(root / ("UnZipped\\Folder_" + std::to_string(i)));
  WriteTextFile(root / "Korvelund.ini", settings);
}

struct Measure {
  double startup_ms = 0;  // creation and first activation
  double hover_us = 0;    // one hover over an entry
  double recount_us = 0;  // one tick handled: recount and captions
  int archives = 0;
  int folders = 0;
};

struct Scenario {
  Scenario(int archive_count, int folder_count) {
    MakePackageTree(root, archive_count, folder_count);
    best.archives = archive_count;
    best.folders = folder_count;
  }
  TempFolder root;
  Measure best{1e300, 1e300, 1e300, 0, 0};
};

// One start-up of the window over the scenario's tree, then hovering and
// recounting in it; keeps the best figures.
void RunOnce(Scenario& scenario) {
  RedirectProgramPlaces(scenario.root / "Korvelund.exe", scenario.root / "nosystem", {});
  ResetApplicationState();
  const double start = Now();
  auto form = std::make_unique<TForm1>(nullptr);
  form->ShowForm();
  Application->ProcessMessages();
  Measure& best = scenario.best;
  best.startup_ms = std::min(best.startup_ms, Now() - start);
  TKWTXPCheckListBox* list = form->CheckListBox1;
  if (list->Items().Count() > 0) {
    const int hovers = 500;
    double begin = Now();
    for (int i = 0; i < hovers; ++i) {
      const RECT rect = list->ItemRect(i % 10);
      form->CheckListBox1MouseMove(list, 0, rect.left + 20, rect.top + 4);
    }
    best.hover_us = std::min(best.hover_us, (Now() - begin) * 1000.0 / hovers);
    const int ticks = 200;
    begin = Now();
    for (int i = 0; i < ticks; ++i) {
      list->SetChecked(i, i % 2 == 0);
      form->CheckListBox1ClickCheck(list);
    }
    best.recount_us = std::min(best.recount_us, (Now() - begin) * 1000.0 / ticks);
  }
  form.reset();
  Application->ProcessMessages();
  ResetProgramPlaces();
}

void Print(const char* label, const Measure& m) {
  std::printf("%-34s start-up %8.1f ms", label, m.startup_ms);
  if (m.archives > 0) std::printf("   hover %7.2f us   recount %8.2f us", m.hover_us, m.recount_us);
  std::printf("\n");
}

}  // namespace

int main() {
  Scenario empty(0, 0);
  Scenario half(1000, 250);
  Scenario full(2000, 500);
  // Rounds interleave the three, so that a busy machine slows them alike.
  for (int round = 0; round < 5; ++round) {
    for (Scenario* scenario : {&empty, &half, &full}) RunOnce(*scenario);
  }
  Print("empty package root (reference)", empty.best);
  Print("1,000 archives + 250 folders", half.best);
  Print("2,000 archives + 500 folders", full.best);
  const Measure& e = empty.best;
  const Measure& h = half.best;
  const Measure& f = full.best;
  std::printf("start-up ratio, full set / empty root:           %6.2f\n",
              f.startup_ms / e.startup_ms);
  std::printf("start-up above the empty root, full / half set:  %6.2f  (2.00 = linear)\n",
              (f.startup_ms - e.startup_ms) / (h.startup_ms - e.startup_ms));
  std::printf(
      "hover cost, full / half set:                     %6.2f  (1.00 = independent of the "
      "entries)\n",
      f.hover_us / h.hover_us);
  std::printf("recount cost, full / half set:                   %6.2f  (2.00 = linear)\n",
              f.recount_us / h.recount_us);
  return 0;
}
