// libFuzzer target: any text, split at LF as a download is, through the
// definition interpreter and the readers of what it left behind.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "definition/toolbar_definition.h"
#include "store/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  Split(text, "\n", &lines);
  ToolbarDefinition definition;
  definition.Reset();
  definition.RunScriptLines(lines);
  ObjectStore* stores[] = {definition.ControlStore(), definition.MenuItemStore(),
                           definition.ComboItemStore()};
  for (ObjectStore* store : stores) {
    for (int i = 0; i < store->GetObjectCount(); ++i) {
      std::string name = store->GetObjectNameAt(i);
      ToolbarDefinition::ListChildren(store, name);
    }
  }
  definition.GetBarInt("BarHeight", 22);
  definition.GetBarBool("AddressBarVisible", true);
  return 0;
}
