#include "tools/qeldef/temp_file.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

TempFile::TempFile() {
#ifdef _WIN32
  char directory[MAX_PATH + 1];
  char name[MAX_PATH + 1];
  DWORD length = GetTempPathA(sizeof(directory), directory);
  if (length == 0 || length > MAX_PATH) return;
  if (GetTempFileNameA(directory, "qel", 0, name) == 0) return;
  path_ = name;
#else
  const char* directory = std::getenv("TMPDIR");
  std::string pattern =
      std::string(directory != nullptr && *directory ? directory : "/tmp") + "/qeldef-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return;
  close(fd);
  path_ = name.data();
#endif
}

TempFile::~TempFile() {
  if (!path_.empty()) std::remove(path_.c_str());
}
