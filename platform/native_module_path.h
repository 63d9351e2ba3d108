#pragma once

#include <string>

#include "platform/module_path.h"

// The running program's own file, read from /proc/self/exe.
class NativeModulePath : public ModulePath {
 public:
  std::string FileName() const override;
};
