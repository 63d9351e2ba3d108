#include "store/store_object.h"

#include <memory>

StoreObject::StoreObject(std::string_view name, std::string_view type) : name_(name), type_(type) {}

PropertySection* StoreObject::FindOrAddSection(std::string_view name) {
  PropertySection* found = sections_.Find(name);
  if (found != nullptr) return found;
  auto created = std::make_unique<PropertySection>(name);
  found = created.get();
  sections_.Add(name, std::move(created));
  return found;
}
