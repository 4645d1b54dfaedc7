#include "framework/form_resource.h"

#include "framework/description_reader.h"

TFormResourceLoader ComponentResourceHook = nullptr;

bool ReadRcDataDescription(HINSTANCE module, const char* resource_name, TComponent* component) {
  HRSRC resource = FindResourceA(module, resource_name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!resource) return false;
  HGLOBAL loaded = LoadResource(module, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return false;
  ReadComponent(static_cast<const char*>(data), SizeofResource(module, resource), component);
  return true;
}

bool ReadFormResource(HINSTANCE module, const char* resource_name, TComponent* component) {
  if (!module) module = GetModuleHandleA(nullptr);
  if (ComponentResourceHook) return ComponentResourceHook(module, resource_name, component);
  return ReadRcDataDescription(module, resource_name, component);
}
