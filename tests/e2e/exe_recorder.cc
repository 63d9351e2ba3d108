// Stands in for a program that a toolbar button opens through the shell, so
// that the tests launch nothing real: appends one line, "run" followed by its
// arguments, to the file named by the environment variable QEL_E2E_RECORD.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableA("QEL_E2E_RECORD", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 2;
  std::string line = "run";
  for (int i = 1; i < __argc; ++i) line += std::string(" ") + __argv[i];
  line += "\n";
  FILE* file = std::fopen(path, "ab");
  if (file == nullptr) return 1;
  bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
  return std::fclose(file) == 0 && written ? 0 : 1;
}
