#pragma once

#include <string>

#include "platform/module_path.h"

// GetModuleFileNameA of the module this code is linked into, found by an
// address inside it, so that it names the DLL and not the browser's program.
class WindowsModulePath : public ModulePath {
 public:
  std::string FileName() const override;
};
