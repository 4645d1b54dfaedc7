#include "distcopy/copy_decision.h"

#include "common/profile_file.h"
#include "common/program_paths.h"

namespace {

constexpr char kSection[] = "CopyFiles";
constexpr char kKey[] = "DistrCopy";

bool KeyIsOne(const ProfileFile& file) { return file.ReadInteger(kSection, kKey, 0) == 1; }

}  // namespace

bool DistributionCopyWanted(const std::string& first_settings, const std::string& second_settings) {
  if (FileExists(first_settings)) {
    const ProfileFile first(first_settings);
    if (first.KeyExists(kSection, kKey)) return KeyIsOne(first);
  }
  const ProfileFile second(second_settings);
  return second.KeyExists(kSection, kKey) && KeyIsOne(second);
}
