#pragma once

#include <string>

#include "platform/module_path.h"

// A toolbar module's file name as the host learnt it (from the registry and
// the loaded module), so the host can read the module's definition the way
// the module does.
class RegisteredModulePath : public ModulePath {
 public:
  explicit RegisteredModulePath(const std::string& file_name) : file_name_(file_name) {}
  std::string FileName() const override { return file_name_; }

 private:
  std::string file_name_;
};
