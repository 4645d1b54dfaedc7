#pragma once

#include <functional>
#include <string>

#include "common/run_log.h"
#include "distcopy/copy_check.h"
#include "distcopy/copy_plan.h"

// The two shell operations the copier uses; replaceable so that a test can
// make a copy fail the way a real shell does on a real failure.
struct ShellOperations {
  std::function<bool(const std::string& source, const std::string& destination)> copy;
  std::function<bool(const std::string& folder)> remove;
};

// ShellCopy and ShellDelete.
ShellOperations SystemShell();

// The copier's one pass after its inputs are known: decide, copy, point the
// setup source paths at the copy, remove the copy's service-pack folder.
// Throws RegistryError when a registry write fails. Each step goes to `log`.
// A source that is the copy folder itself is neither copied nor deleted from;
// the setup source paths are written as after a good copy. Answers what was
// copied.
CopyAmount RunDistributionCopy(const CopyPlan& plan, RunLog& log,
                               const ShellOperations& shell = SystemShell());

// Gathers the inputs from the registry, the system and the command line.
CopierInputs GatherInputs(int argc, char** argv);
