#include "toolbar/window_class_registry.h"

#include <set>
#include <string>

#include "toolbar/slim_lock.h"

namespace {

// Browser windows of one process live on their own threads. Made when the
// module loads and never destroyed: the names are still needed while the
// module unloads.
SlimLock registry_lock;
std::set<std::string>* const class_names = new std::set<std::string>();
std::set<std::string>& ClassNames() { return *class_names; }

}  // namespace

bool RegisterModuleClass(const WNDCLASSA& window_class) {
  if (RegisterClassA(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }
  SlimLockHold hold(&registry_lock);
  ClassNames().insert(window_class.lpszClassName);
  return true;
}

void UnregisterModuleClasses(HINSTANCE instance) {
  SlimLockHold hold(&registry_lock);
  for (const std::string& name : ClassNames()) UnregisterClassA(name.c_str(), instance);
  ClassNames().clear();
}
