#pragma once

#include <string>

// A fresh, empty directory under the system's temporary directory, removed
// with everything in it when the object goes. Unique per process and object,
// so test processes running side by side never share one.
class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  // Windows form, without a trailing backslash.
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};
