#include "tests/images/temp_directory.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

TempDirectory::TempDirectory() {
  static int counter = 0;
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  std::string root = base;
  if (!root.empty() && root.back() == '\\') root.pop_back();
  path_ = root + "\\qel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter);
  std::error_code error;
  std::filesystem::remove_all(path_, error);
  std::filesystem::create_directories(path_, error);
}

TempDirectory::~TempDirectory() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}
