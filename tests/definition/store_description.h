#pragma once

#include <string>
#include <vector>

#include "store/object_store.h"
#include "store/store_object.h"

// A store as one line of text per object, for comparing whole stores in
// tables: name, type in brackets, then every section with its pairs in
// store order, e.g. "b1 [BUTTON] Prop{Text=Go;Width=40}". Objects are
// joined by " | ". `skip` names one object to leave out.
inline std::string DescribeStore(const ObjectStore& store, const std::string& skip = "") {
  std::string text;
  for (int i = 0; i < store.GetObjectCount(); ++i) {
    std::string name = store.GetObjectNameAt(i);
    if (name == skip) continue;
    const StoreObject* object = store.FindObject(name);
    if (!text.empty()) text += " | ";
    text += name + " [" + object->type() + "]";
    const auto& sections = object->sections();
    for (int s = 0; s < sections.Count(); ++s) {
      const PropertyList& list = sections.At(s)->properties();
      const std::vector<std::string> keys = list.keys();
      const std::vector<std::string> values = list.values();
      text += " " + sections.NameAt(s) + "{";
      for (std::size_t k = 0; k < keys.size(); ++k) {
        if (k > 0) text += ";";
        text += keys[k] + "=" + values[k];
      }
      text += "}";
    }
  }
  return text;
}
