#include "app/form_resource.h"
#include "framework/form_resource.h"

// Every window description of the program passes through LoadFormResource
// from static initialisation to static finalisation.
namespace {

struct FormResourceHookInstaller {
  FormResourceHookInstaller() { ComponentResourceHook = LoadFormResource; }
  ~FormResourceHookInstaller() { ComponentResourceHook = nullptr; }
};

const FormResourceHookInstaller installer;

}  // namespace
