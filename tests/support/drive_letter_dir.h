#pragma once

#include <string>

// A place for test files named by drive-letter paths ("X:\dir\file"), the
// only paths the definition loader takes for local files. On Windows it is a
// fresh directory under the temporary directory. Natively, where there are
// no drive letters, the same kind of path is an ordinary file name in the
// working directory, backslashes and all, so the loader's code runs
// unchanged on both. Everything under it is removed when it goes, also files
// that the code under test made there.
class DriveLetterDir {
 public:
  DriveLetterDir();
  ~DriveLetterDir();
  DriveLetterDir(const DriveLetterDir&) = delete;
  DriveLetterDir& operator=(const DriveLetterDir&) = delete;

  // The directory, without a final backslash.
  const std::string& path() const { return path_; }
  // path() + "\" + name.
  std::string PathOf(const std::string& name) const;
  // Writes the bytes as they are (no newline translation); false on failure.
  bool Write(const std::string& name, const std::string& bytes);
  // The file's bytes; "" when it cannot be read.
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};
