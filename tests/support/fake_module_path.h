#pragma once

#include <string>

#include "platform/module_path.h"

// A module whose file name the test chooses ("" for a platform that cannot
// tell).
class FakeModulePath : public ModulePath {
 public:
  explicit FakeModulePath(const std::string& file_name) : file_name_(file_name) {}
  std::string FileName() const override { return file_name_; }

 private:
  std::string file_name_;
};
