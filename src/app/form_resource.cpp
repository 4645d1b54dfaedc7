#include "app/form_resource.h"

#include <cstring>

#include "app/form_description.h"
#include "framework/description_reader.h"

namespace {

// What a scrambled description holds once unscrambled, ahead of the text.
constexpr char kPlainSignature[] = "TPF0";

void ReadUnscrambled(const std::uint8_t* data, std::size_t size, TComponent* component) {
  const std::vector<std::uint8_t> plain = UnscrambleDescription(data, size);
  const std::size_t skip = std::strlen(kPlainSignature);
  ReadComponent(reinterpret_cast<const char*>(plain.data()) + skip, plain.size() - skip, component);
}

}  // namespace

bool LoadFormResource(HINSTANCE module, const char* name, TComponent* component) {
  const HRSRC resource = FindResourceA(module, name, RT_RCDATA);
  if (resource == nullptr) return false;
  const HGLOBAL loaded = LoadResource(module, resource);
  const DWORD size = SizeofResource(module, resource);
  const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (data == nullptr) return false;
  if (IsScrambledDescription(data, size)) {
    ReadUnscrambled(data, size, component);
  } else {
    ReadComponent(reinterpret_cast<const char*>(data), size, component);
  }
  return true;
}
