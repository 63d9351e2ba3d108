#include "tests/qelhost/test_trace.h"

#include <windows.h>

#include <cstdio>

#include "tests/qelhost/test_helper_ids.h"

std::string TestTrace::Setting(const char* variable) {
  char value[1024];
  DWORD length = GetEnvironmentVariableA(variable, value, sizeof(value));
  if (length == 0 || length >= sizeof(value)) return "";
  return std::string(value, length);
}

void TestTrace::Write(const std::string& line) {
  std::string path = Setting(QELHOST_TEST_TRACE_VARIABLE);
  if (path.empty()) return;
  // Opened for every line, so the file holds each call in order even when
  // the host dies.
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return;
  std::fprintf(file, "%s\n", line.c_str());
  std::fclose(file);
}
