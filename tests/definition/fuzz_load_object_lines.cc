// libFuzzer target: any text, split into lines, read as an object file;
// the store must come out whole and enumerable.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/object_store.h"
#include "store/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  Split(text, "\n", &lines);
  ObjectStore store;
  store.LoadObjectLines(lines);
  for (int i = 0; i < store.GetObjectCount(); ++i) {
    std::string name = store.GetObjectNameAt(i);
    if (store.GetObjectIndex(name) != i) __builtin_trap();
    store.GetObjectType(name);
  }
  // Reading the same lines again gives the same store size.
  int count = store.GetObjectCount();
  store.LoadObjectLines(lines);
  if (store.GetObjectCount() != count) __builtin_trap();
  return 0;
}
