#include "distcopy/copy_plan.h"

std::string SourceFromArgument(std::string argument) {
  const std::size_t slash = argument.find('/');
  if (slash != std::string::npos) argument.erase(slash, 1);
  return argument;
}

CopyPlan MakeCopyPlan(const CopierInputs& inputs) {
  const std::string& w = inputs.windows_folder;
  CopyPlan plan;
  plan.first_settings = inputs.system_folder + "\\Tarnix.ini";
  plan.second_settings = inputs.program_folder + "Korvelund.ini";
  plan.copy_source =
      inputs.argument ? SourceFromArgument(*inputs.argument) : inputs.setup_source + "I386\\*.*";
  plan.copy_destination = w + "\\I386\\";
  plan.new_setup_source = w + "\\";
  plan.new_system_source = plan.new_setup_source + "I386";
  plan.service_pack_folder = w + "\\I386\\SVCPACK";
  plan.copy_folder = w + "\\I386";
  return plan;
}
