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
  double startup_ms = 0;  // creation and first activation, best of five
  double hover_us = 0;    // one hover over an entry
  double recount_us = 0;  // one tick handled: recount and captions
  int archives = 0;
  int folders = 0;
};

Measure Run(int archives, int folders) {
  TempFolder root;
  MakePackageTree(root, archives, folders);
  RedirectProgramPlaces(root / "Korvelund.exe", root / "nosystem", {});
  Measure result{1e300, 0, 0, archives, folders};
  std::unique_ptr<TForm1> form;
  for (int round = 0; round < 5; ++round) {
    form.reset();
    Application->ProcessMessages();
    ResetApplicationState();
    const double start = Now();
    form = std::make_unique<TForm1>(nullptr);
    form->ShowForm();
    Application->ProcessMessages();
    result.startup_ms = std::min(result.startup_ms, Now() - start);
  }
  TKWTXPCheckListBox* list =
      form->CheckListBox1->Items().Count() > 0 ? form->CheckListBox1 : nullptr;
  if (list != nullptr) {
    const int hovers = std::min(list->Items().Count(), 500);
    double start = Now();
    for (int i = 0; i < hovers; ++i) {
      const RECT rect = list->ItemRect(i % 10);
      form->CheckListBox1MouseMove(list, 0, rect.left + 20, rect.top + 4);
    }
    result.hover_us = (Now() - start) * 1000.0 / hovers;
    const int ticks = 200;
    start = Now();
    for (int i = 0; i < ticks; ++i) {
      list->SetChecked(i, i % 2 == 0);
      form->CheckListBox1ClickCheck(list);
    }
    result.recount_us = (Now() - start) * 1000.0 / ticks;
  }
  form.reset();
  Application->ProcessMessages();
  ResetProgramPlaces();
  return result;
}

void Print(const char* label, const Measure& m) {
  std::printf("%-34s start-up %8.1f ms", label, m.startup_ms);
  if (m.archives > 0) std::printf("   hover %7.2f us   recount %8.2f us", m.hover_us, m.recount_us);
  std::printf("\n");
}

}  // namespace

int main() {
  const Measure empty = Run(0, 0);
  const Measure half = Run(1000, 250);
  const Measure full = Run(2000, 500);
  Print("empty package root (reference)", empty);
  Print("1,000 archives + 250 folders", half);
  Print("2,000 archives + 500 folders", full);
  std::printf("start-up ratio, full set / empty root:           %6.2f\n",
              full.startup_ms / empty.startup_ms);
  std::printf("start-up above the empty root, full / half set:  %6.2f  (2.00 = linear)\n",
              (full.startup_ms - empty.startup_ms) / (half.startup_ms - empty.startup_ms));
  std::printf(
      "hover cost, full / half set:                     %6.2f  (1.00 = independent of the "
      "entries)\n",
      full.hover_us / half.hover_us);
  std::printf("recount cost, full / half set:                   %6.2f  (2.00 = linear)\n",
              full.recount_us / half.recount_us);
  return 0;
}
