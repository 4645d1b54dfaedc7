#include "sevenzip/item_properties.h"

namespace sevenzip {

namespace {

// A property value, emptied before the read and after use.
class PropertyValue {
 public:
  PropertyValue(IInArchive* archive, UINT32 index, PROPID id) {
    PropVariantInit(&value_);
    if (archive->GetProperty(index, id, &value_) != S_OK) {
      PropVariantClear(&value_);
      PropVariantInit(&value_);
    }
  }
  ~PropertyValue() { PropVariantClear(&value_); }
  PropertyValue(const PropertyValue&) = delete;
  PropertyValue& operator=(const PropertyValue&) = delete;

  const PROPVARIANT& Get() const { return value_; }

 private:
  PROPVARIANT value_;
};

}  // namespace

std::wstring ItemPath(IInArchive* archive, UINT32 index) {
  const PropertyValue value(archive, index, kpidPath);
  if (value.Get().vt != VT_BSTR || !value.Get().bstrVal) return {};
  return std::wstring(value.Get().bstrVal, SysStringLen(value.Get().bstrVal));
}

std::uint64_t ItemSize(IInArchive* archive, UINT32 index) {
  const PropertyValue value(archive, index, kpidSize);
  switch (value.Get().vt) {
    case VT_UI8:
      return value.Get().uhVal.QuadPart;
    case VT_UI4:
      return value.Get().ulVal;
    default:
      return 0;
  }
}

std::uint32_t ItemAttributes(IInArchive* archive, UINT32 index) {
  const PropertyValue value(archive, index, kpidAttrib);
  return value.Get().vt == VT_UI4 ? value.Get().ulVal : 0;
}

bool ItemIsFolder(IInArchive* archive, UINT32 index, std::uint32_t attributes) {
  const PropertyValue value(archive, index, kpidIsDir);
  if (value.Get().vt == VT_BOOL) return value.Get().boolVal != VARIANT_FALSE;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ItemIsAnti(IInArchive* archive, UINT32 index) {
  const PropertyValue value(archive, index, kpidIsAnti);
  return value.Get().vt == VT_BOOL && value.Get().boolVal != VARIANT_FALSE;
}

std::optional<FILETIME> ItemModificationTime(IInArchive* archive, UINT32 index) {
  const PropertyValue value(archive, index, kpidMTime);
  if (value.Get().vt != VT_FILETIME) return std::nullopt;
  return value.Get().filetime;
}

}  // namespace sevenzip
