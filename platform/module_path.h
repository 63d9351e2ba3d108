#pragma once

#include <memory>
#include <string>

// Where the module that holds our code lies on disk: inside the browser that
// is the toolbar's DLL, for a program the program itself. The definition
// loader finds "qel.ini" beside it.
class ModulePath {
 public:
  virtual ~ModulePath() = default;

  // The module's full file name as the platform reports it (on Windows with
  // backslashes, at most 259 characters); "" when the platform cannot tell.
  virtual std::string FileName() const = 0;
};

// The module that contains this code.
std::unique_ptr<ModulePath> CreateModulePath();
