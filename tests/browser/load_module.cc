// Loads the module named on its command line, as a browser would, and tells
// by its exit code whether the system let it: 0 loaded, 1 refused, 2 usage.
// Tests copy it under other names to see which hosts the module refuses.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HMODULE module = LoadLibraryA(argv[1]);
  if (module == nullptr) return 1;
  FreeLibrary(module);
  return 0;
}
