#include "platform/native_module_path.h"

#include <limits.h>
#include <unistd.h>

std::string NativeModulePath::FileName() const {
  char buffer[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer));
  if (length <= 0 || static_cast<size_t>(length) >= sizeof(buffer)) return "";
  return std::string(buffer, static_cast<size_t>(length));
}

std::unique_ptr<ModulePath> CreateModulePath() { return std::make_unique<NativeModulePath>(); }
