#include "distcopy/copy_decision.h"

#include "common/profile_file.h"
#include "common/program_paths.h"

namespace {

constexpr char kSection[] = "CopyFiles";
constexpr char kKey[] = "DistrCopy";

CopyDecision DecidedBy(const ProfileFile& file) {
  return {file.ReadInteger(kSection, kKey, 0) == 1, file.Path(),
          file.ReadString(kSection, kKey, "")};
}

}  // namespace

CopyDecision DecideDistributionCopy(const std::string& first_settings,
                                    const std::string& second_settings) {
  if (FileExists(first_settings)) {
    const ProfileFile first(first_settings);
    if (first.KeyExists(kSection, kKey)) return DecidedBy(first);
  }
  const ProfileFile second(second_settings);
  if (second.KeyExists(kSection, kKey)) return DecidedBy(second);
  return CopyDecision{};
}
