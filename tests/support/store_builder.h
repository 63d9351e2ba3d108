#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/object_store.h"

// Keys and values of an object's "Prop" section, in the order written.
using Properties = std::vector<std::pair<std::string, std::string>>;

// Creates object `name` of `type` in `store` and writes `properties` to its
// "Prop" section, as the definition's AddObject would.
inline void AddStoreObject(ObjectStore* store, const std::string& name, const std::string& type,
                           const Properties& properties = {}) {
  store->CreateObject(name, type);
  for (const auto& [key, value] : properties) store->SetProperty(name, "Prop", key, value);
}
