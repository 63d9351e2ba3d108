#include "toolbar/window_class_registry.h"

#include <mutex>
#include <set>
#include <string>

namespace {

// Browser windows of one process live on their own threads.
std::mutex registry_lock;
std::set<std::string>& ClassNames() {
  static std::set<std::string>* names = new std::set<std::string>();
  return *names;
}

}  // namespace

bool RegisterModuleClass(const WNDCLASSA& window_class) {
  if (RegisterClassA(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }
  std::lock_guard<std::mutex> hold(registry_lock);
  ClassNames().insert(window_class.lpszClassName);
  return true;
}

void UnregisterModuleClasses(HINSTANCE instance) {
  std::lock_guard<std::mutex> hold(registry_lock);
  for (const std::string& name : ClassNames()) UnregisterClassA(name.c_str(), instance);
  ClassNames().clear();
}
