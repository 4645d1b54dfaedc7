// Start-up of TForm1 over package roots of 2,500 and 20,000 entries, with
// and without a large [Select] section, against the same window over an
// empty package root, in one run: the time of the window's creation and first
// activation in this process, and the memory of Korvelund.exe itself once its
// window waits for the user. Hovering and recounting are measured too: one
// hover must cost the same over any number of entries.
#include <windows.h>

#include <psapi.h>

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

std::string ArchiveName(int i) { return "DP_Pkg_" + std::to_string(i) + "_wnt5.7z"; }

// A package root with `archives` empty archives and `folders` folders.
void MakePackageTree(const TempFolder& root, int archives, int folders) {
  MakeFolders(root / "Zipped");
  MakeFolders(root / "UnZipped");
  for (int i = 0; i < archives; ++i) WriteTextFile(root / ("Zipped\\" + ArchiveName(i)), "");
  for (int i = 0; i < folders; ++i) MakeFolders(root / ("UnZipped\\Folder_" + std::to_string(i)));
}

// Settings over `packages` with a hint table of 50 pairs; `selected` keys of
// [Select] name every second archive as the list shows it, and tick the folders.
std::string Settings(const std::string& packages, int selected) {
  std::string settings = "[CopyFiles]\r\nTimer=0\r\nDrvSource=" + packages + "\r\n[Hint]\r\n";
  for (int i = 0; i < 50; ++i)
    settings += "PKG_" + std::to_string(i * 37) + "=Hint " + std::to_string(i) + "\r\n";
  if (selected > 0) {
    settings += "[Select]\r\nUnZipped=1\r\n";
    for (int i = 0; i < selected; ++i)
      settings += "DP_pkg_" + std::to_string(2 * i) + "_wnt5.7z=1\r\n";
  }
  return settings;
}

std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.rfind('\\'));
}

struct Memory {
  double private_kb = 1e300;      // committed private memory
  double working_set_kb = 1e300;  // resident pages
};

// Korvelund.exe started in `folder` (its settings beside it) until its window
// waits for input, then ended: its memory at that moment.
Memory ProgramMemory(const std::string& folder) {
  const std::string command = "\"" + folder + "\\Korvelund.exe\"";
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  Memory memory;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    std::printf("Korvelund.exe did not start (error %lu)\n", GetLastError());
    return memory;
  }
  WaitForInputIdle(process.hProcess, 60000);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) {
    memory.private_kb = static_cast<double>(counters.PagefileUsage) / 1024.0;
    memory.working_set_kb = static_cast<double>(counters.WorkingSetSize) / 1024.0;
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return memory;
}

struct Measure {
  double startup_ms = 1e300;  // creation and first activation
  double hover_us = 1e300;    // one hover over an entry
  double recount_us = 1e300;  // one tick handled: recount and captions
  Memory memory;
};

struct Scenario {
  Scenario(const char* name, const std::string& packages, int selected) : label(name) {
    WriteTextFile(home / "Korvelund.ini", Settings(packages, selected));
    for (const char* file : {"Korvelund.exe", "7za.dll"}) {
      CopyFileA((ProgramFolder() + "\\" + file).c_str(), (home / file).c_str(), FALSE);
    }
  }
  const char* label;
  TempFolder home;  // the program's folder: settings, program and library
  Measure best;
};

// One start-up of the window in this process, then hovering and recounting
// in it, and one start of the program; keeps the best figures.
void RunOnce(Scenario& scenario) {
  RedirectProgramPlaces(scenario.home / "Korvelund.exe", scenario.home / "nosystem", {});
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
  const Memory memory = ProgramMemory(scenario.home.Path());
  best.memory.private_kb = std::min(best.memory.private_kb, memory.private_kb);
  best.memory.working_set_kb = std::min(best.memory.working_set_kb, memory.working_set_kb);
}

void Print(const Scenario& scenario, const Measure& empty) {
  const Measure& m = scenario.best;
  std::printf("%-44s %7.1f ms %5.2f   %7.0f KB %5.2f   %7.0f KB %5.2f\n", scenario.label,
              m.startup_ms, m.startup_ms / empty.startup_ms, m.memory.private_kb,
              m.memory.private_kb / empty.memory.private_kb, m.memory.working_set_kb,
              m.memory.working_set_kb / empty.memory.working_set_kb);
}

}  // namespace

int main() {
  TempFolder none;
  TempFolder small;
  TempFolder large;
  MakePackageTree(small, 2000, 500);
  MakePackageTree(large, 16000, 4000);
  Scenario empty("empty package root (reference)", none.Path(), 0);
  Scenario small_plain("2,000 archives + 500 folders", small.Path(), 0);
  Scenario small_select("  the same, [Select] naming 1,000", small.Path(), 1000);
  Scenario large_plain("16,000 archives + 4,000 folders", large.Path(), 0);
  Scenario large_select("  the same, [Select] naming 8,000", large.Path(), 8000);
  const std::vector<Scenario*> scenarios = {&empty, &small_plain, &small_select, &large_plain,
                                            &large_select};
  // Rounds interleave the scenarios, so that a busy machine slows them alike.
  for (int round = 0; round < 5; ++round) {
    for (Scenario* scenario : scenarios) RunOnce(*scenario);
  }
  std::printf("%-44s %10s %5s   %10s %5s   %10s %5s\n", "", "start-up", "ratio", "private", "ratio",
              "working set", "ratio");
  for (const Scenario* scenario : scenarios) Print(*scenario, empty.best);
  std::printf("start-up ratio, 2,500 entries and [Select] / empty root:   %6.2f  (at most 1.50)\n",
              small_select.best.startup_ms / empty.best.startup_ms);
  std::printf("start-up ratio, 20,000 entries and [Select] / empty root:  %6.2f  (at most 3.00)\n",
              large_select.best.startup_ms / empty.best.startup_ms);
  std::printf(
      "hover cost, 20,000 / 2,500 entries:                        %6.2f  (1.00 = independent of "
      "the entries)\n",
      large_select.best.hover_us / small_select.best.hover_us);
  std::printf("recount cost, 20,000 / 2,500 entries:                      %6.2f  (8.00 = linear)\n",
              large_select.best.recount_us / small_select.best.recount_us);
  return 0;
}
