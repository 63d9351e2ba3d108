#pragma once

#include <string>

// A fresh, empty file in the system's temporary directory, removed again
// when the object goes.
class TempFile {
 public:
  TempFile();
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // "" when no file could be made.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};
