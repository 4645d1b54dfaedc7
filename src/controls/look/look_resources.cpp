#include "controls/look/look_resources.h"

#include <map>
#include <memory>
#include <string>

namespace look_resources {
namespace {

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

}  // namespace

HBITMAP Bitmap(const char* name) {
  // Painting runs on the one GUI thread, so the cache needs no lock.
  static std::map<std::string, BitmapHandle> loaded;
  auto found = loaded.find(name);
  if (found == loaded.end()) {
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    found = loaded.emplace(name, BitmapHandle(bitmap)).first;
  }
  return found->second.get();
}

}  // namespace look_resources
